#pragma once

#include "OffScale.h"

struct CapacitorRecord;
struct ModelVector;

constexpr int kMaxCurvePoints = 1000;

// ω = f * kTwoPi always uses this ten-digit value.
constexpr double kTwoPi = 6.283185308;

// Ladder shape of a capacitor's sub-circuit, chosen by its series.
enum class LadderKind {
    SixStage,    // C1..C6, G1..G6
    FourElement, // QCL, QCM: C1..C4, G1..G4
    ThreeStage,  // QCR: C1..C3, G1..G3 plus the parallel branch cP, lP, rP
};

LadderKind LadderKindOf(const char* series);

// The result of one impedance evaluation; `frequency` is the input.
struct FrequencyPoint {
    double frequency;          // Hz
    double impedanceMagnitude; // |Z|, Ω
    double esr;                // Re Z, Ω
    double reactance;          // Im Z, Ω
    double seriesCapacitance;  // F, from Im Z
    double dissipationFactor;  // |Re Z / Im Z|
};

// Evaluates the capacitor at `point.frequency` with the ladder values of `vector` and writes
// the other five fields. With `markOffScale`, capacitances above 10 kHz that run away near
// the series resonance are replaced by +-kOffScale.
void EvaluatePoint(const CapacitorRecord& record, FrequencyPoint& point, const ModelVector& vector,
                   bool markOffScale);

// The curves of one capacitor over the frequency grid.
struct CurveSet {
    double frequency[kMaxCurvePoints];
    double impedanceMagnitude[kMaxCurvePoints];
    double esr[kMaxCurvePoints];
    double seriesCapacitance[kMaxCurvePoints];
    double dissipationFactor[kMaxCurvePoints];
};

// Writes the logarithmic grid from 100 Hz to exactly 1e8 Hz into `frequency` (at most
// `capacity` values) and returns the number of points: 600 for a capacity of 1000.
int BuildFrequencyGrid(double* frequency, int capacity);

// Evaluates the first `count` frequencies of `curves.frequency` (count is clamped to
// kMaxCurvePoints) and fills the other four arrays, exactly as EvaluatePoint would point by
// point.
void EvaluateCurveSet(const CapacitorRecord& record, const ModelVector& vector, bool markOffScale,
                      CurveSet& curves, int count);

// The frequency at which the catalogue ESR limit of a series is defined, Hz.
double EsrReferenceFrequency(const char* series);

// The model's ESR value stretched so that it meets the catalogue limit `esrMaxMilliohm` at the
// reference frequency; 0 when there is no catalogue limit or it is not above the model's
// own ESR there.
double ScaleToEsrLimit(double esrMaxMilliohm, double value, double esrAtReference);

// Z at `frequency` computed with the nested formulas in the standard library's complex
// arithmetic (a zero divisor gives NaN): the yardstick the fast evaluation is checked
// against.
void ReferenceImpedance(const CapacitorRecord& record, const ModelVector& vector, double frequency,
                        double& re, double& im);
