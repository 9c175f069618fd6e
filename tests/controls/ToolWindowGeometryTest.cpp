// Moving and sizing a tool window with the mouse, as geometry tables.

#include "controls/ToolWindowGeometry.h"

#include <gtest/gtest.h>

#include <ostream>

// Found by argument lookup, so it lives beside TEdges in the global scope.
static std::ostream& operator<<(std::ostream& out, const TEdges& e)
{
    return out << "(" << e.left << "," << e.top << ")-(" << e.right << "," << e.bottom << ")";
}

TEST(ToolWindowGeometry, MulDivRoundsHalvesAwayFromZero)
{
    struct Row {
        int a, b, c, expected;
    };
    const Row rows[] = {
        { 32, 10, 20, 16 }, { 5, 1, 2, 3 }, { -5, 1, 2, -3 }, { 7, 1, 3, 2 }, { 1, 1, 0, -1 },
        { 2147483647, 2, 1, -1 },
    };
    for (const Row& row : rows)
        EXPECT_EQ(MulDiv(row.a, row.b, row.c), row.expected) << row.a << "*" << row.b << "/" << row.c;
}

TEST(ToolWindowGeometry, OutlineKeepsTheGrabbedPoint)
{
    // Grabbed 10 pixels from the left of a 101-pixel window: an outline of
    // 51 pixels keeps the point at 5.
    EXPECT_EQ(OutlineTopLeft(QPoint(200, 100), QSize(101, 21), QPoint(10, 5), QSize(100, 20)), QPoint(190, 95));
    EXPECT_EQ(OutlineTopLeft(QPoint(200, 100), QSize(51, 11), QPoint(10, 5), QSize(100, 20)), QPoint(195, 97));
}

TEST(ToolWindowGeometry, DocksCatchTheCursorNearThem)
{
    const QPoint grab(10, 5);
    const QSize extent(100, 20);
    const auto outline_at = [&](QPoint cursor) {
        const QPoint at = OutlineTopLeft(cursor, QSize(100, 26), grab, extent);
        return TEdges { at.x(), at.y(), at.x() + 100, at.y() + 26 };
    };
    struct Row {
        const char* name;
        TEdges dock;
        TDockPosition position;
        QPoint cursor;
        bool hit;
    };
    const Row rows[] = {
        // An empty top dock is a line; the cursor may be 5 pixels below it
        // and 15 above (the window was grabbed a quarter down).
        { "on an empty top dock", { 0, 0, 500, 0 }, dpTop, { 50, 3 }, true },
        { "just below its catch", { 0, 0, 500, 0 }, dpTop, { 50, 6 }, false },
        { "within its catch above", { 0, 0, 500, 0 }, dpTop, { 50, -16 }, true },
        { "beyond its left end", { 0, 0, 500, 0 }, dpTop, { -30, 0 }, false },
        { "within its left catch", { 0, 0, 500, 0 }, dpTop, { -29, 0 }, true },
        { "within its right catch", { 0, 0, 500, 0 }, dpTop, { 502, 0 }, true },
        { "a left dock needs the cursor along it", { 0, 30, 28, 400 }, dpLeft, { 10, 20 }, false },
        { "on a left dock", { 0, 30, 28, 400 }, dpLeft, { 10, 200 }, true },
    };
    for (const Row& row : rows)
        EXPECT_EQ(DockHit(row.dock, row.position, row.cursor, grab, extent, outline_at(row.cursor)), row.hit)
            << row.name;
}

TEST(ToolWindowGeometry, FloatingOutlineStaysOnTheWorkArea)
{
    const TEdges work { 0, 0, 1000, 800 };
    const QSize border(3, 3);
    struct Row {
        TEdges outline, expected;
    };
    const Row rows[] = {
        // Above: brought down to touch the area, then far enough for the
        // caption's last pixels.
        { { 100, -200, 200, -150 }, { 100, -16, 200, 34 } },
        { { 100, 900, 200, 950 }, { 100, 793, 200, 843 } }, // below: brought up to touch
        { { -300, 100, -200, 150 }, { -93, 100, 7, 150 } }, // left of it: its right edge shows
        { { 100, -10, 200, 40 }, { 100, -10, 200, 40 } },    // on it: left alone
        { { 100, -30, 200, 20 }, { 100, -16, 200, 34 } },    // client 4 pixels below the top
    };
    for (const Row& row : rows)
        EXPECT_EQ(KeepFloatingOutlineOnScreen(row.outline, work, border, 20), row.expected) << row.outline;
}

TEST(ToolWindowGeometry, FloatingFrameHits)
{
    TFloatingFrame frame;
    frame.window = QSize(100, 60);
    frame.border = QSize(4, 4);
    frame.caption = { 4, 4, 96, 19 };
    frame.close_button = { 81, 4, 96, 19 };
    frame.small_caption_height = 16; // corners reach 19 pixels in
    struct Row {
        QPoint point;
        bool corners;
        TFrameHit expected;
    };
    const Row rows[] = {
        { { 85, 10 }, true, TFrameHit::Close },     { { 50, 10 }, true, TFrameHit::Client },
        { { 0, 30 }, true, TFrameHit::Left },       { { 2, 5 }, true, TFrameHit::TopLeft },
        { { 99, 30 }, true, TFrameHit::Right },     { { 95, 30 }, true, TFrameHit::Right },
        { { 94, 30 }, true, TFrameHit::Nowhere },   { { 50, 1 }, true, TFrameHit::Top },
        { { 10, 1 }, true, TFrameHit::TopLeft },    { { 90, 1 }, true, TFrameHit::TopRight },
        { { 50, 55 }, true, TFrameHit::Bottom },    { { 99, 50 }, true, TFrameHit::BottomRight },
        { { 2, 5 }, false, TFrameHit::Left },       { { 10, 1 }, false, TFrameHit::Top },
        { { 99, 59 }, false, TFrameHit::Bottom },
    };
    for (const Row& row : rows) {
        frame.corner_sizing = row.corners;
        EXPECT_EQ(HitTestFloatingFrame(frame, row.point, false), row.expected)
            << row.point.x() << "," << row.point.y() << (row.corners ? " corners" : "");
    }
    EXPECT_EQ(HitTestFloatingFrame(frame, QPoint(50, 30), true), TFrameHit::Client);
    frame.resizable = false;
    EXPECT_EQ(HitTestFloatingFrame(frame, QPoint(0, 30), false), TFrameHit::Nowhere);
    EXPECT_EQ(SizeHandleOf(TFrameHit::BottomLeft), twshBottomLeft);
    EXPECT_FALSE(SizeHandleOf(TFrameHit::Close).has_value());
}

TEST(ToolWindowGeometry, SizingKeepsTheMinimum)
{
    const TEdges start { 100, 100, 300, 200 };
    const QSize minimum(50, 40);
    struct Row {
        TToolWindowSizeHandle handle;
        QPoint offset;
        TEdges expected;
    };
    const Row rows[] = {
        { twshLeft, { 250, 30 }, { 250, 100, 300, 200 } }, // stops at right - minimum
        { twshRight, { -190, 0 }, { 100, 100, 150, 200 } },
        { twshTop, { 40, -20 }, { 100, 80, 300, 200 } },
        { twshBottomRight, { 10, 20 }, { 100, 100, 310, 220 } },
        { twshTopLeft, { -5, 90 }, { 95, 160, 300, 200 } },
    };
    for (const Row& row : rows)
        EXPECT_EQ(SizingStep(start, row.offset, row.handle, minimum), row.expected) << row.handle;
}

TEST(ToolWindowGeometry, ToolbarOutlineSnapsToItsLayouts)
{
    // Window sizes of one row, two rows and three rows.
    const std::vector<QSize> sizes { { 112, 49 }, { 76, 77 }, { 46, 99 } };
    const TEdges start { 0, 0, 112, 49 };
    TEdges rect;

    TToolbarSizeTracker right(twshRight, sizes, QSize(112, 49), 4, 0);
    right.Track(QPoint(105, 20), rect, start); // within the snap: stays
    EXPECT_EQ(rect, start);
    EXPECT_EQ(right.ChosenFloatingWidth(), 0);
    right.Track(QPoint(80, 20), rect, start);
    EXPECT_EQ(rect, (TEdges { 0, 0, 76, 77 }));
    EXPECT_EQ(right.ChosenFloatingWidth(), 68);
    right.Track(QPoint(70, 20), rect, start);
    EXPECT_EQ(rect, (TEdges { 0, 0, 46, 99 }));
    right.Track(QPoint(200, 20), rect, start);
    EXPECT_EQ(rect, start);
    EXPECT_EQ(right.ChosenFloatingWidth(), 0);

    // Pulling the top edge up takes the tallest layout past it.
    TToolbarSizeTracker top(twshTop, sizes, QSize(112, 49), 4, 0);
    top.Track(QPoint(50, -40), rect, start);
    EXPECT_EQ(rect, (TEdges { 0, -50, 46, 49 }));
    EXPECT_EQ(top.ChosenFloatingWidth(), 38);
}

TEST(ToolWindowGeometry, MoveOnScreen)
{
    const TEdges work { 0, 0, 800, 600 };
    struct Row {
        TEdges window;
        bool only_if_off;
        TEdges expected;
    };
    const Row rows[] = {
        { { 720, 100, 820, 150 }, false, { 700, 100, 800, 150 } }, // 20 pixels off the right
        { { 720, 100, 820, 150 }, true, { 720, 100, 820, 150 } },  // partly on: stays
        { { 900, 700, 1000, 750 }, true, { 700, 550, 800, 600 } },
        { { -50, -40, 950, 60 }, false, { 0, 0, 1000, 100 } },    // too wide: its left stays on
    };
    for (const Row& row : rows)
        EXPECT_EQ(MoveOnScreen(row.window, work, row.only_if_off), row.expected) << row.window;
}

TEST(ToolWindowGeometry, AWindowFloatingForTheFirstTimeGoesBesideItsDock)
{
    const TEdges work { 0, 30, 800, 600 }; // a panel above
    const QSize floating(100, 40);
    struct Row {
        TDockPosition position;
        TEdges dock;
        TEdges docked;
        QPoint expected;
    };
    const Row rows[] = {
        { dpTop, { 10, 80, 610, 132 }, { 200, 106, 280, 132 }, { 200, 132 } },    // below the top dock
        { dpBottom, { 10, 500, 610, 526 }, { 50, 500, 130, 526 }, { 50, 460 } },  // above the bottom dock
        { dpLeft, { 10, 132, 36, 500 }, { 10, 300, 36, 380 }, { 36, 300 } },      // right of the left dock
        { dpRight, { 584, 132, 610, 500 }, { 584, 150, 610, 230 }, { 484, 150 } }, // left of the right dock
        // Kept wholly inside the work area: not under the panel, not past
        // the screen's edges.
        { dpTop, { -20, -10, 1000, 20 }, { 750, -5, 830, 20 }, { 700, 30 } },
        { dpBottom, { 0, 590, 800, 620 }, { -30, 590, 50, 620 }, { 0, 550 } },
    };
    for (const Row& row : rows)
        EXPECT_EQ(FloatingPositionBesideDock(row.dock, row.position, row.docked, floating, work), row.expected)
            << row.dock;
}
