#include "elements/KBlock.h"

#include "elements/BlockPlacement.h"

#include <cmath>

namespace {

using NearestQuery = int (TZhdElem::*)(const TBPoint&, const TZhdData&, TBPoint&, double&, double) const;

// The placed element whose answer to the query is strictly nearer than every
// earlier one. One that cannot come nearer than the bound or the answer so
// far could not be taken, and is not asked.
int NearestOfContents(const TKBlock& block, NearestQuery query_of, const TBPoint& query, const TZhdData& document,
                      TBPoint& point, double& distance, double bound)
{
    distance = 1e308;
    const TBlockWalk walk(block, document, TPlacementUse::Measuring);
    if (walk.Contents() == nullptr)
        return 0;
    int found = 0;
    const TZhdElemList& elements = walk.Contents()->Elements();
    for (auto it = elements.Begin(); it != elements.End(); ++it) {
        const double nearest = std::fmin(bound, std::fabs(distance));
        if ((**it).CannotComeNearer(query, document, nearest))
            continue;
        TBPoint candidate;
        double candidate_distance = 0;
        if (((**it).*query_of)(query, document, candidate, candidate_distance, nearest) == 0)
            continue;
        if (std::fabs(distance) > std::fabs(candidate_distance)) {
            point = candidate;
            distance = candidate_distance;
            found = 1;
        }
    }
    return found;
}

} // namespace

TBPoint TKBlock::GetKeyPoint(int) const
{
    return position_;
}

void TKBlock::GetExtent(TBPoint& min, TBPoint& max, const TZhdData& document, int flag) const
{
    const TBlockWalk walk(*this, document, TPlacementUse::Measuring);
    if (walk.Contents() == nullptr)
        return;
    if (const auto extent = walk.Contents()->Extent(document, flag)) {
        min = extent->first;
        max = extent->second;
    }
}

int TKBlock::NearestPoint(const TBPoint& query, const TZhdData& document, TBPoint& point, double& distance) const
{
    return NearestPointWithin(query, document, point, distance, HUGE_VAL);
}

int TKBlock::NearestEndPoint(const TBPoint& query, const TZhdData& document, TBPoint& point, double& distance) const
{
    return NearestEndPointWithin(query, document, point, distance, HUGE_VAL);
}

int TKBlock::NearestPointWithin(const TBPoint& query, const TZhdData& document, TBPoint& point, double& distance,
                                double bound) const
{
    return NearestOfContents(*this, &TZhdElem::NearestPointWithin, query, document, point, distance, bound);
}

int TKBlock::NearestEndPointWithin(const TBPoint& query, const TZhdData& document, TBPoint& point,
                                   double& distance, double bound) const
{
    return NearestOfContents(*this, &TZhdElem::NearestEndPointWithin, query, document, point, distance, bound);
}

void TKBlock::MoveBy(TBPoint offset, const TZhdData&)
{
    position_ += offset;
}

void TKBlock::Rotate(TAngle angle, const TZhdData&)
{
    angle_ += angle;
    position_.RotateAbout(TBPoint(0.0, 0.0), angle, position_);
}

namespace {

// A stored scale of 0 places at scale 1: scaling such a block must start
// from 1, or a default block would never grow.
double ScaledFactor(double stored, double factor)
{
    return (stored == 0 ? 1.0 : stored) * factor;
}

} // namespace

void TKBlock::Scale(double sx, double sy, const TZhdData&)
{
    scale_x_ = ScaledFactor(scale_x_, sx);
    scale_y_ = ScaledFactor(scale_y_, sy);
    position_.SetXY(position_.GetX() * sx, position_.GetY() * sy);
}
