#include "CapacitorRecord.h"
#include "CliOutput.h"
#include "CliSupport.h"
#include "FindTable.h"
#include "ImpedanceSearch.h"
#include "NumberText.h"
#include "SelectionFilters.h"

#include <algorithm>
#include <string>
#include <vector>

// zeltacli find: the parts (and how many of each in parallel) that keep a rail's impedance
// under a target over a frequency band at a temperature.

namespace {

struct FindArguments {
    ImpedanceQuery query;
    SelectionOptions selection;
    size_t limit = 0; // 0: every row
    OutputFormat format = OutputFormat::Text;
};

// Reads the command line into `a`. kExitSuccess, or the status to return after a message.
int ReadFindArguments(const CliArguments& arguments, FindArguments& a) {
    enum {
        kTarget,
        kFrom,
        kTo,
        kTemperature,
        kMaxCount,
        kRipple,
        kAt,
        kLimit,
        kFormat,
        kMinVoltage,
        kCount
    };
    const char* const names[kCount] = {
        "--max-impedance",  "--from", "--to",    "--temperature", "--max-count",
        "--ripple-current", "--at",   "--limit", "--format",      "--min-voltage"};
    std::string values[kCount];
    bool given[kCount] = {};
    bool onePerModel = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const int taken = TakeSelectionOption(arguments, i, a.selection, "find");
        if (taken == kExitUsage)
            return taken;
        if (taken == 1)
            continue;
        if (arguments[i] == "--one-per-model") {
            if (onePerModel)
                return UsageError("find: --one-per-model given twice");
            onePerModel = true;
            continue;
        }
        int k = 0;
        bool missing = false;
        while (k < kCount && !TakeOption(arguments, i, names[k], &values[k], &missing))
            ++k;
        if (k == kCount)
            return UsageError("find: unknown argument " + arguments[i]);
        if (missing)
            return UsageError(std::string("find: ") + names[k] + " needs a value");
        if (given[k])
            return UsageError(std::string("find: ") + names[k] + " given twice");
        given[k] = true;
    }
    for (int k : {kTarget, kFrom, kTo}) {
        if (!given[k])
            return UsageError(std::string("find needs ") + names[k]);
    }
    if (given[kRipple] != given[kAt])
        return UsageError("find: --ripple-current and --at go together");

    ImpedanceQuery& q = a.query;
    if (!ReadQuantityArgument(values[kTarget], &q.maxImpedance) || !(q.maxImpedance > 0.0))
        return CommandFailure("--max-impedance takes a target above 0 Ohm, not \"" +
                              values[kTarget] + "\"");
    if (!ReadQuantityArgument(values[kFrom], &q.fromFrequency))
        return CommandFailure("--from takes a frequency in Hz, not \"" + values[kFrom] + "\"");
    if (!ReadQuantityArgument(values[kTo], &q.toFrequency))
        return CommandFailure("--to takes a frequency in Hz, not \"" + values[kTo] + "\"");
    if (given[kTemperature] &&
        (!ReadOptionNumber(values[kTemperature], &q.temperature) || q.temperature < -55.0))
        return CommandFailure("--temperature takes degrees Celsius from -55 up, not \"" +
                              values[kTemperature] + "\"");
    double number = 0.0;
    if (given[kMaxCount]) {
        if (!ReadOptionNumber(values[kMaxCount], &number) || number < 1 || number > 1000 ||
            number != static_cast<int>(number))
            return CommandFailure("--max-count takes a whole number from 1 to 1000, not \"" +
                                  values[kMaxCount] + "\"");
        q.maxCount = static_cast<int>(number);
    }
    if (given[kRipple]) {
        if (!ReadQuantityArgument(values[kRipple], &q.rippleCurrent) || !(q.rippleCurrent > 0.0))
            return CommandFailure("--ripple-current takes a current above 0 A, not \"" +
                                  values[kRipple] + "\"");
        if (!ReadQuantityArgument(values[kAt], &q.rippleFrequency))
            return CommandFailure("--at takes a frequency in Hz, not \"" + values[kAt] + "\"");
    }
    if (given[kMinVoltage] &&
        (!ReadQuantityArgument(values[kMinVoltage], &q.minVoltage) || q.minVoltage < 0.0))
        return CommandFailure("--min-voltage takes a voltage of 0 V or more, not \"" +
                              values[kMinVoltage] + "\"");
    q.onePerModel = onePerModel;
    if (given[kLimit]) {
        if (!ReadOptionNumber(values[kLimit], &number) || number < 1 || number > 1e9 ||
            number != static_cast<double>(static_cast<long>(number)))
            return CommandFailure("--limit takes a whole number above 0, not \"" + values[kLimit] +
                                  "\"");
        a.limit = static_cast<size_t>(number);
    }
    if (given[kFormat] &&
        !ReadOutputFormat(values[kFormat],
                          FormatBit(OutputFormat::Text) | FormatBit(OutputFormat::Csv) |
                              FormatBit(OutputFormat::Json),
                          &a.format))
        return CommandFailure("--format takes text, csv or json, not \"" + values[kFormat] + "\"");

    switch (CheckImpedanceQuery(q)) {
    case QueryProblem::kQueryOk:
        break;
    case QueryProblem::kBandReversed:
        return CommandFailure("--from " + values[kFrom] + " is above --to " + values[kTo]);
    case QueryProblem::kBandEmpty:
        return CommandFailure("the band from " + EngineeringText(q.fromFrequency, "Hz") + " to " +
                              EngineeringText(q.toFrequency, "Hz") +
                              " holds no frequency of the grid (100 Hz to 100 MHz, 600 points)");
    case QueryProblem::kRippleFrequencyOutsideGrid:
        return CommandFailure("--at takes a frequency from 100 Hz to 100 MHz, not \"" +
                              values[kAt] + "\"");
    default:
        return CommandFailure("the query cannot be answered");
    }
    return kExitSuccess;
}

} // namespace

int RunFindCommand(CCliSession& session, const CliArguments& arguments) {
    FindArguments a;
    const int read = ReadFindArguments(arguments, a);
    if (read != kExitSuccess)
        return read;
    std::vector<const CapacitorRecord*> parts;
    const int selected = SelectParts(session, a.selection, parts);
    if (selected != kExitSuccess)
        return selected;

    std::vector<ImpedanceMatch> rows = FindImpedanceMatches(parts, a.query);
    if (rows.empty())
        return CommandFailure("no part keeps " + FindQueryText(a.query) + " (" +
                              std::to_string(parts.size()) + " parts searched)");
    if (a.limit > 0 && rows.size() > a.limit)
        rows.resize(a.limit);

    const std::string text = a.format == OutputFormat::Csv    ? FindCsvTable(rows, a.query)
                             : a.format == OutputFormat::Json ? FindJsonTable(rows, a.query)
                                                              : FindTextTable(rows, a.query);
    if (!WriteOutput(text))
        return kExitFailure;
    return kExitSuccess;
}
