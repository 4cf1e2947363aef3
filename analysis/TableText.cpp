#include "TableText.h"

#include "NumberText.h"
#include "TextLines.h"

#include <cmath>

std::string CsvRecord(const std::vector<std::string>& fields) {
    std::string line;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line += ',';
        const std::string& field = fields[i];
        if (field.find_first_of(",\"\r\n") == std::string::npos) {
            line += field;
            continue;
        }
        line += '"';
        for (char c : field) {
            if (c == '"')
                line += '"';
            line += c;
        }
        line += '"';
    }
    return line + "\r\n";
}

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20) {
                static const char kHex[] = "0123456789abcdef";
                out += "\\u00";
                out += kHex[c >> 4];
                out += kHex[c & 15];
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out + "\"";
}

std::string JsonNumber(double value) {
    return std::isfinite(value) ? ShortestNumber(value) : "null";
}

bool ReadQuantityArgument(const std::string& text, double* value) {
    const struct {
        char letter;
        double factor;
    } kPrefixes[] = {{'f', 1e-15}, {'p', 1e-12}, {'n', 1e-9}, {'u', 1e-6},
                     {'m', 1e-3},  {'k', 1e3},   {'M', 1e6},  {'G', 1e9}};
    if (ParseNumber(text, *value))
        return true;
    if (text.size() < 2)
        return false;
    for (const auto& prefix : kPrefixes) {
        if (text.back() == prefix.letter && ParseNumber(text.substr(0, text.size() - 1), *value)) {
            *value *= prefix.factor;
            return std::isfinite(*value);
        }
    }
    return false;
}

std::string EngineeringText(double value, const char* unit) {
    const struct {
        double threshold;
        const char* prefix;
    } kSteps[] = {{1e15, "P"}, {1e12, "T"}, {1e9, "G"},  {1e6, "M"},   {1e3, "k"},  {1, ""},
                  {1e-3, "m"}, {1e-6, "u"}, {1e-9, "n"}, {1e-12, "p"}, {1e-15, "f"}};
    if (!std::isfinite(value))
        return ShortestNumber(value) + " " + unit;
    for (const auto& step : kSteps) {
        if (std::fabs(value) >= step.threshold) {
            return RoundedNumber(value / step.threshold, 4) + " " + step.prefix + unit;
        }
    }
    return std::string("0 ") + unit;
}
