#pragma once

// The sizes that values read from the catalogue and the model library may have.
//
// A number a file holds is finite and of magnitude at most kLargestValue; an element that has
// to be above zero is at least kSmallestValue. No quantity of a chip capacitor in the units
// the files use (Ω, F, H, V, µA, %, mΩ) comes anywhere near these bounds, and inside them every
// product and quotient the computations form (elements with ω up to 2π·1e8, the ladder's
// nested reciprocals, the ESR limit's stretch, percentages, ripple roots) stays inside the
// range of a double: a value a file holds never turns into an infinity or a NaN.
constexpr double kLargestValue = 1e100;
constexpr double kSmallestValue = 1e-100;

// The temperatures the model is evaluated at: the lowest selectable temperature and the
// clamp of the temperature scaling.
constexpr double kLowestModelTemperature = -55.0;
constexpr double kHighestModelTemperature = 195.0;

// Any number a file may hold: finite, |value| <= kLargestValue. Catalogue columns are such
// numbers (a rated voltage of 0, a DF of -1 are what the file says).
bool IsUsableNumber(double value);

// Resistances: above zero and of a size a part can have.
bool IsPositiveValue(double value);

// Inductances and the ladder's capacitances: 0 (a short; a capacitance the ladder evaluates
// as 1e-50 F) or up to kLargestValue.
bool IsPositiveOrZeroValue(double value);

// Smallest and largest value of the temperature scale 1 + dT (tc1 + dT tc2),
// dT = T - tMeasured, for T from `lowest` to `highest` °C.
void ScaleFactorBounds(double tc1, double tc2, double tMeasured, double lowest, double highest,
                       double& smallest, double& largest);

// A resistance measured at `tMeasured` scales with the factor above. True when it stays a
// positive value (IsPositiveValue) at every temperature from `lowest` to `highest`: one that
// falls to zero or below leaves the ESR, and the ripple limit's square root of it, undefined.
bool ResistanceStaysPositive(double value, double tc1, double tc2, double tMeasured, double lowest,
                             double highest);

// The same for a ladder capacitance: 0 stays 0 whatever its coefficients (the ladder evaluates
// it as 1e-50 F); any other value has to stay above zero and at most kLargestValue.
bool CapacitanceStaysPositive(double value, double tc1, double tc2, double tMeasured, double lowest,
                              double highest);
