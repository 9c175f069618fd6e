#include "platform/CanvasRaster.h"

// How the image canvas turns figures into pixels.
//
// A pixel (x, y) is the unit square whose centre is (x + 0.5, y + 0.5) in
// the continuous plane; integer coordinates name pixels. Nothing is
// antialiased: a pixel is painted or it is not, by copying the colour or by
// NOT (colour XOR pixel), which undoes itself when done twice.
//
// One-pixel lines step along their longer axis and take, at every step i,
// the pixel nearest to the ideal line, a tie going to the larger
// coordinate; that is the same pixel whichever end the line starts from.
// The step of the end point is left out. The pixel of step i is computed
// exactly (128-bit integers) at the first step on the buffer and followed
// from there with the usual error term, so a line from INT_MIN to INT_MAX
// costs only the steps that can fall on the buffer.
//
// Polygons are filled by scanning rows: an edge crosses the rows whose
// centres lie between its ends, the crossings of a row are sorted and every
// second gap is filled (even-odd); a pixel belongs to a gap when its centre
// does. Row centres fall halfway between integer vertices, so no crossing is
// ever a vertex, and every crossing is followed in exact integers.
//
// An ellipse in the box [left, right) x [top, bottom) is the curve through
// the centres of the box's outermost pixels: semi-axes a = (width - 1) / 2
// and b = (height - 1) / 2. Its one-pixel outline takes in each row the
// pixels whose columns the curve crosses within that row (its flat part)
// and at least the pixel nearest to the curve at the row's centre (its
// steep part), so the outline is connected, touches all four sides of the
// box and never leaves it. The brush fills the pixels between the row's two
// outline runs, or with a clear pen both runs and what lies between, so
// the figure covers the same pixels whatever the pen. A wider pen is centred
// on the same curve: it takes the pixels inside the ellipse grown by half
// its width and not inside the one shrunk by half its width, and the brush
// fills that inner one. Rows are mirrored about the centre, so the figure
// is symmetric in both axes.
//
// Why not the painter's own figures: its one-pixel lines leave out the
// first pixel instead of the last when they run right to left or upward,
// its ellipses are Bezier curves whose error grows with the radius (at a
// radius of 10^4 pixels a circle is drawn two pixels off, at 10^5 it misses
// the picture), and its hatch brushes under a raster operation paint the
// gaps of the hatch as well. Wide lines, whose round ends and joins it draws
// well, stay the painter's (TImageCanvas).

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <vector>

namespace canvas_raster {

namespace {

__extension__ typedef __int128 TInt128;

std::uint32_t NotXor(std::uint32_t source, std::uint32_t destination)
{
    return 0xFF000000u | (~(source ^ destination) & 0x00FFFFFFu);
}

void PaintPixel(std::uint32_t& pixel, const TPaint& paint)
{
    pixel = paint.mode == TPenMode::Copy ? paint.pixel : NotXor(paint.pixel, pixel);
}

// Paints [left, right) of row y, as far as it lies on the buffer.
void PaintSpan(const TPixels& pixels, std::int64_t y, std::int64_t left, std::int64_t right, const TPaint& paint)
{
    if (y < 0 || y >= pixels.height)
        return;
    left = std::max<std::int64_t>(left, 0);
    right = std::min<std::int64_t>(right, pixels.width);
    if (left >= right)
        return;
    std::uint32_t* row = pixels.bits + y * pixels.stride;
    if (paint.hatched) {
        for (std::int64_t x = left; x < right; ++x) {
            if (IsHatchPixel(x, y))
                PaintPixel(row[x], paint);
        }
    } else if (paint.mode == TPenMode::Copy) {
        std::fill(row + left, row + right, paint.pixel);
    } else {
        for (std::int64_t x = left; x < right; ++x)
            row[x] = NotXor(paint.pixel, row[x]);
    }
}

// For values far beyond any buffer; keeps conversions defined.
std::int64_t ClampToInt64(double value)
{
    constexpr double limit = 4.0e18;
    return static_cast<std::int64_t>(std::clamp(value, -limit, limit));
}

std::int64_t FloorDiv(TInt128 numerator, std::int64_t denominator)
{
    TInt128 quotient = numerator / denominator;
    if (numerator % denominator != 0 && (numerator < 0) != (denominator < 0))
        --quotient;
    return static_cast<std::int64_t>(quotient);
}

} // namespace

std::uint32_t PixelFromColor(TColor color)
{
    const auto bits = static_cast<std::uint32_t>(color);
    return 0xFF000000u | ((bits & 0xFFu) << 16) | (bits & 0xFF00u) | ((bits >> 16) & 0xFFu);
}

TColor ColorFromPixel(std::uint32_t pixel)
{
    return static_cast<TColor>(((pixel >> 16) & 0xFFu) | (pixel & 0xFF00u) | ((pixel & 0xFFu) << 16));
}

bool IsHatchPixel(std::int64_t x, std::int64_t y)
{
    return ((x - y) & 7) == 0 || ((x + y) & 7) == 7;
}

void FillRect(const TPixels& pixels, const TRectI& rect, const TPaint& paint)
{
    const std::int64_t top = std::max<std::int64_t>(rect.top, 0);
    const std::int64_t bottom = std::min<std::int64_t>(rect.bottom, pixels.height);
    for (std::int64_t y = top; y < bottom; ++y)
        PaintSpan(pixels, y, rect.left, rect.right, paint);
}

void DrawThinLine(const TPixels& pixels, TPointI from, TPointI to, const TPaint& paint, int* dot_phase)
{
    const std::int64_t dx = std::int64_t { to.x } - from.x;
    const std::int64_t dy = std::int64_t { to.y } - from.y;
    const std::int64_t steps = std::max(std::abs(dx), std::abs(dy));
    const int phase = dot_phase != nullptr ? *dot_phase : 0;
    if (dot_phase != nullptr)
        *dot_phase = static_cast<int>((phase + steps) % dot_period);
    if (steps == 0 || pixels.width <= 0 || pixels.height <= 0)
        return;

    // The pixel of step 0 is `from` itself: a line of one step is that pixel.
    // Arcs are drawn as polylines of such steps.
    if (steps == 1) {
        if (from.x >= 0 && from.y >= 0 && from.x < pixels.width && from.y < pixels.height
            && (dot_phase == nullptr || phase % dot_period == 0))
            PaintPixel(pixels.bits[std::int64_t { from.y } * pixels.stride + from.x], paint);
        return;
    }
    // Along an axis the minor coordinate never moves: a run of the row, or
    // of the column.
    if (dot_phase == nullptr && dy == 0) {
        const std::int64_t left = dx > 0 ? from.x : std::int64_t { to.x } + 1;
        PaintSpan(pixels, from.y, left, left + steps, paint);
        return;
    }
    if (dot_phase == nullptr && dx == 0) {
        if (from.x < 0 || from.x >= pixels.width)
            return;
        const std::int64_t first_row = dy > 0 ? from.y : std::int64_t { to.y } + 1;
        const std::int64_t top = std::max<std::int64_t>(first_row, 0);
        const std::int64_t bottom = std::min<std::int64_t>(first_row + steps, pixels.height);
        for (std::int64_t y = top; y < bottom; ++y)
            PaintPixel(pixels.bits[y * pixels.stride + from.x], paint);
        return;
    }

    const bool x_major = std::abs(dx) >= std::abs(dy);
    const std::int64_t major_start = x_major ? from.x : from.y;
    const std::int64_t minor_start = x_major ? from.y : from.x;
    const std::int64_t major_step = (x_major ? dx : dy) > 0 ? 1 : -1;
    const std::int64_t minor_delta = x_major ? dy : dx;
    const std::int64_t major_size = x_major ? pixels.width : pixels.height;
    const std::int64_t minor_size = x_major ? pixels.height : pixels.width;

    // The steps whose major coordinate lies on the buffer...
    std::int64_t first = 0;
    std::int64_t last = steps - 1;
    if (major_step > 0) {
        first = std::max(first, -major_start);
        last = std::min(last, major_size - 1 - major_start);
    } else {
        first = std::max(first, major_start - (major_size - 1));
        last = std::min(last, major_start);
    }
    // ...and whose minor coordinate may: it moves steadily, so an estimate
    // widened by two steps loses no pixel; each pixel is checked below.
    if (minor_delta == 0) {
        if (minor_start < 0 || minor_start >= minor_size)
            return;
    } else {
        const double steps_per_minor = static_cast<double>(steps) / static_cast<double>(minor_delta);
        double from_step = static_cast<double>(-1 - minor_start) * steps_per_minor;
        double to_step = static_cast<double>(minor_size - minor_start) * steps_per_minor;
        if (from_step > to_step)
            std::swap(from_step, to_step);
        first = std::max(first, ClampToInt64(std::floor(from_step)) - 2);
        last = std::min(last, ClampToInt64(std::ceil(to_step)) + 2);
    }
    if (first > last)
        return;

    // minor(i) = minor_start + floor((2 i minor_delta + steps) / (2 steps)),
    // the ideal line rounded half up; kept as quotient and remainder.
    const std::int64_t denominator = 2 * steps;
    const TInt128 numerator = TInt128 { 2 } * first * minor_delta + steps;
    const std::int64_t quotient = FloorDiv(numerator, denominator);
    std::int64_t remainder = static_cast<std::int64_t>(numerator - TInt128 { quotient } * denominator);
    std::int64_t minor = minor_start + quotient;
    const std::int64_t remainder_step = 2 * minor_delta;
    std::int64_t major = major_start + major_step * first;
    for (std::int64_t step = first; step <= last; ++step, major += major_step) {
        if (minor >= 0 && minor < minor_size && (dot_phase == nullptr || (phase + step) % dot_period == 0)) {
            const std::int64_t x = x_major ? major : minor;
            const std::int64_t y = x_major ? minor : major;
            PaintPixel(pixels.bits[y * pixels.stride + x], paint);
        }
        remainder += remainder_step;
        if (remainder >= denominator) {
            remainder -= denominator;
            ++minor;
        } else if (remainder < 0) {
            remainder += denominator;
            --minor;
        }
    }
}

namespace {

// An edge of a polygon while rows are scanned. Its crossing with the centre
// line of row y is at x = x_top + (y + 0.5 - y_top) dx / dy; the row's
// pixels from `key` = ceil(x - 0.5) on have their centres at or right of
// it. key and remainder hold N = key * denominator - remainder exactly
// (0 <= remainder < denominator), with N = (x - 0.5) * denominator.
struct TEdge {
    std::int64_t first_row = 0;
    std::int64_t end_row = 0;
    std::int64_t key = 0;
    std::int64_t remainder = 0;
    std::int64_t denominator = 0;
    std::int64_t key_step = 0;
    std::int64_t remainder_step = 0;

    void Advance()
    {
        key += key_step;
        remainder -= remainder_step;
        if (remainder < 0) {
            remainder += denominator;
            ++key;
        }
    }
};

// The edge from a to b over the rows of the buffer it crosses; false when
// it crosses none.
bool MakeEdge(TPointI a, TPointI b, int buffer_height, TEdge& edge)
{
    if (a.y == b.y)
        return false;
    if (a.y > b.y)
        std::swap(a, b);
    edge.first_row = std::max<std::int64_t>(a.y, 0);
    edge.end_row = std::min<std::int64_t>(b.y, buffer_height);
    if (edge.first_row >= edge.end_row)
        return false;
    const std::int64_t dx = std::int64_t { b.x } - a.x;
    const std::int64_t dy = std::int64_t { b.y } - a.y;
    edge.denominator = 2 * dy;
    // N(y) = (2 x_top - 1) dy + (2 (y - y_top) + 1) dx, growing by 2 dx a row.
    const TInt128 n = TInt128 { 2 * std::int64_t { a.x } - 1 } * dy + TInt128 { 2 * (edge.first_row - a.y) + 1 } * dx;
    edge.key = -FloorDiv(-n, edge.denominator);
    edge.remainder = static_cast<std::int64_t>(TInt128 { edge.key } * edge.denominator - n);
    edge.key_step = FloorDiv(2 * dx, edge.denominator);
    edge.remainder_step = 2 * dx - edge.key_step * edge.denominator;
    return true;
}

} // namespace

void FillPolygon(const TPixels& pixels, std::span<const TPointI> points, const TPaint& paint)
{
    if (points.size() < 3 || pixels.width <= 0 || pixels.height <= 0)
        return;
    std::vector<TEdge> edges;
    edges.reserve(points.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        TEdge edge;
        if (MakeEdge(points[i], points[(i + 1) % points.size()], pixels.height, edge))
            edges.push_back(edge);
    }
    if (edges.empty())
        return;
    std::sort(edges.begin(), edges.end(), [](const TEdge& a, const TEdge& b) { return a.first_row < b.first_row; });

    std::vector<TEdge> active;
    std::vector<std::int64_t> keys;
    std::size_t next = 0;
    std::int64_t row = edges.front().first_row;
    while (next < edges.size() || !active.empty()) {
        if (active.empty())
            row = std::max(row, edges[next].first_row);
        while (next < edges.size() && edges[next].first_row == row)
            active.push_back(edges[next++]);
        keys.clear();
        for (const TEdge& edge : active)
            keys.push_back(edge.key);
        std::sort(keys.begin(), keys.end());
        for (std::size_t k = 0; k + 1 < keys.size(); k += 2)
            PaintSpan(pixels, row, keys[k], keys[k + 1], paint);
        ++row;
        for (TEdge& edge : active)
            edge.Advance();
        std::erase_if(active, [row](const TEdge& edge) { return edge.end_row <= row; });
    }
}

namespace {

// Positions on a row measured from the ellipse's centre column. The centre
// lies on a pixel centre or halfway between two, so the pixels sit at
// offsets k + parity (parity 0 or 0.5).
struct TOffsets {
    double parity = 0;

    double AtMost(double value) const { return std::floor(value - parity) + parity; }
    double Below(double value) const { return std::ceil(value - parity) - 1 + parity; }
    double Above(double value) const { return std::floor(value - parity) + 1 + parity; }
    double Nearest(double value) const { return std::floor(value - parity + 0.5) + parity; }
};

// Half the width of the ellipse with semi-axes a and b at height u from its
// centre (0 <= u <= b, b > 0); written without 1 - (u/b)^2, which loses
// the digits that matter near the top of a large ellipse.
double HalfWidthAt(double a, double b, double u)
{
    return a * std::sqrt((b - u) * (b + u)) / b;
}

class TEllipseRaster {
public:
    TEllipseRaster(const TPixels& pixels, const TRectI& box, const TEllipseStyle& style)
        : pixels_(pixels)
        , style_(style)
    {
        const std::int64_t left = std::min(box.left, box.right);
        const std::int64_t right = std::max(box.left, box.right);
        const std::int64_t top = std::min(box.top, box.bottom);
        const std::int64_t bottom = std::max(box.top, box.bottom);
        empty_ = left == right || top == bottom;
        a_ = static_cast<double>(right - left - 1) / 2;
        b_ = static_cast<double>(bottom - top - 1) / 2;
        cx_ = static_cast<double>(left) + a_;
        cy_ = static_cast<double>(top) + b_;
        offsets_.parity = cx_ - std::floor(cx_);
        const double a = std::max(a_, 0.5);
        const double b = std::max(b_, 0.5);
        perimeter_ = std::numbers::pi * (3 * (a + b) - std::sqrt((3 * a + b) * (a + 3 * b)));
    }

    void Draw()
    {
        if (empty_ || pixels_.width <= 0 || pixels_.height <= 0)
            return;
        const bool wide = style_.outline != nullptr && style_.pen_width > 1;
        const double half_pen = wide ? style_.pen_width / 2.0 : 0.0;
        const std::int64_t first_row = std::max<std::int64_t>(0, ClampToInt64(std::ceil(cy_ - b_ - half_pen)));
        const std::int64_t last_row = std::min<std::int64_t>(pixels_.height - 1, ClampToInt64(std::floor(cy_ + b_ + half_pen)));
        for (std::int64_t y = first_row; y <= last_row; ++y) {
            const double u = std::abs(static_cast<double>(y) - cy_);
            if (wide)
                DrawWideRow(y, u, half_pen);
            else
                DrawThinRow(y, u);
        }
    }

private:
    std::int64_t Column(double offset) const { return ClampToInt64(cx_ + offset); }

    // The pixels at offsets [from, to] and their mirror images [-to, -from];
    // once when they meet.
    void PaintMirrored(std::int64_t y, double from, double to, const TPaint& paint, bool dotted) const
    {
        if (from > to)
            return;
        if (from == 0) {
            PaintRun(y, -to, to, paint, dotted);
        } else {
            PaintRun(y, -to, -from, paint, dotted);
            PaintRun(y, from, to, paint, dotted);
        }
    }

    void PaintRun(std::int64_t y, double from, double to, const TPaint& paint, bool dotted) const
    {
        const std::int64_t left = Column(from);
        const std::int64_t right = Column(to) + 1;
        if (!dotted) {
            PaintSpan(pixels_, y, left, right, paint);
            return;
        }
        for (std::int64_t x = std::max<std::int64_t>(left, 0); x < std::min<std::int64_t>(right, pixels_.width); ++x) {
            if (IsDot(x, y))
                PaintSpan(pixels_, y, x, x + 1, paint);
        }
    }

    // Dots counted along the outline, by the angle around the centre.
    bool IsDot(std::int64_t x, std::int64_t y) const
    {
        const double angle = std::atan2((static_cast<double>(y) - cy_) / std::max(b_, 0.5),
            (static_cast<double>(x) - cx_) / std::max(a_, 0.5));
        const double along = (angle + std::numbers::pi) / (2 * std::numbers::pi) * perimeter_;
        return ClampToInt64(std::floor(along)) % dot_period == 0;
    }

    void DrawThinRow(std::int64_t y, double u) const
    {
        // The outermost offset the figure takes in this row (`outer`) and
        // the first one of its outline (`inner`).
        double inner = 0;
        double outer = 0;
        if (b_ == 0) {
            // A box one pixel high: the outline is the whole row.
            inner = offsets_.parity;
            outer = a_;
        } else {
            const double near_half_width = HalfWidthAt(a_, b_, std::max(u - 0.5, 0.0));
            const double far_half_width = HalfWidthAt(a_, b_, std::min(u + 0.5, b_));
            const double nearest = offsets_.Nearest(HalfWidthAt(a_, b_, u));
            inner = std::min(offsets_.Above(far_half_width), nearest);
            outer = std::max(offsets_.AtMost(near_half_width), nearest);
        }
        if (style_.outline == nullptr) {
            if (style_.fill != nullptr)
                PaintMirrored(y, offsets_.parity, outer, *style_.fill, false);
            return;
        }
        if (style_.fill != nullptr)
            PaintMirrored(y, offsets_.parity, inner - 1, *style_.fill, false);
        PaintMirrored(y, inner, outer, *style_.outline, style_.dotted);
    }

    void DrawWideRow(std::int64_t y, double u, double half_pen) const
    {
        const double outer_a = a_ + half_pen;
        const double outer_b = b_ + half_pen;
        if (u > outer_b)
            return;
        const double outer = offsets_.AtMost(HalfWidthAt(outer_a, outer_b, u));
        // Offsets strictly inside the shrunk ellipse, if any.
        double inside = -1;
        const double inner_a = a_ - half_pen;
        const double inner_b = b_ - half_pen;
        if (inner_a > 0 && inner_b > 0 && u < inner_b)
            inside = offsets_.Below(HalfWidthAt(inner_a, inner_b, u));
        if (inside < 0) {
            PaintMirrored(y, offsets_.parity, outer, *style_.outline, false);
            return;
        }
        if (style_.fill != nullptr)
            PaintMirrored(y, offsets_.parity, inside, *style_.fill, false);
        PaintMirrored(y, inside + 1, outer, *style_.outline, false);
    }

    const TPixels& pixels_;
    const TEllipseStyle& style_;
    bool empty_ = true;
    double a_ = 0;
    double b_ = 0;
    double cx_ = 0;
    double cy_ = 0;
    double perimeter_ = 0;
    TOffsets offsets_;
};

} // namespace

void DrawEllipse(const TPixels& pixels, const TRectI& box, const TEllipseStyle& style)
{
    TEllipseRaster(pixels, box, style).Draw();
}

} // namespace canvas_raster
