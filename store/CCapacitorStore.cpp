#include "CCapacitorStore.h"

#include "Catalogue.h"
#include "ModelLibrary.h"
#include "PartNumber.h"
#include "RippleLimits.h"
#include "SeriesRules.h"
#include "StringIds.h"
#include "ValueLimits.h"

#include <algorithm>
#include <filesystem>
#include <new>
#include <system_error>

namespace {

// The temperatures the program shows a part at: from -55 °C up to its limit, evaluated at
// 195 °C at most; a wet tantalum part (QCN) at 25 °C alone.
PartTemperatures ShownTemperatures(const CapacitorRecord& part) {
    if (SeriesIsExactly(part.series, "QCN"))
        return {25.0, 25.0};
    const double limit = MaxTemperature(&part);
    return {kLowestModelTemperature, std::min(limit, kHighestModelTemperature)};
}

} // namespace

CCapacitorStore::CCapacitorStore(IMessageSink& sink, const IStringTable& strings)
    : m_sink(sink), m_strings(strings) {}

CCapacitorStore::~CCapacitorStore() {
    FreeTables();
}

void CCapacitorStore::FreeTables() {
    delete[] m_catalogue;
    m_catalogue = nullptr;
    m_catalogueCount = 0;
    delete[] m_models;
    m_models = nullptr;
    m_modelCount = 0;
}

int CCapacitorStore::Allocate() {
    // Records are set up by their loaders, so the tables are not cleared here.
    delete[] m_catalogue;
    m_catalogueCount = 0;
    m_catalogue = new (std::nothrow) CapacitorRecord[kMaxCapacitors];
    if (m_catalogue == nullptr)
        return -1;
    delete[] m_models;
    m_modelCount = 0;
    m_models = new (std::nothrow) CapacitorRecord[kMaxModels];
    if (m_models == nullptr)
        return -1;
    return 0;
}

void CCapacitorStore::InitRecord(CapacitorRecord* record) {
    InitModelRecord(record);
}

int CCapacitorStore::LoadCatalogue(const char* path) {
    return ReadCatalogueFile(path, m_catalogue, m_catalogueIndex.data(), m_catalogueCount, m_sink,
                             m_strings);
}

int CCapacitorStore::LoadModels(const char* path) {
    if (m_catalogue == nullptr || m_catalogueCount == 0)
        return 0;
    if (m_models == nullptr) {
        ReportMessage(m_sink, m_strings, IDS_NOT_ENOUGH_MEMORY, MessageIcon::Warning);
        return -1;
    }
    ModelTables tables{m_models,         m_modelIndex.data(), m_modelCount, m_catalogueIndex.data(),
                       m_catalogueCount, ShownTemperatures};
    return ReadModelLibraryFile(path, tables, m_sink, m_strings);
}

int CCapacitorStore::GetCount() const {
    return static_cast<int>(m_catalogueCount);
}

const CapacitorRecord* CCapacitorStore::GetAt(unsigned index) const {
    return index < m_catalogueCount ? m_catalogueIndex[index] : nullptr;
}

int LoadStoreFromDirectory(CCapacitorStore& store, const std::string& directory) {
    if (store.Allocate() != 0) {
        ReportMessage(store.MessageSink(), store.StringTable(), IDS_NOT_ENOUGH_MEMORY,
                      MessageIcon::Warning);
        return -1;
    }
    std::string folder = directory.empty() ? std::string(".") : directory;
    if (folder.back() == '/')
        folder.pop_back();
    const std::string cataloguePath = folder + "/" + kCatalogueFileName;
    if (store.LoadCatalogue(cataloguePath.c_str()) != 0)
        return -1;
    const std::string libraryPath = folder + "/" + kModelLibraryFileName;
    if (store.LoadModels(libraryPath.c_str()) != 0)
        return -1;
    return 0;
}

int LoadStoreFromFolders(CCapacitorStore& store, const std::vector<std::string>& folders) {
    if (folders.empty())
        return LoadStoreFromDirectory(store, std::string());
    for (const std::string& folder : folders) {
        std::error_code error;
        if (std::filesystem::is_regular_file(
                std::filesystem::path(folder.empty() ? "." : folder) / kCatalogueFileName, error))
            return LoadStoreFromDirectory(store, folder);
    }
    if (store.Allocate() != 0) {
        ReportMessage(store.MessageSink(), store.StringTable(), IDS_NOT_ENOUGH_MEMORY,
                      MessageIcon::Warning);
        return -1;
    }
    std::vector<std::string> tried;
    std::string list;
    for (const std::string& folder : folders) {
        std::string place = folder;
        if (!place.empty() && place.back() == '/')
            place.pop_back();
        place += std::string("/") + kCatalogueFileName;
        tried.push_back(place);
        list += "  " + place + "\n";
    }
    if (store.StringTable().GetString(IDS_DATA_NOT_FOUND).empty()) {
        ReportMessage(store.MessageSink(), store.StringTable(), IDS_CANNOT_OPEN_FILE,
                      MessageIcon::Error, tried.front().c_str());
    } else {
        ReportMessage(store.MessageSink(), store.StringTable(), IDS_DATA_NOT_FOUND,
                      MessageIcon::Error, tried.front().c_str(), list.c_str());
    }
    return -1;
}
