#include "WorkingState.h"
#include "ModelFixtures.h"
#include "RippleLimits.h"
#include "TemperatureLists.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace {

// A six-stage part with temperature coefficients, a catalogue ESR limit above its model
// ESR at 100 kHz, a case with a power entry and a catalogue leakage maximum.
CapacitorRecord TantalumPart() {
    CapacitorRecord r = SixStageRecord();
    AddTemperatureCoefficients(r);
    r.esrMax = 20000; // 20 Ω, above the model's ESR at 100 kHz
    r.dclMax = 0.5;   // µA
    return r;
}

std::unique_ptr<CWorkingState> StateFor(const CapacitorRecord& record, double temperature) {
    auto state = std::make_unique<CWorkingState>();
    state->selectedTemperature = temperature;
    state->TakeCapacitor(&record);
    state->RecomputeCurves();
    return state;
}

TEST(RecomputeCurves, WithoutACapacitorThereAreNoPoints) {
    CWorkingState state;
    state.RecomputeCurves();
    EXPECT_EQ(state.pointCount, 0);
}

TEST(RecomputeCurves, AtTwentyFiveDegreesBothSetsAgreePointForPoint) {
    const CapacitorRecord part = TantalumPart();
    auto s = StateFor(part, 25.0);
    ASSERT_EQ(s->pointCount, 600);
    EXPECT_EQ(s->temperatureCurves.frequency[599], 1e8);
    for (int i = 0; i < s->pointCount; ++i) {
        ASSERT_EQ(s->temperatureCurves.impedanceMagnitude[i],
                  s->referenceCurves.impedanceMagnitude[i]);
        ASSERT_EQ(s->temperatureCurves.esr[i], s->referenceCurves.esr[i]);
        ASSERT_EQ(s->temperatureCurves.seriesCapacitance[i],
                  s->referenceCurves.seriesCapacitance[i]);
        ASSERT_EQ(s->esrLimitAtTemperature[i], s->esrLimitReference[i]);
        ASSERT_EQ(s->rippleCurrentAtTemperature[i], s->rippleCurrentReference[i]);
        ASSERT_EQ(s->rippleVoltageAtTemperature[i], s->rippleVoltageReference[i]);
    }
}

TEST(RecomputeCurves, TwoHundredDegreesGivesTheCurvesOfHundredNinetyFive) {
    CapacitorRecord part = TantalumPart();
    std::snprintf(part.partNumber, sizeof part.partNumber, "%s", kQaw200PartNumbers[0]);
    std::snprintf(part.series, sizeof part.series, "QAW");
    auto at200 = StateFor(part, 200.0);
    auto at195 = StateFor(part, 195.0);
    ASSERT_EQ(at200->selectedTemperature, 200.0);
    for (int i = 0; i < at200->pointCount; ++i) {
        ASSERT_EQ(at200->temperatureCurves.impedanceMagnitude[i],
                  at195->temperatureCurves.impedanceMagnitude[i]);
        ASSERT_EQ(at200->temperatureCurves.esr[i], at195->temperatureCurves.esr[i]);
    }
    EXPECT_NE(at200->temperatureCurves.esr[0], at200->referenceCurves.esr[0]);
}

TEST(RecomputeCurves, EsrLimitMeetsTheCatalogueValueAtTheReferenceFrequency) {
    const CapacitorRecord part = TantalumPart();
    auto s = StateFor(part, 85.0);
    // the grid has no point at exactly 100 kHz; the ratio limit / model ESR is the same
    // everywhere and equals catalogue limit / model ESR at 100 kHz
    FrequencyPoint p{};
    p.frequency = 1e5;
    ModelVector v;
    BuildModelVector(part, v);
    EvaluatePoint(part, p, v, true);
    const double ratio = part.esrMax * 0.001 / p.esr;
    for (int i = 0; i < s->pointCount; ++i) {
        ASSERT_NEAR(s->esrLimitReference[i], ratio * s->referenceCurves.esr[i],
                    1e-12 * s->esrLimitReference[i]);
        ASSERT_NEAR(s->esrLimitAtTemperature[i], ratio * s->temperatureCurves.esr[i],
                    1e-12 * s->esrLimitAtTemperature[i]);
    }
}

TEST(RecomputeCurves, NoUsableCatalogueEsrGivesAllZeroLimitCurves) {
    for (double esrMax : {0.0, 1.0 /* 1 mΩ, far below the model */}) {
        CapacitorRecord part = TantalumPart();
        part.esrMax = esrMax;
        auto s = StateFor(part, 85.0);
        for (int i = 0; i < s->pointCount; ++i) {
            ASSERT_EQ(s->esrLimitReference[i], 0.0) << esrMax;
            ASSERT_EQ(s->esrLimitAtTemperature[i], 0.0) << esrMax;
        }
    }
}

TEST(RecomputeCurves, RippleUsesTheReferenceEsrAndTheImpedanceAtTemperature) {
    const CapacitorRecord part = TantalumPart(); // case A, family T: 0.075 W
    auto s = StateFor(part, 105.0);
    const double derating = 0.65;
    bool capped = false;
    for (int i = 0; i < s->pointCount; ++i) {
        const double current = std::sqrt(0.075 / s->referenceCurves.esr[i]) * derating;
        ASSERT_NEAR(s->rippleCurrentAtTemperature[i], current, 1e-12 * current);
        const double v = current * s->temperatureCurves.impedanceMagnitude[i];
        if (v > 1.0) {
            ASSERT_EQ(s->rippleVoltageAtTemperature[i], 0.1 * part.ratedVoltage);
            capped = true;
        } else {
            ASSERT_NEAR(s->rippleVoltageAtTemperature[i], v, 1e-12 * v);
        }
    }
    EXPECT_TRUE(capped) << "the fixture should reach the 1 V cap at low frequencies";

    // The curves are the one-point formula of the measurement point and the cursor.
    for (int i = 0; i < s->pointCount; i += 7) {
        double current, voltage;
        RippleLimits(s->referenceCurves.esr[i], RippleDerating(105.0, "QAK"), 0.075,
                     s->temperatureCurves.impedanceMagnitude[i], part.ratedVoltage, current,
                     voltage);
        ASSERT_EQ(s->rippleCurrentAtTemperature[i], current) << i;
        ASSERT_EQ(s->rippleVoltageAtTemperature[i], voltage) << i;
    }
}

TEST(RecomputeCurves, CaseWithoutPowerEntryGivesZeroRipple) {
    CapacitorRecord part = TantalumPart();
    part.family = 'N';
    part.caseCode = 'K';
    auto s = StateFor(part, 85.0);
    for (int i = 0; i < s->pointCount; ++i) {
        ASSERT_EQ(s->rippleCurrentReference[i], 0.0);
        ASSERT_EQ(s->rippleVoltageAtTemperature[i], 0.0);
    }
}

TEST(RecomputeCurves, ComparisonSetsHoldTheUnscaledCurvesOfEachPart) {
    const CapacitorRecord first = TantalumPart();
    const CapacitorRecord second = FourElementRecord();
    CWorkingState s;
    s.selectedTemperature = 85.0;
    s.TakeCapacitor(&first);
    s.comparisonCapacitors[0] = &first;
    s.comparisonCapacitors[1] = &second;
    s.comparisonMode = true;
    s.RecomputeCurves();
    ModelVector v;
    BuildModelVector(second, v);
    for (int i = 0; i < s.pointCount; i += 37) {
        FrequencyPoint p{};
        p.frequency = s.referenceCurves.frequency[i];
        EvaluatePoint(second, p, v, true);
        EXPECT_EQ(s.comparisonCurves[1].frequency[i], p.frequency);
        EXPECT_EQ(s.comparisonCurves[1].impedanceMagnitude[i], p.impedanceMagnitude);
        EXPECT_EQ(s.comparisonCurves[0].esr[i], s.referenceCurves.esr[i]);
    }
}

TEST(TakeCapacitor, ClampsTheTemperatureAndEndsAComparison) {
    CapacitorRecord qcn = MakeRecord("QCNC107K025R", "QCN", 'C', 100, 25);
    CapacitorRecord qcl = MakeRecord("QCLZ999M050R", "QCL", 'A', 1, 50);
    CapacitorRecord qak = MakeRecord("QAKA105K010R", "QAK", 'A', 1, 10);
    const struct {
        CapacitorRecord* part;
        double before;
        double after;
    } cases[] = {{&qcn, 125, 25}, {&qcn, -55, 25},  {&qcl, 125, 105},
                 {&qcl, 85, 85},  {&qak, 125, 125}, {&qak, -55, -55}};
    for (const auto& c : cases) {
        CWorkingState s;
        s.selectedTemperature = c.before;
        s.comparisonMode = true;
        s.TakeCapacitor(c.part);
        EXPECT_EQ(s.selectedTemperature, c.after) << c.part->series << " " << c.before;
        EXPECT_FALSE(s.comparisonMode);
    }
}

TEST(DclCurves, LimitCurveEndsAtTheCatalogueValue) {
    const CapacitorRecord part = TantalumPart(); // dclMax 0.5 µA
    auto s = StateFor(part, 25.0);
    EXPECT_EQ(s->dclFactor, 1.0);
    EXPECT_EQ(s->dclTime[0], 20.0);
    EXPECT_EQ(s->dclTime[28], 300.0);
    EXPECT_DOUBLE_EQ(s->dclLimit[28], 0.5e-6);
    for (int i = 0; i < kDclPoints; ++i) {
        EXPECT_DOUBLE_EQ(s->dclLimit[i], 40.0 * s->dclTypical[i]);
        EXPECT_EQ(s->dclAtConditions[i], s->dclTypical[i]);
    }

    CapacitorRecord none = part;
    none.dclMax = 0.0;
    auto z = StateFor(none, 25.0);
    for (int i = 0; i < kDclPoints; ++i) {
        EXPECT_EQ(z->dclTypical[i], 0.0);
        EXPECT_EQ(z->dclAtConditions[i], 0.0);
        EXPECT_EQ(z->dclLimit[i], 0.0);
    }
}

TEST(DclCurves, ConditionsFromTheOfferedRowsOnly) {
    const CapacitorRecord part = TantalumPart();
    auto s = StateFor(part, 25.0);
    ASSERT_TRUE(s->SetDclConditions(80, 85));
    EXPECT_EQ(s->dclVoltagePercent, 80);
    EXPECT_EQ(s->dclTemperature, 85);
    EXPECT_DOUBLE_EQ(s->dclFactor, 0.609597233 * 6.636240739);
    EXPECT_DOUBLE_EQ(s->dclAtConditions[5], s->dclFactor * s->dclTypical[5]);

    ASSERT_TRUE(s->SetDclConditions(100, 25));
    EXPECT_EQ(s->dclFactor, 1.0);

    // Values outside the rows, and 175 °C for a part that is not QAW, change nothing.
    s->SetDclConditions(50, 105);
    const double factor = s->dclFactor;
    EXPECT_FALSE(s->SetDclConditions(75, 85));
    EXPECT_FALSE(s->SetDclConditions(80, 150));
    EXPECT_FALSE(s->SetDclConditions(80, 175));
    EXPECT_EQ(s->dclFactor, factor);
    EXPECT_EQ(s->dclVoltagePercent, 50);
    EXPECT_EQ(s->dclTemperature, 105);

    s->ResetDclConditions();
    EXPECT_EQ(s->dclVoltagePercent, 100);
    EXPECT_EQ(s->dclTemperature, 25);
    EXPECT_EQ(s->dclFactor, 1.0);
    EXPECT_EQ(s->dclAtConditions[5], s->dclTypical[5]);

    CapacitorRecord qaw = part;
    std::snprintf(qaw.series, sizeof qaw.series, "QAW");
    auto w = StateFor(qaw, 25.0);
    EXPECT_TRUE(w->SetDclConditions(20, 175));
}

TEST(DclCurves, CursorValueFollowsTheCurveShown) {
    const CapacitorRecord part = TantalumPart();
    auto s = StateFor(part, 25.0);
    const double typical = TypicalDcl(135, part.dclMax, part.series);
    EXPECT_EQ(s->DclCursorValue(135, 0), typical);
    EXPECT_DOUBLE_EQ(s->DclCursorValue(135, 1), 40.0 * typical); // the limit curve
    s->SetDclConditions(50, 85);
    EXPECT_EQ(s->DclCursorValue(135, 0), typical);
    EXPECT_DOUBLE_EQ(s->DclCursorValue(135, 1), s->dclFactor * typical);
}

} // namespace
