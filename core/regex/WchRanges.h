#pragma once

// The alphabet partition: a sorted list of disjoint closed ranges of
// character codes. After any number of Add calls the entries are exactly the
// maximal runs of consecutive codes covered by the same set of added ranges,
// so every added range is the union of a run of consecutive entries, and the
// automaton can treat each entry as one letter of its alphabet.

#include <cstddef>
#include <vector>

struct TbmREWchRange {
    int lo;
    int hi;
    bool operator==(const TbmREWchRange&) const = default;
};

class TbmREWchRanges {
public:
    // Adds [lo, hi], cutting the entries it straddles at its ends and filling
    // its uncovered parts with new entries. An empty range (hi < lo) adds
    // nothing.
    void Add(int lo, int hi);
    void AddRanges(const TbmREWchRanges& other);
    // Every code that "." matches: 0-9, 11-12, 14-0xFFFF.
    void AddAnyChar();
    // Line feed and carriage return.
    void AddLineBreaks();
    // Replaces the list by the runs of [lo, hi] that no entry covers.
    void Invert(int lo, int hi);
    void Clear() { entries_.clear(); }

    // The first index whose entry does not compare below [lo, hi] (ordered
    // by lo, then hi).
    std::size_t LowerBound(int lo, int hi) const;
    // The index of the entry that is exactly [lo, hi], or -1.
    int IndexOf(int lo, int hi) const;

    std::size_t Count() const { return entries_.size(); }
    const TbmREWchRange& operator[](std::size_t index) const { return entries_[index]; }
    const std::vector<TbmREWchRange>& Entries() const { return entries_; }

private:
    std::vector<TbmREWchRange> entries_;
};
