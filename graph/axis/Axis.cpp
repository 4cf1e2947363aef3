#include "Axis.h"

#include <cmath>
#include <cstdio>
#include <limits>

namespace {

struct Prefix {
    double threshold;
    char letter; // '\0': no prefix
};

const Prefix kPrefixes[] = {
    {1e15, 'P'}, {1e12, 'T'}, {1e9, 'G'},  {1e6, 'M'},   {1e3, 'k'},   {1.0, '\0'},
    {1e-3, 'm'}, {1e-6, 'u'}, {1e-9, 'n'}, {1e-12, 'p'}, {1e-15, 'f'},
};

// A drawing coordinate before its truncation. Values far outside any surface are clamped so the
// conversion stays defined; a NaN lands on `fallback`.
double ClampUnits(double v, int fallback) {
    if (std::isnan(v))
        return fallback;
    constexpr double kLimit = 1e7;
    if (v > kLimit)
        v = kLimit;
    if (v < -kLimit)
        v = -kLimit;
    return v;
}

// Linear mapping of v from [minimum, maximum] onto span units starting at offset.
double MapLinear(double v, double minimum, double maximum, int span, int offset) {
    if (v >= kOffScale)
        v = maximum;
    if (v <= -kOffScale)
        v = minimum;
    const double range = maximum - minimum;
    if (!(range != 0.0) || !std::isfinite(range))
        return offset + span / 2.0;
    return (v - minimum) / range * span + offset;
}

// Logarithmic mapping of v over the decades of [minimum, maximum].
double MapLog(double v, double minimum, double maximum, int span, int offset) {
    int lo = 0;
    int hi = 1;
    DecadeEnds(minimum, maximum, lo, hi);
    if (!(v > 0.0))
        return offset;
    return (std::log10(v) - lo) / (hi - lo) * span + offset;
}

int ClampedDecade(double v, bool up) {
    if (!(v > 0.0) || !std::isfinite(v))
        v = 1.0;
    const double l = up ? std::ceil(std::log10(v)) : std::floor(std::log10(v));
    // Doubles reach 1e308 at most; the clamp only keeps the conversion defined.
    if (l > 400)
        return 400;
    if (l < -400)
        return -400;
    return static_cast<int>(l);
}

} // namespace

std::string FormatSI(double value) {
    const double magnitude = std::fabs(value);
    if (magnitude > 1e18 || std::isnan(value))
        return "?";
    for (const Prefix& p : kPrefixes) {
        if (p.threshold <= magnitude) {
            char buffer[64];
            if (p.letter == '\0')
                std::snprintf(buffer, sizeof buffer, "%.4g ", value / p.threshold);
            else
                std::snprintf(buffer, sizeof buffer, "%.4g %c", value / p.threshold, p.letter);
            return buffer;
        }
    }
    return "0";
}

void NiceScale(int& count, double low, double high, double& outLow, double& outHigh,
               bool keepRange) {
    if (count < 1)
        count = 1;
    double first = low;
    double last = high;
    if (!std::isfinite(first) || !std::isfinite(last)) {
        first = 0.0;
        last = 1.0;
    }
    if (first == last) {
        // An empty range has no step; scale around it as if it spanned its own decade.
        const double unit =
            first != 0.0 ? std::pow(10.0, std::floor(std::log10(std::fabs(first)))) : 1.0;
        first -= unit;
        last += unit;
    }

    // step = ceil(mantissa) * magnitude of (high - low) / count: 1, 2, ... or 10 times a power
    // of ten.
    const double t = std::log10(std::fabs(last - first) / count);
    const double mantissa = std::pow(10.0, t - std::floor(t));
    const double magnitude = std::pow(10.0, std::floor(t));
    const double step = std::ceil(mantissa) * magnitude;

    // Each end moves one whole step beyond the multiple of the step between it and zero
    // (fmod keeps the sign of its first operand).
    double lower = first - std::fmod(first, step) - step;
    const double upper = last - std::fmod(last, step) + step;
    double divisions = std::floor((upper - lower) / step + 0.5);
    if (!(divisions >= 1.0) || divisions > 1e6)
        divisions = 1.0;
    int n = static_cast<int>(divisions);

    // Drop the first division while its tick is still below the data; the top stays.
    if (n > 1 && lower + (upper - lower) / n < first) {
        lower = lower + (upper - lower) / n;
        --n;
    }

    if (!keepRange) {
        outLow = lower;
        outHigh = upper;
        count = n;
        return;
    }

    outLow = low;
    outHigh = high;
    // Keep the data range and look for a count that divides its whole-number span evenly.
    double spanValue = high - low + 0.5;
    if (!(spanValue >= 0.0))
        spanValue = 0.0;
    if (spanValue > std::numeric_limits<int>::max())
        spanValue = std::numeric_limits<int>::max();
    const int span = static_cast<int>(spanValue);
    while (n > 2) {
        const int per = span / n;
        // A span shorter than the count has no whole-number division of this count.
        if (per > 0 && span % per == 0 && n * per == span)
            break;
        --n;
    }
    count = n;
}

void MinorTickOffsets(int decadeLength, int offsets[8]) {
    for (int i = 0; i < 8; ++i)
        offsets[i] = static_cast<int>((decadeLength + 1) * std::log10(static_cast<double>(i + 2)));
}

void DecadeEnds(double minimum, double maximum, int& lo, int& hi) {
    lo = ClampedDecade(minimum, false);
    hi = ClampedDecade(maximum, true);
    if (hi <= lo)
        hi = lo + 1;
}

void ReplaceZeroEnds(AxisRange& range) {
    if (!(range.minimum > 0.0))
        range.minimum = 1.0;
    if (!(range.maximum > 0.0))
        range.maximum = 1.0;
}

double XToUnitsExact(double x, AxisRange& range, int width) {
    const int span = width - 100;
    if (range.logarithmic) {
        ReplaceZeroEnds(range);
        return ClampUnits(MapLog(x, range.minimum, range.maximum, span, kPlotLeft), kPlotLeft);
    }
    return ClampUnits(MapLinear(x, range.minimum, range.maximum, span, kPlotLeft), kPlotLeft);
}

double YToUnitsExact(double y, const AxisRange& range, int plotHeight) {
    const int span = plotHeight - 80;
    if (range.logarithmic)
        return ClampUnits(MapLog(y, range.minimum, range.maximum, span, kPlotTop), kPlotTop);
    return ClampUnits(MapLinear(y, range.minimum, range.maximum, span, kPlotTop), kPlotTop);
}

// The drawing coordinate is the exact position truncated.
int XToPixel(double x, AxisRange& range, int width) {
    return static_cast<int>(XToUnitsExact(x, range, width));
}

int YToPixel(double y, const AxisRange& range, int plotHeight) {
    return static_cast<int>(YToUnitsExact(y, range, plotHeight));
}

int WantedDivisions(int length) {
    const int n = length / 50;
    return n < 1 ? 1 : n;
}

int XLabelStep(int decades, int n) {
    if (n < 1)
        n = 1;
    if (decades <= n)
        return 1;
    int s = 2;
    while (decades / s > n)
        s *= 2;
    return s;
}

int YLabelStep(int decades, int n) {
    if (n < 1)
        n = 1;
    int c = 1;
    if (decades > n) {
        while (decades / c > n)
            c *= 2;
    }
    const int step = c / 2;
    return step < 1 ? 1 : step;
}

int TextLineCount(int cx, int width) {
    if (cx <= 0)
        return 0;
    if (cx + 40 <= width)
        return 1;
    if (cx / 2 + 50 <= width)
        return 2;
    if (cx / 3 + 60 <= width)
        return 3;
    return 0;
}

std::string BreakIntoLines(const std::string& text, int lines) {
    std::string out = text;
    const std::size_t length = out.size();
    for (int i = 1; i < lines; ++i) {
        const std::size_t from = length * static_cast<std::size_t>(i) / lines + 5;
        if (from >= length)
            continue;
        const std::size_t blank = out.find(' ', from);
        if (blank != std::string::npos)
            out[blank] = '\n';
    }
    return out;
}

SubscriptParts SplitSubscript(const std::string& text) {
    SubscriptParts parts;
    const std::size_t open = text.find('_');
    if (open == std::string::npos) {
        parts.prefix = text;
        return parts;
    }
    parts.hasSubscript = true;
    parts.prefix = text.substr(0, open);
    const std::size_t close = text.find('_', open + 1);
    if (close == std::string::npos) {
        parts.subscript = text.substr(open + 1);
        return parts;
    }
    parts.subscript = text.substr(open + 1, close - open - 1);
    parts.rest = text.substr(close + 1);
    return parts;
}

bool LegendFits(int nameWidth, int count, int width, int plotHeight) {
    return nameWidth + 30 < width / 2 && count * 16 + 5 < (plotHeight - 80) / 2 && count > 0;
}

BoxRect LegendRect(int position, int nameWidth, int count, int width, int plotHeight) {
    const int w = nameWidth;
    const int k = count;
    switch (position) {
    case LegendBottomLeft:
        return {66, plotHeight - 16 * k - 45, w + 96, plotHeight - 45};
    case LegendTopRight:
        return {width - w - 75, 46, width - 45, 16 * k + 46};
    case LegendBottomRight:
        return {width - w - 75, plotHeight - 16 * k - 45, width - 45, plotHeight - 45};
    case LegendTopLeft:
    default:
        return {66, 46, w + 96, 16 * k + 46};
    }
}
