#pragma once

#include "BankSearch.h"

#include <string>
#include <utility>
#include <vector>

// The texts of zeltacli bank's mask and per-case mounting options.

// "1k:10m,100k:10m,2M:30m" (corners HZ:OHM, each value with an optional engineering prefix)
// into `mask`, in rising frequency with values above 0. False with the reason in `complaint`.
bool ReadMaskText(const std::string& text, std::vector<MaskPoint>& mask, std::string& complaint);

// "A=0.5n,D=0.8n" (case letters, each once, upper-cased; inductances from 0 H) into `cases`.
bool ReadCaseInductanceText(const std::string& text, std::vector<std::pair<char, double>>& cases,
                            std::string& complaint);
