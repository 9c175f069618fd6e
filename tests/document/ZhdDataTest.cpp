// The document's construction, copies, change marks, layer states, pens and
// marker shapes.

#include "document/ZhdData.h"

#include "core/Constants.h"
#include "elements/KCircle.h"
#include "elements/KLine.h"
#include "elements/KSolid.h"
#include "platform/Stream.h"

#include <boost/make_shared.hpp>
#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace {

int Rgb(int red, int green, int blue)
{
    return red + green * 256 + blue * 65536;
}

template <typename Map>
std::set<std::string> KeysOf(const Map& map)
{
    std::set<std::string> keys;
    for (const auto& entry : map)
        keys.insert(entry.first);
    return keys;
}

// Everything a new document sets up besides its drawing.
void ExpectSetUp(const TZhdData& document)
{
    EXPECT_EQ(document.GetPenMapPtr().size(), 16u);
    EXPECT_EQ(document.GetPrtPenMapPtr().size(), 11u);
    EXPECT_EQ(document.GetMarkerShapesPtr().size(), 19u);
    EXPECT_TRUE(document.GetGroupNameMark(15));
    EXPECT_TRUE(document.GetLayerProtectMark(15, 15));
}

} // namespace

TEST(ZhdData, NewDocument)
{
    TZhdData document;
    ExpectSetUp(document);
    EXPECT_EQ(document.GetVersion(), 420u);
    EXPECT_EQ(document.GetElemListPtr().Size(), 0);
    for (int g = 0; g < 16; ++g) {
        EXPECT_TRUE(document.GetGroupProtectMark(g));
        for (int l = 0; l < 16; ++l)
            EXPECT_TRUE(document.GetLayerNameMark(g, l));
    }
    EXPECT_EQ(document.GetCachedLayerState(0, 0), 0u);
    document.RefreshLayerStates();
    for (int g = 0; g < 16; ++g) {
        for (int l = 0; l < 16; ++l)
            EXPECT_EQ(document.GetCachedLayerState(g, l), 3u);
    }
    // Outside the table: hidden, never an access past it.
    EXPECT_EQ(document.GetCachedLayerState(16, 0), 0u);
    EXPECT_EQ(document.GetCachedLayerState(0, -1), 0u);
    EXPECT_TRUE(document.SetInfoFlag(3, true));
    EXPECT_FALSE(document.SetInfoFlag(3, false));
}

TEST(ZhdData, DefaultPens)
{
    const TZhdData document;
    const auto& pens = document.GetPenMapPtr();
    EXPECT_EQ(KeysOf(pens), (std::set<std::string> { "1", "2", "3", "4", "5", "6", "7", "8", "9", "B", "G", "H", "K",
                                                       "M", "S", "Z" }));
    EXPECT_EQ(pens.at("9").GetColor(), pens.at("H").GetColor());
    EXPECT_EQ(pens.at("B").GetColor(), Rgb(0, 0, 0));
    EXPECT_EQ(pens.at("7").GetColor(), Rgb(128, 64, 0));
    EXPECT_EQ(pens.at("S").GetWidth(), 1);
    const auto& print_pens = document.GetPrtPenMapPtr();
    EXPECT_EQ(KeysOf(print_pens), (std::set<std::string> { "1", "2", "3", "4", "5", "6", "7", "8", "9", "B", "G" }));
    EXPECT_EQ(print_pens.at("B").GetColor(), Rgb(255, 255, 255));
    EXPECT_EQ(print_pens.at("6").GetWidth(), 40);
    EXPECT_EQ(print_pens.at("6").GetPointRadius(), 0.6);
    EXPECT_EQ(print_pens.at("9").GetColor(), Rgb(255, 170, 170));
}

TEST(ZhdData, MarkerShapes)
{
    const TZhdData document;
    const auto& shapes = document.GetMarkerShapesPtr();
    for (int code = -7; code <= 11; ++code)
        ASSERT_EQ(shapes.count(code), 1u) << code;
    struct Shape {
        int code;
        int size;
        int first_type;
    };
    for (const Shape& shape : { Shape { -7, 2, 1 }, { -6, 3, 1 }, { -5, 4, 1 }, { -4, 2, 1 }, { -3, 1, 3 },
                                { -2, 1, 2 }, { -1, 3, 1 }, { 0, 1, 3 }, { 1, 4, 6 }, { 2, 5, 6 }, { 3, 2, 6 },
                                { 4, 1, 2 }, { 5, 1, 6 }, { 6, 1, 6 }, { 7, 1, 6 }, { 8, 2, 2 }, { 9, 2, 1 },
                                { 10, 1, 1 }, { 11, 3, 1 } }) {
        const TZhdElemList& list = shapes.at(shape.code);
        EXPECT_EQ(list.Size(), shape.size) << shape.code;
        EXPECT_EQ(list.Front()->GetTypeCode(), shape.first_type) << shape.code;
    }

    // The arrowhead: tip at the origin, base 7.5 back and 2.5 wide; a white
    // solid fills it.
    const auto& arrow = static_cast<const TKSolid&>(*shapes.at(1).Front());
    EXPECT_EQ(arrow.GetPenColor(), 10);
    EXPECT_EQ(arrow.GetColor(), 0xFFFFFF);
    EXPECT_EQ(arrow.GetPoint1(), TBPoint(0.0, 0.0));
    EXPECT_EQ(arrow.GetPoint2(), TBPoint(-7.5, 1.25));
    EXPECT_EQ(arrow.GetPoint4(), TBPoint(-7.5, -1.25));
    const auto& open_arrow = static_cast<const TKLine&>(*shapes.at(9).Back());
    EXPECT_EQ(open_arrow.GetStart(), TBPoint(-7.5, -1.25));
    EXPECT_EQ(open_arrow.GetEnd(), TBPoint(0.0, 0.0));

    const auto& arc_solid = static_cast<const TKSolid&>(*shapes.at(7).Front());
    EXPECT_EQ(arc_solid.GetPenStyle(), 101);
    EXPECT_EQ(arc_solid.GetPenColor(), 1);
    EXPECT_EQ(arc_solid.GetPoint4(), TBPoint(2 * Pi, 100.0));

    const auto& cross = static_cast<const TKLine&>(*shapes.at(-7).Front());
    const double h = 1.25 * std::cos(Pi / 4);
    EXPECT_EQ(cross.GetStart(), TBPoint(h, h));
    EXPECT_EQ(cross.GetEnd(), TBPoint(-h, -h));

    const auto& right_arc = static_cast<const TKCircle&>(*shapes.at(8).Front());
    EXPECT_EQ(right_arc.GetCenter(), TBPoint(h, 0.0));
    EXPECT_EQ(right_arc.GetFullCircle(), 0);
    EXPECT_EQ(right_arc.GetStartAngle().GetRadians(), Pi / 2);
}

// A copy is a whole document, not one without pens and shapes.
TEST(ZhdData, CopyConstructorGivesAFullySetUpDocument)
{
    TZhdData source;
    source.GetPenMapPtr().clear();
    source.GetMarkerShapesPtr().clear();
    source.GetElemListPtr().Append(boost::make_shared<TKLine>());
    source.GetHeadPtr().SetMemo("copied");
    const TZhdData copy(source);
    ExpectSetUp(copy);
    EXPECT_EQ(copy.GetHeadPtr().GetMemo(), "copied");
    // Elements are shared.
    EXPECT_EQ(copy.GetElemListPtr().Front(), source.GetElemListPtr().Front());
}

TEST(ZhdData, AssignmentKeepsPensShapesAndDrawingState)
{
    TZhdData source;
    source.SetDrawColor(77);
    source.GetPenMapPtr()["1"].SetColor(5);
    source.GetHeadPtr().SetMemo("drawing");
    source.GetElemListPtr().Append(boost::make_shared<TKLine>());
    source.AppendBlockDefine(TKBlockDefine());
    source.SetHeText("reply");

    TZhdData target;
    target = source;
    EXPECT_EQ(target.GetHeadPtr().GetMemo(), "drawing");
    EXPECT_EQ(target.GetElemListPtr().Size(), 1);
    EXPECT_EQ(target.GetBlockDefinesPtr().Count(), 1);
    EXPECT_EQ(target.GetHeText(), "reply");
    EXPECT_EQ(target.GetDrawColor(), 0);
    EXPECT_EQ(target.GetPenMapPtr().at("1").GetColor(), Rgb(255, 255, 255));

    // The print job's working copy: everything but the elements.
    TZhdData working;
    working.GetElemListPtr().Append(boost::make_shared<TKLine>());
    working.GetElemListPtr().Append(boost::make_shared<TKLine>());
    source.RefreshLayerStates();
    working.AssignAll(source);
    EXPECT_EQ(working.GetElemListPtr().Size(), 2);
    EXPECT_EQ(working.GetDrawColor(), 77);
    EXPECT_EQ(working.GetPenMapPtr().at("1").GetColor(), 5);
    EXPECT_EQ(working.GetCachedLayerState(4, 4), 3u);
    EXPECT_EQ(working.GetHeadPtr().GetMemo(), "drawing");
    EXPECT_EQ(working.GetBlockDefine(0).GetName(), "");
}

// After a load the change-mark tables are empty: they read "not marked", and
// a set sizes the table first so that the mark is kept.
TEST(ZhdData, ChangeMarksOnEmptiedTables)
{
    TZhdData document;
    TMemoryStream nothing;
    EXPECT_EQ(document.LoadFromStream(nothing).status, TLoadStatus::WrongMagic);
    EXPECT_FALSE(document.GetGroupProtectMark(3));
    EXPECT_FALSE(document.GetLayerNameMark(3, 4));
    EXPECT_TRUE(document.SetLayerNameMark(3, 4, true));
    EXPECT_TRUE(document.GetLayerNameMark(3, 4));
    EXPECT_FALSE(document.GetLayerNameMark(3, 5));
    EXPECT_TRUE(document.SetGroupNameMark(2, true));
    EXPECT_FALSE(document.GetGroupNameMark(1));
}

TEST(InfoReg, CopiesLeaveReferencesStatusAndAbortBehind)
{
    TInfoREG source;
    source.ColorOrder = 3;
    source.EdgeMojiRange = 2.5;
    source.References["key"] = "value";
    source.StatusText = "drawn";
    source.AbortFlag = 1;
    const TInfoREG copy(source);
    EXPECT_EQ(copy.ColorOrder, 3);
    EXPECT_EQ(copy.EdgeMojiRange, 2.5);
    EXPECT_TRUE(copy.References.empty());
    EXPECT_EQ(copy.StatusText, "");
    EXPECT_EQ(copy.AbortFlag, 0);

    TInfoREG target;
    target.StatusText = "own";
    target = source;
    EXPECT_EQ(target.ColorOrder, 3);
    EXPECT_EQ(target.StatusText, "own");
    EXPECT_EQ(TInfoREG().PenWidthUnit, 1);
}
