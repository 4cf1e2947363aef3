#include "Registry.h"
#include "KnownFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

const QString kKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\ZeltaIII";

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override { QFile::remove(Registry::StorePath()); }
    void TearDown() override { QFile::remove(Registry::StorePath()); }

    static void WriteStore(const QByteArray& text) {
        QDir().mkpath(QFileInfo(Registry::StorePath()).absolutePath());
        QFile file(Registry::StorePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
};

TEST_F(RegistryTest, ValuesSurviveAReadBackAndKeysIgnoreCase) {
    QString text;
    EXPECT_EQ(Registry::kNotFound, Registry::QueryRegValue(kKey, "UninstallPath", &text));
    ASSERT_EQ(Registry::kOk, Registry::CreateRegKey(kKey));
    EXPECT_EQ(Registry::kNotFound, Registry::QueryRegValue(kKey, "UninstallPath", &text));

    const QString awkward = "/home/a \"quoted\" \\ folder\nnext = [x]";
    ASSERT_EQ(Registry::kOk, Registry::SetRegValue(kKey, "UninstallPath", awkward));
    ASSERT_EQ(Registry::kOk, Registry::SetRegValue(kKey, "DisplayName", "ZeltaIII 2.0"));
    ASSERT_EQ(Registry::kOk, Registry::SetRegValue(kKey, "displayname", "ZeltaIII 2.1"));
    ASSERT_EQ(Registry::kOk, Registry::QueryRegValue(kKey.toLower(), "UNINSTALLPATH", &text));
    EXPECT_EQ(awkward, text);
    ASSERT_EQ(Registry::kOk, Registry::QueryRegValue(kKey, "DisplayName", &text));
    EXPECT_EQ("ZeltaIII 2.1", text);

    // A key below is separate, and stays when its parent goes.
    ASSERT_EQ(Registry::kOk, Registry::SetRegValue(kKey + "\\Sub", "Value", "x"));
    EXPECT_EQ(Registry::kOk, Registry::DeleteRegKey(kKey));
    EXPECT_EQ(Registry::kNotFound, Registry::QueryRegValue(kKey, "DisplayName", &text));
    EXPECT_EQ(Registry::kOk, Registry::QueryRegValue(kKey + "\\Sub", "Value", &text));
    EXPECT_EQ(Registry::kNotFound, Registry::DeleteRegKey(kKey));
}

TEST_F(RegistryTest, ValuesThatAreNotTextAndForeignLinesAreKept) {
    WriteStore("; written by hand\n"
               "[SOFTWARE\\Other]\n"
               "\"Count\"=dword:00000002\n"
               "this line is not a value\n"
               "\"Name\"=\"kept\"\n");
    QString text = "unchanged";
    EXPECT_EQ(Registry::kNotText, Registry::QueryRegValue("SOFTWARE\\Other", "Count", &text));
    EXPECT_EQ("unchanged", text);
    ASSERT_EQ(Registry::kOk, Registry::SetRegValue(kKey, "UninstallPath", "/x"));

    QFile file(Registry::StorePath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray stored = file.readAll();
    for (const char* line :
         {"; written by hand", "\"Count\"=dword:00000002", "this line is not a value",
          "\"Name\"=\"kept\"", "\"UninstallPath\"=\"/x\""})
        EXPECT_TRUE(stored.contains(line)) << line;
    EXPECT_EQ(Registry::kOk, Registry::QueryRegValue("SOFTWARE\\Other", "Name", &text));
    EXPECT_EQ("kept", text);
}

TEST_F(RegistryTest, ProgramFilesFolderComesFromThePlatformUnlessStored) {
    const QString key = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
    QString text;
    ASSERT_EQ(Registry::kOk, Registry::QueryRegValue(key, "ProgramFilesDir", &text));
    EXPECT_EQ(KnownFolders::ProgramFiles(), text);
    EXPECT_EQ(geteuid() == 0 ? "/opt" : QDir::homePath() + "/.local/opt", text);
    ASSERT_EQ(Registry::kOk, Registry::SetRegValue(key, "ProgramFilesDir", "/srv/programs"));
    ASSERT_EQ(Registry::kOk, Registry::QueryRegValue(key, "ProgramFilesDir", &text));
    EXPECT_EQ("/srv/programs", text);
}

TEST_F(RegistryTest, AStoreThatCannotBeWrittenIsReported) {
    // The store's folder is taken by a file.
    QString folder = QFileInfo(Registry::StorePath()).absolutePath();
    QDir(folder).removeRecursively();
    {
        QFile blocker(folder);
        ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    }
    EXPECT_EQ(Registry::kWriteFailed, Registry::CreateRegKey(kKey));
    EXPECT_EQ(Registry::kWriteFailed, Registry::SetRegValue(kKey, "DisplayName", "y"));
    QString text;
    EXPECT_EQ(Registry::kNotFound, Registry::QueryRegValue(kKey, "DisplayName", &text));
    QFile::remove(folder);
}

} // namespace
