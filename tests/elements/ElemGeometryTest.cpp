// The geometry every kind shares: the answers of kinds without geometry,
// the extent overlap test, the intersection factory and the composite
// transformation.

#include "elements/KBlock.h"
#include "elements/KCircle.h"
#include "elements/KLine.h"
#include "elements/KMoji.h"
#include "elements/KPoint.h"
#include "elements/KSolid.h"
#include "elements/KSunpou.h"
#include "platform/Stream.h"
#include "tests/elements/ElemTestSupport.h"
#include "tests/elements/GeometryTestSupport.h"

#include <boost/make_shared.hpp>
#include <gtest/gtest.h>

#include <limits>

namespace {

std::vector<std::uint8_t> BodyOf(const TZhdElem& elem, const TZhdData& document)
{
    TMemoryStream stream;
    elem.WriteBody(stream, document);
    std::vector<std::uint8_t> bytes(stream.GetSize());
    stream.SetPosition(0);
    stream.ReadExact(bytes.data(), bytes.size());
    return bytes;
}

TZhdElemPtr LineFrom(double x1, double y1, double x2, double y2)
{
    auto line = boost::make_shared<TKLine>();
    line->SetLine(TBPoint(x1, y1), TBPoint(x2, y2));
    return line;
}

} // namespace

TEST(ElemGeometry, KindsWithoutGeometryAnswerWithTheDefaults)
{
    const TZhdData document = DocumentOfVersion(420);
    // Every kind has geometry of its own now; the base element's answers
    // stand for a kind that would not.
    const TZhdElemPtr kinds[] = { boost::make_shared<StandInElem>(0) };
    for (const TZhdElemPtr& elem : kinds) {
        SCOPED_TRACE(elem->GetTypeCode());
        EXPECT_POINT_NEAR(elem->GetKeyPoint(1), 0.0, 0.0, 0.0);
        const TShapeInfo info = elem->GetShapeInfo(TBPoint(3.0, 4.0));
        EXPECT_TRUE(info.Values.empty() && info.Angles.empty());

        TBPoint min(5.0, 6.0, 7), max(8.0, 9.0, 7);
        elem->GetExtent(min, max, document, 1);
        EXPECT_POINT_NEAR(min, 0.0, 0.0, 0.0);
        EXPECT_POINT_NEAR(max, 0.0, 0.0, 0.0);
        EXPECT_EQ(min.GetTag(), 7);

        TBPoint out(1.0, 2.0);
        double distance = 42;
        EXPECT_EQ(elem->NearestPoint(TBPoint(1.0, 1.0), document, out, distance), 0);
        EXPECT_EQ(elem->NearestEndPoint(TBPoint(1.0, 1.0), document, out, distance), 0);
        EXPECT_POINT_NEAR(out, 1.0, 2.0, 0.0);
        EXPECT_EQ(distance, 42);

        std::vector<TBPoint> points { TBPoint(1.0, 1.0, 3) };
        EXPECT_EQ(elem->CrossPoints(LineFrom(0, 0, 1, 1), document, points), 0);
        EXPECT_EQ(points.size(), 1u);

        const auto before = BodyOf(*elem, document);
        elem->Move(1, 2, document);
        elem->Rotate(Degrees(30), document);
        elem->Scale(2, 3, document);
        elem->Transform(document, 4, 5, Degrees(45), 6, 7);
        EXPECT_EQ(BodyOf(*elem, document), before);
    }
}

TEST(ElemGeometry, ExtentOverlapsUnlessStrictlyApart)
{
    const TZhdData document;
    const TZhdElemPtr line = LineFrom(0, 0, 10, 5);
    struct Row {
        TBPoint min, max;
        int expected;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Row rows[] = {
        { TBPoint(10.0, 5.0), TBPoint(20.0, 20.0), 1 },   // touches at a corner
        { TBPoint(-5.0, 5.0), TBPoint(-1.0, 9.0), 0 },    // apart on x
        { TBPoint(2.0, 5.0 + 1e-9), TBPoint(3.0, 9.0), 0 }, // apart on y by a hair
        { TBPoint(2.0, 1.0), TBPoint(3.0, 2.0), 1 },      // inside
        { TBPoint(-1e9, -1e9), TBPoint(1e9, 1e9), 1 },    // around
        { TBPoint(nan, 0.0), TBPoint(20.0, 20.0), 0 },    // NaN meets nothing
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.min.GetY());
        EXPECT_EQ(line->ExtentOverlapsRect(row.min, row.max, document, 0), row.expected);
    }
    EXPECT_EQ(line->ExtentOverlaps(*LineFrom(10, 5, 12, 12), document, 0), 1);
    EXPECT_EQ(line->ExtentOverlapsShared(LineFrom(11, 0, 12, 12), document, 0), 0);
    EXPECT_EQ(line->ExtentOverlapsShared(TZhdElemPtr(), document, 0), 0);
    EXPECT_EQ(LineFrom(nan, 0, 1, 1)->ExtentOverlapsRect(TBPoint(-1e9, -1e9), TBPoint(1e9, 1e9), document, 0), 0);
}

TEST(ElemGeometry, IntersectionFactoryHandsACopyOfTheOthersKind)
{
    const TZhdData document = DocumentOfVersion(420);
    const ScriptedElem receiver(TZhdElem::LineCode, TBPoint(), TBPoint(), { 1, 3 });

    TKLine other;
    other.SetLine(TBPoint(1.0, 2.0), TBPoint(3.0, 4.0));
    other.SetPenColor(5);
    other.GetElemFlgPtr().SetBit(TZhdElem::SelectedMark);
    std::vector<TBPoint> points;
    EXPECT_EQ(receiver.CrossPointsOf(other, document, points), 2);
    ASSERT_EQ(points.size(), 2u);
    EXPECT_EQ(points[1].GetTag(), 3);
    // A new line with the other's body, not the other itself, and without its
    // marks.
    const auto copy = boost::dynamic_pointer_cast<TKLine>(receiver.last_other);
    ASSERT_TRUE(copy);
    EXPECT_NE(copy.get(), &other);
    EXPECT_POINT_NEAR(copy->GetEnd(), 3.0, 4.0, 0.0);
    EXPECT_EQ(copy->GetPenColor(), 5);
    EXPECT_EQ(copy->GetElemFlg().IsSet(TZhdElem::SelectedMark), 0);

    // A kind the factory cannot make: nothing, and the list untouched.
    for (int code : { 0, 8 }) {
        const ScriptedElem unknown(code, TBPoint(), TBPoint());
        std::vector<TBPoint> kept { TBPoint(9.0, 9.0, 2) };
        EXPECT_EQ(receiver.CrossPointsOf(unknown, document, kept), 0) << code;
        EXPECT_EQ(kept.size(), 1u);
    }
    EXPECT_EQ(receiver.cross_calls, 1);

    // Points leave intersecting to the other kind; the base answer leaves
    // the list.
    std::vector<TBPoint> kept { TBPoint(9.0, 9.0, 2) };
    EXPECT_EQ(boost::make_shared<TKPoint>()->CrossPointsOf(other, document, kept), 0);
    EXPECT_EQ(kept.size(), 1u);
}

TEST(ElemGeometry, TransformScalesThenRotatesThenMoves)
{
    const TZhdData document;
    struct Row {
        const char* name;
        double dx, dy, degrees, sx, sy;
        double x, y; // where (1, 0) goes
    };
    const Row rows[] = {
        { "zero scales are 1", 0, 0, 0, 0, 0, 1, 0 },
        { "scale before rotate", 0, 0, 90, 2, 1, 0, 2 },
        { "only x doubled", 0, 0, 0, 2, 0, 2, 0 },
        { "all three", 10, 20, 90, 3, 5, 10, 23 },
        { "move only", -1, 4, 0, 1, 1, 0, 4 },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TKLine line;
        line.SetLine(TBPoint(1.0, 0.0, 6), TBPoint(0.0, 1.0));
        line.Transform(document, row.dx, row.dy, Degrees(row.degrees), row.sx, row.sy);
        EXPECT_POINT_NEAR(line.GetStart(), row.x, row.y, 1e-12);
        EXPECT_EQ(line.GetStart().GetTag(), 6);

        TKLine placed;
        placed.SetLine(TBPoint(1.0, 0.0), TBPoint(0.0, 1.0));
        placed.TransformTo(document, TBPoint(row.dx, row.dy), Degrees(row.degrees), row.sx, row.sy);
        EXPECT_POINT_NEAR(placed.GetStart(), row.x, row.y, 1e-12);
    }
}

TEST(ElemGeometry, ArcsAndPointsTakeTheCompositeTransformation)
{
    const TZhdData document;
    TKCircle arc = Arc(1, 0, 1, 0, 90);
    arc.TransformTo(document, TBPoint(5.0, 5.0), Degrees(90), 2, 2);
    EXPECT_POINT_NEAR(arc.GetCenter(), 5.0, 7.0, 1e-12);
    EXPECT_NEAR(arc.GetRadius(), 2, 1e-12);
    EXPECT_NEAR(arc.GetTiltAngle().GetDegrees(), 90, 1e-9);
    EXPECT_POINT_NEAR(arc.GetKeyPoint(0), 5.0, 9.0, 1e-12);

    TKPoint point;
    point.SetPos(TBPoint(1.0, 1.0));
    point.TransformTo(document, TBPoint(1.0, 0.0), Degrees(180), 3, 0);
    EXPECT_POINT_NEAR(point.GetPos(), -2.0, -1.0, 1e-12);
}
