// Where an arc meets elements of the other kinds, with the solvers' codes as
// tags.

#include "elements/KCircle.h"

#include "elements/KLine.h"
#include "elements/KMoji.h"
#include "elements/KPoint.h"
#include "elements/KSolid.h"
#include "elements/KSunpou.h"
#include "tests/elements/BlockFixture.h"
#include "tests/elements/TaggedPoints.h"

#include <boost/make_shared.hpp>
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <ostream>

namespace {

constexpr double pi = std::numbers::pi;

std::vector<Tagged> Crossings(const TKCircle& arc, const TZhdElemPtr& other, const TZhdData& document)
{
    std::vector<TBPoint> points { TBPoint(9.0, 9.0) }; // emptied first
    const int count = arc.CrossPoints(other, document, points);
    EXPECT_EQ(count, static_cast<int>(points.size()));
    return Rounded(points);
}

// Counter-clockwise from `from` degrees through `sweep` degrees.
boost::shared_ptr<TKCircle> Arc(double cx, double cy, double r, double from, double sweep)
{
    return boost::make_shared<TKCircle>(TBPoint(cx, cy), r, TAngle(from * pi / 180), TAngle(sweep * pi / 180),
                                        TAngle(0.0), 1.0, sweep == 360 ? 1 : 0);
}

TZhdElemPtr PointElem(double x, double y)
{
    auto point = boost::make_shared<TKPoint>();
    point->SetPos(TBPoint(x, y));
    return point;
}

boost::shared_ptr<TKMoji> Text(double x0, double x1)
{
    // A box from (x0, 0) to (x1, 5).
    return boost::make_shared<TKMoji>(TBPoint(x0, 0.0), TBPoint(x1, 0.0), TZhdaMoji(5, 5, 0, 1), 1, TAngle(0.0), "",
                                      "AB");
}

} // namespace

TEST(ArcCross, EveryKind)
{
    TZhdData document;
    AddDefinition(document, 1, { LineElem(-10, 0, 10, 0) });
    // Starting at the top, so that no crossing below lies at its ends.
    const auto circle = Arc(0, 0, 5, 90, 360);
    auto dimension = boost::make_shared<TKSunpou>();
    dimension->SetLine(*boost::static_pointer_cast<TKLine>(LineElem(-10, 0, 10, 0)));
    dimension->SetMoji(*Text(4, 14));
    auto solid = boost::make_shared<TKSolid>();
    solid->SetSolid(TBPoint(-10.0, -1.0), TBPoint(10.0, -1.0), TBPoint(10.0, 1.0), TBPoint(-10.0, 1.0), 0);

    struct Row {
        const char* name;
        boost::shared_ptr<TKCircle> arc;
        TZhdElemPtr other;
        std::vector<Tagged> expected;
    };
    const Row rows[] = {
        { "circles crossing twice", circle, Arc(8, 0, 5, 0, 360), { { 4, 3, 1 }, { 4, -3, 1 } } },
        // The upper half-circle meets the full circle at (4, 3) only; the
        // other point stays as a candidate off the arc.
        { "candidate off the sweep", Arc(8, 0, 5, 0, 180), circle, { { 4, 3, 1 }, { 4, -3, 0 } } },
        { "point on the circle", circle, PointElem(3, 4), { { 3, 4, 1 } } },
        { "point inside, in the sweep", circle, PointElem(0, 2), { { 0, 5, 0 } } },
        { "point outside the sweep", Arc(0, 0, 5, 0, 90), PointElem(-1, -1), {} },
        // The text box (4, 0)-(14, 5) side by side, every candidate of the
        // sides' lines kept: bottom, (right: none), top, left.
        { "text box", circle, Text(4, 14),
          { { -5, 0, 0 }, { 5, 0, 1 }, { 0, 5, 0 }, { 4, 3, 1 }, { 4, -3, 0 } } },
        { "dimension: its line, then its text", circle, dimension,
          { { -5, 0, 1 }, { 5, 0, 1 }, { -5, 0, 0 }, { 5, 0, 1 }, { 0, 5, 0 }, { 4, 3, 1 }, { 4, -3, 0 } } },
        { "solid", circle, solid, {} },
        { "block", circle, BlockElem(1), {} },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Crossings(*row.arc, row.other, document), row.expected);
    }
}

TEST(ArcCross, LineAnswersAsTheLineDoes)
{
    const TZhdData document;
    const auto arc = Arc(0, 0, 5, 0, 180);
    for (const auto& line : { LineElem(-10, 1, 10, 1), LineElem(-10, -1, 10, -1), LineElem(5, -5, 5, 5),
                              LineElem(0, 5, 9, 5) }) {
        std::vector<TBPoint> from_line;
        static_cast<const TKLine&>(*line).CrossPoints(arc, document, from_line);
        EXPECT_EQ(Crossings(*arc, line, document), Rounded(from_line));
    }
}
