#pragma once

#include <string>

// Texts handed between parts of the program fit in 260-byte buffers: 259 characters at most.
constexpr std::size_t kTextCapacity = 260;

inline std::string LimitText(const std::string& text) {
    return text.size() < kTextCapacity ? text : text.substr(0, kTextCapacity - 1);
}

inline std::string LimitText(const char* text) {
    return text == nullptr ? std::string() : LimitText(std::string(text));
}
