#include "NumberLocale.h"
#include "ProgramStartup.h"
#include "ZeltaApp.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    UseCNumberForm(); // the application object took the user's whole locale
    QApplication::setApplicationName(QStringLiteral("ZeltaIII"));
    QApplication::setOrganizationName(QStringLiteral("Vorn Company"));
    // The program lives on until the main window closes, not while a dialog of start-up
    // closes before the main window shows.
    QApplication::setQuitOnLastWindowClosed(false);

    CProgram program;
    if (!program.InitInstance()) {
        // A start-up that failed (its message was shown) ends with status 1; Quit with 0.
        return program.App().StartupFailed() ? 1 : 0;
    }
    QApplication::setQuitOnLastWindowClosed(true);
    return application.exec();
}
