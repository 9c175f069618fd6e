#include "elements/KBlock.h"

#include "document/ZhdData.h"
#include "elements/BlockPlacement.h"
#include "render/InfoReg.h"

namespace {

// The drawing state a block's contents draw under, put back when the block
// is done: no print angle, no transparency, nested (so the element-list
// drawing neither clears the output nor draws the paper again).
class TNestedDrawState {
public:
    explicit TNestedDrawState(TInfoREG& info)
        : info_(info)
        , transparent_(info.Transparent)
        , color_transparent_(info.ColorTransparent)
        , nested_draw_(info.NestedDraw)
        , print_angle_(info.PrintAngle)
    {
        info.PrintAngle = 0.0;
        info.Transparent = 0;
        info.ColorTransparent = 0;
        info.NestedDraw = 1;
    }
    ~TNestedDrawState()
    {
        info_.Transparent = transparent_;
        info_.ColorTransparent = color_transparent_;
        info_.NestedDraw = nested_draw_;
        info_.PrintAngle = print_angle_;
    }
    TNestedDrawState(const TNestedDrawState&) = delete;
    TNestedDrawState& operator=(const TNestedDrawState&) = delete;

private:
    TInfoREG& info_;
    int transparent_;
    int color_transparent_;
    int nested_draw_;
    double print_angle_;
};

} // namespace

int TKBlock::Draw(TCanvas& canvas, TZhdData& document)
{
    TInfoREG& info = document.GetInfoRegPtr();
    // Set while the contents are placed (marker points keep their own marker
    // scale) and drawn (the element-list drawing skips its preamble).
    info.BlockDraw = 1;
    {
        const TBlockWalk walk(*this, document, TPlacementUse::Drawing);
        if (walk.Contents() != nullptr) {
            const TNestedDrawState nested(info);
            walk.Contents()->Elements().Draw(canvas, document);
        }
    }
    info.BlockDraw = 0;
    return 0;
}
