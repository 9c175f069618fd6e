// The arc's key points, measures, boxes, nearest points, point
// classification and transformations, checked against the ellipse's own
// equation (OutlineOracle) and a numerical arc length.

#include "elements/KCircle.h"
#include "tests/elements/GeometryTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <random>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// The length of the outline from parameter t0 to t1, by Simpson's rule: a
// slow oracle for the shape measures.
double ArcLengthOracle(double r, double flatness, double t0, double t1)
{
    const int n = 200000;
    const double h = (t1 - t0) / n;
    const auto speed = [&](double t) { return std::hypot(r * std::sin(t), r * flatness * std::cos(t)); };
    double sum = speed(t0) + speed(t1);
    for (int i = 1; i < n; ++i)
        sum += speed(t0 + i * h) * (i % 2 == 1 ? 4 : 2);
    return sum * h / 3;
}

// Random arcs with a positive sweep, their angles in either unit.
class RandomArcs {
public:
    explicit RandomArcs(unsigned seed) : random_(seed) {}

    TKCircle Next(bool circle)
    {
        std::uniform_real_distribution<double> coordinate(-50, 50), radius(0.5, 20), flatness(0.2, 2.5),
            angle(-400, 400), sweep(1, 360);
        const double f = circle ? 1.0 : flatness(random_);
        TKCircle arc(TBPoint(coordinate(random_), coordinate(random_)), radius(random_), InEitherUnit(angle(random_)),
                     InEitherUnit(sweep(random_)), InEitherUnit(angle(random_)), f, 0);
        return arc;
    }

private:
    TAngle InEitherUnit(double degrees)
    {
        if (std::uniform_int_distribution<int>(0, 1)(random_) == 0)
            return Degrees(degrees);
        return TAngle(degrees * Pi / 180);
    }

    std::mt19937 random_;
};

std::vector<TBPoint> SampleOutline(const TKCircle& arc, int count)
{
    const OutlineOracle oracle(arc);
    std::vector<TBPoint> samples;
    for (int i = 0; i <= count; ++i)
        samples.push_back(oracle.At(oracle.start + oracle.sweep * i / count));
    return samples;
}

} // namespace

TEST(ArcGeometry, KeyPoints)
{
    const TKCircle arc = Arc(1, 2, 5, 0, 90);
    const double h = 5 / std::sqrt(2.0);
    struct Row {
        int index;
        double x, y;
    };
    const Row rows[] = { { 0, 6, 2 }, { 1, 1 + h, 2 + h }, { 2, 1, 7 }, { 3, 1, 2 }, { 5, 1, 7 }, { -1, 1, 7 } };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.index);
        EXPECT_POINT_NEAR(arc.GetKeyPoint(row.index), row.x, row.y, 1e-14);
    }

    // Parameter angles count from the tilt.
    const TKCircle ellipse = Arc(0, 0, 4, 90, 180, 0.5, 30);
    EXPECT_POINT_NEAR(ellipse.GetKeyPoint(0), -1.0, std::sqrt(3.0), 1e-14);
}

TEST(ArcGeometry, EveryKeyPointLiesOnTheOutlineWithinTheSweep)
{
    RandomArcs arcs(7);
    for (int i = 0; i < 300; ++i) {
        const TKCircle arc = arcs.Next(i % 3 == 0);
        const OutlineOracle oracle(arc);
        for (int index : { 0, 1, 2 }) {
            const TBPoint key = arc.GetKeyPoint(index);
            EXPECT_LT(oracle.OffOutline(key), 1e-12) << i << " " << index;
            EXPECT_TRUE(oracle.InSweep(key, 1e-9)) << i << " " << index;
        }
        EXPECT_EQ(arc.ClassifyPoint(arc.GetKeyPoint(1)), 2) << i;
    }
}

TEST(ArcGeometry, ShapeInfoOfACircle)
{
    const TKCircle quarter = Arc(3, 4, 2, 0, 90);
    const TShapeInfo info = quarter.GetShapeInfo(TBPoint(5.0, 4.0));
    ASSERT_EQ(info.Values.size(), 2u);
    EXPECT_DOUBLE_EQ(info.Values[0], Pi);
    EXPECT_EQ(info.Values[1], 2);
    ASSERT_EQ(info.Angles.size(), 4u);
    EXPECT_NEAR(info.Angles[0].GetDegrees(), 90, 1e-12);
    EXPECT_EQ(info.Angles[2], Degrees(90));

    // The tangent at the point's direction, with the tilt.
    const TKCircle tilted = Arc(0, 0, 2, 0, 360, 1.0, 30);
    const TShapeInfo at = tilted.GetShapeInfo(TBPoint(2 * std::cos(Pi / 2), 2 * std::sin(Pi / 2)));
    EXPECT_NEAR(at.Angles[0].GetDegrees(), 180, 1e-9);
    EXPECT_EQ(at.Angles[3], Degrees(30));
}

TEST(ArcGeometry, ShapeInfoOfAClosedEllipseIsItsPerimeter)
{
    for (double flatness : { 0.5, 0.9, 1.3, 3.0 }) {
        SCOPED_TRACE(flatness);
        for (TAngle full : { Degrees(360), TAngle(2 * Pi) }) {
            const TKCircle ellipse(TBPoint(1.0, 1.0), 10, Degrees(15), full, Degrees(20), flatness, 1);
            const TShapeInfo info = ellipse.GetShapeInfo(TBPoint(0.0, 0.0));
            ASSERT_EQ(info.Values.size(), 4u);
            const double perimeter = ArcLengthOracle(10, flatness, 0, 2 * Pi);
            EXPECT_NEAR(info.Values[0], perimeter, 1e-8 * perimeter);
            EXPECT_EQ(info.Values[1], 10);
            EXPECT_EQ(info.Values[2], flatness);
            EXPECT_EQ(info.Values[3], 100);
        }
    }
}

TEST(ArcGeometry, ShapeInfoOfAnOpenEllipse)
{
    const double start = 30 * Pi / 180, sweep = 100 * Pi / 180;
    const TKCircle arc = Arc(0, 0, 10, 30, 100, 0.5, 0);
    const TShapeInfo info = arc.GetShapeInfo(TBPoint(0.0, 0.0));
    ASSERT_EQ(info.Values.size(), 5u);
    // The polyline's chords fall short of the curve by about 1e-8 of it.
    EXPECT_NEAR(info.Values[0], ArcLengthOracle(10, 0.5, start, start + sweep), 1e-6);
    EXPECT_LT(info.Values[0], ArcLengthOracle(10, 0.5, start, start + sweep));
    EXPECT_EQ(info.Values[2], 0.5);
    EXPECT_GE(info.Values[3], 20000);
    EXPECT_LE(info.Values[3], 20001);
    EXPECT_NEAR(info.Values[4], sweep * ArcLengthOracle(10, 0.5, 0, 2 * Pi) / (2 * Pi), 1e-9);
    ASSERT_EQ(info.Angles.size(), 4u);
}

TEST(ArcGeometry, TangentOfAnEllipseIsFoldedBeforeTheTilt)
{
    const TKCircle ellipse = Arc(2, 3, 10, 0, 360, 0.5, 0);
    const TKCircle tilted = Arc(2, 3, 10, 0, 360, 0.5, 30);
    // At the parameter 45 degrees the tangent runs at 153.4 degrees, folded
    // to -26.6.
    const double folded = std::atan2(-0.5, 1.0) * 180 / Pi;
    struct Row {
        const char* name;
        const TKCircle& arc;
        TBPoint point;
        double expected_degrees;
    };
    const Row rows[] = {
        { "folded", ellipse, OutlineOracle(ellipse).At(Pi / 4), folded },
        { "folded, then tilted", tilted, OutlineOracle(tilted).At(Pi / 4), folded + 30 },
        // At the ends of the axis the tangent stays vertical, unfolded.
        { "axis end", ellipse, TBPoint(12.0, 3.0), 90 },
        { "other axis end", ellipse, TBPoint(-8.0, 3.0), 270 },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_NEAR(row.arc.GetShapeInfo(row.point).Angles[0].GetDegrees(), row.expected_degrees, 1e-9);
    }
}

TEST(ArcGeometry, DegenerateShapesMeasureFinite)
{
    struct Row {
        const char* name;
        TKCircle arc;
        std::vector<double> values;
    };
    const Row rows[] = {
        { "radius 0", Arc(1, 1, 0, 0, 90), { 0, 0 } },
        { "radius 0 ellipse", Arc(1, 1, 0, 0, 360, 0.5), { 0, 0, 0.5, 100 } },
        { "radius 0 open ellipse", Arc(1, 1, 0, 0, 90, 0.5), { 0, 0, 0.5, 20000, 0 } },
        { "NaN radius", Arc(1, 1, kNaN, 0, 90), { 0, 0 } },
        { "NaN flatness", Arc(1, 1, 2, 0, 90, kNaN), { 0, 0 } },
        { "infinite centre", Arc(kInf, 1, 2, 0, 90, 0.5), { 0, 0 } },
        { "NaN sweep", Arc(0, 0, 2, 0, kNaN, 0.5), { 0, 0 } },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const TShapeInfo info = row.arc.GetShapeInfo(TBPoint(3.0, 3.0));
        ASSERT_EQ(info.Values.size(), row.values.size());
        for (std::size_t i = 0; i < row.values.size(); ++i) {
            if (i == 3 && row.values.size() == 5)
                EXPECT_NEAR(info.Values[i], row.values[i], 1) << i;
            else
                EXPECT_EQ(info.Values[i], row.values[i]) << i;
        }
        ASSERT_EQ(info.Angles.size(), 4u);
        for (const TAngle& angle : info.Angles)
            EXPECT_TRUE(std::isfinite(angle.GetRadians()));
    }

    // A flat ellipse is the segment of length 2r traced there and back; the
    // series, cut after 100 terms, comes within a per cent of 4r. Its tangent
    // runs along the tilt.
    const TKCircle flat = Arc(0, 0, 5, 0, 360, 0.0, 30);
    const TShapeInfo info = flat.GetShapeInfo(TBPoint(1.0, 4.0));
    EXPECT_NEAR(info.Values[0], 20, 0.2);
    EXPECT_NEAR(info.Angles[0].GetDegrees(), 30, 1e-12);

    // A query that is not finite is taken at parameter 0.
    const TShapeInfo lost = Arc(0, 0, 5, 0, 90, 1.0, 10).GetShapeInfo(TBPoint(kNaN, kInf));
    EXPECT_NEAR(lost.Angles[0].GetDegrees(), 100, 1e-12);
}

TEST(ArcGeometry, QuickExtentIsTheRadiusBoxWhateverTheShape)
{
    const TZhdData document;
    TBPoint min, max;
    Arc(1, 2, 3, 10, 20, 2.0, 45).GetExtent(min, max, document, 0);
    EXPECT_POINT_NEAR(min, -2.0, -1.0, 0.0);
    EXPECT_POINT_NEAR(max, 4.0, 5.0, 0.0);

    for (int flag : { -1, 2 }) {
        TBPoint kept_min(7.0, 7.0), kept_max(8.0, 8.0);
        Arc(1, 2, 3, 10, 20).GetExtent(kept_min, kept_max, document, flag);
        EXPECT_POINT_NEAR(kept_min, 7.0, 7.0, 0.0);
        EXPECT_POINT_NEAR(kept_max, 8.0, 8.0, 0.0);
    }
}

TEST(ArcGeometry, ExactExtent)
{
    const TZhdData document;
    const double h = std::sqrt(0.5);
    struct Row {
        const char* name;
        TKCircle arc;
        double min_x, min_y, max_x, max_y;
    };
    const Row rows[] = {
        { "quarter", Arc(0, 0, 1, 0, 90), 0, 0, 1, 1 },
        { "over the top", Arc(0, 0, 1, 45, 90), -h, h, h, 1 },
        { "across angle 0", Arc(0, 0, 1, 315, 90), h, -h, 1, h },
        { "whole ellipse", Arc(1, 1, 2, 0, 360, 0.5), -1, 0, 3, 2 },
        { "flat ellipse", Arc(0, 0, 2, 0, 360, 0.0, 30), -std::sqrt(3.0), -1, std::sqrt(3.0), 1 },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TBPoint min, max;
        row.arc.GetExtent(min, max, document, 1);
        EXPECT_POINT_NEAR(min, row.min_x, row.min_y, 1e-14);
        EXPECT_POINT_NEAR(max, row.max_x, row.max_y, 1e-14);
    }
}

TEST(ArcGeometry, ExactExtentHoldsTheOutlineTightly)
{
    const TZhdData document;
    RandomArcs arcs(11);
    for (int i = 0; i < 200; ++i) {
        const bool circle = i % 2 == 0;
        const TKCircle arc = arcs.Next(circle);
        TBPoint min, max;
        arc.GetExtent(min, max, document, 1);
        double lo_x = kInf, lo_y = kInf, hi_x = -kInf, hi_y = -kInf;
        for (const TBPoint& p : SampleOutline(arc, 3600)) {
            lo_x = std::min(lo_x, p.GetX());
            lo_y = std::min(lo_y, p.GetY());
            hi_x = std::max(hi_x, p.GetX());
            hi_y = std::max(hi_y, p.GetY());
        }
        const double slack = 1e-9, sampling = 1e-5 * arc.GetRadius();
        EXPECT_LE(min.GetX(), lo_x + slack) << i;
        EXPECT_LE(min.GetY(), lo_y + slack) << i;
        EXPECT_GE(max.GetX(), hi_x - slack) << i;
        EXPECT_GE(max.GetY(), hi_y - slack) << i;
        EXPECT_GE(min.GetX(), lo_x - sampling) << i;
        EXPECT_GE(min.GetY(), lo_y - sampling) << i;
        EXPECT_LE(max.GetX(), hi_x + sampling) << i;
        EXPECT_LE(max.GetY(), hi_y + sampling) << i;
        if (circle) {
            TBPoint quick_min, quick_max;
            arc.GetExtent(quick_min, quick_max, document, 0);
            EXPECT_LE(quick_min.GetX(), min.GetX() + slack) << i;
            EXPECT_LE(quick_min.GetY(), min.GetY() + slack) << i;
            EXPECT_GE(quick_max.GetX(), max.GetX() - slack) << i;
            EXPECT_GE(quick_max.GetY(), max.GetY() - slack) << i;
        }
    }
}

TEST(ArcGeometry, NearestPoint)
{
    const TZhdData document;
    struct Row {
        const char* name;
        TKCircle arc;
        TBPoint query;
        double x, y, distance;
    };
    const Row rows[] = {
        { "outside", Arc(0, 0, 5, 0, 360), TBPoint(10.0, 0.0), 5, 0, 5 },
        { "inside, negative", Arc(0, 0, 5, 0, 360), TBPoint(1.5, 2.0), 3, 4, -2.5 },
        { "at the centre: along the tilt", Arc(0, 0, 5, 0, 360, 1.0, 30), TBPoint(0.0, 0.0), 5 * std::cos(Pi / 6),
          2.5, -5 },
        { "ellipse", Arc(0, 0, 10, 0, 360, 0.5), TBPoint(0.0, 8.0), 0, 5, 3 },
        { "radius 0", Arc(1, 1, 0, 0, 360), TBPoint(4.0, 5.0), 1, 1, 5 },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TBPoint point;
        double distance = 0;
        EXPECT_EQ(row.arc.NearestPoint(row.query, document, point, distance), 1);
        EXPECT_POINT_NEAR(point, row.x, row.y, 1e-12);
        EXPECT_NEAR(distance, row.distance, 1e-12);
    }
}

TEST(ArcGeometry, NearestPointMissesOutsideTheSweepAndOnBadInput)
{
    const TZhdData document;
    struct Row {
        const char* name;
        TKCircle arc;
        TBPoint query;
    };
    const Row rows[] = {
        { "outside the sweep", Arc(0, 0, 5, 0, 90), TBPoint(-10.0, 0.0) },
        { "NaN query", Arc(0, 0, 5, 0, 360), TBPoint(kNaN, 0.0) },
        { "flat", Arc(0, 0, 5, 0, 360, 0.0), TBPoint(1.0, 1.0) },
        { "NaN radius", Arc(0, 0, kNaN, 0, 360), TBPoint(1.0, 1.0) },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TBPoint point(7.0, 8.0);
        double distance = 9;
        EXPECT_EQ(row.arc.NearestPoint(row.query, document, point, distance), 0);
        EXPECT_POINT_NEAR(point, 7.0, 8.0, 0.0);
        EXPECT_EQ(distance, 9);
    }
}

TEST(ArcGeometry, NearestEndPoint)
{
    const TZhdData document;
    for (TAngle none : { Degrees(0), Degrees(360), TAngle(2 * Pi), TAngle(0) }) {
        const TKCircle closed(TBPoint(), 1, Degrees(0), none, Degrees(0), 1.0, 0);
        TBPoint point(7.0, 8.0);
        double distance = 9;
        EXPECT_EQ(closed.NearestEndPoint(TBPoint(3.0, 3.0), document, point, distance), 0);
        EXPECT_EQ(distance, 9);
    }
    const TKCircle half = Arc(0, 0, 1, 0, 180);
    TBPoint point;
    double distance = 0;
    EXPECT_EQ(half.NearestEndPoint(TBPoint(0.0, 5.0), document, point, distance), 1);
    EXPECT_POINT_NEAR(point, -1.0, 0.0, 1e-15);
    EXPECT_DOUBLE_EQ(distance, std::sqrt(26.0));
    EXPECT_EQ(half.NearestEndPoint(TBPoint(2.0, 0.0), document, point, distance), 1);
    EXPECT_POINT_NEAR(point, 1.0, 0.0, 0.0);
    EXPECT_DOUBLE_EQ(distance, 1);
}

TEST(ArcGeometry, ClassifyPointLooksAtTheWholeEllipse)
{
    const TKCircle arc = Arc(1, 2, 10, 0, 90, 0.5, 30);
    const OutlineOracle oracle(arc);
    const TBPoint off_the_arc = oracle.At(200 * Pi / 180);
    EXPECT_EQ(arc.ClassifyPoint(off_the_arc), 2);
    EXPECT_EQ(arc.ClassifyPoint(TBPoint(1.0, 2.0)), 1);
    EXPECT_EQ(arc.ClassifyPoint(oracle.At(1.0)), 2);
    EXPECT_EQ(arc.ClassifyPoint(TBPoint(30.0, 2.0)), 0);
    // Just inside and just outside the band of 1e-8 around the equation's 1.
    const TKCircle unit = Arc(0, 0, 1, 0, 360);
    EXPECT_EQ(unit.ClassifyPoint(TBPoint(std::sqrt(1 + 0.5e-8), 0.0)), 2);
    EXPECT_EQ(unit.ClassifyPoint(TBPoint(std::sqrt(1 + 2e-8), 0.0)), 0);
    EXPECT_EQ(unit.ClassifyPoint(TBPoint(std::sqrt(1 - 2e-8), 0.0)), 1);

    struct Row {
        const char* name;
        TKCircle arc;
        TBPoint point;
    };
    const Row degenerate[] = {
        { "radius 0 at its centre", Arc(1, 1, 0, 0, 360), TBPoint(1.0, 1.0) },
        { "flat, on its segment", Arc(0, 0, 2, 0, 360, 0.0), TBPoint(1.0, 0.0) },
        { "NaN point", unit, TBPoint(kNaN, 0.0) },
        { "infinite centre", Arc(kInf, 0, 1, 0, 360), TBPoint(0.0, 0.0) },
        { "radius underflowing when squared", Arc(0, 0, 1e-200, 0, 360), TBPoint(0.0, 0.0) },
    };
    for (const Row& row : degenerate)
        EXPECT_EQ(row.arc.ClassifyPoint(row.point), 0) << row.name;
}

TEST(ArcGeometry, MoveAndRotate)
{
    const TZhdData document;
    TKCircle arc = Arc(1, 0, 2, 10, 20, 0.5, 10);
    arc.Move(1, 2, document);
    EXPECT_POINT_NEAR(arc.GetCenter(), 2.0, 2.0, 0.0);
    arc.Rotate(TAngle(Pi / 2), document);
    EXPECT_POINT_NEAR(arc.GetCenter(), -2.0, 2.0, 1e-15);
    // The tilt takes the angle in its own unit; start and arc stay.
    EXPECT_EQ(arc.GetTiltAngle().GetKind(), TAngle::KindDegrees);
    EXPECT_NEAR(arc.GetTiltAngle().GetDegrees(), 100, 1e-12);
    EXPECT_EQ(arc.GetStartAngle(), Degrees(10));
    EXPECT_EQ(arc.GetArcAngle(), Degrees(20));
}

TEST(ArcGeometry, ScaleMapsTheOutlineOntoTheScaledOutline)
{
    const TZhdData document;
    RandomArcs arcs(5);
    const double factors[][2] = { { 2, 3 }, { -1, 1 }, { 1, -1 }, { -2, -0.5 }, { 0.3, 0.3 }, { -4, 1.5 } };
    for (int i = 0; i < 120; ++i) {
        for (const auto& factor : factors) {
            const double sx = factor[0], sy = factor[1];
            const TKCircle before = arcs.Next(i % 4 == 0);
            TKCircle after = before;
            after.Scale(sx, sy, document);
            SCOPED_TRACE(testing::Message() << i << " by " << sx << ", " << sy);

            const OutlineOracle oracle(after);
            for (const TBPoint& p : SampleOutline(before, 24)) {
                const TBPoint image(sx * p.GetX(), sy * p.GetY());
                EXPECT_LT(oracle.OffOutline(image), 1e-9);
                EXPECT_TRUE(oracle.InSweep(image, 1e-9));
            }
            EXPECT_EQ(after.GetArcAngle(), before.GetArcAngle());
            // With one mirror the ends swap.
            const bool mirrored = (sx < 0) != (sy < 0);
            const TBPoint first = before.GetKeyPoint(mirrored ? 2 : 0);
            const TBPoint last = before.GetKeyPoint(mirrored ? 0 : 2);
            const double scale = std::max(std::fabs(sx), std::fabs(sy)) * before.GetRadius() * 1e-10;
            EXPECT_POINT_NEAR(after.GetKeyPoint(0), sx * first.GetX(), sy * first.GetY(), scale);
            EXPECT_POINT_NEAR(after.GetKeyPoint(2), sx * last.GetX(), sy * last.GetY(), scale);
        }
    }
}

TEST(ArcGeometry, ScaleEdgeCases)
{
    const TZhdData document;
    // Mirrored about the y axis: the old end's image is the new start.
    TKCircle arc = Arc(0, 0, 1, 0, 60);
    arc.Scale(-1, 1, document);
    EXPECT_POINT_NEAR(arc.GetKeyPoint(0), -0.5, std::sqrt(0.75), 1e-15);
    EXPECT_POINT_NEAR(arc.GetKeyPoint(2), -1.0, 0.0, 1e-15);

    // A circle scaled by (2, 3): an ellipse of axes 2 and 3.
    TKCircle circle = Arc(1, 1, 1, 0, 360);
    circle.Scale(2, 3, document);
    EXPECT_POINT_NEAR(circle.GetCenter(), 2.0, 3.0, 0.0);
    EXPECT_NEAR(circle.GetRadius() * circle.GetFlatness() * circle.GetRadius(), 6, 1e-12);
    EXPECT_NEAR(std::max(circle.GetRadius(), circle.GetRadius() * circle.GetFlatness()), 3, 1e-12);

    // A factor of 0 flattens it; everything stays finite.
    TKCircle flattened = Arc(0, 0, 1, 0, 360);
    flattened.Scale(0, 1, document);
    EXPECT_NEAR(flattened.GetRadius(), 1, 1e-15);
    EXPECT_NEAR(flattened.GetFlatness(), 0, 1e-15);
    EXPECT_POINT_NEAR(flattened.GetKeyPoint(0), 0.0, 0.0, 1e-15);

    // A point stays a point, with its flatness.
    TKCircle point = Arc(1, 1, 0, 0, 90, 0.5);
    point.Scale(2, 2, document);
    EXPECT_EQ(point.GetRadius(), 0);
    EXPECT_EQ(point.GetFlatness(), 0.5);
    EXPECT_POINT_NEAR(point.GetCenter(), 2.0, 2.0, 0.0);

    // Factors that are not finite leave the shape alone.
    TKCircle kept = Arc(1, 1, 2, 10, 20, 0.5, 30);
    kept.Scale(kNaN, 2, document);
    EXPECT_EQ(kept.GetRadius(), 2);
    EXPECT_EQ(kept.GetFlatness(), 0.5);
    EXPECT_EQ(kept.GetTiltAngle(), Degrees(30));
}

TEST(ArcGeometry, EveryOperationTakesNonFiniteFields)
{
    const TZhdData document;
    const std::vector<TBPoint> square { TBPoint(-1.0, -1.0), TBPoint(1.0, -1.0), TBPoint(1.0, 1.0),
                                        TBPoint(-1.0, 1.0) };
    for (double bad : { kNaN, kInf, -kInf, 1e300 }) {
        for (int field = 0; field < 7; ++field) {
            SCOPED_TRACE(testing::Message() << bad << " in field " << field);
            double values[7] = { 1, 2, 3, 10, 100, 0.5, 20 };
            values[field] = bad;
            TKCircle arc(TBPoint(values[0], values[1]), values[2], TAngle(values[3]), TAngle(values[4]),
                         TAngle(values[6]), values[5], 0);
            for (int index : { 0, 1, 2, 3 })
                arc.GetKeyPoint(index);
            const TShapeInfo info = arc.GetShapeInfo(TBPoint(1.0, 1.0));
            EXPECT_FALSE(info.Values.empty());
            TBPoint min, max, point;
            double distance = 0;
            arc.GetExtent(min, max, document, 0);
            arc.GetExtent(min, max, document, 1);
            arc.NearestPoint(TBPoint(5.0, 5.0), document, point, distance);
            arc.NearestEndPoint(TBPoint(5.0, 5.0), document, point, distance);
            const int classification = arc.ClassifyPoint(TBPoint(1.0, 1.0));
            EXPECT_TRUE(classification >= 0 && classification <= 2);
            arc.ClassifyInPolygon(square, document, TBitFlg());
            arc.Transform(document, 1, 2, Degrees(30), -2, 3);
        }
    }
    // A huge sweep still walks its polyline in 20000 steps.
    const TShapeInfo huge = Arc(0, 0, 1, 0, 1e300, 0.5).GetShapeInfo(TBPoint());
    ASSERT_EQ(huge.Values.size(), 5u);
    EXPECT_LE(huge.Values[3], 20001);
}
