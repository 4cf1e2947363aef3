#pragma once

#include <string>
#include <vector>

// The contents of one drop-down filter list: its item texts and the selected index
// (-1 for none). The dialog mirrors it into its combo box.
class CFilterList {
public:
    void Clear();
    void Add(const std::string& text);
    // Selects `index`; an index outside the items selects nothing. Returns the new index.
    int Select(int index);

    int GetCount() const { return static_cast<int>(items_.size()); }
    int GetSelected() const { return selected_; }
    const std::string& GetItem(int index) const { return items_[static_cast<size_t>(index)]; }
    const std::vector<std::string>& Items() const { return items_; }
    // The selected item's text, empty when nothing is selected.
    std::string SelectedText() const;

    // The first item that begins with `prefix` without regard to case, searching from the
    // item after `after` to the end and then from the top round to `after` (-1 searches
    // the whole list from the top); -1 when none.
    int FindPrefix(const std::string& prefix, int after = -1) const;
    // Like FindPrefix, but the item must equal `text` without regard to case.
    int FindText(const std::string& text, int after = -1) const;
    // The first item equal to `text`, same characters and same case; -1 when none.
    int FindExact(const std::string& text) const;

private:
    std::vector<std::string> items_;
    int selected_ = -1;
};

// ASCII case-insensitive comparisons, as the list controls compare their items.
bool EqualsNoCase(const std::string& a, const std::string& b);
bool StartsWithNoCase(const std::string& text, const std::string& prefix);
