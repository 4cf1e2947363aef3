#include "TextLines.h"

#include <charconv>
#include <cmath>

CTextLineReader::~CTextLineReader() {
    Close();
}

bool CTextLineReader::Open(const char* path) {
    Close();
    m_lineNumber = 0;
    m_file = std::fopen(path, "r");
    return m_file != nullptr;
}

void CTextLineReader::Close() {
    if (m_file != nullptr) {
        std::fclose(m_file);
        m_file = nullptr;
    }
}

CTextLineReader::Result CTextLineReader::Next() {
    ++m_lineNumber;
    if (m_file == nullptr)
        return Result::ReadError;
    if (std::fgets(m_buffer, sizeof m_buffer, m_file) != nullptr)
        return Result::Line;
    m_buffer[0] = '\0';
    return std::ferror(m_file) ? Result::ReadError : Result::EndOfFile;
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
