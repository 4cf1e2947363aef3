#include "SpiceNumber.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

std::string FormatSpiceNumber(double value) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.6e", value);
    char* e = std::strchr(buf, 'e');
    if (e == nullptr)
        return buf;
    // e[1] is the sign; widen the exponent digits to three.
    const size_t digits = std::strlen(e + 2);
    if (digits >= 3)
        return buf;
    std::string out(buf, static_cast<size_t>(e - buf) + 2);
    out.append(3 - digits, '0');
    out += e + 2;
    return out;
}

double RoundTripSpiceNumber(double value) {
    return std::strtod(FormatSpiceNumber(value).c_str(), nullptr);
}
