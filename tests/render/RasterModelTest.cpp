// The information of a placed image: its record, the header of its file,
// and the mappings between the image's pixels and the drawing.

#include "render/RasterBase.h"

#include "tests/elements/GeometryTestSupport.h"
#include "tests/support/ByteBuilder.h"
#include "tests/support/TempDir.h"

#include "platform/ImagePlugin.h"

#include <QImage>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <numbers>
#include <utility>
#include <vector>

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

double Cross(const TBPoint& a, const TBPoint& b)
{
    return a.GetX() * b.GetY() - a.GetY() * b.GetX();
}

// The part of segment a -> b inside a convex polygon in counter-clockwise
// order, as parameters t0 <= t1 along it; false when none of it is inside.
bool SegmentInsideConvex(const TBPoint& a, const TBPoint& b, const std::vector<TBPoint>& polygon, double& t0,
                         double& t1)
{
    t0 = 0;
    t1 = 1;
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        const TBPoint& p = polygon[i];
        const TBPoint edge = polygon[(i + 1) % polygon.size()] - p;
        // Inside is on the left of every edge: cross(edge, x - p) >= 0.
        const double at_a = Cross(edge, a - p);
        const double change = Cross(edge, b - p) - at_a;
        if (change == 0) {
            if (at_a < 0)
                return false;
            continue;
        }
        const double t = -at_a / change;
        if (change > 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
    }
    return t0 < t1;
}

// Oracle for the clipped outline, written apart from the clipping: the area
// two convex counter-clockwise polygons share, by Green's theorem over the
// pieces of each boundary that lie inside the other. Edges of the two must
// not overlap (they would count twice).
double SharedAreaOracle(const std::vector<TBPoint>& first, const std::vector<TBPoint>& second)
{
    double twice = 0;
    for (const auto& [boundary, other] : { std::pair(&first, &second), std::pair(&second, &first) }) {
        for (std::size_t i = 0; i < boundary->size(); ++i) {
            const TBPoint& a = (*boundary)[i];
            const TBPoint& b = (*boundary)[(i + 1) % boundary->size()];
            double t0 = 0, t1 = 0;
            if (!SegmentInsideConvex(a, b, *other, t0, t1))
                continue;
            const TBPoint step = b - a;
            const TBPoint from(a.GetX() + t0 * step.GetX(), a.GetY() + t0 * step.GetY());
            const TBPoint to(a.GetX() + t1 * step.GetX(), a.GetY() + t1 * step.GetY());
            twice += Cross(from, to);
        }
    }
    return twice / 2;
}

// The shoelace area, positive for counter-clockwise order.
double SignedArea(const std::vector<TBPoint>& polygon)
{
    double twice = 0;
    for (std::size_t i = 0; i < polygon.size(); ++i)
        twice += Cross(polygon[i], polygon[(i + 1) % polygon.size()]);
    return twice / 2;
}

// A simple convex polygon walked counter-clockwise turns left (or runs
// straight on) at every point and turns once round in all.
bool IsConvexInOrder(const std::vector<TBPoint>& polygon)
{
    const std::size_t n = polygon.size();
    double turning = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const TBPoint in = polygon[(i + 1) % n] - polygon[i];
        const TBPoint out = polygon[(i + 2) % n] - polygon[(i + 1) % n];
        const double turn = std::atan2(Cross(in, out), in.GetX() * out.GetX() + in.GetY() * out.GetY());
        if (turn < -1e-9)
            return false;
        turning += turn;
    }
    return std::fabs(turning - 2 * std::numbers::pi) < 1e-6;
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

// Turned images cut by every side of the view: the outline is the true
// intersection of the image with the view, convex and in order, also where
// two of its points share the largest x.
TEST(RasterBase, ClipToViewGivesTheTrueIntersectionOfATurnedImage)
{
    struct View {
        double left, bottom, right, top;
    };
    std::vector<View> views;
    for (double edge = -6.0; edge <= 6.0; edge += 0.23) {
        views.push_back({ -50, -50, edge, 50 });
        views.push_back({ edge, -50, 50, 50 });
        views.push_back({ -50, -50, 50, edge });
        views.push_back({ -50, edge, 50, 50 });
        views.push_back({ edge - 3, edge - 1, edge, edge + 2 });
    }
    views.push_back({ -50, -50, 3.77, 50 });
    std::vector<double> angles { 26.6 };
    for (double degrees = 1; degrees < 360; degrees += 4.7)
        angles.push_back(degrees);

    int checked = 0;
    for (const double degrees : angles) {
        const PlainRaster raster = Raster(80, 60, 8, 6, TBPoint(0.3, -0.2), degrees);
        const std::vector<TBPoint> image { raster.PixelToWorld(0, 60), raster.PixelToWorld(80, 60),
                                           raster.PixelToWorld(80, 0), raster.PixelToWorld(0, 0) };
        for (const View& v : views) {
            SCOPED_TRACE(::testing::Message() << degrees << " degrees, view x " << v.left << " to " << v.right
                                              << ", y " << v.bottom << " to " << v.top);
            const std::vector<TBPoint> view { TBPoint(v.left, v.bottom), TBPoint(v.right, v.bottom),
                                              TBPoint(v.right, v.top), TBPoint(v.left, v.top) };
            const double expected = SharedAreaOracle(image, view);
            std::vector<TBPoint> polygon;
            int min_x = 0, max_x = 0, min_y = 0, max_y = 0;
            const int count = raster.ClipToView(TBPoint(v.left, v.bottom), TBPoint(v.right, v.top), polygon, min_x,
                                                max_x, min_y, max_y);
            ASSERT_EQ(count, static_cast<int>(polygon.size()));
            if (expected < 1e-9)
                continue;
            ++checked;
            ASSERT_GE(count, 3);
            EXPECT_NEAR(SignedArea(polygon), expected, 1e-9 * std::max(1.0, expected));
            EXPECT_TRUE(IsConvexInOrder(polygon));
        }
    }
    EXPECT_GT(checked, 1000) << "most views see part of the image";
}
