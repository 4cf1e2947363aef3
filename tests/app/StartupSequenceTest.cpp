#include "CapacitorRecord.h"
#include "JapaneseUi.h"
#include "NamedMutex.h"
#include "ZeltaApp.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace {

// One log of everything the stand-ins were asked, in order, so the sequence can be read off.
struct Script {
    QStringList log;
    std::uint32_t now = 1000;
    int loadDataMs = 1000;  // how long the data load takes on the fake clock
    bool loadFails = false; // the load shows a message and fails
    bool quit = false;      // the user chooses "Quit"
    bool noSelection = false;
    bool resourcesFail = false;
    QString language = "English";
    bool splashTopmost = false;
    bool splashAlive = false;
    bool frameShown = false;
    const CapacitorRecord* frameCapacitor = nullptr;
    CapacitorRecord part{};
};

struct FakeSelection : IStartupSelection {
    explicit FakeSelection(Script& s) : s(s) {}
    bool Create() override {
        s.log << "selection created";
        return true;
    }
    int LoadPictures() override {
        s.log << "pictures";
        return 0;
    }
    void FillLists(int save) override { s.log << QString("fill %1").arg(save); }
    bool RunModal() override {
        s.log << QString("selection modal, splash %1").arg(s.splashAlive ? "up" : "gone");
        return !s.quit;
    }
    const CapacitorRecord* GetSelected() override { return s.noSelection ? nullptr : &s.part; }
    void Destroy() override { s.log << "selection destroyed"; }
    QWidget* Window() override { return nullptr; }
    Script& s;
};

struct FakeFrame : IStartupFrame {
    explicit FakeFrame(Script& s) : s(s) {}
    bool Create() override {
        s.log << "frame created hidden";
        return true;
    }
    void SetCurrentCapacitor(const CapacitorRecord* r) override { s.frameCapacitor = r; }
    int ShowInitialGraphs() override {
        s.log << "frame shows graphs";
        s.frameShown = true;
        return 0;
    }
    void Destroy() override { s.log << "frame destroyed"; }
    QWidget* Window() override { return nullptr; }
    Script& s;
};

struct FakeSplash : IStartupSplash {
    explicit FakeSplash(Script& s) : s(s) {}
    ~FakeSplash() override {
        s.splashAlive = false;
        s.log << "splash destroyed";
    }
    bool Create() override {
        s.splashAlive = true;
        s.splashTopmost = true;
        s.log << "splash shown";
        return true;
    }
    void SetTopmost(bool topmost) override { s.splashTopmost = topmost; }
    void Wait(int ms) override { s.log << QString("splash wait %1").arg(ms); }
    Script& s;
};

StartupParts MakeParts(Script& s) {
    StartupParts parts;
    parts.loadResources = [&s](QString& error) {
        if (s.resourcesFail) {
            error = "Unable to load library libZeltaIII.so";
            return -1;
        }
        s.log << "resources";
        return 0;
    };
    parts.resourceString = [&s](int id) { return id == 134 ? s.language : QString(); };
    parts.makeSelection = [&s] { return std::make_unique<FakeSelection>(s); };
    parts.makeFrame = [&s] { return std::make_unique<FakeFrame>(s); };
    parts.makeSplash = [&s] { return std::make_unique<FakeSplash>(s); };
    parts.loadData = [&s] {
        s.log << "data";
        s.now += std::uint32_t(s.loadDataMs);
        if (s.loadFails) {
            // The loader reports through the one message function, as the real one does.
            AppMessageBox("Cannot open file ./cap.vorn\n", QMessageBox::Critical);
            return -1;
        }
        return 0;
    };
    parts.tickCount = [&s] { return s.now; };
    parts.sleep = [&s](int ms) {
        s.log << QString("sleep %1").arg(ms);
        s.now += std::uint32_t(ms);
    };
    parts.showBox = [&s](const MessageBoxRequest& r) {
        s.log << QString("box \"%1\" caption \"%2\" icon %3, splash %4")
                     .arg(r.text.trimmed(), r.caption)
                     .arg(int(r.icon))
                     .arg(s.splashAlive ? (s.splashTopmost ? "on top" : "behind") : "gone");
        return int(QMessageBox::Ok);
    };
    return parts;
}

TEST(StartupSequenceTest, RunsInOrderAndHandsTheChoiceToTheFrame) {
    Script s;
    CZeltaApp app(MakeParts(s));
    ASSERT_TRUE(app.InitInstance());
    EXPECT_EQ(s.frameCapacitor, &s.part);
    EXPECT_TRUE(s.frameShown);
    EXPECT_FALSE(app.SplashUp());
    // A one-second load leaves the splash up for four more seconds.
    const QStringList expected = {"resources",
                                  "selection created",
                                  "splash shown",
                                  "sleep 200",
                                  "frame created hidden",
                                  "data",
                                  "pictures",
                                  "fill 1",
                                  "splash wait 4000",
                                  "splash destroyed",
                                  "selection modal, splash gone",
                                  "selection destroyed",
                                  "frame shows graphs"};
    EXPECT_EQ(s.log, expected);
}

TEST(StartupSequenceTest, SplashWaitsOnlyForWhatIsLeftOfFiveSeconds) {
    struct Case {
        int loadMs;
        const char* wait; // null: no wait at all
    };
    for (const Case& c : {Case{0, "splash wait 5000"}, Case{4999, "splash wait 1"},
                          Case{5000, nullptr}, Case{7300, nullptr}}) {
        Script s;
        s.loadDataMs = c.loadMs;
        CZeltaApp app(MakeParts(s));
        ASSERT_TRUE(app.InitInstance());
        const QStringList waits = s.log.filter("splash wait");
        if (c.wait == nullptr) {
            EXPECT_TRUE(waits.isEmpty()) << c.loadMs << " ms: " << waits.join(", ").toStdString();
        } else {
            EXPECT_EQ(waits, QStringList{c.wait}) << c.loadMs << " ms";
        }
    }
    // The tick counter wraps around during the load: the elapsed time is still right.
    Script s;
    s.now = 0xFFFFFFFFu - 500;
    CZeltaApp app(MakeParts(s));
    ASSERT_TRUE(app.InitInstance());
    EXPECT_EQ(s.log.filter("splash wait"), QStringList{"splash wait 4000"});
}

TEST(StartupSequenceTest, FailingCatalogueShowsItsMessageInFrontOfTheSplashAndEnds) {
    Script s;
    s.loadFails = true;
    CZeltaApp app(MakeParts(s));
    EXPECT_FALSE(app.InitInstance());
    EXPECT_TRUE(app.StartupFailed());
    EXPECT_FALSE(s.frameShown);
    EXPECT_FALSE(app.SplashUp());
    const QStringList boxes = s.log.filter("box ");
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0], QString("box \"Cannot open file ./cap.vorn\" caption \"\" icon %1, "
                                "splash behind")
                            .arg(int(QMessageBox::Critical)));
    // The box ends the splash at once; then the dialog and the frame go.
    const int box = s.log.indexOf(boxes[0]);
    EXPECT_EQ(s.log.value(box + 1), "splash destroyed");
    EXPECT_TRUE(s.log.contains("selection destroyed"));
    EXPECT_TRUE(s.log.contains("frame destroyed"));
    EXPECT_TRUE(s.log.filter("modal").isEmpty());
}

TEST(StartupSequenceTest, QuitOrNoChoiceEndsWithTheFrameNeverShown) {
    for (bool quit : {true, false}) {
        Script s;
        s.quit = quit;
        s.noSelection = !quit;
        CZeltaApp app(MakeParts(s));
        EXPECT_FALSE(app.InitInstance());
        EXPECT_FALSE(app.StartupFailed()) << "the user's choice, not a failure";
        EXPECT_FALSE(s.frameShown);
        EXPECT_EQ(s.frameCapacitor, nullptr);
        EXPECT_TRUE(s.log.contains("selection destroyed"));
        EXPECT_TRUE(s.log.contains("frame destroyed"));
    }
}

TEST(StartupSequenceTest, MissingResourceLibraryIsReportedUnderTheOldCaption) {
    Script s;
    s.resourcesFail = true;
    CZeltaApp app(MakeParts(s));
    EXPECT_FALSE(app.InitInstance());
    EXPECT_TRUE(app.StartupFailed());
    EXPECT_EQ(s.log, QStringList{QString("box \"Unable to load library libZeltaIII.so\" caption "
                                         "\"ZeltaII\" icon %1, splash gone")
                                     .arg(int(QMessageBox::Critical))});
}

TEST(StartupSequenceTest, LanguageMarkerSetsTheJapaneseFlag) {
    for (const char* marker : {"Japanese", "JAPANESE", "English"}) {
        Script s;
        s.language = marker;
        g_japaneseUi = false;
        CZeltaApp app(MakeParts(s));
        ASSERT_TRUE(app.InitInstance());
        EXPECT_EQ(g_japaneseUi, QString(marker) != "English") << marker;
    }
    g_japaneseUi = false;
}

// Every copy holds the mutex, so it exists until the last copy has ended.
TEST(ApplicationMutexTest, HeldByEveryCopyUntilTheLastOneEnds) {
    Script s;
    auto second = std::make_unique<CZeltaApp>(MakeParts(s));
    {
        CZeltaApp first(MakeParts(s));
        EXPECT_TRUE(first.OwnsMutex());
        EXPECT_TRUE(second->OwnsMutex());
        EXPECT_TRUE(first.InitInstance()) << "a second copy runs as well";
        EXPECT_TRUE(CNamedMutex::Exists(CZeltaApp::kMutexName));
    }
    EXPECT_TRUE(CNamedMutex::Exists(CZeltaApp::kMutexName)) << "the other copy still holds it";
    second.reset();
    EXPECT_FALSE(CNamedMutex::Exists(CZeltaApp::kMutexName));
}

} // namespace
