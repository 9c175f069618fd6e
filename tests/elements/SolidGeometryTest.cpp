// The solid's geometry: containment, extent, nearest points, key points,
// its ellipses and its transformations, for plain and arc solids and their
// degenerate forms.

#include "core/Constants.h"
#include "elements/KCircle.h"
#include "elements/KSolid.h"
#include "tests/elements/GeometryTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

const double not_a_number = std::numeric_limits<double>::quiet_NaN();

TKSolid Plain(TBPoint a, TBPoint b, TBPoint c, TBPoint d)
{
    TKSolid solid;
    solid.SetSolid(a, b, c, d, 0);
    return solid;
}

TKSolid Square()
{
    return Plain(TBPoint(0.0, 0.0), TBPoint(10.0, 0.0), TBPoint(10.0, 10.0), TBPoint(0.0, 10.0));
}

struct Ellipse {
    double cx = 0, cy = 0, r = 10, flatness = 1, tilt = 0, start = 0, arc = 90; // angles in degrees
};

TKSolid ArcSolid(int kind, const Ellipse& e, double kind_value)
{
    TKSolid solid;
    solid.SetPenStyle(static_cast<std::uint8_t>(kind));
    const double rad = Pi / 180;
    solid.SetSolid(TBPoint(e.cx, e.cy), TBPoint(e.r, e.flatness), TBPoint(e.tilt * rad, e.start * rad),
                   TBPoint(e.arc * rad, kind_value), 0);
    return solid;
}

const Ellipse quarter {};
const Ellipse whole { 0, 0, 10, 1, 0, 0, 360 };
const Ellipse half { 0, 0, 10, 1, 0, 0, 180 };

} // namespace

TEST(SolidGeometry, PlainSolidsContainTheirPolygonAndEdges)
{
    const TKSolid triangle = Plain(TBPoint(0.0, 0.0), TBPoint(10.0, 0.0), TBPoint(0.0, 10.0), TBPoint(0.0, 10.0));
    const TKSolid segment = Plain(TBPoint(0.0, 0.0), TBPoint(10.0, 0.0), TBPoint(10.0, 0.0), TBPoint(10.0, 0.0));
    struct Row {
        const char* name;
        TKSolid solid;
        TBPoint query;
        int expected;
    };
    const Row rows[] = {
        { "inside", Square(), TBPoint(5.0, 4.0), 1 },
        { "on an edge", Square(), TBPoint(10.0, 5.0), 1 },
        { "at a corner", Square(), TBPoint(10.0, 10.0), 1 },
        { "outside", Square(), TBPoint(15.0, 5.0), 0 },
        // The test ray runs through two corners: outside all the same.
        { "ray through corners", Square(), TBPoint(-3.0, -3.0), 0 },
        { "inside, ray through a corner", Square(), TBPoint(5.0, 5.0), 1 },
        { "triangle inside", triangle, TBPoint(2.0, 2.0), 1 },
        { "beyond the merged corner", triangle, TBPoint(6.0, 6.0), 0 },
        { "segment", segment, TBPoint(5.0, 0.0), 0 },
        { "query not finite", Square(), TBPoint(not_a_number, 5.0), 0 },
        { "corner not finite", Plain(TBPoint(0.0, 0.0), TBPoint(not_a_number, 0.0), TBPoint(10.0, 10.0), TBPoint(0.0, 10.0)),
          TBPoint(1.0, 1.0), 0 },
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.solid.ContainsPoint(row.query), row.expected) << row.name;
}

TEST(SolidGeometry, ArcSolidsContainTheirFigure)
{
    Ellipse flat_whole = whole;
    flat_whole.flatness = 0.5;
    Ellipse whole_ring = whole;
    whole_ring.arc = 0; // a ring stores its whole turn as 0
    struct Row {
        const char* name;
        TKSolid solid;
        TBPoint query;
        int expected;
    };
    const Row rows[] = {
        { "whole ellipse, on the outline", ArcSolid(101, whole, 100), TBPoint(0.0, 10.0), 2 },
        { "whole ellipse, inside", ArcSolid(101, whole, 100), TBPoint(1.0, 1.0), 1 },
        { "whole ellipse, outside", ArcSolid(101, whole, 100), TBPoint(20.0, 0.0), 0 },
        { "sector, inside", ArcSolid(101, quarter, 0), TBPoint(3.0, 3.0), 1 },
        { "sector, other quadrant", ArcSolid(101, quarter, 0), TBPoint(-3.0, 3.0), 0 },
        { "sector, beyond the arc", ArcSolid(101, quarter, 0), TBPoint(8.0, 8.0), 0 },
        { "sector, on a spoke", ArcSolid(101, quarter, 0), TBPoint(5.0, 0.0), 1 },
        { "sector, ray through the arc's start", ArcSolid(101, quarter, 0), TBPoint(0.0, -10.0), 0 },
        { "sector, ray through the centre", ArcSolid(101, quarter, 0), TBPoint(-5.0, -5.0), 0 },
        { "segment, between chord and arc", ArcSolid(101, quarter, 5), TBPoint(6.0, 6.0), 1 },
        { "segment, behind the chord", ArcSolid(101, quarter, 5), TBPoint(3.0, 3.0), 0 },
        { "tangent figure, in the corner", ArcSolid(101, quarter, -1), TBPoint(9.0, 9.0), 1 },
        { "tangent figure, inside the arc", ArcSolid(101, quarter, -1), TBPoint(5.0, 5.0), 0 },
        // Parallel end tangents: closed by the chord.
        { "half-turn tangents, inside", ArcSolid(101, half, -1), TBPoint(0.0, 5.0), 1 },
        { "half-turn tangents, below", ArcSolid(101, half, -1), TBPoint(0.0, -5.0), 0 },
        { "arc line", ArcSolid(111, quarter, 0), TBPoint(3.0, 3.0), 0 },
        { "whole arc line", ArcSolid(111, whole, 100), TBPoint(3.0, 3.0), 1 },
        { "ring, between the ellipses", ArcSolid(105, quarter, 5), TBPoint(5.0, 5.0), 1 },
        { "ring, inside the inner one", ArcSolid(105, quarter, 5), TBPoint(2.0, 2.0), 0 },
        { "ring, in the gap of the sweep", ArcSolid(105, quarter, 5), TBPoint(-7.0, 0.0), 0 },
        { "ring, on a closing edge", ArcSolid(105, quarter, 5), TBPoint(7.0, 0.0), 1 },
        { "whole ring stored as 0", ArcSolid(105, whole_ring, 5), TBPoint(-7.0, 0.0), 1 },
        { "whole ring, the hole", ArcSolid(105, whole_ring, 5), TBPoint(0.0, 0.0), 0 },
        { "whole ring, on its seam", ArcSolid(105, whole_ring, 5), TBPoint(7.0, 0.0), 1 },
        // Semi-axes 10 and 5 outside, 8 and 3 inside.
        { "constant width, on the axis", ArcSolid(106, flat_whole, 8), TBPoint(9.0, 0.0), 1 },
        { "constant width, across", ArcSolid(106, flat_whole, 8), TBPoint(0.0, 4.0), 1 },
        { "constant width, the hole", ArcSolid(106, flat_whole, 8), TBPoint(0.0, 2.0), 0 },
        { "constant width to the centre", ArcSolid(106, flat_whole, 0), TBPoint(1.0, 1.0), 1 },
        { "centre not finite", ArcSolid(101, Ellipse { not_a_number, 0, 10, 1, 0, 0, 360 }, 100), TBPoint(0.0, 0.0), 0 },
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.solid.ContainsPoint(row.query), row.expected) << row.name;
}

TEST(SolidGeometry, ExtentCoversTheWholeFigure)
{
    const TZhdData document;
    Ellipse upper = quarter;
    upper.start = 45;
    const double c = 10 * std::sqrt(0.5);
    Ellipse whole_ring = whole;
    whole_ring.arc = 0;
    struct Row {
        const char* name;
        TKSolid solid;
        double min_x, min_y, max_x, max_y;
    };
    const Row rows[] = {
        { "plain, coincident corners too",
          Plain(TBPoint(3.0, -1.0), TBPoint(8.0, 2.0), TBPoint(8.0, 2.0), TBPoint(-4.0, 6.0)), -4, -1, 8, 6 },
        { "whole circle", ArcSolid(101, whole, 100), -10, -10, 10, 10 },
        { "arc line", ArcSolid(111, upper, 0), -c, c, c, 10 },
        { "segment", ArcSolid(101, upper, 5), -c, c, c, 10 },
        { "sector reaches its centre", ArcSolid(101, upper, 0), -c, 0, c, 10 },
        { "tangent figure reaches its corner", ArcSolid(101, upper, -1), -c, c, c, 10 / std::sqrt(0.5) },
        { "ring's larger second ellipse", ArcSolid(105, Ellipse { 0, 0, 5, 1, 0, 0, 360 }, 10), -10, -10, 10, 10 },
        { "whole ring stored as 0", ArcSolid(105, whole_ring, 5), -10, -10, 10, 10 },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TBPoint min, max;
        row.solid.GetExtent(min, max, document, 1);
        EXPECT_POINT_NEAR(min, row.min_x, row.min_y, 1e-9);
        EXPECT_POINT_NEAR(max, row.max_x, row.max_y, 1e-9);
    }

    TBPoint min, max;
    Plain(TBPoint(0.0, 0.0), TBPoint(not_a_number, 1.0), TBPoint(), TBPoint()).GetExtent(min, max, document, 1);
    EXPECT_TRUE(std::isnan(min.GetX()) && std::isnan(max.GetY())) << "a box that every search skips";
}

TEST(SolidGeometry, NearestPointOfTheOutline)
{
    const TZhdData document;
    const TKSolid segment = Plain(TBPoint(0.0, 0.0), TBPoint(10.0, 0.0), TBPoint(10.0, 0.0), TBPoint(10.0, 0.0));
    Ellipse whole_ring = whole;
    whole_ring.arc = 0;
    struct Row {
        const char* name;
        TKSolid solid;
        TBPoint query;
        int found;
        double x, y, distance; // |distance|
    };
    const Row rows[] = {
        { "square, right edge", Square(), TBPoint(20.0, 5.0), 1, 10, 5, 10 },
        { "square, beyond every edge's end", Square(), TBPoint(20.0, 20.0), 0, 0, 0, 0 },
        { "segment", segment, TBPoint(5.0, 3.0), 1, 5, 0, 3 },
        { "sector, its spoke", ArcSolid(101, quarter, 0), TBPoint(5.0, -1.0), 1, 5, 0, 1 },
        { "sector, its arc", ArcSolid(101, quarter, 0), TBPoint(0.0, 12.0), 1, 0, 10, 2 },
        { "tangent figure, a tangent", ArcSolid(101, quarter, -1), TBPoint(11.0, 5.0), 1, 10, 5, 1 },
        { "inner ellipse of a whole ring", ArcSolid(105, whole_ring, 5), TBPoint(6.0, 0.0), 1, 5, 0, 1 },
        { "outer ellipse of a whole ring", ArcSolid(105, whole_ring, 5), TBPoint(9.5, 0.0), 1, 10, 0, 0.5 },
        { "query not finite", Square(), TBPoint(not_a_number, 1.0), 0, 0, 0, 0 },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TBPoint point(-7.0, -7.0);
        double distance = 42;
        EXPECT_EQ(row.solid.NearestPoint(row.query, document, point, distance), row.found) << row.name;
        if (row.found == 0) {
            EXPECT_POINT_NEAR(point, -7.0, -7.0, 0.0);
            EXPECT_EQ(distance, 0) << row.name;
            continue;
        }
        EXPECT_POINT_NEAR(point, row.x, row.y, 1e-9);
        EXPECT_NEAR(std::fabs(distance), row.distance, 1e-9) << row.name;
    }
}

TEST(SolidGeometry, NearestCharacteristicPoint)
{
    const TZhdData document;
    Ellipse whole_ring = whole;
    whole_ring.arc = 0;
    struct Row {
        const char* name;
        TKSolid solid;
        TBPoint query;
        int found;
        double x, y;
    };
    const Row rows[] = {
        { "a tie keeps corner 1", Square(), TBPoint(5.0, -1.0), 1, 0, 0 },
        { "plain, nearest corner", Square(), TBPoint(9.0, 8.0), 1, 10, 10 },
        { "sector, its centre", ArcSolid(101, quarter, 0), TBPoint(1.0, 2.0), 1, 0, 0 },
        { "segment, only the arc's ends", ArcSolid(101, quarter, 5), TBPoint(1.0, 2.0), 1, 0, 10 },
        { "tangent figure, its corner", ArcSolid(101, quarter, -1), TBPoint(9.0, 9.0), 1, 10, 10 },
        { "half-turn tangents, no corner", ArcSolid(101, half, -1), TBPoint(1.0, 1.0), 1, 10, 0 },
        { "partial ring, inner start", ArcSolid(105, quarter, 5), TBPoint(4.0, 1.0), 1, 5, 0 },
        { "arc line", ArcSolid(111, quarter, 0), TBPoint(9.0, 1.0), 1, 10, 0 },
        { "whole ellipse", ArcSolid(101, whole, 100), TBPoint(9.0, 1.0), 0, 0, 0 },
        { "whole ring", ArcSolid(105, whole_ring, 5), TBPoint(9.0, 1.0), 0, 0, 0 },
        { "whole arc line", ArcSolid(111, whole, 100), TBPoint(9.0, 1.0), 0, 0, 0 },
        { "whole arc, chord value: no ends", ArcSolid(101, whole, 5), TBPoint(9.0, 1.0), 0, 0, 0 },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TBPoint point(-7.0, -7.0);
        double distance = 42;
        EXPECT_EQ(row.solid.NearestEndPoint(row.query, document, point, distance), row.found) << row.name;
        if (row.found == 0) {
            EXPECT_POINT_NEAR(point, -7.0, -7.0, 0.0);
            EXPECT_EQ(distance, 42) << row.name;
            continue;
        }
        EXPECT_POINT_NEAR(point, row.x, row.y, 1e-9);
        EXPECT_NEAR(distance, row.query.DistanceTo(TBPoint(row.x, row.y)), 1e-9) << row.name;
    }
}

TEST(SolidGeometry, KeyPoints)
{
    const TKSolid plain = Plain(TBPoint(1.0, 2.0), TBPoint(3.0, 4.0), TBPoint(5.0, 6.0), TBPoint(7.0, 8.0));
    const double plain_expected[][2] = { { 1, 2 }, { 3, 4 }, { 5, 6 }, { 7, 8 }, { 1, 2 } };
    const TKSolid arc = ArcSolid(101, Ellipse { 1, 1, 10, 1, 0, 0, 90 }, 0);
    const double h = 10 * std::sqrt(0.5);
    const double arc_expected[][2] = { { 11, 1 }, { 1 + h, 1 + h }, { 1, 11 }, { 1, 1 }, { 1, 11 } };
    const int indices[] = { 0, 1, 2, 3, 7 };
    for (int i = 0; i < 5; ++i) {
        EXPECT_POINT_NEAR(plain.GetKeyPoint(indices[i]), plain_expected[i][0], plain_expected[i][1], 0.0);
        EXPECT_POINT_NEAR(arc.GetKeyPoint(indices[i]), arc_expected[i][0], arc_expected[i][1], 1e-9);
    }
}

TEST(SolidGeometry, FigureCornersMeetWhereTheEndTangentsDo)
{
    struct Row {
        const char* name;
        Ellipse ellipse;
        bool has_corner;
        double tx, ty;
    };
    const Row rows[] = {
        { "quarter circle", quarter, true, 10, 10 },
        { "quarter ellipse", Ellipse { 0, 0, 10, 0.5, 0, 0, 90 }, true, 10, 5 },
        { "tilted and moved", Ellipse { 1, 2, 10, 0.5, 90, 0, 90 }, true, 1 - 5, 2 + 10 },
        { "half turn: the chord's middle", half, false, 0, 0 },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TKSolid::FigureCorners corners;
        ASSERT_TRUE(ArcSolid(101, row.ellipse, -1).GetFigureCorners(corners)) << row.name;
        EXPECT_EQ(corners.has_tangent_corner, row.has_corner) << row.name;
        EXPECT_POINT_NEAR(corners.tangent_corner, row.tx, row.ty, 1e-9);
    }
    TKSolid::FigureCorners untouched;
    EXPECT_FALSE(Square().GetFigureCorners(untouched));
    EXPECT_FALSE(ArcSolid(101, Ellipse { 0, 0, not_a_number, 1, 0, 0, 90 }, -1).GetFigureCorners(untouched));
}

TEST(SolidGeometry, EllipsesFromCornersAndBack)
{
    Ellipse flat_whole = whole;
    flat_whole.flatness = 0.5;
    struct Row {
        const char* name;
        TKSolid solid;
        int full_circle;
        double second_radius, second_flatness;
    };
    const Row rows[] = {
        { "ring stored as 0", ArcSolid(105, Ellipse { 0, 0, 10, 1, 0, 0, 0 }, 5), 1, 5, 1 },
        { "partial ring", ArcSolid(105, quarter, 5), 0, 5, 1 },
        { "whole ellipse", ArcSolid(101, quarter, 100), 1, 10, 1 },
        { "sector", ArcSolid(101, whole, 0), 0, 10, 1 },
        { "constant width", ArcSolid(106, flat_whole, 8), 1, 8, 0.375 },
        // The second ellipse shrinks to the centre; no division by 0.
        { "constant width to the centre", ArcSolid(106, flat_whole, 0), 1, 0, 0.5 },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TKCircle first, second;
        ASSERT_EQ(row.solid.GetAsCircle(first, second), 1) << row.name;
        EXPECT_EQ(first.GetFullCircle(), row.full_circle) << row.name;
        EXPECT_EQ(second.GetFullCircle(), row.full_circle) << row.name;
        EXPECT_EQ(first.GetRadius(), row.solid.GetPoint2().GetX()) << row.name;
        EXPECT_NEAR(second.GetRadius(), row.second_radius, 1e-12) << row.name;
        EXPECT_NEAR(second.GetFlatness(), row.second_flatness, 1e-12) << row.name;

        // Back into the corners of a solid of the same kind.
        TKSolid copy;
        copy.SetPenStyle(row.solid.GetPenStyle());
        ASSERT_EQ(copy.SetFromCircle(first, second), 1) << row.name;
        for (int i = 0; i < 3; ++i)
            EXPECT_POINT_NEAR(copy.GetKeyPoint(i), row.solid.GetKeyPoint(i).GetX(), row.solid.GetKeyPoint(i).GetY(),
                              1e-12);
    }

    const TKCircle arc = Arc(1, 2, 10, 30, 90);
    TKSolid ring = ArcSolid(106, quarter, 0);
    ring.SetFromCircle(arc, Arc(1, 2, 7, 30, 90));
    EXPECT_EQ(ring.GetPoint4().GetY(), 7);
    TKSolid ellipse = ArcSolid(101, quarter, -1);
    ellipse.SetFromCircle(Arc(0, 0, 10, 0, 360), arc);
    EXPECT_EQ(ellipse.GetPoint4().GetY(), 100);
    ellipse.SetFromCircle(arc, arc);
    EXPECT_EQ(ellipse.GetPoint4().GetY(), 0);

    TKSolid plain = Square();
    TKCircle kept = arc, kept2 = arc;
    EXPECT_EQ(plain.GetAsCircle(kept, kept2), 0);
    EXPECT_EQ(kept.GetRadius(), 10);
    EXPECT_EQ(plain.SetFromCircle(arc, arc), 0);
    EXPECT_POINT_NEAR(plain.GetPoint3(), 10.0, 10.0, 0.0);
}

TEST(SolidGeometry, MoveRotateScale)
{
    const TZhdData document;
    TKSolid plain = Square();
    plain.MoveBy(TBPoint(1.0, 2.0), document);
    EXPECT_POINT_NEAR(plain.GetPoint3(), 11.0, 12.0, 0.0);
    plain.Rotate(Degrees(90), document);
    EXPECT_POINT_NEAR(plain.GetPoint3(), -12.0, 11.0, 1e-12);
    plain.Scale(2, -3, document);
    EXPECT_POINT_NEAR(plain.GetPoint3(), -24.0, -33.0, 1e-12);

    TKSolid arc = ArcSolid(101, Ellipse { 1, 2, 10, 0.5, 30, 20, 90 }, -1);
    const TKSolid before = arc;
    arc.MoveBy(TBPoint(1.0, 2.0), document);
    EXPECT_POINT_NEAR(arc.GetPoint1(), 2.0, 4.0, 0.0);
    for (const TBPoint& kept : { arc.GetPoint2() - before.GetPoint2(), arc.GetPoint3() - before.GetPoint3(),
                                 arc.GetPoint4() - before.GetPoint4() })
        EXPECT_POINT_NEAR(kept, 0.0, 0.0, 0.0);
    arc.Rotate(Degrees(90), document);
    EXPECT_POINT_NEAR(arc.GetPoint1(), -4.0, 2.0, 1e-12);
    EXPECT_NEAR(arc.GetPoint3().GetX(), before.GetPoint3().GetX() + Pi / 2, 1e-12);
    EXPECT_EQ(arc.GetPoint3().GetY(), before.GetPoint3().GetY());

    // Scaling moves the outline with the plane: the ends are the scaled ends;
    // the kind value stays.
    TKSolid scaled = before;
    scaled.Scale(2, 0.5, document);
    for (int index : { 0, 2 }) {
        SCOPED_TRACE(index);
        const TBPoint old = before.GetKeyPoint(index);
        EXPECT_POINT_NEAR(scaled.GetKeyPoint(index), 2 * old.GetX(), 0.5 * old.GetY(), 1e-9);
    }
    EXPECT_EQ(scaled.GetPoint4().GetY(), -1);

    TKSolid ring = ArcSolid(105, Ellipse { 1, 2, 10, 1, 0, 0, 90 }, 5);
    ring.Scale(3, 3, document);
    EXPECT_POINT_NEAR(ring.GetPoint1(), 3.0, 6.0, 1e-12);
    EXPECT_NEAR(ring.GetPoint2().GetX(), 30, 1e-12);
    EXPECT_NEAR(ring.GetPoint4().GetY(), 15, 1e-12);
}
