#include "render/RotateBitmap.h"

#include <gtest/gtest.h>


namespace {

constexpr TColor key = PackColor(1, 2, 3);

// 3 x 2: a b c / d e f.
TBitmap Source()
{
    TBitmap bitmap(3, 2, TPixelFormat::Rgb24);
    int n = 0;
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x, ++n)
            bitmap.SetPixel(x, y, PackColor(10 * n + 10, 0, 0));
    return bitmap;
}

TColor P(int n) // the source's n-th pixel, a = 0
{
    return PackColor(10 * n + 10, 0, 0);
}

std::vector<std::vector<TColor>> Rows(const TBitmap& bitmap)
{
    std::vector<std::vector<TColor>> rows(static_cast<std::size_t>(bitmap.Height()));
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            rows[static_cast<std::size_t>(y)].push_back(bitmap.GetPixel(x, y));
    return rows;
}

} // namespace

TEST(RotateBitmap, QuarterTurnsMoveEveryPixel)
{
    struct Row {
        double degrees;
        std::vector<std::vector<TColor>> expected;
    };
    const Row rows[] = {
        { 0, { { P(0), P(1), P(2) }, { P(3), P(4), P(5) } } },
        // Counter-clockwise: the top-right pixel comes to the top left.
        { 90, { { P(2), P(5) }, { P(1), P(4) }, { P(0), P(3) } } },
        { 180, { { P(5), P(4), P(3) }, { P(2), P(1), P(0) } } },
        { -90, { { P(3), P(0) }, { P(4), P(1) }, { P(5), P(2) } } },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.degrees);
        TBitmap turned;
        EXPECT_EQ(RotateBitmap(Source(), Degrees(row.degrees), key, turned), 1);
        EXPECT_EQ(turned.Format(), TPixelFormat::Rgb24);
        EXPECT_EQ(Rows(turned), row.expected);
    }
}

TEST(RotateBitmap, HalfQuarterTurnHasTheFixedPointSizeAndKeyCorners)
{
    int s = 0, c = 0;
    FixedSinCos(Degrees(45), s, c);
    EXPECT_EQ(s, 724);
    EXPECT_EQ(c, 724);
    FixedSinCos(Degrees(90), s, c);
    EXPECT_EQ(s, 1024);
    EXPECT_EQ(c, 0);

    TBitmap source(40, 20, TPixelFormat::Rgb24);
    source.Fill(PackColor(200, 100, 50));
    TBitmap turned;
    RotateBitmap(source, Degrees(45), key, turned);
    EXPECT_EQ(turned.Width(), 724 * 60 / 1024);
    EXPECT_EQ(turned.Height(), 724 * 60 / 1024);
    for (const auto& [x, y] : { std::pair { 0, 0 }, { turned.Width() - 1, 0 }, { 0, turned.Height() - 1 },
                                { turned.Width() - 1, turned.Height() - 1 } })
        EXPECT_EQ(turned.GetPixel(x, y), key) << x << "," << y;
    EXPECT_EQ(turned.GetPixel(turned.Width() / 2, turned.Height() / 2), PackColor(200, 100, 50));

    // Other depths are turned as 24 bits; nothing is turned into nothing.
    TBitmap mono(8, 1, TPixelFormat::Indexed1);
    mono.SetPixelIndex(0, 0, 1);
    RotateBitmap(mono, Degrees(90), key, turned);
    EXPECT_EQ(turned.Width(), 1);
    EXPECT_EQ(turned.Height(), 8);
    EXPECT_EQ(turned.GetPixel(0, 7), PackColor(255, 255, 255));
    EXPECT_EQ(RotateBitmap(TBitmap(), Degrees(30), key, turned), 1);
    EXPECT_TRUE(turned.IsEmpty());
}
