#include "FilterList.h"

namespace {

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
    if (prefix.size() > text.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        if (Lower(text[i]) != Lower(prefix[i]))
            return false;
    }
    return true;
}

bool EqualsNoCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && StartsWithNoCase(a, b);
}

void CFilterList::Clear() {
    items_.clear();
    selected_ = -1;
}

void CFilterList::Add(const std::string& text) {
    items_.push_back(text);
}

int CFilterList::Select(int index) {
    selected_ = (index >= 0 && index < GetCount()) ? index : -1;
    return selected_;
}

std::string CFilterList::SelectedText() const {
    return selected_ >= 0 ? items_[static_cast<size_t>(selected_)] : std::string();
}

int CFilterList::FindPrefix(const std::string& prefix, int after) const {
    const int count = GetCount();
    if (after < -1 || after >= count)
        after = -1;
    for (int step = 1; step <= count; ++step) {
        int i = (after + step) % count;
        if (StartsWithNoCase(items_[static_cast<size_t>(i)], prefix))
            return i;
    }
    return -1;
}

int CFilterList::FindText(const std::string& text, int after) const {
    const int count = GetCount();
    if (after < -1 || after >= count)
        after = -1;
    for (int step = 1; step <= count; ++step) {
        int i = (after + step) % count;
        if (EqualsNoCase(items_[static_cast<size_t>(i)], text))
            return i;
    }
    return -1;
}

int CFilterList::FindExact(const std::string& text) const {
    for (int i = 0; i < GetCount(); ++i) {
        if (items_[static_cast<size_t>(i)] == text)
            return i;
    }
    return -1;
}
