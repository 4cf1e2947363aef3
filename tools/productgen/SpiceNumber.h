#pragma once

#include <string>

// Element values as the library prints them: "%.6e" with a three-digit exponent
// ("1.800000e-009"), the style of the maker's simulator.
std::string FormatSpiceNumber(double value);

// The value a reader gets back from FormatSpiceNumber's text, so the generator checks the
// models exactly as they are shipped.
double RoundTripSpiceNumber(double value);
