// Arc solids filled clipped to the output area: the whole-circle and
// arc-line shortcuts, one polygon per visible part, the border of the output
// area closing what it cuts, and degenerate figures drawing nothing.

#include "tests/render/CommandSupport.h"

#include "elements/KSolid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double degree = 3.14159265358979323846 / 180;
constexpr std::uint8_t ellipse_kind = TKSolid::EllipseKind;
constexpr std::uint8_t same_flatness_ring = TKSolid::SameFlatnessRingKind;
constexpr std::uint8_t constant_width_ring = TKSolid::ConstantWidthRingKind;

// An arc solid: centre, (radius, flatness), (tilt, start), (arc, kind value).
TKSolid ArcSolid(std::uint8_t kind, TBPoint centre, double radius, double flatness, double start_degrees,
                 double arc_degrees, double value)
{
    TKSolid solid;
    solid.SetPenStyle(kind);
    solid.SetSolid(centre, TBPoint(radius, flatness), TBPoint(0.0, start_degrees * degree),
                   TBPoint(arc_degrees * degree, value), 0);
    return solid;
}

// The pixel of the drawing point (x, y) in the millimetre view.
TPointI PixelOf(double x, double y)
{
    return { static_cast<int>(std::trunc(x)), static_cast<int>(std::trunc(100 - y)) };
}

bool IsNear(TPointI a, TPointI b, int pixels = 1)
{
    return std::abs(a.x - b.x) <= pixels && std::abs(a.y - b.y) <= pixels;
}

class SolidFill : public ::testing::Test, protected MillimetreView {
protected:
    int Draw(const TKSolid& solid)
    {
        canvas.Clear();
        canvas.SetPen(TPen { 0x123456, 3, TPenStyle::Dot, TPenMode::Copy });
        const int result = Info().DrawSolid(canvas, solid);
        EXPECT_EQ(canvas.Pen(), (TPen { 0x123456, 3, TPenStyle::Dot, TPenMode::Copy })) << "the pen is put back";
        return result;
    }
    std::vector<canvas_command::Polygon> Polygons() { return CommandsOf<canvas_command::Polygon>(canvas.Commands()); }

    // Every vertex lies within a pixel of the circle about `centre` (the
    // pixel's corner is its point truncated).
    static void ExpectOnCircle(const std::vector<TPointI>& points, TBPoint centre, double radius)
    {
        for (const TPointI& p : points) {
            const double distance = std::hypot(p.x + 0.5 - centre.GetX(), 100 - (p.y + 0.5) - centre.GetY());
            EXPECT_NEAR(distance, radius, 1.5) << p;
        }
    }
};

} // namespace

TEST_F(SolidFill, PlainSolidIsNotDrawnHere)
{
    TKSolid plain;
    plain.SetPenStyle(1);
    plain.SetSolid(TBPoint(0, 0), TBPoint(50, 0), TBPoint(50, 50), TBPoint(0, 50), 0);
    EXPECT_EQ(Draw(plain), 0);
    EXPECT_TRUE(Polygons().empty());
    EXPECT_TRUE(CommandsOf<canvas_command::Ellipse>(canvas.Commands()).empty());
}

TEST_F(SolidFill, WholeCircleIsOneFilledEllipse)
{
    // Whole circles are commonly stored with arc 0; any stored arc is whole.
    for (const double arc : { 0.0, 360.0, 90.0 }) {
        EXPECT_EQ(Draw(ArcSolid(ellipse_kind, TBPoint(50, 50), 10, 1.0, 0, arc, 100)), 1) << arc;
        EXPECT_EQ(CommandsOf<canvas_command::Ellipse>(canvas.Commands()),
                  (std::vector<canvas_command::Ellipse> { { { 39, 39, 61, 61 } } }))
            << arc;
        EXPECT_TRUE(Polygons().empty());
    }
}

TEST_F(SolidFill, WholeEllipseIsOnePolygonAlongItsOutline)
{
    for (const double arc : { 0.0, 360.0 }) {
        EXPECT_EQ(Draw(ArcSolid(ellipse_kind, TBPoint(100, 50), 40, 0.5, 30, arc, 100)), 1) << arc;
        const auto polygons = Polygons();
        ASSERT_EQ(polygons.size(), 1u) << arc;
        const auto& points = polygons[0].points;
        const auto [left, right] = std::minmax_element(points.begin(), points.end(),
                                                       [](TPointI a, TPointI b) { return a.x < b.x; });
        const auto [top, bottom] = std::minmax_element(points.begin(), points.end(),
                                                       [](TPointI a, TPointI b) { return a.y < b.y; });
        EXPECT_NEAR(left->x, 60, 1);
        EXPECT_NEAR(right->x, 140, 1);
        EXPECT_NEAR(top->y, 30, 1);
        EXPECT_NEAR(bottom->y, 70, 1);
        // One point about every pixel along the longer axis' circle.
        EXPECT_GT(points.size(), 150u);
        EXPECT_LT(points.size(), 260u);
    }
}

TEST_F(SolidFill, SectorInsideRunsAlongTheArcThenToTheCentre)
{
    EXPECT_EQ(Draw(ArcSolid(ellipse_kind, TBPoint(100, 50), 30, 1.0, 10, 120, TKSolid::SectorValue)), 1);
    const auto polygons = Polygons();
    ASSERT_EQ(polygons.size(), 1u);
    const auto& points = polygons[0].points;
    ASSERT_GE(points.size(), 3u);
    EXPECT_TRUE(IsNear(points.front(), PixelOf(100 + 30 * std::cos(10 * degree), 50 + 30 * std::sin(10 * degree))))
        << points.front();
    EXPECT_TRUE(IsNear(points[points.size() - 2],
                       PixelOf(100 + 30 * std::cos(130 * degree), 50 + 30 * std::sin(130 * degree))))
        << points[points.size() - 2];
    EXPECT_EQ(points.back(), PixelOf(100, 50));
    ExpectOnCircle({ points.begin(), points.end() - 1 }, TBPoint(100, 50), 30);
    EXPECT_NEAR(static_cast<double>(points.size()), 30 * 120 * degree, 8);
}

TEST_F(SolidFill, TangentFigureTurnsAtTheTangentsCorner)
{
    // J = (130, 50), K = (100, 80); the tangents meet at (130, 80).
    EXPECT_EQ(Draw(ArcSolid(ellipse_kind, TBPoint(100, 50), 30, 1.0, 0, 90, TKSolid::TangentsValue)), 1);
    const auto polygons = Polygons();
    ASSERT_EQ(polygons.size(), 1u);
    const auto& points = polygons[0].points;
    EXPECT_EQ(points.back(), PixelOf(130, 80));
    for (const TPointI& p : points) {
        EXPECT_GE(p.x, 99);
        EXPECT_LE(p.x, 130);
        EXPECT_GE(p.y, 20);
        EXPECT_LE(p.y, 50);
    }
}

TEST_F(SolidFill, SegmentHalfOutsideEndsAtTheBorder)
{
    // The right half of a circle about (190, 50), closed by its chord x = 190;
    // the border x = 200 cuts it where y = 50 +- sqrt(800).
    EXPECT_EQ(Draw(ArcSolid(ellipse_kind, TBPoint(190, 50), 30, 1.0, -90, 180, TKSolid::SegmentValue)), 1);
    const auto polygons = Polygons();
    ASSERT_EQ(polygons.size(), 1u);
    std::vector<TPointI> on_border;
    for (const TPointI& p : polygons[0].points) {
        EXPECT_GE(p.x, 190) << p;
        EXPECT_LE(p.x, 200) << p;
        if (p.x == 200)
            on_border.push_back(p);
    }
    const double reach = std::sqrt(800.0);
    ASSERT_EQ(on_border.size(), 2u);
    std::sort(on_border.begin(), on_border.end(), [](TPointI a, TPointI b) { return a.y < b.y; });
    EXPECT_TRUE(IsNear(on_border[0], PixelOf(200, 50 + reach))) << on_border[0];
    EXPECT_TRUE(IsNear(on_border[1], PixelOf(200, 50 - reach))) << on_border[1];
    ExpectOnCircle({ polygons[0].points.begin(), polygons[0].points.begin() + 10 }, TBPoint(190, 50), 30);
}

TEST_F(SolidFill, FigureCoveringTheAreaFillsTheAreaOnly)
{
    const std::vector<TPointI> area { { 0, 100 }, { 200, 100 }, { 200, 0 }, { 0, 0 } };
    const TKSolid covering[] = {
        ArcSolid(ellipse_kind, TBPoint(100, 50), 1e6, 0.5, 0, 0, 100),
        ArcSolid(ellipse_kind, TBPoint(100.0, -1e5), 1e6, 1.0, 0, 180, TKSolid::SegmentValue),
        ArcSolid(same_flatness_ring, TBPoint(100.0, -5e3), 1e3, 1.0, 0, 0, 1e6),
    };
    for (const TKSolid& solid : covering) {
        SCOPED_TRACE(&solid - covering);
        EXPECT_EQ(Draw(solid), 1);
        const auto polygons = Polygons();
        ASSERT_EQ(polygons.size(), 1u);
        EXPECT_EQ(polygons[0].points, area);
    }
}

TEST_F(SolidFill, EachVisiblePartOfARingIsOnePolygon)
{
    struct Case {
        const char* name;
        TKSolid ring;
        std::size_t parts;
    };
    const Case cases[] = {
        // The upper half of a ring about (100, 0) leaves through the top: a
        // left and a right part.
        { "cut at the top", ArcSolid(same_flatness_ring, TBPoint(100, 0), 102, 1.0, 0, 180, 110), 2 },
        { "constant width", ArcSolid(constant_width_ring, TBPoint(100, 0), 115, 0.98, 0, 180, 104), 2 },
        // Seen from inside its hole, the ring shows in the four corners.
        { "four corners", ArcSolid(same_flatness_ring, TBPoint(100, 50), 105, 1.0, 0, 350, 120), 4 },
        // A whole ring inside: its two halves.
        { "whole", ArcSolid(same_flatness_ring, TBPoint(100, 50), 20, 1.0, 30, 0, 40), 2 },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Draw(c.ring), 1) << c.name;
        const auto polygons = Polygons();
        ASSERT_EQ(polygons.size(), c.parts) << c.name;
        for (const auto& polygon : polygons) {
            for (const TPointI& p : polygon.points) {
                EXPECT_TRUE(p.x >= 0 && p.x <= 200 && p.y >= 0 && p.y <= 100) << c.name << " " << p;
            }
        }
    }
    // The two parts lie apart, on either side of the top.
    Draw(cases[0].ring);
    auto parts = Polygons();
    std::sort(parts.begin(), parts.end(), [](const auto& a, const auto& b) { return a.points[0].x < b.points[0].x; });
    for (const TPointI& p : parts[0].points)
        EXPECT_LT(p.x, 100) << p;
    for (const TPointI& p : parts[1].points)
        EXPECT_GT(p.x, 100) << p;
}

TEST_F(SolidFill, RingFillsOnlyBetweenItsEllipses)
{
    // A quarter ring, radii 20 and 40 about (100, 20): the polygon runs out
    // along the first ellipse, back along the second, and its vertices lie
    // on one or the other or on the closing edges.
    EXPECT_EQ(Draw(ArcSolid(same_flatness_ring, TBPoint(100, 20), 20, 1.0, 0, 90, 40)), 1);
    const auto polygons = Polygons();
    ASSERT_EQ(polygons.size(), 1u);
    for (const TPointI& p : polygons[0].points) {
        const double x = p.x + 0.5 - 100, y = 100 - (p.y + 0.5) - 20;
        EXPECT_GE(std::hypot(x, y), 19) << p;
        EXPECT_LE(std::hypot(x, y), 41.5) << p;
        EXPECT_GE(x, -1) << p;
        EXPECT_GE(y, -1) << p;
    }
}

TEST_F(SolidFill, TurnedOverSecondEllipseIsTakenAsThePointSetItIs)
{
    // A second radius of -20 is the ellipse of radius 20.
    EXPECT_EQ(Draw(ArcSolid(same_flatness_ring, TBPoint(100, 50), 40, 0.5, 20, 250, -20)), 1);
    const auto turned = Polygons();
    Draw(ArcSolid(same_flatness_ring, TBPoint(100, 50), 40, 0.5, 20, 250, 20));
    EXPECT_EQ(turned, Polygons());

    // A constant width of 30 on semi-axes 40 and 20 leaves semi-axes 10 and
    // 20 - 30, the circle of radius 10: the ring lies between it and the
    // first ellipse, on the side of the sweep.
    EXPECT_EQ(Draw(ArcSolid(constant_width_ring, TBPoint(100, 50), 40, 0.5, 0, 90, 10)), 1);
    const auto polygons = Polygons();
    ASSERT_EQ(polygons.size(), 1u);
    for (const TPointI& p : polygons[0].points) {
        const double x = p.x + 0.5 - 100, y = 100 - (p.y + 0.5) - 50;
        EXPECT_GE(std::hypot(x, y), 9) << p;
        EXPECT_LE(std::hypot(x / 40, y / 20), 1.05) << p;
        EXPECT_GE(x, -1) << p;
        EXPECT_GE(y, -1) << p;
    }
}

TEST_F(SolidFill, HugeCircleCostsItsVisiblePart)
{
    // Radius 1e9, its top 50 mm above the lower border: a cap across the
    // output area, bounded by the arc and the border.
    const TKSolid huge[] = {
        ArcSolid(ellipse_kind, TBPoint(100.0, 50 - 1e9 * 0.9999999), 1e9, 0.9999999, 0, 0, 100),
        ArcSolid(same_flatness_ring, TBPoint(100.0, 50 - 1e9), 1e9, 1.0, 45, 90, 1e9 - 30),
    };
    for (const TKSolid& solid : huge) {
        SCOPED_TRACE(&solid - huge);
        EXPECT_EQ(Draw(solid), 1);
        const auto polygons = Polygons();
        ASSERT_EQ(polygons.size(), 1u);
        EXPECT_LT(polygons[0].points.size(), 1000u);
        EXPECT_GT(polygons[0].points.size(), 100u);
        const auto top = std::min_element(polygons[0].points.begin(), polygons[0].points.end(),
                                          [](TPointI a, TPointI b) { return a.y < b.y; });
        EXPECT_NEAR(top->y, 50, 1);
    }
}

TEST_F(SolidFill, ArcLineIsDrawnAsAnOutline)
{
    TKSolid line = ArcSolid(TKSolid::ArcLineKind, TBPoint(100, 50), 30, 0.5, 0, 180, 0);
    EXPECT_EQ(Draw(line), 1);
    EXPECT_TRUE(Polygons().empty());
    EXPECT_FALSE(CommandsOf<canvas_command::Polyline>(canvas.Commands()).empty());
}

TEST_F(SolidFill, DegenerateFiguresDrawNothing)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double infinity = std::numeric_limits<double>::infinity();
    struct Case {
        const char* name;
        TKSolid solid;
    };
    TKSolid nan_value = ArcSolid(ellipse_kind, TBPoint(100, 50), 30, 1.0, 0, 90, 0);
    nan_value.SetPoint4(TBPoint(90 * degree, nan));
    const Case cases[] = {
        { "radius 0", ArcSolid(ellipse_kind, TBPoint(100, 50), 0, 0.5, 0, 90, 0) },
        { "whole circle of radius 0", ArcSolid(ellipse_kind, TBPoint(100, 50), 0, 1.0, 0, 0, 100) },
        { "ring of radius 0", ArcSolid(same_flatness_ring, TBPoint(100, 50), 0, 1.0, 0, 90, 0) },
        { "NaN centre", ArcSolid(ellipse_kind, TBPoint(nan, 50.0), 30, 0.5, 0, 90, 0) },
        { "infinite radius", ArcSolid(ellipse_kind, TBPoint(100, 50), infinity, 0.5, 0, 90, 0) },
        { "NaN kind value", nan_value },
        { "flatness 0", ArcSolid(ellipse_kind, TBPoint(100, 50), 30, 0.0, 0, 0, 100) },
        { "sector of no sweep", ArcSolid(ellipse_kind, TBPoint(100, 50), 30, 1.0, 10, 0, 0) },
        { "ring of equal radii", ArcSolid(same_flatness_ring, TBPoint(100, 50), 30, 1.0, 10, 90, 30) },
        { "outside", ArcSolid(ellipse_kind, TBPoint(500, 500), 30, 0.5, 0, 0, 100) },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Draw(c.solid), 0) << c.name;
        EXPECT_TRUE(Polygons().empty()) << c.name;
        EXPECT_TRUE(CommandsOf<canvas_command::Ellipse>(canvas.Commands()).empty()) << c.name;
    }
    // No output area: nothing to clip to.
    Info().SetPixelWidth(0);
    EXPECT_EQ(Draw(ArcSolid(ellipse_kind, TBPoint(100, 50), 30, 0.5, 0, 0, 100)), 0);
    EXPECT_TRUE(Polygons().empty());
}

TEST_F(SolidFill, RingAroundItsCentreIsASector)
{
    // A constant-width ring whose second radius is 0 reaches the centre.
    EXPECT_EQ(Draw(ArcSolid(constant_width_ring, TBPoint(100, 50), 30, 1.0, 10, 120, 0)), 1);
    const auto polygons = Polygons();
    ASSERT_EQ(polygons.size(), 1u);
    EXPECT_NE(std::find(polygons[0].points.begin(), polygons[0].points.end(), PixelOf(100, 50)),
              polygons[0].points.end());
}
