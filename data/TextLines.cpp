#include "TextLines.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

CTextLineReader::~CTextLineReader() {
    Close();
}

namespace {
constexpr size_t kBlockSize = 64 * 1024;
}

bool CTextLineReader::Open(const char* path) {
    Close();
    m_lineNumber = 0;
    m_blockBegin = m_blockEnd = 0;
    m_endOfFile = m_readError = false;
    m_file = std::fopen(path, "r");
    if (m_file == nullptr)
        return false;
    if (!m_block)
        m_block = std::make_unique<char[]>(kBlockSize);
    return true;
}

void CTextLineReader::Close() {
    if (m_file != nullptr) {
        std::fclose(m_file);
        m_file = nullptr;
    }
}

bool CTextLineReader::Fill() {
    if (m_file == nullptr || m_endOfFile || m_readError)
        return false;
    const size_t read = std::fread(m_block.get(), 1, kBlockSize, m_file);
    if (read == 0) {
        if (std::ferror(m_file))
            m_readError = true;
        else
            m_endOfFile = true;
        return false;
    }
    m_blockBegin = 0;
    m_blockEnd = TranslateLineEnds(read);
    return true;
}

// Text-mode reading: every CR LF pair reaches the line buffer as a single LF, so a line of
// 258 characters still fits one 260-byte read. A lone CR stays an ordinary character.
size_t CTextLineReader::TranslateLineEnds(size_t length) {
    char* block = m_block.get();
    if (block[length - 1] == '\r') {
        // The pair may straddle two blocks: look at the next byte before deciding.
        const int next = std::fgetc(m_file);
        if (next == '\n')
            block[length - 1] = '\n';
        else if (next != EOF)
            std::ungetc(next, m_file);
    }
    size_t out = 0;
    for (size_t in = 0; in < length; ++in) {
        if (block[in] == '\r' && in + 1 < length && block[in + 1] == '\n')
            continue;
        block[out++] = block[in];
    }
    return out;
}

// Cuts lines as fgets into a 260-byte buffer would: up to and including the next LF, or 259
// characters when the line is longer.
CTextLineReader::Result CTextLineReader::Next() {
    ++m_lineNumber;
    size_t length = 0;
    bool lineEnded = false;
    while (!lineEnded && length < kLineBufferSize - 1) {
        if (m_blockBegin == m_blockEnd && !Fill())
            break;
        const char* start = m_block.get() + m_blockBegin;
        const size_t available = std::min(kLineBufferSize - 1 - length, m_blockEnd - m_blockBegin);
        const void* newline = std::memchr(start, '\n', available);
        const size_t take =
            newline != nullptr ? static_cast<const char*>(newline) - start + 1 : available;
        std::memcpy(m_buffer + length, start, take);
        length += take;
        m_blockBegin += take;
        lineEnded = newline != nullptr;
    }
    m_buffer[length] = '\0';
    if (m_readError)
        return Result::ReadError;
    return length > 0 ? Result::Line : Result::EndOfFile;
}

bool IsIgnoredLine(const char* line) {
    for (const char* p = line; *p != '\0' && *p != '*'; ++p) {
        const auto c = static_cast<unsigned char>(*p);
        if (c >= 0x21 && c <= 0x7F)
            return false;
    }
    return true;
}

namespace {

// Character classes for splitting words: the end of the text, white space, word characters.
enum : unsigned char { kEnd, kSpace, kWord };

struct CharClasses {
    unsigned char of[256];
    constexpr CharClasses() : of() {
        for (int c = 0; c < 256; ++c)
            of[c] = c == 0 ? kEnd : (IsBlank(static_cast<char>(c)) ? kSpace : kWord);
    }
};
constexpr CharClasses kClasses;

unsigned char ClassOf(const char* p) {
    return kClasses.of[static_cast<unsigned char>(*p)];
}

} // namespace

CWords::CWords(const char* text) {
    const char* p = text;
    for (;;) {
        while (ClassOf(p) == kSpace)
            ++p;
        if (ClassOf(p) == kEnd)
            break;
        const char* start = p;
        while (ClassOf(p) == kWord)
            ++p;
        if (m_count < kMaxWords)
            m_words[m_count] = std::string_view(start, static_cast<size_t>(p - start));
        ++m_count;
    }
}

static char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i]))
            return false;
    }
    return true;
}

namespace {

// Powers of ten that a double holds exactly.
constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

bool ParseNumber(std::string_view text, double& value) {
    const char* p = text.data();
    const char* const end = p + text.size();
    bool negative = false;
    if (p != end && (*p == '+' || *p == '-'))
        negative = *p++ == '-';
    const char* const number = p;

    // Decimal mantissa and exponent, e.g. "-4.147800e-005".
    std::uint64_t mantissa = 0;
    const char* const integerStart = p;
    for (unsigned d; p != end && (d = static_cast<unsigned char>(*p) - '0') <= 9; ++p)
        mantissa = mantissa * 10 + d;
    int digits = static_cast<int>(p - integerStart);
    int exponent = 0;
    if (p != end && *p == '.') {
        const char* const fractionStart = ++p;
        for (unsigned d; p != end && (d = static_cast<unsigned char>(*p) - '0') <= 9; ++p)
            mantissa = mantissa * 10 + d;
        exponent = -static_cast<int>(p - fractionStart);
        digits -= exponent;
    }
    if (digits == 0)
        return false; // also "inf" and "nan", which no catalogue or model value is
    if (p != end && (*p == 'e' || *p == 'E')) {
        ++p;
        bool negativeExponent = false;
        if (p != end && (*p == '+' || *p == '-'))
            negativeExponent = *p++ == '-';
        if (p == end || !IsDigit(*p))
            return false;
        int written = 0;
        for (; p != end && IsDigit(*p); ++p)
            written = std::min(written * 10 + (*p - '0'), 100000);
        exponent += negativeExponent ? -written : written;
    }
    if (p != end)
        return false;

    // Exact mantissa and exact power of ten: one correctly rounded operation.
    if (digits <= 19 && mantissa <= (std::uint64_t{1} << 53) && exponent >= -22 && exponent <= 22) {
        const double m = static_cast<double>(mantissa);
        const double result =
            exponent < 0 ? m / kExactPowersOfTen[-exponent] : m * kExactPowersOfTen[exponent];
        value = negative ? -result : result;
        return true;
    }
    double parsed = 0.0;
    const auto [stop, error] = std::from_chars(number, end, parsed);
    if (error != std::errc() || stop != end || !std::isfinite(parsed))
        return false;
    value = negative ? -parsed : parsed;
    return true;
}

bool ParseDigits(std::string_view text, unsigned& value) {
    if (text.empty() || text.size() > 9)
        return false;
    unsigned parsed = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        parsed = parsed * 10 + static_cast<unsigned>(c - '0');
    }
    value = parsed;
    return true;
}
