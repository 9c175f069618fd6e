// The geometry of a line: its points, measures, box and nearest points, and
// its transformations about the origin.

#include "elements/KLine.h"

#include "core/Finite.h"
#include "core/PlaneGeometry.h"

#include <algorithm>

TBPoint TKLine::GetKeyPoint(int index) const
{
    switch (index) {
    case 1: return TBPoint((start_.GetX() + end_.GetX()) * 0.5, (start_.GetY() + end_.GetY()) * 0.5);
    case 2: return end_;
    default: return start_;
    }
}

TShapeInfo TKLine::GetShapeInfo(const TBPoint&) const
{
    TShapeInfo info;
    info.Values.push_back(start_.DistanceTo(end_));
    info.Angles.push_back(start_.DirectionTo(end_));
    return info;
}

void TKLine::GetExtent(TBPoint& min, TBPoint& max, const TZhdData&, int) const
{
    min.SetXY(std::min(start_.GetX(), end_.GetX()), std::min(start_.GetY(), end_.GetY()));
    max.SetXY(std::max(start_.GetX(), end_.GetX()), std::max(start_.GetY(), end_.GetY()));
}

int TKLine::NearestPoint(const TBPoint& query, const TZhdData&, TBPoint& point, double& distance) const
{
    if (!AllFinite({ start_.GetX(), start_.GetY(), end_.GetX(), end_.GetY(), query.GetX(), query.GetY() }))
        return 0;
    if (start_.DistanceTo(end_) < SegmentTolerance)
        return 0;
    TBPoint foot;
    double along = 0, offset = 0;
    const int on_segment = start_.PerpendicularFootEx(end_, query, foot, along, offset);
    point.SetXY(foot.GetX(), foot.GetY());
    distance = offset;
    return on_segment;
}

int TKLine::NearestEndPoint(const TBPoint& query, const TZhdData&, TBPoint& point, double& distance) const
{
    const TBPoint start = GetKeyPoint(0), end = GetKeyPoint(2);
    const double to_start = query.DistanceTo(start), to_end = query.DistanceTo(end);
    const TBPoint& nearer = to_start < to_end ? start : end;
    point.SetXY(nearer.GetX(), nearer.GetY());
    distance = to_start < to_end ? to_start : to_end;
    return 1;
}

void TKLine::MoveBy(TBPoint offset, const TZhdData&)
{
    start_ += offset;
    end_ += offset;
}

void TKLine::Rotate(TAngle angle, const TZhdData&)
{
    const TBPoint origin;
    start_.RotateAbout(origin, angle, start_);
    end_.RotateAbout(origin, angle, end_);
}

void TKLine::Scale(double sx, double sy, const TZhdData&)
{
    start_.SetXY(sx * start_.GetX(), sy * start_.GetY());
    end_.SetXY(sx * end_.GetX(), sy * end_.GetY());
}
