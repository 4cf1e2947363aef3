#include "CliSupport.h"

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

int UsageError(const std::string& complaint) {
    PrintError("zeltacli: " + complaint);
    return kExitUsage;
}

CCliSession::CCliSession(std::string dataDirectory, const IStringTable& strings)
    : m_dataDirectory(std::move(dataDirectory)), m_strings(&strings),
      m_store(std::make_unique<CCapacitorStore>(m_sink, strings)) {}

int CCliSession::LoadStore() {
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
