#pragma once

// The quicksort that docks and toolbars order their bars and controls with.
//
// Hoare partitioning around the middle item of each range: I rises from the
// left while its item sorts before the pivot, J falls from the right while
// its item sorts after it, the two items are exchanged and both move on,
// until I passes J. The left part is sorted recursively, the right part by
// the loop. The sort is not stable, and that is part of its contract: rows
// of bars with equal keys come out in exactly the order these index
// movements give, and saved layouts depend on it, so the steps must not be
// changed (not even for std::sort, which would order equal keys
// differently). Average cost n log n comparisons, worst n².
//
// The pivot is a copy of the middle item taken when the range is split. With
// a comparator that answers 0 for an item against itself the scans never
// leave the range; the bounds checks only keep a faulty comparator from
// running past it.

#include <cstddef>
#include <utility>
#include <vector>

// Negative, zero or positive as item1 sorts before, with or after item2;
// extra_data is what the caller passed to ListSortEx.
template <typename T, typename Extra>
using TListSortExCompare = int (*)(const T& item1, const T& item2, Extra extra_data);

namespace list_sort_ex_detail {

template <typename T, typename Compare, typename Extra>
void QuickSort(std::vector<T>& list, std::ptrdiff_t left, std::ptrdiff_t right, Compare& compare, Extra& extra)
{
    const auto at = [&list](std::ptrdiff_t index) -> T& { return list[static_cast<std::size_t>(index)]; };
    std::ptrdiff_t i = left;
    do {
        i = left;
        std::ptrdiff_t j = right;
        const T pivot = at(left + (right - left) / 2);
        do {
            while (i < right && compare(at(i), pivot, extra) < 0)
                ++i;
            while (j > left && compare(at(j), pivot, extra) > 0)
                --j;
            if (i <= j) {
                using std::swap;
                swap(at(i), at(j));
                ++i;
                --j;
            }
        } while (i <= j);
        if (left < j)
            QuickSort(list, left, j, compare, extra);
        left = i;
    } while (i < right);
}

} // namespace list_sort_ex_detail

// Sorts list in place; compare(item1, item2, extra) is any callable with the
// meaning of TListSortExCompare. Lists of fewer than two items are left alone.
template <typename T, typename Compare, typename Extra>
void ListSortEx(std::vector<T>& list, Compare compare, Extra extra)
{
    if (list.size() < 2)
        return;
    list_sort_ex_detail::QuickSort(list, 0, static_cast<std::ptrdiff_t>(list.size()) - 1, compare, extra);
}
