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
    double minVoltage = 0.0;      // V: only parts rated at least this (0: every part)
    // The K and M tolerance variants of a part (one model, part numbers that differ only in
    // the tolerance letter) count once: the first of them ranked.
    bool onePerModel = false;
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

// A band limit or a chosen frequency names a grid point when it lies within this relative
// distance of it: the grid's points sit just off their labels (1 MHz is 1000000.0857 Hz).
constexpr double kGridMatchTolerance = 1e-6;

// True when `limit` names the grid point at `gridFrequency` (kGridMatchTolerance).
bool MatchesGridPoint(double limit, double gridFrequency);

// The grid indices inside [from, to] of the 600-point frequency grid: first and last
// (inclusive). A grid point that a limit names belongs to the band, so "--from 1M --to 1M" is
// the one point labelled 1 MHz. False when no grid point lies inside.
bool BandOnGrid(double fromFrequency, double toFrequency, int& first, int& last);

// The frequency the ripple constraint is evaluated at for a chosen `frequency`: the grid point
// it names, else the frequency itself inside the grid's range; 0 outside the grid.
double RippleFrequencyOnGrid(double frequency);

// Evaluates one part. False when the part is left out: its rated voltage is below the
// query's minimum, its maximum temperature is below
// the query's, it is a wet tantalum part (QCN, shown at 25 °C only) and the query's
// temperature is another, it needs more than maxCount parts, or its values are not finite.
bool MatchImpedance(const CapacitorRecord& record, const ImpedanceQuery& query,
                    ImpedanceMatch& match);

// Every record that matches, ranked by n, then by the worst |Z|/n, then by part number; with
// onePerModel only the first-ranked of a part's tolerance variants.
// The query must pass CheckImpedanceQuery.
std::vector<ImpedanceMatch> FindImpedanceMatches(const std::vector<const CapacitorRecord*>& records,
                                                 const ImpedanceQuery& query);
