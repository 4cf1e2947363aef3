#include "RecordIndex.h"

#include "Series.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

int Lower(char c) {
    return static_cast<unsigned char>((c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c);
}

int CompareNoCase(const char* a, const char* b) {
    for (;; ++a, ++b) {
        const int ca = Lower(*a);
        const int cb = Lower(*b);
        if (ca != cb || ca == 0)
            return ca - cb;
    }
}

// Part-number order is the order of (group, text without case): family F parts form the
// last group, every other part is grouped by its series rank. Computing the group once per
// record keeps the series look-ups out of the sort's inner loop.
struct SortEntry {
    int group;
    CapacitorRecord* record;
};

} // namespace

void SortRecordIndex(CapacitorRecord* records, CapacitorRecord** index, std::uint32_t count) {
    std::vector<SortEntry> entries(count);
    for (std::uint32_t i = 0; i < count; ++i)
        entries[i] = {PartNumberGroup(records[i].partNumber), &records[i]};
    std::sort(entries.begin(), entries.end(), [](const SortEntry& a, const SortEntry& b) {
        if (a.group != b.group)
            return a.group < b.group;
        const int byText = CompareNoCase(a.record->partNumber, b.record->partNumber);
        if (byText != 0)
            return byText < 0;
        return std::strcmp(a.record->partNumber, b.record->partNumber) < 0;
    });
    for (std::uint32_t i = 0; i < count; ++i)
        index[i] = entries[i].record;
}

const CapacitorRecord* FindDuplicate(CapacitorRecord* const* index, std::uint32_t count) {
    for (std::uint32_t i = 1; i < count; ++i) {
        if (std::strcmp(index[i - 1]->partNumber, index[i]->partNumber) == 0)
            return index[i - 1];
    }
    return nullptr;
}

const CapacitorRecord* FindInIndex(CapacitorRecord* const* index, std::uint32_t count,
                                   const char* name) {
    // Same order as ComparePartNumbers, with the name's group worked out once.
    const int nameGroup = PartNumberGroup(name);
    std::uint32_t low = 0;
    std::uint32_t high = count;
    while (low < high) {
        const std::uint32_t middle = low + (high - low) / 2;
        const char* candidate = index[middle]->partNumber;
        const int group = PartNumberGroup(candidate);
        const int order = group != nameGroup ? group - nameGroup : CompareNoCase(candidate, name);
        if (order == 0)
            return index[middle];
        if (order < 0)
            low = middle + 1;
        else
            high = middle;
    }
    return nullptr;
}
