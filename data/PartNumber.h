#pragma once

#include "CapacitorRecord.h"

#include <string_view>

constexpr size_t kMinPartNumberLength = 11;
constexpr size_t kMaxPartNumberLength = 16;

// Clears a record and sets the model defaults of a fresh model record: every ladder
// resistance 1 Ω (so an unused stage is a plain 1 Ω link), the rest 0, tMeasured 25 °C.
void InitModelRecord(CapacitorRecord* record);

// Fills `record` from a part number as written in the catalogue's first column: the shown
// part number with its completed suffix, and the family, series, case, tolerance,
// capacitance, rated voltage, leakage-current limit and ESR that the code carries. All other
// fields are zero, tMeasured is 25. False when the text is not a valid part number; the record
// is then only partly filled.
bool DecodePartNumber(std::string_view word, CapacitorRecord& record);

// True when `partNumber` can begin a file name inside a chosen folder: it holds no path
// separator and no "..", so "<folder>/<partNumber>ser.s2p" names a file in that folder and
// nowhere else.
bool IsSafeInFileName(std::string_view partNumber);
