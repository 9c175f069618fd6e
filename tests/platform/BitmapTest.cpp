#include "platform/Bitmap.h"

#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace {

constexpr TColor Red = PackColor(255, 0, 0);
constexpr TColor Blue = PackColor(0, 0, 255);
constexpr TColor White = PackColor(255, 255, 255);

constexpr TPixelFormat AllFormats[] = { TPixelFormat::Indexed1, TPixelFormat::Indexed4, TPixelFormat::Indexed8,
    TPixelFormat::Rgb24, TPixelFormat::Rgb32 };

TEST(Bitmap, RowsArePaddedToWholeWords)
{
    struct TCase {
        int width;
        TPixelFormat format;
        std::size_t stride;
    };
    const TCase cases[] = {
        { 1, TPixelFormat::Indexed1, 4 },
        { 32, TPixelFormat::Indexed1, 4 },
        { 33, TPixelFormat::Indexed1, 8 },
        { 9, TPixelFormat::Indexed4, 8 },
        { 5, TPixelFormat::Indexed8, 8 },
        { 1, TPixelFormat::Rgb24, 4 },
        { 3, TPixelFormat::Rgb24, 12 },
        { 5, TPixelFormat::Rgb24, 16 },
        { 3, TPixelFormat::Rgb32, 12 },
    };
    for (const TCase& c : cases) {
        const TBitmap bitmap(c.width, 2, c.format);
        EXPECT_EQ(bitmap.Stride(), c.stride) << c.width << ' ' << BitsPerPixel(c.format);
        EXPECT_EQ(bitmap.Bits().size(), 2 * c.stride);
    }
}

TEST(Bitmap, ScanLineZeroIsTheTopRowStoredLast)
{
    TBitmap bitmap(2, 3, TPixelFormat::Rgb24);
    bitmap.SetPixel(1, 0, Red);
    const std::span<const std::uint8_t> bits = bitmap.Bits();
    EXPECT_EQ(bitmap.ScanLine(0), bits.data() + 2 * bitmap.Stride());
    EXPECT_EQ(bitmap.ScanLine(2), bits.data());
    // Blue, green, red.
    EXPECT_EQ(bitmap.ScanLine(0)[3], 0);
    EXPECT_EQ(bitmap.ScanLine(0)[5], 255);
    EXPECT_EQ(bitmap.ScanLine(3), nullptr);
    EXPECT_EQ(bitmap.ScanLine(-1), nullptr);
}

TEST(Bitmap, IndexedPixelsArePackedFromTheHighBit)
{
    TBitmap one(9, 1, TPixelFormat::Indexed1);
    one.SetPixelIndex(0, 0, 1);
    one.SetPixelIndex(8, 0, 1);
    EXPECT_EQ(one.ScanLine(0)[0], 0x80);
    EXPECT_EQ(one.ScanLine(0)[1], 0x80);
    TBitmap four(3, 1, TPixelFormat::Indexed4);
    four.SetPixelIndex(1, 0, 0xA);
    four.SetPixelIndex(2, 0, 0x3);
    four.SetPixelIndex(0, 0, 16); // past the palette: ignored
    EXPECT_EQ(four.ScanLine(0)[0], 0x0A);
    EXPECT_EQ(four.ScanLine(0)[1], 0x30);
    EXPECT_EQ(four.PixelIndex(1, 0), 0xA);
}

TEST(Bitmap, EveryFormatKeepsTheColoursItHolds)
{
    for (const TPixelFormat format : AllFormats) {
        TBitmap bitmap(3, 2, format);
        bitmap.SetPalette(std::vector<TColor> { Red, White, Blue });
        bitmap.SetPixel(0, 0, Red);
        bitmap.SetPixel(2, 1, White);
        // The nearest of the palette for indexed formats.
        bitmap.SetPixel(1, 1, PackColor(250, 10, 10));
        EXPECT_EQ(bitmap.GetPixel(0, 0), Red) << BitsPerPixel(format);
        EXPECT_EQ(bitmap.GetPixel(2, 1), White) << BitsPerPixel(format);
        EXPECT_EQ(bitmap.GetPixel(1, 1), IsIndexed(format) ? Red : PackColor(250, 10, 10));
        EXPECT_EQ(bitmap.GetPixel(3, 0), NoColor);
        EXPECT_EQ(bitmap.GetPixel(0, -1), NoColor);
    }
}

TEST(Bitmap, DefaultPalettesRunFromBlackToWhite)
{
    EXPECT_EQ(TBitmap::DefaultPalette(TPixelFormat::Indexed1), std::vector<TColor>({ 0, White }));
    const std::vector<TColor> grey = TBitmap::DefaultPalette(TPixelFormat::Indexed8);
    ASSERT_EQ(grey.size(), 256u);
    EXPECT_EQ(grey[128], PackColor(128, 128, 128));
    EXPECT_TRUE(TBitmap::DefaultPalette(TPixelFormat::Rgb24).empty());
}

TEST(Bitmap, SizesBeyondTheLimitAreRefusedNotAllocated)
{
    EXPECT_TRUE(TBitmap::SizeAllowed(1, 1, TPixelFormat::Indexed1));
    EXPECT_FALSE(TBitmap::SizeAllowed(0, 1, TPixelFormat::Rgb24));
    EXPECT_FALSE(TBitmap::SizeAllowed(1, -1, TPixelFormat::Rgb24));
    EXPECT_FALSE(TBitmap::SizeAllowed(65536, 65536, TPixelFormat::Rgb24));
    EXPECT_FALSE(TBitmap::SizeAllowed(0x7FFFFFFF, 0x7FFFFFFF, TPixelFormat::Rgb32));
    EXPECT_FALSE(TBitmap::SizeAllowed(std::int64_t { 1 } << 40, 1, TPixelFormat::Indexed1));
    EXPECT_TRUE(TBitmap(100000, 100000, TPixelFormat::Rgb24).IsEmpty());
    EXPECT_TRUE(TBitmap(0, 5, TPixelFormat::Rgb24).IsEmpty());
}

TEST(Bitmap, CopiesShareUntilOneChanges)
{
    TBitmap original(2, 2, TPixelFormat::Rgb24);
    const TBitmap copy = original;
    EXPECT_EQ(copy.Bits().data(), original.Bits().data());
    original.SetPixel(0, 0, Red);
    EXPECT_EQ(copy.GetPixel(0, 0), 0);
    EXPECT_EQ(original.GetPixel(0, 0), Red);
    EXPECT_NE(copy, original);
}

TEST(Bitmap, FillLeavesThePaddingZero)
{
    TBitmap bitmap(3, 2, TPixelFormat::Indexed1);
    bitmap.Fill(White);
    EXPECT_EQ(bitmap.ScanLine(0)[0], 0xE0);
    EXPECT_TRUE(std::all_of(bitmap.ScanLine(1) + 1, bitmap.ScanLine(1) + 4, [](std::uint8_t b) { return b == 0; }));
    EXPECT_EQ(bitmap.GetPixel(2, 1), White);
}

TEST(Bitmap, ConversionsKeepThePicture)
{
    TBitmap indexed(3, 1, TPixelFormat::Indexed1);
    indexed.SetPalette(std::vector<TColor> { Blue, Red });
    indexed.SetPixelIndex(1, 0, 1);
    const TBitmap wide = indexed.ConvertedTo(TPixelFormat::Rgb24);
    EXPECT_EQ(wide.GetPixel(0, 0), Blue);
    EXPECT_EQ(wide.GetPixel(1, 0), Red);
    // Indexed to indexed keeps palette and indices.
    const TBitmap eight = indexed.ConvertedTo(TPixelFormat::Indexed8);
    EXPECT_EQ(eight.Palette(), indexed.Palette());
    EXPECT_EQ(eight.PixelIndex(1, 0), 1);
    // Back to one bit through the default palette: black and white.
    TBitmap grey(2, 1, TPixelFormat::Rgb24);
    grey.SetPixel(0, 0, PackColor(200, 200, 200));
    const TBitmap mono = grey.ConvertedTo(TPixelFormat::Indexed1);
    EXPECT_EQ(mono.GetPixel(0, 0), White);
    EXPECT_EQ(mono.GetPixel(1, 0), 0);
}

TEST(Bitmap, QImageRoundTrip)
{
    TBitmap bitmap(3, 2, TPixelFormat::Indexed4);
    bitmap.SetPixel(2, 1, White);
    const QImage image = bitmap.ToImage();
    ASSERT_EQ(image.format(), QImage::Format_RGB32);
    EXPECT_EQ(image.pixel(2, 1), qRgb(255, 255, 255));
    EXPECT_EQ(TBitmap::FromImage(image), bitmap.ConvertedTo(TPixelFormat::Rgb24));
    EXPECT_TRUE(TBitmap::FromImage(QImage()).IsEmpty());
    EXPECT_TRUE(TBitmap().ToImage().isNull());
}

TEST(Bitmap, PrintsSizeDepthAndContent)
{
    TBitmap a(3, 2, TPixelFormat::Rgb24);
    TBitmap b = a;
    b.SetPixel(0, 0, Red);
    std::ostringstream first;
    std::ostringstream second;
    first << a;
    second << b;
    EXPECT_EQ(first.str().rfind("3x2 24-bit #", 0), 0u) << first.str();
    EXPECT_NE(first.str(), second.str());
}

} // namespace
