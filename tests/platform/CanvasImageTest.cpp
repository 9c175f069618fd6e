#include "platform/ImageCanvas.h"
#include "tests/platform/CanvasPictures.h"

#include <QImage>
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

namespace {

using TPicture = std::vector<std::string>;

bool SamePoints(std::vector<TPointI> a, std::vector<TPointI> b)
{
    const auto order = [](const TPointI& p, const TPointI& q) { return p.y != q.y ? p.y < q.y : p.x < q.x; };
    std::sort(a.begin(), a.end(), order);
    std::sort(b.begin(), b.end(), order);
    return a == b;
}

QImage Copy(TImageCanvas& canvas)
{
    return canvas.Image().copy();
}

} // namespace

TEST(ImageCanvas, StartsFilledAndConvertsColours)
{
    const TColor tone = PackColor(0x12, 0x34, 0x56);
    TImageCanvas canvas(20, 16, tone);
    EXPECT_EQ(canvas.Width(), 20);
    EXPECT_EQ(canvas.Height(), 16);
    EXPECT_EQ(PixelsOf(canvas, tone).size(), 320U);
    canvas.SetPixel(3, 4, PackColor(0xAB, 0xCD, 0xEF));
    EXPECT_EQ(canvas.GetPixel(3, 4), PackColor(0xAB, 0xCD, 0xEF));
    const QImage& image = canvas.Image();
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
    EXPECT_EQ(image.pixel(3, 4), 0xFFABCDEFu);
    EXPECT_EQ(image.pixel(0, 0), 0xFF123456u);
}

TEST(ImageCanvas, PixelsOutsideAreNoColorAndSettingThemIsHarmless)
{
    TImageCanvas canvas(20, 16);
    const TPointI outside[] = { { -1, 0 }, { 0, -1 }, { 20, 0 }, { 0, 16 }, { INT_MIN, INT_MIN }, { INT_MAX, INT_MAX } };
    for (const TPointI& point : outside) {
        canvas.SetPixel(point.x, point.y, red);
        EXPECT_EQ(canvas.GetPixel(point.x, point.y), NoColor) << point;
    }
    EXPECT_EQ(PixelsOf(canvas, white).size(), 320U);
}

TEST(ImageCanvas, SetPixelCopiesWhateverThePenMode)
{
    TImageCanvas canvas(4, 4);
    canvas.SetPenMode(TPenMode::NotXor);
    canvas.SetPixel(1, 1, red);
    canvas.SetPixel(1, 1, red);
    // Only the low 24 bits are a colour.
    canvas.SetPixel(2, 2, 0x7F000000 | blue);
    EXPECT_EQ(canvas.GetPixel(1, 1), red);
    EXPECT_EQ(canvas.GetPixel(2, 2), blue);
}

TEST(ImageCanvas, OnePixelLinesLeaveOutTheirLastPixel)
{
    struct Case {
        TPointI from;
        TPointI to;
        std::vector<TPointI> pixels;
    };
    const Case cases[] = {
        { { 2, 3 }, { 7, 3 }, { { 2, 3 }, { 3, 3 }, { 4, 3 }, { 5, 3 }, { 6, 3 } } },
        { { 7, 5 }, { 2, 5 }, { { 7, 5 }, { 6, 5 }, { 5, 5 }, { 4, 5 }, { 3, 5 } } },
        { { 1, 1 }, { 1, 5 }, { { 1, 1 }, { 1, 2 }, { 1, 3 }, { 1, 4 } } },
        { { 4, 6 }, { 4, 2 }, { { 4, 6 }, { 4, 5 }, { 4, 4 }, { 4, 3 } } },
        { { 2, 2 }, { 6, 6 }, { { 2, 2 }, { 3, 3 }, { 4, 4 }, { 5, 5 } } },
        { { 6, 6 }, { 2, 2 }, { { 6, 6 }, { 5, 5 }, { 4, 4 }, { 3, 3 } } },
        { { 9, 1 }, { 5, 5 }, { { 9, 1 }, { 8, 2 }, { 7, 3 }, { 6, 4 } } },
        { { 5, 5 }, { 9, 1 }, { { 5, 5 }, { 6, 4 }, { 7, 3 }, { 8, 2 } } },
        // A tie between two rows goes to the larger coordinate, so both
        // directions take the same pixels between the ends.
        { { 0, 0 }, { 4, 2 }, { { 0, 0 }, { 1, 1 }, { 2, 1 }, { 3, 2 } } },
        { { 4, 2 }, { 0, 0 }, { { 4, 2 }, { 3, 2 }, { 2, 1 }, { 1, 1 } } },
        { { 3, 0 }, { 4, 6 }, { { 3, 0 }, { 3, 1 }, { 3, 2 }, { 4, 3 }, { 4, 4 }, { 4, 5 } } },
        { { 3, 3 }, { 3, 3 }, {} },
    };
    for (const Case& c : cases) {
        TImageCanvas canvas(12, 8);
        canvas.MoveTo(c.from.x, c.from.y);
        canvas.LineTo(c.to.x, c.to.y);
        EXPECT_TRUE(SamePoints(PixelsOf(canvas, black), c.pixels)) << c.from << " to " << c.to;
        EXPECT_EQ(canvas.PenPos(), c.to);
    }
}

TEST(ImageCanvas, PolylineLeavesOutOnlyItsLastPoint)
{
    TImageCanvas canvas(8, 6);
    const TPointI points[] = { { 1, 1 }, { 6, 1 }, { 6, 4 }, { 2, 4 } };
    canvas.Polyline(points);
    const TPicture expected {
        "........",
        ".######.",
        "......#.",
        "......#.",
        "...####.",
        "........",
    };
    EXPECT_EQ(Picture(canvas), expected);

    // Closed, in not-XOR mode: every pixel of the outline is painted once.
    TImageCanvas closed(8, 6);
    closed.SetPenMode(TPenMode::NotXor);
    const TPointI square[] = { { 1, 1 }, { 5, 1 }, { 5, 4 }, { 1, 4 }, { 1, 1 } };
    closed.Polyline(square);
    const TPicture outline {
        "........",
        ".#####..",
        ".#...#..",
        ".#...#..",
        ".#####..",
        "........",
    };
    EXPECT_EQ(Picture(closed), outline);
}

TEST(ImageCanvas, DotsRunOnAcrossLinesAndRestartAtMoveTo)
{
    TImageCanvas canvas(12, 6);
    canvas.SetPenStyle(TPenStyle::Dot);
    canvas.MoveTo(0, 1);
    canvas.LineTo(5, 1);
    canvas.LineTo(12, 1);
    canvas.MoveTo(11, 3);
    canvas.LineTo(-1, 3);
    const TPointI points[] = { { 1, 5 }, { 3, 5 }, { 12, 5 } };
    canvas.Polyline(points);
    const TPicture expected {
        "............",
        "#..#..#..#..",
        "............",
        "..#..#..#..#",
        "............",
        ".#..#..#..#.",
    };
    EXPECT_EQ(Picture(canvas), expected);
}

TEST(ImageCanvas, ClearPenDrawsNothing)
{
    TImageCanvas canvas(12, 8);
    canvas.SetPenStyle(TPenStyle::Clear);
    canvas.SetBrushStyle(TBrushStyle::Clear);
    const TPointI points[] = { { 1, 1 }, { 10, 1 }, { 5, 6 } };
    canvas.MoveTo(0, 0);
    canvas.LineTo(11, 7);
    canvas.Polyline(points);
    canvas.Polygon(points);
    canvas.Ellipse(1, 1, 11, 7);
    canvas.SetPenWidth(5);
    canvas.LineTo(0, 0);
    canvas.Polyline(points);
    canvas.Ellipse(1, 1, 11, 7);
    EXPECT_EQ(PixelsOf(canvas, white).size(), 96U);
}

TEST(ImageCanvas, WidePensAreCentredWithRoundEndsAndJoins)
{
    struct Case {
        int width;
        TPicture picture;
    };
    const Case cases[] = {
        // An even width leans half a pixel up and left.
        { 2,
            {
                "...............",
                "...............",
                "...............",
                "...########....",
                "...########....",
                "...............",
                "...............",
                "...............",
            } },
        { 5,
            {
                "...............",
                "...............",
                "...#########...",
                "..###########..",
                "..###########..",
                "..###########..",
                "...#########...",
                "...............",
            } },
    };
    for (const Case& c : cases) {
        TImageCanvas canvas(15, 8);
        canvas.SetPenWidth(c.width);
        canvas.MoveTo(4, 4);
        canvas.LineTo(10, 4);
        // A line of no length draws nothing, however wide the pen.
        canvas.LineTo(10, 4);
        EXPECT_EQ(Picture(canvas), c.picture) << "width " << c.width;
    }

    TImageCanvas canvas(14, 12);
    canvas.SetPenWidth(5);
    const TPointI corner[] = { { 3, 3 }, { 9, 3 }, { 9, 9 } };
    canvas.Polyline(corner);
    const TPicture joined {
        "..............",
        "..#########...",
        ".###########..",
        ".###########..",
        ".###########..",
        "..##########..",
        ".......#####..",
        ".......#####..",
        ".......#####..",
        ".......#####..",
        ".......#####..",
        "........###...",
    };
    EXPECT_EQ(Picture(canvas), joined);
}

TEST(ImageCanvas, NotXorPaintsTheInverseOfTheXorAndTwiceRestores)
{
    const TColor ground = PackColor(10, 200, 30);
    TImageCanvas canvas(20, 16, ground);
    canvas.SetPixel(7, 7, red);
    const QImage before = Copy(canvas);

    canvas.SetPen(TPen { red, 1, TPenStyle::Solid, TPenMode::NotXor });
    canvas.MoveTo(0, 2);
    canvas.LineTo(20, 2);
    // Per channel NOT (pen XOR ground).
    EXPECT_EQ(canvas.GetPixel(5, 2), PackColor(10, 55, 225));
    canvas.MoveTo(0, 2);
    canvas.LineTo(20, 2);
    EXPECT_EQ(Copy(canvas), before);

    const auto draw = [](TCanvas& c) {
        const TPointI star[] = { { 10, 0 }, { 16, 15 }, { 0, 5 }, { 19, 5 }, { 4, 15 } };
        const TPointI zigzag[] = { { 0, 0 }, { 19, 15 }, { 19, 0 }, { 0, 15 } };
        for (int width : { 1, 2, 5 }) {
            c.SetPen(TPen { blue, width, TPenStyle::Solid, TPenMode::NotXor });
            c.SetBrush(TBrush { green, TBrushStyle::Solid });
            c.Ellipse(2, 3, 17, 13);
            c.MoveTo(1, 14);
            c.LineTo(18, 1);
            c.Polyline(zigzag);
            c.SetBrush(TBrush { red, TBrushStyle::DiagCross });
            c.Polygon(star);
            c.SetPenStyle(TPenStyle::Dot);
            c.Polygon(zigzag);
            c.Ellipse(-5, -5, 10, 10);
        }
    };
    draw(canvas);
    EXPECT_NE(Copy(canvas), before);
    draw(canvas);
    EXPECT_EQ(Copy(canvas), before);
}

TEST(ImageCanvas, PolygonFillsByTheAlternateRuleAndOutlinesWithThePen)
{
    TImageCanvas canvas(12, 10);
    canvas.SetBrushColor(red);
    canvas.SetPenStyle(TPenStyle::Clear);
    const TPointI box[] = { { 2, 2 }, { 10, 2 }, { 10, 8 }, { 2, 8 } };
    canvas.Polygon(box);
    canvas.SetPenStyle(TPenStyle::Solid);
    canvas.SetBrushStyle(TBrushStyle::Clear);
    const TPointI triangle[] = { { 0, 0 }, { 3, 0 }, { 0, 3 } };
    canvas.Polygon(triangle);
    const TPicture expected {
        "####........",
        "#.#.........",
        "##rrrrrrrr..",
        "#.rrrrrrrr..",
        "..rrrrrrrr..",
        "..rrrrrrrr..",
        "..rrrrrrrr..",
        "..rrrrrrrr..",
        "............",
        "............",
    };
    EXPECT_EQ(Picture(canvas), expected);

    // A pentagram: its middle is inside twice, so it stays empty.
    TImageCanvas star(21, 21);
    star.SetBrushColor(red);
    star.SetPenStyle(TPenStyle::Clear);
    const TPointI points[] = { { 10, 0 }, { 16, 20 }, { 0, 7 }, { 20, 7 }, { 4, 20 } };
    star.Polygon(points);
    EXPECT_EQ(star.GetPixel(10, 11), white);
    EXPECT_EQ(star.GetPixel(10, 4), red);
    EXPECT_EQ(star.GetPixel(3, 8), red);
    EXPECT_EQ(star.GetPixel(14, 17), red);
}

TEST(ImageCanvas, DiagonalCrossHatchIsAnchoredAtTheOrigin)
{
    const TPicture tile {
        "#......#",
        ".#....#.",
        "..#..#..",
        "...##...",
        "...##...",
        "..#..#..",
        ".#....#.",
        "#......#",
    };
    TImageCanvas canvas(16, 16);
    canvas.SetBrush(TBrush { black, TBrushStyle::DiagCross });
    canvas.FillRect({ 0, 0, 16, 8 });
    canvas.SetPenStyle(TPenStyle::Clear);
    const TPointI lower_half[] = { { 0, 8 }, { 16, 8 }, { 16, 16 }, { 0, 16 } };
    canvas.Polygon(lower_half);
    const TPicture picture = Picture(canvas);
    for (int y = 0; y < 16; ++y)
        EXPECT_EQ(picture[y], tile[y % 8] + tile[y % 8]) << "row " << y;
}

TEST(ImageCanvas, FillRectCoversLeftTopInclusiveRightBottomExclusive)
{
    TImageCanvas canvas(8, 6);
    canvas.SetBrushColor(blue);
    canvas.SetPen(TPen { red, 3, TPenStyle::Solid, TPenMode::NotXor });
    canvas.FillRect({ 2, 1, 6, 3 });
    // The pen's mode is not the fill's: filling again changes nothing.
    canvas.FillRect({ 2, 1, 6, 3 });
    // Inverted and empty rectangles are empty.
    canvas.FillRect({ 6, 4, 2, 5 });
    canvas.FillRect({ 1, 4, 1, 6 });
    canvas.SetBrushStyle(TBrushStyle::Clear);
    canvas.FillRect({ 0, 0, 8, 6 });
    const TPicture expected {
        "........",
        "..bbbb..",
        "..bbbb..",
        "........",
        "........",
        "........",
    };
    EXPECT_EQ(Picture(canvas), expected);
}

TEST(ImageCanvas, EllipseOutlineLiesInsideItsBox)
{
    TImageCanvas canvas(12, 10);
    canvas.SetBrushColor(red);
    canvas.Ellipse(1, 1, 11, 9);
    const TPicture expected {
        "............",
        "....####....",
        "..##rrrr##..",
        ".#rrrrrrrr#.",
        ".#rrrrrrrr#.",
        ".#rrrrrrrr#.",
        ".#rrrrrrrr#.",
        "..##rrrr##..",
        "....####....",
        "............",
    };
    EXPECT_EQ(Picture(canvas), expected);
}

TEST(ImageCanvas, EllipseTouchesAllFourSidesOfItsBox)
{
    struct Case {
        TRectI box;
        TRectI outline; // the extreme pixels: left, top, right, bottom inclusive
    };
    const Case cases[] = {
        { { 2, 2, 12, 10 }, { 2, 2, 11, 9 } },
        { { 12, 10, 2, 2 }, { 2, 2, 11, 9 } },
        { { 12, 2, 2, 10 }, { 2, 2, 11, 9 } },
        { { 3, 4, 4, 5 }, { 3, 4, 3, 4 } },
        { { 3, 1, 4, 12 }, { 3, 1, 3, 11 } },
        { { 1, 5, 18, 6 }, { 1, 5, 17, 5 } },
        { { 5, 5, 7, 7 }, { 5, 5, 6, 6 } },
        { { 1, 6, 19, 8 }, { 1, 6, 18, 7 } },
        { { 4, 0, 7, 16 }, { 4, 0, 6, 15 } },
        { { 0, 0, 20, 16 }, { 0, 0, 19, 15 } },
    };
    for (const Case& c : cases) {
        TImageCanvas canvas(20, 16);
        canvas.SetBrushStyle(TBrushStyle::Clear);
        canvas.Ellipse(c.box.left, c.box.top, c.box.right, c.box.bottom);
        const std::vector<TPointI> pixels = PixelsOf(canvas, black);
        ASSERT_FALSE(pixels.empty()) << c.box;
        TRectI extremes { INT_MAX, INT_MAX, INT_MIN, INT_MIN };
        for (const TPointI& p : pixels) {
            extremes.left = std::min(extremes.left, p.x);
            extremes.top = std::min(extremes.top, p.y);
            extremes.right = std::max(extremes.right, p.x);
            extremes.bottom = std::max(extremes.bottom, p.y);
        }
        EXPECT_EQ(extremes, c.outline) << c.box;
    }
}

TEST(ImageCanvas, EmptyEllipseBoxDrawsNothing)
{
    TImageCanvas canvas(12, 10);
    canvas.SetBrushColor(red);
    for (int width : { 1, 5 }) {
        canvas.SetPenWidth(width);
        canvas.Ellipse(2, 2, 2, 8);
        canvas.Ellipse(2, 5, 9, 5);
    }
    EXPECT_EQ(PixelsOf(canvas, white).size(), 120U);
}

TEST(ImageCanvas, WideEllipseOutlineIsCentredOnTheOnePixelOne)
{
    TImageCanvas canvas(12, 10);
    canvas.SetBrushColor(red);
    canvas.SetPenWidth(3);
    canvas.Ellipse(2, 2, 10, 8);
    const TPicture expected {
        "............",
        "....####....",
        "..########..",
        ".##########.",
        ".###rrrr###.",
        ".###rrrr###.",
        ".##########.",
        "..########..",
        "....####....",
        "............",
    };
    EXPECT_EQ(Picture(canvas), expected);
}

TEST(ImageCanvas, FinishedImageIsASnapshot)
{
    TImageCanvas canvas(10, 10);
    canvas.MoveTo(0, 0);
    canvas.LineTo(9, 0);
    const QImage first = canvas.Image();
    canvas.LineTo(9, 9);
    canvas.SetPenWidth(3);
    canvas.LineTo(0, 9);
    EXPECT_EQ(first.pixel(5, 5), 0xFFFFFFFFu);
    EXPECT_EQ(first.pixel(9, 5), 0xFFFFFFFFu);
    EXPECT_EQ(canvas.GetPixel(9, 5), black);
    EXPECT_EQ(canvas.GetPixel(5, 9), black);
    EXPECT_EQ(canvas.Image().pixel(5, 9), 0xFF000000u);
}

TEST(ImageCanvas, DrawsOnTheCallersImage)
{
    QImage image(6, 4, QImage::Format_ARGB32);
    image.fill(0xFF00FF00u);
    {
        TImageCanvas canvas(image);
        EXPECT_EQ(canvas.GetPixel(0, 0), green);
        canvas.SetBrushColor(red);
        canvas.FillRect({ 1, 1, 3, 3 });
        canvas.SetPenWidth(2);
        canvas.MoveTo(4, 1);
        canvas.LineTo(4, 3);
        canvas.Finish();
    }
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
    EXPECT_EQ(image.pixel(2, 2), 0xFFFF0000u);
    EXPECT_EQ(image.pixel(0, 3), 0xFF00FF00u);
    EXPECT_EQ(image.pixel(4, 2), 0xFF000000u);
}

TEST(ImageCanvas, EmptyCanvasDrawsNothing)
{
    QImage none;
    TImageCanvas given(none);
    TImageCanvas zero(0, 5);
    TImageCanvas negative(-3, -3);
    for (TImageCanvas* canvas : { &given, &zero, &negative }) {
        const TPointI points[] = { { 0, 0 }, { 5, 5 }, { 0, 5 } };
        canvas->SetPenWidth(4);
        canvas->LineTo(5, 5);
        canvas->SetPenWidth(1);
        canvas->LineTo(0, 9);
        canvas->Polyline(points);
        canvas->Polygon(points);
        canvas->Ellipse(0, 0, 5, 5);
        canvas->FillRect({ 0, 0, 5, 5 });
        canvas->SetPixel(0, 0, red);
        EXPECT_EQ(canvas->Width(), 0);
        EXPECT_EQ(canvas->GetPixel(0, 0), NoColor);
        EXPECT_TRUE(canvas->Image().isNull());
    }
}
