#pragma once

// Part numbers rated above their series' usual upper temperature. Compared exactly, the
// whole text.
extern const char* const kQaw200PartNumbers[2];  // QAW parts rated to 200 °C
extern const char* const kQcl125PartNumbers[25]; // QCL parts rated to 125 °C

// True when `partNumber` is one of the list's entries.
bool IsQaw200Part(const char* partNumber);
bool IsQcl125Part(const char* partNumber);
