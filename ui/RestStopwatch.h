#pragma once

// TRestStopwatch: how long the mouse has rested over the drawing. Every
// move of the mouse and every wheel step starts it again; the attribute
// display waits on it before it shows the element under the mouse. The time
// source is the steady clock unless a test gives its own.

#include <chrono>
#include <functional>
#include <utility>

class TRestStopwatch {
public:
    // Seconds on a clock that only goes forward.
    using TTimeSource = std::function<double()>;

    explicit TRestStopwatch(TTimeSource now = SteadySeconds)
        : now_(std::move(now))
        , start_(now_())
    {
    }

    void Restart() { start_ = now_(); }
    // Seconds since the last restart (or the construction).
    double Elapsed() const { return now_() - start_; }

private:
    static double SteadySeconds()
    {
        return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
    }

    TTimeSource now_;
    double start_;
};
