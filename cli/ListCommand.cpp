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

    for (int row = 0; row < engine.Rows().GetCount(); ++row) {
        for (int column = 0; column < kCapacitorColumns; ++column)
            std::printf(column == 0 ? "%s" : "\t%s", engine.GetRowText(row, column).c_str());
        std::printf("\n");
    }
    for (FilterListId id : kPrintOrder) {
        const CFilterList& list = engine.GetList(id);
        std::printf("\n%s:\n", SelectionListName(id));
        for (int i = 0; i < list.GetCount(); ++i)
            std::printf("%s %s\n", i == list.GetSelected() ? "*" : " ", list.GetItem(i).c_str());
    }
    return std::fflush(stdout) == 0 ? kExitSuccess : kExitFailure;
}
