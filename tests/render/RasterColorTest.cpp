// Colour images: loading (BMP directly, other formats through the plug-ins),
// the unused colour, and drawing on screen and into print jobs.

#include "render/RasterColor.h"
#include "render/RasterMeta.h"

#include "platform/BmpFile.h"
#include "platform/ImagePlugin.h"
#include "tests/render/CommandSupport.h"
#include "tests/support/TempDir.h"

#include <QImage>
#include <gtest/gtest.h>

#include <fstream>
#include <numbers>

namespace {

namespace cc = canvas_command;

constexpr TColor red = PackColor(255, 0, 0);
constexpr TColor white = PackColor(255, 255, 255);

// 4 x 2 pixels: red but for one white pixel and black at the bottom right.
TBitmap Picture()
{
    TBitmap bitmap(4, 2, TPixelFormat::Rgb24);
    bitmap.Fill(red);
    bitmap.SetPixel(1, 0, white);
    bitmap.SetPixel(3, 1, PackColor(0, 0, 0));
    return bitmap;
}

// The picture, 40 x 20 mm, centred at (0, 0) of a millimetre view.
class RasterColorDraw : public ::testing::Test, protected MillimetreView {
protected:
    RasterColorDraw()
    {
        raster.SetBitmap(Picture());
        TRasterInfo& info = *raster.GetInfoPtr();
        info.SetPixelWidth(4);
        info.SetPixelHeight(2);
        info.SetPpmX(0);
        info.SetPpmY(0);
        info.SetWidth(40);
        info.SetHeight(20);
    }

    int Draw()
    {
        canvas.Clear();
        return raster.Draw(canvas, document, Info().GetViewCorner(0), Info().GetViewCorner(2),
                           Info().GetView().GetScale(), Info().GetView().GetScale());
    }

    std::vector<cc::StretchDraw> Stretches() const { return CommandsOf<cc::StretchDraw>(canvas.Commands()); }

    TRasterColor raster;
};

} // namespace

TEST_F(RasterColorDraw, OnScreenOpaqueTransparentAndTurned)
{
    ASSERT_EQ(Draw(), 1);
    ASSERT_EQ(Stretches().size(), 1u);
    EXPECT_EQ(Stretches()[0].key, NoColor);
    EXPECT_EQ(Stretches()[0].bitmap, Picture());
    const TRectI whole = Stretches()[0].dest;
    EXPECT_EQ(whole.right - whole.left, 40);
    EXPECT_EQ(whole.bottom - whole.top, 20);

    Info().ColorTransparent = 1;
    ASSERT_EQ(Draw(), 1);
    EXPECT_EQ(Stretches()[0].key, white) << "the default transparent colour";

    // Turned: always transparent, with an unused colour as key when colour
    // transparency is off; the image's angle is back afterwards.
    Info().ColorTransparent = 0;
    raster.GetInfoPtr()->SetAngle(TAngle(std::numbers::pi / 2));
    ASSERT_EQ(Draw(), 1);
    ASSERT_EQ(Stretches().size(), 1u);
    const cc::StretchDraw turned = Stretches()[0];
    EXPECT_EQ(turned.key, PackColor(1, 0, 0)) << "0 is used by the black pixel";
    EXPECT_EQ(turned.bitmap.Width(), 2);
    EXPECT_EQ(turned.bitmap.Height(), 4);
    EXPECT_EQ(turned.bitmap.GetPixel(0, 0), red);
    EXPECT_EQ(turned.bitmap.GetPixel(1, 0), PackColor(0, 0, 0)) << "the bottom-right pixel comes to the top";
    EXPECT_EQ(raster.GetInfoRef().GetAngle().GetRadians(), std::numbers::pi / 2);
    EXPECT_EQ(turned.dest.right - turned.dest.left, 20);
    EXPECT_EQ(turned.dest.bottom - turned.dest.top, 40);

    // Out of view: nothing.
    raster.GetInfoPtr()->SetPosition(TBPoint(1000.0, 0.0));
    EXPECT_EQ(Draw(), 0);
    EXPECT_TRUE(canvas.Commands().empty());
}

TEST_F(RasterColorDraw, PrintJobsTakeThePictureOpaqueOrPixelByPixel)
{
    Info().OutputJob = 1;
    Info().RasterPass = 0;
    Info().ColorTransparent = 1;
    ASSERT_EQ(Draw(), 1);
    ASSERT_EQ(Stretches().size(), 1u);
    EXPECT_EQ(Stretches()[0].key, NoColor) << "opaque and unturned";

    Info().SpecialMemory = 1;
    ASSERT_EQ(Draw(), 1);
    EXPECT_TRUE(Stretches().empty());
    // One filled square per pixel that is not the transparent white.
    EXPECT_EQ(CommandsOf<cc::FillRect>(canvas.Commands()).size(), 7u);
}

TEST(RasterColor, UnusedColorIsTheSmallestFreeOne)
{
    TRasterColor raster;
    TBitmap bitmap(3, 1, TPixelFormat::Rgb24);
    bitmap.SetPixel(0, 0, 0);
    bitmap.SetPixel(1, 0, 1);
    bitmap.SetPixel(2, 0, 3);
    raster.SetBitmap(bitmap);
    EXPECT_EQ(raster.GetUnusedColor().GetColor(), 2);
    raster.GetInfoPtr()->SetColor(TRGB(2)); // the transparent colour counts as used
    EXPECT_EQ(raster.GetUnusedColor().GetColor(), 4);
    bitmap.SetPixel(1, 0, 5);
    raster.SetBitmap(bitmap); // a new picture is looked at anew
    EXPECT_EQ(raster.GetUnusedColor().GetColor(), 1);
}

TEST(RasterColor, LoadsBitmapsAndPluginPictures)
{
    UseImagePluginFolder(std::filesystem::path(ZUVIEW_TEST_QTIMAGE_SPI).parent_path());
    const TempDir temp;
    TZhdData document;
    ASSERT_EQ(WriteBmpFile(temp.File("picture.BMP"), Picture(), TBmpDensity { 3937, 3937 }), TSaveStatus::Saved);
    TRasterColor bmp;
    EXPECT_EQ(bmp.Load(temp.File("picture.BMP"), document), 1);
    EXPECT_EQ(bmp.GetBitmap(), Picture());
    EXPECT_EQ(bmp.GetInfoRef().GetPixelWidth(), 4);
    EXPECT_EQ(bmp.GetInfoRef().GetBitCount(), 24);
    EXPECT_EQ(bmp.GetInfoRef().GetPpmX(), 3937);

    QImage png = Picture().ToImage();
    png.setDotsPerMeterX(0);
    png.setDotsPerMeterY(0);
    ASSERT_TRUE(png.save(QString::fromStdString(temp.File("picture.png").string())));
    TRasterColor plugin;
    EXPECT_EQ(plugin.Load(temp.File("picture.png"), document), 1);
    EXPECT_EQ(plugin.GetBitmap().GetPixel(1, 0), white);
    EXPECT_EQ(plugin.GetInfoRef().GetPixelHeight(), 2);

    // A missing file, and one that does not decode, load nothing.
    std::ofstream(temp.File("broken.bmp"), std::ios::binary) << "BM not really";
    std::ofstream(temp.File("notes.txt")) << "text";
    for (const char* name : { "missing.bmp", "broken.bmp", "notes.txt" }) {
        TRasterColor raster;
        EXPECT_EQ(raster.Load(temp.File(name), document), 0) << name;
    }
}

TEST(RasterMeta, DrawsOnlyIntoOutputJobs)
{
    TRasterMeta raster;
    EXPECT_EQ(raster.GetInfoRef().GetColor().GetColor(), 0xFFFFFF);
    EXPECT_EQ(raster.GetKindCode(), 3);
    MillimetreView view;
    TRasterInfo& info = *raster.GetInfoPtr();
    info.SetPixelWidth(10);
    info.SetPixelHeight(10);
    info.SetWidth(10);
    info.SetHeight(10);
    const auto draw = [&] {
        return raster.Draw(view.canvas, view.document, view.Info().GetViewCorner(0), view.Info().GetViewCorner(2), 1,
                           1);
    };
    EXPECT_EQ(draw(), 0);
    view.Info().OutputJob = 1;
    EXPECT_EQ(draw(), 1);
    view.Info().SpecialMemory = 1;
    EXPECT_EQ(draw(), 0);
    TZhdData document;
    EXPECT_EQ(raster.Load("missing.emf", document), 0);
}
