#pragma once

#include "CliSupport.h"
#include "SelectFilterEngine.h"
#include "StoreCatalogue.h"

#include <string>
#include <vector>

struct CapacitorRecord;

// The selection dialog's filters as command-line options (--technology, --series,
// --tolerance, --capacitance, --voltage, --case, --esr), shared by list and the commands that
// work on a selection of the catalogue.

constexpr int kSelectionOptionCount = 7;

struct SelectionOptions {
    std::string values[kSelectionOptionCount];
    bool given[kSelectionOptionCount] = {};
    bool Any() const;
};

// The selection dialog's filter engine on the session's loaded store, opened as the dialog
// opens (technology "Tantalum"), with a filter state of its own.
class CCliSelection {
public:
    explicit CCliSelection(CCliSession& session);
    CSelectFilterEngine& Engine() { return m_engine; }

private:
    CStoreCatalogue m_catalogue;
    SavedFilterState m_saved;
    CSelectFilterEngine m_engine;
};

// When arguments[i] is one of the options, stores its value and advances i past it. Returns
// 1 when taken, 0 when arguments[i] is no selection option, and kExitUsage after a usage
// complaint (missing value, option given twice).
int TakeSelectionOption(const CliArguments& arguments, size_t& i, SelectionOptions& options,
                        const char* command);

// Makes the choices in `engine` as a user would, in the order technology, series, tolerance,
// capacitance, voltage, case, ESR. kExitSuccess, or kExitFailure after naming the item a
// list does not offer.
int ApplySelection(CSelectFilterEngine& engine, const SelectionOptions& options);

// Loads the store, then gives the parts passing `options` (kExitFailure when the store does
// not load, its message already shown). Unlike the dialog, which opens on
// "Tantalum", the technology starts at its first item (every technology) unless given.
int SelectParts(CCliSession& session, const SelectionOptions& options,
                std::vector<const CapacitorRecord*>& parts);

// The heading of `list` in list's output, which is also its option name.
const char* SelectionListName(FilterListId list);

// Usage text of the options.
extern const char* const kSelectionUsage;
