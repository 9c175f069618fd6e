#pragma once

// Arcs for the curve tests: the seven values of a description in one value,
// built from degrees, and the oracle's ellipse of the same arc.

#include "core/Angle.h"
#include "core/Constants.h"
#include "tests/core/CurveOracle.h"

struct TestArc {
    double cx = 0, cy = 0, r = 10;
    TAngle start, sweep = Degrees(360);
    double ratio = 1;
    TAngle tilt;

    oracle::Ellipse AsOracleEllipse() const
    {
        return oracle::Ellipse(cx, cy, r, ratio, tilt.GetRadians());
    }

    // How far (radians) a parameter lies inside the arc; negative outside.
    double DepthOf(double phi) const
    {
        double begin = start.GetRadians(), range = sweep.GetRadians();
        if (range < 0) {
            begin += range;
            range = -range;
        }
        return oracle::DepthInArc(phi, begin, range);
    }
};

inline TestArc CircleArc(double cx, double cy, double r, double start_degrees, double sweep_degrees)
{
    TestArc arc;
    arc.cx = cx;
    arc.cy = cy;
    arc.r = r;
    arc.start = Degrees(start_degrees);
    arc.sweep = Degrees(sweep_degrees);
    return arc;
}
