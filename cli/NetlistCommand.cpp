#include "CapacitorRecord.h"
#include "CliOutput.h"
#include "CliSupport.h"
#include "ModelLibrary.h"
#include "NumberText.h"
#include "PartBatch.h"
#include "SelectionFilters.h"
#include "SpiceNetlist.h"
#include "ValueLimits.h"

#include <string>
#include <vector>

// zeltacli netlist: a part's SPICE sub-circuit on standard output, or with --all one file
// "<part>.lib" per selected part in a folder.

int RunNetlistCommand(CCliSession& session, const CliArguments& arguments) {
    std::string part, folder, temperatureText;
    bool all = false, temperatureGiven = false;
    SelectionOptions selection;
    for (size_t i = 0; i < arguments.size(); ++i) {
        bool missing = false;
        const int taken = TakeSelectionOption(arguments, i, selection, "netlist");
        if (taken == kExitUsage)
            return taken;
        if (taken == 1)
            continue;
        if (TakeOption(arguments, i, "--all", &folder, &missing)) {
            if (missing)
                return UsageError("netlist: --all needs an output folder");
            all = true;
        } else if (TakeOption(arguments, i, "--temperature", &temperatureText, &missing)) {
            if (missing)
                return UsageError("netlist: --temperature needs a value");
            temperatureGiven = true;
        } else if (arguments[i].size() > 1 && arguments[i][0] == '-' && arguments[i][1] == '-') {
            return UsageError("netlist: unknown option " + arguments[i]);
        } else if (!part.empty()) {
            return UsageError("netlist takes one part number");
        } else {
            part = arguments[i];
        }
    }
    if (all == !part.empty())
        return UsageError("netlist takes a part number or --all OUTDIR");
    if (!all && selection.Any())
        return UsageError("netlist: the selection filters go with --all");
    if (all && folder.empty())
        return UsageError("netlist: --all needs a non-empty output folder");
    double temperature = 25.0;
    if (temperatureGiven &&
        (!ReadOptionNumber(temperatureText, &temperature) || temperature < -55.0))
        return CommandFailure("--temperature takes degrees Celsius from -55 up, not \"" +
                              temperatureText + "\"");

    const auto netlist = [&](const CapacitorRecord& record) {
        return temperatureGiven ? BuildSpiceNetlistAt(record, temperature)
                                : BuildSpiceNetlist(record);
    };
    // A model is checked at the temperatures its parts are shown at; beyond them its fit may
    // leave no usable element value (a resistance scaled to zero or below).
    const auto unusable = [&](const CapacitorRecord& record) {
        const double t =
            temperature < kHighestModelTemperature ? temperature : kHighestModelTemperature;
        if (!temperatureGiven || UnusableModelStage(record, {t, t}) < 0)
            return std::string();
        return "its model has no usable element values at " + RoundedNumber(temperature, 6) +
               " \xC2\xB0"
               "C";
    };
    if (all) {
        return RunSelectionBatch(session, selection, folder, "netlists",
                                 [&](const CapacitorRecord& record, std::string& message) {
                                     message = unusable(record);
                                     if (!message.empty())
                                         return false;
                                     return WriteFileWhole(folder + "/" + record.partNumber +
                                                               ".lib",
                                                           netlist(record), message);
                                 });
    }
    const CapacitorRecord* record = session.LoadPart(part);
    if (record == nullptr)
        return kExitFailure;
    if (!unusable(*record).empty())
        return CommandFailure(std::string(record->partNumber) + ": " + unusable(*record));
    if (!WriteOutput(netlist(*record)))
        return kExitFailure;
    return kExitSuccess;
}
