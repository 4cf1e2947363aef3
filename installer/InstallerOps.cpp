#include "InstallerOps.h"

#include "KnownFolders.h"
#include "ProductFiles.h"
#include "Registry.h"
#include "SetupFiles.h"
#include "Shell.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>

#include <cstdio>

int WritePayloadFile(const QString& path, const char* data, std::int64_t size, bool executable) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return -1;
    if (file.write(data, size) != size) {
        file.cancelWriting();
        file.commit();
        return -1;
    }
    QFileDevice::Permissions permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                           QFileDevice::ReadGroup | QFileDevice::ReadOther;
    if (executable)
        permissions |= QFileDevice::ExeOwner | QFileDevice::ExeGroup | QFileDevice::ExeOther;
    file.setPermissions(permissions);
    return file.commit() ? 0 : -1;
}

void GetDiskSpace(const QString& path, std::uint64_t* totalMb, std::uint64_t* freeMb) {
    *totalMb = 0;
    *freeMb = 0;
    if (path.isEmpty())
        return;
    QFileInfo info(path);
    QString existing = info.absoluteFilePath();
    while (!QFileInfo::exists(existing)) {
        QString parent = QFileInfo(existing).absolutePath();
        if (parent == existing)
            return;
        existing = parent;
    }
    QStorageInfo storage(existing);
    if (!storage.isValid() || !storage.isReady())
        return;
    *totalMb = static_cast<std::uint64_t>(storage.bytesTotal()) / 1048576u;
    *freeMb = static_cast<std::uint64_t>(storage.bytesFree()) / 1048576u;
}

QString FormatFreeSpace(std::uint64_t freeMb) {
    char text[64];
    double m = static_cast<double>(freeMb);
    if (freeMb < 1024)
        std::snprintf(text, sizeof text, "%g MB", m);
    else if (freeMb < 1022976)
        std::snprintf(text, sizeof text, "%.3g GB", m / 1024.0);
    else
        std::snprintf(text, sizeof text, "%.3g TB", m / 1048576.0);
    return QString::fromLatin1(text);
}

QString DefaultDestination() {
    QString folder;
    if (Registry::QueryRegValue(QLatin1String(ProductFiles::kCurrentVersionKey),
                                QStringLiteral("ProgramFilesDir"), &folder) != Registry::kOk)
        folder.clear();
    return JoinPath(folder, QLatin1String(ProductFiles::kProductFolder));
}

QString BrowsedDestination(const QString& folder) {
    if (folder.isEmpty())
        return QString();
    return JoinPath(folder, QLatin1String(ProductFiles::kProductFolder));
}

QString CheckDestination(const QString& typed, std::uint64_t freeMb, QString* destination) {
    // A relative folder would be read against wherever the installer happens to run, and the
    // uninstaller could not find it again.
    if (typed.size() < 3 || !QDir::isAbsolutePath(typed))
        return QStringLiteral("The name of instalation folder is invalid");
    if (freeMb < 5)
        return QStringLiteral("Not enough free space on the target drive");
    *destination = typed;
    if (destination->endsWith(QLatin1Char('/')))
        destination->chop(1);
    return QString();
}

void RemoveOldVersion(const std::function<void(int ms)>& wait) {
    QString folder;
    if (Registry::QueryRegValue(QLatin1String(ProductFiles::kOldUninstallKey),
                                QStringLiteral("UninstallPath"), &folder) != Registry::kOk)
        return;
    // An empty or relative folder would aim the deletions at the root or at the current folder.
    if (folder.isEmpty() || !QDir::isAbsolutePath(folder))
        return;

    QFile::remove(
        JoinPath(KnownFolders::ApplicationsMenu(), QLatin1String(ProductFiles::kOldShortcut)));
    QString desktopEntry =
        JoinPath(KnownFolders::Desktop(), QLatin1String(ProductFiles::kOldShortcut));
    if (QFileInfo::exists(desktopEntry))
        Shell::MoveToTrash(desktopEntry);

    for (const char* name : {"ZeltaII.srv", "Cap.vorn", "Vorncap.lib", "libZeltaII.so", "ZeltaII",
                             "Uninstall", "ZeltaII.ini"})
        DeleteProductFile(folder, QLatin1String(name));
    wait(100);
    QDir().rmdir(folder);

    Registry::DeleteRegKey(QLatin1String(ProductFiles::kOldUninstallKey));
}
