#include "ValueLimits.h"

#include <algorithm>
#include <cmath>

bool IsPositiveValue(double value) {
    return value >= kSmallestValue && value <= kLargestValue;
}

bool IsPositiveOrZeroValue(double value) {
    return value == 0.0 || IsPositiveValue(value);
}

bool StaysPositiveOverTemperature(double value, double tc1, double tc2, double tMeasured) {
    if (!IsPositiveValue(value) || !(std::fabs(tc1) <= kLargestValue) ||
        !(std::fabs(tc2) <= kLargestValue))
        return false;
    // The scale factor is a parabola in dT: its extremes lie at the ends of the range and
    // at the vertex when that falls inside.
    const double low = kLowestModelTemperature - tMeasured;
    const double high = kHighestModelTemperature - tMeasured;
    const auto factor = [&](double dT) { return 1.0 + dT * (tc1 + dT * tc2); };
    double smallest = std::min(factor(low), factor(high));
    double largest = std::max(factor(low), factor(high));
    if (tc2 != 0.0) {
        const double vertex = -tc1 / (2.0 * tc2);
        if (vertex > low && vertex < high) {
            smallest = std::min(smallest, factor(vertex));
            largest = std::max(largest, factor(vertex));
        }
    }
    return smallest > 0.0 && IsPositiveValue(value * smallest) && IsPositiveValue(value * largest);
}
