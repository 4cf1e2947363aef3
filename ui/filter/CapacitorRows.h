#pragma once

#include <string>

class IStringTable;
struct CapacitorRecord;

// The rows of the capacitor list: record pointers only; texts are made when a row is drawn.
class CCapacitorRows {
public:
    static constexpr int kCapacity = 10000;
    // AddItem refuses once the count is above this, so at most 9 999 rows are listed.
    static constexpr int kLastAcceptedCount = 9998;

    CCapacitorRows();
    ~CCapacitorRows();
    CCapacitorRows(const CCapacitorRows&) = delete;
    CCapacitorRows& operator=(const CCapacitorRows&) = delete;

    // Appends `record`; returns its row, or -1 when the list is full or `record` is null.
    int AddItem(const CapacitorRecord* record);
    void Clear();
    int GetCount() const { return count_; }
    // Record of `row`, null outside the rows.
    const CapacitorRecord* GetAt(int row) const;
    // Row of `record`; 0 when it is not listed.
    int IndexOf(const CapacitorRecord* record) const;

private:
    const CapacitorRecord** records_;
    int count_ = 0;
};

// Number of columns of a capacitor-list row.
constexpr int kCapacitorColumns = 4;

// The case text of a record as the lists show it: the case letter, and for family F a blank
// and the series ("R QCT").
std::string CaseText(const CapacitorRecord& record);

// Text of `column` of the row of `record`: part number, capacitance ("%g µF", string
// 34024), rated voltage ("%g V"), case text. Other columns give an empty text.
std::string FormatRowText(const CapacitorRecord& record, int column, const IStringTable* strings);
