// The image canvas's figures against slow oracles written from the rules in
// Canvas.h, on every small case or many random ones, and against the same
// figures given with coordinates near the ends of int.

#include "platform/ImageCanvas.h"
#include "tests/platform/CanvasPictures.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

using TPicture = std::vector<std::string>;
using TPixelSet = std::set<std::pair<int, int>>;

constexpr int canvas_width = 20;
constexpr int canvas_height = 16;

TPixelSet SetOf(const std::vector<TPointI>& points)
{
    TPixelSet set;
    for (const TPointI& p : points)
        set.insert({ p.x, p.y });
    return set;
}

// Oracle: at every step along the longer axis, the pixel nearest to the ideal
// line (a tie going to the larger coordinate), the end point's step left out;
// only the pixels on the canvas.
TPixelSet OracleLine(TPointI from, TPointI to)
{
    TPixelSet set;
    const int dx = to.x - from.x;
    const int dy = to.y - from.y;
    const int steps = std::max(std::abs(dx), std::abs(dy));
    for (int i = 0; i < steps; ++i) {
        const double x = from.x + static_cast<double>(dx) * i / steps;
        const double y = from.y + static_cast<double>(dy) * i / steps;
        const int px = static_cast<int>(std::floor(x + 0.5));
        const int py = static_cast<int>(std::floor(y + 0.5));
        if (px >= 0 && px < canvas_width && py >= 0 && py < canvas_height)
            set.insert({ px, py });
    }
    return set;
}

// Oracle: the pixels whose centres the polygon holds by the even-odd rule,
// counting the edges that cross the centre's row at or left of the centre.
TPixelSet OraclePolygon(const std::vector<TPointI>& points)
{
    TPixelSet set;
    for (int y = 0; y < canvas_height; ++y) {
        for (int x = 0; x < canvas_width; ++x) {
            bool inside = false;
            for (std::size_t i = 0; i < points.size(); ++i) {
                TPointI a = points[i];
                TPointI b = points[(i + 1) % points.size()];
                if (a.y == b.y)
                    continue;
                if (a.y > b.y)
                    std::swap(a, b);
                // Centre row y + 0.5 within [a.y, b.y)?
                if (2 * y + 1 < 2 * a.y || 2 * y + 1 >= 2 * b.y)
                    continue;
                // Crossing x <= centre x, in integers (times 2 (b.y - a.y)).
                const std::int64_t crossing = std::int64_t { 2 * a.x } * (b.y - a.y) + std::int64_t { 2 * y + 1 - 2 * a.y } * (b.x - a.x);
                if (crossing <= std::int64_t { 2 * x + 1 } * (b.y - a.y))
                    inside = !inside;
            }
            if (inside)
                set.insert({ x, y });
        }
    }
    return set;
}

bool IsEightConnected(const TPixelSet& pixels)
{
    if (pixels.empty())
        return true;
    TPixelSet seen { *pixels.begin() };
    std::vector<std::pair<int, int>> stack { *pixels.begin() };
    while (!stack.empty()) {
        const auto [x, y] = stack.back();
        stack.pop_back();
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                const std::pair<int, int> next { x + dx, y + dy };
                if (pixels.count(next) != 0 && seen.insert(next).second)
                    stack.push_back(next);
            }
        }
    }
    return seen.size() == pixels.size();
}

} // namespace

TEST(CanvasOracle, OnePixelLinesMatchTheNearestPixelOracle)
{
    // Ends around and beyond the canvas, so that clipping takes part; drawn
    // in not-XOR mode, so that a pixel painted twice would show.
    std::mt19937 random(20260101);
    std::uniform_int_distribution<int> x_coordinate(-12, canvas_width + 12);
    std::uniform_int_distribution<int> y_coordinate(-12, canvas_height + 12);
    for (int round = 0; round < 3000; ++round) {
        const TPointI from { x_coordinate(random), y_coordinate(random) };
        const TPointI to { x_coordinate(random), y_coordinate(random) };
        TImageCanvas canvas(canvas_width, canvas_height);
        canvas.SetPenMode(TPenMode::NotXor);
        canvas.MoveTo(from.x, from.y);
        canvas.LineTo(to.x, to.y);
        ASSERT_EQ(SetOf(PixelsOf(canvas, black)), OracleLine(from, to)) << from << " to " << to;
        ASSERT_EQ(PixelsOf(canvas, black).size() + PixelsOf(canvas, white).size(), 320U);
    }
}

TEST(CanvasOracle, PolygonFillMatchesTheEvenOddOracle)
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int> x_coordinate(-6, canvas_width + 6);
    std::uniform_int_distribution<int> y_coordinate(-6, canvas_height + 6);
    std::uniform_int_distribution<int> corners(3, 8);
    for (int round = 0; round < 1500; ++round) {
        std::vector<TPointI> points(static_cast<std::size_t>(corners(random)));
        for (TPointI& p : points)
            p = { x_coordinate(random), y_coordinate(random) };
        TImageCanvas canvas(canvas_width, canvas_height);
        canvas.SetPen(TPen { black, 1, TPenStyle::Clear, TPenMode::NotXor });
        canvas.SetBrushColor(black);
        canvas.Polygon(points);
        ASSERT_EQ(SetOf(PixelsOf(canvas, black)), OraclePolygon(points)) << "round " << round;
        ASSERT_EQ(PixelsOf(canvas, black).size() + PixelsOf(canvas, white).size(), 320U);
    }
}

TEST(CanvasOracle, EllipsesOfEverySmallBoxKeepTheirRules)
{
    for (int width = 1; width <= 18; ++width) {
        for (int height = 1; height <= 14; ++height) {
            const TRectI box { 1, 1, 1 + width, 1 + height };
            const std::string name = std::to_string(width) + "x" + std::to_string(height);

            TImageCanvas outlined(canvas_width, canvas_height);
            outlined.SetBrushColor(red);
            outlined.Ellipse(box.left, box.top, box.right, box.bottom);
            const TPixelSet outline = SetOf(PixelsOf(outlined, black));
            const TPixelSet inside = SetOf(PixelsOf(outlined, red));

            // Inside the box, on all four of its sides, mirrored in both axes.
            int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
            for (const auto& [x, y] : outline) {
                left = std::min(left, x);
                top = std::min(top, y);
                right = std::max(right, x);
                bottom = std::max(bottom, y);
                EXPECT_EQ(outline.count({ box.left + box.right - 1 - x, y }), 1U) << name;
                EXPECT_EQ(outline.count({ x, box.top + box.bottom - 1 - y }), 1U) << name;
            }
            EXPECT_EQ((TRectI { left, top, right + 1, bottom + 1 }), box) << name;
            EXPECT_TRUE(IsEightConnected(outline)) << name;
            // The brush stays within the outline: no pixel of it touches the
            // outside.
            for (const auto& [x, y] : inside) {
                for (const auto& [nx, ny] : { std::pair { x - 1, y }, { x + 1, y }, { x, y - 1 }, { x, y + 1 } })
                    EXPECT_TRUE(outline.count({ nx, ny }) + inside.count({ nx, ny }) == 1) << name;
            }
            // A circle looks the same turned by a quarter.
            if (width == height) {
                for (const auto& [x, y] : outline)
                    EXPECT_EQ(outline.count({ y, x }), 1U) << name;
            }

            // With a clear pen the brush covers outline and inside; in not-XOR
            // mode pen and brush together paint each of those pixels once.
            TPixelSet covered = outline;
            covered.insert(inside.begin(), inside.end());
            TImageCanvas filled(canvas_width, canvas_height);
            filled.SetPenStyle(TPenStyle::Clear);
            filled.SetBrushColor(black);
            filled.Ellipse(box.left, box.top, box.right, box.bottom);
            EXPECT_EQ(SetOf(PixelsOf(filled, black)), covered) << name;
            TImageCanvas overlay(canvas_width, canvas_height);
            overlay.SetPenMode(TPenMode::NotXor);
            overlay.SetBrushColor(black);
            overlay.Ellipse(box.left, box.top, box.right, box.bottom);
            EXPECT_EQ(SetOf(PixelsOf(overlay, black)), covered) << name;
        }
    }
}

TEST(CanvasOracle, WideEllipsesAreSymmetricAndReachHalfThePenBeyondTheBox)
{
    for (int pen = 3; pen <= 7; pen += 2) {
        for (int size = 1; size <= 8; ++size) {
            const TRectI box { 7, 6, 7 + size + 2, 6 + size };
            const std::string name = std::to_string(pen) + " " + std::to_string(size);
            TImageCanvas canvas(canvas_width + 4, canvas_height + 4);
            canvas.SetPen(TPen { black, pen, TPenStyle::Solid, TPenMode::NotXor });
            canvas.SetBrushColor(black);
            canvas.Ellipse(box.left, box.top, box.right, box.bottom);
            const TPixelSet painted = SetOf(PixelsOf(canvas, black));
            int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
            for (const auto& [x, y] : painted) {
                left = std::min(left, x);
                top = std::min(top, y);
                right = std::max(right, x);
                bottom = std::max(bottom, y);
                EXPECT_EQ(painted.count({ box.left + box.right - 1 - x, y }), 1U) << name;
                EXPECT_EQ(painted.count({ x, box.top + box.bottom - 1 - y }), 1U) << name;
            }
            const int reach = pen / 2;
            EXPECT_EQ((TRectI { left, top, right + 1, bottom + 1 }),
                (TRectI { box.left - reach, box.top - reach, box.right + reach, box.bottom + reach }))
                << name;
            // Ring and brush painted once each, so no pixel came back white
            // inside the figure.
            TImageCanvas copied(canvas_width + 4, canvas_height + 4);
            copied.SetPenWidth(pen);
            copied.SetBrushColor(black);
            copied.Ellipse(box.left, box.top, box.right, box.bottom);
            EXPECT_EQ(SetOf(PixelsOf(copied, black)), painted) << name;
        }
    }
}

TEST(CanvasOracle, HugeLinesTakeTheSamePixelsAsShortOnesOnTheSameLine)
{
    struct Case {
        TPointI far_from, far_to, near_from, near_to;
    };
    const int half = 1 << 29;
    const Case cases[] = {
        // y = 3 + x / 2
        { { -2 * half, 3 - half }, { 2 * half, 3 + half }, { -40, -17 }, { 40, 23 } },
        // y = x, from one corner of int to the other
        { { INT_MIN, INT_MIN }, { INT_MAX, INT_MAX }, { -5, -5 }, { 30, 30 } },
        { { INT_MAX, INT_MAX }, { INT_MIN, INT_MIN }, { 30, 30 }, { -5, -5 } },
        // x = 5 + y / 2, steep
        { { 5 - half, -2 * half }, { 5 + half, 2 * half }, { -5, -20 }, { 15, 20 } },
        // y = 8 - x / 3
        { { -3 * 715827882, 8 + 715827882 }, { 3 * 715827882, 8 - 715827882 }, { -21, 15 }, { 42, -6 } },
        // horizontal and vertical
        { { INT_MIN, 7 }, { INT_MAX, 7 }, { -1, 7 }, { 21, 7 } },
        { { 9, INT_MAX }, { 9, INT_MIN }, { 9, 17 }, { 9, -1 } },
    };
    for (const Case& c : cases) {
        TImageCanvas far_canvas(canvas_width, canvas_height);
        far_canvas.MoveTo(c.far_from.x, c.far_from.y);
        far_canvas.LineTo(c.far_to.x, c.far_to.y);
        TImageCanvas near_canvas(canvas_width, canvas_height);
        near_canvas.MoveTo(c.near_from.x, c.near_from.y);
        near_canvas.LineTo(c.near_to.x, c.near_to.y);
        EXPECT_FALSE(PixelsOf(near_canvas, black).empty()) << c.near_from;
        EXPECT_EQ(Picture(far_canvas), Picture(near_canvas)) << c.far_from << " to " << c.far_to;

        for (int width : { 2, 5 }) {
            far_canvas.SetPenWidth(width);
            far_canvas.MoveTo(c.far_from.x, c.far_from.y);
            far_canvas.LineTo(c.far_to.x, c.far_to.y);
            near_canvas.SetPenWidth(width);
            near_canvas.MoveTo(c.near_from.x, c.near_from.y);
            near_canvas.LineTo(c.near_to.x, c.near_to.y);
            EXPECT_EQ(Picture(far_canvas), Picture(near_canvas)) << c.far_from << " width " << width;
        }
    }
}

TEST(CanvasOracle, HugePolygonsAndRectanglesAreClipped)
{
    const int big = 1 << 30;
    TImageCanvas far_canvas(canvas_width, canvas_height);
    far_canvas.SetBrushColor(red);
    // The first edge lies on y = 3 + x / 2 in both.
    const TPointI far_triangle[] = { { INT_MIN, 3 - big }, { INT_MAX - 1, 3 + big - 1 }, { INT_MAX - 1, INT_MIN } };
    far_canvas.Polygon(far_triangle);
    TImageCanvas near_canvas(canvas_width, canvas_height);
    near_canvas.SetBrushColor(red);
    const TPointI near_triangle[] = { { -40, -17 }, { 40, 23 }, { 40, -40 } };
    near_canvas.Polygon(near_triangle);
    EXPECT_EQ(Picture(far_canvas), Picture(near_canvas));
    EXPECT_FALSE(PixelsOf(near_canvas, red).empty());

    TImageCanvas band(canvas_width, canvas_height);
    band.SetPenStyle(TPenStyle::Clear);
    band.SetBrushColor(red);
    const TPointI corners[] = { { INT_MIN, INT_MIN }, { INT_MAX, INT_MIN }, { INT_MAX, 8 }, { INT_MIN, 8 } };
    band.Polygon(corners);
    EXPECT_EQ(PixelsOf(band, red).size(), 160U);
    EXPECT_EQ(band.GetPixel(19, 7), red);
    band.SetBrushColor(blue);
    band.FillRect({ INT_MIN, INT_MIN, INT_MAX, INT_MAX });
    EXPECT_EQ(PixelsOf(band, blue).size(), 320U);
    // Wide outlines through the ends of int, and a pen as wide as int allows.
    band.SetPenStyle(TPenStyle::Solid);
    band.SetPenWidth(5);
    band.Polygon(corners);
    band.SetPenWidth(INT_MAX);
    band.MoveTo(INT_MIN, INT_MIN);
    band.LineTo(INT_MAX, INT_MAX);
    EXPECT_EQ(PixelsOf(band, black).size(), 320U);
}

TEST(CanvasOracle, HugeEllipsesAreExactWhereTheyPassThrough)
{
    // The top of an ellipse about 2^31 pixels wide runs along row 5.
    TImageCanvas canvas(canvas_width, canvas_height);
    canvas.SetBrushColor(red);
    canvas.Ellipse(INT_MIN, 5, INT_MAX, INT_MAX);
    const TPicture picture = Picture(canvas);
    for (int y = 0; y < canvas_height; ++y) {
        const char expected = y < 5 ? '.' : y == 5 ? '#' : 'r';
        EXPECT_EQ(picture[y], std::string(canvas_width, expected)) << "row " << y;
    }

    // A circle of radius about 3.8e8 that passes the pixel (10, 8) at 45
    // degrees: its outline here is a diagonal staircase, brush below right.
    const int offset = 1 << 28;
    const int radius = 379625062; // offset * sqrt(2), rounded
    const int cx = 10 + offset;
    const int cy = 8 + offset;
    TImageCanvas circle(canvas_width, canvas_height);
    circle.SetBrushColor(red);
    circle.Ellipse(cx - radius, cy - radius, cx + radius + 1, cy + radius + 1);
    const std::vector<TPointI> outline = PixelsOf(circle, black);
    ASSERT_FALSE(outline.empty());
    const int diagonal = outline.front().x + outline.front().y;
    EXPECT_NEAR(diagonal, 18, 1);
    for (int y = 0; y < canvas_height; ++y) {
        for (int x = 0; x < canvas_width; ++x) {
            const TColor expected = x + y < diagonal ? white : x + y == diagonal ? black : red;
            EXPECT_EQ(circle.GetPixel(x, y), expected) << x << ", " << y;
        }
    }
}
