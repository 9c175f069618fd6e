#include "core/EllipseCircle.h"

#include "tests/core/CurveOracle.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace {

struct Point {
    double x, y;
    int code;
};

struct Solution {
    int count = -1;
    std::vector<Point> points;
};

Solution Solve(double a, double b, double c, double d, double e)
{
    // Stale entries show that the lists are emptied first.
    std::vector<double> xs { 99 }, ys { 99 };
    std::vector<int> codes { 99 };
    Solution solution;
    solution.count = IntersectEllipseCircle(a, b, c, d, e, xs, ys, codes);
    EXPECT_EQ(xs.size(), codes.size());
    EXPECT_EQ(ys.size(), codes.size());
    EXPECT_EQ(static_cast<int>(codes.size()), solution.count);
    for (std::size_t i = 0; i < codes.size(); ++i)
        solution.points.push_back({ xs[i], ys[i], codes[i] });
    return solution;
}

void ExpectPoints(const Solution& solution, const std::vector<Point>& expected)
{
    ASSERT_EQ(solution.points.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_NEAR(solution.points[i].x, expected[i].x, 1e-6) << i;
        EXPECT_NEAR(solution.points[i].y, expected[i].y, 1e-6) << i;
        EXPECT_EQ(solution.points[i].code, expected[i].code) << i;
    }
}

struct Configuration {
    double a, b, c, d, e;
};

// Random configurations at sizes 1 to 50 that visit every branch: circles
// (a = b), centres on an axis, at the origin and within a hair of an axis.
// Nearly circular ellipses are not drawn: for them the quartic's leading
// coefficient vanishes and the solver gives up by design.
Configuration RandomConfiguration(std::mt19937_64& random)
{
    std::uniform_real_distribution<double> unit(0, 1);
    const double size = 1 + 49 * unit(random);
    Configuration k;
    k.a = size * (0.3 + 0.7 * unit(random));
    do {
        k.b = size * (0.2 + 0.8 * unit(random));
    } while (std::fabs(k.b / k.a - 1) < 0.03);
    if (unit(random) < 0.15)
        k.b = k.a;
    k.c = size * (3 * unit(random) - 1.5);
    k.d = size * (3 * unit(random) - 1.5);
    k.e = size * (0.05 + 1.15 * unit(random));
    switch (static_cast<int>(unit(random) * 12)) {
    case 0: k.c = 0; break;
    case 1: k.d = 0; break;
    case 2: k.c = k.d = 0; break;
    case 3: k.d = size * 1e-6 * (unit(random) - 0.5); break;
    case 4: k.c = size * 1e-6 * (unit(random) - 0.5); break;
    default: break;
    }
    return k;
}

double SizeOf(const Configuration& k)
{
    return std::fmax(std::fmax(k.a, k.b), k.e);
}

} // namespace

TEST(EllipseCircle, PointsAndCodesOfTheSpecialPositions)
{
    const double root3 = std::sqrt(3.0);
    const double x_end_circle = (20 - std::sqrt(28.0)) / 1.5;
    const double y_end_circle = 0.5 * std::sqrt(100 - x_end_circle * x_end_circle);
    const double y_on_axis = (6 - std::sqrt(1152.0)) / -6;
    const double x_on_axis = 2 * std::sqrt(25 - y_on_axis * y_on_axis);
    const struct {
        const char* name;
        Configuration k;
        std::vector<Point> points;
    } cases[] = {
        { "equal circles", { 10, 10, 10, 0, 10 }, { { 5, 5 * root3, 1 }, { 5, -5 * root3, 1 } } },
        { "circles touching outside", { 10, 10, 20, 0, 10 }, { { 10, 0, 3 } } },
        { "concentric circles", { 10, 10, 0, 0, 10 }, {} },
        { "circles on the second axis", { 10, 10, 0, 10, 10 }, { { 5 * root3, 5, 1 }, { -5 * root3, 5, 1 } } },
        // The common chord is nearly vertical; the larger x comes first.
        { "circles a hair off the first axis",
          { 10, 10, 15, 1e-7, 10 },
          { { 7.5, -std::sqrt(43.75), 1 }, { 7.5, std::sqrt(43.75), 1 } } },
        { "circles apart, a hair off the first axis", { 10, 10, 19, 2e-8, 2 }, {} },
        { "concentric, touching the ends", { 10, 5, 0, 0, 5 }, { { 0, 5, 3 }, { 0, -5, 3 } } },
        { "concentric, four crossings",
          { 10, 5, 0, 0, 7 },
          { { std::sqrt(32.0), std::sqrt(17.0), 1 },
            { -std::sqrt(32.0), std::sqrt(17.0), 1 },
            { std::sqrt(32.0), -std::sqrt(17.0), 1 },
            { -std::sqrt(32.0), -std::sqrt(17.0), 1 } } },
        { "touching the first axis' end outside", { 10, 5, 14, 0, 4 }, { { 10, 0, 3 } } },
        { "around the first axis' end",
          { 10, 5, 10, 0, 1 },
          { { x_end_circle, y_end_circle, 1 }, { x_end_circle, -y_end_circle, 1 } } },
        { "centre on the second axis",
          { 10, 5, 0, 3, 4 },
          { { x_on_axis, y_on_axis, 1 }, { -x_on_axis, y_on_axis, 1 } } },
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        const Configuration& k = test.k;
        ExpectPoints(Solve(k.a, k.b, k.c, k.d, k.e), test.points);
    }
}

TEST(EllipseCircle, CentreJustOffTheAxisToleranceIsSolvedInGeneralPosition)
{
    // |c| = 1e-8 is not on the second axis (|c| < 1e-8 is); the general
    // solution, nearly an even quartic, finds the same two crossings.
    const Solution off_axis = Solve(10, 5, 1e-8, 3, 4);
    const Solution on_second_axis = Solve(10, 5, 0, 3, 4);
    ASSERT_EQ(off_axis.count, 2);
    ASSERT_EQ(on_second_axis.count, 2);
    for (const Point& p : off_axis.points) {
        EXPECT_EQ(p.code, EllipseCircleCrossing);
        EXPECT_NEAR(std::fabs(p.x), std::fabs(on_second_axis.points[0].x), 1e-7);
        EXPECT_NEAR(p.y, on_second_axis.points[0].y, 1e-7);
    }
}

// A circle whose centre lies a hair off the first axis (beyond the axis
// tolerance) crosses the ellipse at two points one above the other, whose x
// the quartic cannot tell apart: its double root must not become a touch on
// the axis, far from both curves.
TEST(EllipseCircle, CrossingsAboveOneAnotherNearTheAxis)
{
    const oracle::Ellipse ellipse(0, 0, 10, 0.5, 0), circle(6, 1e-6, 8, 1, 0);
    const Solution solution = Solve(10, 5, 6, 1e-6, 8);
    ASSERT_EQ(solution.count, 2);
    for (const Point& p : solution.points) {
        EXPECT_EQ(p.code, EllipseCircleCrossing);
        EXPECT_LT(ellipse.DistanceOf(p.x, p.y), 1e-9);
        EXPECT_LT(circle.DistanceOf(p.x, p.y), 1e-9);
        EXPECT_NEAR(std::fabs(p.y), 4.998484, 1e-6);
    }
    EXPECT_LT(solution.points[0].y * solution.points[1].y, 0);
}

TEST(EllipseCircle, DegenerateAndNonFiniteInputGiveNoPoints)
{
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    constexpr double kInf = std::numeric_limits<double>::infinity();
    const Configuration refused[] = {
        { 0, 5, 3, 4, 5 },     // a flat ellipse: 1/a^2 divides by zero
        { 10, 0, 3, 4, 5 },
        { 1e-200, 5, 3, 4, 5 }, // 1/a^2 overflows
        { kNaN, 5, 3, 4, 5 },
        { 10, 5, kInf, 4, 5 },
        { 10, 5, 3, 4, kNaN },
        { 10, 5, 1e300, 1e300, 5 }, // squares overflow
    };
    for (const Configuration& k : refused) {
        const Solution solution = Solve(k.a, k.b, k.c, k.d, k.e);
        EXPECT_EQ(solution.count, 0) << k.a << " " << k.b << " " << k.c;
    }
}

// Only the squares of the semi-axes and the radius define the curves; a
// negative one (as a mirrored ellipse passes) must not mirror the points that
// are snapped to the ellipse's ends or scaled by the radius.
TEST(EllipseCircle, SignsOfTheSemiAxesAndRadiusDoNotMatter)
{
    const Configuration cases[] = {
        { 10, 5, 14, 0, 4 }, { 10, 5, 0, 3, 4 }, { 10, 10, 20, 0, 10 }, { 10, 5, 6, 7, 5 },
    };
    for (const Configuration& k : cases) {
        const Solution expected = Solve(k.a, k.b, k.c, k.d, k.e);
        ASSERT_GT(expected.count, 0);
        for (const Configuration& signs : { Configuration { -1, 1, 1, 1, 1 }, Configuration { 1, -1, 1, 1, 1 },
                                            Configuration { 1, 1, 1, 1, -1 } }) {
            SCOPED_TRACE(testing::Message() << k.a << " " << k.b << " " << k.c << " " << k.d);
            ExpectPoints(Solve(signs.a * k.a, signs.b * k.b, k.c, k.d, signs.e * k.e), expected.points);
        }
    }
}

// Random configurations against the sampling oracle: every reported point
// lies on both curves, a touch is reported only where the curves run nearly
// parallel, and every clear crossing the oracle finds (at an angle whose sine
// is above 0.05) is reported as a crossing.
TEST(EllipseCircle, AgreesWithTheSamplingOracle)
{
    std::mt19937_64 random(7);
    int crossings_checked = 0;
    for (int trial = 0; trial < 400; ++trial) {
        const Configuration k = RandomConfiguration(random);
        const double size = SizeOf(k);
        const oracle::Ellipse ellipse(0, 0, k.a, k.b / k.a, 0), circle(k.c, k.d, k.e, 1, 0);
        const Solution solution = Solve(k.a, k.b, k.c, k.d, k.e);
        SCOPED_TRACE(testing::Message() << std::setprecision(17) << "a " << k.a << " b " << k.b
                                        << " c " << k.c << " d " << k.d << " e " << k.e);
        for (const Point& p : solution.points) {
            const double off = p.code == EllipseCircleTouch ? 1e-6 : 1e-9;
            EXPECT_LT(ellipse.DistanceOf(p.x, p.y), off * size);
            EXPECT_LT(circle.DistanceOf(p.x, p.y), off * size);
            ASSERT_TRUE(p.code == EllipseCircleCrossing || p.code == EllipseCircleTouch);
            if (p.code == EllipseCircleTouch) {
                double ex = 0, ey = 0, cx = 0, cy = 0;
                ellipse.Gradient(p.x, p.y, ex, ey);
                circle.Gradient(p.x, p.y, cx, cy);
                const double sine = std::fabs(ex * cy - ey * cx) / (std::hypot(ex, ey) * std::hypot(cx, cy));
                EXPECT_LT(sine, 0.01);
            }
        }
        for (const auto& crossing : oracle::SampledCrossingsOracle(circle, ellipse)) {
            if (crossing.sine < 0.05)
                continue;
            ++crossings_checked;
            bool reported = false;
            for (const Point& p : solution.points) {
                reported = reported
                    || (p.code == EllipseCircleCrossing
                        && std::hypot(p.x - crossing.x, p.y - crossing.y) < 1e-7 * size);
            }
            EXPECT_TRUE(reported) << "missed (" << crossing.x << ", " << crossing.y << ")";
        }
    }
    EXPECT_GT(crossings_checked, 300);
}

// Circles built to touch the ellipse at a point in general position (from
// outside, or from inside within the ellipse's curvature) are found there: as
// a touch, or, where rounding separated the double root beyond the tolerance,
// as two crossings close together.
TEST(EllipseCircle, FindsBuiltTouchingCircles)
{
    std::mt19937_64 random(11);
    std::uniform_real_distribution<double> unit(0, 1);
    int found = 0, trials = 0;
    for (; trials < 300; ++trials) {
        const double size = 1 + 49 * unit(random);
        const double a = size, b = size * (0.2 + 0.75 * unit(random));
        const double theta = 0.2 + (oracle::kTwoPi / 4 - 0.4) * unit(random) + (trials % 4) * oracle::kTwoPi / 4;
        const double px = a * std::cos(theta), py = b * std::sin(theta);
        double nx = px / (a * a), ny = py / (b * b);
        const double norm = std::hypot(nx, ny);
        nx /= norm;
        ny /= norm;
        const bool outside = trials % 2 == 0;
        const double radius = outside ? size * (0.1 + unit(random)) : 0.9 * b * b / a * unit(random) + 0.01 * size;
        const double side = outside ? 1 : -1;
        const Solution solution = Solve(a, b, px + side * radius * nx, py + side * radius * ny, radius);
        int touches = 0, crossings = 0;
        for (const Point& p : solution.points) {
            if (std::hypot(p.x - px, p.y - py) < 1e-3 * size)
                ++(p.code == EllipseCircleTouch ? touches : crossings);
        }
        EXPECT_TRUE(touches + crossings == 0 || (touches == 1 && crossings == 0) || (touches == 0 && crossings == 2))
            << touches << " touches and " << crossings << " crossings at trial " << trials;
        found += touches + crossings > 0;
    }
    EXPECT_GE(found, trials * 98 / 100);
}
