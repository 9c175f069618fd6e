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

// Where a walk that takes `per_bit` points to a pattern bit stands: point i
// reads bit (i div per_bit) mod dots, and the count i starts again at 0
// after per_bit x 32 points (so a dot count that does not divide 32 has its
// last repetition cut short there). Followed point by point, without
// dividing.
class TPatternPosition {
public:
    TPatternPosition(int pattern, int dots, int per_bit)
        : pattern_(pattern), dots_(dots), per_bit_(per_bit), wrap_(static_cast<long long>(per_bit) * bits)
    {
    }

    bool PenDown() const { return IsPenDown(pattern_, bit_); }

    void Advance()
    {
        if (++point_ == wrap_) {
            point_ = 0;
            within_bit_ = 0;
            bit_ = 0;
        } else if (++within_bit_ == per_bit_) {
            within_bit_ = 0;
            if (++bit_ == dots_)
                bit_ = 0;
        }
    }

private:
    int pattern_;
    int dots_;
    int per_bit_;
    long long wrap_;
    long long point_ = 0;
    int within_bit_ = 0;
    int bit_ = 0;
};

} // namespace line_pattern
