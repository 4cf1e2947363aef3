#include "CliSupport.h"
#include "DataText.h"
#include "LeakageCurrent.h"
#include "WorkingState.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

// zeltacli data: the text "Copy Data to Clipboard" produces for a part at a temperature and
// leakage conditions.

namespace {

// The whole of `text` (an optional trailing `suffix` allowed) as an integer.
bool ReadInteger(std::string text, const char* suffix, int* value) {
    const size_t n = std::strlen(suffix);
    if (n > 0 && text.size() > n && text.compare(text.size() - n, n, suffix) == 0)
        text.resize(text.size() - n);
    if (text.empty())
        return false;
    char* end = nullptr;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (end == nullptr || *end != '\0' || v < -100000 || v > 100000)
        return false;
    *value = static_cast<int>(v);
    return true;
}

std::string OfferedTemperatures(const char* series) {
    std::string text;
    for (const DclTemperatureCondition& c : kDclTemperatureConditions) {
        if (!DclTemperatureOffered(c, series))
            continue;
        text += (text.empty() ? "" : ", ") + std::to_string(c.temperature);
    }
    return text;
}

int Failure(const std::string& text) {
    PrintError("zeltacli: " + text);
    return kExitFailure;
}

} // namespace

int RunDataCommand(CCliSession& session, const CliArguments& arguments) {
    std::string part;
    std::string temperatureText, voltageText, dclTemperatureText;
    bool given[3] = {false, false, false}; // --temperature, --dcl-voltage, --dcl-temperature
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& word = arguments[i];
        std::string* target = nullptr;
        const char* names[] = {"--temperature", "--dcl-voltage", "--dcl-temperature"};
        std::string* targets[] = {&temperatureText, &voltageText, &dclTemperatureText};
        for (int k = 0; k < 3 && target == nullptr; ++k) {
            const std::string name = names[k];
            if (word == name) {
                if (i + 1 >= arguments.size())
                    return UsageError(name + " needs a value");
                target = targets[k];
                *target = arguments[++i];
            } else if (word.rfind(name + "=", 0) == 0) {
                target = targets[k];
                *target = word.substr(name.size() + 1);
            }
            if (target != nullptr)
                given[k] = true;
        }
        if (target != nullptr)
            continue;
        if (word.size() > 1 && word[0] == '-' && word[1] == '-')
            return UsageError("unknown option " + word + " for data");
        if (!part.empty())
            return UsageError("data takes one part number");
        part = word;
    }
    if (part.empty())
        return UsageError("data needs a part number");

    double temperature = 25.0;
    if (given[0]) {
        if (!ReadOptionNumber(temperatureText, &temperature))
            return Failure("--temperature takes degrees Celsius, not \"" + temperatureText + "\"");
        if (temperature < -55.0)
            return Failure("--temperature cannot be below -55 °C");
    }
    int voltagePercent = 100;
    if (given[1] && (!ReadInteger(voltageText, "%", &voltagePercent) ||
                     FindDclVoltageCondition(voltagePercent) == nullptr))
        return Failure("--dcl-voltage takes 100, 80, 50, 30 or 20, not \"" + voltageText + "\"");
    int dclTemperature = 25;
    bool dclTemperatureRead = true;
    if (given[2])
        dclTemperatureRead = ReadInteger(dclTemperatureText, "°C", &dclTemperature);

    const CapacitorRecord* record = session.LoadPart(part);
    if (record == nullptr)
        return kExitFailure;

    auto state = std::make_unique<CWorkingState>();
    state->selectedTemperature = temperature;
    state->TakeCapacitor(record);
    NoteShownTemperature(*record, temperature, state->selectedTemperature);
    state->RecomputeCurves();
    if (!dclTemperatureRead || !state->SetDclConditions(voltagePercent, dclTemperature)) {
        return Failure("--dcl-temperature takes " + OfferedTemperatures(record->series) + " for " +
                       part + ", not \"" + dclTemperatureText + "\"");
    }

    return WriteOutput(BuildDataText(*state)) ? kExitSuccess : kExitFailure;
}
