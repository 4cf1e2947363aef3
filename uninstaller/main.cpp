// Uninstall: removes the installed program, its shortcuts and its registration.
#include "CUninstallerApp.h"
#include "Shell.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>

namespace {

class CUninstallerUi : public IUninstallerUi {
public:
    void Message(const QString& text) override {
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Uninstall"), text, QMessageBox::Ok);
        box.exec();
    }
    bool Confirm(const QString& text) override {
        QMessageBox box(QMessageBox::Question, QStringLiteral("Uninstall"), text,
                        QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Cancel);
        return box.exec() == QMessageBox::Ok;
    }
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Uninstall"));
    CUninstallerUi ui;
    CUninstallerApp::Options options;
    options.tempFolder = QDir::tempPath();
    options.programFile = QApplication::applicationFilePath();
    options.workingFolder = QDir::currentPath();
    options.launch = Shell::StartProgram;
    CUninstallerApp uninstaller(ui, options);
    return uninstaller.Run(QApplication::arguments().mid(1));
}
