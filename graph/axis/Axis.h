#pragma once

#include "OffScale.h"

#include <string>

// Axis arithmetic of the graph view: scales, tick positions, value labels and the mapping
// between data units and drawing units. No toolkit types, so it is tested without painting.
//
// Geometry is in logical units (one unit per pixel on screen), y grows downwards. W is the
// width of the drawing area and Hp (H') its height less the rows of text under the plot. The
// plot spans x = 60 .. W - 40 and y = 40 .. Hp - 40.

// Margins of the plot inside the drawing area.
constexpr int kPlotLeft = 60;
constexpr int kPlotTop = 40;
constexpr int kPlotRightMargin = 40;  // the right frame line is at W - 40
constexpr int kPlotBottomMargin = 40; // the x axis line is at Hp - 40
constexpr int kTextLineHeight = 15;   // room reserved per text line under the plot

// The smallest area the view draws into.
constexpr int kMinDrawWidth = 120;
constexpr int kMinPlotHeight = 100;

struct AxisRange {
    double minimum = 0.0;
    double maximum = 0.0;
    bool logarithmic = false;
};

// Engineering notation with four significant digits and a prefix letter out of
// P T G M k m u n p f: 100 -> "100 ", 1000 -> "1 k", 0.0047 -> "4.7 m". The prefix is chosen
// before rounding, so 999.95 gives "1000 ". |v| > 1e18 (and NaN) gives "?", |v| < 1e-15 "0".
std::string FormatSI(double value);

// Rounded linear scale. `count` comes in as the wanted number of divisions and goes out as
// the used one. With keepRange the data range stays and only the count is adjusted so that the
// whole-number span divides evenly.
void NiceScale(int& count, double low, double high, double& outLow, double& outHigh,
               bool keepRange);

// Positions of 2, 3, ..., 9 inside a decade that is decadeLength + 1 units long:
// offsets[i] = (int)((decadeLength + 1) * log10(i + 2)).
void MinorTickOffsets(int decadeLength, int offsets[8]);

// Decade ends of a logarithmic axis: lo = floor(log10(minimum)), hi = ceil(log10(maximum)).
// A minimum or maximum that is zero, negative or not finite counts as 1.0, and the axis
// always spans at least one decade (hi >= lo + 1).
void DecadeEnds(double minimum, double maximum, int& lo, int& hi);

// A minimum or maximum of exactly zero (or below, which has no logarithm) becomes 1.0 on a
// logarithmic axis; this is stored back into the range.
void ReplaceZeroEnds(AxisRange& range);

// Data value -> drawing units. XToPixel counts from the left edge of the area, YToPixel from
// the bottom of the plot height (the drawing uses Hp - result). On a linear axis values at or
// beyond +-kOffScale land on the range ends; a value without a logarithm lands on the low end
// of a logarithmic axis, and an empty linear range maps everything to the middle.
int XToPixel(double x, AxisRange& range, int width);
int YToPixel(double y, const AxisRange& range, int plotHeight);
// The same mappings before the truncation: positions between drawing units, for surfaces with
// more than one device pixel per unit.
double XToUnitsExact(double x, AxisRange& range, int width);
double YToUnitsExact(double y, const AxisRange& range, int plotHeight);

// Number of divisions wanted along `length` units of axis: one per 50 units, at least one.
int WantedDivisions(int length);

// Label step of a logarithmic x axis: 1, or the smallest power of two s >= 2 with
// decades / s <= n.
int XLabelStep(int decades, int n);
// Label step of a logarithmic y axis: c doubles from 1 until decades / c <= n; the step is
// c / 2, at least 1, so a y axis labels twice as densely as an x axis.
int YLabelStep(int decades, int n);

// Lines a text of width cx takes under a plot W units wide: 0 for an empty text, 1, 2 or 3,
// and 0 when even three lines do not fit (the text is then dropped).
int TextLineCount(int cx, int width);

// Breaks `text` into `lines` lines: for i = 1 .. lines - 1 the first blank at or after
// position length * i / lines + 5 becomes a line break.
std::string BreakIntoLines(const std::string& text, int lines);

// A caption "V_ripple_ [V]" splits into "V", "ripple" (drawn as subscript) and " [V]".
struct SubscriptParts {
    std::string prefix;
    std::string subscript;
    std::string rest;
    bool hasSubscript = false;
};
SubscriptParts SplitSubscript(const std::string& text);

// The legend box for `count` entries whose widest name is `nameWidth` wide.
enum LegendPosition {
    LegendTopLeft = 0,
    LegendBottomLeft = 1,
    LegendTopRight = 2,
    LegendBottomRight = 3,
};
struct BoxRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};
// Whether the legend fits: nameWidth + 30 < W / 2, 16 count + 5 < (Hp - 80) / 2, count > 0.
bool LegendFits(int nameWidth, int count, int width, int plotHeight);
BoxRect LegendRect(int position, int nameWidth, int count, int width, int plotHeight);
