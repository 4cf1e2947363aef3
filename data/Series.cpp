#include "Series.h"

#include <cstddef>

namespace {

struct SeriesEntry {
    char code[4];
    int rank;
    char family;
};

constexpr int kUnlistedRank = 13;
constexpr int kConformalGroup = 1000; // after every rank

constexpr SeriesEntry kSeriesTable[] = {
    {"QAK", 1, 'T'},  {"QBH", 2, 'T'},  {"QAY", 3, 'T'},  {"QAX", 4, 'T'},  {"QAP", 5, 'T'},
    {"QAT", 6, 'T'},  {"QAW", 7, 'T'},  {"QAU", 8, 'T'},  {"QAV", 9, 'T'},  {"QAZ", 10, 'T'},
    {"QDD", 11, 'T'}, {"QCL", 12, 'T'}, {"QCM", 14, 'T'}, {"QDA", 15, 'T'}, {"QBM", 16, 'T'},
    {"QBN", 17, 'T'}, {"QDC", 18, 'T'}, {"QCN", 19, 'T'}, {"QBT", 20, 'N'}, {"QCJ", 21, 'N'},
    {"QBZ", 22, 'N'}, {"QDB", 23, 'N'}, {"QCK", 24, 'N'}, {"QCR", 25, 'N'}, {"QCT", 26, 'F'},
    {"QCU", 26, 'F'}, {"QCV", 26, 'F'}, {"QCW", 26, 'F'}, {"QCX", 26, 'F'}, {"QCY", 26, 'F'},
    {"QCZ", 26, 'F'},
};

constexpr char Upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}
int Lower(char c) {
    return static_cast<unsigned char>((c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c);
}

// Series codes are three letters, so a 26 x 26 x 26 map from code to table entry finds a
// series without walking the table; the loaders call this for every comparison they make.
class CSeriesMap {
public:
    constexpr CSeriesMap() : m_entries() {
        for (signed char& entry : m_entries)
            entry = -1;
        for (size_t i = 0; i < sizeof kSeriesTable / sizeof kSeriesTable[0]; ++i) {
            const char* code = kSeriesTable[i].code;
            m_entries[Slot(code[0], code[1], code[2])] = static_cast<signed char>(i);
        }
    }
    const SeriesEntry* Find(const char* text) const {
        if (!IsLetter(text[0]) || !IsLetter(text[1]) || !IsLetter(text[2]))
            return nullptr;
        const int entry = m_entries[Slot(Upper(text[0]), Upper(text[1]), Upper(text[2]))];
        return entry < 0 ? nullptr : &kSeriesTable[entry];
    }

private:
    static constexpr bool IsLetter(char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    }
    static constexpr size_t Slot(char a, char b, char c) {
        return static_cast<size_t>(((a - 'A') * 26 + (b - 'A')) * 26 + (c - 'A'));
    }
    signed char m_entries[26 * 26 * 26];
};

// The table entry of the series `text` begins with, or null. Texts shorter than three
// characters match nothing.
constexpr CSeriesMap kSeriesMap;

const SeriesEntry* FindSeries(const char* text) {
    return kSeriesMap.Find(text);
}

bool SameSeries(const char* a, const char* b) {
    for (int i = 0; i < 3; ++i) {
        if (Lower(a[i]) != Lower(b[i]))
            return false;
        if (a[i] == '\0')
            return true;
    }
    return true;
}

int CompareNoCase(const char* a, const char* b) {
    for (;; ++a, ++b) {
        const int ca = Lower(*a);
        const int cb = Lower(*b);
        if (ca != cb || ca == 0)
            return ca - cb;
    }
}

} // namespace

int SeriesRank(const char* code) {
    const SeriesEntry* entry = FindSeries(code);
    return entry != nullptr ? entry->rank : kUnlistedRank;
}

char FamilyOf(const char* partNumber) {
    const SeriesEntry* entry = FindSeries(partNumber);
    return entry != nullptr ? entry->family : Upper(partNumber[0]);
}

int PartNumberGroup(const char* partNumber) {
    const SeriesEntry* entry = FindSeries(partNumber);
    if (entry != nullptr)
        return entry->family == kFamilyConformal ? kConformalGroup : entry->rank;
    return Upper(partNumber[0]) == kFamilyConformal ? kConformalGroup : kUnlistedRank;
}

int ComparePartNumbers(const char* a, const char* b) {
    const SeriesEntry* seriesA = FindSeries(a);
    const SeriesEntry* seriesB = FindSeries(b);
    const bool aConformal =
        (seriesA != nullptr ? seriesA->family : Upper(a[0])) == kFamilyConformal;
    const bool bConformal =
        (seriesB != nullptr ? seriesB->family : Upper(b[0])) == kFamilyConformal;
    if (SameSeries(a, b) || (aConformal && bConformal))
        return CompareNoCase(a, b);
    if (aConformal != bConformal)
        return aConformal ? 1 : -1;
    const int rankA = seriesA != nullptr ? seriesA->rank : kUnlistedRank;
    const int rankB = seriesB != nullptr ? seriesB->rank : kUnlistedRank;
    if (rankA != rankB)
        return rankA < rankB ? -1 : 1;
    // Two different series the table does not list: their text decides, which keeps the
    // order a strict weak ordering that sorting and bisection rely on.
    return CompareNoCase(a, b);
}
