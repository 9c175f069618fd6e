// The geometry of a solid: its ellipses, containment, extent, nearest
// points, key points and transformations.
//
// A plain solid is the polygon of its distinct corners. An arc solid keeps
// an ellipse in its corners and asks temporary arcs (TKCircle) for
// everything elliptic; its straight closing path (chord, spokes to the
// centre, or the two end tangents) comes from GetFigureCorners, which the
// solid drawing shares.
//
// Containment casts a ray from the query to a far point and counts how often
// it crosses the boundary: arcs through IntersectSegmentEllipseArc, edges
// through IntersectSegmentsWithOverlap. A crossing at an end is ambiguous
// when it lies away from the query: the ray runs through a vertex (a corner,
// an arc's end, the centre of a sector), where one crossing may be counted
// twice or a mere touch once. Such a ray is dropped and the next far point
// tried. No figure has more than four vertices, so of five rays in distinct
// directions one always misses them all. A hit at the query itself means the
// query lies on the boundary, which counts as inside.
//
// Whole ellipses and whole rings: the full-circle flag stands for the whole
// turn, whatever arc angle is stored with it (a ring stores 0), so the
// queries take such an ellipse with a sweep of a full turn.
//
// Corners that are not all finite give the empty answers: nothing contained,
// nothing nearest, a box of NaN (which the extent and overlap searches skip).
//
// Cost: constant; containment at most five rays of a few solver calls each.

#include "elements/KSolid.h"

#include "core/Constants.h"
#include "core/CurveIntersection.h"
#include "core/Finite.h"
#include "core/PlaneGeometry.h"
#include "elements/KCircle.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace {

constexpr double kSameCorner = SegmentTolerance;
// A crossing this close to the query is the query itself on the boundary.
constexpr double kAtQuery = 1e-9;
// Nearest-point searches start above any distance.
constexpr double kNoDistance = 1e308;
constexpr double kFar = 1e38;

// Far ends of the containment rays, in distinct directions; the first is the
// usual (1e38, 1e38).
constexpr std::array<std::array<double, 2>, 5> kFarEnds { {
    { kFar, kFar },
    { -kFar, 0.6180339887 * kFar },
    { 0.4142135624 * kFar, -kFar },
    { -0.7320508076 * kFar, -kFar },
    { kFar, -0.2679491924 * kFar },
} };

bool IsFinitePoint(const TBPoint& point)
{
    return AllFinite({ point.GetX(), point.GetY() });
}

// The value of a whole turn as the corners store it.
bool IsStoredWholeTurn(double arc)
{
    return arc == 0.0 || arc == 2 * Pi;
}

// The queries take a whole ellipse over the full turn.
TKCircle SweptWhole(TKCircle arc)
{
    if (arc.GetFullCircle() != 0)
        arc.SetArcAngle(TAngle(2 * Pi));
    return arc;
}

// The tangent direction of the ellipse at the parameter: that of the
// derivative Rot(tilt) (-r sin t, r f cos t), taken for r = 1 (a negative
// radius turns it half round, which is the same line).
TAngle TangentDirection(const TKCircle& arc, const TAngle& parameter)
{
    const double t = parameter.GetRadians();
    return arc.GetTiltAngle() + TAngle(std::atan2(arc.GetFlatness() * std::cos(t), -std::sin(t)));
}

struct Edge {
    TBPoint from, to;
};

// What one ray met.
struct RayCount {
    int crossings = 0;
    bool on_boundary = false;
    bool through_vertex = false;
};

bool IsAtQuery(const TBPoint& query, double x, double y)
{
    return query.DistanceTo(TBPoint(x, y)) <= kAtQuery;
}

void CountArcCrossings(const TBPoint& query, const TBPoint& far, const TKCircle& arc, RayCount& count)
{
    std::vector<double> xs, ys;
    std::vector<int> codes;
    const TBPoint center = arc.GetCenter();
    IntersectSegmentEllipseArc(query.GetX(), query.GetY(), far.GetX(), far.GetY(), center.GetX(), center.GetY(),
                               arc.GetRadius(), arc.GetStartAngle(), arc.GetArcAngle(), arc.GetFlatness(),
                               arc.GetTiltAngle(), xs, ys, codes);
    for (std::size_t i = 0; i < codes.size(); ++i) {
        const bool at_query = IsAtQuery(query, xs[i], ys[i]);
        if (codes[i] == IntersectionCrossing)
            ++count.crossings;
        else if (codes[i] == IntersectionCrossingAtEnd)
            (at_query ? count.on_boundary : count.through_vertex) = true;
        else if (codes[i] == IntersectionTouch && at_query)
            count.on_boundary = true;
    }
}

void CountEdgeCrossing(const TBPoint& query, const TBPoint& far, const Edge& edge, RayCount& count)
{
    // A closing edge of no length (the chord of an arc of no sweep) bounds
    // nothing.
    if (edge.from.DistanceTo(edge.to) <= kSameCorner)
        return;
    double x = 0, y = 0;
    int code = PositionOutside;
    if (IntersectSegmentsWithOverlap(edge.from.GetX(), edge.from.GetY(), edge.to.GetX(), edge.to.GetY(),
                                     query.GetX(), query.GetY(), far.GetX(), far.GetY(), x, y, code)
        == 0)
        return;
    if (code == PositionInside)
        ++count.crossings;
    else if (code == PositionAtEnd)
        (IsAtQuery(query, x, y) ? count.on_boundary : count.through_vertex) = true;
    else if (code == PositionOnOneLine) {
        // The ray runs along the edge: on it, or through both its ends.
        (edge.from.IsOnLine(query, edge.to) == 1 ? count.on_boundary : count.through_vertex) = true;
    }
}

// 1 when the query lies inside the boundary made of the arcs and edges or on
// it, else 0.
int InsideBoundary(const TBPoint& query, const std::vector<TKCircle>& arcs, const std::vector<Edge>& edges)
{
    if (!IsFinitePoint(query))
        return 0;
    RayCount count;
    for (const auto& end : kFarEnds) {
        const TBPoint far(end[0], end[1]);
        count = RayCount();
        for (const TKCircle& arc : arcs)
            CountArcCrossings(query, far, arc, count);
        for (const Edge& edge : edges)
            CountEdgeCrossing(query, far, edge, count);
        if (count.on_boundary)
            return 1;
        if (!count.through_vertex)
            return count.crossings % 2;
    }
    // Only reached within the solvers' tolerances: take the last ray's
    // reading, a vertex counting as touched.
    return count.crossings % 2 != 0 || count.through_vertex ? 1 : 0;
}

std::vector<Edge> PathEdges(const std::vector<TBPoint>& path, bool closed)
{
    std::vector<Edge> edges;
    for (std::size_t i = 0; i + 1 < path.size(); ++i)
        edges.push_back({ path[i], path[i + 1] });
    if (closed && path.size() > 2)
        edges.push_back({ path.back(), path.front() });
    return edges;
}

// Takes the perpendicular foot on each edge that has it when its offset is
// smaller in size than the best so far (or nothing was found yet).
int NearestOnEdges(const std::vector<Edge>& edges, const TBPoint& query, TBPoint& point, double& best,
                   bool found)
{
    int result = found ? 1 : 0;
    for (const Edge& edge : edges) {
        TBPoint foot;
        double along = 0, offset = 0;
        if (edge.from.DistanceTo(edge.to) < kSameCorner
            || edge.from.PerpendicularFootEx(edge.to, query, foot, along, offset) == 0)
            continue;
        if (result == 0 || std::fabs(best) > std::fabs(offset)) {
            point.SetXY(foot.GetX(), foot.GetY());
            best = offset;
            result = 1;
        }
    }
    return result;
}

// Takes the candidate when nothing was found yet or it is strictly nearer.
bool TakeNearer(const TBPoint& candidate, const TBPoint& query, bool found, TBPoint& point, double& distance)
{
    const double to_candidate = query.DistanceTo(candidate);
    if (found && !(to_candidate < distance))
        return found;
    point.SetXY(candidate.GetX(), candidate.GetY());
    distance = to_candidate;
    return true;
}

} // namespace

// --- The ellipses ---

bool TKSolid::IsRing() const
{
    return GetPenStyle() == SameFlatnessRingKind || GetPenStyle() == ConstantWidthRingKind;
}

bool TKSolid::HasFiniteCorners() const
{
    for (const TBPoint& corner : corners_) {
        if (!IsFinitePoint(corner))
            return false;
    }
    return true;
}

TKCircle TKSolid::SolidEllipse() const
{
    int full_circle = 0;
    const int kind = GetPenStyle();
    if (kind == EllipseKind || kind == ArcLineKind)
        full_circle = corners_[3].GetY() == WholeEllipseValue ? 1 : 0;
    else if (IsRing())
        full_circle = IsStoredWholeTurn(corners_[3].GetX()) ? 1 : 0;
    return TKCircle(corners_[0], corners_[1].GetX(), TAngle(corners_[2].GetY()), TAngle(corners_[3].GetX()),
                    TAngle(corners_[2].GetX()), corners_[1].GetY(), full_circle);
}

// The constant-width ring's inner (or outer) ellipse keeps both semi-axes
// y4 - r away from the first one's: its flatness is (y4 + r f - r) / y4. A
// second radius of 0 is the centre itself, whose flatness does not matter:
// it keeps the first one's rather than divide by 0.
TKCircle TKSolid::SecondEllipse() const
{
    TKCircle second = SolidEllipse();
    if (!IsRing())
        return second;
    const double y4 = corners_[3].GetY();
    if (GetPenStyle() == ConstantWidthRingKind && y4 != 0) {
        const double r = second.GetRadius(), f = second.GetFlatness();
        const double flatness = (y4 + r * f - r) / y4;
        if (std::isfinite(flatness))
            second.SetFlatness(flatness);
    }
    second.SetRadius(y4);
    return second;
}

int TKSolid::GetAsCircle(TKCircle& first, TKCircle& second) const
{
    if (!IsArcSolid())
        return 0;
    first.AssignCircle(SolidEllipse());
    second.AssignCircle(SecondEllipse());
    return 1;
}

int TKSolid::SetFromCircle(const TKCircle& first, const TKCircle& second)
{
    if (!IsArcSolid())
        return 0;
    corners_[0] = first.GetCenter();
    corners_[1] = TBPoint(first.GetRadius(), first.GetFlatness());
    corners_[2] = TBPoint(first.GetTiltAngle().GetRadians(), first.GetStartAngle().GetRadians());
    double kind_value = 0.0;
    if (IsRing())
        kind_value = second.GetRadius();
    else if (first.GetFullCircle() != 0)
        kind_value = WholeEllipseValue;
    corners_[3] = TBPoint(first.GetArcAngle().GetRadians(), kind_value);
    return 1;
}

bool TKSolid::GetFigureCorners(FigureCorners& corners) const
{
    if (!IsArcSolid() || !HasFiniteCorners())
        return false;
    const TKCircle arc = SolidEllipse();
    const TBPoint start = arc.GetKeyPoint(0), end = arc.GetKeyPoint(2);
    const TAngle start_direction = TangentDirection(arc, arc.GetStartAngle());
    const TAngle end_direction = TangentDirection(arc, arc.GetStartAngle() + arc.GetArcAngle());

    double jx = 0, jy = 0, kx = 0, ky = 0;
    PolarXY(start.GetX(), start.GetY(), start_direction, arc.GetRadius(), jx, jy);
    PolarXY(end.GetX(), end.GetY(), end_direction, arc.GetRadius(), kx, ky);
    // The solver leaves the point alone for parallel lines.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    double tx = nan, ty = nan;
    IntersectSegmentsXY(start.GetX(), start.GetY(), jx, jy, end.GetX(), end.GetY(), kx, ky, tx, ty);

    corners.start = start;
    corners.end = end;
    corners.has_tangent_corner = AllFinite({ tx, ty });
    if (corners.has_tangent_corner)
        corners.tangent_corner = TBPoint(tx, ty);
    else
        corners.tangent_corner = TBPoint((start.GetX() + end.GetX()) / 2, (start.GetY() + end.GetY()) / 2);
    return true;
}

std::vector<TBPoint> TKSolid::GetMergedCorners() const
{
    const auto distinct = [this](int corner, int earlier) {
        return corners_[corner].DistanceTo(corners_[earlier]) > kSameCorner;
    };
    std::vector<TBPoint> merged { corners_[0], corners_[1] };
    if (distinct(2, 0) && distinct(2, 1))
        merged.push_back(corners_[2]);
    if (distinct(3, 0) && distinct(3, 1) && distinct(3, 2))
        merged.push_back(corners_[3]);
    return merged;
}

std::vector<TBPoint> TKSolid::ClosingPath() const
{
    FigureCorners figure;
    const double kind_value = corners_[3].GetY();
    if (kind_value == WholeEllipseValue || !GetFigureCorners(figure))
        return {};
    if (kind_value == SectorValue)
        return { figure.start, corners_[0], figure.end };
    if (kind_value == TangentsValue && figure.has_tangent_corner)
        return { figure.start, figure.tangent_corner, figure.end };
    return { figure.start, figure.end };
}

// --- Containment ---

int TKSolid::ContainsPoint(const TBPoint& point) const
{
    if (!HasFiniteCorners())
        return 0;
    if (!IsArcSolid()) {
        const std::vector<TBPoint> merged = GetMergedCorners();
        // A segment encloses nothing.
        if (merged.size() < 3)
            return 0;
        return InsideBoundary(point, {}, PathEdges(merged, true));
    }

    const TKCircle ellipse = SolidEllipse();
    if (GetPenStyle() == ArcLineKind) {
        const TAngle arc = ellipse.GetArcAngle();
        return arc == TAngle() || arc == TAngle(2 * Pi) ? ellipse.ClassifyPoint(point) : 0;
    }
    const TKCircle first = SweptWhole(ellipse);
    if (IsRing()) {
        std::vector<Edge> closing;
        // A whole ring has no closing edges: its seam is inside it.
        if (first.GetFullCircle() == 0) {
            const TKCircle second = SecondEllipse();
            closing.push_back({ first.GetKeyPoint(0), second.GetKeyPoint(0) });
            closing.push_back({ first.GetKeyPoint(2), second.GetKeyPoint(2) });
        }
        return InsideBoundary(point, { first, SweptWhole(SecondEllipse()) }, closing);
    }
    // Kind 101, and the kinds without a figure of their own, which are
    // filled as kind 101 is.
    if (corners_[3].GetY() == WholeEllipseValue)
        return first.ClassifyPoint(point);
    return InsideBoundary(point, { first }, PathEdges(ClosingPath(), false));
}

// --- Extent, nearest points, key points ---

void TKSolid::GetExtent(TBPoint& min, TBPoint& max, const TZhdData& document, int flag) const
{
    if (!HasFiniteCorners()) {
        const double nan = std::numeric_limits<double>::quiet_NaN();
        min.SetXY(nan, nan);
        max.SetXY(nan, nan);
        return;
    }
    if (IsArcSolid()) {
        GetArcExtent(min, max, document, flag);
        return;
    }
    double low_x = corners_[0].GetX(), low_y = corners_[0].GetY();
    double high_x = low_x, high_y = low_y;
    for (const TBPoint& corner : corners_) {
        low_x = std::min(low_x, corner.GetX());
        low_y = std::min(low_y, corner.GetY());
        high_x = std::max(high_x, corner.GetX());
        high_y = std::max(high_y, corner.GetY());
    }
    min.SetXY(low_x, low_y);
    max.SetXY(high_x, high_y);
}

// The box of the whole figure, not of the solid's ellipse alone: the second
// ellipse of a ring and the centre or tangent corner of a sector or tangent
// figure may lie beyond it, and the view would cut off what it leaves out.
void TKSolid::GetArcExtent(TBPoint& min, TBPoint& max, const TZhdData& document, int flag) const
{
    // The arc's flags: 0 a coarse box, 1 the exact one, any other nothing.
    if (flag != 0 && flag != 1)
        return;
    SweptWhole(SolidEllipse()).GetExtent(min, max, document, flag);
    std::vector<TBPoint> beyond;
    if (IsRing()) {
        TBPoint second_min, second_max;
        SweptWhole(SecondEllipse()).GetExtent(second_min, second_max, document, flag);
        beyond = { second_min, second_max };
    } else if (GetPenStyle() != ArcLineKind) {
        beyond = ClosingPath();
    }
    for (const TBPoint& point : beyond) {
        min.SetXY(std::min(min.GetX(), point.GetX()), std::min(min.GetY(), point.GetY()));
        max.SetXY(std::max(max.GetX(), point.GetX()), std::max(max.GetY(), point.GetY()));
    }
}

int TKSolid::NearestPoint(const TBPoint& query, const TZhdData& document, TBPoint& point, double& distance) const
{
    distance = 0;
    if (!HasFiniteCorners() || !IsFinitePoint(query))
        return 0;
    double best = kNoDistance;
    if (!IsArcSolid()) {
        const std::vector<TBPoint> merged = GetMergedCorners();
        const int found = NearestOnEdges(PathEdges(merged, true), query, point, best, false);
        if (found != 0)
            distance = best;
        return found;
    }

    const TKCircle first = SweptWhole(SolidEllipse());
    int found = first.NearestPoint(query, document, point, best);
    const int kind = GetPenStyle();
    const double kind_value = corners_[3].GetY();
    // Only the three closed figures have a straight part to snap to.
    const bool has_path = kind_value == SectorValue || kind_value == SegmentValue || kind_value == TangentsValue;
    if (kind == EllipseKind && has_path)
        found = NearestOnEdges(PathEdges(ClosingPath(), false), query, point, best, found != 0);
    if (IsRing()) {
        TBPoint second_point;
        double second_distance = 0;
        if (SweptWhole(SecondEllipse()).NearestPoint(query, document, second_point, second_distance) != 0
            && (found == 0 || std::fabs(best) > std::fabs(second_distance))) {
            point.SetXY(second_point.GetX(), second_point.GetY());
            best = second_distance;
            found = 1;
        }
    }
    if (found != 0)
        distance = best;
    return found;
}

int TKSolid::NearestEndPoint(const TBPoint& query, const TZhdData& document, TBPoint& point,
                             double& distance) const
{
    if (!HasFiniteCorners() || !IsFinitePoint(query))
        return 0;
    if (!IsArcSolid()) {
        bool found = false;
        for (const TBPoint& corner : corners_)
            found = TakeNearer(corner, query, found, point, distance);
        return 1;
    }

    const int kind = GetPenStyle();
    const TKCircle first = SweptWhole(SolidEllipse());
    if (kind == ArcLineKind)
        return first.NearestEndPoint(query, document, point, distance);
    if (kind == EllipseKind && corners_[3].GetY() == WholeEllipseValue)
        return 0;
    if (IsRing() && first.GetFullCircle() != 0)
        return 0;

    bool found = first.NearestEndPoint(query, document, point, distance) != 0;
    if (IsRing()) {
        TBPoint second_point;
        double second_distance = 0;
        if (SweptWhole(SecondEllipse()).NearestEndPoint(query, document, second_point, second_distance) != 0)
            found = TakeNearer(second_point, query, found, point, distance);
        return found ? 1 : 0;
    }
    if (kind == EllipseKind) {
        FigureCorners figure;
        const double kind_value = corners_[3].GetY();
        if (kind_value == SectorValue)
            found = TakeNearer(corners_[0], query, found, point, distance);
        else if (kind_value == TangentsValue && GetFigureCorners(figure) && figure.has_tangent_corner)
            found = TakeNearer(figure.tangent_corner, query, found, point, distance);
    }
    return found ? 1 : 0;
}

TBPoint TKSolid::GetKeyPoint(int index) const
{
    if (IsArcSolid())
        return SolidEllipse().GetKeyPoint(index);
    switch (index) {
    case 1: return corners_[1];
    case 2: return corners_[2];
    case 3: return corners_[3];
    default: return corners_[0];
    }
}

// --- Transformations (about the origin) ---

void TKSolid::MoveBy(TBPoint offset, const TZhdData&)
{
    // An arc solid's other corners are sizes and angles.
    const int moved = IsArcSolid() ? 1 : 4;
    for (int i = 0; i < moved; ++i)
        corners_[i] += offset;
}

void TKSolid::Rotate(TAngle angle, const TZhdData&)
{
    if (IsArcSolid()) {
        corners_[0].RotateAbout(TBPoint(), angle, corners_[0]);
        corners_[2].SetX(corners_[2].GetX() + angle.GetRadians());
        return;
    }
    for (TBPoint& corner : corners_)
        corner.RotateAbout(TBPoint(), angle, corner);
}

void TKSolid::Scale(double sx, double sy, const TZhdData& document)
{
    if (!IsArcSolid()) {
        for (TBPoint& corner : corners_)
            corner.SetXY(corner.GetX() * sx, corner.GetY() * sy);
        return;
    }
    TKCircle first = SolidEllipse();
    TKCircle second = SecondEllipse();
    first.Scale(sx, sy, document);
    corners_[0] = first.GetCenter();
    corners_[1] = TBPoint(first.GetRadius(), first.GetFlatness());
    corners_[2] = TBPoint(first.GetTiltAngle().GetRadians(), first.GetStartAngle().GetRadians());
    corners_[3].SetX(first.GetArcAngle().GetRadians());
    if (IsRing()) {
        second.Scale(sx, sy, document);
        corners_[3].SetY(second.GetRadius());
    }
}
