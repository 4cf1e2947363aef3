#pragma once

#include "CapacitorRecord.h"

#include <cstring>

// Small in-memory capacitors for the graph-window and main-frame tests: a six-stage ladder
// (four elements for QCL/QCM) with temperature coefficients, so the curves at another
// temperature differ from the reference ones, and catalogue limits well above the model's own
// values, so the ESR and leakage limit curves exist.
inline CapacitorRecord MakeTestRecord(const char* partNumber, const char* series, char family,
                                      char caseCode, double capacitance, double ratedVoltage,
                                      double esrMaxMilliohm = 3000.0, double dclMax = 1.6) {
    CapacitorRecord r;
    std::memset(&r, 0, sizeof r);
    std::strncpy(r.partNumber, partNumber, sizeof r.partNumber - 1);
    std::strncpy(r.libraryName, partNumber, 11);
    r.family = family;
    std::strncpy(r.series, series, 3);
    r.caseCode = caseCode;
    r.capacitance = capacitance;
    r.tolerance = 'K';
    r.ratedVoltage = ratedVoltage;
    r.esrMax = esrMaxMilliohm;
    r.dfMax = 6.0;
    r.dclMax = dclMax;
    r.lesl = 1.8e-9;
    r.rels = 10.0;
    r.rp = 2.5e7;
    for (int k = 0; k < 6; ++k) {
        r.ladderR[k] = 0.01 * (k + 1);
        r.ladderC[k] = capacitance * 1e-6 / 6.0 * (k + 1) / 3.5;
        r.ladderRTc[k] = {-1.5e-3 - 1e-3 * k, 1.5e-6 + 1e-6 * k};
        r.ladderCTc[k] = {1e-3 * (k + 1), -1e-5 * (k + 1)};
    }
    r.tMeasured = 25.0;
    return r;
}
