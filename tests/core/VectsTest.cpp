#include "core/Vects.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

// Row r, column c holds true exactly where (r + c) is odd.
TVects<bool> Checkerboard(int rows, int columns)
{
    TVects<bool> table;
    table.Resize(rows, columns);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            table.Set(r, c, (r + c) % 2 == 1);
    return table;
}

bool IsCheckerboard(const TVects<bool>& table, int rows, int columns)
{
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            if (table.Get(r, c) != ((r + c) % 2 == 1))
                return false;
    return true;
}

} // namespace

TEST(Vects, ResizeShapesEveryRow)
{
    TVects<bool> table;
    EXPECT_EQ(table.Resize(16, 16), 16);
    for (int r = 0; r < 16; ++r) {
        EXPECT_EQ(table.GetRow(r).Count(), 16);
        for (int c = 0; c < 16; ++c)
            EXPECT_FALSE(table.Get(r, c));
    }

    table = Checkerboard(16, 16);
    EXPECT_EQ(table.Resize(2, 20), 2);
    EXPECT_TRUE(IsCheckerboard(table, 2, 16));
    for (int r = 0; r < 2; ++r) {
        EXPECT_EQ(table.GetRow(r).Count(), 20);
        for (int c = 16; c < 20; ++c)
            EXPECT_FALSE(table.Get(r, c));
    }

    EXPECT_EQ(table.Resize(-3, -4), 3);
    EXPECT_EQ(table.GetRow(2).Count(), 4);
}

TEST(Vects, ClampRowNeverGoesBelowZero)
{
    const TVects<bool> empty;
    EXPECT_EQ(empty.ClampRow(5), 0);
    EXPECT_EQ(empty.ClampRow(INT_MIN), 0);
    const TVects<bool> table = Checkerboard(16, 16);
    EXPECT_EQ(table.ClampRow(-7), 7);
    EXPECT_EQ(table.ClampRow(99), 15);
    EXPECT_EQ(table.ClampRow(INT_MIN), 15);
}

TEST(Vects, SetWritesTheNearestExistingCell)
{
    TVects<bool> table;
    table.Resize(16, 16);
    EXPECT_TRUE(table.Set(20, -3, true));
    EXPECT_TRUE(table.Get(15, 3));
    EXPECT_TRUE(table.Get(-15, -3)) << "the same cell by the absolute values";
    EXPECT_FALSE(table.Get(15, 15));
    EXPECT_TRUE(table.Set(INT_MIN, INT_MIN, true));
    EXPECT_TRUE(table.Get(15, 15));
    EXPECT_TRUE(table.Get(-15, 99));
    EXPECT_EQ(table.RowCount(), 16);
    EXPECT_EQ(table.GetRow(15).Count(), 16);
}

TEST(Vects, RowsGoInAndOutAsCopies)
{
    TVects<bool> table = Checkerboard(3, 4);
    TVect<bool> row = table.GetRow(1);
    row.Set(0, false);
    EXPECT_TRUE(table.Get(1, 0));

    TVect<bool> longer;
    longer.Resize(6);
    longer.Set(5, true);
    EXPECT_EQ(table.SetRow(-9, longer).Count(), 6);
    EXPECT_TRUE(table.Get(2, 5));
    EXPECT_EQ(table.GetRow(1).Count(), 4);

    // The row object itself: a change through it is a change of the table.
    TVect<bool>* row_itself = table.RowPtr(1);
    ASSERT_NE(row_itself, nullptr);
    ASSERT_TRUE(table.Get(1, 0));
    row_itself->Set(0, false);
    EXPECT_FALSE(table.Get(1, 0));
    EXPECT_EQ(table.RowPtr(3), nullptr);
    EXPECT_EQ(table.RowPtr(-1), nullptr);
}

TEST(Vects, AnEmptyTableOrRowIsNeverReached)
{
    TVects<bool> table;
    EXPECT_FALSE(table.Get(0, 0));
    EXPECT_FALSE(table.Set(3, 3, true));
    EXPECT_EQ(table.GetRow(0).Count(), 0);
    TVect<bool> row;
    row.Resize(2);
    EXPECT_EQ(table.SetRow(0, row).Count(), 0);
    EXPECT_EQ(table.RowCount(), 0);

    table.Resize(2, 0);
    EXPECT_FALSE(table.Set(1, 1, true));
    EXPECT_FALSE(table.Get(1, 1));
    EXPECT_EQ(table.GetRow(1).Count(), 0);
}

TEST(Vects, CopiesClearAndSelfAssignment)
{
    TVects<bool> source = Checkerboard(4, 5);
    TVects<bool> copy(source);
    TVects<bool> assigned;
    assigned = source;
    TVects<bool> taken;
    taken.Assign(source);
    source.Set(0, 0, true);
    for (const TVects<bool>* table : { &copy, &assigned, &taken }) {
        EXPECT_EQ(table->RowCount(), 4);
        EXPECT_TRUE(IsCheckerboard(*table, 4, 5));
    }

    TVects<bool>& self = source;
    source = self;
    EXPECT_TRUE(source.Get(0, 0));
    EXPECT_EQ(source.RowCount(), 4);

    EXPECT_EQ(source.Clear(), 0);
    EXPECT_EQ(source.RowCount(), 0);
}
