#pragma once

#include "CapacitorRecord.h"

#include <cstdio>
#include <cstring>

// Small capacitor records for the model tests: one per ladder shape, with the element
// values of the reference evaluations.
inline CapacitorRecord MakeRecord(const char* partNumber, const char* series, char caseCode,
                                  double capacitanceMicrofarad, double ratedVoltage) {
    CapacitorRecord r;
    std::memset(&r, 0, sizeof r);
    std::snprintf(r.partNumber, sizeof r.partNumber, "%s", partNumber);
    std::snprintf(r.libraryName, sizeof r.libraryName, "%s", partNumber);
    std::snprintf(r.series, sizeof r.series, "%s", series);
    r.family = 'T';
    r.caseCode = caseCode;
    r.capacitance = capacitanceMicrofarad;
    r.tolerance = 'K';
    r.ratedVoltage = ratedVoltage;
    r.tMeasured = 25.0;
    return r;
}

// Six-stage ladder: R1..R6 = 10, 1, 2, 3, 4, 5 Ω, C1 = 1 µF, C2..C6 = 100 nF.
inline CapacitorRecord SixStageRecord() {
    CapacitorRecord r = MakeRecord("QAKA105K010R", "QAK", 'A', 1.0, 10.0);
    const double R[6] = {10, 1, 2, 3, 4, 5};
    const double C[6] = {1e-6, 1e-7, 1e-7, 1e-7, 1e-7, 1e-7};
    for (int k = 0; k < 6; ++k) {
        r.ladderR[k] = R[k];
        r.ladderC[k] = C[k];
    }
    r.lesl = 1e-9;
    r.rels = 10;
    r.rp = 1e6;
    return r;
}

// Four-element ladder: R1..R4 = 0.1, 0.5, 0.05, 1000 Ω, C1..C4 = 1 mF, 500 µF, 50 µF, 1 µF.
inline CapacitorRecord FourElementRecord() {
    CapacitorRecord r = MakeRecord("QCLD107M010R", "QCL", 'D', 100.0, 10.0);
    const double R[4] = {0.1, 0.5, 0.05, 1000};
    const double C[4] = {1e-3, 5e-4, 5e-5, 1e-6};
    for (int k = 0; k < 4; ++k) {
        r.ladderR[k] = R[k];
        r.ladderC[k] = C[k];
    }
    r.lesl = 2e-9;
    r.rels = 10;
    r.rp = 1e6;
    return r;
}

// Three-stage ladder with parallel branch (QCR).
inline CapacitorRecord ThreeStageRecord() {
    CapacitorRecord r = MakeRecord("QCRD567M004R", "QCR", 'D', 560.0, 4.0);
    r.family = 'N';
    const double R[3] = {0.02, 0.04, 0.06};
    const double C[3] = {1.5e-2, 1.5e-4, 3.6e-4};
    for (int k = 0; k < 3; ++k) {
        r.ladderR[k] = R[k];
        r.ladderC[k] = C[k];
    }
    r.cP = 5e-5;
    r.lP = 1e-9;
    r.rP = 8e-3;
    r.lesl = 7e-10;
    r.rels = 1.5;
    r.rp = 1e5;
    return r;
}

// Gives every ladder element distinct, non-zero temperature coefficients.
inline void AddTemperatureCoefficients(CapacitorRecord& r) {
    for (int k = 0; k < 6; ++k) {
        r.ladderRTc[k] = {-2.5e-3 + 1.1e-3 * k, 1.5e-5 - 2.0e-6 * k};
        r.ladderCTc[k] = {8.0e-4 - 3.0e-4 * k, -4.0e-6 + 1.5e-6 * k};
    }
}
