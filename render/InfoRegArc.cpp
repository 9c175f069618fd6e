// Circles, arcs, ellipses and elliptic arcs with a line type, clipped to the
// output area.
//
// A whole circle with a solid line type goes to the canvas's ellipse in one
// call. Everything else is stepped along the curve: one point every pitch
// pixels (by parameter angle, da = step / radius), a pattern bit to every k
// points, dashes drawn as polylines of the visible points, zig-zags as
// polylines of points pushed in or out by the amplitude.
//
// The cost follows what can be seen, not the size of the curve. The places
// where the curve crosses the border of the output area are found first
// (segment-arc intersections with the four sides), and when the walk meets a
// point outside it jumps to the next crossing. An ellipse is convex, so the
// visible part of it is never longer than the border of the output area;
// the walk is bounded by that (plus the pattern's gaps before each jump), and
// a budget stops it should rounding ever keep it from advancing.
//
// A line type whose pitch is not positive, or whose dot count is outside 1 to
// 32, would give no step: the curve is drawn solid, one point per pixel.

#include "render/InfoReg.h"

#include "core/CurveIntersection.h"
#include "core/EllipseArc.h"
#include "core/Finite.h"
#include "platform/Canvas.h"
#include "render/DeviceClip.h"
#include "render/LinePattern.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

using line_pattern::IsPenDown;
constexpr int pattern_bits = line_pattern::bits;
constexpr double full_turn = 2 * 3.14159265358979323846;

// Whether the sweep is a whole circle by TAngle's ==, with 0 and with a full
// turn. That comparison splits both angles into degrees, minutes and
// seconds: a sweep stored as exactly 0 or a full turn in radians (as circles
// carry it) equals them without that, and only a sweep within a hair of a
// whole number of turns can pass it otherwise.
bool IsWholeTurn(const TAngle& sweep)
{
    if (sweep.GetKind() == TAngle::KindRadians && (sweep.GetRadians() == 0.0 || sweep.GetRadians() == full_turn))
        return true;
    const double turns = sweep.GetDegrees() / 360;
    const bool near_turn = sweep.GetKind() > TAngle::KindPackedDMS || !(std::fabs(turns - std::round(turns)) > 1e-9);
    return near_turn && (sweep == TAngle(0.0) || sweep == TAngle(full_turn));
}

double NormalisedRadians(double radians)
{
    TAngle angle(radians);
    angle.Normalize();
    return angle.GetRadians();
}

} // namespace

int TInfoREG::DrawArc(TCanvas& canvas, const TBPoint& center, double radius, const TAngle& start_angle,
                      const TAngle& sweep_angle, double flatness, const TAngle& tilt, const TZhdLType& type, int fill)
{
    // 1. A negative sweep: the same arc from its other end.
    TAngle start = start_angle;
    TAngle sweep = sweep_angle;
    if (sweep.GetRadians() < 0) {
        start = TAngle(start.GetRadians() + sweep.GetRadians());
        start.Normalize();
        sweep = TAngle(std::fabs(sweep.GetRadians()));
    }

    // 2. Styles; the pen is put back at the end, the brush style stays.
    const TPen saved_pen = canvas.Pen();
    if (fill != 0) {
        canvas.SetBrushStyle(TBrushStyle::Solid);
        canvas.SetPenStyle(TPenStyle::Clear);
    } else {
        canvas.SetBrushStyle(TBrushStyle::Clear);
        canvas.SetPenStyle(TPenStyle::Solid);
    }
    const int drawn = DrawArcOutline(canvas, center, radius, start, sweep, flatness, tilt, type, fill);
    canvas.SetPen(saved_pen);
    return drawn;
}

int TInfoREG::DrawArcOutline(TCanvas& canvas, const TBPoint& center, double radius, const TAngle& start,
                             const TAngle& sweep, double flatness, const TAngle& tilt, const TZhdLType& type, int fill)
{
    // 3. A whole circle with a solid line type.
    if (flatness == 1.0 && type.GetPattern() == -1 && IsWholeTurn(sweep)) {
        const TBPoint upper_left = WorldToScreenRounded(TBPoint(center.GetX() - radius, center.GetY() + radius));
        const TBPoint lower_right = WorldToScreenRounded(TBPoint(center.GetX() + radius, center.GetY() - radius));
        if (!AllFinite({ upper_left.GetX(), upper_left.GetY(), lower_right.GetX(), lower_right.GetY() }))
            return 0;
        canvas.Ellipse(DeviceInt(upper_left.GetX() - fill), DeviceInt(upper_left.GetY() - fill),
                       DeviceInt(lower_right.GetX() + fill), DeviceInt(lower_right.GetY() + fill));
        return 1;
    }

    // 4. Step sizes: one point every pitch pixels, k points to a pattern bit.
    const double pixel = GetMMPerPixelX() / View.GetScale();
    int pattern = type.GetPattern();
    int dots = type.GetDots();
    double step = type.GetPitch() * pixel;
    double amplitude = type.GetAmplitude() * pixel;
    if (View.GetScale() < GetMMPerPixelX())
        amplitude = amplitude / (pixel * 2);
    int points_per_bit = 2;
    if (UsesPrintPitch(canvas)) {
        double print_step = static_cast<double>(type.GetPrintPitch()) / PrtPitch;
        amplitude = type.GetPrintAmplitude() * 0.1;
        if (FollowsPrintScale())
            print_step = GetScalePower(1) * print_step / View.GetScale();
        const double ratio = std::trunc(print_step / step + 0.5);
        points_per_bit = ratio > 0 && ratio < (1 << 20) ? static_cast<int>(ratio) : 2;
    }
    if (!(step > 0) || !std::isfinite(step) || dots < 1 || dots > pattern_bits) {
        pattern = -1;
        dots = pattern_bits;
        step = pixel;
    }
    if (!std::isfinite(amplitude))
        amplitude = 0;
    double angle_step = step / std::fabs(radius);
    // A solid curve on a device that draws straight lines exactly needs a
    // point only where the chord would leave the curve by half a pixel: a
    // point per pixel at a printer's resolution made pages of many megabytes.
    if (pattern == -1 && amplitude == 0 && canvas.DrawsVectors()) {
        const double reach = std::fabs(radius) * std::max(1.0, std::fabs(flatness));
        const double tolerance = 0.5 * pixel;
        if (reach > tolerance && std::isfinite(reach))
            angle_step = std::max(angle_step, 2 * std::acos(1 - tolerance / reach));
    }
    const EllipseArcDescription arc { center.GetX(), center.GetY(), radius, start, sweep, flatness, tilt };
    if (!(angle_step > 0) || !std::isfinite(angle_step) || !arc.IsFinite() || !std::isfinite(pixel))
        return 0;

    // 5. Where the curve crosses the border, as offsets from its start.
    const std::vector<double>& crossings = BorderCrossings(arc);

    // 6. The walk; more than a turn only draws the curve over itself.
    const double sweep_radians = std::min(sweep.GetRadians(), full_turn);
    const double width = PixelWidth, height = PixelHeight;
    const auto visible = [&](const TBPoint& screen) {
        const double x = std::trunc(screen.GetX()), y = std::trunc(screen.GetY());
        return x >= 0 && x <= width && y >= 0 && y <= height;
    };
    // The point of the drawing angle start + tilt + offset, as the ellipse's
    // point at a parameter is defined, with the tilt's sine and cosine worked
    // out once for the arc.
    const double tilt_radians = tilt.GetRadians();
    const double tilt_cos = std::cos(tilt_radians), tilt_sin = std::sin(tilt_radians);
    const double start_and_tilt = start.GetRadians() + tilt_radians;
    const auto point_at = [&](double offset, TBPoint& point) {
        const double phi = (start_and_tilt + offset) - tilt_radians;
        const double px = arc.r * std::cos(phi);
        const double py = arc.r * std::sin(phi) * arc.ratio;
        const double x = px * tilt_cos - py * tilt_sin + arc.cx;
        const double y = px * tilt_sin + py * tilt_cos + arc.cy;
        point = TBPoint(x, y);
        return std::isfinite(x) && std::isfinite(y);
    };
    const TScreenTransform transform = ScreenTransform();
    // The polyline of the dash being walked, in pixels as DrawPolyline makes
    // them.
    std::vector<TPointI>& polyline = scratch_.pixels;
    polyline.clear();
    const auto flush = [&] {
        if (!polyline.empty())
            canvas.Polyline(polyline);
        polyline.clear();
    };
    // Points in view are bounded by the border's length; gaps before each
    // jump by the pattern. Beyond that the walk is not advancing.
    const double border_pixels = 2 * (width + height);
    const double budget = 4 * border_pixels / std::max(step / pixel, 1e-3)
        + (static_cast<double>(crossings.size()) + 2) * (pattern_bits * static_cast<double>(points_per_bit) + 2)
        + 1000;
    // A dashed pattern that never puts the pen down would walk the whole
    // curve for nothing: only its end point is left.
    const bool pen_never_down = amplitude == 0 && line_pattern::NeverDown(pattern, dots);
    line_pattern::TPatternPosition position(pattern, dots, points_per_bit);
    int drawn = 0;
    double offset = 0;
    double walked = 0;
    for (; !pen_never_down && offset < sweep_radians && walked < budget; ++walked) {
        const bool bit = position.PenDown();
        bool outside = false;
        TBPoint point;
        TBPoint screen;
        const auto seen = [&] {
            if (!point_at(offset, point))
                return false;
            screen = transform.Apply(point);
            return visible(screen);
        };
        if (amplitude == 0) {
            if (!bit) {
                flush();
            } else if (seen()) {
                AppendPolylinePixel(polyline, screen);
                drawn = 1;
            } else {
                outside = true;
            }
        } else if (seen()) {
            TBPoint pushed = point;
            if (offset != 0)
                point.PolarOffset(bit ? amplitude : -amplitude,
                                  TAngle(start.GetRadians() + tilt.GetRadians() + offset), pushed);
            AppendPolylinePixel(polyline, transform.Apply(pushed));
            drawn = 1;
        } else {
            outside = true;
        }
        if (outside) {
            const auto next = std::upper_bound(crossings.begin(), crossings.end(), offset);
            if (next != crossings.end()) {
                offset = *next - angle_step;
                if (next + 1 == crossings.end())
                    offset += angle_step;
                flush();
            }
        }
        position.Advance();
        const double advanced = offset + angle_step;
        if (advanced == offset)
            break;
        offset = advanced;
    }
    pattern_steps_ += static_cast<std::uint64_t>(walked);

    // 7. The end point, seen or not.
    TBPoint end;
    if (point_at(sweep_radians, end))
        AppendPolylinePixel(polyline, transform.Apply(end));
    flush();
    return drawn;
}

// Offsets from the arc's start (tilt and start taken off, brought into one
// turn) of every point where the arc meets a side of the output area, and
// the sweep itself as the last entry; ascending.
const std::vector<double>& TInfoREG::BorderCrossings(const EllipseArcDescription& arc)
{
    std::vector<double>& offsets = scratch_.crossings;
    offsets.clear();
    // An ellipse well inside the output area crosses none of its sides.
    const double reach = std::fabs(arc.r) * std::max(1.0, std::fabs(arc.ratio));
    const TClipBox inner = ViewBox(-GetMMPerPixelX() / View.GetScale());
    if (arc.cx - reach > inner.min_x && arc.cx + reach < inner.max_x && arc.cy - reach > inner.min_y
        && arc.cy + reach < inner.max_y) {
        offsets.push_back(arc.sweep.GetRadians());
        return offsets;
    }
    const TBPoint corners[4] = { GetViewCorner(0), GetViewCorner(1), GetViewCorner(2), GetViewCorner(3) };
    std::vector<double>& xs = scratch_.crossing_xs;
    std::vector<double>& ys = scratch_.crossing_ys;
    std::vector<int>& codes = scratch_.crossing_codes;
    for (int side = 0; side < 4; ++side) {
        const TBPoint& from = corners[side];
        const TBPoint& to = corners[(side + 1) % 4];
        xs.clear();
        ys.clear();
        codes.clear();
        IntersectSegmentEllipseArc(from.GetX(), from.GetY(), to.GetX(), to.GetY(), arc.cx, arc.cy, arc.r, arc.start,
                                   arc.sweep, arc.ratio, arc.tilt, xs, ys, codes);
        for (std::size_t i = 0; i < codes.size(); ++i) {
            // Crossings at a corner or an end and touching points are jump
            // targets too: a jump that is not needed costs nothing, a missing
            // one would hide a visible stretch.
            if (codes[i] == IntersectionOffPiece)
                continue;
            TAngle t, t90;
            if (EllipseArcAngleOfPoint(xs[i], ys[i], arc.cx, arc.cy, arc.r, arc.start, arc.sweep, arc.ratio, arc.tilt,
                                       t, t90)
                == 0)
                continue;
            offsets.push_back(NormalisedRadians(t.GetRadians() - arc.tilt.GetRadians() - arc.start.GetRadians()));
        }
    }
    offsets.push_back(arc.sweep.GetRadians());
    std::sort(offsets.begin(), offsets.end());
    return offsets;
}
