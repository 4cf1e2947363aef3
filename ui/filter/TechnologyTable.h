#pragma once

struct CapacitorRecord;

// The rows of the technology list, in list order. Index 1 ("Tantalum") is selected when a
// dialog starts.
struct TechnologyRow {
    int stringId;              // item text
    char family;               // family letter the filter carries
    const char* const* series; // series offered after "All", in this order
    int seriesCount;
};

constexpr int kTechnologyCount = 8;
constexpr int kTechnologyAllIndex = 0;
constexpr int kTechnologyTantalumIndex = 1;
constexpr int kTechnologyQaw200Index = 6;

// Row `index`, or null outside 0..kTechnologyCount-1.
const TechnologyRow* GetTechnologyRow(int index);

// Family letter of the filter for technology `index`: N for niobium oxide and Ostrel,
// F for conformal, T for every other index.
char TechnologyFamily(int index);

// True when `record` belongs to technology `index`: the family and series condition of
// the row, and the rule that parts ending in "RJH" (200 °C parts) appear only under "All"
// and "QAW 200°C". Index 0 and indices outside the table accept every part.
bool MatchesTechnology(int index, const CapacitorRecord& record);
