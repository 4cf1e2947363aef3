#pragma once

#include <string>

class CWorkingState;

// The notice that opens the data text.
extern const char kDataTextNotice[];

// The computed numbers of the working state's current capacitor as tab-separated text, as
// "Copy Data to Clipboard" puts them on the clipboard: a header with the conditions, one
// line per frequency point at the selected temperature (frequency, |Z|, ESR, capacitance,
// DF, ripple voltage, ripple current), and the leakage current at the DCL graph's
// conditions. Lines end in "\n"; the degree sign is UTF-8. Empty when there are no
// frequency points.
std::string BuildDataText(const CWorkingState& state);
