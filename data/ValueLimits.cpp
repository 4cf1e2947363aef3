#include "ValueLimits.h"

#include <algorithm>
#include <cmath>

bool IsUsableNumber(double value) {
    return std::fabs(value) <= kLargestValue; // false for NaN too
}

bool IsPositiveValue(double value) {
    return value >= kSmallestValue && value <= kLargestValue;
}

bool IsPositiveOrZeroValue(double value) {
    return value == 0.0 || (value > 0.0 && value <= kLargestValue);
}

void ScaleFactorBounds(double tc1, double tc2, double tMeasured, double lowest, double highest,
                       double& smallest, double& largest) {
    // The scale is a parabola in dT: its extremes lie at the ends of the range and at the
    // vertex when that falls inside.
    const double low = lowest - tMeasured;
    const double high = highest - tMeasured;
    const auto factor = [&](double dT) { return 1.0 + dT * (tc1 + dT * tc2); };
    smallest = std::min(factor(low), factor(high));
    largest = std::max(factor(low), factor(high));
    if (tc2 != 0.0) {
        const double vertex = -tc1 / (2.0 * tc2);
        if (vertex > low && vertex < high) {
            smallest = std::min(smallest, factor(vertex));
            largest = std::max(largest, factor(vertex));
        }
    }
}

bool ResistanceStaysPositive(double value, double tc1, double tc2, double tMeasured, double lowest,
                             double highest) {
    if (!IsPositiveValue(value))
        return false;
    double smallest = 0.0, largest = 0.0;
    ScaleFactorBounds(tc1, tc2, tMeasured, lowest, highest, smallest, largest);
    return smallest > 0.0 && IsPositiveValue(value * smallest) && IsPositiveValue(value * largest);
}

bool CapacitanceStaysPositive(double value, double tc1, double tc2, double tMeasured, double lowest,
                              double highest) {
    if (value == 0.0)
        return true;
    if (!IsPositiveOrZeroValue(value))
        return false;
    double smallest = 0.0, largest = 0.0;
    ScaleFactorBounds(tc1, tc2, tMeasured, lowest, highest, smallest, largest);
    return smallest > 0.0 && value * largest <= kLargestValue;
}
