#include "document/ZhdHead.h"

#include <gtest/gtest.h>

#include <string>

namespace {

void SetGroupState(TZhdHead& head, int g, int state)
{
    TZhdGrp group = head.GetGroup(g);
    group.SetState(state);
    head.SetGroup(g, group);
}

void SetLayerState(TZhdHead& head, int g, int l, int state)
{
    TZhdLay layer = head.GetLayer(g, l);
    layer.SetState(state);
    head.SetLayer(g, l, layer);
}

// Group g's state then its sixteen layer states, as one digit each.
std::string States(const TZhdHead& head, int g)
{
    std::string text = std::to_string(head.GetGroupState(g)) + ":";
    for (int l = 0; l < 16; ++l)
        text += std::to_string(head.GetLayerState(g, l));
    return text;
}

// Group 0 a write target whose layers 0 to 3 hold states 3, 0, 1, 2; group 1
// display only; group 2 hidden; group 3 editable with a display-only layer 5;
// the rest editable.
TZhdHead MixedHead()
{
    TZhdHead head;
    SetGroupState(head, 0, 3);
    for (int l = 0; l < 4; ++l)
        SetLayerState(head, 0, l, (l + 3) % 4);
    SetGroupState(head, 1, 1);
    SetGroupState(head, 2, 0);
    SetLayerState(head, 3, 5, 1);
    TZhdGrp named = head.GetGroup(0);
    named.SetName("kept");
    named.SetProtect(2);
    head.SetGroup(0, named);
    return head;
}

} // namespace

TEST(HeadPresets, ShowGroupAlone)
{
    TZhdHead head = MixedHead();
    head.ShowGroupAlone(0);
    EXPECT_EQ(States(head, 0), "3:2222222222222222");
    EXPECT_EQ(States(head, 3), "0:2222212222222222");
    for (int g = 1; g < 16; ++g)
        EXPECT_EQ(head.GetGroupState(g), 0) << g;
    EXPECT_EQ(head.GetGroup(0).GetName(), "kept");
    EXPECT_EQ(head.GetGroupProtect(0), 2);

    TZhdHead outside = MixedHead();
    outside.ShowGroupAlone(16);
    for (int g = 0; g < 16; ++g)
        EXPECT_EQ(outside.GetGroupState(g), 0) << g;
    EXPECT_EQ(States(outside, 0), "0:3012222222222222");
}

TEST(HeadPresets, ShowLayerAlone)
{
    TZhdHead head = MixedHead();
    head.ShowLayerAlone(0, 0);
    EXPECT_EQ(States(head, 0), "2:3000000000000000");
    head = MixedHead();
    head.ShowLayerAlone(0, 2);
    EXPECT_EQ(States(head, 0), "2:0020000000000000");
    EXPECT_EQ(States(head, 3), "0:2222212222222222");
}

TEST(HeadPresets, SelectGroupForPrint)
{
    for (int grey : { 0, 1 }) {
        TZhdHead head = MixedHead();
        EXPECT_EQ(head.SelectGroupForPrint(3, grey), 1);
        EXPECT_EQ(head.GetGroupState(3), 3);
        EXPECT_EQ(head.GetGroupState(0), 0);
        EXPECT_EQ(head.GetGroupState(1), grey == 0 ? 2 : 1);
        EXPECT_EQ(head.GetGroupState(2), 0);
        for (int g = 4; g < 16; ++g)
            EXPECT_EQ(head.GetGroupState(g), 0) << g;
        EXPECT_EQ(States(head, 0).substr(2), "3012222222222222");
    }

    // A display-only or hidden group, or one outside the table, is refused
    // and nothing changes.
    for (int g : { 1, 2, 16, -3 }) {
        TZhdHead head = MixedHead();
        EXPECT_EQ(head.SelectGroupForPrint(g, 0), 0) << g;
        for (int i = 0; i < 16; ++i)
            EXPECT_EQ(States(head, i), States(MixedHead(), i)) << g;
    }
}

TEST(HeadPresets, SelectLayerForPrint)
{
    for (int grey : { 0, 1 }) {
        TZhdHead head = MixedHead();
        EXPECT_EQ(head.SelectLayerForPrint(3, 0, grey), 1);
        EXPECT_EQ(States(head, 3), grey == 0 ? "3:3000020000000000" : "3:3000010000000000");
        EXPECT_EQ(head.GetGroupState(1), grey == 0 ? 2 : 1);
        // Other groups keep their layers and end at 0, 1 or 2.
        EXPECT_EQ(States(head, 0), "0:3012222222222222");
        for (int g = 0; g < 16; ++g) {
            if (g != 3) {
                EXPECT_LE(head.GetGroupState(g), 2) << g;
            }
        }
    }

    struct Refused {
        int g;
        int l;
    };
    // A display-only layer, a layer of a display-only group, indexes outside.
    for (const Refused& r : { Refused { 3, 5 }, Refused { 1, 0 }, Refused { 0, 2 }, Refused { 3, 16 },
                              Refused { 16, 0 } }) {
        TZhdHead head = MixedHead();
        EXPECT_EQ(head.SelectLayerForPrint(r.g, r.l, 0), 0) << r.g << " " << r.l;
        EXPECT_EQ(States(head, 3), States(MixedHead(), 3));
    }
}
