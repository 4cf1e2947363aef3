#include "CUninstallerApp.h"

#include "KnownFolders.h"
#include "NamedMutex.h"
#include "ProductFiles.h"
#include "Registry.h"
#include "SetupFiles.h"
#include "Shell.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <thread>

namespace {

void SleepMs(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// The private folder of the temporary copy; the second pass removes only folders so named.
const char kCopyFolderPrefix[] = "zelta-uninstall-";

} // namespace

int CheckNotRunning(const QString& folder, const QString& programFile) {
    if (CNamedMutex::Exists(ProductFiles::kInstallerMutex))
        return -1;
    if (CNamedMutex::Exists(ProductFiles::kApplicationMutex))
        return -1;
    QFile file(JoinPath(folder, programFile));
    if (!file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly))
        return -1;
    file.close();
    return 0;
}

CUninstallerApp::CUninstallerApp(IUninstallerUi& ui, Options options)
    : m_ui(ui), m_options(std::move(options)) {
    if (!m_options.wait)
        m_options.wait = SleepMs;
}

int CUninstallerApp::Run(const QStringList& arguments) {
    if (arguments.isEmpty())
        return FirstPass();
    // The whole command line is the folder, so a folder with blanks that reached us as
    // several words still arrives whole.
    return SecondPass(arguments.join(QLatin1Char(' ')));
}

int CUninstallerApp::FirstPass() {
    if (!m_ui.Confirm(QStringLiteral(
            "Are you sure you want to completely remove 'ZeltaIII' from your computer?")))
        return 1;

    QString folder;
    if (Registry::QueryRegValue(QLatin1String(ProductFiles::kUninstallKey),
                                QStringLiteral("UninstallPath"), &folder) != Registry::kOk ||
        folder.isEmpty() || !QDir::isAbsolutePath(folder)) {
        m_ui.Message(QStringLiteral("Cannot locate the installed application"));
        return 1;
    }

    // A private folder: a fixed name in the shared temporary folder could be taken by
    // anybody's file.
    QTemporaryDir copyFolder(JoinPath(m_options.tempFolder, QLatin1String(kCopyFolderPrefix)) +
                             QStringLiteral("XXXXXX"));
    QString copy;
    if (copyFolder.isValid()) {
        copy = copyFolder.filePath(QLatin1String(ProductFiles::kUninstaller));
        if (!QFile::copy(JoinPath(folder, QLatin1String(ProductFiles::kUninstaller)), copy))
            copy.clear();
    }
    if (copy.isEmpty()) {
        m_ui.Message(QStringLiteral("Cannot access the temporary directory"));
        return 1;
    }

    if (CheckNotRunning(folder, QLatin1String(ProductFiles::kProgram)) != 0) {
        m_ui.Message(QStringLiteral("Please close all running instances of the installed program"));
        return 1; // the copy goes with its folder
    }

    QFile::remove(
        JoinPath(KnownFolders::ApplicationsMenu(), QLatin1String(ProductFiles::kShortcut)));
    QString desktopEntry =
        JoinPath(KnownFolders::Desktop(), QLatin1String(ProductFiles::kShortcut));
    if (QFileInfo::exists(desktopEntry))
        Shell::MoveToTrash(desktopEntry);
    QFile::remove(ProgramIconPath());

    for (const char* name :
         {ProductFiles::kDownloadedInstaller, ProductFiles::kServerSettings,
          ProductFiles::kCatalogue, ProductFiles::kModelLibrary, ProductFiles::kResourceLibrary,
          ProductFiles::kProgram, ProductFiles::kProxySettings})
        DeleteProductFile(folder, QLatin1String(name));

    Registry::DeleteRegKey(QLatin1String(ProductFiles::kUninstallKey));

    copyFolder.setAutoRemove(false);
    if (m_options.launch)
        m_options.launch(copy, QStringList{folder}, copyFolder.path());
    return 0;
}

int CUninstallerApp::SecondPass(const QString& folder) {
    m_options.wait(m_options.secondPassWaitMs);

    QFile::remove(JoinPath(folder, QLatin1String(ProductFiles::kUninstaller)));
    QDir().rmdir(folder);

    // Unlike elsewhere, a running program's file can be deleted here at once, so the copy
    // removes itself and its private folder instead of waiting for the next restart.
    // A copy started by hand from anywhere else is left alone.
    QFileInfo self(m_options.programFile);
    QString working = QFileInfo(m_options.workingFolder).absoluteFilePath();
    if (!m_options.programFile.isEmpty() && self.absolutePath() == working &&
        self.fileName() == QLatin1String(ProductFiles::kUninstaller) &&
        QFileInfo(working).fileName().startsWith(QLatin1String(kCopyFolderPrefix))) {
        QFile::remove(self.absoluteFilePath());
        QDir().rmdir(working);
    }

    m_ui.Message(QStringLiteral("The program has been successfully uninstalled"));
    return 0;
}
