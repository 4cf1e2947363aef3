#include "BankCommand.h"
#include "BankMaskText.h"
#include "BankNetlist.h"
#include "BankSearch.h"
#include "CapacitorRecord.h"
#include "CapacitorRows.h"
#include "CliOutput.h"
#include "CliSupport.h"
#include "NumberText.h"
#include "SelectionFilters.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string>
#include <vector>

// zeltacli bank: the best decoupling banks, mixes of up to K part types and N parts in all,
// that keep a rail's impedance under a mask over a frequency band.

namespace {

struct BankArguments {
    BankQuery query;
    std::string bank; // plot --bank: the bank's text
    SelectionOptions selection;
    double minVoltage = 0.0; // V; 0: every rated voltage
    OutputFormat format = OutputFormat::Text;
    std::string netlist; // the deck of the best bank; empty: none
};

constexpr double kDefaultTimeLimit = 60.0; // s

// A whole number from `low` to `high` into `value`; false when the text is none.
bool ReadWhole(const std::string& text, double low, double high, double* value) {
    return ReadOptionNumber(text, value) && *value >= low && *value <= high &&
           *value == std::floor(*value);
}

// Reads the command line into `a`. kExitSuccess, or the status to return after a message.
// For plot --bank (`rest` given) the arguments that are not the bank's go to `rest`, and the
// options of the search are refused.
int ReadBankArguments(const CliArguments& arguments, BankArguments& a,
                      CliArguments* rest = nullptr) {
    const std::string command = rest != nullptr ? "plot --bank" : "bank";
    enum {
        kMask,
        kFrom,
        kTo,
        kTemperature,
        kTypes,
        kParts,
        kMountL,
        kMountLCase,
        kMountR,
        kVrmR,
        kVrmL,
        kMinVoltage,
        kLimit,
        kFormat,
        kNetlist,
        kTimeLimit,
        kBank,
        kCount
    };
    const char* const names[kCount] = {"--mask",
                                       "--from",
                                       "--to",
                                       "--temperature",
                                       "--max-types",
                                       "--max-parts",
                                       "--mount-inductance",
                                       "--mount-inductance-case",
                                       "--mount-resistance",
                                       "--vrm-resistance",
                                       "--vrm-inductance",
                                       "--min-voltage",
                                       "--limit",
                                       "--format",
                                       "--netlist",
                                       "--time-limit",
                                       "--bank"};
    std::string values[kCount];
    bool given[kCount] = {};
    for (size_t i = 0; i < arguments.size(); ++i) {
        if (rest == nullptr) {
            const int taken = TakeSelectionOption(arguments, i, a.selection, "bank");
            if (taken == kExitUsage)
                return taken;
            if (taken == 1)
                continue;
        }
        int k = 0;
        bool missing = false;
        while (k < kCount && !TakeOption(arguments, i, names[k], &values[k], &missing))
            ++k;
        if (k == kCount && rest != nullptr) {
            rest->push_back(arguments[i]);
            continue;
        }
        if (k == kCount || (k == kBank && rest == nullptr))
            return UsageError(command + ": unknown argument " + arguments[i]);
        if (missing)
            return UsageError(command + ": " + names[k] + " needs a value");
        if (given[k])
            return UsageError(command + ": " + names[k] + " given twice");
        given[k] = true;
    }
    if (rest != nullptr) {
        // The search's own options have no place in a drawing of one bank.
        for (int k : {kTypes, kParts, kMinVoltage, kLimit, kFormat, kNetlist, kTimeLimit}) {
            if (given[k])
                return UsageError(std::string("plot --bank: ") + names[k] +
                                  " is an option of bank");
        }
        a.bank = values[kBank];
    }
    if (!given[kMask])
        return UsageError(command + " needs --mask");
    if (given[kVrmR] != given[kVrmL])
        return UsageError(command + ": --vrm-resistance and --vrm-inductance go together");
    if (given[kNetlist] && values[kNetlist].empty())
        return UsageError("bank: --netlist needs a file name");

    BankQuery& q = a.query;
    std::string complaint;
    if (!ReadMaskText(values[kMask], q.mask, complaint))
        return CommandFailure(complaint);
    int status = kExitSuccess;
    if (q.mask.size() == 1 && !(given[kFrom] && given[kTo]))
        return UsageError(command + ": a mask of one corner needs --from and --to");
    q.fromFrequency = q.mask.front().frequency;
    q.toFrequency = q.mask.back().frequency;
    if (given[kFrom] && !ReadQuantityArgument(values[kFrom], &q.fromFrequency))
        return CommandFailure("--from takes a frequency in Hz, not \"" + values[kFrom] + "\"");
    if (given[kTo] && !ReadQuantityArgument(values[kTo], &q.toFrequency))
        return CommandFailure("--to takes a frequency in Hz, not \"" + values[kTo] + "\"");
    if (given[kTemperature] &&
        (!ReadOptionNumber(values[kTemperature], &q.temperature) || q.temperature < -55.0))
        return CommandFailure("--temperature takes degrees Celsius from -55 up, not \"" +
                              values[kTemperature] + "\"");
    double number = 0.0;
    if (given[kTypes]) {
        if (!ReadWhole(values[kTypes], 1, kMaxBankTypes, &number))
            return CommandFailure("--max-types takes a whole number from 1 to 3, not \"" +
                                  values[kTypes] + "\"");
        q.maxTypes = static_cast<int>(number);
    }
    q.maxParts = 8;
    if (given[kParts]) {
        if (!ReadWhole(values[kParts], 1, kMaxBankParts, &number))
            return CommandFailure("--max-parts takes a whole number from 1 to " +
                                  std::to_string(kMaxBankParts) + ", not \"" + values[kParts] +
                                  "\"");
        q.maxParts = static_cast<int>(number);
    }
    // A quantity from 0 up: mounting values may be 0.
    auto readNonNegative = [&](int k, const char* unit, double* value) {
        if (ReadQuantityArgument(values[k], value) && *value >= 0.0 && std::isfinite(*value))
            return kExitSuccess;
        return CommandFailure(std::string(names[k]) + " takes a value from 0 " + unit +
                              " up, not \"" + values[k] + "\"");
    };
    if (given[kMountL] && (status = readNonNegative(kMountL, "H", &q.mountInductance)) != 0)
        return status;
    if (given[kMountLCase] &&
        !ReadCaseInductanceText(values[kMountLCase], q.caseMountInductance, complaint))
        return CommandFailure(complaint);
    if (given[kMountR] && (status = readNonNegative(kMountR, "Ohm", &q.mountResistance)) != 0)
        return status;
    if (given[kVrmR]) {
        q.converter = true;
        if ((status = readNonNegative(kVrmR, "Ohm", &q.converterResistance)) != 0 ||
            (status = readNonNegative(kVrmL, "H", &q.converterInductance)) != 0)
            return status;
        if (q.converterResistance == 0.0 && q.converterInductance == 0.0)
            return CommandFailure("--vrm-resistance and --vrm-inductance cannot both be 0: the "
                                  "converter would short the rail");
    }
    if (given[kMinVoltage] && (!ReadQuantityArgument(values[kMinVoltage], &a.minVoltage) ||
                               !(a.minVoltage >= 0.0) || !std::isfinite(a.minVoltage)))
        return CommandFailure("--min-voltage takes a voltage of 0 V or more, not \"" +
                              values[kMinVoltage] + "\"");
    if (given[kLimit]) {
        if (!ReadWhole(values[kLimit], 1, 1e9, &number))
            return CommandFailure("--limit takes a whole number above 0, not \"" + values[kLimit] +
                                  "\"");
        q.limit = static_cast<size_t>(number);
    }
    if (given[kFormat] &&
        !ReadOutputFormat(values[kFormat],
                          FormatBit(OutputFormat::Text) | FormatBit(OutputFormat::Csv) |
                              FormatBit(OutputFormat::Json),
                          &a.format))
        return CommandFailure("--format takes text, csv or json, not \"" + values[kFormat] + "\"");
    q.timeBudget = kDefaultTimeLimit;
    if (given[kTimeLimit] && (!ReadOptionNumber(values[kTimeLimit], &q.timeBudget) ||
                              !(q.timeBudget > 0.0) || !std::isfinite(q.timeBudget)))
        return CommandFailure("--time-limit takes seconds above 0, not \"" + values[kTimeLimit] +
                              "\"");
    a.netlist = values[kNetlist];

    switch (CheckBankQuery(q)) {
    case BankProblem::kBankOk:
        break;
    case BankProblem::kBandReversed:
        return CommandFailure("--from " + EngineeringText(q.fromFrequency, "Hz") +
                              " is above --to " + EngineeringText(q.toFrequency, "Hz"));
    case BankProblem::kBandEmpty:
        return CommandFailure("the band from " + EngineeringText(q.fromFrequency, "Hz") + " to " +
                              EngineeringText(q.toFrequency, "Hz") +
                              " holds no frequency of the grid (100 Hz to 100 MHz, 600 points)");
    default:
        return CommandFailure("the query cannot be answered");
    }
    return kExitSuccess;
}

std::string MaskText(const std::vector<MaskPoint>& mask) {
    std::string text;
    for (const MaskPoint& p : mask)
        text += (text.empty() ? "" : ", ") + EngineeringText(p.frequency, "Hz") + ": " +
                EngineeringText(p.impedance, "Ohm");
    return text;
}

std::string QueryText(const BankQuery& q) {
    std::string text =
        "|Z| <= mask " + MaskText(q.mask) + " from " + EngineeringText(q.fromFrequency, "Hz") +
        " to " + EngineeringText(q.toFrequency, "Hz") + " at " + RoundedNumber(q.temperature, 6) +
        " \xC2\xB0"
        "C with up to " +
        std::to_string(q.maxTypes) + (q.maxTypes == 1 ? " type" : " types") + " and " +
        std::to_string(q.maxParts) + " parts";
    return text;
}

std::string MountingText(const BankQuery& q) {
    std::string text = "mounting per part " + EngineeringText(q.mountInductance, "H");
    for (const auto& entry : q.caseMountInductance)
        text += ", case " + std::string(1, entry.first) + " " + EngineeringText(entry.second, "H");
    text += ", " + EngineeringText(q.mountResistance, "Ohm");
    if (q.converter)
        text += "; converter " + EngineeringText(q.converterResistance, "Ohm") + " + " +
                EngineeringText(q.converterInductance, "H");
    return text;
}

std::string AreaText(const Bank& b) {
    return RoundedNumber(static_cast<double>(b.area) / 100.0, 6);
}

std::string MarginText(const Bank& b) {
    return RoundedNumber(b.worstMargin * 100.0, 4) + " %";
}

std::string PartsText(const Bank& b) {
    std::string text;
    for (int i = 0; i < b.typeCount; ++i)
        text += std::string(i == 0 ? "" : " + ") + std::to_string(b.parts[i].count) + " x " +
                b.parts[i].record->partNumber;
    return text;
}

std::string TextTable(const std::vector<Bank>& rows, const BankQuery& q, size_t searched) {
    std::vector<std::vector<std::string>> cells;
    cells.push_back(
        {"rank", "parts", "types", "area", "worst margin", "at", "|Z|", "mask", "bank"});
    for (size_t i = 0; i < rows.size(); ++i) {
        const Bank& b = rows[i];
        cells.push_back({std::to_string(i + 1), std::to_string(b.partCount),
                         std::to_string(b.typeCount), AreaText(b) + " mm2", MarginText(b),
                         EngineeringText(b.worstFrequency, "Hz"),
                         EngineeringText(b.worstImpedance, "Ohm"),
                         EngineeringText(b.worstLimit, "Ohm"), PartsText(b)});
    }
    // Column widths in characters; the texts are ASCII.
    std::vector<size_t> width(cells[0].size(), 0);
    for (const auto& row : cells) {
        for (size_t c = 0; c < row.size(); ++c)
            width[c] = std::max(width[c], row[c].size());
    }
    std::string text = "# " + QueryText(q) + "\n# " + MountingText(q) + "; " +
                       std::to_string(searched) + " parts searched\n";
    for (const auto& row : cells) {
        std::string line;
        for (size_t c = 0; c < row.size(); ++c) {
            line += row[c];
            if (c + 1 < row.size())
                line += std::string(width[c] - row[c].size() + 2, ' ');
        }
        text += line + "\n";
    }
    // What each part of the answers is.
    std::vector<const CapacitorRecord*> parts;
    for (const Bank& b : rows) {
        for (int i = 0; i < b.typeCount; ++i) {
            if (std::find(parts.begin(), parts.end(), b.parts[i].record) == parts.end())
                parts.push_back(b.parts[i].record);
        }
    }
    for (const CapacitorRecord* r : parts)
        text += "# " + std::string(r->partNumber) + ": " + RoundedNumber(r->capacitance, 6) +
                " uF " + RoundedNumber(r->ratedVoltage, 6) + " V, case " + CaseText(*r) +
                ", series " + r->series + "\n";
    return text;
}

std::string CsvTable(const std::vector<Bank>& rows) {
    std::string text =
        CsvRecord({"rank", "parts", "types", "area [mm2]", "worst margin", "at [Hz]", "|Z| [Ohm]",
                   "mask [Ohm]", "part 1", "count 1", "part 2", "count 2", "part 3", "count 3"});
    for (size_t i = 0; i < rows.size(); ++i) {
        const Bank& b = rows[i];
        std::vector<std::string> row = {std::to_string(i + 1),
                                        std::to_string(b.partCount),
                                        std::to_string(b.typeCount),
                                        AreaText(b),
                                        ShortestNumber(b.worstMargin),
                                        ShortestNumber(b.worstFrequency),
                                        ShortestNumber(b.worstImpedance),
                                        ShortestNumber(b.worstLimit)};
        for (int t = 0; t < kMaxBankTypes; ++t) {
            row.push_back(t < b.typeCount ? b.parts[t].record->partNumber : "");
            row.push_back(t < b.typeCount ? std::to_string(b.parts[t].count) : "");
        }
        text += CsvRecord(row);
    }
    return text;
}

std::string JsonTable(const std::vector<Bank>& rows, const BankQuery& q) {
    std::string text = "{\"query\":{\"mask\":[";
    for (size_t i = 0; i < q.mask.size(); ++i)
        text += std::string(i == 0 ? "" : ",") + "[" + JsonNumber(q.mask[i].frequency) + "," +
                JsonNumber(q.mask[i].impedance) + "]";
    text += "],\"from\":" + JsonNumber(q.fromFrequency) + ",\"to\":" + JsonNumber(q.toFrequency) +
            ",\"temperature\":" + JsonNumber(q.temperature) +
            ",\"maxTypes\":" + std::to_string(q.maxTypes) +
            ",\"maxParts\":" + std::to_string(q.maxParts) +
            ",\"mountInductance\":" + JsonNumber(q.mountInductance) + ",\"caseMountInductance\":{";
    for (size_t i = 0; i < q.caseMountInductance.size(); ++i)
        text += std::string(i == 0 ? "" : ",") +
                JsonString(std::string(1, q.caseMountInductance[i].first)) + ":" +
                JsonNumber(q.caseMountInductance[i].second);
    text += "},\"mountResistance\":" + JsonNumber(q.mountResistance);
    if (q.converter)
        text += ",\"vrmResistance\":" + JsonNumber(q.converterResistance) +
                ",\"vrmInductance\":" + JsonNumber(q.converterInductance);
    text += "},\n\"banks\":[";
    for (size_t i = 0; i < rows.size(); ++i) {
        const Bank& b = rows[i];
        text += std::string(i == 0 ? "\n" : ",\n") + "{\"parts\":" + std::to_string(b.partCount) +
                ",\"types\":" + std::to_string(b.typeCount) +
                ",\"area\":" + JsonNumber(static_cast<double>(b.area) / 100.0) +
                ",\"worstMargin\":" + JsonNumber(b.worstMargin) +
                ",\"at\":" + JsonNumber(b.worstFrequency) +
                ",\"impedance\":" + JsonNumber(b.worstImpedance) +
                ",\"mask\":" + JsonNumber(b.worstLimit) + ",\"bank\":[";
        for (int t = 0; t < b.typeCount; ++t) {
            const CapacitorRecord& r = *b.parts[t].record;
            text += std::string(t == 0 ? "" : ",") + "{\"partNumber\":" + JsonString(r.partNumber) +
                    ",\"count\":" + std::to_string(b.parts[t].count) +
                    ",\"capacitance\":" + JsonNumber(r.capacitance * 1e-6) +
                    ",\"ratedVoltage\":" + JsonNumber(r.ratedVoltage) +
                    ",\"case\":" + JsonString(CaseText(r)) + ",\"series\":" + JsonString(r.series) +
                    "}";
        }
        text += "]}";
    }
    return text + "\n]}\n";
}

// Where a search that ran out of time got to.
std::string ReachedText(const BankSearchResult& result) {
    std::string text;
    if (result.reachedParts > 1)
        text = "every bank of up to " + std::to_string(result.reachedParts - 1) +
               (result.reachedParts == 2 ? " part" : " parts") + " was searched";
    else
        text = "no level of the search was finished";
    if (result.reachedTypes > 1)
        text += ", and those of " + std::to_string(result.reachedParts) + " parts with up to " +
                std::to_string(result.reachedTypes - 1) +
                (result.reachedTypes == 2 ? " type" : " types");
    return text;
}

} // namespace

int RunBankCommand(CCliSession& session, const CliArguments& arguments) {
    BankArguments a;
    const int read = ReadBankArguments(arguments, a);
    if (read != kExitSuccess)
        return read;
    std::vector<const CapacitorRecord*> parts;
    const int selected = SelectParts(session, a.selection, parts);
    if (selected != kExitSuccess)
        return selected;
    if (a.minVoltage > 0.0)
        parts.erase(std::remove_if(
                        parts.begin(), parts.end(),
                        [&](const CapacitorRecord* r) { return r->ratedVoltage < a.minVoltage; }),
                    parts.end());

    const BankSearchResult result = FindBanks(parts, a.query);
    if (result.banks.empty() && result.complete)
        return CommandFailure("no bank keeps " + QueryText(a.query) + " (" +
                              std::to_string(result.candidateCount) + " parts searched)");

    if (!result.banks.empty()) {
        if (!a.netlist.empty()) {
            std::string error;
            if (!WriteFileWhole(a.netlist, BuildBankDeck(result.banks.front(), a.query), error))
                return CommandFailure(error);
        }
        const std::string text = a.format == OutputFormat::Csv ? CsvTable(result.banks)
                                 : a.format == OutputFormat::Json
                                     ? JsonTable(result.banks, a.query)
                                     : TextTable(result.banks, a.query, result.candidateCount);
        if (!WriteOutput(text))
            return kExitFailure;
    }
    if (!result.complete)
        return CommandFailure(
            "bank: the search stopped at its time limit of " +
            RoundedNumber(a.query.timeBudget, 6) + " s: " + ReachedText(result) + "; " +
            (result.banks.empty() ? std::string("no bank found there")
                                  : std::to_string(result.banks.size()) +
                                        (result.banks.size() == 1 ? " bank" : " banks") +
                                        " found there, the best there are") +
            ". Raise --time-limit, lower --max-parts or --max-types, or narrow the selection");
    return kExitSuccess;
}

int ReadBankPlotArguments(const CliArguments& arguments, BankPlot& plot, CliArguments& rest) {
    BankArguments a;
    const int status = ReadBankArguments(arguments, a, &rest);
    if (status != kExitSuccess)
        return status;
    plot.text = a.bank;
    plot.query = a.query;
    return kExitSuccess;
}

namespace {

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// "1 x PART + 3 x PART" (spaces optional) into part numbers and counts.
bool ReadBankText(const std::string& text, std::vector<std::pair<std::string, int>>& parts) {
    size_t start = 0;
    for (;;) {
        const size_t plus = text.find('+', start);
        const std::string term =
            Trimmed(text.substr(start, plus == std::string::npos ? plus : plus - start));
        size_t digits = 0;
        while (digits < term.size() && std::isdigit(static_cast<unsigned char>(term[digits])))
            ++digits;
        const size_t x = term.find_first_not_of(' ', digits);
        if (digits == 0 || digits > 3 || x == std::string::npos || term[x] != 'x')
            return false;
        const std::string part = Trimmed(term.substr(x + 1));
        const int count = std::stoi(term.substr(0, digits));
        if (part.empty() || part.find(' ') != std::string::npos || count < 1)
            return false;
        parts.emplace_back(part, count);
        if (plus == std::string::npos)
            return true;
        start = plus + 1;
    }
}

} // namespace

int ComputeBankPlot(CCliSession& session, BankPlot& plot) {
    std::vector<std::pair<std::string, int>> parts;
    if (!ReadBankText(plot.text, parts))
        return CommandFailure("--bank takes N x PART terms joined by +, such as \"1 x "
                              "QCLE158K004R0012 + 3 x QCRC227M006R0050\", not \"" +
                              plot.text + "\"");
    if (parts.size() > static_cast<size_t>(kMaxBankTypes))
        return CommandFailure("--bank takes up to 3 part types, not " +
                              std::to_string(parts.size()));
    std::sort(parts.begin(), parts.end());
    Bank& bank = plot.bank;
    bank = Bank{};
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i > 0 && parts[i].first == parts[i - 1].first)
            return CommandFailure("--bank names " + parts[i].first + " twice");
        const CapacitorRecord* record = session.FindPart(parts[i].first);
        if (record == nullptr)
            return kExitFailure;
        if (!PartUsableInBank(*record, plot.query.temperature))
            return CommandFailure(parts[i].first + " cannot be in a bank at " +
                                  RoundedNumber(plot.query.temperature, 6) +
                                  " \xC2\xB0"
                                  "C");
        bank.parts[bank.typeCount++] = BankPart{record, parts[i].second};
        bank.partCount += parts[i].second;
    }
    plot.title = PartsText(bank);
    plot.legend = "bank @" + RoundedNumber(plot.query.temperature, 6) +
                  "\xC2\xB0"
                  "C";
    plot.frequency = BankBandFrequencies(plot.query);
    plot.impedance.clear();
    plot.limit.clear();
    for (double f : plot.frequency) {
        plot.impedance.push_back(BankImpedanceAt(bank, plot.query, f));
        plot.limit.push_back(MaskLimitAt(plot.query.mask, f));
    }
    return kExitSuccess;
}
