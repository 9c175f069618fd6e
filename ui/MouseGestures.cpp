// The press, move and release handlers of the drawing view.

#include "ui/MouseGestures.h"

#include "core/DebugLog.h"
#include "platform/Numbers.h"
#include "document/ZhdData.h"
#include "platform/ImageCanvas.h"
#include "platform/ShiftJis.h"
#include "platform/ui/QtText.h"
#include "ui/ClockMenu.h"
#include "ui/DragGeometry.h"
#include "ui/GestureEnd.h"
#include "ui/MainControls.h"
#include "ui/MeasuringCommands.h"
#include "ui/ModeClicks.h"
#include "ui/MouseRelease.h"
#include "ui/PaintBox.h"
#include "ui/StatusButtons.h"
#include "ui/TipBox.h"
#include "ui/ViewRedraw.h"

#include <QLabel>

#include <algorithm>
#include <array>
#include <vector>

namespace {

// A pixel coordinate of a point that may lie far outside the view, kept
// where an int holds it.
int ClampedPixel(double value)
{
    return static_cast<int>(std::clamp(value, -1.0e6, 1.0e6));
}

} // namespace

// Draws overlays over the shown picture in not-XOR mode and, once done,
// shows only the pixels they touched. The picture must stay the same image
// while it draws: a tip or the clock menu that puts the back buffer up
// comes before or after a pass, never during one.
class TOverlayPass {
public:
    TOverlayPass(TPaintBox& paint_box, TZhdData& document)
        : paint_box_(paint_box)
        , document_(document)
        , info_(document.GetInfoRegPtr())
        , canvas_(paint_box.Front())
    {
    }
    ~TOverlayPass()
    {
        canvas_.Finish();
        for (const QRect& rect : touched_)
            paint_box_.ShowFrontRect(rect);
    }
    TOverlayPass(const TOverlayPass&) = delete;
    TOverlayPass& operator=(const TOverlayPass&) = delete;

    void CrossHair(const TBPoint& point)
    {
        info_.DrawCrossHair(canvas_, point, document_);
        const std::array<TBPoint, 4> ends = info_.GetCrossHairEnds(point, document_);
        Touch(ends[0], ends[2]);
        Touch(ends[1], ends[3]);
    }

    void PrintFrame(const TBPoint& centre)
    {
        info_.DrawPrintFrame(canvas_, centre, document_);
        const std::array<TBPoint, 4> corners = info_.GetPrintFrameCorners(centre, document_);
        for (std::size_t i = 0; i < corners.size(); ++i)
            Touch(corners[i], corners[(i + 1) % corners.size()]);
    }

    // The two sides of the zoom box that meet at the press point.
    void RubberBand(QPoint press, QPoint corner)
    {
        canvas_.SetPen(TPen { document_.GetPenMapPtr()["Z"].GetColorValue(), 1, TPenStyle::Solid, TPenMode::NotXor });
        canvas_.MoveTo(press.x(), corner.y());
        canvas_.LineTo(press.x(), press.y());
        canvas_.LineTo(corner.x(), press.y());
        canvas_.SetPenMode(TPenMode::Copy);
        TouchPixels(QPoint(press.x(), corner.y()), press);
        TouchPixels(press, QPoint(corner.x(), press.y()));
    }

private:
    void Touch(const TBPoint& a, const TBPoint& b)
    {
        const TBPoint pa = info_.WorldToScreen(a);
        const TBPoint pb = info_.WorldToScreen(b);
        TouchPixels(QPoint(ClampedPixel(pa.GetX()), ClampedPixel(pa.GetY())),
                    QPoint(ClampedPixel(pb.GetX()), ClampedPixel(pb.GetY())));
    }
    void TouchPixels(QPoint a, QPoint b)
    {
        const QRect rect = QRect(a, b).normalized().adjusted(-1, -1, 1, 1) & paint_box_.Front().rect();
        if (!rect.isEmpty())
            touched_.push_back(rect);
    }

    TPaintBox& paint_box_;
    TZhdData& document_;
    TInfoREG& info_;
    TImageCanvas canvas_;
    std::vector<QRect> touched_;
};

namespace {

// The reference point of the print frame, from the printer area's code.
int FrameReference(const TZhdData& document)
{
    return document.GetHeadPtr().GetPrinterArea().GetCode() / 10;
}

} // namespace

TMouseGestures::TMouseGestures(TMainWindowHost& host, TFeatures features)
    : TMainFeature(host)
    , view_(features.view)
    , status_buttons_(features.status_buttons)
    , clock_menu_(features.clock_menu)
    , tip_box_(features.tip_box)
    , measuring_(features.measuring)
    , mode_clicks_(features.mode_clicks)
{
}

TMouseGestures::~TMouseGestures() = default;

void TMouseGestures::DrawCrossHairAt(int x, int y)
{
    TZhdData* document = host_.Document();
    if (!document)
        return;
    const QPoint cursor = host_.State().CursorPoint;
    const TBPoint pixel(x == -1 ? cursor.x() : x, y == -1 ? cursor.y() : y);
    TOverlayPass(*host_.Controls().PaintBox1, *document).CrossHair(document->GetInfoRegPtr().ScreenToWorld(pixel));
}

// --- Press ---

void TMouseGestures::PaintBox1MouseDown(TReleasedButton button, int x, int y)
{
    WriteDebugLog("<PaintBox1MouseDown>");
    tip_box_.RemovePinned();
    switch (button) {
    case TReleasedButton::Left:
        button_bits_ |= 1;
        break;
    case TReleasedButton::Right:
        button_bits_ |= 2;
        break;
    case TReleasedButton::Middle:
        button_bits_ |= 3;
        break;
    }
    if (clock_menu_state_ != 0) {
        PressOnClockMenu(x, y);
        return;
    }
    TMainState& state = host_.State();
    if (button_bits_ == 3) {
        state.DragState = 1;
        tip_box_.ShowTip(sj(u8"　移　動　"), x, y, false);
    }
    state.PressPoint = QPoint(x, y);
}

// The other button flips the face; the menu stays around its press point.
void TMouseGestures::PressOnClockMenu(int x, int y)
{
    const QPoint press = host_.State().PressPoint;
    clock_face_ ^= 1;
    int position = GetClockPosition(x, y, ClockPositions, press.x(), press.y());
    if (GetDragLength(x, y, press.x(), press.y()) <= TClockMenu::ClockRadius)
        position = -1;
    clock_menu_.DrawClockMenu(1, position, clock_menu_button_, clock_face_, press.x(), press.y());
}

// --- Move ---

void TMouseGestures::PaintBox1MouseMove(int x, int y)
{
    TMainState& state = host_.State();
    if (hook_press_flag_ != 0) {
        button_bits_ |= 1;
        if (button_bits_ == 3)
            state.DragState = 3;
        hook_press_flag_ = 0;
    }
    state.MouseOverDrawing = true;
    state.RestStopwatch.Restart();
    TZhdData* document = host_.Document();
    if (!document)
        return;
    if (state.GroupLayerRedrawPending)
        RedrawAfterGroupLayerChange();
    state.DoubleClickSuppression = 0;
    RemoveMoveOverlays(x, y);
    DrawMoveOverlays(x, y);
    ShowMousePosition(x, y);
    state.CursorPoint = QPoint(x, y);
    document->GetInfoRegPtr().SetMouseScreen(TBPoint(x, y));
    if (state.CommandMode == FrameMode && state.CommandSubMode == 3)
        state.CommandSubMode = 2;
}

void TMouseGestures::RedrawAfterGroupLayerChange()
{
    TMainState& state = host_.State();
    TZhdData& document = *host_.Document();
    if (state.WriteTargetSelection) {
        state.WriteTargetSelection = false;
        document.ClearSelection();
    }
    status_buttons_.UpdateStatusButtons(3);
    status_buttons_.UpdateStatusButtons(4);
    view_.CanvasDraw(document, "GroupLayer()");
    state.GroupLayerRedrawPending = false;
    state.TemporaryFullView = false;
}

void TMouseGestures::RemoveMoveOverlays(int x, int y)
{
    TZhdData& document = *host_.Document();
    // Where the last cross-hair and following frame stand: the last move
    // drew them at the view's mouse point, and so does every redraw, also
    // one that changed the view without a move (a drawing opened, the
    // window resized).
    const TBPoint last = document.GetInfoRegPtr().GetMouseWorld();
    {
        TOverlayPass pass(*host_.Controls().PaintBox1, document);
        RemoveFrameAndBand(pass, last);
    }
    // Removing a pinned tip shows the clean picture again, cross-hair and
    // all gone.
    if (!tip_box_.RemoveIfEntered(x, y))
        TOverlayPass(*host_.Controls().PaintBox1, document).CrossHair(last);
}

void TMouseGestures::RemoveFrameAndBand(TOverlayPass& pass, const TBPoint& last)
{
    TMainState& state = host_.State();
    TZhdData& document = *host_.Document();
    TInfoREG& info = document.GetInfoRegPtr();
    const QPoint cursor = state.CursorPoint;
    const QPoint press = state.PressPoint;
    if (button_bits_ == 0 && state.CommandMode == FrameMode) {
        if (state.CommandSubMode == FrameFollowsMouse) {
            pass.PrintFrame(info.GetPrintFrameCentre(FrameReference(document), last, document));
        } else if (state.CommandSubMode == 2) {
            const TZhdZoomF area = document.GetHeadPtr().GetPrinterArea();
            pass.PrintFrame(TBPoint(area.GetX(), area.GetY()));
            state.CommandSubMode = 1;
        }
    } else if (state.DragState != 0) {
        if (GetDragLength(cursor.x(), cursor.y(), press.x(), press.y()) >= GestureThreshold
            && GetGestureDirection(cursor.x(), cursor.y(), GestureSectors, GestureBand, press.x(), press.y()) == 3)
            pass.RubberBand(press, cursor);
    }
}

void TMouseGestures::DrawMoveOverlays(int x, int y)
{
    TMainState& state = host_.State();
    TZhdData& document = *host_.Document();
    TInfoREG& info = document.GetInfoRegPtr();
    const TBPoint here = info.ScreenToWorld(TBPoint(x, y));
    const QPoint press = state.PressPoint;
    if (button_bits_ == 0) {
        if (state.CommandMode == FrameMode && state.CommandSubMode == FrameFollowsMouse)
            TOverlayPass(*host_.Controls().PaintBox1, document)
                .PrintFrame(info.GetPrintFrameCentre(FrameReference(document), here, document));
    } else if (state.DragState != 0) {
        tip_box_.ShowTip(GestureTipText(x, y, press.x(), press.y(), document.GetHeadPtr().GetRangeMemoryView()),
                         press.x(), press.y(), false);
        if (GetDragLength(x, y, press.x(), press.y()) >= GestureThreshold
            && GetGestureDirection(x, y, GestureSectors, GestureBand, press.x(), press.y()) == 3)
            TOverlayPass(*host_.Controls().PaintBox1, document).RubberBand(press, QPoint(x, y));
    } else {
        TrackClockMenu(x, y);
    }
    TOverlayPass(*host_.Controls().PaintBox1, document).CrossHair(here);
}

// Out beyond the radius the menu opens (or stays open); each return into
// the inner circle flips the face once and points at no command.
void TMouseGestures::TrackClockMenu(int x, int y)
{
    const QPoint press = host_.State().PressPoint;
    int position = GetClockPosition(x, y, ClockPositions, press.x(), press.y());
    if (GetDragLength(x, y, press.x(), press.y()) > TClockMenu::ClockRadius) {
        clock_menu_state_ = 1;
        clock_menu_button_ = button_bits_ == 1 ? 0 : 1;
    } else if (clock_menu_state_ != 0) {
        position = -1;
        if (clock_menu_state_ == 1)
            clock_face_ ^= 1;
        clock_menu_state_ = 2;
    }
    if (clock_menu_state_ != 0)
        clock_menu_.DrawClockMenu(1, position, clock_menu_button_, clock_face_, press.x(), press.y());
}

void TMouseGestures::ShowMousePosition(int x, int y)
{
    const TBPoint here = host_.Document()->GetInfoRegPtr().ScreenToWorld(TBPoint(x, y));
    const double factor = status_buttons_.UnitFactor();
    host_.Controls().Label4->setText(QString::fromStdString(StringPrintf(
        "X: %.6f , Y: %.6f [Pixel X: %d , Y: %d]", here.GetX() * factor, here.GetY() * factor, x, y)));
}

// --- Release ---

void TMouseGestures::PaintBox1MouseUp(TReleasedButton button, int x, int y)
{
    WriteDebugLog("<PaintBox1MouseUp>");
    TMainState& state = host_.State();
    TMouseRelease release;
    release.button = button;
    release.action = QPoint(x, y);
    release.drawing_serial = state.DrawingSerial;
    if (const TZhdData* document = host_.Document())
        release.printer_area = document->GetHeadPtr().GetPrinterArea();
    const int bits_before = button_bits_;
    switch (button) {
    case TReleasedButton::Left:
        hook_press_flag_ = 0;
        button_bits_ &= 2;
        break;
    case TReleasedButton::Right:
        button_bits_ &= 1;
        break;
    case TReleasedButton::Middle:
        button_bits_ = 0;
        break;
    }
    if (state.DragState != 0) {
        // The gesture ends with its last button.
        if (button_bits_ == 0)
            EndTwoButtonGesture(x, y);
    } else if (bits_before != 0) {
        ReleaseOneButton(release);
        if (state.DrawingSerial != release.drawing_serial) {
            WriteDebugLog("<PaintBox1MouseUp> abandoned: another drawing was opened");
            return;
        }
    }
    CountDoubleClicks();
}

void TMouseGestures::EndTwoButtonGesture(int x, int y)
{
    TMainState& state = host_.State();
    state.DragState = 0;
    TZhdData* document = host_.Document();
    if (!document)
        return;
    const TGestureEnd end = EndGesture(*document, state.PressPoint, QPoint(x, y), state.CursorPoint);
    if (end.cursor) {
        state.CursorPoint = *end.cursor;
        host_.Controls().PaintBox1->MoveCursorTo(*end.cursor);
    }
    tip_box_.ShowTip(std::string(), 0, 0, false);
    view_.CanvasDraw(*document, "MouseUp()");
    host_.Controls().Panel1->setText(SjisText(document->GetInfoRegPtr().GetStatusText()));
    status_buttons_.UpdateStatusButtons(6);
}

// A release that leaves no two-button gesture: the clock menu's command,
// the second click of a two-click command, or a click of the command mode.
void TMouseGestures::ReleaseOneButton(TMouseRelease& release)
{
    if (clock_menu_state_ != 0 && button_bits_ == 0)
        ReleaseClockMenu(release);
    else if (TMeasuringCommands::IsTwoClickCommand(clock_menu_.CurrentClockCommand()))
        measuring_.CompleteTwoClick(release);
    if (release.clock_menu_closed)
        clock_menu_state_ = 0;
    if (release.mode_click && clock_menu_state_ == 0)
        mode_clicks_.Click(release);
    clock_menu_state_ = 0;
}

void TMouseGestures::ReleaseClockMenu(TMouseRelease& release)
{
    release.mode_click = false;
    measuring_.RunClockCommand(clock_menu_.CurrentClockCommand(), release);
    clock_menu_.DrawClockMenu(0, 0, 0, 0, 0, 0);
    if (release.follow_up != 0)
        clock_menu_.SetCurrentClockCommand(release.follow_up);
    if (!release.tip_text.empty())
        tip_box_.ShowTip(release.tip_text, release.action.x(), release.action.y(), true);
}

void TMouseGestures::CountDoubleClicks()
{
    if (single_click_ != 0)
        WriteDebugLog("SglClk");
    if (left_double_click_ != 0) {
        WriteDebugLog("LDblClk");
        left_double_click_ = 0;
    }
    if (right_double_click_ != 0) {
        WriteDebugLog("RDblClk");
        right_double_click_ = 0;
    }
}
