#include "TextLines.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cstring>
#include <string>

namespace {

TEST(ParseNumber, ReadsWholeDecimalWordsExactlyAsTheStandardLibrary) {
    const char* const numbers[] = {
        "10",
        "6.3",
        "0.63",
        "+2",
        "-4.147800e-005",
        "1.800000e-009",
        "2.500000e+007",
        "1E3",
        ".5",
        "5.",
        "0",
        "-0",
        "1.463615e-003",
        "3.9999999999999998e-06",
        "123456789012345678",
        "12345678901234567890123", // more digits than the quick path takes
        "1e-300",
        "1.7976931348623157e308",
        "4.9e-324",
        "9007199254740993",
        "0.1e-22",
    };
    for (const char* text : numbers) {
        double expected = 0.0;
        const char* start = text[0] == '+' ? text + 1 : text;
        std::from_chars(start, text + std::strlen(text), expected);
        double value = -1.0;
        ASSERT_TRUE(ParseNumber(text, value)) << text;
        EXPECT_EQ(value, expected) << text; // bit for bit, not approximately
    }
    const char* const words[] = {"",    "-",     "+",     ".",     "e5",  "1e",
                                 "1e+", "1.2.3", "12abc", "1,5",   "--1", "+-1",
                                 "inf", "nan",   "0x10",  "1e400", " 1",  "1 "};
    for (const char* text : words) {
        double value = 7.0;
        EXPECT_FALSE(ParseNumber(text, value)) << '"' << text << '"';
        EXPECT_EQ(value, 7.0) << text;
    }
}

TEST(IsIgnoredLine, SkipsBlankAndCommentLinesOnly) {
    const struct {
        const char* line;
        bool ignored;
    } cases[] = {
        {"", true},
        {"\r\n", true},
        {" \t \r\n", true},
        {"* comment", true},
        {"   \t* indented", true},
        {"*", true},
        {"\xEF\xBB\xBF* after a byte-order mark", true},
        {"x * not a comment", false},
        {"QAKA106K010R", false},
        {"  .ENDS", false},
        {"\x7F", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsIgnoredLine(c.line), c.ignored) << '"' << c.line << '"';
}

TEST(CWords, SplitsOnAnyWhiteSpaceAndCountsEveryWord) {
    const CWords words("  Lesl\t1  2 \t1.8e-9\r\n");
    EXPECT_EQ(words.Count(), 4);
    EXPECT_EQ(words[0], "Lesl");
    EXPECT_EQ(words[3], "1.8e-9");
    EXPECT_EQ(words[4], "");

    std::string many;
    for (int i = 0; i < 20; ++i)
        many += "w" + std::to_string(i) + " ";
    const CWords longLine(many.c_str());
    EXPECT_EQ(longLine.Count(), 20);
    EXPECT_EQ(longLine[11], "w11");
    EXPECT_EQ(longLine[12], ""); // counted, not kept
    EXPECT_EQ(CWords("").Count(), 0);
}

} // namespace
