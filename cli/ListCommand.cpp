#include "CliSupport.h"
#include "SelectionFilters.h"

#include <cstdio>
#include <string>

// zeltacli list: the selection dialog's filters, set as a user sets them, and the rows and
// lists the dialog then shows.

namespace {

// The lists as printed after the rows, in the dialog's control order.
const FilterListId kPrintOrder[] = {
    FilterListId::Technology, FilterListId::Capacitance, FilterListId::Voltage, FilterListId::Case,
    FilterListId::Series,     FilterListId::Tolerance,   FilterListId::Esr};

} // namespace

int RunListCommand(CCliSession& session, const CliArguments& arguments) {
    SelectionOptions options;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const int taken = TakeSelectionOption(arguments, i, options, "list");
        if (taken == kExitUsage)
            return taken;
        if (taken == 0)
            return UsageError("list: unknown argument " + arguments[i]);
    }

    const int status = session.LoadStore();
    if (status != kExitSuccess)
        return status;

    CCliSelection selection(session);
    CSelectFilterEngine& engine = selection.Engine();

    const int applied = ApplySelection(engine, options);
    if (applied != kExitSuccess)
        return applied;

    std::string text;
    for (int row = 0; row < engine.Rows().GetCount(); ++row) {
        for (int column = 0; column < kCapacitorColumns; ++column)
            text += (column == 0 ? "" : "\t") + engine.GetRowText(row, column);
        text += '\n';
    }
    for (FilterListId id : kPrintOrder) {
        const CFilterList& list = engine.GetList(id);
        text += std::string("\n") + SelectionListName(id) + ":\n";
        for (int i = 0; i < list.GetCount(); ++i)
            text += (i == list.GetSelected() ? "* " : "  ") + list.GetItem(i) + '\n';
    }
    return WriteOutput(text) ? kExitSuccess : kExitFailure;
}
