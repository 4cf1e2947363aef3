#include "CInstallerApp.h"
#include "EmbeddedPayload.h"
#include "KnownFolders.h"
#include "NamedMutex.h"
#include "ProductFiles.h"
#include "Registry.h"
#include "SetupTestSupport.h"
#include "TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

// Answers the installer as a user would and writes down everything it was shown.
class ScriptedUi : public IInstallerUi {
public:
    void Message(const QString& text, Icon icon) override {
        messages << text;
        lastIcon = icon;
    }
    bool Confirm(const QString& text) override {
        questions << text;
        return confirm;
    }
    bool RunInstallDialog(InstallChoice& choice) override {
        offered = choice.destination;
        ++dialogs;
        if (!acceptDialog)
            return false;
        choice.destination = destination;
        choice.desktopShortcut = desktop;
        choice.menuShortcut = menu;
        return true;
    }
    void OpenProgress() override { progressOpen = true; }
    void SetProgressStatus(const QString& text) override { statuses << text; }
    void AdvanceProgress(int step) override { progress += step; }
    void CloseProgress() override { progressOpen = false; }

    bool confirm = true;
    bool acceptDialog = true;
    QString destination;
    bool desktop = true;
    bool menu = true;

    QStringList messages;
    QStringList questions;
    QStringList statuses;
    QString offered;
    Icon lastIcon = Icon::None;
    int dialogs = 0;
    int progress = 0;
    bool progressOpen = false;
};

struct Launch {
    QString program;
    QStringList arguments;
    QString folder;
    bool mutexFree = false; // nobody held the program's mutex when it was started
    int count = 0;
};

const QString kKey = QLatin1String(ProductFiles::kUninstallKey);

QString RegValue(const QString& key, const QString& name) {
    QString text;
    return Registry::QueryRegValue(key, name, &text) == Registry::kOk ? text
                                                                      : QStringLiteral("<none>");
}

class InstallerTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Each test starts from an empty registry, menu and desktop.
        QFile::remove(Registry::StorePath());
        QDir(KnownFolders::ApplicationsMenu()).removeRecursively();
        QDir(KnownFolders::Desktop()).removeRecursively();
        QDir().mkpath(KnownFolders::Desktop());
        base = QString::fromStdString(MakeTempDir("install"));
        destination = base + QStringLiteral("/Programs ZeltaIII");
        ui.destination = destination;
    }

    int RunInstaller(const QStringList& arguments, const IPayloadSource& source,
                     CInstallerApp::Options options = {}) {
        options.launch = [this](const QString& program, const QStringList& args,
                                const QString& folder) {
            launch.program = program;
            launch.arguments = args;
            launch.folder = folder;
            launch.mutexFree = !CNamedMutex::Exists(ProductFiles::kApplicationMutex);
            ++launch.count;
            return true;
        };
        CInstallerApp installer(source, ui, options);
        return installer.Run(arguments);
    }

    QStringList Written() const { return QDir(destination).entryList(QDir::Files, QDir::Name); }

    FakePayload payload;
    ScriptedUi ui;
    Launch launch;
    QString base;
    QString destination;
};

const QStringList kSixFiles = {"Uninstall", "ZeltaIII",       "ZeltaIII.srv",
                               "cap.vorn",  "libZeltaIII.so", "vorncap.lib"};

TEST_F(InstallerTest, InteractiveInstallWritesFilesRegistersAndMakesShortcuts) {
    ASSERT_EQ(0, RunInstaller({}, payload));

    EXPECT_EQ(QStringList{"This program will install the ZeltaIII (version 2.0).\n"
                          "Do you want to continue?"},
              ui.questions);
    EXPECT_EQ(KnownFolders::ProgramFiles() + "/ZeltaIII", ui.offered);
    EXPECT_EQ(QStringList{"Installation is completed"}, ui.messages);
    EXPECT_EQ(IInstallerUi::Icon::Information, ui.lastIcon);
    EXPECT_EQ((QStringList{"Copying files", "Creating program shortcuts"}), ui.statuses);
    EXPECT_FALSE(ui.progressOpen);
    EXPECT_EQ(6 * 24, ui.progress);
    EXPECT_EQ(0, launch.count);

    // Exactly six files: the program once, under the name the shortcuts start.
    EXPECT_EQ(kSixFiles, Written());
    EXPECT_EQ(payload.files[137], ReadAll(destination + "/ZeltaIII"));
    EXPECT_EQ(payload.files[132], ReadAll(destination + "/Uninstall"));
    EXPECT_EQ(payload.files[130], ReadAll(destination + "/cap.vorn"));
    EXPECT_EQ(payload.files[129], ReadAll(destination + "/vorncap.lib"));
    EXPECT_TRUE(QFileInfo(destination + "/ZeltaIII").isExecutable());
    EXPECT_TRUE(QFileInfo(destination + "/Uninstall").isExecutable());
    EXPECT_FALSE(QFileInfo(destination + "/cap.vorn").isExecutable());

    EXPECT_EQ("ZeltaIII 2.0", RegValue(kKey, "DisplayName"));
    EXPECT_EQ(destination + "/Uninstall", RegValue(kKey, "UninstallString"));
    EXPECT_EQ(destination, RegValue(kKey, "UninstallPath"));

    for (const QString& folder : {KnownFolders::ApplicationsMenu(), KnownFolders::Desktop()}) {
        QString entry = QString::fromUtf8(ReadAll(folder + "/ZeltaIII.desktop"));
        EXPECT_TRUE(entry.contains("\nExec=\"" + destination + "/ZeltaIII\"\n"))
            << entry.toStdString();
        EXPECT_TRUE(entry.contains("\nPath=" + destination + "\n")) << entry.toStdString();
        EXPECT_TRUE(entry.contains("\nComment=ZeltaIII\n"));
        EXPECT_TRUE(entry.contains("\nName=ZeltaIII\n"));
    }
}

TEST_F(InstallerTest, DesktopEntriesValidateAndShowTheInstalledIcon) {
    ASSERT_EQ(0, RunInstaller({}, payload));
    for (const QString& folder : {KnownFolders::ApplicationsMenu(), KnownFolders::Desktop()}) {
        const QString entry = folder + "/ZeltaIII.desktop";
        SCOPED_TRACE(entry.toStdString());
        const QStringList lines = QString::fromUtf8(ReadAll(entry)).split('\n');
        const QStringList icons = lines.filter(QRegularExpression("^Icon="));
        ASSERT_EQ(1, icons.size());
        const QString icon = icons[0].mid(5);
        EXPECT_TRUE(QDir::isAbsolutePath(icon));
        EXPECT_FALSE(QImage(icon).isNull());
        QProcess validate;
        validate.setProcessChannelMode(QProcess::MergedChannels);
        validate.start("desktop-file-validate", {entry});
        ASSERT_TRUE(validate.waitForFinished(30000)) << "desktop-file-validate is missing";
        EXPECT_EQ(QProcess::NormalExit, validate.exitStatus());
        // The design's description equals the name, which the validator only remarks on.
        const std::string output = validate.readAll().toStdString();
        EXPECT_EQ(0, validate.exitCode()) << output;
        EXPECT_EQ(std::string::npos, output.find("error")) << output;
    }
}

TEST_F(InstallerTest, ShortcutsFollowTheirCheckBoxes) {
    ui.desktop = false;
    ASSERT_EQ(0, RunInstaller({}, payload));
    EXPECT_TRUE(QFileInfo::exists(KnownFolders::ApplicationsMenu() + "/ZeltaIII.desktop"));
    EXPECT_FALSE(QFileInfo::exists(KnownFolders::Desktop() + "/ZeltaIII.desktop"));

    // Without a desktop folder the desktop's shortcut is skipped without a word.
    QDir(KnownFolders::Desktop()).removeRecursively();
    QDir(KnownFolders::ApplicationsMenu()).removeRecursively();
    ui.desktop = true;
    ui.messages.clear();
    ASSERT_EQ(0, RunInstaller({}, payload));
    EXPECT_EQ(QStringList{"Installation is completed"}, ui.messages);
    EXPECT_FALSE(QFileInfo::exists(KnownFolders::Desktop()));
    EXPECT_TRUE(QFileInfo::exists(KnownFolders::ApplicationsMenu() + "/ZeltaIII.desktop"));
}

TEST_F(InstallerTest, CancellingTheQuestionOrTheDialogInstallsNothing) {
    ui.confirm = false;
    EXPECT_NE(0, RunInstaller({}, payload));
    EXPECT_EQ(0, ui.dialogs);

    ui.confirm = true;
    ui.acceptDialog = false;
    EXPECT_NE(0, RunInstaller({}, payload));
    EXPECT_EQ(1, ui.dialogs);

    EXPECT_FALSE(QFileInfo::exists(destination));
    EXPECT_EQ("<none>", RegValue(kKey, "UninstallPath"));
    EXPECT_TRUE(ui.messages.isEmpty());
}

TEST_F(InstallerTest, UpdateWaitsForTheClosingProgramThenStartsIt) {
    QDir().mkpath(destination);
    // The program is still closing: it lets go of its mutex after 700 ms.
    MutexHolder program(CNamedMutex::LockPath(ProductFiles::kApplicationMutex), 700, true);
    ASSERT_TRUE(program.Held());

    CInstallerApp::Options options;
    options.currentFolder = destination + "/";
    ASSERT_EQ(0, RunInstaller({"/U"}, payload, options));

    EXPECT_TRUE(ui.questions.isEmpty());
    EXPECT_EQ(0, ui.dialogs);
    EXPECT_TRUE(ui.messages.isEmpty());
    EXPECT_EQ(QStringList{"Copying files"}, ui.statuses);
    EXPECT_EQ(kSixFiles, Written());
    EXPECT_FALSE(QFileInfo::exists(KnownFolders::ApplicationsMenu() + "/ZeltaIII.desktop"));
    EXPECT_FALSE(QFileInfo::exists(KnownFolders::Desktop() + "/ZeltaIII.desktop"));
    EXPECT_EQ(destination, RegValue(kKey, "UninstallPath"));

    EXPECT_EQ(1, launch.count);
    EXPECT_EQ(destination + "/ZeltaIII", launch.program);
    EXPECT_TRUE(launch.arguments.isEmpty());
    EXPECT_EQ(destination, launch.folder);
    EXPECT_TRUE(launch.mutexFree);
}

TEST_F(InstallerTest, ARunningProgramStopsTheInstaller) {
    MutexHolder program(CNamedMutex::LockPath(ProductFiles::kApplicationMutex), 60000, true);
    ASSERT_TRUE(program.Held());
    int waits = 0;
    CInstallerApp::Options options;
    options.currentFolder = destination;
    options.wait = [&waits](int ms) {
        EXPECT_EQ(500, ms);
        ++waits;
    };

    // An update gives up after its eleven further attempts; an interactive run asks once.
    EXPECT_NE(0, RunInstaller({"/u"}, payload, options));
    EXPECT_EQ(11, waits);
    waits = 0;
    EXPECT_NE(0, RunInstaller({}, payload, options));
    EXPECT_EQ(0, waits);

    EXPECT_EQ((QStringList{"Please close all running instances of Zelta",
                           "Please close all running instances of Zelta"}),
              ui.messages);
    EXPECT_FALSE(QFileInfo::exists(destination));
    EXPECT_EQ(0, launch.count);
}

// Two copies of the program, started one after the other: the update waits for the last one.
TEST_F(InstallerTest, UpdateWaitsUntilEveryRunningCopyHasEnded) {
    QDir().mkpath(destination);
    const std::string lock = CNamedMutex::LockPath(ProductFiles::kApplicationMutex);
    MutexHolder first(lock, 60000, true);
    MutexHolder second(lock, 60000, true);
    ASSERT_TRUE(first.Held());
    ASSERT_TRUE(second.Held());
    first.Release();
    int waits = 0;
    CInstallerApp::Options options;
    options.currentFolder = destination;
    options.wait = [&waits](int) { ++waits; };
    EXPECT_NE(0, RunInstaller({"/U"}, payload, options));
    EXPECT_EQ(11, waits);
    EXPECT_EQ(QStringList{"Please close all running instances of Zelta"}, ui.messages);
    EXPECT_EQ(0, launch.count);

    second.Release();
    ui.messages.clear();
    EXPECT_EQ(0, RunInstaller({"/U"}, payload, options));
    EXPECT_TRUE(ui.messages.isEmpty());
    EXPECT_EQ(1, launch.count);
}

TEST_F(InstallerTest, ASecondInstallerIsRefused) {
    MutexHolder first(CNamedMutex::LockPath(ProductFiles::kInstallerMutex), 60000);
    ASSERT_TRUE(first.Held());
    EXPECT_NE(0, RunInstaller({}, payload));
    EXPECT_EQ(QStringList{"Installation program is already running"}, ui.messages);
    EXPECT_TRUE(ui.questions.isEmpty());
}

TEST_F(InstallerTest, AMissingOrEmptyPayloadFileIsACorruptedInstaller) {
    for (int id : {138, 136}) {
        FakePayload broken;
        if (id == 138)
            broken.files.erase(id);
        else
            broken.files[id].clear();
        ui.messages.clear();
        EXPECT_NE(0, RunInstaller({}, broken)) << id;
        EXPECT_EQ(QStringList{"Installation file is corrupted"}, ui.messages) << id;
    }
    EXPECT_TRUE(ui.questions.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(destination));
}

TEST_F(InstallerTest, EveryMissingFolderOfTheDestinationIsCreated) {
    ui.destination = base + "/missing/deeper/ZeltaIII";
    destination = ui.destination;
    ASSERT_EQ(0, RunInstaller({}, payload));
    EXPECT_EQ(kSixFiles, Written());

    // A destination under a file cannot be made: the first file fails.
    QFile blocker(base + "/file");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QFile::remove(Registry::StorePath());
    ui.messages.clear();
    ui.progress = 0;
    ui.destination = base + "/file/ZeltaIII";
    EXPECT_NE(0, RunInstaller({}, payload));
    EXPECT_EQ(QStringList{"Cannot copy files to the destination directory"}, ui.messages);
    EXPECT_EQ(0, ui.progress);
    EXPECT_FALSE(ui.progressOpen);
    EXPECT_EQ("<none>", RegValue(kKey, "UninstallPath"));
}

// A normal user on a fresh account: HOME is an empty folder, and the offered default
// destination (~/.local/opt/ZeltaIII) has none of its folders yet. Run as that user in a child
// process, so the test also holds when it runs as root.
TEST_F(InstallerTest, ANewUserInstallsToTheOfferedDefault) {
    // Outside the test's private home, so that the other user can reach it.
    char pattern[] = "/tmp/zelta-fresh-home-XXXXXX";
    ASSERT_NE(nullptr, mkdtemp(pattern));
    const QString home = QFile::decodeName(pattern);
    const uid_t user = geteuid() == 0 ? 65534 : geteuid(); // "nobody" stands in for root
    ASSERT_EQ(0, chown(QFile::encodeName(home).constData(), user, user));
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        if (geteuid() == 0 && (setgid(user) != 0 || setuid(user) != 0))
            _exit(10);
        const QByteArray h = QFile::encodeName(home);
        // A machine whose folders above /tmp are closed to other users (a chroot made under
        // a private folder) cannot host this user at all.
        if (access(h.constData(), R_OK | W_OK | X_OK) != 0)
            _exit(14);
        setenv("HOME", h.constData(), 1);
        setenv("TMPDIR", h.constData(), 1);
        for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME",
                                 "XDG_RUNTIME_DIR", "XDG_DESKTOP_DIR"})
            unsetenv(name);
        ScriptedUi fresh;
        fresh.acceptDialog = false; // only look at the offer
        {
            CInstallerApp look(payload, fresh, {});
            look.Run({});
        }
        const QString expected = home + "/.local/opt/ZeltaIII";
        if (fresh.offered != expected) {
            fprintf(stderr, "offered \"%s\", shown: %s\n", qPrintable(fresh.offered),
                    qPrintable(fresh.messages.join("; ")));
            _exit(11);
        }
        fresh.acceptDialog = true;
        fresh.destination = fresh.offered;
        CInstallerApp install(payload, fresh, {});
        if (install.Run({}) != 0) {
            fprintf(stderr, "installer said: %s\n", qPrintable(fresh.messages.join("; ")));
            _exit(12);
        }
        const QStringList files = QDir(expected).entryList(QDir::Files, QDir::Name);
        _exit(files == kSixFiles ? 0 : 13);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    QDir(home).removeRecursively();
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 14)
        GTEST_SKIP() << "another user cannot reach " << home.toStdString() << " on this machine";
    EXPECT_EQ(0, WEXITSTATUS(status)) << "10: no user switch, 11: another offer, "
                                         "12: the installation failed, 13: files missing";
}

TEST_F(InstallerTest, AFailedWriteKeepsTheFilesBeforeItAndLeavesNoPartOfItsOwn) {
    // The program's name is taken by a folder: the second file cannot be written.
    QDir().mkpath(destination + "/ZeltaIII/inside");
    EXPECT_NE(0, RunInstaller({}, payload));
    EXPECT_EQ(QStringList{"Cannot copy files to the destination directory"}, ui.messages);
    EXPECT_EQ(QStringList{"Uninstall"}, Written());
    EXPECT_TRUE(QFileInfo(destination + "/ZeltaIII/inside").isDir());
    EXPECT_EQ(24, ui.progress);
}

TEST_F(InstallerTest, AnUnwritableRegistryFailsAfterTheFiles) {
    // A folder where the registry file belongs cannot be replaced by a file.
    QDir().mkpath(Registry::StorePath() + "/blocked");
    EXPECT_NE(0, RunInstaller({}, payload));
    EXPECT_EQ(QStringList{"Cannot create registry key, installation failed"}, ui.messages);
    EXPECT_EQ(kSixFiles, Written());
    EXPECT_FALSE(ui.progressOpen);
    QDir(Registry::StorePath()).removeRecursively();
}

TEST_F(InstallerTest, RemovesThePreviousGeneration) {
    QString old = base + "/ZeltaII";
    QDir().mkpath(old);
    const QStringList oldFiles = {"ZeltaII.srv", "Cap.vorn",  "Vorncap.lib", "libZeltaII.so",
                                  "ZeltaII",     "Uninstall", "ZeltaII.ini"};
    for (const QString& name : oldFiles) {
        QFile file(old + "/" + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const QString oldKey = QLatin1String(ProductFiles::kOldUninstallKey);
    ASSERT_EQ(Registry::kOk, Registry::SetRegValue(oldKey, "UninstallPath", old));
    QDir().mkpath(KnownFolders::ApplicationsMenu());
    for (const QString& folder : {KnownFolders::ApplicationsMenu(), KnownFolders::Desktop()}) {
        QFile entry(folder + "/ZeltaII.desktop");
        ASSERT_TRUE(entry.open(QIODevice::WriteOnly));
    }
    QString trash = QString::fromStdString(TestHome()) + "/data/Trash/files/ZeltaII.desktop";
    QFile::remove(trash);

    ASSERT_EQ(0, RunInstaller({}, payload));

    EXPECT_FALSE(QFileInfo::exists(old));
    EXPECT_EQ("<none>", RegValue(oldKey, "UninstallPath"));
    EXPECT_FALSE(QFileInfo::exists(KnownFolders::ApplicationsMenu() + "/ZeltaII.desktop"));
    EXPECT_FALSE(QFileInfo::exists(KnownFolders::Desktop() + "/ZeltaII.desktop"));
    EXPECT_TRUE(QFileInfo::exists(trash)); // the desktop's entry goes to the trash
    EXPECT_EQ(kSixFiles, Written());
}

TEST_F(InstallerTest, PreviousGenerationKeepsUserFilesAndUnsafeRecordsAreIgnored) {
    const QString oldKey = QLatin1String(ProductFiles::kOldUninstallKey);
    // A folder with a file of the user's: the product's files go, the folder stays.
    QString old = base + "/ZeltaII";
    QDir().mkpath(old);
    // Names that differ from the product's only in case are the user's.
    for (const char* name : {"ZeltaII", "Cap.vorn", "CAP.VORN", "zeltaii.ini", "notes.txt"}) {
        QFile file(old + "/" + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    ASSERT_EQ(Registry::kOk, Registry::SetRegValue(oldKey, "UninstallPath", old));
    ASSERT_EQ(0, RunInstaller({}, payload));
    EXPECT_EQ((QStringList{"CAP.VORN", "notes.txt", "zeltaii.ini"}),
              QDir(old).entryList(QDir::Files, QDir::Name));

    // An empty or relative folder names no installation: nothing is deleted, the key stays.
    {
        QFile ini(old + "/ZeltaII.ini");
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    }
    QString current = QDir::currentPath();
    QDir::setCurrent(base); // "ZeltaII" would be read as the folder above
    for (const QString& path : {QString(""), QString("ZeltaII")}) {
        ASSERT_EQ(Registry::kOk, Registry::SetRegValue(oldKey, "UninstallPath", path));
        EXPECT_EQ(0, RunInstaller({}, payload));
        EXPECT_EQ(path, RegValue(oldKey, "UninstallPath"));
    }
    QDir::setCurrent(current);
    EXPECT_EQ((QStringList{"CAP.VORN", "ZeltaII.ini", "notes.txt", "zeltaii.ini"}),
              QDir(old).entryList(QDir::Files, QDir::Name));
}

TEST(EmbeddedPayload, CarriesTheBuiltDeliverablesAndTheProductFiles) {
    CEmbeddedPayload embedded;
    const QString bin = QStringLiteral(ZELTA_BINARY_DIR) + "/bin/";
    const QString product = QStringLiteral(ZELTA_SOURCE_DIR) + "/product/";
    const std::pair<int, QString> expected[] = {
        {132, bin + "Uninstall"},       {131, bin + "ZeltaIII"},        {137, bin + "ZeltaIII"},
        {138, bin + "libZeltaIII.so"},  {129, product + "vorncap.lib"}, {130, product + "cap.vorn"},
        {136, product + "ZeltaIII.srv"}};
    for (const auto& [id, path] : expected) {
        QByteArray bytes = embedded.Find(id);
        ASSERT_FALSE(bytes.isEmpty()) << id;
        EXPECT_TRUE(bytes == ReadAll(path)) << id << " " << path.toStdString();
    }
    EXPECT_TRUE(embedded.Find(999).isEmpty());
    EXPECT_TRUE(embedded.Find(131).startsWith("\x7f"
                                              "ELF"));
}

} // namespace
