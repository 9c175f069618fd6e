#include "elements/KCircle.h"

#include "core/CurveIntersection.h"
#include "elements/KLine.h"
#include "elements/KMoji.h"
#include "elements/KPoint.h"
#include "elements/KSunpou.h"
#include "elements/PieceCrossings.h"

#include <algorithm>
#include <cmath>

namespace {

// Nearer to the arc than this, a point element lies on it.
constexpr double point_on_arc_tolerance = 1e-16;

void AppendArcArcCrossings(const TKCircle& first, const TKCircle& second, std::vector<TBPoint>& points)
{
    std::vector<double> xs, ys;
    std::vector<int> codes;
    IntersectEllipseArcs(first.GetCenter().GetX(), first.GetCenter().GetY(), first.GetRadius(),
                         first.GetStartAngle(), first.GetArcAngle(), first.GetFlatness(), first.GetTiltAngle(),
                         second.GetCenter().GetX(), second.GetCenter().GetY(), second.GetRadius(),
                         second.GetStartAngle(), second.GetArcAngle(), second.GetFlatness(),
                         second.GetTiltAngle(), xs, ys, codes);
    const std::size_t count = std::min({ codes.size(), xs.size(), ys.size() });
    for (std::size_t i = 0; i < count; ++i)
        points.emplace_back(xs[i], ys[i], codes[i]);
}

// The arc's point in the direction of the point element, tagged 1 when the
// point element lies on the arc.
void AppendPointCrossing(const TKCircle& arc, const TKPoint& point, const TZhdData& document,
                         std::vector<TBPoint>& points)
{
    TBPoint found;
    double distance = 0;
    if (arc.NearestPoint(point.GetPos(), document, found, distance) == 0)
        return;
    points.emplace_back(found.GetX(), found.GetY(), std::fabs(distance) < point_on_arc_tolerance ? 1 : 0);
}

void AppendTextCrossings(const TKCircle& arc, const TKMoji& text, std::vector<TBPoint>& points)
{
    const auto corners = TextBoxCorners(text);
    for (std::size_t k = 0; k < corners.size(); ++k)
        AppendSegmentArcCrossings(corners[k], corners[(k + 1) % corners.size()], arc, points);
}

void AppendCrossings(const TKCircle& arc, const TZhdElem& other, const TZhdData& document,
                     std::vector<TBPoint>& points)
{
    std::vector<TBPoint> found;
    switch (other.GetTypeCode()) {
    case TZhdElem::LineCode:
        // The line computes, with this arc as it stands: no copy is made.
        static_cast<const TKLine&>(other).CrossPointsWith(arc, document, found);
        points.insert(points.end(), found.begin(), found.end());
        break;
    case TZhdElem::CircleCode:
        AppendArcArcCrossings(arc, static_cast<const TKCircle&>(other), points);
        break;
    case TZhdElem::PointCode:
        AppendPointCrossing(arc, static_cast<const TKPoint&>(other), document, points);
        break;
    case TZhdElem::MojiCode:
        AppendTextCrossings(arc, static_cast<const TKMoji&>(other), points);
        break;
    case TZhdElem::SunpouCode: {
        const auto& dimension = static_cast<const TKSunpou&>(other);
        AppendCrossings(arc, dimension.GetLine(), document, points);
        AppendTextCrossings(arc, dimension.GetMoji(), points);
        break;
    }
    default:
        // Solids and block contents are met from the line's side only.
        break;
    }
}

} // namespace

int TKCircle::CrossPoints(const TZhdElemPtr& other, const TZhdData& document, std::vector<TBPoint>& points) const
{
    points.clear();
    if (other)
        AppendCrossings(*this, *other, document, points);
    return static_cast<int>(points.size());
}
