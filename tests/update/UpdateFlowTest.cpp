#include "UpdateFlow.h"
#include "EnglishStrings.h"
#include "InstallerSignature.h"
#include "LocalHttpServer.h"
#include "QtHttpClient.h"
#include "TestEnvironment.h"
#include "TestSigning.h"
#include "UpdateTestSupport.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const char* const kCheckFailedStart = "Update cannot be checked at the moment.";

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool Requested(const LocalHttpServer& server, const std::string& part) {
    const std::vector<std::string> requests = server.Requests();
    return std::any_of(requests.begin(), requests.end(), [&](const std::string& line) {
        return line.find(part) != std::string::npos;
    });
}

class UpdateFlowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.Start());
        folder = QString::fromStdString(MakeTempDir("update-flow"));
    }

    // ZeltaIII.srv with the two servers and their directories.
    void WriteServers(const QString& server1, const QString& dir1, const QString& server2,
                      const QString& dir2) {
        QFile file(folder + "/ZeltaIII.srv");
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QStringLiteral("[zelta]\r\n\r\nhttpserver=%1\r\nhttpdir=%2\r\nhttpserver2=%3\r\n"
                                  "httpdir2=%4\r\n")
                       .arg(server1, dir1, server2, dir2)
                       .toUtf8());
    }

    // Serves a version text and a signed installer under `dir`.
    QByteArray Offer(const std::string& dir, const QByteArray& version, int installerSize = 30000) {
        const QByteArray installer = FakeInstaller(installerSize);
        server.Serve("/" + dir + "/zelta.txt", version);
        server.Serve("/" + dir + "/zelta.exe", installer);
        server.Serve("/" + dir + "/zelta.sig", SignData(keys.privatePem, installer));
        return installer;
    }

    UpdateOutcome Run() { return Run(ui); }
    UpdateOutcome Run(ScriptedUpdateUi& scripted) {
        return RunUpdate(folder, http, scripted, &strings, keys.publicPem);
    }

    TestKeyPair keys = MakeTestKeyPair();
    EnglishStrings strings;
    LocalHttpServer server;
    CQtHttpClient http{kTestHttpTimeoutMs};
    ScriptedUpdateUi ui;
    QString folder;
};

TEST_F(UpdateFlowTest, FirstServerDownSecondOffersANewerVersion) {
    const QString down = QStringLiteral("127.0.0.1:%1").arg(LocalHttpServer::ClosedPort());
    WriteServers(down, "One", server.Address(), "Two");
    const QByteArray installer = Offer("Two", "2.9");
    QFile stale(folder + "/Installer");
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write("left over from an earlier update");
    stale.close();

    EXPECT_EQ(Run(), UpdateOutcome::Handed);
    EXPECT_EQ(ui.checks, 2);
    ASSERT_EQ(ui.questions.size(), 1);
    EXPECT_EQ(ui.questions[0], "The new version (2.9) of ZeltaIII is now available.\nDo you "
                               "want to download and install it now?");
    EXPECT_TRUE(ui.messages.isEmpty());
    const QString local = folder + "/Installer";
    EXPECT_EQ(ReadFile(local), installer);
    EXPECT_TRUE(QFileInfo(local).isExecutable());
    ASSERT_EQ(ui.started.size(), 1u);
    EXPECT_EQ(ui.started[0].program, local);
    EXPECT_EQ(ui.started[0].arguments, QStringList{"/U"});
    EXPECT_EQ(ui.started[0].folder, folder);
    EXPECT_EQ(ui.closeRequests, 1);
}

TEST_F(UpdateFlowTest, VersionDecidesAndTheHigherServerWins) {
    struct Case {
        const char* name;
        QByteArray version1;
        QByteArray version2;
        UpdateOutcome outcome;
        const char* question;   // the version shown, when asked
        const char* fetchedDir; // where the installer came from
    } const cases[] = {
        {"below", "2.0", "1.5", UpdateOutcome::NotAvailable, nullptr, nullptr},
        {"at the threshold", "2.8", "2.8", UpdateOutcome::NotAvailable, nullptr, nullptr},
        {"just above", "2.81", "2.5", UpdateOutcome::Handed, "(2.8)", "One"},
        {"second higher", "2.9", "3.2", UpdateOutcome::Handed, "(3.2)", "Two"},
        {"tie", "3.0", "3.0", UpdateOutcome::Handed, "(3.0)", "One"},
    };
    WriteServers(server.Address(), "One", server.Address(), "Two");
    for (const Case& c : cases) {
        ScriptedUpdateUi fresh;
        const QByteArray installer1 = Offer("One", c.version1, 20000);
        const QByteArray installer2 = Offer("Two", c.version2, 21000);
        EXPECT_EQ(Run(fresh), c.outcome) << c.name;
        if (c.question == nullptr) {
            EXPECT_EQ(fresh.messages, QStringList{"New version is not available"}) << c.name;
            EXPECT_TRUE(fresh.questions.isEmpty()) << c.name;
            continue;
        }
        ASSERT_EQ(fresh.questions.size(), 1) << c.name;
        EXPECT_TRUE(fresh.questions[0].contains(c.question)) << fresh.questions[0].toStdString();
        EXPECT_EQ(ReadFile(folder + "/Installer"),
                  std::string(c.fetchedDir) == "One" ? installer1 : installer2)
            << c.name;
    }
}

TEST_F(UpdateFlowTest, BothChecksFailingTellsTheUser) {
    WriteServers(server.Address(), "One", server.Address(), "Two");
    Offer("One", "not a number");
    server.Serve("/Two/zelta.txt", QByteArray("3.5"));
    server.Serve("/Two/zelta.exe", QByteArray("MZ") + QByteArray(1000, '\0'));
    EXPECT_EQ(Run(), UpdateOutcome::CheckFailed);
    ASSERT_EQ(ui.messages.size(), 1);
    EXPECT_TRUE(ui.messages[0].startsWith(kCheckFailedStart));
    EXPECT_TRUE(ui.questions.isEmpty());
    EXPECT_FALSE(QFile::exists(folder + "/Installer"));
}

TEST_F(UpdateFlowTest, CancelAndRefusalHaveNoEffect) {
    WriteServers(server.Address(), "One", server.Address(), "One");
    Offer("One", "2.9");

    ui.confirmProxy = false;
    EXPECT_EQ(Run(), UpdateOutcome::ProxyCancelled);
    EXPECT_FALSE(QFile::exists(folder + "/ZeltaIII.ini"));
    EXPECT_TRUE(server.Requests().empty());

    ScriptedUpdateUi declining;
    declining.answerYes = false;
    EXPECT_EQ(Run(declining), UpdateOutcome::Declined);
    EXPECT_FALSE(QFile::exists(folder + "/Installer"));
    EXPECT_TRUE(declining.started.empty());
    EXPECT_EQ(declining.closeRequests, 0);
    EXPECT_TRUE(declining.messages.isEmpty());
}

TEST_F(UpdateFlowTest, DownloadProblemsKeepTheProgramOpen) {
    WriteServers(server.Address(), "One", server.Address(), "One");
    Offer("One", "2.9");

    ScriptedUpdateUi cancelling;
    cancelling.monitor.cancelAfter = 0;
    EXPECT_EQ(Run(cancelling), UpdateOutcome::DownloadCancelled);
    EXPECT_TRUE(cancelling.messages.isEmpty());
    EXPECT_EQ(cancelling.closeRequests, 0);

    // The installer vanishes between the check and the download.
    ScriptedUpdateUi failing;
    failing.onQuestion = [this] {
        LocalHttpServer::Route gone;
        gone.status = 404;
        gone.body = "gone";
        server.Serve("/One/zelta.exe", gone);
    };
    EXPECT_EQ(Run(failing), UpdateOutcome::DownloadFailed);
    EXPECT_EQ(failing.messages, QStringList{"An error occured while downloading installation"});
    EXPECT_TRUE(failing.started.empty());

    // An installer that cannot be started must not close the program.
    Offer("One", "2.9");
    ScriptedUpdateUi unstartable;
    unstartable.startSucceeds = false;
    EXPECT_EQ(Run(unstartable), UpdateOutcome::StartFailed);
    EXPECT_EQ(unstartable.closeRequests, 0);
    EXPECT_EQ(unstartable.messages.size(), 1);
}

TEST_F(UpdateFlowTest, ProxySettingsAreSavedAndUsed) {
    // The update host does not exist: only the proxy, our local server, is ever contacted.
    WriteServers("updates.invalid", "ZeltaApps/Zelta", "updates.invalid", "ZeltaApps/Zelta");
    Offer("ZeltaApps/Zelta", "2.9");
    ui.editProxy = [this](ProxySettings& settings) {
        settings.useProxy = 1;
        settings.proxyName = "127.0.0.1";
        settings.proxyPort = server.Port();
    };
    EXPECT_EQ(Run(), UpdateOutcome::Handed);
    EXPECT_TRUE(Requested(server, "GET http://updates.invalid/ZeltaApps/Zelta/zelta.txt"));
    EXPECT_TRUE(Requested(server, "GET http://updates.invalid/ZeltaApps/Zelta/zelta.exe"));

    // The next run shows what was confirmed.
    ScriptedUpdateUi again;
    again.confirmProxy = false;
    Run(again);
    EXPECT_EQ(again.shownProxy.useProxy, 1);
    EXPECT_EQ(again.shownProxy.proxyName, "127.0.0.1");
    EXPECT_EQ(again.shownProxy.proxyPort, server.Port());
}

TEST_F(UpdateFlowTest, UnsavedPasswordIsStillUsedForThisRun) {
    WriteServers(server.Address(), "Private", server.Address(), "Private");
    const QByteArray installer = FakeInstaller(9000);
    for (const auto& [file, body] :
         {std::pair<std::string, QByteArray>{"/Private/zelta.txt", QByteArray("2.9")},
          {"/Private/zelta.exe", installer},
          {"/Private/zelta.sig", SignData(keys.privatePem, installer)}}) {
        LocalHttpServer::Route route;
        route.body = body;
        route.credentials = "anna:s3cret";
        server.Serve(file, route);
    }
    ui.editProxy = [](ProxySettings& settings) {
        settings.userName = "anna";
        settings.password = "s3cret";
        settings.savePassword = 0;
    };
    EXPECT_EQ(Run(), UpdateOutcome::Handed);
    EXPECT_EQ(ReadFile(folder + "/Installer").size(), 9000);
    const ProxySettings saved = ReadProxySettings(folder + "/ZeltaIII.ini");
    EXPECT_EQ(saved.userName, "anna");
    EXPECT_TRUE(saved.password.isEmpty());

    // Without the password the server refuses, and both checks fail.
    ScriptedUpdateUi forgetful;
    EXPECT_EQ(Run(forgetful), UpdateOutcome::CheckFailed);
}

// The check sees the real installer; what the download then delivers decides. Only the maker's
// complete, signed installer is ever started.
TEST_F(UpdateFlowTest, OnlyACompleteSignedInstallerStarts) {
    WriteServers(server.Address(), "One", server.Address(), "One");
    const QByteArray installer = FakeInstaller(30000);
    const QByteArray signature = SignData(keys.privatePem, installer);
    const QByteArray script = "#!/bin/sh\nrm -rf \"$HOME\"\n" + QByteArray(300, '#');
    LocalHttpServer::Route missing;
    missing.status = 404;
    missing.body = "gone";
    LocalHttpServer::Route truncated;
    truncated.body = installer.left(20000); // announced with its own, shorter length
    struct Case {
        const char* name;
        LocalHttpServer::Route download;
        LocalHttpServer::Route signature;
        bool makersKeyOnly; // the program's own trust: the maker's key alone
        UpdateOutcome outcome;
    };
    auto body = [](const QByteArray& bytes) {
        LocalHttpServer::Route route;
        route.body = bytes;
        return route;
    };
    const Case cases[] = {
        {"a shell script", body(script), body(SignData(keys.privatePem, script)), false,
         UpdateOutcome::DownloadFailed},
        {"a truncated installer", truncated, body(signature), false, UpdateOutcome::DownloadFailed},
        {"a wrong signature", body(installer),
         body(SignData(MakeTestKeyPair().privatePem, installer)), false,
         UpdateOutcome::DownloadFailed},
        {"a missing signature", body(installer), missing, false, UpdateOutcome::DownloadFailed},
        {"signed by a key other than the maker's", body(installer), body(signature), true,
         UpdateOutcome::DownloadFailed},
        {"the signed installer", body(installer), body(signature), false, UpdateOutcome::Handed},
    };
    for (const Case& c : cases) {
        server.Serve("/One/zelta.txt", QByteArray("2.9"));
        server.Serve("/One/zelta.exe", installer);
        server.Serve("/One/zelta.sig", c.signature);
        ScriptedUpdateUi attacked;
        attacked.onQuestion = [&] { server.Serve("/One/zelta.exe", c.download); };
        const UpdateOutcome outcome =
            c.makersKeyOnly ? RunUpdate(folder, http, attacked, &strings, MakerPublicKey())
                            : Run(attacked);
        EXPECT_EQ(outcome, c.outcome) << c.name;
        if (c.outcome == UpdateOutcome::Handed) {
            ASSERT_EQ(attacked.started.size(), 1u) << c.name;
            EXPECT_EQ(ReadFile(folder + "/Installer"), installer);
            EXPECT_EQ(attacked.closeRequests, 1);
            continue;
        }
        EXPECT_TRUE(attacked.started.empty()) << c.name;
        EXPECT_EQ(attacked.closeRequests, 0) << c.name;
        EXPECT_EQ(attacked.messages, QStringList{"An error occured while downloading installation"})
            << c.name;
        EXPECT_FALSE(QFile::exists(folder + "/Installer")) << c.name;
    }
}

TEST_F(UpdateFlowTest, ACancelledCheckEndsTheUpdate) {
    WriteServers(server.Address(), "One", server.Address(), "One");
    Offer("One", "2.9");
    ui.cancelCheck = true;
    EXPECT_EQ(Run(), UpdateOutcome::CheckCancelled);
    EXPECT_EQ(ui.checks, 1);
    EXPECT_TRUE(ui.messages.isEmpty());
    EXPECT_TRUE(ui.questions.isEmpty());
}

TEST_F(UpdateFlowTest, NoFolderDoesNothing) {
    EXPECT_EQ(RunUpdate(QString(), http, ui, &strings, keys.publicPem), UpdateOutcome::NoFolder);
    EXPECT_EQ(ui.checks, 0);
    EXPECT_TRUE(ui.messages.isEmpty());
}

} // namespace

TEST(UpdateText, ComesFromTheTableAndIsEmptyWithoutOne) {
    const EnglishStrings strings;
    EXPECT_EQ(UpdateText(&strings, kIdsNoNewVersion),
              QStringLiteral("New version is not available"));
    EXPECT_TRUE(UpdateText(nullptr, kIdsNoNewVersion).isEmpty());
    EXPECT_TRUE(UpdateText(&strings, -1).isEmpty());
}
