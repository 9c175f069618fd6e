#pragma once

// Drawing tests run on a fixed screen: 1280 pixels wide, so one output pixel
// is 304 / 1280 = 0.2375 mm, whatever machine runs them.

#include "platform/ScreenMetrics.h"

inline constexpr int TestScreenWidth = 1280;
inline constexpr int TestScreenHeight = 1024;

inline void UseTestScreen()
{
    SetScreenMetricsProvider([] { return TScreenMetrics { TestScreenWidth, TestScreenHeight, 96.0 }; });
}
