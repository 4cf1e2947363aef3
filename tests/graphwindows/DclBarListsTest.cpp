#include "DclBarLists.h"

#include <gtest/gtest.h>

namespace {

TEST(DclBarLists, OffersTheConditionRowsAnd175OnlyForQaw) {
    DclBarLists qak = ComposeDclBarLists("QAK", "", "");
    EXPECT_EQ(qak.voltageItems, (std::vector<std::string>{"100%", "80%", "50%", "30%", "20%"}));
    EXPECT_EQ(qak.temperatureItems,
              (std::vector<std::string>{"-55\u00B0C", "  0\u00B0C", " 25\u00B0C", " 85\u00B0C",
                                        "105\u00B0C", "125\u00B0C"}));
    EXPECT_EQ(qak.voltageIndex, 0);
    EXPECT_EQ(qak.temperatureIndex, 2);

    for (const char* series : {"QAW", "qaw"}) {
        DclBarLists qaw = ComposeDclBarLists(series, "", "");
        ASSERT_EQ(qaw.temperatureItems.size(), 7u) << series;
        EXPECT_EQ(qaw.temperatureItems[6], "175\u00B0C");
    }
}

TEST(DclBarLists, RemembersSelectionsByPrefixAndFallsBack) {
    struct Row {
        const char* series;
        const char* voltage;
        const char* temperature;
        int voltageIndex;
        int temperatureIndex;
    };
    const Row rows[] = {
        {"QAK", "50%", "105\u00B0C", 2, 4},
        {"QAK", "2", " 8", 4, 3}, // first item beginning with the text
        {"QAW", "100%", "175\u00B0C", 0, 6},
        {"QAK", "100%", "175\u00B0C", 0, 2}, // no 175 °C outside QAW: back to 25 °C
        {"QAK", "95%", "", 0, 2},            // nothing matches: the defaults
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.series) + " " + row.voltage + " " + row.temperature);
        DclBarLists lists = ComposeDclBarLists(row.series, row.voltage, row.temperature);
        EXPECT_EQ(lists.voltageIndex, row.voltageIndex);
        EXPECT_EQ(lists.temperatureIndex, row.temperatureIndex);
    }
}

TEST(DclBarLists, RowsTranslateToPercentTemperatureAndFactor) {
    DclConditions rated = DclConditionsAt(0, 2);
    EXPECT_EQ(rated.voltagePercent, 100);
    EXPECT_EQ(rated.temperature, 25);
    EXPECT_EQ(rated.factor, 1.0);

    DclConditions derated = DclConditionsAt(1, 3);
    EXPECT_EQ(derated.voltagePercent, 80);
    EXPECT_EQ(derated.temperature, 85);
    EXPECT_DOUBLE_EQ(derated.factor, 0.609597233 * 6.636240739);

    DclConditions outside = DclConditionsAt(-1, 9);
    EXPECT_EQ(outside.voltagePercent, 100);
    EXPECT_EQ(outside.temperature, 25);
    EXPECT_EQ(outside.factor, 1.0);
}

} // namespace
