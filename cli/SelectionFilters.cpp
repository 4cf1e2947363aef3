#include "SelectionFilters.h"

#include "CliSupport.h"
#include "SelectFilterEngine.h"
#include "TextFormat.h"

#include <cmath>
#include <cstdlib>

namespace {

struct SelectionOption {
    const char* name; // command-line option without "--"; also the list's heading
    FilterListId list;
    bool numeric; // a value may be given as any text of the same number ("10.0" for "10")
};

// The options in the order the choices are made: technology and series first, as they
// decide what the value lists offer, then tolerance and the values in dialog order.
const SelectionOption kOptions[kSelectionOptionCount] = {
    {"technology", FilterListId::Technology, false},
    {"series", FilterListId::Series, false},
    {"tolerance", FilterListId::Tolerance, false},
    {"capacitance", FilterListId::Capacitance, true},
    {"voltage", FilterListId::Voltage, true},
    {"case", FilterListId::Case, false},
    {"esr", FilterListId::Esr, true},
};

// The item of `list` a user would pick for `text`: the item reading exactly so, else one
// reading so in another letter case, else (numeric lists) the item of the same number;
// for the technology list also its index 0 to 7. -1 when the list offers none.
int FindItem(const CFilterList& list, const SelectionOption& option, const std::string& text) {
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

const char* const kSelectionUsage = "[--technology N] [--series S] [--capacitance C] "
                                    "[--voltage V] [--case X] [--tolerance 10%|20%] [--esr E]";

bool SelectionOptions::Any() const {
    for (bool g : given) {
        if (g)
            return true;
    }
    return false;
}

const char* SelectionListName(FilterListId list) {
    for (const SelectionOption& option : kOptions) {
        if (option.list == list)
            return option.name;
    }
    return "";
}

int TakeSelectionOption(const CliArguments& arguments, size_t& i, SelectionOptions& options,
                        const char* command) {
    const std::string& word = arguments[i];
    for (int k = 0; k < kSelectionOptionCount; ++k) {
        const std::string flag = std::string("--") + kOptions[k].name;
        std::string value;
        if (word == flag) {
            if (i + 1 >= arguments.size())
                return UsageError(std::string(command) + ": " + flag + " needs a value");
            value = arguments[++i];
        } else if (word.rfind(flag + "=", 0) == 0) {
            value = word.substr(flag.size() + 1);
        } else {
            continue;
        }
        if (options.given[k])
            return UsageError(std::string(command) + ": " + flag + " given twice");
        options.given[k] = true;
        options.values[k] = value;
        return 1;
    }
    return 0;
}

int ApplySelection(CSelectFilterEngine& engine, const SelectionOptions& options) {
    for (int k = 0; k < kSelectionOptionCount; ++k) {
        if (!options.given[k])
            continue;
        const SelectionOption& option = kOptions[k];
        const CFilterList& list = engine.GetList(option.list);
        const int index = FindItem(list, option, options.values[k]);
        if (index < 0) {
            PrintError(std::string("The ") + option.name + " list does not offer \"" +
                       options.values[k] + "\"; it offers " + Offered(list));
            return kExitFailure;
        }
        engine.SelectItem(option.list, index);
        engine.FillLists(1);
    }
    return kExitSuccess;
}

CCliSelection::CCliSelection(CCliSession& session)
    : m_catalogue(session.Store()), m_engine(&session.Strings()) {
    m_engine.SetSavedState(&m_saved); // a command line starts from no earlier dialog
    m_engine.SetCatalogue(&m_catalogue);
    m_engine.Initialise();
    m_engine.FillLists(1);
}

int SelectParts(CCliSession& session, const SelectionOptions& options,
                std::vector<const CapacitorRecord*>& parts) {
    const int loaded = session.LoadStore();
    if (loaded != kExitSuccess)
        return loaded;
    CCliSelection selection(session);
    CSelectFilterEngine& engine = selection.Engine();
    if (!options.given[0]) {
        engine.SelectItem(FilterListId::Technology, 0);
        engine.FillLists(1);
    }
    const int status = ApplySelection(engine, options);
    if (status != kExitSuccess)
        return status;
    parts.clear();
    for (int row = 0; row < engine.Rows().GetCount(); ++row)
        parts.push_back(engine.Rows().GetAt(row));
    return kExitSuccess;
}
