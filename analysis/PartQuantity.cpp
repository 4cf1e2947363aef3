#include "PartQuantity.h"

#include "CapacitorRecord.h"
#include "NumberText.h"
#include "OffScale.h"
#include "TableText.h"
#include "WorkingState.h"

#include <cmath>
#include <memory>

namespace {

// The graph kinds by their numbers: 0 DF, 1 ESR, 2 impedance, 3 capacitance, 4 ripple voltage,
// 5 ripple current.
const FrequencyQuantity kQuantities[] = {
    {"impedance", 2, "Ohm",
     [](const CWorkingState& s) -> const double* {
         return s.temperatureCurves.impedanceMagnitude;
     }},
    {"esr", 1, "Ohm",
     [](const CWorkingState& s) -> const double* { return s.temperatureCurves.esr; }},
    {"capacitance", 3, "F",
     [](const CWorkingState& s) -> const double* { return s.temperatureCurves.seriesCapacitance; }},
    {"df", 0, "-",
     [](const CWorkingState& s) -> const double* { return s.temperatureCurves.dissipationFactor; }},
    {"ripple-voltage", 4, "V",
     [](const CWorkingState& s) -> const double* { return s.rippleVoltageAtTemperature; }},
    {"ripple-current", 5, "A",
     [](const CWorkingState& s) -> const double* { return s.rippleCurrentAtTemperature; }},
};

bool OffScale(double value) {
    return std::fabs(value) >= kOffScale;
}

std::string Heading(const Comparison& c, size_t part, const FrequencyQuantity& q) {
    return c.partNumbers[part] + " @" + RoundedNumber(c.temperatures[part], 6) +
           "\xC2\xB0"
           "C [" +
           q.unit + "]";
}

} // namespace

void ComputePart(CWorkingState& state, const CapacitorRecord* part, double temperature) {
    state.selectedTemperature = temperature;
    state.TakeCapacitor(part);
    state.RecomputeCurves();
}

const FrequencyQuantity* FindFrequencyQuantity(const std::string& name) {
    for (const FrequencyQuantity& q : kQuantities) {
        if (name == q.name)
            return &q;
    }
    return nullptr;
}

std::string FrequencyQuantityNames() {
    std::string text;
    const size_t n = sizeof kQuantities / sizeof kQuantities[0];
    for (size_t i = 0; i < n; ++i)
        text += std::string(i == 0 ? "" : i + 1 == n ? " or " : ", ") + kQuantities[i].name;
    return text;
}

Comparison ComputeComparison(const std::vector<const CapacitorRecord*>& parts, double temperature,
                             const FrequencyQuantity& quantity) {
    Comparison c;
    const auto state = std::make_unique<CWorkingState>();
    for (const CapacitorRecord* part : parts) {
        ComputePart(*state, part, temperature);
        const double* curve = quantity.curve(*state);
        if (c.frequency.empty())
            c.frequency.assign(state->referenceCurves.frequency,
                               state->referenceCurves.frequency + state->pointCount);
        c.partNumbers.push_back(part->partNumber);
        c.temperatures.push_back(state->selectedTemperature);
        c.values.emplace_back(curve, curve + state->pointCount);
    }
    return c;
}

std::string ComparisonCsv(const Comparison& c, const FrequencyQuantity& q) {
    std::vector<std::string> fields = {"Frequency [Hz]"};
    for (size_t p = 0; p < c.partNumbers.size(); ++p)
        fields.push_back(Heading(c, p, q));
    std::string text = CsvRecord(fields);
    // Numbers never need quoting: the rows are written straight.
    text.reserve(text.size() + c.frequency.size() * (c.values.size() + 1) * 20);
    for (size_t i = 0; i < c.frequency.size(); ++i) {
        AppendShortestNumber(text, c.frequency[i]);
        for (const std::vector<double>& column : c.values) {
            text += ',';
            const double v = column[i];
            if (!OffScale(v) && std::isfinite(v))
                AppendShortestNumber(text, v);
        }
        text += "\r\n";
    }
    return text;
}

std::string ComparisonJson(const Comparison& c, const FrequencyQuantity& q) {
    std::string text = std::string("{\"quantity\":") + JsonString(q.name) +
                       ",\"unit\":" + JsonString(q.unit) + ",\n\"frequency\":[";
    for (size_t i = 0; i < c.frequency.size(); ++i)
        text += (i == 0 ? "" : ",") + JsonNumber(c.frequency[i]);
    text += "],\n\"parts\":[";
    for (size_t p = 0; p < c.partNumbers.size(); ++p) {
        text += std::string(p == 0 ? "\n" : ",\n") +
                "{\"partNumber\":" + JsonString(c.partNumbers[p]) +
                ",\"temperature\":" + JsonNumber(c.temperatures[p]) + ",\"values\":[";
        for (size_t i = 0; i < c.values[p].size(); ++i) {
            const double v = c.values[p][i];
            text += (i == 0 ? "" : ",") + (OffScale(v) ? std::string("null") : JsonNumber(v));
        }
        text += "]}";
    }
    return text + "\n]}\n";
}
