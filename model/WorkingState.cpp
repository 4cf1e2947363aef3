#include "WorkingState.h"

#include "CapacitorRecord.h"
#include "RippleLimits.h"
#include "SeriesRules.h"

#include <cmath>
#include <cstring>
#include <initializer_list>

CWorkingState::CWorkingState() {
    std::memset(&referenceCurves, 0, sizeof referenceCurves);
    std::memset(&temperatureCurves, 0, sizeof temperatureCurves);
    std::memset(comparisonCurves, 0, sizeof comparisonCurves);
    std::memset(esrLimitReference, 0, sizeof esrLimitReference);
    std::memset(esrLimitAtTemperature, 0, sizeof esrLimitAtTemperature);
    std::memset(rippleCurrentReference, 0, sizeof rippleCurrentReference);
    std::memset(rippleVoltageReference, 0, sizeof rippleVoltageReference);
    std::memset(rippleCurrentAtTemperature, 0, sizeof rippleCurrentAtTemperature);
    std::memset(rippleVoltageAtTemperature, 0, sizeof rippleVoltageAtTemperature);
    std::memset(dclTime, 0, sizeof dclTime);
    std::memset(dclTypical, 0, sizeof dclTypical);
    std::memset(dclAtConditions, 0, sizeof dclAtConditions);
    std::memset(dclLimit, 0, sizeof dclLimit);
    std::memset(&m_scratch, 0, sizeof m_scratch);
}

void CWorkingState::TakeCapacitor(const CapacitorRecord* record) {
    currentCapacitor = record;
    if (IsWetTantalum())
        selectedTemperature = 25.0;
    const int limit = MaxTemperature(currentCapacitor);
    if (limit < selectedTemperature)
        selectedTemperature = limit;
    comparisonMode = false;
}

bool CWorkingState::IsWetTantalum() const {
    return currentCapacitor != nullptr && SeriesIsExactly(currentCapacitor->series, "QCN");
}

void CWorkingState::ScaleModelToTemperature(ModelVector& vector, double temperature) const {
    if (currentCapacitor != nullptr)
        ::ScaleModelToTemperature(*currentCapacitor, vector, temperature);
}

double CWorkingState::ScaleToEsrLimit(double value, double esrAtReference) const {
    if (currentCapacitor == nullptr)
        return 0.0;
    return ::ScaleToEsrLimit(currentCapacitor->esrMax, value, esrAtReference);
}

double CWorkingState::ScaleToDclLimit(double value, double typicalAt300) const {
    if (currentCapacitor == nullptr)
        return 0.0;
    return ::ScaleToDclLimit(currentCapacitor->dclMax, value, typicalAt300);
}

void CWorkingState::RecomputeCurves() {
    pointCount = 0;
    if (currentCapacitor == nullptr)
        return;
    const CapacitorRecord& cap = *currentCapacitor;

    const int n = BuildFrequencyGrid(referenceCurves.frequency, kMaxCurvePoints);
    pointCount = n;
    std::memcpy(temperatureCurves.frequency, referenceCurves.frequency, n * sizeof(double));

    ModelVector& vector = m_scratch;
    BuildModelVector(cap, vector);
    EvaluateCurveSet(cap, vector, true, referenceCurves, n);

    if (comparisonMode) {
        for (int k = 0; k < 2; ++k) {
            const CapacitorRecord* other = comparisonCapacitors[k];
            if (other == nullptr)
                continue;
            ModelVector otherVector;
            BuildModelVector(*other, otherVector);
            std::memcpy(comparisonCurves[k].frequency, referenceCurves.frequency,
                        n * sizeof(double));
            EvaluateCurveSet(*other, otherVector, true, comparisonCurves[k], n);
        }
    }

    FrequencyPoint reference{};
    reference.frequency = EsrReferenceFrequency(cap.series);
    EvaluatePoint(cap, reference, vector, true);
    const double esrAtReference = reference.esr;
    for (int i = 0; i < n; ++i)
        esrLimitReference[i] = ScaleToEsrLimit(referenceCurves.esr[i], esrAtReference);

    ScaleModelToTemperature(vector, selectedTemperature);
    EvaluateCurveSet(cap, vector, true, temperatureCurves, n);
    for (int i = 0; i < n; ++i) {
        esrLimitAtTemperature[i] =
            temperatureCurves.esr[i] / referenceCurves.esr[i] * esrLimitReference[i];
    }

    const double power = CasePowerDissipation(cap.caseCode, cap.family, cap.series);
    const double deratingReference = RippleDerating(cap.tMeasured, cap.series);
    const double deratingAtTemperature = RippleDerating(selectedTemperature, cap.series);
    // RippleLimits point by point, with the root √(P / ESR) shared by both temperatures:
    // the current always uses the reference ESR.
    const double voltageCap = 0.1 * cap.ratedVoltage;
    for (int i = 0; i < n; ++i) {
        const double root = std::sqrt(power / referenceCurves.esr[i]);
        const double currentReference = root * deratingReference;
        const double currentAtTemperature = root * deratingAtTemperature;
        const double vReference = currentReference * referenceCurves.impedanceMagnitude[i];
        const double vAtTemperature =
            currentAtTemperature * temperatureCurves.impedanceMagnitude[i];
        rippleCurrentReference[i] = currentReference;
        rippleVoltageReference[i] = voltageCap < vReference ? voltageCap : vReference;
        rippleCurrentAtTemperature[i] = currentAtTemperature;
        rippleVoltageAtTemperature[i] = voltageCap < vAtTemperature ? voltageCap : vAtTemperature;
    }

    // An ESR of zero or off the scale leaves a limit ratio or a ripple root without a finite
    // value: such a point is off the scale, as the graph and the texts expect.
    for (double* curve :
         {esrLimitReference, esrLimitAtTemperature, rippleCurrentReference, rippleVoltageReference,
          rippleCurrentAtTemperature, rippleVoltageAtTemperature}) {
        for (int i = 0; i < n; ++i) {
            if (!std::isfinite(curve[i]))
                curve[i] = curve[i] < 0.0 ? -kOffScale : kOffScale;
        }
    }

    ComputeDclCurves(1.0);
    for (int i = 0; i < kDclPoints; ++i)
        dclLimit[i] = ScaleToDclLimit(dclTypical[i], dclTypical[kDclPoints - 1]);
}

void CWorkingState::ComputeDclCurves(double factor) {
    dclFactor = factor;
    for (int i = 0; i < kDclPoints; ++i) {
        const double t = 20.0 + 10.0 * i;
        dclTime[i] = t;
        dclTypical[i] = currentCapacitor != nullptr
                            ? TypicalDcl(t, currentCapacitor->dclMax, currentCapacitor->series)
                            : 0.0;
        dclAtConditions[i] = factor * dclTypical[i];
    }
}

bool CWorkingState::SetDclConditions(int voltagePercent, int temperature) {
    const DclVoltageCondition* voltage = FindDclVoltageCondition(voltagePercent);
    const DclTemperatureCondition* temp = FindDclTemperatureCondition(temperature);
    if (voltage == nullptr || temp == nullptr)
        return false;
    if (!DclTemperatureOffered(*temp, currentCapacitor != nullptr ? currentCapacitor->series : ""))
        return false;
    dclVoltagePercent = voltage->percent;
    dclTemperature = temp->temperature;
    ComputeDclCurves(voltage->factor * temp->factor);
    return true;
}

void CWorkingState::ResetDclConditions() {
    dclVoltagePercent = 100;
    dclTemperature = 25;
    ComputeDclCurves(1.0);
}

double CWorkingState::DclCursorValue(double t, int curve) const {
    if (currentCapacitor == nullptr)
        return 0.0;
    double v = TypicalDcl(t, currentCapacitor->dclMax, currentCapacitor->series);
    if (dclLimit[0] != 0.0 && std::fabs(dclFactor - 1.0) < 1e-8 && curve == 1)
        v = ScaleToDclLimit(v, dclTypical[kDclPoints - 1]);
    else if (curve == 1)
        v *= dclFactor;
    return v;
}
