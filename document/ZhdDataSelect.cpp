// Selection by group and layer, clearing and restoring the selection, and
// showing one group alone. Each operation is one pass over the element list;
// the layer-state table turns the per-element state test into one look-up.

#include "document/ZhdData.h"

#include "core/LayerState.h"
#include "elements/ZhdElem.h"

namespace {

bool IsSelectable(const TZhdData& document, const TZhdElem& elem)
{
    return document.GetCachedLayerState(elem.GetGLayer(), elem.GetLayer()) > LayerMaskDisplayOnly;
}

} // namespace

int TZhdData::SelectGroup(int g, int keep)
{
    RefreshLayerStates();
    return elem_list_.SelectWhere(
        [&](const TZhdElem& elem) { return elem.GetGLayer() == g && IsSelectable(*this, elem); }, keep != 0);
}

int TZhdData::SelectLayer(int g, int l, int keep)
{
    RefreshLayerStates();
    return elem_list_.SelectWhere(
        [&](const TZhdElem& elem) {
            return elem.GetGLayer() == g && elem.GetLayer() == l && IsSelectable(*this, elem);
        },
        keep != 0);
}

int TZhdData::SelectAllVisible()
{
    RefreshLayerStates();
    elem_list_.SelectWhere([&](const TZhdElem& elem) { return IsSelectable(*this, elem); }, false);
    return static_cast<int>(elem_list_.SetSelectedCount(static_cast<std::uint32_t>(elem_list_.Size())));
}

int TZhdData::ClearSelection()
{
    // Reads no state, but leaves the table as fresh as every selection does.
    RefreshLayerStates();
    int count = 0;
    for (const TZhdElemPtr& elem : elem_list_.GetItemsPtr()) {
        TBitFlg& marks = elem->GetElemFlgPtr();
        if (marks.IsSet(TZhdElem::SelectedMark)) {
            marks.ClearBit(TZhdElem::SelectedMark);
            ++count;
        }
    }
    elem_list_.SetSelectedCount(0);
    return count;
}

int TZhdData::ReselectMarked()
{
    RefreshLayerStates();
    int count = 0;
    for (const TZhdElemPtr& elem : elem_list_.GetItemsPtr()) {
        TBitFlg& marks = elem->GetElemFlgPtr();
        if (marks.IsSet(TZhdElem::LastHitMark) && IsSelectable(*this, *elem)) {
            marks.SetBit(TZhdElem::SelectedMark);
            ++count;
        }
    }
    elem_list_.SetSelectedCount(static_cast<std::uint32_t>(count));
    return count;
}

void TZhdData::IsolateGroup(int g)
{
    for (int i = 0; i < GroupCount; ++i) {
        TZhdGrp group = head_.GetGroup(i);
        if (i == g) {
            group.SetState(LayerEditable);
            for (int l = 0; l < TZhdGrp::LayerCount; ++l) {
                TZhdLay layer = group.GetLayer(l);
                layer.SetState(LayerEditable);
                group.SetLayer(l, layer);
            }
        } else {
            group.SetState(LayerHidden);
        }
        head_.SetGroup(i, std::move(group));
    }
}
