#include "DataText.h"
#include "ModelFixtures.h"
#include "TestEnvironment.h"
#include "WorkingState.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line))
        lines.push_back(line);
    return lines;
}

std::string Sci(double v) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%le", v);
    return buffer;
}

// The six-stage fixture: 1 µF, 10 V, case A, with a leakage maximum of 0.5 µA. Its series
// resonance lies inside the band, so the capacitance curve carries off-scale marks.
CapacitorRecord Part() {
    CapacitorRecord r = SixStageRecord();
    AddTemperatureCoefficients(r);
    r.dclMax = 0.5;
    return r;
}

class DataText : public ::testing::Test {
protected:
    void SetUp() override {
        part = Part();
        state = std::make_unique<CWorkingState>();
        state->selectedTemperature = 85;
        state->TakeCapacitor(&part);
        state->RecomputeCurves();
        ASSERT_TRUE(state->SetDclConditions(50, 85));
        lines = Lines(BuildDataText(*state));
    }

    CapacitorRecord part;
    std::unique_ptr<CWorkingState> state;
    std::vector<std::string> lines;
};

TEST_F(DataText, HeaderNamesTheConditionsAndThePart) {
    ASSERT_GE(lines.size(), 7u);
    EXPECT_EQ(lines[0], kDataTextNotice);
    EXPECT_EQ(lines[1], "Frequency response parameters: T=85 °C");
    EXPECT_EQ(lines[2], "DCL parameters: Vr=5 V T=85 °C"); // 50 % of 10 V
    EXPECT_EQ(lines[3], "");
    EXPECT_EQ(lines[4], "QAKA105K010R\t1 uF\t10 V\tCase A");
    EXPECT_EQ(lines[5], "");
    EXPECT_EQ(lines[6], "Frequency [Hz]\tImpedance [Z]\tESR [Ohm]\tCapacitance [F]\tDF [-]\t"
                        "VACrms [V]\tIACrms [A]");
}

TEST_F(DataText, SixHundredFrequencyLinesThenTheLeakageTable) {
    ASSERT_EQ(lines.size(), 7u + 600u + 1u + 1u + 29u);
    EXPECT_EQ(lines[7].rfind("1.000000e+02\t", 0), 0u);
    EXPECT_EQ(lines[606].rfind("1.000000e+08\t", 0), 0u);
    EXPECT_EQ(lines[607], "");
    EXPECT_EQ(lines[608], "Time [s]\tDCL [nA]");
    // 0.5 µA / 40 × 5.011 at rated voltage and 25 °C, times the 50 % and 85 °C factors
    const double factor = 0.276690973 * 6.636240739;
    EXPECT_EQ(lines[609], "20\t" + Sci(0.5e-6 / 40 * 5.011 * factor * 1e9));
    EXPECT_EQ(lines[637], "300\t" + Sci(0.5e-6 / 40 * factor * 1e9));
    for (const std::string& line : lines)
        EXPECT_EQ(line.find('\r'), std::string::npos);
}

TEST_F(DataText, ValuesAreThoseAtTheSelectedTemperature) {
    for (int i : {0, 123, 599}) {
        const std::string& line = lines[7 + i];
        std::istringstream in(line);
        std::string column[7];
        for (std::string& c : column)
            std::getline(in, c, '\t');
        EXPECT_EQ(column[1], Sci(state->temperatureCurves.impedanceMagnitude[i])) << i;
        EXPECT_EQ(column[2], Sci(state->temperatureCurves.esr[i])) << i;
        EXPECT_EQ(column[4], Sci(state->temperatureCurves.dissipationFactor[i])) << i;
        EXPECT_EQ(column[5], Sci(state->rippleVoltageAtTemperature[i])) << i;
        EXPECT_EQ(column[6], Sci(state->rippleCurrentAtTemperature[i])) << i;
        EXPECT_NE(column[2], Sci(state->referenceCurves.esr[i])) << i;
    }
}

// The graph's capacitance curve is marked off-scale near the resonance; the exported
// column carries the model's value there instead.
TEST_F(DataText, CapacitanceColumnCarriesNoOffScaleMarks) {
    int marked = 0;
    for (int i = 0; i < state->pointCount; ++i) {
        const double curve = state->temperatureCurves.seriesCapacitance[i];
        std::istringstream in(lines[7 + i]);
        std::string column[4];
        for (std::string& c : column)
            std::getline(in, c, '\t');
        const double exported = std::stod(column[3]);
        EXPECT_LT(std::fabs(exported), 1e40) << i;
        if (std::fabs(curve) >= 1e50)
            ++marked;
        else
            EXPECT_EQ(column[3], Sci(curve)) << i;
    }
    EXPECT_GT(marked, 0) << "the fixture should cross the off-scale thresholds";
}

// The GUI's writers keep the C form even where the process runs in a German locale.
TEST_F(DataText, NumbersKeepTheCFormInAGermanLocale) {
    const std::string locales = GenerateGermanLocale();
    if (locales.empty())
        GTEST_SKIP() << "localedef (Debian package locales) is not installed";
    ASSERT_EQ(setenv("LOCPATH", locales.c_str(), 1), 0);
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr);
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 1.5);
    const std::string german = probe;
    const std::string text = BuildDataText(*state);
    std::setlocale(LC_ALL, previous.c_str());
    unsetenv("LOCPATH");
    EXPECT_EQ(german, "1,5"); // the locale was in force
    std::string reference;
    for (const std::string& line : lines)
        reference += line + "\n";
    EXPECT_TRUE(text == reference) << text.substr(0, 300);
}

TEST(DataTextEmpty, NothingWithoutFrequencyPoints) {
    CWorkingState state;
    EXPECT_EQ(BuildDataText(state), "");
    const CapacitorRecord part = Part();
    state.TakeCapacitor(&part); // chosen but not computed yet
    EXPECT_EQ(BuildDataText(state), "");
}

} // namespace
