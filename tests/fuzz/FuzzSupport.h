#pragma once

// What the harnesses share: the readers take paths, so each input goes through a file of
// this process; messages are formatted (the printf path runs) and dropped.

#include "Messages.h"
#include "StringIds.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include <unistd.h>

namespace fuzz {

// Writes the input to a file of this process and returns its path.
inline const char* InputFile(const std::uint8_t* data, std::size_t size, const char* suffix) {
    static std::string path;
    path = "/tmp/zelta-fuzz-" + std::to_string(getpid()) + suffix;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return nullptr;
    if (size > 0)
        std::fwrite(data, 1, size, file);
    std::fclose(file);
    return path.c_str();
}

class CDroppingSink : public IMessageSink {
public:
    void ShowMessage(int, MessageIcon, const std::string&) override {}
};

// Every message has the arguments of its real text, so a wrong argument type still shows.
class CFormatStrings : public IStringTable {
public:
    std::string GetString(int id) const override {
        switch (id) {
        case IDS_CANNOT_OPEN_FILE:
            return "Cannot open file %s\n";
        case IDS_FILE_FORMAT_ERROR:
            return "Error in file %s at line %i\n";
        case IDS_CANNOT_READ_FILE:
            return "Cannot read from file (line %i) %s \n";
        case IDS_MISSING_MODEL:
            return "Library %s does not contain model for capacitor %s";
        case IDS_DUPLICATE_MODEL:
            return "Library %s contains duplicate model %s";
        case IDS_DUPLICATE_CAPACITOR:
            return "File %s contains duplicate capacitor %s";
        default:
            return "";
        }
    }
};

} // namespace fuzz
