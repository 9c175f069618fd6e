#pragma once

// Where an axis-aligned ellipse about the origin meets a circle: the situation
// to which every intersection of two elliptic arcs is reduced.

#include <vector>

// The code of an ellipse-circle intersection point.
enum EllipseCirclePointCode : int {
    EllipseCircleCrossing = 1,
    EllipseCircleTouch = 3 // the curves are tangent there
};

// The points where the ellipse x^2/a^2 + y^2/b^2 = 1 meets the circle about
// (c, d) with radius e. The three lists are emptied, then receive the points
// and their codes in the same order; returns the number of points (0 to 4).
//
// Only the magnitudes of a, b and e matter. A degenerate ellipse (a or b zero)
// and non-finite input give no points, as do coincident concentric circles and
// configurations the quartic solver cannot resolve (for a nearly circular
// ellipse whose quartic loses its leading coefficient).
int IntersectEllipseCircle(double a, double b, double c, double d, double e,
                           std::vector<double>& xs, std::vector<double>& ys,
                           std::vector<int>& codes);
