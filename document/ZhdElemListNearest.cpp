// The nearest-point searches behind snapping, picking and the attribute
// display of the element under the mouse. The search box is tested before an
// element is asked for its point, so only elements near the query do any
// geometry.

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

bool IsCandidate(const TZhdElem& elem, const TSearchBox& box, const TZhdData& document)
{
    return document.GetCachedLayerState(elem.GetGLayer(), elem.GetLayer()) > LayerMaskHidden
        && elem.ExtentOverlapsRect(box.min, box.max, document, 0) != 0;
}

// Calls visit(position, element) for each candidate, in list order. Near a
// point the document's index names the few elements worth measuring.
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
    for (int position = 0; position < list.Size(); ++position)
        consider(position);
}

using NearestQuery = int (TZhdElem::*)(const TBPoint&, const TZhdData&, TBPoint&, double&) const;

int FindNearest(const TZhdElemList& list, NearestQuery ask, const TBPoint& query, const TZhdData& document,
                TBPoint& point, double& distance, int radius)
{
    double best_distance = nothing_found;
    TBPoint best_point(0.0, 0.0);
    int found = -1;
    ForEachCandidate(list, SearchBoxOf(query, document, radius), document,
                     [&](int position, const TZhdElemPtr& elem) {
                         TBPoint at;
                         double away = nothing_found;
                         if (((*elem).*ask)(query, document, at, away) != 0
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
    return FindNearest(*this, &TZhdElem::NearestPoint, query, document, point, distance, radius);
}

int TZhdElemList::FindNearestEndPoint(const TBPoint& query, const TZhdData& document, TBPoint& point,
                                      double& distance, int radius) const
{
    return FindNearest(*this, &TZhdElem::NearestEndPoint, query, document, point, distance, radius);
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
