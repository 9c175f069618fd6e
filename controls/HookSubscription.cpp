#include "controls/HookSubscription.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

namespace {

constexpr std::size_t FamilyCount = 3;

constexpr std::size_t Index(HookFamily family)
{
    return static_cast<std::size_t>(family);
}

struct Subscriber {
    THookProc proc;
    int count;
    THookProcCodes codes; // those of the first subscription
};

// The codes each family's filter serves.
constexpr std::array<THookProcCodes, FamilyCount> FamilyCodes = {
    static_cast<THookProcCodes>(HookProcBit(hpSendActivateApp) | HookProcBit(hpSendWindowPosChanged)),
    HookProcBit(hpPreDestroy),
    HookProcBit(hpPostMouseMove),
};

struct HookState {
    std::vector<Subscriber> subscribers;
    std::array<int, FamilyCount> use_counts{};
    // Created on first need as children of the application object, so they
    // go with it; installed on it only while installed[] says so.
    std::array<QPointer<QObject>, FamilyCount> filters;
    std::array<bool, FamilyCount> installed{};
};

HookState& State()
{
    static HookState state;
    return state;
}

Subscriber* FindSubscriber(THookProc proc)
{
    auto& subscribers = State().subscribers;
    const auto found = std::find_if(subscribers.begin(), subscribers.end(),
                                    [proc](const Subscriber& subscriber) { return subscriber.proc == proc; });
    return found == subscribers.end() ? nullptr : &*found;
}

void Dispatch(THookProcCode code, QWidget* wnd, std::int32_t wparam, std::int32_t lparam)
{
    auto& subscribers = State().subscribers;
    if (subscribers.empty())
        return;
    // As many subscribers as there were when the event arrived, in their
    // order; the live entry decides whether each is still to be called.
    std::vector<THookProc> procs;
    procs.reserve(subscribers.size());
    for (const Subscriber& subscriber : subscribers)
        procs.push_back(subscriber.proc);
    for (THookProc proc : procs) {
        const Subscriber* live = FindSubscriber(proc);
        if (live == nullptr || (live->codes & HookProcBit(code)) == 0)
            continue;
        try {
            proc(code, wnd, wparam, lparam);
        } catch (...) {
            // A failing subscriber must not keep the event from the others
            // nor from its receiver.
        }
    }
}

// Application activation and top-level window geometry and visibility.
class ActivateAndWindowPosFilter final : public QObject {
public:
    using QObject::QObject;

    void Reset()
    {
        application_active_ = QGuiApplication::applicationState() == Qt::ApplicationActive;
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::ApplicationStateChange:
            ApplicationStateChanged(static_cast<QApplicationStateChangeEvent*>(event)->applicationState());
            break;
        case QEvent::Show:
            WindowPosChanged(watched, SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE);
            break;
        case QEvent::Hide:
            WindowPosChanged(watched, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE);
            break;
        case QEvent::Move:
            WindowPosChanged(watched, SWP_NOSIZE);
            break;
        case QEvent::Resize:
            WindowPosChanged(watched, SWP_NOMOVE);
            break;
        case QEvent::WindowStateChange:
            WindowPosChanged(watched, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE);
            break;
        default:
            break;
        }
        return false;
    }

private:
    // The state change reaches the application object through its
    // application filters and again through its object filters (the same
    // list), and moves between inactive, hidden and suspended are no change
    // of the activation: only a change of "active" is passed on.
    void ApplicationStateChanged(Qt::ApplicationState state)
    {
        const bool active = state == Qt::ApplicationActive;
        if (active == application_active_)
            return;
        application_active_ = active;
        Dispatch(hpSendActivateApp, QApplication::activeWindow(), active ? 1 : 0, 0);
    }

    static void WindowPosChanged(QObject* watched, std::int32_t flags)
    {
        if (!watched->isWidgetType())
            return;
        auto* widget = static_cast<QWidget*>(watched);
        if (widget->isWindow())
            Dispatch(hpSendWindowPosChanged, widget, flags, 0);
    }

    bool application_active_ = false;
};

// Widgets on their way out through deleteLater(): the deferred-delete event
// arrives while the widget and its children are still whole, and the widget
// is deleted as soon as the event reaches it.
class DestroyFilter final : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::DeferredDelete && watched->isWidgetType()) {
            announced_ = watched;
            Dispatch(hpPreDestroy, static_cast<QWidget*>(watched), 0, 0);
        }
        return false;
    }

    // Whether widget was announced on its way through deleteLater(); the
    // guarded pointer lets go when the object is finally gone.
    bool WasAnnounced(const QWidget* widget) const
    {
        return announced_ != nullptr && announced_ == widget;
    }

private:
    QPointer<QObject> announced_;
};

// Mouse moves delivered to any widget, once per move: a move that a widget
// ignores is passed on to its parent as a copy with the same global
// position, and that copy is no new move.
class MouseMoveFilter final : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::MouseMove || !watched->isWidgetType())
            return false;
        auto* widget = static_cast<QWidget*>(watched);
        const auto* move = static_cast<QMouseEvent*>(event);
        const QPointF global = move->globalPosition();
        if (last_widget_ != nullptr && last_widget_ != widget && widget->isAncestorOf(last_widget_)
            && global == last_global_)
            return false;
        last_widget_ = widget;
        last_global_ = global;
        Dispatch(hpPostMouseMove, widget, static_cast<std::int32_t>(move->buttons().toInt()),
                 PackHookPoint(move->position().toPoint()));
        return false;
    }

private:
    QPointer<QWidget> last_widget_;
    QPointF last_global_;
};

void InstallFilter(std::size_t family)
{
    auto& state = State();
    auto* application = QCoreApplication::instance();
    if (application == nullptr)
        return;
    auto& filter = state.filters[family];
    if (filter == nullptr) {
        // A filter that went with an earlier application object is no
        // longer installed anywhere.
        state.installed[family] = false;
        switch (family) {
        case Index(HookFamily::ActivateAndWindowPos):
            filter = new ActivateAndWindowPosFilter(application);
            break;
        case Index(HookFamily::Destroy):
            filter = new DestroyFilter(application);
            break;
        default:
            filter = new MouseMoveFilter(application);
            break;
        }
    }
    if (state.installed[family])
        return;
    if (family == Index(HookFamily::ActivateAndWindowPos))
        static_cast<ActivateAndWindowPosFilter*>(filter.data())->Reset();
    application->installEventFilter(filter);
    state.installed[family] = true;
}

void RemoveFilter(std::size_t family)
{
    auto& state = State();
    // The filter object stays for the next installation: it may be the one
    // whose call led here.
    if (state.installed[family] && state.filters[family] != nullptr && QCoreApplication::instance() != nullptr)
        QCoreApplication::instance()->removeEventFilter(state.filters[family]);
    state.installed[family] = false;
}

bool FilterInstalled(std::size_t family)
{
    const auto& state = State();
    return state.installed[family] && state.filters[family] != nullptr;
}

} // namespace

std::int32_t PackHookPoint(QPoint point)
{
    const auto x = static_cast<std::uint16_t>(point.x());
    const auto y = static_cast<std::uint16_t>(point.y());
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(x) | (static_cast<std::uint32_t>(y) << 16));
}

QPoint UnpackHookPoint(std::int32_t value)
{
    const auto bits = static_cast<std::uint32_t>(value);
    return {static_cast<std::int16_t>(bits & 0xFFFFu), static_cast<std::int16_t>(bits >> 16)};
}

void InstallHookProc(THookProc proc, THookProcCodes codes, bool only_increment_count)
{
    auto& state = State();
    if (Subscriber* existing = FindSubscriber(proc))
        ++existing->count;
    else
        state.subscribers.push_back({proc, 1, codes});
    if (only_increment_count)
        return;
    for (std::size_t family = 0; family < FamilyCount; ++family) {
        if ((codes & FamilyCodes[family]) == 0)
            continue;
        ++state.use_counts[family];
        InstallFilter(family);
    }
}

void UninstallHookProc(THookProc proc)
{
    auto& state = State();
    Subscriber* entry = FindSubscriber(proc);
    if (entry == nullptr)
        return;
    const THookProcCodes codes = entry->codes;
    if (--entry->count == 0)
        state.subscribers.erase(state.subscribers.begin() + (entry - state.subscribers.data()));
    for (std::size_t family = 0; family < FamilyCount; ++family) {
        if ((codes & FamilyCodes[family]) == 0)
            continue;
        if (state.use_counts[family] > 0)
            --state.use_counts[family];
        if (state.use_counts[family] == 0)
            RemoveFilter(family);
    }
}

void NotifyPreDestroy(QWidget* widget)
{
    const std::size_t family = Index(HookFamily::Destroy);
    if (widget == nullptr || !FilterInstalled(family))
        return;
    if (static_cast<const DestroyFilter*>(State().filters[family].data())->WasAnnounced(widget))
        return;
    Dispatch(hpPreDestroy, widget, 0, 0);
}

bool ApplicationIsActive()
{
    // Not the active window: Qt announces the activation before it sets
    // the active window, and the deactivation before it clears it, so the
    // subscribers of hpSendActivateApp would read the state before the
    // change and a floating window that waits for the activation to show
    // would never show.
    return QGuiApplication::applicationState() == Qt::ApplicationActive;
}

void RemoveAllHookSubscriptions()
{
    auto& state = State();
    for (std::size_t family = 0; family < FamilyCount; ++family) {
        RemoveFilter(family);
        state.use_counts[family] = 0;
    }
    state.subscribers.clear();
}

int HookUseCount(HookFamily family)
{
    return State().use_counts[Index(family)];
}

bool IsHookFilterInstalled(HookFamily family)
{
    return FilterInstalled(Index(family));
}

std::size_t HookSubscriberCount()
{
    return State().subscribers.size();
}

int HookSubscriptionCount(THookProc proc)
{
    const Subscriber* entry = FindSubscriber(proc);
    return entry == nullptr ? 0 : entry->count;
}

THookProcCodes HookSubscriptionCodes(THookProc proc)
{
    const Subscriber* entry = FindSubscriber(proc);
    return entry == nullptr ? THookProcCodes{0} : entry->codes;
}
