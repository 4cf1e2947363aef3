#include "SelectFilterEngine.h"

#include "CapacitorRecord.h"
#include "FilterCatalogue.h"
#include "SelectStrings.h"
#include "TechnologyTable.h"
#include "TextFormat.h"
#include "ValueCollection.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

constexpr double kSameValue = 1e-8;

// Saved state slots in their stored order: technology, capacitance, rated voltage, case,
// ESR, series, tolerance.
constexpr FilterListId kSaveOrder[kFilterListCount] = {
    FilterListId::Technology, FilterListId::Capacitance, FilterListId::Voltage,  FilterListId::Case,
    FilterListId::Esr,        FilterListId::Series,      FilterListId::Tolerance};

int Slot(FilterListId list) {
    return static_cast<int>(list);
}

void CopyText(char (&target)[17], const std::string& text) {
    std::snprintf(target, sizeof target, "%s", text.c_str());
}

// The case text into `buffer` without building a string: the pass compares it per record.
void WriteCaseText(const CapacitorRecord& record, char (&buffer)[8]) {
    buffer[0] = record.caseCode;
    buffer[1] = '\0';
    if (record.family == 'F') {
        buffer[1] = ' ';
        size_t length = strnlen(record.series, sizeof record.series);
        std::memcpy(buffer + 2, record.series, length);
        buffer[2 + length] = '\0';
    }
}

// A code identifying the case text of `record`, for the case collection.
uint64_t CaseTag(const CapacitorRecord& record) {
    uint64_t tag = static_cast<unsigned char>(record.caseCode);
    if (record.family == 'F') {
        tag |= uint64_t{1} << 8;
        for (size_t i = 0; i < 3 && record.series[i] != '\0'; ++i)
            tag |= static_cast<uint64_t>(static_cast<unsigned char>(record.series[i]))
                   << (16 + 8 * i);
    }
    return tag;
}

bool SeriesEquals(const CapacitorRecord& record, const char* series) {
    size_t length = strnlen(record.series, sizeof record.series);
    return std::strlen(series) == length && std::memcmp(record.series, series, length) == 0;
}

bool SameValue(double a, double b) {
    return std::fabs(a - b) < kSameValue;
}

// Reselects a remembered choice after the list was refilled; an empty choice, or one the
// list no longer offers, selects "All" (item 0).
void Reselect(CFilterList& list, const char* remembered, int found) {
    list.Select(remembered[0] != '\0' && found >= 0 ? found : 0);
}

} // namespace

SavedFilterState& ProcessFilterState() {
    static SavedFilterState state;
    return state;
}

CSelectFilterEngine::CSelectFilterEngine(const IStringTable* strings)
    : strings_(strings), saved_(&ProcessFilterState()) {}

void CSelectFilterEngine::Initialise() {
    CFilterList& technology = lists_[Slot(FilterListId::Technology)];
    technology.Clear();
    for (int i = 0; i < kTechnologyCount; ++i)
        technology.Add(SelectString(strings_, GetTechnologyRow(i)->stringId));
    technology.Select(kTechnologyTantalumIndex);

    const std::string all = SelectString(strings_, SelectStringId::kAll);
    CFilterList& tolerance = lists_[Slot(FilterListId::Tolerance)];
    tolerance.Clear();
    tolerance.Add(all);
    tolerance.Add("10%");
    tolerance.Add("20%");
    tolerance.Select(0);

    for (FilterListId id : {FilterListId::Series, FilterListId::Capacitance, FilterListId::Voltage,
                            FilterListId::Case, FilterListId::Esr}) {
        CFilterList& list = lists_[Slot(id)];
        list.Clear();
        list.Add(all);
        list.Select(0);
    }
    rows_.Clear();
    selectedRow_ = -1;
}

const CFilterList& CSelectFilterEngine::GetList(FilterListId list) const {
    return lists_[Slot(list)];
}

void CSelectFilterEngine::SelectItem(FilterListId list, int index) {
    lists_[Slot(list)].Select(index);
}

std::string CSelectFilterEngine::GetComboText(FilterListId list) const {
    const CFilterList& combo = lists_[Slot(list)];
    if (combo.GetSelected() < 0)
        return std::string();
    const std::string& text = combo.GetItem(combo.GetSelected());
    if (text.size() > static_cast<size_t>(kMaxFilterText) ||
        EqualsNoCase(text, SelectString(strings_, SelectStringId::kAll)))
        return std::string();
    return text;
}

int CSelectFilterEngine::ReadFilters(SelectFilter* filter) const {
    if (filter == nullptr)
        return -1;
    *filter = SelectFilter();
    CopyText(filter->series, GetComboText(FilterListId::Series));
    filter->family = TechnologyFamily(lists_[Slot(FilterListId::Technology)].GetSelected());
    CopyText(filter->capacitanceText, GetComboText(FilterListId::Capacitance));
    filter->capacitance = ParseValue(filter->capacitanceText);
    CopyText(filter->voltageText, GetComboText(FilterListId::Voltage));
    filter->voltage = ParseValue(filter->voltageText);
    CopyText(filter->esrText, GetComboText(FilterListId::Esr));
    filter->esr = ParseValue(filter->esrText);
    CopyText(filter->caseText, GetComboText(FilterListId::Case));
    const std::string tolerance = GetComboText(FilterListId::Tolerance);
    if (tolerance == "10%")
        filter->toleranceLetter = 'K';
    else if (tolerance == "20%")
        filter->toleranceLetter = 'M';
    if (filter->toleranceLetter != 0)
        CopyText(filter->toleranceText, tolerance);
    return 0;
}

void CSelectFilterEngine::FillLists(int save) {
    // A first pass that lists nothing has already dropped the choices that no longer
    // exist, so the second pass lists parts again.
    for (int pass = 0; pass < 2; ++pass) {
        FillSeriesList();
        rows_.Clear();
        if (catalogue_ != nullptr)
            FillFromCatalogue();
        if (rows_.GetCount() > 0)
            break;
    }
    selectedRow_ = rows_.GetCount() > 0 ? 0 : -1;
    if (save == 1)
        SaveFilters();
}

void CSelectFilterEngine::FillSeriesList() {
    const std::string remembered = GetComboText(FilterListId::Series);
    const TechnologyRow* row =
        GetTechnologyRow(lists_[Slot(FilterListId::Technology)].GetSelected());
    if (row == nullptr)
        row = GetTechnologyRow(kTechnologyAllIndex);
    CFilterList& series = lists_[Slot(FilterListId::Series)];
    series.Clear();
    series.Add(SelectString(strings_, SelectStringId::kAll));
    for (int i = 0; i < row->seriesCount; ++i)
        series.Add(row->series[i]);
    // The list's prefix search: the first item that begins with the remembered text.
    Reselect(series, remembered.c_str(), series.FindPrefix(remembered));
}

void CSelectFilterEngine::FillFromCatalogue() {
    SelectFilter filter;
    ReadFilters(&filter);
    const int technology = lists_[Slot(FilterListId::Technology)].GetSelected();
    const bool bySeries = filter.series[0] != '\0';
    const bool byTolerance = filter.toleranceLetter != 0;
    const bool byCase = filter.caseText[0] != '\0';
    const bool byVoltage = filter.voltageText[0] != '\0';
    const bool byCapacitance = filter.capacitanceText[0] != '\0';
    const bool byEsr = filter.esrText[0] != '\0';

    CValueCollection cases;
    CValueCollection voltages;
    CValueCollection capacitances;
    CValueCollection esrs;

    const int count = catalogue_->GetCount();
    for (int i = 0; i < count; ++i) {
        const CapacitorRecord* record = catalogue_->GetAt(static_cast<unsigned>(i));
        if (record == nullptr)
            continue;
        const CapacitorRecord& r = *record;
        if (bySeries && !SeriesEquals(r, filter.series))
            continue;
        if (!MatchesTechnology(technology, r))
            continue;
        if (byTolerance && r.tolerance != filter.toleranceLetter)
            continue;

        char caseText[8];
        WriteCaseText(r, caseText);
        const bool caseMatch = !byCase || std::strcmp(caseText, filter.caseText) == 0;
        const bool voltageMatch = !byVoltage || SameValue(r.ratedVoltage, filter.voltage);
        const bool capacitanceMatch =
            !byCapacitance || SameValue(r.capacitance, filter.capacitance);
        const bool esrMatch = !byEsr || SameValue(r.esrMax, filter.esr);

        // The case list ignores the case choice itself.
        if (voltageMatch && capacitanceMatch && esrMatch)
            cases.PutText(CaseTag(r), caseText);
        if (!caseMatch)
            continue;
        if (capacitanceMatch && esrMatch)
            voltages.PutValue(r.ratedVoltage, std::trunc(r.ratedVoltage * 100));
        if (voltageMatch && esrMatch)
            capacitances.PutValue(r.capacitance, std::trunc(r.capacitance * 100));
        if (capacitanceMatch && voltageMatch && r.esrMax != 0)
            esrs.PutValue(r.esrMax, std::trunc(r.esrMax));
        if (capacitanceMatch && voltageMatch && esrMatch)
            rows_.AddItem(record);
    }

    const std::string all = SelectString(strings_, SelectStringId::kAll);
    auto refill = [&all](CFilterList& list, const std::vector<std::string>& texts) {
        list.Clear();
        list.Add(all);
        for (const std::string& text : texts)
            list.Add(text);
    };
    const size_t limit = kMaxListValues;
    CFilterList& capacitanceList = lists_[Slot(FilterListId::Capacitance)];
    CFilterList& voltageList = lists_[Slot(FilterListId::Voltage)];
    CFilterList& caseList = lists_[Slot(FilterListId::Case)];
    CFilterList& esrList = lists_[Slot(FilterListId::Esr)];
    refill(capacitanceList, capacitances.SortedByKey(limit));
    refill(voltageList, voltages.SortedByKey(limit));
    refill(caseList, cases.SortedByLength(limit));
    refill(esrList, esrs.SortedByKey(limit));

    // The previous choices come back by the lists' prefix search, so a value that no longer
    // exists gives way to the first one that begins with its text ("1" to "1.5"); the ESR
    // search starts after "All". The case must match exactly.
    Reselect(capacitanceList, filter.capacitanceText,
             capacitanceList.FindPrefix(filter.capacitanceText));
    Reselect(voltageList, filter.voltageText, voltageList.FindPrefix(filter.voltageText));
    Reselect(caseList, filter.caseText, caseList.FindExact(filter.caseText));
    Reselect(esrList, filter.esrText, esrList.FindPrefix(filter.esrText, 0));
}

void CSelectFilterEngine::SaveFilters() {
    if (saved_ == nullptr)
        return;
    for (int slot = 0; slot < kFilterListCount; ++slot) {
        const CFilterList& list = lists_[Slot(kSaveOrder[slot])];
        saved_->lists[slot].items = list.Items();
        saved_->lists[slot].selected = list.GetSelected();
    }
    saved_->saved = true;
}

void CSelectFilterEngine::RestoreFilters() {
    // Nothing has been saved in this process yet: the lists stay as they are.
    if (saved_ == nullptr || !saved_->saved)
        return;
    for (int slot = 0; slot < kFilterListCount; ++slot) {
        CFilterList& list = lists_[Slot(kSaveOrder[slot])];
        list.Clear();
        for (const std::string& text : saved_->lists[slot].items)
            list.Add(text);
        list.Select(saved_->lists[slot].selected);
    }
}

void CSelectFilterEngine::SelectRow(int row) {
    selectedRow_ = (row >= 0 && row < rows_.GetCount()) ? row : -1;
}

void CSelectFilterEngine::SelectRecord(const CapacitorRecord* record) {
    SelectRow(rows_.IndexOf(record));
}

std::string CSelectFilterEngine::GetRowText(int row, int column) const {
    const CapacitorRecord* record = rows_.GetAt(row);
    if (record == nullptr)
        return std::string();
    return FormatRowText(*record, column, strings_);
}
