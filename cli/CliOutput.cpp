#include "CliOutput.h"

#include "AtomicFile.h"
#include "CliSupport.h"
#include "NumberText.h"

#include <clocale>
#include <cmath>
#include <cstdlib>
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
    int code = 0;
    bool opened = false;
    if (WriteFileAtomically(path, text, AtomicFileOptions{}, &code, &opened))
        return true;
    error = (opened ? "Cannot write file " : "Cannot open file ") + path + ": " +
            std::system_category().message(code);
    return false;
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
