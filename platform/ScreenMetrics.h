#pragma once

// The screen's size in pixels and its resolution, asked once from one
// provider and then kept: the view turns millimetres into pixels with them,
// so every drawing of a run must see the same values. Tests fix them with
// their own provider; the viewer's default asks the windowing system.

#include <functional>

struct TScreenMetrics {
    int width_pixels = 1920;
    int height_pixels = 1080;
    double pixels_per_inch = 96.0;
};

const TScreenMetrics& ScreenMetrics();

// Replaces the provider and forgets the kept values. An empty provider
// restores the default one.
void SetScreenMetricsProvider(std::function<TScreenMetrics()> provider);
