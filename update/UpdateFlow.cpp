#include "UpdateFlow.h"

#include "Messages.h"
#include "VersionCheck.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// Runs one server check off the user-interface thread with the "checking" window up. False
// when the user cancelled it.
bool Check(CUpdateClient& client, IUpdateUi& ui, const QString& server, const QString& dir,
           float& version, const QString& proxy, const ProxySettings& settings, int& result) {
    std::atomic<int> cancel{0};
    result = 0;
    const bool finished = ui.RunCheck(
        [&] {
            result = client.CheckServer(server, UpdateObjectName(dir, "zelta.txt"),
                                        UpdateObjectName(dir, "zelta.exe"), version, proxy,
                                        settings.userName, settings.password, &cancel);
        },
        cancel);
    return finished && cancel == 0;
}

} // namespace

QString UpdateText(const IStringTable* strings, int id) {
    if (strings != nullptr) {
        const std::string text = strings->GetString(id);
        if (!text.empty()) {
            return QString::fromStdString(text);
        }
    }
    return QString();
}

UpdateOutcome RunUpdate(const QString& folder, IHttpClient& http, IUpdateUi& ui,
                        const IStringTable* strings, const QByteArray& trustedKey) {
    UpdateLocations locations;
    if (!folder.isEmpty()) {
        locations.proxySettings = SettingsPath(folder, kProxySettingsFile);
        locations.serverFiles = {SettingsPath(folder, kServerSettingsFile)};
        locations.installerFolder = folder;
    }
    return RunUpdate(locations, http, ui, strings, trustedKey);
}

UpdateOutcome RunUpdate(const UpdateLocations& locations, IHttpClient& http, IUpdateUi& ui,
                        const IStringTable* strings, const QByteArray& trustedKey) {
    const QString& folder = locations.installerFolder;
    if (folder.isEmpty() || locations.proxySettings.isEmpty()) {
        return UpdateOutcome::NoFolder;
    }
    const QString iniPath = locations.proxySettings;
    ProxySettings proxy = ReadProxySettings(iniPath);
    if (!ui.EditProxySettings(proxy)) {
        return UpdateOutcome::ProxyCancelled;
    }
    // A file that cannot be written only loses the settings for the next run; the values
    // entered are used for this one. The user's own settings folder is made on first use.
    const QString iniFolder = QFileInfo(iniPath).absolutePath();
    if (!QDir(iniFolder).exists()) {
        QDir().mkpath(iniFolder);
        QFile::setPermissions(iniFolder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                             QFileDevice::ExeOwner);
    }
    WriteProxySettings(iniPath, proxy);
    const QString proxyText = ProxyText(proxy);

    QString serverFile =
        locations.serverFiles.isEmpty() ? QString() : locations.serverFiles.front();
    for (const QString& candidate : locations.serverFiles) {
        if (QFileInfo(candidate).isFile()) {
            serverFile = candidate;
            break;
        }
    }
    const ServerSettings servers = ReadServerSettings(serverFile);
    CUpdateClient client(http, trustedKey);
    float version1 = 0.0f;
    float version2 = 0.0f;
    int result1 = 0;
    int result2 = 0;
    if (!Check(client, ui, servers.server1, servers.dir1, version1, proxyText, proxy, result1) ||
        !Check(client, ui, servers.server2, servers.dir2, version2, proxyText, proxy, result2)) {
        return UpdateOutcome::CheckCancelled;
    }
    const int chosen = ChooseServer(result1, version1, result2, version2);
    if (chosen == 0) {
        ui.ShowMessage(UpdateText(strings, kIdsCheckFailed));
        return UpdateOutcome::CheckFailed;
    }
    const QString& server = chosen == 1 ? servers.server1 : servers.server2;
    const QString& dir = chosen == 1 ? servers.dir1 : servers.dir2;
    const float version = chosen == 1 ? version1 : version2;
    if (!IsNewerVersion(version)) {
        ui.ShowMessage(UpdateText(strings, kIdsNoNewVersion));
        return UpdateOutcome::NotAvailable;
    }
    if (locations.packageManaged) {
        // The package manager owns the installed files; the program only says what it found.
        ui.ShowMessage(UpdateText(strings, kIdsUpdateByPackageManager)
                           .replace(QStringLiteral("%.1f"), QString::number(version, 'f', 1)));
        return UpdateOutcome::PackageManaged;
    }
    // The one conversion of the question is the version with one decimal, in the C locale.
    const QString question = UpdateText(strings, kIdsUpdateQuestion)
                                 .replace(QStringLiteral("%.1f"), QString::number(version, 'f', 1));
    if (!ui.AskYesNo(question)) {
        return UpdateOutcome::Declined;
    }

    const QString localPath = SettingsPath(folder, kInstallerFile);
    QFile::remove(localPath);
    const int downloaded = client.Download(server, UpdateObjectName(dir, "zelta.exe"),
                                           UpdateObjectName(dir, "zelta.sig"), localPath, proxyText,
                                           proxy.userName, proxy.password, ui);
    if (downloaded == CUpdateClient::DownloadCancelled) {
        return UpdateOutcome::DownloadCancelled;
    }
    if (downloaded != CUpdateClient::DownloadSucceeded) {
        // Whatever arrived is not run: the worker deleted a file that failed its checks.
        QFile::remove(localPath);
        ui.ShowMessage(UpdateText(strings, kIdsDownloadError));
        return UpdateOutcome::DownloadFailed;
    }
    // A downloaded file is not executable until it is marked so.
    QFile::setPermissions(localPath, QFile::permissions(localPath) | QFileDevice::ExeOwner |
                                         QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (!ui.StartProgram(localPath, {QStringLiteral("/U")}, folder)) {
        // Closing now would leave the user with neither the program nor the update.
        ui.ShowMessage(UpdateText(strings, kIdsDownloadError));
        return UpdateOutcome::StartFailed;
    }
    ui.RequestClose();
    return UpdateOutcome::Handed;
}
