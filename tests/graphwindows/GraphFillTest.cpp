#include "GraphFill.h"

#include "FrequencyResponse.h"
#include "Messages.h"
#include "TestRecords.h"
#include "WorkingState.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Every string reads "<id>", so a test sees which id a text came from.
class IdStrings : public IStringTable {
public:
    std::string GetString(int id) const override { return "<" + std::to_string(id) + ">"; }
};

int CurveCount(const GraphFill& fill) {
    int n = 0;
    while (n < 4 && fill.curves[n] != nullptr)
        ++n;
    return n;
}

class GraphFillTest : public ::testing::Test {
protected:
    void Compute(const CapacitorRecord* record, double temperature) {
        state.currentCapacitor = record;
        state.selectedTemperature = temperature;
        state.RecomputeCurves();
    }
    GraphFill Fill(GraphKind kind) const {
        return ComposeGraphFill(kind, MakeFillSource(state), strings);
    }

    IdStrings strings;
    CWorkingState state;
    CapacitorRecord qak = MakeTestRecord("QAKB106M016R", "QAK", 'T', 'B', 10, 16);
    CapacitorRecord qcn = MakeTestRecord("QCNC107M016", "QCN", 'T', 'C', 100, 16);
    CapacitorRecord qaw = MakeTestRecord("QAWD106K016R", "QAW", 'T', 'D', 10, 16);
};

TEST_F(GraphFillTest, CaptionsAxesUnitsNotesAndLegendPositionsPerKind) {
    Compute(&qak, 25.0);
    struct Row {
        GraphKind kind;
        const char *xCaption, *yCaption;
        bool logX, logY;
        const char *xUnit, *yUnit, *title, *note;
        int legend;
    };
    const Row rows[] = {
        {KindDF, "Frequency [Hz]", "DF [-]", true, true, "Hz", "", "DF", "<34052>",
         kFillLegendTopLeft},
        {KindESR, "Frequency [Hz]", "ESR [Ohm]", true, true, "Hz", "Ohm", "ESR", "<34052>",
         kFillLegendTopRight},
        {KindImpedance, "Frequency [Hz]", "Impedance [Ohm]", true, true, "Hz", "Ohm", "Impedance",
         "<34052>", kFillLegendTopRight},
        {KindCapacitance, "Frequency [Hz]", "Capacitance [F]", true, false, "Hz", "F",
         "Capacitance", "<34052>", kFillLegendBottomLeft},
        {KindRippleVoltage, "Frequency [Hz]", "V_ripple_ [V]", true, false, "Hz", "V",
         "Ripple voltage", "<34051>", kFillLegendBottomLeft},
        {KindRippleCurrent, "Frequency [Hz]", "I_ripple_ [A]", true, false, "Hz", "A",
         "Ripple current", "<34051>", kFillLegendTopLeft},
        {KindDCL, "Time [s]", "DCL [A]", false, false, "s", "A", "DCL", "<34050>1.6 uA.",
         kFillLegendTopRight},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.title);
        GraphFill fill = Fill(row.kind);
        EXPECT_EQ(fill.xCaption, row.xCaption);
        EXPECT_EQ(fill.yCaption, row.yCaption);
        EXPECT_EQ(fill.logX, row.logX);
        EXPECT_EQ(fill.logY, row.logY);
        EXPECT_EQ(fill.xUnit, row.xUnit);
        EXPECT_EQ(fill.yUnit, row.yUnit);
        EXPECT_EQ(fill.title, row.title);
        EXPECT_EQ(fill.note, row.note);
        EXPECT_EQ(fill.legendPosition, row.legend);
        EXPECT_EQ(fill.pickCarriesView, row.kind == KindDCL);
    }
    // The ripple-voltage legend moves to the top right away from 25 °C.
    Compute(&qak, 85.0);
    EXPECT_EQ(Fill(KindRippleVoltage).legendPosition, kFillLegendTopRight);
}

TEST_F(GraphFillTest, FrequencyGraphsAddTheSelectedTemperatureAwayFrom25) {
    Compute(&qak, 25.0);
    GraphFill at25 = Fill(KindImpedance);
    ASSERT_EQ(CurveCount(at25), 1);
    EXPECT_EQ(at25.count, 600);
    EXPECT_EQ(at25.x, state.referenceCurves.frequency);
    EXPECT_EQ(at25.curves[0], state.referenceCurves.impedanceMagnitude);
    EXPECT_EQ(at25.legendNames[0], "QAKB106M016R @25\u00B0C");

    Compute(&qak, 125.0);
    GraphFill hot = Fill(KindCapacitance);
    ASSERT_EQ(CurveCount(hot), 2);
    EXPECT_EQ(hot.curves[1], state.temperatureCurves.seriesCapacitance);
    EXPECT_EQ(hot.legendNames[1], "QAKB106M016R @125\u00B0C");
    GraphFill ripple = Fill(KindRippleCurrent);
    ASSERT_EQ(CurveCount(ripple), 2);
    EXPECT_EQ(ripple.curves[0], state.rippleCurrentReference);
    EXPECT_EQ(ripple.curves[1], state.rippleCurrentAtTemperature);
}

TEST_F(GraphFillTest, EsrShowsTheDottedLimitAndReferencePointAt25) {
    Compute(&qak, 25.0);
    ASSERT_NE(state.esrLimitReference[0], 0.0);
    GraphFill fill = Fill(KindESR);
    ASSERT_EQ(CurveCount(fill), 2);
    EXPECT_EQ(fill.curves[1], state.esrLimitReference);
    EXPECT_FALSE(fill.dotted[0]);
    EXPECT_TRUE(fill.dotted[1]);
    EXPECT_EQ(fill.legendNames[1], "QAKB106M016R Max");
    EXPECT_EQ(fill.referenceText, "<34054>");
    EXPECT_DOUBLE_EQ(fill.referenceX, 100000.0);
    EXPECT_DOUBLE_EQ(fill.referenceY, 3.0);
}

TEST_F(GraphFillTest, EsrAwayFrom25ShowsTheLimitAtTemperatureAsThirdCurve) {
    Compute(&qak, 85.0);
    GraphFill fill = Fill(KindESR);
    ASSERT_EQ(CurveCount(fill), 3);
    EXPECT_EQ(fill.curves[1], state.temperatureCurves.esr);
    EXPECT_FALSE(fill.dotted[1]);
    EXPECT_EQ(fill.curves[2], state.esrLimitAtTemperature);
    EXPECT_TRUE(fill.dotted[2]);
    EXPECT_EQ(fill.legendNames[2], "QAKB106M016R Max @85\u00B0C");
    EXPECT_TRUE(fill.referenceText.empty());
}

TEST_F(GraphFillTest, EsrWithoutLimitShowsNoLimitCurve) {
    // A wet tantalum part never shows a limit; a part whose catalogue gives none neither.
    CapacitorRecord noLimit = MakeTestRecord("QAKB106M016R", "QAK", 'T', 'B', 10, 16, 0.0);
    for (const CapacitorRecord* record : {&qcn, &noLimit}) {
        SCOPED_TRACE(record->esrMax);
        Compute(record, 25.0);
        GraphFill fill = Fill(KindESR);
        EXPECT_EQ(CurveCount(fill), 1);
        EXPECT_TRUE(fill.referenceText.empty());
    }
    Compute(&noLimit, 85.0);
    EXPECT_EQ(CurveCount(Fill(KindESR)), 2);
}

TEST_F(GraphFillTest, ComparisonShowsBothPartsAt25) {
    Compute(&qak, 85.0);
    state.comparisonMode = true;
    state.comparisonCapacitors[0] = &qak;
    state.comparisonCapacitors[1] = &qaw;
    state.RecomputeCurves();
    for (GraphKind kind : {KindDF, KindESR, KindImpedance, KindCapacitance}) {
        GraphFill fill = Fill(kind);
        ASSERT_EQ(CurveCount(fill), 2);
        EXPECT_EQ(fill.legendNames[0], "QAKB106M016R @25\u00B0C");
        EXPECT_EQ(fill.legendNames[1], "QAWD106K016R @25\u00B0C");
        EXPECT_FALSE(fill.dotted[1]);
    }
    EXPECT_EQ(Fill(KindDF).curves[1], state.comparisonCurves[1].dissipationFactor);
}

TEST_F(GraphFillTest, LeakageCurvesFollowTheConditionsFactor) {
    Compute(&qak, 25.0);
    // 100 % and 25 °C: the typical curve and the dotted limit curve.
    GraphFill rated = Fill(KindDCL);
    ASSERT_EQ(CurveCount(rated), 2);
    EXPECT_EQ(rated.count, kDclPoints);
    EXPECT_EQ(rated.x, state.dclTime);
    EXPECT_EQ(rated.curves[0], state.dclTypical);
    EXPECT_EQ(rated.curves[1], state.dclLimit);
    EXPECT_TRUE(rated.dotted[1]);
    EXPECT_EQ(rated.legendNames[1], "QAKB106M016R Max @(100% Vr, 25\u00B0C)");

    // Any other condition: the typical and the derated curve.
    ASSERT_TRUE(state.SetDclConditions(80, 85));
    GraphFill derated = Fill(KindDCL);
    ASSERT_EQ(CurveCount(derated), 2);
    EXPECT_EQ(derated.curves[1], state.dclAtConditions);
    EXPECT_FALSE(derated.dotted[1]);
    EXPECT_EQ(derated.legendNames[0], "QAKB106M016R @(100% Vr, 25\u00B0C)");
    EXPECT_EQ(derated.legendNames[1], "QAKB106M016R @(80% Vr, 85\u00B0C)");

    // Without a catalogue value there is no limit: the one curve at the conditions.
    CapacitorRecord noLimit = MakeTestRecord("QAKB106M016R", "QAK", 'T', 'B', 10, 16, 3000, 0.0);
    Compute(&noLimit, 25.0);
    GraphFill single = Fill(KindDCL);
    EXPECT_EQ(CurveCount(single), 1);
    EXPECT_EQ(single.curves[0], state.dclAtConditions);
}

TEST_F(GraphFillTest, WithoutCapacitorTheTextsComeButNoCurves) {
    GraphFill fill = Fill(KindESR);
    EXPECT_EQ(fill.title, "ESR");
    EXPECT_EQ(CurveCount(fill), 0);
    EXPECT_EQ(fill.count, 0);
}

} // namespace
