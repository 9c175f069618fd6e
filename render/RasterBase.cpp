#include "render/RasterBase.h"

#include "core/Finite.h"
#include "core/PlaneGeometry.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace {

// A pixel coordinate truncated toward zero, clamped to what an int holds.
int TruncatedPixel(double value)
{
    if (std::isnan(value))
        return 0;
    if (value < -2e9)
        return -2000000000;
    if (value > 2e9)
        return 2000000000;
    return static_cast<int>(value);
}

// The part of a placed image inside the view is the image's outline cut by
// the view's four sides in turn, each cut keeping what lies on the view's
// side of one line (bounds included) and putting a point where the outline
// crosses it. A convex outline stays convex and keeps its order, so the
// result is the true intersection, walked the way the image's own corners
// are (counter-clockwise). Four cuts of at most eight points each: no cost
// worth counting.

// One side of the view: the points whose x (or y) is at least (or at most)
// the bound lie on the view's side of it.
struct TViewSide {
    bool across_x;
    bool keeps_below;
    double bound;

    double CoordinateOf(const TBPoint& point) const { return across_x ? point.GetX() : point.GetY(); }

    bool Keeps(const TBPoint& point) const
    {
        const double value = CoordinateOf(point);
        return keeps_below ? value <= bound : value >= bound;
    }

    // Where a -> b crosses the side's line; one of the two lies on each
    // side, so their coordinates differ. The crossing lies exactly on it.
    TBPoint Crossing(const TBPoint& a, const TBPoint& b) const
    {
        const double t = (bound - CoordinateOf(a)) / (CoordinateOf(b) - CoordinateOf(a));
        const double x = a.GetX() + t * (b.GetX() - a.GetX());
        const double y = a.GetY() + t * (b.GetY() - a.GetY());
        return across_x ? TBPoint(bound, y) : TBPoint(x, bound);
    }
};

std::vector<TBPoint> CutBySide(const std::vector<TBPoint>& outline, const TViewSide& side)
{
    std::vector<TBPoint> kept;
    for (std::size_t i = 0; i < outline.size(); ++i) {
        const TBPoint& previous = outline[(i + outline.size() - 1) % outline.size()];
        const TBPoint& current = outline[i];
        if (side.Keeps(previous) != side.Keeps(current))
            kept.push_back(side.Crossing(previous, current));
        if (side.Keeps(current))
            kept.push_back(current);
    }
    return kept;
}

// A corner of the outline on a side's line comes out twice (as itself and
// as the crossing next to it): once is enough.
void DropRepeatedPoints(std::vector<TBPoint>& outline)
{
    std::vector<TBPoint> distinct;
    for (const TBPoint& point : outline) {
        if (distinct.empty() || point != distinct.back())
            distinct.push_back(point);
    }
    while (distinct.size() > 1 && distinct.front() == distinct.back())
        distinct.pop_back();
    outline = std::move(distinct);
}

// The walk starts at the largest x, the lower of two equal ones.
void StartAtTheRight(std::vector<TBPoint>& outline)
{
    const auto rightmost = std::min_element(outline.begin(), outline.end(), [](const TBPoint& a, const TBPoint& b) {
        return a.GetX() != b.GetX() ? a.GetX() > b.GetX() : a.GetY() < b.GetY();
    });
    std::rotate(outline.begin(), rightmost, outline.end());
}

} // namespace

TRasterBase* TRasterBase::AssignInfoFrom(const TRasterBase& other)
{
    info_ = other.info_;
    return this;
}

TRasterBase* TRasterBase::AssignInfo(TRasterInfo info)
{
    info_ = std::move(info);
    return this;
}

TBPoint TRasterBase::WorldToPixel(TBPoint point) const
{
    if (!info_.HasArea())
        return TBPoint(0.0, 0.0);
    const double ux = info_.GetMMPerPixelX() * info_.GetScaleX();
    const double uy = info_.GetMMPerPixelY() * info_.GetScaleY();
    TBPoint q;
    point.RotateAbout(info_.GetPosition(), -info_.GetAngle(), q);
    q = q - info_.GetPosition();
    return TBPoint(q.GetX() / ux + info_.GetPixelWidth() * 0.5, -q.GetY() / uy + info_.GetPixelHeight() * 0.5);
}

TBPoint TRasterBase::PixelToWorld(int x, int y) const
{
    if (!info_.HasArea())
        return info_.GetPosition();
    const double ux = info_.GetMMPerPixelX() * info_.GetScaleX();
    const double uy = info_.GetMMPerPixelY() * info_.GetScaleY();
    const TBPoint offset((x - info_.GetPixelWidth() * 0.5) * ux, -(y - info_.GetPixelHeight() * 0.5) * uy);
    TBPoint turned;
    RotatePoint(offset, info_.GetAngle(), turned);
    return info_.GetPosition() + turned;
}

int TRasterBase::ClipToView(TBPoint lower_left, TBPoint upper_right, std::vector<TBPoint>& polygon, int& min_x,
                            int& max_x, int& min_y, int& max_y) const
{
    polygon.clear();
    if (!info_.HasArea())
        return 0;
    const int w = info_.GetPixelWidth();
    const int h = info_.GetPixelHeight();
    std::vector<TBPoint> outline { PixelToWorld(0, h), PixelToWorld(w, h), PixelToWorld(w, 0), PixelToWorld(0, 0) };
    for (const TBPoint& corner : outline) {
        if (!AllFinite({ corner.GetX(), corner.GetY() }))
            return 0;
    }
    const TViewSide sides[] = { { true, false, lower_left.GetX() }, { true, true, upper_right.GetX() },
                                { false, false, lower_left.GetY() }, { false, true, upper_right.GetY() } };
    for (const TViewSide& side : sides)
        outline = CutBySide(outline, side);
    DropRepeatedPoints(outline);
    if (outline.empty())
        return 0;
    StartAtTheRight(outline);
    polygon = std::move(outline);
    min_x = w;
    max_x = 0;
    min_y = h;
    max_y = 0;
    for (const TBPoint& point : polygon) {
        const TBPoint pixel = WorldToPixel(point);
        const int x = TruncatedPixel(pixel.GetX());
        const int y = TruncatedPixel(pixel.GetY());
        min_x = std::min(min_x, x);
        max_x = std::max(max_x, x);
        min_y = std::min(min_y, y);
        max_y = std::max(max_y, y);
    }
    return static_cast<int>(polygon.size());
}
