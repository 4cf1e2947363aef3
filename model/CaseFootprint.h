#pragma once

// The board footprint of the catalogue's case codes: the EIA metric size "LLWW-HH" of each
// case gives its body length and width in tenths of a millimetre.

struct CaseFootprint {
    char code;       // case letter or digit as the catalogue writes it
    const char* eia; // "3216-18": 3.2 mm x 1.6 mm, 1.8 mm high
    double length;   // mm
    double width;    // mm
};

// The footprint of `caseCode` (a lower-case letter is read as its upper case); null for a
// code the catalogue does not use.
const CaseFootprint* FindCaseFootprint(char caseCode);

// Length x width of the case, mm^2; 0 for a code without a footprint.
double CaseFootprintArea(char caseCode);
