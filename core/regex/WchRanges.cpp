#include "core/regex/WchRanges.h"

#include "core/regex/CharCode.h"

#include <algorithm>

namespace {

bool CompareRanges(const TbmREWchRange& a, const TbmREWchRange& b)
{
    return a.lo != b.lo ? a.lo < b.lo : a.hi < b.hi;
}

} // namespace

std::size_t TbmREWchRanges::LowerBound(int lo, int hi) const
{
    return static_cast<std::size_t>(
        std::lower_bound(entries_.begin(), entries_.end(), TbmREWchRange { lo, hi }, CompareRanges) - entries_.begin());
}

int TbmREWchRanges::IndexOf(int lo, int hi) const
{
    const std::size_t index = LowerBound(lo, hi);
    if (index < entries_.size() && entries_[index] == TbmREWchRange { lo, hi })
        return static_cast<int>(index);
    return -1;
}

void TbmREWchRanges::Add(int lo, int hi)
{
    if (hi < lo)
        return;
    // The first entry that may reach into [lo, hi]: the one before the first
    // entry starting at lo or later, when it ends at lo or later.
    std::size_t index = LowerBound(lo, lo);
    if (index > 0 && entries_[index - 1].hi >= lo) {
        --index;
        if (entries_[index].lo < lo) {
            // Cut the entry that straddles lo.
            const int old_hi = entries_[index].hi;
            entries_[index].hi = lo - 1;
            entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(++index), { lo, old_hi });
        }
    }
    // Walk the entries inside [lo, hi], filling the gaps before them.
    long long next = lo;  // the first code of [lo, hi] not handled yet
    while (next <= hi) {
        if (index == entries_.size() || entries_[index].lo > hi) {
            entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(index), { static_cast<int>(next), hi });
            return;
        }
        if (entries_[index].lo > next) {
            entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(index),
                            { static_cast<int>(next), entries_[index].lo - 1 });
            ++index;
        }
        if (entries_[index].hi > hi) {
            // Cut the entry that straddles hi.
            const int old_hi = entries_[index].hi;
            entries_[index].hi = hi;
            entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(index) + 1, { hi + 1, old_hi });
        }
        next = static_cast<long long>(entries_[index].hi) + 1;
        ++index;
    }
}

void TbmREWchRanges::AddRanges(const TbmREWchRanges& other)
{
    for (const TbmREWchRange& range : other.entries_)
        Add(range.lo, range.hi);
}

void TbmREWchRanges::AddAnyChar()
{
    Add(0, 9);
    Add(11, 12);
    Add(14, kMaxCharCode);
}

void TbmREWchRanges::AddLineBreaks()
{
    Add(10, 10);
    Add(13, 13);
}

void TbmREWchRanges::Invert(int lo, int hi)
{
    std::vector<TbmREWchRange> gaps;
    long long next = lo;  // the first code not yet known to be covered
    for (const TbmREWchRange& range : entries_) {
        if (range.lo > next && next <= hi)
            gaps.push_back({ static_cast<int>(next), std::min(range.lo - 1, hi) });
        next = std::max<long long>(next, static_cast<long long>(range.hi) + 1);
    }
    if (next <= hi)
        gaps.push_back({ static_cast<int>(next), hi });
    entries_ = std::move(gaps);
}
