// Geometric operations of a point: perpendicular feet, projections onto rays,
// meeting points of segments, rays and lines, the angle at a vertex and the
// turn of a path.
//
// Most operations forward to the segment primitives, which work in the frame
// of a segment; where a primitive refuses (a line shorter than 1e-10, parallel
// segments, non-finite coordinates) the out point becomes this point and
// along and offset 0, so that no caller ever reads an undefined value. The
// operations that measure (angles, the on-line test) answer non-finite input
// as they answer degenerate input.
//
// IntersectLinesByAngles finds where two lines given by a point and a
// direction meet as the apex of a triangle on the base P-Q: it measures the
// base angles at P and Q between the base and the given directions and
// applies the sine rule. That is exact when both directions point toward the
// meeting point or both away from it, and those results are kept bit for bit,
// as the element geometry built on them expects. When exactly one direction
// points away, the base angle at that end is the supplement of the one
// measured and the triangle is a different one; that case is recognised from
// the signs of the two line parameters and solved directly instead. All of
// this is a few dozen floating-point operations; nothing iterates.

#include "core/BPoint.h"

#include "core/Constants.h"
#include "core/Finite.h"
#include "core/PlaneGeometry.h"

#include <algorithm>
#include <cmath>

namespace {

bool AllPointsFinite(std::initializer_list<TBPoint> points)
{
    for (const TBPoint& point : points) {
        if (!AllFinite({ point.GetX(), point.GetY() }))
            return false;
    }
    return true;
}

constexpr double kSamePointTolerance = 1e-12;
// Sides, distances and angle differences below this are nothing at all.
constexpr double kVanishing = 1e-16;

// Where the line through P with direction a meets the line through Q with
// direction b, from P + s * dir(a) = Q + t * dir(b): the parameters s and t
// are the signed distances of the meeting point from P along a and from Q
// along b. Returns false for parallel directions.
bool LineParameters(const TBPoint& p, double a, const TBPoint& q, double b, double& s, double& t)
{
    const double ax = std::cos(a), ay = std::sin(a);
    const double bx = std::cos(b), by = std::sin(b);
    const double denominator = ax * by - ay * bx;
    if (denominator == 0)
        return false;
    const double wx = q.GetX() - p.GetX(), wy = q.GetY() - p.GetY();
    s = (wx * by - wy * bx) / denominator;
    t = (wx * ay - wy * ax) / denominator;
    return true;
}

} // namespace

void PolarPoint(TBPoint start, TAngle a, double distance, TBPoint& result)
{
    double x = 0, y = 0;
    PolarXY(start.GetX(), start.GetY(), a, distance, x, y);
    result.SetXY(x, y);
}

void RotatePoint(TBPoint point, TAngle a, TBPoint& result)
{
    double x = 0, y = 0;
    RotateXY(point.GetX(), point.GetY(), a, x, y);
    result.SetXY(x, y);
}

TAngle TBPoint::DirectionTo(const TBPoint& q) const
{
    if (DistanceTo(q) > kSamePointTolerance)
        return TAngle(std::atan2(q.GetY() - y_, q.GetX() - x_));
    return TAngle();
}

int TBPoint::PerpendicularFoot(const TBPoint& a, const TBPoint& q, TBPoint& foot) const
{
    double along = 0, offset = 0;
    return PerpendicularFootEx(a, q, foot, along, offset);
}

int TBPoint::PerpendicularFootEx(const TBPoint& a, const TBPoint& q, TBPoint& foot, double& along,
                                 double& offset) const
{
    double fx = x_, fy = y_;
    along = 0;
    offset = 0;
    const int result = PerpendicularFootXYEx(x_, y_, a.GetX(), a.GetY(), q.GetX(), q.GetY(), fx, fy,
                                             along, offset);
    foot.SetXY(fx, fy);
    return result;
}

int TBPoint::ProjectOntoRay(const TAngle& a, const TBPoint& q, TBPoint& foot, double& along,
                            double& offset) const
{
    TBPoint in_ray_frame;
    RotatePoint(q - *this, -a, in_ray_frame);
    along = in_ray_frame.GetX();
    offset = in_ray_frame.GetY();
    TBPoint foot_from_p;
    RotatePoint(TBPoint(along, 0.0), a, foot_from_p);
    foot.SetXY(x_ + foot_from_p.GetX(), y_ + foot_from_p.GetY());
    return along > -SegmentTolerance ? 1 : 0;
}

int TBPoint::IntersectSegments(const TBPoint& a, const TBPoint& b, const TBPoint& c, TBPoint& meeting) const
{
    double along = 0;
    return IntersectSegmentsEx(a, b, c, meeting, along);
}

int TBPoint::IntersectSegmentsEx(const TBPoint& a, const TBPoint& b, const TBPoint& c, TBPoint& meeting,
                                 double& along) const
{
    double x = x_, y = y_;
    along = 0;
    const int result = IntersectSegmentsXYEx(x_, y_, a.GetX(), a.GetY(), b.GetX(), b.GetY(), c.GetX(),
                                             c.GetY(), x, y, along);
    meeting.SetXY(x, y);
    return result;
}

int TBPoint::IntersectRays(const TAngle& a, const TBPoint& q, const TAngle& b, TBPoint& meeting) const
{
    const double length = 1000 * DistanceTo(q);
    TBPoint end_from_p, end_from_q;
    PolarPoint(*this, a, length, end_from_p);
    PolarPoint(q, b, length, end_from_q);
    return IntersectSegments(end_from_p, q, end_from_q, meeting);
}

int TBPoint::IntersectLinesByAngles(const TAngle& a, const TBPoint& q, const TAngle& b, TBPoint& meeting,
                                    int check) const
{
    const double base = DistanceTo(q);
    if (base < kVanishing || !AllPointsFinite({ *this, q }) || !AllFinite({ a.GetRadians(), b.GetRadians() })) {
        meeting = q;
        return 0;
    }
    if (check != 0) {
        TBPoint foot;
        double along = 0, offset = 0;
        ProjectOntoRay(a, q, foot, along, offset);
        if (std::fabs(offset) < SegmentTolerance) {
            meeting = q;
            return 0;
        }
    }
    // Exact differences of the radians values, not normalised.
    const double apex_difference = std::fabs((a - b).GetRadians());
    const double opposite_difference = std::fabs((a - b.Directed(-1)).GetRadians());
    if (apex_difference < kVanishing || opposite_difference < kVanishing) {
        meeting = q;
        return 0;
    }

    double along_a = 0, along_b = 0;
    if (LineParameters(*this, a.GetRadians(), q, b.GetRadians(), along_a, along_b)
        && along_a * along_b < 0) {
        // Exactly one direction points away from the meeting point.
        PolarPoint(*this, a, along_a, meeting);
        return 1;
    }

    // The triangle on the base P-Q with its apex where the lines meet.
    const double length = MaxOf(100 * base, 10);
    const TAngle toward_q = DirectionTo(q);
    const TAngle toward_p = q.DirectionTo(*this);
    TBPoint along_a_end, along_b_end, beyond_p, beyond_q;
    PolarPoint(*this, a, length, along_a_end);
    PolarPoint(q, b, length, along_b_end);
    PolarPoint(q, toward_p, length, beyond_p);
    PolarPoint(*this, toward_q, length, beyond_q);

    const double apex = apex_difference;
    double at_p = VertexAngle(beyond_q, along_a_end).GetRadians();
    double at_q = q.VertexAngle(beyond_p, along_b_end).GetRadians();
    if (at_p == 0 && at_q == 0) {
        at_p = at_q = (Pi - apex) / 2;
    } else if (at_p == 0) {
        at_p = Pi - apex - at_q;
    } else if (at_q == 0) {
        at_q = Pi - apex - at_p;
    }
    if (at_p == 0) {
        meeting = q;
        return 0;
    }

    // Apex height over the base and its position along the base.
    const double height = base * std::sin(at_p) * std::sin(at_q) / std::sin(at_p + at_q);
    const double along_base = height / std::tan(at_p);
    TBPoint above, below;
    RotatePoint(TBPoint(along_base, height), toward_q, above);
    RotatePoint(TBPoint(along_base, -height), toward_q, below);
    above += *this;
    below += *this;

    // Of the apex and its mirror image, the one on the first line.
    TBPoint foot;
    double along = 0, offset_above = 0, offset_below = 0;
    ProjectOntoRay(a, above, foot, along, offset_above);
    if (std::fabs(offset_above) <= kVanishing) {
        meeting.SetXY(above.GetX(), above.GetY());
        return 1;
    }
    ProjectOntoRay(a, below, foot, along, offset_below);
    const TBPoint& chosen = std::fabs(offset_below) <= std::fabs(offset_above) ? below : above;
    meeting.SetXY(chosen.GetX(), chosen.GetY());
    return 1;
}

TAngle TBPoint::VertexAngle(const TBPoint& a, const TBPoint& b) const
{
    const double to_a = DistanceTo(a);
    const double a_to_b = a.DistanceTo(b);
    const double to_b = DistanceTo(b);
    if (to_a < kVanishing || a_to_b < kVanishing || to_b < kVanishing || !AllFinite({ to_a, a_to_b, to_b }))
        return TAngle();
    const double cosine = (std::pow(to_b, 2) + std::pow(to_a, 2) - std::pow(a_to_b, 2)) / (2 * to_b * to_a);
    // Rounding may put the cosine just outside [-1, 1] for a straight or a
    // folded vertex; that is an angle of 0 or pi, not a missing one.
    return TAngle(std::acos(std::clamp(cosine, -1.0, 1.0)));
}

TAngle TBPoint::DeflectionAngle(const TBPoint& previous, const TBPoint& next) const
{
    const double incoming = previous.DistanceTo(*this);
    if (incoming < SegmentTolerance || !AllPointsFinite({ previous, *this, next }))
        return TAngle(); // no incoming direction: no turn
    TBPoint foot;
    double along = 0, offset = 0;
    previous.PerpendicularFootEx(*this, next, foot, along, offset);
    const double along_from_here = along - incoming;
    if (std::fabs(offset) < SegmentTolerance)
        return TAngle(along_from_here > 0 ? 0.0 : Pi);
    return TAngle(std::fabs(std::atan2(offset, along_from_here)));
}

int TBPoint::SideOfRay(const TAngle& a, const TBPoint& q) const
{
    TBPoint foot;
    double along = 0, offset = 0;
    ProjectOntoRay(a, q, foot, along, offset);
    return offset >= 0 ? 1 : -1;
}

void TBPoint::PolarOffset(double distance, const TAngle& a, TBPoint& result) const
{
    PolarPoint(*this, a, distance, result);
}

void TBPoint::RotateAbout(const TBPoint& centre, const TAngle& a, TBPoint& result) const
{
    double x = 0, y = 0;
    RotateXY(x_ - centre.GetX(), y_ - centre.GetY(), a, x, y);
    result.SetXY(centre.GetX() + x, centre.GetY() + y);
}

int TBPoint::DivisionPoint(const TBPoint& q, const double& m, const double& n, TBPoint& result) const
{
    const double sum = m + n;
    if (sum != 0)
        result.SetXY((m * q.GetX() + n * x_) / sum, (m * q.GetY() + n * y_) / sum);
    return static_cast<int>(Sign(m * n));
}

int TBPoint::IsOnLine(const TBPoint& q, const TBPoint& a) const
{
    if (!AllPointsFinite({ *this, q, a }))
        return 0;
    if (DistanceTo(a) < SegmentTolerance)
        return DistanceTo(q) < SegmentTolerance ? 1 : 0;
    TBPoint foot;
    double along = 0, offset = 0;
    const int on_segment = PerpendicularFootEx(a, q, foot, along, offset);
    if (std::fabs(offset) >= SegmentTolerance)
        return 0;
    return on_segment == 1 ? 1 : -1;
}

int TBPoint::IsInBox(const TBPoint& a, const TBPoint& b) const
{
    const bool within_x = MinOf(a.GetX(), b.GetX()) <= x_ && x_ <= MaxOf(a.GetX(), b.GetX());
    const bool within_y = MinOf(a.GetY(), b.GetY()) <= y_ && y_ <= MaxOf(a.GetY(), b.GetY());
    return within_x && within_y ? 1 : 0;
}
