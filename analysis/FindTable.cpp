#include "FindTable.h"

#include "CapacitorRecord.h"
#include "CapacitorRows.h"
#include "NumberText.h"
#include "TableText.h"

#include <algorithm>

std::vector<std::string> FindTableHeadings(const ImpedanceQuery& q) {
    std::vector<std::string> heading = {"n",           "max |Z|/n", "at",   "part number",
                                        "capacitance", "voltage",   "case", "series"};
    if (q.rippleCurrent > 0.0)
        heading.push_back("n x ripple");
    return heading;
}

std::vector<std::string> FindTableCells(const ImpedanceMatch& m, const ImpedanceQuery& q) {
    const CapacitorRecord& r = *m.record;
    std::vector<std::string> row = {std::to_string(m.count),
                                    EngineeringText(m.worstImpedance, "Ohm"),
                                    EngineeringText(m.worstFrequency, "Hz"),
                                    r.partNumber,
                                    RoundedNumber(r.capacitance, 6) + " uF",
                                    RoundedNumber(r.ratedVoltage, 6) + " V",
                                    CaseText(r),
                                    r.series};
    if (q.rippleCurrent > 0.0)
        row.push_back(EngineeringText(m.rippleCapacity, "A"));
    return row;
}

std::string FindQueryText(const ImpedanceQuery& q) {
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

std::string FindTextTable(const std::vector<ImpedanceMatch>& rows, const ImpedanceQuery& q) {
    std::vector<std::vector<std::string>> cells;
    const std::vector<std::string> heading = FindTableHeadings(q);
    cells.push_back(heading);
    for (const ImpedanceMatch& m : rows)
        cells.push_back(FindTableCells(m, q));
    // Column widths in characters; the texts are ASCII.
    std::vector<size_t> width(heading.size(), 0);
    for (const auto& row : cells) {
        for (size_t c = 0; c < row.size(); ++c)
            width[c] = std::max(width[c], row[c].size());
    }
    std::string text = "# " + FindQueryText(q) + "\n";
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

std::string FindCsvTable(const std::vector<ImpedanceMatch>& rows, const ImpedanceQuery& q) {
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

std::string FindJsonTable(const std::vector<ImpedanceMatch>& rows, const ImpedanceQuery& q) {
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
