#include "CliOutput.h"

#include "CliSupport.h"
#include "NumberText.h"

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

bool ReadOutputFormat(const std::string& text, unsigned allowed, OutputFormat* format) {
    const struct {
        const char* name;
        OutputFormat format;
    } kNames[] = {
        {"text", OutputFormat::Text}, {"csv", OutputFormat::Csv}, {"json", OutputFormat::Json}};
    for (const auto& entry : kNames) {
        if (text == entry.name && (allowed & FormatBit(entry.format)) != 0) {
            *format = entry.format;
            return true;
        }
    }
    return false;
}

bool WriteFileWhole(const std::string& path, const std::string& text, std::string& error) {
    // The temporary name sits in the same folder, so the rename never crosses file systems.
    const std::string temporary = path + ".partial";
    std::error_code ignored;
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) {
            error = "Cannot open file " + path;
            return false;
        }
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.flush();
        if (!out) {
            out.close();
            std::filesystem::remove(temporary, ignored);
            error = "Cannot write file " + path;
            return false;
        }
    }
    std::error_code renamed;
    std::filesystem::rename(temporary, path, renamed);
    if (renamed) {
        std::filesystem::remove(temporary, ignored);
        error = "Cannot write file " + path + ": " + renamed.message();
        return false;
    }
    return true;
}

int CommandFailure(const std::string& text) {
    PrintError("zeltacli: " + text);
    return kExitFailure;
}

bool TakeOption(const std::vector<std::string>& arguments, size_t& i, const std::string& name,
                std::string* value, bool* missing) {
    const std::string& word = arguments[i];
    if (word == name) {
        if (i + 1 >= arguments.size()) {
            *missing = true;
            return true;
        }
        *value = arguments[++i];
        return true;
    }
    if (word.rfind(name + "=", 0) == 0) {
        *value = word.substr(name.size() + 1);
        return true;
    }
    return false;
}
