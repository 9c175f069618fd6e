#include "core/BPoint.h"

#include "core/Constants.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

constexpr double kStale = -777;

// An out point as a caller may leave it: somewhere else, with its own tag.
TBPoint StalePoint()
{
    return TBPoint(kStale, kStale, 42);
}

void ExpectPointNear(const TBPoint& actual, double x, double y, double tolerance = 1e-12)
{
    EXPECT_NEAR(actual.GetX(), x, tolerance);
    EXPECT_NEAR(actual.GetY(), y, tolerance);
}

struct LineMeeting {
    TBPoint x = StalePoint();
    int result = -1;
};

LineMeeting MeetLines(TBPoint p, double a_degrees, TBPoint q, double b_degrees, int check = 0)
{
    LineMeeting meeting;
    meeting.result = p.IntersectLinesByAngles(Degrees(a_degrees), q, Degrees(b_degrees), meeting.x, check);
    return meeting;
}

// Signed distance of a point from the line through p with the direction.
double OffsetFromLine(const TBPoint& p, double degrees, const TBPoint& point)
{
    const double radians = TAngle::DegToRad(degrees);
    return (point.GetY() - p.GetY()) * std::cos(radians) - (point.GetX() - p.GetX()) * std::sin(radians);
}

} // namespace

TEST(PointGeometry, DirectionTo)
{
    EXPECT_DOUBLE_EQ(TBPoint(0, 0).DirectionTo(TBPoint(0, 1)).GetRadians(), Pi / 2);
    EXPECT_EQ(TBPoint(0, 0).DirectionTo(TBPoint(0.0, 5e-13)).GetRadians(), 0);
    EXPECT_EQ(TBPoint(0, 0).DirectionTo(TBPoint(-1, 0)).GetRadians(), Pi);
    EXPECT_EQ(TBPoint(0, 0).DirectionTo(TBPoint(0, 1)).GetKind(), TAngle::KindRadians);
}

TEST(PointGeometry, PerpendicularFoot)
{
    const TBPoint p(0, 0);
    TBPoint foot = StalePoint();
    double along = kStale, offset = kStale;
    EXPECT_EQ(p.PerpendicularFootEx(TBPoint(10, 0), TBPoint(5, 3), foot, along, offset), 1);
    ExpectPointNear(foot, 5, 0);
    EXPECT_DOUBLE_EQ(along, 5);
    EXPECT_DOUBLE_EQ(offset, 3);
    EXPECT_EQ(foot.GetTag(), 42);

    EXPECT_EQ(p.PerpendicularFootEx(TBPoint(10, 0), TBPoint(12, -1), foot, along, offset), 0);
    ExpectPointNear(foot, 12, 0);
    EXPECT_DOUBLE_EQ(offset, -1);

    EXPECT_EQ(p.PerpendicularFoot(TBPoint(0, 10), TBPoint(-3, 4), foot), 1);
    ExpectPointNear(foot, 0, 4);
}

TEST(PointGeometry, DegenerateLinesGiveThisPointAndZeros)
{
    const TBPoint p(3, 4);
    TBPoint out = StalePoint();
    double along = kStale, offset = kStale;
    EXPECT_EQ(p.PerpendicularFootEx(TBPoint(3.0, 4 + 5e-11), TBPoint(9, 9), out, along, offset), 0);
    ExpectPointNear(out, 3, 4, 0);
    EXPECT_EQ(along, 0);
    EXPECT_EQ(offset, 0);
    EXPECT_EQ(out.GetTag(), 42);

    out = StalePoint();
    along = kStale;
    EXPECT_EQ(p.IntersectSegmentsEx(p, TBPoint(0, 0), TBPoint(9, 9), out, along), 0);
    ExpectPointNear(out, 3, 4, 0);
    EXPECT_EQ(along, 0);

    // Parallel segments.
    out = StalePoint();
    along = kStale;
    EXPECT_EQ(p.IntersectSegmentsEx(TBPoint(13, 4), TBPoint(0, 5), TBPoint(10, 5), out, along), 0);
    ExpectPointNear(out, 3, 4, 0);
    EXPECT_EQ(along, 0);

    // Rays from one point.
    out = StalePoint();
    EXPECT_EQ(p.IntersectRays(Degrees(0), p, Degrees(90), out), 0);
    ExpectPointNear(out, 3, 4, 0);
}

TEST(PointGeometry, ProjectOntoRayAndSide)
{
    const TBPoint p(0, 0);
    TBPoint foot = StalePoint();
    double along = kStale, offset = kStale;
    EXPECT_EQ(p.ProjectOntoRay(Degrees(0), TBPoint(-3, 2), foot, along, offset), 0);
    ExpectPointNear(foot, -3, 0);
    EXPECT_DOUBLE_EQ(along, -3);
    EXPECT_DOUBLE_EQ(offset, 2);

    EXPECT_EQ(p.ProjectOntoRay(Degrees(0), TBPoint(3, -2), foot, along, offset), 1);
    EXPECT_DOUBLE_EQ(offset, -2);

    EXPECT_EQ(TBPoint(1, 1).ProjectOntoRay(Degrees(90), TBPoint(3, 5), foot, along, offset), 1);
    ExpectPointNear(foot, 1, 5);
    EXPECT_NEAR(along, 4, 1e-12);
    EXPECT_NEAR(offset, -2, 1e-12);

    EXPECT_EQ(p.SideOfRay(Degrees(0), TBPoint(3, -2)), -1);
    EXPECT_EQ(p.SideOfRay(Degrees(0), TBPoint(3, 0)), 1);
    EXPECT_EQ(p.SideOfRay(Degrees(0), TBPoint(-3, 1)), 1);
}

TEST(PointGeometry, IntersectSegments)
{
    const TBPoint p(0, 0);
    TBPoint x = StalePoint();
    double along = kStale;
    EXPECT_EQ(p.IntersectSegmentsEx(TBPoint(10, 10), TBPoint(0, 10), TBPoint(10, 0), x, along), 1);
    ExpectPointNear(x, 5, 5);
    EXPECT_DOUBLE_EQ(along, 5 * std::sqrt(2.0));
    EXPECT_EQ(x.GetTag(), 42);
    // The lines meet off the second segment: the point is delivered all the same.
    EXPECT_EQ(p.IntersectSegments(TBPoint(10, 0), TBPoint(5, 1), TBPoint(5, 2), x), 0);
    ExpectPointNear(x, 5, 0);
}

TEST(PointGeometry, IntersectRays)
{
    const TBPoint p(0, 0), q(2, 0);
    TBPoint x = StalePoint();
    EXPECT_EQ(p.IntersectRays(Degrees(45), q, Degrees(135), x), 1);
    ExpectPointNear(x, 1, 1);
    x = StalePoint();
    EXPECT_EQ(p.IntersectRays(Degrees(225), q, Degrees(135), x), 0); // apart: where the lines meet
    ExpectPointNear(x, 1, 1, 1e-9);
    EXPECT_EQ(p.IntersectRays(Degrees(45), q, Degrees(45), x), 0); // parallel: P
    ExpectPointNear(x, 0, 0, 0);
    // Rays that meet only beyond 1000 times the base.
    EXPECT_EQ(p.IntersectRays(Degrees(90), q, Degrees(90.01), x), 0);
    EXPECT_EQ(p.IntersectRays(Degrees(90), q, Degrees(91), x), 1);
    ExpectPointNear(x, 0, 2 / std::tan(TAngle::DegToRad(1)), 1e-9);
}

TEST(PointGeometry, IntersectLinesByAnglesTowardOrAway)
{
    const TBPoint p(0, 0), q(2, 0);
    LineMeeting m = MeetLines(p, 45, q, 135); // both toward (1, 1)
    EXPECT_EQ(m.result, 1);
    ExpectPointNear(m.x, 1, 1);
    EXPECT_EQ(m.x.GetTag(), 42);

    m = MeetLines(p, 135, q, 45); // both away from (1, -1)
    EXPECT_EQ(m.result, 1);
    ExpectPointNear(m.x, 1, -1);

    m = MeetLines(p, -60, TBPoint(10, 0), -120); // both toward, below the base
    EXPECT_EQ(m.result, 1);
    ExpectPointNear(m.x, 5, -5 * std::sqrt(3.0), 1e-9);
}

TEST(PointGeometry, IntersectLinesByAnglesWithOneDirectionAway)
{
    struct Case {
        TBPoint p;
        double a;
        TBPoint q;
        double b;
        double x, y;
    };
    const Case cases[] = {
        { TBPoint(0, 0), 45, TBPoint(2, 0), -45, 1, 1 },
        { TBPoint(0, 0), 225, TBPoint(2, 0), 135, 1, 1 },
        { TBPoint(0, 0), 90, TBPoint(4, 1), 180, 0, 1 },
        { TBPoint(5, 5), 0, TBPoint(7, 8), 90, 7, 5 },
    };
    for (const Case& c : cases) {
        const LineMeeting m = MeetLines(c.p, c.a, c.q, c.b);
        EXPECT_EQ(m.result, 1) << c.a << " " << c.b;
        ExpectPointNear(m.x, c.x, c.y, 1e-9);
        EXPECT_NEAR(OffsetFromLine(c.p, c.a, m.x), 0, 1e-9);
        EXPECT_NEAR(OffsetFromLine(c.q, c.b, m.x), 0, 1e-9);
    }
}

TEST(PointGeometry, IntersectLinesByAnglesRefusals)
{
    const TBPoint p(0, 0);
    const TBPoint q(2.0, 0.0, 9);
    LineMeeting m = MeetLines(p, 45, q, 45); // parallel
    EXPECT_EQ(m.result, 0);
    ExpectPointNear(m.x, 2, 0, 0);
    EXPECT_EQ(m.x.GetTag(), 9); // an assignment of Q, tag included

    m = MeetLines(p, 45, q, 225); // antiparallel
    EXPECT_EQ(m.result, 0);

    m = MeetLines(q, 45, q, 135); // Q = P
    EXPECT_EQ(m.result, 0);
    EXPECT_EQ(m.x.GetTag(), 9);

    // Q on the first line: refused only when asked to check.
    m = MeetLines(p, 0, q, 90, 1);
    EXPECT_EQ(m.result, 0);
    ExpectPointNear(m.x, 2, 0, 0);
}

TEST(PointGeometry, VertexAngle)
{
    const TBPoint p(0, 0);
    EXPECT_DOUBLE_EQ(p.VertexAngle(TBPoint(1, 0), TBPoint(0, 1)).GetRadians(), Pi / 2);
    EXPECT_EQ(p.VertexAngle(TBPoint(1, 0), TBPoint(1, 0)).GetRadians(), 0);
    EXPECT_EQ(p.VertexAngle(TBPoint(1, 0), TBPoint(-1, 0)).GetRadians(), Pi);
    EXPECT_EQ(p.VertexAngle(p, TBPoint(-1, 0)).GetRadians(), 0);
}

TEST(PointGeometry, VertexAngleClampsARoundedCosine)
{
    // Collinear points whose cosine rounds outside [-1, 1].
    struct Case {
        TBPoint p, a, b;
        double angle;
    };
    const Case cases[] = {
        { TBPoint(0.1, 0.0), TBPoint(0.3, 0.0), TBPoint(-0.7, 0.0), Pi },
        { TBPoint(0.0, 0.0), TBPoint(0.1, 0.0), TBPoint(0.3, 0.0), 0 },
        { TBPoint(0.3, 0.0), TBPoint(0.1, 0.0), TBPoint(0.7, 0.0), Pi },
    };
    for (const Case& c : cases) {
        const double to_a = c.p.DistanceTo(c.a), a_to_b = c.a.DistanceTo(c.b), to_b = c.p.DistanceTo(c.b);
        const double cosine = (to_b * to_b + to_a * to_a - a_to_b * a_to_b) / (2 * to_b * to_a);
        SCOPED_TRACE(cosine);
        EXPECT_NEAR(c.p.VertexAngle(c.a, c.b).GetRadians(), c.angle, 1e-7);
    }
}

TEST(PointGeometry, DeflectionAngle)
{
    const TBPoint p(1, 0), previous(0, 0);
    struct Case {
        TBPoint next;
        double angle;
    };
    const Case cases[] = {
        { TBPoint(2, 0), 0 },
        { TBPoint(0, 0), Pi },
        { TBPoint(1, 0), Pi }, // Next = P
        { TBPoint(1, 1), Pi / 2 },
        { TBPoint(1, -1), Pi / 2 },
        { TBPoint(2, 1), Pi / 4 },
    };
    for (const Case& c : cases)
        EXPECT_NEAR(p.DeflectionAngle(previous, c.next).GetRadians(), c.angle, 1e-15)
            << c.next.GetX() << "," << c.next.GetY();
    // No incoming direction: no turn.
    EXPECT_EQ(p.DeflectionAngle(TBPoint(1.0, 5e-11), TBPoint(0, 0)).GetRadians(), 0);
}

TEST(PointGeometry, PolarOffsetAndRotation)
{
    TBPoint out = StalePoint();
    TBPoint(1, 1).PolarOffset(2, Degrees(90), out);
    ExpectPointNear(out, 1, 3);
    EXPECT_EQ(out.GetTag(), 42);

    out = StalePoint();
    RotatePoint(TBPoint(1.0, 0.0, 5), TAngle(Pi / 2), out);
    ExpectPointNear(out, 0, 1);
    EXPECT_EQ(out.GetTag(), 42);

    out = StalePoint();
    TBPoint(2, 1).RotateAbout(TBPoint(1, 1), TAngle(Pi), out);
    ExpectPointNear(out, 0, 1);
    EXPECT_EQ(out.GetTag(), 42);

    out = StalePoint();
    PolarPoint(TBPoint(1, 2), Degrees(180), 3, out);
    ExpectPointNear(out, -2, 2);
}

TEST(PointGeometry, DivisionPoint)
{
    const TBPoint p(0, 0), q(10, 0);
    TBPoint r = StalePoint();
    EXPECT_EQ(p.DivisionPoint(q, 1, 4, r), 1);
    ExpectPointNear(r, 2, 0);
    EXPECT_EQ(p.DivisionPoint(q, 3, -1, r), -1);
    ExpectPointNear(r, 15, 0);
    r = StalePoint();
    EXPECT_EQ(p.DivisionPoint(q, 1, -1, r), -1);
    ExpectPointNear(r, kStale, kStale, 0); // no such point: left as it was
    EXPECT_EQ(p.DivisionPoint(q, 0, 5, r), 1);
    ExpectPointNear(r, 0, 0);
}

TEST(PointGeometry, IsOnLine)
{
    const TBPoint p(0, 0), a(10, 0);
    EXPECT_EQ(p.IsOnLine(TBPoint(5, 0), a), 1);
    EXPECT_EQ(p.IsOnLine(TBPoint(15, 0), a), -1);
    EXPECT_EQ(p.IsOnLine(TBPoint(5.0, 1e-9), a), 0);
    EXPECT_EQ(p.IsOnLine(TBPoint(10.0, 5e-11), a), 1);
    // A line P-A shorter than 1e-10 is the point P.
    EXPECT_EQ(p.IsOnLine(TBPoint(5e-11, 0.0), TBPoint(0.0, 5e-11)), 1);
    EXPECT_EQ(p.IsOnLine(TBPoint(5, 0), p), 0);
}

TEST(PointGeometry, IsInBox)
{
    const TBPoint a(2, 0), b(0, 2);
    EXPECT_EQ(TBPoint(1, 1).IsInBox(a, b), 1);
    EXPECT_EQ(TBPoint(2, 1).IsInBox(a, b), 1);
    EXPECT_EQ(TBPoint(2.0000001, 1.0).IsInBox(a, b), 0);
    EXPECT_EQ(TBPoint(1, -1).IsInBox(a, b), 0);
}

// Non-finite points and directions get the answers of degenerate input: no
// meeting point (the out point is P, or Q where Q is the documented refusal),
// zero angles, off the line; nothing undefined reaches the caller.
TEST(PointGeometry, NonFiniteInputIsRefused)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const TBPoint p(0, 0);
    for (const TBPoint& odd : { TBPoint(nan, 0.0), TBPoint(inf, -inf) }) {
        SCOPED_TRACE(odd.GetX());
        TBPoint out = StalePoint();
        EXPECT_EQ(p.IntersectLinesByAngles(Degrees(10), odd, Degrees(70), out, 1), 0);
        out = StalePoint();
        EXPECT_EQ(odd.IntersectLinesByAngles(TAngle(nan), p, Degrees(70), out, 0), 0);
        EXPECT_EQ(out, p);
        out = StalePoint();
        EXPECT_EQ(p.IntersectRays(Degrees(10), odd, TAngle(inf), out), 0);
        ExpectPointNear(out, 0, 0, 0);
        EXPECT_EQ(out.GetTag(), 42);

        out = StalePoint();
        double along = kStale, offset = kStale;
        EXPECT_EQ(p.PerpendicularFootEx(odd, TBPoint(1, 1), out, along, offset), 0);
        ExpectPointNear(out, 0, 0, 0);
        EXPECT_EQ(along, 0.0);
        EXPECT_EQ(offset, 0.0);
        EXPECT_EQ(p.PerpendicularFootEx(TBPoint(1, 1), odd, out, along, offset), 0);
        ExpectPointNear(out, 0, 0, 0);

        EXPECT_EQ(p.VertexAngle(odd, TBPoint(1, 1)).GetRadians(), 0.0);
        EXPECT_EQ(p.DeflectionAngle(odd, TBPoint(1, 1)).GetRadians(), 0.0);
        EXPECT_EQ(p.DeflectionAngle(TBPoint(-1, 0), odd).GetRadians(), 0.0);
        EXPECT_EQ(p.IsOnLine(odd, TBPoint(1, 1)), 0);
        EXPECT_EQ(p.IsOnLine(TBPoint(1, 1), odd), 0);
    }
}
