// The box of a whole list, and selection in a polygon or a boundary.
//
// Lines do not intersect yet, so polygon selection shows inside and outside
// only; boundaries of scripted elements stand in for crossing edges.

#include "SelectionFixture.h"

#include "document/ZhdElemList.h"
#include "elements/KCircle.h"
#include "elements/KLine.h"
#include "elements/KPoint.h"
#include "tests/elements/GeometryTestSupport.h"

#include <boost/make_shared.hpp>
#include <gtest/gtest.h>

#include <limits>

namespace {

using Positions = std::vector<int>;

TZhdElemPtr LineFrom(double x1, double y1, double x2, double y2)
{
    auto line = boost::make_shared<TKLine>();
    line->SetLine(TBPoint(x1, y1), TBPoint(x2, y2));
    return line;
}

TBitFlg Options(std::initializer_list<int> bits)
{
    TBitFlg options;
    for (int bit : bits)
        options.SetBit(bit);
    return options;
}

Positions Marked(const TZhdElemList& list)
{
    Positions positions;
    for (int i = 0; i < list.Size(); ++i) {
        if (list.GetAt(i)->GetElemFlg().IsSet(TZhdElem::SelectedMark))
            positions.push_back(i);
    }
    return positions;
}

// Positions: 0 inside the box (0, 0)-(10, 20), 1 right of it, 2 inside, 3
// far away.
TZhdElemList Drawing()
{
    TZhdElemList list;
    list.Append(LineFrom(2, 19, 3, 19.5));
    list.Append(LineFrom(12, 5, 13, 6));
    list.Append(LineFrom(7, 2, 9, 4));
    list.Append(LineFrom(100, 100, 101, 101));
    return list;
}

// A triangle around (0, 0)-(10, 10) whose edges report the tags for every
// element they are asked about.
TZhdElemList ScriptedBoundary(int edges, std::vector<int> tags)
{
    const TBPoint corners[] = { TBPoint(-1.0, -1.0), TBPoint(30.0, -1.0), TBPoint(-1.0, 30.0) };
    TZhdElemList boundary;
    for (int i = 0; i < edges; ++i)
        boundary.Append(boost::make_shared<ScriptedElem>(TZhdElem::LineCode, corners[i % 3], corners[(i + 1) % 3],
                                                         tags));
    return boundary;
}

} // namespace

TEST(ElemListArea, ExtentsOfTheWholeList)
{
    const TZhdData document;
    TZhdElemList list;
    TBPoint min(-1.0, -1.0, 5), max(-2.0, -2.0);
    list.GetExtents(min, max, document, 0);
    EXPECT_POINT_NEAR(min, -1.0, -1.0, 0.0);
    EXPECT_POINT_NEAR(max, -2.0, -2.0, 0.0);

    list.Append(LineFrom(5, 1, 2, 7));
    list.GetExtents(min, max, document, 0);
    EXPECT_POINT_NEAR(min, 2.0, 1.0, 0.0);
    EXPECT_POINT_NEAR(max, 5.0, 7.0, 0.0);
    EXPECT_EQ(min.GetTag(), 5);

    // The mode goes to every element: the quarter arc's quick box reaches
    // below and left of its centre, its exact box does not.
    list.Append(boost::make_shared<TKCircle>(Arc(20, 10, 5, 0, 90)));
    auto point = boost::make_shared<TKPoint>();
    point->SetPos(TBPoint(3.0, 30.0));
    list.Append(point);
    list.GetExtents(min, max, document, 0);
    EXPECT_POINT_NEAR(min, 2.0, 1.0, 0.0);
    EXPECT_POINT_NEAR(max, 25.0, 30.0, 0.0);
    list.GetExtents(min, max, document, 1);
    EXPECT_POINT_NEAR(min, 2.0, 1.0, 0.0);
    EXPECT_POINT_NEAR(max, 25.0, 30.0, 1e-14);
    TZhdElemList arc_only;
    arc_only.Append(list.GetAt(1));
    arc_only.GetExtents(min, max, document, 1);
    EXPECT_POINT_NEAR(min, 20.0, 10.0, 1e-14);
    arc_only.GetExtents(min, max, document, 0);
    EXPECT_POINT_NEAR(min, 15.0, 5.0, 0.0);
}

TEST(ElemListArea, ExtentsLeaveOutBoxesThatAreNotFinite)
{
    const TZhdData document;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    TZhdElemList list;
    list.Append(LineFrom(nan, 0, 1, 1));
    list.Append(LineFrom(2, 3, 4, 5));
    list.Append(LineFrom(0, 0, inf, 1));
    TBPoint min, max;
    list.GetExtents(min, max, document, 0);
    EXPECT_POINT_NEAR(min, 2.0, 3.0, 0.0);
    EXPECT_POINT_NEAR(max, 4.0, 5.0, 0.0);

    TZhdElemList broken;
    broken.Append(LineFrom(nan, 0, 1, 1));
    TBPoint kept_min(7.0, 7.0), kept_max(8.0, 8.0);
    broken.GetExtents(kept_min, kept_max, document, 0);
    EXPECT_POINT_NEAR(kept_min, 7.0, 7.0, 0.0);
    EXPECT_POINT_NEAR(kept_max, 8.0, 8.0, 0.0);
}

TEST(ElemListArea, TwoVerticesSpanABox)
{
    const TZhdData document;
    TZhdElemList list = Drawing();
    EXPECT_EQ(list.SelectInPolygon({ TBPoint(10.0, 20.0), TBPoint(0.0, 0.0) }, document, Options({ 1 })), 2);
    EXPECT_EQ(Marked(list), Positions({ 0, 2 }));
    for (int i = 0; i < list.Size(); ++i)
        EXPECT_EQ(list.GetAt(i)->GetElemFlg().IsSet(TZhdElem::LastHitMark), 0) << i;
    EXPECT_EQ(list.GetSelectedCount(), 0u);
}

TEST(ElemListArea, PolygonSelectsByTheOptionBits)
{
    const TZhdData document;
    const std::vector<TBPoint> triangle { TBPoint(0.0, 0.0), TBPoint(20.0, 0.0), TBPoint(0.0, 20.0) };
    struct Row {
        const char* name;
        std::initializer_list<int> options;
        Positions marked;
    };
    // Against this triangle: 0 outside (beside the hypotenuse), 1 and 2
    // inside, 3 far away.
    const Row rows[] = {
        { "inside", { 1 }, { 1, 2 } },
        { "outside", { 0 }, { 0, 3 } },
        { "inside and crossing", { 1, 2 }, { 1, 2 } },
        { "touching only", { 3 }, {} },
        { "everything", { 0, 1, 2, 3 }, { 0, 1, 2, 3 } },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TZhdElemList list = Drawing();
        EXPECT_EQ(list.SelectInPolygon(triangle, document, Options(row.options)), static_cast<int>(row.marked.size()));
        EXPECT_EQ(Marked(list), row.marked);
    }
}

TEST(ElemListArea, TooFewVerticesOrEdgesMarkNothing)
{
    const TZhdData document;
    TZhdElemList list = Drawing();
    const TBitFlg everything = Options({ 0, 1, 2, 3 });
    EXPECT_EQ(list.SelectInPolygon({ TBPoint(1.0, 1.0) }, document, everything), 0);
    EXPECT_EQ(list.SelectInPolygon({}, document, everything), 0);
    EXPECT_EQ(list.SelectInArea(ScriptedBoundary(2, {}), document, everything), 0);
    EXPECT_EQ(Marked(list), Positions());
    EXPECT_EQ(list.SelectInArea(ScriptedBoundary(3, {}), document, everything), 4);
}

TEST(ElemListArea, FarElementsAreOutsideWithoutClassification)
{
    const TZhdData document;
    TZhdElemList list;
    auto near = boost::make_shared<ScriptedElem>(TZhdElem::LineCode, TBPoint(1.0, 1.0), TBPoint(2.0, 2.0));
    auto far = boost::make_shared<ScriptedElem>(TZhdElem::LineCode, TBPoint(50.0, 50.0), TBPoint(60.0, 60.0));
    list.Append(near);
    list.Append(far);
    EXPECT_EQ(list.SelectInArea(ScriptedBoundary(3, {}), document, Options({ 0 })), 1);
    EXPECT_EQ(Marked(list), Positions({ 1 }));
    EXPECT_EQ(far->key_point_calls, 0);
    EXPECT_GT(near->key_point_calls, 0);
}

TEST(ElemListArea, CrossingAndTouchingComeFromTheClassification)
{
    const TZhdData document;
    struct Row {
        const char* name;
        std::vector<int> tags;
        std::initializer_list<int> options;
        Positions marked;
    };
    // Positions 0 and 2 lie inside the scripted triangle, 1 too, 3 far away.
    const Row rows[] = {
        { "crossing, inside wanted", { 1 }, { 1 }, {} },
        { "crossing wanted", { 1 }, { 1, 2 }, { 0, 1, 2 } },
        { "touching wanted", { 3 }, { 3 }, { 0, 1, 2 } },
        { "touching counted as inside", { 3 }, { 1 }, { 0, 1, 2 } },
        { "touching wanted, but read by the inside test", { 3 }, { 0, 3 }, { 3 } },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TZhdElemList list = Drawing();
        EXPECT_EQ(list.SelectInArea(ScriptedBoundary(3, row.tags), document, Options(row.options)),
                  static_cast<int>(row.marked.size()));
        EXPECT_EQ(Marked(list), row.marked);
    }
}

TEST(ElemListArea, MarksAreOnlyAdded)
{
    const TZhdData document;
    TZhdElemList list = Drawing();
    list.GetAt(3)->GetElemFlgPtr().SetBit(TZhdElem::SelectedMark);
    list.GetAt(3)->GetElemFlgPtr().SetBit(TZhdElem::InstructionMark);
    list.SetSelectedCount(1);
    EXPECT_EQ(list.SelectInPolygon({ TBPoint(0.0, 0.0), TBPoint(10.0, 20.0) }, document, Options({ 1 })), 2);
    EXPECT_EQ(Marked(list), Positions({ 0, 2, 3 }));
    EXPECT_EQ(list.GetAt(3)->GetElemFlg().IsSet(TZhdElem::InstructionMark), 1);
    EXPECT_EQ(list.GetSelectedCount(), 1u);
}

TEST(ElemListArea, LayerStatesPlayNoPart)
{
    TZhdData document;
    document.GetElemListPtr().Append(PlaceOn(boost::static_pointer_cast<TKLine>(LineFrom(4, 15, 6, 17)), 1, 2));
    SetLayerState(document, 1, 2, 0);
    EXPECT_EQ(document.GetElemListPtr().SelectInPolygon({ TBPoint(0.0, 0.0), TBPoint(10.0, 20.0) }, document,
                                                        Options({ 1 })),
              1);
}
