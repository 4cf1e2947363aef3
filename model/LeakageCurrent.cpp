#include "LeakageCurrent.h"

#include "SeriesRules.h"

#include <cmath>

namespace {

// Decay factor k(t) for t = 20, 30, ..., 300 s; every table ends at 1.
const double kDecayQaz[kDclPoints] = {3.115, 2.473, 2.138, 1.909, 1.764, 1.649,  1.559, 1.484,
                                      1.426, 1.382, 1.33,  1.293, 1.253, 1.231,  1.205, 1.185,
                                      1.161, 1.142, 1.127, 1.1,   1.089, 1.0705, 1.052, 1.0435,
                                      1.035, 1.022, 1.012, 1.005, 1};
const double kDecayQauQavQaw[kDclPoints] = {6.374, 4.667, 3.754, 3.185, 2.789, 2.517, 2.298, 2.12,
                                            1.975, 1.841, 1.734, 1.624, 1.552, 1.485, 1.431, 1.373,
                                            1.335, 1.309, 1.277, 1.239, 1.226, 1.188, 1.157, 1.114,
                                            1.1,   1.065, 1.053, 1.035, 1};
const double kDecayQat[kDclPoints] = {11.038, 7.007, 5.002, 3.836, 3.083, 2.576, 2.227, 1.981,
                                      1.806,  1.678, 1.566, 1.487, 1.423, 1.365, 1.318, 1.278,
                                      1.237,  1.208, 1.18,  1.154, 1.133, 1.116, 1.095, 1.074,
                                      1.061,  1.045, 1.026, 1.014, 1};
const double kDecayQclQcm[kDclPoints] = {2.787, 2.129, 1.885, 1.666, 1.573, 1.493, 1.446, 1.383,
                                         1.325, 1.3,   1.268, 1.252, 1.237, 1.213, 1.185, 1.155,
                                         1.143, 1.127, 1.11,  1.094, 1.077, 1.061, 1.044, 1.032,
                                         1.024, 1.015, 1.013, 1.006, 1};
const double kDecayQbtQbzQcj[kDclPoints] = {13.181, 7.704, 5.252, 3.972, 3.266, 2.77,  2.47,  2.246,
                                            2.073,  1.926, 1.812, 1.711, 1.624, 1.548, 1.482, 1.421,
                                            1.367,  1.321, 1.279, 1.239, 1.206, 1.172, 1.137, 1.111,
                                            1.092,  1.066, 1.042, 1.02,  1};
const double kDecayOther[kDclPoints] = {5.011, 3.669, 2.984, 2.455, 2.204, 2.003, 1.844, 1.752,
                                        1.646, 1.567, 1.483, 1.433, 1.38,  1.343, 1.292, 1.251,
                                        1.218, 1.195, 1.166, 1.139, 1.135, 1.11,  1.094, 1.072,
                                        1.061, 1.039, 1.029, 1.014, 1};

const double* DecayTable(const char* series) {
    if (SeriesIs(series, "QAZ"))
        return kDecayQaz;
    if (SeriesIs(series, "QAU") || SeriesIs(series, "QAV") || SeriesIs(series, "QAW"))
        return kDecayQauQavQaw;
    if (SeriesIs(series, "QAT"))
        return kDecayQat;
    if (SeriesIs(series, "QCL") || SeriesIs(series, "QCM"))
        return kDecayQclQcm;
    if (SeriesIs(series, "QBT") || SeriesIs(series, "QBZ") || SeriesIs(series, "QCJ"))
        return kDecayQbtQbzQcj;
    return kDecayOther;
}

// Table row for a (possibly fractional) row position, held inside 0..28.
int ClampRow(double row) {
    if (!(row > 0.0))
        return 0;
    if (row > 28.0)
        return 28;
    return static_cast<int>(row);
}

} // namespace

const DclVoltageCondition kDclVoltageConditions[5] = {
    {"100%", 100, 1.0},       {"80%", 80, 0.609597233}, {"50%", 50, 0.276690973},
    {"30%", 30, 0.153249536}, {"20%", 20, 0.109842606},
};

const DclTemperatureCondition kDclTemperatureConditions[7] = {
    {"-55°C", -55, 0.100013767}, {"  0°C", 0, 0.552458933},   {" 25°C", 25, 1.0},
    {" 85°C", 85, 6.636240739},  {"105°C", 105, 12.35457088}, {"125°C", 125, 26.02916744},
    {"175°C", 175, 90.49912661},
};

double DclDecayFactor(const char* series, int row) {
    if (row < 0)
        row = 0;
    if (row > kDclPoints - 1)
        row = kDclPoints - 1;
    return DecayTable(series)[row];
}

double TypicalDcl(double t, double dclMaxMicroamp, const char* series) {
    const double* table = DecayTable(series);
    const double d = (t - 20.0) * 0.1;
    const int hi = ClampRow(std::ceil(d));
    const int lo = ClampRow(std::floor(d));
    double k;
    if (hi == lo)
        k = table[hi];
    else
        k = table[lo] + (table[hi] - table[lo]) * (d - lo) / (hi - lo);
    const double L = (SeriesIs(series, "QCL") || SeriesIs(series, "QCM")) ? 30.0 : 40.0;
    return dclMaxMicroamp * 1e-6 / L * k;
}

double ScaleToDclLimit(double dclMaxMicroamp, double value, double typicalAt300) {
    if (dclMaxMicroamp != 0.0 && dclMaxMicroamp * 1e-6 > typicalAt300)
        return dclMaxMicroamp / typicalAt300 * 1e-6 * value;
    return 0.0;
}

const DclVoltageCondition* FindDclVoltageCondition(int percent) {
    for (const DclVoltageCondition& c : kDclVoltageConditions) {
        if (c.percent == percent)
            return &c;
    }
    return nullptr;
}

const DclTemperatureCondition* FindDclTemperatureCondition(int temperature) {
    for (const DclTemperatureCondition& c : kDclTemperatureConditions) {
        if (c.temperature == temperature)
            return &c;
    }
    return nullptr;
}

bool DclTemperatureOffered(const DclTemperatureCondition& condition, const char* series) {
    return condition.temperature != 175 || SeriesIs(series, "QAW");
}
