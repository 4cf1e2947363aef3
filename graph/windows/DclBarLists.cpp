#include "DclBarLists.h"

#include "LeakageCurrent.h"

#include <cctype>
#include <iterator>

namespace {

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
    if (prefix.size() > text.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) !=
            std::tolower(static_cast<unsigned char>(prefix[i])))
            return false;
    return true;
}

constexpr int kVoltageRows = static_cast<int>(std::size(kDclVoltageConditions));
constexpr int kTemperatureRows = static_cast<int>(std::size(kDclTemperatureConditions));
constexpr int kDefaultTemperatureRow = 2; // " 25°C"

} // namespace

int FindItemWithPrefix(const std::vector<std::string>& items, const std::string& prefix) {
    if (prefix.empty())
        return -1;
    for (size_t i = 0; i < items.size(); ++i)
        if (StartsWithNoCase(items[i], prefix))
            return static_cast<int>(i);
    return -1;
}

DclBarLists ComposeDclBarLists(const char* series, const std::string& rememberedVoltage,
                               const std::string& rememberedTemperature) {
    DclBarLists lists;
    for (const DclVoltageCondition& row : kDclVoltageConditions)
        lists.voltageItems.emplace_back(row.item);
    for (const DclTemperatureCondition& row : kDclTemperatureConditions)
        if (DclTemperatureOffered(row, series != nullptr ? series : ""))
            lists.temperatureItems.emplace_back(row.item);

    lists.voltageIndex = FindItemWithPrefix(lists.voltageItems, rememberedVoltage);
    if (lists.voltageIndex < 0)
        lists.voltageIndex = 0;
    lists.temperatureIndex = FindItemWithPrefix(lists.temperatureItems, rememberedTemperature);
    if (lists.temperatureIndex < 0)
        lists.temperatureIndex = kDefaultTemperatureRow;
    return lists;
}

DclConditions DclConditionsAt(int voltageIndex, int temperatureIndex) {
    DclConditions conditions;
    double voltageFactor = 1.0;
    double temperatureFactor = 1.0;
    if (voltageIndex >= 0 && voltageIndex < kVoltageRows) {
        conditions.voltagePercent = kDclVoltageConditions[voltageIndex].percent;
        voltageFactor = kDclVoltageConditions[voltageIndex].factor;
    }
    if (temperatureIndex >= 0 && temperatureIndex < kTemperatureRows) {
        conditions.temperature = kDclTemperatureConditions[temperatureIndex].temperature;
        temperatureFactor = kDclTemperatureConditions[temperatureIndex].factor;
    }
    conditions.factor = voltageFactor * temperatureFactor;
    return conditions;
}
