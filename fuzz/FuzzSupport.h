#pragma once

// What the fuzz targets share: their checks and a fixed screen.

#include "platform/ScreenMetrics.h"

#include <cstdlib>

// A broken promise of the code under test: abort, so that libFuzzer keeps
// the input.
inline void Require(bool condition)
{
    if (!condition)
        std::abort();
}

// The screen the drawing targets measure pixels on, whatever machine runs
// them.
inline void UseFuzzScreen()
{
    SetScreenMetricsProvider([] { return TScreenMetrics { 1280, 1024, 96.0 }; });
}
