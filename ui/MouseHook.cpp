// The application-wide hook on the main window's mouse events, and the wait
// for a double click that runs the events meanwhile.

#include "ui/MouseGestures.h"

#include "core/DebugLog.h"
#include "ui/MainControls.h"
#include "ui/MouseRelease.h"
#include "ui/PaintBox.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMouseEvent>
#include <QStyleHints>
#include <QTimer>
#include <QWheelEvent>

#include <string>

namespace {

// The button and modifier bits the log lines carry: 1 left, 2 right, 4 Shift,
// 8 Ctrl, 16 middle, as the buttons are after the event.
int LoggedButtonBits(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers)
{
    int bits = 0;
    if (buttons & Qt::LeftButton)
        bits |= 1;
    if (buttons & Qt::RightButton)
        bits |= 2;
    if (modifiers & Qt::ShiftModifier)
        bits |= 4;
    if (modifiers & Qt::ControlModifier)
        bits |= 8;
    if (buttons & Qt::MiddleButton)
        bits |= 16;
    return bits;
}

// The position packed as the log lines carry it: y in the high 16 bits.
long long PackedPosition(QPoint point)
{
    return static_cast<long long>(point.y()) * 65536 + point.x();
}

std::string LogLine(const char* name, int bits, QPoint position)
{
    return std::string(name) + ":" + std::to_string(bits) + "," + std::to_string(PackedPosition(position));
}

// The main window and its docked controls; not its dialogs or the windows
// of their own.
bool InMainWindow(const QWidget* widget, const QMainWindow& window)
{
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        if (w == &window)
            return true;
        if (qobject_cast<const QDialog*>(w) || w->isWindow())
            return false;
    }
    return false;
}

// The nested wait for a double click, ended early by the hook.
QEventLoop* double_click_wait = nullptr;

} // namespace

bool TMouseGestures::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    const bool mouse = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease
                       || type == QEvent::MouseButtonDblClick || type == QEvent::Wheel;
    if (!mouse || !event->spontaneous() || !watched->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    const bool in_candidate_box = candidate_box_.contains && candidate_box_.contains(widget);
    if (!in_candidate_box && !InMainWindow(widget, host_.Window()))
        return false;
    // The box shows without taking the focus; a press in it makes it
    // active first, as the window system does before it delivers the press.
    if (in_candidate_box && (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick)
        && candidate_box_.activate && !(candidate_box_.list_has_focus && candidate_box_.list_has_focus()))
        candidate_box_.activate();
    // Qt hands an event a widget leaves unaccepted on to its parents, but
    // only the first delivery is spontaneous: the hook sees each event once.
    if (type == QEvent::Wheel) {
        host_.ShowStatusLine("WM_MOUSEWHEEL", "OnMessage()");
        const auto& wheel = static_cast<const QWheelEvent&>(*event);
        WriteDebugLog(LogLine("MOUSEWHEEL", LoggedButtonBits(wheel.buttons(), wheel.modifiers()), wheel.position().toPoint()));
        return false;
    }
    auto& mouse_event = static_cast<QMouseEvent&>(*event);
    switch (type) {
    case QEvent::MouseButtonPress:
        return HookPress(mouse_event);
    case QEvent::MouseButtonDblClick:
        return HookDoubleClick(mouse_event);
    default:
        return HookRelease(mouse_event);
    }
}

void TMouseGestures::LogHooked(const char* name, const QMouseEvent& event)
{
    host_.ShowStatusLine(std::string("WM_") + name, "OnMessage()");
    WriteDebugLog(LogLine(name, LoggedButtonBits(event.buttons(), event.modifiers()), event.position().toPoint()));
}

bool TMouseGestures::SearchHasFocus() const
{
    const TMainControls& c = host_.Controls();
    const QWidget* focus = QApplication::focusWidget();
    const bool search_focused = focus && (focus == c.ebSearchWord || focus == c.cbSearchWord
                                          || c.cbSearchWord->isAncestorOf(focus));
    return search_focused || (candidate_box_.visible && candidate_box_.visible());
}

void TMouseGestures::CloseCandidateBox()
{
    if (candidate_box_.close && !(candidate_box_.list_has_focus && candidate_box_.list_has_focus()))
        candidate_box_.close();
}

bool TMouseGestures::HookPress(QMouseEvent& event)
{
    TMainState& state = host_.State();
    if (event.button() == Qt::RightButton) {
        LogHooked("RBUTTONDOWN", event);
        CloseCandidateBox();
        if (!SearchHasFocus())
            state.SearchFocusFlag = false;
        return false;
    }
    if (event.button() != Qt::LeftButton)
        return false;
    LogHooked("LBUTTONDOWN", event);
    CloseCandidateBox();
    const QWidget* focus = QApplication::focusWidget();
    host_.Controls().Label4->setText(focus ? focus->objectName() : QString());
    if (SearchHasFocus())
        return false;
    bool taken = false;
    if (state.SearchFocusFlag && state.MouseOverDrawing) {
        // The first press on the drawing after the search word had the
        // focus: the drawing takes it as the end of a click and the start
        // of a left drag that the next move counts.
        const QPoint point = host_.Controls().PaintBox1->mapFromGlobal(event.globalPosition().toPoint());
        host_.ShowStatusLine("LBUTTONDOWN:" + std::to_string(point.x()) + "," + std::to_string(point.y()),
                             "OnMessage()");
        taken = true;
        PaintBox1MouseUp(TReleasedButton::Left, point.x(), point.y());
        hook_press_flag_ = 1;
        state.PressPoint = point;
    }
    state.SearchFocusFlag = false;
    return taken;
}

bool TMouseGestures::HookDoubleClick(QMouseEvent& event)
{
    const bool left = event.button() == Qt::LeftButton;
    if (!left && event.button() != Qt::RightButton)
        return false;
    LogHooked(left ? "LBUTTONDBLCLK" : "RBUTTONDBLCLK", event);
    CloseCandidateBox();
    if (left && candidate_box_.list_has_focus && candidate_box_.list_has_focus() && candidate_box_.pick)
        candidate_box_.pick();
    // While suppressed the double click goes on as a press (a widget's
    // double click is its press unless it says otherwise).
    if (host_.State().DoubleClickSuppression != 0)
        return false;
    (left ? left_double_click_ : right_double_click_) = 1;
    ++double_clicks_flagged_;
    if (double_click_wait)
        double_click_wait->quit();
    return true;
}

bool TMouseGestures::HookRelease(QMouseEvent& event)
{
    const bool left = event.button() == Qt::LeftButton;
    if (!left && event.button() != Qt::RightButton)
        return false;
    host_.ShowStatusLine(left ? "WM_LBUTTONUP" : "WM_RBUTTONUP", "OnMessage()");
    if (SearchHasFocus())
        host_.State().SearchFocusFlag = true;
    int& flag = left ? left_double_click_ : right_double_click_;
    if (flag == 0)
        return false;
    flag = 0;
    return true;
}

int TMouseGestures::WaitDoubleClick(double factor)
{
    if (left_double_click_ != 0 || right_double_click_ != 0)
        return 1;
    // The release after the double click may clear its flag in the same
    // round of events: what counts is that one arrived.
    const unsigned flagged_before = double_clicks_flagged_;
    const int limit = static_cast<int>(factor * QGuiApplication::styleHints()->mouseDoubleClickInterval());
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    // A coarse timer may fire a little early; the wait is a bound.
    deadline.setTimerType(Qt::PreciseTimer);
    QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    deadline.start(std::max(limit, 0));
    QEventLoop* const outer = double_click_wait;
    double_click_wait = &loop;
    loop.exec();
    double_click_wait = outer;
    return double_clicks_flagged_ != flagged_before ? 1 : 0;
}
