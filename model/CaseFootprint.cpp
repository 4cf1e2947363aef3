#include "CaseFootprint.h"

#include <cctype>

namespace {

// Smallest to largest body, as the catalogue's case-size chart draws them.
const CaseFootprint kFootprints[] = {
    {'K', "1005-06", 1.0, 0.5}, {'L', "1608-08", 1.6, 0.8}, {'U', "1608-10", 1.6, 0.8},
    {'N', "2012-09", 2.0, 1.2}, {'R', "2012-12", 2.0, 1.2}, {'P', "2012-15", 2.0, 1.2},
    {'S', "3216-12", 3.2, 1.6}, {'A', "3216-18", 3.2, 1.6}, {'T', "3528-12", 3.5, 2.8},
    {'B', "3528-21", 3.5, 2.8}, {'W', "6032-15", 6.0, 3.2}, {'C', "6032-28", 6.0, 3.2},
    {'F', "5846-30", 5.8, 4.6}, {'X', "7343-15", 7.3, 4.3}, {'Y', "7343-20", 7.3, 4.3},
    {'D', "7343-31", 7.3, 4.3}, {'E', "7343-43", 7.3, 4.3}, {'V', "7361-38", 7.3, 6.1},
    {'6', "7360-45", 7.3, 6.0},
};

} // namespace

const CaseFootprint* FindCaseFootprint(char caseCode) {
    const char code = static_cast<char>(std::toupper(static_cast<unsigned char>(caseCode)));
    for (const CaseFootprint& footprint : kFootprints) {
        if (footprint.code == code)
            return &footprint;
    }
    return nullptr;
}

double CaseFootprintArea(char caseCode) {
    const CaseFootprint* footprint = FindCaseFootprint(caseCode);
    return footprint == nullptr ? 0.0 : footprint->length * footprint->width;
}
