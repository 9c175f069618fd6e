// Painting a region of one colour red, pixel by pixel on an image.

#include "render/RegionFill.h"

#include "core/DebugLog.h"
#include "platform/ImageCanvas.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr TColor white = PackColor(255, 255, 255);
constexpr TColor black = PackColor(0, 0, 0);

// A picture from rows of characters: '.' white, '#' black.
std::unique_ptr<TImageCanvas> Picture(const std::vector<std::string>& rows)
{
    auto canvas =
        std::make_unique<TImageCanvas>(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), white);
    for (std::size_t y = 0; y < rows.size(); ++y) {
        for (std::size_t x = 0; x < rows[y].size(); ++x) {
            if (rows[y][x] == '#')
                canvas->SetPixel(static_cast<int>(x), static_cast<int>(y), black);
        }
    }
    return canvas;
}

// The picture back as rows: 'r' for red.
std::vector<std::string> Rows(const TImageCanvas& canvas)
{
    std::vector<std::string> rows;
    for (int y = 0; y < canvas.Height(); ++y) {
        std::string row;
        for (int x = 0; x < canvas.Width(); ++x) {
            const TColor c = canvas.GetPixel(x, y);
            row += c == RegionFillColor ? 'r' : c == black ? '#' : '.';
        }
        rows.push_back(row);
    }
    return rows;
}

std::string FillLog(TImageCanvas& canvas, TColor seed, int x, int y)
{
    std::ostringstream log;
    RedirectDebugLog(&log);
    EXPECT_EQ(PaintSurface(canvas, seed, x, y), 1);
    RedirectDebugLog(nullptr);
    return log.str();
}

} // namespace

TEST(RegionFill, CombIsFilledWhicheverToothHoldsTheSeed)
{
    const std::vector<std::string> comb = {
        "##########",
        "#........#",
        "#.#.##.#.#",
        "#.#.##.#.#",
        "#.#.##.#.#",
        "##########",
    };
    for (const auto& [x, y] : { std::pair { 1, 4 }, std::pair { 3, 2 }, std::pair { 8, 1 } }) {
        auto picture = Picture(comb);
        TImageCanvas& canvas = *picture;
        FillLog(canvas, white, x, y);
        EXPECT_EQ(Rows(canvas), (std::vector<std::string> {
                                    "##########",
                                    "#rrrrrrrr#",
                                    "#r#r##r#r#",
                                    "#r#r##r#r#",
                                    "#r#r##r#r#",
                                    "##########",
                                })) << x << "," << y;
    }
}

TEST(RegionFill, StopsAtOtherColoursDiagonalsAndTheBorder)
{
    auto picture = Picture({
        "...#.",
        "..#..",
        "##...",
    });
    TImageCanvas& canvas = *picture;
    FillLog(canvas, white, 0, 0);
    EXPECT_EQ(Rows(canvas), (std::vector<std::string> { "rrr#.", "rr#..", "##..." }));
}

TEST(RegionFill, RedSeedPaintsNothing)
{
    TImageCanvas canvas(4, 3, RegionFillColor);
    canvas.SetPixel(0, 0, white);
    const std::string log = FillLog(canvas, RegionFillColor, 1, 1);
    EXPECT_NE(log.find("maxstack=0"), std::string::npos) << log;
    EXPECT_EQ(canvas.GetPixel(0, 0), white);
}

TEST(RegionFill, StackDepthOfARun)
{
    auto single = Picture({ "###", "#.#", "###" });
    EXPECT_NE(FillLog(*single, white, 1, 1).find("maxstack=0"), std::string::npos);
    EXPECT_EQ(single->GetPixel(1, 1), RegionFillColor);

    auto run = Picture({ "#######", "#.....#", "#######" });
    EXPECT_NE(FillLog(*run, white, 1, 1).find("maxstack=4"), std::string::npos) << "five pixels, four pushes";
}

// A seed colour that the canvas answers outside itself must not lead the
// fill off the canvas.
TEST(RegionFill, NeverLeavesTheCanvas)
{
    TImageCanvas canvas(300, 200, white);
    FillLog(canvas, white, 150, 100);
    EXPECT_EQ(canvas.GetPixel(0, 0), RegionFillColor);
    EXPECT_EQ(canvas.GetPixel(299, 199), RegionFillColor);
    TImageCanvas other(5, 5, white);
    FillLog(other, NoColor, 2, 2);
    EXPECT_EQ(other.GetPixel(2, 2), white);
}
