#include "platform/GlyphOutline.h"

#include "platform/BoundedCache.h"
#include "platform/FontEngine.h"

#include <cmath>
#include <memory>
#include <mutex>
#include <unordered_map>

// A glyph's contours arrive as TrueType stores them: points on the curve
// and quadratic control points off it, the contour closing on itself. The
// records start at a point on the curve (the first one of the contour, or,
// when every point is a control point, the implied point halfway between
// the last and the first); runs of points on the curve become one line
// record, runs of control points with the point on the curve that ends them
// one spline record; a contour that ends with control points ends with a
// spline back to its start.

namespace {

using font_engine::TGlyphShape;

constexpr std::size_t outline_cache_limit = 4096;

TOutlinePoint PointOf(const font_engine::TPointD& point)
{
    return { point.x, point.y };
}

TOutlineContour ContourOf(const TGlyphShape& shape, std::size_t first, std::size_t last)
{
    const std::size_t count = last - first + 1;
    const auto point = [&](std::size_t i) { return PointOf(shape.points[first + i % count]); };
    const auto on_curve = [&](std::size_t i) { return shape.on_curve[first + i % count] != 0; };

    TOutlineContour contour;
    std::size_t start = 0;
    while (start < count && !on_curve(start))
        ++start;
    // The points after the start, in order round the contour.
    std::size_t next = start + 1;
    std::size_t end = start + count;
    if (start == count) {
        const TOutlinePoint a = point(count - 1);
        const TOutlinePoint b = point(0);
        contour.start = { (a.x + b.x) / 2, (a.y + b.y) / 2 };
        next = 0;
        end = count;
    } else {
        contour.start = point(start);
    }

    std::vector<TOutlinePoint> controls;
    bool last_was_line = false;
    for (std::size_t i = next; i < end; ++i) {
        if (!on_curve(i)) {
            controls.push_back(point(i));
            continue;
        }
        if (!controls.empty()) {
            controls.push_back(point(i));
            contour.records.push_back({ TOutlineRecordKind::QSpline, std::move(controls) });
            controls.clear();
            last_was_line = false;
        } else if (last_was_line) {
            contour.records.back().points.push_back(point(i));
        } else {
            contour.records.push_back({ TOutlineRecordKind::Line, { point(i) } });
            last_was_line = true;
        }
    }
    if (!controls.empty()) {
        controls.push_back(contour.start);
        contour.records.push_back({ TOutlineRecordKind::QSpline, std::move(controls) });
    }
    return contour;
}

TGlyphOutline OutlineOf(const TGlyphShape& shape, const font_engine::TScaledFont& scaled)
{
    TGlyphOutline outline;
    const font_engine::TPointD along = scaled.Along();
    // Along() is in screen coordinates (y downward); outlines point y up.
    outline.advance = { shape.advance * along.x, -shape.advance * along.y };
    std::size_t first = 0;
    for (const int end : shape.contour_ends) {
        const auto last = static_cast<std::size_t>(end);
        if (end < 0 || last >= shape.points.size() || last < first)
            break;
        // A contour of one point encloses nothing.
        if (last > first)
            outline.contours.push_back(ContourOf(shape, first, last));
        first = last + 1;
    }
    return outline;
}


} // namespace

TGlyphOutline GlyphOutline(const TFont& font, unsigned int code)
{
    const std::shared_ptr<const font_engine::TScaledFont> scaled = font_engine::ScaledFont(font);
    if (!scaled)
        return {};
    static TBoundedCache<font_engine::TGlyphKey, TGlyphOutline, font_engine::TGlyphKeyHash> outlines(outline_cache_limit);
    const font_engine::TGlyphKey key { scaled->Id(), code };
    if (std::optional<TGlyphOutline> known = outlines.Find(key))
        return *std::move(known);
    return outlines.Keep(key, OutlineOf(scaled->Shape(code), *scaled));
}

TOutlinePoint TextOrigin(const TFont& font, int x, int y)
{
    const std::shared_ptr<const font_engine::TScaledFont> scaled = font_engine::ScaledFont(font);
    if (!scaled)
        return { static_cast<double>(x), static_cast<double>(y) };
    const font_engine::TPointD down = scaled->Down();
    return { std::round(x + scaled->Ascent() * down.x), std::round(y + scaled->Ascent() * down.y) };
}

TFontMetrics FontMetrics(const TFont& font)
{
    const std::shared_ptr<const font_engine::TScaledFont> scaled = font_engine::ScaledFont(font);
    if (!scaled)
        return {};
    return { scaled->Ascent(), scaled->Descent() };
}
