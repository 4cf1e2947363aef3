#include "VersionCheck.h"

#include <charconv>
#include <cmath>
#include <cstring>

bool ParseVersionText(const char* text, std::size_t length, float& version) {
    // The body is text up to its first zero byte, as a C string would be.
    const char* end = static_cast<const char*>(std::memchr(text, '\0', length));
    if (end == nullptr) {
        end = text + length;
    }
    const char* p = text;
    while (p < end && (*p == ' ' || (*p >= '\t' && *p <= '\r'))) {
        ++p;
    }
    // from_chars takes a minus sign but not a plus sign.
    if (p < end && *p == '+' && p + 1 < end && *(p + 1) != '-') {
        ++p;
    }
    float parsed = 0.0f;
    const std::from_chars_result result = std::from_chars(p, end, parsed);
    if (result.ec != std::errc() || !std::isfinite(parsed)) {
        return false;
    }
    version = parsed;
    return true;
}

bool IsNewerVersion(float version) {
    return version > kOfferedVersionThreshold;
}

int ChooseServer(int result1, float version1, int result2, float version2) {
    if (result1 != 0) {
        return (result2 != 0 && version2 > version1) ? 2 : 1;
    }
    return result2 != 0 ? 2 : 0;
}

QString UpdateObjectName(const QString& dir, const char* fileName) {
    return dir + QLatin1Char('/') + QString::fromLatin1(fileName);
}

bool HasExecutableSignature(const char* data, std::size_t length) {
    static const char kElf[4] = {'\x7f', 'E', 'L', 'F'};
    return length >= sizeof kElf && std::memcmp(data, kElf, sizeof kElf) == 0;
}
