#pragma once

// The orderings of elements for drawing by layer or by colour, on any
// sequence of element pointers (the list's own items, or a drawing pass's
// copy of a bucket).
//
// Two keys, both from the attribute record and compared as unsigned 16-bit
// values: the layer code (group * 16 + layer, so group 0's layers come before
// group 1's) and the pen colour. Every ordering is a stable sort, O(n log n):
// elements with equal keys keep their relative order. The choice:
//
//   order 1 (ascending layer code) or 2 (descending), with kind
//     1: equal layer codes by ascending colour
//     2: equal layer codes by descending colour
//     3: reverse the list first, then by layer code alone
//     other: by layer code alone
//   any other order, with kind
//     1: ascending colour; 2: descending colour; 3: reverse only;
//     other: nothing.

#include "elements/ZhdElem.h"

#include <algorithm>

namespace element_ordering {

enum class Direction { None, Ascending, Descending };

struct SortKeys {
    Direction layer;
    Direction color;
    bool reverse_first;
};

constexpr SortKeys ChooseKeys(int order, int kind)
{
    const Direction layer = order == 1 ? Direction::Ascending : order == 2 ? Direction::Descending : Direction::None;
    switch (kind) {
    case 1:
        return { layer, Direction::Ascending, false };
    case 2:
        return { layer, Direction::Descending, false };
    case 3:
        return { layer, Direction::None, true };
    default:
        return { layer, Direction::None, false };
    }
}

// -1 when a comes first, 1 when b does, 0 when the key does not tell.
constexpr int CompareKey(Direction direction, unsigned a, unsigned b)
{
    if (direction == Direction::None || a == b)
        return 0;
    const bool a_first = direction == Direction::Ascending ? a < b : a > b;
    return a_first ? -1 : 1;
}

} // namespace element_ordering

// Orders the pointers (shared or raw) as the order and kind choose.
template <typename Items>
void OrderElements(Items& items, int order, int kind)
{
    using namespace element_ordering;
    const SortKeys keys = ChooseKeys(order, kind);
    if (keys.reverse_first)
        std::reverse(items.begin(), items.end());
    if (keys.layer == Direction::None && keys.color == Direction::None)
        return;
    std::stable_sort(items.begin(), items.end(), [&keys](const auto& a, const auto& b) {
        const int by_layer = CompareKey(keys.layer, a->GetGroupLayerCode(), b->GetGroupLayerCode());
        if (by_layer != 0)
            return by_layer < 0;
        return CompareKey(keys.color, a->GetPenColor(), b->GetPenColor()) < 0;
    });
}
