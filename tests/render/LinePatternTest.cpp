// The pattern bits of line types: which bits a repetition reads, and where a
// walk of several points to a bit stands, against the rule written out with
// divisions.

#include "render/LinePattern.h"

#include <gtest/gtest.h>

TEST(LinePattern, PenNeverLiftsOrNeverComesDown)
{
    struct Case {
        std::uint32_t pattern;
        int dots;
        bool never_lifts;
        bool never_down;
    };
    const Case cases[] = {
        { 0xFFFFFFFF, 32, true, false }, { 0xFFFF0000, 16, true, false }, { 0xFFFF0000, 17, false, false },
        { 0x80000000, 1, true, false },  { 0x7FFFFFFF, 1, false, true },  { 0x0000FFFF, 16, false, true },
        { 0x00000001, 32, false, false }, { 0xF0F0F0F0, 8, false, false },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(line_pattern::NeverLifts(static_cast<int>(c.pattern), c.dots), c.never_lifts) << std::hex << c.pattern;
        EXPECT_EQ(line_pattern::NeverDown(static_cast<int>(c.pattern), c.dots), c.never_down) << std::hex << c.pattern;
    }
}

// Point i of a walk reads bit 31 - (i div per_bit) mod dots, i counting
// again from 0 after per_bit x 32 points: the oracle divides, the position
// follows point by point.
TEST(LinePattern, PositionFollowsTheDividedRule)
{
    constexpr int pattern = static_cast<int>(0xB5E3C1A7u);
    for (const int per_bit : { 1, 2, 3, 7 }) {
        for (const int dots : { 1, 5, 7, 16, 31, 32 }) {
            line_pattern::TPatternPosition position(pattern, dots, per_bit);
            const long long wrap = static_cast<long long>(per_bit) * 32;
            for (long long i = 0; i < 3 * wrap + 5; ++i) {
                const long long index = i % wrap;
                const bool oracle = line_pattern::IsPenDown(pattern, static_cast<int>((index / per_bit) % dots));
                ASSERT_EQ(position.PenDown(), oracle) << "per bit " << per_bit << ", dots " << dots << ", point " << i;
                position.Advance();
            }
        }
    }
}
