#pragma once

#include "UpdateFlow.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

class IHttpClient;
class IStringTable;
class QWidget;

using ProgramStarter = std::function<bool(const QString& program, const QStringList& arguments,
                                          const QString& folder)>;

// What the update works with; every member has a default for the running program.
struct UpdateHooks {
    // Owner of the dialogs, disabled during the download and closed after the hand-over.
    QWidget* mainWindow = nullptr;
    QString folder;                        // empty: the current directory
    IHttpClient* http = nullptr;           // null: the program's Qt Network client
    ProgramStarter startProgram;           // empty: the shell's start of a program
    std::function<void()> requestClose;    // empty: close the main window, then every window
    const IStringTable* strings = nullptr; // null: the resource library's strings
    QByteArray trustedKey;                 // empty: the maker's public key (tests sign with
                                           // a key of their own)
    // Where the settings go: with `folder` empty, the data folder the program loaded (the
    // current folder, else the installation's), and the user's settings folder
    // ($XDG_CONFIG_HOME/ZeltaIII) when that folder is not the user's to write.
    QString userFolder;      // empty: $XDG_CONFIG_HOME/ZeltaIII
    int packageManaged = -1; // -1: by the package's marker beside the program; 0 or 1: given
};

// The "Update via Internet" button of the selection dialog: proxy settings, check of both
// update servers, the question, the download with its progress dialog, and the hand-over to
// the installer in update mode, after which the program closes.
void UpdateViaInternet(QWidget* mainWindow);
UpdateOutcome UpdateViaInternet(const UpdateHooks& hooks);
