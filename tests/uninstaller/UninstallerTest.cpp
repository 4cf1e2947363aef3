#include "CInstallerApp.h"
#include "CUninstallerApp.h"
#include "KnownFolders.h"
#include "NamedMutex.h"
#include "ProductFiles.h"
#include "Registry.h"
#include "SetupFiles.h"
#include "SetupTestSupport.h"
#include "TestEnvironment.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

class SilentInstallerUi : public IInstallerUi {
public:
    void Message(const QString& text, Icon) override { messages << text; }
    bool Confirm(const QString&) override { return true; }
    bool RunInstallDialog(InstallChoice& choice) override {
        choice.destination = destination;
        return true;
    }
    void OpenProgress() override {}
    void SetProgressStatus(const QString&) override {}
    void AdvanceProgress(int) override {}
    void CloseProgress() override {}
    QString destination;
    QStringList messages;
};

class ScriptedUi : public IUninstallerUi {
public:
    void Message(const QString& text) override { messages << text; }
    bool Confirm(const QString& text) override {
        questions << text;
        return confirm;
    }
    bool confirm = true;
    QStringList messages;
    QStringList questions;
};

const QString kKey = QLatin1String(ProductFiles::kUninstallKey);

class UninstallerTest : public ::testing::Test {
protected:
    void SetUp() override {
        QFile::remove(Registry::StorePath());
        QDir(KnownFolders::ApplicationsMenu()).removeRecursively();
        QDir(KnownFolders::Desktop()).removeRecursively();
        QDir().mkpath(KnownFolders::Desktop());
        trash = QString::fromStdString(TestHome()) + "/data/Trash";
        QDir(trash).removeRecursively();
        base = QString::fromStdString(MakeTempDir("uninstall"));
        temp = base + "/tmp";
        QDir().mkpath(temp);
        folder = base + "/My Programs/ZeltaIII";
        QDir().mkpath(base + "/My Programs");
    }

    // A real installation of small files, with both shortcuts and a downloaded installer.
    void Install() {
        SilentInstallerUi ui;
        ui.destination = folder;
        CInstallerApp installer(payload, ui, {});
        ASSERT_EQ(0, installer.Run({}));
        for (const char* name : {"Installer", "ZeltaIII.ini"}) {
            QFile file(folder + "/" + name);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
    }

    int FirstPass() {
        CUninstallerApp::Options options;
        options.tempFolder = temp;
        options.programFile = folder + "/Uninstall";
        options.workingFolder = folder;
        options.launch = [this](const QString& program, const QStringList& arguments,
                                const QString& working) {
            launched = program;
            launchArguments = arguments;
            launchFolder = working;
            return true;
        };
        CUninstallerApp first(ui, options);
        return first.Run({});
    }

    int SecondPass(const QStringList& arguments, int* waited = nullptr) {
        CUninstallerApp::Options options;
        options.tempFolder = temp;
        options.programFile = launched;
        options.workingFolder = launchFolder;
        options.wait = [waited](int ms) {
            if (waited != nullptr)
                *waited = ms;
        };
        CUninstallerApp second(ui, options);
        return second.Run(arguments);
    }

    QStringList Left() const { return QDir(folder).entryList(QDir::Files, QDir::Name); }

    FakePayload payload;
    ScriptedUi ui;
    QString base, temp, folder, trash;
    QString launched, launchFolder;
    QStringList launchArguments;
};

TEST_F(UninstallerTest, TwoPassesRemoveEverythingTheInstallerMade) {
    Install();
    ASSERT_TRUE(QFileInfo::exists(KnownFolders::Desktop() + "/ZeltaIII.desktop"));

    ASSERT_EQ(0, FirstPass());
    EXPECT_EQ(QStringList{"Are you sure you want to completely remove 'ZeltaIII' from your "
                          "computer?"},
              ui.questions);
    EXPECT_TRUE(ui.messages.isEmpty());
    // Only the uninstaller is left for the second pass.
    EXPECT_EQ(QStringList{"Uninstall"}, Left());
    EXPECT_FALSE(QFileInfo::exists(KnownFolders::ApplicationsMenu() + "/ZeltaIII.desktop"));
    EXPECT_FALSE(QFileInfo::exists(KnownFolders::Desktop() + "/ZeltaIII.desktop"));
    EXPECT_TRUE(QFileInfo::exists(trash + "/files/ZeltaIII.desktop"));
    QString text;
    EXPECT_EQ(Registry::kNotFound, Registry::QueryRegValue(kKey, "UninstallPath", &text));
    // The registry held nothing else: its file and folder go; so does the entries' icon.
    EXPECT_FALSE(QFileInfo::exists(Registry::StorePath()));
    EXPECT_FALSE(QFileInfo::exists(QFileInfo(Registry::StorePath()).absolutePath()));
    EXPECT_FALSE(QFileInfo::exists(ProgramIconPath()));

    // The copy runs from a private folder in the temporary folder, given the installation.
    QFileInfo copy(launched);
    EXPECT_EQ(temp, QFileInfo(copy.absolutePath()).absolutePath());
    EXPECT_EQ(copy.absolutePath(), launchFolder);
    EXPECT_EQ("Uninstall", copy.fileName());
    EXPECT_TRUE(copy.isExecutable());
    EXPECT_EQ(payload.files[132], ReadAll(launched));
    EXPECT_EQ(QStringList{folder}, launchArguments);

    // The blank in "My Programs" split the command line; the second pass joins it again.
    int waited = 0;
    ASSERT_EQ(0, SecondPass(folder.split(' '), &waited));
    EXPECT_EQ(500, waited);
    EXPECT_EQ(QStringList{"The program has been successfully uninstalled"}, ui.messages);
    EXPECT_FALSE(QFileInfo::exists(folder));
    EXPECT_FALSE(QFileInfo::exists(launched));
    EXPECT_FALSE(QFileInfo::exists(launchFolder));
    EXPECT_TRUE(QFileInfo(temp).isDir());
}

TEST_F(UninstallerTest, UserFilesKeepTheFolder) {
    Install();
    // A user's own catalogue that differs from ours only in case, and notes.
    for (const char* name : {"CAP.VORN", "Notes.txt"}) {
        QFile file(folder + "/" + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("the user's own\n");
    }
    // Another program's key keeps the registry file.
    ASSERT_EQ(Registry::kOk, Registry::SetRegValue("SOFTWARE\\Other", "Name", "Other"));
    ASSERT_EQ(0, FirstPass());
    ASSERT_EQ(0, SecondPass({folder}));
    EXPECT_EQ((QStringList{"CAP.VORN", "Notes.txt"}), Left());
    EXPECT_EQ("the user's own\n", ReadAll(folder + "/CAP.VORN"));
    EXPECT_EQ(QStringList{"The program has been successfully uninstalled"}, ui.messages);
    QString text;
    EXPECT_EQ(Registry::kOk, Registry::QueryRegValue("SOFTWARE\\Other", "Name", &text));
    EXPECT_EQ(Registry::kNotFound, Registry::QueryRegValue(kKey, "UninstallPath", &text));
}

TEST_F(UninstallerTest, RefusalsRemoveNothing) {
    struct Case {
        const char* name;
        const char* message; // empty: no message
    };
    const Case cases[] = {
        {"not confirmed", ""},
        {"not registered", "Cannot locate the installed application"},
        {"temporary folder missing", "Cannot access the temporary directory"},
        {"program running", "Please close all running instances of the installed program"},
        {"installer running", "Please close all running instances of the installed program"},
        {"program file deleted by hand",
         "Please close all running instances of the installed program"},
    };
    for (const Case& c : cases) {
        SetUp();
        Install();
        const QString name = c.name;
        ui = ScriptedUi();
        ui.confirm = name != "not confirmed";
        if (name == "not registered")
            Registry::DeleteRegKey(kKey);
        if (name == "temporary folder missing")
            temp = base + "/no such folder";
        if (name == "program file deleted by hand")
            QFile::remove(folder + "/ZeltaIII");
        std::unique_ptr<MutexHolder> holder;
        if (name == "program running" || name == "installer running") {
            holder = std::make_unique<MutexHolder>(
                CNamedMutex::LockPath(name == "program running" ? ProductFiles::kApplicationMutex
                                                                : ProductFiles::kInstallerMutex),
                60000, name == "program running");
            ASSERT_TRUE(holder->Held());
        }
        QStringList before = Left();

        EXPECT_NE(0, FirstPass()) << c.name;
        EXPECT_EQ(*c.message ? QStringList{c.message} : QStringList(), ui.messages) << c.name;
        EXPECT_EQ(before, Left()) << c.name;
        EXPECT_TRUE(launched.isEmpty()) << c.name;
        EXPECT_TRUE(QFileInfo::exists(KnownFolders::Desktop() + "/ZeltaIII.desktop")) << c.name;
        // No copy is left behind in the temporary folder.
        EXPECT_TRUE(QDir(temp).isEmpty()) << c.name;
        if (name != "not registered") {
            QString text;
            EXPECT_EQ(Registry::kOk, Registry::QueryRegValue(kKey, "UninstallPath", &text))
                << c.name;
        }
    }
}

TEST_F(UninstallerTest, ARunningProgramFileCannotBeOpenedForWriting) {
    QDir().mkpath(folder);
    EXPECT_EQ(-1, CheckNotRunning(folder, "ZeltaIII"));
    // A program that is running: this test binary itself.
    QFileInfo self(QCoreApplication::applicationFilePath());
    EXPECT_EQ(-1, CheckNotRunning(self.absolutePath(), self.fileName()));
    QFile file(folder + "/ZeltaIII");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_EQ(0, CheckNotRunning(folder, "ZeltaIII"));
}

TEST_F(UninstallerTest, SecondPassRemovesOnlyItsOwnCopy) {
    // Started by hand from a folder of the user's: it must not delete itself there.
    QDir().mkpath(folder);
    QString own = base + "/Uninstall";
    QFile file(own);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    launched = own;
    launchFolder = base;
    ASSERT_EQ(0, SecondPass({folder}));
    EXPECT_TRUE(QFileInfo::exists(own));
    EXPECT_FALSE(QFileInfo::exists(folder));
}

} // namespace
