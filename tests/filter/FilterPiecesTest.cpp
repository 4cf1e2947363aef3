#include "FilterFixture.h"
#include "Messages.h"
#include "SelectDetails.h"
#include "SelectFilterEngine.h"
#include "TextFormat.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>

namespace {

TEST(TextFormat, ValuesReadBackAsTheyAreShown) {
    const double values[] = {1e-05, 0.1, 0.47, 2.5, 6.3, 10, 100000, 1e6, 1234567, 0.000123456789};
    for (double value : values) {
        char expected[64];
        std::snprintf(expected, sizeof expected, "%g", value);
        char text[32];
        FormatValue(value, text, sizeof text);
        EXPECT_STREQ(text, expected);
        EXPECT_EQ(ParseValue(text), std::strtod(expected, nullptr)) << text;
    }
    FormatValue(1, nullptr, 10); // ignored, no crash
    EXPECT_EQ(ParseValue(""), 0);
    EXPECT_EQ(ParseValue("abc"), 0);
}

TEST(TextFormat, FormatsFromTheStringTableAreCheckedBeforeUse) {
    EXPECT_EQ(FormatDouble("%g %%", 0.5), "0.5 %");
    EXPECT_EQ(FormatDouble("%.2g nH", 1.234), "1.2 nH");
    // Anything but one floating conversion would read arguments that are not there.
    EXPECT_EQ(FormatDouble("%s uF", 3), "3");
    EXPECT_EQ(FormatDouble("%g %g", 3), "3");
    EXPECT_EQ(FormatDouble("%d", 3), "3");
    EXPECT_EQ(FormatDouble("%", 3), "3");
    EXPECT_EQ(FormatDouble("no number", 3), "3");
}

class MapStrings : public IStringTable {
public:
    std::map<int, std::string> texts;
    std::string GetString(int id) const override {
        auto found = texts.find(id);
        return found == texts.end() ? std::string() : found->second;
    }
};

TEST(SelectDetailsText, RatingsAndHeadingsPerSeries) {
    CapacitorRecord plain = MakeRecord("QAKA106K006RNJ", 'T', "QAK", 'A', 10, 'K', 6.3, 0);
    plain.dfMax = 6;
    plain.dclMax = 0.63;
    plain.lesl = 2.4e-9;
    SelectDetails d = FormatDetails(&plain, nullptr);
    EXPECT_EQ(d.partNumber, "QAKA106K006RNJ");
    EXPECT_EQ(d.caseSize, "A");
    EXPECT_EQ(d.capacitance, "10 \xC2\xB5"
                             "F");
    EXPECT_EQ(d.voltage, "6.3 V");
    EXPECT_EQ(d.dclMax, "0.63 \xC2\xB5"
                        "A");
    EXPECT_EQ(d.dfMax, "6 %");
    EXPECT_EQ(d.esrMax, "--");
    EXPECT_EQ(d.esl, "2.4 nH");
    EXPECT_EQ(d.esrHeading, "ESR Max. @100kHz");

    CapacitorRecord wet = MakeRecord("QCNE108M050R", 'T', "QCN", 'E', 1000, 'M', 50, 1200);
    wet.lesl = 5e-9;
    d = FormatDetails(&wet, nullptr);
    EXPECT_EQ(d.esl, "--");
    EXPECT_EQ(d.esrMax, "1200 mOhm");
    EXPECT_EQ(d.esrHeading, "ESR Max. @120Hz");

    CapacitorRecord ostrel = MakeRecord("QCRB106M004RNJ", 'N', "QCR", 'B', 10, 'M', 4, 500);
    d = FormatDetails(&ostrel, nullptr);
    EXPECT_EQ(d.esrHeading, "ESR Max. @300kHz");
    EXPECT_EQ(d.esl, "--"); // no inductance in the model

    // The loaded string table's texts win over the built-in English ones.
    MapStrings strings;
    strings.texts[34024] = "%g uF!";
    EXPECT_EQ(FormatDetails(&plain, &strings).capacitance, "10 uF!");
}

TEST(SelectDetailsPicture, BySeriesOrByTechnology) {
    EXPECT_EQ(SeriesPictureId("QAW"), 141);
    EXPECT_EQ(SeriesPictureId("QCZ"), 199);
    EXPECT_EQ(SeriesPictureId("QDD"), 0); // picture stays as it is
    EXPECT_EQ(SeriesPictureId("qaw"), 0); // the selected part's series is compared exactly
    EXPECT_EQ(FilterPictureId("qcm", 3), 190);
    const int byTechnology[] = {140, 140, 138, 169, 187, 170, 140, 195};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(FilterPictureId("", i), byTechnology[i]) << i;
}

// Lists injected through a saved state, as a restored dialog would hold them.
SavedFilterState StateWith(int technology, std::vector<std::string> capacitance,
                           int capacitanceSelected, std::vector<std::string> esr, int esrSelected,
                           int toleranceSelected) {
    SavedFilterState state;
    state.saved = true;
    state.lists[0] = {{"All", "Tantalum", "Niobium Oxide", "Polymer", "Wet Tantalum QCN",
                       "Ostrel QCR",
                       "QAW 200\xC2\xB0"
                       "C",
                       "Conformal"},
                      technology};
    state.lists[1] = {capacitance, capacitanceSelected};
    state.lists[2] = {{"ALL"}, 0};
    state.lists[3] = {{"All", "R QCT"}, 1};
    state.lists[4] = {esr, esrSelected};
    state.lists[5] = {{"All", "QCT"}, 1};
    state.lists[6] = {{"All", "10%", "20%"}, toleranceSelected};
    return state;
}

TEST(SelectFilterRead, ListsBecomeFilterTexts) {
    SavedFilterState state = StateWith(7, {"All", "4.7"}, 1, {"all", "1234567890123456"}, 1, 2);
    CSelectFilterEngine engine;
    engine.SetSavedState(&state);
    engine.Initialise();
    engine.RestoreFilters();

    SelectFilter filter;
    ASSERT_EQ(engine.ReadFilters(&filter), 0);
    EXPECT_EQ(filter.family, 'F');
    EXPECT_STREQ(filter.series, "QCT");
    EXPECT_STREQ(filter.capacitanceText, "4.7");
    EXPECT_DOUBLE_EQ(filter.capacitance, 4.7);
    EXPECT_STREQ(filter.voltageText, ""); // "ALL" in any letter case does not filter
    EXPECT_EQ(filter.voltage, 0);
    EXPECT_STREQ(filter.esrText, ""); // longer than 15 characters
    EXPECT_STREQ(filter.caseText, "R QCT");
    EXPECT_STREQ(filter.toleranceText, "20%");
    EXPECT_EQ(filter.toleranceLetter, 'M');
    EXPECT_EQ(engine.ReadFilters(nullptr), -1);

    const struct {
        int technology;
        char family;
    } families[] = {{0, 'T'}, {1, 'T'}, {2, 'N'}, {3, 'T'}, {4, 'T'}, {5, 'N'}, {6, 'T'}, {7, 'F'}};
    for (const auto& row : families) {
        engine.SelectItem(FilterListId::Technology, row.technology);
        engine.ReadFilters(&filter);
        EXPECT_EQ(filter.family, row.family) << row.technology;
    }

    engine.SelectItem(FilterListId::Tolerance, 1);
    engine.ReadFilters(&filter);
    EXPECT_EQ(filter.toleranceLetter, 'K');
    engine.SelectItem(FilterListId::Tolerance, -1);
    engine.ReadFilters(&filter);
    EXPECT_EQ(filter.toleranceLetter, 0);
}

TEST(FilterListSearch, WholeTextFromAStartWrappingRound) {
    CFilterList list;
    for (const char* text : {"All", "10", "100", "all"})
        list.Add(text);
    EXPECT_EQ(list.FindText("100"), 2);
    EXPECT_EQ(list.FindText("1"), -1);
    EXPECT_EQ(list.FindText("ALL"), 0);
    EXPECT_EQ(list.FindText("ALL", 0), 3); // starts after item 0
    EXPECT_EQ(list.FindText("10", 2), 1);  // wraps round to the top
    EXPECT_EQ(list.FindExact("ALL"), -1);
    EXPECT_EQ(list.Select(7), -1);
    EXPECT_EQ(list.SelectedText(), "");
}

} // namespace
