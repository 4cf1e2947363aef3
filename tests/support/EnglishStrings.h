#pragma once

#include "Messages.h"

#include <map>
#include <string>

// The English string table of the resource library, read straight from
// resources/strings/en.json, for the Qt-free tests: the loaders' messages are checked
// against the very texts the program shows, without typing them a second time.
class EnglishStrings : public IStringTable {
public:
    // Reads the table; throws std::runtime_error naming the file and the position when it
    // cannot be read or is not an object of id/text pairs.
    EnglishStrings();
    explicit EnglishStrings(const std::string& path);

    std::string GetString(int id) const override;
    std::size_t Count() const { return m_strings.size(); }

private:
    std::map<int, std::string> m_strings;
};
