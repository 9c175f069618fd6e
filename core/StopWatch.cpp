#include "core/StopWatch.h"

namespace {

double SecondsBetween(std::uint32_t earlier, std::uint32_t later)
{
    return static_cast<double>(static_cast<std::uint32_t>(later - earlier)) * 0.001;
}

} // namespace

TStopWatch::TStopWatch(TickSource ticks)
    : ticks_(ticks)
    , start_tick_(Now())
    , lap_tick_(start_tick_)
{
}

std::uint32_t TStopWatch::Now() const
{
    return ticks_();
}

double TStopWatch::Elapsed() const
{
    return SecondsBetween(start_tick_, Now());
}

double TStopWatch::Lap()
{
    const std::uint32_t now = Now();
    const double seconds = SecondsBetween(lap_tick_, now);
    lap_tick_ = now;
    return seconds;
}

double TStopWatch::Restart()
{
    const double seconds = Elapsed();
    start_tick_ = lap_tick_ = Now();
    return seconds;
}
