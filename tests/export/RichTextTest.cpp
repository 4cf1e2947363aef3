#include "RichText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

struct RtfCase {
    const char* name;
    std::vector<RtfPicture> pictures;
    std::string expected;
};

class PicturesRtf : public ::testing::TestWithParam<RtfCase> {};

TEST_P(PicturesRtf, ByteForByte) {
    EXPECT_EQ(BuildPicturesRtf(GetParam().pictures), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PicturesRtf,
    ::testing::Values(
        RtfCase{"none", {}, "{\\rtf1\n}\n"},
        RtfCase{"one",
                {{{0x89, 0x50, 0x0a, 0x00, 0xff}, 3, 2}},
                "{\\rtf1\n{\\pict\\pngblip\\picwgoal45\\pichgoal30 \n89500a00ff}\\par\n}\n"},
        RtfCase{"three",
                {{{0xab}, 800, 600}, {{0x01, 0xcd}, 1, 1}, {{}, 0, 7}},
                "{\\rtf1\n"
                "{\\pict\\pngblip\\picwgoal9025\\pichgoal6769 \nab}\\par\n"
                "{\\pict\\pngblip\\picwgoal15\\pichgoal15 \n01cd}\\par\n"
                "{\\pict\\pngblip\\picwgoal0\\pichgoal105 \n}\\par\n"
                "}\n"}),
    [](const ::testing::TestParamInfo<RtfCase>& row) { return std::string(row.param.name); });

// Pictures no larger than a page's text area, proportions kept, small ones at 15 twips a pixel.
TEST(PictureGoal, FitsTheTextAreaOfA4AndLetter) {
    const struct {
        int width, height, goalWidth, goalHeight;
    } cases[] = {
        {400, 300, 6000, 4500},    // fits: 15 twips a pixel
        {601, 400, 9015, 6000},    // just fits across
        {825, 600, 9025, 6564},    // a graph window 8.25 in wide
        {1600, 100, 9025, 564},    // wide and low
        {300, 2000, 1944, 12960},  // tall: the height limits
        {1000, 1500, 8640, 12960}, // both too large, the height limits more
        {0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        const PictureSize goal = PictureGoal(c.width, c.height);
        EXPECT_EQ(goal.width, c.goalWidth) << c.width << " x " << c.height;
        EXPECT_EQ(goal.height, c.goalHeight) << c.width << " x " << c.height;
    }
    // Any size: inside both limits, at most 15 twips a pixel, the shape within a twip.
    for (int width = 1; width < 3000; width += 37) {
        for (int height = 1; height < 3000; height += 41) {
            const PictureSize goal = PictureGoal(width, height);
            ASSERT_LE(goal.width, kMaxPictureWidthTwips);
            ASSERT_LE(goal.height, kMaxPictureHeightTwips);
            ASSERT_LE(goal.width, width * kTwipsPerPixel);
            // One side at its limit, the other in proportion (rounded); or 15 twips a pixel.
            if (goal.width == kMaxPictureWidthTwips && width * kTwipsPerPixel > goal.width) {
                ASSERT_NEAR(goal.height, double(height) * goal.width / width, 0.5);
            } else if (goal.height == kMaxPictureHeightTwips &&
                       height * kTwipsPerPixel > goal.height) {
                ASSERT_NEAR(goal.width, double(width) * goal.height / height, 0.5);
            } else {
                ASSERT_EQ(goal.width, width * kTwipsPerPixel);
                ASSERT_EQ(goal.height, height * kTwipsPerPixel);
            }
        }
    }
    // A page of A4 with one-inch margins is 6.27 in across, Letter's 6.5 in; 9 in high.
    EXPECT_LE(kMaxPictureWidthTwips, (210 * 1440 * 10 / 254) - 2 * 1440);
    EXPECT_LE(kMaxPictureHeightTwips, 9 * 1440);
}

struct LayoutCase {
    const char* name;
    std::vector<PictureSize> sizes;
    int width;
    int height;
    std::vector<std::pair<int, int>> origins;
};

class CombinedPictureLayout : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(CombinedPictureLayout, PairsSideBySideRowsByTheTaller) {
    const LayoutCase& c = GetParam();
    const CombinedLayout layout = LayoutCombinedPicture(c.sizes);
    EXPECT_EQ(layout.width, c.width);
    EXPECT_EQ(layout.height, c.height);
    ASSERT_EQ(layout.origins.size(), c.origins.size());
    for (std::size_t i = 0; i < c.origins.size(); ++i) {
        EXPECT_EQ(layout.origins[i].x, c.origins[i].first) << i;
        EXPECT_EQ(layout.origins[i].y, c.origins[i].second) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CombinedPictureLayout,
    ::testing::Values(LayoutCase{"none", {}, 0, 0, {}},
                      LayoutCase{"one", {{300, 200}}, 300, 200, {{0, 0}}},
                      // The second row's single picture is wider than the first pair together.
                      LayoutCase{"threeWideLast",
                                 {{200, 150}, {160, 220}, {500, 100}},
                                 500,
                                 320,
                                 {{0, 0}, {200, 0}, {0, 220}}},
                      // The first of a pair is the taller one; the next row starts below it.
                      LayoutCase{"fourTallerFirst",
                                 {{100, 90}, {120, 40}, {50, 10}, {60, 30}},
                                 220,
                                 120,
                                 {{0, 0}, {100, 0}, {0, 90}, {50, 90}}},
                      LayoutCase{"seven",
                                 {{10, 1}, {10, 2}, {10, 3}, {10, 4}, {10, 5}, {10, 6}, {30, 7}},
                                 30,
                                 2 + 4 + 6 + 7,
                                 {{0, 0}, {10, 0}, {0, 2}, {10, 2}, {0, 6}, {10, 6}, {0, 12}}}),
    [](const ::testing::TestParamInfo<LayoutCase>& row) { return std::string(row.param.name); });

} // namespace
