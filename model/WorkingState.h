#pragma once

#include "FrequencyResponse.h"
#include "LeakageCurrent.h"
#include "ModelVector.h"

struct CapacitorRecord;

// The main frame's working state for the characteristics: the capacitor shown, the selected
// temperature, the comparison pair, and every computed curve. The main frame, the data
// export and zeltacli share it. The arrays are fixed members, so a recomputation allocates
// nothing; records are owned by the store and only pointed to.
class CWorkingState {
public:
    const CapacitorRecord* currentCapacitor = nullptr;
    double selectedTemperature = 25.0; // °C
    bool comparisonMode = false;
    const CapacitorRecord* comparisonCapacitors[2] = {nullptr, nullptr};

    // Frequency curves: the current capacitor at its reference temperature and at the
    // selected temperature, the compared pair (unscaled), and the ESR limit curves.
    CurveSet referenceCurves;
    CurveSet temperatureCurves;
    CurveSet comparisonCurves[2];
    double esrLimitReference[kMaxCurvePoints];
    double esrLimitAtTemperature[kMaxCurvePoints];
    int pointCount = 0;

    // Permissible ripple, A and V rms.
    double rippleCurrentReference[kMaxCurvePoints];
    double rippleVoltageReference[kMaxCurvePoints];
    double rippleCurrentAtTemperature[kMaxCurvePoints];
    double rippleVoltageAtTemperature[kMaxCurvePoints];

    // Leakage current over time, s and A.
    double dclTime[kDclPoints];
    double dclTypical[kDclPoints];
    double dclAtConditions[kDclPoints];
    double dclLimit[kDclPoints];
    double dclFactor = 1.0;
    int dclVoltagePercent = 100;
    int dclTemperature = 25;

    CWorkingState();

    // Makes `record` the current capacitor as choosing it does: a wet tantalum part (QCN)
    // forces 25 °C, a temperature above the part's limit drops to the limit, and a
    // comparison ends. The curves are not recomputed.
    void TakeCapacitor(const CapacitorRecord* record);

    // True when there is a current capacitor of series QCN.
    bool IsWetTantalum() const;

    // Scales `vector` from the current capacitor's reference temperature to `temperature`.
    void ScaleModelToTemperature(ModelVector& vector, double temperature) const;

    // The catalogue-limit scalings for the current capacitor (0 without one).
    double ScaleToEsrLimit(double value, double esrAtReference) const;
    double ScaleToDclLimit(double value, double typicalAt300) const;

    // Recomputes every curve for the current capacitor, the selected temperature and, in
    // comparison mode, the compared pair. Without a current capacitor the point count is 0.
    void RecomputeCurves();

    // Fills the leakage time, typical and conditions arrays with `factor` as the conditions
    // factor.
    void ComputeDclCurves(double factor);

    // Applies the leakage conditions of the DCL graph's bar: the percentage and the
    // temperature, and the curves at the product of their factors. Returns false, changing
    // nothing, when either value is not one of the offered rows for the current capacitor.
    bool SetDclConditions(int voltagePercent, int temperature);

    // Back to rated voltage and 25 °C, the labels and the curves together, so that the
    // exported leakage values never carry conditions their labels no longer name.
    void ResetDclConditions();

    // The leakage readout at time t for curve 0 (typical) or 1 (second curve of the graph).
    double DclCursorValue(double t, int curve) const;

private:
    ModelVector m_scratch;
};
