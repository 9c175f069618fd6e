#include "elements/BlockPlacement.h"

#include "document/PlacedBlockCache.h"
#include "document/ZhdData.h"
#include "elements/KBlock.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// The placement's angle in its own unit, so that the key tells apart angles
// that read the same in radians but place differently.
double AngleValue(const TAngle& angle)
{
    switch (angle.GetKind()) {
    case TAngle::KindDegrees:
        return angle.GetDegrees();
    case TAngle::KindPackedDMS:
        return angle.GetPackedDMS();
    default:
        return angle.GetRadians();
    }
}

TBlockPlacementKey KeyOf(const TKBlock& block, const TZhdData& document, TPlacementUse use)
{
    TBlockPlacementKey key;
    key.generation = document.GetBlockDefinesGeneration();
    key.number = static_cast<std::uint32_t>(block.GetBlockNumber());
    key.x = block.GetPos().GetX();
    key.y = block.GetPos().GetY();
    key.scale_x = block.GetScaleX();
    key.scale_y = block.GetScaleY();
    key.angle = AngleValue(block.GetAngle());
    key.angle_kind = block.GetAngle().GetKind();
    key.takes_layer = use == TPlacementUse::Measuring || block.GetPenStyle() == 1;
    if (key.takes_layer) {
        key.group = block.GetGLayer();
        key.layer = block.GetLayer();
    }
    key.selected = use == TPlacementUse::Drawing && block.GetElemFlg().IsSet(TZhdElem::SelectedMark) != 0;
    key.block_draw = document.GetInfoRegPtr().BlockDraw != 0;
    return key;
}

// Copies the definition's unselected elements and places each copy: layer,
// then scale, turn and move (TZhdElem::Transform), then the selection mark.
std::shared_ptr<TPlacedBlock> Place(const TKBlockDefine& define, const TBlockPlacementKey& key, const TKBlock& block,
                                    const TZhdData& document)
{
    TZhdElemList copies;
    copies.Copy(define.GetElemListRef(), document, 0, 0);
    for (auto it = copies.Begin(); it != copies.End(); ++it) {
        TZhdElem& copy = **it;
        if (key.takes_layer) {
            copy.SetGLayer(key.group);
            copy.SetLayer(key.layer);
        }
        copy.TransformTo(document, block.GetPos(), block.GetAngle(), block.GetScaleX(), block.GetScaleY());
        if (key.selected)
            copy.GetElemFlgPtr().SetBit(TZhdElem::SelectedMark);
    }
    return std::make_shared<TPlacedBlock>(std::move(copies));
}

std::shared_ptr<TPlacedBlock> PlacedContents(const TKBlockDefine& define, const TKBlock& block,
                                            const TZhdData& document, TPlacementUse use)
{
    TPlacedBlockCache& cache = document.GetPlacedBlocks();
    const TBlockPlacementKey key = KeyOf(block, document, use);
    if (std::optional<std::shared_ptr<TPlacedBlock>> known = cache.Find(key))
        return *std::move(known);
    std::shared_ptr<TPlacedBlock> placed = Place(define, key, block, document);
    const auto cost = static_cast<std::size_t>(placed->Elements().Size()) + 1;
    return cache.Keep(key, std::move(placed), cost);
}

} // namespace

std::optional<std::pair<TBPoint, TBPoint>> TPlacedBlock::Extent(const TZhdData& document, int mode)
{
    const bool kept = mode == 0 || mode == 1;
    if (kept && extents_[mode])
        return *extents_[mode];
    const std::uint64_t refusals = document.GetBlockExpansionRefusals();
    std::optional<std::pair<TBPoint, TBPoint>> extent;
    constexpr double unset = std::numeric_limits<double>::quiet_NaN();
    for (auto it = elements_.Begin(); it != elements_.End(); ++it) {
        // A nested reference that cannot be walked leaves its box unset: it
        // has no extent, and must not stretch this one to the origin.
        TBPoint min(unset, unset), max(unset, unset);
        (*it)->GetExtent(min, max, document, mode);
        if (std::isnan(min.GetX()) || std::isnan(min.GetY()) || std::isnan(max.GetX()) || std::isnan(max.GetY()))
            continue;
        if (!extent) {
            extent.emplace(min, max);
            continue;
        }
        extent->first.SetXY(std::min(extent->first.GetX(), min.GetX()), std::min(extent->first.GetY(), min.GetY()));
        extent->second.SetXY(std::max(extent->second.GetX(), max.GetX()),
                             std::max(extent->second.GetY(), max.GetY()));
    }
    if (kept && document.GetBlockExpansionRefusals() == refusals)
        extents_[mode] = extent;
    return extent;
}

TBlockWalk::TBlockWalk(const TKBlock& block, const TZhdData& document, TPlacementUse use)
{
    // A number no definition carries places the first definition: the
    // guard watches the one actually placed.
    const TKBlockDefine* define = document.FindBlockDefine(static_cast<std::uint32_t>(block.GetBlockNumber()));
    if (define == nullptr)
        return;
    guard_.emplace(document, define->GetNumber());
    if (guard_->Entered())
        placed_ = PlacedContents(*define, block, document, use);
}
