// Block references drawn through their placed contents: nesting, the drawing
// state they borrow and give back, layers by pen style, selection, and
// definitions that place themselves.

#include "elements/KSolid.h"
#include "platform/ImageCanvas.h"
#include "tests/elements/BlockFixture.h"
#include "tests/elements/GeometryTestSupport.h"
#include "tests/render/CommandSupport.h"
#include "tests/support/TempDir.h"

#include <QImage>
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

// One output pixel is one millimetre.
class BlockDraw : public ::testing::Test, protected MillimetreView {
protected:
    boost::shared_ptr<TKBlock> Place(std::uint32_t number, TBPoint position, int pen_style = 1, int layer = 0)
    {
        auto block = BlockElem(number, position);
        block->SetPenStyle(static_cast<std::uint8_t>(pen_style));
        block->SetLayer(static_cast<std::uint16_t>(layer));
        document.GetElemListPtr().Append(block);
        return block;
    }

    std::vector<Segment> Draw()
    {
        document.RefreshLayerStates();
        canvas.Clear();
        document.GetElemListPtr().Draw(canvas, document);
        // Only the drawing's own segments: the paper's dotted outline runs
        // far beyond this small output area.
        std::vector<Segment> segments = SegmentsOf(canvas.Commands());
        const auto outside = [](TPointI p) { return p.x < 0 || p.x > 200 || p.y < 0 || p.y > 100; };
        std::erase_if(segments, [&](const Segment& s) { return outside(s.from) || outside(s.to); });
        return segments;
    }

    TPointI Pixel(double x, double y)
    {
        const TBPoint screen = Info().WorldToScreen(TBPoint(x, y));
        return { static_cast<int>(screen.GetX()), static_cast<int>(screen.GetY()) };
    }

    void SetLayerState(int group, int layer, int state)
    {
        TZhdLay lay = document.GetHeadPtr().GetLayer(group, layer);
        lay.SetState(state);
        document.GetHeadPtr().SetLayer(group, layer, lay);
    }
};

} // namespace

TEST_F(BlockDraw, NestedLevelsDrawAndTheBorrowedStateComesBack)
{
    AddDefinition(document, 1, { LineElem(0, 0, 10, 0) });
    AddDefinition(document, 2, { BlockElem(1, TBPoint(0.0, 10.0)) });
    Place(2, TBPoint(5.0, 5.0));
    TInfoREG& info = Info();
    info.Transparent = 1;
    info.ColorTransparent = 1;
    info.PrintAngle = 0.25;

    // Level one at (0, 10) inside level two at (5, 5).
    const std::vector<Segment> expected { { Pixel(5, 15), Pixel(15, 15) } };
    EXPECT_EQ(Draw(), expected);
    EXPECT_EQ(info.Transparent, 1);
    EXPECT_EQ(info.ColorTransparent, 1);
    EXPECT_EQ(info.NestedDraw, 0);
    EXPECT_EQ(info.PrintAngle, 0.25);
    EXPECT_EQ(info.BlockDraw, 0);
    // The definitions stay where they were.
    EXPECT_POINT_NEAR(document.GetBlockDefine(1).GetElemList().Front()->GetKeyPoint(0), 0.0, 0.0, 0);
    // Drawn again from the kept placed copies: the same picture.
    EXPECT_EQ(Draw(), expected);
}

TEST_F(BlockDraw, PenStyleOneDrawsTheContentsOnTheBlocksLayer)
{
    auto on_hidden_layer = LineElem(0, 0, 10, 0);
    on_hidden_layer->SetLayer(3);
    AddDefinition(document, 1, { on_hidden_layer });
    SetLayerState(0, 3, 0);
    auto block = Place(1, TBPoint(0.0, 0.0), 1, 0);
    EXPECT_EQ(Draw().size(), 1u) << "on the block's visible layer";
    block->SetPenStyle(2);
    EXPECT_TRUE(Draw().empty()) << "on its own hidden layer";
}

TEST_F(BlockDraw, ASelectedBlockDrawsItsContentsSelected)
{
    auto line = LineElem(0, 0, 10, 0);
    AddDefinition(document, 1, { line });
    auto block = Place(1, TBPoint(0.0, 0.0));
    const std::size_t plain = Draw().size();
    block->GetElemFlgPtr().SetBit(TZhdElem::SelectedMark);
    EXPECT_GT(Draw().size(), plain) << "drawn over by the selection overlay";
    EXPECT_EQ(document.GetBlockDefine(1).GetElemList().Front()->GetElemFlg().IsSet(TZhdElem::SelectedMark), 0);
}

TEST_F(BlockDraw, DefinitionsThatPlaceThemselvesDrawOnce)
{
    AddDefinition(document, 1, { LineElem(0, 0, 10, 0), BlockElem(1, TBPoint(0.0, 20.0)) });
    AddDefinition(document, 2, { LineElem(0, 0, 0, 10), BlockElem(3, TBPoint(20.0, 0.0)) });
    AddDefinition(document, 3, { LineElem(0, 0, 0, 5), BlockElem(2, TBPoint(20.0, 0.0)) });
    Place(1, TBPoint(10.0, 10.0));
    Place(2, TBPoint(100.0, 10.0));
    const std::vector<Segment> expected { { Pixel(10, 10), Pixel(20, 10) }, // 1's line, not its inner copy
                                          { Pixel(100, 10), Pixel(100, 20) }, // 2's line
                                          { Pixel(120, 10), Pixel(120, 15) } }; // 3's line, not 2 again
    EXPECT_EQ(Draw(), expected);
    // An empty definition and a drawing without definitions draw nothing.
    TZhdData none;
    EXPECT_EQ(BlockElem(4)->Draw(canvas, none), 0);
}

namespace {

// A three-level nest of symbols: a box with a filled dot, three of them in a
// row (one turned, one scaled), and that row twice.
void AddNest(TZhdData& document)
{
    auto dot = boost::make_shared<TKSolid>();
    dot->SetSolid(TBPoint(5.0, 5.0), TBPoint(2.0, 1.0), TBPoint(0.0, 0.0),
                  TBPoint(2 * std::numbers::pi, TKSolid::WholeEllipseValue), 0);
    dot->SetPenStyle(TKSolid::EllipseKind);
    AddDefinition(document, 1,
                  { LineElem(0, 0, 10, 0), LineElem(10, 0, 10, 10), LineElem(10, 10, 0, 10), LineElem(0, 10, 0, 0),
                    dot });
    AddDefinition(document, 2,
                  { BlockElem(1, TBPoint(0.0, 0.0)), BlockElem(1, TBPoint(30.0, 5.0), 1, 1, 30),
                    BlockElem(1, TBPoint(50.0, 0.0), 2, 1.5) });
    AddDefinition(document, 3, { BlockElem(2, TBPoint(10.0, 10.0)), BlockElem(2, TBPoint(40.0, 60.0), 1, 1, -15) });
}

// The nest's elements placed by hand, level by level, into the list.
void Flatten(const TZhdData& document, const TZhdElemList& contents, const std::vector<const TKBlock*>& placements,
             TZhdElemList& flat)
{
    for (auto it = contents.Begin(); it != contents.End(); ++it) {
        if (const auto* block = dynamic_cast<const TKBlock*>(it->get())) {
            std::vector<const TKBlock*> deeper { block };
            deeper.insert(deeper.end(), placements.begin(), placements.end());
            const TKBlockDefine define = const_cast<TZhdData&>(document).GetBlockDefine(
                static_cast<std::uint32_t>(block->GetBlockNumber()));
            Flatten(document, define.GetElemListRef(), deeper, flat);
            continue;
        }
        TZhdElemList copy;
        TZhdElemList one;
        one.Append(*it);
        copy.Copy(one, document, 0, 0);
        for (const TKBlock* placement : placements)
            copy.Front()->TransformTo(document, placement->GetPos(), placement->GetAngle(), placement->GetScaleX(),
                                      placement->GetScaleY());
        flat.Append(copy.Front());
    }
}

QImage Picture(TZhdData& document)
{
    constexpr int width = 240, height = 160;
    ShowOneMillimetrePerPixel(document.GetInfoRegPtr(), width, height);
    // The nest lies up and right of the origin: centre the view on it.
    TZhdZoom view = document.GetInfoRegPtr().GetView();
    view.SetXY(90, 55);
    document.GetInfoRegPtr().SetView(view);
    document.RefreshLayerStates();
    TImageCanvas canvas(width, height);
    document.GetElemListPtr().Draw(canvas, document);
    return canvas.Image();
}

} // namespace

TEST(BlockPicture, ANestDrawsAsItsElementsPlacedByHand)
{
    TZhdData nest;
    AddNest(nest);
    nest.GetElemListPtr().Append(BlockElem(3, TBPoint(0.0, 0.0)));
    const QImage drawn = Picture(nest);
    EXPECT_TRUE(drawn.save(QString::fromStdString(TestArtefactPath("block_nest.png").string())));

    TZhdData flat;
    AddNest(flat);
    TZhdElemList elements;
    Flatten(nest, nest.GetElemListPtr(), {}, elements);
    EXPECT_EQ(elements.Size(), 6 * 5);
    flat.SetElemList(elements);
    EXPECT_TRUE(drawn == Picture(flat)) << "see block_nest.png";
}
