// A toolbar's controls laid out as tables: docked along and across, and
// floating rows that wrap between and inside groups.

#include "controls/ToolbarLayout.h"

#include <gtest/gtest.h>

namespace {

TToolbarItem Button(int width, int height = 22)
{
    TToolbarItem item;
    item.width = width;
    item.height = height;
    return item;
}

TToolbarItem Separator(bool blank = false)
{
    TToolbarItem item;
    item.separator = true;
    item.blank = blank;
    return item;
}

TToolbarLayoutResult Floating(const std::vector<TToolbarItem>& items, int floating_width)
{
    return LayOutToolbar(items, dtNotDocked, false, floating_width, ToolbarBarSize(items, dtNotDocked));
}

} // namespace

TEST(ToolbarLayout, EmptyToolbars)
{
    EXPECT_EQ(Floating({}, 0).size, QPoint(16, 11));
    EXPECT_EQ(LayOutToolbar({}, dtTopBottom, true, 0, 8).size, QPoint(8, 8));
}

TEST(ToolbarLayout, Tables)
{
    struct Row {
        const char* name;
        std::vector<TToolbarItem> items;
        TDockType dock_type;
        int floating_width;
        int row_size;
        QPoint size;
        std::vector<QRect> places;
        int lines;
    };
    const std::vector<TToolbarItem> two_groups { Button(30), Button(30), Separator(), Button(30), Button(30) };
    const Row rows[] = {
        { "floating in one row", two_groups, dtNotDocked, 0, 22, QPoint(134, 25),
          { QRect(4, 2, 30, 22), QRect(34, 2, 30, 22), QRect(64, 2, 6, 22), QRect(70, 2, 30, 22),
            QRect(100, 2, 30, 22) },
          0 },
        // Docked toolbars never wrap, whatever their floating width.
        { "docked along", two_groups, dtTopBottom, 50, 26, QPoint(126, 22),
          { QRect(0, 2, 30, 22), QRect(30, 2, 30, 22), QRect(60, 0, 6, 26), QRect(66, 2, 30, 22),
            QRect(96, 2, 30, 22) },
          0 },
        { "a row break between groups", two_groups, dtNotDocked, 70, 22, QPoint(68, 53),
          { QRect(4, 2, 30, 22), QRect(34, 2, 30, 22), QRect(64, 2, 0, 22), QRect(4, 30, 30, 22),
            QRect(34, 30, 30, 22) },
          1 },
        // C goes to a new row at once; the group after starts a row of its
        // own, below the separator's line.
        { "a row break inside a group", { Button(30), Button(30), Button(30), Separator(), Button(30) },
          dtNotDocked, 70, 22, QPoint(68, 75),
          { QRect(4, 2, 30, 22), QRect(34, 2, 30, 22), QRect(4, 24, 30, 22), QRect(34, 24, 0, 22),
            QRect(4, 52, 30, 22) },
          1 },
        // A wrap width below the widest control + 8 counts as that.
        { "a lone control never wraps", { Button(40) }, dtNotDocked, 10, 22, QPoint(48, 25),
          { QRect(4, 2, 40, 22) }, 0 },
        { "down a left dock", { Button(23, 22), Separator(), Button(23, 30) }, dtLeftRight, 0, 30, QPoint(23, 58),
          { QRect(3, 0, 23, 22), QRect(0, 22, 30, 6), QRect(3, 28, 23, 30) }, 0 },
        // Centred across a thinner row, the half truncated toward zero.
        { "taller than its row", { Button(20, 25) }, dtTopBottom, 0, 20, QPoint(20, 25),
          { QRect(0, -2, 20, 25) }, 0 },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const bool docked = row.dock_type != dtNotDocked;
        const TToolbarLayoutResult result =
            LayOutToolbar(row.items, row.dock_type, docked, row.floating_width, row.row_size);
        EXPECT_EQ(result.size, row.size);
        EXPECT_EQ(result.places, row.places);
        EXPECT_EQ(static_cast<int>(result.line_separators.size()), row.lines);
    }
}

TEST(ToolbarLayout, LinesOfRowBreaks)
{
    std::vector<TToolbarItem> items { Button(30), Button(30), Separator(), Button(30), Separator(true), Button(30) };
    const TToolbarLayoutResult result = Floating(items, 70);
    ASSERT_EQ(result.line_separators.size(), 2u);
    EXPECT_EQ(result.line_separators[0].y, 30);
    EXPECT_FALSE(result.line_separators[0].blank);
    EXPECT_TRUE(result.line_separators[1].blank); // takes its row gap, draws nothing
    EXPECT_EQ(ToolbarBarSize(items, dtLeftRight), 30);
    EXPECT_EQ(ToolbarBarSize({ Separator() }, dtTopBottom), 8);
}

TEST(ToolbarLayout, PotentialFloatingSizesWidestFirst)
{
    const std::vector<TToolbarItem> items { Button(30), Button(30), Separator(), Button(30) };
    EXPECT_EQ(PotentialFloatingSizes(items), (std::vector<QPoint> { { 104, 25 }, { 68, 53 }, { 38, 75 } }));
    EXPECT_EQ(PotentialFloatingSizes({}), (std::vector<QPoint> { { 16, 11 } }));
}
