// The line's key points, measures, box, nearest points and transformations.

#include "core/Constants.h"
#include "elements/KLine.h"
#include "tests/elements/GeometryTestSupport.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TKLine LineThrough(TBPoint start, TBPoint end)
{
    TKLine line;
    line.SetLine(start, end);
    return line;
}

} // namespace

TEST(LineGeometry, KeyPoints)
{
    const TKLine line = LineThrough(TBPoint(1.0, 2.0, 4), TBPoint(5.0, -6.0, 8));
    EXPECT_EQ(line.GetKeyPoint(0).GetTag(), 4);
    EXPECT_POINT_NEAR(line.GetKeyPoint(1), 3.0, -2.0, 0.0);
    EXPECT_EQ(line.GetKeyPoint(1).GetTag(), 0);
    EXPECT_POINT_NEAR(line.GetKeyPoint(2), 5.0, -6.0, 0.0);
    EXPECT_EQ(line.GetKeyPoint(2).GetTag(), 8);
    for (int other : { -1, 3, 99 })
        EXPECT_POINT_NEAR(line.GetKeyPoint(other), 1.0, 2.0, 0.0);
}

TEST(LineGeometry, ShapeInfoIsLengthAndDirection)
{
    const TShapeInfo info = LineThrough(TBPoint(1.0, 1.0), TBPoint(1.0 - 3, 1.0 + 4)).GetShapeInfo(TBPoint());
    ASSERT_EQ(info.Values.size(), 1u);
    ASSERT_EQ(info.Angles.size(), 1u);
    EXPECT_DOUBLE_EQ(info.Values[0], 5);
    EXPECT_DOUBLE_EQ(info.Angles[0].GetRadians(), std::atan2(4.0, -3.0));

    const TShapeInfo zero = LineThrough(TBPoint(2.0, 2.0), TBPoint(2.0, 2.0)).GetShapeInfo(TBPoint());
    EXPECT_EQ(zero.Values[0], 0);
    EXPECT_EQ(zero.Angles[0].GetRadians(), 0);
}

TEST(LineGeometry, ExtentIsTheBoxOfBothPoints)
{
    const TZhdData document;
    TBPoint min(0.0, 0.0, 3), max;
    LineThrough(TBPoint(5.0, 1.0), TBPoint(2.0, 7.0)).GetExtent(min, max, document, 1);
    EXPECT_POINT_NEAR(min, 2.0, 1.0, 0.0);
    EXPECT_POINT_NEAR(max, 5.0, 7.0, 0.0);
    EXPECT_EQ(min.GetTag(), 3);
}

TEST(LineGeometry, NearestPointIsTheUnclampedFoot)
{
    const TZhdData document;
    const TKLine line = LineThrough(TBPoint(0.0, 0.0), TBPoint(2.0, 0.0));
    struct Row {
        TBPoint query;
        int result;
        double x, y, distance;
    };
    const Row rows[] = {
        { TBPoint(5.0, 5.0), 0, 5, 0, 5 },      // beyond the end: foot on the extension
        { TBPoint(1.0, 5.0), 1, 1, 0, 5 },      // left of start -> end: positive
        { TBPoint(1.0, -5.0), 1, 1, 0, -5 },    // right: negative
        { TBPoint(2.0 + 5e-11, 3.0), 1, 2 + 5e-11, 0, 3 }, // within the tolerance of the end
        { TBPoint(-1e-9, 3.0), 0, -1e-9, 0, 3 },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.query.GetX());
        TBPoint point(0.0, 0.0, 9);
        double distance = 0;
        EXPECT_EQ(line.NearestPoint(row.query, document, point, distance), row.result);
        EXPECT_POINT_NEAR(point, row.x, row.y, 1e-15);
        EXPECT_NEAR(distance, row.distance, 1e-12);
        EXPECT_EQ(point.GetTag(), 9);
    }
}

TEST(LineGeometry, NearestPointOfADegenerateLineOrQueryLeavesTheOutputs)
{
    const TZhdData document;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Row {
        TKLine line;
        TBPoint query;
    };
    const Row rows[] = {
        { LineThrough(TBPoint(1.0, 1.0), TBPoint(1.0 + 5e-11, 1.0)), TBPoint(3.0, 3.0) },
        { LineThrough(TBPoint(0.0, 0.0), TBPoint(2.0, 0.0)), TBPoint(nan, 1.0) },
        { LineThrough(TBPoint(0.0, 0.0), TBPoint(inf, 0.0)), TBPoint(1.0, 1.0) },
    };
    for (const Row& row : rows) {
        TBPoint point(7.0, 8.0);
        double distance = 9;
        EXPECT_EQ(row.line.NearestPoint(row.query, document, point, distance), 0);
        EXPECT_POINT_NEAR(point, 7.0, 8.0, 0.0);
        EXPECT_EQ(distance, 9);
    }
}

TEST(LineGeometry, NearestEndPointTakesTheEndOnATie)
{
    const TZhdData document;
    const TKLine line = LineThrough(TBPoint(0.0, 0.0), TBPoint(4.0, 0.0));
    struct Row {
        TBPoint query;
        double x, distance;
    };
    const Row rows[] = {
        { TBPoint(2.0, 7.0), 4, std::hypot(2.0, 7.0) },
        { TBPoint(1.0, 0.0), 0, 1 },
        { TBPoint(9.0, 0.0), 4, 5 },
    };
    for (const Row& row : rows) {
        TBPoint point;
        double distance = 0;
        EXPECT_EQ(line.NearestEndPoint(row.query, document, point, distance), 1);
        EXPECT_POINT_NEAR(point, row.x, 0.0, 0.0);
        EXPECT_DOUBLE_EQ(distance, row.distance);
    }
}

TEST(LineGeometry, MoveRotateScaleKeepTheTags)
{
    const TZhdData document;
    TKLine line = LineThrough(TBPoint(1.0, 0.0, 2), TBPoint(0.0, 2.0, 3));
    line.Move(1, 1, document);
    EXPECT_POINT_NEAR(line.GetStart(), 2.0, 1.0, 0.0);
    line.MoveBy(TBPoint(-2.0, -1.0, 99), document);
    EXPECT_POINT_NEAR(line.GetStart(), 0.0, 0.0, 0.0);
    EXPECT_POINT_NEAR(line.GetEnd(), -1.0, 2.0, 0.0);
    line.Rotate(Degrees(-90), document);
    EXPECT_POINT_NEAR(line.GetEnd(), 2.0, 1.0, 1e-15);
    line.Scale(-2, 3, document);
    EXPECT_POINT_NEAR(line.GetEnd(), -4.0, 3.0, 1e-15);
    EXPECT_EQ(line.GetStart().GetTag(), 2);
    EXPECT_EQ(line.GetEnd().GetTag(), 3);
}
