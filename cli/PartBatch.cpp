#include "PartBatch.h"

#include "AtomicFile.h"
#include "CapacitorRecord.h"
#include "CliOutput.h"
#include "CliSupport.h"
#include "PartNumber.h"
#include "SelectionFilters.h"
#include "Terminal.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <mutex>
#include <system_error>
#include <thread>

namespace {

// The progress line, redrawn in place at most every 100 ms and once at the end.
class CProgressLine {
public:
    CProgressLine(size_t total) : m_total(total), m_shown(IsTerminal(stderr)) {}

    void Step(size_t done) {
        if (!m_shown)
            return;
        std::lock_guard<std::mutex> lock(m_mutex);
        const auto now = std::chrono::steady_clock::now();
        if (done < m_total && now - m_last < std::chrono::milliseconds(100))
            return;
        m_last = now;
        std::fprintf(stderr, "\r%zu/%zu parts", done, m_total);
        if (done == m_total)
            std::fputc('\n', stderr);
        std::fflush(stderr);
    }

private:
    size_t m_total;
    bool m_shown;
    std::mutex m_mutex;
    std::chrono::steady_clock::time_point m_last{};
};

} // namespace

std::vector<PartFailure> RunPartBatch(const std::vector<const CapacitorRecord*>& parts,
                                      const PartJob& job, unsigned threads) {
    if (threads == 0)
        threads = std::thread::hardware_concurrency();
    if (threads == 0)
        threads = 2;
    if (threads > parts.size())
        threads = static_cast<unsigned>(parts.size());

    std::vector<std::string> messages(parts.size());
    std::vector<char> failed(parts.size(), 0);
    std::atomic<size_t> next{0};
    std::atomic<size_t> done{0};
    CProgressLine progress(parts.size());

    const auto work = [&]() {
        for (size_t i = next++; i < parts.size(); i = next++) {
            bool ok = false;
            try {
                ok = job(*parts[i], messages[i]);
            } catch (const std::exception& e) {
                messages[i] = e.what();
            }
            if (!ok) {
                failed[i] = 1;
                if (messages[i].empty())
                    messages[i] = "failed";
            }
            progress.Step(++done);
        }
    };
    std::vector<std::thread> pool;
    for (unsigned t = 1; t < threads; ++t)
        pool.emplace_back(work);
    work();
    for (std::thread& thread : pool)
        thread.join();

    std::vector<PartFailure> failures;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (failed[i])
            failures.push_back({parts[i]->partNumber, messages[i]});
    }
    return failures;
}

int FinishPartBatch(const std::vector<PartFailure>& failures, size_t partCount,
                    const std::string& what, const std::string& folder) {
    for (const PartFailure& failure : failures)
        PrintError(failure.partNumber + ": " + failure.message);
    if (!failures.empty()) {
        PrintError("zeltacli: " + std::to_string(failures.size()) + " of " +
                   std::to_string(partCount) + " parts failed; the others' " + what + " are in " +
                   folder);
        return kExitFailure;
    }
    if (!WriteOutput(std::to_string(partCount) + " parts: " + what + " written to " + folder +
                     "\n"))
        return kExitFailure;
    return kExitSuccess;
}

int CheckOutputFolder(const std::string& folder) {
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error))
        return CommandFailure("the output folder " + folder + " does not exist");
    // Whether files can be made there at all, before any part is tried. The probe has a name
    // of its own, so runs beside this one into the same folder never meet it.
    int code = 0;
    if (!CanCreateFilesIn(folder, &code))
        return CommandFailure("cannot write files into the folder " + folder + ": " +
                              std::system_category().message(code));
    return kExitSuccess;
}

int RunSelectionBatch(CCliSession& session, const SelectionOptions& selection,
                      const std::string& folder, const std::string& what, const PartJob& write) {
    std::vector<const CapacitorRecord*> parts;
    const int selected = SelectParts(session, selection, parts);
    if (selected != kExitSuccess)
        return selected;
    const int folderStatus = CheckOutputFolder(folder);
    if (folderStatus != kExitSuccess)
        return folderStatus;
    const std::vector<PartFailure> failures =
        RunPartBatch(parts, [&](const CapacitorRecord& record, std::string& message) {
            if (!IsSafeInFileName(record.partNumber)) {
                message = "the part number cannot serve as a file name";
                return false;
            }
            return write(record, message);
        });
    return FinishPartBatch(failures, parts.size(), what, folder);
}
