// Millimetres per pixel, fitting the paper, the transforms both ways, pen
// widths in pixels, the print scale's powers and the print frame's points.

#include "render/InfoReg.h"

#include "core/Constants.h"
#include "core/DebugLog.h"
#include "document/ZhdData.h"
#include "tests/render/RenderFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>

namespace {

class ViewTransform : public ::testing::Test {
protected:
    void SetUp() override { UseTestScreen(); }

    TInfoREG& Info() { return document.GetInfoRegPtr(); }
    void SetScale(double scale, double x = 0, double y = 0)
    {
        TZhdZoom view(scale);
        view.SetXY(x, y);
        Info().SetView(view);
    }

    TZhdData document;
};

} // namespace

TEST_F(ViewTransform, MillimetresPerPixel)
{
    EXPECT_DOUBLE_EQ(Info().GetMMPerPixelX(), 304.0 / 1280);
    EXPECT_DOUBLE_EQ(Info().GetMMPerPixelY(), 304.0 / 1280) << "screen height 0: square pixels";
    Info().SetPixelWidth(640);
    EXPECT_DOUBLE_EQ(Info().GetMMPerPixelX(), 304.0 / 1280) << "the screen's, not the paint box's";

    Info().OutputJob = 1;
    Info().ScreenWidthMM = 210;
    Info().SetPixelWidth(2480);
    EXPECT_DOUBLE_EQ(Info().GetMMPerPixelX(), 210.0 / 2480);
    Info().ScreenHeightMM = 297;
    Info().SetPixelHeight(3508);
    EXPECT_DOUBLE_EQ(Info().GetMMPerPixelY(), 297.0 / 3508);
}

TEST_F(ViewTransform, FitsThePaperByItsLimitingSide)
{
    const double mm = 304.0 / 1280;
    Info().SetPixelWidth(800);
    Info().SetPixelHeight(600);
    Info().SetBairitsu(297, 210, document);
    EXPECT_DOUBLE_EQ(Info().GetView().GetScale(), mm * 800 / 297) << "landscape: the width limits";
    EXPECT_DOUBLE_EQ(Info().FitFactor, 1 / Info().GetView().GetScale());

    SetScale(0);
    Info().SetBairitsu(210, 297, document);
    EXPECT_DOUBLE_EQ(Info().GetView().GetScale(), mm * 600 / 297) << "portrait: the height limits";

    SetScale(0);
    document.GetHeadPtr().SetPaperSize(3);
    Info().SetBairitsu(0, 0, document);
    EXPECT_DOUBLE_EQ(Info().GetView().GetScale(), mm * 800 / 420) << "the header's paper, A3";
}

TEST_F(ViewTransform, AUsableScaleIsKeptAndLogged)
{
    SetScale(2.5, 7, 8);
    std::ostringstream log;
    RedirectDebugLog(&log);
    Info().SetBairitsu(297, 210, document);
    RedirectDebugLog(nullptr);
    EXPECT_EQ(Info().GetView().GetScale(), 2.5);
    EXPECT_EQ(Info().GetView().GetX(), 7);
    std::istringstream lines(log.str());
    std::string first, second;
    std::getline(lines, first);
    std::getline(lines, second);
    EXPECT_EQ(first.rfind("<SetBairitsu> 2.500000 1.000000 297.000 210.000 ", 0), 0u) << first;
    EXPECT_EQ(second, "<SetBairitsu> 2.500000 1.000000 297.000 210.000");
}

// A damaged file's view may hold any scale: all that is not a positive finite
// number is fitted, so no transform divides by it.
TEST_F(ViewTransform, AnUnusableScaleIsFitted)
{
    for (const double scale : { -2.0, std::numeric_limits<double>::quiet_NaN(),
                                std::numeric_limits<double>::infinity() }) {
        SetScale(scale);
        Info().SetBairitsu(297, 210, document);
        EXPECT_GT(Info().GetView().GetScale(), 0) << scale;
        EXPECT_TRUE(std::isfinite(Info().GetView().GetScale())) << scale;
    }
    // No paper size at all (a code without a paper): a finite fit all the same.
    SetScale(0);
    document.GetHeadPtr().SetPaperSize(6);
    Info().SetBairitsu(0, 0, document);
    EXPECT_TRUE(std::isfinite(Info().GetView().GetScale()));
    EXPECT_GT(Info().GetView().GetScale(), 0);
}

TEST_F(ViewTransform, WorldAndScreenBothWays)
{
    Info().SetPixelWidth(801);
    Info().SetPixelHeight(600);
    SetScale(2.0, 10, 20);
    const TBPoint centre = Info().WorldToScreen(TBPoint(10, 20));
    EXPECT_EQ(centre.GetX(), 400);
    EXPECT_EQ(centre.GetY(), 300);
    const double per_mm = 2.0 / (304.0 / 1280);
    const TBPoint up_right = Info().WorldToScreen(TBPoint(11, 21));
    EXPECT_DOUBLE_EQ(up_right.GetX(), 400 + per_mm);
    EXPECT_DOUBLE_EQ(up_right.GetY(), 300 - per_mm) << "y grows downward";
    for (const TBPoint& p : { TBPoint(-3.25, 7.5), TBPoint(1e4, -1e4), TBPoint(10, 20) }) {
        const TBPoint back = Info().ScreenToWorld(Info().WorldToScreen(p));
        EXPECT_NEAR(back.GetX(), p.GetX(), 1e-9);
        EXPECT_NEAR(back.GetY(), p.GetY(), 1e-9);
    }
    // Rounding is trunc(x + 0.5): toward zero for negative coordinates.
    const TBPoint odd = Info().ScreenToWorld(TBPoint(-2.7, 3.5));
    const TBPoint rounded = Info().WorldToScreenRounded(odd);
    EXPECT_EQ(rounded.GetX(), -2);
    EXPECT_EQ(rounded.GetY(), 4);
}

TEST_F(ViewTransform, ViewCorners)
{
    Info().SetPixelWidth(800);
    Info().SetPixelHeight(600);
    SetScale(1.0);
    const TBPoint lower_left = Info().GetViewCorner(0);
    const TBPoint upper_right = Info().GetViewCorner(2);
    EXPECT_LT(lower_left.GetX(), upper_right.GetX());
    EXPECT_LT(lower_left.GetY(), upper_right.GetY());
    const TBPoint pixel = Info().WorldToScreen(lower_left);
    EXPECT_NEAR(pixel.GetX(), 0, 1e-9);
    EXPECT_NEAR(pixel.GetY(), 600, 1e-9);
    const TBPoint lower_right = Info().WorldToScreen(Info().GetViewCorner(1));
    EXPECT_NEAR(lower_right.GetX(), 800, 1e-9);
    const TBPoint upper_left = Info().WorldToScreen(Info().GetViewCorner(3));
    EXPECT_NEAR(upper_left.GetY(), 0, 1e-9);
}

TEST_F(ViewTransform, PenWidthsInPixels)
{
    struct Case {
        int display, unit, job;
        unsigned width;
        unsigned pixels;
    };
    // Scale 1 at 0.2375 mm per pixel unless the job sets 0.25.
    const Case cases[] = {
        { 0, -101, 1, 35, 1 }, // widths not shown
        { 1, 100, 0, 7, 1 },   // device pixels, on screen
        { 1, 100, 1, 7, 7 },   // device pixels, in a job
        { 1, -101, 1, 35, 2 }, // 0.35 mm / 0.25 mm = 1.4, + 0.9
        { 1, -10, 1, 1, 1 },   // 0.1 mm: 0.4 + 0.9
        { 1, -101, 1, 0, 1 },  // print pen 0 has width 0... at least 1
    };
    for (const Case& c : cases) {
        TInfoREG& info = Info();
        info.LineWidthDisplay = c.display;
        info.PenWidthUnit = c.unit;
        info.OutputJob = c.job;
        info.ScreenWidthMM = 250;
        info.SetPixelWidth(1000);
        SetScale(1.0);
        EXPECT_EQ(info.GetPenWidthPixels(c.width, 0, document), c.pixels) << c.unit << " " << c.width;
    }
    // Width 0 takes the print pen of the colour number.
    Info().LineWidthDisplay = 1;
    Info().PenWidthUnit = 100;
    Info().OutputJob = 1;
    document.GetPrtPenMapPtr()["3"].SetWidth(5);
    EXPECT_EQ(Info().GetPenWidthPixels(0, 3, document), 5u);
}

TEST_F(ViewTransform, PowersOfThePrintScale)
{
    SetScale(16);
    struct Case {
        int fix;
        double power;
    };
    for (const Case& c : { Case { 0, 16 }, Case { 1, 4 }, Case { 2, 2 }, Case { 3, std::sqrt(2.0) },
                           Case { 4, 1 }, Case { 7, 16 } }) {
        Info().PenPitchFix = c.fix;
        EXPECT_DOUBLE_EQ(Info().GetScalePower(1), c.power) << c.fix;
    }
    Info().PenHankeiFix = 4;
    EXPECT_EQ(Info().GetScalePower(2), 1.0);
    EXPECT_EQ(Info().GetScalePower(9), 16.0) << "any other kind: the scale itself";
}

TEST_F(ViewTransform, PrintFrameReferencePoints)
{
    TZhdZoomF area;
    area.SetXY(100, 50);
    area.SetScale(2);
    document.GetHeadPtr().SetPrinterArea(area);
    Info().PaperWidth = 297;
    Info().PaperHeight = 210;
    const TBPoint centre = Info().GetPrintFramePoint(4, document);
    EXPECT_EQ(centre.GetX(), 100);
    EXPECT_EQ(centre.GetY(), 50);
    const TBPoint lower_left = Info().GetPrintFramePoint(0, document);
    const TBPoint upper_right = Info().GetPrintFramePoint(8, document);
    EXPECT_DOUBLE_EQ(lower_left.GetX(), 100 - 297.0 / 4);
    EXPECT_DOUBLE_EQ(lower_left.GetY(), 50 - 210.0 / 4);
    EXPECT_DOUBLE_EQ(upper_right.GetX(), 100 + 297.0 / 4);
    EXPECT_DOUBLE_EQ(upper_right.GetY(), 50 + 210.0 / 4);
    EXPECT_EQ(Info().GetPrintFramePoint(9, document).GetX(), 100) << "any other kind: the centre";

    Info().PrintAngle = Pi / 2;
    const TBPoint turned = Info().GetPrintFramePoint(2, document);
    EXPECT_NEAR(turned.GetX(), 100 + 210.0 / 4, 1e-9);
    EXPECT_NEAR(turned.GetY(), 50 + 297.0 / 4, 1e-9);

    Info().PrintAngle = 0.3;
    for (int kind = 0; kind <= 9; ++kind) {
        const TBPoint back =
            Info().GetPrintFrameCentre(kind, Info().GetPrintFramePoint(static_cast<unsigned>(kind), document), document);
        EXPECT_NEAR(back.GetX(), 100, 1e-9) << kind;
        EXPECT_NEAR(back.GetY(), 50, 1e-9) << kind;
    }
}
