// The point's geometry, and the marker shape placed at a marker point.

#include "document/ZhdElemList.h"
#include "elements/KCircle.h"
#include "elements/KLine.h"
#include "elements/KPoint.h"
#include "tests/elements/GeometryTestSupport.h"

#include <boost/make_shared.hpp>
#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr int kTestCode = 42;
constexpr int kNoShapeCode = 999;

TKPoint PlainPoint(double x, double y)
{
    TKPoint point;
    point.SetPos(TBPoint(x, y));
    return point;
}

TKPoint MarkerPoint(double x, double y, int code, double degrees, double scale)
{
    TKPoint point = PlainPoint(x, y);
    point.SetPenStyle(TKPoint::MarkerPenStyle);
    point.SetMarkerCode(code);
    point.SetMarkerAngle(Degrees(degrees));
    point.SetMarkerScale(scale);
    return point;
}

// A document whose marker kTestCode is a line from (-1, 0) to (1, 0) and a
// marker point at (0, 2) that shows this very marker: placing must not
// recurse into it.
TZhdData DocumentWithTestMarker()
{
    TZhdData document;
    TZhdElemList shape;
    auto line = boost::make_shared<TKLine>();
    line->SetLine(TBPoint(-1.0, 0.0), TBPoint(1.0, 0.0));
    line->SetPenColor(4);
    shape.Append(line);
    shape.Append(boost::make_shared<TKPoint>(MarkerPoint(0, 2, kTestCode, 0, 5)));
    document.GetMarkerShapesPtr()[kTestCode] = shape;
    return document;
}

} // namespace

TEST(PointGeometry, PlainPointIsItsPosition)
{
    const TZhdData document;
    const TKPoint point = PlainPoint(3, 4);
    for (int index : { 0, 1, 2, 7 })
        EXPECT_POINT_NEAR(point.GetKeyPoint(index), 3.0, 4.0, 0.0);
    const TShapeInfo info = point.GetShapeInfo(TBPoint(1.0, 1.0));
    EXPECT_TRUE(info.Values.empty() && info.Angles.empty());

    TBPoint min, max;
    point.GetExtent(min, max, document, 1);
    EXPECT_POINT_NEAR(min, 3.0, 4.0, 0.0);
    EXPECT_POINT_NEAR(max, 3.0, 4.0, 0.0);

    TBPoint found;
    double distance = 0;
    EXPECT_EQ(point.NearestPoint(TBPoint(0.0, 0.0), document, found, distance), 1);
    EXPECT_POINT_NEAR(found, 3.0, 4.0, 0.0);
    EXPECT_EQ(distance, 5);
    EXPECT_EQ(point.NearestEndPoint(TBPoint(6.0, 8.0), document, found, distance), 1);
    EXPECT_EQ(distance, 5);

    // Not a marker: the marker fields are not looked at.
    TKPoint coded = PlainPoint(3, 4);
    coded.SetMarkerCode(4);
    coded.GetExtent(min, max, document, 0);
    EXPECT_POINT_NEAR(max, 3.0, 4.0, 0.0);
}

TEST(PointGeometry, PlacedMarkerShapeIsScaledTurnedAndMoved)
{
    const TZhdData document = DocumentWithTestMarker();
    const TKPoint marker = MarkerPoint(10, 20, kTestCode, 90, 2);
    const TZhdElemList placed = marker.PlacedMarkerShape(document);
    ASSERT_EQ(placed.Size(), 2);

    const auto line = boost::dynamic_pointer_cast<TKLine>(placed.GetAt(0));
    ASSERT_TRUE(line);
    EXPECT_POINT_NEAR(line->GetStart(), 10.0, 18.0, 1e-14);
    EXPECT_POINT_NEAR(line->GetEnd(), 10.0, 22.0, 1e-14);
    EXPECT_EQ(line->GetPenColor(), 4);

    // The marker point inside the shape became a plain point.
    const auto inner = boost::dynamic_pointer_cast<TKPoint>(placed.GetAt(1));
    ASSERT_TRUE(inner);
    EXPECT_FALSE(inner->IsMarker());
    EXPECT_POINT_NEAR(inner->GetPos(), 6.0, 20.0, 1e-14);

    // The document's shape is not touched.
    const TZhdElemList& stored = document.GetMarkerShapesPtr().at(kTestCode);
    EXPECT_TRUE(boost::static_pointer_cast<TKPoint>(stored.GetAt(1))->IsMarker());
    EXPECT_POINT_NEAR(boost::static_pointer_cast<TKLine>(stored.GetAt(0))->GetEnd(), 1.0, 0.0, 0.0);

    EXPECT_EQ(MarkerPoint(0, 0, kNoShapeCode, 0, 1).PlacedMarkerShape(document).Size(), 0);
}

TEST(PointGeometry, MarkerExtentHoldsThePlacedShape)
{
    const TZhdData document = DocumentWithTestMarker();
    struct Row {
        const char* name;
        TKPoint point;
        double min_x, min_y, max_x, max_y;
    };
    const Row rows[] = {
        { "turned and scaled", MarkerPoint(10, 20, kTestCode, 90, 2), 6, 18, 10, 22 },
        { "scale 0 counts as 1", MarkerPoint(10, 20, kTestCode, 0, 0), 9, 20, 11, 22 },
        { "code without a shape", MarkerPoint(10, 20, kNoShapeCode, 30, 2), 10, 20, 10, 20 },
        // The document's own marker 4 is a whole circle of radius 1.25.
        { "built-in circle", MarkerPoint(100, 50, 4, 0, 2), 97.5, 47.5, 102.5, 52.5 },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TBPoint min, max;
        row.point.GetExtent(min, max, document, 1);
        EXPECT_POINT_NEAR(min, row.min_x, row.min_y, 1e-14);
        EXPECT_POINT_NEAR(max, row.max_x, row.max_y, 1e-14);
    }
}

TEST(PointGeometry, MarkerNearestPointsGoThroughThePlacedShape)
{
    const TZhdData document = DocumentWithTestMarker();
    const TKPoint marker = MarkerPoint(10, 20, kTestCode, 90, 2); // line (10, 18)-(10, 22), point (6, 20)
    struct Row {
        const char* name;
        TBPoint query;
        double x, y, distance;
    };
    const Row rows[] = {
        { "foot on the shape's line", TBPoint(13.0, 21.0), 10, 21, 3 },
        // As far from the position as from the shape's point; the line's
        // foot lies off its segment.
        { "the position on a tie", TBPoint(8.0, 30.0), 10, 20, std::sqrt(104.0) },
        { "the shape's point", TBPoint(5.0, 20.0), 6, 20, 1 },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TBPoint found;
        double distance = 0;
        EXPECT_EQ(marker.NearestPoint(row.query, document, found, distance), 1);
        EXPECT_POINT_NEAR(found, row.x, row.y, 1e-14);
        EXPECT_NEAR(std::fabs(distance), row.distance, 1e-14);
    }

    TBPoint found;
    double distance = 0;
    EXPECT_EQ(marker.NearestEndPoint(TBPoint(10.5, 23.0), document, found, distance), 1);
    EXPECT_POINT_NEAR(found, 10.0, 22.0, 1e-14);

    const TKPoint lonely = MarkerPoint(1, 1, kNoShapeCode, 0, 1);
    EXPECT_EQ(lonely.NearestPoint(TBPoint(4.0, 5.0), document, found, distance), 1);
    EXPECT_POINT_NEAR(found, 1.0, 1.0, 0.0);
    EXPECT_EQ(distance, 5);
    EXPECT_EQ(lonely.NearestEndPoint(TBPoint(4.0, 5.0), document, found, distance), 1);
    EXPECT_POINT_NEAR(found, 1.0, 1.0, 0.0);
}

TEST(PointGeometry, NonFiniteQueriesAndShapesStayHarmless)
{
    TZhdData document = DocumentWithTestMarker();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    auto broken = boost::make_shared<TKLine>();
    broken->SetLine(TBPoint(nan, 0.0), TBPoint(1.0, 1.0));
    document.GetMarkerShapesPtr()[kTestCode].Append(broken);
    const TKPoint marker = MarkerPoint(10, 20, kTestCode, 90, 2);

    TBPoint min, max;
    marker.GetExtent(min, max, document, 0);
    EXPECT_POINT_NEAR(min, 6.0, 18.0, 1e-14);
    EXPECT_POINT_NEAR(max, 10.0, 22.0, 1e-14);

    TBPoint found;
    double distance = 0;
    EXPECT_EQ(marker.NearestPoint(TBPoint(nan, 1.0), document, found, distance), 1);
    EXPECT_POINT_NEAR(found, 10.0, 20.0, 0.0);
}

TEST(PointGeometry, Transformations)
{
    TZhdData document;
    TKPoint marker = MarkerPoint(1, 2, kTestCode, 10, 3);
    marker.Move(1, 1, document);
    EXPECT_POINT_NEAR(marker.GetPos(), 2.0, 3.0, 0.0);
    marker.Rotate(TAngle(Pi / 2), document);
    EXPECT_POINT_NEAR(marker.GetPos(), -3.0, 2.0, 1e-15);
    EXPECT_EQ(marker.GetMarkerAngle().GetKind(), TAngle::KindDegrees);
    EXPECT_NEAR(marker.GetMarkerAngle().GetDegrees(), 100, 1e-12);

    marker.Scale(2, 3, document);
    EXPECT_POINT_NEAR(marker.GetPos(), -6.0, 6.0, 1e-15);
    EXPECT_EQ(marker.GetMarkerScale(), 6);

    // While a block reference's contents are placed, markers keep their size.
    document.GetInfoRegPtr().BlockDraw = 1;
    marker.Scale(2, 3, document);
    EXPECT_POINT_NEAR(marker.GetPos(), -12.0, 18.0, 1e-15);
    EXPECT_EQ(marker.GetMarkerScale(), 6);

    // A plain point keeps its marker fields.
    document.GetInfoRegPtr().BlockDraw = 0;
    TKPoint plain = PlainPoint(1, 1);
    plain.SetMarkerScale(3);
    plain.SetMarkerAngle(Degrees(10));
    plain.Scale(2, 2, document);
    plain.Rotate(Degrees(90), document);
    EXPECT_EQ(plain.GetMarkerScale(), 3);
    EXPECT_EQ(plain.GetMarkerAngle(), Degrees(10));
    EXPECT_POINT_NEAR(plain.GetPos(), -2.0, 2.0, 1e-15);
}
