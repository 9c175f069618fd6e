#pragma once

#include <cstdint>

// Milliseconds of a steady clock as an unsigned 32-bit count that wraps about
// every 49.7 days; differences taken in unsigned arithmetic stay right across
// a wrap.
std::uint32_t GetTickCount();
