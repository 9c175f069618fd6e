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

#include "controls/PositionData.h"
#include "controls/ToolWindowGeometry.h"
#include "controls/ToolbarTypes.h"

#include <QColor>
#include <QPointer>
#include <QMargins>
#include <QString>
#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

class QFontMetrics;
class TDock97;

enum TBorderStyle { bsNone, bsSingle };

// A floating caption cut to the width: "..." after as many whole
// characters as fit (a character outside the basic plane is one), never
// fewer than four characters in all.
QString FitCaptionToWidth(const QString& caption, const QFontMetrics& metrics, int width);

class TCustomToolWindow97 : public QWidget {
    Q_OBJECT
public:
    explicit TCustomToolWindow97(QWidget* parent = nullptr);
    ~TCustomToolWindow97() override;

    // The widget that holds the window's controls, inside the frame.
    QWidget* Client() const { return client_; }

    TDock97* DockedTo() const { return docked_to_; }
    // Docks the window on the dock (taking it off the one it was on); a
    // null dock floats it over its form.
    void SetDockedTo(TDock97* dock);
    bool Floating() const { return docked_to_ == nullptr && floating_form_ != nullptr; }
    // Floats the window over its form at its floating position. Raises
    // std::logic_error ("コントロール '<name>' は親ウィンドウを持っていません")
    // for a window with no form above it.
    void Float();
    // The screen position of the top-left corner while floating; kept while
    // docked. A window that never floated has none (it reads as (0, 0)):
    // it floats beside the place it is docked at, inside the work area.
    QPoint FloatingPosition() const { return floating_position_.value_or(QPoint()); }
    bool HasFloatingPosition() const { return floating_position_.has_value(); }
    void SetFloatingPosition(QPoint position);
    // The form the window belongs to, docked or floating.
    QWidget* ParentForm() const;
    // Moves a floating window onto the work area of its nearest screen
    // (only when it lies entirely off it, with the flag).
    void MoveOnScreen(bool only_if_fully_offscreen);
    // The window as the program sets it; a floating window is also kept
    // hidden while its form is hidden or minimised and, with
    // HideWhenInactive, while the application is inactive.
    void setVisible(bool visible) override;
    bool Visible() const { return visible_; }
    // Brings the actual visibility in line with the rules above.
    void UpdateVisibility();
    bool GetShowingState() const;
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
    bool Resizable() const { return resizable_; }
    void SetResizable(bool resizable);
    bool ShowCaption() const { return show_caption_; }
    void SetShowCaption(bool show_caption);
    bool CloseButton() const { return close_button_; }
    void SetCloseButton(bool close_button);
    bool HideWhenInactive() const { return hide_when_inactive_; }
    void SetHideWhenInactive(bool hide);
    TToolWindowFloatingMode FloatingMode() const { return floating_mode_; }
    void SetFloatingMode(TToolWindowFloatingMode mode);
    TDock97* DefaultDock() const { return default_dock_; }
    void SetDefaultDock(TDock97* dock) { default_dock_ = dock; }
    // Asked before the close button closes the window; may refuse.
    std::function<void(TCustomToolWindow97* window, bool& can_close)> OnCloseQuery;

    // The thickness of the window across a row for the dock type.
    virtual int GetBarSize(TDockType dock_type) const = 0;
    // The client size the window needs docked on the dock (null: floating);
    // with can_move_controls it also places its controls.
    virtual QSize OrderControls(bool can_move_controls, TDockType previous_dock_type, TDock97* docking_to) = 0;

    // The smallest floating client size; none in the base class.
    virtual QSize GetMinimumSize() const { return {}; }
    // Told before the window takes a size that its own layout did not
    // give it (the user sizing it floating); nothing in the base class.
    virtual void SizeChanging(QSize new_size);
    // Whether a floating window can be sized at its corners as well as its
    // edges.
    virtual bool CornerSizing() const { return true; }
    // The sizing loop's hooks: at its start, at each step (the rectangle
    // may be changed; `cursor` is relative to the window's top-left corner
    // and `start` the window's bounds at the start), at its end.
    virtual void ResizeBegin(TToolWindowSizeHandle handle);
    virtual void ResizeTrack(QPoint cursor, TEdges& rect, const TEdges& start);
    virtual void ResizeEnd(bool accept);

    // The keys of the saved position that belong to the window's class;
    // none in the base class.
    virtual void ReadPositionData(const TPositionReadIntProc& read_int, const TPositionReadStringProc& read_string);
    virtual void DoneReadingPositionData(const TPositionReadIntProc& read_int,
                                         const TPositionReadStringProc& read_string);
    virtual void WritePositionData(const TPositionWriteIntProc& write_int,
                                   const TPositionWriteStringProc& write_string);

    // Lays the controls out for the present dock and sizes the window to
    // them (and to its row).
    void ArrangeControls();
    void CustomArrangeControls(TDockType previous_dock_type, TDock97* docking_to, bool resize_window);
    void BeginUpdate();
    void EndUpdate();

    // The frame of a docked window on a dock of the orientation: the pixels
    // before the client area (left, top) and after it (right, bottom).
    QMargins DockedNCArea(bool left_right) const;
    // The frame of a floating window: its border, and the caption above
    // the client when ShowCaption.
    QSize FloatingBorderSize() const;
    QMargins FloatingNCArea() const;
    // In window coordinates, while floating: the caption bar (less the
    // close button with the flag) and the close button.
    QRect CaptionRect(bool minus_close_button) const;
    QRect CloseButtonRect() const;
    // The frame as it is now.
    QMargins NonClientMargins() const { return non_client_; }
    // The row's thickness on the dock, or the window's own bar size.
    int GetDockRowSize() const;

    // For the dock: sets the bounds without the window reacting to them.
    void SetBoundsFromDock(const QRect& bounds);
    // The drag loop: the window follows the mouse as an outline, into a
    // dock's row, between rows or floating, until the left button is
    // released (moved there) or Escape, another button or a lost grab
    // cancels it. `grab` is the pressed point in window coordinates.
    // Holding Ctrl floats; a dock may refuse through OnRequestDock.
    void BeginMoving(QPoint grab);
    // True while a drag or sizing loop runs (for tests driving it with
    // events).
    static bool Dragging();
    // The sizing loop of a floating window: the edge or corner follows the
    // mouse as an outline, never below the minimum size, and the window
    // takes the outline's bounds when the button is released.
    // `origin` is where the press was, on the screen.
    void BeginSizing(TToolWindowSizeHandle handle, QPoint origin);
    // What a press at the point (window coordinates) would do on the
    // floating frame.
    TFrameHit FloatingFrameHit(QPoint point) const;

    // For a dock that goes: the window no longer refers to it.
    void ForgetDock(const TDock97* dock);
    // For the dock: the row and position it settled on.
    void StoreDockPlace(int row, int pos)
    {
        dock_row_ = row;
        dock_pos_ = pos;
    }

    // Further forms whose docks the window may be dragged onto.
    void AddDockForm(QWidget* form);
    void RemoveDockForm(QWidget* form);

signals:
    // Before a move between docks or to floating (a null dock), and after.
    void DockChanging(TDock97* docking_to);
    void DockChanged();
    void VisibleChanged();
    // Its position changed (docked or floating).
    void Moved();
    // The close button closed the window.
    void Closed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CalculateNonClientSizes();
    void PlaceClient();
    void DrawDockedFrame(class QPainter& painter) const;
    void DrawFloatingFrame(class QPainter& painter) const;
    void ChangeParent(TDock97* dock);
    void CloseFromButton();
    QRect DockedCloseButtonRect() const;
    // The close button a press may hit now; empty when there is none.
    QRect ActiveCloseButton() const;
    void ToggleDocking();
    struct TDragCandidate;
    std::vector<TDragCandidate> DragCandidates() const;
    void Drop(TDock97* dock, const QRect& outline);

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
    QPointer<QWidget> floating_form_;
    std::optional<QPoint> floating_position_;
    bool visible_ = true;
    int reparenting_ = 0;
    bool resizable_ = true;
    bool show_caption_ = true;
    bool close_button_ = true;
    bool close_button_down_ = false;
    bool hide_when_inactive_ = true;
    TToolWindowFloatingMode floating_mode_ = fmOnTopOfParentForm;
    TDock97* default_dock_ = nullptr;
    std::vector<QPointer<QWidget>> dock_forms_;
};
