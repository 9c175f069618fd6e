// The nearest-point searches behind snapping, picking and the attribute
// display of the element under the mouse. The search box is tested before an
// element is asked for its point, so only elements near the query do any
// geometry.
//
// The attribute display searches the whole view, every element of a large
// drawing. Most of them are lines and arcs, whose answers lie in their box
// at their true distance from the query: one whose box lies farther from
// the query than the best distance found so far can neither win nor tie,
// and is passed over without being asked; a block passes over such parts of
// its contents (TZhdElem::CannotComeNearer, NearestPointWithin). The walk
// keeps the list order and the comparison, so the answer is the one a walk
// that asks every element gives. Texts are always asked: they measure to the
// lines their edges lie on, beyond their box.

#include "document/ZhdElemList.h"

#include "core/LayerState.h"
#include "document/ZhdData.h"
#include "document/ZhdZoom.h"
#include "elements/ZhdElem.h"
#include "render/InfoReg.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double nothing_found = 1e308;

struct TSearchBox {
    TBPoint min, max;
};

TSearchBox SearchBoxOf(const TBPoint& query, const TZhdData& document, int radius)
{
    const TInfoREG& view = document.GetInfoRegPtr();
    if (radius == 0) {
        const TBPoint a = view.GetViewCorner(0);
        const TBPoint b = view.GetViewCorner(2);
        return { TBPoint(std::min(a.GetX(), b.GetX()), std::min(a.GetY(), b.GetY())),
                 TBPoint(std::max(a.GetX(), b.GetX()), std::max(a.GetY(), b.GetY())) };
    }
    if (radius < 0)
        return { TBPoint(0.0, 0.0), TBPoint(0.0, 0.0) };
    // A view without a usable scale gives a box that is not finite; a NaN
    // box meets nothing.
    const double half = view.GetMMPerPixelX() * radius / view.GetView().GetScale();
    return { TBPoint(query.GetX() - half, query.GetY() - half), TBPoint(query.GetX() + half, query.GetY() + half) };
}

bool OnShownLayer(const TZhdElem& elem, const TZhdData& document)
{
    return document.GetCachedLayerState(elem.GetGLayer(), elem.GetLayer()) > LayerMaskHidden;
}

bool IsCandidate(const TZhdElem& elem, const TSearchBox& box, const TZhdData& document)
{
    return OnShownLayer(elem, document) && elem.ExtentOverlapsRect(box.min, box.max, document, 0) != 0;
}

// Calls visit(position, element) for each candidate, in list order. Near a
// point the document's index names the few elements worth measuring; over a
// box that holds the whole drawing it tells which elements meet the box
// without measuring them.
template <typename Visit>
void ForEachCandidate(const TZhdElemList& list, const TSearchBox& box, const TZhdData& document, Visit visit)
{
    const TZhdElemList::ElemPtrList& items = list.GetItemsPtr();
    const auto consider = [&](int position) {
        const TZhdElemPtr& elem = items[static_cast<std::size_t>(position)];
        if (IsCandidate(*elem, box, document))
            visit(position, elem);
    };
    if (const std::vector<int>* near = document.NearCandidates(list, box.min, box.max)) {
        for (const int position : *near)
            consider(position);
        return;
    }
    if (const std::vector<int>* not_held = document.NotHeldByBox(list, box.min, box.max)) {
        auto next_not_held = not_held->begin();
        for (int position = 0; position < list.Size(); ++position) {
            if (next_not_held != not_held->end() && *next_not_held == position) {
                ++next_not_held;
                consider(position);
                continue;
            }
            const TZhdElemPtr& elem = items[static_cast<std::size_t>(position)];
            if (OnShownLayer(*elem, document))
                visit(position, elem);
        }
        return;
    }
    for (int position = 0; position < list.Size(); ++position)
        consider(position);
}

using NearestQuery = int (TZhdElem::*)(const TBPoint&, const TZhdData&, TBPoint&, double&, double) const;

int FindNearest(const TZhdElemList& list, NearestQuery ask, const TBPoint& query, const TZhdData& document,
                TBPoint& point, double& distance, int radius)
{
    double best_distance = nothing_found;
    TBPoint best_point(0.0, 0.0);
    int found = -1;
    ForEachCandidate(list, SearchBoxOf(query, document, radius), document,
                     [&](int position, const TZhdElemPtr& elem) {
                         const double bound = std::fabs(best_distance);
                         if (elem->CannotComeNearer(query, document, bound))
                             return;
                         TBPoint at;
                         double away = nothing_found;
                         if (((*elem).*ask)(query, document, at, away, bound) != 0
                             && std::fabs(best_distance) > std::fabs(away)) {
                             best_distance = away;
                             best_point = at;
                             found = position;
                         }
                     });
    point = best_point;
    distance = best_distance;
    return found;
}

} // namespace

int TZhdElemList::FindNearestElementPoint(const TBPoint& query, const TZhdData& document, TBPoint& point,
                                          double& distance, int radius) const
{
    return FindNearest(*this, &TZhdElem::NearestPointWithin, query, document, point, distance, radius);
}

int TZhdElemList::FindNearestEndPoint(const TBPoint& query, const TZhdData& document, TBPoint& point,
                                      double& distance, int radius) const
{
    return FindNearest(*this, &TZhdElem::NearestEndPointWithin, query, document, point, distance, radius);
}

int TZhdElemList::FindNearestIntersection(const TBPoint& query, const TZhdElemPtr& elem, const TZhdData& document,
                                          std::vector<TBPoint>& points, int radius) const
{
    double best_distance = nothing_found;
    TBPoint best_point(0.0, 0.0);
    int found = -1;
    if (elem) {
        ForEachCandidate(*this, SearchBoxOf(query, document, radius), document,
                         [&](int position, const TZhdElemPtr& other) {
                             if (TZhdElem::CrossPointsBetween(elem, other, document, points) == 0)
                                 return;
                             for (const TBPoint& at : points) {
                                 // A candidate off one of the pieces is no
                                 // point of the drawing: snapping to it
                                 // would measure to nowhere.
                                 if (at.GetTag() == 0)
                                     continue;
                                 const double away = query.DistanceTo(at);
                                 if (away < std::fabs(best_distance)) {
                                     best_distance = away;
                                     best_point = at;
                                     found = position;
                                 }
                             }
                         });
    }
    points.assign(1, best_point);
    return found;
}
