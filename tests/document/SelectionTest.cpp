// Selection by group and layer, clearing and restoring it, and showing one
// group alone.

#include "SelectionFixture.h"

#include <gtest/gtest.h>

namespace {

using Positions = std::vector<int>;

// Group 1: layers 0 and 1 editable, layer 2 display only. Group 2 editable.
// Positions: 0 (1,0) 1 (1,1) 2 (1,2 display only) 3 (2,0) 4 (1,0).
TZhdData GroupsDrawing()
{
    TZhdData document;
    for (auto [g, l] : { std::pair(1, 0), std::pair(1, 1), std::pair(1, 2), std::pair(2, 0), std::pair(1, 0) })
        document.GetElemListPtr().Append(LineOn(g, l));
    SetLayerState(document, 1, 2, 1);
    return document;
}

} // namespace

TEST(Selection, GroupReplacesOrAddsToTheSelection)
{
    TZhdData document = GroupsDrawing();
    EXPECT_EQ(document.SelectGroup(2, 0), 1);
    EXPECT_EQ(SelectedPositions(document), Positions({ 3 }));

    // Keep: group 1's selectable elements join; its display-only one does not.
    EXPECT_EQ(document.SelectGroup(1, 1), 3);
    EXPECT_EQ(SelectedPositions(document), Positions({ 0, 1, 3, 4 }));
    EXPECT_EQ(document.GetElemListPtr().GetSelectedCount(), 3u);

    EXPECT_EQ(document.SelectGroup(1, 0), 3);
    EXPECT_EQ(SelectedPositions(document), Positions({ 0, 1, 4 }));

    // A group no element carries, or no group at all, selects nothing.
    EXPECT_EQ(document.SelectGroup(-1, 0), 0);
    EXPECT_EQ(SelectedPositions(document), Positions());
    EXPECT_EQ(document.GetElemListPtr().GetSelectedCount(), 0u);
}

TEST(Selection, Layer)
{
    TZhdData document = GroupsDrawing();
    EXPECT_EQ(document.SelectLayer(1, 0, 0), 2);
    EXPECT_EQ(SelectedPositions(document), Positions({ 0, 4 }));
    EXPECT_EQ(document.SelectLayer(1, 1, 1), 1);
    EXPECT_EQ(SelectedPositions(document), Positions({ 0, 1, 4 }));
    EXPECT_EQ(document.SelectLayer(1, 2, 0), 0);
    EXPECT_EQ(SelectedPositions(document), Positions());
}

TEST(Selection, AllVisibleCountsEveryElement)
{
    TZhdData document;
    for (int i = 0; i < 10; ++i)
        document.GetElemListPtr().Append(LineOn(0, i));
    for (int l : { 1, 4, 6, 9 })
        SetLayerState(document, 0, l, 1);
    SetLayerState(document, 0, 2, 0);

    EXPECT_EQ(document.SelectAllVisible(), 10);
    EXPECT_EQ(document.GetElemListPtr().GetSelectedCount(), 10u);
    EXPECT_EQ(SelectedPositions(document), Positions({ 0, 3, 5, 7, 8 }));
}

TEST(Selection, ClearThenReselectSkipsLayersNoLongerSelectable)
{
    TZhdData document = GroupsDrawing();
    document.SelectGroup(1, 0);
    EXPECT_EQ(document.ClearSelection(), 3);
    EXPECT_EQ(document.GetElemListPtr().GetSelectedCount(), 0u);
    EXPECT_EQ(SelectedPositions(document, false), Positions());
    EXPECT_EQ(MarksAt(document, 0).IsSet(TZhdElem::LastHitMark), 1);

    SetLayerState(document, 1, 1, 1);
    EXPECT_EQ(document.ReselectMarked(), 2);
    EXPECT_EQ(SelectedPositions(document, false), Positions({ 0, 4 }));
    EXPECT_EQ(document.GetElemListPtr().GetSelectedCount(), 2u);
}

TEST(Selection, InstructionMarkSurvives)
{
    TZhdData document = GroupsDrawing();
    document.GetElemListPtr().GetAt(0)->GetElemFlgPtr().SetBit(TZhdElem::InstructionMark);
    document.SelectGroup(1, 0);
    document.SelectGroup(2, 0);
    document.ClearSelection();
    EXPECT_EQ(MarksAt(document, 0).IsSet(TZhdElem::InstructionMark), 1);
}

TEST(Selection, ElementsOutsideTheGroupTablesAreNeverSelected)
{
    // Group and layer numbers of elements come from files.
    TZhdData document;
    document.GetElemListPtr().Append(LineOn(16, 0));
    document.GetElemListPtr().Append(LineOn(0, 300));
    document.GetElemListPtr().Append(LineOn(0, 0));
    EXPECT_EQ(document.SelectGroup(16, 0), 0);
    EXPECT_EQ(document.SelectLayer(0, 300, 0), 0);
    EXPECT_EQ(document.SelectAllVisible(), 3);
    EXPECT_EQ(SelectedPositions(document), Positions({ 2 }));
}

TEST(Selection, EmptyList)
{
    TZhdData document;
    document.GetElemListPtr().SetSelectedCount(7);
    EXPECT_EQ(document.SelectGroup(0, 0), 0);
    EXPECT_EQ(document.SelectAllVisible(), 0);
    EXPECT_EQ(document.ReselectMarked(), 0);
    EXPECT_EQ(document.GetElemListPtr().GetSelectedCount(), 0u);
}

TEST(Selection, IsolateGroup)
{
    TZhdData document;
    TZhdHead& head = document.GetHeadPtr();
    head.SetWriteGroup(5);
    TZhdGrp group = head.GetGroup(4);
    group.SetState(1);
    group.SetProtect(2);
    group.SetWriteLayer(7);
    head.SetGroup(4, group);
    SetLayerState(document, 4, 3, 0);
    SetLayerState(document, 6, 3, 1);

    document.IsolateGroup(4);
    for (int g = 0; g < 16; ++g)
        EXPECT_EQ(head.GetGroupState(g), g == 4 ? 2 : 0) << g;
    for (int l = 0; l < 16; ++l)
        EXPECT_EQ(head.GetLayerState(4, l), 2) << l;
    EXPECT_EQ(head.GetLayerState(6, 3), 1);
    EXPECT_EQ(head.GetGroupProtect(4), 2);
    EXPECT_EQ(head.GetGroup(4).GetWriteLayer(), 7);
    EXPECT_EQ(head.GetWriteGroup(), 5);

    document.IsolateGroup(16);
    for (int g = 0; g < 16; ++g)
        EXPECT_EQ(head.GetGroupState(g), 0) << g;
}

TEST(Selection, LayerStateTableAgreesWithTheHeader)
{
    // Pairs of group and layer states, -1 being no state at all.
    TZhdData document;
    const int states[] = { -1, 0, 1, 2, 3, 4 };
    for (int g = 0; g < 6; ++g) {
        SetGroupState(document, g, states[g]);
        for (int l = 0; l < 6; ++l)
            SetLayerState(document, g, l, states[l]);
    }
    document.RefreshLayerStates();
    for (int g = 0; g < 16; ++g) {
        for (int l = 0; l < 16; ++l) {
            EXPECT_EQ(document.GetCachedLayerState(g, l),
                      static_cast<std::uint32_t>(document.GetHeadPtr().GetLayerStateMask(g, l)))
                << g << " " << l;
        }
    }
    EXPECT_EQ(document.GetCachedLayerState(3, 4), 3u);
    EXPECT_EQ(document.GetCachedLayerState(4, 2), 1u);
    EXPECT_EQ(document.GetCachedLayerState(0, 4), 0u);
}
