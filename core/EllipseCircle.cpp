// Intersection of the ellipse x^2/a^2 + y^2/b^2 = 1 with the circle about
// (c, d) of radius e.
//
// The special positions are solved in closed form, because the general
// quartic loses them to rounding: an ellipse that is a circle (the common
// chord of two circles), a circle concentric with the ellipse, and a circle
// centred on one of the ellipse's axes (a quadratic in the other coordinate,
// whose solutions come as mirrored pairs). In general position, subtracting
// the ellipse from the circle leaves a parabola y = O*x^2 + G*x + H, and putting
// it into the ellipse gives a quartic in x, solved by SolveQuartic; its double
// roots become touching points. Every crossing is then polished by Newton
// steps on the two curve equations, since the closed forms divide by small
// numbers near the special positions (a centre close to an axis, a nearly
// circular ellipse) and lose digits there.
//
// Cost: constant; at most one quartic solution and four Newton steps a point.
//
// The tolerances are absolute and fixed, and callers depend on them: 1e-8 for
// a circle-shaped ellipse (1/a^2 and 1/b^2 that close), a centre on an axis or
// at the origin, an outer touch, and a vanishing square in the concentric case;
// 1e-10 for snapping a coordinate to the ellipse's end and for telling a
// mirrored pair from one point; 1e-16 for a vanishing discriminant of two
// circles. A point found by a closed form starts as a touch and becomes a
// crossing when its mirror image is a distinct point. Being absolute, the
// first of them takes large, nearly round ellipses for circles (at semi-axes
// of 1000 those within half a percent of round), and the quartic's leading
// coefficient gives up on somewhat less round ones (see below).
//
// A double root of the quartic is trusted as a touch only where its point lies
// on both curves (within 1e-9 of their size). Off them, the circle's centre
// is close to the first axis and the root stands for two crossings one above
// the other whose x the quartic cannot tell apart; they are recovered from the
// ellipse's two points at that x. Without this, such a pair came out as a
// touch on the axis, far from either curve.
//
// Refused (no points): a degenerate ellipse (a or b zero), non-finite input or
// results, two concentric circles (equal or not), and whatever the quartic
// solver refuses: among them a nearly circular ellipse whose quartic's leading
// coefficient falls below 1e-14 (with semi-axes about 100 and a centre as far,
// ellipses within about 0.1% of round; the band grows with the square of the
// size).

#include "core/EllipseCircle.h"

#include "core/Finite.h"
#include "core/PlaneGeometry.h"
#include "core/QuarticSolver.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double t16 = 1e-16;
constexpr double t10 = 1e-10;
constexpr double t8 = 1e-8;

class PointList {
public:
    PointList(std::vector<double>& xs, std::vector<double>& ys, std::vector<int>& codes)
        : xs_(xs), ys_(ys), codes_(codes)
    {
    }

    int Count() const { return static_cast<int>(codes_.size()); }

    void Add(double x, double y, int code)
    {
        xs_.push_back(x);
        ys_.push_back(y);
        codes_.push_back(code);
    }

    double X(int index) const { return xs_[index]; }
    double Y(int index) const { return ys_[index]; }
    int Code(int index) const { return codes_[index]; }
    void SetCode(int index, int code) { codes_[index] = code; }
    void MovePoint(int index, double x, double y)
    {
        xs_[index] = x;
        ys_[index] = y;
    }

    // Half the distance from a point to its nearest neighbour in the list.
    double HalfGapAround(int index) const
    {
        double gap = std::numeric_limits<double>::infinity();
        for (int j = 0; j < Count(); ++j) {
            if (j != index)
                gap = std::min(gap, Distance(xs_[index], ys_[index], xs_[j], ys_[j]) / 2);
        }
        return gap;
    }

    // The point (x, y) as a touch, or, when its mirror image (mx, my) is a
    // distinct point, both as crossings.
    void AddPointOrPair(double x, double y, bool distinct, double mx, double my)
    {
        if (!distinct) {
            Add(x, y, EllipseCircleTouch);
            return;
        }
        Add(x, y, EllipseCircleCrossing);
        Add(mx, my, EllipseCircleCrossing);
    }

    bool AllPointsFinite() const
    {
        for (int i = 0; i < Count(); ++i) {
            if (!std::isfinite(xs_[i]) || !std::isfinite(ys_[i]))
                return false;
        }
        return true;
    }

    void Clear()
    {
        xs_.clear();
        ys_.clear();
        codes_.clear();
    }

private:
    std::vector<double>& xs_;
    std::vector<double>& ys_;
    std::vector<int>& codes_;
};

// The two curves as equations: A*x^2 + B*y^2 = 1 and
// (x - c)^2 + (y - d)^2 = e^2.
struct EllipseAndCircle {
    double A, B, c, d, e;

    // How far a point lies from the farther curve (to first order for the
    // ellipse).
    double Residual(double x, double y) const
    {
        const double ellipse = A * x * x + B * y * y - 1;
        const double slope = 2 * std::sqrt(A * A * x * x + B * B * y * y);
        return std::max(std::fabs(ellipse) / slope, std::fabs(Distance(x, y, c, d) - e));
    }

    // A residual this small puts a point on both curves; relative to their
    // size, as rounding is.
    double OnCurvesTolerance() const { return 1e-9 * Size(); }
    // A touch merged from two close roots may lie this far off.
    double RoughTouchTolerance() const { return 1e-4 * Size(); }
    double Size() const { return std::max(1 / std::sqrt(A), e); }

    // One Newton step on both equations; false where they are tangent.
    bool NewtonStep(double& x, double& y) const
    {
        const double f = A * x * x + B * y * y - 1;
        const double g = (x - c) * (x - c) + (y - d) * (y - d) - e * e;
        const double fx = 2 * A * x, fy = 2 * B * y;
        const double gx = 2 * (x - c), gy = 2 * (y - d);
        const double determinant = fx * gy - fy * gx;
        if (determinant == 0)
            return false;
        x -= (f * gy - fy * g) / determinant;
        y -= (fx * g - f * gx) / determinant;
        return true;
    }
};

// Newton steps on the two curve equations from (x, y), kept only while they
// lower the residual and stay within max_move of the start, so that a point
// never slides onto a neighbour. Returns the final residual.
double PolishPoint(const EllipseAndCircle& curves, double& x, double& y, double max_move)
{
    const double x0 = x, y0 = y;
    double residual = curves.Residual(x, y);
    for (int step = 0; step < 4 && residual > 0; ++step) {
        double nx = x, ny = y;
        if (!curves.NewtonStep(nx, ny))
            break;
        const double next_residual = curves.Residual(nx, ny);
        if (!(Distance(nx, ny, x0, y0) < max_move) || !(next_residual < residual))
            break;
        x = nx;
        y = ny;
        residual = next_residual;
    }
    return residual;
}

// Crossings found by closed forms lose digits where the formulas divide by
// small numbers (a circle centre close to an axis, a nearly circular
// ellipse); polishing restores them. Touches are left alone: the equations are
// tangent there.
void PolishCrossings(const EllipseAndCircle& curves, PointList& points)
{
    for (int i = 0; i < points.Count(); ++i) {
        if (points.Code(i) != EllipseCircleCrossing)
            continue;
        double x = points.X(i), y = points.Y(i);
        PolishPoint(curves, x, y, points.HalfGapAround(i));
        points.MovePoint(i, x, y);
    }
}

// The circle of radius a about the origin with the circle about (c, d) of
// radius e, by their common chord 2cx + 2dy = k.
void IntersectCircles(double a, double c, double d, double e, PointList& points)
{
    if (std::fabs(c) < t8 && std::fabs(d) < t8)
        return;
    if (std::fabs(std::sqrt(c * c + d * d) - (a + e)) < t8) {
        // Touching from outside, where the chord's discriminant would be lost
        // to rounding.
        const double scale = a / (a + e);
        points.Add(c * scale, d * scale, EllipseCircleTouch);
        return;
    }
    const double k = a * a + c * c + d * d - e * e;
    if (std::fabs(c) >= t8 && std::fabs(d) >= t8) {
        // The chord y = m*x + n (m = -c/d, n = k/2d) meets the circle where
        // (m^2 + 1)x^2 + 2mn*x + (n^2 - a^2) = 0, whose discriminant G is
        // 4 D^2 h^2 / d^2, D being the centres' distance and h the chord's
        // half length. The points are taken along the line of centres and
        // across it: the slope m is huge when d is small beside c, and the
        // quadratic in x then loses the points to rounding.
        const double D = std::sqrt(c * c + d * d);
        const double along = k / (2 * D);
        const double h_squared = a * a - along * along;
        const double G = 4 * D * D * h_squared / (d * d);
        if (G < 0)
            return;
        const double h = std::sqrt(h_squared);
        const double foot_x = along * c / D, foot_y = along * d / D;
        const double across_x = -h * d / D, across_y = h * c / D;
        // The quadratic's first root is the one with the larger x.
        const double side = across_x >= 0 ? 1 : -1;
        points.AddPointOrPair(foot_x + side * across_x, foot_y + side * across_y, std::fabs(G) > t16,
                              foot_x - side * across_x, foot_y - side * across_y);
    } else if (std::fabs(d) < t8) {
        const double x = k / (2 * c);
        if (a * a - x * x < 0)
            return;
        const double y = std::sqrt(a * a - x * x);
        points.AddPointOrPair(x, y, std::fabs(y) > t10, x, -y);
    } else {
        const double y = k / (2 * d);
        if (a * a - y * y < 0)
            return;
        const double x = std::sqrt(a * a - y * y);
        points.AddPointOrPair(x, y, std::fabs(x) > t10, -x, y);
    }
}

// The ellipse with a circle about its centre: x^2 = X from
// x^2/a^2 + (e^2 - x^2)/b^2 = 1, then y^2 = e^2 - x^2. The points are mirror
// images of one another; two of them are two touches.
void IntersectConcentric(double A, double B, double e, PointList& points)
{
    double X = (1 - e * e * B) / (A - B);
    if (std::fabs(X) < t8)
        X = 0;
    if (X < 0)
        return;
    double x = std::sqrt(X);
    double Y = e * e - x * x;
    if (std::fabs(Y) < t8) {
        Y = 0;
        x = e;
    }
    if (Y < 0)
        return;
    const double y = std::sqrt(Y);
    points.Add(x, y, EllipseCircleCrossing);
    if (std::fabs(x) > t8)
        points.Add(-x, y, EllipseCircleCrossing);
    if (std::fabs(y) > t8) {
        points.Add(x, -y, EllipseCircleCrossing);
        if (std::fabs(x) > t8)
            points.Add(-x, -y, EllipseCircleCrossing);
    }
    if (points.Count() == 2) {
        points.SetCode(0, EllipseCircleTouch);
        points.SetCode(1, EllipseCircleTouch);
    }
}

// The roots of D*s^2 + E*s + F = 0: the larger-by-formula first, the second
// only when the discriminant is not zero.
int QuadraticRoots(double D, double E, double F, double roots[2])
{
    const double discriminant = E * E - 4 * D * F;
    if (discriminant < 0)
        return 0;
    roots[0] = (std::sqrt(discriminant) - E) / (2 * D);
    if (discriminant == 0)
        return 1;
    roots[1] = (-E - std::sqrt(discriminant)) / (2 * D);
    return 2;
}

// A circle centred on the ellipse's second axis (0, d): circle minus ellipse
// is a quadratic in y; each root gives a point and its mirror image in x.
void IntersectCentreOnSecondAxis(double a, double b, double A, double B, double d, double e,
                                 PointList& points)
{
    double roots[2];
    const int count = QuadraticRoots(1 - B / A, -2 * d, d * d - e * e + a * a, roots);
    for (int i = 0; i < count; ++i) {
        double y = roots[i];
        if (std::fabs(b * b - y * y) <= t10)
            y = Sign(y) * b; // the ellipse's end
        if (b * b - y * y < 0)
            continue;
        const double x = (a / b) * std::sqrt(std::fabs(b * b - y * y));
        points.AddPointOrPair(x, y, std::fabs(x) > t10, -x, y);
    }
}

// A circle centred on the ellipse's first axis (c, 0): the same with the
// coordinates exchanged.
void IntersectCentreOnFirstAxis(double a, double b, double A, double B, double c, double e,
                                PointList& points)
{
    double roots[2];
    const int count = QuadraticRoots(1 - A / B, -2 * c, c * c - e * e + b * b, roots);
    for (int i = 0; i < count; ++i) {
        double x = roots[i];
        if (std::fabs(a * a - x * x) <= t10)
            x = Sign(x) * a;
        if (a * a - x * x < 0)
            continue;
        const double y = (b / a) * std::sqrt(a * a - x * x);
        points.AddPointOrPair(x, y, std::fabs(y) > t10, x, -y);
    }
}

// A double root of the quartic in x is a touch when its point lies on both
// curves. Off them, the parabola is too steep near the root to give y, as the
// circle's centre is close to the first axis: the root then stands for two
// crossings one above the other whose x the quartic cannot tell apart, or for
// a touch placed roughly, or for nothing. The crossings are the ellipse's two
// points at that x once both are polished onto the circle; failing that, a
// rough touch within the loose tolerance stands and anything farther is
// dropped.
void AddDoubleRootPoint(const EllipseAndCircle& curves, double b, double x, double y,
                        PointList& points)
{
    const double residual = curves.Residual(x, y);
    if (residual <= curves.OnCurvesTolerance()) {
        points.Add(x, y, EllipseCircleTouch);
        return;
    }
    const double height = b * std::sqrt(std::max(0.0, 1 - curves.A * x * x));
    double upper_x = x, upper_y = height, lower_x = x, lower_y = -height;
    if (PolishPoint(curves, upper_x, upper_y, height) <= curves.OnCurvesTolerance()
        && PolishPoint(curves, lower_x, lower_y, height) <= curves.OnCurvesTolerance()) {
        points.Add(upper_x, upper_y, EllipseCircleCrossing);
        points.Add(lower_x, lower_y, EllipseCircleCrossing);
    } else if (residual <= curves.RoughTouchTolerance()) {
        points.Add(x, y, EllipseCircleTouch);
    }
}

// General position: circle minus b^2 times the ellipse is the parabola
// D*x^2 + E*x + F*y + M = 0, that is y = O*x^2 + G*x + H; in the ellipse it
// gives a quartic in x whose double roots are touches.
void IntersectInGeneralPosition(const EllipseAndCircle& curves, double b, PointList& points)
{
    const double A = curves.A, B = curves.B, c = curves.c, d = curves.d, e = curves.e;
    const double D = 1 - A / B;
    const double E = -2 * c;
    const double F = -2 * d;
    const double M = c * c + d * d - e * e + b * b;
    const double O = -D / F;
    const double G = -E / F;
    const double H = -M / F;
    std::vector<double> roots;
    std::vector<int> kinds;
    const int count = SolveQuartic(B * O * O, 2 * B * O * G, B * G * G + 2 * B * H * O + A,
                                   2 * B * H * G, B * H * H - 1, roots, kinds);
    for (int i = 0; i < count; ++i) {
        const double x = roots[i];
        const double y = O * x * x + G * x + H;
        if (kinds[i] == RootMultiple)
            AddDoubleRootPoint(curves, b, x, y, points);
        else
            points.Add(x, y, EllipseCircleCrossing);
    }
}

} // namespace

int IntersectEllipseCircle(double a, double b, double c, double d, double e,
                           std::vector<double>& xs, std::vector<double>& ys,
                           std::vector<int>& codes)
{
    PointList points(xs, ys, codes);
    points.Clear();
    // The curves depend on the squares only; a negative semi-axis (as from a
    // mirrored ellipse) must not mirror the points it snaps to.
    a = std::fabs(a);
    b = std::fabs(b);
    e = std::fabs(e);
    if (!AllFinite({ a, b, c, d, e }) || a == 0 || b == 0)
        return 0;
    const double A = 1 / (a * a);
    const double B = 1 / (b * b);
    if (!AllFinite({ A, B }))
        return 0;

    const EllipseAndCircle curves { A, B, c, d, e };
    if (std::fabs(A - B) < t8)
        IntersectCircles(a, c, d, e, points);
    else if (std::fabs(c) < t8 && std::fabs(d) < t8)
        IntersectConcentric(A, B, e, points);
    else if (std::fabs(c) < t8)
        IntersectCentreOnSecondAxis(a, b, A, B, d, e, points);
    else if (std::fabs(d) <= t8)
        IntersectCentreOnFirstAxis(a, b, A, B, c, e, points);
    else
        IntersectInGeneralPosition(curves, b, points);
    PolishCrossings(curves, points);

    if (!points.AllPointsFinite()) {
        points.Clear();
        return 0;
    }
    return points.Count();
}
