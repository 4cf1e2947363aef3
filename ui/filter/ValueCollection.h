#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

// Distinct texts gathered during one catalogue pass, each with the sort key of the first
// value that produced it. Values are remembered by their bit pattern so that a value seen
// before costs one hash lookup and no formatting.
class CValueCollection {
public:
    struct Entry {
        std::string text;
        double key;   // sort key
        double value; // breaks ties between equal keys
    };

    void Clear();
    // Adds "%g" of `value` with `key` unless that text is already present.
    void PutValue(double value, double key);
    // Adds `text` (sort key 0) under `tag`, a caller-made code identifying the text, unless
    // that text is already present.
    void PutText(uint64_t tag, const char* text);

    // The texts, sorted by key (smallest first), at most `limit` of them.
    std::vector<std::string> SortedByKey(size_t limit) const;
    // The texts shortest first, equal lengths by character code, at most `limit` of them.
    std::vector<std::string> SortedByLength(size_t limit) const;

    size_t Size() const { return entries_.size(); }

private:
    void Insert(uint64_t tag, const char* text, double key, double value);

    std::unordered_map<uint64_t, size_t> byTag_;
    std::unordered_map<std::string, size_t> byText_;
    std::vector<Entry> entries_;
};
