#pragma once

#include <cstddef>
#include <cstdio>
#include <memory>
#include <string_view>

// Line-by-line reading shared by the catalogue and the model library. Each read fills a
// 260-byte buffer, so a line holds at most 259 characters and the rest of a longer line
// arrives as the next line. CR LF and LF line ends both work: a CR LF pair arrives as one LF,
// as text-mode reading hands it over, and a lone CR is white space.

constexpr size_t kLineBufferSize = 260;

class CTextLineReader {
public:
    CTextLineReader() = default;
    ~CTextLineReader();
    CTextLineReader(const CTextLineReader&) = delete;
    CTextLineReader& operator=(const CTextLineReader&) = delete;

    bool Open(const char* path);
    void Close();

    enum class Result { Line, EndOfFile, ReadError };
    // Reads the next line into Line(); LineNumber() is 1 for the first line read and grows by
    // one with every further read.
    Result Next();

    const char* Line() const { return m_buffer; }
    int LineNumber() const { return m_lineNumber; }

private:
    bool Fill();
    size_t TranslateLineEnds(size_t length);

    std::FILE* m_file = nullptr;
    int m_lineNumber = 0;
    char m_buffer[kLineBufferSize] = {};
    // The file is read in large blocks; lines are cut from the block into m_buffer.
    std::unique_ptr<char[]> m_block;
    size_t m_blockBegin = 0;
    size_t m_blockEnd = 0;
    bool m_endOfFile = false;
    bool m_readError = false;
};

// True when no byte from 0x21 to 0x7F occurs before the line's first '*': blank lines and
// comment lines.
bool IsIgnoredLine(const char* line);

// White space between words: blank, tab, CR, LF, vertical tab, form feed.
constexpr bool IsBlank(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u == ' ' || (u >= '\t' && u <= '\r');
}

// The white-space-separated words of a line. Up to kMaxWords are kept; Count() tells how many
// the line holds in all, so "exactly four words" can be checked on a line of any length.
class CWords {
public:
    static constexpr int kMaxWords = 12;

    explicit CWords(const char* text);

    int Count() const { return m_count; }
    std::string_view operator[](int i) const {
        return i < m_count && i < kMaxWords ? m_words[i] : std::string_view();
    }

private:
    std::string_view m_words[kMaxWords];
    int m_count = 0;
};

// Case-insensitive equality of ASCII text.
bool EqualsNoCase(std::string_view a, std::string_view b);

// A decimal floating-point number taking the whole of `text` ("1.8e-009", "+10", "25");
// false for anything else, infinities and NaN included. Independent of the C locale.
bool ParseNumber(std::string_view text, double& value);

// An unsigned decimal integer written with digits only ("006", "0150").
bool ParseDigits(std::string_view text, unsigned& value);
