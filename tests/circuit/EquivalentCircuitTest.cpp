#include "EquivalentCircuit.h"

#include "CapacitorRecord.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

namespace {

struct PrefixedCase {
    double value;
    const char* expected;
};

class FormatPrefixedTest : public ::testing::TestWithParam<PrefixedCase> {};

TEST_P(FormatPrefixedTest, WritesThreeDigitsAndThePrefixOfTheStep) {
    const PrefixedCase& c = GetParam();
    EXPECT_EQ(FormatPrefixed(c.value), c.expected) << "value " << c.value;
    char buffer[kPrefixedBufferSize];
    std::memset(buffer, 'x', sizeof buffer);
    FormatPrefixed(buffer, c.value);
    EXPECT_STREQ(buffer, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, FormatPrefixedTest,
    ::testing::Values(PrefixedCase{1000.0, "1 k"},
                      // rounding inside a step keeps the step: no carry into the next letter
                      PrefixedCase{999.9996, "1e+03 "}, PrefixedCase{999999.7, "1e+03 k"},
                      PrefixedCase{10.0, "10 "}, PrefixedCase{1.0, "1 "},
                      PrefixedCase{8.64e-6, "8.64 u"}, PrefixedCase{1.8e-9, "1.8 n"},
                      PrefixedCase{0.1, "100 m"}, PrefixedCase{1e-15, "1 f"},
                      PrefixedCase{2e15, "2 P"}, PrefixedCase{1e18, "1e+03 P"},
                      PrefixedCase{1.0001e18, "?"}, PrefixedCase{1e34, "?"},
                      PrefixedCase{-4.7e-6, "-4.7 u"}, PrefixedCase{-2200.0, "-2.2 k"},
                      PrefixedCase{-1e20, "?"}, PrefixedCase{1e-25, "0"},
                      PrefixedCase{9.99e-16, "0"}, PrefixedCase{0.0, "0"}, PrefixedCase{-0.0, "0"},
                      PrefixedCase{std::numeric_limits<double>::infinity(), "?"},
                      PrefixedCase{std::numeric_limits<double>::quiet_NaN(), "?"}));

TEST(FormatPrefixedTest, NullBufferIsIgnored) {
    FormatPrefixed(nullptr, 1.0); // must not crash
    SUCCEED();
}

CapacitorRecord MakeRecord(const char* series) {
    CapacitorRecord r{};
    std::snprintf(r.partNumber, sizeof r.partNumber, "%s", "TPSD107K016R0100");
    std::memcpy(r.series, series, 4);
    r.rels = 10.0;
    r.lesl = 1.8e-9;
    r.rp = 2.5e9;
    for (int i = 0; i < 6; ++i) {
        r.ladderR[i] = (i + 1) * 1e-2; // R1 = 10 m, R2 = 20 m, ...
        r.ladderC[i] = (i + 1) * 1e-6; // C1 = 1 u, C2 = 2 u, ...
    }
    r.cP = 3.3e-7;
    r.lP = 4.7e-9;
    r.rP = 0.25;
    return r;
}

TEST(CircuitLinesTest, TopologyFollowsTheSeriesCodeWithItsTerminatingZero) {
    EXPECT_EQ(ModelTemplateFor(MakeRecord("QCL")), kModelPolymer);
    EXPECT_EQ(ModelTemplateFor(MakeRecord("QCM")), kModelPolymer);
    EXPECT_EQ(ModelTemplateFor(MakeRecord("QCR")), kModelParallelLC);
    EXPECT_EQ(ModelTemplateFor(MakeRecord("QAK")), kModelLadder);
    // A code that merely starts with QCL is another series.
    CapacitorRecord odd = MakeRecord("QCL");
    odd.series[3] = 'X';
    EXPECT_EQ(ModelTemplateFor(odd), kModelLadder);
    EXPECT_EQ(ModelBitmapFor(kModelLadder), 178);
    EXPECT_EQ(ModelBitmapFor(kModelPolymer), 179);
    EXPECT_EQ(ModelBitmapFor(kModelParallelLC), 180);
}

TEST(CircuitLinesTest, LadderListsEverySixStagesInLibraryOrder) {
    const std::string expected = "Rs = 10 Ohm\r\n"
                                 "Ls = 1.8 nH\r\n"
                                 "Rli = 2.5 GOhm\r\n"
                                 "Rd = 100 mOhm\r\n"
                                 "R0 = 10 mOhm\r\nC0 = 1 uF\r\n"
                                 "R1 = 20 mOhm\r\nC1 = 2 uF\r\n"
                                 "R2 = 30 mOhm\r\nC2 = 3 uF\r\n"
                                 "R3 = 40 mOhm\r\nC3 = 4 uF\r\n"
                                 "R4 = 50 mOhm\r\nC4 = 5 uF\r\n"
                                 "R5 = 60 mOhm\r\nC5 = 6 uF\r\n";
    EXPECT_EQ(CircuitText(MakeRecord("QAK")), expected);
}

TEST(CircuitLinesTest, PolymerPutsTheLibrarySeriesResistorAfterThePairs) {
    CapacitorRecord r = MakeRecord("QCM");
    // A switched-off fourth stage: a huge resistor and a vanishing capacitor.
    r.ladderR[3] = 1e34;
    r.ladderC[3] = 1e-25;
    const std::string expected = "Rs = 10 Ohm\r\n"
                                 "Ls = 1.8 nH\r\n"
                                 "Rli = 2.5 GOhm\r\n"
                                 "Rd = 100 mOhm\r\n"
                                 "R0 = 20 mOhm\r\nC0 = 1 uF\r\n"
                                 "R1 = 30 mOhm\r\nC1 = 2 uF\r\n"
                                 "R2 = 10 mOhm\r\nC2 = 3 uF\r\n"
                                 "R3 = ?Ohm\r\nC3 = 0F\r\n";
    EXPECT_EQ(CircuitText(r), expected);
}

TEST(CircuitLinesTest, ParallelLcBranchComesFirstThenTheStages) {
    const std::string expected = "Rs = 10 Ohm\r\n"
                                 "Ls = 1.8 nH\r\n"
                                 "Rli = 2.5 GOhm\r\n"
                                 "Rd = 100 mOhm\r\n"
                                 "Cp = 330 nF\r\nLp = 4.7 nH\r\nRp = 250 mOhm\r\n"
                                 "R0 = 20 mOhm\r\nC0 = 1 uF\r\n"
                                 "R1 = 10 mOhm\r\nC1 = 2 uF\r\n"
                                 "R2 = 30 mOhm\r\nC2 = 3 uF\r\n";
    EXPECT_EQ(CircuitText(MakeRecord("QCR")), expected);
}

TEST(CircuitLinesTest, TitleNamesThePartEvenWhenItFillsItsField) {
    CapacitorRecord r = MakeRecord("QAK");
    EXPECT_EQ(CircuitTitle(r), "Equivalent circuit diagram of TPSD107K016R0100");
    // Sixteen characters and no terminator in a 17-byte field must not read past it.
    std::memset(r.partNumber, 'A', sizeof r.partNumber);
    EXPECT_EQ(CircuitTitle(r), "Equivalent circuit diagram of " + std::string(17, 'A'));
}

} // namespace
