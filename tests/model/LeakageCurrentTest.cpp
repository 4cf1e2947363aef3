#include "LeakageCurrent.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(TypicalDcl, EndsAtAFortiethOrThirtiethOfTheCatalogueValue) {
    EXPECT_DOUBLE_EQ(TypicalDcl(300, 10.0, "QAK"), 10e-6 / 40);
    EXPECT_DOUBLE_EQ(TypicalDcl(300, 10.0, "QCL"), 10e-6 / 30);
    EXPECT_DOUBLE_EQ(TypicalDcl(300, 10.0, "qcm"), 10e-6 / 30);
    EXPECT_DOUBLE_EQ(TypicalDcl(20, 10.0, "QAK"), 10e-6 / 40 * 5.011);
    EXPECT_EQ(TypicalDcl(150, 0.0, "QAK"), 0.0);
}

TEST(TypicalDcl, FirstRowOfEachSeriesGroup) {
    const struct {
        const char* series;
        double k20;
    } groups[] = {{"QAZ", 3.115}, {"QAU", 6.374}, {"QAV", 6.374},  {"qaw", 6.374},  {"QAT", 11.038},
                  {"QCL", 2.787}, {"QCM", 2.787}, {"QBT", 13.181}, {"QBZ", 13.181}, {"QCJ", 13.181},
                  {"QAK", 5.011}, {"QBH", 5.011}, {"QCR", 5.011},  {"ZZZ", 5.011}};
    for (const auto& g : groups) {
        const double L = (g.series[2] == 'L' || g.series[2] == 'M') ? 30.0 : 40.0;
        EXPECT_DOUBLE_EQ(TypicalDcl(20, 40.0, g.series), 40e-6 / L * g.k20) << g.series;
        EXPECT_DOUBLE_EQ(DclDecayFactor(g.series, 0), g.k20) << g.series;
        EXPECT_EQ(DclDecayFactor(g.series, 28), 1.0) << g.series;
    }
}

TEST(TypicalDcl, InterpolatesBetweenRowsAndHoldsOutsideTheTable) {
    const double unit = 40e-6 / 40; // dclMax 40 µA, L = 40: k in µA
    const struct {
        double t;
        double k;
    } cases[] = {
        {25, 5.011 + (3.669 - 5.011) * 0.5},
        {33, 3.669 + (2.984 - 3.669) * 0.3},
        {295, 1.014 + (1 - 1.014) * 0.5},
        {20, 5.011},
        {10, 5.011},
        {-1e300, 5.011},
        {305, 1.0},
        {1e300, 1.0},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(TypicalDcl(c.t, 40.0, "QAK"), unit * c.k, 1e-15 * unit) << c.t;
    // A time that is not a number reads the first row rather than an undefined index.
    EXPECT_DOUBLE_EQ(TypicalDcl(std::numeric_limits<double>::quiet_NaN(), 40.0, "QAK"),
                     unit * 5.011);
}

TEST(ScaleToDclLimit, StretchesToTheCatalogueValue) {
    EXPECT_DOUBLE_EQ(ScaleToDclLimit(10.0, 0.5e-6, 0.25e-6), 20e-6); // 10 µA / 0.25 µA × value
    EXPECT_EQ(ScaleToDclLimit(0.0, 0.5e-6, 0.25e-6), 0.0);
    EXPECT_EQ(ScaleToDclLimit(0.25, 0.5e-6, 0.25e-6), 0.0); // not above the typical value
}

TEST(DclConditions, FactorTablesAndTheQawOnlyTemperature) {
    const struct {
        int percent;
        double factor;
    } voltages[] = {
        {100, 1.0}, {80, 0.609597233}, {50, 0.276690973}, {30, 0.153249536}, {20, 0.109842606}};
    for (const auto& v : voltages) {
        const DclVoltageCondition* c = FindDclVoltageCondition(v.percent);
        ASSERT_NE(c, nullptr) << v.percent;
        EXPECT_EQ(c->factor, v.factor);
    }
    const struct {
        int temperature;
        double factor;
        const char* item;
    } temperatures[] = {{-55, 0.100013767, "-55°C"}, {0, 0.552458933, "  0°C"},
                        {25, 1.0, " 25°C"},          {85, 6.636240739, " 85°C"},
                        {105, 12.35457088, "105°C"}, {125, 26.02916744, "125°C"},
                        {175, 90.49912661, "175°C"}};
    for (const auto& t : temperatures) {
        const DclTemperatureCondition* c = FindDclTemperatureCondition(t.temperature);
        ASSERT_NE(c, nullptr) << t.temperature;
        EXPECT_EQ(c->factor, t.factor);
        EXPECT_STREQ(c->item, t.item);
        EXPECT_EQ(DclTemperatureOffered(*c, "QAK"), t.temperature != 175);
        EXPECT_TRUE(DclTemperatureOffered(*c, "qaw"));
    }
    EXPECT_EQ(FindDclVoltageCondition(75), nullptr);
    EXPECT_EQ(FindDclTemperatureCondition(150), nullptr);
}

} // namespace
