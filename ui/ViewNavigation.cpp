// The wheel and the navigation keys of the drawing view.

#include "ui/ViewNavigation.h"

#include "controls/HistoryComboBox.h"
#include "controls/NumberEdit.h"
#include "controls/Toolbar97.h"
#include "core/Constants.h"
#include "core/DebugLog.h"
#include "document/ZhdData.h"
#include "platform/ui/QtText.h"
#include "ui/MainControls.h"
#include "ui/StatusButtons.h"
#include "ui/ViewChange.h"
#include "ui/ViewRedraw.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QTreeWidget>

namespace {

// One notch of a wheel, in eighths of a degree.
constexpr int wheel_notch = 120;
// A pan moves the view by this share of its width or height.
constexpr double pan_share = 0.25;

TBPoint PixelOf(const QPoint& point)
{
    return TBPoint(point.x(), point.y());
}

// The view's centre moved `distance` drawing millimetres in the direction.
TZhdZoom Panned(TZhdZoom view, double distance, double radians)
{
    TBPoint centre;
    view.PolarOffset(distance, TAngle(radians), centre);
    view.SetXY(centre.GetX(), centre.GetY());
    return view;
}

} // namespace

TViewNavigation::TViewNavigation(TMainWindowHost& host, TViewRedraw& view, TStatusButtons& status_buttons)
    : TMainFeature(host)
    , view_(view)
    , status_buttons_(status_buttons)
{
}

bool TViewNavigation::HasFocus(const QWidget* control)
{
    const QWidget* focus = QApplication::focusWidget();
    return focus != nullptr && (focus == control || control->isAncestorOf(focus));
}

bool TViewNavigation::Wheel(int angle_delta)
{
    if (HasFocus(host_.Controls().ListView1))
        return false;
    wheel_remainder_ += angle_delta;
    bool handled = true;
    while (handled && wheel_remainder_ <= -wheel_notch) {
        wheel_remainder_ += wheel_notch;
        FormMouseWheelDown(handled);
    }
    while (handled && wheel_remainder_ >= wheel_notch) {
        wheel_remainder_ -= wheel_notch;
        FormMouseWheelUp(handled);
    }
    return true;
}

void TViewNavigation::FormMouseWheelDown(bool& handled)
{
    WheelStep("<FormMouseWheelDown>", "MouseWheelDown()", ZoomStep, handled);
}

void TViewNavigation::FormMouseWheelUp(bool& handled)
{
    WheelStep("<FormMouseWheelUp>", "MouseWheelUp()", 1 / ZoomStep, handled);
}

void TViewNavigation::WheelStep(const char* handler, const char* label, double factor, bool& handled)
{
    TZhdData* document = host_.Document();
    if (!document || HasFocus(host_.Controls().ListView1))
        return;
    WriteDebugLog(handler);
    host_.State().RestStopwatch.Restart();
    TInfoREG& info = document->GetInfoRegPtr();
    InstallView(info, ZoomedAbout(info, PixelOf(host_.State().CursorPoint), factor));
    view_.CanvasDrawAfterBurst(label);
    RefreshStatus();
    handled = true;
}

bool TViewNavigation::FormKeyDown(int key)
{
    TMainControls& c = host_.Controls();
    TZhdData* document = host_.Document();
    // The menu bar worked from the keyboard (after Alt) keeps its keys, as
    // the system's menus do.
    const bool in_menu_bar = qobject_cast<const QMenuBar*>(QApplication::focusWidget()) != nullptr;
    if (!document || in_menu_bar || HasFocus(c.ListView1) || HasFocus(c.ebSearchWord))
        return false;
    TZhdZoom view = document->GetInfoRegPtr().GetView();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        // Enter leaves the number edits and the print angle for the
        // sub-command bar; leaving them is what takes their value.
        const bool value_entered = HasFocus(c.neTrace) || HasFocus(c.nePrtPitch) || HasFocus(c.hcbPrintAngle);
        if (value_entered)
            c.ToolbarSubCommand->setFocus();
        ShowKeyView(view);
        return value_entered;
    }
    if (!ViewOfKey(key, view))
        return false;
    ShowKeyView(view);
    return true;
}

bool TViewNavigation::ViewOfKey(int key, TZhdZoom& view)
{
    TZhdData& document = *host_.Document();
    const TInfoREG& info = document.GetInfoRegPtr();
    const double axis = document.GetInfoAngle().GetRadians();
    // A quarter of the view's width or height, in drawing millimetres.
    const auto across = [&] { return info.GetMMPerPixelX() * (info.GetPixelWidth() * pan_share) / view.GetScale(); };
    const auto along = [&] { return info.GetMMPerPixelY() * (info.GetPixelHeight() * pan_share) / view.GetScale(); };
    switch (key) {
    case Qt::Key_Home:
        view = ViewFromHeader(info, document.GetHead().GetRangeMemoryView());
        document.GetElemListPtr().ClearAllFlags();
        return true;
    case Qt::Key_End:
        view = info.GetPrevView();
        return true;
    case Qt::Key_Right:
        view = Panned(view, across(), axis);
        return true;
    case Qt::Key_Left:
        view = Panned(view, -across(), axis);
        return true;
    case Qt::Key_Up:
        view = Panned(view, along(), axis + Pi / 2);
        return true;
    case Qt::Key_Down:
        view = Panned(view, -along(), axis + Pi / 2);
        return true;
    case Qt::Key_PageUp:
        view.SetScale(view.GetScale() * ZoomStep);
        return true;
    case Qt::Key_PageDown:
        view.SetScale(view.GetScale() / ZoomStep);
        return true;
    default:
        return false;
    }
}

void TViewNavigation::ShowKeyView(const TZhdZoom& view)
{
    TZhdData& document = *host_.Document();
    TInfoREG& info = document.GetInfoRegPtr();
    InstallView(info, view);
    info.SetBairitsu(0, 0, document);
    info.SetMouseScreen(PixelOf(host_.State().CursorPoint));
    host_.Redraw("KeyDown()");
    RefreshStatus();
}

void TViewNavigation::RefreshStatus()
{
    host_.Controls().Panel1->setText(SjisText(host_.Document()->GetInfoRegPtr().GetStatusText()));
    status_buttons_.UpdateStatusButtons(6);
}
