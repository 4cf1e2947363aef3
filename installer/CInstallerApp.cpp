#include "CInstallerApp.h"

#include "InstallerIcons.h"
#include "InstallerOps.h"
#include "KnownFolders.h"
#include "ProductFiles.h"
#include "Registry.h"
#include "SetupFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <thread>

namespace {

using Icon = IInstallerUi::Icon;

void SleepMs(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

bool Wanted(const PayloadEntry& entry) {
    switch (entry.when) {
    case PayloadEntry::When::Always:
        return true;
    case PayloadEntry::When::NotNt:
        return !kPlatformIsNt;
    case PayloadEntry::When::Nt:
        return kPlatformIsNt;
    }
    return false;
}

} // namespace

CInstallerApp::CInstallerApp(const IPayloadSource& payload, IInstallerUi& ui, Options options)
    : m_payload(payload), m_ui(ui), m_options(std::move(options)) {
    if (!m_options.wait)
        m_options.wait = SleepMs;
}

bool CInstallerApp::IsUpdateMode(const QStringList& arguments) {
    // The switch is a word of its own: a folder such as "/usr/..." must not select it.
    for (const QString& argument : arguments)
        if (argument == QLatin1String("/U") || argument == QLatin1String("/u"))
            return true;
    return false;
}

int CInstallerApp::Run(const QStringList& arguments) {
    if (!m_installerMutex.Create(ProductFiles::kInstallerMutex)) {
        m_ui.Message(QStringLiteral("Fatal error"), Icon::None);
        return 1;
    }
    if (!m_installerMutex.IsOwner()) {
        m_ui.Message(QStringLiteral("Installation program is already running"), Icon::None);
        return 1;
    }
    const bool update = IsUpdateMode(arguments);

    QByteArray payload[kPayloadCount];
    for (std::size_t i = 0; i < kPayloadCount; ++i) {
        payload[i] = m_payload.Find(kPayloadTable[i].id);
        if (payload[i].isEmpty()) {
            m_ui.Message(QStringLiteral("Installation file is corrupted"), Icon::None);
            return 1;
        }
    }

    // The running program holds its mutex; an update waits for it to close.
    bool created = m_applicationMutex.Create(ProductFiles::kApplicationMutex);
    for (int attempt = 0;
         update && created && !m_applicationMutex.IsOwner() && attempt < m_options.mutexAttempts;
         ++attempt) {
        m_options.wait(m_options.mutexWaitMs);
        created = m_applicationMutex.Create(ProductFiles::kApplicationMutex);
    }
    if (!created || !m_applicationMutex.IsOwner()) {
        m_ui.Message(QStringLiteral("Please close all running instances of Zelta"), Icon::None);
        return 1;
    }

    InstallChoice choice;
    if (!update) {
        QString question =
            QString::asprintf("This program will install the ZeltaIII (version %.1f).\n"
                              "Do you want to continue?",
                              ProductFiles::kVersion);
        if (!m_ui.Confirm(question))
            return 1;
        choice.destination = DefaultDestination();
        if (!m_ui.RunInstallDialog(choice))
            return 1;
    } else {
        choice.destination = m_options.currentFolder;
        if (choice.destination.isEmpty()) {
            m_ui.Message(QStringLiteral("Fatal error"), Icon::None);
            return 1;
        }
        if (choice.destination.size() > 1 && choice.destination.endsWith(QLatin1Char('/')))
            choice.destination.chop(1);
        choice.desktopShortcut = false;
        choice.menuShortcut = false;
    }
    const QString destination = choice.destination;

    m_ui.OpenProgress();
    // Every missing level: on a fresh account even ~/.local may not exist yet. A folder that
    // cannot be made shows at the first file.
    QDir().mkpath(destination);
    m_ui.SetProgressStatus(QStringLiteral("Copying files"));

    RemoveOldVersion(m_options.wait);

    for (std::size_t i = 0; i < kPayloadCount; ++i) {
        const PayloadEntry& entry = kPayloadTable[i];
        if (!Wanted(entry))
            continue;
        QString path = JoinPath(destination, QLatin1String(entry.target));
        if (WritePayloadFile(path, payload[i].constData(), payload[i].size(), entry.executable) !=
            0) {
            // Files written before stay; only an empty folder is taken away again.
            QDir().rmdir(destination);
            m_ui.Message(QStringLiteral("Cannot copy files to the destination directory"),
                         Icon::None);
            m_ui.CloseProgress();
            return 1;
        }
        m_ui.AdvanceProgress(24);
    }

    if (!update)
        m_ui.SetProgressStatus(QStringLiteral("Creating program shortcuts"));
    const QString target = JoinPath(destination, QLatin1String(ProductFiles::kProgram));
    const QString description = QLatin1String(ProductFiles::kShortcutDescription);
    // The entries show the program's icon; without it they still start the program.
    QString icon;
    if (choice.menuShortcut || choice.desktopShortcut) {
        icon = ProgramIconPath();
        const QByteArray png = ProgramIconPng();
        if (png.isEmpty() || !QDir().mkpath(QFileInfo(icon).absolutePath()) ||
            WritePayloadFile(icon, png.constData(), png.size(), false) != 0)
            icon.clear();
    }
    if (choice.menuShortcut) {
        // The applications menu folder is part of every user's data folder; it may simply
        // not have been needed yet.
        QString menu = KnownFolders::ApplicationsMenu();
        if (!menu.isEmpty() && QDir().mkpath(menu))
            CreateShortcut(target, JoinPath(menu, QLatin1String(ProductFiles::kShortcut)),
                           description, destination, icon);
    }
    if (choice.desktopShortcut) {
        QString desktop = KnownFolders::Desktop();
        if (!desktop.isEmpty() && QFileInfo(desktop).isDir())
            CreateShortcut(target, JoinPath(desktop, QLatin1String(ProductFiles::kShortcut)),
                           description, destination, icon);
    }

    const QString key = QLatin1String(ProductFiles::kUninstallKey);
    if (Registry::CreateRegKey(key) != Registry::kOk) {
        m_ui.Message(QStringLiteral("Cannot create registry key, installation failed"), Icon::None);
        m_ui.CloseProgress();
        return 1;
    }
    Registry::SetRegValue(key, QStringLiteral("DisplayName"),
                          QString::asprintf("ZeltaIII %.1f", ProductFiles::kVersion));
    Registry::SetRegValue(key, QStringLiteral("UninstallString"),
                          JoinPath(destination, QLatin1String(ProductFiles::kUninstaller)));
    Registry::SetRegValue(key, QStringLiteral("UninstallPath"), destination);

    m_ui.CloseProgress();

    if (update) {
        // The program takes the mutex as it starts. A lock that another process still holds
        // is not taken, and the program would then run without it once we end, hidden from
        // the next update and from the uninstaller: let go of it first.
        m_applicationMutex.Release();
        if (m_options.launch)
            m_options.launch(target, QStringList(), destination);
    } else {
        m_ui.Message(QStringLiteral("Installation is completed"), Icon::Information);
    }
    return 0;
}
