#include "controls/DockRows.h"

#include "controls/ListSortEx.h"

#include <algorithm>

namespace {

// The docked window frame around a row's windows.
constexpr int row_frame = 4;
// A row showing anything is at least this thick.
constexpr int min_row_size = 8;
// Within this many pixels of a row boundary a drop makes a new row.
constexpr int new_row_catch = 5;

int CompareRowThenPos(const TDockRowBar& a, const TDockRowBar& b)
{
    if (a.dock_row != b.dock_row)
        return a.dock_row < b.dock_row ? -1 : 1;
    if (a.dock_pos != b.dock_pos)
        return a.dock_pos < b.dock_pos ? -1 : 1;
    return 0;
}

// A full-size window shares its row with nobody: the windows of its row and
// of every row after it move on by one.
void GiveFullSizeBarsTheirOwnRows(std::vector<TDockRowBar>& bars)
{
    for (int row = 0; row <= GetHighestRow(bars); ++row) {
        for (const TDockRowBar& bar : bars) {
            if (bar.dock_row != row || !bar.full_size || GetNumberOfToolbarsOnRow(bars, row, bar.key) == 0)
                continue;
            const int kept = bar.key;
            for (TDockRowBar& other : bars) {
                if (other.key != kept && other.dock_row >= row)
                    ++other.dock_row;
            }
        }
    }
}

// Each showing window starts no earlier than the end of the one before it
// in its row; a full-size one starts at 0.
void PushApart(std::vector<TDockRowBar>& bars, int highest_row)
{
    for (int row = 0; row <= highest_row; ++row) {
        int running = 0;
        for (TDockRowBar& bar : bars) {
            if (bar.dock_row != row || !bar.visible)
                continue;
            if (bar.full_size)
                bar.dock_pos = 0;
            else if (running >= bar.dock_pos)
                bar.dock_pos = running;
            else
                running = bar.dock_pos;
            running += bar.length;
        }
    }
}

// Working positions: pulled back so that no window sticks out past the
// dock's end, then pushed on so that none starts before 0 or overlaps the
// one before. When the row is longer than the dock, the last windows stick
// out.
std::vector<int> ClippedPositions(const std::vector<TDockRowBar>& bars, int highest_row, int available_length)
{
    std::vector<int> working(bars.size());
    for (std::size_t i = 0; i < bars.size(); ++i)
        working[i] = bars[i].dock_pos;
    const auto clipped = [](const TDockRowBar& bar, int row) {
        return bar.dock_row == row && bar.visible && !bar.full_size;
    };
    for (int row = 0; row <= highest_row; ++row) {
        int edge = available_length;
        for (std::size_t i = bars.size(); i-- > 0;) {
            if (!clipped(bars[i], row))
                continue;
            edge -= bars[i].length;
            working[i] = std::min(working[i], edge);
            edge = working[i];
        }
        int running = 0;
        for (std::size_t i = 0; i < bars.size(); ++i) {
            if (!clipped(bars[i], row))
                continue;
            working[i] = std::max(working[i], running);
            running = working[i] + bars[i].length;
        }
    }
    return working;
}

} // namespace

void SortDockRowBars(std::vector<TDockRowBar>& bars)
{
    ListSortEx(
        bars, [](const TDockRowBar& a, const TDockRowBar& b, int) { return CompareRowThenPos(a, b); }, 0);
}

int GetHighestRow(const std::vector<TDockRowBar>& bars)
{
    int highest = -1;
    for (const TDockRowBar& bar : bars)
        highest = std::max(highest, bar.dock_row);
    return highest;
}

int GetNumberOfToolbarsOnRow(const std::vector<TDockRowBar>& bars, int row, int not_included)
{
    return static_cast<int>(std::count_if(bars.begin(), bars.end(), [&](const TDockRowBar& bar) {
        return bar.dock_row == row && bar.key != not_included;
    }));
}

void RemoveBlankRows(std::vector<TDockRowBar>& bars)
{
    int highest = GetHighestRow(bars);
    for (int row = 0; row <= highest;) {
        if (GetNumberOfToolbarsOnRow(bars, row) != 0) {
            ++row;
            continue;
        }
        for (TDockRowBar& bar : bars) {
            if (bar.dock_row > row)
                --bar.dock_row;
        }
        --highest;
    }
}

void InsertRowBefore(std::vector<TDockRowBar>& bars, int row)
{
    for (TDockRowBar& bar : bars) {
        if (bar.dock_row >= row)
            ++bar.dock_row;
    }
}

std::vector<int> BuildRowInfo(const std::vector<TDockRowBar>& bars)
{
    const int highest = GetHighestRow(bars);
    std::vector<int> sizes(static_cast<std::size_t>(std::max(highest + 1, 0)), 0);
    for (const TDockRowBar& bar : bars) {
        if (!bar.visible || bar.dock_row < 0)
            continue;
        int& size = sizes[static_cast<std::size_t>(bar.dock_row)];
        size = std::max({ size, bar.bar_size, min_row_size });
    }
    return sizes;
}

int GetRowOf(const std::vector<int>& row_sizes, int coordinate, bool& before)
{
    before = false;
    const int highest = static_cast<int>(row_sizes.size()) - 1;
    int start = 0;
    for (int row = 0; row <= highest + 1; ++row) {
        const bool last = row == highest + 1;
        const int size = last ? 0 : row_sizes[static_cast<std::size_t>(row)];
        if (size == 0 && !last)
            continue;
        if (coordinate < start + new_row_catch) {
            before = true;
            return row;
        }
        if (last)
            return row;
        const int end = start + size + row_frame;
        if (coordinate < end - new_row_catch)
            return row;
        start = end;
    }
    return 0;
}

int GetDesignModeRowOf(const std::vector<int>& row_sizes, int coordinate)
{
    int end = 0;
    for (std::size_t row = 0; row < row_sizes.size(); ++row) {
        if (row_sizes[row] == 0)
            continue;
        end += row_sizes[row] + row_frame;
        if (coordinate < end)
            return static_cast<int>(row);
    }
    return static_cast<int>(row_sizes.size());
}

TDockArrangement ArrangeDockRows(std::vector<TDockRowBar>& bars, const TDockRowLayout& layout)
{
    TDockArrangement arrangement;
    arrangement.places.assign(bars.size(), QRect());
    if (std::none_of(bars.begin(), bars.end(), [](const TDockRowBar& bar) { return bar.visible; })) {
        arrangement.thickness = layout.fix_align ? 1 : 0;
        return arrangement;
    }
    if (layout.limit_to_one_row) {
        for (TDockRowBar& bar : bars)
            bar.dock_row = 0;
    }
    RemoveBlankRows(bars);
    SortDockRowBars(bars);
    GiveFullSizeBarsTheirOwnRows(bars);
    const int highest = GetHighestRow(bars);
    arrangement.row_sizes = BuildRowInfo(bars);
    PushApart(bars, highest);
    const std::vector<int> working = ClippedPositions(bars, highest, std::max(layout.available_length, 0));
    if (layout.clip_positions) {
        for (std::size_t i = 0; i < bars.size(); ++i)
            bars[i].dock_pos = working[i];
    }

    int offset = 0;
    for (int row = 0; row <= highest; ++row) {
        const int size = arrangement.row_sizes[static_cast<std::size_t>(row)];
        const int extent = size == 0 ? 0 : size + row_frame;
        for (std::size_t i = 0; i < bars.size(); ++i) {
            const TDockRowBar& bar = bars[i];
            if (bar.dock_row != row || !bar.visible)
                continue;
            const int length = bar.full_size ? std::max(layout.available_length, 0) : bar.length;
            arrangement.places[i] = layout.vertical ? QRect(offset, working[i], extent, length)
                                                    : QRect(working[i], offset, length, extent);
        }
        offset += extent;
    }
    arrangement.thickness = offset + layout.bound_lines_across;
    return arrangement;
}
