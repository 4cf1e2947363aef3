#include "Series.h"

#include <cstring>

namespace {

struct SeriesEntry {
    char code[4];
    int rank;
    char family;
};

constexpr int kUnlistedRank = 13;

constexpr SeriesEntry kSeriesTable[] = {
    {"QAK", 1, 'T'},  {"QBH", 2, 'T'},  {"QAY", 3, 'T'},  {"QAX", 4, 'T'},  {"QAP", 5, 'T'},
    {"QAT", 6, 'T'},  {"QAW", 7, 'T'},  {"QAU", 8, 'T'},  {"QAV", 9, 'T'},  {"QAZ", 10, 'T'},
    {"QDD", 11, 'T'}, {"QCL", 12, 'T'}, {"QCM", 14, 'T'}, {"QDA", 15, 'T'}, {"QBM", 16, 'T'},
    {"QBN", 17, 'T'}, {"QDC", 18, 'T'}, {"QCN", 19, 'T'}, {"QBT", 20, 'N'}, {"QCJ", 21, 'N'},
    {"QBZ", 22, 'N'}, {"QDB", 23, 'N'}, {"QCK", 24, 'N'}, {"QCR", 25, 'N'}, {"QCT", 26, 'F'},
    {"QCU", 26, 'F'}, {"QCV", 26, 'F'}, {"QCW", 26, 'F'}, {"QCX", 26, 'F'}, {"QCY", 26, 'F'},
    {"QCZ", 26, 'F'},
};

char Upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}
int Lower(char c) {
    return static_cast<unsigned char>((c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c);
}

// The table entry of the series `text` begins with, or null. Texts shorter than three
// characters match nothing.
const SeriesEntry* FindSeries(const char* text) {
    if (text[0] == '\0' || text[1] == '\0' || text[2] == '\0')
        return nullptr;
    const char code[3] = {Upper(text[0]), Upper(text[1]), Upper(text[2])};
    for (const SeriesEntry& entry : kSeriesTable) {
        if (entry.code[0] == code[0] && entry.code[1] == code[1] && entry.code[2] == code[2])
            return &entry;
    }
    return nullptr;
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

int ComparePartNumbers(const char* a, const char* b) {
    const bool aConformal = FamilyOf(a) == kFamilyConformal;
    const bool bConformal = FamilyOf(b) == kFamilyConformal;
    if (SameSeries(a, b) || (aConformal && bConformal))
        return CompareNoCase(a, b);
    if (aConformal != bConformal)
        return aConformal ? 1 : -1;
    const int rankA = SeriesRank(a);
    const int rankB = SeriesRank(b);
    if (rankA != rankB)
        return rankA < rankB ? -1 : 1;
    // Two different series the table does not list: their text decides, which keeps the
    // order a strict weak ordering that sorting and bisection rely on.
    return CompareNoCase(a, b);
}
