#include "Axis.h"
#include "PageLayout.h"
#include "Pick.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

struct SiCase {
    double value;
    const char* text;
};

class FormatSITest : public ::testing::TestWithParam<SiCase> {};

TEST_P(FormatSITest, WritesEngineeringNotation) {
    EXPECT_EQ(FormatSI(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, FormatSITest,
    ::testing::Values(SiCase{0.0, "0"}, SiCase{1e-16, "0"}, SiCase{1.5e19, "?"},
                      SiCase{-1.5e19, "?"}, SiCase{999.95, "1000 "}, SiCase{-0.0047, "-4.7 m"},
                      SiCase{100.0, "100 "}, SiCase{1000.0, "1 k"}, SiCase{5e17, "500 P"},
                      SiCase{1e18, "1000 P"}, SiCase{1e-15, "1 f"}, SiCase{2.2e-6, "2.2 u"},
                      SiCase{12345678.0, "12.35 M"}, SiCase{std::nan(""), "?"}));

TEST(NiceScaleTest, RoundsLinearRangeAndDropsFirstDivisionBelowData) {
    int count = 5;
    double low = 0.0;
    double high = 0.0;
    NiceScale(count, 0.0123, 0.0456, low, high, false);
    EXPECT_EQ(count, 6);
    EXPECT_NEAR(low, 0.007, 1e-12);
    EXPECT_NEAR(high, 0.049, 1e-12);
}

TEST(NiceScaleTest, NegativeRangeMovesEachEndAwayFromZero) {
    int count = 4;
    double low = 0.0;
    double high = 0.0;
    // step 3: lower = -10 - (-1) - 3 = -12, upper = 2 - 2 + 3 = 3; first tick -9 is above -10.
    NiceScale(count, -10.0, 2.0, low, high, false);
    EXPECT_DOUBLE_EQ(low, -12.0);
    EXPECT_DOUBLE_EQ(high, 3.0);
    EXPECT_EQ(count, 5);
}

struct KeepCase {
    int wanted;
    double low;
    double high;
    int expected;
};

class NiceScaleKeepTest : public ::testing::TestWithParam<KeepCase> {};

TEST_P(NiceScaleKeepTest, KeepsRangeAndFindsEvenCount) {
    const KeepCase& c = GetParam();
    int count = c.wanted;
    double low = 0.0;
    double high = 0.0;
    NiceScale(count, c.low, c.high, low, high, true);
    EXPECT_EQ(low, c.low);
    EXPECT_EQ(high, c.high);
    EXPECT_EQ(count, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NiceScaleKeepTest,
    ::testing::Values(
        // 0..300 s in 12 wanted: step 30, 12 divisions of 25 divide the span.
        KeepCase{12, 0.0, 300.0, 12},
        // 0..300 in 7 wanted: step 50 gives 8; 8 and 7 do not divide 300, 6 does.
        KeepCase{7, 0.0, 300.0, 6},
        // A span of 7 with 3 wanted divisions: step 3 gives 3 ticks, 7 % 2 stops at 2.
        KeepCase{3, 0.0, 7.0, 2},
        // A span shorter than the count has no whole-number division: down to 2, no crash.
        KeepCase{12, 0.0, 1.0, 2},
        // An empty range does not divide by zero.
        KeepCase{5, 4.0, 4.0, 2}));

TEST(NiceScaleTest, EmptyRangeGivesFiniteScaleAroundTheValue) {
    int count = 5;
    double low = 0.0;
    double high = 0.0;
    NiceScale(count, 4.0, 4.0, low, high, false);
    EXPECT_TRUE(std::isfinite(low));
    EXPECT_TRUE(std::isfinite(high));
    EXPECT_LT(low, 4.0);
    EXPECT_GT(high, 4.0);
    EXPECT_GE(count, 1);
}

TEST(MinorTickOffsetsTest, PlacesTwoToNineInsideTheDecade) {
    int offsets[8];
    MinorTickOffsets(99, offsets);
    const int expected[8] = {30, 47, 60, 69, 77, 84, 90, 95};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(offsets[i], expected[i]) << i;
}

TEST(PointMappingTest, LinearAndLogarithmicAxes) {
    AxisRange linear{0.0, 10.0, false};
    EXPECT_EQ(XToPixel(0.0, linear, 600), 60);
    EXPECT_EQ(XToPixel(10.0, linear, 600), 560);
    EXPECT_EQ(XToPixel(2.5, linear, 600), 185);
    // Off-scale values sit on the range ends of a linear axis.
    EXPECT_EQ(XToPixel(1e50, linear, 600), 560);
    EXPECT_EQ(XToPixel(-1e50, linear, 600), 60);
    EXPECT_EQ(YToPixel(1e50, linear, 380), 340);
    EXPECT_EQ(YToPixel(-2e50, linear, 380), 40);

    AxisRange log{150.0, 9e7, true}; // decades 2 .. 8
    EXPECT_EQ(XToPixel(100.0, log, 700), 60);
    EXPECT_EQ(XToPixel(1e5, log, 700), 360);
    EXPECT_EQ(YToPixel(1e8, log, 380), 340);
}

TEST(PointMappingTest, GuardsRangesWithoutDefinedMapping) {
    // A zero minimum of a logarithmic x axis counts as 1.0 and is stored back.
    AxisRange zeroMin{0.0, 1000.0, true};
    EXPECT_EQ(XToPixel(10.0, zeroMin, 400), 160);
    EXPECT_EQ(zeroMin.minimum, 1.0);
    // Non-positive values on a logarithmic axis land on its low end.
    AxisRange log{1.0, 100.0, true};
    EXPECT_EQ(XToPixel(0.0, log, 400), 60);
    EXPECT_EQ(XToPixel(-5.0, log, 400), 60);
    EXPECT_EQ(YToPixel(0.0, log, 400), 40);
    // Minimum and maximum in the same power of ten still span one decade.
    AxisRange oneDecade{10.0, 10.0, true};
    EXPECT_EQ(XToPixel(10.0, oneDecade, 400), 60);
    // An empty linear range maps to the middle.
    AxisRange empty{3.0, 3.0, false};
    EXPECT_EQ(XToPixel(3.0, empty, 400), 210);
    EXPECT_EQ(YToPixel(3.0, empty, 380), 190);
}

struct StepCase {
    int decades;
    int n;
    int xStep;
    int yStep;
};

class LabelStepTest : public ::testing::TestWithParam<StepCase> {};

TEST_P(LabelStepTest, YLabelsTwiceAsDenselyAsX) {
    EXPECT_EQ(XLabelStep(GetParam().decades, GetParam().n), GetParam().xStep);
    EXPECT_EQ(YLabelStep(GetParam().decades, GetParam().n), GetParam().yStep);
}

INSTANTIATE_TEST_SUITE_P(Cases, LabelStepTest,
                         ::testing::Values(StepCase{6, 12, 1, 1}, StepCase{6, 4, 2, 1},
                                           StepCase{10, 3, 4, 2}, StepCase{6, 1, 4, 2},
                                           StepCase{3, 3, 1, 1}));

TEST(LabelStepTest, WantedDivisionsOnePerFiftyUnits) {
    EXPECT_EQ(WantedDivisions(700 - 100), 12);
    EXPECT_EQ(WantedDivisions(300 - 100), 4);
    EXPECT_EQ(WantedDivisions(330 - 80), 5);
    EXPECT_EQ(WantedDivisions(20), 1);
}

TEST(TextLinesTest, LineCountByWidth) {
    const int width = 400;
    EXPECT_EQ(TextLineCount(0, width), 0);
    EXPECT_EQ(TextLineCount(360, width), 1);
    EXPECT_EQ(TextLineCount(361, width), 2);
    EXPECT_EQ(TextLineCount(700, width), 2);
    EXPECT_EQ(TextLineCount(702, width), 3);
    EXPECT_EQ(TextLineCount(1020, width), 3);
    EXPECT_EQ(TextLineCount(1023, width), 0); // four lines' worth is dropped
}

TEST(TextLinesTest, BreaksAtFirstBlankAfterEachShare) {
    // 30 characters in 2 lines: the first blank at or after position 20.
    EXPECT_EQ(BreakIntoLines("aaaa bbbb cccc dddd eeee ffff g", 2),
              "aaaa bbbb cccc dddd eeee\nffff g");
    EXPECT_EQ(BreakIntoLines("aaaaaaaaaaaaaaaaaaaaaaaaaaaa", 2), "aaaaaaaaaaaaaaaaaaaaaaaaaaaa");
    EXPECT_EQ(BreakIntoLines("one two", 1), "one two");
}

TEST(SubscriptTest, SplitsCaptionAtUnderscores) {
    SubscriptParts p = SplitSubscript("V_ripple_ [V]");
    EXPECT_TRUE(p.hasSubscript);
    EXPECT_EQ(p.prefix, "V");
    EXPECT_EQ(p.subscript, "ripple");
    EXPECT_EQ(p.rest, " [V]");
    p = SplitSubscript("I_max");
    EXPECT_EQ(p.subscript, "max");
    EXPECT_EQ(p.rest, "");
    p = SplitSubscript("ESR [Ohm]");
    EXPECT_FALSE(p.hasSubscript);
    EXPECT_EQ(p.prefix, "ESR [Ohm]");
}

TEST(LegendGeometryTest, RectanglePerPositionAndFit) {
    struct Case {
        int position;
        BoxRect rect;
    } cases[] = {
        {LegendTopLeft, {66, 46, 146, 78}},
        {LegendBottomLeft, {66, 323, 146, 355}},
        {LegendTopRight, {675, 46, 755, 78}},
        {LegendBottomRight, {675, 323, 755, 355}},
    };
    for (const Case& c : cases) {
        const BoxRect r = LegendRect(c.position, 50, 2, 800, 400);
        EXPECT_EQ(r.left, c.rect.left) << c.position;
        EXPECT_EQ(r.top, c.rect.top) << c.position;
        EXPECT_EQ(r.right, c.rect.right) << c.position;
        EXPECT_EQ(r.bottom, c.rect.bottom) << c.position;
    }
    EXPECT_TRUE(LegendFits(50, 2, 800, 400));
    EXPECT_FALSE(LegendFits(370, 2, 800, 400)); // 400 is not below half the width
    EXPECT_FALSE(LegendFits(50, 10, 800, 400)); // 165 is not below (400 - 80) / 2
    EXPECT_FALSE(LegendFits(50, 0, 800, 400));
}

// Picking on an 800 x 600 area: plot (60, 40, 761, 560), x 10 .. 1e6 log, y linear 0 .. 10.
class PickTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (int i = 0; i < 6; ++i)
            x.push_back(std::pow(10.0, 1 + i));
        c1 = {1, 2, 3, 4, 5, 6};
        c2 = {9, 8, 7, 6, 5, 4};
        context.plot = {60, 40, 761, 560};
        context.x = {10.0, 1e6, true};
        context.y = {0.0, 10.0, false};
        context.count = 6;
        context.xValues = x.data();
        context.curves[0] = c1.data();
        context.curves[1] = c2.data();
    }
    std::vector<double> x;
    std::vector<double> c1;
    std::vector<double> c2;
    PickContext context;
};

TEST_F(PickTest, PlotEdges) {
    int curve = 3;
    double xValue = -1;
    EXPECT_EQ(PickAt(context, 761, 300, curve, xValue, false), PickHit); // W - 39
    EXPECT_NEAR(xValue, std::pow(10.0, 701.0 / 700 * 5 + 1), 1e-3);
    EXPECT_EQ(PickAt(context, 762, 300, curve, xValue, false), PickMiss); // W - 38
    EXPECT_EQ(xValue, 0.0);
    EXPECT_EQ(PickAt(context, 300, 560, curve, xValue, false), PickMiss); // x axis line
    EXPECT_EQ(PickAt(context, 300, 559, curve, xValue, false), PickHit);
    EXPECT_EQ(PickAt(context, 59, 300, curve, xValue, false), PickMiss);
    EXPECT_EQ(PickAt(context, 60, 40, curve, xValue, false), PickHit);
    EXPECT_EQ(PickAt(context, 300, 39, curve, xValue, false), PickMiss);
    context.count = 1;
    EXPECT_EQ(PickAt(context, 300, 300, curve, xValue, false), PickMiss);
}

TEST_F(PickTest, NearestCurveAtSegmentAndTies) {
    // x = 1e3 exactly at the third pixel decade: segment 2 (c1 = 3, c2 = 7).
    // Rounded y range of 0..10 in 10 divisions is -1 .. 11.
    int curve = 0;
    double xValue = 0;
    auto rowFor = [](double v) { return static_cast<int>(560 - (v + 1) / 12 * 520); };
    ASSERT_EQ(PickAt(context, 340, rowFor(6.9), curve, xValue, false), PickHit);
    EXPECT_EQ(curve, 1);
    ASSERT_EQ(PickAt(context, 340, rowFor(3.1), curve, xValue, false), PickHit);
    EXPECT_EQ(curve, 0);
    // Equal distance: both curves at 5 in segment 4 (x 1e5 .. 1e6); the lower index wins.
    ASSERT_EQ(PickAt(context, 620, 300, curve, xValue, false), PickHit);
    EXPECT_EQ(curve, 0);
    // Dragging keeps the curve picked at the press.
    curve = 1;
    ASSERT_EQ(PickAt(context, 340, rowFor(3.1), curve, xValue, true), PickHit);
    EXPECT_EQ(curve, 1);
}

TEST_F(PickTest, LinearAxesUseTheDataXAndTheRoundedY) {
    context.x = {0.0, 350.0, false};
    std::vector<double> lx{0, 70, 140, 210, 280, 350};
    context.xValues = lx.data();
    int curve = 0;
    double xValue = 0;
    // x: (410 - 60) / 700 * 350 = 175, in the segment 140 .. 210 (c1 = 3, c2 = 7).
    // y: the rounded range -1 .. 11 puts 7 at 560 - 8 / 12 * 520.
    ASSERT_EQ(PickAt(context, 410, 560 - 8 * 520 / 12, curve, xValue, false), PickHit);
    EXPECT_DOUBLE_EQ(xValue, 175.0);
    EXPECT_EQ(curve, 1);
    EXPECT_NEAR(PickYValue(context.y, 600, 560 - 8 * 520 / 12), 7.0, 12.0 / 520);
}

TEST_F(PickTest, LogarithmicYIgnoresValuesWithoutLogarithm) {
    context.y = {1.0, 10.0, true};
    c1 = {0, 0, 0, 0, 0, 0};
    int curve = 0;
    double xValue = 0;
    ASSERT_EQ(PickAt(context, 340, 100, curve, xValue, false), PickHit);
    EXPECT_EQ(curve, 1);
}

struct PageCase {
    int n;
    PageOpenWindows open;
    std::vector<std::pair<int, int>> cells; // with e = 550, d = 100
};

class PageLayoutTest : public ::testing::TestWithParam<PageCase> {};

TEST_P(PageLayoutTest, CellsOfEachCount) {
    const PageCase& c = GetParam();
    for (int k = 0; k < static_cast<int>(c.cells.size()); ++k) {
        int x = -1;
        int y = -1;
        PageCellOrigin(c.n, k, 550, 100, c.open, x, y);
        EXPECT_EQ(x, c.cells[k].first) << "n " << c.n << " k " << k;
        EXPECT_EQ(y, c.cells[k].second) << "n " << c.n << " k " << k;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Counts, PageLayoutTest,
    ::testing::Values(
        PageCase{1, {}, {{10, 70}}}, PageCase{2, {}, {{10, 70}, {10, 180}}},
        PageCase{3, {true, true, false, false}, {{10, 70}, {570, 70}, {10, 180}}},
        PageCase{3, {false, true, false, false}, {{10, 70}, {570, 70}, {570, 180}}},
        PageCase{3, {false, false, false, false}, {{10, 70}, {570, 70}, {10, 180}}},
        PageCase{
            5, {false, false, true, true}, {{10, 70}, {570, 70}, {10, 180}, {570, 180}, {10, 290}}},
        PageCase{5,
                 {false, false, false, true},
                 {{10, 70}, {570, 70}, {10, 180}, {570, 180}, {570, 290}}},
        PageCase{7,
                 {},
                 {{10, 70}, {570, 70}, {10, 180}, {570, 180}, {10, 290}, {570, 290}, {10, 400}}}));

TEST(PageSizeTest, OrientationAndCells) {
    int p = 0;
    int q = 0;
    ASSERT_TRUE(PageSize(3300, 2550, p, q));
    EXPECT_EQ(p, 1130);
    EXPECT_EQ(q, 873);
    ASSERT_TRUE(PageSize(2550, 3300, p, q));
    EXPECT_EQ(p, 800);
    EXPECT_EQ(q, 1035);
    EXPECT_FALSE(PageSize(0, 100, p, q));
    int e = 0;
    int d = 0;
    const int sizes[8][2] = {{0, 0},     {1110, 733}, {1110, 366}, {550, 366},
                             {550, 366}, {550, 244},  {550, 244},  {550, 183}};
    for (int n = 1; n <= 7; ++n) {
        ASSERT_TRUE(PageCellSize(n, 1130, 873, e, d));
        EXPECT_EQ(e, sizes[n][0]) << n;
        EXPECT_EQ(d, sizes[n][1]) << n;
    }
    EXPECT_FALSE(PageCellSize(0, 1130, 873, e, d));
    EXPECT_FALSE(PageCellSize(8, 1130, 873, e, d));
}

} // namespace
