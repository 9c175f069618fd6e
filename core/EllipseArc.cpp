// Points, tangents and angles of points on an elliptic arc, and the axes of an
// ellipse after a scaling.
//
// Everything goes through the arc's parameter: a drawing angle less the tilt,
// or a point's polar angle in the circle frame. Each query costs a few sines,
// cosines and one atan2, plus TAngle's comparison for the membership test.
//
// Membership uses TAngle's <= on the parameter offset from the start, whose
// tolerance is 1e-12 arc seconds: a point computed a hair before the start or
// after the end lies off the arc. A sweep of a full turn or more is the whole
// ellipse and contains every parameter; it is not left to <=, which reads a
// sweep between one and two turns as its excess over one turn (TAngle splits
// degrees above 360 less a turn), so that 370 degrees would hold only 10. The
// on-curve test of EllipseArcAngleOfPoint is absolute: 1e-7 from the radius in
// the circle frame.
//
// The axes of a scaled ellipse are a two-by-two singular value split in closed
// form: two atan2 calls give the rotations, two lengths the axes.
//
// Refused (0, nothing written): non-finite input or results, and a ratio of 0
// where the circle frame would divide by it.

#include "core/EllipseArc.h"

#include "core/Constants.h"
#include "core/Finite.h"
#include "core/PlaneGeometry.h"

#include <cmath>

namespace {

// Off the curve by more than this, in the circle frame.
constexpr double kOffCurve = 1e-7;
// A tangent direction this close to a semi-axis is taken as along it.
constexpr double kAlongAxis = 1e-8;

bool IsFiniteAngle(const TAngle& angle)
{
    return std::isfinite(angle.GetRadians());
}

EllipseArcDescription Describe(double cx, double cy, double r, TAngle start, TAngle sweep,
                               double ratio, TAngle tilt)
{
    return { cx, cy, r, start, sweep, ratio, tilt };
}

// The point at drawing angle t and its membership; false when the point is
// not finite.
bool PointAndMembership(const TAngle& t, const EllipseArcDescription& arc, double& x, double& y,
                        int& on)
{
    TAngle phi = t;
    phi -= arc.tilt;
    arc.PointAtParameter(phi, x, y);
    if (!AllFinite({ x, y }))
        return false;
    on = arc.ContainsParameter(phi) ? 1 : 0;
    return true;
}

// atan2, with 0 where both arguments are zero (of either sign).
double DirectionOf(double y, double x)
{
    return (y == 0 && x == 0) ? 0 : std::atan2(y, x);
}

} // namespace

bool EllipseArcDescription::IsFinite() const
{
    return AllFinite({ cx, cy, r, ratio }) && IsFiniteAngle(start) && IsFiniteAngle(sweep)
        && IsFiniteAngle(tilt);
}

EllipseArcDescription EllipseArcDescription::WithPositiveSweep() const
{
    EllipseArcDescription arc = *this;
    if (arc.sweep.GetRadians() < 0) {
        arc.start += arc.sweep;
        arc.start.Normalize();
        arc.sweep = -arc.sweep;
    }
    return arc;
}

bool EllipseArcDescription::IsWhole() const
{
    return sweep.GetRadians() >= 2 * Pi;
}

bool EllipseArcDescription::ContainsParameter(const TAngle& phi) const
{
    if (IsWhole())
        return true;
    TAngle offset = phi - start;
    offset.Normalize();
    return offset <= sweep;
}

void EllipseArcDescription::PointAtParameter(const TAngle& phi, double& x, double& y) const
{
    double px = 0, py = 0;
    PolarXY(0, 0, phi, r, px, py);
    py *= ratio;
    RotateXY(px, py, tilt, x, y);
    x += cx;
    y += cy;
}

int EllipseArcPointAt(TAngle t, double cx, double cy, double r, TAngle start, TAngle sweep,
                      double ratio, TAngle tilt, double& x, double& y)
{
    const EllipseArcDescription arc = Describe(cx, cy, r, start, sweep, ratio, tilt);
    if (!arc.IsFinite() || !IsFiniteAngle(t))
        return 0;
    double px = 0, py = 0;
    int on = 0;
    if (!PointAndMembership(t, arc.WithPositiveSweep(), px, py, on))
        return 0;
    x = px;
    y = py;
    return on;
}

int EllipseArcTangentAt(TAngle t, double cx, double cy, double r, TAngle start, TAngle sweep,
                        double ratio, TAngle tilt, double& x, double& y, TAngle& chord)
{
    const EllipseArcDescription arc = Describe(cx, cy, r, start, sweep, ratio, tilt);
    if (!arc.IsFinite() || !IsFiniteAngle(t))
        return 0;
    double px = 0, py = 0;
    int on = 0;
    if (!PointAndMembership(t, arc.WithPositiveSweep(), px, py, on))
        return 0;
    TAngle phi = t;
    phi -= tilt;
    double qx = 0, qy = 0;
    arc.PointAtParameter(phi + Degrees(90), qx, qy);
    if (!AllFinite({ qx, qy }))
        return 0;
    x = px;
    y = py;
    chord = TAngle(std::atan2(py - qy, px - qx));
    return on;
}

int EllipseArcTangentPoints(TAngle direction, double cx, double cy, double r, TAngle start,
                            TAngle sweep, double ratio, TAngle tilt,
                            double& x1, double& y1, TAngle& t1, int& on1,
                            double& x2, double& y2, TAngle& t2, int& on2)
{
    const EllipseArcDescription arc = Describe(cx, cy, r, start, sweep, ratio, tilt);
    if (!arc.IsFinite() || !IsFiniteAngle(direction) || ratio == 0)
        return 0;
    // The direction in the ellipse's own frame, where the derivative
    // (-r sin phi, ratio * r cos phi) must point along it.
    TAngle d = direction;
    d -= tilt;
    const double cos_d = std::cos(d.GetRadians());
    TAngle first, second;
    if (std::fabs(cos_d) < kAlongAxis) {
        first = Degrees(0);
        second = Degrees(180);
    } else if (std::fabs(cos_d - 1) < kAlongAxis) {
        first = Degrees(90);
        second = Degrees(270);
    } else {
        first = TAngle(std::atan2(std::tan(d.GetRadians()) / ratio, 1)) + Degrees(90);
        second = first + Degrees(180);
    }
    first += tilt;
    second += tilt;

    const EllipseArcDescription positive = arc.WithPositiveSweep();
    double px1 = 0, py1 = 0, px2 = 0, py2 = 0;
    int in1 = 0, in2 = 0;
    if (!PointAndMembership(first, positive, px1, py1, in1)
        || !PointAndMembership(second, positive, px2, py2, in2))
        return 0;
    x1 = px1;
    y1 = py1;
    t1 = first;
    on1 = in1;
    x2 = px2;
    y2 = py2;
    t2 = second;
    on2 = in2;
    return on1 * on2;
}

int EllipseArcAngleOfPoint(double px, double py, double cx, double cy, double r, TAngle start,
                           TAngle sweep, double ratio, TAngle tilt, TAngle& t, TAngle& t90)
{
    const EllipseArcDescription arc =
        Describe(cx, cy, r, start, sweep, ratio, tilt).WithPositiveSweep();
    if (!arc.IsFinite() || !AllFinite({ px, py }) || ratio == 0)
        return 0;
    double u = 0, v = 0;
    RotateXY(px - cx, py - cy, -tilt, u, v);
    const TAngle phi(std::atan2(v / ratio, u));
    int on = arc.ContainsParameter(phi) ? 1 : 0;
    if (std::fabs(Distance(u, v / ratio, 0, 0) - r) > kOffCurve)
        on = -on;
    t = phi + tilt;
    t90 = phi + tilt + Degrees(90);
    return on;
}

int TransformedEllipseAxes(double p, double q, double r, double s, TAngle t,
                           double& first, double& second, TAngle& before, TAngle& after)
{
    if (!AllFinite({ p, q, r, s }) || !IsFiniteAngle(t))
        return 0;
    const double sin_t = std::sin(t.GetRadians());
    const double cos_t = std::cos(t.GetRadians());
    // The sum and the difference of the two rotations of the split, each as
    // the direction of a vector whose length is the sum (difference) of the
    // singular values.
    const double sum_y = sin_t * (p * s + q * r), sum_x = cos_t * (p * r + q * s);
    const double difference_y = sin_t * (q * r - p * s), difference_x = cos_t * (p * r - q * s);
    const double alpha = DirectionOf(sum_y, sum_x);
    const double beta = DirectionOf(difference_y, difference_x);

    // The sum and the difference of the singular values are the lengths of
    // those vectors: sum_y / sin(alpha) = sum_x / cos(alpha) = |(sum_x, sum_y)|.
    // The lengths are taken directly, as near a half turn the quotients are
    // lost: atan2 returns the double nearest pi, whose sine is 1.2e-16 and not
    // the tiny sine of the true angle, so a tilt of 180 degrees gave axes off
    // by the factor between the two vectors' slopes. The result still tells
    // which quotient the split would use.
    const bool sines_apply = std::sin(alpha) != 0 && std::sin(beta) != 0;
    const double X = std::hypot(sum_x, sum_y);
    const double Y = std::hypot(difference_x, difference_y);
    const int result = sines_apply ? 1 : 2;
    // Halved first, so that two lengths near the largest double do not
    // overflow in their sum.
    const double larger = X / 2 + Y / 2, smaller = X / 2 - Y / 2;
    if (!AllFinite({ larger, smaller }))
        return 0;
    first = larger;
    second = smaller;
    after = TAngle((alpha + beta) / 2);
    before = TAngle((alpha - beta) / 2);
    return result;
}
