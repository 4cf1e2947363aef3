#pragma once

#include <string>

class IStringTable;

// String-table ids the selection dialog reads, with the English texts used while no
// resource library is loaded (or when the loaded table lacks an entry).
namespace SelectStringId {
constexpr int kSelectCapacitor = 32801; // "Select capacitor"
constexpr int kAll = 34023;             // first item of every value list
constexpr int kMicroFarad = 34024;      // "%g µF"
constexpr int kMicroAmpere = 34025;     // "%g µA"
constexpr int kEsrHeading100k = 34027;  // "ESR Max. @100kHz"
constexpr int kEsrHeading300k = 34028;  // "ESR Max. @300kHz"
constexpr int kTechnologyAll = 34029;   // "All"
constexpr int kTantalum = 34030;        // "Tantalum"
constexpr int kNiobiumOxide = 34031;    // "Niobium Oxide"
constexpr int kPolymer = 34032;         // "Polymer"
constexpr int kWetTantalum = 34033;     // "Wet Tantalum QCN"
constexpr int kEsrHeading120 = 34034;   // "ESR Max. @120Hz"
constexpr int kOstrel = 34035;          // "Ostrel QCR"
constexpr int kConformal = 34037;       // "Conformal"
constexpr int kQaw200 = 34038;          // "QAW 200°C"
} // namespace SelectStringId

// The text of `id` from `table`, or the built-in English text when `table` is null or has
// no entry. Unknown ids give an empty text.
std::string SelectString(const IStringTable* table, int id);
