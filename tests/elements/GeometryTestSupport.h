#pragma once

// Helpers for the element geometry tests: angles in degrees, points compared
// with a tolerance, an outline oracle for arcs written from the ellipse's
// equation alone, and a scripted element that stands in for a kind whose
// intersections are not computed yet.

#include "core/Angle.h"
#include "core/BPoint.h"
#include "core/Constants.h"
#include "document/ZhdData.h"
#include "elements/KCircle.h"
#include "elements/ZhdElem.h"
#include "tests/support/StandInElem.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#define EXPECT_POINT_NEAR(point, x, y, tolerance)                                                                    \
    do {                                                                                                             \
        const TBPoint expect_point_value = (point);                                                                  \
        EXPECT_NEAR(expect_point_value.GetX(), (x), (tolerance));                                                    \
        EXPECT_NEAR(expect_point_value.GetY(), (y), (tolerance));                                                    \
    } while (false)

inline TKCircle Arc(double cx, double cy, double r, double start_degrees, double sweep_degrees,
                    double flatness = 1.0, double tilt_degrees = 0.0)
{
    const int full = std::fabs(sweep_degrees) >= 360 ? 1 : 0;
    return TKCircle(TBPoint(cx, cy), r, Degrees(start_degrees), Degrees(sweep_degrees), Degrees(tilt_degrees), flatness, full);
}

// The ellipse of an arc, from its equation only.
struct OutlineOracle {
    double cx, cy, r, flatness, tilt, start, sweep;

    explicit OutlineOracle(const TKCircle& arc)
        : cx(arc.GetCenter().GetX())
        , cy(arc.GetCenter().GetY())
        , r(arc.GetRadius())
        , flatness(arc.GetFlatness())
        , tilt(arc.GetTiltAngle().GetRadians())
        , start(arc.GetStartAngle().GetRadians())
        , sweep(arc.GetArcAngle().GetRadians())
    {
    }

    TBPoint At(double parameter) const
    {
        const double u = r * std::cos(parameter), v = r * flatness * std::sin(parameter);
        return TBPoint(cx + u * std::cos(tilt) - v * std::sin(tilt), cy + u * std::sin(tilt) + v * std::cos(tilt));
    }

    // How far the point lies from the whole ellipse, in units of the radius
    // (the ellipse equation's deviation from 1).
    double OffOutline(const TBPoint& p) const
    {
        const double dx = p.GetX() - cx, dy = p.GetY() - cy;
        const double u = dx * std::cos(tilt) + dy * std::sin(tilt);
        const double v = -dx * std::sin(tilt) + dy * std::cos(tilt);
        return std::fabs(std::hypot(u / r, v / (r * flatness)) - 1);
    }

    // Whether the point's parameter lies within the sweep, with a tolerance
    // in radians.
    bool InSweep(const TBPoint& p, double tolerance) const
    {
        const double dx = p.GetX() - cx, dy = p.GetY() - cy;
        const double u = dx * std::cos(tilt) + dy * std::sin(tilt);
        const double v = -dx * std::sin(tilt) + dy * std::cos(tilt);
        double offset = std::remainder(std::atan2(v / flatness, u) - start, 2 * Pi);
        if (offset < -tolerance)
            offset += 2 * Pi;
        return offset <= sweep + tolerance;
    }
};

// A stand-in element: any type code, fixed key points, and an intersection
// answer given as a list of tags, so that the classification can be driven
// through every contact state. It records what it was asked.
class ScriptedElem final : public StandInElem {
public:
    ScriptedElem(int type_code, TBPoint first, TBPoint last, std::vector<int> tags = {})
        : StandInElem(type_code)
        , first_(first)
        , last_(last)
        , tags_(std::move(tags))
    {
    }

    TBPoint GetKeyPoint(int index) const override
    {
        ++key_point_calls;
        if (index == 1)
            return TBPoint((first_.GetX() + last_.GetX()) / 2, (first_.GetY() + last_.GetY()) / 2);
        return index == 2 ? last_ : first_;
    }
    void GetExtent(TBPoint& min, TBPoint& max, const TZhdData&, int) const override
    {
        min.SetXY(std::fmin(first_.GetX(), last_.GetX()), std::fmin(first_.GetY(), last_.GetY()));
        max.SetXY(std::fmax(first_.GetX(), last_.GetX()), std::fmax(first_.GetY(), last_.GetY()));
    }
    int CrossPoints(const TZhdElemPtr& other, const TZhdData&, std::vector<TBPoint>& points) const override
    {
        ++cross_calls;
        last_other = other;
        points.clear();
        for (int tag : tags_)
            points.emplace_back(0.0, 0.0, tag);
        return static_cast<int>(points.size());
    }

    mutable int key_point_calls = 0;
    mutable int cross_calls = 0;
    mutable TZhdElemPtr last_other;

private:
    TBPoint first_, last_;
    std::vector<int> tags_;
};
