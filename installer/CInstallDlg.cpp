#include "CInstallDlg.h"

#include "InstallerIcons.h"
#include "InstallerOps.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

std::uint64_t DriveFreeMb(const QString& path) {
    std::uint64_t total = 0;
    std::uint64_t free = 0;
    GetDiskSpace(path, &total, &free);
    return free;
}

} // namespace

CInstallDlg::CInstallDlg(const InstallChoice& choice, QWidget* parent)
    : QDialog(parent), m_choice(choice) {
    setWindowTitle(QStringLiteral("Installer for the ZeltaIII"));

    m_folder = new QLineEdit(m_choice.destination, this);
    m_folder->setObjectName(QStringLiteral("1001"));
    auto* browse = new QPushButton(QStringLiteral("Browse ..."), this);
    browse->setObjectName(QStringLiteral("1000"));
    m_desktop = new QCheckBox(QStringLiteral("Create a shortcut on the desktop"), this);
    m_desktop->setObjectName(QStringLiteral("1002"));
    m_desktop->setChecked(m_choice.desktopShortcut);
    m_menu = new QCheckBox(QStringLiteral("Create a shortcut in the applications menu"), this);
    m_menu->setObjectName(QStringLiteral("1003"));
    m_menu->setChecked(m_choice.menuShortcut);
    m_freeSpace = new QLabel(this);
    m_freeSpace->setObjectName(QStringLiteral("1006"));

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* install =
        buttons->addButton(QStringLiteral("Install"), QDialogButtonBox::AcceptRole);
    install->setObjectName(QStringLiteral("IDOK"));
    install->setDefault(true);
    buttons->addButton(QDialogButtonBox::Cancel);

    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(m_folder, 1);
    folderRow->addWidget(browse);
    auto* space = new QGridLayout;
    space->addWidget(new QLabel(QStringLiteral("Space required: 5 MB"), this), 0, 0);
    space->addWidget(new QLabel(QStringLiteral("Space available:"), this), 1, 0);
    space->addWidget(m_freeSpace, 1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Installation folder:"), this));
    layout->addLayout(folderRow);
    layout->addWidget(m_desktop);
    layout->addWidget(m_menu);
    layout->addLayout(space);
    layout->addSpacing(16); // room for the etched line
    layout->addWidget(buttons);

    m_pickFolder = [](QWidget* owner, const QString& start) {
        return QFileDialog::getExistingDirectory(owner, QStringLiteral("&Folders"), start,
                                                 QFileDialog::ShowDirsOnly);
    };
    m_free = DriveFreeMb;
    // Plain boxes with an OK button, like every other message of the installer.
    m_message = [this](const QString& text) {
        QMessageBox box(QMessageBox::NoIcon, windowTitle(), text, QMessageBox::Ok, this);
        box.exec();
    };
    setWindowIcon(InstallerBigIcon());

    connect(browse, &QPushButton::clicked, this, &CInstallDlg::Browse);
    connect(buttons, &QDialogButtonBox::accepted, this, &CInstallDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CInstallDlg::reject);
    UpdateFreeSpace();
}

void CInstallDlg::SetFreeSpace(FreeSpace freeSpace) {
    m_free = std::move(freeSpace);
    UpdateFreeSpace();
}

void CInstallDlg::Browse() {
    QString picked = m_pickFolder(this, m_folder->text());
    QString destination = BrowsedDestination(picked);
    if (destination.isEmpty())
        return;
    m_folder->setText(destination);
    UpdateFreeSpace();
}

// Refreshed at start and after Browse only: a free-space query per key stroke would ask the
// drive for every half-typed folder.
void CInstallDlg::UpdateFreeSpace() {
    m_freeSpace->setText(FormatFreeSpace(m_free(m_folder->text())));
}

void CInstallDlg::accept() {
    QString typed = m_folder->text();
    QString destination;
    QString problem = CheckDestination(typed, typed.isEmpty() ? 0 : m_free(typed), &destination);
    if (!problem.isEmpty()) {
        m_message(problem);
        return;
    }
    m_choice.destination = destination;
    m_choice.desktopShortcut = m_desktop->isChecked();
    m_choice.menuShortcut = m_menu->isChecked();
    QDialog::accept();
}

void CInstallDlg::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    // The etched line above the buttons: a dark line over a white one.
    int y = height() - 52;
    painter.setPen(QColor(119, 119, 119));
    painter.drawLine(0, y, width(), y);
    painter.setPen(Qt::white);
    painter.drawLine(0, y + 1, width(), y + 1);
}
