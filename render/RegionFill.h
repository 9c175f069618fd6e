#pragma once

// Painting the 4-connected region of one colour around a pixel red, on the
// canvas itself: the view shows the area of a colour around a click until
// the next redraw.

#include "platform/CanvasTypes.h"

class TCanvas;

// The fill colour.
inline constexpr TColor RegionFillColor = PackColor(255, 0, 0);

// Probes and painted pixels since the run began (or the caller reset them).
struct TPaintSurfaceCounters {
    unsigned probes = 0;
    unsigned painted = 0;
};
TPaintSurfaceCounters& PaintSurfaceCounters();

// Paints every pixel joined to (x, y) by a 4-connected path of `seed`
// pixels; writes its time and deepest stack to the debug log. Returns 1.
int PaintSurface(TCanvas& canvas, TColor seed, int x, int y);

// Probes the neighbour of (x, y) in `direction` (0 right, 1 up, 2 left,
// 3 down; any other value the pixel itself): 1 when it had the seed colour
// and was painted, else 0 (always 0 when the seed is the fill colour, and for
// a pixel outside the canvas).
int PaintSurfaceStep(TCanvas& canvas, TColor seed, int x, int y, int direction);
