#include "Pick.h"

#include <cmath>

void RoundedYRange(const AxisRange& yRange, int plotHeight, double& low, double& high) {
    int divisions = WantedDivisions(plotHeight - 80);
    NiceScale(divisions, yRange.minimum, yRange.maximum, low, high, false);
}

double PickYValue(const AxisRange& yRange, int plotHeight, int ys) {
    const double span = plotHeight - 80;
    const double d = (plotHeight - kPlotBottomMargin) - ys; // height above the x axis line
    if (span <= 0)
        return yRange.logarithmic ? 1.0 : yRange.minimum;
    if (yRange.logarithmic) {
        int lo = 0;
        int hi = 1;
        DecadeEnds(yRange.minimum, yRange.maximum, lo, hi);
        return std::pow(10.0, d / span * (hi - lo) + lo);
    }
    double low = 0.0;
    double high = 0.0;
    RoundedYRange(yRange, plotHeight, low, high);
    return d / span * (high - low) + low;
}

int PickAt(const PickContext& context, int x, int y, int& curve, double& xValue, bool dragging) {
    if (!dragging)
        curve = 0;
    xValue = 0.0;
    if (context.count < 2 || context.xValues == nullptr)
        return PickMiss;
    const BoxRect& plot = context.plot;
    if (x < plot.left || x > plot.right || y < plot.top || y >= plot.bottom)
        return PickMiss;

    // The area the plot was laid out in: the right frame line is one unit left of plot.right.
    const int width = plot.right + 39;
    const int plotHeight = plot.bottom + kPlotBottomMargin;
    const double xSpan = width - 100;
    if (xSpan <= 0)
        return PickMiss;
    if (context.x.logarithmic) {
        int lo = 0;
        int hi = 1;
        DecadeEnds(context.x.minimum, context.x.maximum, lo, hi);
        xValue = std::pow(10.0, (x - kPlotLeft) / xSpan * (hi - lo) + lo);
    } else {
        xValue =
            (x - kPlotLeft) / xSpan * (context.x.maximum - context.x.minimum) + context.x.minimum;
    }
    const double yValue = PickYValue(context.y, plotHeight, y);

    // The segment that holds xValue, else the last point.
    int i = context.count - 1;
    for (int j = 0; j <= context.count - 2; ++j) {
        if (context.xValues[j] <= xValue && xValue < context.xValues[j + 1]) {
            i = j;
            break;
        }
    }

    if (!dragging) {
        double best = 1e20;
        int bestCurve = 0;
        for (int k = 0; k < 4; ++k) {
            const double* c = context.curves[k];
            double distance = 1e20;
            if (c != nullptr) {
                if (context.y.logarithmic) {
                    // A value without a logarithm is as far as an absent curve.
                    if (c[i] > 0.0 && yValue > 0.0)
                        distance = std::fabs(std::log(c[i]) - std::log(yValue));
                } else {
                    distance = std::fabs(c[i] - yValue);
                }
            }
            if (distance < best) {
                best = distance;
                bestCurve = k;
            }
        }
        curve = bestCurve;
    }
    return PickHit;
}
