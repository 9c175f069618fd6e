#pragma once

// The geometry of drags on the drawing view, in paint-box pixels: how long
// a drag is, which hour of the clock menu it points at, which way a
// two-button gesture goes, and the tip a gesture shows while it is dragged.
//
// Every function takes the cursor (x, y) and the press point (px, py) the
// drag started from. Angles are measured clockwise from straight up, as the
// user sees a clock: up is 0, right a quarter turn.

#include <string>

class TZhdZoom;

// A two-button drag shorter than this is a move, not a gesture.
inline constexpr int GestureThreshold = 10;
// The four gesture directions along the axes take this many pixels either
// side of their line; between them lie the four diagonal ones.
inline constexpr int GestureSectors = 4;
inline constexpr int GestureBand = 5;
// Hours of the clock menu.
inline constexpr int ClockPositions = 12;

// The distance from the press point, rounded to whole pixels.
int GetDragLength(int x, int y, int px, int py);

// Which of n equal sectors the drag points at, sector 0 centred on straight
// up and counting clockwise; -1 for a drag of 1 pixel or less. With n = 12
// these are the hours of a clock, 0 at twelve o'clock.
int GetClockPosition(int x, int y, int n, int px, int py);

// The direction of a gesture among n border lines (0 straight up, then
// clockwise) and the n sectors between them: 2q when the drag passes within
// c pixels of border line q, else 2k + 1 for sector k, which lies between
// lines k and k + 1; -1 for a drag of 1 pixel or less. With n = 4 and c = 5:
// 0 up, 1 up-right, 2 right, 3 down-right, 4 down, 5 down-left, 6 left,
// 7 up-left. Meant for drags of GestureThreshold or more; a drag shorter
// than c counts as passing every line.
int GetGestureDirection(int x, int y, int n, int c, int px, int py);

// How many times a zoom-out gesture of this length halves the view's area:
// once up to 100 pixels, and once more for every 10 pixels started beyond.
int ZoomOutSteps(int length);

// The tip a two-button gesture shows at its press point (Shift-JIS): what
// releasing it here would do. The up-right gesture goes to the remembered
// range of the drawing's header, or to the whole paper when the header
// remembers none (scale 1 at the origin).
std::string GestureTipText(int x, int y, int px, int py, const TZhdZoom& remembered_range);
