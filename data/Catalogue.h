#pragma once

#include "CapacitorRecord.h"
#include "Messages.h"

#include <cstdint>

// Reads one catalogue line (not a comment) into `record`: the part number, which must start in
// the line's first column, then up to eight columns that override what the part number gives.
// False on a format error.
bool ParseCatalogueLine(const char* line, CapacitorRecord& record);

// Reads the parts catalogue at `path` into `records` (room for kMaxCapacitors) and fills
// `index` in part-number order. `count` is 0 until the whole file has been read. Failures are
// shown through `sink`; returns 0 on success and -1 on failure.
int ReadCatalogueFile(const char* path, CapacitorRecord* records, CapacitorRecord** index,
                      std::uint32_t& count, IMessageSink& sink, const IStringTable& strings);
