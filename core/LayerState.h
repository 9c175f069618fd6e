#pragma once

// The state of a layer group or a layer, as the drawing file stores it, and
// the state mask that the document draws, searches and selects by. The
// header's records, its presets, the text form, the settings file, the
// drawing passes and the vocabulary tables all speak of these.

#include <cstdint>

// Values come from files: any other number may turn up and is kept as it is.
enum TLayerState : int {
    LayerHidden = 0,
    LayerDisplayOnly = 1,
    LayerEditable = 2,
    LayerWriteTarget = 3,
};

// A layer's state mask (TZhdHead::GetLayerStateMask, the document's
// layer-state table): the masks 2^n - 1 of the group's and the layer's state
// n, ANDed. Bit 0 is shown, bit 1 editable, bit 2 write target, each only
// when both the group and the layer reach it.
enum TLayerStateMask : std::uint32_t {
    LayerMaskHidden = (1u << LayerHidden) - 1,
    LayerMaskDisplayOnly = (1u << LayerDisplayOnly) - 1,
    LayerMaskEditable = (1u << LayerEditable) - 1,
    LayerMaskWriteTarget = (1u << LayerWriteTarget) - 1,
};
