#pragma once

struct CapacitorRecord;

// The twelve temperature-dependent ladder values of one capacitor: C1..C6 in farads at
// indices 0..5 and the conductances G1..G6 = 1 / R1..R6 in siemens at indices 6..11.
struct ModelVector {
    double values[12];

    double& C(int k) { return values[k]; }
    double C(int k) const { return values[k]; }
    double& G(int k) { return values[6 + k]; }
    double G(int k) const { return values[6 + k]; }
};

// Copies the ladder of `record` into `vector`; the record is not changed.
void BuildModelVector(const CapacitorRecord& record, ModelVector& vector);

// The temperature at which a model is evaluated: temperatures of 195 °C and above (and a
// temperature that is not a number) are evaluated at 195 °C.
double ClampModelTemperature(double temperature);

// Scales `vector` in place from the record's `tMeasured` to `temperature` with the record's
// temperature coefficients, dT = T' - tMeasured:
//   Ck(T) = Ck * (1 + tc1 dT + tc2 dT^2),   Rk(T) = Rk * (1 + tc1 dT + tc2 dT^2).
void ScaleModelToTemperature(const CapacitorRecord& record, ModelVector& vector,
                             double temperature);
