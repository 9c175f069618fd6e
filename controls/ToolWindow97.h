#pragma once

// TCustomToolWindow97: the base of every window that sits in a dock: the
// toolbars and the resizable tool windows. It keeps its place on its dock
// (row, position, the dock it sat on last), paints its own frame around an
// inner client widget that holds its controls, and lets its descendants lay
// the controls out for the dock's orientation.
//
// The frame of a docked window: a two-pixel ring (a raised edge or a flat
// one in the window's colour) and, on a dock that allows dragging, a drag
// handle with one or two grip bars, at the left on a top or bottom dock and
// at the top on a left or right one.

#include "controls/ToolbarTypes.h"

#include <QColor>
#include <QMargins>
#include <QString>
#include <QWidget>

class TDock97;

enum TBorderStyle { bsNone, bsSingle };

class TCustomToolWindow97 : public QWidget {
    Q_OBJECT
public:
    explicit TCustomToolWindow97(QWidget* parent = nullptr);
    ~TCustomToolWindow97() override;

    // The widget that holds the window's controls, inside the frame.
    QWidget* Client() const { return client_; }

    TDock97* DockedTo() const { return docked_to_; }
    // Docks the window on the dock (taking it off the one it was on); a
    // null dock takes it off its dock and hides it.
    void SetDockedTo(TDock97* dock);
    int DockRow() const { return dock_row_; }
    void SetDockRow(int row);
    int DockPos() const { return dock_pos_; }
    void SetDockPos(int pos);
    bool FullSize() const { return full_size_; }
    void SetFullSize(bool full_size);
    TDock97* LastDock() const { return last_dock_; }
    void SetLastDock(TDock97* dock);
    bool UseLastDock() const { return use_last_dock_; }
    void SetUseLastDock(bool use_last_dock);
    TDragHandleStyle DragHandleStyle() const { return drag_handle_style_; }
    void SetDragHandleStyle(TDragHandleStyle style);
    bool CloseButtonWhenDocked() const { return close_button_when_docked_; }
    void SetCloseButtonWhenDocked(bool close_button);
    TBorderStyle BorderStyle() const { return border_style_; }
    void SetBorderStyle(TBorderStyle style);
    TDockableTo DockableTo() const { return dockable_to_; }
    void SetDockableTo(TDockableTo dockable_to) { dockable_to_ = dockable_to; }
    TToolWindowDockMode DockMode() const { return dock_mode_; }
    void SetDockMode(TToolWindowDockMode mode) { dock_mode_ = mode; }
    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    QColor Color() const { return color_; }
    void SetColor(const QColor& color);

    // The thickness of the window across a row for the dock type.
    virtual int GetBarSize(TDockType dock_type) const = 0;
    // The client size the window needs docked on the dock (null: floating);
    // with can_move_controls it also places its controls.
    virtual QSize OrderControls(bool can_move_controls, TDockType previous_dock_type, TDock97* docking_to) = 0;

    // Lays the controls out for the present dock and sizes the window to
    // them (and to its row).
    void ArrangeControls();
    void CustomArrangeControls(TDockType previous_dock_type, TDock97* docking_to, bool resize_window);
    void BeginUpdate();
    void EndUpdate();

    // The frame of a docked window on a dock of the orientation: the pixels
    // before the client area (left, top) and after it (right, bottom).
    QMargins DockedNCArea(bool left_right) const;
    // The frame as it is now; none while not docked.
    QMargins NonClientMargins() const { return non_client_; }
    // The row's thickness on the dock, or the window's own bar size.
    int GetDockRowSize() const;

    // For the dock: sets the bounds without the window reacting to them.
    void SetBoundsFromDock(const QRect& bounds);
    // For a dock that goes: the window no longer refers to it.
    void ForgetDock(const TDock97* dock);
    // For the dock: the row and position it settled on.
    void StoreDockPlace(int row, int pos)
    {
        dock_row_ = row;
        dock_pos_ = pos;
    }

signals:
    void DockChanged();
    void VisibleChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;

private:
    void CalculateNonClientSizes();
    void PlaceClient();
    void DrawDockedFrame(class QPainter& painter) const;

    QWidget* client_;
    TDock97* docked_to_ = nullptr;
    TDock97* last_dock_ = nullptr;
    bool use_last_dock_ = true;
    int dock_row_ = 0;
    int dock_pos_ = -1;
    bool full_size_ = false;
    TDragHandleStyle drag_handle_style_ = dhDouble;
    bool close_button_when_docked_ = false;
    TBorderStyle border_style_ = bsSingle;
    TDockableTo dockable_to_ = DockableToAll;
    TToolWindowDockMode dock_mode_ = dmCanFloat;
    QString caption_;
    QColor color_;
    QMargins non_client_;
    int bounds_updating_ = 0;
    int arrange_lock_ = 0;
    bool arrange_needed_ = false;
    TDockType last_dock_type_ = dtNotDocked;
};
