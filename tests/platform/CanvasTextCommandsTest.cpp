#include "platform/CanvasCommands.h"
#include "platform/ImageCanvas.h"
#include "platform/RecordingCanvas.h"
#include "platform/ShiftJis.h"
#include "tests/platform/CanvasPictures.h"

#include <gtest/gtest.h>

#include <climits>
#include <sstream>
#include <string>
#include <vector>

namespace cc = canvas_command;

namespace {

std::string Printed(const TCanvasCommand& command)
{
    std::ostringstream out;
    out << command;
    return out.str();
}

TFont Gothic(int height, int width = 0)
{
    return FontOf(u8"ＭＳ ゴシック", height, width);
}

} // namespace

TEST(CanvasText, SetFontIsACommandOnlyWhenTheFontChanges)
{
    TRecordingCanvas canvas(40, 30);
    canvas.SetFont(TFont {});
    canvas.SetFontColor(0);
    EXPECT_TRUE(canvas.Commands().empty());

    // Text drawing builds a font for every piece: one command per change.
    const TFont font = Gothic(20, 10);
    for (int piece = 0; piece < 3; ++piece) {
        canvas.SetFont(font);
        canvas.SetFontColor(red);
        canvas.TextOut(piece * 20, 0, "A");
    }
    TFont red_font = font;
    red_font.color = red;
    const std::vector<TCanvasCommand> expected {
        cc::SetFont { font },
        cc::SetFont { red_font },
        cc::TextOut { { 0, 0 }, "A" },
        cc::SetFont { font },
        cc::SetFont { red_font },
        cc::TextOut { { 20, 0 }, "A" },
        cc::SetFont { font },
        cc::SetFont { red_font },
        cc::TextOut { { 40, 0 }, "A" },
    };
    EXPECT_EQ(canvas.Commands(), expected);
    EXPECT_EQ(canvas.Font(), red_font);
}

TEST(CanvasText, TextOutKeepsItsBytesAndLeavesThePenAlone)
{
    TRecordingCanvas canvas(40, 30);
    canvas.MoveTo(3, 4);
    const std::string text = sj(u8"図面") + std::string("\0\x81", 2);
    canvas.TextOut(-5, 7, text);
    canvas.TextOut(1, 2, "");
    ASSERT_EQ(canvas.Commands().size(), 3U);
    EXPECT_EQ(canvas.Commands()[1], TCanvasCommand(cc::TextOut { { -5, 7 }, text }));
    EXPECT_EQ(canvas.Commands()[2], TCanvasCommand(cc::TextOut { { 1, 2 }, "" }));
    EXPECT_EQ(canvas.PenPos(), (TPointI { 3, 4 }));
}

TEST(CanvasText, CommandsPrintReadably)
{
    TFont font = Gothic(20, 10);
    font.escapement = 300;
    font.weight = 700;
    font.italic = true;
    font.underline = true;
    font.strike_out = true;
    font.color = PackColor(1, 2, 3);
    EXPECT_EQ(Printed(cc::SetFont { font }),
        "SetFont(font \"ＭＳ ゴシック\" height 20 width 10 escapement 300 weight 700 italic underline strike-out "
        "rgb(1, 2, 3))");
    EXPECT_EQ(
        Printed(cc::SetFont { TFont {} }), "SetFont(font \"\" height 0 width 0 escapement 0 weight 400 rgb(0, 0, 0))");
    EXPECT_EQ(Printed(cc::TextOut { { 3, -4 }, sj(u8"図面 A\"\\") }), "TextOut(3, -4, \"図面 A\\\"\\\\\")");
    // Bytes that are no Shift-JIS text print as bytes, so that different
    // texts never print alike.
    EXPECT_EQ(Printed(cc::TextOut { { 0, 0 }, "A\x81" }), "TextOut(0, 0, \"A\\x81\")");
    EXPECT_EQ(Printed(cc::TextOut { { 0, 0 }, "\x85\x40\n" }), "TextOut(0, 0, \"\\x85@\\x0A\")");
    EXPECT_EQ(Printed(cc::TextOut { { 0, 0 }, sj(u8"あ\n") }), "TextOut(0, 0, \"あ\\x0A\")");
}

TEST(CanvasText, ReplayedTextEqualsDirectTextByteForByte)
{
    const auto scene = [](TCanvas& canvas) {
        canvas.SetBrushColor(PackColor(240, 240, 200));
        canvas.FillRect({ 0, 0, canvas.Width(), canvas.Height() });
        TFont font = Gothic(18, 9);
        for (int piece = 0; piece < 6; ++piece) {
            font.escapement = piece * 300;
            font.weight = piece % 2 == 0 ? 400 : 700;
            font.italic = piece % 3 == 1;
            font.underline = piece == 2;
            font.strike_out = piece == 4;
            font.face = sj(piece < 3 ? u8"ＭＳ ゴシック" : u8"ＭＳ Ｐ明朝");
            canvas.SetFont(font);
            canvas.SetFontColor(piece % 2 == 0 ? red : blue);
            canvas.TextOut(10 + 25 * piece, 40, sj(u8"図面A"));
        }
        canvas.TextOut(INT_MIN, INT_MAX, sj(u8"図"));
        canvas.SetFont(Gothic(0, 5));
        canvas.TextOut(5, 5, "A");
    };
    TImageCanvas direct(180, 80);
    scene(direct);
    TRecordingCanvas recording(180, 80);
    scene(recording);
    TImageCanvas replayed(180, 80);
    ReplayCommands(recording.Commands(), replayed);

    EXPECT_TRUE(SameImage(direct, replayed));
    EXPECT_GT(PixelsOf(direct, red).size(), 100U);
    EXPECT_GT(PixelsOf(direct, blue).size(), 100U);
}

TEST(CanvasText, NullCanvasTakesText)
{
    TNullCanvas canvas;
    canvas.SetFont(Gothic(20));
    canvas.TextOut(0, 0, sj(u8"図面"));
    EXPECT_EQ(canvas.Font(), Gothic(20));
}
