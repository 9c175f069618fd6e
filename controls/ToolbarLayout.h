#pragma once

// How a toolbar lays out its controls: in a row along a top or bottom dock,
// down a left or right dock, or, floating, in rows that wrap at a chosen
// width. Separators divide the controls into groups; a floating row that
// breaks between groups is set 6 pixels apart with a line where the
// separator was, a row that breaks inside a group follows directly and
// sends the next group to a row of its own. Pure code over the controls'
// sizes, so that the toolbar widget only gathers them and places them.

#include "controls/ToolbarTypes.h"

#include <QPoint>
#include <QRect>

#include <vector>

// One control of the toolbar, in the order the layout takes them (the
// user's order, or by position).
struct TToolbarItem {
    bool separator = false;
    // A separator that takes room but draws no line.
    bool blank = false;
    // The control's size; a separator's length comes from its sizes below.
    int width = 0;
    int height = 0;
    int size_horz = 6;
    int size_vert = 6;
};

// A row break drawn as a line: the client y of the new row's top and
// whether the separator that ended the row before was blank.
struct TToolbarLineSeparator {
    int y = 0;
    bool blank = false;
};

struct TToolbarLayoutResult {
    // The client size the toolbar needs.
    QPoint size;
    // Where each item goes, in the items' order.
    std::vector<QRect> places;
    std::vector<TToolbarLineSeparator> line_separators;
};

// The margins inside a floating toolbar; a docked toolbar has none.
struct TToolbarMargins {
    int top, bottom, left, right;
};
TToolbarMargins ToolbarMargins(bool docked);

// The thickness of one row: the thickest control across (its width on a
// left or right dock, else its height), at least 8. Separators do not
// count.
int ToolbarBarSize(const std::vector<TToolbarItem>& items, TDockType dock_type);

// Lays the items out for the dock type. `docked` tells a toolbar on a dock
// from a floating one; `floating_width` is where a floating toolbar wraps
// (0: one row); `row_size` is the thickness the row gives the toolbar (the
// dock's row, or its own bar size).
TToolbarLayoutResult LayOutToolbar(const std::vector<TToolbarItem>& items, TDockType dock_type, bool docked,
                                   int floating_width, int row_size);

// The floating client sizes the toolbar can take, widest first: one row,
// then every narrower wrapping that changes the size.
std::vector<QPoint> PotentialFloatingSizes(const std::vector<TToolbarItem>& items);
