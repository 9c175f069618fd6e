#pragma once

// The end of a two-button gesture on the drawing view: what letting go of
// the last button does to the displayed drawing's view and to the views its
// header remembers, by the length and direction of the drag.
//
// - Shorter than GestureThreshold: the view centres on the cursor.
// - Up: the header remembers the view as its range; up-right goes back to
//   that range (the whole paper when none is remembered); down forgets it.
// - Right and left: mark jumps 1 and 2 of the header.
// - Down-right: the box spanned by the drag fills the view.
// - Down-left: back to the previous view (twice in a row returns).
// - Up-left: zoom out about the press point, once more for every 10 pixels
//   started beyond 100.
//
// It works on the document alone, so tables of drags test it without a
// window; the caller redraws and moves the screen cursor.

#include <QPoint>

#include <optional>

class TZhdData;

struct TGestureEnd {
    // The gesture's direction (GetGestureDirection with 4 sectors and a
    // 5-pixel band); -1 for a drag that only moves the view.
    int direction = -1;
    // Where the mouse cursor is put, in paint-box pixels, for the gestures
    // that move it.
    std::optional<QPoint> cursor;
};

// Ends the gesture pressed at `press` and released at `release`; `cursor`
// is the last cursor point of the drag.
TGestureEnd EndGesture(TZhdData& document, QPoint press, QPoint release, QPoint cursor);
