// The rows of a dock as tables: windows of given sizes give rows,
// positions and the dock's thickness.

#include "controls/DockRows.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

TDockRowBar Bar(int key, int row, int pos, int length, int bar_size = 22, bool visible = true,
                bool full_size = false)
{
    TDockRowBar bar;
    bar.key = key;
    bar.dock_row = row;
    bar.dock_pos = pos;
    bar.length = length;
    bar.bar_size = bar_size;
    bar.visible = visible;
    bar.full_size = full_size;
    return bar;
}

TDockRowLayout Horizontal(int length, bool clip = false)
{
    TDockRowLayout layout;
    layout.available_length = length;
    layout.clip_positions = clip;
    return layout;
}

// key, row, pos after arranging, and the place given, in list order.
struct Placed {
    int key, row, pos;
    QRect place;
    bool operator==(const Placed&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Placed& p)
{
    return out << "{" << p.key << " row " << p.row << " pos " << p.pos << " at " << p.place.x() << "," << p.place.y()
               << " " << p.place.width() << "x" << p.place.height() << "}";
}

std::vector<Placed> Arrange(std::vector<TDockRowBar> bars, const TDockRowLayout& layout, int* thickness = nullptr)
{
    const TDockArrangement arrangement = ArrangeDockRows(bars, layout);
    if (thickness != nullptr)
        *thickness = arrangement.thickness;
    std::vector<Placed> placed;
    for (std::size_t i = 0; i < bars.size(); ++i)
        placed.push_back({ bars[i].key, bars[i].dock_row, bars[i].dock_pos, arrangement.places[i] });
    return placed;
}

} // namespace

TEST(DockRows, EmptyDockKeepsOnePixelOnlyWithFixAlign)
{
    for (const bool vertical : { false, true }) {
        for (const bool fix_align : { false, true }) {
            TDockRowLayout layout = Horizontal(300);
            layout.vertical = vertical;
            layout.fix_align = fix_align;
            std::vector<TDockRowBar> none;
            EXPECT_EQ(ArrangeDockRows(none, layout).thickness, fix_align ? 1 : 0);
            // Windows that belong to the dock but do not show count as none.
            std::vector<TDockRowBar> hidden { Bar(1, 0, 0, 50, 22, false) };
            EXPECT_EQ(ArrangeDockRows(hidden, layout).thickness, fix_align ? 1 : 0);
        }
    }
}

TEST(DockRows, ArrangementTables)
{
    struct Row {
        const char* name;
        std::vector<TDockRowBar> bars;
        TDockRowLayout layout;
        std::vector<Placed> expected;
        int thickness;
    };
    TDockRowLayout lines = Horizontal(300);
    lines.bound_lines_across = 2;
    TDockRowLayout left = Horizontal(200);
    left.vertical = true;
    TDockRowLayout one_row = Horizontal(300);
    one_row.limit_to_one_row = true;
    const Row rows[] = {
        // The sort exchanges the two equal keys; the second is pushed to
        // the end of the first.
        { "equal rows and positions", { Bar(1, 0, 10, 50), Bar(2, 0, 10, 60) }, Horizontal(300),
          { { 2, 0, 10, QRect(10, 0, 60, 26) }, { 1, 0, 70, QRect(70, 0, 50, 26) } }, 26 },
        { "pulled back to end at the dock's end", { Bar(1, 0, 280, 50) }, Horizontal(300),
          { { 1, 0, 280, QRect(250, 0, 50, 26) } }, 26 },
        { "clipped positions kept", { Bar(1, 0, 280, 50) }, Horizontal(300, true),
          { { 1, 0, 250, QRect(250, 0, 50, 26) } }, 26 },
        // Longer than the dock: packed from 0, the last sticks out.
        { "row longer than the dock", { Bar(1, 0, 0, 200), Bar(2, 0, 50, 200) }, Horizontal(300),
          { { 1, 0, 0, QRect(0, 0, 200, 26) }, { 2, 0, 200, QRect(200, 0, 200, 26) } }, 26 },
        { "full size gets a row of its own",
          { Bar(1, 0, 0, 50), Bar(2, 0, 60, 40, 30, true, true), Bar(3, 1, 0, 50) }, Horizontal(300),
          { { 1, 1, 0, QRect(0, 34, 50, 26) }, { 2, 0, 0, QRect(0, 0, 300, 34) }, { 3, 2, 0, QRect(0, 60, 50, 26) } },
          86 },
        // Gaps close up; a hidden window keeps its row, which takes no
        // pixels.
        { "rows with gaps",
          { Bar(1, 0, 0, 50), Bar(2, 3, 0, 50, 22, false), Bar(3, 7, 0, 50, 10) }, Horizontal(300),
          { { 1, 0, 0, QRect(0, 0, 50, 26) }, { 2, 1, 0, QRect() }, { 3, 2, 0, QRect(0, 26, 50, 14) } }, 40 },
        { "bound lines across", { Bar(1, 0, 0, 50) }, lines, { { 1, 0, 0, QRect(0, 0, 50, 26) } }, 28 },
        { "thin windows make rows of 8", { Bar(1, 0, 0, 50, 3) }, Horizontal(300),
          { { 1, 0, 0, QRect(0, 0, 50, 12) } }, 12 },
        { "left dock", { Bar(1, 0, 0, 80, 24), Bar(2, 1, 150, 80, 20) }, left,
          { { 1, 0, 0, QRect(0, 0, 28, 80) }, { 2, 1, 150, QRect(28, 120, 24, 80) } }, 52 },
        { "limited to one row", { Bar(1, 0, 0, 50), Bar(2, 2, 10, 50) }, one_row,
          { { 1, 0, 0, QRect(0, 0, 50, 26) }, { 2, 0, 50, QRect(50, 0, 50, 26) } }, 26 },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        int thickness = -1;
        EXPECT_EQ(Arrange(row.bars, row.layout, &thickness), row.expected);
        EXPECT_EQ(thickness, row.thickness);
    }
}

TEST(DockRows, RowsAtADropPoint)
{
    // Rows of 22 and 30 pixels: row 0 spans 0-26, row 1 spans 26-60.
    const std::vector<int> sizes { 22, 0, 30 };
    struct Row {
        int coordinate;
        int row;
        bool before;
    };
    const Row rows[] = {
        { 0, 0, true },   // at the dock's edge: a new first row
        { 10, 0, false }, // inside row 0
        { 23, 2, true },  // 3 pixels above the boundary: a new row before
        { 40, 2, false }, // the middle of the next row (row 1 is empty)
        { 58, 3, true },  // near the end: a new last row
        { 200, 3, false },
    };
    for (const Row& row : rows) {
        bool before = !row.before;
        EXPECT_EQ(GetRowOf(sizes, row.coordinate, before), row.row) << row.coordinate;
        EXPECT_EQ(before, row.before) << row.coordinate;
    }
    EXPECT_EQ(GetDesignModeRowOf(sizes, 10), 0);
    EXPECT_EQ(GetDesignModeRowOf(sizes, 30), 2);
    EXPECT_EQ(GetDesignModeRowOf(sizes, 70), 3);
}

TEST(DockRows, RowNumbering)
{
    std::vector<TDockRowBar> bars { Bar(1, 0, 0, 10), Bar(2, 2, 0, 10), Bar(3, 2, 5, 10, 22, false) };
    EXPECT_EQ(GetHighestRow(bars), 2);
    EXPECT_EQ(GetNumberOfToolbarsOnRow(bars, 2), 2);
    EXPECT_EQ(GetNumberOfToolbarsOnRow(bars, 2, 3), 1);
    InsertRowBefore(bars, 2);
    EXPECT_EQ(bars[1].dock_row, 3);
    RemoveBlankRows(bars);
    EXPECT_EQ(bars[1].dock_row, 1);
    EXPECT_EQ(bars[2].dock_row, 1);
    EXPECT_EQ(BuildRowInfo(bars), (std::vector<int> { 22, 22 }));
    EXPECT_EQ(GetHighestRow({}), -1);
}
