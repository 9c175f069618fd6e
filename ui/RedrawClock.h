#pragma once

// TRedrawClock: the time the view's redraw gate goes by. It tells the
// millisecond tick and calls back once when a put-off redraw is due. The
// program's clock is the steady clock with a Qt timer; a test puts in one
// whose time it moves itself, so that no test waits on the real clock.

#include <cstdint>
#include <functional>
#include <memory>

class TRedrawClock {
public:
    virtual ~TRedrawClock() = default;

    // Milliseconds as an unsigned count that wraps (see GetTickCount).
    virtual std::uint32_t Now() const = 0;
    // Calls `due` once, `milliseconds` from now, instead of a call still
    // pending.
    virtual void CallAfter(int milliseconds, std::function<void()> due) = 0;
    // Drops the pending call, if any.
    virtual void Cancel() = 0;
};

// The steady clock, calling back from the event loop.
std::unique_ptr<TRedrawClock> MakeSteadyRedrawClock();
