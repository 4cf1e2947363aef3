#include "ModelLibrary.h"
#include "Catalogue.h"
#include "DataTestSupport.h"
#include "EnglishStrings.h"
#include "PartNumber.h"
#include "RecordIndex.h"
#include "StringIds.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// ---- single lines -----------------------------------------------------------------------

TEST(ReadElementLine, MatchesNameNodesModelAndStoresTheValue) {
    const struct {
        const char* line;
        const char* element;
        int node1, node2;
        const char* model;
        bool capacitor;
        int stage;
        int result;
        double value;
    } cases[] = {
        {"R1 2 3 RMOD1 1.500000e-002", "R1", 2, 3, "RMOD1", false, 0, 0, 0.015},
        {"c2 4 9 cmod2 4.7e-6\r\n", "C2", 4, 9, "CMOD2", true, 1, 0, 4.7e-6}, // any case
        {"R6\t7  8 RMOD6 +2", "R6", 7, 8, "RMOD6", false, 5, 0, 2.0},
        {"R1 2 3 RMOD1", "R1", 2, 3, "RMOD1", false, 0, 1, 0},     // four words
        {"R1 2 3 RMOD1 1 2", "R1", 2, 3, "RMOD1", false, 0, 1, 0}, // six words
        {"R1 3 2 RMOD1 1", "R1", 2, 3, "RMOD1", false, 0, 1, 0},   // nodes swapped
        {"R1 02 3 RMOD1 1", "R1", 2, 3, "RMOD1", false, 0, 1, 0},  // node "02"
        {"R1 2 3 RMOD2 1", "R1", 2, 3, "RMOD1", false, 0, 1, 0},   // other model
        {"R2 2 3 RMOD1 1", "R1", 2, 3, "RMOD1", false, 0, 1, 0},   // other element
        {"R1 2 3 RMOD1 1k", "R1", 2, 3, "RMOD1", false, 0, 1, 0},  // unit suffix
        {"R1 2 3 RMOD1 nan", "R1", 2, 3, "RMOD1", false, 0, 1, 0}, // not a number
        {"R1 2 3 RMOD1 0", "R1", 2, 3, "RMOD1", false, 0, 1, 0},   // not a resistance
        {"C1 2 3 CMOD1 -1e-6", "C1", 2, 3, "CMOD1", true, 0, 1, 0},
        {"C1 2 3 CMOD1 0", "C1", 2, 3, "CMOD1", true, 0, 0, 0},        // evaluated as 1e-50 F
        {"R4 5 6 RMOD4 1e34", "R4", 5, 6, "RMOD4", false, 3, 0, 1e34}, // a stage switched off
        {"R1 2 3 RMOD1 1e308", "R1", 2, 3, "RMOD1", false, 0, 1, 0},   // no computation holds it
        {"R1 2 3 RMOD1 1e-101", "R1", 2, 3, "RMOD1", false, 0, 1, 0},
        {"R1 2 3 RMOD1 1e999", "R1", 2, 3, "RMOD1", false, 0, 1, 0}, // beyond a double
        {"R1 2 3 RMOD1 1", "R1", 2, 3, "RMOD1", false, 6, 1, 0},     // no such stage
    };
    for (const auto& c : cases) {
        CapacitorRecord record;
        InitModelRecord(&record);
        EXPECT_EQ(ReadElementLine(c.line, c.element, c.node1, c.node2, c.model, c.capacitor,
                                  &record, c.stage),
                  c.result)
            << c.line;
        if (c.result == 0) {
            const double* values = c.capacitor ? record.ladderC : record.ladderR;
            EXPECT_DOUBLE_EQ(values[c.stage], c.value) << c.line;
        }
    }
    EXPECT_EQ(ReadElementLine("R1 2 3 RMOD1 1", "R1", 2, 3, "RMOD1", false, nullptr, 0), 1);
}

TEST(ReadModelLine, TakesExactlyTheShippedFormAndStoresTheCoefficients) {
    const struct {
        const char* line;
        const char* model;
        const char* type;
        int result;
    } cases[] = {
        {".MODEL CMOD1 CAP (T_MEASURED=25 TC1=1.463615e-003 TC2=-4.147800e-005)", "CMOD1", "CAP",
         0},
        {".MODEL CMOD1 CAP (T_MEASURED=25.0 TC1=1.463615e-003 TC2=-4.147800e-005)\r\n", "CMOD1",
         "CAP", 0},
        {".model CMOD1 CAP (T_MEASURED=25 TC1=1.463615e-003 TC2=-4.147800e-005)", "CMOD1", "CAP",
         1},
        {".MODEL cmod1 CAP (T_MEASURED=25 TC1=1.463615e-003 TC2=-4.147800e-005)", "CMOD1", "CAP",
         1},
        {".MODEL CMOD1 cap (T_MEASURED=25 TC1=1.463615e-003 TC2=-4.147800e-005)", "CMOD1", "CAP",
         1},
        {".MODEL CMOD1 RES (T_MEASURED=25 TC1=1.463615e-003 TC2=-4.147800e-005)", "CMOD1", "CAP",
         1},
        {".MODEL CMOD1 CAP (T_MEASURED=27 TC1=1.463615e-003 TC2=-4.147800e-005)", "CMOD1", "CAP",
         1},
        {".MODEL CMOD1 CAP (T_MEASURED=25 TC1=1.463615e-003 TC2=-4.147800e-005) X", "CMOD1", "CAP",
         1},
        {".MODEL CMOD1 CAP (T_MEASURED=25 TC1=1.463615e-003 TC2=-4.147800e-005", "CMOD1", "CAP", 1},
        {".MODEL CMOD1 CAP (T_MEASURED=25 TC2=1.463615e-003 TC1=-4.147800e-005)", "CMOD1", "CAP",
         1},
        {".MODEL CMOD1 CAP (T_MEASURED=25 TC1=abc TC2=-4.147800e-005)", "CMOD1", "CAP", 1},
    };
    for (const auto& c : cases) {
        CapacitorRecord record;
        InitModelRecord(&record);
        record.ladderC[2] = 4.7e-6; // the element line comes before its model
        EXPECT_EQ(ReadModelLine(c.line, c.model, c.type, true, &record, 2), c.result) << c.line;
        if (c.result == 0) {
            EXPECT_DOUBLE_EQ(record.ladderCTc[2].tc1, 1.463615e-3);
            EXPECT_DOUBLE_EQ(record.ladderCTc[2].tc2, -4.1478e-5);
            EXPECT_EQ(record.ladderRTc[2].tc1, 0.0);
        }
    }
    CapacitorRecord record;
    InitModelRecord(&record);
    ASSERT_EQ(ReadModelLine(".MODEL RMOD6 RES (T_MEASURED=25 TC1=1e-3 TC2=2e-6)", "RMOD6", "RES",
                            false, &record, 5),
              0);
    EXPECT_DOUBLE_EQ(record.ladderRTc[5].tc1, 1e-3);
    EXPECT_DOUBLE_EQ(record.ladderRTc[5].tc2, 2e-6);
}

TEST(ShapeOfSeries, PicksTheNetworkBySeriesWithoutRegardToCase) {
    EXPECT_EQ(ShapeOfSeries("QCLB227K006"), NetworkShape::FourStages);
    EXPECT_EQ(ShapeOfSeries("qcmB227K006"), NetworkShape::FourStages);
    EXPECT_EQ(ShapeOfSeries("QcRD107K010"), NetworkShape::ThreeStagesParallel);
    EXPECT_EQ(ShapeOfSeries("QAKA106K010"), NetworkShape::SixStageLadder);
    EXPECT_EQ(ShapeOfSeries("QCT1C106KRA"), NetworkShape::SixStageLadder);
}

// ---- whole libraries --------------------------------------------------------------------

struct Store {
    std::vector<CapacitorRecord> catalogue = std::vector<CapacitorRecord>(kMaxCapacitors);
    std::vector<CapacitorRecord*> catalogueIndex = std::vector<CapacitorRecord*>(kMaxCapacitors);
    std::uint32_t catalogueCount = 0;
    std::vector<CapacitorRecord> models = std::vector<CapacitorRecord>(kMaxModels);
    std::vector<CapacitorRecord*> modelIndex = std::vector<CapacitorRecord*>(kMaxModels);
    std::uint32_t modelCount = 0;
    RecordingSink sink;
    EnglishStrings strings;

    void ReadCatalogue(const std::string& path) {
        ASSERT_EQ(ReadCatalogueFile(path.c_str(), catalogue.data(), catalogueIndex.data(),
                                    catalogueCount, sink, strings),
                  0);
    }
    int ReadLibrary(const std::string& path) {
        ModelTables tables{models.data(), modelIndex.data(), modelCount, catalogueIndex.data(),
                           catalogueCount};
        return ReadModelLibraryFile(path.c_str(), tables, sink, strings);
    }
    const CapacitorRecord& Part(const char* partNumber) const {
        for (std::uint32_t i = 0; i < catalogueCount; ++i) {
            if (std::strcmp(catalogueIndex[i]->partNumber, partNumber) == 0)
                return *catalogueIndex[i];
        }
        throw std::runtime_error(std::string("no part ") + partNumber);
    }
};

struct LibraryCase {
    const char* fixture;
    int result;
    int messageId;
    const char* message; // with %s for the library path
};

class LibraryFile : public ::testing::TestWithParam<LibraryCase> {};

TEST_P(LibraryFile, LoadsOrReportsTheFault) {
    const LibraryCase& c = GetParam();
    Store store;
    store.ReadCatalogue(FixturePath("library/cap.vorn"));
    const std::string path = FixturePath(std::string("library/") + c.fixture);
    EXPECT_EQ(store.ReadLibrary(path), c.result);
    if (c.messageId == 0) {
        EXPECT_TRUE(store.sink.messages.empty()) << store.sink.messages[0].text;
        return;
    }
    ASSERT_EQ(store.sink.messages.size(), 1u);
    EXPECT_EQ(store.sink.messages[0].id, c.messageId);
    EXPECT_EQ(store.sink.messages[0].icon, MessageIcon::Error);
    std::string expected = c.message;
    expected.replace(expected.find("%s"), 2, path);
    EXPECT_EQ(store.sink.messages[0].text, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, LibraryFile,
    ::testing::Values(
        // Comments and blank lines inside blocks, lower-case .subckt and lesl, LF line ends,
        // a QCR block without the diode line, words after the parallel-branch value.
        LibraryCase{"comments_lf.lib", 0, 0, ""},
        LibraryCase{"model_lowercase.lib", -1, IDS_FILE_FORMAT_ERROR,
                    "Error in file %s at line 20\n"},
        LibraryCase{"cap_lowercase.lib", -1, IDS_FILE_FORMAT_ERROR,
                    "Error in file %s at line 21\n"},
        LibraryCase{"tmeasured27.lib", -1, IDS_FILE_FORMAT_ERROR, "Error in file %s at line 19\n"},
        LibraryCase{"subckt_fifth_word.lib", -1, IDS_FILE_FORMAT_ERROR,
                    "Error in file %s at line 2\n"},
        LibraryCase{"element_wrong_node.lib", -1, IDS_FILE_FORMAT_ERROR,
                    "Error in file %s at line 10\n"},
        LibraryCase{"element_wrong_model.lib", -1, IDS_FILE_FORMAT_ERROR,
                    "Error in file %s at line 13\n"},
        LibraryCase{"model_trailing_word.lib", -1, IDS_FILE_FORMAT_ERROR,
                    "Error in file %s at line 30\n"},
        LibraryCase{"value_suffix.lib", -1, IDS_FILE_FORMAT_ERROR, "Error in file %s at line 3\n"},
        LibraryCase{"diode_wrong.lib", -1, IDS_FILE_FORMAT_ERROR, "Error in file %s at line 31\n"},
        LibraryCase{"text_outside_block.lib", -1, IDS_FILE_FORMAT_ERROR,
                    "Error in file %s at line 33\n"},
        LibraryCase{"duplicate_model.lib", -1, IDS_DUPLICATE_MODEL,
                    "Library %s contains duplicate model QAKA106K010"},
        // Cut inside the ladder: the error is at the file's last line.
        LibraryCase{"truncated.lib", -1, IDS_FILE_FORMAT_ERROR, "Error in file %s at line 13\n"}));

TEST(LibraryFile, CopiesEachShapesValuesIntoItsParts) {
    Store store;
    store.ReadCatalogue(FixturePath("store/good/cap.vorn"));
    ASSERT_EQ(store.ReadLibrary(FixturePath("store/good/vorncap.lib")), 0);
    EXPECT_EQ(store.modelCount, 5u);

    const CapacitorRecord& a = store.Part("QAKA106M010RNJ"); // shares the K model
    EXPECT_STREQ(a.libraryName, "QAKA106K010");
    EXPECT_DOUBLE_EQ(a.lesl, 1.8e-9);
    EXPECT_DOUBLE_EQ(a.rels, 10);
    EXPECT_DOUBLE_EQ(a.rp, 2.5e7);
    EXPECT_DOUBLE_EQ(a.ladderR[5], 0.06);
    EXPECT_DOUBLE_EQ(a.ladderC[5], 6e-6);
    EXPECT_DOUBLE_EQ(a.ladderCTc[5].tc1, 6e-3);
    EXPECT_DOUBLE_EQ(a.ladderRTc[5].tc2, 6.5e-6);
    EXPECT_EQ(a.tMeasured, 25.0);
    EXPECT_EQ(a.cP, 0.0);
    EXPECT_EQ(a.lP, 0.0);
    EXPECT_EQ(a.rP, 0.0);

    const CapacitorRecord& b = store.Part("QCLB227M006RNJ");
    EXPECT_DOUBLE_EQ(b.ladderR[3], 0.04);
    EXPECT_DOUBLE_EQ(b.ladderC[3], 4e-6);
    EXPECT_EQ(b.ladderR[4], 1.0); // unused stages stay 1 Ω links
    EXPECT_EQ(b.ladderR[5], 1.0);
    EXPECT_EQ(b.ladderC[4], 0.0);
    EXPECT_EQ(b.ladderC[5], 0.0);
    EXPECT_EQ(b.ladderCTc[4].tc1, 0.0);

    const CapacitorRecord& c = store.Part("QCRD107M010RNJ");
    EXPECT_DOUBLE_EQ(c.ladderR[2], 0.03);
    EXPECT_EQ(c.ladderR[3], 1.0);
    EXPECT_DOUBLE_EQ(c.cP, 2.2e-9);
    EXPECT_DOUBLE_EQ(c.lP, 3.3e-9);
    EXPECT_DOUBLE_EQ(c.rP, 0.5);

    const CapacitorRecord& f = store.Part("QCT1C106MRA"); // family F: K at position 8
    EXPECT_STREQ(f.libraryName, "QCT1C106KRA");
    EXPECT_DOUBLE_EQ(f.ladderC[0], 1e-6);

    // The comments, blank lines and LF ends of another file change nothing.
    Store commented;
    commented.ReadCatalogue(FixturePath("library/cap.vorn"));
    ASSERT_EQ(commented.ReadLibrary(FixturePath("library/comments_lf.lib")), 0);
    ASSERT_EQ(commented.catalogueCount, store.catalogueCount);
    for (std::uint32_t i = 0; i < store.catalogueCount; ++i) {
        EXPECT_EQ(std::memcmp(store.catalogueIndex[i], commented.catalogueIndex[i],
                              sizeof(CapacitorRecord)),
                  0)
            << store.catalogueIndex[i]->partNumber;
    }
}

TEST(LibraryFile, KeepsTheMatchesBeforeAFailure) {
    Store store;
    store.ReadCatalogue(FixturePath("library/cap.vorn"));
    const std::string dir = MakeTempDir("library-partial");
    // Only the K model of the first part: its two tolerances are joined, the next part fails.
    const std::string path = dir + "/vorncap.lib";
    std::string text = generated::LibraryBlock("QAKA106K010");
    ASSERT_TRUE(generated::WriteFile(path, text));
    ASSERT_EQ(store.ReadLibrary(path), -1);
    EXPECT_DOUBLE_EQ(store.Part("QAKA106K010RNJ").ladderR[3], 0.015);
    EXPECT_DOUBLE_EQ(store.Part("QAKA106M010RNJ").ladderC[5], 4.7e-6);
    // The message shows '*' but the record keeps its part number.
    EXPECT_EQ(store.sink.messages.at(0).id, IDS_MISSING_MODEL);
    EXPECT_STREQ(store.Part("QAKD107K010R0150").partNumber, "QAKD107K010R0150");
}

// A library with one model per shape, cut short after the line that starts with `cutAfter`
// (its last occurrence when `last`), or with a value replaced.
struct OneModelLibrary {
    std::string dir = MakeTempDir("library-one");
    std::string cataloguePath = dir + "/cap.vorn";
    std::string text;

    explicit OneModelLibrary(int model) {
        EXPECT_TRUE(generated::WriteFile(cataloguePath, generated::CatalogueText(model + 1)));
        text = generated::LibraryText(model + 1);
    }
    // 1-based line number of the last line starting with `prefix`.
    long LineOf(const std::string& prefix) const {
        const size_t at = text.rfind("\n" + prefix);
        EXPECT_NE(at, std::string::npos) << prefix;
        return std::count(text.begin(), text.begin() + static_cast<long>(at) + 1, '\n') + 1;
    }
    void CutAfterLineOf(const std::string& prefix) {
        size_t at = text.rfind("\n" + prefix);
        ASSERT_NE(at, std::string::npos) << prefix;
        text.erase(text.find('\n', at + 1) + 1);
    }
    // Replaces `from` in the last line that starts with `prefix`.
    void Replace(const std::string& prefix, const std::string& from, const std::string& to) {
        const size_t at = text.find(from, text.rfind("\n" + prefix));
        ASSERT_NE(at, std::string::npos) << from;
        text.replace(at, from.size(), to);
    }
    int Load(Store& store) const {
        const std::string path = dir + "/vorncap.lib";
        EXPECT_TRUE(generated::WriteFile(path, text));
        store.ReadCatalogue(cataloguePath);
        return store.ReadLibrary(path);
    }
};

TEST(LibraryFile, RefusesAFileCutBeforeTheLastRequiredLineOfABlock) {
    const struct {
        const char* cutAfter; // the file ends after this line of the last block
        const char* trailer;  // lines after the cut
        bool loads;
    } cases[] = {
        {".SUBCKT", "", false},
        {"Lesl", "", false},
        {"R4", "", false},                         // inside the ladder
        {"R4", "* copied in part\r\n\r\n", false}, // the error is still at the last line
        {".MODEL CMOD6", "", false},
        {".MODEL RMOD6", "", true}, // only the diode line and .ENDS missing
        {".MODEL DFWD", "", true},  // only .ENDS missing
    };
    for (const auto& c : cases) {
        OneModelLibrary library(0);
        library.CutAfterLineOf(c.cutAfter);
        library.text += c.trailer;
        Store store;
        const long lastLine = std::count(library.text.begin(), library.text.end(), '\n');
        if (c.loads) {
            EXPECT_EQ(library.Load(store), 0) << c.cutAfter;
            EXPECT_TRUE(store.sink.messages.empty());
            EXPECT_DOUBLE_EQ(store.catalogueIndex[0]->ladderRTc[5].tc1, 1.463615e-3);
            continue;
        }
        EXPECT_EQ(library.Load(store), -1) << c.cutAfter;
        ASSERT_EQ(store.sink.messages.size(), 1u) << c.cutAfter;
        EXPECT_EQ(store.sink.messages[0].id, IDS_FILE_FORMAT_ERROR);
        EXPECT_NE(store.sink.messages[0].text.find(" at line " + std::to_string(lastLine) + "\n"),
                  std::string::npos)
            << c.cutAfter << ": " << store.sink.messages[0].text;
    }
}

TEST(LibraryFile, RefusesValuesThatNoComputationCouldUse) {
    // Model 0 is of the six-stage ladder, model 21 of the QCR shape with its parallel branch.
    const struct {
        int model;
        const char* line; // the line whose value is replaced
        const char* from;
        const char* to;
        bool loads;
    } cases[] = {
        {0, "Rels", "Rels 1 2 10", "Rels 1 2 -1", false}, // ESR and its ripple root undefined
        {0, "Rels", "Rels 1 2 10", "Rels 1 2 0", false},
        {0, "Rp", "2.500000e+007", "0", false},
        {0, "Rp", "2.500000e+007", "1e101", false}, // beyond what a computation holds
        {0, "Rp", "2.500000e+007", "1e34", true},
        {0, "Rels", "Rels 1 2 10", "Rels 1 2 1e999", false}, // overflow in the text
        {0, "Lesl", "1.800000e-009", "-1e-9", false},
        {0, "Lesl", "1.800000e-009", "0", true},           // no inductance: a short
        {0, "C6", "CMOD6 4.700000e-006", "CMOD6 0", true}, // evaluated as 1e-50 F
        {0, "C6", "CMOD6 4.700000e-006", "CMOD6 -1e-9", false},
        {0, "R6", "RMOD6 1.500000e-002", "RMOD6 1e-31", true},
        {0, "R6", "RMOD6 1.500000e-002", "RMOD6 1e-101", false},
        // R6 falls to zero and below before 195 °C: 1 - 0.01 * 170 < 0.
        {0, ".MODEL RMOD6", "TC1=1.463615e-003 TC2=-4.147800e-005", "TC1=-1.000000e-002 TC2=0",
         false},
        // C6 grows past what a computation holds: 4.7e-6 * 1e104 * 170^2.
        {0, ".MODEL CMOD6", "TC1=1.463615e-003 TC2=-4.147800e-005", "TC1=0 TC2=1e104", false},
        {0, ".MODEL CMOD6", "TC1=1.463615e-003 TC2=-4.147800e-005", "TC1=0 TC2=1e35", true},
        {0, ".MODEL CMOD6", "TC1=1.463615e-003 TC2=-4.147800e-005", "TC1=1e999 TC2=0", false},
        {0, ".MODEL CMOD6", "TC1=1.463615e-003 TC2=-4.147800e-005", "TC1=0 TC2=1e-5", true},
        {21, "C_P", "2.2e-009", "-2.2e-009", false},
        {21, "R_P", "R_P 6 9 0.5", "R_P 6 9 0", false},
        {21, "L_P", "3.3e-009", "0", true},
    };
    for (const auto& c : cases) {
        OneModelLibrary library(c.model);
        const long line = library.LineOf(c.line);
        library.Replace(c.line, c.from, c.to);
        Store store;
        if (c.loads) {
            EXPECT_EQ(library.Load(store), 0) << c.to;
            continue;
        }
        EXPECT_EQ(library.Load(store), -1) << c.to;
        ASSERT_EQ(store.sink.messages.size(), 1u) << c.to;
        EXPECT_EQ(store.sink.messages[0].id, IDS_FILE_FORMAT_ERROR) << c.to;
        EXPECT_NE(store.sink.messages[0].text.find(" at line " + std::to_string(line) + "\n"),
                  std::string::npos)
            << c.to << ": " << store.sink.messages[0].text;
    }
}

TEST(LibraryFile, ReportsFilesThatCannotBeOpenedOrRead) {
    const struct {
        std::string path;
        int id;
        std::string text;
    } cases[] = {
        {FixturePath("library/no-such.lib"), IDS_CANNOT_OPEN_FILE,
         "Cannot open file " + FixturePath("library/no-such.lib") + "\n"},
        // A folder opens as a stream here, but reading it fails.
        {FixturePath("library"), IDS_CANNOT_READ_FILE,
         "Cannot read from file (line 1) " + FixturePath("library") + " \n"},
    };
    for (const auto& c : cases) {
        Store store;
        store.ReadCatalogue(FixturePath("library/cap.vorn"));
        EXPECT_EQ(store.ReadLibrary(c.path), -1);
        ASSERT_EQ(store.sink.messages.size(), 1u);
        EXPECT_EQ(store.sink.messages[0].id, c.id);
        EXPECT_EQ(store.sink.messages[0].icon, MessageIcon::Error);
        EXPECT_EQ(store.sink.messages[0].text, c.text);
    }
}

TEST(LibraryFile, RefusesTheSubcircuitBeyondTheTable) {
    const std::string dir = MakeTempDir("library-limit");
    const std::string cataloguePath = dir + "/cap.vorn";
    ASSERT_TRUE(generated::WriteFile(cataloguePath, generated::CatalogueText(3)));
    for (const std::uint32_t models : {kMaxModels, kMaxModels + 1}) {
        const std::string text = generated::LibraryText(static_cast<int>(models));
        const std::string path = dir + "/lib" + std::to_string(models) + ".lib";
        ASSERT_TRUE(generated::WriteFile(path, text));
        Store store;
        store.ReadCatalogue(cataloguePath);
        if (models == kMaxModels) {
            EXPECT_EQ(store.ReadLibrary(path), 0);
            EXPECT_EQ(store.modelCount, kMaxModels);
            EXPECT_TRUE(store.sink.messages.empty());
            continue;
        }
        // The line of the .SUBCKT that does not fit.
        size_t position = 0;
        for (std::uint32_t i = 0; i <= kMaxModels; ++i)
            position = text.find(".SUBCKT", i == 0 ? 0 : position + 1);
        const long line = std::count(text.begin(), text.begin() + position, '\n') + 1;
        EXPECT_EQ(store.ReadLibrary(path), -1);
        EXPECT_EQ(store.modelCount, kMaxModels);
        ASSERT_EQ(store.sink.messages.size(), 1u);
        EXPECT_EQ(store.sink.messages[0].id, IDS_FILE_FORMAT_ERROR);
        EXPECT_EQ(store.sink.messages[0].text,
                  "Error in file " + path + " at line " + std::to_string(line) + "\n");
    }
}

} // namespace
