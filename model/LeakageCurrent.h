#pragma once

// Leakage current (DCL) during the first 300 s after voltage is applied: an empirical decay
// table per series group, scaled by the catalogue maximum.

constexpr int kDclPoints = 29; // t = 20, 30, ..., 300 s

// The decay factor k(t) of `series` at table row `row` (0 = 20 s ... 28 = 300 s).
double DclDecayFactor(const char* series, int row);

// Typical leakage current at time `t` (s), at rated voltage and 25 °C, in A:
//   dclMax * 1e-6 / L * k(t), L = 30 for QCL and QCM, 40 otherwise,
// with k interpolated linearly between the 10 s rows and held outside 20..300 s.
double TypicalDcl(double t, double dclMaxMicroamp, const char* series);

// The leakage counterpart of the ESR limit scaling: the typical curve stretched so that it
// ends at the catalogue maximum; 0 without a catalogue value or when it is not above the
// typical value at 300 s.
double ScaleToDclLimit(double dclMaxMicroamp, double value, double typicalAt300);

// The application conditions offered for the leakage curve.
struct DclVoltageCondition {
    const char* item; // list text
    int percent;      // % of rated voltage
    double factor;
};

struct DclTemperatureCondition {
    const char* item; // list text, with its leading blanks
    int temperature;  // °C
    double factor;
};

extern const DclVoltageCondition kDclVoltageConditions[5];
extern const DclTemperatureCondition kDclTemperatureConditions[7]; // the last, 175 °C, QAW only

// The condition rows for a percentage or a temperature, or null when there is none.
const DclVoltageCondition* FindDclVoltageCondition(int percent);
const DclTemperatureCondition* FindDclTemperatureCondition(int temperature);

// True when the temperature row may be offered for a part of `series` (175 °C only for QAW).
bool DclTemperatureOffered(const DclTemperatureCondition& condition, const char* series);
