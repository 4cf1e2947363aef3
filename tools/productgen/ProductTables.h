#pragma once

#include <vector>

// The maker's product range: case sizes and the series with their technology, ratings and
// part-number layout. Everything the generator writes follows from these tables.

// The construction of a series decides its ladder, its roll-off and its temperature
// behaviour.
enum class Technology {
    Manganese,      // solid tantalum with MnO2 cathode (families T and F)
    Polymer,        // tantalum with conductive polymer cathode (QCL, QCM)
    NiobiumOxide,   // niobium oxide with MnO2 cathode
    NiobiumPolymer, // niobium oxide with polymer cathode and a second terminal path (QCR)
    WetTantalum,    // wet electrolyte (QCN); ESR limit at 120 Hz
};

// How the ordering code of a series is built.
enum class CodeLayout {
    SuffixR,   // 12 characters ending in R; the program completes the suffix
    Plain,     // 12 characters ending in the series' packaging letter
    EsrCoded,  // 16 characters: packaging R and four ESR digits in milliohms
    Conformal, // family F: voltage code, capacitance, tolerance, case, two ordering letters
};

enum class ToleranceSet {
    KAndM, // both 10 % and 20 %
    MOnly, // 20 % only
};

// Which catalogue columns the maker fills for a series.
enum class ColumnSet {
    Full,        // every column; now and then a dash where a value is not guaranteed
    NoDfNoEsr,   // an older series listed with capacitance, voltage and leakage only
    EsrOptional, // ESR-coded parts: the ESR column is often left to the part number
};

struct CaseSize {
    char code;
    const char* eiaSize; // metric length-width-height code
    double cvMax;        // largest µF·V of a MnO2 anode at 10 V and below
    double esrK;         // catalogue ESR of a standard part: esrK / sqrt(C/µF) mΩ
    double polymerEsr;   // catalogue ESR of a standard polymer part, mΩ
    double leslNh;       // series inductance of the terminations, nH
    double relsOhm;      // loss resistance across the inductance, Ω
};

struct ProductSeries {
    const char* code;
    char family;
    Technology technology;
    CodeLayout layout;
    char packaging;            // position 11 of Plain codes; ordering letters of F codes
    const char* ordering;      // family F: the two ordering letters
    const char* cases;         // case letters offered
    std::vector<double> volts; // rated voltages offered
    double cvFactor;           // anode efficiency against the standard MnO2 series
    double esrFactor;          // catalogue ESR against the standard series
    int models;                // number of sub-circuits (ratings and ESR grades)
    ToleranceSet tolerances;
    ColumnSet columns;
    bool diodeLine;    // sub-circuits carry the leakage diode's model line
    const char* title; // shown in the library's comments
};

const std::vector<CaseSize>& CaseSizes();
const CaseSize& CaseOf(char code);
const std::vector<ProductSeries>& ProductSeriesTable();

// Voltage code of a family-F part number ("0J" for 6.3 V), or null.
const char* ConformalVoltageCode(double volts);

// The three voltage digits of a family T or N part number ("006" for 6.3 V).
const char* VoltageDigits(double volts);
