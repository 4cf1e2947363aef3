#include "ModelVector.h"

#include "CapacitorRecord.h"
#include "ValueLimits.h"

void BuildModelVector(const CapacitorRecord& record, ModelVector& vector) {
    for (int k = 0; k < 6; ++k) {
        vector.C(k) = record.ladderC[k];
        vector.G(k) = 1.0 / record.ladderR[k];
    }
}

double ClampModelTemperature(double temperature) {
    return temperature < kHighestModelTemperature ? temperature : kHighestModelTemperature;
}

void ScaleModelToTemperature(const CapacitorRecord& record, ModelVector& vector,
                             double temperature) {
    const double dT = ClampModelTemperature(temperature) - record.tMeasured;
    for (int k = 0; k < 6; ++k) {
        const TempCoefficients& c = record.ladderCTc[k];
        vector.C(k) *= 1.0 + dT * (c.tc1 + dT * c.tc2);
        const TempCoefficients& r = record.ladderRTc[k];
        vector.G(k) /= 1.0 + dT * (r.tc1 + dT * r.tc2);
    }
}
