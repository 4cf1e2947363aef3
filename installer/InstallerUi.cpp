#include "InstallerUi.h"

#include "CInstallDlg.h"
#include "CInstallProgressDlg.h"

#include <QCoreApplication>
#include <QMessageBox>

namespace {

const QString Caption() {
    return QStringLiteral("Installer");
}

} // namespace

CInstallerUi::CInstallerUi() = default;
CInstallerUi::~CInstallerUi() = default;

void CInstallerUi::Message(const QString& text, Icon icon) {
    QMessageBox box(icon == Icon::Information ? QMessageBox::Information : QMessageBox::NoIcon,
                    Caption(), text, QMessageBox::Ok, m_progress.get());
    box.exec();
}

bool CInstallerUi::Confirm(const QString& text) {
    QMessageBox box(QMessageBox::Question, Caption(), text, QMessageBox::Ok | QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok;
}

bool CInstallerUi::RunInstallDialog(InstallChoice& choice) {
    CInstallDlg dialog(choice);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    choice = dialog.Choice();
    return true;
}

void CInstallerUi::OpenProgress() {
    m_progress = std::make_unique<CInstallProgressDlg>();
    m_progress->show();
    QCoreApplication::processEvents();
}

void CInstallerUi::SetProgressStatus(const QString& text) {
    if (m_progress)
        m_progress->SetStatus(text);
    QCoreApplication::processEvents();
}

void CInstallerUi::AdvanceProgress(int step) {
    if (m_progress)
        m_progress->Advance(step);
    QCoreApplication::processEvents();
}

void CInstallerUi::CloseProgress() {
    m_progress.reset();
}
