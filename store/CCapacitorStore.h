#pragma once

#include "CapacitorRecord.h"
#include "Messages.h"
#include "RecordIndex.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// Owns all capacitor data of a program run: the catalogue table and the model table. Records
// never move once loaded, so the pointers handed out by GetAt stay valid until the store is
// destroyed. Failures are shown through the sink given at construction.
class CCapacitorStore {
public:
    CCapacitorStore(IMessageSink& sink, const IStringTable& strings);
    virtual ~CCapacitorStore();
    CCapacitorStore(const CCapacitorStore&) = delete;
    CCapacitorStore& operator=(const CCapacitorStore&) = delete;

    // (Re)allocates both tables with room for 10 000 records each and empties them; -1 when
    // memory for either is not available.
    virtual int Allocate();
    // Model defaults of a new model record; a null pointer is ignored.
    virtual void InitRecord(CapacitorRecord* record);
    // Reads the parts catalogue; 0 on success, -1 after the failure has been shown.
    virtual int LoadCatalogue(const char* path);
    // Reads the model library and copies every catalogue part's model values into its record;
    // 0 on success, -1 after the failure has been shown. Needs a loaded catalogue.
    virtual int LoadModels(const char* path);
    // Number of catalogue records.
    virtual int GetCount() const;
    // Catalogue record `index` in part-number order, or null at or beyond the count.
    virtual const CapacitorRecord* GetAt(unsigned index) const;

    std::uint32_t GetModelCount() const { return m_modelCount; }

    IMessageSink& MessageSink() const { return m_sink; }
    const IStringTable& StringTable() const { return m_strings; }

private:
    void FreeTables();

    IMessageSink& m_sink;
    const IStringTable& m_strings;

    CapacitorRecord* m_catalogue = nullptr;
    std::array<CapacitorRecord*, kMaxCapacitors> m_catalogueIndex{};
    std::uint32_t m_catalogueCount = 0;
    CapacitorRecord* m_models = nullptr;
    std::array<CapacitorRecord*, kMaxModels> m_modelIndex{};
    std::uint32_t m_modelCount = 0;
};

// File names of the two data files in the data folder.
constexpr const char* kCatalogueFileName = "cap.vorn";
constexpr const char* kModelLibraryFileName = "vorncap.lib";

// The start-up load: allocates the tables, then reads "<directory>/cap.vorn" and
// "<directory>/vorncap.lib". One trailing "/" of `directory` is dropped first, so the root
// folder "/" gives "/cap.vorn"; an empty text stands for the current folder. Returns 0 on
// success, non-zero after the failure has been shown ("Not enough memory" when the tables
// cannot be allocated).
int LoadStoreFromDirectory(CCapacitorStore& store, const std::string& directory);

// The start-up load from the first of `folders` that holds cap.vorn (the current folder, then
// the installation's data folders). When none does, the message names the catalogue in every
// folder tried (string 34190, or 34004 with the first place when the table lacks it) and the
// result is non-zero. No folders at all: the current folder alone.
int LoadStoreFromFolders(CCapacitorStore& store, const std::vector<std::string>& folders);
