// Classification against a polygon and against a boundary of elements.
//
// Lines and arcs do not intersect yet, so against a polygon (whose edges are
// lines) only the inside test can be seen; a boundary of scripted elements,
// which answer with intersection points of given codes, drives the contact
// states and the option table.

#include "elements/KCircle.h"
#include "elements/KLine.h"
#include "tests/elements/GeometryTestSupport.h"

#include <boost/make_shared.hpp>
#include <gtest/gtest.h>

#include <limits>

namespace {

TKLine LineThrough(double x1, double y1, double x2, double y2)
{
    TKLine line;
    line.SetLine(TBPoint(x1, y1), TBPoint(x2, y2));
    return line;
}

const std::vector<TBPoint> square { TBPoint(0.0, 0.0), TBPoint(4.0, 0.0), TBPoint(4.0, 4.0), TBPoint(0.0, 4.0) };

// A triangle of scripted edges; the first edge answers with the tags.
TZhdElemList ScriptedTriangle(std::vector<int> first_edge_tags)
{
    TZhdElemList boundary;
    boundary.Append(boost::make_shared<ScriptedElem>(TZhdElem::LineCode, TBPoint(0.0, 0.0), TBPoint(10.0, 0.0),
                                                     std::move(first_edge_tags)));
    boundary.Append(boost::make_shared<ScriptedElem>(TZhdElem::LineCode, TBPoint(10.0, 0.0), TBPoint(0.0, 10.0)));
    boundary.Append(boost::make_shared<ScriptedElem>(TZhdElem::LineCode, TBPoint(0.0, 10.0), TBPoint(0.0, 0.0)));
    return boundary;
}

TBitFlg Options(std::initializer_list<int> bits)
{
    TBitFlg options;
    for (int bit : bits)
        options.SetBit(bit);
    return options;
}

} // namespace

TEST(ElemClassify, PolygonInsideAndOutside)
{
    const TZhdData document;
    const TBitFlg none;
    const std::vector<TBPoint> triangle { TBPoint(0.0, 0.0), TBPoint(10.0, 0.0), TBPoint(0.0, 10.0) };
    EXPECT_EQ(LineThrough(1, 1, 3, 2).ClassifyInPolygon(triangle, document, none), 1);
    EXPECT_EQ(LineThrough(8, 8, 9, 9).ClassifyInPolygon(triangle, document, none), 0);
    EXPECT_EQ(LineThrough(-3, 1, -1, 2).ClassifyInPolygon(triangle, document, none), 0);
    // The polygon closes by itself, whichever way round it runs.
    const std::vector<TBPoint> clockwise { TBPoint(0.0, 10.0), TBPoint(10.0, 0.0), TBPoint(0.0, 0.0) };
    EXPECT_EQ(LineThrough(1, 1, 3, 2).ClassifyInPolygon(clockwise, document, none), 1);
    // An arc's test point is the middle of its outline.
    EXPECT_EQ(Arc(2, 2, 1, 0, 90).ClassifyInPolygon(triangle, document, none), 1);
    EXPECT_EQ(Arc(2, 2, 20, 0, 90).ClassifyInPolygon(triangle, document, none), 0);
}

TEST(ElemClassify, TwoPolygonPointsOrTwoBoundaryElementsAreOutside)
{
    const TZhdData document;
    const TKLine inside = LineThrough(1, 1, 2, 2);
    EXPECT_EQ(inside.ClassifyInPolygon({ TBPoint(0.0, 0.0), TBPoint(10.0, 10.0) }, document, Options({ 1 })), 0);
    EXPECT_EQ(inside.ClassifyInPolygon({}, document, TBitFlg()), 0);

    TZhdElemList two = ScriptedTriangle({ 1 });
    two.PopBack();
    EXPECT_EQ(inside.ClassifyInBoundary(two, document, TBitFlg()), 0);
    EXPECT_EQ(inside.ClassifyInBoundary(ScriptedTriangle({}), document, TBitFlg()), 1);
}

TEST(ElemClassify, RayThroughACornerCountsNothingThere)
{
    const TZhdData document;
    // From (1, 1) the ray towards (1e38, 1e38) leaves the square exactly
    // through its corner (4, 4): both edges meet it at an end, so the point
    // reads as outside.
    EXPECT_EQ(LineThrough(0.5, 1.5, 1.5, 0.5).ClassifyInPolygon(square, document, TBitFlg()), 0);
    // From (1, 2) it leaves through the top edge.
    EXPECT_EQ(LineThrough(0.5, 2.5, 1.5, 1.5).ClassifyInPolygon(square, document, TBitFlg()), 1);
}

TEST(ElemClassify, NonFiniteInputReadsAsOutside)
{
    const TZhdData document;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(LineThrough(nan, 1, 2, 2).ClassifyInPolygon(square, document, TBitFlg()), 0);
    EXPECT_EQ(LineThrough(inf, 1, 2, 2).ClassifyInPolygon(square, document, TBitFlg()), 0);
    std::vector<TBPoint> broken = square;
    broken[2] = TBPoint(nan, inf);
    EXPECT_EQ(LineThrough(1, 1, 2, 2).ClassifyInPolygon(broken, document, TBitFlg()), 0);
}

TEST(ElemClassify, ContactStatesAndOptions)
{
    const TZhdData document;
    const TKLine inside = LineThrough(1, 1, 3, 2);
    const TKLine outside = LineThrough(8, 8, 9, 9);
    struct Row {
        const char* name;
        std::vector<int> tags;
        bool inside;
        std::initializer_list<int> options;
        int expected;
    };
    const Row rows[] = {
        { "no contact inside", {}, true, {}, 1 },
        { "no contact outside", {}, false, { 0, 1, 2 }, 0 },
        { "a candidate off the pieces is no contact", { 0 }, true, {}, 1 },
        { "crossing", { 1 }, false, {}, 2 },
        { "crossing wins over touching", { 3, 0, 1 }, true, { 0, 1 }, 2 },
        { "touching inside stays touching", { 3 }, true, {}, 3 },
        { "meeting at an end is touching", { 2 }, true, {}, 3 },
        { "touching inside, bit 1: inside", { 3 }, true, { 1 }, 1 },
        { "touching outside", { 3 }, false, {}, 0 },
        { "touching outside, bit 2: crossing", { 3 }, false, { 2 }, 2 },
        { "touching outside, bit 1 only", { 3 }, false, { 1 }, 0 },
        { "bit 0, touching inside", { 3 }, true, { 0 }, 1 },
        { "bit 0, touching inside, bit 2: crossing", { 3 }, true, { 0, 2 }, 2 },
        { "bit 0, touching outside", { 3 }, false, { 0, 1, 2 }, 0 },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const TKLine& line = row.inside ? inside : outside;
        EXPECT_EQ(line.ClassifyInBoundary(ScriptedTriangle(row.tags), document, Options(row.options)), row.expected);
    }
}

TEST(ElemClassify, ACrossingEndsTheSearchAndEveryEdgeGetsACopy)
{
    const TZhdData document;
    TZhdElemList boundary = ScriptedTriangle({ 1 });
    TKLine line = LineThrough(1, 1, 3, 2);
    line.GetElemFlgPtr().SetBit(TZhdElem::SelectedMark);
    EXPECT_EQ(line.ClassifyInBoundary(boundary, document, TBitFlg()), 2);

    const auto first = boost::static_pointer_cast<ScriptedElem>(boundary.GetAt(0));
    const auto second = boost::static_pointer_cast<ScriptedElem>(boundary.GetAt(1));
    EXPECT_EQ(first->cross_calls, 1);
    EXPECT_EQ(second->cross_calls, 0);
    // The edge was handed a copy made through the body: a line, unmarked.
    const auto copy = boost::dynamic_pointer_cast<TKLine>(first->last_other);
    ASSERT_TRUE(copy);
    EXPECT_POINT_NEAR(copy->GetEnd(), 3.0, 2.0, 0.0);
    EXPECT_EQ(copy->GetElemFlg().IsSet(TZhdElem::SelectedMark), 0);
}
