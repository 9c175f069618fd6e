#pragma once

// TAttributeDisplay: in the attribute-display mode (command mode 3) the
// user rests the mouse over the drawing; about a second later the element
// nearest to the mouse is framed on the view, its record in the text form
// of the CAD program's external commands is pinned in the tip box beside
// the mouse, and Label4 shows the mouse position with the element's group
// and layer, kind and distance.
//
// Timer1 ticks every second; a tick acts only while the rest stopwatch
// (TMainState) reads more than 0.9 and less than 2.0 seconds, so one or two
// ticks after the mouse stops show the element and a mouse that rests on
// shows nothing more. One tick searches the visible elements once.
//
// The record is written against a fresh running state of the text form
// (TZhdData::WriteFreshTextRecord), so it is whole every time, however many
// records were shown before, and showing it changes nothing in the
// document.

#include "ui/MainFeature.h"

#include <string>

class TStatusButtons;
class TTipBox;
class TZhdData;
class TZhdElem;

class TAttributeDisplay : public TMainFeature {
public:
    TAttributeDisplay(TMainWindowHost& host, TStatusButtons& status_buttons, TTipBox& tip_box);

    // Timer1's tick.
    void Timer1Timer();

private:
    // The element's frame: the box of its outline in the colour of the
    // screen pen "S".
    void DrawFrame(TZhdData& document, const TZhdElem& elem);
    // Its lines of the text form joined by "\n" (Shift-JIS).
    static std::string RecordText(TZhdData& document, const TZhdElem& elem);

    TStatusButtons& status_buttons_;
    TTipBox& tip_box_;
};
