#pragma once

// View changes of the drawing view. Every wheel step, key and two-button
// gesture builds its new view with these functions and installs it with
// InstallView, so that they all keep the same rules:
//
// - The scale stays within MinimumZoomOfFit to MaximumZoomOfFit times the
//   scale that fits the paper into the view (1 / the fit factor). A step
//   that would go beyond stops at the bound, so the transforms never reach
//   coordinates that overflow.
// - The view replaced becomes the previous view when the two differ
//   (TInfoREG::SetViewKeepPrevious), which is what End and the gesture of
//   the previous view go back to.
// - Views kept in the drawing's header (the remembered range, the mark
//   jumps) hold their scale relative to the fitted view: header scale =
//   view scale x fit factor. A header view whose scale is 0, negative or not
//   finite, or whose centre is not finite, gives the view that fits the
//   paper, as Home does on a drawing that remembers no range.
//
// The functions read and write a document's view state alone; they know
// nothing of windows, so the gestures, the wheel and the keys share them.

#include "document/ZhdZoom.h"

#include "core/Vect.h"

#include <optional>

class TBPoint;
class TInfoREG;

// How far the view may zoom, relative to the scale that fits the paper.
inline constexpr double MinimumZoomOfFit = 1e-4;
inline constexpr double MaximumZoomOfFit = 1e6;
// One wheel notch or Page key: the scale is multiplied or divided by it, so a
// step in and a step out give the scale back.
inline constexpr double ZoomStep = 1.41421356;

// The scale that fits the paper into the output area: 1 / the fit factor.
double FittingScale(const TInfoREG& info);
// The whole paper, which is centred on the drawing's origin, at the fitting
// scale.
TZhdZoom FittedView(const TInfoREG& info);
// The scale brought within the bounds; one that is not usable (0, negative,
// not finite) becomes the fitting scale.
double BoundedScale(const TInfoREG& info, double scale);

// Installs the view, its scale bounded, as the current view; the view it
// replaces becomes the previous view when the two differ. Returns the view
// installed.
TZhdZoom InstallView(TInfoREG& info, TZhdZoom view);

// The current view with its scale multiplied by `factor` (and bounded) and
// its centre moved so that the drawing point under the output pixel stays
// under it.
TZhdZoom ZoomedAbout(const TInfoREG& info, const TBPoint& pixel, double factor);

// A view the header keeps, as a view of the output area.
TZhdZoom ViewFromHeader(const TInfoREG& info, const TZhdZoom& header_view);
// A view of the output area, as the header keeps it.
TZhdZoom HeaderViewOf(const TInfoREG& info, const TZhdZoom& view);
// Mark jump `entry` (1, 2, ...) of the header's list as a view of the output
// area; none when the list has no such entry (its clamped read would give
// another entry's view).
std::optional<TZhdZoom> MarkJumpView(const TInfoREG& info, const TVect<TZhdZoomF>& jumps, int entry);
