#pragma once

#include <vector>

struct CapacitorRecord;

// What the filter walks: the catalogue in part-number order, read through GetCount and
// GetAt exactly as the data store hands it out. Null entries are skipped by the walk.
class IFilterCatalogue {
public:
    virtual ~IFilterCatalogue() = default;
    virtual int GetCount() const = 0;
    virtual const CapacitorRecord* GetAt(unsigned index) const = 0;
};

// A catalogue over records held elsewhere, in the order given (fixtures and synthetic
// catalogues). The records must outlive it.
class CRecordCatalogue : public IFilterCatalogue {
public:
    CRecordCatalogue() = default;
    explicit CRecordCatalogue(const std::vector<CapacitorRecord>& records);

    void Add(const CapacitorRecord* record) { records_.push_back(record); }
    int GetCount() const override { return static_cast<int>(records_.size()); }
    const CapacitorRecord* GetAt(unsigned index) const override {
        return index < records_.size() ? records_[index] : nullptr;
    }

private:
    std::vector<const CapacitorRecord*> records_;
};
