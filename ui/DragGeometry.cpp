// Drag geometry. A drag is seen from its press point under the angle
// a = atan2(dx, -dy), normalised to one turn, so that up is 0 and the angle
// grows clockwise on the screen (y grows downward).
//
// Clock positions cut the turn into n sectors centred on their hours.
// Gesture directions are finer: a border line (up, right, down, left) takes
// the drags that pass within c pixels of it, so the band along a line has
// the same width in pixels at every length. Seen from the press point, c
// pixels at distance `length` subtend h = asin(c / length); turning the
// drag on by h puts a drag within the band just past the line, into
// [line, line + 2h).

#include "ui/DragGeometry.h"

#include "core/Angle.h"
#include "core/Constants.h"
#include "document/ZhdZoom.h"
#include "platform/Numbers.h"
#include "platform/ShiftJis.h"

#include <algorithm>
#include <cmath>

namespace {

// The tip's factor is shown with the zoom-out base as the tips always
// wrote it, to ten decimals.
constexpr double tip_zoom_out_base = 0.7071067812;

// Radians in [0, 2π).
double Normalised(double radians)
{
    return TAngle(radians).Normalized().GetRadians();
}

double DragAngle(int x, int y, int px, int py)
{
    return Normalised(std::atan2(static_cast<double>(x - px), static_cast<double>(py - y)));
}

// The sector of a normalised angle; an angle a rounding error short of a
// whole turn stays in the last sector.
int SectorOf(double radians, int n)
{
    const double width = 2 * Pi / n;
    return std::min(static_cast<int>(radians / width), n - 1);
}

} // namespace

int GetDragLength(int x, int y, int px, int py)
{
    const double dx = x - px;
    const double dy = y - py;
    return static_cast<int>(std::sqrt(dx * dx + dy * dy) + 0.5);
}

int GetClockPosition(int x, int y, int n, int px, int py)
{
    if (n < 1 || GetDragLength(x, y, px, py) <= 1)
        return -1;
    const double half_sector = Pi / n;
    return SectorOf(Normalised(DragAngle(x, y, px, py) + half_sector), n);
}

int GetGestureDirection(int x, int y, int n, int c, int px, int py)
{
    const int length = GetDragLength(x, y, px, py);
    if (n < 1 || length <= 1)
        return -1;
    const double angle = DragAngle(x, y, px, py);
    const double sector = 2 * Pi / n;
    const double half_band = std::asin(std::clamp(static_cast<double>(c) / length, 0.0, 1.0));
    const double turned = Normalised(angle + half_band);
    const int line = SectorOf(turned, n);
    if (turned - line * sector <= 2 * half_band)
        return 2 * line;
    return 2 * SectorOf(angle, n) + 1;
}

int ZoomOutSteps(int length)
{
    if (length <= 100)
        return 1;
    return static_cast<int>((length - 100) * 0.1 + 0.999);
}

std::string GestureTipText(int x, int y, int px, int py, const TZhdZoom& remembered_range)
{
    const int length = GetDragLength(x, y, px, py);
    if (length < GestureThreshold)
        return sj(u8"　移　動　");
    switch (GetGestureDirection(x, y, GestureSectors, GestureBand, px, py)) {
    case 0: return sj(u8"　範囲記憶　");
    case 1: {
        const bool whole_paper = remembered_range.GetScale() == 1 && remembered_range.GetX() == 0
            && remembered_range.GetY() == 0;
        return whole_paper ? sj(u8"　全　体　") : sj(u8"　(範 囲)　");
    }
    case 2: return sj(u8"　ジャンプ１　");
    case 3: return sj(u8"　拡　大　");
    case 4: return sj(u8"　範囲解除　");
    case 5: return sj(u8"　前範囲　");
    case 6: return sj(u8"　ジャンプ２　");
    default: {
        std::string tip = sj(u8"　縮　小　");
        if (length > 100)
            tip += FloatToStrGeneral(std::pow(tip_zoom_out_base, ZoomOutSteps(length)));
        return tip;
    }
    }
}
