#include "NumberText.h"

#include <charconv>

std::string ShortestNumber(double value) {
    char text[64];
    const std::to_chars_result result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

void AppendShortestNumber(std::string& text, double value) {
    char digits[64];
    const std::to_chars_result result = std::to_chars(digits, digits + sizeof digits, value);
    text.append(digits, result.ptr);
}

std::string RoundedNumber(double value, int significant) {
    char text[64];
    const std::to_chars_result result =
        std::to_chars(text, text + sizeof text, value, std::chars_format::general, significant);
    return std::string(text, result.ptr);
}
