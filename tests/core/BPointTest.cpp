#include "core/BPoint.h"

#include "platform/Stream.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

TEST(BPoint, ConstructionAndCopiesCarryTheTag)
{
    const TBPoint defaulted;
    EXPECT_EQ(defaulted.GetX(), 0);
    EXPECT_EQ(defaulted.GetY(), 0);
    EXPECT_EQ(defaulted.GetTag(), 0);

    const TBPoint from_ints(3, -4, 9);
    EXPECT_EQ(from_ints.GetX(), 3.0);
    EXPECT_EQ(from_ints.GetY(), -4.0);

    const TBPoint tagged(1.5, 2.5, 7);
    TBPoint target(0.0, 0.0, 1);
    target = tagged;
    EXPECT_EQ(target.GetTag(), 7);
    TBPoint assigned;
    EXPECT_EQ(&assigned.Assign(tagged), &assigned);
    EXPECT_EQ(assigned.GetTag(), 7);
    EXPECT_EQ(assigned.GetX(), 1.5);
    EXPECT_EQ(tagged.Clone().GetTag(), 7);

    assigned.SetXY(8, 9);
    EXPECT_EQ(assigned.GetTag(), 7);
    assigned.SetXYTag(1, 2, 3);
    EXPECT_EQ(assigned.GetTag(), 3);
    assigned.SetXYTagInt(4, 5, 6);
    EXPECT_EQ(assigned.GetX(), 4);
    EXPECT_EQ(assigned.GetTag(), 6);
    EXPECT_EQ(assigned.SetTag(-2), -2);
    EXPECT_EQ(assigned.SetX(0.25), 0.25);
    EXPECT_EQ(assigned.SetYInt(-12), -12);
    EXPECT_EQ(assigned.GetY(), -12.0);
}

TEST(BPoint, EqualityUsesTheDistanceAndIgnoresTags)
{
    EXPECT_TRUE(TBPoint(0.0, 0.0) == TBPoint(5e-13, 0.0));
    EXPECT_FALSE(TBPoint(0.0, 0.0) == TBPoint(2e-12, 0.0));
    EXPECT_TRUE(TBPoint(0.0, 0.0) != TBPoint(2e-12, 0.0));
    // Each coordinate is within 1e-12, the distance is not.
    EXPECT_TRUE(TBPoint(0.0, 0.0) != TBPoint(0.9e-12, 0.9e-12));
    EXPECT_TRUE(TBPoint(1.0, 2.0, 5) == TBPoint(1.0, 2.0, 7));
    EXPECT_FALSE(TBPoint(1.0, 2.0, 5) != TBPoint(1.0, 2.0, 7));
}

TEST(BPoint, ArithmeticTags)
{
    const TBPoint a(1.0, 2.0, 5);
    const TBPoint b(10.0, 20.0, 7);
    const TBPoint sum = a + b;
    EXPECT_EQ(sum.GetX(), 11);
    EXPECT_EQ(sum.GetY(), 22);
    EXPECT_EQ(sum.GetTag(), 0);
    const TBPoint difference = a - b;
    EXPECT_EQ(difference.GetX(), -9);
    EXPECT_EQ(difference.GetTag(), 0);

    TBPoint accumulated = a;
    accumulated += b;
    EXPECT_EQ(accumulated.GetX(), 11);
    EXPECT_EQ(accumulated.GetTag(), 5);
    accumulated -= b;
    EXPECT_EQ(accumulated.GetY(), 2);
    EXPECT_EQ(accumulated.GetTag(), 5);
}

TEST(BPoint, IntegerCoordinatesTruncateAndWrap)
{
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        double value;
        int expected;
    };
    const Case cases[] = {
        { 2.9, 2 },
        { -2.9, -2 },
        { -0.5, 0 },
        { 1e10, 1410065408 },          // the low 32 bits of 10000000000
        { -1e10, -1410065408 },
        { 4294967296.0 + 5, 5 },
        { std::numeric_limits<double>::quiet_NaN(), 0 },
        { inf, -1 },                   // saturated to 2^63 - 1
        { 1e300, -1 },
        { -inf, 0 },                   // saturated to -2^63
        { -9223372036854775808.0, 0 }, // exactly -2^63: in range
    };
    for (const Case& c : cases) {
        const TBPoint point(c.value, c.value);
        EXPECT_EQ(point.GetXInt(), c.expected) << c.value;
        EXPECT_EQ(point.GetYInt(), c.expected) << c.value;
    }
}

TEST(BPoint, DistanceTo)
{
    EXPECT_EQ(TBPoint(1, 1).DistanceTo(TBPoint(4, 5)), 5);
}

TEST(BPoint, RecordRoundTrip)
{
    const TBPoint point(-1.25, 3e100, -77);
    for (int flag : { 0, 1 }) {
        TMemoryStream stream;
        point.Write(stream, 420, flag);
        ASSERT_EQ(stream.GetSize(), flag ? 20u : 16u);
        double x = 0;
        std::memcpy(&x, stream.Memory(), sizeof x);
        EXPECT_EQ(x, -1.25);

        stream.SetPosition(0);
        TBPoint read(0.0, 0.0, 9);
        read.Read(stream, 420, flag);
        EXPECT_FALSE(stream.RanShort());
        EXPECT_EQ(read.GetX(), -1.25);
        EXPECT_EQ(read.GetY(), 3e100);
        EXPECT_EQ(read.GetTag(), flag ? -77 : 9);
    }
}

TEST(BPoint, ShortRecordReadsZerosAndFlagsTheStream)
{
    TMemoryStream source;
    TBPoint(7.5, 8.5, 3).Write(source, 0, 1);
    std::vector<std::uint8_t> bytes = source.Bytes();
    bytes.resize(12); // x and half of y
    TMemoryStream stream(bytes);

    TBPoint read(1.0, 2.0, 4);
    read.Read(stream, 0, 1);
    EXPECT_TRUE(stream.RanShort());
    EXPECT_EQ(read.GetX(), 7.5);
    EXPECT_EQ(read.GetY(), 0.0) << "half a value reads as zero";
    EXPECT_EQ(read.GetTag(), 0);
}
