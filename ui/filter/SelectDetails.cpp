#include "SelectDetails.h"

#include "CapacitorRecord.h"
#include "FilterList.h"
#include "SelectStrings.h"
#include "TextFormat.h"

#include <cmath>
#include <cstring>

const int kSeriesPictureLoadOrder[kSeriesPictureCount] = {
    196, 197, 198, 199, 138, 139, 140, 142, 141, 143, 156, 157, 161,
    162, 163, 164, 186, 165, 166, 168, 169, 190, 187, 195, 170};

namespace {

struct SeriesPicture {
    const char* series;
    int bitmap;
};

const SeriesPicture kSeriesPictures[] = {
    {"QAK", 140}, {"QAP", 142}, {"QAW", 141}, {"QAU", 143}, {"QAV", 143}, {"QBT", 138},
    {"QBZ", 139}, {"QAZ", 157}, {"QAT", 156}, {"QAX", 161}, {"QAY", 162}, {"QBH", 164},
    {"QCJ", 163}, {"QBM", 164}, {"QBN", 186}, {"QDA", 165}, {"QDC", 166}, {"QDB", 168},
    {"QCK", 163}, {"QCL", 169}, {"QCM", 190}, {"QCN", 187}, {"QCR", 170}, {"QCT", 195},
    {"QCU", 195}, {"QCV", 196}, {"QCW", 197}, {"QCX", 198}, {"QCY", 195}, {"QCZ", 199}};

// Technology index → picture shown for series "All".
const int kTechnologyPictures[] = {140, 140, 138, 169, 187, 170, 140, 195};

// A value detail, or "--" when the catalogue gives none.
std::string OrDashes(const std::string& format, double value) {
    return std::fabs(value) < 1e-20 ? std::string("--") : FormatDouble(format, value);
}

} // namespace

int SeriesPictureId(const char* series) {
    if (series == nullptr)
        return 0;
    for (const SeriesPicture& picture : kSeriesPictures) {
        if (std::strcmp(picture.series, series) == 0)
            return picture.bitmap;
    }
    return 0;
}

int FilterPictureId(const std::string& series, int technology) {
    if (!series.empty()) {
        for (const SeriesPicture& picture : kSeriesPictures) {
            if (EqualsNoCase(picture.series, series))
                return picture.bitmap;
        }
        return 0;
    }
    if (technology < 0 || technology >= static_cast<int>(std::size(kTechnologyPictures)))
        return 0;
    return kTechnologyPictures[technology];
}

SelectDetails FormatDetails(const CapacitorRecord* record, const IStringTable* strings) {
    SelectDetails details;
    details.esrHeading = SelectString(strings, SelectStringId::kEsrHeading100k);
    if (record == nullptr)
        return details;
    const CapacitorRecord& r = *record;
    const std::string series(r.series, strnlen(r.series, sizeof r.series));
    const bool wet = series == "QCN";
    if (series == "QCR")
        details.esrHeading = SelectString(strings, SelectStringId::kEsrHeading300k);
    else if (wet)
        details.esrHeading = SelectString(strings, SelectStringId::kEsrHeading120);

    details.partNumber.assign(r.partNumber, strnlen(r.partNumber, sizeof r.partNumber));
    details.caseSize.assign(1, r.caseCode);
    details.capacitance =
        FormatDouble(SelectString(strings, SelectStringId::kMicroFarad), r.capacitance);
    details.voltage = FormatDouble("%g V", r.ratedVoltage);
    details.dclMax = FormatDouble(SelectString(strings, SelectStringId::kMicroAmpere), r.dclMax);
    details.dfMax = OrDashes("%g %%", r.dfMax);
    details.esrMax = OrDashes("%g mOhm", r.esrMax);
    // Henries to nanohenries by the factor 1 / 1e-9 as a double (just below 1e9).
    const double toNanohenry = 1.0 / 1e-9;
    details.esl = (wet || std::fabs(r.lesl) < 1e-20)
                      ? std::string("--")
                      : FormatDouble("%.2g nH", r.lesl * toNanohenry);
    return details;
}
