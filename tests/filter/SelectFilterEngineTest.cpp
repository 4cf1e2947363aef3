#include "SelectFilterEngine.h"
#include "FilterCatalogue.h"
#include "FilterFixture.h"
#include "SelectDetails.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <ostream>
#include <random>
#include <set>
#include <string>
#include <vector>

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::UnorderedElementsAreArray;

namespace {

std::vector<std::string> Items(const CSelectFilterEngine& engine, FilterListId list) {
    return engine.GetList(list).Items();
}

std::string Selected(const CSelectFilterEngine& engine, FilterListId list) {
    return engine.GetList(list).SelectedText();
}

std::vector<std::string> RowParts(const CSelectFilterEngine& engine) {
    std::vector<std::string> parts;
    for (int row = 0; row < engine.Rows().GetCount(); ++row)
        parts.push_back(engine.GetRowText(row, 0));
    return parts;
}

// The user picks the item reading `text` in `list`; the dialog then refills the lists.
::testing::AssertionResult Choose(CSelectFilterEngine& engine, FilterListId list,
                                  const std::string& text) {
    int index = engine.GetList(list).FindExact(text);
    if (index < 0)
        return ::testing::AssertionFailure() << "\"" << text << "\" is not offered";
    engine.SelectItem(list, index);
    engine.FillLists(1);
    return ::testing::AssertionSuccess();
}

class SelectFilterEngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        // A null entry in the middle of the walk must be skipped.
        for (size_t i = 0; i < records_.size(); ++i) {
            catalogue_.Add(&records_[i]);
            if (i == 3)
                catalogue_.Add(nullptr);
        }
        engine_.SetSavedState(&saved_);
        engine_.SetCatalogue(&catalogue_);
        engine_.Initialise();
        engine_.FillLists(1);
    }

    std::vector<CapacitorRecord> records_ = SampleCatalogue();
    CRecordCatalogue catalogue_;
    SavedFilterState saved_;
    CSelectFilterEngine engine_;
};

struct TechnologyCase {
    const char* technology;
    std::vector<std::string> series; // offered after "All"
    std::vector<std::string> parts;
};

void PrintTo(const TechnologyCase& c, std::ostream* out) {
    *out << c.technology;
}

class TechnologyTest : public SelectFilterEngineTest,
                       public ::testing::WithParamInterface<TechnologyCase> {};

TEST_P(TechnologyTest, OffersItsSeriesAndListsOnlyItsParts) {
    const TechnologyCase& c = GetParam();
    ASSERT_TRUE(Choose(engine_, FilterListId::Technology, c.technology));
    std::vector<std::string> series{"All"};
    series.insert(series.end(), c.series.begin(), c.series.end());
    EXPECT_THAT(Items(engine_, FilterListId::Series), ElementsAreArray(series));
    EXPECT_THAT(RowParts(engine_), UnorderedElementsAreArray(c.parts));
}

INSTANTIATE_TEST_SUITE_P(
    Table, TechnologyTest,
    ::testing::Values(
        TechnologyCase{"All",
                       {"QAK", "QAP", "QAT", "QAU", "QAV", "QAW", "QAX", "QAY", "QAZ",
                        "QBH", "QBM", "QBN", "QBT", "QBZ", "QCJ", "QCK", "QCL", "QCM",
                        "QCN", "QCR", "QCT", "QCU", "QCV", "QCW", "QCX", "QCY", "QCZ"},
                       {"QAKA106K006RNJ", "QAKB106M016RNJ", "QAKB475K025RNJ", "QAKA105K035RNJ",
                        "QAKC107K002RNJ", "QBHD106K016R0300", "QAWC106K016RJN", "QAWD106K016RJH",
                        "QCLD107M010R0050", "QCMD227M006R0040", "QCMV157M016R0100", "QCNE108M050R",
                        "QBTA105M004RWJ", "QCJB475M004RNJ", "QCRB106M004RNJ", "QCT1C106MRAA",
                        "QCU0J475KPAA", "QCV1A106KRAA"}},
        // Plain tantalum takes the tantalum conformal series but no polymer, wet or 200 °C part.
        TechnologyCase{"Tantalum",
                       {"QAK", "QAP", "QAT", "QAU", "QAV", "QAW", "QAX", "QAY", "QAZ", "QBH", "QBM",
                        "QBN", "QCV", "QCW", "QCX", "QCZ"},
                       {"QAKA106K006RNJ", "QAKB106M016RNJ", "QAKB475K025RNJ", "QAKA105K035RNJ",
                        "QAKC107K002RNJ", "QBHD106K016R0300", "QAWC106K016RJN", "QCV1A106KRAA"}},
        TechnologyCase{
            "Niobium Oxide", {"QBT", "QBZ", "QCJ", "QCK"}, {"QBTA105M004RWJ", "QCJB475M004RNJ"}},
        TechnologyCase{"Polymer",
                       {"QCL", "QCM"},
                       {"QCLD107M010R0050", "QCMD227M006R0040", "QCMV157M016R0100"}},
        TechnologyCase{"Wet Tantalum QCN", {"QCN"}, {"QCNE108M050R"}},
        TechnologyCase{"Ostrel QCR", {"QCR"}, {"QCRB106M004RNJ"}},
        TechnologyCase{"QAW 200\xC2\xB0"
                       "C",
                       {"QAW"},
                       {"QAWD106K016RJH"}},
        TechnologyCase{"Conformal", {"QCT", "QCU", "QCY"}, {"QCT1C106MRAA", "QCU0J475KPAA"}}));

TEST_F(SelectFilterEngineTest, StartsOnTantalumWithFirstRowSelected) {
    EXPECT_EQ(Selected(engine_, FilterListId::Technology), "Tantalum");
    EXPECT_THAT(Items(engine_, FilterListId::Tolerance), ElementsAre("All", "10%", "20%"));
    EXPECT_EQ(engine_.GetSelectedRow(), 0);
    EXPECT_EQ(engine_.GetSelected(), &records_[0]);
}

TEST_F(SelectFilterEngineTest, SeriesNotOfferedByNewTechnologyFallsBackToAll) {
    ASSERT_TRUE(Choose(engine_, FilterListId::Series, "QAK"));
    EXPECT_EQ(RowParts(engine_).size(), 5u);

    ASSERT_TRUE(Choose(engine_, FilterListId::Technology, "Polymer"));
    EXPECT_THAT(Items(engine_, FilterListId::Series), ElementsAre("All", "QCL", "QCM"));
    EXPECT_EQ(Selected(engine_, FilterListId::Series), "All");
    EXPECT_THAT(RowParts(engine_),
                ElementsAre("QCLD107M010R0050", "QCMD227M006R0040", "QCMV157M016R0100"));

    // A series the next technology also offers stays chosen.
    ASSERT_TRUE(Choose(engine_, FilterListId::Series, "QCM"));
    ASSERT_TRUE(Choose(engine_, FilterListId::Technology, "All"));
    EXPECT_EQ(Selected(engine_, FilterListId::Series), "QCM");
    EXPECT_THAT(RowParts(engine_), ElementsAre("QCMD227M006R0040", "QCMV157M016R0100"));
}

TEST_F(SelectFilterEngineTest, ValueChoiceNarrowsTheOtherListsButNotItsOwn) {
    ASSERT_TRUE(Choose(engine_, FilterListId::Capacitance, "10"));
    EXPECT_THAT(Items(engine_, FilterListId::Voltage), ElementsAre("All", "6.3", "10", "16"));
    EXPECT_THAT(Items(engine_, FilterListId::Capacitance),
                ElementsAre("All", "1", "4.7", "10", "100"));
    EXPECT_EQ(Selected(engine_, FilterListId::Capacitance), "10");
    EXPECT_THAT(Items(engine_, FilterListId::Case),
                ElementsAre("All", "A", "B", "C", "D", "R QCV"));
    EXPECT_EQ(RowParts(engine_).size(), 5u);

    // The case list ignores the case choice; the numeric lists follow it.
    ASSERT_TRUE(Choose(engine_, FilterListId::Case, "B"));
    EXPECT_THAT(Items(engine_, FilterListId::Case),
                ElementsAre("All", "A", "B", "C", "D", "R QCV"));
    EXPECT_THAT(Items(engine_, FilterListId::Capacitance), ElementsAre("All", "4.7", "10"));
    EXPECT_THAT(Items(engine_, FilterListId::Voltage), ElementsAre("All", "16"));
    EXPECT_THAT(RowParts(engine_), ElementsAre("QAKB106M016RNJ"));
}

TEST_F(SelectFilterEngineTest, VanishedVoltageFallsBackAndSecondPassListsParts) {
    ASSERT_TRUE(Choose(engine_, FilterListId::Voltage, "16"));
    EXPECT_EQ(RowParts(engine_).size(), 3u);

    // No niobium part has 16 V: the first pass lists nothing and drops the choice.
    ASSERT_TRUE(Choose(engine_, FilterListId::Technology, "Niobium Oxide"));
    EXPECT_EQ(Selected(engine_, FilterListId::Voltage), "All");
    EXPECT_THAT(Items(engine_, FilterListId::Voltage), ElementsAre("All", "4"));
    EXPECT_THAT(RowParts(engine_), ElementsAre("QBTA105M004RWJ", "QCJB475M004RNJ"));
    EXPECT_EQ(engine_.GetSelectedRow(), 0);
}

TEST_F(SelectFilterEngineTest, NothingPassingLeavesNoRowAndNoSelection) {
    ASSERT_TRUE(Choose(engine_, FilterListId::Technology, "Wet Tantalum QCN"));
    ASSERT_TRUE(Choose(engine_, FilterListId::Tolerance, "10%")); // the QCN part is M
    EXPECT_EQ(engine_.Rows().GetCount(), 0);
    EXPECT_EQ(engine_.GetSelectedRow(), -1);
    EXPECT_EQ(engine_.GetSelected(), nullptr);
    EXPECT_THAT(Items(engine_, FilterListId::Capacitance), ElementsAre("All"));
    EXPECT_EQ(FormatDetails(engine_.GetSelected(), nullptr).partNumber, "");
}

TEST_F(SelectFilterEngineTest, VanishedValueGivesWayToTheFirstBeginningWithItsText) {
    ASSERT_TRUE(Choose(engine_, FilterListId::Capacitance, "1"));
    // Polymer offers 100, 150 and 220 µF but not 1 µF: the prefix search takes 100.
    ASSERT_TRUE(Choose(engine_, FilterListId::Technology, "Polymer"));
    EXPECT_EQ(Selected(engine_, FilterListId::Capacitance), "100");
    EXPECT_THAT(RowParts(engine_), ElementsAre("QCLD107M010R0050"));
}

// The prefix search of the design, in both passes: a choice that no longer exists selects
// the first item that begins with its text, and the second pass lists that item's parts.
TEST(SelectFilterPrefix, ReselectsTheFirstItemBeginningWithTheOldText) {
    const std::vector<CapacitorRecord> records = {
        MakeRecord("QAKA105K010RNJ", 'T', "QAK", 'A', 1, 'K', 10),
        MakeRecord("QBTA155M004RWJ", 'N', "QBT", 'A', 1.5, 'M', 4),
        MakeRecord("QBTB106M004RWJ", 'N', "QBT", 'B', 10, 'M', 4),
        MakeRecord("QCLD107M010R0010", 'T', "QCL", 'D', 100, 'M', 10, 10),
        MakeRecord("QCMD107M010R0100", 'T', "QCM", 'D', 100, 'M', 10, 100),
        MakeRecord("QCMD157M010R0150", 'T', "QCM", 'D', 150, 'M', 10, 150),
    };
    CRecordCatalogue catalogue(records);
    SavedFilterState saved;
    CSelectFilterEngine engine;
    engine.SetSavedState(&saved);
    engine.SetCatalogue(&catalogue);
    engine.Initialise();
    engine.FillLists(1);

    // Capacitance "1" (a tantalum part) under niobium oxide: 1.5 µF, not "All" and not 10.
    ASSERT_TRUE(Choose(engine, FilterListId::Capacitance, "1"));
    ASSERT_TRUE(Choose(engine, FilterListId::Technology, "Niobium Oxide"));
    EXPECT_EQ(Selected(engine, FilterListId::Capacitance), "1.5");
    EXPECT_THAT(RowParts(engine), ElementsAre("QBTA155M004RWJ"));

    // ESR "10" of the QCL part under series QCM: 100 mOhm.
    ASSERT_TRUE(Choose(engine, FilterListId::Technology, "Polymer"));
    ASSERT_TRUE(Choose(engine, FilterListId::Capacitance, "All"));
    ASSERT_TRUE(Choose(engine, FilterListId::Esr, "10"));
    EXPECT_THAT(RowParts(engine), ElementsAre("QCLD107M010R0010"));
    ASSERT_TRUE(Choose(engine, FilterListId::Series, "QCM"));
    EXPECT_EQ(Selected(engine, FilterListId::Esr), "100");
    EXPECT_THAT(RowParts(engine), ElementsAre("QCMD107M010R0100"));

    // A series text that is only the beginning of a code, in any letter case, takes the first
    // series it begins.
    saved.lists[5].items = {"All", "qc"};
    saved.lists[5].selected = 1;
    saved.lists[2].items = {"All"}; // rated voltage
    saved.lists[2].selected = 0;
    saved.lists[4] = saved.lists[2]; // ESR
    CSelectFilterEngine next;
    next.SetSavedState(&saved);
    next.SetCatalogue(&catalogue);
    next.Initialise();
    next.RestoreFilters();
    next.FillLists(1);
    EXPECT_EQ(Selected(next, FilterListId::Series), "QCL");
    EXPECT_THAT(RowParts(next), ElementsAre("QCLD107M010R0010"));
}

// Generated catalogues and choices against a plain evaluation of the filters: whenever parts
// are listed they are exactly those passing the choices now shown, and each value list
// offers exactly the values found together with the other choices.
TEST(SelectFilterGenerated, AgreesWithAPlainEvaluation) {
    const char* const series[] = {"QAK", "QAP", "QBH", "QCL", "QCM", "QBT", "QCJ"};
    const double capacitances[] = {0.47, 1, 1.5, 10, 15, 100, 150, 220};
    const double voltages[] = {4, 6.3, 10, 16, 25};
    const double esrs[] = {0, 0, 10, 100, 150, 1000};
    const char cases[] = {'A', 'B', 'C', 'D'};
    std::mt19937 random(421);
    auto pick = [&random](auto& array) {
        return array[random() % (sizeof array / sizeof array[0])];
    };
    for (int trial = 0; trial < 40; ++trial) {
        std::vector<CapacitorRecord> records;
        const int parts = 5 + static_cast<int>(random() % 60);
        for (int i = 0; i < parts; ++i) {
            const char* s = pick(series);
            const char family = (s[1] == 'B' && s[2] == 'T') || s[2] == 'J' ? 'N' : 'T';
            char part[17];
            std::snprintf(part, sizeof part, "%s%03dRNJ", s, i);
            records.push_back(MakeRecord(part, family, s, pick(cases), pick(capacitances),
                                         random() % 2 ? 'K' : 'M', pick(voltages), pick(esrs)));
        }
        CRecordCatalogue catalogue(records);
        SavedFilterState saved;
        CSelectFilterEngine engine;
        engine.SetSavedState(&saved);
        engine.SetCatalogue(&catalogue);
        engine.Initialise();
        engine.FillLists(1);
        for (int step = 0; step < 12; ++step) {
            const auto list = static_cast<FilterListId>(random() % kFilterListCount);
            const CFilterList& items = engine.GetList(list);
            engine.SelectItem(list, static_cast<int>(random() % items.GetCount()));
            engine.FillLists(1);

            SelectFilter filter;
            engine.ReadFilters(&filter);
            const int technology = engine.GetList(FilterListId::Technology).GetSelected();
            auto passes = [&](const CapacitorRecord& r, FilterListId ignored) {
                auto is = [&](FilterListId id, const char* text, bool same) {
                    return id == ignored || text[0] == '\0' || same;
                };
                const char caseText[2] = {r.caseCode, '\0'};
                const bool polymer =
                    std::string(r.series) == "QCL" || std::string(r.series) == "QCM";
                return is(FilterListId::Series, filter.series,
                          filter.series == std::string(r.series)) &&
                       (technology != 1 || (r.family == 'T' && !polymer)) &&
                       (technology != 2 || r.family == 'N') &&
                       (technology != 3 || (r.family == 'T' && polymer)) &&
                       is(FilterListId::Tolerance, filter.toleranceText,
                          r.tolerance == filter.toleranceLetter) &&
                       is(FilterListId::Case, filter.caseText,
                          filter.caseText == std::string(caseText)) &&
                       is(FilterListId::Voltage, filter.voltageText,
                          std::fabs(r.ratedVoltage - filter.voltage) < 1e-8) &&
                       is(FilterListId::Capacitance, filter.capacitanceText,
                          std::fabs(r.capacitance - filter.capacitance) < 1e-8) &&
                       is(FilterListId::Esr, filter.esrText,
                          std::fabs(r.esrMax - filter.esr) < 1e-8);
            };
            if (engine.Rows().GetCount() > 0) {
                std::vector<std::string> expected;
                for (const CapacitorRecord& r : records) {
                    if (passes(r, static_cast<FilterListId>(-1)))
                        expected.push_back(r.partNumber);
                }
                ASSERT_EQ(RowParts(engine), expected) << "trial " << trial << " step " << step;
            }
            if (technology > 3)
                continue; // the plain evaluation covers the first four technologies
            std::set<double> values;
            for (const CapacitorRecord& r : records) {
                if (passes(r, FilterListId::Capacitance))
                    values.insert(r.capacitance);
            }
            std::vector<std::string> offered{"All"};
            for (double v : values) {
                char text[32];
                std::snprintf(text, sizeof text, "%g", v);
                offered.push_back(text);
            }
            if (engine.Rows().GetCount() > 0) {
                ASSERT_EQ(Items(engine, FilterListId::Capacitance), offered)
                    << "trial " << trial << " step " << step;
            }
        }
    }
}

TEST_F(SelectFilterEngineTest, PartsWithoutEsrOnlyUnderEsrAll) {
    ASSERT_TRUE(Choose(engine_, FilterListId::Technology, "All"));
    // By value, not by text; a part without ESR adds nothing.
    EXPECT_THAT(Items(engine_, FilterListId::Esr), ElementsAre("All", "40", "50", "100", "300"));
    EXPECT_EQ(RowParts(engine_).size(), 18u);

    ASSERT_TRUE(Choose(engine_, FilterListId::Esr, "50"));
    EXPECT_THAT(RowParts(engine_), ElementsAre("QCLD107M010R0050"));
    EXPECT_EQ(Selected(engine_, FilterListId::Esr), "50");
}

TEST_F(SelectFilterEngineTest, ValueListsSortByValueAndCasesByLength) {
    ASSERT_TRUE(Choose(engine_, FilterListId::Technology, "All"));
    EXPECT_THAT(Items(engine_, FilterListId::Voltage),
                ElementsAre("All", "2.5", "4", "6.3", "10", "16", "25", "35", "50"));
    EXPECT_THAT(Items(engine_, FilterListId::Capacitance),
                ElementsAre("All", "1", "4.7", "10", "100", "150", "220", "1000"));
    EXPECT_THAT(Items(engine_, FilterListId::Case),
                ElementsAre("All", "A", "B", "C", "D", "E", "V", "P QCU", "R QCT", "R QCV"));
}

TEST_F(SelectFilterEngineTest, ConformalPartShowsCaseWithSeries) {
    ASSERT_TRUE(Choose(engine_, FilterListId::Technology, "Conformal"));
    EXPECT_THAT(Items(engine_, FilterListId::Case), ElementsAre("All", "P QCU", "R QCT"));
    ASSERT_TRUE(Choose(engine_, FilterListId::Case, "R QCT"));
    ASSERT_THAT(RowParts(engine_), ElementsAre("QCT1C106MRAA"));
    EXPECT_EQ(engine_.GetRowText(0, 1), "10 \xC2\xB5"
                                        "F");
    EXPECT_EQ(engine_.GetRowText(0, 2), "16 V");
    EXPECT_EQ(engine_.GetRowText(0, 3), "R QCT");
    EXPECT_EQ(FormatDetails(engine_.GetSelected(), nullptr).caseSize, "R");
}

TEST_F(SelectFilterEngineTest, SavedStateCarriesChoicesToTheNextDialog) {
    ASSERT_TRUE(Choose(engine_, FilterListId::Technology, "Polymer"));
    ASSERT_TRUE(Choose(engine_, FilterListId::Case, "V"));

    // The main frame's sequence for a new dialog: fill, restore, fill and save.
    CSelectFilterEngine next;
    next.SetSavedState(&saved_);
    next.SetCatalogue(&catalogue_);
    next.Initialise();
    next.FillLists(0);
    next.RestoreFilters();
    next.FillLists(1);
    EXPECT_EQ(Selected(next, FilterListId::Technology), "Polymer");
    EXPECT_EQ(Selected(next, FilterListId::Case), "V");
    EXPECT_THAT(RowParts(next), ElementsAre("QCMV157M016R0100"));
    next.SelectRecord(&records_[0]); // not listed: the first row
    EXPECT_EQ(next.GetSelectedRow(), 0);

    // Nothing saved yet: restoring keeps the lists as they are.
    SavedFilterState empty;
    CSelectFilterEngine fresh;
    fresh.SetSavedState(&empty);
    fresh.SetCatalogue(&catalogue_);
    fresh.Initialise();
    fresh.RestoreFilters();
    fresh.FillLists(1);
    EXPECT_EQ(Selected(fresh, FilterListId::Technology), "Tantalum");
    EXPECT_EQ(fresh.Rows().GetCount(), 8);
}

TEST_F(SelectFilterEngineTest, WithoutStoreValueListsKeepTheirItems) {
    ASSERT_TRUE(Choose(engine_, FilterListId::Capacitance, "10"));
    engine_.SetCatalogue(nullptr);
    engine_.FillLists(1);
    EXPECT_EQ(engine_.Rows().GetCount(), 0);
    EXPECT_EQ(engine_.GetSelected(), nullptr);
    EXPECT_THAT(Items(engine_, FilterListId::Capacitance),
                ElementsAre("All", "1", "4.7", "10", "100"));
    EXPECT_EQ(Selected(engine_, FilterListId::Capacitance), "10");
}

TEST(SelectFilterLimits, AtMost9999RowsAnd2000ValuesPerList) {
    // 10 000 parts: 2 001 capacitances, and a lone extra value only on the last part.
    std::vector<CapacitorRecord> records;
    for (int i = 0; i < 10000; ++i) {
        char part[17];
        std::snprintf(part, sizeof part, "QAKA%05dK010R", i);
        records.push_back(MakeRecord(part, 'T', "QAK", 'A', 1 + i % 2001, 'K', 10));
    }
    CRecordCatalogue catalogue(records);
    SavedFilterState saved;
    CSelectFilterEngine engine;
    engine.SetSavedState(&saved);
    engine.SetCatalogue(&catalogue);
    engine.Initialise();
    engine.FillLists(1);

    EXPECT_EQ(engine.Rows().GetCount(), 9999);
    EXPECT_EQ(engine.Rows().GetAt(9998), &records[9998]);
    const CFilterList& capacitances = engine.GetList(FilterListId::Capacitance);
    ASSERT_EQ(capacitances.GetCount(), 1 + kMaxListValues);
    EXPECT_EQ(capacitances.GetItem(1), "1");
    EXPECT_EQ(capacitances.GetItem(kMaxListValues), "2000"); // 2001 µF is the one left out

    // The saved state keeps every item, so a choice far down the list survives a restore.
    engine.SelectItem(FilterListId::Capacitance, 1500);
    engine.FillLists(1);
    CSelectFilterEngine next;
    next.SetSavedState(&saved);
    next.SetCatalogue(&catalogue);
    next.Initialise();
    next.RestoreFilters();
    next.FillLists(1);
    EXPECT_EQ(next.GetList(FilterListId::Capacitance).SelectedText(), "1500");
    EXPECT_EQ(next.Rows().GetCount(), 5);
}

} // namespace
