#include "KnownFolders.h"

#include <QDir>
#include <QStandardPaths>

#include <unistd.h>

namespace KnownFolders {

QString ProgramFiles() {
    if (geteuid() == 0)
        return QStringLiteral("/opt");
    return QDir::homePath() + QStringLiteral("/.local/opt");
}

QString Desktop() {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    return dir.isEmpty() ? QDir::homePath() + QStringLiteral("/Desktop") : dir;
}

QString ApplicationsMenu() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/applications");
}

QString IconTheme() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/icons/hicolor");
}

QString Configuration() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

} // namespace KnownFolders
