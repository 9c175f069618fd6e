// Lines, arcs and points drawing themselves: colour, line type, the
// auxiliary rule, and the three kinds of points.

#include "tests/render/CommandSupport.h"

#include "core/Constants.h"
#include "elements/KCircle.h"
#include "elements/KLine.h"
#include "elements/KPoint.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr TColor drawing_color = PackColor(10, 20, 30);

class ElementDraw : public ::testing::Test, protected MillimetreView {
protected:
    ElementDraw() { document.SetDrawColor(drawing_color); }

    int Draw(TZhdElem& elem)
    {
        canvas.Clear();
        return elem.Draw(canvas, document);
    }
};

TKLine LineOf(double x1, double y1, double x2, double y2, int pen_color = 1, int line_type = 1)
{
    TKLine line;
    line.SetLine(TBPoint(x1, y1), TBPoint(x2, y2));
    line.SetPenColor(static_cast<std::uint16_t>(pen_color));
    line.SetPenStyle(static_cast<std::uint8_t>(line_type));
    return line;
}

} // namespace

TEST_F(ElementDraw, LineDrawsWithTheDrawingColourAndItsLineType)
{
    TVect<TZhdLType> types = document.GetHeadPtr().GetLTypes();
    TZhdLType dashed;
    dashed.SetPattern(static_cast<int>(0xF0000000u));
    dashed.SetDots(8);
    dashed.SetPitch(1);
    types.Set(3, dashed);
    document.GetHeadPtr().SetLTypes(types);
    canvas.SetPenWidth(4);

    TKLine line = LineOf(0, 50, 40, 50, 2, 3);
    EXPECT_EQ(Draw(line), 1);
    EXPECT_EQ(canvas.Pen().color, drawing_color);
    EXPECT_EQ(canvas.Pen().style, TPenStyle::Solid);
    EXPECT_EQ(canvas.Pen().width, 4) << "the caller's width";
    EXPECT_EQ(SegmentsOf(canvas.Commands()).size(), 3u) << "dashed by line type 3";
}

TEST_F(ElementDraw, AuxiliaryElementsAreLeftOutOfJobsAndThinOnScreen)
{
    TKLine by_color = LineOf(0, 50, 40, 50, 9, 1);
    TKLine by_type = LineOf(0, 50, 40, 50, 1, 9);
    TKCircle arc(TBPoint(100.0, 50.0), 10, TAngle(), TAngle(1.0), TAngle(), 1.0, 0);
    arc.SetPenStyle(9);
    TKPoint point;
    point.SetPos(TBPoint(100.0, 50.0));
    point.SetPenColor(9);
    TKPoint not_by_type;
    not_by_type.SetPos(TBPoint(100.0, 50.0));
    not_by_type.SetPenStyle(9);

    canvas.SetPenWidth(5);
    for (TZhdElem* elem : std::initializer_list<TZhdElem*> { &by_color, &by_type, &arc, &point }) {
        canvas.SetPenWidth(5);
        EXPECT_NE(Draw(*elem), 0);
        EXPECT_EQ(canvas.Pen().width, 1) << elem->GetTypeName();
    }
    Info().OutputJob = 1;
    for (TZhdElem* elem : std::initializer_list<TZhdElem*> { &by_color, &by_type, &arc, &point }) {
        EXPECT_EQ(Draw(*elem), 0);
        EXPECT_TRUE(SegmentsOf(canvas.Commands()).empty());
        EXPECT_TRUE(CommandsOf<canvas_command::Polyline>(canvas.Commands()).empty());
        EXPECT_TRUE(CommandsOf<canvas_command::Ellipse>(canvas.Commands()).empty());
    }
    EXPECT_EQ(Draw(not_by_type), 1) << "points are auxiliary by colour only";
}

TEST_F(ElementDraw, ArcHandsItsShapeToTheArcPrimitive)
{
    TKCircle circle(TBPoint(100.0, 50.0), 10, TAngle(), TAngle(2 * Pi), TAngle(), 1.0, 1);
    EXPECT_EQ(Draw(circle), 1);
    EXPECT_EQ(CommandsOf<canvas_command::Ellipse>(canvas.Commands()),
              (std::vector<canvas_command::Ellipse> { { TRectI { 90, 40, 110, 60 } } }));
    EXPECT_EQ(canvas.Brush().style, TBrushStyle::Clear) << "an outline";
    TKCircle outside(TBPoint(1000.0, 1000.0), 10, TAngle(), TAngle(1.0), TAngle(), 1.0, 0);
    EXPECT_EQ(Draw(outside), 0);
}

TEST_F(ElementDraw, TemporaryPointIsASmallOpenCircle)
{
    TKPoint point;
    point.SetPos(TBPoint(100.0, 50.0));
    point.SetTemporary(1);
    point.SetPenStyle(TKPoint::MarkerPenStyle); // the temporary test comes first
    canvas.SetPenWidth(3);
    EXPECT_EQ(Draw(point), 1);
    EXPECT_EQ(CommandsOf<canvas_command::Ellipse>(canvas.Commands()),
              (std::vector<canvas_command::Ellipse> { { TRectI { 97, 47, 102, 52 } } }));
    EXPECT_EQ(canvas.Brush().style, TBrushStyle::Clear);
    EXPECT_EQ(canvas.Pen().width, 1);
}

TEST_F(ElementDraw, PlainPointIsADotOfItsPrintPensRadius)
{
    TKPoint point;
    point.SetPos(TBPoint(100.0, 50.0));
    point.SetPenColor(3);
    document.GetPrtPenMapPtr()["3"].SetPointRadius(4.0);
    EXPECT_EQ(Draw(point), 1);
    EXPECT_EQ(CommandsOf<canvas_command::Ellipse>(canvas.Commands()),
              (std::vector<canvas_command::Ellipse> { { TRectI { 96, 46, 104, 54 } } }));
    EXPECT_EQ(canvas.Brush(), (TBrush { drawing_color, TBrushStyle::Solid }));

    // A radius under a pixel is raised to one pixel on screen.
    document.GetPrtPenMapPtr()["3"].SetPointRadius(0.1);
    Draw(point);
    EXPECT_EQ(CommandsOf<canvas_command::Ellipse>(canvas.Commands()),
              (std::vector<canvas_command::Ellipse> { { TRectI { 99, 49, 101, 51 } } }));

    // Under a job the radius follows the print scale by PenHankeiFix:
    // power 4 keeps it on paper, 0.1 mm / scale.
    Info().OutputJob = 1;
    Info().ScreenWidthMM = 200;
    Info().PenHankeiFix = 4;
    Draw(point);
    const auto dots = CommandsOf<canvas_command::Ellipse>(canvas.Commands());
    ASSERT_EQ(dots.size(), 1u);
    EXPECT_EQ(dots[0].box.right - dots[0].box.left, dots[0].box.bottom - dots[0].box.top) << "square in pixels";
}

TEST_F(ElementDraw, MarkerPointDrawsItsShapeWithThePointsAttributes)
{
    TKPoint marker;
    marker.SetPenStyle(TKPoint::MarkerPenStyle);
    marker.SetPenColor(4);
    marker.SetPoint(TBPoint(100.0, 50.0), 0, -5, TAngle(), 4.0); // a square of side 10
    EXPECT_EQ(Draw(marker), 1);
    const auto segments = SegmentsOf(canvas.Commands());
    ASSERT_EQ(segments.size(), 4u);
    EXPECT_EQ(segments[0], (Segment { { 105, 45 }, { 95, 45 } }));
    EXPECT_EQ(canvas.Pen().color, drawing_color);

    // On a background of the drawing colour the lines take its complement.
    document.GetPenMapPtr()["B"].SetColor(drawing_color);
    Draw(marker);
    EXPECT_EQ(canvas.Pen().color, ~drawing_color & 0xFFFFFF);
    EXPECT_EQ(document.GetDrawColor(), ~drawing_color & 0xFFFFFF);

    // A code without a shape draws nothing.
    marker.SetMarkerCode(99);
    EXPECT_EQ(Draw(marker), 1);
    EXPECT_TRUE(SegmentsOf(canvas.Commands()).empty());
}
