#include "Messages.h"
#include "DataTestSupport.h"
#include "EnglishStrings.h"
#include "StringIds.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <fstream>
#include <stdexcept>
#include <string>

namespace {

TEST(LoaderTexts, AreTheResourceLibrarysEnglishStringsByteForByte) {
    const struct {
        int id;
        const char* text;
    } cases[] = {
        {34004, "Cannot open file %s\n"},
        {34005, "Error in file %s at line %i\n"},
        {34006, "The number of capacitors is limited to 10 000"},
        {34007, "Cannot read from file (line %i) %s \n"},
        {34008, "Library %s does not contain model for capacitor %s"},
        {34009, "Not enough memory"},
        {34056, "Library %s contains duplicate model %s"},
        {34057, "File %s contains duplicate capacitor %s"},
    };
    const EnglishStrings table;
    for (const auto& c : cases)
        EXPECT_EQ(table.GetString(c.id), c.text) << c.id;
    EXPECT_EQ(table.GetString(1), "");
}

// The tests' reader of the strings file must hand over every text exactly as the program's
// loader does, and refuse a file it cannot read rather than yield empty texts.
TEST(EnglishStrings, DecodesEveryEscapeAndRefusesMalformedFiles) {
    const std::string folder = MakeTempDir("strings");
    const auto write = [&folder](const std::string& name, const std::string& text) {
        const std::string path = folder + "/" + name;
        std::ofstream(path, std::ios::binary) << text;
        return path;
    };
    const EnglishStrings good(write("good.json",
                                    "{ \"7\": \"a\\tb\\n \\\"q\\\" \\\\ \\/\",\n"
                                    "  \"8\": \"25\\u00b0C 1\\u00B5F \\ud83d\\ude00 °\" }"));
    EXPECT_EQ(good.Count(), 2u);
    EXPECT_EQ(good.GetString(7), "a\tb\n \"q\" \\ /");
    EXPECT_EQ(good.GetString(8), "25\u00b0C 1\u00b5F \xf0\x9f\x98\x80 \u00b0");

    for (const char* bad :
         {"", "[]", "{\"x\": \"a\"}", "{\"1\": 2}", "{\"1\": \"a\"", "{\"1\": \"a\"} x",
          "{\"1\": \"\\q\"}", "{\"1\": \"\\ud800\"}", "{\"1\": \"a\", \"1\": \"b\"}"})
        EXPECT_THROW(EnglishStrings(write("bad.json", bad)), std::runtime_error) << bad;
    EXPECT_THROW(EnglishStrings(folder + "/missing.json"), std::runtime_error);
}

TEST(FormatString, FormatsPrintfStyleIncludingLongResults) {
    const EnglishStrings table;
    EXPECT_EQ(FormatString(table, IDS_FILE_FORMAT_ERROR, "/data/cap.vorn", 12),
              "Error in file /data/cap.vorn at line 12\n");
    EXPECT_EQ(FormatString(table, IDS_CANNOT_READ_FILE, 3, "x.lib"),
              "Cannot read from file (line 3) x.lib \n");
    // Paths far beyond any fixed buffer come through whole.
    const std::string longPath(5000, 'p');
    EXPECT_EQ(FormatString(table, IDS_CANNOT_OPEN_FILE, longPath.c_str()),
              "Cannot open file " + longPath + "\n");
    EXPECT_EQ(FormatString(table, 1), "");
}

TEST(ReportMessage, HandsIdIconAndFormattedTextToTheSink) {
    const EnglishStrings table;
    RecordingSink sink;
    ReportMessage(sink, table, IDS_DUPLICATE_MODEL, MessageIcon::Error, "v.lib", "QAKA106K010");
    ReportMessage(sink, table, IDS_TOO_MANY_CAPACITORS, MessageIcon::Warning);
    ASSERT_EQ(sink.messages.size(), 2u);
    EXPECT_EQ(sink.messages[0].id, IDS_DUPLICATE_MODEL);
    EXPECT_EQ(sink.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(sink.messages[0].text, "Library v.lib contains duplicate model QAKA106K010");
    EXPECT_EQ(sink.messages[1].icon, MessageIcon::Warning);
    EXPECT_EQ(sink.messages[1].text, "The number of capacitors is limited to 10 000");
}

} // namespace
