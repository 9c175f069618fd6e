// Texts drawing themselves on the recording canvas: a font for each piece,
// the raised cell corner, frames, both edge modes, colour codes, special
// texts and the placeholder of an image.

#include "tests/render/CommandSupport.h"

#include "elements/KMoji.h"
#include "platform/Clock.h"
#include "platform/ShiftJis.h"

#include <gtest/gtest.h>

#include <array>
#include <ctime>

namespace {

constexpr TColor drawing_color = PackColor(10, 20, 30);
constexpr TColor white = PackColor(255, 255, 255);
constexpr TColor red = PackColor(255, 0, 0);
constexpr TColor pen3_color = PackColor(0, 128, 0);

using canvas_command::TextOut;

class TextDraw : public ::testing::Test, protected MillimetreView {
protected:
    TextDraw()
    {
        document.GetPenMapPtr()["B"].SetColor(static_cast<int>(white));
        document.GetPrtPenMapPtr()["B"].SetColor(static_cast<int>(white));
        document.GetPenMapPtr()["3"].SetColor(static_cast<int>(pen3_color));
    }

    // Characters 5 wide and `height` high from (20, 20): one pixel is one
    // millimetre, so the cell is 1.1 × the size.
    static TKMoji TextOf(const std::string& characters, double height = 10, double degrees = 0)
    {
        return TKMoji(TBPoint(20.0, 20.0), TBPoint(30.0, 20.0), TZhdaMoji(5, height, 0, 1), 1,
                      TAngle(degrees * 3.141592653589793 / 180), "", characters);
    }

    int Draw(TKMoji text)
    {
        canvas.Clear();
        document.SetDrawColor(static_cast<int>(drawing_color));
        return text.Draw(canvas, document);
    }

    std::vector<TextOut> Texts() const { return CommandsOf<TextOut>(canvas.Commands()); }
    std::vector<TFont> Fonts() const
    {
        std::vector<TFont> fonts;
        for (const auto& set : CommandsOf<canvas_command::SetFont>(canvas.Commands()))
            fonts.push_back(set.font);
        return fonts;
    }
};

} // namespace

TEST_F(TextDraw, EachPieceHasItsFontAtTheRaisedCornerOfItsCell)
{
    EXPECT_EQ(Draw(TextOf("A^!B")), 0) << "a text is no drawn shape";
    // Half-width pieces 2.5 apart; cells 11 high and 3 wide (5 × 0.5 × 1.1,
    // rounded), centred on the piece: a quarter of the width's growth before
    // a single byte, half the height's growth above it.
    EXPECT_EQ(Texts(), (std::vector<TextOut> { { { 19, 69 }, "A" }, { { 22, 69 }, "B" } }));
    const std::vector<TFont> fonts = Fonts();
    ASSERT_FALSE(fonts.empty());
    EXPECT_EQ(fonts.back().height, 11);
    EXPECT_EQ(fonts.back().width, 3);
    EXPECT_EQ(fonts.back().weight, 700) << "^! makes the rest bold";
    EXPECT_EQ(fonts.back().color, drawing_color);
    EXPECT_EQ(canvas.Font().escapement, 0);

    Draw(TextOf("A^_B^/C", 10, 30));
    const std::vector<TFont> turned = Fonts();
    ASSERT_FALSE(turned.empty());
    for (const TFont& font : turned)
        EXPECT_EQ(font.escapement, 300);
    EXPECT_TRUE(turned.back().underline && turned.back().italic);
    EXPECT_EQ(Texts().size(), 3u);
}

TEST_F(TextDraw, FrameOnScreenAndTextsTooSmallToRead)
{
    Info().MojiWaku = 1;
    Draw(TextOf("AB"));
    EXPECT_EQ(SegmentsOf(canvas.Commands()).size(), 4u);
    EXPECT_EQ(Texts().size(), 2u);

    Info().MojiWaku = 0;
    Draw(TextOf("AB", 3));
    EXPECT_EQ(SegmentsOf(canvas.Commands()).size(), 4u) << "3 pixels high: only the frame";
    EXPECT_TRUE(Texts().empty());

    Info().PrintPreview = 1;
    Draw(TextOf("AB", 3));
    EXPECT_TRUE(SegmentsOf(canvas.Commands()).empty()) << "print has no frames";
    EXPECT_EQ(Texts().size(), 2u);
}

// The frame of a text too small to read turns its four corners into output
// points once; it must draw what the segment primitive draws between the
// box points, segment for segment.
TEST_F(TextDraw, FrameOfATextTooSmallToReadIsTheSegmentsBetweenItsBoxPoints)
{
    const auto oracle = [&](const TKMoji& text) {
        TRecordingCanvas expected(200, 100);
        const TBPoint c[4] = { text.GetBoxPoint(0, 0, 0, 1), text.GetBoxPoint(2, 0, 0, 1), text.GetBoxPoint(8, 0, 0, 1),
                               text.GetBoxPoint(6, 0, 0, 1) };
        Info().DrawSegmentRounded(expected, c[1], c[0]);
        if (Info().WorldToScreenRounded(c[1]).DistanceTo(Info().WorldToScreenRounded(c[2])) < 1) {
            Info().DrawSegmentRounded(expected, c[3], c[2]);
        } else {
            Info().DrawSegmentRounded(expected, c[2], c[1]);
            Info().DrawSegmentRounded(expected, c[3], c[2]);
            Info().DrawSegmentRounded(expected, c[0], c[3]);
        }
        return SegmentsOf(expected.Commands());
    };
    TKMoji italic = TextOf("AB", 3.3, 17);
    italic.SetStart(TBPoint(20.3, 20.7, TKMoji::ItalicStyle));
    TKMoji no_width = TextOf("AB", 4);
    no_width.SetEnd(no_width.GetStart());
    TKMoji vertical = TextOf("AB", 2.5, 90);
    TBitFlg flags = vertical.GetStatusFlg();
    flags.SetBit(TKMoji::VerticalFlag);
    vertical.SetStatusFlg(flags);
    for (const TKMoji& text : { TextOf("AB", 3), TextOf("AB", 4.9, 30), TextOf("AB", 1, 200), TextOf("AB", 0.4, 10),
                                italic, no_width, vertical }) {
        const std::array<TBPoint, 4> corners = text.GetFrameCorners(1);
        constexpr int codes[4] = { 0, 2, 8, 6 };
        for (int i = 0; i < 4; ++i) {
            const TBPoint expected = text.GetBoxPoint(codes[i], 0, 0, 1);
            EXPECT_EQ(corners[i].GetX(), expected.GetX()) << i;
            EXPECT_EQ(corners[i].GetY(), expected.GetY()) << i;
        }
        Draw(text);
        EXPECT_TRUE(Texts().empty());
        EXPECT_EQ(SegmentsOf(canvas.Commands()), oracle(text)) << text.GetAngle().GetDegrees();
    }
}

TEST_F(TextDraw, EasyEdgeDrawsTheCharactersEightTimesAroundInTheEdgeColour)
{
    Info().EdgeMoji = 1;
    Info().EdgeMojiEasy = 1;
    Info().EdgeMojiColorKind = 2;
    Info().EdgeMojiColor = static_cast<int>(red);
    Draw(TextOf("A"));
    EXPECT_EQ(InkOf(canvas.Commands()), (std::vector<Ink> { { 'T', red }, { 'T', drawing_color } }));
    const std::vector<TextOut> texts = Texts();
    ASSERT_EQ(texts.size(), 9u);
    for (std::size_t i = 0; i < 8; ++i)
        EXPECT_LE(std::abs(texts[i].point.x - texts[8].point.x) + std::abs(texts[i].point.y - texts[8].point.y), 2);

    Info().EdgeMojiNonView = 1;
    Draw(TextOf("A"));
    EXPECT_EQ(InkOf(canvas.Commands()), (std::vector<Ink> { { 'T', red } })) << "the edge alone";
}

TEST_F(TextDraw, OutlineEdgeStrokesTheGlyphsClosedContours)
{
    Info().EdgeMoji = 1;
    Info().EdgeMojiColorKind = 2;
    Info().EdgeMojiColor = static_cast<int>(red);
    Draw(TextOf(sj(u8"口"), 40)); // tall enough for the careful edge
    const auto outlines = CommandsOf<canvas_command::Polyline>(canvas.Commands());
    ASSERT_GE(outlines.size(), 2u) << "the square's outer and inner contour";
    for (const auto& outline : outlines) {
        ASSERT_GE(outline.points.size(), 4u);
        EXPECT_EQ(outline.points.front(), outline.points.back());
    }
    EXPECT_EQ(InkOf(canvas.Commands()), (std::vector<Ink> { { 'L', red }, { 'T', drawing_color } }));

    Draw(TextOf(" ", 40));
    EXPECT_TRUE(CommandsOf<canvas_command::Polyline>(canvas.Commands()).empty()) << "a blank has no outline";
}

TEST_F(TextDraw, BoxEdgeFillsBehindTheTextInTheBackground)
{
    Info().EdgeMoji = 2;
    Draw(TextOf("AB"));
    const auto boxes = CommandsOf<canvas_command::Polygon>(canvas.Commands());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].points.size(), 4u);
    const auto brushes = CommandsOf<canvas_command::SetBrush>(canvas.Commands());
    ASSERT_FALSE(brushes.empty());
    EXPECT_EQ(brushes.front().brush.color, white);
    EXPECT_EQ(Texts().size(), 2u);
}

TEST_F(TextDraw, ColourCodesChangeTheFontColour)
{
    Draw(TextOf("A^$3B"));
    EXPECT_EQ(InkOf(canvas.Commands()), (std::vector<Ink> { { 'T', drawing_color }, { 'T', pen3_color } }));
}

TEST_F(TextDraw, VariableTextsShowTheirValuesInPrintOrWhenAskedOnScreen)
{
    SetClockSource([] {
        std::tm parts {};
        parts.tm_year = 2026 - 1900;
        parts.tm_mon = 11;
        parts.tm_mday = 8;
        parts.tm_isdst = -1;
        return std::mktime(&parts);
    });
    const auto characters = [&] {
        std::string shown;
        for (const TextOut& text : Texts())
            shown += text.text;
        return shown;
    };
    Draw(TextOf("%y"));
    EXPECT_EQ(characters(), "%y");
    Info().EmbedMoji = 1;
    Draw(TextOf("%y"));
    EXPECT_EQ(characters(), "26");
    Info().EmbedMoji = 0;
    Info().PrintPreview = 1;
    Draw(TextOf("%y"));
    EXPECT_EQ(characters(), "26");
    SetClockSource({});
}

TEST_F(TextDraw, ImageTextDrawsAPlaceholderWhereItsImageBelongs)
{
    const TKMoji image_text = TextOf("^@BMpicture.bmp,10,5");
    EXPECT_EQ(Draw(image_text), 0);
    const auto boxes = CommandsOf<canvas_command::Polygon>(canvas.Commands());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].points, (std::vector<TPointI> { { 20, 80 }, { 30, 80 }, { 30, 75 }, { 20, 75 } }));
    EXPECT_EQ(CommandsOf<canvas_command::SetPen>(canvas.Commands()).front().pen.style, TPenStyle::Dot);

    Info().OutputJob = 1;
    EXPECT_EQ(Draw(image_text), 0);
    EXPECT_TRUE(canvas.Commands().empty() || CommandsOf<canvas_command::Polygon>(canvas.Commands()).empty());
    Info().OutputJob = 0;

    // On a display-only layer: a hatched box.
    TZhdGrp group = document.GetHeadPtr().GetGroup(0);
    group.SetState(2);
    document.GetHeadPtr().SetGroup(0, group);
    TZhdLay layer = document.GetHeadPtr().GetLayer(0, 0);
    layer.SetState(1);
    document.GetHeadPtr().SetLayer(0, 0, layer);
    document.RefreshLayerStates();
    ASSERT_EQ(document.GetCachedLayerState(0, 0), 1u);
    EXPECT_EQ(Draw(image_text), 1);
    EXPECT_EQ(canvas.Brush().style, TBrushStyle::DiagCross);
    EXPECT_TRUE(Texts().empty());
}

TEST_F(TextDraw, AuxiliaryTextsStayOffJobs)
{
    TKMoji text = TextOf("AB");
    text.SetPenColor(9);
    Draw(text);
    EXPECT_EQ(Texts().size(), 2u);
    Info().OutputJob = 1;
    Info().SetPixelWidth(200);
    Draw(text);
    EXPECT_TRUE(Texts().empty());
}
