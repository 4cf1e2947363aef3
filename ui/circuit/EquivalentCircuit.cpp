#include "EquivalentCircuit.h"

#include "CapacitorRecord.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

struct PrefixStep {
    double threshold;
    char letter; // 0 for the step without a letter
};

constexpr PrefixStep kSteps[] = {
    {1e15, 'P'}, {1e12, 'T'}, {1e9, 'G'},  {1e6, 'M'},   {1e3, 'k'},   {1.0, 0},
    {1e-3, 'm'}, {1e-6, 'u'}, {1e-9, 'n'}, {1e-12, 'p'}, {1e-15, 'f'},
};

// The diode of every part's model carries this series resistance, ohm.
constexpr double kDiodeSeriesResistance = 0.1;

std::string FixedText(const char* text, std::size_t capacity) {
    return std::string(text, strnlen(text, capacity));
}

} // namespace

void FormatPrefixed(char* buffer, double value) {
    if (buffer == nullptr) {
        return;
    }
    buffer[0] = '\0';
    const double m = std::fabs(value);
    // A value that is no number at all has no printable magnitude either.
    if (std::isnan(m) || m > 1e18) {
        std::snprintf(buffer, kPrefixedBufferSize, "?");
        return;
    }
    for (const PrefixStep& step : kSteps) {
        if (m >= step.threshold) {
            if (step.letter == 0) {
                std::snprintf(buffer, kPrefixedBufferSize, "%.3g ", value / step.threshold);
            } else {
                std::snprintf(buffer, kPrefixedBufferSize, "%.3g %c", value / step.threshold,
                              step.letter);
            }
            return;
        }
    }
    std::snprintf(buffer, kPrefixedBufferSize, "0");
}

std::string FormatPrefixed(double value) {
    char buffer[kPrefixedBufferSize];
    FormatPrefixed(buffer, value);
    return buffer;
}

ModelTemplate ModelTemplateFor(const CapacitorRecord& record) {
    if (std::memcmp(record.series, "QCL", 4) == 0 || std::memcmp(record.series, "QCM", 4) == 0) {
        return kModelPolymer;
    }
    if (std::memcmp(record.series, "QCR", 4) == 0) {
        return kModelParallelLC;
    }
    return kModelLadder;
}

int ModelBitmapFor(ModelTemplate tmpl) {
    switch (tmpl) {
    case kModelPolymer:
        return 179;
    case kModelParallelLC:
        return 180;
    case kModelLadder:
        break;
    }
    return 178;
}

std::vector<CircuitLine> CircuitLines(const CapacitorRecord& r) {
    std::vector<CircuitLine> lines = {
        {"Rs = ", r.rels, "Ohm"},
        {"Ls = ", r.lesl, "H"},
        {"Rli = ", r.rp, "Ohm"},
        {"Rd = ", kDiodeSeriesResistance, "Ohm"},
    };
    switch (ModelTemplateFor(r)) {
    case kModelLadder:
        lines.insert(lines.end(), {
                                      {"R0 = ", r.ladderR[0], "Ohm"},
                                      {"C0 = ", r.ladderC[0], "F"},
                                      {"R1 = ", r.ladderR[1], "Ohm"},
                                      {"C1 = ", r.ladderC[1], "F"},
                                      {"R2 = ", r.ladderR[2], "Ohm"},
                                      {"C2 = ", r.ladderC[2], "F"},
                                      {"R3 = ", r.ladderR[3], "Ohm"},
                                      {"C3 = ", r.ladderC[3], "F"},
                                      {"R4 = ", r.ladderR[4], "Ohm"},
                                      {"C4 = ", r.ladderC[4], "F"},
                                      {"R5 = ", r.ladderR[5], "Ohm"},
                                      {"C5 = ", r.ladderC[5], "F"},
                                  });
        break;
    case kModelPolymer:
        // The library's series resistor R1 sits after the two parallel pairs in the picture,
        // so it is drawn as R2; the library's R2 and R3 are the resistors of the pairs.
        lines.insert(lines.end(), {
                                      {"R0 = ", r.ladderR[1], "Ohm"},
                                      {"C0 = ", r.ladderC[0], "F"},
                                      {"R1 = ", r.ladderR[2], "Ohm"},
                                      {"C1 = ", r.ladderC[1], "F"},
                                      {"R2 = ", r.ladderR[0], "Ohm"},
                                      {"C2 = ", r.ladderC[2], "F"},
                                      {"R3 = ", r.ladderR[3], "Ohm"},
                                      {"C3 = ", r.ladderC[3], "F"},
                                  });
        break;
    case kModelParallelLC:
        lines.insert(lines.end(), {
                                      {"Cp = ", r.cP, "F"},
                                      {"Lp = ", r.lP, "H"},
                                      {"Rp = ", r.rP, "Ohm"},
                                      {"R0 = ", r.ladderR[1], "Ohm"},
                                      {"C0 = ", r.ladderC[0], "F"},
                                      {"R1 = ", r.ladderR[0], "Ohm"},
                                      {"C1 = ", r.ladderC[1], "F"},
                                      {"R2 = ", r.ladderR[2], "Ohm"},
                                      {"C2 = ", r.ladderC[2], "F"},
                                  });
        break;
    }
    return lines;
}

std::string FormatCircuitLine(const CircuitLine& line) {
    return std::string(line.label) + FormatPrefixed(line.value) + line.unit;
}

std::string CircuitText(const CapacitorRecord& record) {
    std::string text;
    for (const CircuitLine& line : CircuitLines(record)) {
        text += FormatCircuitLine(line);
        text += "\r\n";
    }
    return text;
}

std::string CircuitTitle(const CapacitorRecord& record) {
    return "Equivalent circuit diagram of " +
           FixedText(record.partNumber, sizeof record.partNumber);
}
