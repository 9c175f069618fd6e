#pragma once

// TVects: a table of TVect rows (the document keeps its per-layer change marks
// in a TVects<bool> of 16 groups by 16 layers). Rows may differ in length
// until Resize makes them equal.
//
// Get, GetRow, Set and SetRow read the row through ClampRow (absolute value,
// limited to the last row) and the column through that row's ClampIndex, so
// an out-of-range position means the nearest existing one and a set never
// changes the table's shape. Where there is nothing to reach (no rows, or an
// empty row), a get answers a default value (an empty row, a default
// element), and a set stores nothing and answers what a get now would.

#include "core/IndexRule.h"
#include "core/Vect.h"

#include <utility>
#include <vector>

template <typename T>
class TVects {
public:
    TVects& Self() { return *this; }

    TVects& Assign(const TVects& other)
    {
        rows_ = other.rows_;
        return *this;
    }

    // |rows| rows of |columns| elements each: new rows and new elements start
    // as default values, surplus ones are dropped from the end.
    int Resize(int rows, int columns)
    {
        rows_.resize(AbsoluteSize(rows));
        for (auto& row : rows_)
            row.Resize(columns);
        return RowCount();
    }

    int RowCount() const { return static_cast<int>(rows_.size()); }

    // Unlike TVect::ClampIndex an empty table gives 0, which is still no row.
    int ClampRow(int row) const
    {
        const int r = ClampToLastIndex(row, rows_.size());
        return r < 0 ? 0 : r;
    }

    // The row object itself, without clamping; nullptr when there is no such row.
    TVect<T>* RowPtr(int row) { return row >= 0 && row < RowCount() ? &rows_[row] : nullptr; }
    const TVect<T>* RowPtr(int row) const { return row >= 0 && row < RowCount() ? &rows_[row] : nullptr; }

    TVect<T> GetRow(int row) const
    {
        const TVect<T>* r = RowPtr(ClampRow(row));
        return r ? *r : TVect<T>();
    }

    // The row takes the value's length and elements; returns the row as stored.
    TVect<T> SetRow(int row, TVect<T> value)
    {
        TVect<T>* r = RowPtr(ClampRow(row));
        if (!r)
            return TVect<T>();
        *r = std::move(value);
        return *r;
    }

    T Get(int row, int column) const
    {
        const TVect<T>* r = RowPtr(ClampRow(row));
        return r ? r->Get(column) : T();
    }

    // Returns the element as stored.
    T Set(int row, int column, T value)
    {
        TVect<T>* r = RowPtr(ClampRow(row));
        return r ? r->Set(column, std::move(value)) : T();
    }

    int Clear()
    {
        rows_.clear();
        return 0;
    }

private:
    std::vector<TVect<T>> rows_;
};
