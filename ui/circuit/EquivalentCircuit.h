#pragma once

#include <string>
#include <vector>

struct CapacitorRecord;

// The equivalent-circuit listing of one capacitor: which of the three circuit pictures fits
// its model, and one "label = value unit" line per element. Shared by the dialog and by
// `zeltacli model`; no Qt here.

// Size of the caller's buffer that FormatPrefixed writes into.
constexpr int kPrefixedBufferSize = 100;

// Engineering notation with three significant digits and a prefix letter
// (P T G M k m u n p f): 8.64e-6 -> "8.64 u", 10 -> "10 ". Magnitudes above 1e18 (and values
// that are not numbers) give "?", magnitudes below 1e-15 give "0". A null buffer is ignored.
void FormatPrefixed(char* buffer, double value);
std::string FormatPrefixed(double value);

// Dialog templates of the three circuit topologies.
enum ModelTemplate {
    kModelLadder = 181,     // six-stage RC ladder
    kModelPolymer = 182,    // QCL, QCM: two parallel RC pairs, two series-R / shunt-C stages
    kModelParallelLC = 183, // QCR: one RC pair, two stages and the L_P || R_P + C_P branch
};

// Topology of `record`'s model, from its series code (compared with its terminating zero).
ModelTemplate ModelTemplateFor(const CapacitorRecord& record);

// Picture of each template's circuit in the resource library.
int ModelBitmapFor(ModelTemplate tmpl);

struct CircuitLine {
    const char* label; // "Rs = "
    double value;      // in ohm, farad or henry
    const char* unit;  // "Ohm", "F" or "H"
};

// The element lines of `record`, in display order: the input section (Rs, Ls, Rli, Rd) and
// then the stages of its topology, labelled as in the circuit picture.
std::vector<CircuitLine> CircuitLines(const CapacitorRecord& record);

// "Rs = 10 Ohm"
std::string FormatCircuitLine(const CircuitLine& line);

// Every line followed by "\r\n", the last one too: the text of the dialog's edit box.
std::string CircuitText(const CapacitorRecord& record);

// "Equivalent circuit diagram of <part number>"
std::string CircuitTitle(const CapacitorRecord& record);
