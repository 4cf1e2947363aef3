#include "ImpedanceSearch.h"
#include "ModelFixtures.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

// The target-impedance search on a part whose impedance is worked out by hand: a QCL ladder
// whose capacitors are so large and whose shunt resistors so small that what is left is
// R1 in series with the inductance, |Z| = sqrt(R1^2 + (2 pi f L)^2) to about 1e-4.
// With R1 = 15 mOhm and L = 1 nH: |Z| = 16.01 mOhm at the grid point 891.25 kHz, 19.93 mOhm
// at 2.0893 MHz and 20.14 mOhm at 2.1380 MHz (the two grid points around 2.1 MHz, where |Z|
// crosses 20 mOhm). Case D of a family T series dissipates 0.15 W, so the permissible ripple
// current is sqrt(0.15 W / 15 mOhm) = 3.162 A.

namespace {

CapacitorRecord SeriesRlPart(const char* partNumber, double r1) {
    CapacitorRecord r = MakeRecord(partNumber, "QCL", 'D', 100.0, 10.0);
    r.ladderR[0] = r1;
    for (int k = 1; k < 4; ++k)
        r.ladderR[k] = 1e-6;
    for (int k = 0; k < 4; ++k)
        r.ladderC[k] = 1e3;
    r.lesl = 1e-9;
    r.rels = 1e6;
    r.rp = 1e12;
    return r;
}

ImpedanceQuery Query(double target, double from, double to) {
    ImpedanceQuery q;
    q.maxImpedance = target;
    q.fromFrequency = from;
    q.toFrequency = to;
    return q;
}

struct SearchCase {
    const char* what;
    ImpedanceQuery query;
    int n; // 0: left out
    double worst;
    double at;
};

TEST(ImpedanceSearch, SmallestCountPerPartWorkedByHand) {
    const CapacitorRecord part = SeriesRlPart("QCLD107M010R", 0.015);
    ImpedanceQuery ripple5 = Query(0.02, 1e4, 9e5);
    ripple5.rippleCurrent = 5.0;
    ripple5.rippleFrequency = 1e5;
    ImpedanceQuery ripple7 = ripple5;
    ripple7.rippleCurrent = 7.0;
    ImpedanceQuery tooHot = Query(0.02, 1e4, 9e5);
    tooHot.temperature = 125; // QCL parts go to 105 °C
    ImpedanceQuery atLimit = tooHot;
    atLimit.temperature = 105; // no coefficients: the same values as at 25 °C
    ImpedanceQuery wider = Query(0.001, 1e4, 9e5);
    wider.maxCount = 20;
    const SearchCase cases[] = {
        {"one part is enough", Query(0.02, 1e4, 9e5), 1, 0.016011, 891251.01},
        {"two parts halve |Z|", Query(0.01, 1e4, 9e5), 2, 0.016011 / 2, 891251.01},
        {"17 needed, 10 allowed", Query(0.001, 1e4, 9e5), 0, 0, 0},
        {"17 needed, 20 allowed", wider, 17, 0.016011 / 17, 891251.01},
        {"band ends between grid points below the crossing", Query(0.02, 1e4, 2.1e6), 1, 0.019933,
         2089296.3},
        {"band ends just past the next grid point", Query(0.02, 1e4, 2.15e6), 2, 0.020136 / 2,
         2137962.3},
        {"5 A of ripple needs two parts", ripple5, 2, 0.016011 / 2, 891251.01},
        {"7 A of ripple needs three parts", ripple7, 3, 0.016011 / 3, 891251.01},
        {"above the part's maximum temperature", tooHot, 0, 0, 0},
        {"at the part's maximum temperature", atLimit, 1, 0.016011, 891251.01},
    };
    CapacitorRecord wet = part; // a six-stage ladder now: give C5, C6, R5, R6 values too
    std::snprintf(wet.series, sizeof wet.series, "QCN");
    for (int k = 4; k < 6; ++k) {
        wet.ladderR[k] = 1e-6;
        wet.ladderC[k] = 1e3;
    }
    ImpedanceMatch wetMatch;
    EXPECT_TRUE(MatchImpedance(wet, Query(0.02, 1e4, 9e5), wetMatch));
    EXPECT_FALSE(MatchImpedance(wet, atLimit, wetMatch)); // wet tantalum: 25 °C only
    for (const SearchCase& c : cases) {
        ASSERT_EQ(CheckImpedanceQuery(c.query), QueryProblem::kQueryOk) << c.what;
        ImpedanceMatch match;
        const bool found = MatchImpedance(part, c.query, match);
        ASSERT_EQ(found, c.n > 0) << c.what;
        if (!found)
            continue;
        EXPECT_EQ(match.count, c.n) << c.what;
        EXPECT_NEAR(match.worstImpedance, c.worst, 2e-4 * c.worst) << c.what;
        EXPECT_NEAR(match.worstFrequency, c.at, 0.1) << c.what;
        EXPECT_LE(match.worstImpedance, c.query.maxImpedance) << c.what;
    }
}

TEST(ImpedanceSearch, RankedByCountThenWorstImpedanceThenPartNumber) {
    const CapacitorRecord a = SeriesRlPart("QCLD107M010RB", 0.015);
    const CapacitorRecord b = SeriesRlPart("QCLD107M010RA", 0.012);
    const CapacitorRecord c = SeriesRlPart("QCLD107M010R9", 0.015);
    const CapacitorRecord big = SeriesRlPart("QCLD107M010R0", 0.025); // needs two
    const std::vector<const CapacitorRecord*> records = {&big, &a, &b, &c};
    const std::vector<ImpedanceMatch> rows = FindImpedanceMatches(records, Query(0.02, 1e4, 9e5));
    ASSERT_EQ(rows.size(), 4u);
    const char* order[] = {"QCLD107M010RA", "QCLD107M010R9", "QCLD107M010RB", "QCLD107M010R0"};
    for (size_t i = 0; i < rows.size(); ++i)
        EXPECT_STREQ(rows[i].record->partNumber, order[i]) << i;
    EXPECT_EQ(rows[3].count, 2);
    EXPECT_TRUE(FindImpedanceMatches(records, Query(1e-5, 1e4, 9e5)).empty());
}

TEST(ImpedanceSearch, QueriesThatCannotBeAnswered) {
    ImpedanceQuery rippleOff = Query(0.02, 1e4, 1e6);
    rippleOff.rippleCurrent = 1.0;
    rippleOff.rippleFrequency = 1e9;
    const struct {
        ImpedanceQuery query;
        QueryProblem problem;
    } cases[] = {
        {Query(0.0, 1e4, 1e6), QueryProblem::kTargetNotPositive},
        {Query(-0.02, 1e4, 1e6), QueryProblem::kTargetNotPositive},
        {Query(0.02, 1e6, 1e4), QueryProblem::kBandReversed},
        {Query(0.02, 1000.5, 1000.6), QueryProblem::kBandEmpty}, // between two grid points
        {Query(0.02, 2e8, 3e8), QueryProblem::kBandEmpty},       // above the grid
        {Query(0.02, 100.0, 100.0), QueryProblem::kQueryOk},     // the first grid point alone
        {rippleOff, QueryProblem::kRippleFrequencyOutsideGrid},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CheckImpedanceQuery(c.query), c.problem)
            << c.query.maxImpedance << " " << c.query.fromFrequency << " " << c.query.toFrequency;
}

// Every output labels the grid points 100, 1000, ..., 10 MHz by their decades although they
// lie a little above them (1 MHz is 1000000.0857 Hz); a limit on a label takes the point in.
TEST(ImpedanceSearch, BandLimitsTakeInTheGridPointsTheyName) {
    const struct {
        double from, to;
        int first, last; // -1: no grid point
    } cases[] = {
        {1e6, 1e6, 400, 400},                // a one-point band at a decade
        {1e5, 1e6, 300, 400},                // both decades, whichever side the point lies
        {1e3, 1e4, 100, 200},                //
        {100.0, 1e8, 0, 599},                // the whole grid
        {1e8, 1e8, 599, 599},                // the last point is exactly 1e8
        {1e6 * (1 + 2e-6), 1e7, 401, 500},   // farther than 1e-6 from the point: outside
        {1e5, 1e6 * (1 - 2e-6), 300, 399},   //
        {1000000.0857 + 0.5, 1e6, 400, 400}, // from above to, both naming one point
        {1000.5, 1000.6, -1, -1},            // between two points
        {1e8 * (1 + 5e-7), 2e8, 599, 599},   // just above the grid's end still names it
    };
    for (const auto& c : cases) {
        int first = 0, last = 0;
        const bool found = BandOnGrid(c.from, c.to, first, last);
        EXPECT_EQ(found, c.first >= 0) << c.from << " " << c.to;
        if (found) {
            EXPECT_EQ(first, c.first) << c.from << " " << c.to;
            EXPECT_EQ(last, c.last) << c.from << " " << c.to;
        }
    }
    EXPECT_EQ(CheckImpedanceQuery(Query(0.02, 1000000.0857 + 0.5, 1e6)), QueryProblem::kQueryOk);
    EXPECT_EQ(CheckImpedanceQuery(Query(0.02, 2e6, 1e6)), QueryProblem::kBandReversed);
    // A ripple frequency on a label is evaluated at its grid point, as the ripple graph has it.
    EXPECT_DOUBLE_EQ(RippleFrequencyOnGrid(1e8 * (1 + 5e-7)), 1e8);
    EXPECT_NEAR(RippleFrequencyOnGrid(1e6), 1000000.0857, 1e-3);
    EXPECT_DOUBLE_EQ(RippleFrequencyOnGrid(1000.5), 1000.5);
    EXPECT_EQ(RippleFrequencyOnGrid(99.0), 0.0);
}

} // namespace
