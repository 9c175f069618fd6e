#pragma once

// The orderings of elements for drawing by layer or by colour, on any
// sequence of element pointers (the list's own items, or a drawing pass's
// copy of a bucket).
//
// Two keys, both from the attribute record and compared as unsigned 16-bit
// values: the layer code (group * 16 + layer, so group 0's layers come before
// group 1's) and the pen colour. Every ordering is stable, O(n log n):
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
#include <cstdint>
#include <vector>

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

} // namespace element_ordering

// Orders the pointers (shared or raw) as the order and kind choose. Each
// element's keys are read once into a packed key (layer code, colour, then
// the position, which keeps equal keys in order), so the sort compares
// numbers instead of reading two elements for every comparison.
template <typename Items>
void OrderElements(Items& items, int order, int kind)
{
    using namespace element_ordering;
    const SortKeys keys = ChooseKeys(order, kind);
    if (keys.reverse_first)
        std::reverse(items.begin(), items.end());
    if (keys.layer == Direction::None && keys.color == Direction::None)
        return;
    const auto part = [](Direction direction, unsigned value) -> std::uint64_t {
        return direction == Direction::Ascending ? value : direction == Direction::Descending ? 0xFFFFu - value : 0;
    };
    std::vector<std::uint64_t> keyed(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        keyed[i] = part(keys.layer, items[i]->GetGroupLayerCode()) << 48
            | part(keys.color, items[i]->GetPenColor()) << 32 | static_cast<std::uint64_t>(i);
    }
    std::sort(keyed.begin(), keyed.end());
    Items sorted(items.size());
    for (std::size_t i = 0; i < keyed.size(); ++i)
        sorted[i] = std::move(items[keyed[i] & 0xFFFFFFFFu]);
    items.swap(sorted);
}
