#pragma once

// TModeClicks: a release over the drawing that ends no gesture and lets go
// of no clock menu is a click in the current command mode. The end-point
// check (mode 5) is here: a right click shows the snap point nearest the
// click with a marker, a left or middle click floods the closed area under
// the cursor with red on the screen, so that gaps in outlines show. Both
// draw on the shown picture only; the next redraw takes them away.
//
// The print and output frame (mode 1) and the image colour (mode 4) have
// their clicks with the features of those modes, which the form hands in
// as hooks; a hook not set does nothing.

#include "ui/MainFeature.h"

#include <functional>
#include <string>

class TPointingServices;
class TTipBox;
class TZhdData;
struct TMouseRelease;
struct TPaintSurfaceCounters;

class TModeClicks : public TMainFeature {
public:
    TModeClicks(TMainWindowHost& host, TPointingServices& pointing, TTipBox& tip_box);

    // The click of the current command mode; modes without one do nothing.
    void Click(TMouseRelease& release);

    // The frame modes' click (print or output frame): placed by the print
    // frame's feature.
    std::function<void(TMouseRelease&)> FrameClick;
    // The image colour pick's click.
    std::function<void(TMouseRelease&)> ImageColourClick;

    // The end-point check's click.
    void EndPointClick(TMouseRelease& release);

private:
    // Floods the area under paint-box pixel (x, y) red on the shown picture,
    // with the cross-hair at the click taken out of the way meanwhile.
    void FillAreaAt(TZhdData& document, int x, int y);

    TPointingServices& pointing_;
    TTipBox& tip_box_;
};

// The debug log's line on a fill: the painted pixels, the probes and their
// share in percent (0 when nothing was probed).
std::string PaintSurfaceCountLine(const TPaintSurfaceCounters& counters);
