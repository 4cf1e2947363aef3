#pragma once

// One capacitor: a catalogue row and a copy of its model values. The catalogue table and
// the model table are both arrays of this plain record; records never move after loading,
// so every other part of the program holds plain pointers to them.

struct TempCoefficients {
    double tc1; // 1/°C
    double tc2; // 1/°C²
};

struct CapacitorRecord {
    char partNumber[17];  // ordering code as shown, at most 16 characters
    char libraryName[17]; // sub-circuit name in the model library
    char family;          // 'T' tantalum, 'N' niobium oxide, 'F' conformal layout
    char series[4];       // three-letter series code
    char caseCode;        // case size letter
    double capacitance;   // µF
    char tolerance;       // 'K' 10 %, 'M' 20 %
    double ratedVoltage;  // V
    double esrMax;        // mΩ, 0 when unknown
    double dfMax;         // %, 0 when unknown
    double dclMax;        // µA

    // Model values (sub-circuit elements).
    double lesl;                   // H, series inductance
    double rels;                   // Ω, across the series inductance
    double rp;                     // Ω, leakage resistance
    double ladderR[6];             // Ω, R1..R6
    double ladderC[6];             // F, C1..C6
    TempCoefficients ladderRTc[6]; // RMOD1..RMOD6
    TempCoefficients ladderCTc[6]; // CMOD1..CMOD6
    double tMeasured;              // °C, always 25
    double cP;                     // F, parallel branch (network shape C)
    double lP;                     // H
    double rP;                     // Ω
};
