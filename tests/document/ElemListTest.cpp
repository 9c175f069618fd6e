// The element list as a container: its bookkeeping, its index rule and its
// small services.

#include "document/ZhdElemList.h"
#include "tests/document/DrawingFixture.h"

#include "core/DebugLog.h"
#include "document/KBlockDefine.h"
#include "document/SjFormat.h"
#include "elements/KBlock.h"
#include "elements/KLine.h"
#include "elements/KMoji.h"

#include <boost/make_shared.hpp>
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

template <typename Elem>
boost::shared_ptr<Elem> Make(int group, int layer, std::uint8_t pen_style = 1)
{
    auto elem = boost::make_shared<Elem>();
    elem->SetGLayer(static_cast<std::uint16_t>(group));
    elem->SetLayer(static_cast<std::uint16_t>(layer));
    elem->SetPenStyle(pen_style);
    return elem;
}

} // namespace

TEST(ElemList, NewListIsEmpty)
{
    const TZhdElemList list;
    EXPECT_EQ(list.Size(), 0);
    EXPECT_EQ(list.ClampIndex(0), -1);
    EXPECT_EQ(list.ClampIndex(-5), -1);
    EXPECT_EQ(list.CountOfKind("CDataSen"), 0u);
    for (int g = 0; g < 16; ++g) {
        EXPECT_EQ(list.GetGroupElemCount(g), 0u);
        for (int l = 0; l < 16; ++l)
            EXPECT_EQ(list.GetLayerElemCount(g, l), 0u);
    }
}

TEST(ElemList, CountsFollowAddingAndRemoving)
{
    TZhdElemList list;
    list.Append(Make<TKLine>(3, 7));
    EXPECT_EQ(list.CountOfKind("TKLine"), 1u);
    EXPECT_EQ(list.GetLayerElemCount(3, 7), 1u);
    EXPECT_EQ(list.GetGroupElemCount(3), 1u);

    list.Append(Make<TKMoji>(3, 7));
    EXPECT_EQ(list.CountOfKind("CDataMoji"), 1u);
    EXPECT_EQ(list.GetLayerTextCount(3, 7), 1u);
    EXPECT_EQ(list.GetLayerElemCount(3, 7), 1u);

    // Only a block with line type 1 counts as an element of its layer.
    list.Append(Make<TKBlock>(0, 0, 1));
    const auto shown_block = Make<TKBlock>(0, 0, 2);
    EXPECT_EQ(list.UpdateCounts(shown_block, 1), 0u);
    list.Append(shown_block);
    EXPECT_EQ(list.CountOfKind("TKBlock"), 1u);
    EXPECT_EQ(list.GetLayerElemCount(0, 0), 1u);

    list.EraseAt(0);
    EXPECT_EQ(list.CountOfKind("TKLine"), 0u);
    EXPECT_EQ(list.GetLayerElemCount(3, 7), 0u);
    EXPECT_EQ(list.GetGroupElemCount(3), 0u);
    EXPECT_EQ(list.CountOfKind("CDataList"), 0u);

    list.Clear();
    EXPECT_EQ(list.Size(), 0);
    EXPECT_EQ(list.GetGroupTextCount(3), 0u);
    EXPECT_EQ(list.CountOfKind("TKBlock"), 0u);
}

// Layers outside 0 to 15 are counted by kind but touch no table cell, as on a
// hidden layer; a count never wraps below zero when attributes changed
// between adding and removing.
TEST(ElemList, OutOfRangeLayersAndChangedAttributes)
{
    TZhdElemList list;
    list.Append(Make<TKLine>(16, 0));
    list.Append(Make<TKLine>(0, 0xFFFF));
    EXPECT_EQ(list.CountOfKind("TKLine"), 2u);
    EXPECT_EQ(list.GetLayerElemCount(16, 0), 0u);
    EXPECT_EQ(list.GetGroupElemCount(-1), 0u);
    TZhdElemList empty;
    EXPECT_EQ(empty.AddLayerCounts(list), 0u);

    const auto moved = Make<TKLine>(1, 1);
    list.Append(moved);
    moved->SetLayer(2);
    list.EraseAt(2);
    EXPECT_EQ(list.GetLayerElemCount(1, 1), 1u);
    EXPECT_EQ(list.GetLayerElemCount(1, 2), 0u);
    EXPECT_EQ(list.GetGroupElemCount(1), 0u);
}

TEST(ElemList, NoEmptyPointers)
{
    TZhdElemList list = Lettered("AB");
    EXPECT_EQ(list.Append(nullptr), 2);
    EXPECT_EQ(list.Prepend(nullptr), 2);
    EXPECT_EQ(list.InsertAt(1, nullptr), 2);
    EXPECT_EQ(list.SetAt(0, nullptr), list.Front());
    EXPECT_EQ(list.Resize(-5), 2);
    EXPECT_EQ(list.Resize(-1), 1);
    TZhdElemList::ElemPtrList items { nullptr, Lettered("C").Front(), nullptr };
    EXPECT_EQ(list.SwapItems(items), 1);
    EXPECT_EQ(Letters(list), "C");
    EXPECT_EQ(items.size(), 1u);

    TZhdElemList empty;
    EXPECT_FALSE(empty.GetAt(0));
    EXPECT_FALSE(empty.Front());
    EXPECT_FALSE(empty.Back());
    EXPECT_FALSE(empty.SetAt(0, Lettered("A").Front()));
    EXPECT_EQ(empty.EraseAt(0), 0);
    EXPECT_EQ(empty.PopFront(), 0);
    EXPECT_EQ(empty.PopBack(), 0);
    EXPECT_EQ(empty.MoveElem(0, 1), 0);
    EXPECT_EQ(empty.MoveToBack(0), 0);
    EXPECT_EQ(empty.SwapElems(0, 1), 0);
    EXPECT_EQ(empty.InsertAt(5, Lettered("A").Front()), 1);
}

TEST(ElemList, IndexRuleAndMoves)
{
    TZhdElemList list = Lettered("ABCDE");
    EXPECT_EQ(list.ClampIndex(3), 3);
    EXPECT_EQ(list.ClampIndex(9), 4);
    EXPECT_EQ(list.ClampIndex(-2), 2);
    list.InsertAt(5, Lettered("X").Front());
    EXPECT_EQ(Letters(list), "ABCDXE");

    struct Move {
        int from, to;
        const char* result;
    };
    for (const Move& move : { Move { 3, 0, "DABC" }, { 0, 2, "BACD" }, { 2, 2, "ABCD" }, { -1, 9, "ACBD" } }) {
        TZhdElemList moved = Lettered("ABCD");
        moved.MoveElem(move.from, move.to);
        EXPECT_EQ(Letters(moved), move.result) << move.from << " " << move.to;
        EXPECT_EQ(moved.CountOfKind("TKLine"), 4u);
    }
    TZhdElemList swapped = Lettered("ABCD");
    swapped.SwapElems(0, -2);
    EXPECT_EQ(Letters(swapped), "CBAD");
    swapped.MoveToBack(0);
    EXPECT_EQ(Letters(swapped), "BADC");
    EXPECT_EQ(swapped.CountOfKind("TKLine"), 4u);
    swapped.Reverse();
    EXPECT_EQ(Letters(swapped), "CDAB");
    swapped.PopFront();
    swapped.PopBack();
    EXPECT_EQ(Letters(swapped), "DA");
    EXPECT_EQ(swapped.NumberElems(), 2);
    EXPECT_EQ(swapped.Back()->GetNumber(), 1);
}

TEST(ElemList, CurveGroupAndBlockNumbers)
{
    TZhdElemList list;
    auto grouped = Make<TKLine>(0, 0);
    grouped->SetPlGroup(12);
    list.Prepend(grouped);
    list.InsertAt(0, grouped);
    EXPECT_EQ(list.GetMaxPlGroup(), 0u);
    list.Append(grouped);
    EXPECT_EQ(list.GetMaxPlGroup(), 12u);
    EXPECT_EQ(list.RaiseMaxPlGroup(3), 12u);

    list.Clear();
    std::uint32_t n = 99;
    EXPECT_EQ(list.AllocBlockNumber(n), 1u);
    EXPECT_EQ(n, 0u);
    EXPECT_EQ(list.NewPlGroup(n), 1u);
    EXPECT_EQ(n, 1u);
    list.RaiseMaxBlockNumber(7);
    list.AllocBlockNumber(n);
    EXPECT_EQ(n, 7u);
    EXPECT_EQ(list.GetMaxBlockNumber(), 8u);
    EXPECT_EQ(list.PeekBlockNumber(n), 8u);
}

TEST(ElemList, AddLayerCounts)
{
    TZhdElemList one_line;
    one_line.Append(Make<TKLine>(0, 0));
    TZhdElemList list;
    list.Append(Make<TKMoji>(2, 2));
    EXPECT_EQ(list.AddLayerCounts(one_line), 4u);
    EXPECT_EQ(list.GetLayerElemCount(0, 0), 1u);
    EXPECT_EQ(list.GetGroupElemCount(0), 1u);
    EXPECT_EQ(list.AddLayerCounts(one_line, 3), 10u);
    // Kind counters stay: the tables alone grow.
    EXPECT_EQ(list.CountOfKind("TKLine"), 0u);
    // A cell saturates instead of wrapping.
    list.AddLayerCounts(one_line, 0xFFFFFFFFu);
    EXPECT_EQ(list.GetLayerElemCount(0, 0), 0xFFFFFFFFu);
}

TEST(ElemList, MarksImagesAndStatistics)
{
    TZhdElemList list;
    auto text = Make<TKMoji>(0, 0);
    const auto owner = boost::make_shared<int>(0);
    text->AddRaster(TKMoji::RasterPtr(owner, reinterpret_cast<TRasterBase*>(owner.get())));
    text->GetElemFlgPtr().SetBit(TZhdElem::SelectedMark);
    list.Append(Make<TKLine>(0, 0));
    list.Append(text);
    EXPECT_EQ(list.ClearTextImages(0, { 0, 1, 5, -1 }), 1);
    EXPECT_EQ(text->GetRasterCount(), 0);
    list.ClearAllFlags();
    EXPECT_EQ(text->GetElemFlg().GetValue(), 0u);

    std::ostringstream log;
    RedirectDebugLog(&log);
    list.LogStatistics();
    RedirectDebugLog(nullptr);
    std::vector<std::string> lines;
    std::istringstream in(log.str());
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[0], sj(u8"データ総数：2"));
    EXPECT_EQ(lines[1], sj(u8"　　　　線：1"));
    EXPECT_EQ(lines[2], sj(u8"　　　　円：0"));
    EXPECT_EQ(lines[3], sj(u8"　　　　点：0"));
    EXPECT_EQ(lines[4], sj(u8"　　　文字：1"));
    EXPECT_EQ(lines[5], sj(u8"　ソリッド：0"));
    EXPECT_EQ(lines[6], sj(u8"　ブロック：0"));
    EXPECT_EQ(lines[7], sj(u8"　　　寸法：0"));
    EXPECT_EQ(lines[9], SjPrintf(u8"　最大ブロ：%u (0)", TKBlockDefine::GetNextNumber()));
}
