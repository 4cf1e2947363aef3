#pragma once

#include <string>

class IStringTable;
struct CapacitorRecord;

// The texts of the details area under the capacitor list, one per detail control, and the
// heading of the ESR detail.
struct SelectDetails {
    std::string partNumber;  // control 1010
    std::string caseSize;    // 1011: the case letter alone
    std::string capacitance; // 1012
    std::string voltage;     // 1013
    std::string dclMax;      // 1014
    std::string dfMax;       // 1015
    std::string esrMax;      // 1016
    std::string esl;         // 1017
    std::string esrHeading;  // 1046
};

// Details of `record`; a null record gives empty texts and the 100 kHz ESR heading.
SelectDetails FormatDetails(const CapacitorRecord* record, const IStringTable* strings);

// Series picture (bitmap id) of `series`, compared exactly; 0 for a series without one,
// which leaves the shown picture unchanged.
int SeriesPictureId(const char* series);
// Picture shown without a selected part: the chosen series' picture (compared without regard
// to case), or with series "All" (empty text) the picture of technology `technology`.
int FilterPictureId(const std::string& series, int technology);

// The 25 series pictures in the order they are loaded.
constexpr int kSeriesPictureCount = 25;
extern const int kSeriesPictureLoadOrder[kSeriesPictureCount];
