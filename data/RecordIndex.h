#pragma once

#include "CapacitorRecord.h"

#include <cstdint>

// Room of the catalogue table and of the model table.
constexpr std::uint32_t kMaxCapacitors = 10000;
constexpr std::uint32_t kMaxModels = 10000;

// Points the first `count` entries of `index` at `records` and sorts them by part number
// (ComparePartNumbers). Names equal without regard to case are put in byte order, so two
// byte-identical names always end up next to each other.
void SortRecordIndex(CapacitorRecord* records, CapacitorRecord** index, std::uint32_t count);

// The first record of a sorted index whose part number is byte for byte that of the next
// entry, or null.
const CapacitorRecord* FindDuplicate(CapacitorRecord* const* index, std::uint32_t count);

// Bisection of a sorted index for a part number equal to `name` in part-number order (that is,
// without regard to case within a series); null when there is none.
const CapacitorRecord* FindInIndex(CapacitorRecord* const* index, std::uint32_t count,
                                   const char* name);
