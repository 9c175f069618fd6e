#include "render/DeviceClip.h"

#include "core/Finite.h"

#include <algorithm>
#include <cmath>

namespace {

// Liang-Barsky: one side of the box narrows [t0, t1]; false when it empties.
bool ClipSide(double denominator, double numerator, double& t0, double& t1)
{
    if (denominator == 0)
        return numerator >= 0;
    const double t = numerator / denominator;
    if (denominator > 0) {
        if (t < t0)
            return false;
        t1 = std::min(t1, t);
    } else {
        if (t > t1)
            return false;
        t0 = std::max(t0, t);
    }
    return t0 <= t1;
}

} // namespace

bool ClipParameters(const TBPoint& a, const TBPoint& b, const TClipBox& box, double& t0, double& t1)
{
    const double ax = a.GetX(), ay = a.GetY();
    const double dx = b.GetX() - ax, dy = b.GetY() - ay;
    if (!AllFinite({ ax, ay, dx, dy }))
        return false;
    t0 = 0;
    t1 = 1;
    return ClipSide(-dx, ax - box.min_x, t0, t1) && ClipSide(dx, box.max_x - ax, t0, t1)
        && ClipSide(-dy, ay - box.min_y, t0, t1) && ClipSide(dy, box.max_y - ay, t0, t1);
}

bool ClipToDeviceRange(TBPoint& a, TBPoint& b)
{
    const auto inside = [](const TBPoint& p) {
        return std::fabs(p.GetX()) <= DeviceLimit && std::fabs(p.GetY()) <= DeviceLimit;
    };
    if (inside(a) && inside(b))
        return true;
    double t0 = 0, t1 = 1;
    if (!ClipParameters(a, b, TClipBox { -DeviceLimit, -DeviceLimit, DeviceLimit, DeviceLimit }, t0, t1))
        return false;
    const double dx = b.GetX() - a.GetX(), dy = b.GetY() - a.GetY();
    const TBPoint from(a.GetX() + t0 * dx, a.GetY() + t0 * dy);
    const TBPoint to(a.GetX() + t1 * dx, a.GetY() + t1 * dy);
    a.SetXY(from.GetX(), from.GetY());
    b.SetXY(to.GetX(), to.GetY());
    return true;
}
