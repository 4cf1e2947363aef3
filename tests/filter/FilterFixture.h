#pragma once

#include "CapacitorRecord.h"

#include <string>
#include <vector>

// A catalogue record made by hand: the catalogue columns only, model values zero.
CapacitorRecord MakeRecord(const char* partNumber, char family, const char* series, char caseCode,
                           double capacitance, char tolerance, double voltage, double esr = 0);

// A small catalogue in part-number order covering every technology of the list: plain
// tantalum, a 200 °C QAW part, polymer, wet tantalum, niobium oxide, Ostrel and conformal
// parts, with and without an ESR.
std::vector<CapacitorRecord> SampleCatalogue();
