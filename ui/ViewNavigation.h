#pragma once

// TViewNavigation: the wheel and the keys of the main window move the
// drawing view. The wheel zooms about the drawing point under the mouse
// (the cursor point); the Page keys zoom about the view's centre; the arrow
// keys pan a quarter of the view along the drawing's axis angle and at
// right angles to it; Home shows the range the drawing remembers and clears
// every element's marks; End goes back to the previous view. Every change is
// installed through ui/ViewChange.h, so the replaced view becomes the
// previous one and the scale stays within its bounds.
//
// The form sees the wheel and the keys before its controls. While the
// continuous-print list has the focus the wheel is left to it; while the
// list or the search edit has the focus, so are all keys, and while the menu
// bar is worked from the keyboard. Any other control loses the navigation
// keys to the view.
//
// A wheel turns in notches of 120 (angleDelta); a finer wheel's parts are
// added up until they make a notch. A series of notches is redrawn once
// it pauses (TViewRedraw::CanvasDrawAfterBurst).

#include "ui/MainFeature.h"

class QWidget;
class TStatusButtons;
class TViewRedraw;
class TZhdZoom;

class TViewNavigation : public TMainFeature {
public:
    TViewNavigation(TMainWindowHost& host, TViewRedraw& view, TStatusButtons& status_buttons);

    // A wheel event that reached the form, its vertical turn in eighths of a
    // degree (positive away from the user). False when the form leaves it to
    // the control; then nothing was done.
    bool Wheel(int angle_delta);
    // One notch towards the user: zoom in about the cursor point. `handled`
    // stays false while the continuous-print list has the focus.
    void FormMouseWheelDown(bool& handled);
    // One notch away from the user: zoom out about the cursor point.
    void FormMouseWheelUp(bool& handled);

    // A key pressed anywhere in the form (Qt::Key); true when it was
    // consumed, so that the control with the focus does not get it.
    bool FormKeyDown(int key);

private:
    // The wheel's notch, `factor` the scale's change.
    void WheelStep(const char* handler, const char* label, double factor, bool& handled);
    // The view a navigation key asks for; false for any other key.
    bool ViewOfKey(int key, TZhdZoom& view);
    // After every key of the table: the view installed, fitted when it has
    // no usable scale, the mouse's drawing point following it, redrawn.
    void ShowKeyView(const TZhdZoom& view);
    void RefreshStatus();

    // Whether the focus is on the control or inside it.
    static bool HasFocus(const QWidget* control);

    TViewRedraw& view_;
    TStatusButtons& status_buttons_;
    // The wheel's turn not yet making a whole notch.
    int wheel_remainder_ = 0;
};
