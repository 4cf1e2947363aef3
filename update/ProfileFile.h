#pragma once

#include <cstddef>
#include <string>

// The INI profile functions over the bytes of a settings file. Reading: the first section of
// the name and the first key of the name in it, both without regard to case; the value is
// the text after the first "=", without blanks around it and without one pair of quotes that
// encloses it whole. Writing one key changes that key's line, or adds the line at the end of
// its section, or adds the section at the end of the file; every other byte (comments, blank
// lines, other sections, unknown keys, CR LF or LF line ends) stays as it was.

// Larger settings files are refused unread; ours hold a few hundred bytes.
constexpr std::size_t kMaxSettingsFileSize = 1024 * 1024;

enum class ProfileFileStatus {
    Read,       // the file's bytes are in `text`
    Missing,    // there is no file: every key has its default
    TooLarge,   // over kMaxSettingsFileSize: not read, never rewritten
    Unreadable, // exists but cannot be read (a folder, no permission): never rewritten
};

// The whole file `path`, after its size was checked without reading it.
ProfileFileStatus ReadProfileFile(const std::string& path, std::string& text);

// The value of `key` in `section`; false when there is no such key.
bool GetProfileString(const std::string& text, const char* section, const char* key,
                      std::string& value);

// `text` with `key` of `section` set to `value`. A line break in the value becomes a blank;
// a value with blanks at either end, or enclosed in quotes, is written in quotes so that it
// reads back the same.
std::string SetProfileString(const std::string& text, const char* section, const char* key,
                             const std::string& value);
