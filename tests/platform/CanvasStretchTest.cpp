#include "platform/ImageCanvas.h"
#include "platform/RecordingCanvas.h"
#include "tests/platform/CanvasPictures.h"

#include <gtest/gtest.h>

#include <climits>
#include <sstream>
#include <string>
#include <vector>

namespace {

// A bitmap from rows of Picture() characters.
TBitmap BitmapOf(const std::vector<std::string>& rows, TPixelFormat format = TPixelFormat::Rgb24)
{
    TBitmap bitmap(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), format);
    if (IsIndexed(format))
        bitmap.SetPalette(std::vector<TColor> { black, white, red, green, blue });
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width(); ++x) {
            const char c = rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
            bitmap.SetPixel(x, y, c == '#' ? black : c == 'r' ? red : c == 'g' ? green : c == 'b' ? blue : white);
        }
    }
    return bitmap;
}

const std::vector<std::string> Quad = { "rg", "b#" };

struct TStretchCase {
    const char* name;
    TRectI dest;
    std::vector<std::string> source;
    std::vector<std::string> picture;
};

std::vector<TStretchCase> StretchCases()
{
    return {
        { "enlarged", { 1, 1, 5, 5 }, Quad, { "......", ".rrgg.", ".rrgg.", ".bb##.", ".bb##.", "......" } },
        { "one_to_one", { 0, 0, 2, 2 }, Quad, { "rg....", "b#....", "......", "......", "......", "......" } },
        // Pixel i of 2 reads source pixel floor((i + 1/2) * 4 / 2): 1 and 3.
        { "reduced", { 0, 0, 2, 1 }, { "rgb#" }, { "g#....", "......", "......", "......", "......", "......" } },
        { "uneven", { 0, 0, 5, 1 }, { "rg" }, { "rrggg.", "......", "......", "......", "......", "......" } },
        { "mirrored_across", { 4, 0, 0, 2 }, Quad, { "ggrr..", "##bb..", "......", "......", "......", "......" } },
        { "mirrored_down", { 0, 2, 2, 0 }, Quad, { "b#....", "rg....", "......", "......", "......", "......" } },
        { "mirrored_both", { 2, 2, 0, 0 }, Quad, { "#b....", "gr....", "......", "......", "......", "......" } },
        { "clipped", { -2, -2, 2, 2 }, Quad, { "##....", "##....", "......", "......", "......", "......" } },
        { "clipped_far_side", { 4, 4, 8, 8 }, Quad, { "......", "......", "......", "......", "....rr", "....rr" } },
        { "empty_across", { 3, 0, 3, 6 }, Quad, { "......", "......", "......", "......", "......", "......" } },
        { "empty_down", { 0, 3, 6, 3 }, Quad, { "......", "......", "......", "......", "......", "......" } },
        // The canvas is a window into the middle of an enormous picture; the
        // cost is that of the window.
        { "enormous", { INT_MIN, INT_MIN, INT_MAX, INT_MAX }, Quad,
            { "######", "######", "######", "######", "######", "######" } },
        { "enormous_mirrored", { INT_MAX, INT_MAX, INT_MIN, INT_MIN }, Quad,
            { "rrrrrr", "rrrrrr", "rrrrrr", "rrrrrr", "rrrrrr", "rrrrrr" } },
    };
}

class CanvasStretch : public testing::TestWithParam<TStretchCase> {};

TEST_P(CanvasStretch, DrawsExactPixels)
{
    for (const TPixelFormat format : { TPixelFormat::Rgb24, TPixelFormat::Indexed4, TPixelFormat::Rgb32 }) {
        TImageCanvas canvas(6, 6);
        canvas.StretchDraw(GetParam().dest, BitmapOf(GetParam().source, format));
        EXPECT_EQ(Picture(canvas), GetParam().picture) << BitsPerPixel(format);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, CanvasStretch, testing::ValuesIn(StretchCases()),
    [](const testing::TestParamInfo<TStretchCase>& case_info) { return case_info.param.name; });

TEST(CanvasStretchDraw, KeyColourIsLeftOut)
{
    TImageCanvas canvas(4, 2, green);
    canvas.StretchDrawTransparent({ 0, 0, 4, 2 }, BitmapOf({ "r.", "#b" }), white);
    EXPECT_EQ(Picture(canvas), std::vector<std::string>({ "rrgg", "##bb" }));
    // Only the low 24 bits of the key count.
    canvas.StretchDrawTransparent({ 0, 0, 4, 2 }, BitmapOf({ "..", "bb" }), white | 0x7F000000);
    EXPECT_EQ(Picture(canvas), std::vector<std::string>({ "rrgg", "bbbb" }));
}

TEST(CanvasStretchDraw, NoColorKeyDrawsOpaque)
{
    TImageCanvas canvas(2, 1, green);
    canvas.StretchDrawTransparent({ 0, 0, 2, 1 }, BitmapOf({ ".r" }), NoColor);
    EXPECT_EQ(Picture(canvas), std::vector<std::string>({ ".r" }));
}

TEST(CanvasStretchDraw, EmptyBitmapDrawsNothing)
{
    TImageCanvas canvas(2, 1);
    canvas.StretchDraw({ 0, 0, 2, 1 }, TBitmap());
    EXPECT_EQ(Picture(canvas), std::vector<std::string>({ ".." }));
}

TEST(CanvasStretchDraw, IsRecordedPrintedAndReplayed)
{
    const TBitmap bitmap = BitmapOf(Quad);
    TRecordingCanvas recording(6, 6);
    recording.StretchDraw({ 1, 1, 5, 5 }, bitmap);
    recording.StretchDrawTransparent({ 5, 0, 0, 3 }, bitmap, red);
    const std::vector<TCanvasCommand> expected = {
        canvas_command::StretchDraw { { 1, 1, 5, 5 }, bitmap, NoColor },
        canvas_command::StretchDraw { { 5, 0, 0, 3 }, bitmap, red },
    };
    EXPECT_EQ(recording.Commands(), expected);

    std::ostringstream text;
    text << recording.Commands()[0] << '\n' << recording.Commands()[1];
    std::ostringstream shown;
    shown << bitmap;
    EXPECT_EQ(text.str(), "StretchDraw([1, 1 - 5, 5), " + shown.str() + ")\nStretchDrawTransparent([5, 0 - 0, 3), "
            + shown.str() + ", key rgb(255, 0, 0))");

    TImageCanvas direct(6, 6);
    direct.StretchDraw({ 1, 1, 5, 5 }, bitmap);
    direct.StretchDrawTransparent({ 5, 0, 0, 3 }, bitmap, red);
    TImageCanvas replayed(6, 6);
    ReplayCommands(recording.Commands(), replayed);
    EXPECT_TRUE(SameImage(direct, replayed));
}

TEST(CanvasStretchDraw, RecordingKeepsThePictureAsItWasDrawn)
{
    TBitmap bitmap = BitmapOf(Quad);
    TRecordingCanvas recording(2, 2);
    recording.StretchDraw({ 0, 0, 2, 2 }, bitmap);
    bitmap.Fill(white);
    TImageCanvas replayed(2, 2);
    ReplayCommands(recording.Commands(), replayed);
    EXPECT_EQ(Picture(replayed), Quad);
}

TEST(CanvasOnBitmap, DrawsOnACopyAndHandsItBack)
{
    const TBitmap start = BitmapOf({ "rrrr", "rrrr", "rrrr" });
    TImageCanvas canvas(start);
    EXPECT_EQ(canvas.Width(), 4);
    EXPECT_EQ(canvas.Height(), 3);
    canvas.SetBrushColor(blue);
    canvas.FillRect({ 1, 1, 3, 2 });
    const TBitmap result = canvas.Bitmap();
    EXPECT_EQ(result.Format(), TPixelFormat::Rgb24);
    EXPECT_EQ(result, BitmapOf({ "rrrr", "rbbr", "rrrr" }));
    EXPECT_EQ(start.GetPixel(1, 1), red);
    TImageCanvas empty { TBitmap() };
    EXPECT_TRUE(empty.Bitmap().IsEmpty());
}

} // namespace
