#include "platform/MessagePump.h"

#include <chrono>
#include <utility>

namespace {

constexpr auto pump_interval = std::chrono::milliseconds(20);

struct Pump {
    std::function<void()> hook;
    std::chrono::steady_clock::time_point last_run {};
    bool has_run = false;
};

Pump& ThePump()
{
    static Pump pump;
    return pump;
}

} // namespace

void SetMessagePumpHook(std::function<void()> hook)
{
    Pump& pump = ThePump();
    pump.hook = std::move(hook);
    pump.has_run = false;
}

void ProcessPendingMessages()
{
    Pump& pump = ThePump();
    if (!pump.hook)
        return;
    const auto now = std::chrono::steady_clock::now();
    if (pump.has_run && now - pump.last_run < pump_interval)
        return;
    pump.has_run = true;
    pump.last_run = now;
    // The hook may run drawing code that draws again; it sees the time set.
    pump.hook();
}
