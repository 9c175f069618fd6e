// The ends of two-button gestures on a document without a window: the view
// each direction installs, the remembered range and the mark jumps, and
// where the cursor goes.

#include "ui/GestureEnd.h"

#include "document/ZhdData.h"
#include "ui/ViewChange.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

namespace {

TZhdZoom View(double x, double y, double scale)
{
    TZhdZoom view(scale);
    view.SetXY(x, y);
    return view;
}

void ExpectSameView(const TZhdZoom& actual, const TZhdZoom& expected, const std::string& what)
{
    EXPECT_NEAR(actual.GetScale(), expected.GetScale(), 1e-12 * expected.GetScale()) << what;
    EXPECT_NEAR(actual.GetX(), expected.GetX(), 1e-9) << what;
    EXPECT_NEAR(actual.GetY(), expected.GetY(), 1e-9) << what;
}

class GestureEndTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        info().SetPixelWidth(800);
        info().SetPixelHeight(600);
        // The paper fits at a scale of 0.25.
        info().FitFactor = 4;
        info().SetView(start);
        info().SetPrevView(View(0, 0, 0.25));
    }

    TInfoREG& info() { return document.GetInfoRegPtr(); }
    TZhdHead& head() { return document.GetHeadPtr(); }
    // A drag from the press point by (dx, dy) pixels, released there.
    TGestureEnd Drag(int dx, int dy)
    {
        return EndGesture(document, press, press + QPoint(dx, dy), press + QPoint(dx, dy));
    }

    static constexpr double fitting = 0.25;
    const TZhdZoom start = View(10, -20, 0.5);
    const QPoint press { 300, 200 };
    TZhdData document;
};

// Eight drags of the same length, one a direction.
struct DirectionCase {
    const char* name;
    int dx;
    int dy;
    int direction;
    bool cursor_moves;
};
constexpr DirectionCase direction_cases[] = {
    { "up", 0, -50, 0, false },        { "up-right", 40, -40, 1, true },  { "right", 50, 0, 2, true },
    { "down-right", 40, 40, 3, true }, { "down", 0, 50, 4, false },       { "down-left", -40, 40, 5, true },
    { "left", -50, 0, 6, true },       { "up-left", -40, -40, 7, true },
};

} // namespace

TEST_F(GestureEndTest, ADragShorterThanTheThresholdCentresOnTheCursor)
{
    const QPoint cursor(320, 190);
    const TBPoint centre = info().ScreenToWorld(TBPoint(cursor.x(), cursor.y()));
    const TGestureEnd end = EndGesture(document, press, press + QPoint(9, 0), cursor);
    EXPECT_EQ(end.direction, -1);
    EXPECT_FALSE(end.cursor.has_value());
    ExpectSameView(info().GetView(), View(centre.GetX(), centre.GetY(), start.GetScale()), "centred");
    ExpectSameView(info().GetPrevView(), start, "the old view is the previous one");
    EXPECT_NEAR(info().GetMouseScreen().GetX(), cursor.x(), 1e-9);
}

TEST_F(GestureEndTest, EachDirectionIsRecognisedAndMovesTheCursorOrNot)
{
    for (const DirectionCase& c : direction_cases) {
        SetUp();
        const TGestureEnd end = Drag(c.dx, c.dy);
        EXPECT_EQ(end.direction, c.direction) << c.name;
        EXPECT_EQ(end.cursor.has_value(), c.cursor_moves) << c.name;
        if (c.cursor_moves && c.direction != 3) {
            EXPECT_EQ(end.cursor, press + QPoint(c.dx, c.dy)) << c.name;
        }
    }
}

TEST_F(GestureEndTest, TheRememberedRangeComesBackAfterZooming)
{
    Drag(0, -50);
    ExpectSameView(info().GetView(), start, "remembering leaves the view");
    ExpectSameView(head().GetRangeMemoryView(), View(10, -20, 0.5 * 4), "kept relative to the fitted view");
    Drag(40, 40);
    ASSERT_GT(info().GetView().GetScale(), start.GetScale());
    Drag(40, -40);
    ExpectSameView(info().GetView(), start, "recalled");
}

TEST_F(GestureEndTest, AForgottenRangeRecallsTheWholePaper)
{
    Drag(0, -50);
    Drag(0, 50);
    ExpectSameView(head().GetRangeMemoryView(), View(0, 0, 1), "forgotten");
    Drag(40, -40);
    ExpectSameView(info().GetView(), FittedView(info()), "the whole paper");
}

TEST_F(GestureEndTest, ThePreviousViewTwiceReturns)
{
    Drag(-40, 40);
    ExpectSameView(info().GetView(), View(0, 0, 0.25), "the previous view");
    Drag(-40, 40);
    ExpectSameView(info().GetView(), start, "and back");
}

TEST_F(GestureEndTest, MarkJumpsGoToTheirEntriesAndAnEmptyListLeavesTheView)
{
    head().SetMarkJumps(TVect<TZhdZoomF>());
    Drag(50, 0);
    ExpectSameView(info().GetView(), start, "no mark jumps");
    TVect<TZhdZoomF> jumps;
    jumps.Append(TZhdZoomF());
    for (int i = 1; i <= 2; ++i) {
        TZhdZoomF jump;
        jump.SetXY(100 * i, -50 * i);
        jump.SetScale(2 * i);
        jumps.Append(jump);
    }
    head().SetMarkJumps(jumps);
    Drag(50, 0);
    ExpectSameView(info().GetView(), View(100, -50, 2 * fitting), "jump 1");
    Drag(-50, 0);
    ExpectSameView(info().GetView(), View(200, -100, 4 * fitting), "jump 2");
    ExpectSameView(info().GetPrevView(), View(100, -50, 2 * fitting), "jump 1 became the previous view");
}

TEST_F(GestureEndTest, ZoomingOutHalvesTheAreaOnceMoreForEveryTenPixelsStartedBeyondAHundred)
{
    struct Case {
        int dx;
        int dy;
        int length;
        double factor;
    };
    const double half_area = 0.7071067811865476;
    const Case cases[] = {
        { -14, -14, 20, half_area },   { -70, -71, 100, half_area }, { -78, -78, 110, half_area },
        { -78, -79, 111, 0.5 }, { -85, -86, 121, half_area * 0.5 },
    };
    for (const Case& c : cases) {
        SetUp();
        const TBPoint under_press = info().ScreenToWorld(TBPoint(press.x(), press.y()));
        const TGestureEnd end = Drag(c.dx, c.dy);
        ASSERT_EQ(end.direction, 7);
        ASSERT_EQ(static_cast<int>(std::hypot(c.dx, c.dy) + 0.5), c.length) << "the fixture's drag";
        EXPECT_NEAR(info().GetView().GetScale(), start.GetScale() * c.factor, 1e-12) << c.length;
        const TBPoint now = info().ScreenToWorld(TBPoint(press.x(), press.y()));
        EXPECT_NEAR(now.GetX(), under_press.GetX(), 1e-9) << "the press point's drawing point stays under it";
        EXPECT_NEAR(now.GetY(), under_press.GetY(), 1e-9);
    }
}

TEST_F(GestureEndTest, AZoomBoxFitsItsWiderSideAndTheCursorGoesToItsCentre)
{
    // 400 by 150 pixels of an 800 by 600 view: twice as wide as high
    // relative to the view, so its width limits the zoom to 2.
    const QPoint corner = press + QPoint(400, 150);
    const TBPoint box_centre = info().ScreenToWorld(TBPoint(press.x() + 200, press.y() + 75));
    const TGestureEnd end = EndGesture(document, press, corner, corner);
    ASSERT_EQ(end.direction, 3);
    ExpectSameView(info().GetView(), View(box_centre.GetX(), box_centre.GetY(), start.GetScale() * 2), "zoomed");
    ASSERT_TRUE(end.cursor.has_value());
    EXPECT_EQ(*end.cursor, QPoint(400, 300)) << "the paint box's centre";
}

TEST_F(GestureEndTest, ZoomingStaysWithinItsBounds)
{
    for (int i = 0; i < 40; ++i)
        Drag(12, 9);
    EXPECT_LE(info().GetView().GetScale(), fitting * MaximumZoomOfFit * (1 + 1e-12));
    for (int i = 0; i < 80; ++i)
        Drag(-200, -200);
    EXPECT_GE(info().GetView().GetScale(), fitting * MinimumZoomOfFit * (1 - 1e-12));
    EXPECT_TRUE(std::isfinite(info().GetView().GetX()));
}
