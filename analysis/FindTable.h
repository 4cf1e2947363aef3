#pragma once

#include "ImpedanceSearch.h"

#include <string>
#include <vector>

// The answer of a target-impedance search as the find dialog and zeltacli find show it.

// "|Z|/n <= 20 mOhm from 100 kHz to 1 MHz at 25 °C with n <= 10 ...".
std::string FindQueryText(const ImpedanceQuery& query);

// The column headings (n, max |Z|/n, at, part number, capacitance, voltage, case, series, and
// with a ripple constraint n x ripple) and one match's cells in the same order, as text.
std::vector<std::string> FindTableHeadings(const ImpedanceQuery& query);
std::vector<std::string> FindTableCells(const ImpedanceMatch& match, const ImpedanceQuery& query);

// The rows as an aligned text table under a "# query" line, as CSV (numbers in full, units in
// the headings) and as JSON.
std::string FindTextTable(const std::vector<ImpedanceMatch>& rows, const ImpedanceQuery& query);
std::string FindCsvTable(const std::vector<ImpedanceMatch>& rows, const ImpedanceQuery& query);
std::string FindJsonTable(const std::vector<ImpedanceMatch>& rows, const ImpedanceQuery& query);
