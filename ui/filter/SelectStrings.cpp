#include "SelectStrings.h"

#include "Messages.h"

namespace {

const char* EnglishText(int id) {
    switch (id) {
    case SelectStringId::kSelectCapacitor:
        return "Select capacitor";
    case SelectStringId::kAll:
    case SelectStringId::kTechnologyAll:
        return "All";
    case SelectStringId::kMicroFarad:
        return "%g \xC2\xB5"
               "F";
    case SelectStringId::kMicroAmpere:
        return "%g \xC2\xB5"
               "A";
    case SelectStringId::kEsrHeading100k:
        return "ESR Max. @100kHz";
    case SelectStringId::kEsrHeading300k:
        return "ESR Max. @300kHz";
    case SelectStringId::kEsrHeading120:
        return "ESR Max. @120Hz";
    case SelectStringId::kTantalum:
        return "Tantalum";
    case SelectStringId::kNiobiumOxide:
        return "Niobium Oxide";
    case SelectStringId::kPolymer:
        return "Polymer";
    case SelectStringId::kWetTantalum:
        return "Wet Tantalum QCN";
    case SelectStringId::kOstrel:
        return "Ostrel QCR";
    case SelectStringId::kConformal:
        return "Conformal";
    case SelectStringId::kQaw200:
        return "QAW 200\xC2\xB0"
               "C";
    default:
        return "";
    }
}

} // namespace

std::string SelectString(const IStringTable* table, int id) {
    if (table != nullptr) {
        std::string text = table->GetString(id);
        if (!text.empty())
            return text;
    }
    return EnglishText(id);
}
