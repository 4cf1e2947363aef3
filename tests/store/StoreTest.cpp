#include "CCapacitorStore.h"
#include "DataTestSupport.h"
#include "EnglishStrings.h"
#include "StringIds.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <algorithm>
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

// A part's model is computed from -55 °C up to the part's own limit (evaluated at 195 °C at
// most; 25 °C alone for a wet tantalum part): coefficient fits that leave the positive range
// only beyond it load, and a fault is reported at the coefficient's model line.
TEST(LoadStoreFromDirectory, ChecksEachModelAtTheTemperaturesOfItsParts) {
    const struct {
        const char* part;
        const char* model;
        const char* line; // the model line whose coefficients are replaced
        const char* coefficients;
        bool loads;
    } cases[] = {
        // limit 125 °C: R1 scales to 1 - 0.008 * 100 = 0.2 there, to -0.36 at 195 °C
        {"QAKA106K010R", "QAKA106K010", ".MODEL RMOD1", "TC1=-8e-3 TC2=0", true},
        {"QAKA106K010R", "QAKA106K010", ".MODEL RMOD1", "TC1=-1e-2 TC2=0", false}, // 0 at 125
        {"QCRD107K010R", "QCRD107K010", ".MODEL RMOD3", "TC1=-9e-3 TC2=0", true},  // 105 °C
        {"QCRD107K010R", "QCRD107K010", ".MODEL RMOD3", "TC1=-1.3e-2 TC2=0", false},
        {"QBTC107K006R", "QBTC107K006", ".MODEL RMOD2", "TC1=0 TC2=-1e-4", true}, // 0.36 at 105
        {"QBTC107K006R", "QBTC107K006", ".MODEL RMOD2", "TC1=0 TC2=-1.6e-4", false},
        {"QAWD107K010R", "QAWD107K010", ".MODEL RMOD6", "TC1=-6e-3 TC2=0", true}, // 0.1 at 175
        {"QAWD107K010R", "QAWD107K010", ".MODEL RMOD6", "TC1=-6e-3 TC2=1e-4", true},
        // a 200 °C part is evaluated at 195 °C: 1 - 0.006 * 170 < 0
        {"QAWC156K025RJH", "QAWC156K025", ".MODEL RMOD6", "TC1=-6e-3 TC2=0", false},
        {"QAWC156K025RJH", "QAWC156K025", ".MODEL RMOD6", "TC1=-5.5e-3 TC2=0", true},
        // wet tantalum: shown at 25 °C only, where every scale is 1
        {"QCNE108K025R", "QCNE108K025", ".MODEL CMOD1", "TC1=2e-2 TC2=0", true},
        {"QAKA106K010R", "QAKA106K010", ".MODEL CMOD1", "TC1=2e-2 TC2=0", false}, // -0.6 at -55
        {"QAKA106K010R", "QAKA106K010", ".MODEL CMOD4", "TC1=-1 TC2=0", false},
    };
    for (const auto& c : cases) {
        const std::string dir = MakeTempDir("store-temperatures");
        const std::string part = c.part;
        ASSERT_TRUE(generated::WriteFile(dir + "/cap.vorn", "* Part number\tLibrary name\r\n" +
                                                                part + "\t" + c.model + "\r\n"));
        // The model under test, then one that no part uses, whose coefficients no
        // temperature could compute: it is never computed, so never refused.
        std::string text = generated::LibraryBlock(c.model);
        const size_t at = text.find("TC1", text.find(std::string("\n") + c.line));
        text.replace(at, text.find(')', at) - at, c.coefficients);
        const long line = std::count(text.begin(), text.begin() + static_cast<long>(at), '\n') + 1;
        std::string unused = generated::LibraryBlock("QAKB475K016");
        unused.replace(unused.find("TC1=1.463615e-003"), 17, "TC1=-1");
        ASSERT_TRUE(generated::WriteFile(dir + "/vorncap.lib", text + unused));

        RecordingSink sink;
        EnglishStrings strings;
        auto store = std::make_unique<CCapacitorStore>(sink, strings);
        const int loaded = LoadStoreFromDirectory(*store, dir);
        if (c.loads) {
            EXPECT_EQ(loaded, 0) << c.part << " " << c.coefficients;
            EXPECT_TRUE(sink.messages.empty()) << c.part << " " << c.coefficients;
            continue;
        }
        EXPECT_NE(loaded, 0) << c.part << " " << c.coefficients;
        ASSERT_EQ(sink.messages.size(), 1u);
        EXPECT_EQ(sink.messages[0].text,
                  "Error in file " + dir + "/vorncap.lib at line " + std::to_string(line) + "\n")
            << c.part << " " << c.coefficients;
    }
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
