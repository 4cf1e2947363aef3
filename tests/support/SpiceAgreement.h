#pragma once

#include "CapacitorRecord.h"
#include "FrequencyResponse.h"
#include "ModelVector.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <string>
#include <vector>

// The engine against ngspice: the samples of an AC analysis written by `wrdata` (frequency,
// Re, Im of V(in) driven by 1 A, so the impedance) and the check of |Z| and ESR within 1e-9
// relative at every sample.

struct SpiceSample {
    double frequency, re, im;
};

inline std::vector<SpiceSample> ReadSpiceSamples(const std::string& path) {
    std::vector<SpiceSample> samples;
    std::ifstream in(path);
    SpiceSample s{};
    while (in >> s.frequency >> s.re >> s.im)
        samples.push_back(s);
    return samples;
}

inline void ExpectSpiceAgreement(const CapacitorRecord& record, double temperature,
                                 const std::vector<SpiceSample>& samples, const std::string& what) {
    ASSERT_EQ(samples.size(), 601u) << what;
    ModelVector vector;
    BuildModelVector(record, vector);
    ScaleModelToTemperature(record, vector, temperature);
    for (const SpiceSample& s : samples) {
        // ngspice uses ω = 2πf in full precision; the engine's ω uses a ten-digit 2π, so it is
        // evaluated at the frequency that gives the simulator's ω.
        FrequencyPoint p{};
        p.frequency = s.frequency * (2.0 * M_PI / kTwoPi);
        EvaluatePoint(record, p, vector, true);
        const double magnitude = std::hypot(s.re, s.im);
        ASSERT_NEAR(p.impedanceMagnitude, magnitude, 1e-9 * magnitude)
            << what << ", " << s.frequency << " Hz";
        ASSERT_NEAR(p.esr, s.re, 1e-9 * std::fabs(s.re)) << what << ", " << s.frequency << " Hz";
    }
}
