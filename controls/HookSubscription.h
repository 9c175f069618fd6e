#pragma once

// One shared set of application-wide watchers for the toolbar library.
//
// Docks, tool windows and buttons need to hear of a few things that happen
// to other windows: the application gaining or losing the activation, a
// top-level window being shown, hidden, moved or resized, a widget about to
// be destroyed, and the mouse moving anywhere. Instead of each component
// installing its own event filter, components subscribe a procedure for the
// events they need. Each event family has one application-level event
// filter, installed on the application object while at least one
// subscription counts on it and removed when the last one goes.
//
// Counting, kept exactly as the components rely on it:
// - one entry per procedure, with a reference count; subscribing a
//   procedure again only raises its count and keeps the codes of its first
//   subscription;
// - every subscription (unless it only increments the count) raises the use
//   count of the families its own codes need; every unsubscription lowers
//   the use counts of the families the entry's codes need, never below 0;
//   a family's filter goes when its count reaches 0.
//
// Delivery: subscribers whose entry holds the code are called in the order
// they subscribed, one call per entry, synchronously on the GUI thread. The
// walk goes over a copy of the list taken when the event arrived, so a
// subscriber may subscribe or unsubscribe; a procedure unsubscribed during
// the walk is not called any more. An exception thrown by a subscriber is
// swallowed and the others still run; the event always goes on to its
// receiver.

#include <QPoint>

#include <cstddef>
#include <cstdint>

class QWidget;

enum THookProcCode { hpSendActivateApp, hpSendWindowPosChanged, hpPreDestroy, hpPostMouseMove };

// A set of THookProcCode, one bit each (1 << code).
using THookProcCodes = std::uint8_t;
constexpr THookProcCodes HookProcBit(THookProcCode code)
{
    return static_cast<THookProcCodes>(1u << code);
}

// What each code passes (wnd, wparam, lparam):
// - hpSendActivateApp: the application's active window or null; 1 when the
//   application becomes active, 0 when it becomes inactive; 0.
// - hpSendWindowPosChanged: the top-level widget; the SWP_ flags below
//   telling what changed; 0.
// - hpPreDestroy: the widget about to be destroyed, still whole; 0; 0.
// - hpPostMouseMove: the widget that receives the move; the buttons held
//   (Qt::MouseButtons bits); the position in that widget (PackHookPoint).
using THookProc = void (*)(THookProcCode code, QWidget* wnd, std::int32_t wparam, std::int32_t lparam);

// Flags of hpSendWindowPosChanged. A move carries SWP_NOSIZE, a resize
// SWP_NOMOVE; showing, hiding and a change of the window state (minimised,
// maximised, full screen) carry neither move nor size.
inline constexpr std::int32_t SWP_NOSIZE = 0x0001;
inline constexpr std::int32_t SWP_NOMOVE = 0x0002;
inline constexpr std::int32_t SWP_FRAMECHANGED = 0x0020;
inline constexpr std::int32_t SWP_SHOWWINDOW = 0x0040;
inline constexpr std::int32_t SWP_HIDEWINDOW = 0x0080;

// A point in one 32-bit value: x in the low 16 bits, y in the high 16 bits,
// each a signed 16-bit number.
std::int32_t PackHookPoint(QPoint point);
QPoint UnpackHookPoint(std::int32_t value);

// Subscribes proc. only_increment_count: count the subscription but install
// no filter (components pass true while they are only being designed).
void InstallHookProc(THookProc proc, THookProcCodes codes, bool only_increment_count);
// Ends one subscription of proc; nothing happens for a procedure that has
// no subscription.
void UninstallHookProc(THookProc proc);

// Destruction by deleteLater() is announced by the destroy family's filter
// itself. A widget destroyed by a plain delete cannot be seen from outside
// before its children are gone, so a class whose objects others must hear
// of calls this first thing in its destructor. Announces the widget only
// while the destroy family is installed, and only once when it was already
// announced on its way through deleteLater().
void NotifyPreDestroy(QWidget* widget);

// True while the application is active: from the announcement of its
// activation (hpSendActivateApp) to that of its deactivation.
bool ApplicationIsActive();

// Removes every filter whatever its count and forgets every subscription,
// as at shut-down. Tests use it to start from a clean state.
void RemoveAllHookSubscriptions();

// The event families, one filter each.
enum class HookFamily {
    ActivateAndWindowPos, // hpSendActivateApp, hpSendWindowPosChanged
    Destroy,              // hpPreDestroy
    MouseMove             // hpPostMouseMove
};

// For tests: the state of the counting.
int HookUseCount(HookFamily family);
bool IsHookFilterInstalled(HookFamily family);
// The number of procedures with an entry.
std::size_t HookSubscriberCount();
// The entry's reference count (0 without an entry) and first codes.
int HookSubscriptionCount(THookProc proc);
THookProcCodes HookSubscriptionCodes(THookProc proc);
