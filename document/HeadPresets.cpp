// Group and layer presets: rewrite the display states of the 16 groups and
// their layers so that one group or one layer stands alone. Callers apply
// them to copies of the displayed header (thumbnails, one print page per group
// or layer). Only states change: protections, names, scales, the write group
// and the write layers stay.
//
// States: 0 hidden, 1 display only, 2 editable, 3 write target. Display-only
// groups and layers are the common ones every page shows: when printing
// without grey they are raised to editable, with grey they stay display only
// and print in grey.

#include "document/ZhdHead.h"

#include "core/LayerState.h"

#include <utility>

namespace {

bool IsPrintable(int state)
{
    return state == LayerEditable || state == LayerWriteTarget;
}

// The state of a group or layer that shares a page with the selected one.
int StateBesideSelection(int state, int grey)
{
    if (IsPrintable(state))
        return LayerHidden;
    if (state == LayerDisplayOnly && grey == 0)
        return LayerEditable;
    return state;
}

// Gives every layer of the group the state new_state(layer index, state).
template <typename Rule>
void RestateLayers(TZhdGrp& group, Rule new_state)
{
    TVect<TZhdLay> layers = group.GetLayers();
    for (int k = 0; k < layers.Count(); ++k) {
        TZhdLay layer = layers.Get(k);
        layer.SetState(new_state(k, layer.GetState()));
        layers.Set(k, std::move(layer));
    }
    group.SetLayers(std::move(layers));
}

bool IsInTable(int index, int count)
{
    return index >= 0 && index < count;
}

} // namespace

void TZhdHead::ShowGroupAlone(int g)
{
    for (int i = 0; i < groups_.Count(); ++i) {
        TZhdGrp group = groups_.Get(i);
        if (i == g) {
            if (group.GetState() != LayerWriteTarget)
                group.SetState(LayerEditable);
            RestateLayers(group, [](int, int) { return LayerEditable; });
        } else {
            group.SetState(LayerHidden);
        }
        groups_.Set(i, std::move(group));
    }
}

void TZhdHead::ShowLayerAlone(int g, int l)
{
    for (int i = 0; i < groups_.Count(); ++i) {
        TZhdGrp group = groups_.Get(i);
        if (i == g) {
            group.SetState(LayerEditable);
            RestateLayers(group, [l](int k, int state) {
                if (k != l)
                    return LayerHidden;
                return state == LayerWriteTarget ? LayerWriteTarget : LayerEditable;
            });
        } else {
            group.SetState(LayerHidden);
        }
        groups_.Set(i, std::move(group));
    }
}

// A group or layer outside its table cannot be selected: the clamped index
// would test one entry while the loop selects none and hides everything.
int TZhdHead::SelectGroupForPrint(int g, int grey)
{
    if (!IsInTable(g, groups_.Count()) || !IsPrintable(GetGroupState(g)))
        return 0;
    for (int i = 0; i < groups_.Count(); ++i) {
        TZhdGrp group = groups_.Get(i);
        group.SetState(i == g ? LayerWriteTarget : StateBesideSelection(group.GetState(), grey));
        groups_.Set(i, std::move(group));
    }
    return 1;
}

int TZhdHead::SelectLayerForPrint(int g, int l, int grey)
{
    if (!IsInTable(g, groups_.Count()) || !IsInTable(l, GetGroup(g).GetLayers().Count())
        || !IsPrintable(GetGroupState(g)) || !IsPrintable(GetLayerState(g, l)))
        return 0;
    for (int i = 0; i < groups_.Count(); ++i) {
        TZhdGrp group = groups_.Get(i);
        if (i == g) {
            group.SetState(LayerWriteTarget);
            RestateLayers(group, [l, grey](int k, int state) {
                return k == l ? LayerWriteTarget : StateBesideSelection(state, grey);
            });
        } else {
            group.SetState(StateBesideSelection(group.GetState(), grey));
        }
        groups_.Set(i, std::move(group));
    }
    return 1;
}
