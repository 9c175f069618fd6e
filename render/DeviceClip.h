#pragma once

// Keeping drawing coordinates that a file made absurd away from the canvas.
//
// Output coordinates are doubles until a primitive hands them to the canvas
// as ints. A coordinate that is not finite, or so large that it leaves the
// range of int, must never reach that conversion: segments are clipped to a
// generous box around the output area first (far enough out that the clipped
// ends never show), points are clamped, and non-finite ones are dropped.

#include "core/BPoint.h"
#include "platform/CanvasTypes.h"

#include <algorithm>
#include <cmath>
#include <vector>

// Output coordinates within this distance of the origin go to the canvas as
// they are (truncated toward zero); anything beyond is clipped or clamped.
inline constexpr double DeviceLimit = 1 << 22;

struct TClipBox {
    double min_x, min_y, max_x, max_y;
};

// The part of the segment a -> b inside the box, as parameters 0 <= t0 <= t1
// <= 1 along it; false when no part is inside or a coordinate is not finite.
bool ClipParameters(const TBPoint& a, const TBPoint& b, const TClipBox& box, double& t0, double& t1);

// Clips a segment of output coordinates to the device range; false when
// nothing of it is left. Points already inside are not touched.
bool ClipToDeviceRange(TBPoint& a, TBPoint& b);

// trunc(value) toward zero, clamped to the device range; 0 for NaN.
inline int DeviceInt(double value)
{
    if (std::isnan(value))
        return 0;
    return static_cast<int>(std::trunc(std::clamp(value, -DeviceLimit, DeviceLimit)));
}

// A polyline's output point as the canvas takes it: truncated toward zero;
// a point that is not finite is left out.
inline void AppendPolylinePixel(std::vector<TPointI>& pixels, const TBPoint& output)
{
    if (std::isfinite(output.GetX()) && std::isfinite(output.GetY()))
        pixels.push_back({ DeviceInt(output.GetX()), DeviceInt(output.GetY()) });
}
