#include "RippleLimits.h"

#include "CapacitorRecord.h"
#include "SeriesRules.h"
#include "TemperatureLists.h"

#include <cctype>
#include <cmath>
#include <cstring>

namespace {

// Case power in watts, columns QAX, QAY, QAZ, other family T series, every other family.
struct CasePower {
    char caseCode;
    double watts[5];
};

const CasePower kCasePower[] = {
    {'A', {0.075, 0.05, 0.04, 0.075, 0.09}},
    {'B', {0.085, 0.07, 0.085, 0.085, 0.102}},
    {'C', {0.11, 0.075, 0.11, 0.11, 0.132}},
    {'D', {0.15, 0.08, 0.15, 0.15, 0.18}},
    {'E', {0.165, 0.09, 0.165, 0.165, 0.198}},
    {'F', {0, 0.1, 0.1, 0.1, 0.12}},
    {'G', {0, 0.125, 0.07, 0.07, 0}},
    {'H', {0, 0.15, 0.04, 0.04, 0}},
    {'K', {0, 0, 0.015, 0.015, 0}},
    {'L', {0, 0, 0.025, 0.025, 0}},
    {'N', {0, 0, 0.05, 0.05, 0}},
    {'P', {0.06, 0, 0.06, 0.06, 0.072}},
    {'R', {0.055, 0, 0.065, 0.055, 0}},
    {'S', {0.065, 0, 0.065, 0.065, 0.078}},
    {'T', {0.08, 0, 0.08, 0.08, 0.096}},
    {'U', {0, 0, 0.035, 0.035, 0}},
    {'V', {0.25, 0, 0.25, 0.25, 0.3}},
    {'W', {0.09, 0, 0.09, 0.09, 0.108}},
    {'X', {0.1, 0, 0.04, 0.1, 0.12}},
    {'Y', {0.125, 0, 0.125, 0.125, 0.15}},
    {'6', {0, 0, 0.23, 0.23, 0.23}},
};

char Upper(char c) {
    return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

template <int N> bool InList(const char* const (&list)[N], const char* partNumber) {
    if (partNumber == nullptr)
        return false;
    for (const char* entry : list) {
        if (std::strcmp(entry, partNumber) == 0)
            return true;
    }
    return false;
}

} // namespace

bool IsQaw200Part(const char* partNumber) {
    return InList(kQaw200PartNumbers, partNumber);
}

bool IsQcl125Part(const char* partNumber) {
    return InList(kQcl125PartNumbers, partNumber);
}

void RippleLimits(double esr, double derating, double power, double impedance, double ratedVoltage,
                  double& current, double& voltage) {
    current = std::sqrt(power / esr) * derating;
    const double v = current * impedance;
    const double cap = 0.1 * ratedVoltage;
    voltage = cap < v ? cap : v;
}

double RippleDerating(double temperature, const char* series) {
    if (series == nullptr || series[0] == '\0')
        return 1.0;
    // (temperature °C, factor)
    static const double kTantalum[5][2] = {{-55, 1}, {25, 1}, {78, 1}, {85, 0.9}, {125, 0.4}};
    static const double kOther[5][2] = {{-55, 1}, {25, 1}, {81, 1}, {85, 0.9}, {105, 0.4}};
    const bool tantalumCurve = FamilyOfSeries(series) == 'T' || SeriesIs(series, "QBZ");
    const double(*p)[2] = tantalumCurve ? kTantalum : kOther;
    if (temperature <= p[0][0])
        return p[0][1];
    if (temperature >= p[4][0])
        return p[4][1];
    for (int i = 1; i < 5; ++i) {
        if (p[i - 1][0] < temperature && temperature <= p[i][0]) {
            return p[i - 1][1] +
                   (p[i][1] - p[i - 1][1]) * (temperature - p[i - 1][0]) / (p[i][0] - p[i - 1][0]);
        }
    }
    return 1.0; // a temperature that is not a number
}

double CasePowerDissipation(char caseCode, char family, const char* series) {
    const char code = caseCode > '9' ? Upper(caseCode) : caseCode;
    int column = 4;
    if (SeriesIs(series, "QAX"))
        column = 0;
    else if (SeriesIs(series, "QAY"))
        column = 1;
    else if (SeriesIs(series, "QAZ"))
        column = 2;
    else if (Upper(family) == 'T')
        column = 3;
    for (const CasePower& row : kCasePower) {
        if (row.caseCode == code)
            return row.watts[column];
    }
    return 0.0;
}

int MaxTemperature(const CapacitorRecord* record) {
    if (record == nullptr)
        return 125;
    if (IsQaw200Part(record->partNumber))
        return 200;
    if (SeriesIsExactly(record->series, "QAW"))
        return 175;
    if (SeriesIsExactly(record->series, "QBT") || SeriesIsExactly(record->series, "QCR"))
        return 105;
    if (SeriesIsExactly(record->series, "QCL"))
        return IsQcl125Part(record->partNumber) ? 125 : 105;
    return 125;
}
