#pragma once

#include <QString>
#include <QStringList>

// Where the update keeps its settings and its download, and whether it may install at all.
struct UpdateLocations {
    QString proxySettings;       // ZeltaIII.ini, read and written
    QStringList serverFiles;     // ZeltaIII.srv candidates; the first that exists is read
    QString installerFolder;     // where a downloaded installer is saved and started
    bool packageManaged = false; // installed by the package manager: check, never install
};

// The marker the Debian package puts beside the program: that copy is updated by the package
// manager.
constexpr const char* kPackageMarkerFile = "package-manager";

// The folder of the user's own settings: `configHome` (XDG_CONFIG_HOME) + "/ZeltaIII".
QString UserSettingsFolder(const QString& configHome);

// The locations for a program whose data folder is `dataFolder`. When the user may write the
// data folder and the copy is not package-managed, everything is there, as the installer's
// installation has it. Otherwise the proxy settings go to `userFolder`, and the server settings
// are read from `userFolder` first, then from the data folder.
UpdateLocations ChooseUpdateLocations(const QString& dataFolder, const QString& userFolder,
                                      bool packageManaged);

// True when `programFolder` carries the package's marker.
bool IsPackageManaged(const QString& programFolder);
