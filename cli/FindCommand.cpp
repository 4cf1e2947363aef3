#include "CapacitorRecord.h"
#include "CapacitorRows.h"
#include "CliOutput.h"
#include "CliSupport.h"
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

std::string QueryText(const ImpedanceQuery& q) {
    std::string text = "|Z|/n <= " + EngineeringText(q.maxImpedance, "Ohm") + " from " +
                       EngineeringText(q.fromFrequency, "Hz") + " to " +
                       EngineeringText(q.toFrequency, "Hz") + " at " +
                       RoundedNumber(q.temperature, 6) +
                       " \xC2\xB0"
                       "C with n <= " +
                       std::to_string(q.maxCount);
    if (q.rippleCurrent > 0.0)
        text += " and " + EngineeringText(q.rippleCurrent, "A") + " ripple at " +
                EngineeringText(q.rippleFrequency, "Hz");
    if (q.minVoltage > 0.0)
        text += ", rated " + RoundedNumber(q.minVoltage, 6) + " V or more";
    if (q.onePerModel)
        text += ", one part per model";
    return text;
}

std::string TextTable(const std::vector<ImpedanceMatch>& rows, const ImpedanceQuery& q) {
    const bool ripple = q.rippleCurrent > 0.0;
    std::vector<std::vector<std::string>> cells;
    std::vector<std::string> heading = {"n",           "max |Z|/n", "at",   "part number",
                                        "capacitance", "voltage",   "case", "series"};
    if (ripple)
        heading.push_back("n x ripple");
    cells.push_back(heading);
    for (const ImpedanceMatch& m : rows) {
        const CapacitorRecord& r = *m.record;
        std::vector<std::string> row = {std::to_string(m.count),
                                        EngineeringText(m.worstImpedance, "Ohm"),
                                        EngineeringText(m.worstFrequency, "Hz"),
                                        r.partNumber,
                                        RoundedNumber(r.capacitance, 6) + " uF",
                                        RoundedNumber(r.ratedVoltage, 6) + " V",
                                        CaseText(r),
                                        r.series};
        if (ripple)
            row.push_back(EngineeringText(m.rippleCapacity, "A"));
        cells.push_back(row);
    }
    // Column widths in characters; the texts are ASCII.
    std::vector<size_t> width(heading.size(), 0);
    for (const auto& row : cells) {
        for (size_t c = 0; c < row.size(); ++c)
            width[c] = std::max(width[c], row[c].size());
    }
    std::string text = "# " + QueryText(q) + "\n";
    for (const auto& row : cells) {
        std::string line;
        for (size_t c = 0; c < row.size(); ++c) {
            line += row[c];
            if (c + 1 < row.size())
                line += std::string(width[c] - row[c].size() + 2, ' ');
        }
        text += line + "\n";
    }
    return text;
}

std::string CsvTable(const std::vector<ImpedanceMatch>& rows, const ImpedanceQuery& q) {
    const bool ripple = q.rippleCurrent > 0.0;
    std::vector<std::string> heading = {
        "n",    "max |Z|/n [Ohm]", "at [Hz]", "part number", "capacitance [uF]", "voltage [V]",
        "case", "series"};
    if (ripple)
        heading.push_back("n x ripple current [A]");
    std::string text = CsvRecord(heading);
    for (const ImpedanceMatch& m : rows) {
        const CapacitorRecord& r = *m.record;
        std::vector<std::string> row = {std::to_string(m.count),
                                        ShortestNumber(m.worstImpedance),
                                        ShortestNumber(m.worstFrequency),
                                        r.partNumber,
                                        ShortestNumber(r.capacitance),
                                        ShortestNumber(r.ratedVoltage),
                                        CaseText(r),
                                        r.series};
        if (ripple)
            row.push_back(ShortestNumber(m.rippleCapacity));
        text += CsvRecord(row);
    }
    return text;
}

std::string JsonTable(const std::vector<ImpedanceMatch>& rows, const ImpedanceQuery& q) {
    std::string text = "{\"query\":{\"maxImpedance\":" + JsonNumber(q.maxImpedance) +
                       ",\"from\":" + JsonNumber(q.fromFrequency) +
                       ",\"to\":" + JsonNumber(q.toFrequency) +
                       ",\"temperature\":" + JsonNumber(q.temperature) +
                       ",\"maxCount\":" + std::to_string(q.maxCount);
    if (q.rippleCurrent > 0.0)
        text += ",\"rippleCurrent\":" + JsonNumber(q.rippleCurrent) +
                ",\"at\":" + JsonNumber(q.rippleFrequency);
    if (q.minVoltage > 0.0)
        text += ",\"minVoltage\":" + JsonNumber(q.minVoltage);
    if (q.onePerModel)
        text += ",\"onePerModel\":true";
    text += "},\n\"parts\":[";
    for (size_t i = 0; i < rows.size(); ++i) {
        const ImpedanceMatch& m = rows[i];
        const CapacitorRecord& r = *m.record;
        text += std::string(i == 0 ? "\n" : ",\n") + "{\"n\":" + std::to_string(m.count) +
                ",\"maxImpedance\":" + JsonNumber(m.worstImpedance) +
                ",\"at\":" + JsonNumber(m.worstFrequency) +
                ",\"partNumber\":" + JsonString(r.partNumber) +
                ",\"capacitance\":" + JsonNumber(r.capacitance * 1e-6) +
                ",\"ratedVoltage\":" + JsonNumber(r.ratedVoltage) +
                ",\"case\":" + JsonString(CaseText(r)) + ",\"series\":" + JsonString(r.series);
        if (q.rippleCurrent > 0.0)
            text += ",\"rippleCurrent\":" + JsonNumber(m.rippleCapacity);
        text += "}";
    }
    return text + "\n]}\n";
}

} // namespace

int RunFindCommand(CCliSession& session, const CliArguments& arguments) {
    FindArguments a;
    const int read = ReadFindArguments(arguments, a);
    if (read != kExitSuccess)
        return read;
    const int status = session.LoadStore();
    if (status != kExitSuccess)
        return status;
    std::vector<const CapacitorRecord*> parts;
    const int selected = SelectParts(session, a.selection, parts);
    if (selected != kExitSuccess)
        return selected;

    std::vector<ImpedanceMatch> rows = FindImpedanceMatches(parts, a.query);
    if (rows.empty())
        return CommandFailure("no part keeps " + QueryText(a.query) + " (" +
                              std::to_string(parts.size()) + " parts searched)");
    if (a.limit > 0 && rows.size() > a.limit)
        rows.resize(a.limit);

    const std::string text = a.format == OutputFormat::Csv    ? CsvTable(rows, a.query)
                             : a.format == OutputFormat::Json ? JsonTable(rows, a.query)
                                                              : TextTable(rows, a.query);
    if (!WriteOutput(text))
        return kExitFailure;
    return kExitSuccess;
}
