#pragma once

#include <string>
#include <vector>

struct CapacitorRecord;

// Target-impedance search: for each part, the smallest number n of identical parts in
// parallel whose impedance |Z|/n stays at or under a target at every point of the frequency
// grid inside a band, at one temperature, optionally with enough permissible ripple current
// between them.

struct ImpedanceQuery {
    double maxImpedance = 0.0;  // Ω, the target; must be above 0
    double fromFrequency = 0.0; // Hz, band start (inclusive)
    double toFrequency = 0.0;   // Hz, band end (inclusive)
    double temperature = 25.0;  // °C
    int maxCount = 10;          // largest n considered
    // Ripple constraint: n x the permissible ripple current at `rippleFrequency` and
    // `temperature` must reach `rippleCurrent`. 0 means no constraint.
    double rippleCurrent = 0.0;   // A rms
    double rippleFrequency = 0.0; // Hz
};

struct ImpedanceMatch {
    const CapacitorRecord* record = nullptr;
    int count = 0;               // n
    double worstImpedance = 0.0; // largest |Z|/n over the band's grid points, Ω
    double worstFrequency = 0.0; // where it occurs, Hz
    double rippleCapacity = 0.0; // n x permissible ripple current (0 without constraint), A
};

// Why a query cannot be answered at all; kQueryOk when it can.
enum class QueryProblem {
    kQueryOk,
    kTargetNotPositive,
    kBandReversed, // from above to
    kBandEmpty,    // no grid frequency inside [from, to]
    kMaxCountNotPositive,
    kRippleNotPositive,
    kRippleFrequencyOutsideGrid,
};
QueryProblem CheckImpedanceQuery(const ImpedanceQuery& query);

// The grid indices inside [from, to] of the 600-point frequency grid: first and last
// (inclusive). False when no grid point lies inside.
bool BandOnGrid(double fromFrequency, double toFrequency, int& first, int& last);

// Evaluates one part. False when the part is left out: its maximum temperature is below
// the query's, it is a wet tantalum part (QCN, shown at 25 °C only) and the query's
// temperature is another, it needs more than maxCount parts, or its values are not finite.
bool MatchImpedance(const CapacitorRecord& record, const ImpedanceQuery& query,
                    ImpedanceMatch& match);

// Every record that matches, ranked by n, then by the worst |Z|/n, then by part number.
// The query must pass CheckImpedanceQuery.
std::vector<ImpedanceMatch> FindImpedanceMatches(const std::vector<const CapacitorRecord*>& records,
                                                 const ImpedanceQuery& query);
