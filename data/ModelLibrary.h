#pragma once

#include "CapacitorRecord.h"
#include "Messages.h"

#include <cstdint>

// The model library: one SPICE sub-circuit per capacitor model, in one of three fixed network
// shapes chosen by the series of the sub-circuit name.
enum class NetworkShape {
    SixStageLadder,     // all other series
    FourStages,         // QCL, QCM
    ThreeStagesParallel // QCR: three stages and a C_P, L_P, R_P branch
};

NetworkShape ShapeOfSeries(const char* name);

// Element line "<element> <node1> <node2> <model> <value>": names without regard to case,
// exactly five words, the value a positive one (IsPositiveValue; a capacitance may be 0). Stores
// the value in entry `stage` of ladderC or ladderR; 0 on a match, 1 when the line does not match.
int ReadElementLine(const char* line, const char* element, int node1, int node2, const char* model,
                    bool isCapacitor, CapacitorRecord* record, int stage);

// Model line ".MODEL <model> <type> (T_MEASURED=25 TC1=<tc1> TC2=<tc2>)", compared with case,
// nothing after the parenthesis, T_MEASURED 25. Stores tc1 and tc2 in entry `stage` of ladderCTc or
// ladderRTc; 0 on a match, 1 when the line does not match.
int ReadModelLine(const char* line, const char* model, const char* type, bool isCapacitor,
                  CapacitorRecord* record, int stage);

// The temperatures a part is shown at, °C, both inclusive: its model has to give a
// computation there.
struct PartTemperatures {
    double lowest;
    double highest;
};
using PartTemperatureRule = PartTemperatures (*)(const CapacitorRecord& part);

// The first ladder element of `model` that does not stay usable when scaled to the
// temperatures of `range`: 0..5 for C1..C6, 6..11 for R1..R6; -1 when all do.
int UnusableModelStage(const CapacitorRecord& model, PartTemperatures range);

// Copies the model values (not the catalogue columns) of `model` into `record`.
void CopyModelValues(const CapacitorRecord& model, CapacitorRecord& record);

// Where the model library reads into and which catalogue it joins.
struct ModelTables {
    CapacitorRecord* models;           // room for kMaxModels
    CapacitorRecord** modelIndex;      // kMaxModels entries
    std::uint32_t& modelCount;         // appended to
    CapacitorRecord* const* catalogue; // catalogue index in part-number order
    std::uint32_t catalogueCount;
    // The temperatures of a catalogue part; null: every temperature the model is evaluated
    // at (-55 to 195 °C).
    PartTemperatureRule partTemperatures = nullptr;
};

// Reads the library at `path` into the model table. A file that ends inside a block before
// its last model line is a format error at its last line; one that lacks only the diode line
// or ".ENDS" loads. Then finds the model of every catalogue record (its library name with the
// tolerance letter K), checks that its scaled elements stay usable at the part's temperatures
// (a format error at the failing coefficient's model line otherwise; a model no part uses is
// never refused for its coefficients) and copies the values into it.
// Failures are shown through `sink`; returns 0 on success and -1 on failure.
int ReadModelLibraryFile(const char* path, ModelTables& tables, IMessageSink& sink,
                         const IStringTable& strings);
