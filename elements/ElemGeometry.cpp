// The geometry every element kind shares: the answers of kinds without
// geometry of their own, the extent overlap test, whether an element can
// come nearer to a query than a distance, the intersection factory and the
// composite transformation. Everything here works through the
// element interface; the kinds' own geometry is in their *Geometry.cpp.

#include "elements/ZhdElem.h"

#include "core/PlaneGeometry.h"
#include "elements/ElemFactory.h"
#include "platform/Stream.h"

#include <cmath>

namespace {

bool HasNaN(const TBPoint& point)
{
    return std::isnan(point.GetX()) || std::isnan(point.GetY());
}

} // namespace

TBPoint TZhdElem::GetKeyPoint(int) const
{
    return {};
}

TShapeInfo TZhdElem::GetShapeInfo(const TBPoint&) const
{
    return {};
}

void TZhdElem::GetExtent(TBPoint& min, TBPoint& max, const TZhdData&, int) const
{
    min.SetXY(0, 0);
    max.SetXY(0, 0);
}

int TZhdElem::ExtentOverlapsRect(TBPoint min, TBPoint max, const TZhdData& document, int flag) const
{
    TBPoint own_min, own_max;
    GetExtent(own_min, own_max, document, flag);
    // NaN compares false, so the separation test alone would read such a box
    // as overlapping everything.
    if (HasNaN(own_min) || HasNaN(own_max) || HasNaN(min) || HasNaN(max))
        return 0;
    return RectsOverlap(own_min.GetX(), own_min.GetY(), own_max.GetX(), own_max.GetY(), min.GetX(), min.GetY(),
                        max.GetX(), max.GetY());
}

int TZhdElem::ExtentOverlaps(const TZhdElem& other, const TZhdData& document, int flag) const
{
    TBPoint min, max;
    other.GetExtent(min, max, document, flag);
    return ExtentOverlapsRect(min, max, document, flag);
}

int TZhdElem::ExtentOverlapsShared(const TZhdElemPtr& other, const TZhdData& document, int flag) const
{
    return other ? ExtentOverlaps(*other, document, flag) : 0;
}

int TZhdElem::NearestPoint(const TBPoint&, const TZhdData&, TBPoint&, double&) const
{
    return 0;
}

int TZhdElem::NearestEndPoint(const TBPoint&, const TZhdData&, TBPoint&, double&) const
{
    return 0;
}

int TZhdElem::NearestPointWithin(const TBPoint& query, const TZhdData& document, TBPoint& point, double& distance,
                                 double) const
{
    return NearestPoint(query, document, point, distance);
}

int TZhdElem::NearestEndPointWithin(const TBPoint& query, const TZhdData& document, TBPoint& point,
                                    double& distance, double) const
{
    return NearestEndPoint(query, document, point, distance);
}

bool TZhdElem::CannotComeNearer(const TBPoint& query, const TZhdData& document, double distance) const
{
    if (!AnswersInsideExtent())
        return false;
    // The answers' own arithmetic may put them a rounding off their box.
    constexpr double relative_margin = 1e-9;
    constexpr double absolute_margin = 1e-9;
    TBPoint min, max;
    GetExtent(min, max, document, 0);
    const double dx = std::fmax(std::fmax(min.GetX() - query.GetX(), query.GetX() - max.GetX()), 0.0);
    const double dy = std::fmax(std::fmax(min.GetY() - query.GetY(), query.GetY() - max.GetY()), 0.0);
    // Squares, no root per element. Beyond the range of doubles the square
    // of the limit is infinite and nothing is farther.
    const double limit = std::fabs(distance) * (1 + relative_margin) + absolute_margin;
    return dx * dx + dy * dy > limit * limit;
}

int TZhdElem::CrossPoints(const TZhdElemPtr&, const TZhdData&, std::vector<TBPoint>&) const
{
    return 0;
}

int TZhdElem::CrossPointsOf(const TZhdElem& other, const TZhdData& document, std::vector<TBPoint>& points) const
{
    TMemoryStream scratch;
    return CrossPointsOfCopiedThrough(other, document, points, scratch);
}

int TZhdElem::CrossPointsOfCopiedThrough(const TZhdElem& other, const TZhdData& document,
                                         std::vector<TBPoint>& points, TStream& scratch) const
{
    const TZhdElemPtr copy = CreateElemByTypeCode(other.GetTypeCode());
    if (!copy)
        return 0;
    copy->CopyFromUsingStream(other, document, scratch);
    return CrossPoints(copy, document, points);
}

int TZhdElem::CrossPointsUsingStream(const TZhdElemPtr&, const TZhdData&, std::vector<TBPoint>&, TStream&) const
{
    return 0;
}

int TZhdElem::CrossPointsOfUsingStream(const TZhdElem& other, const TZhdData& document,
                                       std::vector<TBPoint>& points, TStream& scratch) const
{
    const TZhdElemPtr copy = CreateElemByClassName(other.GetArchiveClassName());
    if (!copy)
        return 0;
    copy->CopyFromUsingStream(other, document, scratch);
    return CrossPointsUsingStream(copy, document, points, scratch);
}

namespace {

// Lines meet every kind and arcs every kind but solids and blocks; the
// other kinds leave intersecting to them.
int CrossingRank(const TZhdElem& elem)
{
    switch (elem.GetTypeCode()) {
    case TZhdElem::LineCode:
        return 2;
    case TZhdElem::CircleCode:
        return 1;
    default:
        return 0;
    }
}

} // namespace

int TZhdElem::CrossPointsBetween(const TZhdElemPtr& first, const TZhdElemPtr& second, const TZhdData& document,
                                 std::vector<TBPoint>& points)
{
    if (!first || !second)
        return 0;
    if (CrossingRank(*second) > CrossingRank(*first))
        return second->CrossPoints(first, document, points);
    return first->CrossPoints(second, document, points);
}

void TZhdElem::Transform(const TZhdData& document, double dx, double dy, TAngle angle, double sx, double sy)
{
    if (sx == 0)
        sx = 1;
    if (sy == 0)
        sy = 1;
    if (sx != 1 || sy != 1)
        Scale(sx, sy, document);
    if (angle.GetRadians() != 0)
        Rotate(angle, document);
    if (dx != 0 || dy != 0)
        Move(dx, dy, document);
}

void TZhdElem::TransformTo(const TZhdData& document, TBPoint position, TAngle angle, double sx, double sy)
{
    Transform(document, position.GetX(), position.GetY(), angle, sx, sy);
}

void TZhdElem::Move(double dx, double dy, const TZhdData& document)
{
    MoveBy(TBPoint(dx, dy), document);
}

void TZhdElem::MoveBy(TBPoint, const TZhdData&)
{
}

void TZhdElem::Rotate(TAngle, const TZhdData&)
{
}

void TZhdElem::Scale(double, double, const TZhdData&)
{
}

int TZhdElem::Draw(TCanvas&, TZhdData&)
{
    return 0;
}
