#pragma once

#include <string>
#include <vector>

// Contents and selections of the leakage-current bar's two drop-down lists, worked out
// without widgets: the bar refills its lists from this on every update of the DCL graph. The
// items are the condition tables of the leakage computation, in their order, so an item's
// index is its row in those tables.

struct DclBarLists {
    std::vector<std::string> voltageItems;     // "100%" ... "20%"
    std::vector<std::string> temperatureItems; // "-55°C" ... "125°C", "175°C" for QAW
    int voltageIndex = 0;
    int temperatureIndex = 2;
};

// The lists for a capacitor of `series`, with the remembered selection texts selected again:
// in each list the first item that begins with the remembered text (letters compared without
// regard to case); an empty text or no match selects "100%" and " 25°C".
DclBarLists ComposeDclBarLists(const char* series, const std::string& rememberedVoltage,
                               const std::string& rememberedTemperature);

// The first item of `items` that begins with `prefix`, or -1 (also for an empty prefix).
int FindItemWithPrefix(const std::vector<std::string>& items, const std::string& prefix);

// The conditions behind a pair of selected rows: percentage, temperature and the combined
// factor. A row outside the tables leaves 100 % or 25 °C with factor 1.
struct DclConditions {
    int voltagePercent = 100;
    int temperature = 25;
    double factor = 1.0;
};
DclConditions DclConditionsAt(int voltageIndex, int temperatureIndex);
