#include "core/EllipseArc.h"

#include "tests/core/ArcTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double stale = -777; // what a caller left in an out-parameter

struct PointResult {
    int on = -9;
    double x = stale, y = stale;
};

PointResult PointAt(const TestArc& a, TAngle t)
{
    PointResult p;
    p.on = EllipseArcPointAt(t, a.cx, a.cy, a.r, a.start, a.sweep, a.ratio, a.tilt, p.x, p.y);
    return p;
}

struct AngleResult {
    int on = -9;
    TAngle t = Degrees(stale), t90 = Degrees(stale);
};

AngleResult AngleOf(const TestArc& a, double x, double y)
{
    AngleResult r;
    r.on = EllipseArcAngleOfPoint(x, y, a.cx, a.cy, a.r, a.start, a.sweep, a.ratio, a.tilt, r.t, r.t90);
    return r;
}

struct TangentPointsResult {
    int result = -9;
    double x1 = stale, y1 = stale, x2 = stale, y2 = stale;
    TAngle t1 = Degrees(stale), t2 = Degrees(stale);
    int on1 = -9, on2 = -9;
};

TangentPointsResult TangentPoints(const TestArc& a, TAngle direction)
{
    TangentPointsResult r;
    r.result = EllipseArcTangentPoints(direction, a.cx, a.cy, a.r, a.start, a.sweep, a.ratio, a.tilt,
                                       r.x1, r.y1, r.t1, r.on1, r.x2, r.y2, r.t2, r.on2);
    return r;
}

TestArc HalfEllipse()
{
    TestArc arc; // r = 10, ratio 0.5, the upper half
    arc.ratio = 0.5;
    arc.sweep = Degrees(180);
    return arc;
}

double NormalizedDegrees(const TAngle& angle)
{
    return angle.Normalized().GetDegrees();
}

} // namespace

TEST(EllipseArc, PointAtAndMembership)
{
    const struct {
        const char* name;
        TestArc arc;
        double t_degrees;
        int on;
        double x, y;
    } cases[] = {
        { "inside", CircleArc(0, 0, 10, 0, 90), 45, 1, 10 * std::sqrt(0.5), 10 * std::sqrt(0.5) },
        { "outside", CircleArc(0, 0, 10, 0, 90), 180, 0, -10, 0 },
        { "at the end", CircleArc(0, 0, 10, 0, 90), 90, 1, 0, 10 },
        { "at the start", CircleArc(0, 0, 10, 0, 90), 0, 1, 10, 0 },
        { "negative sweep, same arc", CircleArc(0, 0, 10, 90, -90), 45, 1, 10 * std::sqrt(0.5), 10 * std::sqrt(0.5) },
        { "negative sweep, outside", CircleArc(0, 0, 10, 90, -90), 100, 0, 10 * std::cos(Pi * 100 / 180), 10 * std::sin(Pi * 100 / 180) },
        { "ellipse", HalfEllipse(), 90, 1, 0, 5 },
        // More than a full turn is the whole ellipse, not its excess of 10.
        { "more than a full turn", CircleArc(0, 0, 10, 0, 370), 180, 1, -10, 0 },
        { "less than minus a full turn", CircleArc(0, 0, 10, 0, -370), 90, 1, 0, 10 },
        { "off centre", CircleArc(3, 4, 2, 0, 360), 180, 1, 1, 4 },
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        const PointResult p = PointAt(test.arc, Degrees(test.t_degrees));
        EXPECT_EQ(p.on, test.on);
        EXPECT_NEAR(p.x, test.x, 1e-9);
        EXPECT_NEAR(p.y, test.y, 1e-9);
    }

    // With a tilt the arc runs from drawing angle start + tilt.
    TestArc tilted = CircleArc(0, 0, 10, 0, 90);
    tilted.tilt = Degrees(30);
    const PointResult begin = PointAt(tilted, Degrees(30));
    EXPECT_EQ(begin.on, 1);
    EXPECT_NEAR(begin.x, 10 * std::sqrt(0.75), 1e-9);
    EXPECT_NEAR(begin.y, 5, 1e-9);
    EXPECT_EQ(PointAt(tilted, Degrees(0)).on, 0);
    EXPECT_EQ(PointAt(tilted, Degrees(120)).on, 1);
}

TEST(EllipseArc, AngleOfPoint)
{
    const TestArc half = HalfEllipse();
    const AngleResult on_curve = AngleOf(half, 0, 5);
    EXPECT_EQ(on_curve.on, 1);
    EXPECT_NEAR(on_curve.t.GetDegrees(), 90, 1e-9);
    EXPECT_NEAR(on_curve.t90.GetDegrees(), 180, 1e-9);
    EXPECT_EQ(on_curve.t.GetKind(), TAngle::KindRadians);

    const AngleResult off_curve = AngleOf(half, 0, 6);
    EXPECT_EQ(off_curve.on, -1);
    EXPECT_NEAR(off_curve.t.GetDegrees(), 90, 1e-9);

    EXPECT_EQ(AngleOf(half, 0, -5).on, 0); // on the curve, outside the sweep
    EXPECT_EQ(AngleOf(half, 0, -6).on, 0);

    const AngleResult centre = AngleOf(half, 0, 0);
    EXPECT_EQ(centre.on, -1);
    EXPECT_EQ(centre.t.GetRadians(), 0);

    // Angles stay within half a turn of the tilt, not normalised.
    TestArc tilted = CircleArc(0, 0, 10, 0, 360);
    tilted.tilt = Degrees(-30);
    const AngleResult below = AngleOf(tilted, 0, -10);
    EXPECT_EQ(below.on, 1);
    EXPECT_NEAR(below.t.GetDegrees(), -90, 1e-9);
}

TEST(EllipseArc, TangentPointsOfAnEllipse)
{
    const TestArc half = HalfEllipse();
    const TangentPointsResult horizontal = TangentPoints(half, Degrees(0));
    EXPECT_NEAR(horizontal.x1, 0, 1e-9);
    EXPECT_NEAR(horizontal.y1, 5, 1e-9);
    EXPECT_NEAR(horizontal.x2, 0, 1e-9);
    EXPECT_NEAR(horizontal.y2, -5, 1e-9);
    EXPECT_NEAR(horizontal.t1.GetDegrees(), 90, 1e-9);
    EXPECT_NEAR(horizontal.t2.GetDegrees(), 270, 1e-9);
    EXPECT_EQ(horizontal.on1, 1);
    EXPECT_EQ(horizontal.on2, 0);
    EXPECT_EQ(horizontal.result, 0);

    const TangentPointsResult vertical = TangentPoints(half, Degrees(90));
    EXPECT_NEAR(vertical.x1, 10, 1e-9);
    EXPECT_NEAR(vertical.y1, 0, 1e-9);
    EXPECT_NEAR(vertical.x2, -10, 1e-9);
    EXPECT_NEAR(vertical.y2, 0, 1e-9);
    EXPECT_EQ(vertical.result, 1); // both ends belong to the arc

    const TangentPointsResult diagonal = TangentPoints(half, Degrees(45));
    const double phi = 180 - std::atan(0.5) * 180 / Pi; // tan phi = -0.5
    EXPECT_NEAR(diagonal.t1.GetDegrees(), phi, 1e-9);
    EXPECT_NEAR(diagonal.t2.GetDegrees(), phi + 180, 1e-9);

    // 180 degrees takes the general formula and gives the same points as 0.
    const TangentPointsResult reversed = TangentPoints(half, Degrees(180));
    EXPECT_NEAR(reversed.x1, 0, 1e-9);
    EXPECT_NEAR(reversed.y1, 5, 1e-9);
}

TEST(EllipseArc, TangentAtGivesTheConjugateChord)
{
    const TestArc circle = CircleArc(0, 0, 10, 0, 90);
    double x = stale, y = stale;
    TAngle chord;
    EXPECT_EQ(EllipseArcTangentAt(Degrees(0), circle.cx, circle.cy, circle.r, circle.start, circle.sweep,
                                  circle.ratio, circle.tilt, x, y, chord),
              1);
    EXPECT_NEAR(x, 10, 1e-12);
    EXPECT_NEAR(y, 0, 1e-12);
    EXPECT_NEAR(chord.GetDegrees(), -45, 1e-9);
    EXPECT_NEAR(NormalizedDegrees(chord), 315, 1e-9);
}

// Random arcs: the angle of the point at an angle is that angle again, with
// the same membership away from the ends; the tangent points' derivative runs
// along the asked direction.
TEST(EllipseArc, PointsAnglesAndTangentsAgree)
{
    std::mt19937_64 random(3);
    std::uniform_real_distribution<double> unit(0, 1);
    for (int trial = 0; trial < 500; ++trial) {
        TestArc arc;
        arc.cx = 100 * unit(random) - 50;
        arc.cy = 100 * unit(random) - 50;
        arc.r = 0.5 + 50 * unit(random);
        arc.ratio = trial % 5 == 0 ? 1 : 0.1 + 1.5 * unit(random);
        arc.start = Degrees(720 * unit(random) - 360);
        arc.sweep = Degrees(800 * unit(random) - 400);
        arc.tilt = Degrees(720 * unit(random) - 360);
        const oracle::Ellipse ellipse = arc.AsOracleEllipse();
        SCOPED_TRACE(testing::Message() << "trial " << trial << " start " << arc.start.GetDegrees()
                                        << " sweep " << arc.sweep.GetDegrees());

        const TAngle t(oracle::kTwoPi * unit(random));
        const PointResult p = PointAt(arc, t);
        const AngleResult back = AngleOf(arc, p.x, p.y);
        const double phi = t.GetRadians() - arc.tilt.GetRadians();
        double ox = 0, oy = 0;
        ellipse.PointAt(phi, ox, oy);
        EXPECT_NEAR(p.x, ox, 1e-9 * arc.r);
        EXPECT_NEAR(p.y, oy, 1e-9 * arc.r);
        EXPECT_NEAR(std::remainder(back.t.GetRadians() - t.GetRadians(), oracle::kTwoPi), 0, 1e-9);
        if (std::fabs(arc.DepthOf(phi)) > 1e-9) {
            EXPECT_EQ(p.on, arc.DepthOf(phi) > 0 ? 1 : 0);
            EXPECT_EQ(back.on, p.on);
        }

        const TAngle direction(oracle::kTwoPi * unit(random));
        const TangentPointsResult tangents = TangentPoints(arc, direction);
        for (const TAngle& at : { tangents.t1, tangents.t2 }) {
            double tx = 0, ty = 0;
            ellipse.TangentAt(at.GetRadians() - arc.tilt.GetRadians(), tx, ty);
            const double sine = (tx * std::sin(direction.GetRadians()) - ty * std::cos(direction.GetRadians()))
                / std::hypot(tx, ty);
            EXPECT_NEAR(sine, 0, 1e-7);
        }
        EXPECT_EQ(tangents.result, tangents.on1 * tangents.on2);
    }
}

TEST(EllipseArc, TransformedEllipseAxes)
{
    double first = stale, second = stale;
    TAngle before, after;
    EXPECT_EQ(TransformedEllipseAxes(2, 1, 1, 1, Degrees(0), first, second, before, after), 2);
    EXPECT_DOUBLE_EQ(first, 2);
    EXPECT_DOUBLE_EQ(second, 1);
    EXPECT_EQ(before.GetRadians(), 0);
    EXPECT_EQ(after.GetRadians(), 0);

    // A half turn: diag(10, 5) Rot(180) diag(1, 2) is -10 times the identity.
    // The rotations come out near pi, where dividing by their sines (which
    // atan2 cannot make as small as the true ones) gave 12.5 for both axes.
    EXPECT_EQ(TransformedEllipseAxes(10, 5, 1, 2, Degrees(180), first, second, before, after), 1);
    EXPECT_NEAR(first, 10, 1e-12);
    EXPECT_NEAR(second, 10, 1e-12);
}

// diag(p, q) Rot(t) diag(r, s) = Rot(after) diag(first, second) Rot(before),
// checked as matrices for random factors of either sign.
TEST(EllipseArc, TransformedEllipseAxesSplitTheMatrix)
{
    const auto rotation = [](double angle, double m[2][2]) {
        m[0][0] = std::cos(angle);
        m[0][1] = -std::sin(angle);
        m[1][0] = std::sin(angle);
        m[1][1] = std::cos(angle);
    };
    std::mt19937_64 random(5);
    std::uniform_real_distribution<double> unit(0, 1);
    for (int trial = 0; trial < 500; ++trial) {
        const double p = 10 * unit(random) - 2, q = 10 * unit(random) - 2;
        const double r = 3 * unit(random) - 0.5, s = 3 * unit(random) - 0.5;
        const double t = trial % 7 == 0 ? (trial % 4) * Pi / 2 : 8 * unit(random) - 4;
        double first = stale, second = stale;
        TAngle before, after;
        const int result = TransformedEllipseAxes(p, q, r, s, TAngle(t), first, second, before, after);
        ASSERT_TRUE(result == 1 || result == 2);
        double turn[2][2], a[2][2], b[2][2];
        rotation(t, turn);
        rotation(after.GetRadians(), a);
        rotation(before.GetRadians(), b);
        const double scale = std::fabs(p * r) + std::fabs(p * s) + std::fabs(q * r) + std::fabs(q * s);
        for (int i = 0; i < 2; ++i) {
            for (int j = 0; j < 2; ++j) {
                const double left = (i == 0 ? p : q) * turn[i][j] * (j == 0 ? r : s);
                const double right = a[i][0] * first * b[0][j] + a[i][1] * second * b[1][j];
                EXPECT_NEAR(left, right, 1e-12 * scale) << "trial " << trial << " at " << i << j;
            }
        }
        if (p > 0 && q > 0 && r > 0 && s > 0) {
            EXPECT_GE(first, 0);
            EXPECT_GE(second, -1e-12 * scale);
        }
    }
}

// A flat ellipse (ratio 0) has no circle frame: the queries that divide by
// the ratio answer 0 and write nothing, instead of NaN angles or points. Its
// points themselves are well defined.
TEST(EllipseArc, FlatEllipseAndNonFiniteInput)
{
    TestArc flat = CircleArc(0, 0, 10, 0, 360);
    flat.ratio = 0;
    const PointResult p = PointAt(flat, Degrees(90));
    EXPECT_EQ(p.on, 1);
    EXPECT_NEAR(p.x, 0, 1e-12);
    EXPECT_EQ(p.y, 0);

    const AngleResult angle = AngleOf(flat, 5, 0);
    EXPECT_EQ(angle.on, 0);
    EXPECT_EQ(angle.t.GetDegrees(), stale);
    const TangentPointsResult tangents = TangentPoints(flat, Degrees(180));
    EXPECT_EQ(tangents.result, 0);
    EXPECT_EQ(tangents.x1, stale);
    EXPECT_EQ(tangents.t1.GetDegrees(), stale);

    TestArc broken = CircleArc(0, 0, 10, 0, 360);
    broken.r = kNaN;
    const PointResult nowhere = PointAt(broken, Degrees(0));
    EXPECT_EQ(nowhere.on, 0);
    EXPECT_EQ(nowhere.x, stale);
    EXPECT_EQ(PointAt(CircleArc(0, 0, 10, 0, 360), TAngle(kNaN)).x, stale);
    EXPECT_EQ(AngleOf(CircleArc(0, 0, 10, 0, 360), kNaN, 0).on, 0);
    // A radius whose points overflow.
    const PointResult huge = PointAt(CircleArc(1e308, 0, 1e308, 0, 360), Degrees(0));
    EXPECT_EQ(huge.on, 0);
    EXPECT_EQ(huge.x, stale);

    double first = stale, second = stale;
    TAngle before, after;
    EXPECT_EQ(TransformedEllipseAxes(kNaN, 1, 1, 1, Degrees(0), first, second, before, after), 0);
    EXPECT_EQ(first, stale);
    // Axes near the largest double: their sum must not overflow.
    EXPECT_EQ(TransformedEllipseAxes(1e154, 1, 1.5e154, 0, Degrees(0), first, second, before, after), 2);
    EXPECT_DOUBLE_EQ(first, 1.5e308);
    EXPECT_EQ(second, 0);
}
