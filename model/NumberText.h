#pragma once

#include <string>

// Numbers as text for files that other programs read (netlists, CSV, JSON): always with a
// decimal point, whatever the process locale.

// The shortest text that reads back as exactly `value` ("0.1", "1e-06", "nan", "inf").
std::string ShortestNumber(double value);

// Appends ShortestNumber(value) to `text` without a temporary string.
void AppendShortestNumber(std::string& text, double value);

// `value` with at most `significant` significant digits, %g style ("9.832e-03" is written
// "0.009832").
std::string RoundedNumber(double value, int significant);
