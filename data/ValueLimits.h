#pragma once

// The sizes that values read from the catalogue and the model library may have.
//
// No quantity of a chip capacitor in the units the files use (Ω, F, H, V, µA, %, mΩ) comes
// near 1e30, nor, when it is not zero, near 1e-30. Inside these bounds every product and
// quotient the computations form (elements with ω up to 2π·1e8, the ladder's nested
// reciprocals, percentages, ripple roots) stays far inside the range of a double, so a
// value a file holds can never turn into an infinity or a NaN on a graph or in a text.
constexpr double kLargestValue = 1e30;
constexpr double kSmallestValue = 1e-30;

// The temperatures the model is evaluated at: the lowest selectable temperature and the
// clamp of the temperature scaling.
constexpr double kLowestModelTemperature = -55.0;
constexpr double kHighestModelTemperature = 195.0;

// Resistances, capacitances, rated values: above zero and of a size a part can have.
bool IsPositiveValue(double value);

// Inductances (0 is a short) and catalogue maxima (0 when unknown).
bool IsPositiveOrZeroValue(double value);

// An element of value `value` measured at `tMeasured` scales with
// 1 + dT (tc1 + dT tc2), dT = T - tMeasured. True when it stays a positive value at every
// temperature the model is evaluated at: a resistance that falls to zero or below would
// leave the ESR, and the ripple limit's square root of it, undefined.
bool StaysPositiveOverTemperature(double value, double tc1, double tc2, double tMeasured);
