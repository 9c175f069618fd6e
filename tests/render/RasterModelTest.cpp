// The information of a placed image: its record, the header of its file,
// and the mappings between the image's pixels and the drawing.

#include "render/RasterBase.h"

#include "tests/elements/GeometryTestSupport.h"
#include "tests/support/ByteBuilder.h"
#include "tests/support/TempDir.h"

#include "platform/ImagePlugin.h"

#include <QImage>
#include <gtest/gtest.h>

#include <fstream>
#include <numbers>

namespace {

// A raster of no kind: only the shared information and geometry.
class PlainRaster final : public TRasterBase {
public:
    std::string GetKindName() const override { return "Plain"; }
    int GetKindCode() const override { return 0; }
    int Load(const std::filesystem::path&, TZhdData&) override { return 0; }
    int SaveCache(const std::filesystem::path&, TZhdData&, double) override { return 0; }
    int Draw(TCanvas&, TZhdData&, TBPoint, TBPoint, double, double) override { return 0; }
    TRGB GetUnusedColor() override { return TRGB(); }
};

// A W x H image of `width` x `height` mm centred on `centre`, turned.
PlainRaster Raster(int w, int h, double width, double height, TBPoint centre = TBPoint(0.0, 0.0),
                   double degrees = 0)
{
    PlainRaster raster;
    TRasterInfo& info = *raster.GetInfoPtr();
    info.SetPixelWidth(w);
    info.SetPixelHeight(h);
    info.SetPpmX(3937); // 100 dpi
    info.SetPpmY(3937);
    info.SetWidth(width);
    info.SetHeight(height);
    info.SetPosition(centre);
    info.SetAngle(TAngle(degrees * std::numbers::pi / 180));
    return raster;
}

std::string BmpHeader(std::uint32_t header_size, std::int32_t width, std::int32_t height, std::uint16_t bits,
                      std::uint32_t ppm)
{
    ByteBuilder bytes;
    bytes.Text("BM").U32(0).U32(0).U32(14 + header_size + 8);
    bytes.U32(header_size);
    if (header_size == 12) {
        bytes.U16(static_cast<std::uint16_t>(width)).U16(static_cast<std::uint16_t>(height)).U16(1).U16(bits);
    } else {
        bytes.I32(width).I32(height).U16(1).U16(bits).U32(0).U32(0).U32(ppm).U32(ppm).U32(0).U32(0);
        for (std::uint32_t i = 40; i < header_size; ++i)
            bytes.U8(0);
    }
    return bytes.Bytes() + std::string(8, '\0');
}

} // namespace

TEST(RasterInfo, RecordOfSeventyBytes)
{
    TMemoryStream stream;
    TRasterInfo().WriteRecord(stream);
    ByteBuilder expected;
    expected.Point(0, 0).I32(0).F64(0).F64(0).F64(0).I32(0).I32(0).U32(1).U32(1).U16(1).U32(0).U32(0);
    ASSERT_EQ(expected.Size(), 70u);
    EXPECT_EQ(BytesOf(stream), expected.Bytes());

    TRasterInfo info;
    info.SetPosition(TBPoint(1.5, -2.0, 7));
    info.SetAngle(TAngle(0.25));
    info.SetWidth(30);
    info.SetHeight(20);
    info.SetPixelWidth(300);
    info.SetPixelHeight(200);
    info.SetBitCount(24);
    info.SetDataOffset(54);
    info.SetColor(TRGB(0x123456));
    TMemoryStream written;
    info.WriteRecord(written);
    // Densities of 0 in a record stay 0; the setters make them 72 dpi.
    std::string bytes = BytesOf(written);
    std::fill(bytes.begin() + 52, bytes.begin() + 60, '\0');
    TMemoryStream again(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    TRasterInfo read;
    read.ReadRecord(again);
    EXPECT_POINT_NEAR(read.GetPosition(), 1.5, -2.0, 0);
    EXPECT_EQ(read.GetPosition().GetTag(), 7);
    EXPECT_EQ(read.GetAngle().GetRadians(), 0.25);
    EXPECT_EQ(read.GetPixelHeight(), 200);
    EXPECT_EQ(read.GetBitCount(), 24);
    EXPECT_EQ(read.GetDataOffset(), 54);
    EXPECT_EQ(read.GetColor().GetColor(), 0x123456);
    EXPECT_EQ(read.GetPpmX(), 0);
    EXPECT_EQ(read.SetPpmX(0), 2834);
}

TEST(RasterInfo, ReadImageInfoFromBitmapHeaders)
{
    const TempDir temp;
    struct Row {
        const char* name;
        std::string bytes;
        int result, width, height, bits, ppm;
    };
    const Row rows[] = {
        { "info.bmp", BmpHeader(40, 300, 200, 24, 0), 24, 300, 200, 24, 2834 },
        { "TOPDOWN.BMP", BmpHeader(40, 30, -20, 1, 3937), 1, 30, 20, 1, 3937 },
        // The newer headers and the core header are read too.
        { "v4.bmp", BmpHeader(108, 64, 48, 8, 3937), 8, 64, 48, 8, 3937 },
        { "v5.bmp", BmpHeader(124, 64, 48, 32, 3937), 32, 64, 48, 32, 3937 },
        { "core.bmp", BmpHeader(12, 16, 8, 4, 0), 4, 16, 8, 4, 2834 },
        // An unknown header: only the data offset; the bit count held.
        { "odd.bmp", BmpHeader(64, 64, 48, 24, 3937), 1, 0, 0, 1, 1 },
        // Cut short before the header size: not recognised.
        { "short.bmp", std::string("BM\0\0\0\0", 6), 0, 0, 0, 1, 1 },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::ofstream(temp.File(row.name), std::ios::binary) << row.bytes;
        TRasterInfo info;
        EXPECT_EQ(info.ReadImageInfo(temp.File(row.name)), row.result);
        EXPECT_EQ(info.GetPixelWidth(), row.width);
        EXPECT_EQ(info.GetPixelHeight(), row.height);
        EXPECT_EQ(info.GetBitCount(), row.bits);
        EXPECT_EQ(info.GetPpmX(), row.ppm);
    }
    TRasterInfo info;
    EXPECT_EQ(info.ReadImageInfo(temp.File("missing.bmp")), 0);
}

TEST(RasterInfo, ReadImageInfoThroughThePlugins)
{
    UseImagePluginFolder(std::filesystem::path(ZUVIEW_TEST_QTIMAGE_SPI).parent_path());
    const TempDir temp;
    QImage picture(30, 20, QImage::Format_RGB32);
    picture.fill(Qt::red);
    picture.setDotsPerMeterX(3937); // 100 dpi
    picture.setDotsPerMeterY(3937);
    ASSERT_TRUE(picture.save(QString::fromStdString(temp.File("photo.png").string())));
    std::ofstream(temp.File("notes.txt")) << "not a picture";

    TRasterInfo info;
    EXPECT_EQ(info.ReadImageInfo(temp.File("photo.png")), 24);
    EXPECT_EQ(info.GetPixelWidth(), 30);
    EXPECT_EQ(info.GetPixelHeight(), 20);
    EXPECT_EQ(info.GetPpmX(), 3937);
    EXPECT_EQ(info.GetDataOffset(), 0);
    EXPECT_EQ(info.ReadImageInfo(temp.File("notes.txt")), 0);
    EXPECT_EQ(info.GetPixelWidth(), 30) << "nothing changes";
}

TEST(RasterBase, PixelsAndTheDrawingMapOntoEachOther)
{
    const PlainRaster flat = Raster(200, 100, 40, 20, TBPoint(10.0, 5.0));
    EXPECT_POINT_NEAR(flat.PixelToWorld(0, 0), -10.0, 15.0, 1e-9);
    EXPECT_POINT_NEAR(flat.PixelToWorld(200, 100), 30.0, -5.0, 1e-9);
    EXPECT_POINT_NEAR(flat.WorldToPixel(TBPoint(10.0, 5.0)), 100.0, 50.0, 1e-9);

    const PlainRaster turned = Raster(200, 100, 40, 20, TBPoint(10.0, 5.0), 90);
    EXPECT_POINT_NEAR(turned.PixelToWorld(0, 0), 0.0, -15.0, 1e-9);
    EXPECT_POINT_NEAR(turned.WorldToPixel(turned.PixelToWorld(37, 81)), 37.0, 81.0, 1e-9);

    // Without area nothing divides by zero: everything maps to the centre.
    const PlainRaster empty = Raster(0, 100, 40, 20);
    EXPECT_POINT_NEAR(empty.WorldToPixel(TBPoint(3.0, 3.0)), 0.0, 0.0, 0);
    std::vector<TBPoint> polygon { TBPoint(1.0, 1.0) };
    int bounds[4] = { 7, 7, 7, 7 };
    EXPECT_EQ(empty.ClipToView(TBPoint(-100.0, -100.0), TBPoint(100.0, 100.0), polygon, bounds[0], bounds[1],
                               bounds[2], bounds[3]),
              0);
    EXPECT_TRUE(polygon.empty());
}

TEST(RasterBase, ClipToViewFindsThePartInView)
{
    const PlainRaster raster = Raster(200, 100, 40, 20);
    std::vector<TBPoint> polygon;
    int min_x = -1, max_x = -1, min_y = -1, max_y = -1;

    // Wholly inside: the four corners in turning order, the whole image.
    ASSERT_EQ(raster.ClipToView(TBPoint(-50.0, -50.0), TBPoint(50.0, 50.0), polygon, min_x, max_x, min_y, max_y), 4);
    EXPECT_POINT_NEAR(polygon[0], 20.0, -10.0, 1e-9); // largest x first
    EXPECT_EQ(min_x, 0);
    EXPECT_EQ(max_x, 200);
    EXPECT_EQ(min_y, 0);
    EXPECT_EQ(max_y, 100);

    // Wholly outside: nothing, the bounds untouched.
    min_x = max_x = min_y = max_y = -1;
    EXPECT_EQ(raster.ClipToView(TBPoint(100.0, 100.0), TBPoint(200.0, 200.0), polygon, min_x, max_x, min_y, max_y),
              0);
    EXPECT_EQ(min_x, -1);

    // A view inside the image: its corners on whole image pixels.
    ASSERT_EQ(raster.ClipToView(TBPoint(-5.03, -2.03), TBPoint(5.03, 2.03), polygon, min_x, max_x, min_y, max_y), 4);
    EXPECT_EQ(min_x, 74);
    EXPECT_EQ(max_x, 125);
    EXPECT_EQ(min_y, 39);
    EXPECT_EQ(max_y, 60);

    // A turned image cut by the view: a polygon of its visible part.
    const PlainRaster turned = Raster(200, 100, 40, 20, TBPoint(0.0, 0.0), 30);
    EXPECT_GE(turned.ClipToView(TBPoint(0.0, 0.0), TBPoint(50.0, 50.0), polygon, min_x, max_x, min_y, max_y), 3);
    for (const TBPoint& point : polygon) {
        EXPECT_GE(point.GetX(), -1e-9);
        EXPECT_GE(point.GetY(), -1e-9);
    }
}
