#include "document/ZhdHead.h"

#include "core/LayerState.h"
#include "platform/Stream.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <utility>

TEST(ZhdHead, Defaults)
{
    const TZhdHead head;
    EXPECT_EQ(head.GetVersion(), 420u);
    EXPECT_EQ(head.GetMemo(), "\r\n");
    EXPECT_EQ(head.GetPaperSize(), 1);
    ASSERT_EQ(head.GetGroups().Count(), 16);
    for (int g = 0; g < 16; ++g) {
        ASSERT_EQ(head.GetGroup(g).GetLayers().Count(), 16);
        for (int l = 0; l < 16; ++l)
            EXPECT_EQ(head.GetLayerState(g, l), 2);
    }
    EXPECT_EQ(head.GetPens().Count(), 357);
    EXPECT_EQ(head.GetPen(0).GetColor(), 0);
    EXPECT_EQ(head.GetPen(1).GetColor(), 0xC0C0C0);
    EXPECT_EQ(head.GetPrtPens().Count(), 357);
    EXPECT_EQ(head.GetPrtPen(0).GetWidth(), 18);
    EXPECT_EQ(head.GetLTypes().Count(), 63);
    EXPECT_EQ(head.GetLParameters().Count(), 63);
    EXPECT_EQ(head.GetTextKinds().Count(), 11);
    EXPECT_EQ(head.GetMarkJumps().Count(), 11);
    EXPECT_EQ(head.GetDummy().Count(), 15);
    EXPECT_EQ(head.GetDimensionSettings().Count(), 5);
    EXPECT_EQ(head.GetGridSpacing().GetX(), 5.0);
    EXPECT_EQ(head.GetLatitude(), 36.0);
    EXPECT_EQ(head.GetSkyMapDiameter(), 50.0);
    EXPECT_EQ(head.GetGridMinDotSpacing(), 15.0);
    EXPECT_EQ(head.GetPrinterArea().GetScale(), 1.0);
    EXPECT_EQ(head.GetZero(), 0);
}

TEST(ZhdHead, CopiesAreIndependentAndComplete)
{
    TZhdHead head;
    TVect<TZhdLParameter> parameters = head.GetLParameters();
    TZhdLParameter dashed;
    dashed.SetLParameter("dashed", 2, { 1.5, 2.5 });
    parameters.Set(40, dashed);
    head.SetLParameters(parameters);
    head.SetMemo("m");

    TZhdHead copy(head);
    TZhdHead assigned;
    assigned = head;
    TZhdHead via_set;
    via_set.SetHead(head);
    for (const TZhdHead* other : { &copy, &assigned, &via_set }) {
        ASSERT_EQ(other->GetLParameters().Count(), 63);
        EXPECT_EQ(other->GetLParameters().Get(40).GetName(), "dashed");
        EXPECT_EQ(other->GetMemo(), "m");
    }
    copy.SetMemo("changed");
    EXPECT_EQ(head.GetMemo(), "m");
}

TEST(ZhdHead, MemoLines)
{
    struct Case {
        std::string memo;
        int n;
        std::string line;
    };
    const Case cases[] = {
        { "\r\n", 0, "\r\n" },
        { "\r\n", 1, "" },
        { "A\r\n\r\nB", 1, "A" },
        { "A\r\n\r\nB", 2, "B" },
        { "A\r\n\r\nB", 3, "" },
        { "\nA\rB\r\n", 2, "B" },
        { "single", 1, "single" },
        { "single", -1, "" },
    };
    TZhdHead head;
    for (const Case& c : cases) {
        head.SetMemo(c.memo);
        EXPECT_EQ(head.GetMemoLine(c.n), c.line) << c.memo << " " << c.n;
    }
}

TEST(ZhdHead, IndexesFollowTheContainerRuleExceptTheGroupScale)
{
    TZhdHead head;
    for (int g = 0; g < 16; ++g) {
        TZhdGrp group = head.GetGroup(g);
        group.SetScale(100.0 + g);
        head.SetGroup(g, group);
    }
    EXPECT_EQ(head.GetGroupScale(17), 101.0);
    EXPECT_EQ(head.GetGroup(17).GetScale(), 115.0);
    EXPECT_EQ(head.GetGroup(-3).GetScale(), 103.0);
    EXPECT_EQ(head.SetGroupScale(18, 7.0), 7.0);
    EXPECT_EQ(head.GetGroup(2).GetScale(), 7.0);

    TZhdLay layer;
    layer.SetLay(3, 1, "roof");
    EXPECT_EQ(head.SetLayer(4, 20, layer).GetName(), "roof");
    EXPECT_EQ(head.GetLayer(4, 15).GetName(), "roof");
    EXPECT_EQ(head.GetLayerProtect(4, 15), 1);

    TVect<TZhdPen> pens;
    for (int i = 0; i < 10; ++i)
        pens.Append(TZhdPen(i, 1));
    EXPECT_EQ(head.SetPens(pens).Count(), 10);
    EXPECT_EQ(head.GetPen(100).GetColor(), 9);
}

TEST(ZhdHead, LayerStateMasks)
{
    struct Case {
        int group_state;
        int layer_state;
        int mask;
    };
    // States from a file outside the mask table give mask 0, never a read
    // past the table.
    const Case cases[] = {
        { 3, 2, 3 }, { 0, 3, 0 }, { 1, 3, 1 }, { 2, 2, 3 }, { 3, 3, 7 },
        { 99, 3, 0 }, { 3, -1, 0 }, { 0x7FFFFFFF, 0x7FFFFFFF, 0 },
    };
    TZhdHead head;
    for (const Case& c : cases) {
        TZhdGrp group = head.GetGroup(5);
        group.SetState(c.group_state);
        head.SetGroup(5, group);
        TZhdLay layer = head.GetLayer(5, 6);
        layer.SetState(c.layer_state);
        head.SetLayer(5, 6, layer);
        EXPECT_EQ(head.GetLayerStateMask(5, 6), c.mask) << c.group_state << " " << c.layer_state;
    }
}

// The named masks are those the header gives a group and a layer that are
// both in the named state.
TEST(ZhdHead, NamedLayerStateMasksAreTheHeadersMasks)
{
    const std::pair<TLayerState, TLayerStateMask> named[] = {
        { LayerHidden, LayerMaskHidden },
        { LayerDisplayOnly, LayerMaskDisplayOnly },
        { LayerEditable, LayerMaskEditable },
        { LayerWriteTarget, LayerMaskWriteTarget },
    };
    TZhdHead head;
    for (const auto& [state, mask] : named) {
        TZhdGrp group = head.GetGroup(2);
        group.SetState(state);
        head.SetGroup(2, group);
        TZhdLay layer = head.GetLayer(2, 9);
        layer.SetState(state);
        head.SetLayer(2, 9, layer);
        EXPECT_EQ(static_cast<std::uint32_t>(head.GetLayerStateMask(2, 9)), mask) << state;
    }
}

TEST(ZhdZoom, ValueSemantics)
{
    TZhdZoomF a;
    a.SetXY(1, 2);
    a.SetScale(3);
    a.SetCode(61);
    a.SetTag(9);
    TZhdZoomF b = a;
    EXPECT_EQ(b.GetCode(), 61);
    EXPECT_EQ(b.GetScale(), 3);
    EXPECT_EQ(b.GetTag(), 0);
    b.SetCode(5);
    EXPECT_FALSE(static_cast<const TZhdZoom&>(a) != b);
    b.SetScale(4);
    EXPECT_TRUE(static_cast<const TZhdZoom&>(a) != b);

    TZhdZoomF target;
    target.AssignZoom(a);
    EXPECT_EQ(target.GetScale(), 3);
    EXPECT_EQ(target.GetX(), 0);
    EXPECT_EQ(target.GetCode(), 0);
    target.AssignZoomF(a);
    EXPECT_EQ(target.GetCode(), 61);
    EXPECT_EQ(target.GetScale(), 3);
    target.SetXY(7, 8);
    target.SetZoom(0.5);
    EXPECT_EQ(target.GetX(), 7);
    EXPECT_EQ(target.GetScale(), 0.5);
}

TEST(ZhdZoom, Records)
{
    TZhdZoomF view;
    view.SetXY(1.0, 2.0);
    view.SetScale(4.0);
    view.SetCode(7);
    TMemoryStream stream;
    view.Write(stream, 420);
    ASSERT_EQ(stream.GetSize(), 28u);
    double first = 0;
    std::memcpy(&first, stream.Memory(), sizeof first);
    EXPECT_EQ(first, 1.0);

    stream.SetPosition(0);
    TZhdZoomF back;
    back.Read(stream, 420);
    EXPECT_FALSE(back != view);
    EXPECT_EQ(back.GetCode(), 7);

    TMemoryStream plain;
    static_cast<const TZhdZoom&>(view).Write(plain, 420);
    EXPECT_EQ(plain.GetSize(), 24u);
}
