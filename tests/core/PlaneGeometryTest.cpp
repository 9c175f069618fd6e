#include "core/PlaneGeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double stale = -777; // what a caller left in an out-parameter

struct Overlap {
    double x = stale, y = stale;
    int code = -1;
    int result = -1;
};

Overlap OverlapWithXAxisSegment(double x3, double y3, double x4, double y4)
{
    Overlap o;
    o.result = IntersectSegmentsWithOverlap(0, 0, 10, 0, x3, y3, x4, y4, o.x, o.y, o.code);
    return o;
}

} // namespace

TEST(PlaneGeometry, SignsAndOrder)
{
    EXPECT_EQ(Sign(0.0), 1.0);
    EXPECT_EQ(Sign(-0.0), 1.0);
    EXPECT_EQ(Sign(-1e-300), -1.0);
    EXPECT_EQ(SignOfInt(0), 1);
    EXPECT_EQ(SignOfInt(-5), -1);
    // Equal values give the second argument: visible with signed zeros.
    EXPECT_TRUE(std::signbit(MaxOf(0.0, -0.0)));
    EXPECT_TRUE(std::signbit(MinOf(0.0, -0.0)));
    EXPECT_EQ(MaxOf(2, 3), 3);
    EXPECT_EQ(MinOf(2, 3), 2);
}

TEST(PlaneGeometry, RoundToRoundsHalvesAwayFromZero)
{
    EXPECT_EQ(RoundTo(2.5, 0), 3);
    EXPECT_EQ(RoundTo(-2.5, 0), -3);
    EXPECT_DOUBLE_EQ(RoundTo(1.23456, 2), 1.23);
    EXPECT_DOUBLE_EQ(RoundTo(-1.235, 1), -1.2);
}

TEST(PlaneGeometry, DoubleFactorial)
{
    EXPECT_EQ(DoubleFactorial(5), 15);
    EXPECT_EQ(DoubleFactorial(6), 48);
    EXPECT_EQ(DoubleFactorial(4.5), 4.5 * 2.5);
    EXPECT_EQ(DoubleFactorial(3.5), 3.5 * 1.5);
    EXPECT_EQ(DoubleFactorial(1), 1);
    EXPECT_EQ(DoubleFactorial(-3), 1);
    EXPECT_EQ(DoubleFactorial(kNaN), 1);
    // These would never finish by counting down in steps of 2.
    EXPECT_EQ(DoubleFactorial(kInf), kInf);
    EXPECT_EQ(DoubleFactorial(1e300), kInf);
}

TEST(PlaneGeometry, Distance)
{
    EXPECT_EQ(Distance(1, 1, 4, 5), 5);
}

TEST(PlaneGeometry, PerpendicularFoot)
{
    double fx = stale, fy = stale, along = stale, offset = stale;
    EXPECT_EQ(PerpendicularFootXYEx(0, 0, 10, 0, 5, 3, fx, fy, along, offset), 1);
    EXPECT_DOUBLE_EQ(fx, 5);
    EXPECT_DOUBLE_EQ(fy, 0);
    EXPECT_DOUBLE_EQ(along, 5);
    EXPECT_DOUBLE_EQ(offset, 3);

    EXPECT_EQ(PerpendicularFootXYEx(0, 0, 10, 0, -1, 3, fx, fy, along, offset), 0);
    EXPECT_DOUBLE_EQ(fx, -1);
    EXPECT_DOUBLE_EQ(fy, 0);

    EXPECT_EQ(PerpendicularFootXYEx(0, 0, 10, 0, 10, -2, fx, fy, along, offset), 1);
    EXPECT_DOUBLE_EQ(offset, -2);

    // Offsets are positive on the left of P1->P2, also for a slanted segment.
    EXPECT_EQ(PerpendicularFootXY(0, 0, 0, 10, -4, 7, fx, fy), 1);
    EXPECT_NEAR(fx, 0, 1e-15);
    EXPECT_DOUBLE_EQ(fy, 7);
    EXPECT_EQ(PerpendicularFootXYEx(0, 0, 0, 10, -4, 7, fx, fy, along, offset), 1);
    EXPECT_DOUBLE_EQ(offset, 4);
}

TEST(PlaneGeometry, DegenerateFirstSegmentLeavesOutputsAsTheCallerSetThem)
{
    double fx = stale, fy = stale, along = stale, offset = stale;
    EXPECT_EQ(PerpendicularFootXYEx(1, 1, 1 + 5e-11, 1, 5, 3, fx, fy, along, offset), 0);
    EXPECT_EQ(fx, stale);
    EXPECT_EQ(fy, stale);
    EXPECT_EQ(along, stale);
    EXPECT_EQ(offset, stale);

    double x = stale, y = stale;
    EXPECT_EQ(IntersectSegmentsXYEx(1, 1, 1, 1, 0, 0, 5, 5, x, y, along), 0);
    EXPECT_EQ(x, stale);
    EXPECT_EQ(y, stale);
    EXPECT_EQ(along, stale);

    int code = -1;
    EXPECT_EQ(ProjectPointOntoSegment(2, 3, 2, 3, 9, 9, fx, fy, code), 0);
    EXPECT_EQ(fx, 2);
    EXPECT_EQ(fy, 3);
    EXPECT_EQ(code, PositionOutside);
}

TEST(PlaneGeometry, ProjectPointOntoSegmentCodes)
{
    struct Case {
        double px, py;
        double fx, fy;
        int code;
    };
    const Case cases[] = {
        { 10, 5, 10, 0, PositionAtEnd },
        { 5, 5, 5, 0, PositionInside },
        { 11, 0, 11, 0, PositionOutside },
        { 5e-11, 1, 5e-11, 0, PositionAtEnd },
        { -5e-11, 1, -5e-11, 0, PositionAtEnd },
        { -1e-10, 1, -1e-10, 0, PositionOutside },
    };
    for (const Case& c : cases) {
        double fx = stale, fy = stale;
        int code = -1;
        EXPECT_EQ(ProjectPointOntoSegment(0, 0, 10, 0, c.px, c.py, fx, fy, code), 1) << c.px;
        EXPECT_DOUBLE_EQ(fx, c.fx) << c.px;
        EXPECT_DOUBLE_EQ(fy, c.fy) << c.px;
        EXPECT_EQ(code, c.code) << c.px << "," << c.py;
    }
}

TEST(PlaneGeometry, IntersectSegments)
{
    double x = stale, y = stale, along = stale;
    EXPECT_EQ(IntersectSegmentsXYEx(0, 0, 10, 0, 5, -1, 5, 1, x, y, along), 1);
    EXPECT_DOUBLE_EQ(x, 5);
    EXPECT_DOUBLE_EQ(y, 0);
    EXPECT_DOUBLE_EQ(along, 5);

    // The lines meet off the second segment: the point is written all the same.
    x = y = stale;
    EXPECT_EQ(IntersectSegmentsXY(0, 0, 10, 0, 5, 1, 5, 2, x, y), 0);
    EXPECT_DOUBLE_EQ(x, 5);
    EXPECT_DOUBLE_EQ(y, 0);

    // Parallel: nothing is written.
    x = y = along = stale;
    EXPECT_EQ(IntersectSegmentsXYEx(0, 0, 10, 0, 0, 1, 10, 1, x, y, along), 0);
    EXPECT_EQ(x, stale);
    EXPECT_EQ(y, stale);
    EXPECT_EQ(along, stale);

    // A slanted crossing off the end of the first segment.
    EXPECT_EQ(IntersectSegmentsXYEx(0, 0, 2, 2, 3, 0, 3, 5, x, y, along), 0);
    EXPECT_DOUBLE_EQ(x, 3);
    EXPECT_DOUBLE_EQ(y, 3);
    EXPECT_DOUBLE_EQ(along, 3 * std::sqrt(2.0));

    // Touching the second segment's end counts, within the tolerance.
    EXPECT_EQ(IntersectSegmentsXY(0, 0, 10, 0, 4, 5e-11, 6, 1, x, y), 1);
}

TEST(PlaneGeometry, IntersectSegmentsWithOverlapCodes)
{
    struct Case {
        double x3, y3, x4, y4;
        double x, y;
        int code, result;
    };
    const Case cases[] = {
        { 5, -5, 5, 5, 5, 0, PositionInside, 1 },
        { 10, -5, 10, 5, 10, 0, PositionAtEnd, 1 },
        { 5, 0, 5, 5, 5, 0, PositionAtEnd, 1 },
        { 2, 0, 20, 0, 6, 0, PositionOnOneLine, 1 },
        { 10, 0, 20, 0, 10, 0, PositionAtEnd, 1 },
        { 12, 0, 20, 0, 11, 0, PositionOnOneLine, 1 },
        { 20, 0, 12, 0, 11, 0, PositionOnOneLine, 1 },
        { 0, 1, 10, 1, 0, 0, PositionOutside, 0 },
        { 15, -5, 15, 5, 15, 0, PositionOutside, 1 },
        { 5, 1, 5, 5, 5, 0, PositionOutside, 1 },
        // A degenerate second segment is its point, projected onto the first.
        { 4, 3, 4, 3, 4, 0, PositionInside, 1 },
    };
    for (const Case& c : cases) {
        const Overlap o = OverlapWithXAxisSegment(c.x3, c.y3, c.x4, c.y4);
        EXPECT_EQ(o.result, c.result) << c.x3 << "," << c.y3 << " " << c.x4 << "," << c.y4;
        EXPECT_EQ(o.code, c.code) << c.x3 << "," << c.y3 << " " << c.x4 << "," << c.y4;
        EXPECT_DOUBLE_EQ(o.x, c.x) << c.x3 << "," << c.y3 << " " << c.x4 << "," << c.y4;
        EXPECT_DOUBLE_EQ(o.y, c.y) << c.x3 << "," << c.y3 << " " << c.x4 << "," << c.y4;
    }
}

TEST(PlaneGeometry, OverlapWithADegenerateFirstSegmentProjectsItsPoint)
{
    double x = stale, y = stale;
    int code = -1;
    // However far the point lies from the other segment's line.
    EXPECT_EQ(IntersectSegmentsWithOverlap(3, 40, 3, 40, 0, 0, 10, 0, x, y, code), 1);
    EXPECT_DOUBLE_EQ(x, 3);
    EXPECT_DOUBLE_EQ(y, 0);
    EXPECT_EQ(code, PositionInside);
}

// A NaN or an infinity anywhere: 0, and the outputs keep what the caller
// left there.
TEST(PlaneGeometry, NonFiniteInputReturnsZeroAndWritesNothing)
{
    const double odd_values[] = { kNaN, kInf, -kInf };
    for (double odd : odd_values) {
        SCOPED_TRACE(odd);
        double x = stale, y = stale, along = stale, offset = stale;
        int code = -1;
        EXPECT_EQ(IntersectSegmentsXYEx(0, 0, odd, 0, 1, 1, 2, 2, x, y, along), 0);
        EXPECT_EQ(IntersectSegmentsXYEx(0, 0, 10, 0, 1, odd, 2, 2, x, y, along), 0);
        EXPECT_EQ(IntersectSegmentsWithOverlap(0, 0, 10, 0, odd, 0, odd, 0, x, y, code), 0);
        EXPECT_EQ(IntersectSegmentsWithOverlap(0, 0, odd, 0, 1, 0, 2, 0, x, y, code), 0);
        EXPECT_EQ(PerpendicularFootXYEx(0, 0, 10, 0, odd, 1, x, y, along, offset), 0);
        EXPECT_EQ(ProjectPointOntoSegment(odd, 0, odd, 0, 1, 1, x, y, code), 0);
        EXPECT_EQ(x, stale);
        EXPECT_EQ(y, stale);
        EXPECT_EQ(along, stale);
        EXPECT_EQ(offset, stale);
        EXPECT_EQ(code, -1);
    }
}

TEST(PlaneGeometry, RectsOverlapIncludesTouching)
{
    EXPECT_EQ(RectsOverlap(0, 0, 1, 1, 1, 1, 2, 2), 1);
    EXPECT_EQ(RectsOverlap(0, 0, 1, 1, 1.0000001, 0, 2, 1), 0);
    EXPECT_EQ(RectsOverlap(0, 0, 1, 1, 0, -3, 1, -0.5), 0);
    EXPECT_EQ(RectsOverlap(0, 0, 10, 10, 2, 2, 3, 3), 1);
}
