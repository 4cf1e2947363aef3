#pragma once

#include <cstddef>
#include <string>

struct CapacitorRecord;
struct ModelVector;
class IMessageSink;
class IStringTable;

// Two-port Touchstone files of a capacitor at its reference temperature, referred to
// 50 Ω: the capacitor in series between the ports, or shunted from the line to ground.

constexpr int kSParameterPoints = 301; // 50 per decade, 100 Hz .. 100 MHz

// The header block of the series or shunt file, every line ending in "\n".
const char* SParameterHeader(bool shunt);

// Frequency of data line `index` (0..300): 10^(0.02 (index mod 50) + index div 50 + 2) Hz.
double SParameterFrequency(int index);

// Formats data line `index` into `buffer` (ending in "\n"); returns its length, or -1 when
// it does not fit.
int FormatSParameterLine(const CapacitorRecord& record, const ModelVector& vector, int index,
                         bool shunt, char* buffer, std::size_t size);

// `folder` + "/" (unless it already ends in one) + part number + "ser.s2p" or "shu.s2p";
// an empty folder gives the bare file name.
std::string SParameterFileName(const std::string& folder, const char* partNumber, bool shunt);

// Writes one file, replacing any existing one only once the new one is complete. On failure
// the message 34004 (cannot create) or 34053 (cannot write) goes to `sink` with the path, the
// earlier file stays as it was, and -1 is returned; 0 on success.
int WriteSParameterFile(const std::string& path, const CapacitorRecord& record, bool shunt,
                        IMessageSink& sink, const IStringTable& table);

// ---- The files at a chosen temperature ----

// The temperature a part is shown at when `temperature` is asked for, as choosing it in the
// program limits it: 25 °C for wet tantalum (QCN), the part's maximum above that.
double SParameterTemperature(const CapacitorRecord& record, double temperature);

// The comment line that opens a file at a temperature: "! <part> at <T> degC" and "\n".
std::string SParameterTemperatureComment(const CapacitorRecord& record, double temperature);

// One whole file computed with the ladder values `vector`: `comment` (may be empty), the
// header and the 301 data lines. Empty when a line could not be formatted.
std::string SParameterText(const CapacitorRecord& record, const ModelVector& vector, bool shunt,
                           const std::string& comment);

// Both files' texts at SParameterTemperature(record, temperature), each opened by its
// temperature comment; [0] the series file, [1] the shunt file.
void SParameterTextsAt(const CapacitorRecord& record, double temperature, std::string texts[2]);

// Writes the series file into `folder` and, only when that succeeded, the shunt file.
// Returns 0 when both were written. A part number that would name a file outside `folder`
// writes nothing and shows "Cannot open file" with the series file's name.
int WriteSParameterFiles(const std::string& folder, const CapacitorRecord& record,
                         IMessageSink& sink, const IStringTable& table);
