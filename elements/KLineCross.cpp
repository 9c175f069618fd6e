#include "elements/KLine.h"

#include "core/PlaneGeometry.h"
#include "elements/BlockPlacement.h"
#include "elements/ElemKind.h"
#include "elements/KBlock.h"
#include "elements/KCircle.h"
#include "elements/KMoji.h"
#include "elements/KPoint.h"
#include "elements/KSolid.h"
#include "elements/KSunpou.h"
#include "elements/PieceCrossings.h"

#include <array>
#include <cmath>

namespace {

// Farther from its foot than this, a point element is off the line.
constexpr double point_on_line_tolerance = 1e-16;

constexpr int overlap_code = 3;

// Whether (x, y) lies on the line between its ends.
bool LiesAlong(const TKLine& line, double x, double y)
{
    double foot_x = 0, foot_y = 0;
    int code = 0;
    ProjectPointOntoSegment(line.GetStart().GetX(), line.GetStart().GetY(), line.GetEnd().GetX(),
                            line.GetEnd().GetY(), x, y, foot_x, foot_y, code);
    return code != 0;
}

void AppendSegmentCrossing(const TKLine& line, const TBPoint& p, const TBPoint& q, std::vector<TBPoint>& points)
{
    double x = 0, y = 0;
    int code = 0;
    if (IntersectSegmentsWithOverlap(line.GetStart().GetX(), line.GetStart().GetY(), line.GetEnd().GetX(),
                                     line.GetEnd().GetY(), p.GetX(), p.GetY(), q.GetX(), q.GetY(), x, y, code)
        == 0)
        return;
    // Segments on one line but apart: the solver's point is the middle of
    // the gap between them, which lies on neither. They do not meet.
    if (code == overlap_code && !LiesAlong(line, x, y))
        return;
    points.emplace_back(x, y, code);
}

// Every candidate of the ellipse solver, in its order, 0-tagged ones too.
void AppendArcCrossings(const TKLine& line, const TKCircle& arc, std::vector<TBPoint>& points)
{
    AppendSegmentArcCrossings(line.GetStart(), line.GetEnd(), arc, points);
}

void AppendPointCrossing(const TKLine& line, const TKPoint& point, std::vector<TBPoint>& points)
{
    const TBPoint at = point.GetPos();
    double fx = 0, fy = 0;
    int code = 0;
    if (ProjectPointOntoSegment(line.GetStart().GetX(), line.GetStart().GetY(), line.GetEnd().GetX(),
                                line.GetEnd().GetY(), at.GetX(), at.GetY(), fx, fy, code)
        == 0)
        return;
    const bool on_line = std::hypot(at.GetX() - fx, at.GetY() - fy) <= point_on_line_tolerance;
    points.emplace_back(fx, fy, on_line ? code : 0);
}

// The four sides of the text's box, start, end, raised end, raised start.
void AppendTextCrossings(const TKLine& line, const TKMoji& text, std::vector<TBPoint>& points)
{
    const std::array<TBPoint, 4> corners = TextBoxCorners(text);
    for (std::size_t k = 0; k < corners.size(); ++k)
        AppendSegmentCrossing(line, corners[k], corners[(k + 1) % corners.size()], points);
}

void AppendPathCrossings(const TKLine& line, const std::vector<TBPoint>& path, bool closed,
                         std::vector<TBPoint>& points)
{
    const std::size_t n = path.size();
    const std::size_t edges = closed && n > 2 ? n : (n > 0 ? n - 1 : 0);
    for (std::size_t i = 0; i < edges; ++i)
        AppendSegmentCrossing(line, path[i], path[(i + 1) % n], points);
}

void AppendSolidCrossings(const TKLine& line, const TKSolid& solid, std::vector<TBPoint>& points)
{
    if (!solid.IsArcSolid()) {
        AppendPathCrossings(line, solid.GetMergedCorners(), true, points);
        return;
    }
    TKCircle first, second;
    solid.GetAsCircle(first, second);
    AppendArcCrossings(line, first, points);
    const int kind = solid.GetPenStyle();
    const double value = solid.GetPoint4().GetY();
    if (kind == TKSolid::EllipseKind && value != TKSolid::WholeEllipseValue) {
        TKSolid::FigureCorners corners;
        if (!solid.GetFigureCorners(corners))
            return;
        std::vector<TBPoint> path;
        if (value == TKSolid::SegmentValue)
            path = { corners.start, corners.end };
        else if (value == TKSolid::SectorValue)
            path = { corners.start, solid.GetPoint1(), corners.end };
        else if (value == TKSolid::TangentsValue)
            path = corners.has_tangent_corner ? std::vector<TBPoint> { corners.start, corners.tangent_corner,
                                                                       corners.end }
                                              // Parallel tangents meet nowhere: the chord closes it.
                                              : std::vector<TBPoint> { corners.start, corners.end };
        AppendPathCrossings(line, path, false, points);
    } else if (kind == TKSolid::SameFlatnessRingKind || kind == TKSolid::ConstantWidthRingKind) {
        AppendArcCrossings(line, second, points);
    }
}

void AppendCrossings(const TKLine& line, const TZhdElem& other, const TZhdData& document,
                     std::vector<TBPoint>& points);

// The block's contents as placed (kept by the document, walked under the one
// expansion guard); their candidates off the parts are left out.
void AppendBlockCrossings(const TKLine& line, const TKBlock& block, const TZhdData& document,
                          std::vector<TBPoint>& points)
{
    const TBlockWalk walk(block, document, TPlacementUse::Measuring);
    if (walk.Contents() == nullptr)
        return;
    std::vector<TBPoint> found;
    const TZhdElemList& elements = walk.Contents()->Elements();
    for (auto it = elements.Begin(); it != elements.End(); ++it) {
        found.clear();
        AppendCrossings(line, **it, document, found);
        for (const TBPoint& point : found) {
            if (point.GetTag() != 0)
                points.push_back(point);
        }
    }
}

void AppendCrossings(const TKLine& line, const TZhdElem& other, const TZhdData& document,
                     std::vector<TBPoint>& points)
{
    switch (other.GetTypeCode()) {
    case TZhdElem::LineCode: {
        const auto& segment = static_cast<const TKLine&>(other);
        AppendSegmentCrossing(line, segment.GetStart(), segment.GetEnd(), points);
        break;
    }
    case TZhdElem::CircleCode:
        AppendArcCrossings(line, static_cast<const TKCircle&>(other), points);
        break;
    case TZhdElem::PointCode:
        AppendPointCrossing(line, static_cast<const TKPoint&>(other), points);
        break;
    case TZhdElem::MojiCode:
        AppendTextCrossings(line, static_cast<const TKMoji&>(other), points);
        break;
    case TZhdElem::SunpouCode: {
        const auto& dimension = static_cast<const TKSunpou&>(other);
        const TKLine dimension_line = dimension.GetLine();
        AppendSegmentCrossing(line, dimension_line.GetStart(), dimension_line.GetEnd(), points);
        AppendTextCrossings(line, dimension.GetMoji(), points);
        break;
    }
    case TZhdElem::SolidCode:
        AppendSolidCrossings(line, static_cast<const TKSolid&>(other), points);
        break;
    case TZhdElem::BlockCode:
        AppendBlockCrossings(line, static_cast<const TKBlock&>(other), document, points);
        break;
    default:
        break;
    }
}

} // namespace

int TKLine::CrossPoints(const TZhdElemPtr& other, const TZhdData& document, std::vector<TBPoint>& points) const
{
    if (!other) {
        points.clear();
        return 0;
    }
    return CrossPointsWith(*other, document, points);
}

int TKLine::CrossPointsWith(const TZhdElem& other, const TZhdData& document, std::vector<TBPoint>& points) const
{
    points.clear();
    AppendCrossings(*this, other, document, points);
    return static_cast<int>(points.size());
}

int TKLine::CrossPointsUsingStream(const TZhdElemPtr& other, const TZhdData& document,
                                   std::vector<TBPoint>& points, TStream&) const
{
    points.clear();
    if (!other || TypeCodeOfArchiveClassName(other->GetArchiveClassName()) == 0)
        return 0;
    return CrossPointsWith(*other, document, points);
}
