#pragma once

// The dash pattern of a header line type, as the line and arc walks read it:
// 32 bits from bit 31 downward, `dots` of them (1 to 32) to a repetition, a
// set bit meaning pen down (for a zig-zag, an offset to the right).

#include <cstdint>

namespace line_pattern {

inline constexpr int bits = 32;

// Bit `index` of the repetition, counted from bit 31.
inline bool IsPenDown(int pattern, int index)
{
    return ((static_cast<std::uint32_t>(pattern) >> (bits - 1 - index)) & 1u) != 0;
}

// The bits one repetition of `dots` reads.
inline std::uint32_t UsedBits(int dots)
{
    return static_cast<std::uint32_t>(~(0xFFFFFFFFull >> dots));
}

// The pen never lifts: the pattern is a solid line.
inline bool NeverLifts(int pattern, int dots)
{
    return (static_cast<std::uint32_t>(pattern) & UsedBits(dots)) == UsedBits(dots);
}

// The pen never comes down: the pattern draws nothing.
inline bool NeverDown(int pattern, int dots)
{
    return (static_cast<std::uint32_t>(pattern) & UsedBits(dots)) == 0;
}

} // namespace line_pattern
