#pragma once

#include "InstallerUi.h"
#include "NamedMutex.h"
#include "Payload.h"

#include <QString>
#include <QStringList>

#include <functional>

// The installer: one pass from start to the final message, run by `Run`. It holds the
// installer mutex until it is destroyed, and the program's mutex from the moment the program
// is known to be closed until then, or until an update starts the new program.
class CInstallerApp {
public:
    using Launcher = std::function<bool(const QString& program, const QStringList& arguments,
                                        const QString& workingFolder)>;

    struct Options {
        // The folder the installer was started in: the destination in update mode.
        QString currentFolder;
        // Update mode waits for the closing program: this many further attempts, this far apart.
        int mutexAttempts = 11;
        int mutexWaitMs = 500;
        // Starts the updated program at the end of update mode.
        Launcher launch;
        // Sleeps; tests may shorten it.
        std::function<void(int ms)> wait;
    };

    CInstallerApp(const IPayloadSource& payload, IInstallerUi& ui, Options options);

    // The command line selects update mode with "/U" or "/u". Returns 0 when the product was
    // installed, 1 when the installer ended early (a message said why, or the user cancelled).
    int Run(const QStringList& arguments);

    static bool IsUpdateMode(const QStringList& arguments);

private:
    const IPayloadSource& m_payload;
    IInstallerUi& m_ui;
    Options m_options;
    CNamedMutex m_installerMutex;
    CNamedMutex m_applicationMutex;
};
