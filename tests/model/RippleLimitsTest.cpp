#include "RippleLimits.h"
#include "ModelFixtures.h"
#include "TemperatureLists.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(RippleDerating, BreakPointsAndInterpolation) {
    struct Case {
        const char* series;
        double temperature;
        double factor;
    };
    const Case cases[] = {
        // family T: (-55, 1) (25, 1) (78, 1) (85, 0.9) (125, 0.4)
        {"QAK", -80, 1.0},
        {"QAK", -55, 1.0},
        {"QAK", 25, 1.0},
        {"QAK", 78, 1.0},
        {"QAK", 81.5, 0.95},
        {"QAK", 85, 0.9},
        {"QAK", 105, 0.65},
        {"QAK", 125, 0.4},
        {"QAK", 175, 0.4},
        {"qcn", 105, 0.65},
        // QBZ is niobium oxide but follows the tantalum curve
        {"QBZ", 105, 0.65},
        // every other series: (-55, 1) (25, 1) (81, 1) (85, 0.9) (105, 0.4)
        {"QBT", 81, 1.0},
        {"QBT", 83, 0.95},
        {"QBT", 85, 0.9},
        {"QBT", 95, 0.65},
        {"QBT", 105, 0.4},
        {"QBT", 125, 0.4},
        {"QCT", 95, 0.65},
        {"QCR", -55, 1.0},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(RippleDerating(c.temperature, c.series), c.factor, 1e-12)
            << c.series << " at " << c.temperature;
    EXPECT_EQ(RippleDerating(125, nullptr), 1.0);
    EXPECT_EQ(RippleDerating(125, ""), 1.0);
}

TEST(CasePowerDissipation, ColumnOrderCaseRulesAndMissingEntries) {
    struct Case {
        char caseCode;
        char family;
        const char* series;
        double watts;
    };
    const Case cases[] = {
        {'A', 'T', "QAX", 0.075},
        {'A', 'T', "QAY", 0.05},
        {'A', 'T', "QAZ", 0.04},
        {'A', 'T', "QAK", 0.075},
        {'A', 'N', "QBT", 0.09},
        {'R', 'T', "QAX", 0.055},
        {'R', 'T', "QAZ", 0.065},
        {'R', 'T', "QAK", 0.055},
        {'R', 'N', "QBT", 0.0},
        {'X', 'T', "QAZ", 0.04},
        {'X', 'F', "QCT", 0.12},
        {'E', 'N', "QCJ", 0.198},
        {'G', 'T', "QAY", 0.125},
        {'G', 'T', "QAX", 0.0},
        {'K', 'N', "QBT", 0.0},
        {'6', 'T', "QAZ", 0.23},
        {'6', 'N', "QCJ", 0.23},
        {'6', 'T', "QAX", 0.0},
        {'Q', 'T', "QAK", 0.0},
        {'9', 'T', "QAK", 0.0},
        // lower-case case codes and family letters read as upper case
        {'a', 'T', "QAY", 0.05},
        {'v', 'n', "QBT", 0.3},
        {'g', 't', "QAK", 0.07},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(CasePowerDissipation(c.caseCode, c.family, c.series), c.watts)
            << c.caseCode << " " << c.family << " " << c.series;
}

TEST(RippleLimits, CurrentFromPowerAndVoltageCappedAtATenthOfRated) {
    double current = 0, voltage = 0;
    // √(0.1 W / 0.4 Ω) × 0.9 = 0.45 A; 0.45 A × 2 Ω = 0.9 V below the 1.6 V cap
    RippleLimits(0.4, 0.9, 0.1, 2.0, 16.0, current, voltage);
    EXPECT_DOUBLE_EQ(current, 0.45);
    EXPECT_DOUBLE_EQ(voltage, 0.9);
    // 0.45 A × 20 Ω = 9 V: capped at exactly 0.1 × 16 V
    RippleLimits(0.4, 0.9, 0.1, 20.0, 16.0, current, voltage);
    EXPECT_EQ(voltage, 0.1 * 16.0);
    // no case power: no ripple
    RippleLimits(0.4, 0.9, 0.0, 20.0, 16.0, current, voltage);
    EXPECT_EQ(current, 0.0);
    EXPECT_EQ(voltage, 0.0);
}

TEST(MaxTemperature, DecidedByListsThenSeries) {
    EXPECT_EQ(MaxTemperature(nullptr), 125);

    CapacitorRecord qaw = MakeRecord("QAWE107K016R", "QAW", 'E', 100, 16);
    EXPECT_EQ(MaxTemperature(&qaw), 175);
    for (const char* listed : kQaw200PartNumbers) {
        CapacitorRecord r = MakeRecord(listed, "QAW", 'E', 100, 16);
        EXPECT_EQ(MaxTemperature(&r), 200) << listed;
    }

    CapacitorRecord qcl = MakeRecord("QCLZ999M050R", "QCL", 'A', 1, 50);
    EXPECT_EQ(MaxTemperature(&qcl), 105);
    for (const char* listed : kQcl125PartNumbers) {
        CapacitorRecord r = MakeRecord(listed, "QCL", 'A', 1, 10);
        EXPECT_EQ(MaxTemperature(&r), 125) << listed;
    }

    const struct {
        const char* series;
        int limit;
    } bySeries[] = {{"QBT", 105}, {"QCR", 105}, {"QAK", 125}, {"QCN", 125}, {"QCM", 125}};
    for (const auto& s : bySeries) {
        CapacitorRecord r = MakeRecord("QXXA105K010R", s.series, 'A', 1, 10);
        EXPECT_EQ(MaxTemperature(&r), s.limit) << s.series;
    }

    // The lists compare the whole text exactly.
    std::string shorter = kQcl125PartNumbers[0];
    shorter.pop_back();
    CapacitorRecord prefix = MakeRecord(shorter.c_str(), "QCL", 'A', 1, 10);
    EXPECT_EQ(MaxTemperature(&prefix), 105);
}

} // namespace
