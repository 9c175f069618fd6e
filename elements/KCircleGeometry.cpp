// The geometry of an arc: outline points, shape measures, boxes, nearest
// points, point classification and the transformations.
//
// Everything is asked of the outline P(t) = C + Rot(tilt) (r cos t, r f sin t)
// through the ellipse helpers of core/EllipseArc.h, which take drawing angles
// (tilt + t) and refuse non-finite input.
//
// The perimeter of an ellipse is the series
//     2 pi a (1 - S),  S = sum over i >= 1 of ((2i-1)!! / (2i)!!)^2 m^i / (2i-1),
// with m = 1 - (b / a)^2, truncated after 100 terms. Taken with a = the
// radius, it converges only for flatness below sqrt 2 (m then lies in
// (-1, 1]); beyond it the terms grow until they overflow. The series is
// therefore taken about the larger semi-axis, which gives the same
// perimeter wherever the other converges and a value in [0, 1] for m
// everywhere. The open arc's share of the perimeter (arc / 2 pi of it) is a
// second, cheap measure beside the polyline through the outline.
//
// Cost: constant, except the open ellipse's polyline of 20000 pieces.

#include "elements/KCircle.h"

#include "core/Constants.h"
#include "core/CurveIntersection.h"
#include "core/EllipseArc.h"
#include "core/Finite.h"
#include "core/PlaneGeometry.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr int kSeriesTerms = 100;
constexpr int kPolylineSteps = 20000;
// ClassifyPoint: on the outline when the ellipse equation gives 1 within this.
constexpr double kOnOutline = 1e-8;

// Exact, in either unit: an arc read from a drawing file holds 2 pi radians,
// one read from the text form 360 degrees, and converted to the other unit
// either may miss the other's value in the last bit.
bool IsFullTurn(const TAngle& angle)
{
    return angle.GetDegrees() == 360 || angle.GetRadians() == 2 * Pi;
}

// ((2i-1)!! / (2i)!!)^2 / (2i-1) for i = 1 to 100.
const std::array<double, kSeriesTerms>& SeriesCoefficients()
{
    static const std::array<double, kSeriesTerms> coefficients = [] {
        std::array<double, kSeriesTerms> c {};
        for (int i = 1; i <= kSeriesTerms; ++i) {
            const double odd = 2.0 * i - 1;
            const double ratio = DoubleFactorial(odd) / DoubleFactorial(2.0 * i);
            c[static_cast<std::size_t>(i - 1)] = ratio * ratio / odd;
        }
        return c;
    }();
    return coefficients;
}

// Perimeter / 2 pi of the ellipse with the semi-axes a and b.
double MeanRadius(double a, double b)
{
    const double larger = std::max(std::fabs(a), std::fabs(b));
    const double smaller = std::min(std::fabs(a), std::fabs(b));
    if (larger == 0)
        return 0;
    const double q = smaller / larger;
    const double m = 1 - q * q;
    double sum = 0, power = 1;
    for (double coefficient : SeriesCoefficients()) {
        power *= m;
        sum += coefficient * power;
    }
    return larger * (1 - sum);
}

// A bounding box grown point by point.
struct Box {
    double min_x, min_y, max_x, max_y;

    explicit Box(double x, double y) : min_x(x), min_y(y), max_x(x), max_y(y) {}
    void Add(double x, double y)
    {
        min_x = std::min(min_x, x);
        min_y = std::min(min_y, y);
        max_x = std::max(max_x, x);
        max_y = std::max(max_y, y);
    }
};

EllipseArcDescription DescriptionOf(TBPoint center, double radius, const TAngle& start, const TAngle& arc,
                                    double flatness, const TAngle& tilt)
{
    return { center.GetX(), center.GetY(), radius, start, arc, flatness, tilt };
}

} // namespace

TBPoint TKCircle::GetKeyPoint(int index) const
{
    TAngle parameter;
    switch (index) {
    case 0: parameter = start_; break;
    case 1: parameter = start_ + arc_ / 2; break;
    case 3: return center_;
    default: parameter = start_ + arc_; break;
    }
    // The centre stands in where the helper refuses (fields not finite).
    double x = center_.GetX(), y = center_.GetY();
    EllipseArcPointAt(parameter + tilt_, center_.GetX(), center_.GetY(), radius_, start_, arc_, flatness_, tilt_, x,
                      y);
    return TBPoint(x, y);
}

TShapeInfo TKCircle::GetShapeInfo(const TBPoint& point) const
{
    const EllipseArcDescription outline = DescriptionOf(center_, radius_, start_, arc_, flatness_, tilt_);
    if (!outline.IsFinite())
        return { { 0, 0 }, { TAngle(), TAngle(), TAngle(), TAngle() } };

    TShapeInfo info;
    const double sweep = arc_.GetRadians();
    info.Values = { sweep * radius_, radius_ };

    // The point's parameter t in the ellipse's frame, and tau = t + 90
    // degrees, the tangent direction of a circle there. A flat ellipse has no
    // circle frame; its limit is taken (the parameter of a point off the
    // axis is +-90 degrees).
    double u = 0, v = 0;
    RotateXY(point.GetX() - center_.GetX(), point.GetY() - center_.GetY(), -tilt_, u, v);
    double t = 0;
    if (AllFinite({ u, v }))
        t = flatness_ != 0 ? std::atan2(v / flatness_, u) : std::atan2(v, u * 0.0);
    TAngle leading(t + Pi / 2);

    if (flatness_ != 1.0) {
        info.Values.push_back(flatness_);
        const double mean_radius = MeanRadius(radius_, radius_ * flatness_);
        if (IsFullTurn(arc_)) {
            info.Values[0] = 2 * Pi * mean_radius;
            info.Values.push_back(kSeriesTerms);
        } else {
            const double step = sweep / kPolylineSteps;
            const double first = start_.GetRadians();
            double x = 0, y = 0;
            outline.PointAtParameter(start_, x, y);
            double length = 0;
            int pieces = 0;
            const auto go_to = [&](double parameter) {
                double next_x = 0, next_y = 0;
                outline.PointAtParameter(TAngle(parameter), next_x, next_y);
                length += Distance(x, y, next_x, next_y);
                x = next_x;
                y = next_y;
                ++pieces;
            };
            for (int k = 1; k <= kPolylineSteps && k * step < sweep; ++k)
                go_to(first + k * step);
            go_to(first + sweep);
            info.Values[0] = length;
            info.Values.push_back(pieces);
            info.Values.push_back(sweep * mean_radius);
        }
        // The ellipse's tangent at t, folded into (-90, 90] degrees; at the
        // ends of the axis (tau 90 or 270 degrees) it stays vertical.
        if (t != 0 && t != Pi && t != -Pi)
            leading = TAngle(std::atan2(flatness_ * std::tan(leading.GetRadians()), 1));
    }
    info.Angles = { leading + tilt_, start_, arc_, tilt_ };
    return info;
}

void TKCircle::GetExtent(TBPoint& min, TBPoint& max, const TZhdData&, int flag) const
{
    if (flag == 0) {
        const double r = std::fabs(radius_);
        min.SetXY(center_.GetX() - r, center_.GetY() - r);
        max.SetXY(center_.GetX() + r, center_.GetY() + r);
        return;
    }
    if (flag != 1)
        return;

    const TBPoint start = GetKeyPoint(0), end = GetKeyPoint(2);
    Box box(start.GetX(), start.GetY());
    box.Add(end.GetX(), end.GetY());
    for (double direction : { 0.0, 90.0 }) {
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        TAngle t1, t2;
        int on1 = 0, on2 = 0;
        EllipseArcTangentPoints(Degrees(direction), center_.GetX(), center_.GetY(), radius_, start_, arc_,
                                flatness_, tilt_, x1, y1, t1, on1, x2, y2, t2, on2);
        if (on1 != 0)
            box.Add(x1, y1);
        if (on2 != 0)
            box.Add(x2, y2);
    }
    if (flatness_ == 0) {
        // A flat ellipse has no tangent points; its extremes are the ends of
        // its axis.
        for (double parameter : { 0.0, Pi }) {
            double x = 0, y = 0;
            if (EllipseArcPointAt(tilt_ + TAngle(parameter), center_.GetX(), center_.GetY(), radius_, start_, arc_,
                                  flatness_, tilt_, x, y)
                != 0)
                box.Add(x, y);
        }
    }
    min.SetXY(box.min_x, box.min_y);
    max.SetXY(box.max_x, box.max_y);
}

int TKCircle::NearestPoint(const TBPoint& query, const TZhdData&, TBPoint& point, double& distance) const
{
    if (!AllFinite({ query.GetX(), query.GetY() }))
        return 0;
    const TAngle direction = query != center_ ? center_.DirectionTo(query) : tilt_;
    TBPoint reach;
    center_.PolarOffset(2 * radius_, direction, reach);
    std::vector<double> xs, ys;
    std::vector<int> codes;
    IntersectSegmentEllipseArc(center_.GetX(), center_.GetY(), reach.GetX(), reach.GetY(), center_.GetX(),
                               center_.GetY(), radius_, start_, arc_, flatness_, tilt_, xs, ys, codes);
    for (std::size_t i = 0; i < codes.size(); ++i) {
        if (codes[i] == IntersectionOffPiece)
            continue;
        const TBPoint found(xs[i], ys[i]);
        const double from_center = query.DistanceTo(center_);
        point.SetXY(found.GetX(), found.GetY());
        distance = flatness_ == 1.0 ? from_center - radius_ : from_center - found.DistanceTo(center_);
        return 1;
    }
    return 0;
}

int TKCircle::NearestEndPoint(const TBPoint& query, const TZhdData&, TBPoint& point, double& distance) const
{
    if (arc_ == TAngle() || IsFullTurn(arc_))
        return 0;
    const TBPoint start = GetKeyPoint(0), end = GetKeyPoint(2);
    const double to_start = query.DistanceTo(start), to_end = query.DistanceTo(end);
    const bool take_end = to_end <= to_start;
    const TBPoint& nearer = take_end ? end : start;
    point.SetXY(nearer.GetX(), nearer.GetY());
    distance = take_end ? to_end : to_start;
    return 1;
}

void TKCircle::MoveBy(TBPoint offset, const TZhdData&)
{
    center_ += offset;
}

void TKCircle::Rotate(TAngle angle, const TZhdData&)
{
    center_.RotateAbout(TBPoint(), angle, center_);
    tilt_ += angle;
}

void TKCircle::Scale(double sx, double sy, const TZhdData&)
{
    double first = 0, second = 0;
    TAngle axis, offset;
    if (TransformedEllipseAxes(radius_, radius_ * flatness_, sx, sy, tilt_, first, second, axis, offset) != 0) {
        radius_ = std::fabs(first);
        // A point stays a point; its flatness does not matter.
        if (first != 0)
            flatness_ = std::fabs(second / first);
        tilt_ = axis;
        start_ = start_ + offset;
        // A mirror image runs the other way round: the arc keeps its angle and
        // starts where its image ends. A factor of 0 counts as non-negative.
        if (sx < 0 && sy < 0) {
            start_ = start_ + Degrees(180);
            tilt_ = tilt_ + Degrees(180);
        } else if (sx < 0) {
            start_ = Degrees(180) - start_ - arc_;
            tilt_ = tilt_ + Degrees(180);
        } else if (sy < 0) {
            start_ = -start_ - arc_;
        }
    }
    center_.SetXY(sx * center_.GetX(), sy * center_.GetY());
}

int TKCircle::ClassifyPoint(const TBPoint& point) const
{
    const EllipseArcDescription outline = DescriptionOf(center_, radius_, start_, arc_, flatness_, tilt_);
    if (!outline.IsFinite() || !AllFinite({ point.GetX(), point.GetY() }) || radius_ == 0 || flatness_ == 0)
        return 0;
    TBPoint turned;
    point.RotateAbout(center_, -tilt_, turned);
    const double qx = turned.GetX() - center_.GetX(), qy = turned.GetY() - center_.GetY();
    const double minor = radius_ * flatness_;
    // A NaN (from an underflowing radius) fails both tests: outside.
    const double v = qx * qx / (radius_ * radius_) + qy * qy / (minor * minor);
    if (v > 1 - kOnOutline && v < 1 + kOnOutline)
        return 2;
    return v < 1 ? 1 : 0;
}
