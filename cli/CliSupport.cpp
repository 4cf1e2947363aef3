#include "CliSupport.h"

#include "CapacitorRecord.h"
#include "NumberText.h"
#include "PartNumber.h"
#include "TextLines.h"

#include <cerrno>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>

void CStderrMessageSink::ShowMessage(int /*stringId*/, MessageIcon /*icon*/,
                                     const std::string& text) {
    PrintError(text);
}

void PrintError(const std::string& text) {
    std::fputs(text.c_str(), stderr);
    if (text.empty() || text.back() != '\n')
        std::fputc('\n', stderr);
    std::fflush(stderr);
}

void NoteShownTemperature(const CapacitorRecord& part, double asked, double shown) {
    if (std::fabs(asked - shown) < 1e-8)
        return;
    const auto degrees = [](double t) {
        return RoundedNumber(t, 6) + " \xC2\xB0"
                                     "C";
    };
    const bool wet = std::strcmp(part.series, "QCN") == 0;
    PrintError("zeltacli: " + std::string(part.partNumber) + " is shown " +
               (wet ? "at " + degrees(shown) + " only" : "at its limit of " + degrees(shown)) +
               ", not at " + degrees(asked));
}

int UsageError(const std::string& complaint) {
    PrintError("zeltacli: " + complaint);
    return kExitUsage;
}

CCliSession::CCliSession(std::string dataDirectory, const IStringTable& strings)
    : m_dataDirectory(std::move(dataDirectory)), m_strings(&strings),
      m_store(std::make_unique<CCapacitorStore>(m_sink, strings)) {}

CCliSession::CCliSession(std::vector<std::string> searchFolders, const IStringTable& strings)
    : m_searchFolders(std::move(searchFolders)), m_strings(&strings),
      m_store(std::make_unique<CCapacitorStore>(m_sink, strings)) {}

int CCliSession::LoadStore() {
    if (!m_searchFolders.empty())
        return LoadStoreFromFolders(*m_store, m_searchFolders) == 0 ? kExitSuccess : kExitFailure;
    return LoadStoreFromDirectory(*m_store, m_dataDirectory) == 0 ? kExitSuccess : kExitFailure;
}

const CapacitorRecord* CCliSession::FindPart(const std::string& partNumber) const {
    const int count = m_store->GetCount();
    for (int i = 0; i < count; ++i) {
        const CapacitorRecord* record = m_store->GetAt(static_cast<unsigned>(i));
        if (record != nullptr && partNumber == record->partNumber)
            return record;
    }
    PrintError("Capacitor " + partNumber + " is not in the catalogue");
    return nullptr;
}

const CapacitorRecord* CCliSession::LoadPart(const std::string& partNumber) {
    return LoadStore() == kExitSuccess ? FindPart(partNumber) : nullptr;
}

namespace {

// The write error of standard output, reported once.
bool g_outputFailed = false;

bool OutputFailed(int error) {
    if (!g_outputFailed) {
        g_outputFailed = true;
        PrintError(std::string("zeltacli: cannot write to standard output: ") +
                   std::strerror(error != 0 ? error : EIO));
    }
    return false;
}

} // namespace

bool WriteOutput(const std::string& text) {
    if (g_outputFailed)
        return false;
    errno = 0;
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::ferror(stdout))
        return OutputFailed(errno);
    return true;
}

bool PrintOutput(const char* format, ...) {
    if (g_outputFailed)
        return false;
    va_list args;
    va_start(args, format);
    errno = 0;
    const int n = std::vprintf(format, args);
    va_end(args);
    if (n < 0 || std::ferror(stdout))
        return OutputFailed(errno);
    return true;
}

int FinishOutput() {
    errno = 0;
    const bool flushed = std::fflush(stdout) == 0 && !std::ferror(stdout);
    const int flushError = errno;
    errno = 0;
    // Closing reports what a file system defers to the close; the descriptor is not needed
    // after the command.
    const bool closed = std::fclose(stdout) == 0;
    if (!flushed)
        OutputFailed(flushError);
    else if (!closed)
        OutputFailed(errno);
    return g_outputFailed ? kExitFailure : kExitSuccess;
}

bool CheckFileNamePart(const std::string& partNumber, const std::string& folder) {
    if (IsSafeInFileName(partNumber))
        return true;
    PrintError("zeltacli: part number \"" + partNumber +
               "\" cannot be used in a file name: it would name a file outside " + folder);
    return false;
}

bool ReadOptionNumber(const std::string& text, double* value) {
    return ParseNumber(text, *value);
}
