#include "FrequencyResponse.h"
#include "ModelFixtures.h"
#include "ModelVector.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <ostream>

namespace {

// |a - b| within `digits` significant digits of b.
::testing::AssertionResult Significant(double a, double b, double digits = 10) {
    const double tolerance = 0.5 * std::pow(10.0, -(digits - 1)) * std::fabs(b);
    if (std::fabs(a - b) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << ::testing::PrintToString(a) << " differs from " << b
                                         << " beyond " << digits << " significant digits";
}

struct WorkedValue {
    const char* name;
    std::function<CapacitorRecord()> make;
    double frequency;
    FrequencyPoint expected;
};

void PrintTo(const WorkedValue& w, std::ostream* out) {
    *out << w.name;
}

class WorkedValues : public ::testing::TestWithParam<WorkedValue> {};

TEST_P(WorkedValues, ReproduceReferenceEvaluationToTenDigits) {
    const WorkedValue& w = GetParam();
    const CapacitorRecord record = w.make();
    ModelVector vector;
    BuildModelVector(record, vector);
    FrequencyPoint p{};
    p.frequency = w.frequency;
    EvaluatePoint(record, p, vector, true);
    EXPECT_TRUE(Significant(p.impedanceMagnitude, w.expected.impedanceMagnitude));
    EXPECT_TRUE(Significant(p.esr, w.expected.esr));
    EXPECT_TRUE(Significant(p.reactance, w.expected.reactance));
    EXPECT_TRUE(Significant(p.seriesCapacitance, w.expected.seriesCapacitance));
    EXPECT_TRUE(Significant(p.dissipationFactor, w.expected.dissipationFactor));
}

INSTANTIATE_TEST_SUITE_P(
    Ladders, WorkedValues,
    ::testing::Values(
        WorkedValue{"SixStage",
                    SixStageRecord,
                    1e4,
                    {1e4, 38.21302025, 11.36237258, -36.48467358, 4.362241113e-7, 0.3114286483}},
        WorkedValue{"FourElement",
                    FourElementRecord,
                    1e3,
                    {1e3, 3.339937426, 0.2046788688, -3.333659936, 4.774180514e-5, 0.06139764486}},
        WorkedValue{
            "ThreeStage",
            ThreeStageRecord,
            1e5,
            {1e5, 0.01567768255, 0.009663097764, -0.01234561751, 1.289161461e-4, 0.7827148179}}),
    [](const ::testing::TestParamInfo<WorkedValue>& row) { return row.param.name; });

TEST(FrequencyGrid, HasSixHundredPointsEndingExactlyAtHundredMegahertz) {
    double f[1000];
    const int n = BuildFrequencyGrid(f, 1000);
    ASSERT_EQ(n, 600);
    EXPECT_EQ(f[0], 100.0);
    EXPECT_DOUBLE_EQ(f[1], 102.32929925);
    EXPECT_DOUBLE_EQ(f[2], 104.71285484996052);
    EXPECT_NEAR(f[598], 95499270.84, 0.01);
    EXPECT_EQ(f[599], 1e8);
    for (int i = 1; i < n; ++i)
        ASSERT_GT(f[i], f[i - 1]) << i;
}

TEST(FrequencyGrid, StopsAtTheCapacity) {
    double f[10];
    EXPECT_EQ(BuildFrequencyGrid(f, 10), 10);
    EXPECT_DOUBLE_EQ(f[9], 100.0 * std::pow(1.0232929925, 9));
}

TEST(TemperatureScaling, TemperaturesFromHundredNinetyFiveAreEvaluatedThere) {
    CapacitorRecord r = SixStageRecord();
    AddTemperatureCoefficients(r);
    ModelVector at195, at200, at1000, at194;
    for (auto* v : {&at195, &at200, &at1000, &at194})
        BuildModelVector(r, *v);
    ScaleModelToTemperature(r, at195, 195);
    ScaleModelToTemperature(r, at200, 200);
    ScaleModelToTemperature(r, at1000, 1000);
    ScaleModelToTemperature(r, at194, 194.5);
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(at200.values[i], at195.values[i]) << i;
        EXPECT_EQ(at1000.values[i], at195.values[i]) << i;
        EXPECT_NE(at194.values[i], at195.values[i]) << i;
    }
}

TEST(TemperatureScaling, FollowsTheQuadraticCoefficients) {
    CapacitorRecord r = SixStageRecord();
    r.ladderCTc[2] = {1e-3, 2e-6};
    r.ladderRTc[4] = {-2e-3, 1e-5};
    ModelVector v;
    BuildModelVector(r, v);
    ScaleModelToTemperature(r, v, 125); // dT = 100
    EXPECT_DOUBLE_EQ(v.C(2), 1e-7 * (1 + 0.1 + 0.02));
    EXPECT_DOUBLE_EQ(1.0 / v.G(4), 4.0 * (1 - 0.2 + 0.1));
    EXPECT_DOUBLE_EQ(v.C(0), 1e-6); // zero coefficients leave an element alone
    EXPECT_DOUBLE_EQ(1.0 / v.G(0), 10.0);
}

// A capacitance of zero is evaluated as 1e-50 F: the same result as an explicit 1e-50,
// and a finite one.
TEST(LadderCapacitance, ZeroIsEvaluatedAsTenToMinusFifty) {
    for (auto make : {SixStageRecord, FourElementRecord, ThreeStageRecord}) {
        CapacitorRecord zero = make();
        zero.ladderC[1] = 0.0;
        CapacitorRecord tiny = make();
        tiny.ladderC[1] = 1e-50;
        ModelVector vz, vt;
        BuildModelVector(zero, vz);
        BuildModelVector(tiny, vt);
        FrequencyPoint pz{}, pt{};
        pz.frequency = pt.frequency = 1234.5;
        EvaluatePoint(zero, pz, vz, false);
        EvaluatePoint(tiny, pt, vt, false);
        EXPECT_TRUE(std::isfinite(pz.impedanceMagnitude)) << zero.series;
        EXPECT_EQ(pz.esr, pt.esr) << zero.series;
        EXPECT_EQ(pz.reactance, pt.reactance) << zero.series;
    }
}

// Near the series resonance the derived capacitance runs away; above 10 kHz it is marked.
TEST(OffScaleMarking, AppliesOnlyAboveTenKilohertzAndWhenAsked) {
    // C1 dominates: the shunt capacitors are large, the series resistances and the
    // inductance vanish, so the derived capacitance is about C1 = 1 µF; the rated
    // capacitance is chosen around it to cross each threshold.
    CapacitorRecord r = MakeRecord("QAKA105K010R", "QAK", 'A', 1.0, 10.0);
    r.ladderR[0] = 1e12;
    r.ladderC[0] = 1e-6;
    for (int k = 1; k < 6; ++k) {
        r.ladderR[k] = 1e-12;
        r.ladderC[k] = 1.0;
    }
    r.lesl = 1e-30;
    r.rels = 1e-12;
    r.rp = 1e15;
    ModelVector v;
    BuildModelVector(r, v);
    FrequencyPoint p{};
    p.frequency = 2e4;
    EvaluatePoint(r, p, v, false);
    const double c = p.seriesCapacitance;
    ASSERT_NEAR(c, 1e-6, 1e-9);

    struct Case {
        double rated;     // µF
        double frequency; // Hz
        bool mark;
        double expected; // 0 means "unmarked"
    };
    const double justBelow = c / 1.499e-6 * 1.0001; // c is just below 1.499 * rated
    const double justAbove = c / 1.499e-6 * 0.9999; // c is just above
    const Case cases[] = {
        {justAbove, 2e4, true, 1e50}, {justBelow, 2e4, true, 0},
        {justAbove, 2e4, false, 0},   {0.1, 1e4, true, 0}, // at 10 kHz never marked
        {0.1, 10001, true, 1e50},
    };
    for (const Case& k : cases) {
        r.capacitance = k.rated;
        FrequencyPoint q{};
        q.frequency = k.frequency;
        EvaluatePoint(r, q, v, k.mark);
        if (k.expected == 0)
            EXPECT_NEAR(q.seriesCapacitance, 1e-6, 1e-9) << k.rated << " " << k.frequency;
        else
            EXPECT_EQ(q.seriesCapacitance, k.expected) << k.rated << " " << k.frequency;
    }

    // Negative capacitance (inductive): marked at or below -0.499 * rated.
    CapacitorRecord l = r;
    l.ladderC[0] = 1e-3;
    l.ladderR[0] = 1e12;
    l.lesl = 1e-6;
    l.rels = 1e12;
    BuildModelVector(l, v);
    FrequencyPoint q{};
    q.frequency = 1e5;
    EvaluatePoint(l, q, v, false);
    const double negative = q.seriesCapacitance;
    ASSERT_LT(negative, 0);
    l.capacitance = -negative / 4.99e-7 * 1.0001; // |C| just below the mark
    EvaluatePoint(l, q, v, true);
    EXPECT_EQ(q.seriesCapacitance, negative);
    l.capacitance = -negative / 4.99e-7 * 0.9999;
    EvaluatePoint(l, q, v, true);
    EXPECT_EQ(q.seriesCapacitance, -1e50);
}

// The curve loop and the single evaluation are one computation: every point agrees
// exactly, for every ladder shape, scaled or not.
TEST(CurveSetEvaluation, MatchesPointEvaluationExactly) {
    auto curves = std::make_unique<CurveSet>();
    const int n = BuildFrequencyGrid(curves->frequency, kMaxCurvePoints);
    for (auto make : {SixStageRecord, FourElementRecord, ThreeStageRecord}) {
        CapacitorRecord r = make();
        AddTemperatureCoefficients(r);
        ModelVector v;
        BuildModelVector(r, v);
        ScaleModelToTemperature(r, v, 85);
        EvaluateCurveSet(r, v, true, *curves, n);
        for (int i = 0; i < n; ++i) {
            FrequencyPoint p{};
            p.frequency = curves->frequency[i];
            EvaluatePoint(r, p, v, true);
            ASSERT_EQ(curves->impedanceMagnitude[i], p.impedanceMagnitude) << r.series << i;
            ASSERT_EQ(curves->esr[i], p.esr) << r.series << i;
            ASSERT_EQ(curves->seriesCapacitance[i], p.seriesCapacitance) << r.series << i;
            ASSERT_EQ(curves->dissipationFactor[i], p.dissipationFactor) << r.series << i;
        }
    }
}

// Elements far outside the usual range still give the exact complex result instead of
// overflowing in the intermediate sums of squares.
TEST(CurveSetEvaluation, ExtremeElementValuesStayFinite) {
    CapacitorRecord r = SixStageRecord();
    r.ladderR[0] = 0.0; // a short: conductance infinite
    r.ladderC[5] = 1e-200;
    r.rp = 1e200;
    ModelVector v;
    BuildModelVector(r, v);
    FrequencyPoint p{};
    p.frequency = 1e3;
    EvaluatePoint(r, p, v, true);
    EXPECT_TRUE(std::isfinite(p.esr));
    EXPECT_TRUE(std::isfinite(p.reactance));
    EXPECT_GT(p.impedanceMagnitude, 0.0);
}

// A missing inductance or parallel-branch capacitance (value 0) is its physical limit: no
// inductance is a short, no capacitor an open branch. The curves stay finite instead of
// turning into NaN through the zero divisor 1/(jω·0).
TEST(ZeroElements, EvaluateAsTheirPhysicalLimit) {
    struct Case {
        const char* name;
        CapacitorRecord zero;
        CapacitorRecord tiny;
    };
    CapacitorRecord sixZero = SixStageRecord(), sixTiny = SixStageRecord();
    sixZero.lesl = 0.0;
    sixTiny.lesl = 1e-40;
    CapacitorRecord qcrZero = ThreeStageRecord(), qcrTiny = ThreeStageRecord();
    qcrZero.cP = 0.0;
    qcrTiny.cP = 1e-40;
    CapacitorRecord lpZero = ThreeStageRecord(), lpTiny = ThreeStageRecord();
    lpZero.lP = 0.0;
    lpTiny.lP = 1e-40;
    const Case cases[] = {
        {"lesl", sixZero, sixTiny}, {"cP", qcrZero, qcrTiny}, {"lP", lpZero, lpTiny}};
    for (const Case& c : cases) {
        for (double f : {100.0, 1e4, 1e6, 1e8}) {
            ModelVector vz, vt;
            BuildModelVector(c.zero, vz);
            BuildModelVector(c.tiny, vt);
            FrequencyPoint pz{}, pt{};
            pz.frequency = pt.frequency = f;
            EvaluatePoint(c.zero, pz, vz, true);
            EvaluatePoint(c.tiny, pt, vt, true);
            EXPECT_NEAR(pz.esr, pt.esr, 1e-9 * pt.impedanceMagnitude) << c.name << " " << f;
            EXPECT_NEAR(pz.reactance, pt.reactance, 1e-9 * pt.impedanceMagnitude)
                << c.name << " " << f;
        }
    }
}

TEST(EsrLimit, ReferenceFrequencyAndScaling) {
    EXPECT_EQ(EsrReferenceFrequency("QCN"), 120.0);
    EXPECT_EQ(EsrReferenceFrequency("QCR"), 300000.0);
    EXPECT_EQ(EsrReferenceFrequency("QAK"), 100000.0);
    EXPECT_EQ(EsrReferenceFrequency("qcr"), 100000.0); // exact comparison

    // 200 mΩ limit over a model ESR of 0.1 Ω at the reference: the curve doubles.
    EXPECT_DOUBLE_EQ(ScaleToEsrLimit(200, 0.3, 0.1), 0.6);
    EXPECT_EQ(ScaleToEsrLimit(0, 0.3, 0.1), 0.0);   // no catalogue limit
    EXPECT_EQ(ScaleToEsrLimit(100, 0.3, 0.1), 0.0); // limit not above the model
    EXPECT_EQ(ScaleToEsrLimit(50, 0.3, 0.1), 0.0);
}

} // namespace

namespace {

// The curve evaluation's fraction arithmetic against the nested formulas in library complex
// arithmetic: within 1e-12 relative in both parts, over the grid, for each ladder shape and
// across the temperature range.
TEST(CurveSetEvaluation, AgreesWithTheNestedFormulasToTwelveDigits) {
    auto curves = std::make_unique<CurveSet>();
    const int n = BuildFrequencyGrid(curves->frequency, kMaxCurvePoints);
    for (auto make : {SixStageRecord, FourElementRecord, ThreeStageRecord}) {
        for (double t : {-55.0, 25.0, 125.0, 200.0}) {
            CapacitorRecord r = make();
            AddTemperatureCoefficients(r);
            ModelVector v;
            BuildModelVector(r, v);
            ScaleModelToTemperature(r, v, t);
            EvaluateCurveSet(r, v, false, *curves, n);
            for (int i = 0; i < n; ++i) {
                double re, im;
                ReferenceImpedance(r, v, curves->frequency[i], re, im);
                const double magnitude = std::hypot(re, im);
                ASSERT_NEAR(curves->esr[i], re, 1e-12 * std::fabs(re)) << r.series << " " << t;
                ASSERT_NEAR(curves->impedanceMagnitude[i], magnitude, 1e-12 * magnitude);
                const double c = 1.0 / (im * curves->frequency[i] * -kTwoPi);
                ASSERT_NEAR(curves->seriesCapacitance[i], c, 1e-12 * std::fabs(c));
            }
        }
    }
}

} // namespace
