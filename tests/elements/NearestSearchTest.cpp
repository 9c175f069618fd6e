// The nearest point, end point and intersection of a drawing to a query:
// layer states, the search box by radius, ties and empty answers; a search
// that asks every element as the oracle of the one that passes over those
// that cannot come nearer.

#include "document/ZhdData.h"
#include "elements/KCircle.h"
#include "elements/KLine.h"
#include "elements/KMoji.h"
#include "elements/KPoint.h"
#include "elements/KSolid.h"
#include "tests/document/SelectionFixture.h"
#include "tests/elements/BlockFixture.h"
#include "tests/elements/GeometryTestSupport.h"
#include "tests/render/RenderFixture.h"

#include <boost/make_shared.hpp>
#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

// A drawing shown at one millimetre per pixel in a 200 x 100 view centred
// on the origin: the visible area runs from (-100, -50) to (100, 50), and a
// radius of r pixels is r millimetres.
class NearestSearch : public ::testing::Test {
protected:
    NearestSearch()
    {
        TInfoREG& info = document.GetInfoRegPtr();
        ShowOneMillimetrePerPixel(info, 200, 100);
        TZhdZoom view = info.GetView();
        view.SetXY(0, 0); // the drawing point at the middle of the view
        info.SetView(view);
    }

    void Add(const TZhdElemPtr& elem) { document.GetElemListPtr().Append(elem); }

    TZhdData document;
};

TZhdElemPtr PointAt(double x, double y)
{
    auto point = boost::make_shared<TKPoint>();
    point->SetPos(TBPoint(x, y));
    return point;
}

} // namespace

TEST_F(NearestSearch, NearestOutlineAndEndPoint)
{
    Add(LineElem(-20, 10, 20, 10));
    Add(LineElem(-20, -4, 20, -4));
    Add(LineElem(-20, 4, 20, 4)); // as near as the second: the second wins
    document.RefreshLayerStates();

    TBPoint point;
    double distance = 0;
    EXPECT_EQ(document.FindNearestElementPoint(TBPoint(3.0, 0.0), point, distance, 0), 1);
    EXPECT_POINT_NEAR(point, 3.0, -4.0, 1e-12);
    EXPECT_NEAR(std::fabs(distance), 4.0, 1e-12);

    EXPECT_EQ(document.FindNearestEndPoint(TBPoint(19.0, 9.0), point, distance, 0), 0);
    EXPECT_POINT_NEAR(point, 20.0, 10.0, 1e-12);
}

TEST_F(NearestSearch, CandidatesByLayerStateAndSearchBox)
{
    SetLayerState(document, 0, 1, 0); // hidden
    SetLayerState(document, 0, 2, 1); // display only: still found
    Add(PlaceOn(boost::static_pointer_cast<TKLine>(LineElem(-5, 1, 5, 1)), 0, 1));
    Add(PlaceOn(boost::static_pointer_cast<TKLine>(LineElem(-5, 3, 5, 3)), 0, 2));
    Add(LineElem(-5, 9, 5, 9));
    // The nearest of all to (0, 55), but beyond the top of the view.
    Add(LineElem(-5, 51, 5, 51));
    document.RefreshLayerStates();

    struct Row {
        const char* name;
        TBPoint query;
        int radius;
        int expected;
    };
    const Row rows[] = {
        { "hidden layer passed over", TBPoint(0.0, 0.0), 0, 1 },
        { "radius 0 is the visible area", TBPoint(0.0, 55.0), 0, 2 },
        { "box of 7 mm reaches y = 3", TBPoint(0.0, -4.0), 7, 1 },
        { "box of 6 mm reaches nothing", TBPoint(0.0, -4.0), 6, -1 },
        { "a negative radius looks at the origin only", TBPoint(0.0, 9.0), -1, -1 },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TBPoint point(7.0, 7.0);
        double distance = 0;
        EXPECT_EQ(document.FindNearestElementPoint(row.query, point, distance, row.radius), row.expected);
        if (row.expected < 0) {
            EXPECT_POINT_NEAR(point, 0.0, 0.0, 0.0);
            EXPECT_EQ(distance, 1e308);
        }
    }
}

TEST_F(NearestSearch, NearestIntersection)
{
    // A square solid first, the line through it after: the junctions are
    // found whichever of the two comes first in the list.
    auto solid = boost::make_shared<TKSolid>();
    solid->SetSolid(TBPoint(0.0, 0.0), TBPoint(10.0, 0.0), TBPoint(10.0, 10.0), TBPoint(0.0, 10.0), 0);
    Add(solid);
    const TZhdElemPtr line = LineElem(-5, 5, 30, 5);
    Add(line);
    Add(LineElem(20, -5, 20, 15));
    // A point element off the line: its foot is no intersection.
    Add(PointAt(1, 6));
    document.RefreshLayerStates();

    std::vector<TBPoint> points { TBPoint(1.0, 1.0), TBPoint(2.0, 2.0) };
    EXPECT_EQ(document.FindNearestIntersection(TBPoint(2.0, 4.0), line, points, 0), 0);
    ASSERT_EQ(points.size(), 1u);
    EXPECT_POINT_NEAR(points[0], 0.0, 5.0, 1e-12);

    EXPECT_EQ(document.FindNearestIntersection(TBPoint(18.0, 4.0), line, points, 0), 2);
    ASSERT_EQ(points.size(), 1u);
    EXPECT_POINT_NEAR(points[0], 20.0, 5.0, 1e-12);

    // The solid asks the line: the same junction.
    EXPECT_EQ(document.FindNearestIntersection(TBPoint(2.0, 4.0), solid, points, 0), 1);
    EXPECT_POINT_NEAR(points[0], 0.0, 5.0, 1e-12);

    // The line meets itself along its length (the middle of the overlap),
    // but nothing lies within 1 mm of (2, -20): -1 and the single (0, 0).
    EXPECT_EQ(document.FindNearestIntersection(TBPoint(2.0, -20.0), line, points, 1), -1);
    ASSERT_EQ(points.size(), 1u);
    EXPECT_POINT_NEAR(points[0], 0.0, 0.0, 0.0);
}

TEST_F(NearestSearch, IndexOfALargeDrawingAnswersAsWalkingTheList)
{
    // Long and short lines, circles and points over the view, some of them
    // spanning much of it; the same elements in a list of no document are
    // walked one by one.
    std::mt19937_64 random(5);
    std::uniform_real_distribution<double> at(-90, 90), step(-3, 3), far(-80, 80);
    for (int i = 0; i < 3000; ++i) {
        const double x = at(random), y = at(random) / 2;
        if (i % 50 == 0)
            Add(LineElem(x, y, far(random), far(random) / 2));
        else if (i % 3 == 0)
            Add(boost::make_shared<TKCircle>(TBPoint(x, y), std::fabs(step(random)), TAngle(0.0), TAngle(1.0),
                                             TAngle(0.0), 1.0, 0));
        else if (i % 7 == 0)
            Add(PointAt(x, y));
        else
            Add(LineElem(x, y, x + step(random), y + step(random)));
    }
    document.RefreshLayerStates();
    TZhdElemList walked;
    walked.AssignItems(document.GetElemListPtr());

    for (int q = 0; q < 200; ++q) {
        const TBPoint query(at(random), at(random) / 2);
        const int radius = q % 4 == 0 ? 0 : 1 + q % 5;
        TBPoint indexed_point, walked_point;
        double indexed_distance = 0, walked_distance = 0;
        const int indexed = document.FindNearestElementPoint(query, indexed_point, indexed_distance, radius);
        EXPECT_EQ(indexed, walked.FindNearestElementPoint(query, document, walked_point, walked_distance, radius));
        EXPECT_EQ(indexed_distance, walked_distance);
        EXPECT_EQ(document.FindNearestEndPoint(query, indexed_point, indexed_distance, radius),
                  walked.FindNearestEndPoint(query, document, walked_point, walked_distance, radius));
    }

    // The index follows the list: an element added where nothing was is
    // found at once.
    TBPoint point;
    double distance = 0;
    const int before = document.FindNearestEndPoint(TBPoint(95.0, 48.0), point, distance, 1);
    Add(LineElem(95, 48, 95.5, 48));
    EXPECT_NE(before, 3000);
    EXPECT_EQ(document.FindNearestEndPoint(TBPoint(95.0, 48.0), point, distance, 1), 3000);
}

namespace {

using NearestQuery = int (TZhdElem::*)(const TBPoint&, const TZhdData&, TBPoint&, double&) const;

struct TNearest {
    int position = -1;
    TBPoint point;
    double distance = 1e308;
};

// The oracle: every candidate of the whole view (radius 0) asked, in list
// order, the first of the nearest kept.
TNearest AskingEveryElement(const TZhdData& document, NearestQuery ask, const TBPoint& query)
{
    const TInfoREG& info = document.GetInfoRegPtr();
    const TBPoint a = info.GetViewCorner(0), b = info.GetViewCorner(2);
    const TBPoint min(std::min(a.GetX(), b.GetX()), std::min(a.GetY(), b.GetY()));
    const TBPoint max(std::max(a.GetX(), b.GetX()), std::max(a.GetY(), b.GetY()));
    TNearest best;
    const TZhdElemList& list = document.GetElemListPtr();
    for (int position = 0; position < list.Size(); ++position) {
        const TZhdElem& elem = *list.GetAt(position);
        if (document.GetCachedLayerState(elem.GetGLayer(), elem.GetLayer()) == 0
            || elem.ExtentOverlapsRect(min, max, document, 0) == 0)
            continue;
        TBPoint at;
        double away = 1e308;
        if ((elem.*ask)(query, document, at, away) != 0 && std::fabs(best.distance) > std::fabs(away))
            best = { position, at, away };
    }
    return best;
}

} // namespace

TEST_F(NearestSearch, TheWholeViewAnswersAsAskingEveryElement)
{
    // Short lines, arcs and ellipses (some wider than their radius), texts
    // turned every way, and blocks of lines, arcs, a text and a nested
    // block, over the view; enough of them for the document's index.
    AddDefinition(document, 1, { LineElem(0, 0, 4, 0), LineElem(4, 0, 4, 3),
                                 boost::make_shared<TKCircle>(Arc(2, 1, 1.5, 0, 270)) });
    AddDefinition(document, 2, { LineElem(-2, -2, 2, 2), BlockElem(1, TBPoint(1.0, 1.0)),
                                 boost::make_shared<TKMoji>(TBPoint(0.0, -3.0), TBPoint(4.0, -3.0),
                                                            TZhdaMoji(1, 1.5, 0, 1), 1, TAngle(0.3), "", "AB") });
    std::mt19937_64 random(11);
    std::uniform_real_distribution<double> at(-95, 95), step(-4, 4), turn(-3.2, 3.2), flatness(0.2, 1.6);
    for (int i = 0; i < 1500; ++i) {
        const double x = at(random), y = at(random) / 2;
        switch (i % 9) {
        case 0:
            Add(boost::make_shared<TKMoji>(TBPoint(x, y), TBPoint(x + step(random), y + step(random)),
                                           TZhdaMoji(1, 2, 0, 1), 1, TAngle(turn(random)), "", "ABC"));
            break;
        case 1:
            Add(BlockElem(1 + i % 2, TBPoint(x, y), 0, 0, turn(random) * 57));
            break;
        case 2:
        case 3:
            Add(boost::make_shared<TKCircle>(
                Arc(x, y, std::fabs(step(random)), turn(random) * 57, turn(random) * 110, flatness(random),
                    turn(random) * 57)));
            break;
        default:
            Add(LineElem(x, y, x + step(random), y + step(random)));
        }
        // Some on a hidden group, never candidates.
        if (i % 13 == 0)
            document.GetElemListPtr().Back()->SetGLayer(1);
    }
    TZhdGrp hidden = document.GetHeadPtr().GetGroup(1);
    hidden.SetState(0);
    document.GetHeadPtr().SetGroup(1, hidden);
    // Boxes that are not finite: one meets nothing, one meets every box.
    Add(LineElem(std::nan(""), 0, 1, 1));
    Add(LineElem(0, 0, HUGE_VAL, 1));
    document.RefreshLayerStates();

    const auto expect_every_query_answered_alike = [&](const char* view) {
        for (int q = 0; q < 100; ++q) {
            const TBPoint query(at(random), at(random) / 2);
            for (const auto& [searched, asked] :
                 { std::pair { &TZhdData::FindNearestElementPoint, &TZhdElem::NearestPoint },
                   std::pair { &TZhdData::FindNearestEndPoint, &TZhdElem::NearestEndPoint } }) {
                const TNearest expected = AskingEveryElement(document, asked, query);
                TNearest found;
                found.position = (document.*searched)(query, found.point, found.distance, 0);
                ASSERT_EQ(found.position, expected.position) << view << ", query " << q;
                EXPECT_EQ(found.distance, expected.distance) << view << ", query " << q;
                EXPECT_EQ(found.point.GetX(), expected.point.GetX()) << view << ", query " << q;
                EXPECT_EQ(found.point.GetY(), expected.point.GetY()) << view << ", query " << q;
            }
        }
    };
    // Elements reach beyond the view's edges...
    expect_every_query_answered_alike("the view cuts the drawing");
    // ...and a view of a quarter the scale holds them all.
    TInfoREG& info = document.GetInfoRegPtr();
    info.SetView(TZhdZoom(info.GetView().GetScale() / 4));
    expect_every_query_answered_alike("the view holds the drawing");
}

TEST_F(NearestSearch, AnEllipseWiderThanItsRadiusIsAskedBeyondItsBox)
{
    // Flatness 2: the outline reaches (0, 10), beyond the box of the centre
    // +- radius; the line before it is nearer than the box, not than the
    // outline.
    Add(LineElem(-50, 15, 50, 15));
    Add(boost::make_shared<TKCircle>(Arc(0, 0, 5, 0, 360, 2.0)));
    document.RefreshLayerStates();
    TBPoint point;
    double distance = 0;
    EXPECT_EQ(document.FindNearestElementPoint(TBPoint(0.0, 12.0), point, distance, 0), 1);
    EXPECT_POINT_NEAR(point, 0.0, 10.0, 1e-9);
}
