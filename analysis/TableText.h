#pragma once

#include <string>
#include <vector>

// Texts of the tables the program and zeltacli hand out: CSV (RFC 4180), JSON, and values
// with engineering prefixes. Numbers are written with a decimal point whatever the locale.

// One CSV record: fields quoted when they hold a comma, a quote, CR or LF (quotes doubled),
// ended by CR LF.
std::string CsvRecord(const std::vector<std::string>& fields);

// A JSON string literal of `text` (UTF-8 passed through, control characters escaped).
std::string JsonString(const std::string& text);
// A JSON number, or null for NaN and infinities.
std::string JsonNumber(double value);

// A value with an optional engineering prefix letter: "0.02", "20m", "10k", "1M", "4.7u".
bool ReadQuantityArgument(const std::string& text, double* value);

// `value` in engineering notation with four significant digits and `unit`: "15.2 mOhm",
// "1 MHz", "0 Ohm".
std::string EngineeringText(double value, const char* unit);
