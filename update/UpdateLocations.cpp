#include "UpdateLocations.h"

#include "UpdateSettings.h"

#include <QFileInfo>

#include <unistd.h>

namespace {

// Whether this user may create and replace files in `folder` (and replace an existing
// ZeltaIII.ini there).
bool UserMayWrite(const QString& folder) {
    const QByteArray path = QFile::encodeName(folder);
    if (path.isEmpty() || access(path.constData(), W_OK | X_OK) != 0)
        return false;
    const QFileInfo ini(SettingsPath(folder, kProxySettingsFile));
    return !ini.exists() || ini.isWritable();
}

} // namespace

QString UserSettingsFolder(const QString& configHome) {
    return SettingsPath(configHome, "ZeltaIII");
}

UpdateLocations ChooseUpdateLocations(const QString& dataFolder, const QString& userFolder,
                                      bool packageManaged) {
    UpdateLocations locations;
    locations.installerFolder = dataFolder;
    locations.packageManaged = packageManaged;
    if (!packageManaged && UserMayWrite(dataFolder)) {
        locations.proxySettings = SettingsPath(dataFolder, kProxySettingsFile);
        locations.serverFiles = {SettingsPath(dataFolder, kServerSettingsFile)};
        return locations;
    }
    locations.proxySettings = SettingsPath(userFolder, kProxySettingsFile);
    locations.serverFiles = {SettingsPath(userFolder, kServerSettingsFile),
                             SettingsPath(dataFolder, kServerSettingsFile)};
    return locations;
}

bool IsPackageManaged(const QString& programFolder) {
    return !programFolder.isEmpty() &&
           QFileInfo(SettingsPath(programFolder, kPackageMarkerFile)).isFile();
}
