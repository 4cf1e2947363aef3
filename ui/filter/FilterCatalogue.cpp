#include "FilterCatalogue.h"

#include "CapacitorRecord.h"

CRecordCatalogue::CRecordCatalogue(const std::vector<CapacitorRecord>& records) {
    records_.reserve(records.size());
    for (const CapacitorRecord& record : records)
        records_.push_back(&record);
}
