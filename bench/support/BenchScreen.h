#pragma once

// The screen the drawing benchmarks draw on: 1920 x 1080 pixels at 96 dpi,
// whatever machine runs them, and the fitted view of a drawing's sheet.

#include "document/ZhdData.h"
#include "platform/Canvas.h"
#include "platform/ScreenMetrics.h"
#include "render/InfoReg.h"

inline constexpr int BenchScreenWidth = 1920;
inline constexpr int BenchScreenHeight = 1080;

inline void UseBenchScreen()
{
    static const bool fixed = [] {
        SetScreenMetricsProvider([] { return TScreenMetrics { BenchScreenWidth, BenchScreenHeight, 96.0 }; });
        return true;
    }();
    (void)fixed;
}

// The screen-sized output area with a view that the next drawing fits to
// the paper, in list order.
inline void ResetBenchView(TZhdData& document)
{
    UseBenchScreen();
    TInfoREG& info = document.GetInfoRegPtr();
    info.SetPixelWidth(BenchScreenWidth);
    info.SetPixelHeight(BenchScreenHeight);
    info.SetView(TZhdZoom(0.0));
    info.LayerOrder = 0;
    info.ColorOrder = 0;
}

// The whole sheet on the screen, in list order; `zoom` times closer about
// the sheet's centre.
inline void FitSheet(TZhdData& document, double zoom = 1)
{
    ResetBenchView(document);
    TInfoREG& info = document.GetInfoRegPtr();
    info.SetBairitsu(0, 0, document);
    if (zoom != 1)
        info.SetView(TZhdZoom(info.GetView().GetScale() * zoom));
}

// One redraw, as the viewer makes it.
inline int DrawDocument(TZhdData& document, TCanvas& canvas)
{
    document.RefreshLayerStates();
    return document.GetElemListPtr().Draw(canvas, document);
}
