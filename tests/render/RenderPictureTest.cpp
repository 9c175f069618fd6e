// A small drawing of lines, dashes, a circle, an arc and points rendered to
// an image: chosen pixels have the colours the elements give them and the
// rest is background. The picture is kept as a test artefact.

#include "document/ZhdData.h"
#include "elements/KCircle.h"
#include "elements/KLine.h"
#include "elements/KPoint.h"
#include "platform/ImageCanvas.h"
#include "render/InfoReg.h"
#include "tests/render/RenderFixture.h"
#include "tests/support/TempDir.h"

#include <QImage>
#include <boost/make_shared.hpp>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

constexpr int width = 320;
constexpr int height = 240;
constexpr TColor white = PackColor(255, 255, 255);
constexpr TColor red = PackColor(220, 0, 0);
constexpr TColor green = PackColor(0, 160, 0);
constexpr TColor blue = PackColor(0, 0, 220);
constexpr TColor brown = PackColor(128, 64, 0);

template <typename Elem>
boost::shared_ptr<Elem> Colored(boost::shared_ptr<Elem> elem, int pen_color, int line_type = 1)
{
    elem->SetPenColor(static_cast<std::uint16_t>(pen_color));
    elem->SetPenStyle(static_cast<std::uint8_t>(line_type));
    return elem;
}

boost::shared_ptr<TKLine> Line(double x1, double y1, double x2, double y2)
{
    auto line = boost::make_shared<TKLine>();
    line->SetLine(TBPoint(x1, y1), TBPoint(x2, y2));
    return line;
}

// A drawing whose view puts the drawing point (x, y) on the pixel
// (x, 240 - y): one pixel per millimetre.
void BuildDrawing(TZhdData& document)
{
    ShowOneMillimetrePerPixel(document.GetInfoRegPtr(), width, height);
    TInfoREG& info = document.GetInfoRegPtr();
    info.MouseWorld = TBPoint(-100.0, -100.0); // the cross-hair off the picture
    auto& pens = document.GetPenMapPtr();
    pens["B"].SetColor(white);
    pens["2"].SetColor(red);
    pens["3"].SetColor(green);
    pens["4"].SetColor(blue);
    pens["5"].SetColor(brown);
    document.GetPrtPenMapPtr()["4"].SetPointRadius(3.0);

    TVect<TZhdLType> types = document.GetHeadPtr().GetLTypes();
    TZhdLType dashed; // 8 bits down, 8 up, 2 pixels a bit: 32-pixel dashes
    dashed.SetPattern(static_cast<int>(0xFF00FF00u));
    dashed.SetDots(16);
    dashed.SetPitch(2);
    types.Set(2, dashed);
    document.GetHeadPtr().SetLTypes(types);

    TZhdElemList& list = document.GetElemListPtr();
    list.Append(Colored(Line(20, 200, 300, 200), 2));
    list.Append(Colored(Line(20, 180, 300, 180), 5, 2));
    list.Append(Colored(boost::make_shared<TKCircle>(TBPoint(80.0, 100.0), 30, TAngle(), TAngle(2 * 3.14159265358979),
                                                     TAngle(), 1.0, 1),
                        3));
    list.Append(Colored(boost::make_shared<TKCircle>(TBPoint(220.0, 100.0), 40, TAngle(), TAngle(3.14159265358979 / 2),
                                                     TAngle(), 1.0, 0),
                        3));
    list.Append(Colored(boost::make_shared<TKCircle>(TBPoint(160.0, 40.0), 20, TAngle(), TAngle(2 * 3.14159265358979),
                                                     TAngle(0.5), 0.5, 1),
                        2));
    auto point = boost::make_shared<TKPoint>();
    point->SetPos(TBPoint(160.0, 60.0));
    list.Append(Colored(point, 4));
}

// Whether the colour is within a pixel of the point.
bool Near(const TImageCanvas& canvas, int x, int y, TColor color)
{
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            if (canvas.GetPixel(x + dx, y + dy) == color)
                return true;
        }
    }
    return false;
}

// The pixels the drawing's elements must have, and background elsewhere.
void ExpectTheDrawing(const TImageCanvas& canvas)
{
    EXPECT_EQ(canvas.GetPixel(5, 5), white) << "the background fill";
    EXPECT_EQ(canvas.GetPixel(160, 40), red) << "a solid line";
    EXPECT_EQ(canvas.GetPixel(30, 60), brown) << "inside the first dash";
    EXPECT_EQ(canvas.GetPixel(60, 60), white) << "inside the first gap";
    EXPECT_EQ(canvas.GetPixel(90, 60), brown) << "inside the second dash";
    EXPECT_EQ(canvas.GetPixel(109, 140), green) << "the circle's rightmost pixel";
    EXPECT_EQ(canvas.GetPixel(80, 140), white) << "the circle's inside";
    EXPECT_TRUE(Near(canvas, 248, 112, green)) << "the arc at 45 degrees";
    EXPECT_EQ(canvas.GetPixel(222, 96), white) << "the arc does not go on to 135 degrees";
    EXPECT_EQ(canvas.GetPixel(160, 180), blue) << "the dot";
    // The turned ellipse: its long axis at 0.5 radians from the centre.
    EXPECT_TRUE(Near(canvas, 160 + static_cast<int>(20 * std::cos(0.5)), 200 - static_cast<int>(20 * std::sin(0.5)), red));

    int background = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            background += canvas.GetPixel(x, y) == white ? 1 : 0;
    }
    EXPECT_GT(background, width * height * 9 / 10) << "the rest is background";
}

} // namespace

TEST(RenderPicture, ElementsAppearWhereAndHowTheyShould)
{
    TZhdData document;
    BuildDrawing(document);
    document.RefreshLayerStates();
    TImageCanvas canvas(width, height, PackColor(1, 2, 3));
    document.GetElemListPtr().Draw(canvas, document);
    EXPECT_TRUE(canvas.Image().save(QString::fromStdString(TestArtefactPath("render_picture.png").string())));
    ExpectTheDrawing(canvas);
}

// Elements with coordinates that are not finite or absurdly large (as a
// damaged file may bring) are skipped or clipped; the rest of the drawing
// draws as it would without them.
TEST(RenderPicture, AbsurdElementsLeaveTheRestAlone)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    TZhdData document;
    BuildDrawing(document);
    TZhdElemList& list = document.GetElemListPtr();
    list.Append(Colored(Line(nan, 10, 20, 30), 3));
    list.Append(Colored(Line(-inf, 30, inf, 30), 3));
    list.Append(Colored(Line(1e300, 1e300, -1e300, 1e300), 3, 2));
    list.Append(Colored(boost::make_shared<TKCircle>(TBPoint(nan, 0.0), 10, TAngle(), TAngle(1.0), TAngle(), 1.0, 0), 3));
    list.Append(Colored(boost::make_shared<TKCircle>(TBPoint(0.0, 1e300), 1e300, TAngle(), TAngle(6.3), TAngle(), 0.5, 1),
                        3, 2));
    list.Append(Colored(boost::make_shared<TKCircle>(TBPoint(1e12, 1e12), 10, TAngle(), TAngle(6.3), TAngle(), 1.0, 1), 3));
    auto marker = boost::make_shared<TKPoint>();
    marker->SetPenStyle(TKPoint::MarkerPenStyle);
    marker->SetPoint(TBPoint(inf, nan), 0, -5, TAngle(nan), inf);
    list.Append(Colored(marker, 3));
    document.RefreshLayerStates();
    TImageCanvas canvas(width, height, PackColor(1, 2, 3));
    list.Draw(canvas, document);
    ExpectTheDrawing(canvas);
}
