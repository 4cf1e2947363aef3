#include "TechnologyTable.h"

#include "CapacitorRecord.h"
#include "SelectStrings.h"

#include <cstring>

namespace {

const char* const kAllSeries[] = {"QAK", "QAP", "QAT", "QAU", "QAV", "QAW", "QAX", "QAY", "QAZ",
                                  "QBH", "QBM", "QBN", "QBT", "QBZ", "QCJ", "QCK", "QCL", "QCM",
                                  "QCN", "QCR", "QCT", "QCU", "QCV", "QCW", "QCX", "QCY", "QCZ"};
const char* const kTantalumSeries[] = {"QAK", "QAP", "QAT", "QAU", "QAV", "QAW", "QAX", "QAY",
                                       "QAZ", "QBH", "QBM", "QBN", "QCV", "QCW", "QCX", "QCZ"};
const char* const kNiobiumSeries[] = {"QBT", "QBZ", "QCJ", "QCK"};
const char* const kPolymerSeries[] = {"QCL", "QCM"};
const char* const kWetSeries[] = {"QCN"};
const char* const kOstrelSeries[] = {"QCR"};
const char* const kQaw200Series[] = {"QAW"};
const char* const kConformalSeries[] = {"QCT", "QCU", "QCY"};

template <int N> constexpr int Count(const char* const (&)[N]) {
    return N;
}

const TechnologyRow kRows[kTechnologyCount] = {
    {SelectStringId::kTechnologyAll, 'T', kAllSeries, Count(kAllSeries)},
    {SelectStringId::kTantalum, 'T', kTantalumSeries, Count(kTantalumSeries)},
    {SelectStringId::kNiobiumOxide, 'N', kNiobiumSeries, Count(kNiobiumSeries)},
    {SelectStringId::kPolymer, 'T', kPolymerSeries, Count(kPolymerSeries)},
    {SelectStringId::kWetTantalum, 'T', kWetSeries, Count(kWetSeries)},
    {SelectStringId::kOstrel, 'N', kOstrelSeries, Count(kOstrelSeries)},
    {SelectStringId::kQaw200, 'T', kQaw200Series, Count(kQaw200Series)},
    {SelectStringId::kConformal, 'F', kConformalSeries, Count(kConformalSeries)},
};

bool SeriesIs(const CapacitorRecord& record, const char* code) {
    return std::strncmp(record.series, code, sizeof record.series) == 0;
}

bool EndsInRjh(const CapacitorRecord& record) {
    size_t length = strnlen(record.partNumber, sizeof record.partNumber);
    return length >= 3 && std::memcmp(record.partNumber + length - 3, "RJH", 3) == 0;
}

} // namespace

const TechnologyRow* GetTechnologyRow(int index) {
    if (index < 0 || index >= kTechnologyCount)
        return nullptr;
    return &kRows[index];
}

char TechnologyFamily(int index) {
    if (index == 2 || index == 5)
        return 'N';
    if (index == 7)
        return 'F';
    return 'T';
}

bool MatchesTechnology(int index, const CapacitorRecord& r) {
    if (index <= kTechnologyAllIndex || index >= kTechnologyCount)
        return true;
    if (index != kTechnologyQaw200Index && EndsInRjh(r))
        return false;
    const char family = TechnologyFamily(index);
    switch (index) {
    case 1: // tantalum, including the tantalum conformal series
        if (SeriesIs(r, "QCL") || SeriesIs(r, "QCM") || SeriesIs(r, "QCN"))
            return false;
        return r.family == family || SeriesIs(r, "QCV") || SeriesIs(r, "QCW") ||
               SeriesIs(r, "QCX") || SeriesIs(r, "QCZ");
    case 2: // niobium oxide without Ostrel
        return r.family == family && !SeriesIs(r, "QCR");
    case 3: // polymer
        return r.family == family && (SeriesIs(r, "QCL") || SeriesIs(r, "QCM"));
    case 4:
        return r.family == family && SeriesIs(r, "QCN");
    case 5:
        return r.family == family && SeriesIs(r, "QCR");
    case 6: // the 200 °C parts of QAW
        return r.family == family && EndsInRjh(r);
    case 7:
        return r.family == family &&
               (SeriesIs(r, "QCT") || SeriesIs(r, "QCU") || SeriesIs(r, "QCY"));
    default:
        return true;
    }
}
