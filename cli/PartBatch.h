#pragma once

#include "CliSupport.h"

#include <functional>
#include <string>
#include <vector>

struct CapacitorRecord;
struct SelectionOptions;

// Runs one job per part on every core. A failing part stops nothing else; the failures are
// reported at the end. A progress line goes to standard error only when it is a terminal.

// One part's work: true on success, else false with `message` saying why.
using PartJob = std::function<bool(const CapacitorRecord& part, std::string& message)>;

struct PartFailure {
    std::string partNumber;
    std::string message;
};

// Runs `job` for every part on up to `threads` threads (0: one per core) and returns the
// failures in the order of `parts`.
std::vector<PartFailure> RunPartBatch(const std::vector<const CapacitorRecord*>& parts,
                                      const PartJob& job, unsigned threads = 0);

// The batch as a command ends it: the failures on standard error, then a summary
// ("N parts written to DIR" on standard output when all succeeded). kExitSuccess or
// kExitFailure.
int FinishPartBatch(const std::vector<PartFailure>& failures, size_t partCount,
                    const std::string& what, const std::string& folder);

// Checks that `folder` is a folder this process can write files into, without disturbing other
// runs writing there at the same time. kExitSuccess, or kExitFailure after a message.
int CheckOutputFolder(const std::string& folder);

// A batch command after its arguments are read: the parts passing `selection`, the check of
// `folder`, `write` for every part whose number may serve as a file name, and the report at
// the end. kExitSuccess or kExitFailure.
int RunSelectionBatch(CCliSession& session, const SelectionOptions& selection,
                      const std::string& folder, const std::string& what, const PartJob& write);
