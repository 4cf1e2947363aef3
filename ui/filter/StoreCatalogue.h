#pragma once

#include "CCapacitorStore.h"
#include "FilterCatalogue.h"

// The data store as the filter walks it.
class CStoreCatalogue : public IFilterCatalogue {
public:
    explicit CStoreCatalogue(const CCapacitorStore& store) : store_(store) {}
    int GetCount() const override { return store_.GetCount(); }
    const CapacitorRecord* GetAt(unsigned index) const override { return store_.GetAt(index); }

private:
    const CCapacitorStore& store_;
};
