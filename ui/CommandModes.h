#pragma once

// TCommandModes: the main window works in one command mode at a time,
// chosen with one radio group of buttons on the file and command toolbars.
// The mode decides what the mouse does on the drawing and whether the
// print frame shows; the print and output frame modes are switched on and
// off by the print feature, given the clicked button.

#include "ui/MainFeature.h"

#include <functional>

class TToolbarButton97;

class TCommandModes : public TMainFeature {
public:
    using TFrameModeSwitch = std::function<void(TToolbarButton97* sender)>;

    // `print_push` and `output_push` switch the print and output frame
    // modes by the down states of their buttons.
    TCommandModes(TMainWindowHost& host, TFrameModeSwitch print_push, TFrameModeSwitch output_push);

    // A mode button was clicked; its down state is as the click left it.
    void Click(TToolbarButton97* sender);

private:
    // The status bar shows the mode's text; the text it showed is kept.
    void ShowModeText(const char8_t* text);
    void LeaveFrameModes(TToolbarButton97* sender, bool print_down, bool continuous_down, bool output_down);
    void EnterMode(TToolbarButton97* sender);
    void DrawPreSelection();
    void CollectIntersections();

    TFrameModeSwitch print_push_;
    TFrameModeSwitch output_push_;
};
