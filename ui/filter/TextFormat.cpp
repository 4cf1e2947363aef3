#include "TextFormat.h"

#include <charconv>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <locale.h>

namespace {

// True when `format` holds exactly one conversion and it takes a double.
bool IsSingleDoubleFormat(const std::string& format) {
    int conversions = 0;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%')
            continue;
        ++i;
        if (i < format.size() && format[i] == '%')
            continue;
        while (i < format.size() && std::strchr("-+ #0", format[i]) != nullptr)
            ++i;
        while (i < format.size() && format[i] >= '0' && format[i] <= '9')
            ++i;
        if (i < format.size() && format[i] == '.') {
            ++i;
            while (i < format.size() && format[i] >= '0' && format[i] <= '9')
                ++i;
        }
        if (i >= format.size() || format[i] == '\0' ||
            std::strchr("eEfFgGaA", format[i]) == nullptr)
            return false;
        ++conversions;
    }
    return conversions == 1;
}

// Switches this thread to the "C" locale for as long as it lives.
class ScopedCLocale {
public:
    ScopedCLocale() {
        static locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
        if (cLocale != static_cast<locale_t>(nullptr))
            previous_ = uselocale(cLocale);
    }
    ~ScopedCLocale() {
        if (previous_ != static_cast<locale_t>(nullptr))
            uselocale(previous_);
    }
    ScopedCLocale(const ScopedCLocale&) = delete;
    ScopedCLocale& operator=(const ScopedCLocale&) = delete;

private:
    locale_t previous_ = static_cast<locale_t>(nullptr);
};

} // namespace

std::string FormatDouble(const std::string& format, double value) {
    char buffer[260];
    ScopedCLocale cLocale;
    if (format.size() < 200 && IsSingleDoubleFormat(format))
        std::snprintf(buffer, sizeof buffer, format.c_str(), value);
    else
        std::snprintf(buffer, sizeof buffer, "%g", value);
    return buffer;
}

void FormatValue(double value, char* buffer, size_t size) {
    if (buffer == nullptr || size == 0)
        return;
    // Same text as "%g" in the "C" locale.
    char text[64];
    std::to_chars_result result =
        std::to_chars(text, text + sizeof text - 1, value, std::chars_format::general, 6);
    *result.ptr = '\0';
    std::snprintf(buffer, size, "%s", text);
}

double ParseValue(const char* text) {
    if (text == nullptr)
        return 0;
    double value = 0;
    if (std::from_chars(text, text + std::strlen(text), value).ec != std::errc())
        return 0;
    return value;
}
