#include "CInstallProgressDlg.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include <algorithm>

CInstallProgressDlg::CInstallProgressDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Installing ..."));
    m_bar = new QProgressBar(this);
    m_bar->setObjectName(QStringLiteral("1004"));
    m_bar->setRange(0, 100);
    m_bar->setValue(0);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("1005"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_status);
    layout->addWidget(m_bar);
    setMinimumWidth(320);
}

void CInstallProgressDlg::SetStatus(const QString& text) {
    m_status->setText(text);
    m_status->repaint();
}

void CInstallProgressDlg::Advance(int step) {
    m_bar->setValue(std::min(100, m_bar->value() + step));
    repaint();
}

int CInstallProgressDlg::Position() const {
    return m_bar->value();
}

QString CInstallProgressDlg::Status() const {
    return m_status->text();
}
