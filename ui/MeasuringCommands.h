#pragma once

// TMeasuringCommands: the clock menu's commands that read something off the
// drawing at the press point: the key point of an element or the middle of
// two points (63, then 64), the direction of a line or of a circle's tangent
// (87, 88, then 300 or 301 on a circle) and the lengths of an element (92).
// They run inside the release of the mouse button (the release handler
// gives them its TMouseRelease), show their answer pinned in the tip box and,
// in the print or output frame mode, hand an angle on as the print angle.
//
// A command that needs a second click leaves a follow-up command: the
// release handler makes it the current clock command, the status bar asks
// for the point, and the next release completes it with CompleteTwoClick.

#include "core/Angle.h"
#include "core/BPoint.h"
#include "elements/ZhdElem.h"
#include "ui/MainFeature.h"

#include <functional>
#include <string>

class TClockMenu;
class TPointingServices;
class TStatusButtons;
class TTipBox;
struct TMouseRelease;

class TMeasuringCommands : public TMainFeature {
public:
    // `print_angle_exit` applies the print angle box's text as the print
    // angle (the form's hcbPrintAngleExit).
    TMeasuringCommands(TMainWindowHost& host, TClockMenu& clock_menu, TPointingServices& pointing, TTipBox& tip_box,
                       TStatusButtons& status_buttons, std::function<void()> print_angle_exit);

    // The command of the released clock menu, before the menu goes: 63, 87,
    // 88 and 92 act, any other id does nothing.
    void RunClockCommand(int id, TMouseRelease& release);
    // The two-click commands a later release completes.
    static bool IsTwoClickCommand(int id) { return id == 64 || id == 300 || id == 301; }
    // The release that completes the current clock command (64, 300 or 301).
    void CompleteTwoClick(TMouseRelease& release);

    const TBPoint& MeasuringPointA() const { return point_a_; }
    const TBPoint& MeasuringPointB() const { return point_b_; }

private:
    void CentrePoint(TMouseRelease& release);
    void MeasureElement(int id, TMouseRelease& release);
    void CompleteTangentAngle(int id, TMouseRelease& release);
    // The element nearest the press point (empty for none); the release's
    // pick result and picked point are the pick's.
    TZhdElemPtr ElementUnderPress(TMouseRelease& release);
    TBPoint PressPointInDrawing() const;
    // The follow-up command becomes the release's; the status bar asks for
    // its point and keeps the text it showed.
    void AskForSecondPoint(int follow_up, TMouseRelease& release);
    // The tip text of a direction; in the frame mode also the print angle.
    std::string AngleText(TAngle angle, bool perpendicular);

    TClockMenu& clock_menu_;
    TPointingServices& pointing_;
    TTipBox& tip_box_;
    TStatusButtons& status_buttons_;
    std::function<void()> print_angle_exit_;
    TBPoint point_a_;
    TBPoint point_b_;
    // The circle whose tangent direction the next click asks for; kept for
    // the program's run, whatever drawing is open later.
    TZhdElemPtr picked_circle_;
};
