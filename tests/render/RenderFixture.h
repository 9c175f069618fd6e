#pragma once

// Drawing tests run on a fixed screen: 1280 pixels wide, so one output pixel
// is 304 / 1280 = 0.2375 mm, whatever machine runs them.

#include "platform/ScreenMetrics.h"
#include "render/InfoReg.h"

inline constexpr int TestScreenWidth = 1280;
inline constexpr int TestScreenHeight = 1024;

inline void UseTestScreen()
{
    SetScreenMetricsProvider([] { return TScreenMetrics { TestScreenWidth, TestScreenHeight, 96.0 }; });
}

// An output area of `width` x `height` pixels whose view maps the drawing
// point (x, y) to the pixel (width / 2 + x, height / 2 - y): one pixel is
// one millimetre on the test screen.
inline void ShowOneMillimetrePerPixel(TInfoREG& info, int width, int height)
{
    UseTestScreen();
    info.SetPixelWidth(width);
    info.SetPixelHeight(height);
    TZhdZoom view(info.GetMMPerPixelX());
    view.SetXY(width / 2, height / 2);
    info.SetView(view);
}
