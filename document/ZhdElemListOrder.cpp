// Orderings of an element list for drawing by layer or by colour.
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
//
// The set of elements does not change, so no counter is touched.

#include "document/ZhdElemList.h"

#include "elements/ZhdElem.h"

#include <algorithm>

namespace {

enum class Direction { None, Ascending, Descending };

struct SortKeys {
    Direction layer;
    Direction color;
    bool reverse_first;
};

SortKeys ChooseKeys(int order, int kind)
{
    if (order == 1 || order == 2) {
        const Direction layer = order == 1 ? Direction::Ascending : Direction::Descending;
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
    switch (kind) {
    case 1:
        return { Direction::None, Direction::Ascending, false };
    case 2:
        return { Direction::None, Direction::Descending, false };
    case 3:
        return { Direction::None, Direction::None, true };
    default:
        return { Direction::None, Direction::None, false };
    }
}

// -1 when a comes first, 1 when b does, 0 when the key does not tell.
int CompareKey(Direction direction, unsigned a, unsigned b)
{
    if (direction == Direction::None || a == b)
        return 0;
    const bool a_first = direction == Direction::Ascending ? a < b : a > b;
    return a_first ? -1 : 1;
}

} // namespace

int TZhdElemList::SortByLayer()
{
    return Sort(1, 0);
}

int TZhdElemList::Sort(int order, int kind)
{
    const SortKeys keys = ChooseKeys(order, kind);
    if (keys.reverse_first)
        Reverse();
    if (keys.layer == Direction::None && keys.color == Direction::None)
        return Size();
    std::stable_sort(items_.begin(), items_.end(), [&keys](const TZhdElemPtr& a, const TZhdElemPtr& b) {
        const int by_layer = CompareKey(keys.layer, a->GetGroupLayerCode(), b->GetGroupLayerCode());
        if (by_layer != 0)
            return by_layer < 0;
        return CompareKey(keys.color, a->GetPenColor(), b->GetPenColor()) < 0;
    });
    return Size();
}
