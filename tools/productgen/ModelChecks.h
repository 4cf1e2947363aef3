#pragma once

#include <string>

struct ProductModel;

// Checks a designed model with the program's own frequency engine, as a measured part would
// be checked against its data sheet. Returns an empty text when the model passes, otherwise
// what it fails.
struct ModelCheck {
    std::string problems;    // empty when the model passes
    double impedanceMinimum; // Hz, where |Z| is lowest on the program's grid
};
ModelCheck CheckModel(const ProductModel& model);

// One line with the model's capacitance, ESR, |Z| and DF at 120 Hz, 100 kHz, 1 MHz and 10 MHz.
std::string CurveSummary(const ProductModel& model);
