// Texts that place images: the image is found beside the drawing, made of
// the right kind, placed on the text's box and drawn; before a page of an
// output job, transparent and turned colour images are composited.

#include "elements/KMoji.h"
#include "platform/BmpFile.h"
#include "platform/ImageCanvas.h"
#include "render/RasterColor.h"
#include "tests/elements/GeometryTestSupport.h"
#include "tests/render/CommandSupport.h"
#include "tests/support/TempDir.h"

#include <QImage>
#include <boost/make_shared.hpp>
#include <gtest/gtest.h>

#include <numbers>

namespace {

namespace cc = canvas_command;

constexpr TColor red = PackColor(255, 0, 0);
constexpr TColor white = PackColor(255, 255, 255);

class TextImage : public ::testing::Test, protected MillimetreView {
protected:
    TextImage()
    {
        // The drawing lies in the temporary folder; its images beside it.
        document.GetHeadPtr().SetFileName(temp.File("plan.zhd").string());
        TBitmap colour(8, 4, TPixelFormat::Rgb24);
        colour.Fill(red);
        colour.SetPixel(0, 0, white);
        EXPECT_EQ(WriteBmpFile(temp.File("Photo.BMP"), colour), TSaveStatus::Saved);
        TBitmap mono(16, 8, TPixelFormat::Indexed1);
        for (int x = 0; x < 16; ++x)
            mono.SetPixelIndex(x, x / 2, 1);
        EXPECT_EQ(WriteBmpFile(temp.File("scan.bmp"), mono), TSaveStatus::Saved);
        document.RefreshLayerStates();
    }

    // An image text 40 x 20 mm from (80, 40), in the middle of the view,
    // turned by `degrees`.
    boost::shared_ptr<TKMoji> ImageText(const std::string& reference, double degrees = 0)
    {
        auto text = boost::make_shared<TKMoji>(TBPoint(80.0, 40.0), TBPoint(120.0, 40.0), TZhdaMoji(5, 5, 0, 1),
                                               1, TAngle(degrees * std::numbers::pi / 180), "", "^@BM" + reference);
        return text;
    }

    TempDir temp;
};

} // namespace

TEST_F(TextImage, AColourImageIsFoundBesideTheDrawingAndDrawn)
{
    // A Windows path to another drive: found in the drawing's folder.
    auto text = ImageText("C:\\DATA\\photo.bmp,40,20");
    EXPECT_EQ(text->Draw(canvas, document), 1);
    ASSERT_EQ(text->GetRasterCount(), 1);
    const TRasterBase& raster = *text->GetRaster();
    EXPECT_EQ(raster.GetKindCode(), 2);
    EXPECT_EQ(raster.GetInfoRef().GetPixelWidth(), 8);
    EXPECT_POINT_NEAR(raster.GetInfoRef().GetPosition(), 100.0, 50.0, 1e-9);
    const auto drawn = CommandsOf<cc::StretchDraw>(canvas.Commands());
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].dest.right - drawn[0].dest.left, 40);
    EXPECT_EQ(drawn[0].dest.bottom - drawn[0].dest.top, 20);
    EXPECT_TRUE(CommandsOf<cc::TextOut>(canvas.Commands()).empty()) << "the image instead of the characters";

    // A one-bit image makes a monochrome raster.
    auto scan = ImageText("scan.bmp,40,20");
    scan->Draw(canvas, document);
    ASSERT_EQ(scan->GetRasterCount(), 1);
    EXPECT_EQ(scan->GetRaster()->GetKindCode(), 1);
}

TEST_F(TextImage, CompositesResolveTransparentAndTurnedColourImages)
{
    TZhdElemList& list = document.GetElemListPtr();
    list.Append(ImageText("photo.bmp,40,20", 30)); // turned: composited
    list.Append(ImageText("photo.bmp,40,20"));     // unturned, opaque: not
    list.Append(ImageText("scan.bmp,40,20", 30));  // one bit: not
    std::vector<int> positions;
    EXPECT_EQ(list.DrawRasters(canvas, document, positions), 0) << "only in output jobs";
    EXPECT_TRUE(positions.empty());

    Info().OutputJob = 1;
    Info().RasterPass = 0;
    // A page of one millimetre per pixel too.
    Info().SetScreenWidthMM(200);
    Info().SetScreenHeightMM(100);
    ShowOneMillimetrePerPixel(Info(), 200, 100);
    EXPECT_EQ(list.DrawRasters(canvas, document, positions), 1);
    EXPECT_EQ(positions, std::vector<int> { 0 });
    EXPECT_EQ(Info().RasterPass, 0);
    const auto& turned = static_cast<const TKMoji&>(*list.Front());
    ASSERT_EQ(turned.GetRasterCount(), 1) << "the composite is its only image";
    const auto* composite = dynamic_cast<const TRasterColor*>(turned.GetRaster().get());
    ASSERT_NE(composite, nullptr);
    TBPoint min, max;
    turned.GetExtent(min, max, document, 0);
    EXPECT_NEAR(composite->GetInfoRef().GetWidth(), max.GetX() - min.GetX(), 1e-9);
    EXPECT_EQ(composite->GetBitmap().Width(), composite->GetInfoRef().GetPixelWidth());
    EXPECT_GT(composite->GetBitmap().Width(), 30);
    // The picture holds the turned image on the page's background.
    int red_pixels = 0;
    for (int y = 0; y < composite->GetBitmap().Height(); ++y)
        for (int x = 0; x < composite->GetBitmap().Width(); ++x)
            red_pixels += composite->GetBitmap().GetPixel(x, y) == red ? 1 : 0;
    EXPECT_GT(red_pixels, 300);

    // With colour transparency every colour image is composited, and texts
    // whose images were never loaded get theirs first.
    Info().ColorTransparent = 1;
    TZhdElemList& fresh = list;
    fresh.Append(ImageText("photo.bmp,40,20"));
    positions.clear();
    EXPECT_EQ(fresh.DrawRasters(canvas, document, positions), 3);
    EXPECT_EQ(positions, (std::vector<int> { 0, 1, 3 }));
}

TEST_F(TextImage, PictureOfADrawingWithImages)
{
    TZhdData drawing;
    drawing.GetHeadPtr().SetFileName(temp.File("plan.zhd").string());
    drawing.GetPenMapPtr()["B"].SetColor(static_cast<int>(white));
    // The drawing point (x, y) on the pixel (x, 120 - y).
    ShowOneMillimetrePerPixel(drawing.GetInfoRegPtr(), 200, 120);
    auto place = [&](const std::string& reference, double x, double y, double degrees) {
        auto text = boost::make_shared<TKMoji>(TBPoint(x, y), TBPoint(x + 40, y), TZhdaMoji(5, 5, 0, 1), 1,
                                               TAngle(degrees * std::numbers::pi / 180), "", "^@BM" + reference);
        drawing.GetElemListPtr().Append(text);
    };
    place("scan.bmp,48,24", 5, 80, 0);
    place("photo.bmp,40,20", 70, 80, 0);
    place("photo.bmp,40,20", 120, 20, 35);
    drawing.RefreshLayerStates();
    TImageCanvas picture(200, 120);
    drawing.GetElemListPtr().Draw(picture, drawing);
    EXPECT_TRUE(picture.Image().save(QString::fromStdString(TestArtefactPath("text_images.png").string())));
    int red_pixels = 0;
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 200; ++x)
            red_pixels += picture.GetPixel(x, y) == red ? 1 : 0;
    EXPECT_GT(red_pixels, 2 * 700) << "both colour images";
}
