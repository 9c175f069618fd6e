#pragma once

// The index rule of the model's containers: a read or write position is taken
// by its absolute value and limited to the last element, so -3 means element 3
// and any index past the end means the last element. The absolute value is
// taken in 64 bits, so INT_MIN means the last element too.

#include <cstddef>
#include <cstdint>

// The element that `index` stands for among `count` elements; -1 when there
// are none.
inline int ClampToLastIndex(int index, std::size_t count)
{
    const std::int64_t magnitude = index < 0 ? -static_cast<std::int64_t>(index) : index;
    const std::int64_t last = static_cast<std::int64_t>(count) - 1;
    return static_cast<int>(magnitude < last ? magnitude : last);
}

// A size given as a signed number means its absolute value.
inline std::size_t AbsoluteSize(int size)
{
    return size < 0 ? static_cast<std::size_t>(-static_cast<std::int64_t>(size)) : static_cast<std::size_t>(size);
}
