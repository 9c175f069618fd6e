// Drag geometry: lengths, clock positions, gesture directions with their
// bands along the axes, and the tips a gesture shows.

#include "document/ZhdZoom.h"
#include "platform/ShiftJis.h"
#include "ui/DragGeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

// Every case is seen from a press point away from the origin, so that a
// mix-up of the cursor and the press point shows.
constexpr int px = 200;
constexpr int py = 150;

struct TOffset {
    int dx;
    int dy;
};

TEST(DragGeometryTest, LengthsAreRoundedToWholePixels)
{
    struct TCase {
        TOffset offset;
        int length;
    };
    const TCase cases[] = {
        { { 0, 0 }, 0 },   { { 9, 0 }, 9 },    { { 0, -10 }, 10 }, { { 3, 4 }, 5 },     { { -6, -8 }, 10 },
        { { 1, 1 }, 1 },   { { 7, 7 }, 10 },   { { 6, 6 }, 8 },    { { 71, 71 }, 100 }, { { -78, -79 }, 111 },
    };
    for (const TCase& c : cases)
        EXPECT_EQ(GetDragLength(px + c.offset.dx, py + c.offset.dy, px, py), c.length)
            << c.offset.dx << "," << c.offset.dy;
}

// The point at `degrees` clockwise from straight up, `length` away.
TOffset Towards(double degrees, double length)
{
    const double radians = degrees * std::numbers::pi / 180;
    return { static_cast<int>(std::lround(length * std::sin(radians))),
             static_cast<int>(std::lround(-length * std::cos(radians))) };
}

TEST(DragGeometryTest, ClockPositionsGoRoundLikeTheHours)
{
    for (int hour = 0; hour < 12; ++hour) {
        for (const double off : { -14.0, 0.0, 14.0 }) {
            const TOffset at = Towards(hour * 30 + off, 50);
            EXPECT_EQ(GetClockPosition(px + at.dx, py + at.dy, 12, px, py), hour) << hour << " " << off;
        }
        // Past the middle between two hours lies the next one.
        const TOffset next = Towards(hour * 30 + 16, 50);
        EXPECT_EQ(GetClockPosition(px + next.dx, py + next.dy, 12, px, py), (hour + 1) % 12) << hour;
    }
    // Four sectors: up, right, down, left.
    EXPECT_EQ(GetClockPosition(px + 30, py + 29, 4, px, py), 1);
    EXPECT_EQ(GetClockPosition(px - 29, py + 30, 4, px, py), 2);
}

TEST(DragGeometryTest, DragsOfOnePixelOrLessHaveNoDirection)
{
    for (const TOffset offset : { TOffset { 0, 0 }, TOffset { 1, 0 }, TOffset { 0, -1 }, TOffset { 1, 1 },
                                  TOffset { -1, -1 } }) {
        EXPECT_EQ(GetClockPosition(px + offset.dx, py + offset.dy, 12, px, py), -1);
        EXPECT_EQ(GetGestureDirection(px + offset.dx, py + offset.dy, 4, 5, px, py), -1);
    }
    EXPECT_EQ(GetClockPosition(px + 2, py, 12, px, py), 3);
}

TEST(DragGeometryTest, GestureDirectionsKeepABandAlongEachAxis)
{
    struct TCase {
        TOffset offset;
        int direction;
    };
    const TCase cases[] = {
        // Straight along the axes, and at the shortest gesture.
        { { 0, -100 }, 0 },
        { { 100, 0 }, 2 },
        { { 0, 100 }, 4 },
        { { -100, 0 }, 6 },
        { { 10, 0 }, 2 },
        // The diagonals.
        { { 70, -70 }, 1 },
        { { 70, 70 }, 3 },
        { { -70, 70 }, 5 },
        { { -70, -70 }, 7 },
        // 4 pixels off an axis at 100 pixels is still on it; 6 is not.
        { { 100, -4 }, 2 },
        { { 100, 4 }, 2 },
        { { 100, -6 }, 1 },
        { { 100, 6 }, 3 },
        { { -4, -100 }, 0 },
        { { 4, -100 }, 0 },
        { { -6, -100 }, 7 },
        { { 6, -100 }, 1 },
        { { -6, 100 }, 5 },
        { { 6, 100 }, 3 },
        { { -100, 6 }, 5 },
        { { -100, -6 }, 7 },
        // The band is as wide in pixels at 300 pixels as at 100.
        { { 300, -4 }, 2 },
        { { 300, -6 }, 1 },
    };
    for (const TCase& c : cases)
        EXPECT_EQ(GetGestureDirection(px + c.offset.dx, py + c.offset.dy, 4, 5, px, py), c.direction)
            << c.offset.dx << "," << c.offset.dy;
}

TEST(DragGeometryTest, ZoomingOutHalvesOnceMoreForEveryTenPixelsBeyondAHundred)
{
    const std::pair<int, int> cases[] = { { 10, 1 },  { 100, 1 }, { 101, 1 }, { 110, 1 },
                                          { 111, 2 }, { 120, 2 }, { 121, 3 } };
    for (const auto& [length, steps] : cases)
        EXPECT_EQ(ZoomOutSteps(length), steps) << length;
}

TEST(DragGeometryTest, GestureTipsSayWhatTheReleaseWillDo)
{
    const TZhdZoom whole_paper;
    struct TCase {
        TOffset offset;
        const char8_t* tip;
    };
    const TCase cases[] = {
        { { 9, 0 }, u8"　移　動　" },
        { { 0, 0 }, u8"　移　動　" },
        { { 10, 0 }, u8"　ジャンプ１　" },
        { { 0, -50 }, u8"　範囲記憶　" },
        { { 40, -40 }, u8"　全　体　" },
        { { 40, 40 }, u8"　拡　大　" },
        { { 0, 50 }, u8"　範囲解除　" },
        { { -40, 40 }, u8"　前範囲　" },
        { { -50, 0 }, u8"　ジャンプ２　" },
        { { -40, -40 }, u8"　縮　小　" },
        // Zooming out by more than one step shows the factor.
        { { -71, -71 }, u8"　縮　小　" },
        { { -78, -78 }, u8"　縮　小　0.7071067812" },
        { { -78, -79 }, u8"　縮　小　0.500000000019025" },
    };
    for (const TCase& c : cases)
        EXPECT_EQ(GestureTipText(px + c.offset.dx, py + c.offset.dy, px, py, whole_paper), sj(c.tip))
            << c.offset.dx << "," << c.offset.dy;
}

TEST(DragGeometryTest, TheUpRightTipNamesTheRememberedRangeUnlessItIsTheWholePaper)
{
    TZhdZoom scaled(2.0);
    TZhdZoom moved;
    moved.SetX(5);
    TZhdZoom moved_up;
    moved_up.SetY(-1);
    for (const TZhdZoom& range : { scaled, moved, moved_up })
        EXPECT_EQ(GestureTipText(px + 40, py - 40, px, py, range), sj(u8"　(範 囲)　"));
    EXPECT_EQ(GestureTipText(px + 40, py - 40, px, py, TZhdZoom()), sj(u8"　全　体　"));
}

} // namespace
