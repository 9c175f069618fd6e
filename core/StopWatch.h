#pragma once

// TStopWatch: elapsed seconds on the millisecond tick counter, for timing
// lines in the debug log. It starts running when constructed. Differences are
// taken in unsigned 32-bit arithmetic, so a wrap of the counter between two
// readings still gives the right time.

#include "platform/Tick.h"

#include <cstdint>

class TStopWatch {
public:
    using TickSource = std::uint32_t (*)();

    // Tests pass their own tick source; the program uses the system's.
    explicit TStopWatch(TickSource ticks = GetTickCount);

    std::uint32_t GetStartTick() const { return start_tick_; }
    // Seconds since the start tick.
    double Elapsed() const;
    // Seconds since the last lap (or the start); begins a new lap.
    double Lap();
    // Seconds since the start tick; then starts again from now.
    double Restart();

private:
    std::uint32_t Now() const;

    TickSource ticks_;
    std::uint32_t start_tick_;
    std::uint32_t lap_tick_;
};
