#include "platform/Canvas.h"
#include "platform/CanvasCommands.h"
#include "platform/RecordingCanvas.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace cc = canvas_command;

namespace {

const TColor red = PackColor(255, 0, 0);
const TColor blue = PackColor(0, 0, 255);

std::string Text(const TCanvasCommand& command)
{
    std::ostringstream out;
    out << command;
    return out.str();
}

} // namespace

TEST(Canvas, EveryCallIsOneCommandInOrder)
{
    TRecordingCanvas canvas(40, 30);
    const std::vector<TPointI> line { { 1, 2 }, { 3, 4 }, { 5, 6 } };
    const std::vector<TPointI> triangle { { 0, 0 }, { 9, 0 }, { 0, 9 } };
    canvas.SetPenColor(red);
    canvas.SetBrushStyle(TBrushStyle::DiagCross);
    canvas.MoveTo(1, 1);
    canvas.LineTo(7, 8);
    canvas.Polyline(line);
    canvas.Polygon(triangle);
    canvas.Ellipse(9, 8, 2, 3);
    canvas.FillRect({ 1, 2, 3, 4 });
    canvas.SetPixel(5, 6, blue);
    canvas.Polyline({});

    TPen pen;
    pen.color = red;
    TBrush brush;
    brush.style = TBrushStyle::DiagCross;
    const std::vector<TCanvasCommand> expected {
        cc::SetPen { pen }, cc::SetBrush { brush }, cc::MoveTo { { 1, 1 } }, cc::LineTo { { 7, 8 } },
        cc::Polyline { line }, cc::Polygon { triangle }, cc::Ellipse { { 9, 8, 2, 3 } }, cc::FillRect { { 1, 2, 3, 4 } },
        cc::SetPixel { { 5, 6 }, blue }, cc::Polyline {},
    };
    EXPECT_EQ(canvas.Commands(), expected);
    EXPECT_EQ(canvas.Width(), 40);
    EXPECT_EQ(canvas.Height(), 30);
    EXPECT_EQ(canvas.GetPixel(5, 6), NoColor);
}

TEST(Canvas, SettingTheCurrentPenOrBrushIsNoCommand)
{
    TRecordingCanvas canvas(10, 10);
    canvas.SetPen(TPen {});
    canvas.SetBrush(TBrush {});
    canvas.SetPenColor(0);
    canvas.SetPenWidth(1);
    canvas.SetPenStyle(TPenStyle::Solid);
    canvas.SetPenMode(TPenMode::Copy);
    canvas.SetBrushColor(PackColor(255, 255, 255));
    canvas.SetBrushStyle(TBrushStyle::Solid);
    EXPECT_TRUE(canvas.Commands().empty());

    // Drawing code that sets its pen for every element: one command per change.
    for (int element = 0; element < 5; ++element) {
        canvas.SetPenColor(red);
        canvas.SetPenWidth(3);
        canvas.LineTo(element, element);
    }
    ASSERT_EQ(canvas.Commands().size(), 7U);
    EXPECT_EQ(canvas.Commands()[0], TCanvasCommand(cc::SetPen { TPen { red, 1 } }));
    EXPECT_EQ(canvas.Commands()[1], TCanvasCommand(cc::SetPen { TPen { red, 3 } }));
    EXPECT_EQ(canvas.Pen(), (TPen { red, 3 }));
}

TEST(Canvas, PenPositionMovesWithMoveToAndLineToOnly)
{
    // The backend sees the old position while it plays MoveTo and LineTo.
    class TProbe final : public TCanvas {
    public:
        std::vector<TPointI> seen;
        int Width() const override { return 0; }
        int Height() const override { return 0; }
        TColor GetPixel(int, int) const override { return NoColor; }

    protected:
        void PlaySetPen(const TPen&) override {}
        void PlaySetBrush(const TBrush&) override {}
        void PlayMoveTo(TPointI) override { seen.push_back(PenPos()); }
        void PlayLineTo(TPointI) override { seen.push_back(PenPos()); }
        void PlayPolyline(std::span<const TPointI>) override {}
        void PlayPolygon(std::span<const TPointI>) override {}
        void PlayEllipse(const TRectI&) override {}
        void PlayFillRect(const TRectI&) override {}
        void PlaySetPixel(TPointI, TColor) override {}
        void PlaySetFont(const TFont&) override {}
        void PlayTextOut(TPointI, std::string_view) override {}
        void PlayStretchDraw(const TRectI&, const TBitmap&, TColor) override {}
    };
    TProbe canvas;
    canvas.MoveTo(3, 4);
    canvas.LineTo(5, 6);
    const std::vector<TPointI> points { { 10, 10 }, { 20, 20 } };
    canvas.Polyline(points);
    canvas.Polygon(points);
    canvas.Ellipse(0, 0, 50, 50);
    EXPECT_EQ(canvas.PenPos(), (TPointI { 5, 6 }));
    EXPECT_EQ(canvas.seen, (std::vector<TPointI> { { 0, 0 }, { 3, 4 } }));
}

TEST(Canvas, StateSaverPutsPenAndBrushBack)
{
    TRecordingCanvas canvas(10, 10);
    canvas.SetPen(TPen { red, 2, TPenStyle::Dot, TPenMode::NotXor });
    canvas.SetBrush(TBrush { blue, TBrushStyle::Clear });
    const TPen pen = canvas.Pen();
    const TBrush brush = canvas.Brush();
    canvas.Clear();
    {
        TCanvasStateSaver saver(canvas);
        canvas.SetPenColor(blue);
        canvas.SetBrushStyle(TBrushStyle::Solid);
        canvas.MoveTo(4, 4);
    }
    EXPECT_EQ(canvas.Pen(), pen);
    EXPECT_EQ(canvas.Brush(), brush);
    EXPECT_EQ(canvas.PenPos(), (TPointI { 4, 4 }));
    ASSERT_EQ(canvas.Commands().size(), 5U);
    EXPECT_EQ(canvas.Commands()[3], TCanvasCommand(cc::SetPen { pen }));
    EXPECT_EQ(canvas.Commands()[4], TCanvasCommand(cc::SetBrush { brush }));

    // Nothing changed, nothing to put back.
    canvas.Clear();
    {
        TCanvasStateSaver saver(canvas);
    }
    EXPECT_TRUE(canvas.Commands().empty());
}

TEST(Canvas, NullCanvasAnswersHarmlessly)
{
    TNullCanvas canvas(640, 480);
    const std::vector<TPointI> points { { 0, 0 }, { 10, 10 }, { 0, 10 } };
    canvas.SetPen(TPen { red, 5, TPenStyle::Dot, TPenMode::NotXor });
    canvas.MoveTo(1, 1);
    canvas.LineTo(100, 100);
    canvas.Polyline(points);
    canvas.Polygon(points);
    canvas.Ellipse(0, 0, 10, 10);
    canvas.FillRect({ 0, 0, 640, 480 });
    canvas.SetPixel(1, 1, red);
    EXPECT_EQ(canvas.Width(), 640);
    EXPECT_EQ(canvas.Height(), 480);
    EXPECT_EQ(canvas.GetPixel(1, 1), NoColor);
    EXPECT_EQ(canvas.Pen().width, 5);
    EXPECT_EQ(canvas.PenPos(), (TPointI { 100, 100 }));
    EXPECT_EQ(TNullCanvas().Width(), 0);
}

TEST(RecordingCanvas, ClearForgetsCommandsButKeepsState)
{
    TRecordingCanvas canvas(10, 10);
    canvas.SetPenColor(red);
    canvas.MoveTo(2, 3);
    canvas.Clear();
    EXPECT_TRUE(canvas.Commands().empty());
    canvas.SetPenColor(red);
    canvas.LineTo(4, 5);
    EXPECT_EQ(canvas.Commands(), (std::vector<TCanvasCommand> { cc::LineTo { { 4, 5 } } }));
    EXPECT_EQ(canvas.PenPos(), (TPointI { 4, 5 }));
}

TEST(RecordingCanvas, ReplayOntoAnotherRecordingGivesTheSameList)
{
    TRecordingCanvas source(10, 10);
    const std::vector<TPointI> points { { 1, 1 }, { 8, 2 }, { 3, 9 } };
    source.SetPen(TPen { blue, 3, TPenStyle::Solid, TPenMode::NotXor });
    source.SetBrush(TBrush { red, TBrushStyle::DiagCross });
    source.MoveTo(1, 2);
    source.LineTo(3, 4);
    source.Polyline(points);
    source.Polygon(points);
    source.Ellipse(1, 1, 5, 5);
    source.FillRect({ 0, 0, 2, 2 });
    source.SetPixel(7, 7, red);

    TRecordingCanvas copy(10, 10);
    ReplayCommands(source.Commands(), copy);
    EXPECT_EQ(copy.Commands(), source.Commands());
    EXPECT_EQ(copy.Pen(), source.Pen());
    EXPECT_EQ(copy.Brush(), source.Brush());
    EXPECT_EQ(copy.PenPos(), source.PenPos());
}

TEST(CanvasCommands, PrintReadably)
{
    EXPECT_EQ(Text(cc::LineTo { { 3, -4 } }), "LineTo(3, -4)");
    EXPECT_EQ(Text(cc::Polygon { { { 1, 2 }, { 3, 4 } } }), "Polygon((1, 2), (3, 4))");
    EXPECT_EQ(Text(cc::Ellipse { { 1, 2, 3, 4 } }), "Ellipse[1, 2 - 3, 4)");
    EXPECT_EQ(Text(cc::SetPixel { { 5, 6 }, PackColor(1, 2, 3) }), "SetPixel(5, 6, rgb(1, 2, 3))");
    EXPECT_EQ(Text(cc::SetPen { TPen { red, 2, TPenStyle::Dot, TPenMode::NotXor } }),
        "SetPen(pen rgb(255, 0, 0) width 2 dot not-xor)");
    EXPECT_EQ(Text(cc::SetBrush { TBrush { 0x1000000, TBrushStyle::DiagCross } }),
        "SetBrush(brush 0x1000000 diagonal cross)");
    EXPECT_EQ(testing::PrintToString(TPointI { 7, 8 }), "(7, 8)");
    EXPECT_NE(testing::PrintToString(TCanvasCommand(cc::MoveTo { { 1, 1 } })).find("MoveTo(1, 1)"), std::string::npos);
}
