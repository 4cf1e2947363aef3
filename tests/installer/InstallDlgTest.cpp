#include "CInstallDlg.h"
#include "InstallerOps.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

TEST(FreeSpaceText, MegabytesGigabytesTerabytes) {
    const std::pair<std::uint64_t, const char*> cases[] = {
        {0, "0 MB"},      {512, "512 MB"},     {1023, "1023 MB"},     {1024, "1 GB"},
        {1536, "1.5 GB"}, {1022975, "999 GB"}, {1022976, "0.976 TB"}, {2097152, "2 TB"}};
    for (const auto& [mb, text] : cases)
        EXPECT_EQ(QString(text), FormatFreeSpace(mb)) << mb;
}

TEST(Destination, TypedFolderIsCheckedBeforeTheDialogCloses) {
    struct Case {
        const char* typed;
        std::uint64_t freeMb;
        const char* message;
        const char* destination;
    };
    const Case cases[] = {
        {"/opt/ZeltaIII", 5, "", "/opt/ZeltaIII"},
        {"/opt/ZeltaIII/", 100, "", "/opt/ZeltaIII"},
        {"/ab", 100, "", "/ab"},
        {"/a", 100, "The name of instalation folder is invalid", ""},
        {"", 100, "The name of instalation folder is invalid", ""},
        {"relative/ZeltaIII", 100, "The name of instalation folder is invalid", ""},
        {"/opt/ZeltaIII", 4, "Not enough free space on the target drive", ""},
    };
    for (const Case& c : cases) {
        QString destination;
        EXPECT_EQ(QString(c.message), CheckDestination(c.typed, c.freeMb, &destination)) << c.typed;
        EXPECT_EQ(QString(c.destination), destination) << c.typed;
    }
    EXPECT_EQ("/data/Apps/ZeltaIII", BrowsedDestination("/data/Apps"));
    EXPECT_EQ("/data/Apps/ZeltaIII", BrowsedDestination("/data/Apps/"));
    EXPECT_EQ("/ZeltaIII", BrowsedDestination("/"));
    EXPECT_EQ("", BrowsedDestination(""));
}

TEST(InstallDlg, BrowseRefreshesTheFreeSpaceAndInstallChecksTheDrive) {
    InstallChoice start;
    start.destination = "/home/user/.local/opt/ZeltaIII";
    CInstallDlg dialog(start);
    QStringList asked;
    QStringList messages;
    std::uint64_t free = 512;
    dialog.SetFreeSpace([&](const QString& path) {
        asked << path;
        return free;
    });
    dialog.SetMessageSink([&](const QString& text) { messages << text; });
    auto* folder = dialog.findChild<QLineEdit*>("1001");
    auto* freeText = dialog.findChild<QLabel*>("1006");
    ASSERT_TRUE(folder && freeText);
    EXPECT_EQ("512 MB", freeText->text());
    EXPECT_TRUE(dialog.findChild<QCheckBox*>("1002")->isChecked());
    EXPECT_TRUE(dialog.findChild<QCheckBox*>("1003")->isChecked());

    // Typing does not ask the drive; Browse does.
    free = 1536;
    folder->setText("/mnt/dat");
    EXPECT_EQ("512 MB", freeText->text());
    QString startedAt;
    dialog.SetFolderPicker([&](QWidget*, const QString& from) {
        startedAt = from;
        return QString("/mnt/data");
    });
    asked.clear();
    dialog.Browse();
    EXPECT_EQ("/mnt/dat", startedAt);
    EXPECT_EQ("/mnt/data/ZeltaIII", folder->text());
    EXPECT_EQ("1.5 GB", freeText->text());
    EXPECT_EQ(QStringList{"/mnt/data/ZeltaIII"}, asked);

    // A cancelled browser changes nothing.
    dialog.SetFolderPicker([](QWidget*, const QString&) { return QString(); });
    dialog.Browse();
    EXPECT_EQ("/mnt/data/ZeltaIII", folder->text());

    free = 4;
    dialog.accept();
    EXPECT_EQ(QStringList{"Not enough free space on the target drive"}, messages);
    EXPECT_EQ(QDialog::Rejected, dialog.result());

    free = 6;
    folder->setText("/mnt/data/Zelta/");
    dialog.findChild<QCheckBox*>("1002")->setChecked(false);
    dialog.accept();
    EXPECT_EQ(QDialog::Accepted, dialog.result());
    EXPECT_EQ("/mnt/data/Zelta", dialog.Choice().destination);
    EXPECT_FALSE(dialog.Choice().desktopShortcut);
    EXPECT_TRUE(dialog.Choice().menuShortcut);
}

// The dialog's refusals are plain boxes like every other message of the installer, and the
// dialog carries its big icon.
TEST(InstallDlg, RefusalsAreBoxesWithoutAnIconAndTheDialogHasItsIcon) {
    InstallChoice start;
    start.destination = "ab";
    CInstallDlg dialog(start);
    EXPECT_FALSE(dialog.windowIcon().isNull());
    EXPECT_FALSE(dialog.windowIcon().pixmap(32, 32).isNull());
    QString shownText;
    QMessageBox::Icon shownIcon = QMessageBox::Warning;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shownText = box->text();
            shownIcon = box->icon();
            box->accept();
        }
    });
    poll.start(10);
    dialog.accept();
    poll.stop();
    EXPECT_EQ("The name of instalation folder is invalid", shownText);
    EXPECT_EQ(QMessageBox::NoIcon, shownIcon);
    EXPECT_EQ(QDialog::Rejected, dialog.result());
}

TEST(DiskSpace, AFolderNotYetMadeIsMeasuredOnItsDrive) {
    std::uint64_t total = 0;
    std::uint64_t free = 0;
    GetDiskSpace(QDir::tempPath() + "/not/yet/made", &total, &free);
    EXPECT_GT(total, 0u);
    EXPECT_LE(free, total);
    GetDiskSpace(QString(), &total, &free);
    EXPECT_EQ(0u, total);
    EXPECT_EQ(0u, free);
}

} // namespace
