#include "CapacitorRows.h"

#include "CapacitorRecord.h"
#include "SelectStrings.h"
#include "TextFormat.h"

#include <cstring>

CCapacitorRows::CCapacitorRows() : records_(new const CapacitorRecord*[kCapacity]) {}

CCapacitorRows::~CCapacitorRows() {
    delete[] records_;
}

int CCapacitorRows::AddItem(const CapacitorRecord* record) {
    if (record == nullptr || count_ > kLastAcceptedCount)
        return -1;
    records_[count_] = record;
    return count_++;
}

void CCapacitorRows::Clear() {
    count_ = 0;
}

const CapacitorRecord* CCapacitorRows::GetAt(int row) const {
    return (row >= 0 && row < count_) ? records_[row] : nullptr;
}

int CCapacitorRows::IndexOf(const CapacitorRecord* record) const {
    for (int i = 0; i < count_; ++i) {
        if (records_[i] == record)
            return i;
    }
    return 0;
}

std::string CaseText(const CapacitorRecord& record) {
    std::string text(1, record.caseCode);
    if (record.family == 'F') {
        text += ' ';
        text.append(record.series, strnlen(record.series, sizeof record.series));
    }
    return text;
}

std::string FormatRowText(const CapacitorRecord& record, int column, const IStringTable* strings) {
    switch (column) {
    case 0:
        return std::string(record.partNumber, strnlen(record.partNumber, sizeof record.partNumber));
    case 1:
        return FormatDouble(SelectString(strings, SelectStringId::kMicroFarad), record.capacitance);
    case 2:
        return FormatDouble("%g V", record.ratedVoltage);
    case 3:
        return CaseText(record);
    default:
        return std::string();
    }
}
