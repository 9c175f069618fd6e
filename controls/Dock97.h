#pragma once

// TDock97: the strip along one edge of a form that holds tool windows in
// rows. It keeps the list of its windows, lays them out with the row
// arrangement (controls/DockRows.h) whenever a window comes, goes, shows,
// hides or changes size, and grows or shrinks across its edge to the sum of
// its rows. Optional one-pixel bound lines run along its edges.
//
// The dock sets its own thickness (fixed height on a top or bottom dock,
// fixed width on a left or right one), so a form's layout places it; a dock
// without a layout keeps its aligned edge where it is.

#include "controls/DockRows.h"
#include "controls/ToolbarTypes.h"

#include <QPixmap>
#include <QWidget>

#include <functional>
#include <vector>

class QPainter;
class TCustomToolWindow97;

class TDock97 : public QWidget {
    Q_OBJECT
public:
    explicit TDock97(TDockPosition position, QWidget* parent = nullptr);
    ~TDock97() override;

    TDockPosition Position() const { return position_; }
    // Raises std::logic_error ("Cannot change Position of a TDock97 if it
    // already contains controls") when the dock holds any window.
    void SetPosition(TDockPosition position);
    bool AllowDrag() const { return allow_drag_; }
    void SetAllowDrag(bool allow_drag);
    TDockBoundLines BoundLines() const { return bound_lines_; }
    void SetBoundLines(TDockBoundLines lines);
    bool FixAlign() const { return fix_align_; }
    void SetFixAlign(bool fix_align);
    bool LimitToOneRow() const { return limit_to_one_row_; }
    void SetLimitToOneRow(bool limit);
    const QPixmap& Background() const { return background_; }
    void SetBackground(const QPixmap& background);
    bool BackgroundOnToolbars() const { return background_on_toolbars_; }
    void SetBackgroundOnToolbars(bool on_toolbars);
    // Pixels of the background's bottom-left colour show the dock's colour.
    bool BackgroundTransparent() const { return background_transparent_; }
    void SetBackgroundTransparent(bool transparent);
    bool UsingBackground() const { return !background_.isNull(); }
    // The background as drawn: with the transparent colour replaced when
    // asked. Tiles are anchored to the form, so a window at `offset` in the
    // form continues the dock's pattern without a seam.
    void DrawBackground(QPainter& painter, const QRect& area, QPoint offset) const;
    // Asked during a drag whether a window may drop here; accepts by
    // default.
    std::function<void(TDock97* dock, TCustomToolWindow97* bar, bool& accept)> OnRequestDock;

    // Arranging is deferred while updates are open; the last EndUpdate
    // arranges once.
    void BeginUpdate();
    void EndUpdate();
    // Lays the windows out; with clip_positions the windows keep the
    // positions they were pulled back to.
    void ArrangeToolbars(bool clip_positions);

    // The dock's list: its windows, and floating ones that keep their place
    // in it.
    void ChangeDockList(bool insert, TCustomToolWindow97* window);
    void ToolbarVisibilityChanged(TCustomToolWindow97* window, bool force_remove);
    bool ToolbarVisibleOnDock(const TCustomToolWindow97* window) const;
    bool HasVisibleToolbars() const;
    // The windows docked here and showing, by row and position.
    int GetToolbarCount() const { return static_cast<int>(visible_.size()); }
    TCustomToolWindow97* GetToolbars(int index) const;
    const std::vector<TCustomToolWindow97*>& DockList() const { return dock_list_; }

    // Rows.
    void BuildRowInfo();
    // The row's thickness; for an empty row the default window's bar size.
    int GetRowSize(int row, const TCustomToolWindow97* default_toolbar) const;
    int GetRowOf(int coordinate, bool& before) const;
    int GetHighestRow() const;
    int GetNumberOfToolbarsOnRow(int row, const TCustomToolWindow97* not_included) const;
    void RemoveBlankRows();
    void InsertRowBefore(int row);

    TDockType DockType() const;
    bool Vertical() const { return position_ == dpLeft || position_ == dpRight; }
    // The pixels the bound lines take on each side.
    QMargins BoundLineMargins() const;
    // The dock's length less its bound lines.
    int AvailableLength() const;

signals:
    void InsertRemoveBar(bool inserting, TCustomToolWindow97* bar);
    void DockResized();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<TDockRowBar> RowBars() const;
    void SetThickness(int thickness);

    TDockPosition position_ = dpTop;
    bool allow_drag_ = true;
    TDockBoundLines bound_lines_ = 0;
    bool fix_align_ = false;
    bool limit_to_one_row_ = false;
    QPixmap background_;
    bool background_on_toolbars_ = true;
    bool background_transparent_ = false;
    // The background with its transparent colour replaced, made on demand.
    mutable QPixmap background_cache_;

    std::vector<TCustomToolWindow97*> dock_list_;
    std::vector<TCustomToolWindow97*> visible_;
    std::vector<int> row_sizes_;
    int arrange_lock_ = 0;
    bool arrange_needed_ = false;
    bool clip_positions_ = false;
};
