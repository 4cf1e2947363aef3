#include "Catalogue.h"
#include "DataTestSupport.h"
#include "EnglishStrings.h"
#include "RecordIndex.h"
#include "StringIds.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

namespace {

// ---- one line ---------------------------------------------------------------------------

struct DecodedCase {
    const char* line;
    const char* partNumber;
    char family;
    const char* series;
    char caseCode;
    char tolerance;
    double capacitance;
    double ratedVoltage;
    double dclMax;
    double dfMax;
    double esrMax;
};

class CatalogueLine : public ::testing::TestWithParam<DecodedCase> {};

TEST_P(CatalogueLine, DecodesThePartNumberAndAppliesTheColumns) {
    const DecodedCase& c = GetParam();
    CapacitorRecord record;
    ASSERT_TRUE(ParseCatalogueLine(c.line, record)) << c.line;
    EXPECT_STREQ(record.partNumber, c.partNumber);
    EXPECT_EQ(record.family, c.family);
    EXPECT_STREQ(record.series, c.series);
    EXPECT_EQ(record.caseCode, c.caseCode);
    EXPECT_EQ(record.tolerance, c.tolerance);
    EXPECT_DOUBLE_EQ(record.capacitance, c.capacitance);
    EXPECT_DOUBLE_EQ(record.ratedVoltage, c.ratedVoltage);
    EXPECT_NEAR(record.dclMax, c.dclMax, 1e-12);
    EXPECT_DOUBLE_EQ(record.dfMax, c.dfMax);
    EXPECT_DOUBLE_EQ(record.esrMax, c.esrMax);
    // Model fields start cleared; the library fills them in later.
    EXPECT_EQ(record.ladderR[0], 0.0);
    EXPECT_EQ(record.lesl, 0.0);
    EXPECT_EQ(record.tMeasured, 25.0);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CatalogueLine,
    ::testing::Values(
        // Derived values only: 10 µF, "006" means 6.3 V, leakage 0.01 · C · U for family T.
        DecodedCase{"QAKA106K006R\tQAKA106K006", "QAKA106K006RNJ", 'T', "QAK", 'A', 'K', 10, 6.3,
                    0.63, 0, 0},
        // The ordering suffix of three series is spelt differently; family N leaks 0.02 · C · U.
        DecodedCase{"QBTB226M002R\tQBTB226M002", "QBTB226M002RWJ", 'N', "QBT", 'B', 'M', 22, 2.5,
                    1.1, 0, 0},
        // The spelling follows the series code only when it is written in upper case.
        DecodedCase{"qbtB226M002R\tQBTB226M002", "qbtB226M002RNJ", 'N', "qbt", 'B', 'M', 22, 2.5,
                    1.1, 0, 0},
        DecodedCase{"QAUC335K001R\tQAUC335K001", "QAUC335K001RRJ", 'T', "QAU", 'C', 'K', 3.3, 1.8,
                    0.0594, 0, 0},
        DecodedCase{"QAWD107M010R\tQAWD107M010", "QAWD107M010RJN", 'T', "QAW", 'D', 'M', 100, 10,
                    10, 0, 0},
        // Only an upper-case R is completed; a 14-character code still fits once completed.
        DecodedCase{"QAKA106K010A\tQAKA106K010", "QAKA106K010A", 'T', "QAK", 'A', 'K', 10, 10, 1, 0,
                    0},
        DecodedCase{"QAKA106K010r\tQAKA106K010", "QAKA106K010r", 'T', "QAK", 'A', 'K', 10, 10, 1, 0,
                    0},
        DecodedCase{"QAKA106K010ABR\tQAKA106K010", "QAKA106K010ABRNJ", 'T', "QAK", 'A', 'K', 10, 10,
                    1, 0, 0},
        // Family F: voltage code at 3..4, case letter at 9, a two-word case column.
        DecodedCase{"QCT1C106MRA\tQCT1C106MRA\tQCT\tR QCT", "QCT1C106MRA", 'F', "QCT", 'R', 'M', 10,
                    16, 1.6, 0, 0},
        DecodedCase{"QCV0J476MPA\tQCV0J476MPA\tQCV\tP QCV\t47\t6.3\t3\t10\t900", "QCV0J476MPA", 'F',
                    "QCV", 'P', 'M', 47, 6.3, 3, 10, 900},
        // ESR digits of a 16-character code with an R (either case) at position 11.
        DecodedCase{"QAKD107K010R0150\tQAKD107K010\tQAK\tD\t100\t10\t10\t8", "QAKD107K010R0150",
                    'T', "QAK", 'D', 'K', 100, 10, 10, 8, 150},
        DecodedCase{"QAKD107K010r0075\tQAKD107K010", "QAKD107K010r0075", 'T', "QAK", 'D', 'K', 100,
                    10, 10, 0, 75},
        // Every column given, separated by blanks instead of tabs.
        DecodedCase{"QAKA106K010R QAKA106K010  QAK A 10.5 12 1.2e1 6 3000", "QAKA106K010RNJ", 'T',
                    "QAK", 'A', 'K', 10.5, 12, 12, 6, 3000},
        // An empty DF column is not seen: the ESR value moves up into it.
        DecodedCase{"QAKA106K010R\tQAKA106K010\tQAK\tA\t10\t10\t1\t\t3000", "QAKA106K010RNJ", 'T',
                    "QAK", 'A', 'K', 10, 10, 1, 3000, 0},
        // A dash keeps the derived value, and the following column keeps its place.
        DecodedCase{"QAKA106K010R\tQAKA106K010\tQAK\tA\t-\t10\t1\t-\t3000", "QAKA106K010RNJ", 'T',
                    "QAK", 'A', 'K', 10, 10, 1, 0, 3000},
        // A three-letter series column changes series and family, not the derived leakage;
        // a case column longer than one letter is not used.
        DecodedCase{"QAKA106K010R\tQAKA106K010\tQBT\tAB", "QAKA106K010RNJ", 'N', "QBT", 'A', 'K',
                    10, 10, 1, 0, 0},
        // What the file says, however odd: voltage digits "000" give 0 V and no leakage
        // current, a DF of -1 and a capacitance column of 0 are kept.
        DecodedCase{"QAKA106K000R\tQAKA106K000", "QAKA106K000RNJ", 'T', "QAK", 'A', 'K', 10, 0, 0,
                    0, 0},
        DecodedCase{"QAKA106K010R\tQAKA106K010\tQAK\tA\t0\t10\t1\t-1\t3000", "QAKA106K010RNJ", 'T',
                    "QAK", 'A', 'K', 0, 10, 1, -1, 3000},
        // CR LF line end.
        DecodedCase{"QAKA106K010R\tQAKA106K010\tQAK\tA\t10\t10\t1\t6\t3000\r\n", "QAKA106K010RNJ",
                    'T', "QAK", 'A', 'K', 10, 10, 1, 6, 3000}));

TEST(CatalogueLine, RefusesMalformedRows) {
    const char* const lines[] = {
        "QAKA106K01\tQAKA106K010",         // part number of 10 characters
        "QAKA106K010ABCDEF\tQAKA106K010",  // of 17
        "QAKA106K010R",                    // no library name
        "QAKA106K010R\tQAKA106K01",        // library name of 10 characters
        "QAKA106K010R\tQAKA106K010ABCDEF", // of 17
        "QAKA1A6K010R\tQAKA106K010",       // capacitance digits
        "QAKA10XK010R\tQAKA106K010",       // exponent digit
        "QAKA106K0X0R\tQAKA106K010",       // voltage digits
        "QCT1X106MRA\tQCT1C106MRA",        // family-F voltage code not in the table
        "QAKD107K010R01X0\tQAKD107K010",   // ESR digits
        "QAKA106K010ABCR\tQAKA106K010",    // 15 characters + "NJ" would not fit
        "QAKA106K010ABCDR\tQAKA106K010",   // 16 characters + "NJ" would not fit
        " QAKA106K010R\tQAKA106K010",      // part number not in the first column
        // Values no computation can hold, which would print as infinities: beyond a double
        // (not a placeholder) and beyond the sizes of ValueLimits.
        "QAKA106K010R\tQAKA106K010\tQAK\tA\t10\t1e999\t1\t6\t3000",
        "QAKA106K010R\tQAKA106K010\tQAK\tA\t10\t10\t1\t6\t-1e400",
        "QAKA106K010R\tQAKA106K010\tQAK\tA\t10\t1e308\t1\t6\t3000",
        "QAKA106K010R\tQAKA106K010\tQAK\tA\t-1e101\t10\t1\t6\t3000",
    };
    for (const char* line : lines) {
        CapacitorRecord record;
        EXPECT_FALSE(ParseCatalogueLine(line, record)) << line;
    }
}

// ---- whole files ------------------------------------------------------------------------

struct CatalogueTables {
    std::vector<CapacitorRecord> records = std::vector<CapacitorRecord>(kMaxCapacitors);
    std::vector<CapacitorRecord*> index = std::vector<CapacitorRecord*>(kMaxCapacitors);
    std::uint32_t count = 12345;
    RecordingSink sink;
    EnglishStrings strings;

    int Read(const std::string& path) {
        return ReadCatalogueFile(path.c_str(), records.data(), index.data(), count, sink, strings);
    }
};

struct FileCase {
    const char* fixture;
    int result;
    std::uint32_t count;
    int messageId;           // 0: no message
    const char* messageTail; // the text after the path, or the whole text for 34006
};

class CatalogueFile : public ::testing::TestWithParam<FileCase> {};

TEST_P(CatalogueFile, LoadsOrReportsTheFault) {
    const FileCase& c = GetParam();
    const std::string path = FixturePath(std::string("catalogue/") + c.fixture);
    CatalogueTables tables;
    EXPECT_EQ(tables.Read(path), c.result);
    EXPECT_EQ(tables.count, c.count);
    if (c.messageId == 0) {
        EXPECT_TRUE(tables.sink.messages.empty()) << tables.sink.messages[0].text;
        return;
    }
    ASSERT_EQ(tables.sink.messages.size(), 1u);
    EXPECT_EQ(tables.sink.messages[0].id, c.messageId);
    EXPECT_EQ(tables.sink.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(tables.sink.messages[0].text,
              (c.messageId == IDS_FILE_FORMAT_ERROR ? "Error in file " : "File ") + path +
                  c.messageTail);
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, CatalogueFile,
    ::testing::Values(
        FileCase{"header_blank.vorn", 0, 0, 0, ""}, FileCase{"comments_lf.vorn", 0, 3, 0, ""},
        // The first 259 characters of a long comment line are the comment; the rest is read
        // as the next line, here a valid row.
        FileCase{"long_line_record.vorn", 0, 2, 0, ""},
        // The rest of a long row arrives as line 3.
        FileCase{"long_line_error.vorn", -1, 0, IDS_FILE_FORMAT_ERROR, " at line 3\n"},
        FileCase{"overflow_suffix.vorn", -1, 0, IDS_FILE_FORMAT_ERROR, " at line 3\n"},
        FileCase{"short_library_name.vorn", -1, 0, IDS_FILE_FORMAT_ERROR, " at line 4\n"},
        FileCase{"leading_blank.vorn", -1, 0, IDS_FILE_FORMAT_ERROR, " at line 3\n"},
        FileCase{"duplicate.vorn", -1, 4, IDS_DUPLICATE_CAPACITOR,
                 " contains duplicate capacitor QAKA106K010RNJ"},
        // Part numbers that differ only in letter case are different parts...
        FileCase{"case_differs.vorn", 0, 3, 0, ""},
        // ...which must not hide a real duplicate from the neighbour check.
        FileCase{"case_triple.vorn", -1, 3, IDS_DUPLICATE_CAPACITOR,
                 " contains duplicate capacitor QAKA106K010RNJ"}));

TEST(CatalogueFile, SortsTheIndexInPartNumberOrder) {
    CatalogueTables tables;
    ASSERT_EQ(tables.Read(FixturePath("catalogue/comments_lf.vorn")), 0);
    ASSERT_EQ(tables.count, 3u);
    // File order is QAK, QBT, QCL; rank order is QAK (1), QCL (12), QBT (20).
    EXPECT_STREQ(tables.index[0]->partNumber, "QAKA106K010RNJ");
    EXPECT_STREQ(tables.index[1]->partNumber, "QCLC476K020RNJ");
    EXPECT_STREQ(tables.index[2]->partNumber, "QBTB226M016RWJ");
    EXPECT_DOUBLE_EQ(tables.index[2]->dclMax, 7.04);
}

TEST(CatalogueFile, ReportsFilesThatCannotBeOpenedOrRead) {
    CatalogueTables missing;
    const std::string path = FixturePath("catalogue/no-such-file.vorn");
    EXPECT_EQ(missing.Read(path), -1);
    EXPECT_EQ(missing.count, 0u);
    ASSERT_EQ(missing.sink.messages.size(), 1u);
    EXPECT_EQ(missing.sink.messages[0].id, IDS_CANNOT_OPEN_FILE);
    EXPECT_EQ(missing.sink.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(missing.sink.messages[0].text, "Cannot open file " + path + "\n");

    // A folder opens as a stream here, but reading it fails.
    CatalogueTables folder;
    const std::string folderPath = FixturePath("catalogue");
    EXPECT_EQ(folder.Read(folderPath), -1);
    EXPECT_EQ(folder.count, 0u);
    ASSERT_EQ(folder.sink.messages.size(), 1u);
    EXPECT_EQ(folder.sink.messages[0].id, IDS_CANNOT_READ_FILE);
    EXPECT_EQ(folder.sink.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(folder.sink.messages[0].text, "Cannot read from file (line 1) " + folderPath + " \n");
}

TEST(CatalogueFile, DoesNothingWithoutATable) {
    RecordingSink sink;
    EnglishStrings strings;
    std::uint32_t count = 7;
    EXPECT_EQ(ReadCatalogueFile("/no/such/file", nullptr, nullptr, count, sink, strings), 0);
    EXPECT_TRUE(sink.messages.empty());
}

TEST(CatalogueFile, StopsWithAWarningAtTheTenThousandthRecord) {
    const std::string dir = MakeTempDir("catalogue-limit");
    const struct {
        int rows;
        const char* trailer; // after the generated rows
        bool warned;
        std::uint32_t count;
    } cases[] = {
        {9999, "", false, 9999},
        {10000, "", true, 10000},            // the last line of the file
        {10000, "garbage\r\n", true, 10000}, // nothing after it is read
    };
    int fileNumber = 0;
    for (const auto& c : cases) {
        const std::string path = dir + "/cap" + std::to_string(++fileNumber) + ".vorn";
        ASSERT_TRUE(generated::WriteFile(path, generated::CatalogueText(c.rows) + c.trailer));
        CatalogueTables tables;
        EXPECT_EQ(tables.Read(path), 0) << c.rows;
        EXPECT_EQ(tables.count, c.count);
        if (c.warned) {
            ASSERT_EQ(tables.sink.messages.size(), 1u);
            EXPECT_EQ(tables.sink.messages[0].id, IDS_TOO_MANY_CAPACITORS);
            EXPECT_EQ(tables.sink.messages[0].icon, MessageIcon::Warning);
            EXPECT_EQ(tables.sink.messages[0].text,
                      "The number of capacitors is limited to 10 000");
        } else {
            EXPECT_TRUE(tables.sink.messages.empty());
        }
    }
}

} // namespace
