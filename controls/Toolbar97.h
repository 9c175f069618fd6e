#pragma once

// TCustomToolbar97: the tool window that lays its controls out in a row:
// along a top or bottom dock, down a left or right one, or floating in rows
// that wrap at its floating width (controls/ToolbarLayout.h). The controls
// are children of its client widget, taken in the user's order (OrderIndex,
// by default the order they were added in). TToolbarSep97 divides them into
// groups.
//
// A pair of slave controls stands for one place: the first shows while the
// toolbar lies horizontally or floats, the second while it is docked left
// or right.

#include "controls/ToolWindow97.h"
#include "controls/ToolbarLayout.h"

#include <QPointer>

#include <optional>
#include <utility>
#include <vector>

class TCustomToolbar97 : public TCustomToolWindow97 {
    Q_OBJECT
public:
    explicit TCustomToolbar97(QWidget* parent = nullptr);
    ~TCustomToolbar97() override;

    int FloatingWidth() const { return floating_width_; }
    void SetFloatingWidth(int width);
    // The control's place in the user's order. Raise std::invalid_argument
    // ("Control '<name>' is not a child of the toolbar") for a control of
    // another parent; writing clamps into the list.
    int OrderIndex(const QWidget* control);
    void SetOrderIndex(QWidget* control, int index);
    QWidget* OrderedControls(int index);
    void SetSlaveControl(QWidget* top_bottom, QWidget* left_right);

    // The floating wrap width, as "FloatRightX".
    void ReadPositionData(const TPositionReadIntProc& read_int, const TPositionReadStringProc& read_string) override;
    void WritePositionData(const TPositionWriteIntProc& write_int,
                           const TPositionWriteStringProc& write_string) override;

    // A floating toolbar is sized at its edges only, and its outline snaps
    // to the layouts it can take.
    bool CornerSizing() const override { return false; }
    void ResizeBegin(TToolWindowSizeHandle handle) override;
    void ResizeTrack(QPoint cursor, TEdges& rect, const TEdges& start) override;
    void ResizeEnd(bool accept) override;

    int GetBarSize(TDockType dock_type) const override;
    QSize OrderControls(bool can_move_controls, TDockType previous_dock_type, TDock97* docking_to) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void CleanOrderList();
    bool ShouldControlBeVisible(const QWidget* control, bool left_or_right) const;
    void SetControlVisible(QWidget* control, bool left_or_right);
    std::vector<QWidget*> ControlsInOrder(bool by_slave_rule, bool left_or_right);
    void Watch(QWidget* control);

    int floating_width_ = 0;
    std::vector<QPointer<QWidget>> order_;
    std::vector<std::pair<QPointer<QWidget>, QPointer<QWidget>>> slaves_;
    std::vector<TToolbarLineSeparator> line_separators_;
    std::optional<TToolbarSizeTracker> size_tracker_;
};

class TToolbar97 : public TCustomToolbar97 {
    Q_OBJECT
public:
    using TCustomToolbar97::TCustomToolbar97;
};

// A gap between groups of a toolbar's controls, drawn as a groove unless
// Blank. It must be made on a toolbar's client (else std::logic_error
// "TToolbarSep97 can only be placed on a TToolbar97").
class TToolbarSep97 : public QWidget {
    Q_OBJECT
public:
    explicit TToolbarSep97(QWidget* toolbar_client);

    bool Blank() const { return blank_; }
    void SetBlank(bool blank);
    // Its length in a horizontal or floating toolbar, and in a vertical one
    // (at least 1).
    int SizeHorz() const { return size_horz_; }
    void SetSizeHorz(int size);
    int SizeVert() const { return size_vert_; }
    void SetSizeVert(int size);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    TCustomToolbar97* Toolbar() const;

    bool blank_ = false;
    int size_horz_ = 6;
    int size_vert_ = 6;
};
