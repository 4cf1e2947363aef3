#include "PartNumber.h"

#include "Series.h"
#include "TextLines.h"

#include <cstring>

void InitModelRecord(CapacitorRecord* record) {
    if (record == nullptr)
        return;
    std::memset(record, 0, sizeof *record);
    for (double& r : record->ladderR)
        r = 1.0;
    record->tMeasured = 25.0;
}

namespace {

struct VoltageCode {
    char code[3];
    double volts;
};

// Voltage codes of the family-F layout.
constexpr VoltageCode kVoltageCodes[] = {
    {"0G", 4.0}, {"0J", 6.3}, {"1A", 10.0}, {"1C", 16.0}, {"1D", 20.0}, {"1E", 25.0}, {"1V", 35.0},
};

bool LookUpVoltageCode(std::string_view code, double& volts) {
    for (const VoltageCode& entry : kVoltageCodes) {
        if (code == entry.code) {
            volts = entry.volts;
            return true;
        }
    }
    return false;
}

bool EndsWith(const char* text, size_t length, const char* suffix) {
    const size_t n = std::strlen(suffix);
    return length >= n && std::memcmp(text + length - n, suffix, n) == 0;
}

// The shown part number: an upper-case R at the end stands for the ordering suffix "RNJ",
// which three series spell differently.
bool CompleteSuffix(std::string_view word, char (&partNumber)[17]) {
    size_t length = word.size();
    std::memcpy(partNumber, word.data(), length);
    partNumber[length] = '\0';
    if (word.back() == 'R') {
        // The completed text must still fit the 16 characters of a part number.
        if (length + 2 > kMaxPartNumberLength)
            return false;
        std::memcpy(partNumber + length, "NJ", 3);
        length += 2;
    }
    if (!EndsWith(partNumber, length, "RNJ"))
        return true;
    char* suffix = partNumber + length - 3;
    if (std::strncmp(partNumber, "QBT", 3) == 0)
        std::memcpy(suffix, "RWJ", 3);
    else if (std::strncmp(partNumber, "QAU", 3) == 0)
        std::memcpy(suffix, "RRJ", 3);
    else if (std::strncmp(partNumber, "QAW", 3) == 0)
        std::memcpy(suffix, "RJN", 3);
    return true;
}

} // namespace

bool DecodePartNumber(std::string_view word, CapacitorRecord& record) {
    std::memset(&record, 0, sizeof record);
    record.tMeasured = 25.0;
    if (word.size() < kMinPartNumberLength || word.size() > kMaxPartNumberLength)
        return false;
    if (!CompleteSuffix(word, record.partNumber))
        return false;

    // Everything below comes from the part number as written, not the completed text.
    char code[kMaxPartNumberLength + 1];
    std::memcpy(code, word.data(), word.size());
    code[word.size()] = '\0';

    record.family = FamilyOf(code);
    const bool conformal = record.family == kFamilyConformal;
    std::memcpy(record.series, code, 3);
    record.series[3] = '\0';
    record.caseCode = code[conformal ? 9 : 3];
    record.tolerance = code[conformal ? 8 : 7];

    // Capacitance code: two digits and a power of ten, in pF.
    unsigned mantissa = 0;
    unsigned exponent = 0;
    const size_t capStart = conformal ? 5 : 4;
    if (!ParseDigits(word.substr(capStart, 2), mantissa) ||
        !ParseDigits(word.substr(capStart + 2, 1), exponent))
        return false;
    double picofarads = mantissa;
    for (unsigned i = 0; i < exponent; ++i)
        picofarads *= 10.0;
    record.capacitance = picofarads / 1e6; // pF to µF

    double volts = 0.0;
    if (conformal) {
        if (!LookUpVoltageCode(word.substr(3, 2), volts))
            return false;
    } else {
        unsigned digits = 0;
        if (!ParseDigits(word.substr(8, 3), digits))
            return false;
        volts = digits;
    }
    // Three-digit codes cannot write the fractional ratings.
    if (volts == 6.0)
        volts = 6.3;
    else if (volts == 2.0)
        volts = 2.5;
    else if (volts == 1.0)
        volts = 1.8;
    record.ratedVoltage = volts;

    const bool tantalumLeakage = record.family == kFamilyTantalum || conformal;
    record.dclMax = (tantalumLeakage ? 0.01 : 0.02) * record.capacitance * record.ratedVoltage;

    // Long part numbers with an R ordering letter carry the maximum ESR in mΩ.
    if (word.size() == 16 && !conformal && (word[11] == 'R' || word[11] == 'r')) {
        unsigned esr = 0;
        if (!ParseDigits(word.substr(12, 4), esr))
            return false;
        record.esrMax = esr;
    }
    return true;
}

bool IsSafeInFileName(std::string_view partNumber) {
    return !partNumber.empty() && partNumber.find_first_of("/\\") == std::string_view::npos &&
           partNumber.find("..") == std::string_view::npos &&
           partNumber.find('\0') == std::string_view::npos;
}
