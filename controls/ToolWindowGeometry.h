#pragma once

// The geometry of moving and sizing a tool window with the mouse, as pure
// functions: where the outline goes under the cursor, which dock the cursor
// hits, how a floating outline is kept on the screen, what part of a
// floating frame lies under the mouse, and how a sizing drag changes the
// rectangle. Rectangles here have exclusive right and bottom edges.

#include "controls/ToolbarTypes.h"

#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>
#include <vector>

struct TEdges {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const TEdges&) const = default;
};

// Between Qt's rectangles (inclusive right and bottom) and these.
TEdges EdgesOf(const QRect& rect);
QRect RectOf(const TEdges& edges);

// a * b / c rounded to the nearest, halves away from zero; -1 when c is 0
// or the result does not fit.
int MulDiv(int a, int b, int c);

// The top-left of an outline of `size` under the cursor, so that the point
// grabbed keeps its place relative to the window: `grab` is the grabbed
// point in window coordinates, `extent` the window's size less one pixel.
QPoint OutlineTopLeft(QPoint cursor, QSize size, QPoint grab, QSize extent);

// Whether the cursor hits a dock (its rectangle on the screen) for a window
// grabbed at `grab` whose outline on that dock would be `outline`: up to 32
// pixels beyond the dock's ends and 20 beyond its sides, shared out by
// where the window was grabbed; an empty dock is widened by a pixel on each
// side across it.
bool DockHit(TEdges dock, TDockPosition position, QPoint cursor, QPoint grab, QSize extent, TEdges outline);

// A floating outline kept on the work area: brought back to overlap the
// area shrunk by the border + 4, then pushed down until its client area
// starts 4 pixels below the area's top.
TEdges KeepFloatingOutlineOnScreen(TEdges outline, TEdges work_area, QSize border, int top_frame);

// A floating window kept on the work area of its screen: shifted left and
// up when it sticks out right or below, then right and down when it sticks
// out left or above (so its top-left corner stays on a small screen).
// With only_if_fully_offscreen a window that meets the area stays put.
TEdges MoveOnScreen(TEdges window, TEdges work_area, bool only_if_fully_offscreen);

// The top-left corner of a window of `floating` size that floats for the
// first time from `docked` on a dock at `position`: beside its docked place,
// just off the dock into the form (below a top dock, right of a left one,
// above a bottom one, left of a right one) and level with that place along
// the dock; then moved wholly onto the work area.
QPoint FloatingPositionBesideDock(TEdges dock, TDockPosition position, TEdges docked, QSize floating,
                                  TEdges work_area);

// What a press at `point` (window coordinates) on a floating frame does.
enum class TFrameHit { Nowhere, Client, Close, Left, Right, Top, TopLeft, TopRight, Bottom, BottomLeft, BottomRight };
struct TFloatingFrame {
    QSize window;
    QSize border;
    // The caption rectangle and the close button's, both in window
    // coordinates; an empty one is absent.
    TEdges caption;
    TEdges close_button;
    bool resizable = true;
    bool corner_sizing = true;
    int small_caption_height = 0;
};
// `inside_client` is whether the point lies in the client area.
TFrameHit HitTestFloatingFrame(const TFloatingFrame& frame, QPoint point, bool inside_client);
// The sizing handle a frame hit starts, if any.
std::optional<TToolWindowSizeHandle> SizeHandleOf(TFrameHit hit);

// One step of a sizing drag: the starting rectangle with the cursor's offset
// added to the moving edges, kept at least `minimum` large by moving the
// moving edge back.
TEdges SizingStep(TEdges start, QPoint offset, TToolWindowSizeHandle handle, QSize minimum);

// A floating toolbar's sizing: its outline snaps from one of its possible
// layouts to the next as the cursor passes them.
class TToolbarSizeTracker {
public:
    // `sizes`: the window sizes of the possible layouts (frame included),
    // the first the unwrapped one. `current`: the window's size now.
    // `left_frame`: the distance from the window's left edge to its client
    // area. `floating_width`: the wrap width now.
    TToolbarSizeTracker(TToolWindowSizeHandle handle, std::vector<QSize> sizes, QSize current, int left_frame,
                        int floating_width);
    // `cursor` relative to the window's top-left; `rect` is set from
    // `start` and fitted to the chosen layout.
    void Track(QPoint cursor, TEdges& rect, const TEdges& start);
    // The wrap width of the layout chosen last (0: one row).
    int ChosenFloatingWidth() const { return chosen_width_; }

private:
    bool Horizontal() const { return handle_ == twshLeft || handle_ == twshRight; }
    int Along(QSize size) const { return Horizontal() ? size.width() : size.height(); }
    void Apply(std::size_t index, TEdges& rect);

    TToolWindowSizeHandle handle_;
    std::vector<QSize> sizes_;
    std::size_t unwrapped_ = 0;
    QSize current_;
    int left_frame_;
    int chosen_width_;
    int snap_ = 0;
    bool changed_ = false;
    bool last_shrinking_ = false;
};
