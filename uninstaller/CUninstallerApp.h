#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// What the uninstaller shows or asks. The program uses message boxes; tests answer with their
// own.
class IUninstallerUi {
public:
    virtual ~IUninstallerUi() = default;
    // A message box with an OK button and no icon.
    virtual void Message(const QString& text) = 0;
    // An OK/Cancel question with Cancel as the default; true for OK.
    virtual bool Confirm(const QString& text) = 0;
};

// -1 when the installer or the program is running, or when `folder`/`programFile` cannot be
// opened for reading and writing (missing, or in use: a running program's file cannot be);
// 0 otherwise.
int CheckNotRunning(const QString& folder, const QString& programFile);

// The uninstaller. A running program cannot delete its own file, so the work is split in two
// passes: the first (no arguments) removes everything but the uninstaller, copies it into a
// private temporary folder and starts the copy with the installation folder; the second
// (arguments = the installation folder) deletes the installed uninstaller, the folder when it
// is then empty, and its own temporary copy.
class CUninstallerApp {
public:
    using Launcher = std::function<bool(const QString& program, const QStringList& arguments,
                                        const QString& workingFolder)>;

    struct Options {
        // Where the first pass puts the copy (the platform's temporary folder).
        QString tempFolder;
        // The running uninstaller's own file, removed by the second pass when it is the
        // temporary copy: named "Uninstall" and lying in `workingFolder`, a private folder
        // made by the first pass.
        QString programFile;
        QString workingFolder;
        // Starts the temporary copy for the second pass.
        Launcher launch;
        // Sleeps; the second pass first lets the first one end.
        std::function<void(int ms)> wait;
        int secondPassWaitMs = 500;
    };

    CUninstallerApp(IUninstallerUi& ui, Options options);

    // Returns 0 when the pass did its work, 1 when it ended early.
    int Run(const QStringList& arguments);

    int FirstPass();
    int SecondPass(const QString& folder);

private:
    IUninstallerUi& m_ui;
    Options m_options;
};
