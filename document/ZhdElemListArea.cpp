// The box of a whole list, and the selection of the elements that lie in,
// cross or touch an area.
//
// The area is a closed boundary of elements (a polygon becomes one of lines).
// Its box decides first: an element whose box does not meet it is outside at
// once, so the classification, which intersects the element with every
// boundary edge, runs only for elements near the area; all classifications
// of one call copy through one scratch stream. The option word then says
// which classes to select: bit c for class c (0 outside, 1 inside, 2
// crossing, 3 touching); the classification reads bits 0 to 2 as well, to
// decide how a touching element counts.

#include "document/ZhdElemList.h"

#include "core/BPoint.h"
#include "core/BitFlg.h"
#include "core/Finite.h"
#include "elements/KLine.h"
#include "elements/ZhdElem.h"
#include "platform/Stream.h"

#include <boost/make_shared.hpp>

#include <algorithm>
#include <limits>

void TZhdElemList::GetExtents(TBPoint& min, TBPoint& max, const TZhdData& document, int mode) const
{
    bool first = true;
    for (const TZhdElemPtr& elem : items_) {
        TBPoint low, high;
        elem->GetExtent(low, high, document, mode);
        if (!AllFinite({ low.GetX(), low.GetY(), high.GetX(), high.GetY() }))
            continue;
        if (first) {
            min.SetXY(low.GetX(), low.GetY());
            max.SetXY(high.GetX(), high.GetY());
            first = false;
            continue;
        }
        min.SetXY(std::min(min.GetX(), low.GetX()), std::min(min.GetY(), low.GetY()));
        max.SetXY(std::max(max.GetX(), high.GetX()), std::max(max.GetY(), high.GetY()));
    }
}

int TZhdElemList::SelectInPolygon(const std::vector<TBPoint>& vertices, const TZhdData& document,
                                  const TBitFlg& options)
{
    if (vertices.size() < 2)
        return 0;
    std::vector<TBPoint> corners = vertices;
    if (vertices.size() == 2) {
        // Two vertices span a box, walked counter-clockwise from its lower
        // left corner.
        const double lo_x = std::min(vertices[0].GetX(), vertices[1].GetX());
        const double lo_y = std::min(vertices[0].GetY(), vertices[1].GetY());
        const double hi_x = std::max(vertices[0].GetX(), vertices[1].GetX());
        const double hi_y = std::max(vertices[0].GetY(), vertices[1].GetY());
        corners = { TBPoint(lo_x, lo_y), TBPoint(hi_x, lo_y), TBPoint(hi_x, hi_y), TBPoint(lo_x, hi_y) };
    }
    TZhdElemList boundary;
    const std::size_t n = corners.size();
    for (std::size_t j = 0; j < n; ++j) {
        auto edge = boost::make_shared<TKLine>();
        edge->SetStart(corners[j]);
        edge->SetEnd(corners[(j + 1) % n]);
        boundary.Append(edge);
    }
    return SelectInArea(boundary, document, options);
}

int TZhdElemList::SelectInArea(const TZhdElemList& boundary, const TZhdData& document, const TBitFlg& options)
{
    if (boundary.Size() <= 2)
        return 0;
    // An empty box until the boundary gives one: without a finite box the
    // boundary meets nothing.
    constexpr double infinity = std::numeric_limits<double>::infinity();
    TBPoint low(infinity, infinity), high(-infinity, -infinity);
    boundary.GetExtents(low, high, document, 0);

    TMemoryStream scratch;
    int count = 0;
    for (const TZhdElemPtr& elem : items_) {
        int classification = 0;
        if (elem->ExtentOverlapsRect(low, high, document, 0) != 0)
            classification = elem->ClassifyInBoundary(boundary, document, options, scratch);
        if (options.IsSet(classification) != 0) {
            elem->GetElemFlgPtr().SetBit(TZhdElem::SelectedMark);
            ++count;
        }
    }
    return count;
}
