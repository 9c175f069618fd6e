#pragma once

// The row bookkeeping of a dock: which row each docked tool window sits in,
// where along the dock, and how thick the dock becomes. Pure code over
// sizes and positions, so that the dock widget only gathers its windows'
// numbers, runs this and places the windows where it says.
//
// Rows are numbered from 0 at the dock's aligned edge (the form's edge).
// A row is as thick as its thickest showing window (at least 8 pixels when
// it shows any) plus 4 pixels of the docked window frame; a row that shows
// nothing takes no pixels. "Along" is x on a top or bottom dock and y on a
// left or right one; "across" the other way.

#include <QRect>

#include <vector>

// One window of a dock's list as the arrangement sees it.
struct TDockRowBar {
    // The caller's own identity for the window; the arrangement reorders.
    int key = 0;
    int dock_row = 0;
    int dock_pos = 0;
    bool full_size = false;
    // Docked here and showing (hidden windows keep their row).
    bool visible = true;
    // The window's size along the dock and its thickness across it.
    int length = 0;
    int bar_size = 0;
};

// Orders by row, then by position: the order ListSortEx gives, equal keys
// included.
void SortDockRowBars(std::vector<TDockRowBar>& bars);

// The highest row of any window of the list, -1 for an empty list.
int GetHighestRow(const std::vector<TDockRowBar>& bars);
// How many windows of the list, other than the one with key `not_included`
// (none for -1), sit in the row, showing or not.
int GetNumberOfToolbarsOnRow(const std::vector<TDockRowBar>& bars, int row, int not_included = -1);
// Rows no window sits in are closed up: the rows above move down by one.
void RemoveBlankRows(std::vector<TDockRowBar>& bars);
// Every window in the row or above moves up by one row.
void InsertRowBefore(std::vector<TDockRowBar>& bars, int row);
// The thickness of each row from 0 to the highest, without the frame: the
// thickest showing window's, at least 8; 0 for a row showing nothing.
std::vector<int> BuildRowInfo(const std::vector<TDockRowBar>& bars);

// The row at a coordinate across the dock when a window is dropped there.
// Within 5 pixels of a row's near edge, a new row is to be made before that
// row (`before` true); past the last row, a new last row. 0 when nothing
// matches.
int GetRowOf(const std::vector<int>& row_sizes, int coordinate, bool& before);
// The row whose extent holds the coordinate; past all rows, one more than
// the highest.
int GetDesignModeRowOf(const std::vector<int>& row_sizes, int coordinate);

// The dock as the arrangement needs it.
struct TDockRowLayout {
    // A left or right dock.
    bool vertical = false;
    // The dock's length less its bound lines: windows are kept inside it,
    // and a full-size window spans it.
    int available_length = 0;
    // Pixels the bound lines take across the dock.
    int bound_lines_across = 0;
    bool fix_align = false;
    bool limit_to_one_row = false;
    // Write the clipped positions back into the windows' positions.
    bool clip_positions = false;
};

struct TDockArrangement {
    // The window rectangles in the dock's client space, one per window in
    // the arranged list's order; empty for a window not showing.
    std::vector<QRect> places;
    // The dock's new thickness across (its bound lines included).
    int thickness = 0;
    std::vector<int> row_sizes;
};

// Lays the windows out: rows closed up and sorted, a full-size window given
// a row of its own, positions pushed apart so that none overlaps the one
// before, then pulled back inside the dock's length (never before its
// start), and the windows placed row by row. The list is left sorted, with
// the rows and positions the windows keep.
TDockArrangement ArrangeDockRows(std::vector<TDockRowBar>& bars, const TDockRowLayout& layout);
