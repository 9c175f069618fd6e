#include "platform/ImageCanvas.h"
#include "platform/RecordingCanvas.h"
#include "tests/platform/CanvasPictures.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {

// Drawing code of the kind the viewer runs: every command, thin, dotted and
// wide pens, both pen modes, all brushes, and coordinates off the canvas.
void DrawScene(TCanvas& canvas)
{
    const std::vector<TPointI> zigzag { { -10, 5 }, { 12, 30 }, { 25, 2 }, { 40, 28 }, { 70, 10 } };
    const std::vector<TPointI> star { { 30, 0 }, { 42, 36 }, { 12, 12 }, { 48, 12 }, { 18, 36 } };
    canvas.SetBrushColor(PackColor(240, 240, 200));
    canvas.FillRect({ 0, 0, canvas.Width(), canvas.Height() });
    for (int width : { 1, 2, 5 }) {
        TCanvasStateSaver saver(canvas);
        canvas.SetPen(TPen { PackColor(20 * width, 0, 120), width, TPenStyle::Solid, TPenMode::Copy });
        canvas.MoveTo(2, 2 + 6 * width);
        canvas.LineTo(58, 6 * width);
        canvas.LineTo(58, 38);
        canvas.Polyline(zigzag);
        canvas.SetPenStyle(TPenStyle::Dot);
        canvas.LineTo(-5, 3 * width);
        canvas.SetBrush(TBrush { red, TBrushStyle::DiagCross });
        canvas.Polygon(star);
        canvas.SetBrushStyle(TBrushStyle::Solid);
        canvas.SetPenStyle(TPenStyle::Solid);
        canvas.Ellipse(5 * width, 20, 5 * width + 17, 36);
    }
    canvas.SetBrushStyle(TBrushStyle::Clear);
    canvas.Ellipse(INT_MIN, 30, INT_MAX, INT_MAX);
    canvas.SetPenMode(TPenMode::NotXor);
    canvas.SetPenColor(green);
    canvas.MoveTo(INT_MIN, INT_MIN);
    canvas.LineTo(INT_MAX, INT_MAX);
    canvas.SetBrushStyle(TBrushStyle::Solid);
    canvas.Polygon(zigzag);
    canvas.SetPenStyle(TPenStyle::Clear);
    canvas.Ellipse(40, 2, 56, 18);
    canvas.SetPixel(0, 0, blue);
    canvas.SetPixel(-1, 0, blue);
}

} // namespace

TEST(CanvasReplay, ReplayedRecordingEqualsDirectDrawingByteForByte)
{
    TImageCanvas direct(60, 40);
    DrawScene(direct);

    TRecordingCanvas recording(60, 40);
    DrawScene(recording);
    TImageCanvas replayed(60, 40);
    ReplayCommands(recording.Commands(), replayed);

    EXPECT_TRUE(SameImage(direct, replayed));
    // The scene draws something of every kind.
    EXPECT_GT(PixelsOf(direct, red).size(), 10U);
    EXPECT_EQ(direct.GetPixel(0, 0), blue);
}

TEST(CanvasReplay, ReplayContinuesFromTheTargetsState)
{
    TRecordingCanvas recording(10, 10);
    recording.MoveTo(1, 1);
    recording.LineTo(8, 1);
    recording.Clear();
    recording.LineTo(8, 8);

    // The list holds only the second line: it starts where the target's pen
    // stands and draws with the target's pen.
    TImageCanvas target(10, 10);
    target.SetPenColor(red);
    target.MoveTo(8, 4);
    ReplayCommands(recording.Commands(), target);
    EXPECT_EQ(target.GetPixel(8, 1), white);
    EXPECT_EQ(target.GetPixel(8, 4), red);
    EXPECT_EQ(target.GetPixel(8, 7), red);
    EXPECT_EQ(target.PenPos(), (TPointI { 8, 8 }));
}
