#include "core/CurveIntersection.h"

#include "tests/core/ArcTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iomanip>
#include <limits>
#include <random>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kRoot3 = std::sqrt(3.0);

struct Point {
    double x, y;
    int code;
};

struct Found {
    int result = -1;
    std::vector<Point> points;
};

Found Collect(int result, const std::vector<double>& xs, const std::vector<double>& ys,
              const std::vector<int>& codes)
{
    EXPECT_EQ(xs.size(), codes.size());
    EXPECT_EQ(ys.size(), codes.size());
    Found found;
    found.result = result;
    for (std::size_t i = 0; i < codes.size(); ++i)
        found.points.push_back({ xs[i], ys[i], codes[i] });
    return found;
}

Found SegmentWithArc(double x1, double y1, double x2, double y2, const TestArc& a)
{
    std::vector<double> xs, ys;
    std::vector<int> codes;
    const int result = IntersectSegmentEllipseArc(x1, y1, x2, y2, a.cx, a.cy, a.r, a.start, a.sweep,
                                                  a.ratio, a.tilt, xs, ys, codes);
    EXPECT_EQ(result, static_cast<int>(codes.size()));
    return Collect(result, xs, ys, codes);
}

Found ArcWithArc(const TestArc& a, const TestArc& b)
{
    std::vector<double> xs { 99 }, ys { 99 };
    std::vector<int> codes { 99 };
    const int result = IntersectEllipseArcs(a.cx, a.cy, a.r, a.start, a.sweep, a.ratio, a.tilt, b.cx,
                                            b.cy, b.r, b.start, b.sweep, b.ratio, b.tilt, xs, ys, codes);
    EXPECT_EQ(result, static_cast<int>(codes.size()));
    return Collect(result, xs, ys, codes);
}

void ExpectPoints(const Found& found, const std::vector<Point>& expected)
{
    ASSERT_EQ(found.points.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_NEAR(found.points[i].x, expected[i].x, 1e-6) << i;
        EXPECT_NEAR(found.points[i].y, expected[i].y, 1e-6) << i;
        EXPECT_EQ(found.points[i].code, expected[i].code) << i;
    }
}

// The sine of the angle between two curves at a point, from their gradients.
double SineBetween(const oracle::ImplicitCurve& first, const oracle::ImplicitCurve& second, double x,
                   double y)
{
    double ax = 0, ay = 0, bx = 0, by = 0;
    first.Gradient(x, y, ax, ay);
    second.Gradient(x, y, bx, by);
    return std::fabs(ax * by - ay * bx) / (std::hypot(ax, ay) * std::hypot(bx, by));
}

TestArc RandomArc(std::mt19937_64& random, double size)
{
    std::uniform_real_distribution<double> unit(0, 1);
    TestArc arc;
    arc.cx = size * (2 * unit(random) - 1);
    arc.cy = size * (2 * unit(random) - 1);
    arc.r = size * (0.2 + 0.8 * unit(random));
    arc.ratio = unit(random) < 0.2 ? 1 : 0.2 + 0.77 * unit(random);
    arc.start = Degrees(720 * unit(random) - 360);
    arc.sweep = unit(random) < 0.2 ? Degrees(360) : Degrees(680 * unit(random) - 340);
    arc.tilt = unit(random) < 0.2 ? Degrees(90 * static_cast<int>(4 * unit(random))) : Degrees(720 * unit(random) - 360);
    return arc;
}

// The axis ratio of the second arc's ellipse seen in the circle frame of the
// first: the singular values of diag(1, 1/ratio1) Rot(tilt2 - tilt1)
// diag(1, ratio2).
double RatioInCircleFrame(const TestArc& first, const TestArc& second)
{
    const double t = second.tilt.GetRadians() - first.tilt.GetRadians();
    const double m00 = std::cos(t), m01 = -std::sin(t) * second.ratio;
    const double m10 = std::sin(t) / first.ratio, m11 = std::cos(t) * second.ratio / first.ratio;
    const double frobenius = m00 * m00 + m01 * m01 + m10 * m10 + m11 * m11;
    const double determinant = std::fabs(m00 * m11 - m01 * m10);
    const double root = std::sqrt(std::fmax(0, frobenius * frobenius - 4 * determinant * determinant));
    return std::sqrt((frobenius - root) / (frobenius + root));
}

} // namespace

TEST(SegmentEllipseArc, PointsCodesAndOrder)
{
    const double w = 5 * kRoot3;
    const TestArc circle = CircleArc(0, 0, 10, 0, 360);
    const TestArc quarter = CircleArc(0, 0, 10, 0, 90);
    const struct {
        const char* name;
        double x1, y1, x2, y2;
        TestArc arc;
        std::vector<Point> points;
    } cases[] = {
        { "two crossings, the first end's side first", -20, 5, 20, 5, circle, { { -w, 5, 1 }, { w, 5, 1 } } },
        { "the other direction", 20, 5, -20, 5, circle, { { w, 5, 1 }, { -w, 5, 1 } } },
        { "a tangent", -20, 10, 20, 10, circle, { { 0, 10, 3 } } },
        { "one beyond the segment", 0, 5, 20, 5, circle, { { -w, 5, 0 }, { w, 5, 1 } } },
        { "one at the segment's end", 8.660254037844386, 5, 20, 5, circle, { { -w, 5, 0 }, { w, 5, 2 } } },
        { "one off the arc", -20, 5, 20, 5, quarter, { { -w, 5, 0 }, { w, 5, 1 } } },
        { "through the arc's end", 0, 0, 0, 20, quarter, { { 0, -10, 0 }, { 0, 10, 2 } } },
        { "a missing line", -20, 11, 20, 11, circle, {} },
        // A point is taken as a horizontal line (in the circle frame) through it.
        { "a segment of zero length", 0, 5, 0, 5, circle, { { w, 5, 0 }, { -w, 5, 0 } } },
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        const Found found = SegmentWithArc(test.x1, test.y1, test.x2, test.y2, test.arc);
        EXPECT_EQ(found.result, static_cast<int>(test.points.size()));
        ExpectPoints(found, test.points);
    }

    // An ellipse, tilted: the line x = 0 through r = 10, ratio 0.5 tilted by 90.
    TestArc tilted = CircleArc(0, 0, 10, 0, 360);
    tilted.ratio = 0.5;
    tilted.tilt = Degrees(90);
    ExpectPoints(SegmentWithArc(-20, 0, 20, 0, tilted), { { -5, 0, 1 }, { 5, 0, 1 } });
}

TEST(SegmentEllipseArc, AppendsToTheLists)
{
    std::vector<double> xs { 1 }, ys { 2 };
    std::vector<int> codes { 3 };
    const TestArc quarter = CircleArc(0, 0, 10, 0, 90);
    EXPECT_EQ(IntersectSegmentEllipseArc(0, 0, 20, 0, quarter.cx, quarter.cy, quarter.r, quarter.start,
                                         quarter.sweep, quarter.ratio, quarter.tilt, xs, ys, codes),
              2);
    EXPECT_EQ(xs.size(), 3u);
    EXPECT_EQ(xs[0], 1);
    EXPECT_EQ(ys[0], 2);
    EXPECT_EQ(codes[0], 3);
    EXPECT_EQ(codes[1], IntersectionOffPiece); // (-10, 0), off the arc
    EXPECT_EQ(codes[2], IntersectionCrossingAtEnd); // (10, 0), the arc's start
    EXPECT_NEAR(xs[2], 10, 1e-12);
}

// A flat ellipse has no circle frame, and nothing non-finite may reach the
// lists: no points, nothing appended, and a prompt answer.
TEST(SegmentEllipseArc, RefusedInput)
{
    TestArc flat = CircleArc(0, 0, 10, 0, 360);
    flat.ratio = 0;
    EXPECT_EQ(SegmentWithArc(-20, 5, 20, 5, flat).result, 0);
    EXPECT_EQ(SegmentWithArc(kNaN, 5, 20, 5, CircleArc(0, 0, 10, 0, 360)).result, 0);
    EXPECT_EQ(SegmentWithArc(-20, 5, 20, 5, CircleArc(0, 0, 10, kNaN, 360)).result, 0);
    EXPECT_EQ(SegmentWithArc(-1e308, 0, 1e308, 0, CircleArc(1e308, 0, 1e308, 0, 360)).result, 0);
    TestArc tiny_ratio = CircleArc(0, 0, 10, 0, 360);
    tiny_ratio.ratio = 1e-320;
    EXPECT_EQ(SegmentWithArc(-20, 5, 20, 5, tiny_ratio).result, 0);
}

TEST(EllipseArcs, PointsAndCodes)
{
    const TestArc circle = CircleArc(0, 0, 10, 0, 360);
    ExpectPoints(ArcWithArc(circle, CircleArc(10, 0, 10, 0, 360)), { { 5, 5 * kRoot3, 1 }, { 5, -5 * kRoot3, 1 } });
    ExpectPoints(ArcWithArc(circle, CircleArc(20, 0, 10, 0, 360)), { { 10, 0, 3 } });
    const Found apart = ArcWithArc(circle, CircleArc(30, 0, 10, 0, 360));
    EXPECT_EQ(apart.result, 0);
    EXPECT_TRUE(apart.points.empty());
    // Off the second arc (its upper half only), and the same arcs' other way.
    ExpectPoints(ArcWithArc(circle, CircleArc(10, 0, 10, 0, 180)), { { 5, 5 * kRoot3, 1 }, { 5, -5 * kRoot3, 0 } });
    ExpectPoints(ArcWithArc(CircleArc(0, 0, 10, 0, -90), CircleArc(10, 0, 10, 0, 360)),
                 { { 5, 5 * kRoot3, 0 }, { 5, -5 * kRoot3, 1 } });
}

// The arc tilted by -30 degrees begins at drawing angle 330, where the second
// circle (whose leftmost point that is) crosses it: a crossing at an end,
// although the point's angle comes back as -30.
TEST(EllipseArcs, CrossingAtAnEndOfATiltedArc)
{
    TestArc arc = CircleArc(0, 0, 10, 0, 90);
    arc.tilt = Degrees(-30);
    const Found found = ArcWithArc(arc, CircleArc(5 * kRoot3 + 10, -5, 10, 0, 360));
    ASSERT_EQ(found.result, 2);
    int at_end = 0;
    for (const Point& p : found.points) {
        if (std::hypot(p.x - 5 * kRoot3, p.y + 5) < 1e-9) {
            EXPECT_EQ(p.code, IntersectionCrossingAtEnd);
            ++at_end;
        }
    }
    EXPECT_EQ(at_end, 1);
}

// Where an arc's end is at drawing angle 0, a crossing there may come out at
// an angle just below 2 pi once normalised; it is still at the end. Several
// circles through (10, 0) make the rounding fall either way.
TEST(EllipseArcs, CrossingAtAnEndAtTheZeroDirection)
{
    const TestArc whole = CircleArc(0, 0, 10, 0, 360);
    int checked = 0;
    for (int k = 1; k <= 12; ++k) {
        const double direction = (k * 13.0 - 90) * Pi / 180; // from (10, 0) to the other centre
        const double r = 3 + k;
        const TestArc other = CircleArc(10 + r * std::cos(direction), r * std::sin(direction), r, 0, 360);
        for (const Point& p : ArcWithArc(whole, other).points) {
            if (std::hypot(p.x - 10, p.y) < 1e-9) {
                EXPECT_EQ(p.code, IntersectionCrossingAtEnd) << "k " << k << " y " << p.y;
                ++checked;
            }
        }
    }
    EXPECT_EQ(checked, 12);
}

// Two ellipses tilted half a turn apart, the first not a circle: the axes of
// the second in the first's circle frame come from rotations near pi.
TEST(EllipseArcs, EllipsesTiltedHalfATurnApart)
{
    TestArc first = CircleArc(0, 0, 10, 0, 360);
    first.ratio = 0.5;
    TestArc second = CircleArc(3, 1, 8, 0, 360);
    second.ratio = 0.6;
    second.tilt = Degrees(180);
    const oracle::Ellipse a = first.AsOracleEllipse(), b = second.AsOracleEllipse();
    const Found found = ArcWithArc(first, second);
    EXPECT_EQ(found.result, static_cast<int>(oracle::SampledCrossingsOracle(b, a).size()));
    for (const Point& p : found.points) {
        EXPECT_LT(a.DistanceOf(p.x, p.y), 1e-9);
        EXPECT_LT(b.DistanceOf(p.x, p.y), 1e-9);
        EXPECT_EQ(p.code, IntersectionCrossing);
    }
}

TEST(EllipseArcs, RefusedInput)
{
    const TestArc circle = CircleArc(0, 0, 10, 0, 360);
    TestArc flat = CircleArc(5, 0, 10, 0, 360);
    flat.ratio = 0;
    EXPECT_EQ(ArcWithArc(circle, flat).result, 0);
    EXPECT_EQ(ArcWithArc(flat, circle).result, 0);
    EXPECT_EQ(ArcWithArc(circle, CircleArc(kNaN, 0, 10, 0, 360)).result, 0);
    EXPECT_EQ(ArcWithArc(CircleArc(0, 0, 10, 0, kNaN), circle).result, 0);
    const Found huge = ArcWithArc(CircleArc(0, 0, 1e300, 0, 360), CircleArc(1e300, 1e300, 1e300, 0, 360));
    EXPECT_EQ(huge.result, 0);
    EXPECT_TRUE(huge.points.empty());
}

// Random segments and arcs against the sampling oracle: every point lies on
// the line and the ellipse, a touch only where they run parallel, and every
// clear crossing is reported with the code its place on the segment and the
// arc calls for (inside both 1, off either 0; points within 1e-6 of an end
// are left to the end tolerance).
TEST(SegmentEllipseArc, AgreesWithTheSamplingOracle)
{
    std::mt19937_64 random(17);
    std::uniform_real_distribution<double> unit(0, 1);
    int coded = 0;
    for (int trial = 0; trial < 300; ++trial) {
        const double size = 1 + 49 * unit(random);
        const TestArc arc = RandomArc(random, size);
        const double x1 = arc.cx + 2 * size * (2 * unit(random) - 1), y1 = arc.cy + 2 * size * (2 * unit(random) - 1);
        const double x2 = arc.cx + 2 * size * (2 * unit(random) - 1), y2 = arc.cy + 2 * size * (2 * unit(random) - 1);
        const oracle::Ellipse ellipse = arc.AsOracleEllipse();
        const oracle::Line line(x1, y1, x2, y2);
        const Found found = SegmentWithArc(x1, y1, x2, y2, arc);
        SCOPED_TRACE(testing::Message() << "trial " << trial);
        for (const Point& p : found.points) {
            EXPECT_LT(ellipse.DistanceOf(p.x, p.y), 1e-9 * size);
            EXPECT_LT(line.DistanceOf(p.x, p.y), 1e-9 * size);
            if (p.code == IntersectionTouch) {
                EXPECT_LT(SineBetween(ellipse, line, p.x, p.y), 1e-4);
            }
        }
        for (const auto& crossing : oracle::SampledCrossingsOracle(ellipse, line)) {
            if (crossing.sine < 0.05)
                continue;
            const Point* match = nullptr;
            for (const Point& p : found.points) {
                if (std::hypot(p.x - crossing.x, p.y - crossing.y) < 1e-7 * size)
                    match = &p;
            }
            ASSERT_NE(match, nullptr) << "missed (" << crossing.x << ", " << crossing.y << ")";
            const double along = line.AlongOf(crossing.x, crossing.y);
            const double segment_depth = std::fmin(along, line.Length() - along) / size;
            const double arc_depth = arc.DepthOf(crossing.phi);
            if (segment_depth > 1e-6 && arc_depth > 1e-6) {
                EXPECT_EQ(match->code, IntersectionCrossing);
                ++coded;
            } else if (segment_depth < -1e-6 || arc_depth < -1e-6) {
                EXPECT_EQ(match->code, IntersectionOffPiece);
                ++coded;
            }
        }
    }
    EXPECT_GT(coded, 200);
}

// Random pairs of arcs against the sampling oracle, in both directions of the
// walk: as above, with a crossing at an end (code 2) only near an arc's end.
// Pairs whose second ellipse is nearly, but not exactly, round in the first's
// circle frame are skipped: the solver gives up on those by design.
TEST(EllipseArcs, AgreesWithTheSamplingOracle)
{
    std::mt19937_64 random(23);
    std::uniform_real_distribution<double> unit(0, 1);
    int coded = 0, trials = 0;
    while (trials < 300) {
        const double size = 1 + 49 * unit(random);
        const TestArc first = RandomArc(random, size);
        TestArc second = RandomArc(random, size);
        if (unit(random) < 0.3)
            second.tilt = first.tilt + Degrees(90 * static_cast<int>(4 * unit(random)));
        const double round = RatioInCircleFrame(first, second);
        if (round > 0.97 && round < 1 - 1e-9)
            continue;
        ++trials;
        const oracle::Ellipse a = first.AsOracleEllipse(), b = second.AsOracleEllipse();
        const Found found = ArcWithArc(first, second);
        SCOPED_TRACE(testing::Message() << "trial " << trials);
        for (const Point& p : found.points) {
            const double off = p.code == IntersectionTouch ? 1e-6 : 1e-9;
            EXPECT_LT(a.DistanceOf(p.x, p.y), off * size);
            EXPECT_LT(b.DistanceOf(p.x, p.y), off * size);
            if (p.code == IntersectionTouch) {
                EXPECT_LT(SineBetween(a, b, p.x, p.y), 0.01);
            }
            if (p.code == IntersectionCrossingAtEnd) {
                EXPECT_TRUE(std::fabs(first.DepthOf(a.ParameterOf(p.x, p.y))) < 1e-6
                            || std::fabs(second.DepthOf(b.ParameterOf(p.x, p.y))) < 1e-6);
            }
        }
        std::vector<oracle::Crossing> crossings = oracle::SampledCrossingsOracle(b, a);
        for (const auto& crossing : oracle::SampledCrossingsOracle(a, b))
            crossings.push_back(crossing);
        for (const auto& crossing : crossings) {
            if (crossing.sine < 0.05)
                continue;
            const Point* match = nullptr;
            for (const Point& p : found.points) {
                if (std::hypot(p.x - crossing.x, p.y - crossing.y) < 1e-7 * size)
                    match = &p;
            }
            ASSERT_NE(match, nullptr) << "missed (" << crossing.x << ", " << crossing.y << ")";
            const double depth1 = first.DepthOf(a.ParameterOf(crossing.x, crossing.y));
            const double depth2 = second.DepthOf(b.ParameterOf(crossing.x, crossing.y));
            if (depth1 > 1e-6 && depth2 > 1e-6) {
                EXPECT_EQ(match->code, IntersectionCrossing);
                ++coded;
            } else if (depth1 < -1e-6 || depth2 < -1e-6) {
                EXPECT_EQ(match->code, IntersectionOffPiece);
                ++coded;
            }
        }
    }
    EXPECT_GT(coded, 300);
}
