// Installer: writes the program and its files into a folder, registers the uninstaller and
// makes the shortcuts; with "/U" it finishes an online update in the current folder.
#include "CInstallerApp.h"
#include "EmbeddedPayload.h"
#include "InstallerUi.h"
#include "Shell.h"

#include <QApplication>
#include <QDir>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Installer"));
    CEmbeddedPayload payload;
    CInstallerUi ui;
    CInstallerApp::Options options;
    options.currentFolder = QDir::currentPath();
    options.launch = Shell::StartProgram;
    CInstallerApp installer(payload, ui, options);
    return installer.Run(QApplication::arguments().mid(1));
}
