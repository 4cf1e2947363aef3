#include "ProfileFile.h"

#include <cerrno>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(const std::string& a, const char* b) {
    std::size_t i = 0;
    for (; i < a.size() && b[i] != '\0'; ++i) {
        if (Lower(a[i]) != Lower(b[i]))
            return false;
    }
    return i == a.size() && b[i] == '\0';
}

std::string Trimmed(const std::string& text, std::size_t begin, std::size_t end) {
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

// One line of the file: [begin, end) without its line end, which runs to `next`.
struct Line {
    std::size_t begin;
    std::size_t end;
    std::size_t next;
};

std::vector<Line> SplitLines(const std::string& text) {
    std::vector<Line> lines;
    std::size_t begin = 0;
    // A byte-order mark that an editor put in front belongs to no line.
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0)
        begin = 3;
    while (begin < text.size()) {
        const std::size_t feed = text.find('\n', begin);
        const std::size_t next = feed == std::string::npos ? text.size() : feed + 1;
        std::size_t end = feed == std::string::npos ? text.size() : feed;
        if (end > begin && text[end - 1] == '\r')
            --end;
        lines.push_back({begin, end, next});
        begin = next;
    }
    return lines;
}

// The name of a section header "[name]" (up to the last "]"), or false for any other line.
bool SectionName(const std::string& text, const Line& line, std::string& name) {
    std::size_t begin = line.begin;
    while (begin < line.end && IsBlank(text[begin]))
        ++begin;
    if (begin == line.end || text[begin] != '[')
        return false;
    const std::size_t close = text.rfind(']', line.end - 1);
    if (close == std::string::npos || close <= begin)
        return false;
    name = Trimmed(text, begin + 1, close);
    return true;
}

// For a line "key = value": the key, and where the value's text begins (after the blanks
// that follow "="). False for comments and lines without "=".
bool KeyOf(const std::string& text, const Line& line, std::string& key, std::size_t& valueBegin) {
    std::size_t begin = line.begin;
    while (begin < line.end && IsBlank(text[begin]))
        ++begin;
    if (begin == line.end || text[begin] == ';')
        return false;
    const std::size_t equals = text.find('=', begin);
    if (equals == std::string::npos || equals >= line.end)
        return false;
    key = Trimmed(text, begin, equals);
    if (key.empty())
        return false;
    valueBegin = equals + 1;
    while (valueBegin < line.end && IsBlank(text[valueBegin]))
        ++valueBegin;
    return true;
}

std::string ValueOf(const std::string& text, const Line& line, std::size_t valueBegin) {
    std::string value = Trimmed(text, valueBegin, line.end);
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
        value = value.substr(1, value.size() - 2);
    return value;
}

// Where the section and the key stand: the index of the header line (-1: no such section),
// of the key's line (-1: no such key), and of the section's last line that is not blank.
struct Place {
    long header = -1;
    long key = -1;
    long lastFilled = -1;
    std::size_t valueBegin = 0;
};

Place Find(const std::string& text, const std::vector<Line>& lines, const char* section,
           const char* key) {
    Place place;
    std::string name;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (SectionName(text, lines[i], name)) {
            if (place.header >= 0)
                break; // the first section of the name is the one read and written
            if (SameName(name, section))
                place.header = place.lastFilled = static_cast<long>(i);
            continue;
        }
        if (place.header < 0)
            continue;
        if (!Trimmed(text, lines[i].begin, lines[i].end).empty())
            place.lastFilled = static_cast<long>(i);
        std::string lineKey;
        std::size_t valueBegin = 0;
        if (place.key < 0 && KeyOf(text, lines[i], lineKey, valueBegin) && SameName(lineKey, key)) {
            place.key = static_cast<long>(i);
            place.valueBegin = valueBegin;
        }
    }
    return place;
}

// The value as it is written: on one line, and quoted where reading would otherwise change
// it.
std::string EncodedValue(std::string value) {
    for (char& c : value) {
        if (c == '\r' || c == '\n' || c == '\0')
            c = ' ';
    }
    const bool blankAtEnds = !value.empty() && (IsBlank(value.front()) || IsBlank(value.back()));
    const bool enclosed =
        value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0];
    return blankAtEnds || enclosed ? '"' + value + '"' : value;
}

// The file's own line end: that of its first line, LF for a file without one.
std::string LineEnd(const std::string& text) {
    const std::size_t feed = text.find('\n');
    return feed != std::string::npos && feed > 0 && text[feed - 1] == '\r' ? "\r\n" : "\n";
}

} // namespace

ProfileFileStatus ReadProfileFile(const std::string& path, std::string& text) {
    text.clear();
    // Without blocking: a FIFO in its place must not hold the window until someone writes.
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (descriptor < 0)
        return errno == ENOENT || errno == ENOTDIR ? ProfileFileStatus::Missing
                                                   : ProfileFileStatus::Unreadable;
    struct stat info {};
    ProfileFileStatus status = ProfileFileStatus::Read;
    if (::fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode)) {
        status = ProfileFileStatus::Unreadable;
    } else if (static_cast<unsigned long long>(info.st_size) > kMaxSettingsFileSize) {
        status = ProfileFileStatus::TooLarge;
    } else {
        // Read up to one byte past the limit, in case the file grew since fstat.
        char buffer[16384];
        for (;;) {
            const ssize_t n = ::read(descriptor, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                status = ProfileFileStatus::Unreadable;
                break;
            }
            if (n == 0)
                break;
            text.append(buffer, static_cast<std::size_t>(n));
            if (text.size() > kMaxSettingsFileSize) {
                status = ProfileFileStatus::TooLarge;
                break;
            }
        }
    }
    ::close(descriptor);
    if (status != ProfileFileStatus::Read)
        text.clear();
    return status;
}

bool GetProfileString(const std::string& text, const char* section, const char* key,
                      std::string& value) {
    const std::vector<Line> lines = SplitLines(text);
    const Place place = Find(text, lines, section, key);
    if (place.key < 0)
        return false;
    value = ValueOf(text, lines[static_cast<std::size_t>(place.key)], place.valueBegin);
    return true;
}

std::string SetProfileString(const std::string& text, const char* section, const char* key,
                             const std::string& value) {
    const std::vector<Line> lines = SplitLines(text);
    const Place place = Find(text, lines, section, key);
    const std::string encoded = EncodedValue(value);
    const std::string end = LineEnd(text);

    if (place.key >= 0) {
        const Line& line = lines[static_cast<std::size_t>(place.key)];
        if (ValueOf(text, line, place.valueBegin) == value)
            return text; // already so: the line stays byte for byte
        // The key as it was spelt, and the blanks around "=", stay.
        return text.substr(0, place.valueBegin) + encoded + text.substr(line.end);
    }
    const std::string entry = std::string(key) + "=" + encoded;
    if (place.header >= 0) {
        const Line& last = lines[static_cast<std::size_t>(place.lastFilled)];
        // After the section's last line; a last line of the file without a line end gets one.
        if (last.next == last.end)
            return text.substr(0, last.end) + end + entry + end + text.substr(last.end);
        return text.substr(0, last.next) + entry + end + text.substr(last.next);
    }
    std::string result = text;
    if (!result.empty() && result.back() != '\n')
        result += end;
    return result + "[" + section + "]" + end + entry + end;
}
