// A dimension's geometry: nearest points between its line and its text,
// and which parts move, turn and scale.

#include "elements/KLine.h"
#include "elements/KMoji.h"
#include "elements/KPoint.h"
#include "elements/KSunpou.h"

#include "document/ZhdData.h"

#include <gtest/gtest.h>

namespace {

TKLine LineOf(double x1, double y1, double x2, double y2)
{
    TKLine line;
    line.SetLine(TBPoint(x1, y1), TBPoint(x2, y2));
    return line;
}

TKPoint PointAt(double x, double y, double marker_scale)
{
    TKPoint point;
    point.SetPos(TBPoint(x, y));
    point.SetMarkerScale(marker_scale);
    return point;
}

// A vertical line at x = 10 and an empty text at (0, 10): the text's box is
// a stroke up x = 0, so (5, 5) is 5 from both.
TKSunpou LineAndStroke()
{
    TKSunpou dimension;
    dimension.SetLine(LineOf(10, 0, 10, 10));
    dimension.SetMoji(TKMoji(TBPoint(0.0, 10.0), TBPoint(0.0, 10.0), TZhdaMoji(1, 2, 0, 1), 1, TAngle(), "", ""));
    return dimension;
}

TSXFSunpou ExtendedPart()
{
    TSXFSunpou sxf;
    sxf.SetSXFSunpou(1, LineOf(0, 0, 0, 5), LineOf(10, 0, 10, 5), PointAt(1, 1, 3), PointAt(2, 2, 3),
                     PointAt(3, 3, 3), PointAt(4, 4, 3));
    return sxf;
}

} // namespace

TEST(DimensionGeometry, TiesGoToTheLineForNearestPointsAndToTheTextForEndPoints)
{
    const TZhdData document;
    const TKSunpou dimension = LineAndStroke();
    TBPoint point;
    double distance = -1;
    ASSERT_EQ(dimension.NearestPoint(TBPoint(5.0, 5.0), document, point, distance), 1);
    EXPECT_EQ(point, TBPoint(10.0, 5.0));
    EXPECT_DOUBLE_EQ(distance, 5);

    ASSERT_EQ(dimension.NearestEndPoint(TBPoint(5.0, 5.0), document, point, distance), 1);
    EXPECT_EQ(point, TBPoint(0.0, 10.0)) << "the line's end (10, 10) is as far";

    EXPECT_EQ(dimension.NearestPoint(TBPoint(8.0, 5.0), document, point, distance), 1);
    EXPECT_EQ(point, TBPoint(10.0, 5.0));
    EXPECT_EQ(dimension.NearestPoint(TBPoint(1.0, 5.0), document, point, distance), 1);
    EXPECT_EQ(point, TBPoint(0.0, 5.0)) << "the text's nearer";
}

// The extent covers what the dimension draws: the extension lines and end
// points 1 and 2 only with a mode, end points 3 and 4 never.
TEST(DimensionGeometry, ExtentCoversEverythingTheDimensionDraws)
{
    const TZhdData document;
    TSXFSunpou sxf = ExtendedPart();
    sxf.SetPoint3(PointAt(-90, -90, 3));
    sxf.SetPoint4(PointAt(90, 90, 3));
    struct Row {
        const char* name;
        void (*change)(TSXFSunpou&);
        TBPoint min, max;
    };
    const Row rows[] = {
        { "line and text", [](TSXFSunpou&) {}, TBPoint(0.0, 0.0), TBPoint(10.0, 12.0) },
        { "extension line 1", [](TSXFSunpou& s) { s.SetLine1(LineOf(-50, -40, 0, 0)); }, TBPoint(-50.0, -40.0),
          TBPoint(10.0, 12.0) },
        { "extension line 2", [](TSXFSunpou& s) { s.SetLine2(LineOf(10, 0, 30, 45)); }, TBPoint(0.0, 0.0),
          TBPoint(30.0, 45.0) },
        { "end point 1", [](TSXFSunpou& s) { s.SetPoint1(PointAt(-7, 1, 3)); }, TBPoint(-7.0, 0.0),
          TBPoint(10.0, 12.0) },
        { "end point 2", [](TSXFSunpou& s) { s.SetPoint2(PointAt(2, 20, 3)); }, TBPoint(0.0, 0.0),
          TBPoint(10.0, 20.0) },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TSXFSunpou changed = sxf;
        row.change(changed);
        TKSunpou dimension = LineAndStroke();
        dimension.SetSXF(changed);
        TBPoint min, max;
        dimension.GetExtent(min, max, document, 0);
        EXPECT_EQ(min, row.min);
        EXPECT_EQ(max, row.max);

        changed.SetMode(0);
        dimension.SetSXF(changed);
        dimension.GetExtent(min, max, document, 0);
        EXPECT_EQ(min, TBPoint(0.0, 0.0)) << "without a mode nothing of it is drawn";
        EXPECT_EQ(max, TBPoint(10.0, 12.0));
    }
}

TEST(DimensionGeometry, MovingAndTurningLeaveEndPointsThreeAndFourWhereTheyAre)
{
    const TZhdData document;
    TKSunpou dimension = LineAndStroke();
    dimension.SetSXF(ExtendedPart());
    dimension.MoveBy(TBPoint(5.0, 0.0), document);
    TSXFSunpou moved = dimension.GetSXF();
    EXPECT_EQ(dimension.GetLine().GetStart(), TBPoint(15.0, 0.0));
    EXPECT_EQ(dimension.GetMoji().GetStart(), TBPoint(5.0, 10.0));
    EXPECT_EQ(moved.GetLine1().GetStart(), TBPoint(5.0, 0.0));
    EXPECT_EQ(moved.GetLine2().GetEnd(), TBPoint(15.0, 5.0));
    EXPECT_EQ(moved.GetPoint1().GetPos(), TBPoint(6.0, 1.0));
    EXPECT_EQ(moved.GetPoint2().GetPos(), TBPoint(7.0, 2.0));
    EXPECT_EQ(moved.GetPoint3().GetPos(), TBPoint(3.0, 3.0));
    EXPECT_EQ(moved.GetPoint4().GetPos(), TBPoint(4.0, 4.0));

    dimension.Rotate(TAngle(3.141592653589793), document);
    const TSXFSunpou turned = dimension.GetSXF();
    EXPECT_NEAR(turned.GetPoint1().GetPos().GetX(), -6, 1e-9);
    EXPECT_EQ(turned.GetPoint3().GetPos(), TBPoint(3.0, 3.0));
    EXPECT_EQ(turned.GetPoint4().GetPos(), TBPoint(4.0, 4.0));
}

TEST(DimensionGeometry, ScalingScalesEveryPartButKeepsTheMarkersSize)
{
    const TZhdData document;
    TKSunpou dimension = LineAndStroke();
    dimension.SetSXF(ExtendedPart());
    dimension.Scale(2, 2, document);
    const TSXFSunpou scaled = dimension.GetSXF();
    EXPECT_EQ(dimension.GetLine().GetEnd(), TBPoint(20.0, 20.0));
    EXPECT_EQ(scaled.GetLine1().GetEnd(), TBPoint(0.0, 10.0));
    const TKPoint points[4] = { scaled.GetPoint1(), scaled.GetPoint2(), scaled.GetPoint3(), scaled.GetPoint4() };
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(points[i].GetPos(), TBPoint(2.0 * (i + 1), 2.0 * (i + 1))) << "end point " << i + 1;
        EXPECT_EQ(points[i].GetMarkerScale(), 3) << "end point " << i + 1;
    }
}
