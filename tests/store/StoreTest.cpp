#include "CCapacitorStore.h"
#include "DataTestSupport.h"
#include "EnglishStrings.h"
#include "StringIds.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

struct StoreFixture : ::testing::Test {
    RecordingSink sink;
    EnglishStrings strings;
    std::unique_ptr<CCapacitorStore> store = std::make_unique<CCapacitorStore>(sink, strings);
};

using CapacitorStore = StoreFixture;

TEST_F(CapacitorStore, IsEmptyBeforeAndAfterAllocation) {
    EXPECT_EQ(store->GetCount(), 0);
    EXPECT_EQ(store->GetAt(0), nullptr);
    // Without tables the loaders have nothing to fill.
    EXPECT_EQ(store->LoadCatalogue("/no/such/cap.vorn"), 0);
    EXPECT_EQ(store->LoadModels("/no/such/vorncap.lib"), 0);
    ASSERT_EQ(store->Allocate(), 0);
    EXPECT_EQ(store->GetCount(), 0);
    EXPECT_EQ(store->GetAt(0), nullptr);
    // An empty catalogue needs no models: the library is not even opened.
    EXPECT_EQ(store->LoadModels("/no/such/vorncap.lib"), 0);
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(CapacitorStore, HandsOutRecordsInPartNumberOrder) {
    ASSERT_EQ(store->Allocate(), 0);
    ASSERT_EQ(store->LoadCatalogue(FixturePath("store/good/cap.vorn").c_str()), 0);
    ASSERT_EQ(store->LoadModels(FixturePath("store/good/vorncap.lib").c_str()), 0);
    ASSERT_EQ(store->GetCount(), 6);
    EXPECT_EQ(store->GetModelCount(), 5u);
    const char* const order[] = {"QAKA106K010RNJ", "QAKA106M010RNJ", "QAKD107K010R0150",
                                 "QCLB227M006RNJ", "QCRD107M010RNJ", "QCT1C106MRA"};
    for (unsigned i = 0; i < 6; ++i) {
        ASSERT_NE(store->GetAt(i), nullptr);
        EXPECT_STREQ(store->GetAt(i)->partNumber, order[i]);
    }
    EXPECT_EQ(store->GetAt(6), nullptr);
    EXPECT_EQ(store->GetAt(~0u), nullptr);

    // A second allocation starts over.
    ASSERT_EQ(store->Allocate(), 0);
    EXPECT_EQ(store->GetCount(), 0);
    EXPECT_EQ(store->GetModelCount(), 0u);
}

TEST_F(CapacitorStore, InitRecordSetsTheModelDefaults) {
    CapacitorRecord record;
    std::memset(&record, 0x5A, sizeof record);
    store->InitRecord(&record);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(record.ladderR[i], 1.0);
        EXPECT_EQ(record.ladderC[i], 0.0);
        EXPECT_EQ(record.ladderRTc[i].tc2, 0.0);
    }
    EXPECT_EQ(record.tMeasured, 25.0);
    EXPECT_EQ(record.lesl, 0.0);
    EXPECT_EQ(record.partNumber[0], '\0');
    store->InitRecord(nullptr);
}

// Records which files the start-up load asks for, and can fail any step.
class ScriptedStore : public CCapacitorStore {
public:
    using CCapacitorStore::CCapacitorStore;
    int Allocate() override {
        calls.push_back("Allocate");
        return failAllocate ? -1 : CCapacitorStore::Allocate();
    }
    int LoadCatalogue(const char* path) override {
        calls.push_back(std::string("LoadCatalogue ") + path);
        return failCatalogue ? -1 : 0;
    }
    int LoadModels(const char* path) override {
        calls.push_back(std::string("LoadModels ") + path);
        return 0;
    }
    bool failAllocate = false;
    bool failCatalogue = false;
    std::vector<std::string> calls;
};

TEST(LoadStoreFromDirectory, JoinsTheFolderAndTheFileNames) {
    const struct {
        const char* directory;
        const char* folder;
    } cases[] = {
        {"/", ""}, // the root folder gives "/cap.vorn"
        {"/opt/zelta", "/opt/zelta"},
        {"/opt/zelta/", "/opt/zelta"},
        {"", "."},
    };
    for (const auto& c : cases) {
        RecordingSink sink;
        EnglishStrings strings;
        auto store = std::make_unique<ScriptedStore>(sink, strings);
        EXPECT_EQ(LoadStoreFromDirectory(*store, c.directory), 0);
        const std::vector<std::string> expected = {
            "Allocate", std::string("LoadCatalogue ") + c.folder + "/cap.vorn",
            std::string("LoadModels ") + c.folder + "/vorncap.lib"};
        EXPECT_EQ(store->calls, expected) << c.directory;
        EXPECT_TRUE(sink.messages.empty());
    }
}

TEST(LoadStoreFromDirectory, StopsAtTheFirstFailure) {
    RecordingSink sink;
    EnglishStrings strings;
    auto store = std::make_unique<ScriptedStore>(sink, strings);
    store->failAllocate = true;
    EXPECT_NE(LoadStoreFromDirectory(*store, "/data"), 0);
    EXPECT_EQ(store->calls, std::vector<std::string>{"Allocate"});
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].id, IDS_NOT_ENOUGH_MEMORY);
    EXPECT_EQ(sink.messages[0].icon, MessageIcon::Warning);
    EXPECT_EQ(sink.messages[0].text, "Not enough memory");

    // The loader shows its own message; the sequence adds none and skips the library.
    RecordingSink quiet;
    auto failing = std::make_unique<ScriptedStore>(quiet, strings);
    failing->failCatalogue = true;
    EXPECT_NE(LoadStoreFromDirectory(*failing, "/data"), 0);
    EXPECT_EQ(failing->calls.size(), 2u);
    EXPECT_TRUE(quiet.messages.empty());
}

TEST_F(CapacitorStore, LoadsAFolderOrNamesTheMissingFile) {
    EXPECT_EQ(LoadStoreFromDirectory(*store, FixturePath("store/good/")), 0);
    EXPECT_EQ(store->GetCount(), 6);
    EXPECT_TRUE(sink.messages.empty());

    const std::string empty = MakeTempDir("no-data");
    EXPECT_NE(LoadStoreFromDirectory(*store, empty), 0);
    EXPECT_EQ(store->GetCount(), 0);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].id, IDS_CANNOT_OPEN_FILE);
    EXPECT_EQ(sink.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(sink.messages[0].text, "Cannot open file " + empty + "/cap.vorn\n");
}

TEST_F(CapacitorStore, ReportsAPartWithoutModelWithAStarForItsTolerance) {
    EXPECT_NE(LoadStoreFromDirectory(*store, FixturePath("store/broken")), 0);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].id, IDS_MISSING_MODEL);
    EXPECT_EQ(sink.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(sink.messages[0].text, "Library " + FixturePath("store/broken") +
                                         "/vorncap.lib does not contain model for capacitor "
                                         "QAKB475*016RNJ");
}

// The start-up load without a data folder of its own: the first folder holding the catalogue
// is loaded, as from that folder alone; with none, one message names every place tried.
TEST_F(CapacitorStore, LoadsTheFirstFolderHoldingTheCatalogue) {
    const std::string empty = MakeTempDir("lookup-empty");
    const std::string good = FixturePath("store/good");
    EXPECT_EQ(LoadStoreFromFolders(*store, {empty, "/nonexistent/zeltaiii", good}), 0);
    EXPECT_EQ(store->GetCount(), 6);
    EXPECT_TRUE(sink.messages.empty());

    // A folder holding the catalogue is used even when its library is missing: the two files
    // never come from different folders.
    const std::string catalogueOnly = MakeTempDir("lookup-catalogue-only");
    std::filesystem::copy_file(good + "/cap.vorn", catalogueOnly + "/cap.vorn");
    EXPECT_NE(LoadStoreFromFolders(*store, {catalogueOnly, good}), 0);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].text, "Cannot open file " + catalogueOnly + "/vorncap.lib\n");
}

TEST_F(CapacitorStore, NamesEveryPlaceTriedWhenNoFolderHoldsTheCatalogue) {
    const std::string empty = MakeTempDir("lookup-none");
    EXPECT_NE(LoadStoreFromFolders(*store, {empty, "/usr/share/zelta-none/", "/"}), 0);
    EXPECT_EQ(store->GetCount(), 0);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].id, IDS_DATA_NOT_FOUND);
    EXPECT_EQ(sink.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(sink.messages[0].text,
              "Cannot open file " + empty + "/cap.vorn\nThe data files were looked for in:\n  " +
                  empty + "/cap.vorn\n  /usr/share/zelta-none/cap.vorn\n  /cap.vorn\n");
}

} // namespace
