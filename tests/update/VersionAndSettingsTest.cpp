#include "TestEnvironment.h"
#include "UpdateSettings.h"
#include "VersionCheck.h"

#include <QFile>
#include <QSettings>

#include <gtest/gtest.h>

#include <cstring>
#include <sys/stat.h>

namespace {

struct VersionCase {
    const char* text;
    bool readable;
    float version;
};

TEST(VersionText, ReadsTheLeadingNumberOnly) {
    const VersionCase cases[] = {
        {"2.9", true, 2.9f},
        {"  \t\r\n2.81 and more", true, 2.81f},
        {"3\r\n", true, 3.0f},
        {"+2.9", true, 2.9f},
        {"2,9", true, 2.0f}, // a decimal comma ends the number whatever the locale
        {"1e1", true, 10.0f},
        {"abc", false, 0.0f},
        {"", false, 0.0f},
        {"   ", false, 0.0f},
        {"<html>404</html>", false, 0.0f},
        {"nan", false, 0.0f},
        {"inf", false, 0.0f},
        {"-", false, 0.0f},
    };
    for (const VersionCase& c : cases) {
        float version = -1.0f;
        EXPECT_EQ(ParseVersionText(c.text, std::strlen(c.text), version), c.readable) << c.text;
        if (c.readable) {
            EXPECT_FLOAT_EQ(version, c.version) << c.text;
        } else {
            EXPECT_FLOAT_EQ(version, -1.0f) << "untouched on failure: " << c.text;
        }
    }
}

TEST(VersionText, StopsAtTheBufferEndAndAtAZeroByte) {
    const char text[] = {'2', '.', '9', '5'};
    float version = 0.0f;
    ASSERT_TRUE(ParseVersionText(text, 3, version));
    EXPECT_FLOAT_EQ(version, 2.9f);
    const char withZero[] = {'4', '\0', '5'};
    ASSERT_TRUE(ParseVersionText(withZero, sizeof withZero, version));
    EXPECT_FLOAT_EQ(version, 4.0f);
}

TEST(VersionDecision, ThresholdIsExclusiveInSinglePrecision) {
    float v = 0.0f;
    ASSERT_TRUE(ParseVersionText("2.8", 3, v));
    EXPECT_FALSE(IsNewerVersion(v));
    ASSERT_TRUE(ParseVersionText("2.81", 4, v));
    EXPECT_TRUE(IsNewerVersion(v));
    EXPECT_FALSE(IsNewerVersion(2.0f));
}

TEST(VersionDecision, ChoosesTheServer) {
    struct Case {
        int r1;
        float v1;
        int r2;
        float v2;
        int chosen;
    } const cases[] = {
        {1, 2.9f, 1, 3.1f, 2},                        // the higher version wins
        {1, 3.1f, 1, 2.9f, 1}, {1, 2.9f, 1, 2.9f, 1}, // a tie stays with the first server
        {0, 0.0f, 1, 2.9f, 2}, {1, 2.9f, 0, 9.0f, 1}, // a failed check's version does not count
        {0, 0.0f, 0, 0.0f, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ChooseServer(c.r1, c.v1, c.r2, c.v2), c.chosen)
            << c.r1 << " " << c.v1 << " " << c.r2 << " " << c.v2;
    }
}

TEST(VersionDecision, ObjectNamesAndSignature) {
    EXPECT_EQ(UpdateObjectName("ZeltaApps/Zelta", "zelta.txt"), "ZeltaApps/Zelta/zelta.txt");
    EXPECT_EQ(UpdateObjectName("ZeltaApps/Zelta/", "zelta.exe"), "ZeltaApps/Zelta//zelta.exe");
    EXPECT_TRUE(HasExecutableSignature("\x7f"
                                       "ELF\x02",
                                       5));
    EXPECT_FALSE(HasExecutableSignature("MZ\x90\x00", 4));
    EXPECT_FALSE(HasExecutableSignature("\x7f"
                                        "EL",
                                        3));
}

TEST(ProxySettingsFile, MissingFileGivesDefaults) {
    const QString dir = QString::fromStdString(MakeTempDir("proxy-defaults"));
    const ProxySettings read = ReadProxySettings(SettingsPath(dir, kProxySettingsFile));
    EXPECT_EQ(read.useProxy, 0);
    EXPECT_TRUE(read.proxyName.isEmpty());
    EXPECT_EQ(read.proxyPort, 0);
    EXPECT_TRUE(read.userName.isEmpty());
    EXPECT_TRUE(read.password.isEmpty());
    EXPECT_EQ(read.savePassword, 0);
}

TEST(ProxySettingsFile, RoundTripKeepsAwkwardTextsAndIsOwnerOnlyWithAPassword) {
    const QString dir = QString::fromStdString(MakeTempDir("proxy-roundtrip"));
    const QString path = SettingsPath(dir + "/", kProxySettingsFile);
    EXPECT_EQ(path, dir + "/ZeltaIII.ini");
    ProxySettings written;
    written.useProxy = 1;
    written.proxyName = QStringLiteral("proxy, inner; \"quoted\" %20 = x");
    written.proxyPort = 8080;
    written.userName = QString::fromUtf8(" Jürgen\\ ");
    written.password = QStringLiteral("p,a;s=s\"w%rd");
    written.savePassword = 1;
    ASSERT_TRUE(WriteProxySettings(path, written));

    const ProxySettings read = ReadProxySettings(path);
    EXPECT_EQ(read.useProxy, 1);
    EXPECT_EQ(read.proxyName, written.proxyName);
    EXPECT_EQ(read.proxyPort, 8080);
    EXPECT_EQ(read.userName, written.userName);
    EXPECT_EQ(read.password, written.password);
    EXPECT_EQ(read.savePassword, 1);

    struct stat info {};
    ASSERT_EQ(::stat(path.toLocal8Bit().constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST(ProxySettingsFile, UnsavedPasswordIsWrittenEmpty) {
    const QString dir = QString::fromStdString(MakeTempDir("proxy-nopassword"));
    const QString path = SettingsPath(dir, kProxySettingsFile);
    ProxySettings written;
    written.proxyName = QStringLiteral("cache.local");
    written.proxyPort = 3128; // kept although the proxy is off
    written.userName = QStringLiteral("anna");
    written.password = QStringLiteral("secret");
    written.savePassword = 0;
    ASSERT_TRUE(WriteProxySettings(path, written));
    const ProxySettings read = ReadProxySettings(path);
    EXPECT_TRUE(read.password.isEmpty());
    EXPECT_EQ(read.proxyName, "cache.local");
    EXPECT_EQ(read.proxyPort, 3128);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    EXPECT_FALSE(text.contains("secret"));
    EXPECT_TRUE(text.contains("[zelta]"));
    EXPECT_TRUE(text.contains("useproxy=0"));
    EXPECT_TRUE(text.contains("proxyport=3128"));
    EXPECT_EQ(ProxyText(read), "");
    written.useProxy = 1;
    EXPECT_EQ(ProxyText(written), "cache.local:3128");
}

TEST(ProxySettingsFile, IntegersReadAsTheProfileFunctionsDo) {
    EXPECT_EQ(ProfileInt("", false, 7), 7);
    EXPECT_EQ(ProfileInt("", true, 7), 0);
    EXPECT_EQ(ProfileInt(" 12abc", true, 0), 12);
    EXPECT_EQ(ProfileInt("abc", true, 5), 0);
    EXPECT_EQ(ProfileInt("-3", true, 0), -3);
    EXPECT_EQ(ProfileInt("99999999999", true, 0), 0x7fffffff);
}

TEST(ServerSettingsFile, ReadsTheShippedFileAndFallsBackPerKey) {
    const ServerSettings shipped =
        ReadServerSettings(QStringLiteral(ZELTA_SOURCE_DIR "/product/ZeltaIII.srv"));
    EXPECT_EQ(shipped.server1, kDefaultUpdateHost);
    EXPECT_EQ(shipped.dir1, "ZeltaApps/Zelta");
    EXPECT_EQ(shipped.server2, kDefaultUpdateHost);
    EXPECT_EQ(shipped.dir2, "ZeltaApps/Zelta");

    const QString dir = QString::fromStdString(MakeTempDir("srv-partial"));
    QFile file(SettingsPath(dir, kServerSettingsFile));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[zelta]\r\n\r\nhttpserver2=mirror.test:8080\r\nhttpdir2=Apps\r\n");
    file.close();
    const ServerSettings partial = ReadServerSettings(file.fileName());
    EXPECT_EQ(partial.server1, kDefaultUpdateHost);
    EXPECT_EQ(partial.dir1, kDefaultUpdateDir);
    EXPECT_EQ(partial.server2, "mirror.test:8080");
    EXPECT_EQ(partial.dir2, "Apps");
}

} // namespace
