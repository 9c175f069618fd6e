#pragma once

// Points, tangents and angles on an elliptic arc.
//
// Circles, circular arcs, ellipses and elliptic arcs share one description,
// always passed as seven values in this order:
//   cx, cy  the centre;
//   r       the first semi-axis, along the tilt (a circle's radius);
//   start   the parameter where the arc begins, in the ellipse's own frame;
//   sweep   the parameter range, counter-clockwise when positive; a full turn
//           or more is the whole ellipse;
//   ratio   the second semi-axis over r (1 for a circle);
//   tilt    the direction of the first axis.
// The point of parameter phi is C + Rot(tilt) * (r cos phi, ratio * r sin phi).
// Angles exchanged with callers are drawing angles t = tilt + phi: the arc
// begins at t = start + tilt and ends at t = start + tilt + sweep. In the
// circle frame (relative to the centre, turned by -tilt, y divided by ratio)
// the ellipse is the circle of radius r and a point's parameter is its polar
// angle.
//
// A parameter lies on the arc when (phi - start), brought into one turn, is at
// most the sweep (TAngle's <=); both ends belong to the arc, and a sweep of a
// full turn or more holds every parameter. A negative sweep is first turned
// into the same arc with a positive one.
//
// Every function here returns 0 and writes nothing when an input is not
// finite or a result would not be; those that divide by the ratio do the same
// for a ratio of 0 (a flat ellipse has no circle frame).

#include "core/Angle.h"

// The seven values of an arc description.
struct EllipseArcDescription {
    double cx = 0, cy = 0, r = 0;
    TAngle start, sweep;
    double ratio = 1;
    TAngle tilt;

    bool IsFinite() const;
    // The same arc with start := start + sweep (normalised) and sweep := -sweep
    // when the sweep is negative.
    EllipseArcDescription WithPositiveSweep() const;
    // A sweep of a full turn or more; for a positive sweep.
    bool IsWhole() const;
    // Whether a parameter lies on the arc; for a positive sweep.
    bool ContainsParameter(const TAngle& phi) const;
    // The drawing point of a parameter.
    void PointAtParameter(const TAngle& phi, double& x, double& y) const;
};

// The point at drawing angle t; 1 when its parameter lies on the arc, else 0
// (the point is written either way).
int EllipseArcPointAt(TAngle t, double cx, double cy, double r, TAngle start, TAngle sweep,
                      double ratio, TAngle tilt, double& x, double& y);

// As EllipseArcPointAt, and the direction (radians) from Q to P, where P is the
// point and Q the end of its conjugate semi-diameter (the point a quarter turn
// of parameter further): for a circle that is t - 45 degrees.
int EllipseArcTangentAt(TAngle t, double cx, double cy, double r, TAngle start, TAngle sweep,
                        double ratio, TAngle tilt, double& x, double& y, TAngle& chord);

// The two points of the whole ellipse whose tangent runs in `direction`, with
// their drawing angles and whether each lies on the arc; returns on1 * on2.
int EllipseArcTangentPoints(TAngle direction, double cx, double cy, double r, TAngle start,
                            TAngle sweep, double ratio, TAngle tilt,
                            double& x1, double& y1, TAngle& t1, int& on1,
                            double& x2, double& y2, TAngle& t2, int& on2);

// The drawing angle t of a point (radians, within half a turn of the tilt) and
// t90 = t + 90 degrees. Returns 1 when the point lies on the arc, -1 when it
// lies within the arc's angular range but more than 1e-7 off the curve (in the
// circle frame), 0 outside the range.
int EllipseArcAngleOfPoint(double px, double py, double cx, double cy, double r, TAngle start,
                           TAngle sweep, double ratio, TAngle tilt, TAngle& t, TAngle& t90);

// The singular value split of a scaled rotation:
//   diag(p, q) * Rot(t) * diag(r, s) = Rot(after) * diag(first, second) * Rot(before).
// Equally, diag(r, s) * Rot(t) * diag(p, q) = Rot(before) * diag(first, second)
// * Rot(after): the ellipse of semi-axes p and q tilted by t, scaled by r along
// x and s along y, has the semi-axes first and second with its first axis
// along `before`, and its parameter is shifted by `after`. first is never
// negative for non-negative arguments; second is negative when p*q*r*s < 0.
// Returns 1 or 2 by the formula used (sines, or cosines where a sine
// vanishes); 0 for non-finite input.
int TransformedEllipseAxes(double p, double q, double r, double s, TAngle t,
                           double& first, double& second, TAngle& before, TAngle& after);
