// Where a line meets elements of every kind, with the solvers' codes as
// tags.

#include "elements/KLine.h"

#include "elements/KCircle.h"
#include "elements/KMoji.h"
#include "elements/KPoint.h"
#include "elements/KSolid.h"
#include "platform/Stream.h"
#include "tests/elements/BlockFixture.h"
#include "tests/elements/TaggedPoints.h"
#include "tests/support/StandInElem.h"

#include <boost/make_shared.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <ostream>

namespace {

std::vector<Tagged> Crossings(const TKLine& line, const TZhdElemPtr& other, const TZhdData& document)
{
    std::vector<TBPoint> points { TBPoint(9.0, 9.0) }; // emptied first
    const int count = line.CrossPoints(other, document, points);
    EXPECT_EQ(count, static_cast<int>(points.size()));

    // The variant for searches that share a scratch stream gives the same
    // points in the same order, and so does the factory that copies the
    // other through that stream by its class name.
    TMemoryStream scratch;
    for (int through_factory = 0; through_factory < 2; ++through_factory) {
        std::vector<TBPoint> again { TBPoint(9.0, 9.0) };
        const int again_count = through_factory != 0
            ? line.CrossPointsOfUsingStream(*other, document, again, scratch)
            : line.CrossPointsUsingStream(other, document, again, scratch);
        EXPECT_EQ(again_count, count) << through_factory;
        EXPECT_TRUE(std::equal(points.begin(), points.end(), again.begin(), again.end(),
                               [](const TBPoint& a, const TBPoint& b) {
                                   return a.GetX() == b.GetX() && a.GetY() == b.GetY() && a.GetTag() == b.GetTag();
                               }))
            << through_factory;
    }
    return Rounded(points);
}

TKLine Line(double x1, double y1, double x2, double y2)
{
    TKLine line;
    line.SetLine(TBPoint(x1, y1), TBPoint(x2, y2));
    return line;
}

TZhdElemPtr PointElem(double x, double y)
{
    auto point = boost::make_shared<TKPoint>();
    point->SetPos(TBPoint(x, y));
    return point;
}

TZhdElemPtr Solid(std::uint8_t kind, TBPoint a, TBPoint b, TBPoint c, TBPoint d)
{
    auto solid = boost::make_shared<TKSolid>();
    solid->SetSolid(a, b, c, d, 0);
    solid->SetPenStyle(kind);
    return solid;
}

} // namespace

TEST(LineCross, EveryKind)
{
    TZhdData document;
    AddDefinition(document, 1, { LineElem(0, -5, 0, 5), PointElem(50, 50) });
    const double pi = std::numbers::pi;
    struct Row {
        const char* name;
        TKLine line;
        TZhdElemPtr other;
        std::vector<Tagged> expected;
    };
    const Row rows[] = {
        { "lines crossing", Line(-10, 0, 10, 0), LineElem(0, -5, 0, 5), { { 0, 0, 1 } } },
        { "lines meeting at an end", Line(-10, 0, 10, 0), LineElem(10, 0, 10, 5), { { 10, 0, 2 } } },
        { "lines overlapping", Line(0, 0, 10, 0), LineElem(4, 0, 20, 0), { { 7, 0, 3 } } },
        { "lines parallel", Line(0, 0, 10, 0), LineElem(0, 1, 10, 1), {} },
        // Nothing in the gap between them.
        { "lines on one line, apart", Line(0, 0, 10, 0), LineElem(12, 0, 20, 0), {} },
        { "lines on one line, end to end", Line(0, 0, 10, 0), LineElem(10, 0, 20, 0), { { 10, 0, 2 } } },
        { "point on the line", Line(0, 0, 10, 0), PointElem(4, 0), { { 4, 0, 1 } } },
        { "point off the line", Line(0, 0, 10, 0), PointElem(4, 3), { { 4, 0, 0 } } },
        { "point and a line of no length", Line(1, 1, 1, 1), PointElem(1, 1), {} },
        { "circle crossed twice", Line(-10, 0, 10, 0),
          boost::make_shared<TKCircle>(TBPoint(0.0, 0.0), 5.0, TAngle(pi / 2), TAngle(2 * pi), TAngle(0.0), 1.0, 1),
          { { -5, 0, 1 }, { 5, 0, 1 } } },
        // The solid's outline: the square's two sides.
        { "plain solid", Line(5, -5, 5, 15),
          Solid(1, TBPoint(0.0, 0.0), TBPoint(10.0, 0.0), TBPoint(10.0, 10.0), TBPoint(0.0, 10.0)),
          { { 5, 0, 1 }, { 5, 10, 1 } } },
        { "solid of two corners", Line(5, -5, 5, 5),
          Solid(1, TBPoint(0.0, 0.0), TBPoint(10.0, 0.0), TBPoint(10.0, 0.0), TBPoint(10.0, 0.0)),
          { { 5, 0, 1 } } },
        // A half-disc segment (kind value 5): the arc, then its chord.
        { "segment solid", Line(0, -5, 0, 20),
          Solid(TKSolid::EllipseKind, TBPoint(0.0, 0.0), TBPoint(10.0, 1.0), TBPoint(0.0, 0.0),
                TBPoint(pi, TKSolid::SegmentValue)),
          { { 0, -10, 0 }, { 0, 10, 1 }, { 0, 0, 1 } } },
        // Block contents as placed, without candidates off the parts.
        { "block", Line(90, 0, 110, 0), BlockElem(1, TBPoint(100.0, 0.0)), { { 100, 0, 1 } } },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Crossings(row.line, row.other, document), row.expected);
    }
}

TEST(LineCross, TextBoxCornersComeFromBothSides)
{
    const TZhdData document;
    auto text = boost::make_shared<TKMoji>(TBPoint(0.0, 0.0), TBPoint(10.0, 0.0), TZhdaMoji(5, 5, 0, 1), 1,
                                           TAngle(0.0), "", "AB");
    // Through the corner (10, 0): from the bottom side and the right side.
    const auto found = Crossings(Line(5, -5, 15, 5), text, document);
    const auto corners = std::count(found.begin(), found.end(), Tagged { 10, 0, 2 });
    EXPECT_EQ(corners, 2);

    // A self-placing block ends.
    TZhdData ring;
    AddDefinition(ring, 1, { LineElem(0, -5, 0, 5), BlockElem(1, TBPoint(1.0, 0.0)) });
    EXPECT_EQ(Crossings(Line(-10, 0, 10, 0), BlockElem(1), ring), (std::vector<Tagged> { { 0, 0, 1 } }));
}

TEST(LineCross, StreamVariantKnowsOnlyTheSevenClassNames)
{
    const TZhdData document;
    TMemoryStream scratch;
    const TKLine line = Line(-10, 0, 10, 0);
    // A stand-in of no kind, hence of no archive class.
    class Nameless final : public StandInElem {
    public:
        Nameless()
            : StandInElem(8)
        {
        }
    };
    std::vector<TBPoint> points { TBPoint(9.0, 9.0) };
    EXPECT_EQ(line.CrossPointsUsingStream(boost::make_shared<Nameless>(), document, points, scratch), 0);
    EXPECT_TRUE(points.empty());
    points.assign(1, TBPoint(9.0, 9.0));
    EXPECT_EQ(line.CrossPointsOfUsingStream(Nameless(), document, points, scratch), 0);
    EXPECT_EQ(points.size(), 1u);
    // The other kinds compute nothing and leave the list alone.
    EXPECT_EQ(TKCircle().CrossPointsUsingStream(LineElem(0, -5, 0, 5), document, points, scratch), 0);
    EXPECT_EQ(points.size(), 1u);
}
