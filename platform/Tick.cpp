#include "platform/Tick.h"

#include <chrono>

std::uint32_t GetTickCount()
{
    const auto since_epoch = std::chrono::steady_clock::now().time_since_epoch();
    const auto milliseconds = std::chrono::duration_cast<std::chrono::milliseconds>(since_epoch).count();
    return static_cast<std::uint32_t>(milliseconds);
}
