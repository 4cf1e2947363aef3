#include "ProductTables.h"

#include <cstdio>
#include <cstdlib>

using T = Technology;
using L = CodeLayout;

const std::vector<CaseSize>& CaseSizes() {
    // Smallest to largest. ESL and the loss resistance follow the termination length; the
    // CV a case holds follows the anode volume.
    static const std::vector<CaseSize> kCases = {
        //  code  size        cvMax    esrK    poly  ESL   Rels
        {'K', "1005-06", 10.0, 15000.0, 200.0, 0.35, 30.0},
        {'L', "1608-08", 40.0, 13000.0, 150.0, 0.45, 25.0},
        {'U', "1608-10", 60.0, 13500.0, 150.0, 0.50, 24.0},
        {'N', "2012-09", 90.0, 12000.0, 120.0, 0.55, 22.0},
        {'R', "2012-12", 140.0, 11000.0, 110.0, 0.60, 20.0},
        {'P', "2012-15", 200.0, 10000.0, 100.0, 0.65, 18.0},
        {'S', "3216-12", 200.0, 11000.0, 100.0, 0.80, 16.0},
        {'A', "3216-18", 470.0, 9500.0, 90.0, 1.10, 14.0},
        {'T', "3528-12", 450.0, 8000.0, 70.0, 1.20, 13.0},
        {'B', "3528-21", 1000.0, 6300.0, 60.0, 1.40, 12.0},
        {'W', "6032-15", 1000.0, 6000.0, 55.0, 1.50, 11.0},
        {'C', "6032-28", 2400.0, 5500.0, 45.0, 1.80, 10.0},
        {'F', "5846-30", 2800.0, 5800.0, 40.0, 1.90, 10.0},
        {'X', "7343-15", 2200.0, 5500.0, 35.0, 1.90, 9.0},
        {'Y', "7343-20", 3300.0, 5200.0, 30.0, 2.00, 9.0},
        {'D', "7343-31", 6300.0, 5000.0, 25.0, 2.20, 8.0},
        {'E', "7343-43", 10000.0, 4450.0, 18.0, 2.40, 7.0},
        {'V', "7361-38", 15000.0, 3800.0, 15.0, 2.60, 6.0},
        {'6', "7360-45", 16000.0, 3500.0, 15.0, 2.80, 6.0},
    };
    return kCases;
}

const CaseSize& CaseOf(char code) {
    for (const CaseSize& c : CaseSizes()) {
        if (c.code == code)
            return c;
    }
    std::fprintf(stderr, "productgen: unknown case %c\n", code);
    std::exit(2);
}

const std::vector<ProductSeries>& ProductSeriesTable() {
    const std::vector<double> vStd = {4, 6.3, 10, 16, 20, 25, 35, 50};
    const std::vector<double> vHigh = {6.3, 10, 16, 20, 25, 35, 50};
    const std::vector<double> vLow = {4, 6.3, 10, 16, 20, 25, 35};
    const std::vector<double> vMicro = {2.5, 4, 6.3, 10, 16, 20, 25};
    const std::vector<double> vNbO = {1.8, 2.5, 4, 6.3, 10};
    const std::vector<double> vPoly = {2.5, 4, 6.3, 10, 16, 20, 25, 35};
    const std::vector<double> vF = {4, 6.3, 10, 16, 20, 25, 35};
    const auto km = ToleranceSet::KAndM;
    const auto m = ToleranceSet::MOnly;
    const auto full = ColumnSet::Full;
    // clang-format off
    static const std::vector<ProductSeries> kSeries = {
        {"QAK", 'T', T::Manganese, L::SuffixR, 'R', "", "ABCDEV", vStd, 1.0, 1.0, 242, km, full, true,
         "QAK standard MnO2 chip, 125 degC"},
        {"QBH", 'T', T::Manganese, L::Plain, 'S', "", "ABCDE", {4, 6.3, 10, 16, 20}, 1.1, 0.9, 90, km, full, true,
         "QBH high CV MnO2 chip, 125 degC"},
        {"QAY", 'T', T::Manganese, L::Plain, 'T', "", "ABCDE", vHigh, 0.8, 1.2, 90, km, full, true,
         "QAY high reliability, 100 % surge tested"},
        {"QAX", 'T', T::Manganese, L::EsrCoded, 'R', "", "ABCDEVTWY", vLow, 1.0, 0.4, 240, km, ColumnSet::EsrOptional, true,
         "QAX low ESR MnO2 chip"},
        {"QAP", 'T', T::Manganese, L::Plain, 'S', "", "STWXY", {4, 6.3, 10, 16, 20, 25}, 1.0, 0.9, 60, km, full, true,
         "QAP low profile MnO2 chip"},
        {"QAT", 'T', T::Manganese, L::Plain, 'A', "", "ABCDEV", vHigh, 0.85, 1.0, 138, km, full, true,
         "QAT automotive MnO2 chip"},
        {"QAW", 'T', T::Manganese, L::SuffixR, 'R', "", "BCDEV", vHigh, 0.5, 1.1, 58, km, full, true,
         "QAW high temperature MnO2 chip, 175 degC"},
        {"QAU", 'T', T::Manganese, L::SuffixR, 'R', "", "ABCDEV", vLow, 0.9, 0.6, 80, km, full, true,
         "QAU low ESR, undertab terminations"},
        {"QAV", 'T', T::Manganese, L::Plain, 'S', "", "BCDEV", {4, 6.3, 10, 16, 20, 25}, 0.9, 0.5, 60, km, full, false,
         "QAV multianode low ESR"},
        {"QAZ", 'T', T::Manganese, L::Plain, 'W', "", "KLUNRPSA", vMicro, 1.0, 1.0, 90, km, full, true,
         "QAZ microchip"},
        {"QBM", 'T', T::Manganese, L::Plain, 'B', "", "ABCDE", vHigh, 0.7, 1.1, 55, km, full, true,
         "QBM medical grade"},
        {"QBN", 'T', T::Manganese, L::Plain, 'S', "", "BCDEV", vLow, 0.9, 0.7, 50, km, full, false,
         "QBN low ESR, extended range"},
        {"QDA", 'T', T::Manganese, L::Plain, 'T', "", "ABCD", {6.3, 10, 16, 25, 35}, 0.8, 1.3, 20, km, ColumnSet::NoDfNoEsr, true,
         "QDA standard MnO2 chip, not for new designs"},
        {"QCN", 'T', T::WetTantalum, L::Plain, 'X', "", "DEV6", {25, 50, 63, 75, 100, 125}, 1.6, 1.0, 30, km, full, false,
         "QCN wet tantalum chip, hermetic"},
        {"QCL", 'T', T::Polymer, L::EsrCoded, 'R', "", "ABCDEV", vPoly, 0.9, 1.0, 110, km, ColumnSet::EsrOptional, true,
         "QCL conductive polymer chip"},
        {"QCM", 'T', T::Polymer, L::Plain, 'S', "", "BCDEV", {2.5, 4, 6.3, 10, 16}, 1.0, 1.3, 70, m, full, true,
         "QCM conductive polymer, high CV"},
        {"QBT", 'N', T::NiobiumOxide, L::SuffixR, 'R', "", "ABCDE", vNbO, 0.55, 1.2, 100, km, full, true,
         "QBT niobium oxide chip, 105 degC"},
        {"QCJ", 'N', T::NiobiumOxide, L::Plain, 'S', "", "ABCD", {2.5, 4, 6.3, 10}, 0.5, 1.0, 45, km, full, true,
         "QCJ niobium oxide, standard"},
        {"QBZ", 'N', T::NiobiumOxide, L::Plain, 'T', "", "BCDEV", {2.5, 4, 6.3, 10}, 0.55, 0.6, 55, km, full, true,
         "QBZ niobium oxide, low ESR"},
        {"QCK", 'N', T::NiobiumOxide, L::Plain, 'S', "", "PSTW", {2.5, 4, 6.3}, 0.5, 1.2, 35, km, full, true,
         "QCK niobium oxide, low profile"},
        {"QCR", 'N', T::NiobiumPolymer, L::EsrCoded, 'R', "", "CDEV", {2.5, 4, 6.3, 10}, 0.7, 1.0, 30, m, ColumnSet::EsrOptional, false,
         "QCR niobium oxide polymer, face-down terminations"},
        {"QCT", 'F', T::Manganese, L::Conformal, 'F', "TS", "ABCDE", vF, 0.8, 1.2, 50, km, full, true,
         "QCT conformal coated, axial pads"},
        {"QCU", 'F', T::Manganese, L::Conformal, 'F', "AS", "BCDE", vF, 0.8, 1.1, 40, km, full, true,
         "QCU conformal coated, low ESR"},
        {"QCV", 'F', T::Manganese, L::Conformal, 'F', "TE", "ABCD", vF, 0.85, 1.2, 40, km, full, true,
         "QCV conformal coated, standard"},
        {"QCW", 'F', T::Manganese, L::Conformal, 'F', "SE", "CDEF", vF, 0.85, 1.1, 35, km, full, true,
         "QCW conformal coated, extended range"},
        {"QCX", 'F', T::Manganese, L::Conformal, 'F', "TN", "STW", vF, 0.9, 1.2, 35, km, full, true,
         "QCX conformal coated, low profile"},
        {"QCY", 'F', T::Manganese, L::Conformal, 'F', "AH", "BCDX", vF, 0.8, 1.2, 35, km, full, true,
         "QCY conformal coated, high reliability"},
        {"QCZ", 'F', T::Manganese, L::Conformal, 'F', "TW", "ABCDEY", vF, 0.85, 1.0, 42, km, full, true,
         "QCZ conformal coated, general purpose"},
    };
    // clang-format on
    return kSeries;
}

const char* ConformalVoltageCode(double volts) {
    struct Row {
        double volts;
        const char* code;
    };
    static const Row kRows[] = {{4, "0G"},  {6.3, "0J"}, {10, "1A"}, {16, "1C"},
                                {20, "1D"}, {25, "1E"},  {35, "1V"}};
    for (const Row& r : kRows) {
        if (r.volts == volts)
            return r.code;
    }
    return nullptr;
}

const char* VoltageDigits(double volts) {
    struct Row {
        double volts;
        const char* digits;
    };
    // The decoder reads 1, 2 and 6 as 1.8, 2.5 and 6.3 V.
    static const Row kRows[] = {{1.8, "001"}, {2.5, "002"}, {4, "004"},   {6.3, "006"}, {10, "010"},
                                {16, "016"},  {20, "020"},  {25, "025"},  {35, "035"},  {50, "050"},
                                {63, "063"},  {75, "075"},  {100, "100"}, {125, "125"}};
    for (const Row& r : kRows) {
        if (r.volts == volts)
            return r.digits;
    }
    return nullptr;
}
