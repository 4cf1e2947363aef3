#include "ValueCollection.h"

#include "TextFormat.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// Orders numbers with NaN after every number, so a NaN read from a catalogue cannot upset
// the sort.
bool NumberLess(double a, double b) {
    if (std::isnan(a) || std::isnan(b))
        return !std::isnan(a) && std::isnan(b);
    return a < b;
}

} // namespace

void CValueCollection::Clear() {
    byTag_.clear();
    byText_.clear();
    entries_.clear();
}

void CValueCollection::PutValue(double value, double key) {
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    if (byTag_.find(bits) != byTag_.end())
        return;
    char text[32];
    FormatValue(value, text, sizeof text);
    Insert(bits, text, key, value);
}

void CValueCollection::PutText(uint64_t tag, const char* text) {
    if (byTag_.find(tag) != byTag_.end())
        return;
    Insert(tag, text, 0, 0);
}

void CValueCollection::Insert(uint64_t tag, const char* text, double key, double value) {
    auto found = byText_.find(text);
    if (found != byText_.end()) {
        byTag_.emplace(tag, found->second);
        return;
    }
    size_t index = entries_.size();
    entries_.push_back(Entry{text, key, value});
    byText_.emplace(entries_.back().text, index);
    byTag_.emplace(tag, index);
}

std::vector<std::string> CValueCollection::SortedByKey(size_t limit) const {
    std::vector<const Entry*> order;
    order.reserve(entries_.size());
    for (const Entry& entry : entries_)
        order.push_back(&entry);
    std::sort(order.begin(), order.end(), [](const Entry* a, const Entry* b) {
        if (NumberLess(a->key, b->key) || NumberLess(b->key, a->key))
            return NumberLess(a->key, b->key);
        if (NumberLess(a->value, b->value) || NumberLess(b->value, a->value))
            return NumberLess(a->value, b->value);
        return a->text < b->text;
    });
    std::vector<std::string> texts;
    texts.reserve(std::min(limit, order.size()));
    for (size_t i = 0; i < order.size() && i < limit; ++i)
        texts.push_back(order[i]->text);
    return texts;
}

std::vector<std::string> CValueCollection::SortedByLength(size_t limit) const {
    std::vector<std::string> texts;
    texts.reserve(entries_.size());
    for (const Entry& entry : entries_)
        texts.push_back(entry.text);
    std::sort(texts.begin(), texts.end(), [](const std::string& a, const std::string& b) {
        if (a.size() != b.size())
            return a.size() < b.size();
        return a < b;
    });
    if (texts.size() > limit)
        texts.resize(limit);
    return texts;
}
