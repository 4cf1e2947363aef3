#pragma once

// The seven kinds of graph window; the main frame keeps one slot per kind.
enum GraphKind {
    KindDF = 0,
    KindESR = 1,
    KindImpedance = 2,
    KindCapacitance = 3,
    KindRippleVoltage = 4,
    KindRippleCurrent = 5,
    KindDCL = 6,
};

constexpr int kGraphKindCount = 7;
