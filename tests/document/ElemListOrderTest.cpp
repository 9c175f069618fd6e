#include "document/ZhdElemList.h"
#include "tests/document/DrawingFixture.h"

#include "elements/KLine.h"

#include <boost/make_shared.hpp>
#include <gtest/gtest.h>

#include <string>

namespace {

struct Tagged {
    char letter;
    int group, layer, color;
};

// A (0, 1, 5), B (0, 0, 7), C (0, 1, 2), D (0, 0, 3): (group, layer, colour).
TZhdElemList Sample()
{
    TZhdElemList list;
    for (const Tagged& item : { Tagged { 'A', 0, 1, 5 }, { 'B', 0, 0, 7 }, { 'C', 0, 1, 2 }, { 'D', 0, 0, 3 } }) {
        auto line = boost::make_shared<TKLine>();
        line->SetNumber(item.letter);
        line->SetGLayer(static_cast<std::uint16_t>(item.group));
        line->SetLayer(static_cast<std::uint16_t>(item.layer));
        line->SetPenColor(static_cast<std::uint16_t>(item.color));
        list.Append(line);
    }
    return list;
}

} // namespace

TEST(ElemListOrder, OrderAndKind)
{
    struct Case {
        int order, kind;
        const char* result;
    };
    for (const Case& c : { Case { 1, 1, "DBCA" }, { 1, 2, "BDAC" }, { 1, 3, "DBCA" }, { 1, 0, "BDAC" },
                           { 2, 1, "CADB" }, { 2, 2, "ACBD" }, { 2, 3, "CADB" }, { 2, 0, "ACBD" },
                           { 3, 1, "CDAB" }, { 3, 2, "BADC" }, { 3, 3, "DCBA" }, { 3, 0, "ABCD" } }) {
        TZhdElemList list = Sample();
        EXPECT_EQ(list.Sort(c.order, c.kind), 4);
        EXPECT_EQ(Letters(list), c.result) << c.order << " " << c.kind;
        EXPECT_EQ(list.CountOfKind("TKLine"), 4u);
    }
    TZhdElemList by_layer = Sample();
    by_layer.SortByLayer();
    EXPECT_EQ(Letters(by_layer), "BDAC");
}

TEST(ElemListOrder, GroupsComeBeforeTheirLayers)
{
    TZhdElemList list;
    for (const auto& [group, layer] : { std::pair { 1, 0 }, { 0, 15 } }) {
        auto line = boost::make_shared<TKLine>();
        line->SetGLayer(static_cast<std::uint16_t>(group));
        line->SetLayer(static_cast<std::uint16_t>(layer));
        list.Append(line);
    }
    list.SortByLayer();
    EXPECT_EQ(list.Front()->GetGroupLayerCode(), 15);
    EXPECT_EQ(list.Back()->GetGroupLayerCode(), 16);

    TZhdElemList empty;
    EXPECT_EQ(empty.Sort(2, 3), 0);
}
