#include "SetupFiles.h"
#include "TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

TEST(DesktopEntry, FolderWithBlanksAndShellCharactersStaysOneArgument) {
    QString text = DesktopEntryText("/home/a b/$HOME \"x\" 100%/ZeltaIII", "ZeltaIII",
                                    "/home/a b/$HOME \"x\" 100%");
    EXPECT_TRUE(text.startsWith("[Desktop Entry]\nType=Application\n"));
    // Quoted, with $ and " escaped for the Exec key and every "\" doubled for the file.
    EXPECT_TRUE(text.contains("\nExec=\"/home/a b/\\\\$HOME \\\\\"x\\\\\" 100%%/ZeltaIII\"\n"))
        << text.toStdString();
    EXPECT_TRUE(text.contains("\nPath=/home/a b/$HOME \"x\" 100%\n"));
    EXPECT_TRUE(text.contains("\nName=ZeltaIII\n"));
    EXPECT_TRUE(text.contains("\nComment=ZeltaIII\n"));

    // A line break in a folder name must not start a key of its own.
    QString broken = DesktopEntryText("/x\nExec=evil/ZeltaIII", "ZeltaIII", "/x\nExec=evil");
    EXPECT_EQ(1, broken.count("\nExec="));
}

TEST(DesktopEntry, WrittenRunnableAndMissingFolderReported) {
    QString folder = QString::fromStdString(MakeTempDir("entries"));
    QString link = folder + "/ZeltaIII.desktop";
    ASSERT_EQ(0, CreateShortcut("/opt/ZeltaIII/ZeltaIII", link, "ZeltaIII", "/opt/ZeltaIII"));
    EXPECT_TRUE(QFileInfo(link).isExecutable());
    QFile file(link);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(DesktopEntryText("/opt/ZeltaIII/ZeltaIII", "ZeltaIII", "/opt/ZeltaIII").toUtf8(),
              file.readAll());
    EXPECT_EQ(-1, CreateShortcut("/opt/ZeltaIII/ZeltaIII", folder + "/no/such/x.desktop",
                                 "ZeltaIII", "/opt/ZeltaIII"));
}

TEST(DeleteProductFile, MatchesTheNameExactlyAndNeverAFolder) {
    QString folder = QString::fromStdString(MakeTempDir("case"));
    for (const char* name : {"cap.vorn", "CAP.VORN", "Cap.vorn", "cap.vorn.bak"}) {
        QFile file(folder + "/" + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QDir().mkpath(folder + "/ZeltaIII.srv");
    EXPECT_TRUE(DeleteProductFile(folder, "cap.vorn"));
    EXPECT_FALSE(DeleteProductFile(folder, "cap.vorn"));
    EXPECT_FALSE(DeleteProductFile(folder, "ZeltaIII.srv"));
    EXPECT_FALSE(DeleteProductFile(folder, "../case/CAP.VORN"));
    EXPECT_FALSE(DeleteProductFile("", "CAP.VORN"));
    EXPECT_EQ((QStringList{"CAP.VORN", "Cap.vorn", "ZeltaIII.srv", "cap.vorn.bak"}),
              QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name));
}

} // namespace
