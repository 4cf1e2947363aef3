#pragma once

#include "Axis.h"

// What a mouse pick needs to know about the last drawing and the data.
struct PickContext {
    BoxRect plot;  // (60, 40, W - 39, Hp - 40) of the last drawing
    AxisRange x;   // data range of x (a linear x axis keeps it while drawing)
    AxisRange y;   // data range over all curves, before rounding
    int count = 0; // points per array
    const double* xValues = nullptr;
    const double* curves[4] = {nullptr, nullptr, nullptr, nullptr};
};

enum PickResult { PickHit = 0, PickMiss = 1 };

// The hit test and the values under the pointer. The point must lie inside the plot with the
// right edge included and the bottom edge (the x axis line) excluded. On a hit xValue is the
// x under the pointer and, unless dragging, curve is the index of the curve nearest to the
// pointer at the segment that holds xValue (the lowest index on ties). When not dragging the
// curve starts at 0; xValue is 0 on a miss.
int PickAt(const PickContext& context, int x, int y, int& curve, double& xValue, bool dragging);

// The value under drawing row `ys` (from the top of the area) of a plot Hp high, on the axis
// as the drawing scales it: decades on a logarithmic axis, the rounded range on a linear one.
double PickYValue(const AxisRange& yRange, int plotHeight, int ys);

// Rounded range of a linear y axis Hp high, as the drawing computes it.
void RoundedYRange(const AxisRange& yRange, int plotHeight, double& low, double& high);
