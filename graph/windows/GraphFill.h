#pragma once

#include "GraphKindTable.h"

#include <string>

class CWorkingState;

class IStringTable;
struct CapacitorRecord;
struct CurveSet;

// What the main frame pushes into one graph view on every update: captions, axes, units,
// title, note, legend, reference point and up to four curves over one x array. The arrays are
// borrowed from the working state; the view copies them when it takes the data.

// Legend positions as the view numbers them (LegendTopLeft ... LegendBottomRight).
constexpr int kFillLegendTopLeft = 0;
constexpr int kFillLegendBottomLeft = 1;
constexpr int kFillLegendTopRight = 2;
constexpr int kFillLegendBottomRight = 3;

struct GraphFill {
    std::string xCaption, yCaption;
    bool logX = false, logY = false;
    std::string xUnit, yUnit;
    std::string title;
    std::string note;
    int legendPosition = kFillLegendTopLeft;
    std::string legendNames[4];
    int count = 0;
    const double* x = nullptr;
    const double* curves[4] = {nullptr, nullptr, nullptr, nullptr};
    bool dotted[4] = {false, false, false, false};
    std::string referenceText; // empty: no reference point
    double referenceX = 0.0, referenceY = 0.0;
    bool pickCarriesView = false;
};

// The working state the filling rules read.
struct GraphFillSource {
    const CapacitorRecord* current = nullptr;
    double selectedTemperature = 25.0;
    bool comparisonMode = false;
    const CapacitorRecord* comparison[2] = {nullptr, nullptr};

    int pointCount = 0;
    const CurveSet* reference = nullptr;
    const CurveSet* atTemperature = nullptr;
    const CurveSet* compared[2] = {nullptr, nullptr};
    const double* esrLimitReference = nullptr;
    const double* esrLimitAtTemperature = nullptr;
    const double* rippleVoltageReference = nullptr;
    const double* rippleVoltageAtTemperature = nullptr;
    const double* rippleCurrentReference = nullptr;
    const double* rippleCurrentAtTemperature = nullptr;

    int dclCount = 0;
    const double* dclTime = nullptr;
    const double* dclTypical = nullptr;
    const double* dclAtConditions = nullptr;
    const double* dclLimit = nullptr;
    double dclFactor = 1.0;
    int dclVoltagePercent = 100;
    int dclTemperature = 25;
};

// True when `t` is 25 °C within 1e-8.
bool IsAt25(double t);

// The fill source that views the arrays of the main frame's working state.
GraphFillSource MakeFillSource(const CWorkingState& state);

// The fill of a graph of `kind` from `source`. Legend names and notes come from `strings`
// (34050 to 34052, 34054). Without a current capacitor the fill holds texts but no curves.
GraphFill ComposeGraphFill(GraphKind kind, const GraphFillSource& source,
                           const IStringTable& strings);
