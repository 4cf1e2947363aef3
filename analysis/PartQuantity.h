#pragma once

#include <string>
#include <vector>

class CWorkingState;
struct CapacitorRecord;

// The quantities over frequency that compare tabulates and plot draws, each with the graph
// kind that shows it and the curve of the working state at the selected temperature.
struct FrequencyQuantity {
    const char* name; // command-line name: "impedance", "esr", ...
    int graphKind;    // GraphKind of the graph window showing it
    const char* unit; // "Ohm", "F", "-", "V", "A"
    const double* (*curve)(const CWorkingState& state); // the curve at the selected temperature
};

// Makes `part` the current capacitor of `state` as choosing it in the program does (its
// temperature limited to the part's maximum) at `temperature`, and computes every curve.
void ComputePart(CWorkingState& state, const CapacitorRecord* part, double temperature);

// The quantity called `name`, or null.
const FrequencyQuantity* FindFrequencyQuantity(const std::string& name);
// "impedance, esr, capacitance, df, ripple-voltage or ripple-current".
std::string FrequencyQuantityNames();

// One quantity of several parts over the frequency grid: each part taken as the program
// takes it (its temperature limited to the part's maximum) and computed at `temperature`.
struct Comparison {
    std::vector<double> frequency; // Hz
    std::vector<std::string> partNumbers;
    std::vector<double> temperatures;        // °C, per part, as computed
    std::vector<std::vector<double>> values; // per part, per frequency
};
Comparison ComputeComparison(const std::vector<const CapacitorRecord*>& parts, double temperature,
                             const FrequencyQuantity& quantity);

// The comparison as CSV (RFC 4180, a header row with units, one row per frequency) or JSON.
// Points the computation marks off scale (the capacitance near resonance) are empty (CSV)
// or null (JSON).
std::string ComparisonCsv(const Comparison& comparison, const FrequencyQuantity& quantity);
std::string ComparisonJson(const Comparison& comparison, const FrequencyQuantity& quantity);
