#pragma once

// Intersections of an elliptic arc with a segment and with another elliptic
// arc, each point with a code. Arcs are described as in core/EllipseArc.h:
// cx, cy, r, start, sweep, ratio, tilt.

#include "core/Angle.h"

#include <vector>

// The code of an intersection point, one per point, in the same position as
// the point in the x and y lists.
enum CurveIntersectionCode : int {
    // On both full curves (the whole ellipse, the segment's line) but off an
    // arc or off the segment.
    IntersectionOffPiece = 0,
    // A crossing inside both pieces.
    IntersectionCrossing = 1,
    // A crossing at an end of an arc or of the segment.
    IntersectionCrossingAtEnd = 2,
    // A touching point (the curves are tangent there), on both pieces.
    IntersectionTouch = 3
};

// The points where the line of the segment (x1, y1)-(x2, y2) meets the whole
// ellipse: two, first the one lying further toward the first end (seen from
// the second), or one touching point. Appended to the lists (which are not emptied first): the codes, then
// the points. Returns the number of points appended (0, 1 or 2).
//
// Within 1e-12 (in the circle frame) of the segment's extent a point counts as
// on the segment, within 1e-12 radians of the sweep as on the arc, and within
// 1e-12 of an end of either as at that end. A segment of zero length is taken
// as a horizontal line (in the circle frame) through its point. Nothing is
// appended for a ratio of 0 or non-finite input or results.
int IntersectSegmentEllipseArc(double x1, double y1, double x2, double y2,
                               double cx, double cy, double r, TAngle start, TAngle sweep,
                               double ratio, TAngle tilt,
                               std::vector<double>& xs, std::vector<double>& ys,
                               std::vector<int>& codes);

// All points where the two whole ellipses meet, with codes: a point off
// either arc has code 0; a crossing within 1e-8 radians of an end of either
// arc has code 2. The lists are emptied first; returns the number of points.
// No points for a ratio of 0, non-finite input, or a configuration the
// ellipse-circle solver gives up on.
int IntersectEllipseArcs(double cx1, double cy1, double r1, TAngle start1, TAngle sweep1,
                         double ratio1, TAngle tilt1,
                         double cx2, double cy2, double r2, TAngle start2, TAngle sweep2,
                         double ratio2, TAngle tilt2,
                         std::vector<double>& xs, std::vector<double>& ys,
                         std::vector<int>& codes);
