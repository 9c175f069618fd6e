#include "platform/FontEngine.h"
#include "platform/ImageCanvas.h"
#include "platform/ShiftJis.h"
#include "tests/platform/CanvasPictures.h"
#include "tests/support/TempDir.h"

#include <QImage>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cmath>
#include <memory>
#include <numbers>
#include <set>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

using TPixelSet = std::set<std::pair<int, int>>;

TFont Gothic(int height, int width = 0, int escapement = 0)
{
    return FontOf(u8"ＭＳ ゴシック", height, width, escapement);
}

// The pixels that are not the background.
TPixelSet Ink(const TCanvas& canvas, TColor background = white)
{
    TPixelSet ink;
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            if (canvas.GetPixel(x, y) != background)
                ink.insert({ x, y });
        }
    }
    return ink;
}

// The smallest rectangle around the ink (right and bottom outside).
TRectI InkBox(const TPixelSet& ink)
{
    if (ink.empty())
        return {};
    TRectI box { INT_MAX, INT_MAX, INT_MIN, INT_MIN };
    for (const auto& [x, y] : ink) {
        box.left = std::min(box.left, x);
        box.top = std::min(box.top, y);
        box.right = std::max(box.right, x + 1);
        box.bottom = std::max(box.bottom, y + 1);
    }
    return box;
}

TPixelSet Shifted(const TPixelSet& ink, int dx, int dy)
{
    TPixelSet moved;
    for (const auto& [x, y] : ink)
        moved.insert({ x + dx, y + dy });
    return moved;
}

TPixelSet Drawn(const TFont& font, int x, int y, const std::string& text, int width = 120, int height = 120)
{
    TImageCanvas canvas(width, height);
    canvas.SetFont(font);
    canvas.TextOut(x, y, text);
    return Ink(canvas);
}

} // namespace

// "┼" fills its whole cell in the IPA faces, from the top of the cell to its
// bottom and across the full width: its ink shows where TextOut puts the
// cell, for every size, width and quarter turn.
TEST(ImageCanvasText, TheCellIsHeightHighAndTwiceTheWidthWideTurningWithTheEscapement)
{
    struct TCase {
        int height;
        int width;
        int escapement;
        TRectI cell; // relative to the reference point (60, 60)
    };
    const TCase cases[] = {
        { 20, 10, 0, { 0, 0, 20, 20 } },
        { 31, 7, 0, { 0, 0, 14, 31 } },
        { 16, 0, 0, { 0, 0, 16, 16 } },
        { 9, 3, 0, { 0, 0, 6, 9 } },
        { 45, 20, 0, { 0, 0, 40, 45 } },
        { 24, 12, 900, { 0, -24, 24, 0 } },
        { 20, 6, 1800, { -12, -20, 0, 0 } },
        { 17, 9, 2700, { -17, 0, 0, 18 } },
        { 22, 8, -900, { -22, 0, 0, 16 } },
        { 20, 10, 3600 + 900, { 0, -20, 20, 0 } },
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(
            testing::Message() << "height " << c.height << " width " << c.width << " escapement " << c.escapement);
        const TRectI box = InkBox(Drawn(Gothic(c.height, c.width, c.escapement), 60, 60, sj(u8"┼")));
        EXPECT_EQ(box, (TRectI { 60 + c.cell.left, 60 + c.cell.top, 60 + c.cell.right, 60 + c.cell.bottom }));
    }
}

// A half-width character advances by the width, a full-width one by twice
// it: the ink of two characters is the ink of one and its copy moved on.
TEST(ImageCanvasText, HalfWidthCharactersAdvanceByTheWidth)
{
    struct TCase {
        const char8_t* character;
        int width;
        int escapement;
        int dx;
        int dy;
    };
    const TCase cases[] = {
        { u8"A", 5, 0, 5, 0 }, { u8"A", 8, 0, 8, 0 }, { u8"A", 13, 0, 13, 0 }, { u8"ｱ", 7, 0, 7, 0 },
        { u8"口", 6, 0, 12, 0 }, { u8"図", 9, 0, 18, 0 }, { u8"A", 8, 900, 0, -8 }, { u8"口", 7, 1800, -14, 0 },
        { u8"A", 0, 0, 10, 0 }, // the face's own proportions: half the height of 20
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "width " << c.width << " escapement " << c.escapement);
        const TFont font = Gothic(20, c.width, c.escapement);
        const std::string one = sj(c.character);
        const TPixelSet single = Drawn(font, 50, 50, one);
        const TPixelSet pair = Drawn(font, 50, 50, one + one);
        ASSERT_FALSE(single.empty());
        TPixelSet expected = single;
        const TPixelSet moved = Shifted(single, c.dx, c.dy);
        expected.insert(moved.begin(), moved.end());
        EXPECT_EQ(pair, expected);
    }
}

TEST(ImageCanvasText, PaintsOnlyTheFontColourOverTheBackground)
{
    const TColor background = PackColor(10, 20, 30);
    const TColor ink = PackColor(200, 150, 100);
    TImageCanvas canvas(80, 40, background);
    TFont font = Gothic(24, 12);
    font.color = ink;
    canvas.SetFont(font);
    // The pen's mode and the brush are not the text's.
    canvas.SetPen(TPen { red, 3, TPenStyle::Solid, TPenMode::NotXor });
    canvas.SetBrush(TBrush { blue, TBrushStyle::Solid });
    canvas.TextOut(2, 4, sj(u8"図面AB"));
    canvas.TextOut(2, 4, sj(u8"図面AB"));
    std::size_t inked = 0;
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            const TColor color = canvas.GetPixel(x, y);
            ASSERT_TRUE(color == background || color == ink) << x << ", " << y;
            inked += color == ink ? 1 : 0;
        }
    }
    EXPECT_GT(inked, 150U);

    // Transparent: what lies under the text shows between its strokes.
    TImageCanvas striped(40, 30);
    striped.SetBrushColor(green);
    striped.FillRect({ 0, 10, 40, 20 });
    font.color = red;
    striped.SetFont(font);
    striped.TextOut(4, 2, sj(u8"口"));
    EXPECT_EQ(striped.GetPixel(16, 14), green); // inside the box of 口
    EXPECT_EQ(striped.GetPixel(16, 3), white);
    EXPECT_GT(PixelsOf(striped, red).size(), 40U);
}

TEST(ImageCanvasText, BoldItalicUnderlineAndStrikeOut)
{
    const TFont plain = Gothic(30, 15);
    const TPixelSet regular = Drawn(plain, 10, 10, sj(u8"図H"));

    TFont bold = plain;
    bold.weight = 700;
    const TPixelSet heavy = Drawn(bold, 10, 10, sj(u8"図H"));
    EXPECT_GT(heavy.size(), regular.size() * 5 / 4);
    EXPECT_EQ(InkBox(heavy).top, InkBox(regular).top);
    EXPECT_EQ(InkBox(heavy).bottom, InkBox(regular).bottom);

    // A vertical bar leans to the right.
    TFont italic = plain;
    italic.italic = true;
    const TPixelSet upright = Drawn(plain, 10, 10, "|");
    const TPixelSet slanted = Drawn(italic, 10, 10, "|");
    const auto mean_x = [](const TPixelSet& ink, int row) {
        double sum = 0;
        int count = 0;
        for (const auto& [x, y] : ink) {
            if (y == row)
                sum += x, ++count;
        }
        return count == 0 ? NAN : sum / count;
    };
    const TRectI bar = InkBox(upright);
    EXPECT_NEAR(mean_x(upright, bar.top), mean_x(upright, bar.bottom - 1), 0.5);
    EXPECT_GT(mean_x(slanted, bar.top + 1) - mean_x(slanted, bar.bottom - 2), 4.0);

    // Blanks show only the lines: as long as the advances, the underline in
    // the descent, the strike-out above the base line.
    const int ascent = 26; // round(30 * 1802 / 2048)
    TFont underline = plain;
    underline.underline = true;
    const TRectI under = InkBox(Drawn(underline, 10, 10, "   "));
    EXPECT_EQ(under.left, 10);
    EXPECT_EQ(under.right, 10 + 3 * 15);
    EXPECT_GE(under.top, 10 + ascent);
    EXPECT_LE(under.bottom, 10 + 30);
    EXPECT_GE(under.bottom - under.top, 1);
    TFont strike = plain;
    strike.strike_out = true;
    const TRectI struck = InkBox(Drawn(strike, 10, 10, sj(u8"　")));
    EXPECT_EQ(struck.left, 10);
    EXPECT_EQ(struck.right, 10 + 30);
    EXPECT_GT(struck.top, 10);
    EXPECT_LE(struck.bottom, 10 + ascent);
    EXPECT_GE(struck.bottom - struck.top, 1);
}

// Turned text stays inside its turned cell: the rectangle from the
// reference point along the base line by the advances and down the cell by
// the height (a pixel's slack for the rounding of positions).
TEST(ImageCanvasText, TurnedTextStaysInsideTheTurnedCell)
{
    const std::string text = sj(u8"図面AB┼");
    const int height = 30;
    const int width = 15;
    const double length = 2 * 30 + 2 * 15 + 30;
    for (const int escapement : { 300, 900, 1350, 2100, -300, 1 }) {
        SCOPED_TRACE(testing::Message() << "escapement " << escapement);
        TFont font = Gothic(height, width, escapement);
        font.underline = true;
        const TPixelSet ink = Drawn(font, 150, 150, text, 300, 300);
        ASSERT_GT(ink.size(), 300U);
        const double angle = escapement / 1800.0 * std::numbers::pi;
        // Screen axes of the cell: along the base line, and down the cell.
        const double along_x = std::cos(angle);
        const double along_y = -std::sin(angle);
        const double down_x = std::sin(angle);
        const double down_y = std::cos(angle);
        double min_along = 1e9, max_along = -1e9, min_down = 1e9, max_down = -1e9;
        for (const auto& [x, y] : ink) {
            const double dx = x + 0.5 - 150;
            const double dy = y + 0.5 - 150;
            const double a = dx * along_x + dy * along_y;
            const double d = dx * down_x + dy * down_y;
            min_along = std::min(min_along, a);
            max_along = std::max(max_along, a);
            min_down = std::min(min_down, d);
            max_down = std::max(max_down, d);
        }
        EXPECT_GE(min_along, -1.0);
        EXPECT_LE(max_along, length + 1.0);
        EXPECT_GE(min_down, -1.0);
        EXPECT_LE(max_down, height + 1.0);
        // ... and fills it: the last character is "┼", the cell's own cross.
        EXPECT_GT(max_along, length - 1.5);
        EXPECT_LT(min_down, 1.0);
        EXPECT_GT(max_down, height - 1.0);
    }
}

TEST(ImageCanvasText, JapaneseTextDrawsInEveryStandInFace)
{
    const std::string text = sj(u8"図面寸法");
    std::vector<TPixelSet> inks;
    for (const char8_t* face : { u8"ＭＳ ゴシック", u8"ＭＳ Ｐゴシック", u8"ＭＳ 明朝", u8"ＭＳ Ｐ明朝" }) {
        const TPixelSet ink = Drawn(FontOf(face, 24, 12), 2, 2, text, 130, 30);
        const TRectI box = InkBox(ink);
        EXPECT_GT(ink.size(), 400U);
        EXPECT_GE(box.left, 2);
        EXPECT_LE(box.right, 2 + 4 * 24);
        inks.push_back(ink);
    }
    // Gothic and mincho differ; the proportional faces draw kanji as the
    // fixed ones do.
    EXPECT_NE(inks[0], inks[2]);
    EXPECT_EQ(inks[0], inks[1]);
    EXPECT_EQ(inks[2], inks[3]);
    // Latin letters of a proportional face keep their own widths.
    const TRectI fixed = InkBox(Drawn(FontOf(u8"ＭＳ ゴシック", 24), 2, 2, "iiii"));
    const TRectI proportional = InkBox(Drawn(FontOf(u8"ＭＳ Ｐゴシック", 24), 2, 2, "iiii"));
    EXPECT_LT(proportional.right - proportional.left, fixed.right - fixed.left - 10);
}

TEST(ImageCanvasText, SizesOutOfRangeDrawNothingAndNeverHang)
{
    const std::string text = sj(u8"図面AB");
    const int sizes[][2] = {
        { 0, 10 },
        { -20, 10 },
        { INT_MIN, 0 },
        { 20, -1 },
        { 20, INT_MIN },
        { 10'000'000, 0 },
        { INT_MAX, INT_MAX },
        { 20, 10'000'000 },
        { font_engine::max_font_pixels + 1, 0 },
    };
    for (const auto& size : sizes) {
        SCOPED_TRACE(testing::Message() << "height " << size[0] << " width " << size[1]);
        TImageCanvas canvas(40, 40);
        canvas.SetFont(Gothic(size[0], size[1]));
        canvas.TextOut(0, 0, text);
        canvas.TextOut(-100000, -100000, text);
        EXPECT_TRUE(Ink(canvas).empty());
    }
}

TEST(ImageCanvasText, HugeCharactersCostWhatTheyShow)
{
    // A black square about 37000 pixels wide covers the whole canvas.
    const auto start = std::chrono::steady_clock::now();
    TImageCanvas canvas(100, 100);
    TFont font = Gothic(50000, 25000);
    canvas.SetFont(font);
    canvas.TextOut(-20000, -25000, sj(u8"■■"));
    EXPECT_EQ(PixelsOf(canvas, black).size(), 10000U);
    font.escapement = 100;
    font.color = red;
    canvas.SetFont(font);
    canvas.TextOut(-20000, -25000, sj(u8"■■"));
    EXPECT_FALSE(PixelsOf(canvas, red).empty());
    font.escapement = 0;
    font.height = font_engine::max_font_pixels;
    canvas.SetFont(font);
    canvas.TextOut(INT_MIN, INT_MIN, sj(u8"■"));
    canvas.TextOut(INT_MAX, INT_MAX, sj(u8"■"));
    // The underline of a thousand blanks 90000 pixels high, ninety million
    // pixels long, crosses the canvas: the part that does is drawn.
    TFont underline = Gothic(90000, 45000);
    underline.underline = true;
    underline.color = blue;
    canvas.SetFont(underline);
    canvas.TextOut(-1'000'000, -87139, std::string(1000, ' '));
    EXPECT_EQ(PixelsOf(canvas, blue).size(), 10000U);
    const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(seconds, 2.0);
}

TEST(ImageCanvasText, TextOffTheCanvasCostsLittle)
{
    TImageCanvas canvas(200, 100);
    canvas.SetFont(Gothic(40, 20));
    const std::string text = sj(u8"図面AB");
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 100000; ++i) {
        canvas.TextOut(-1000 - i, 50, text);
        canvas.TextOut(50, 300 + i, text);
    }
    const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(seconds, 2.0);
    EXPECT_TRUE(Ink(canvas).empty());
    // Near the edge, what reaches in is drawn.
    canvas.TextOut(-30, 90, sj(u8"┼┼"));
    EXPECT_FALSE(Ink(canvas).empty());
}

TEST(ImageCanvasText, AnyBytesDrawWithoutHarm)
{
    TImageCanvas canvas(120, 30);
    canvas.SetFont(Gothic(20, 10));
    // Control characters, a byte pair that is no character, a lead byte cut
    // off at the end: the face's missing-character glyph or nothing, and the
    // text goes on.
    canvas.TextOut(0, 0, std::string("A\0\t\x85\x40\xFF\x81", 7));
    EXPECT_FALSE(Ink(canvas).empty());
    canvas.SetFont(FontOf(u8"", 20, 10));
    canvas.TextOut(0, 0, "A");
}

// Caches are shared by the canvases of every thread, and start again when
// full: neither changes a pixel.
TEST(ImageCanvasText, CachesNeitherRaceNorForget)
{
    const auto scene = [](TImageCanvas& canvas, int first_height) {
        for (int height = first_height; height < first_height + 300; ++height) {
            canvas.SetFont(Gothic(10 + height % 40, 5 + height % 9, height * 7));
            canvas.SetFontColor(height);
            canvas.TextOut(height % 100, height % 70, sj(u8"図面A"));
        }
    };
    TImageCanvas alone(120, 100);
    scene(alone, 0);
    const QImage expected = alone.Image().copy();

    std::vector<std::unique_ptr<TImageCanvas>> canvases;
    std::vector<std::thread> threads;
    for (int thread = 0; thread < 4; ++thread) {
        canvases.push_back(std::make_unique<TImageCanvas>(120, 100));
        // Each thread first fills the caches with fonts of its own.
        threads.emplace_back([&scene, canvas = canvases.back().get(), thread] {
            TImageCanvas scratch(50, 50);
            scene(scratch, 1000 * (thread + 1));
            scene(*canvas, 0);
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    for (const std::unique_ptr<TImageCanvas>& canvas : canvases)
        EXPECT_EQ(canvas->Image(), expected);
}

// Pictures for people to look at: horizontal text and text turned by 30
// degrees, in the four stand-in faces and in the styles.
TEST(ImageCanvasText, WritesPicturesOfJapaneseText)
{
    const struct {
        int escapement;
        const char* file;
        int x;
        int y;
    } pictures[] = { { 0, "text-horizontal.png", 10, 10 }, { 300, "text-30-degrees.png", 10, 160 } };
    for (const auto& picture : pictures) {
        TImageCanvas canvas(420, 300);
        const double angle = picture.escapement / 1800.0 * std::numbers::pi;
        // Line after line down the turned cells.
        const auto line_start = [&](int line, int indent) {
            return TPointI { picture.x
                    + static_cast<int>(std::lround(line * 30 * std::sin(angle) + indent * std::cos(angle))),
                picture.y + static_cast<int>(std::lround(line * 30 * std::cos(angle) - indent * std::sin(angle))) };
        };
        int line = 0;
        for (const char8_t* face : { u8"ＭＳ ゴシック", u8"ＭＳ Ｐゴシック", u8"ＭＳ 明朝", u8"ＭＳ Ｐ明朝" }) {
            TFont font = FontOf(face, 24, 12, picture.escapement);
            font.color = line % 2 == 0 ? black : blue;
            font.weight = line == 1 ? 700 : 400;
            font.italic = line == 2;
            font.underline = line == 3;
            canvas.SetFont(font);
            const TPointI start = line_start(line, 0);
            canvas.TextOut(start.x, start.y, sj(u8"図面の寸法 A-1 ｱｲｳ ①②"));
            ++line;
        }
        TFont small = Gothic(12, 6, picture.escapement);
        small.color = red;
        canvas.SetFont(small);
        const TPointI start = line_start(line, 60);
        canvas.TextOut(start.x, start.y, sj(u8"縮尺 1/100 平面図"));
        const std::filesystem::path path = TestArtefactPath(picture.file);
        EXPECT_TRUE(canvas.Image().save(QString::fromStdString(path.string()), "PNG"));
    }
}
