#include "UpdateLocations.h"
#include "EnglishStrings.h"
#include "InstallerSignature.h"
#include "LocalHttpServer.h"
#include "QtHttpClient.h"
#include "TestEnvironment.h"
#include "TestSigning.h"
#include "UpdateFlow.h"
#include "UpdateTestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

namespace {

void WriteServers(const QString& path, const QString& server, const QString& dir) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QStringLiteral("[zelta]\r\nhttpserver=%1\r\nhttpdir=%2\r\nhttpserver2=%1\r\n"
                              "httpdir2=%2\r\n")
                   .arg(server, dir)
                   .toUtf8());
}

TEST(UpdateLocations, TheDataFolderHoldsEverythingUnlessThePackageManagerOwnsIt) {
    const QString data = QString::fromStdString(MakeTempDir("locations-data"));
    const QString user = QString::fromStdString(MakeTempDir("locations-user")) + "/ZeltaIII";

    const UpdateLocations installed = ChooseUpdateLocations(data, user, false);
    EXPECT_EQ(installed.proxySettings, data + "/ZeltaIII.ini");
    EXPECT_EQ(installed.serverFiles, QStringList{data + "/ZeltaIII.srv"});
    EXPECT_EQ(installed.installerFolder, data);
    EXPECT_FALSE(installed.packageManaged);

    const UpdateLocations packaged = ChooseUpdateLocations(data, user, true);
    EXPECT_EQ(packaged.proxySettings, user + "/ZeltaIII.ini");
    EXPECT_EQ(packaged.serverFiles, (QStringList{user + "/ZeltaIII.srv", data + "/ZeltaIII.srv"}));
    EXPECT_TRUE(packaged.packageManaged);

    // A data folder that does not exist is nobody's to write.
    const UpdateLocations missing = ChooseUpdateLocations(data + "/gone", user, false);
    EXPECT_EQ(missing.proxySettings, user + "/ZeltaIII.ini");

    EXPECT_EQ(UserSettingsFolder("/home/ann/.config"), "/home/ann/.config/ZeltaIII");
    EXPECT_EQ(UserSettingsFolder("/home/ann/.config/"), "/home/ann/.config/ZeltaIII");
}

TEST(UpdateLocations, AReadOnlyDataFolderSendsTheProxySettingsToTheUser) {
    if (geteuid() == 0)
        GTEST_SKIP() << "root may write any folder; a read-only folder needs another user";
    const QString data = QString::fromStdString(MakeTempDir("locations-readonly"));
    ASSERT_TRUE(QFile::setPermissions(data, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    const UpdateLocations chosen = ChooseUpdateLocations(data, "/u/ZeltaIII", false);
    QFile::setPermissions(data,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(chosen.proxySettings, "/u/ZeltaIII/ZeltaIII.ini");
    EXPECT_FALSE(chosen.packageManaged);
}

TEST(UpdateLocations, ThePackageMarkerBesideTheProgramSaysWhoUpdatesIt) {
    const QString folder = QString::fromStdString(MakeTempDir("locations-marker"));
    EXPECT_FALSE(IsPackageManaged(folder));
    EXPECT_FALSE(IsPackageManaged(QString()));
    QDir(folder).mkdir(kPackageMarkerFile); // a folder of that name is no marker
    EXPECT_FALSE(IsPackageManaged(folder));
    QDir(folder).rmdir(kPackageMarkerFile);
    QFile marker(folder + "/" + kPackageMarkerFile);
    ASSERT_TRUE(marker.open(QIODevice::WriteOnly));
    marker.close();
    EXPECT_TRUE(IsPackageManaged(folder));
}

class PackagedUpdateTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.Start());
        data = QString::fromStdString(MakeTempDir("packaged-data"));
        user = QString::fromStdString(MakeTempDir("packaged-user")) + "/ZeltaIII";
        const QByteArray installer = FakeInstaller(30000);
        server.Serve("/Zelta/zelta.exe", installer);
        server.Serve("/Zelta/zelta.sig", SignData(keys.privatePem, installer));
        // The data folder's servers are unreachable: only the user's file leads to the server.
        WriteServers(data + "/ZeltaIII.srv",
                     QStringLiteral("127.0.0.1:%1").arg(LocalHttpServer::ClosedPort()), "Zelta");
    }

    UpdateOutcome Run() {
        return RunUpdate(ChooseUpdateLocations(data, user, true), http, ui, &strings,
                         keys.publicPem);
    }

    TestKeyPair keys = MakeTestKeyPair();
    EnglishStrings strings;
    LocalHttpServer server;
    CQtHttpClient http{kTestHttpTimeoutMs};
    ScriptedUpdateUi ui;
    QString data;
    QString user;
};

TEST_F(PackagedUpdateTest, ANewerVersionIsAnnouncedAndLeftToThePackageManager) {
    server.Serve("/Zelta/zelta.txt", "2.9");
    ui.editProxy = [](ProxySettings& s) { s.proxyName = "proxy.example"; };
    // Without the user's server file the data folder's is read.
    EXPECT_EQ(Run(), UpdateOutcome::CheckFailed);

    ASSERT_TRUE(QDir().mkpath(user));
    WriteServers(user + "/ZeltaIII.srv", server.Address(), "Zelta");
    ui.messages.clear();
    EXPECT_EQ(Run(), UpdateOutcome::PackageManaged);
    std::string announced = strings.GetString(kIdsUpdateByPackageManager);
    ASSERT_NE(announced.find("%.1f"), std::string::npos);
    announced.replace(announced.find("%.1f"), 4, "2.9");
    ASSERT_EQ(ui.messages.size(), 1);
    EXPECT_EQ(ui.messages[0].toStdString(), announced);
    EXPECT_TRUE(ui.questions.isEmpty());
    EXPECT_TRUE(ui.started.empty());
    EXPECT_EQ(ui.closeRequests, 0);
    EXPECT_FALSE(QFileInfo::exists(data + "/Installer"));
    EXPECT_FALSE(QFileInfo::exists(user + "/Installer"));
    // The proxy settings went to the user's folder; the data folder stays untouched.
    EXPECT_TRUE(QFileInfo(user + "/ZeltaIII.ini").isFile());
    EXPECT_FALSE(QFileInfo::exists(data + "/ZeltaIII.ini"));
    EXPECT_EQ(ReadProxySettings(user + "/ZeltaIII.ini").proxyName, "proxy.example");
}

TEST_F(PackagedUpdateTest, NoNewerVersionSaysSoAndTheFolderIsMadeForTheSettings) {
    server.Serve("/Zelta/zelta.txt", "2.8");
    WriteServers(data + "/ZeltaIII.srv", server.Address(), "Zelta");
    EXPECT_EQ(Run(), UpdateOutcome::NotAvailable);
    EXPECT_EQ(ui.messages, QStringList{"New version is not available"});
    EXPECT_TRUE(QFileInfo(user).isDir());
    EXPECT_EQ(QFileInfo(user).permissions() & (QFileDevice::ReadOther | QFileDevice::ReadGroup),
              QFileDevice::Permissions());
}

} // namespace
