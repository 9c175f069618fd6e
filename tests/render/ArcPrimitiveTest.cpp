// Circles, arcs and ellipses: the whole-circle shortcut, the walk along the
// curve with its line type, and the jumps over what lies outside the output
// area.

#include "tests/render/CommandSupport.h"

#include "core/EllipseArc.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr double degree = 3.14159265358979323846 / 180;

TZhdLType Solid()
{
    return TZhdLType();
}

class ArcPrimitive : public ::testing::Test, protected MillimetreView {
protected:
    int Draw(TBPoint center, double radius, double start_degrees, double sweep_degrees, double flatness,
             const TZhdLType& type = Solid(), int fill = 0)
    {
        canvas.Clear();
        return Info().DrawArc(canvas, center, radius, TAngle(start_degrees * degree), TAngle(sweep_degrees * degree),
                              flatness, TAngle(), type, fill);
    }
    std::vector<canvas_command::Polyline> Polylines() { return CommandsOf<canvas_command::Polyline>(canvas.Commands()); }

    // Whether a pixel is the one of the point at `degrees` on a circle (a
    // pixel either way where the point lies on a pixel border).
    static bool IsPixelAt(TPointI pixel, TBPoint center, double radius, double degrees)
    {
        const double x = center.GetX() + radius * std::cos(degrees * degree);
        const double y = 100 - (center.GetY() + radius * std::sin(degrees * degree));
        return std::fabs(pixel.x - std::trunc(x)) <= 1 && std::fabs(pixel.y - std::trunc(y)) <= 1
            && std::fabs(pixel.x - x) < 1.001 && std::fabs(pixel.y - y) < 1.001;
    }
};

} // namespace

TEST_F(ArcPrimitive, WholeSolidCircleIsOneEllipse)
{
    for (const double sweep : { 360.0, 0.0 }) {
        EXPECT_EQ(Draw(TBPoint(50, 50), 10, 0, sweep, 1.0), 1);
        EXPECT_EQ(CommandsOf<canvas_command::Ellipse>(canvas.Commands()),
                  (std::vector<canvas_command::Ellipse> { canvas_command::Ellipse { { 40, 40, 60, 60 } } }));
    }
    EXPECT_EQ(Draw(TBPoint(5000, 5000), 10, 0, 360, 1.0), 1) << "no visibility test";
    EXPECT_EQ(Draw(TBPoint(50, 50), 10, 0, 360, 1.0, Solid(), 1), 1);
    EXPECT_EQ(CommandsOf<canvas_command::Ellipse>(canvas.Commands()),
              (std::vector<canvas_command::Ellipse> { canvas_command::Ellipse { { 39, 39, 61, 61 } } }));
    // Not the shortcut: a flattened circle, or a dashed one.
    Draw(TBPoint(50, 50), 10, 0, 360, 0.5);
    EXPECT_TRUE(CommandsOf<canvas_command::Ellipse>(canvas.Commands()).empty());
    EXPECT_FALSE(Polylines().empty());
}

TEST_F(ArcPrimitive, ArcInsideIsOnePolylineEndingAtItsEnd)
{
    EXPECT_EQ(Draw(TBPoint(100, 50), 30, 10, 120, 1.0), 1);
    const auto polylines = Polylines();
    ASSERT_EQ(polylines.size(), 1u);
    EXPECT_TRUE(IsPixelAt(polylines[0].points.front(), TBPoint(100, 50), 30, 10)) << polylines[0].points.front();
    EXPECT_TRUE(IsPixelAt(polylines[0].points.back(), TBPoint(100, 50), 30, 130)) << polylines[0].points.back();
    // One point about every pixel along the curve.
    const double length = 30 * 120 * degree;
    EXPECT_NEAR(static_cast<double>(polylines[0].points.size()), length, 3);
}

TEST_F(ArcPrimitive, NegativeSweepRunsFromTheOtherEnd)
{
    Draw(TBPoint(100, 50), 30, 30, -90, 1.0);
    const auto polylines = Polylines();
    ASSERT_EQ(polylines.size(), 1u);
    EXPECT_TRUE(IsPixelAt(polylines[0].points.front(), TBPoint(100, 50), 30, -60)) << polylines[0].points.front();
    EXPECT_TRUE(IsPixelAt(polylines[0].points.back(), TBPoint(100, 50), 30, 30)) << polylines[0].points.back();
}

TEST_F(ArcPrimitive, CurveLeavingTheAreaIsCutIntoVisiblePieces)
{
    // A circle of radius 70 around the centre of a 200 x 100 area leaves it
    // through the top and the bottom: a left piece and a right piece.
    EXPECT_EQ(Draw(TBPoint(100, 50), 70, 0, 360, 0.9999), 1);
    const auto polylines = Polylines();
    ASSERT_GE(polylines.size(), 2u);
    for (std::size_t i = 0; i + 1 < polylines.size(); ++i) {
        for (const TPointI& p : polylines[i].points) {
            EXPECT_GE(p.x, 0);
            EXPECT_LE(p.x, 200);
            EXPECT_GE(p.y, 0);
            EXPECT_LE(p.y, 100);
        }
    }
    std::size_t points = 0;
    for (const auto& polyline : polylines)
        points += polyline.points.size();
    EXPECT_LT(points, 250u) << "nothing is computed for the parts outside";
}

TEST_F(ArcPrimitive, ArcOutsideDrawsNothingVisible)
{
    EXPECT_EQ(Draw(TBPoint(500, 500), 20, 0, 180, 1.0), 0);
    const auto polylines = Polylines();
    ASSERT_LE(polylines.size(), 1u);
    if (!polylines.empty()) {
        EXPECT_EQ(polylines[0].points.size(), 1u) << "only the end point";
    }
}

TEST_F(ArcPrimitive, DashedArcIsOnePolylinePerDash)
{
    TZhdLType dashed;
    dashed.SetPattern(static_cast<int>(0xF0F0F0F0u));
    dashed.SetDots(32);
    dashed.SetPitch(1);
    Draw(TBPoint(100, 50), 30, 0, 180, 1.0, dashed);
    // Two points per bit: dashes of 8 points, gaps of 8.
    const auto polylines = Polylines();
    const double length = 30 * 180 * degree;
    EXPECT_NEAR(static_cast<double>(polylines.size()), length / 16, 2);
    for (std::size_t i = 0; i + 1 < polylines.size(); ++i)
        EXPECT_EQ(polylines[i].points.size(), 8u) << i;
}

TEST_F(ArcPrimitive, ZigZagStartsAndEndsOnTheCurve)
{
    TZhdLType zigzag;
    zigzag.SetPattern(static_cast<int>(0xAAAAAAAAu));
    zigzag.SetDots(32);
    zigzag.SetPitch(2);
    zigzag.SetAmplitude(2);
    Draw(TBPoint(100, 50), 30, 0, 90, 1.0, zigzag);
    const auto polylines = Polylines();
    ASSERT_EQ(polylines.size(), 1u);
    EXPECT_TRUE(IsPixelAt(polylines[0].points.front(), TBPoint(100, 50), 30, 0)) << polylines[0].points.front();
    EXPECT_TRUE(IsPixelAt(polylines[0].points.back(), TBPoint(100, 50), 30, 90)) << polylines[0].points.back();
}

TEST_F(ArcPrimitive, WidePenFollowsThePrintPitch)
{
    TZhdLType dashed;
    dashed.SetPattern(static_cast<int>(0xF0F0F0F0u));
    dashed.SetDots(32);
    dashed.SetPitch(1);
    dashed.SetPrintPitch(80); // 80 / 20 = 4 mm per bit: 4 points per bit
    Info().LineWidthDisplay = 1;
    canvas.SetPenWidth(3);
    Draw(TBPoint(100, 50), 30, 0, 180, 1.0, dashed);
    const auto polylines = Polylines();
    ASSERT_GE(polylines.size(), 2u);
    EXPECT_EQ(polylines[0].points.size(), 16u) << "four bits down of four points each";
    EXPECT_EQ(canvas.Pen().width, 3) << "the pen is put back";
}

// Line types without a step, radii and sweeps that the walk cannot advance
// over, and absurd sizes end promptly.
TEST_F(ArcPrimitive, DegenerateArcsEndPromptly)
{
    TZhdLType no_pitch;
    no_pitch.SetPattern(static_cast<int>(0xF0F0F0F0u));
    no_pitch.SetPitch(0);
    EXPECT_EQ(Draw(TBPoint(100, 50), 30, 0, 90, 1.0, no_pitch), 1);
    ASSERT_EQ(Polylines().size(), 1u) << "drawn solid";

    struct Case {
        const char* name;
        TBPoint center;
        double radius, start, sweep, flatness;
    };
    const Case cases[] = {
        { "radius 0", TBPoint(100, 50), 0, 0, 90, 1.0 },
        { "radius 1e300", TBPoint(100.0, -1e300), 1e300, 0, 180, 0.999 },
        { "tiny radius", TBPoint(100, 50), 1e-300, 0, 180, 1.0 },
        { "NaN centre", TBPoint(std::nan(""), 50.0), 10, 0, 180, 1.0 },
        { "sweep 1e300", TBPoint(100, 50), 10, 0, 1e300, 0.5 },
    };
    for (const Case& c : cases) {
        Draw(c.center, c.radius, c.start, c.sweep, c.flatness);
        std::size_t points = 0;
        for (const auto& polyline : Polylines())
            points += polyline.points.size();
        EXPECT_LT(points, 2000u) << c.name;
    }
    // A huge circle whose top crosses the area: its visible stretch, and only
    // that, is drawn.
    EXPECT_EQ(Draw(TBPoint(100.0, -1e12), 1e12 + 50, 80, 20, 1.0), 1);
    std::size_t points = 0;
    for (const auto& polyline : Polylines())
        points += polyline.points.size();
    EXPECT_GT(points, 150u);
    EXPECT_LT(points, 400u);
}

// A huge circle of which a short stretch crosses the area costs steps only
// along that stretch, whatever its pattern; a pattern without a set bit
// draws nothing but the one-point end.
TEST_F(ArcPrimitive, WalksCoverOnlyTheVisibleStretch)
{
    const auto dashed = [](std::uint32_t pattern, int dots) {
        TZhdLType type;
        type.SetPattern(static_cast<int>(pattern));
        type.SetDots(dots);
        type.SetPitch(1);
        return type;
    };
    struct Case {
        const char* name;
        TZhdLType type;
    };
    const Case cases[] = {
        { "solid", Solid() },
        { "16 bits, all set", dashed(0xFFFF0000, 16) },
        { "dashes", dashed(0xF0F0F0F0, 32) },
        { "one dot in 32", dashed(0x00000001, 32) },
        { "gaps only", dashed(0x00000000, 32) },
    };
    for (const Case& c : cases) {
        const std::uint64_t before = Info().PatternSteps();
        Draw(TBPoint(100.0, -1e8), 1e8 + 50, 0, 359, 1.0, c.type);
        EXPECT_LT(Info().PatternSteps() - before, 1000u) << c.name;
    }
    const std::uint64_t before = Info().PatternSteps();
    EXPECT_EQ(Draw(TBPoint(100, 50), 30, 0, 360, 0.5, dashed(0x00000000, 32)), 0);
    EXPECT_EQ(Info().PatternSteps(), before);
    const auto polylines = Polylines();
    ASSERT_EQ(polylines.size(), 1u);
    EXPECT_EQ(polylines[0].points.size(), 1u);
}

// A printer draws chords exactly: a solid arc gets a point only where the
// chord would leave the curve by half a pixel, not one per pixel; a dashed
// one keeps its walk.
TEST_F(ArcPrimitive, ADeviceThatDrawsVectorsGetsChordsWithinHalfAPixel)
{
    canvas.SetDrawsVectors(true);
    // A flat stretch of a large circle across the output area.
    const TBPoint center(100, -300);
    const double radius = 340;
    EXPECT_EQ(Draw(center, radius, 80, 20, 1.0), 1);
    const auto polylines = Polylines();
    ASSERT_EQ(polylines.size(), 1u);
    const std::vector<TPointI>& points = polylines[0].points;
    const double length = radius * 20 * degree;
    EXPECT_LT(static_cast<double>(points.size()), length / 5) << "still a point per pixel";
    EXPECT_GE(points.size(), 3u);
    EXPECT_TRUE(IsPixelAt(points.front(), center, radius, 80)) << points.front();
    EXPECT_TRUE(IsPixelAt(points.back(), center, radius, 100)) << points.back();
    // Every chord's middle lies within half a pixel of the circle, give or
    // take the rounding of its ends to pixels.
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
        const double mx = (points[i].x + points[i + 1].x) / 2.0;
        const double my = 100 - (points[i].y + points[i + 1].y) / 2.0;
        const double off = std::fabs(std::hypot(mx - center.GetX(), my - center.GetY()) - radius);
        EXPECT_LT(off, 0.5 + 1.5) << i;
    }
    // A dashed arc still walks its pattern point by point.
    TZhdLType dashed;
    dashed.SetPattern(0x0F0F0F0F);
    Draw(center, radius, 80, 20, 1.0, dashed);
    std::size_t dashed_points = 0;
    for (const auto& polyline : Polylines())
        dashed_points += polyline.points.size();
    EXPECT_GT(static_cast<double>(dashed_points), length / 5);
    canvas.SetDrawsVectors(false);
    Draw(center, radius, 80, 20, 1.0);
    EXPECT_NEAR(static_cast<double>(Polylines()[0].points.size()), length, 3) << "the screen keeps a point a pixel";
}
