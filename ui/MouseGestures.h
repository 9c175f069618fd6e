#pragma once

// TMouseGestures: the mouse on the drawing view, as the CAD program's users
// know it.
//
// - A drag with both buttons (or with the middle button) is a view gesture
//   named by its direction; its tip shows at the press point while it is
//   dragged, and letting go of the last button carries it out (EndGesture).
// - A drag with one button beyond the clock radius opens the clock menu
//   around the press point; letting go runs the command under the cursor.
// - Any other release is a click of the current command mode.
// - A cross-hair, drawn in not-XOR mode, stands for the hidden mouse
//   pointer; the move handler takes the last one away and draws the next,
//   with the print frame that follows the mouse and the zoom box's rubber
//   band, and shows only the pixels those touch.
//
// Before any control sees a mouse press, release or double click of the
// main window, the application-wide hook (OnMessage) looks at it: it writes
// the debug log, closes the search's candidate box, swallows double clicks
// (flagging them for the release handler and the double-click wait) unless
// the group and layer buttons asked for plain presses, and takes over the
// first left press on the drawing after the search word had the focus.

#include "ui/MainFeature.h"

#include <QObject>
#include <QPoint>

class QWidget;

#include <functional>
#include <string>

class QEvent;
class QMouseEvent;
class TBPoint;
class TOverlayPass;
class TClockMenu;
class TMeasuringCommands;
class TModeClicks;
class TStatusButtons;
class TTipBox;
class TViewRedraw;
struct TMouseRelease;

enum class TReleasedButton;

// What the hook does with the search's candidate box; the search bar gives
// the box its behaviour. Empty functions stand for a box that is never
// shown.
struct TCandidateBoxActions {
    std::function<bool()> visible;
    // The box's list has the keyboard focus.
    std::function<bool()> list_has_focus;
    std::function<void()> close;
    // A double click in the list picks the candidate under it.
    std::function<void()> pick;
    // Whether a widget lies in the box, and the box made active with its
    // list focused: a press there reaches the hook after the window system
    // activated the box, as it does for any window.
    std::function<bool(const QWidget*)> contains;
    std::function<void()> activate;
};

class TMouseGestures : public QObject, public TMainFeature {
    Q_OBJECT
public:
    struct TFeatures {
        TViewRedraw& view;
        TStatusButtons& status_buttons;
        TClockMenu& clock_menu;
        TTipBox& tip_box;
        TMeasuringCommands& measuring;
        TModeClicks& mode_clicks;
    };
    TMouseGestures(TMainWindowHost& host, TFeatures features);
    ~TMouseGestures() override;

    // The paint box's events, in paint-box pixels.
    void PaintBox1MouseDown(TReleasedButton button, int x, int y);
    void PaintBox1MouseMove(int x, int y);
    void PaintBox1MouseUp(TReleasedButton button, int x, int y);

    // 1 when a double click arrives within `factor` times the system's
    // double-click interval, else 0. The events meanwhile are handled, so
    // the mouse handlers may run nested; the flags are left for the caller.
    int WaitDoubleClick(double factor);

    // The cross-hair at paint-box pixel (x, y), -1 for either taking the
    // cursor point's: drawn in not-XOR mode, so a second call at the same
    // point takes it away again.
    void DrawCrossHairAt(int x, int y);

    // The hook, installed on the application.
    bool eventFilter(QObject* watched, QEvent* event) override;

    void SetCandidateBoxActions(TCandidateBoxActions actions) { candidate_box_ = std::move(actions); }

    // The state the release handler reads (tests look at it too).
    // Buttons held on the drawing: 1 left, 2 right, 3 both or the middle.
    int ButtonBits() const { return button_bits_; }
    // 0 closed, 1 the cursor is outside the clock radius, 2 it came back.
    int ClockMenuState() const { return clock_menu_state_; }
    int ClockFace() const { return clock_face_; }
    int LeftDoubleClick() const { return left_double_click_; }
    int RightDoubleClick() const { return right_double_click_; }
    void SetLeftDoubleClick(int flag) { left_double_click_ = flag; }
    // The image colour pick keeps what its wait for a second right click
    // found, for the release to log.
    void SetRightDoubleClick(int flag) { right_double_click_ = flag; }

private:
    // The hook's part of each kind of event; true swallows it.
    bool HookPress(QMouseEvent& event);
    bool HookDoubleClick(QMouseEvent& event);
    bool HookRelease(QMouseEvent& event);
    // The event's name on the debug status line, and a line of the debug log.
    void LogHooked(const char* name, const QMouseEvent& event);
    bool SearchHasFocus() const;
    void CloseCandidateBox();

    // The press handler's part while the clock menu is open.
    void PressOnClockMenu(int x, int y);
    // What the previous move drew goes: frame, rubber band, cross-hair.
    void RemoveMoveOverlays(int x, int y);
    void RemoveFrameAndBand(TOverlayPass& pass, const TBPoint& last);
    // What this move draws: frame, gesture tip and rubber band, clock menu.
    void DrawMoveOverlays(int x, int y);
    void TrackClockMenu(int x, int y);
    void RedrawAfterGroupLayerChange();
    void ShowMousePosition(int x, int y);

    // The release handler's parts.
    void EndTwoButtonGesture(int x, int y);
    void ReleaseOneButton(TMouseRelease& release);
    void ReleaseClockMenu(TMouseRelease& release);
    void CountDoubleClicks();

    TViewRedraw& view_;
    TStatusButtons& status_buttons_;
    TClockMenu& clock_menu_;
    TTipBox& tip_box_;
    TMeasuringCommands& measuring_;
    TModeClicks& mode_clicks_;
    TCandidateBoxActions candidate_box_;

    int button_bits_ = 0;
    int clock_menu_state_ = 0;
    int clock_menu_button_ = 0;
    int clock_face_ = 0;
    int hook_press_flag_ = 0;
    int left_double_click_ = 0;
    int right_double_click_ = 0;
    // Never set: the release handler only reports it.
    int single_click_ = 0;
    // Double clicks the hook swallowed and flagged, counted.
    unsigned double_clicks_flagged_ = 0;
};
