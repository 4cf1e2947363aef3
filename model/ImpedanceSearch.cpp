#include "ImpedanceSearch.h"

#include "CapacitorRecord.h"
#include "FrequencyResponse.h"
#include "ModelVector.h"
#include "RippleLimits.h"
#include "Series.h"
#include "SeriesRules.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <memory>
#include <set>
#include <string>

namespace {

// The grid as the curve computation builds it, once per process.
struct Grid {
    double frequency[kMaxCurvePoints];
    int count;
    Grid() { count = BuildFrequencyGrid(frequency, kMaxCurvePoints); }
};

const Grid& TheGrid() {
    static const Grid grid;
    return grid;
}

// Smallest n >= 1 for which `enough(n)` holds, where enough is monotonic in n and first
// holds near `estimate`; -1 when that would be a billion or more. The estimate comes from a
// quotient; the walk lets the comparison itself decide at the boundary.
template <typename Enough> long long SmallestCount(double estimate, Enough enough) {
    estimate = std::ceil(estimate);
    if (!(estimate < 1e9))
        return -1;
    long long n = estimate < 1.0 ? 1 : static_cast<long long>(estimate);
    while (n > 1 && enough(static_cast<double>(n - 1)))
        --n;
    while (!enough(static_cast<double>(n)))
        ++n;
    return n;
}

} // namespace

QueryProblem CheckImpedanceQuery(const ImpedanceQuery& q) {
    if (!(q.maxImpedance > 0.0) || !std::isfinite(q.maxImpedance))
        return QueryProblem::kTargetNotPositive;
    int first = 0, last = 0;
    const bool band = BandOnGrid(q.fromFrequency, q.toFrequency, first, last);
    // Two limits that name the same grid point from either side are a one-point band.
    if (q.fromFrequency > q.toFrequency && !band)
        return QueryProblem::kBandReversed;
    if (!band)
        return QueryProblem::kBandEmpty;
    if (q.maxCount < 1)
        return QueryProblem::kMaxCountNotPositive;
    if (q.rippleCurrent < 0.0 || !std::isfinite(q.rippleCurrent))
        return QueryProblem::kRippleNotPositive;
    if (q.rippleCurrent > 0.0 && !(RippleFrequencyOnGrid(q.rippleFrequency) > 0.0))
        return QueryProblem::kRippleFrequencyOutsideGrid;
    return QueryProblem::kQueryOk;
}

bool MatchesGridPoint(double limit, double gridFrequency) {
    return std::fabs(gridFrequency - limit) <= kGridMatchTolerance * std::fabs(limit);
}

bool BandOnGrid(double fromFrequency, double toFrequency, int& first, int& last) {
    const Grid& grid = TheGrid();
    // The grid points lie a little off the values they are labelled with (1 MHz is
    // 1000000.0857 Hz): a limit takes in the grid point it names. Both conditions are
    // monotonic along the rising grid, so each end is found by bisection.
    const auto fromBelow = [&](double f) {
        return f >= fromFrequency || MatchesGridPoint(fromFrequency, f);
    };
    const auto toAbove = [&](double f) {
        return f <= toFrequency || MatchesGridPoint(toFrequency, f);
    };
    const double* begin = grid.frequency;
    const double* end = grid.frequency + grid.count;
    const double* low = std::partition_point(begin, end, [&](double f) { return !fromBelow(f); });
    const double* high = std::partition_point(begin, end, toAbove);
    first = -1;
    last = -1;
    if (low >= high)
        return false;
    first = static_cast<int>(low - begin);
    last = static_cast<int>(high - begin) - 1;
    return true;
}

double RippleFrequencyOnGrid(double frequency) {
    const Grid& grid = TheGrid();
    for (int i = 0; i < grid.count; ++i) {
        if (MatchesGridPoint(frequency, grid.frequency[i]))
            return grid.frequency[i];
    }
    if (frequency >= grid.frequency[0] && frequency <= grid.frequency[grid.count - 1])
        return frequency;
    return 0.0;
}

bool MatchImpedance(const CapacitorRecord& record, const ImpedanceQuery& query,
                    ImpedanceMatch& match) {
    if (record.ratedVoltage < query.minVoltage)
        return false;
    if (MaxTemperature(&record) < query.temperature)
        return false;
    // The program shows a wet tantalum part at 25 °C only; it has no curves elsewhere.
    if (SeriesIsExactly(record.series, "QCN") && std::fabs(query.temperature - 25.0) >= 1e-8)
        return false;
    int first = 0, last = 0;
    if (!BandOnGrid(query.fromFrequency, query.toFrequency, first, last))
        return false;
    const int count = last - first + 1;

    ModelVector vector;
    BuildModelVector(record, vector);
    ModelVector scaled = vector;
    ScaleModelToTemperature(record, scaled, query.temperature);

    // The band's grid points through the curve evaluation, in a scratch set per thread.
    thread_local std::unique_ptr<CurveSet> scratch;
    if (!scratch)
        scratch = std::make_unique<CurveSet>();
    std::memcpy(scratch->frequency, TheGrid().frequency + first,
                static_cast<size_t>(count) * sizeof(double));
    EvaluateCurveSet(record, scaled, true, *scratch, count);

    double worst = -1.0;
    double worstFrequency = 0.0;
    for (int i = 0; i < count; ++i) {
        const double z = scratch->impedanceMagnitude[i];
        // A point without a finite |Z| cannot show that the target is kept.
        if (!std::isfinite(z) || z >= kOffScale)
            return false;
        if (z > worst) {
            worst = z;
            worstFrequency = scratch->frequency[i];
        }
    }
    const double target = query.maxImpedance;
    long long n = SmallestCount(worst / target, [&](double k) { return worst / k <= target; });
    if (n < 0)
        return false;

    double permissible = 0.0;
    if (query.rippleCurrent > 0.0) {
        // The permissible ripple current at T, as the ripple graph computes it: the
        // reference-temperature ESR, the case power and the derating at T.
        FrequencyPoint point{};
        point.frequency = RippleFrequencyOnGrid(query.rippleFrequency);
        EvaluatePoint(record, point, vector, true);
        double voltage = 0.0;
        RippleLimits(point.esr, RippleDerating(query.temperature, record.series),
                     CasePowerDissipation(record.caseCode, record.family, record.series),
                     point.impedanceMagnitude, record.ratedVoltage, permissible, voltage);
        if (!(permissible > 0.0) || !std::isfinite(permissible))
            return false;
        const double needed = query.rippleCurrent;
        const long long forRipple = SmallestCount(
            needed / permissible, [&](double k) { return k * permissible >= needed; });
        if (forRipple < 0)
            return false;
        n = std::max(n, forRipple);
    }
    if (n > query.maxCount)
        return false;

    match.record = &record;
    match.count = static_cast<int>(n);
    match.worstImpedance = worst / static_cast<double>(n);
    match.worstFrequency = worstFrequency;
    match.rippleCapacity = static_cast<double>(n) * permissible;
    return true;
}

std::vector<ImpedanceMatch> FindImpedanceMatches(const std::vector<const CapacitorRecord*>& records,
                                                 const ImpedanceQuery& query) {
    std::vector<ImpedanceMatch> matches;
    for (const CapacitorRecord* record : records) {
        ImpedanceMatch match;
        if (record != nullptr && MatchImpedance(*record, query, match))
            matches.push_back(match);
    }
    std::sort(matches.begin(), matches.end(), [](const ImpedanceMatch& a, const ImpedanceMatch& b) {
        if (a.count != b.count)
            return a.count < b.count;
        if (a.worstImpedance != b.worstImpedance)
            return a.worstImpedance < b.worstImpedance;
        return std::strcmp(a.record->partNumber, b.record->partNumber) < 0;
    });
    if (query.onePerModel) {
        // The tolerance variants of a part: one model (its name, found without regard to
        // case) and part numbers that differ only in the tolerance letter. Packaging
        // variants ("...R", "...S") stay parts of their own.
        std::set<std::string> variants;
        std::vector<ImpedanceMatch> first;
        for (const ImpedanceMatch& m : matches) {
            std::string key = m.record->libraryName;
            for (char& c : key)
                c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            std::string partNumber = m.record->partNumber;
            const size_t tolerance = FamilyOf(m.record->partNumber) == kFamilyConformal ? 8 : 7;
            if (tolerance < partNumber.size())
                partNumber[tolerance] = 'K';
            if (variants.insert(key + '|' + partNumber).second)
                first.push_back(m);
        }
        matches.swap(first);
    }
    return matches;
}
