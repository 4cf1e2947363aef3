#include "SeriesRules.h"

#include "Series.h"

#include <cctype>
#include <cstring>

namespace {

char Upper(char c) {
    return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

} // namespace

bool SeriesIs(const char* series, const char* code) {
    if (series == nullptr)
        return false;
    for (int i = 0; i < 4; ++i) {
        if (Upper(series[i]) != Upper(code[i]))
            return false;
        if (code[i] == '\0')
            return true;
    }
    return true;
}

bool SeriesIsExactly(const char* series, const char* code) {
    return series != nullptr && std::strcmp(series, code) == 0;
}

char FamilyOfSeries(const char* series) {
    if (series == nullptr || series[0] == '\0')
        return '\0';
    return FamilyOf(series);
}
