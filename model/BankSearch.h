#pragma once

#include <cstddef>
#include <utility>
#include <vector>

struct CapacitorRecord;

// Decoupling banks against an impedance mask: the mixes of up to K distinct part types and N
// parts in all, each part with the inductance and resistance of its mounting, optionally in
// parallel with the converter's output (a series R + L), whose impedance
//   |Z(f)| = 1 / |sum_i n_i / (Z_i(f) + R_m + j w L_m) + 1 / (R_vrm + j w L_vrm)|
// stays at or under the mask at every grid point of a band, w = f x kTwoPi as everywhere in
// the computation.
//
// Banks rank by the number of parts, then the number of distinct types, then the summed case
// area, then the smallest margin to the mask (largest first), and last by their parts: the
// part numbers in text order with their counts, compared one after the other. Two different
// banks always differ there, so the order is total.

// One corner of the mask: at `frequency` the impedance may reach `impedance`. The mask joins
// its points by straight lines on log-log axes and holds flat outside its first and last.
struct MaskPoint {
    double frequency; // Hz
    double impedance; // Ω
};

constexpr int kMaxBankTypes = 3;
constexpr int kMaxBankParts = 100;

struct BankQuery {
    std::vector<MaskPoint> mask;
    double fromFrequency = 0.0; // Hz, band start (inclusive, as the grid's band rule reads it)
    double toFrequency = 0.0;   // Hz, band end
    double temperature = 25.0;  // °C
    int maxTypes = 2;           // K, 1 to kMaxBankTypes
    int maxParts = 6;           // N, 1 to kMaxBankParts

    // Mounting of every part (pads and vias): the inductance of its case when
    // `caseMountInductance` names the case (letters upper-cased), `mountInductance` otherwise.
    double mountInductance = 0.0; // H
    std::vector<std::pair<char, double>> caseMountInductance;
    double mountResistance = 0.0; // Ω

    bool converter = false;           // the converter's output in parallel with the bank
    double converterResistance = 0.0; // Ω
    double converterInductance = 0.0; // H

    size_t limit = 10;       // the best `limit` banks; 0 for every bank that meets the mask
    double timeBudget = 0.0; // s; 0 for none
    int threads = 0;         // 0: one per processor
};

enum class BankProblem {
    kBankOk,
    kMaskEmpty,
    kMaskValueNotPositive, // a frequency or an impedance not above 0, or not finite
    kMaskNotIncreasing,    // frequencies not strictly increasing
    kBandReversed,
    kBandEmpty, // no grid frequency inside the band
    kTypesOutOfRange,
    kPartsOutOfRange,
    kMountingNotValid,  // a negative or non-finite inductance or resistance
    kConverterNotValid, // negative or non-finite, or both values 0
};
BankProblem CheckBankQuery(const BankQuery& query);

// The mask's limit at `frequency`, Ω. The mask must be valid (CheckBankQuery).
double MaskLimitAt(const std::vector<MaskPoint>& mask, double frequency);

// The mounting inductance a part of `caseCode` gets in `query`, H.
double MountInductanceOf(const BankQuery& query, char caseCode);

struct BankPart {
    const CapacitorRecord* record = nullptr;
    int count = 0;
};

struct Bank {
    BankPart parts[kMaxBankTypes]; // `typeCount` used, in part-number order
    int typeCount = 0;
    int partCount = 0;
    long long area = 0;          // summed case area, in 0.01 mm^2
    double worstMargin = 0.0;    // smallest (mask - |Z|) / mask over the band, 0 to 1
    double worstFrequency = 0.0; // where it occurs, Hz
    double worstImpedance = 0.0; // |Z| there, Ω
    double worstLimit = 0.0;     // the mask there, Ω
};

// True when `a` ranks before `b`.
bool BankBefore(const Bank& a, const Bank& b);

struct BankSearchResult {
    std::vector<Bank> banks; // ranked
    bool complete = true;    // false: the time budget ran out first
    // How far the search got: every bank of fewer than `reachedParts` parts, and those of
    // `reachedParts` parts with fewer than `reachedTypes` types, have been searched. When
    // complete, the last level searched.
    int reachedParts = 0;
    int reachedTypes = 0;
    size_t candidateCount = 0; // parts that took part
    size_t leftOutCount = 0;   // parts left out (temperature, no case footprint, values)
};

// Whether a part can be in a bank at `temperature`: not above its maximum temperature, a wet
// tantalum part (QCN) only at 25 °C, a case with a footprint. The search also leaves out a
// part whose impedance is not finite somewhere in the band.
bool PartUsableInBank(const CapacitorRecord& record, double temperature);

// The best banks among `records`. The query must pass CheckBankQuery.
BankSearchResult FindBanks(const std::vector<const CapacitorRecord*>& records,
                           const BankQuery& query);

// The bank's |Z| at any frequency, Ω, computed as the search computes it at a grid point.
double BankImpedanceAt(const Bank& bank, const BankQuery& query, double frequency);

// The grid frequencies of the query's band.
std::vector<double> BankBandFrequencies(const BankQuery& query);
