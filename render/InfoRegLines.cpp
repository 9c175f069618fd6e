// Segments, polylines and dots, and segments drawn with a line type of the
// drawing header.
//
// A line type is a 32-bit pattern read from bit 31 downward, `dots` bits to a
// repetition, one bit per step along the line. For a dashed line a set bit is
// pen down: the walk lists the points where the pen changes, beginning with
// the start point (listed twice when the first bit is clear, so that the
// pairs of the list stay the spans with the pen down) and ending with the end
// point; each pair is one segment. For a zig-zag (a line type with an
// amplitude) every step lists a vertex offset to the right of the line for a
// set bit and to the left for a clear one, and the vertices are joined.
//
// On screen a step is twice the screen pitch in pixels, whatever the zoom;
// under the print rules it is a length on paper (print pitch / PrtPitch
// millimetres), optionally following the print scale.
//
// Cost: a step per pattern bit along the line. A line that runs far out of
// the output area (a huge drawing at a large zoom, or absurd coordinates in a
// damaged file) is walked only where it can be seen: the walk starts at the
// step before the visible stretch with the pen state the pattern gives there,
// and ends after it. Where the whole line is visible this is the plain walk
// from the start point. A dashed pattern whose bits are all set never lifts
// the pen, so its walk would list nothing but the two ends: the line is drawn
// as that one segment without a walk. A pattern whose step is not a positive
// finite length or whose dot count is outside 1 to 32 would never end: such a
// line is drawn solid.

#include "render/InfoReg.h"

#include "core/Constants.h"
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
// Step counts up to here are exact in a double (and fit a long long).
constexpr double max_resolved_steps = 1e15;

// The point at distance `along` from a toward b on a line of length `length`.
TBPoint PointAlong(const TBPoint& a, const TBPoint& b, double along, double length)
{
    TBPoint point;
    a.DivisionPoint(b, along, length - along, point);
    return point;
}

// One line's walk: its ends, length and the pattern's step.
struct LineWalk {
    TBPoint a, b;
    double length;
    int pattern;
    int dots;
    double step;
    double amplitude;
    // The stretch [from, to] of the line that can be seen.
    double from, to;
};

// The pen state over step k's stretch [k step, (k + 1) step) is bit k mod dots;
// the walk changes state at k step where that bit differs from the one
// before, as long as k step is short of the end. Returns the steps taken.
long long DrawDashes(TInfoREG& info, TCanvas& canvas, const LineWalk& walk)
{
    const auto bit_of = [&](long long k) { return IsPenDown(walk.pattern, static_cast<int>(k % walk.dots)); };
    // Start where the pen is up before the step that holds `from`: at most
    // `dots` steps back, as some bit of the pattern is clear.
    long long k = std::max(0LL, static_cast<long long>(std::floor(walk.from / walk.step)));
    for (int back = 0; back < walk.dots && k > 0 && bit_of(k - 1); ++back)
        --k;

    bool down = false;
    TBPoint span_start;
    double pos = 0;
    if (k == 0) {
        down = bit_of(0);
        if (!down)
            info.DrawSegment(canvas, walk.a, walk.a); // the empty pair of a pattern that begins with a gap
        span_start = walk.a;
        k = 1;
        pos = walk.step;
    } else {
        pos = static_cast<double>(k) * walk.step;
    }
    long long steps = 0;
    for (; pos < walk.length; ++steps) {
        const bool bit = bit_of(k);
        if (bit != down) {
            const TBPoint point = PointAlong(walk.a, walk.b, pos, walk.length);
            if (bit)
                span_start = point;
            else
                info.DrawSegment(canvas, span_start, point);
            down = bit;
        }
        if (!down && pos > walk.to)
            return steps;
        pos += walk.step;
        ++k;
    }
    if (down)
        info.DrawSegment(canvas, span_start, walk.b);
    return steps;
}

// Vertex k (from 1) lies k steps from the start, offset by bit (k - 1) mod
// dots; the start point begins the line (twice when the first bit is clear)
// and the end point ends it. Returns the steps taken.
long long DrawZigZag(TInfoREG& info, TCanvas& canvas, const LineWalk& walk)
{
    const TAngle side = walk.a.DirectionTo(walk.b) - TAngle(Pi / 2);
    const auto vertex = [&](double pos, long long k) {
        const TBPoint on_line = PointAlong(walk.a, walk.b, pos, walk.length);
        const bool right = IsPenDown(walk.pattern, static_cast<int>((k - 1) % walk.dots));
        TBPoint offset;
        on_line.PolarOffset(right ? walk.amplitude : -walk.amplitude, side, offset);
        return offset;
    };
    // One vertex before the visible stretch joins it to what went before.
    long long k = static_cast<long long>(std::floor(walk.from / walk.step)) - 1;
    TBPoint previous;
    double pos = 0;
    if (k < 1) {
        previous = walk.a;
        if (!IsPenDown(walk.pattern, 0))
            info.DrawSegment(canvas, walk.a, walk.a);
        k = 1;
        pos = walk.step;
    } else {
        pos = static_cast<double>(k) * walk.step;
        previous = vertex(pos, k);
        ++k;
        pos += walk.step;
    }
    long long steps = 0;
    for (; pos < walk.length; ++steps) {
        const TBPoint next = vertex(pos, k);
        info.DrawSegment(canvas, previous, next);
        previous = next;
        if (pos > walk.to + walk.step)
            return steps;
        pos += walk.step;
        ++k;
    }
    info.DrawSegment(canvas, previous, walk.b);
    return steps;
}

} // namespace

bool TInfoREG::UsesPrintPitch(const TCanvas& canvas) const
{
    return LineWidthDisplay != 0 && (OutputJob != 0 || PrintPreview != 0 || canvas.Pen().width >= 2);
}

bool TInfoREG::FollowsPrintScale() const
{
    return OutputJob != 0 || (PrintPreview != 0 && PenPreviewFix != 0);
}

TClipBox TInfoREG::ViewBox(double margin) const
{
    const TBPoint lower_left = GetViewCorner(0);
    const TBPoint upper_right = GetViewCorner(2);
    return TClipBox { std::fmin(lower_left.GetX(), upper_right.GetX()) - margin,
                      std::fmin(lower_left.GetY(), upper_right.GetY()) - margin,
                      std::fmax(lower_left.GetX(), upper_right.GetX()) + margin,
                      std::fmax(lower_left.GetY(), upper_right.GetY()) + margin };
}

int TInfoREG::DrawSegment(TCanvas& canvas, const TBPoint& start, const TBPoint& end)
{
    const TScreenTransform transform = ScreenTransform();
    TBPoint p = transform.Apply(start);
    TBPoint q = transform.Apply(end);
    if (!ClipToDeviceRange(p, q))
        return 1;
    canvas.MoveTo(DeviceInt(p.GetX()), DeviceInt(p.GetY()));
    canvas.LineTo(DeviceInt(q.GetX()), DeviceInt(q.GetY()));
    return 1;
}

int TInfoREG::DrawSegmentRounded(TCanvas& canvas, const TBPoint& start, const TBPoint& end)
{
    const TScreenTransform transform = ScreenTransform();
    return DrawOutputSegmentRounded(canvas, transform.Apply(start), transform.Apply(end));
}

int TInfoREG::DrawOutputSegmentRounded(TCanvas& canvas, TBPoint from, TBPoint to)
{
    if (!ClipToDeviceRange(from, to))
        return 1;
    // Rounded as trunc(x + 0.5): toward zero for negative coordinates.
    canvas.MoveTo(DeviceInt(from.GetX() + 0.5), DeviceInt(from.GetY() + 0.5));
    canvas.LineTo(DeviceInt(to.GetX() + 0.5), DeviceInt(to.GetY() + 0.5));
    return 1;
}

int TInfoREG::DrawSegmentXY(TCanvas& canvas, double x1, double y1, double x2, double y2)
{
    return DrawSegment(canvas, TBPoint(x1, y1), TBPoint(x2, y2));
}

int TInfoREG::DrawPolyline(TCanvas& canvas, const std::vector<TBPoint>& points)
{
    std::vector<TPointI>& pixels = scratch_.pixels;
    pixels.clear();
    for (const TBPoint& point : points)
        AppendPolylinePixel(pixels, point);
    if (!pixels.empty())
        canvas.Polyline(pixels);
    return static_cast<int>(points.size()) - 1;
}

int TInfoREG::DrawDot(TCanvas& canvas, const TBPoint& point, int color, int radius)
{
    const TBPoint screen = WorldToScreen(point);
    if (!AllFinite({ screen.GetX(), screen.GetY() }))
        return 1;
    const int x = DeviceInt(screen.GetX());
    const int y = DeviceInt(screen.GetY());
    if (radius == 0) {
        canvas.SetPixel(x, y, color);
        return 1;
    }
    const TCanvasStateSaver saved(canvas);
    TPen pen = canvas.Pen();
    pen.color = color;
    pen.style = TPenStyle::Solid;
    canvas.SetPen(pen);
    canvas.SetBrush(TBrush { color, TBrushStyle::Solid });
    canvas.Ellipse(x - radius, y - radius, x + radius, y + radius);
    return 1;
}

int TInfoREG::DrawLineWithType(TCanvas& canvas, const TBPoint& start, const TBPoint& end, const TZhdLType& type)
{
    if (type.GetPattern() == -1)
        return DrawSegment(canvas, start, end);

    // One output pixel in drawing millimetres.
    const double pixel = GetMMPerPixelX() / View.GetScale();
    double step = type.GetPitch() * pixel * 2;
    double amplitude = type.GetAmplitude() * pixel;
    if (View.GetScale() < GetMMPerPixelX())
        amplitude = amplitude / (pixel * 2);
    if (UsesPrintPitch(canvas)) {
        step = static_cast<double>(type.GetPrintPitch()) / PrtPitch;
        amplitude = type.GetPrintAmplitude() * 0.1;
        if (FollowsPrintScale())
            step = GetScalePower(1) * step / View.GetScale();
    }
    const int dots = type.GetDots();
    if (!(step > 0) || !std::isfinite(step) || !std::isfinite(amplitude) || dots < 1 || dots > pattern_bits)
        return DrawSegment(canvas, start, end);

    // hypot: a line between absurd coordinates has a length all the same.
    const double length = std::hypot(end.GetX() - start.GetX(), end.GetY() - start.GetY());
    LineWalk walk { start, end, length, type.GetPattern(), dots, step, amplitude, 0, 0 };
    double t0 = 0, t1 = 0;
    const double margin = std::fabs(amplitude) + step + 2 * pixel;
    if (!ClipParameters(start, end, ViewBox(margin), t0, t1) || !std::isfinite(walk.length))
        return 1;
    walk.from = t0 * walk.length;
    walk.to = t1 * walk.length;
    // So far out that the steps cannot be told apart in double precision: the
    // pattern is invisible at that zoom, the seen stretch is drawn whole.
    if (walk.to / walk.step > max_resolved_steps) {
        const TBPoint direction(end.GetX() - start.GetX(), end.GetY() - start.GetY());
        return DrawSegment(canvas, TBPoint(start.GetX() + t0 * direction.GetX(), start.GetY() + t0 * direction.GetY()),
                           TBPoint(start.GetX() + t1 * direction.GetX(), start.GetY() + t1 * direction.GetY()));
    }
    const bool zig_zag = amplitude > 0;
    if (!zig_zag && line_pattern::NeverLifts(walk.pattern, dots))
        return DrawSegment(canvas, start, end);
    pattern_steps_ += static_cast<std::uint64_t>(zig_zag ? DrawZigZag(*this, canvas, walk) : DrawDashes(*this, canvas, walk));
    return 1;
}
