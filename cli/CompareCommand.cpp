#include "CapacitorRecord.h"
#include "CliOutput.h"
#include "CliSupport.h"
#include "NumberText.h"
#include "PartQuantity.h"

#include <string>
#include <vector>

// zeltacli compare: one quantity of several parts over the frequency grid, one column per
// part.

int RunCompareCommand(CCliSession& session, const CliArguments& arguments) {
    std::vector<std::string> partNumbers;
    std::string temperatureText, quantityText = "impedance", formatText = "csv";
    bool temperatureGiven = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        bool missing = false;
        std::string* target = nullptr;
        if (TakeOption(arguments, i, "--temperature", &temperatureText, &missing)) {
            temperatureGiven = true;
            target = &temperatureText;
        } else if (TakeOption(arguments, i, "--quantity", &quantityText, &missing)) {
            target = &quantityText;
        } else if (TakeOption(arguments, i, "--format", &formatText, &missing)) {
            target = &formatText;
        }
        if (missing)
            return UsageError("compare: " + arguments[i] + " needs a value");
        if (target != nullptr)
            continue;
        if (arguments[i].size() > 1 && arguments[i][0] == '-' && arguments[i][1] == '-')
            return UsageError("compare: unknown option " + arguments[i]);
        partNumbers.push_back(arguments[i]);
    }
    if (partNumbers.size() < 2)
        return UsageError("compare needs at least two part numbers");

    double temperature = 25.0;
    if (temperatureGiven &&
        (!ReadOptionNumber(temperatureText, &temperature) || temperature < -55.0))
        return CommandFailure("--temperature takes degrees Celsius from -55 up, not \"" +
                              temperatureText + "\"");
    const FrequencyQuantity* quantity = FindFrequencyQuantity(quantityText);
    if (quantity == nullptr)
        return CommandFailure("--quantity takes " + FrequencyQuantityNames() + ", not \"" +
                              quantityText + "\"");
    OutputFormat format = OutputFormat::Csv;
    if (!ReadOutputFormat(formatText, FormatBit(OutputFormat::Csv) | FormatBit(OutputFormat::Json),
                          &format))
        return CommandFailure("--format takes csv or json, not \"" + formatText + "\"");

    const int status = session.LoadStore();
    if (status != kExitSuccess)
        return status;
    std::vector<const CapacitorRecord*> parts;
    for (const std::string& partNumber : partNumbers) {
        const CapacitorRecord* record = session.FindPart(partNumber);
        if (record == nullptr)
            return kExitFailure;
        parts.push_back(record);
    }

    const Comparison comparison = ComputeComparison(parts, temperature, *quantity);
    for (size_t p = 0; p < parts.size(); ++p)
        NoteShownTemperature(*parts[p], temperature, comparison.temperatures[p]);
    const std::string text = format == OutputFormat::Json ? ComparisonJson(comparison, *quantity)
                                                          : ComparisonCsv(comparison, *quantity);
    if (!WriteOutput(text))
        return kExitFailure;
    return kExitSuccess;
}
