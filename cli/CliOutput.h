#pragma once

#include "TableText.h"

#include <cstdio>
#include <string>
#include <vector>

// Output of the commands that go beyond the desktop program: CSV (RFC 4180), JSON, checked
// writes, and files that appear only once complete. Numbers come from NumberText.h and are
// written with a decimal point whatever the locale.

enum class OutputFormat { Text, Csv, Json };

// "text", "csv" or "json" into `format`, when `allowed` lists it (a mask of 1 << format).
bool ReadOutputFormat(const std::string& text, unsigned allowed, OutputFormat* format);
constexpr unsigned FormatBit(OutputFormat format) {
    return 1u << static_cast<unsigned>(format);
}

// Writes `text` as the file `path`: under a temporary name of its own in the same folder, then
// renamed, so that `path` holds the earlier file or the whole new one, never a part, however
// many runs write it at once. On failure nothing is left behind and `error` says why
// ("Cannot open file ..." or "Cannot write file ..." with the system's reason).
bool WriteFileWhole(const std::string& path, const std::string& text, std::string& error);

// Prints "zeltacli: <text>" on standard error and returns kExitFailure.
int CommandFailure(const std::string& text);

// For options given as "--name VALUE" or "--name=VALUE": when `arguments[i]` is the option
// `name`, stores its value, advances `i` past it and returns true. A missing value sets
// `missing`.
bool TakeOption(const std::vector<std::string>& arguments, size_t& i, const std::string& name,
                std::string* value, bool* missing);
