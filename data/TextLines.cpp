#include "TextLines.h"

#include <algorithm>
#include <charconv>
#include <cmath>
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
    m_blockEnd = read;
    return true;
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

CWords::CWords(const char* text) {
    const char* p = text;
    for (;;) {
        while (IsBlank(*p))
            ++p;
        if (*p == '\0')
            break;
        const char* start = p;
        while (*p != '\0' && !IsBlank(*p))
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

bool ParseNumber(std::string_view text, double& value) {
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty())
        return false;
    // from_chars also takes "inf" and "nan"; a catalogue or model value never is one.
    const char c = text.front() == '-' && text.size() > 1 ? text[1] : text.front();
    if (!(c >= '0' && c <= '9') && c != '.')
        return false;
    double parsed = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(parsed))
        return false;
    value = parsed;
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
