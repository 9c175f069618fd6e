#include "elements/PieceCrossings.h"

#include "core/CurveIntersection.h"
#include "elements/KCircle.h"
#include "elements/KMoji.h"

#include <algorithm>

void AppendSegmentArcCrossings(const TBPoint& p, const TBPoint& q, const TKCircle& arc,
                               std::vector<TBPoint>& points)
{
    std::vector<double> xs, ys;
    std::vector<int> codes;
    IntersectSegmentEllipseArc(p.GetX(), p.GetY(), q.GetX(), q.GetY(), arc.GetCenter().GetX(),
                               arc.GetCenter().GetY(), arc.GetRadius(), arc.GetStartAngle(), arc.GetArcAngle(),
                               arc.GetFlatness(), arc.GetTiltAngle(), xs, ys, codes);
    const std::size_t count = std::min({ codes.size(), xs.size(), ys.size() });
    for (std::size_t i = 0; i < count; ++i)
        points.emplace_back(xs[i], ys[i], codes[i]);
}

std::array<TBPoint, 4> TextBoxCorners(const TKMoji& text)
{
    return { text.GetStart(), text.GetEnd(), text.GetBoxPoint(8, 0, 0, 0), text.GetBoxPoint(6, 0, 0, 0) };
}
