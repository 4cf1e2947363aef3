#pragma once

#include "BankSearch.h"
#include "CliSupport.h"

#include <string>
#include <vector>

// plot --bank: one bank's |Z| over the band with its mask, drawn by plot as the impedance
// graph draws its curves.
struct BankPlot {
    std::string text; // "1 x PART + 3 x PART", as bank lists its answers
    BankQuery query;  // mask, band, temperature, mounting and converter
    Bank bank;
    std::string title;             // the bank's parts
    std::string legend;            // "bank @T°C"
    std::vector<double> frequency; // the band's grid points, Hz
    std::vector<double> impedance; // the bank's |Z|, Ohm
    std::vector<double> limit;     // the mask, Ohm
};

// Takes --bank and the options that describe the bank's surroundings out of plot's
// arguments; the others go to `rest` in their order. kExitSuccess, or the status to return
// after a message.
int ReadBankPlotArguments(const CliArguments& arguments, BankPlot& plot, CliArguments& rest);

// With the store loaded: the parts of the bank's text and its curves. kExitSuccess, or
// kExitFailure after a message.
int ComputeBankPlot(CCliSession& session, BankPlot& plot);
