#pragma once

#include "CapacitorRecord.h"
#include "ProductTables.h"

#include <string>
#include <vector>

// One sub-circuit of the library: a rating (and for ESR-coded series an ESR grade) of a
// series. Its catalogue parts are the tolerances and packagings of that rating.
struct ProductModel {
    const ProductSeries* series = nullptr;
    char caseCode = 0;
    int mantissa = 0; // capacitance code: mantissa × 10^exponent pF
    int exponent = 0;
    double volts = 0.0;
    double capacitance = 0.0;       // µF
    double esrMax = 0.0;            // catalogue ESR limit, mΩ, also where the catalogue omits it
    bool lowEsrGrade = false;       // second, lower ESR grade of an ESR-coded rating
    bool rated200 = false;          // QAW part of the 200 °C technology
    bool rated125 = false;          // QCL rating qualified to 125 °C
    bool twentyPercentOnly = false; // a rating of a K and M series sold in 20 % only
    std::string name;               // sub-circuit name, tolerance letter K
    CapacitorRecord record{};       // catalogue values and, after the design, the model values
    double dfAt120 = 0.0;           // model DF at 120 Hz
    double dfMax = 0.0;             // catalogue DF limit, %
    double dclMax = 0.0;            // catalogue leakage limit, µA
};

// What column of a catalogue line holds.
enum class ColumnValue {
    Value,   // the number
    Dash,    // a placeholder: the value is not guaranteed
    Omitted, // the line ends before this column
};

struct ProductPart {
    std::string code;    // column 1 as written
    std::string shown;   // the part number the program shows (suffix completed)
    std::string library; // column 2
    int model = -1;      // index into the model list
    char tolerance = 'K';
    ColumnValue df = ColumnValue::Value;
    ColumnValue esr = ColumnValue::Value;
};

struct ProductRange {
    std::vector<ProductModel> models;
    std::vector<ProductPart> parts;
    std::vector<std::string> qaw200Parts; // part numbers rated to 200 °C
    std::vector<std::string> qcl125Parts; // QCL part numbers rated to 125 °C
};

// Chooses the ratings of every series and builds the models' catalogue values and the parts.
// Returns false with a message on stderr when a series cannot fill its quota.
bool BuildProductRange(ProductRange& range);

// Catalogue DF limit and leakage limit once the model's DF at 120 Hz is known.
void SetCatalogueLimits(ProductModel& model);

// The part number the program shows for a code as written in the catalogue.
std::string CompleteSuffix(const std::string& code);
