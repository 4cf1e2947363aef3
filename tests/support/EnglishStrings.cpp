#include "EnglishStrings.h"

#include <cstdint>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {

// Just enough JSON for the strings file: one object whose keys are decimal ids and whose
// values are strings, with every escape JSON allows (\uXXXX and surrogate pairs included).
class StringsParser {
public:
    StringsParser(std::string text, std::string path)
        : m_text(std::move(text)), m_path(std::move(path)) {}

    std::map<int, std::string> Parse() {
        std::map<int, std::string> table;
        Expect('{');
        SkipBlanks();
        if (Peek() == '}') {
            ++m_pos;
        } else {
            for (;;) {
                const std::string key = ReadString();
                Expect(':');
                const std::string value = ReadString();
                std::size_t used = 0;
                int id = 0;
                try {
                    id = std::stoi(key, &used);
                } catch (const std::exception&) {
                    used = 0;
                }
                if (used == 0 || used != key.size())
                    Fail("the key \"" + key + "\" is not a decimal id");
                if (!table.emplace(id, value).second)
                    Fail("id " + key + " appears twice");
                SkipBlanks();
                if (Peek() == ',') {
                    ++m_pos;
                    continue;
                }
                Expect('}');
                break;
            }
        }
        SkipBlanks();
        if (m_pos != m_text.size())
            Fail("text after the object");
        return table;
    }

private:
    [[noreturn]] void Fail(const std::string& what) const {
        throw std::runtime_error(m_path + " at byte " + std::to_string(m_pos) + ": " + what);
    }

    char Peek() const { return m_pos < m_text.size() ? m_text[m_pos] : '\0'; }

    void SkipBlanks() {
        while (m_pos < m_text.size() && (m_text[m_pos] == ' ' || m_text[m_pos] == '\n' ||
                                         m_text[m_pos] == '\r' || m_text[m_pos] == '\t'))
            ++m_pos;
    }

    void Expect(char c) {
        SkipBlanks();
        if (Peek() != c)
            Fail(std::string("expected '") + c + "'");
        ++m_pos;
    }

    unsigned ReadHex4() {
        if (m_pos + 4 > m_text.size())
            Fail("short \\u escape");
        unsigned value = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = m_text[m_pos++];
            value <<= 4;
            if (c >= '0' && c <= '9')
                value |= unsigned(c - '0');
            else if (c >= 'a' && c <= 'f')
                value |= unsigned(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F')
                value |= unsigned(c - 'A' + 10);
            else
                Fail("bad \\u escape");
        }
        return value;
    }

    static void AppendUtf8(std::string& out, std::uint32_t code) {
        if (code < 0x80) {
            out += char(code);
        } else if (code < 0x800) {
            out += char(0xC0 | (code >> 6));
            out += char(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += char(0xE0 | (code >> 12));
            out += char(0x80 | ((code >> 6) & 0x3F));
            out += char(0x80 | (code & 0x3F));
        } else {
            out += char(0xF0 | (code >> 18));
            out += char(0x80 | ((code >> 12) & 0x3F));
            out += char(0x80 | ((code >> 6) & 0x3F));
            out += char(0x80 | (code & 0x3F));
        }
    }

    std::string ReadString() {
        Expect('"');
        std::string out;
        for (;;) {
            if (m_pos >= m_text.size())
                Fail("unterminated string");
            const char c = m_text[m_pos++];
            if (c == '"')
                return out;
            if (static_cast<unsigned char>(c) < 0x20)
                Fail("control character inside a string");
            if (c != '\\') {
                out += c; // UTF-8 passes through unchanged
                continue;
            }
            const char e = Peek();
            ++m_pos;
            switch (e) {
            case '"':
                out += '"';
                break;
            case '\\':
                out += '\\';
                break;
            case '/':
                out += '/';
                break;
            case 'b':
                out += '\b';
                break;
            case 'f':
                out += '\f';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            case 'u': {
                std::uint32_t code = ReadHex4();
                if (code >= 0xD800 && code < 0xDC00) {
                    if (m_text.compare(m_pos, 2, "\\u") != 0)
                        Fail("lone high surrogate");
                    m_pos += 2;
                    const std::uint32_t low = ReadHex4();
                    if (low < 0xDC00 || low >= 0xE000)
                        Fail("bad low surrogate");
                    code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                } else if (code >= 0xDC00 && code < 0xE000) {
                    Fail("lone low surrogate");
                }
                AppendUtf8(out, code);
                break;
            }
            default:
                Fail("unknown escape");
            }
        }
    }

    std::string m_text;
    std::string m_path;
    std::size_t m_pos = 0;
};

} // namespace

EnglishStrings::EnglishStrings()
    : EnglishStrings(std::string(ZELTA_SOURCE_DIR) + "/resources/strings/en.json") {}

EnglishStrings::EnglishStrings(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("Cannot open " + path);
    std::ostringstream text;
    text << in.rdbuf();
    m_strings = StringsParser(text.str(), path).Parse();
}

std::string EnglishStrings::GetString(int id) const {
    const auto it = m_strings.find(id);
    return it == m_strings.end() ? std::string() : it->second;
}
