// The measuring commands of the clock menu. Each asks the pointing services
// what lies under the press point (a snap point or the nearest element) and
// answers in the release's working values: a tip, a follow-up command, a
// point for the command mode's click. Only the steps that must happen at
// once (the status bar's question, the print angle, a frame-mode marker)
// are done here; the release handler shows the tip and removes the menu.

#include "ui/MeasuringCommands.h"

#include "controls/HistoryComboBox.h"
#include "core/Angle.h"
#include "core/ShapeInfo.h"
#include "document/ZhdData.h"
#include "platform/Numbers.h"
#include "platform/ShiftJis.h"
#include "platform/ui/QtText.h"
#include "ui/ClockMenu.h"
#include "ui/MainControls.h"
#include "ui/MouseRelease.h"
#include "ui/PaintBox.h"
#include "ui/PointingServices.h"
#include "ui/StatusButtons.h"
#include "ui/TipBox.h"

#include <QStatusBar>

namespace {

constexpr int centre_command = 63;
constexpr int middle_point_command = 64;
constexpr int line_angle_command = 87;
constexpr int vertical_angle_command = 88;
constexpr int line_length_command = 92;
constexpr int tangent_angle_command = 300;
constexpr int tangent_vertical_command = 301;

// The key point that stands for an element of each kind when a command
// takes "the element's point": the middle of a line or of a dimension's
// line, a circle's centre, the centre of a text's box; for the others their
// first point.
int KeyPointIndexOf(int type_code)
{
    switch (type_code) {
    case TZhdElem::LineCode: return 1;
    case TZhdElem::CircleCode: return 3;
    case TZhdElem::MojiCode: return 4;
    case TZhdElem::SunpouCode: return 1;
    default: return 0;
    }
}

// "　線データです！　": the element has not got the measure asked for.
std::string NoMeasureText(const TZhdElem& elem)
{
    return sj(u8"　") + elem.GetTypeName() + sj(u8"データです！　");
}

// The lengths of an element as the tip shows them, each times the unit
// factor and followed by the unit label; empty for a kind without such a
// text. A circle's third value, its flatness, is a ratio and shows
// unscaled.
std::string LengthText(int type_code, const std::vector<double>& values, double factor, const std::string& label)
{
    const auto length = [&](const char* name, std::size_t i) {
        return i < values.size() ? name + FloatToStrGeneral(values[i] * factor) + label : std::string();
    };
    switch (type_code) {
    case TZhdElem::LineCode:
    case TZhdElem::SunpouCode: return length(" L= ", 0);
    case TZhdElem::CircleCode: {
        std::string text = length(" L= ", 0) + length("\n R= ", 1);
        if (values.size() > 2)
            text += sj(u8"\n 扁平率= ") + FloatToStrGeneral(values[2]) + " ";
        return text;
    }
    case TZhdElem::MojiCode: return length(" L= ", 0) + length("\n H= ", 1);
    default: return {};
    }
}

} // namespace

TMeasuringCommands::TMeasuringCommands(TMainWindowHost& host, TClockMenu& clock_menu, TPointingServices& pointing,
                                       TTipBox& tip_box, TStatusButtons& status_buttons,
                                       std::function<void()> print_angle_exit)
    : TMainFeature(host)
    , clock_menu_(clock_menu)
    , pointing_(pointing)
    , tip_box_(tip_box)
    , status_buttons_(status_buttons)
    , print_angle_exit_(std::move(print_angle_exit))
{
}

void TMeasuringCommands::RunClockCommand(int id, TMouseRelease& release)
{
    if (!host_.Document())
        return;
    switch (id) {
    case centre_command: CentrePoint(release); break;
    case line_angle_command:
    case vertical_angle_command:
    case line_length_command: MeasureElement(id, release); break;
    default: break;
    }
}

TZhdElemPtr TMeasuringCommands::ElementUnderPress(TMouseRelease& release)
{
    const QPoint press = host_.State().PressPoint;
    release.pick_result = pointing_.PickNearestElement(press.x(), press.y(), release.picked_point, PointingTolerance);
    if (release.pick_result == -1)
        return {};
    return host_.Document()->GetElemListPtr().GetAt(release.pick_result);
}

void TMeasuringCommands::AskForSecondPoint(int follow_up, TMouseRelease& release)
{
    release.follow_up = follow_up;
    QStatusBar& status_bar = *host_.Controls().StatusBar1;
    host_.State().SavedStatusText = status_bar.currentMessage();
    status_bar.showMessage(SjisText(ClockCommandName(follow_up)));
}

// 63: a snap point near the press point becomes point A of the middle-point
// command; without one, the key point of the element there goes on to the
// command mode's click as if it had been snapped.
void TMeasuringCommands::CentrePoint(TMouseRelease& release)
{
    TMainState& state = host_.State();
    const QPoint press = state.PressPoint;
    release.pick_result = pointing_.SnapToFramePoint(press.x(), press.y(), release.picked_point, PointingTolerance);
    if (release.pick_result != -1) {
        release.pick_result = -1;
        point_a_ = release.picked_point;
        AskForSecondPoint(middle_point_command, release);
        if (state.CommandMode == FrameMode && state.CommandSubMode == FrameFollowsMouse) {
            // The frame follows the cursor: it goes onto point A, with a
            // marker there.
            TInfoREG& info = host_.Document()->GetInfoRegPtr();
            const TBPoint at = info.WorldToScreen(point_a_);
            pointing_.DrawMarker(at.GetXInt(), at.GetYInt(), true, true);
            state.CursorPoint = press;
            release.action = press;
            info.SetMouseScreen(at);
            host_.Controls().PaintBox1->MoveCursorTo(QPoint(at.GetXInt(), at.GetYInt()));
        }
        return;
    }
    const TZhdElemPtr elem = ElementUnderPress(release);
    if (!elem)
        return;
    release.picked_point = elem->GetKeyPoint(KeyPointIndexOf(elem->GetTypeCode()));
    release.action = press;
    release.mode_click = true;
    release.clock_menu_closed = true;
}

// 87, 88 and 92 on the element under the press point; 87 and 88 on a
// circle ask for the point of the tangent first.
void TMeasuringCommands::MeasureElement(int id, TMouseRelease& release)
{
    const TZhdElemPtr elem = ElementUnderPress(release);
    if (!elem) {
        release.tip_text = sj(u8"　図形がありません！　");
        release.action = host_.State().PressPoint;
        return;
    }
    const int type_code = elem->GetTypeCode();
    if (type_code == TZhdElem::CircleCode && id != line_length_command) {
        picked_circle_ = elem;
        release.picked_point = elem->GetKeyPoint(3);
        AskForSecondPoint(id == line_angle_command ? tangent_angle_command : tangent_vertical_command, release);
        return;
    }
    const TShapeInfo shape = elem->GetShapeInfo(PressPointInDrawing());
    if (id == line_length_command) {
        if (shape.Values.empty())
            release.tip_text = NoMeasureText(*elem);
        else
            release.tip_text = LengthText(type_code, shape.Values, status_buttons_.UnitFactor(),
                                          status_buttons_.UnitLabel());
        return;
    }
    if (shape.Angles.empty())
        release.tip_text = NoMeasureText(*elem);
    else
        release.tip_text = AngleText(shape.Angles.front(), id == vertical_angle_command);
}

TBPoint TMeasuringCommands::PressPointInDrawing() const
{
    const QPoint press = host_.State().PressPoint;
    return host_.Document()->GetInfoRegPtr().ScreenToWorld(TBPoint(press.x(), press.y()));
}

// The direction, turned by 90 degrees for the vertical angle, folded into
// (-90, 90] degrees: a line has no sense of direction here. In the frame
// mode it becomes the print angle as well.
std::string TMeasuringCommands::AngleText(TAngle angle, bool perpendicular)
{
    if (perpendicular)
        angle = angle.Perpendicular(+1);
    angle = angle.FoldToRightHalf();
    if (host_.State().CommandMode == FrameMode) {
        host_.Controls().hcbPrintAngle->setEditText(SjisText(angle.Format(2, 0)));
        if (print_angle_exit_)
            print_angle_exit_();
    }
    // Appended piece by piece: GCC 12 warns falsely about " " + a string.
    std::string text = " ";
    text += angle.Format(7, 5);
    text += ' ';
    return text;
}

void TMeasuringCommands::CompleteTwoClick(TMouseRelease& release)
{
    TZhdData* document = host_.Document();
    const int id = clock_menu_.CurrentClockCommand();
    if (!document || !IsTwoClickCommand(id))
        return;
    const QPoint at = release.action;
    if (release.button == TReleasedButton::Right) {
        release.pick_result = pointing_.SnapToFramePoint(at.x(), at.y(), release.picked_point, PointingTolerance);
        if (release.pick_result == -1) {
            // Still pending: the user may try again.
            tip_box_.ShowTip(sj(u8"　点がありません！　"), at.x(), at.y(), true);
            return;
        }
    } else {
        // A free point: the one under the mouse, taken as if snapped.
        release.pick_result = 0;
        release.picked_point = document->GetInfoRegPtr().ScreenToWorld(TBPoint(at.x(), at.y()));
        release.button = TReleasedButton::Right;
    }

    if (id == middle_point_command) {
        point_b_ = release.picked_point;
        point_a_.DivisionPoint(point_b_, 1.0, 1.0, release.picked_point);
    } else {
        CompleteTangentAngle(id, release);
    }
    host_.Controls().StatusBar1->showMessage(host_.State().SavedStatusText);
    clock_menu_.SetCurrentClockCommand(0);
}

void TMeasuringCommands::CompleteTangentAngle(int id, TMouseRelease& release)
{
    release.mode_click = false;
    // No circle was chosen in this run when the command came some other
    // way than through 87 or 88: nothing to measure.
    if (!picked_circle_)
        return;
    const TShapeInfo shape = picked_circle_->GetShapeInfo(release.picked_point);
    if (shape.Angles.empty())
        return;
    const std::string text = AngleText(shape.Angles.front(), id == tangent_vertical_command);
    clock_menu_.DrawClockMenu(0, 0, 0, 0, 0, 0);
    tip_box_.ShowTip(text, release.action.x(), release.action.y(), true);
}
