#include "CliSupport.h"
#include "SelectFilterEngine.h"
#include "StoreCatalogue.h"
#include "TextFormat.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

// zeltacli list: the selection dialog's filters, set as a user sets them, and the rows and
// lists the dialog then shows.

namespace {

struct ListOption {
    const char* name; // command-line option without "--"; also the list's heading
    FilterListId list;
    bool numeric; // a value may be given as any text of the same number ("10.0" for "10")
};

// The options in the order the choices are made: technology and series first, as they
// decide what the value lists offer, then tolerance and the values in dialog order.
const ListOption kOptions[] = {
    {"technology", FilterListId::Technology, false},
    {"series", FilterListId::Series, false},
    {"tolerance", FilterListId::Tolerance, false},
    {"capacitance", FilterListId::Capacitance, true},
    {"voltage", FilterListId::Voltage, true},
    {"case", FilterListId::Case, false},
    {"esr", FilterListId::Esr, true},
};
constexpr size_t kOptionCount = sizeof kOptions / sizeof kOptions[0];

// The lists as printed after the rows, in the dialog's control order.
const FilterListId kPrintOrder[] = {
    FilterListId::Technology, FilterListId::Capacitance, FilterListId::Voltage, FilterListId::Case,
    FilterListId::Series,     FilterListId::Tolerance,   FilterListId::Esr};

const char* ListName(FilterListId list) {
    for (const ListOption& option : kOptions) {
        if (option.list == list)
            return option.name;
    }
    return "";
}

// The item of `list` a user would pick for `text`: the item reading exactly so, else one
// reading so in another letter case, else (numeric lists) the item of the same number;
// for the technology list also its index 0 to 7. -1 when the list offers none.
int FindItem(const CFilterList& list, const ListOption& option, const std::string& text) {
    int index = list.FindExact(text);
    if (index < 0)
        index = list.FindText(text);
    double wanted = 0;
    if (index < 0 && option.numeric && ReadOptionNumber(text, &wanted)) {
        for (int i = 1; i < list.GetCount() && index < 0; ++i) {
            if (std::fabs(ParseValue(list.GetItem(i).c_str()) - wanted) < 1e-8)
                index = i;
        }
    }
    if (index < 0 && option.list == FilterListId::Technology && text.size() == 1 &&
        text[0] >= '0' && text[0] < '0' + list.GetCount())
        index = text[0] - '0';
    return index;
}

std::string Offered(const CFilterList& list) {
    std::string text;
    for (const std::string& item : list.Items())
        text += (text.empty() ? "\"" : ", \"") + item + "\"";
    return text;
}

} // namespace

int RunListCommand(CCliSession& session, const CliArguments& arguments) {
    std::string values[kOptionCount];
    bool given[kOptionCount] = {};
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& word = arguments[i];
        size_t found = kOptionCount;
        for (size_t k = 0; k < kOptionCount && found == kOptionCount; ++k) {
            const std::string flag = std::string("--") + kOptions[k].name;
            if (word == flag) {
                if (i + 1 >= arguments.size())
                    return UsageError("list: " + flag + " needs a value");
                values[k] = arguments[++i];
                found = k;
            } else if (word.rfind(flag + "=", 0) == 0) {
                values[k] = word.substr(flag.size() + 1);
                found = k;
            }
        }
        if (found == kOptionCount)
            return UsageError("list: unknown argument " + word);
        if (given[found])
            return UsageError("list: --" + std::string(kOptions[found].name) + " given twice");
        given[found] = true;
    }

    const int status = session.LoadStore();
    if (status != kExitSuccess)
        return status;

    CStoreCatalogue catalogue(session.Store());
    SavedFilterState saved; // a command line starts from no earlier dialog
    CSelectFilterEngine engine(&session.Strings());
    engine.SetSavedState(&saved);
    engine.SetCatalogue(&catalogue);
    engine.Initialise();
    engine.FillLists(1);

    for (size_t k = 0; k < kOptionCount; ++k) {
        if (!given[k])
            continue;
        const ListOption& option = kOptions[k];
        const CFilterList& list = engine.GetList(option.list);
        const int index = FindItem(list, option, values[k]);
        if (index < 0) {
            PrintError(std::string("The ") + option.name + " list does not offer \"" + values[k] +
                       "\"; it offers " + Offered(list));
            return kExitFailure;
        }
        engine.SelectItem(option.list, index);
        engine.FillLists(1);
    }

    std::string text;
    for (int row = 0; row < engine.Rows().GetCount(); ++row) {
        for (int column = 0; column < kCapacitorColumns; ++column)
            text += (column == 0 ? "" : "\t") + engine.GetRowText(row, column);
        text += '\n';
    }
    for (FilterListId id : kPrintOrder) {
        const CFilterList& list = engine.GetList(id);
        text += std::string("\n") + ListName(id) + ":\n";
        for (int i = 0; i < list.GetCount(); ++i)
            text += (i == list.GetSelected() ? "* " : "  ") + list.GetItem(i) + '\n';
    }
    return WriteOutput(text) ? kExitSuccess : kExitFailure;
}
