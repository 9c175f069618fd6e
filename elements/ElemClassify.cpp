// Classification of an element against a closed area: outside, inside,
// crossing the outline or touching it.
//
// Two questions decide it. Contact: each edge of the area (a temporary line
// for a polygon edge, the element itself for a boundary) is intersected with
// the element; a crossing point ends the search at once ("crossing"), any
// other point on both pieces makes the element a touching one. Inside: a ray
// from the element's test point (key point 1) towards (1e38, 1e38) is cut
// with every edge taken as a segment (a boundary element as the chord from
// its key point 0 to its key point 2), and an odd number of proper crossings
// puts the point inside. Crossings exactly at an edge's end and collinear
// overlaps are not counted, so a ray through a corner counts nothing there.
//
// Cost: one intersection and one segment test per edge, plus a copy of the
// element through its body per edge (the intersection factory decides by the
// copy's kind); callers that classify many elements hand in one scratch
// stream for those copies.
//
// A touching element counts by the option bits 0 to 2 (CombineContact).

#include "elements/ZhdElem.h"

#include "core/CurveIntersection.h"
#include "core/PlaneGeometry.h"
#include "document/ZhdElemList.h"
#include "elements/KLine.h"
#include "platform/Stream.h"

namespace {

enum Classification : int { Outside = 0, Inside = 1, Crossing = 2, Touching = 3 };

// Far enough to leave every drawing, finite so that the segment tests take it.
constexpr double kRayEnd = 1e38;

// The contact state after one edge's points: a crossing (tag 1) wins at once,
// any other non-zero tag makes a touching element.
int ContactOf(const std::vector<TBPoint>& points, int state)
{
    for (const TBPoint& point : points) {
        if (point.GetTag() == IntersectionCrossing)
            return Crossing;
        if (point.GetTag() != 0)
            state = Touching;
    }
    return state;
}

// 1 when the segment from a to b properly crosses the ray from the test
// point: inside both pieces, not at an end of either.
int RayCrosses(const TBPoint& test, const TBPoint& a, const TBPoint& b)
{
    double x = 0, y = 0;
    int code = PositionOutside;
    const int found = IntersectSegmentsWithOverlap(a.GetX(), a.GetY(), b.GetX(), b.GetY(), test.GetX(), test.GetY(),
                                                   kRayEnd, kRayEnd, x, y, code);
    return found != 0 && code == PositionInside ? 1 : 0;
}

//   option bit 0 | inside | no contact | touching
//   clear        | yes    | 1          | 1 with bit 1, else 3
//   clear        | no     | 0          | 2 with bit 2, else 0
//   set          | yes    | 1          | 2 with bit 2, else 1
//   set          | no     | 0          | 0
int CombineContact(int state, bool inside, const TBitFlg& options)
{
    if (state == Crossing)
        return Crossing;
    if (state != Touching)
        return inside ? Inside : Outside;
    if (options.IsSet(0) == 0) {
        if (inside)
            return options.IsSet(1) ? Inside : Touching;
        return options.IsSet(2) ? Crossing : Outside;
    }
    if (inside)
        return options.IsSet(2) ? Crossing : Inside;
    return Outside;
}

} // namespace

int TZhdElem::ClassifyInPolygon(const std::vector<TBPoint>& polygon, const TZhdData& document,
                                const TBitFlg& options) const
{
    const std::size_t n = polygon.size();
    if (n <= 2)
        return Outside;

    TMemoryStream scratch;
    std::vector<TBPoint> points;
    int state = Outside;
    for (std::size_t i = 0; i < n && state != Crossing; ++i) {
        TKLine edge;
        edge.SetLine(polygon[i], polygon[(i + 1) % n]);
        points.clear();
        if (edge.CrossPointsOfCopiedThrough(*this, document, points, scratch) != 0)
            state = ContactOf(points, state);
    }
    if (state == Crossing)
        return Crossing;

    const TBPoint test = GetKeyPoint(1);
    int crossings = 0;
    for (std::size_t i = 0; i < n; ++i)
        crossings += RayCrosses(test, polygon[i], polygon[(i + 1) % n]);
    return CombineContact(state, crossings % 2 == 1, options);
}

int TZhdElem::ClassifyInBoundary(const TZhdElemList& boundary, const TZhdData& document,
                                 const TBitFlg& options) const
{
    TMemoryStream scratch;
    return ClassifyInBoundary(boundary, document, options, scratch);
}

int TZhdElem::ClassifyInBoundary(const TZhdElemList& boundary, const TZhdData& document, const TBitFlg& options,
                                 TStream& scratch) const
{
    if (boundary.Size() <= 2)
        return Outside;

    std::vector<TBPoint> points;
    int state = Outside;
    for (auto edge = boundary.Begin(); edge != boundary.End() && state != Crossing; ++edge) {
        points.clear();
        if ((*edge)->CrossPointsOfCopiedThrough(*this, document, points, scratch) != 0)
            state = ContactOf(points, state);
    }
    if (state == Crossing)
        return Crossing;

    const TBPoint test = GetKeyPoint(1);
    int crossings = 0;
    for (auto edge = boundary.Begin(); edge != boundary.End(); ++edge)
        crossings += RayCrosses(test, (*edge)->GetKeyPoint(0), (*edge)->GetKeyPoint(2));
    return CombineContact(state, crossings % 2 == 1, options);
}
