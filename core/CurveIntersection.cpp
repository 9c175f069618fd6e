// Intersections of elliptic arcs with segments and with each other.
//
// Segment and arc: in the arc's circle frame (centre at the origin, tilt
// removed, y divided by the ratio) the ellipse is the circle of radius r, and
// turning the segment's line horizontal leaves it at a height h: the points
// are (+-sqrt(r^2 - h^2), h), or one touching point when |h| is within 1e-12
// of r. The codes are decided in that frame, where "within the segment" is an
// interval test and "within the arc" a test on the polar angle.
//
// Two arcs: in the circle frame of the first arc, the first ellipse is the
// circle of radius r1, and the second, being an ellipse turned and scaled,
// is again an ellipse whose axes TransformedEllipseAxes gives. Seen from that
// ellipse's own axes the problem is the ellipse-circle intersection, solved by
// IntersectEllipseCircle; its points are taken back to the drawing and coded
// by asking each arc for the point's angle.
//
// Cost: constant; one ellipse-circle solution per pair of arcs.
//
// End test across the zero direction: a point's drawing angle and the arc's
// ends are both brought into [0, 2 pi) before they are compared, so a point at
// the end at angle 0 may come out just below 2 pi. The two are compared around
// the circle, not along the number line, or such a crossing at an end would be
// coded as one inside the arc depending on how the last bit rounded.
//
// Refused (no points): a ratio of 0, non-finite input or results, and what
// IntersectEllipseCircle refuses.

#include "core/CurveIntersection.h"

#include "core/Constants.h"
#include "core/EllipseArc.h"
#include "core/EllipseCircle.h"
#include "core/Finite.h"
#include "core/PlaneGeometry.h"

#include <algorithm>
#include <cmath>

namespace {

// Segment and arc: the tolerance of every comparison, in the circle frame.
constexpr double kSegmentTolerance = 1e-12;
// Two arcs: a crossing this close (radians) to an arc's end is at that end.
constexpr double kAtArcEnd = 1e-8;
// Two arcs: centre coordinates this small count as on the axis.
constexpr double kOnAxis = 1e-7;

// Up to two candidate points in the circle frame turned to the segment.
struct Candidates {
    double x[2] = { 0, 0 };
    double y[2] = { 0, 0 };
    int count = 0;
};

// Where the horizontal line at height h meets the circle of radius r.
Candidates MeetHorizontalLine(double h, double r)
{
    constexpr double e = kSegmentTolerance;
    Candidates found;
    if (std::fabs(h) > r + e)
        return found;
    if (std::fabs(h) < r - e) {
        const double w = std::sqrt(r * r - h * h);
        found.x[0] = w;
        found.x[1] = -w;
        found.y[0] = found.y[1] = h;
        found.count = 2;
    } else if (std::fabs(std::fabs(h) - r) < e) {
        found.x[0] = 0;
        found.y[0] = h;
        found.count = 1;
    }
    return found;
}

// The code of a candidate (x, y) on the segment whose ends are at x = b1 and
// x = b2 in the turned frame g.
int SegmentPointCode(double x, double y, double b1, double b2, double g,
                     const EllipseArcDescription& arc, bool touching)
{
    constexpr double e = kSegmentTolerance;
    if (x < MinOf(b1, b2) - e || x > MaxOf(b1, b2) + e)
        return IntersectionOffPiece;
    TAngle delta = TAngle(std::atan2(y, x) + g) - arc.start;
    delta.Normalize();
    if (!arc.IsWhole() && !(delta <= arc.sweep + TAngle(e)))
        return IntersectionOffPiece;
    if (touching)
        return IntersectionTouch;
    const bool at_arc_end =
        delta.GetRadians() < e || AbsAngle(delta - arc.sweep).GetRadians() < e;
    const bool at_segment_end = std::fabs(x - b1) < e || std::fabs(x - b2) < e;
    return at_arc_end || at_segment_end ? IntersectionCrossingAtEnd : IntersectionCrossing;
}

// A point of the circle frame taken back into the drawing.
void FromCircleFrame(double u, double v, const EllipseArcDescription& arc, double& x, double& y)
{
    RotateXY(u, v * arc.ratio, arc.tilt, x, y);
    x += arc.cx;
    y += arc.cy;
}

// The distance between two directions in [0, 2 pi), around the circle.
double GapAroundCircle(double a, double b)
{
    const double gap = std::fabs(a - b);
    return std::min(gap, 2 * Pi - gap);
}

// Whether a drawing angle lies within kAtArcEnd of one of the arc's ends.
bool IsAtArcEnd(const TAngle& t, const EllipseArcDescription& arc)
{
    const double angle = t.Normalized().GetRadians();
    const TAngle begin = arc.start + arc.tilt;
    const TAngle end = begin + arc.sweep;
    return GapAroundCircle(angle, begin.Normalized().GetRadians()) < kAtArcEnd
        || GapAroundCircle(angle, end.Normalized().GetRadians()) < kAtArcEnd;
}

// The code of a point on both whole ellipses: off either arc 0, else the
// ellipse-circle code, a crossing becoming one at an end near either arc's
// end.
int ArcsPointCode(double x, double y, const EllipseArcDescription& arc1,
                  const EllipseArcDescription& arc2, int solver_code)
{
    TAngle t1, t1_90, t2, t2_90;
    if (EllipseArcAngleOfPoint(x, y, arc1.cx, arc1.cy, arc1.r, arc1.start, arc1.sweep,
                               arc1.ratio, arc1.tilt, t1, t1_90) <= 0)
        return IntersectionOffPiece;
    if (EllipseArcAngleOfPoint(x, y, arc2.cx, arc2.cy, arc2.r, arc2.start, arc2.sweep,
                               arc2.ratio, arc2.tilt, t2, t2_90) <= 0)
        return IntersectionOffPiece;
    if (solver_code == IntersectionCrossing && (IsAtArcEnd(t1, arc1) || IsAtArcEnd(t2, arc2)))
        return IntersectionCrossingAtEnd;
    return solver_code;
}

} // namespace

int IntersectSegmentEllipseArc(double x1, double y1, double x2, double y2,
                               double cx, double cy, double r, TAngle start, TAngle sweep,
                               double ratio, TAngle tilt,
                               std::vector<double>& xs, std::vector<double>& ys,
                               std::vector<int>& codes)
{
    const EllipseArcDescription arc =
        EllipseArcDescription { cx, cy, r, start, sweep, ratio, tilt }.WithPositiveSweep();
    if (!arc.IsFinite() || !AllFinite({ x1, y1, x2, y2 }) || ratio == 0)
        return 0;

    // The segment's ends in the circle frame, then turned so that its line is
    // horizontal.
    double a1x = 0, a1y = 0, a2x = 0, a2y = 0;
    RotateXY(x1 - cx, y1 - cy, -tilt, a1x, a1y);
    RotateXY(x2 - cx, y2 - cy, -tilt, a2x, a2y);
    a1y /= ratio;
    a2y /= ratio;
    const TAngle g(std::atan2(a1y - a2y, a1x - a2x));
    double b1x = 0, b1y = 0, b2x = 0, b2y = 0;
    RotateXY(a1x, a1y, -g, b1x, b1y);
    RotateXY(a2x, a2y, -g, b2x, b2y);

    const Candidates found = MeetHorizontalLine(b1y, r);
    int found_codes[2] = { 0, 0 };
    double px[2] = { 0, 0 }, py[2] = { 0, 0 };
    for (int i = 0; i < found.count; ++i) {
        found_codes[i] = SegmentPointCode(found.x[i], found.y[i], b1x, b2x, g.GetRadians(), arc,
                                          found.count == 1);
        double u = 0, v = 0;
        RotateXY(found.x[i], found.y[i], g, u, v);
        FromCircleFrame(u, v, arc, px[i], py[i]);
        if (!AllFinite({ px[i], py[i] }))
            return 0;
    }
    for (int i = 0; i < found.count; ++i)
        codes.push_back(found_codes[i]);
    for (int i = 0; i < found.count; ++i) {
        xs.push_back(px[i]);
        ys.push_back(py[i]);
    }
    return found.count;
}

int IntersectEllipseArcs(double cx1, double cy1, double r1, TAngle start1, TAngle sweep1,
                         double ratio1, TAngle tilt1,
                         double cx2, double cy2, double r2, TAngle start2, TAngle sweep2,
                         double ratio2, TAngle tilt2,
                         std::vector<double>& xs, std::vector<double>& ys,
                         std::vector<int>& codes)
{
    xs.clear();
    ys.clear();
    codes.clear();
    const EllipseArcDescription arc1 { cx1, cy1, r1, start1, sweep1, ratio1, tilt1 };
    const EllipseArcDescription arc2 { cx2, cy2, r2, start2, sweep2, ratio2, tilt2 };
    if (!arc1.IsFinite() || !arc2.IsFinite() || ratio1 == 0 || ratio2 == 0)
        return 0;

    // The second centre in the first arc's circle frame.
    double u = 0, v = 0;
    RotateXY(cx2 - cx1, cy2 - cy1, -tilt1, u, v);
    v /= ratio1;
    // There the second ellipse has the semi-axes first and second, its first
    // axis along `before`.
    double first = 0, second = 0;
    TAngle before, after;
    if (TransformedEllipseAxes(r2, r2 * ratio2, 1, 1 / ratio1, tilt2 - tilt1, first, second,
                               before, after) == 0)
        return 0;
    // The first arc's centre seen from the second ellipse's axes.
    double X = 0, Y = 0;
    RotateXY(-u, -v, -before, X, Y);
    if (std::fabs(X) < kOnAxis)
        X = 0;
    if (std::fabs(Y) < kOnAxis)
        Y = 0;

    std::vector<double> ex, ey;
    std::vector<int> solver_codes;
    const int count = IntersectEllipseCircle(first, second, X, Y, r1, ex, ey, solver_codes);
    for (int i = 0; i < count; ++i) {
        double fx = 0, fy = 0;
        RotateXY(ex[i], ey[i], before, fx, fy);
        double x = 0, y = 0;
        FromCircleFrame(fx + u, fy + v, arc1, x, y);
        if (!AllFinite({ x, y })) {
            xs.clear();
            ys.clear();
            codes.clear();
            return 0;
        }
        xs.push_back(x);
        ys.push_back(y);
        codes.push_back(ArcsPointCode(x, y, arc1, arc2, solver_codes[i]));
    }
    return count;
}
