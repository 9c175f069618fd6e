#include "render/RasterBase.h"

#include "core/PlaneGeometry.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

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

// Largest x first; then, from each point, the point in the smallest
// direction next: the points of a convex polygon in turning order.
void OrderAroundThePolygon(std::vector<TBPoint>& points)
{
    const std::size_t n = points.size();
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t k = i + 1; k < n; ++k) {
            if (points[k].GetX() > points[i].GetX())
                std::swap(points[i], points[k]);
        }
    }
    for (std::size_t j = 0; j + 1 < n; ++j) {
        double smallest = 360.0;
        for (std::size_t k = j + 1; k < n; ++k) {
            const double degrees = points[j].DirectionTo(points[k]).Normalized().GetDegrees();
            if (degrees < smallest) {
                smallest = degrees;
                std::swap(points[k], points[j + 1]);
            }
        }
    }
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
    const std::array<TBPoint, 4> view { lower_left, TBPoint(upper_right.GetX(), lower_left.GetY()), upper_right,
                                        TBPoint(lower_left.GetX(), upper_right.GetY()) };
    const std::array<TBPoint, 4> image { PixelToWorld(0, h), PixelToWorld(w, h), PixelToWorld(w, 0),
                                         PixelToWorld(0, 0) };
    for (const TBPoint& corner : image) {
        if (lower_left.GetX() <= corner.GetX() && corner.GetX() <= upper_right.GetX()
            && lower_left.GetY() <= corner.GetY() && corner.GetY() <= upper_right.GetY())
            polygon.push_back(corner);
    }
    for (const TBPoint& corner : view) {
        const TBPoint pixel = WorldToPixel(corner);
        const int x = TruncatedPixel(pixel.GetX());
        const int y = TruncatedPixel(pixel.GetY());
        if (0 <= x && x <= w && 0 <= y && y <= h)
            polygon.push_back(PixelToWorld(x, y));
    }
    for (std::size_t i = 0; i < image.size(); ++i) {
        const TBPoint& a = image[i];
        const TBPoint& b = image[(i + 1) % image.size()];
        for (std::size_t j = 0; j < view.size(); ++j) {
            const TBPoint& c = view[j];
            const TBPoint& d = view[(j + 1) % view.size()];
            double x = 0, y = 0, along = 0;
            if (IntersectSegmentsXYEx(a.GetX(), a.GetY(), b.GetX(), b.GetY(), c.GetX(), c.GetY(), d.GetX(),
                                      d.GetY(), x, y, along)
                != 0)
                polygon.emplace_back(x, y);
        }
    }
    if (polygon.empty())
        return 0;
    OrderAroundThePolygon(polygon);
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
