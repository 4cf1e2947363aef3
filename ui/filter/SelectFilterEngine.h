#pragma once

#include "CapacitorRows.h"
#include "FilterList.h"
#include "SelectFilter.h"

#include <string>
#include <vector>

class IFilterCatalogue;
class IStringTable;
struct CapacitorRecord;

// The seven filter lists, in control order.
enum class FilterListId { Technology, Capacitance, Voltage, Case, Series, Tolerance, Esr };
constexpr int kFilterListCount = 7;

// Longest item text a filter list hands to the catalogue pass; a longer text does not
// filter.
constexpr int kMaxFilterText = 15;
// Distinct values a value list offers at most (the smallest sort keys are kept).
constexpr int kMaxListValues = 2000;

// The filter state the dialogs share across the process: for each list its items and the
// selected index, stored in the order technology, capacitance, rated voltage, case, ESR,
// series, tolerance.
struct SavedFilterState {
    struct List {
        std::vector<std::string> items;
        int selected = -1;
    };
    List lists[kFilterListCount];
    bool saved = false; // nothing to restore until the first save
};

// The one state every selection dialog of this process starts from.
SavedFilterState& ProcessFilterState();

// The faceted filter behind the capacitor selection dialog: the seven filter lists, the pass
// over the catalogue that fills them with the values still leading to a part, and the
// capacitor rows that pass every filter. No widgets: the dialog shows these lists, tells
// the engine which item the user chose, and runs FillLists.
class CSelectFilterEngine {
public:
    // `strings` gives the list texts (English built-ins when null); it must outlive the engine.
    explicit CSelectFilterEngine(const IStringTable* strings = nullptr);

    // The catalogue to walk; null means no store (the rows stay empty, the value lists keep
    // their items). It must outlive its use here.
    void SetCatalogue(const IFilterCatalogue* catalogue) { catalogue_ = catalogue; }
    // Where SaveFilters and RestoreFilters keep the state; the process-wide one by default.
    void SetSavedState(SavedFilterState* state) { saved_ = state; }

    // The lists as a new dialog shows them: technology "Tantalum", tolerance "All", "10%",
    // "20%" with "All" selected, the other lists "All" only.
    void Initialise();

    // Rebuilds the series list, the capacitor rows and the four value lists from the current
    // choices, runs a second pass when the first lists no part, selects the first row and,
    // with `save` 1, saves the filter state.
    void FillLists(int save);

    // The selected item's text of `list`; empty when nothing is selected, when the text is
    // longer than 15 characters, or when it is "All" in any letter case.
    std::string GetComboText(FilterListId list) const;
    // Fills `filter` from the lists; 0, or -1 for a null filter.
    int ReadFilters(SelectFilter* filter) const;

    void SaveFilters();
    void RestoreFilters();

    const CFilterList& GetList(FilterListId list) const;
    // The user's choice of item `index` in `list` (-1 or an index outside the items selects
    // nothing). The caller runs FillLists(1) next, as the dialog does on a confirmed choice.
    void SelectItem(FilterListId list, int index);

    const CCapacitorRows& Rows() const { return rows_; }
    int GetSelectedRow() const { return selectedRow_; }
    // Selects `row`; a row outside the list selects none.
    void SelectRow(int row);
    // The selected row's record, or null.
    const CapacitorRecord* GetSelected() const { return rows_.GetAt(selectedRow_); }
    // Selects the row of `record`, or the first row when it is not listed.
    void SelectRecord(const CapacitorRecord* record);

    // Text of `column` of `row` for drawing; empty outside the rows.
    std::string GetRowText(int row, int column) const;

    const IStringTable* Strings() const { return strings_; }

private:
    void FillSeriesList();
    void FillFromCatalogue();

    const IStringTable* strings_;
    const IFilterCatalogue* catalogue_ = nullptr;
    SavedFilterState* saved_;
    CFilterList lists_[kFilterListCount];
    CCapacitorRows rows_;
    int selectedRow_ = -1;
};
