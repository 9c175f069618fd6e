// Solids drawing themselves on the recording canvas: the colour they fill
// with, the white-solid mark, plain polygons and segments, whole circles,
// arc lines, whole rings as two half rings, and degenerate solids that draw
// nothing.

#include "tests/render/CommandSupport.h"

#include "core/Constants.h"
#include "elements/KSolid.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr int drawing_color = 0x102030;
constexpr int own_color = 0x0000C0;
constexpr int white = 0xFFFFFF;

using canvas_command::Ellipse;
using canvas_command::Polygon;

TKSolid Plain(TBPoint a, TBPoint b, TBPoint c, TBPoint d)
{
    TKSolid solid;
    solid.SetSolid(a, b, c, d, own_color);
    return solid;
}

// Centre (100, 50), the middle of the output area; angles in degrees.
TKSolid ArcSolid(int kind, double radius, double flatness, double start, double arc, double kind_value)
{
    TKSolid solid;
    solid.SetPenStyle(static_cast<std::uint8_t>(kind));
    solid.SetSolid(TBPoint(100.0, 50.0), TBPoint(radius, flatness), TBPoint(0.0, start * Pi / 180),
                   TBPoint(arc * Pi / 180, kind_value), own_color);
    return solid;
}

TKSolid Square()
{
    return Plain(TBPoint(0.0, 0.0), TBPoint(10.0, 0.0), TBPoint(10.0, 10.0), TBPoint(0.0, 10.0));
}

class SolidDraw : public ::testing::Test, protected MillimetreView {
protected:
    int Draw(TKSolid solid, int force = 0)
    {
        canvas.Clear();
        document.SetDrawColor(drawing_color);
        document.SetDrawColorMode(force);
        return solid.Draw(canvas, document);
    }

    std::vector<Polygon> Polygons() const { return CommandsOf<Polygon>(canvas.Commands()); }
};

} // namespace

TEST_F(SolidDraw, OwnColourOnlyWithPenTenAndNoForcedColour)
{
    struct Row {
        const char* name;
        int pen;
        int force;
        int expected;
    };
    const Row rows[] = {
        { "own colour", 10, 0, own_color },
        { "forced drawing colour", 10, 1, drawing_color },
        { "another pen", 3, 0, drawing_color },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TKSolid solid = Square();
        solid.SetPenColor(static_cast<std::uint16_t>(row.pen));
        EXPECT_EQ(Draw(solid, row.force), 1);
        EXPECT_EQ(canvas.Pen().color, row.expected);
        EXPECT_EQ(canvas.Brush().color, row.expected);
        EXPECT_EQ(Polygons().size(), 1u);
    }
}

TEST_F(SolidDraw, WhiteFillRaisesTheMarkUnderTransparency)
{
    struct Row {
        const char* name;
        int own;
        int drawing;
        int transparent, color_transparent;
        int expected;
    };
    const Row rows[] = {
        { "own white, transparent", white, drawing_color, 1, 0, 1 },
        { "white drawing colour, colour transparent", own_color, white, 0, 1, 1 },
        { "white without transparency", white, white, 0, 0, 0 },
        { "not white", own_color, drawing_color, 1, 1, 0 },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TKSolid solid = Square();
        solid.SetPenColor(row.own == white ? 10 : 3);
        solid.SetColor(row.own);
        Info().Transparent = row.transparent;
        Info().ColorTransparent = row.color_transparent;
        document.SetWhiteSolidFlag(1 - row.expected);
        canvas.Clear();
        document.SetDrawColor(row.drawing);
        document.SetDrawColorMode(0);
        solid.Draw(canvas, document);
        EXPECT_EQ(document.GetWhiteSolidFlag(), row.expected);
    }
}

TEST_F(SolidDraw, PlainSolidFillsItsDistinctCornersWithoutOutline)
{
    Info().PolygonOffsetX = 3;
    Info().PolygonOffsetY = 4;
    const TKSolid triangle =
        Plain(TBPoint(20.0, 20.0), TBPoint(30.0, 20.0), TBPoint(20.0, 30.0), TBPoint(20.0, 30.0));
    EXPECT_EQ(Draw(triangle), 1);
    ASSERT_EQ(Polygons().size(), 1u);
    const std::vector<TPointI> expected { { 17, 76 }, { 27, 76 }, { 17, 66 } };
    EXPECT_EQ(Polygons()[0].points, expected);
    EXPECT_EQ(canvas.Pen().style, TPenStyle::Clear);
}

TEST_F(SolidDraw, TwoCornersDrawASegmentWithTheElementsPen)
{
    TKSolid segment = Plain(TBPoint(20.0, 20.0), TBPoint(30.0, 20.0), TBPoint(30.0, 20.0), TBPoint(30.0, 20.0));
    segment.SetPenWidth(3);
    EXPECT_EQ(Draw(segment), 1);
    EXPECT_TRUE(Polygons().empty());
    EXPECT_EQ(SegmentsOf(canvas.Commands()), (std::vector<Segment> { { { 20, 80 }, { 30, 80 } } }));
    EXPECT_EQ(canvas.Pen().style, TPenStyle::Solid);
    EXPECT_EQ(canvas.Pen().width, static_cast<int>(Info().GetPenWidthPixels(3, 3, document)));
}

TEST_F(SolidDraw, WholeCircleIsOneFilledEllipse)
{
    EXPECT_EQ(Draw(ArcSolid(101, 10, 1, 0, 360, 100)), 1);
    const auto ellipses = CommandsOf<Ellipse>(canvas.Commands());
    ASSERT_EQ(ellipses.size(), 1u);
    EXPECT_EQ(canvas.Brush().style, TBrushStyle::Solid);
    EXPECT_TRUE(Polygons().empty());
}

TEST_F(SolidDraw, ArcLineIsAnOutlineWithTheElementsPen)
{
    TKSolid arc = ArcSolid(111, 20, 1, 0, 90, 0);
    arc.SetPenWidth(2);
    EXPECT_EQ(Draw(arc), 1);
    EXPECT_TRUE(Polygons().empty());
    EXPECT_TRUE(CommandsOf<Ellipse>(canvas.Commands()).empty());
    EXPECT_FALSE(CommandsOf<canvas_command::Polyline>(canvas.Commands()).empty()
                 && SegmentsOf(canvas.Commands()).empty());
}

// The text form stores whole ellipses with an arc angle of 0: the kind value
// alone says they are whole.
TEST_F(SolidDraw, WholeFiguresGoRoundAFullTurnWhateverArcIsStored)
{
    EXPECT_EQ(Draw(ArcSolid(101, 10, 1, 0, 90, 100)), 1);
    EXPECT_EQ(CommandsOf<Ellipse>(canvas.Commands()).size(), 1u) << "a whole circle, not a quarter";

    const auto outline = [&](double arc_degrees, double value) {
        Draw(ArcSolid(111, 20, 0.5, 0, arc_degrees, value));
        std::size_t points = SegmentsOf(canvas.Commands()).size();
        for (const auto& polyline : CommandsOf<canvas_command::Polyline>(canvas.Commands()))
            points += polyline.points.size();
        return points;
    };
    EXPECT_GT(outline(0, 100), 0u);
    EXPECT_EQ(outline(0, 100), outline(360, 100));
    EXPECT_GT(outline(0, 100), 3 * outline(90, 0)) << "the whole ellipse, not a quarter";
}

TEST_F(SolidDraw, WholeRingIsTwoHalfRingsCoveringTheTurn)
{
    for (double start : { 0.0, 30.0, 250.0 }) {
        SCOPED_TRACE(start);
        const TKSolid ring = ArcSolid(105, 30, 1, start, 0, 15);
        EXPECT_EQ(Draw(ring), 1);
        const std::vector<Polygon> drawn = Polygons();
        EXPECT_EQ(drawn.size(), 2u);

        canvas.Clear();
        Info().DrawSolid(canvas, ArcSolid(105, 30, 1, start, 180, 15));
        Info().DrawSolid(canvas, ArcSolid(105, 30, 1, start + 180, 180, 15));
        EXPECT_EQ(drawn, Polygons());
    }
}

TEST_F(SolidDraw, DegenerateSolidsDrawNothing)
{
    const double not_a_number = std::numeric_limits<double>::quiet_NaN();
    struct Row {
        const char* name;
        TKSolid solid;
    };
    const Row rows[] = {
        { "corners all equal", Plain(TBPoint(5.0, 5.0), TBPoint(5.0, 5.0), TBPoint(5.0, 5.0), TBPoint(5.0, 5.0)) },
        { "plain corner not finite",
          Plain(TBPoint(0.0, 0.0), TBPoint(not_a_number, 0.0), TBPoint(10.0, 10.0), TBPoint(0.0, 10.0)) },
        { "radius 0", ArcSolid(101, 0, 1, 0, 90, 0) },
        { "arc corner not finite", ArcSolid(101, 10, 1, 0, not_a_number, 0) },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Draw(row.solid), 0);
        for (const TCanvasCommand& command : canvas.Commands()) {
            EXPECT_TRUE(std::holds_alternative<canvas_command::SetPen>(command)
                        || std::holds_alternative<canvas_command::SetBrush>(command));
        }
    }
}

TEST_F(SolidDraw, ConstantWidthRingToItsCentreIsFilled)
{
    // The second ellipse is the centre: a sector of the ellipse, no division
    // by the zero ring radius.
    EXPECT_EQ(Draw(ArcSolid(106, 20, 0.5, 0, 90, 0)), 1);
    ASSERT_EQ(Polygons().size(), 1u);
    EXPECT_GT(Polygons()[0].points.size(), 3u);
}
