// The cross-hair and the print frame: not-XOR overlays that a second draw
// removes.

#include "tests/render/CommandSupport.h"

#include "core/Constants.h"
#include "platform/ImageCanvas.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

class Overlay : public ::testing::Test, protected MillimetreView {};

} // namespace

TEST_F(Overlay, CrossHairIsHorizontalAndVerticalThroughThePoint)
{
    document.GetPenMapPtr()["Z"].SetColor(PackColor(0, 128, 0));
    EXPECT_EQ(Info().DrawCrossHair(canvas, TBPoint(30, 60), document), 1);
    const auto segments = SegmentsOf(canvas.Commands());
    ASSERT_EQ(segments.size(), 2u);
    EXPECT_EQ(segments[0].from.y, 40);
    EXPECT_EQ(segments[0].to.y, 40);
    EXPECT_LT(segments[0].to.x, 0);
    EXPECT_GT(segments[0].from.x, 200);
    EXPECT_EQ(segments[1].from.x, 30);
    EXPECT_EQ(segments[1].to.x, 30);
    const auto pens = CommandsOf<canvas_command::SetPen>(canvas.Commands());
    ASSERT_FALSE(pens.empty());
    EXPECT_EQ(pens.front().pen, (TPen { PackColor(0, 128, 0), 1, TPenStyle::Solid, TPenMode::NotXor }));
    EXPECT_EQ(canvas.Pen().mode, TPenMode::Copy) << "left in copy mode";
}

TEST_F(Overlay, CrossHairFollowsTheAxisAngle)
{
    document.GetInfoZhgPtr().SetAngle(TAngle(30 * Pi / 180));
    Info().DrawCrossHair(canvas, TBPoint(100, 50), document);
    const auto segments = SegmentsOf(canvas.Commands());
    ASSERT_EQ(segments.size(), 2u);
    const double first = std::atan2(-(segments[0].to.y - segments[0].from.y), segments[0].to.x - segments[0].from.x);
    EXPECT_NEAR(std::fmod(first * 180 / Pi + 360, 180), 30, 0.5);
}

TEST_F(Overlay, DrawingTwiceRestoresThePicture)
{
    TImageCanvas image(200, 100, PackColor(255, 255, 255));
    image.SetBrush(TBrush { PackColor(10, 200, 30), TBrushStyle::Solid });
    image.FillRect(TRectI { 20, 20, 120, 70 });
    const QImage before = image.Image().copy();
    TZhdZoomF area;
    area.SetXY(100, 50);
    area.SetScale(4);
    document.GetHeadPtr().SetPrinterArea(area);
    Info().PrintAngle = 0.4;
    for (int i = 0; i < 2; ++i) {
        Info().DrawCrossHair(image, TBPoint(70, 40), document);
        Info().DrawPrintFrame(image, TBPoint(100, 50), document);
    }
    EXPECT_TRUE(image.Image() == before);
}

TEST_F(Overlay, PrintFrameIsThePaperAtThePrintScale)
{
    document.GetPenMapPtr()["S"].SetColor(PackColor(200, 0, 0));
    TZhdZoomF area;
    area.SetScale(2);
    document.GetHeadPtr().SetPrinterArea(area);
    Info().PaperWidth = 297;
    Info().PaperHeight = 210;
    Info().DrawPrintFrame(canvas, TBPoint(100, 50), document);
    const auto segments = SegmentsOf(canvas.Commands());
    ASSERT_EQ(segments.size(), 4u);
    // Right, top, left, then the lower side; 148.5 x 105 around (100, 50).
    EXPECT_EQ(segments[0], (Segment { { 174, 103 }, { 174, -2 } }));
    EXPECT_EQ(segments[3], (Segment { { 26, 103 }, { 174, 103 } }));
    for (const auto& pen : CommandsOf<canvas_command::SetPen>(canvas.Commands()))
        EXPECT_NE(pen.pen.color, PackColor(0, 0, 255)) << "unturned: no blue side";

    canvas.Clear();
    Info().PrintAngle = 0.1;
    Info().DrawPrintFrame(canvas, TBPoint(100, 50), document);
    std::vector<TColor> side_colors;
    TColor color = canvas.Pen().color;
    for (const TCanvasCommand& command : canvas.Commands()) {
        if (const auto* pen = std::get_if<canvas_command::SetPen>(&command))
            color = pen->pen.color;
        else if (std::holds_alternative<canvas_command::LineTo>(command))
            side_colors.push_back(color);
    }
    EXPECT_EQ(side_colors, (std::vector<TColor> { PackColor(200, 0, 0), PackColor(200, 0, 0), PackColor(200, 0, 0),
                                                  PackColor(0, 0, 255) }));
}
