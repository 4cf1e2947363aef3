#include "TextLines.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

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

// The lines, with their numbers, that text-mode reading into a 260-byte buffer gives for
// `bytes`: CR LF becomes LF first, then each read takes up to the next LF or 259 characters.
std::vector<std::pair<int, std::string>> TextModeLines(const std::string& bytes) {
    std::string text;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (!(bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n'))
            text += bytes[i];
    }
    std::vector<std::pair<int, std::string>> lines;
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        size_t length = end == std::string::npos ? text.size() - at : end - at + 1;
        length = std::min(length, kLineBufferSize - 1);
        lines.emplace_back(static_cast<int>(lines.size()) + 1, text.substr(at, length));
        at += length;
    }
    return lines;
}

std::vector<std::pair<int, std::string>> ReaderLines(const std::string& bytes) {
    char path[] = "/tmp/zelta_textlinesXXXXXX";
    const int fd = mkstemp(path);
    EXPECT_GE(fd, 0);
    EXPECT_EQ(write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    close(fd);
    std::vector<std::pair<int, std::string>> lines;
    CTextLineReader reader;
    EXPECT_TRUE(reader.Open(path));
    while (reader.Next() == CTextLineReader::Result::Line)
        lines.emplace_back(reader.LineNumber(), reader.Line());
    unlink(path);
    return lines;
}

TEST(CTextLineReader, CountsCrLfLinesAsTextModeReadingDoes) {
    // A 258-character line with CR LF is one line, so the next line keeps its number; 259
    // characters spill the LF into a line of its own, as they do with LF alone.
    const std::string fits(258, 'x');
    auto lines = ReaderLines(fits + "\r\nnext\r\n");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].second, fits + "\n");
    EXPECT_EQ(lines[1], std::make_pair(2, std::string("next\n")));
    EXPECT_EQ(ReaderLines(std::string(259, 'x') + "\r\nnext\r\n").size(), 3u);
    // A lone CR is an ordinary character, a CR at the end of the file is kept.
    EXPECT_EQ(ReaderLines("a\rb\r\nc\r").back().second, "c\r");
    EXPECT_EQ(ReaderLines("a\rb\r\nc\r").front().second, "a\rb\n");

    // Generated files, with CR LF pairs also falling on the reader's 64 KiB block boundary.
    std::mt19937 random(21);
    for (int file = 0; file < 60; ++file) {
        std::string bytes;
        const size_t size = file < 10 ? 65536 + 300 : 3000 + random() % 4000;
        if (file < 10)
            bytes = std::string(65535 - static_cast<size_t>(file), 'p') + "\r\n";
        while (bytes.size() < size) {
            const int kind = static_cast<int>(random() % 10);
            bytes += std::string(random() % 300, kind < 5 ? 'a' : 'b');
            bytes += kind < 7 ? "\r\n" : (kind < 9 ? "\n" : "\r");
        }
        EXPECT_EQ(ReaderLines(bytes), TextModeLines(bytes)) << "file " << file;
    }
}

} // namespace
