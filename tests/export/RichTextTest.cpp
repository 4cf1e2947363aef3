#include "RichText.h"

#include <gtest/gtest.h>

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
                "{\\pict\\pngblip\\picwgoal12000\\pichgoal9000 \nab}\\par\n"
                "{\\pict\\pngblip\\picwgoal15\\pichgoal15 \n01cd}\\par\n"
                "{\\pict\\pngblip\\picwgoal0\\pichgoal105 \n}\\par\n"
                "}\n"}),
    [](const ::testing::TestParamInfo<RtfCase>& row) { return std::string(row.param.name); });

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
