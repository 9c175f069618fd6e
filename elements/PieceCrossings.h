#pragma once

// The pieces that the intersection operations of lines and arcs share: the
// ellipse solver's candidates as tagged points, and a text taken as the
// quadrilateral of its box.

#include "core/BPoint.h"

#include <array>
#include <vector>

class TKCircle;
class TKMoji;

// Every candidate where the segment p-q meets the arc, in the solver's
// order, each tagged with its code (0-tagged ones too).
void AppendSegmentArcCrossings(const TBPoint& p, const TBPoint& q, const TKCircle& arc,
                               std::vector<TBPoint>& points);

// Start, end, raised end, raised start: the box the intersections walk side
// by side, from each corner to the next and from the last to the first.
std::array<TBPoint, 4> TextBoxCorners(const TKMoji& text);
