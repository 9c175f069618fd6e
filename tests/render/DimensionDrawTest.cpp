// A dimension drawing its line, its text and its extended part, each in the
// colour of its own pen number.

#include "tests/render/CommandSupport.h"

#include "elements/KLine.h"
#include "elements/KMoji.h"
#include "elements/KPoint.h"
#include "elements/KSunpou.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

constexpr TColor line_color = PackColor(200, 0, 0);
constexpr TColor text_color = PackColor(0, 0, 200);
constexpr TColor grey = PackColor(128, 128, 128);
constexpr TColor white = PackColor(255, 255, 255);
constexpr TColor printed_line = PackColor(0, 100, 0);
constexpr TColor printed_text = PackColor(0, 0, 100);

TKLine LineOf(double x1, double y1, double x2, double y2, int pen)
{
    TKLine line;
    line.SetLine(TBPoint(x1, y1), TBPoint(x2, y2));
    line.SetPenColor(static_cast<std::uint16_t>(pen));
    return line;
}

TKPoint PointAt(double x, double y)
{
    TKPoint point;
    point.SetPos(TBPoint(x, y));
    point.SetPenColor(5);
    return point;
}

class DimensionDraw : public ::testing::Test, protected MillimetreView {
protected:
    DimensionDraw()
    {
        for (const char* key : { "B", "G" }) {
            const TColor color = key[0] == 'B' ? white : grey;
            document.GetPenMapPtr()[key].SetColor(color);
            document.GetPrtPenMapPtr()[key].SetColor(color);
        }
        document.GetPenMapPtr()["3"].SetColor(line_color);
        document.GetPenMapPtr()["4"].SetColor(text_color);
        document.GetPrtPenMapPtr()["3"].SetColor(printed_line);
        document.GetPrtPenMapPtr()["4"].SetColor(printed_text);

        dimension.SetLine(LineOf(20, 20, 120, 20, 3));
        TKMoji text(TBPoint(50.0, 22.0), TBPoint(70.0, 22.0), TZhdaMoji(5, 10, 0, 1), 1, TAngle(), "", "100");
        text.SetPenColor(4);
        dimension.SetMoji(text);
    }

    std::vector<Ink> Draw(TColor drawing_color)
    {
        canvas.Clear();
        document.SetDrawColor(static_cast<int>(drawing_color));
        EXPECT_EQ(dimension.Draw(canvas, document), 1);
        return InkOf(canvas.Commands());
    }

    TKSunpou dimension;
};

} // namespace

TEST_F(DimensionDraw, LineAndTextTakeTheirOwnPensColours)
{
    EXPECT_EQ(Draw(PackColor(1, 2, 3)), (std::vector<Ink> { { 'L', line_color }, { 'T', text_color } }));
    EXPECT_EQ(document.GetDrawColor(), static_cast<int>(text_color)) << "left at the text's colour";
}

TEST_F(DimensionDraw, DisplayOnlyPassKeepsItsGrey)
{
    EXPECT_EQ(Draw(grey), (std::vector<Ink> { { 'L', grey }, { 'T', grey } }));
}

TEST_F(DimensionDraw, ColourOfTheBackgroundTurnsToItsComplement)
{
    document.GetPenMapPtr()["3"].SetColor(white);
    EXPECT_EQ(Draw(PackColor(1, 2, 3)), (std::vector<Ink> { { 'L', 0 }, { 'T', text_color } }));
}

TEST_F(DimensionDraw, PrintUsesThePrintPensAndMonochromeStaysBlack)
{
    Info().PrintPreview = 1; // the print rules at the screen's size
    Info().ColorPrint = 1;
    EXPECT_EQ(Draw(0), (std::vector<Ink> { { 'L', printed_line }, { 'T', printed_text } }));
    Info().ColorPrint = 0;
    EXPECT_EQ(Draw(0), (std::vector<Ink> { { 'L', 0 }, { 'T', 0 } }));
}

TEST_F(DimensionDraw, ExtendedPartDrawsWithItsModeAndOnlyTwoEndPoints)
{
    TSXFSunpou sxf;
    sxf.SetSXFSunpou(0, LineOf(20, 10, 20, 30, 5), LineOf(120, 10, 120, 30, 5), PointAt(20, 60), PointAt(120, 60),
                     PointAt(60, 80), PointAt(60, 90));
    dimension.SetSXF(sxf);
    Draw(0);
    EXPECT_EQ(SegmentsOf(canvas.Commands()).size(), 1u) << "mode 0: the dimension line only";

    sxf.SetMode(1);
    dimension.SetSXF(sxf);
    Draw(0);
    EXPECT_EQ(SegmentsOf(canvas.Commands()).size(), 3u);
    const auto ellipses = CommandsOf<canvas_command::Ellipse>(canvas.Commands());
    ASSERT_EQ(ellipses.size(), 2u) << "end points 3 and 4 are never drawn";
    for (const auto& ellipse : ellipses)
        EXPECT_TRUE(std::abs((ellipse.box.left + ellipse.box.right) / 2 - 70) > 40) << ellipse.box;
}
