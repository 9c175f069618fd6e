#pragma once

#include <cstdint>

// Milliseconds of a steady clock as an unsigned 32-bit count that wraps about
// every 49.7 days; differences taken in unsigned arithmetic stay right across
// a wrap.
std::uint32_t GetTickCount();

#include <chrono>

// Seconds from `start` until now on the steady clock, for timing log lines
// and benchmarks.
inline double SecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}
