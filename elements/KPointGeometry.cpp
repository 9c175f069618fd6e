// The geometry of a point: its position, and for a marker point the marker
// shape placed at it.

#include "elements/KPoint.h"

#include "core/Finite.h"
#include "document/ZhdData.h"
#include "document/ZhdElemList.h"

#include <cmath>

namespace {

constexpr std::uint8_t kPlainPenStyle = 1;

using NearestQuery = int (TZhdElem::*)(const TBPoint&, const TZhdData&, TBPoint&, double&) const;

// The position's answer, bettered by any placed shape element's.
int NearestOf(const TKPoint& marker, NearestQuery ask, const TBPoint& query, const TZhdData& document,
              TBPoint& point, double& distance)
{
    TBPoint best = marker.GetPos();
    double best_distance = query.DistanceTo(best);
    if (marker.IsMarker()) {
        const TZhdElemList shape = marker.PlacedMarkerShape(document);
        for (auto elem = shape.Begin(); elem != shape.End(); ++elem) {
            TBPoint found;
            double found_distance = 0;
            if (((**elem).*ask)(query, document, found, found_distance) == 0)
                continue;
            if (std::fabs(found_distance) < std::fabs(best_distance)) {
                best = found;
                best_distance = found_distance;
            }
        }
    }
    point.SetXY(best.GetX(), best.GetY());
    distance = best_distance;
    return 1;
}

} // namespace

TBPoint TKPoint::GetKeyPoint(int) const
{
    return position_;
}

TShapeInfo TKPoint::GetShapeInfo(const TBPoint&) const
{
    return {};
}

void TKPoint::GetExtent(TBPoint& min, TBPoint& max, const TZhdData& document, int) const
{
    double min_x = position_.GetX(), min_y = position_.GetY();
    double max_x = min_x, max_y = min_y;
    if (IsMarker()) {
        const TZhdElemList shape = PlacedMarkerShape(document);
        for (auto elem = shape.Begin(); elem != shape.End(); ++elem) {
            TBPoint low, high;
            (*elem)->GetExtent(low, high, document, 0);
            if (!AllFinite({ low.GetX(), low.GetY(), high.GetX(), high.GetY() }))
                continue;
            min_x = std::fmin(min_x, low.GetX());
            min_y = std::fmin(min_y, low.GetY());
            max_x = std::fmax(max_x, high.GetX());
            max_y = std::fmax(max_y, high.GetY());
        }
    }
    min.SetXY(min_x, min_y);
    max.SetXY(max_x, max_y);
}

int TKPoint::NearestPoint(const TBPoint& query, const TZhdData& document, TBPoint& point, double& distance) const
{
    return NearestOf(*this, &TZhdElem::NearestPoint, query, document, point, distance);
}

int TKPoint::NearestEndPoint(const TBPoint& query, const TZhdData& document, TBPoint& point,
                             double& distance) const
{
    return NearestOf(*this, &TZhdElem::NearestEndPoint, query, document, point, distance);
}

void TKPoint::MoveBy(TBPoint offset, const TZhdData&)
{
    position_ += offset;
}

void TKPoint::Rotate(TAngle angle, const TZhdData&)
{
    position_.RotateAbout(TBPoint(), angle, position_);
    if (IsMarker())
        marker_angle_ += angle;
}

void TKPoint::Scale(double sx, double sy, const TZhdData& document)
{
    if (IsMarker() && document.GetInfoRegPtr().BlockDraw == 0)
        marker_scale_ *= sx;
    position_.SetXY(sx * position_.GetX(), sy * position_.GetY());
}

TZhdElemList TKPoint::PlacedMarkerShape(const TZhdData& document) const
{
    TZhdElemList placed;
    const TZhdData::MarkerShapeMap& shapes = document.GetMarkerShapesPtr();
    const auto shape = shapes.find(marker_code_);
    if (shape == shapes.end())
        return placed;
    placed.Copy(shape->second, document, 0, 0);
    const double scale = marker_scale_ == 0 ? 1.0 : marker_scale_;
    for (auto elem = placed.Begin(); elem != placed.End(); ++elem) {
        if ((*elem)->GetTypeCode() == PointCode)
            (*elem)->SetPenStyle(kPlainPenStyle);
        (*elem)->TransformTo(document, position_, marker_angle_, scale, scale);
    }
    return placed;
}
