#pragma once

// The choices of the filter lists as the catalogue pass reads them. An empty text means
// that its list does not filter.
struct SelectFilter {
    char family = 'T';    // family letter of the technology
    char series[17] = {}; // series code
    char capacitanceText[17] = {};
    double capacitance = 0; // µF
    char voltageText[17] = {};
    double voltage = 0; // V
    char caseText[17] = {};
    char toleranceText[17] = {}; // "10%" or "20%"
    char toleranceLetter = 0;    // 'K' or 'M', 0 without a tolerance
    char esrText[17] = {};
    double esr = 0; // mΩ
};
