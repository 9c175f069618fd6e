// The command modes' clicks: which click each mode takes, and the end-point
// check as exact pixels on a small patch of the view (the fill) and as the
// marker, the mouse point and the screen cursor (the snap).

#include "tests/ui/OverDrawingTestSupport.h"

#include "core/DebugLog.h"
#include "render/RegionFill.h"
#include "ui/ModeClicks.h"
#include "ui/MouseRelease.h"
#include "ui/PointingServices.h"
#include "ui/TipBox.h"

#include <QCursor>
#include <QLabel>

#include <initializer_list>
#include <sstream>

namespace {

constexpr int end_point_mode = 5;

class ModeClicksTest : public OverDrawingTest {
protected:
    void SetUp() override
    {
        OverDrawingTest::SetUp();
        form.State().CommandMode = end_point_mode;
        Document().GetHeadPtr().SetGroupScale(0, 1);
        RedirectDebugLog(&log);
    }
    void TearDown() override { RedirectDebugLog(nullptr); }

    // Lines from point to point.
    void Lines(std::initializer_list<TBPoint> points)
    {
        for (auto from = points.begin(); from + 1 != points.end(); ++from) {
            auto line = boost::make_shared<TKLine>();
            line->SetLine(from[0], from[1]);
            Document().GetElemListPtr().Append(line);
        }
    }

    // One pixel a millimetre, the mouse resting on the drawing point, whose
    // cross-hair the view shows.
    void ShowWithMouseAt(double x, double y)
    {
        Document().GetInfoRegPtr().SetMouseWorld(TBPoint(x, y));
        UseView(1);
    }

    TMouseRelease ReleaseAt(double x, double y, TReleasedButton button)
    {
        TMouseRelease release;
        release.button = button;
        release.action = PixelOf(x, y);
        return release;
    }

    bool MarkerShown() { return Document().GetElemListPtr().GetMarkerShown() == 1; }

    std::ostringstream log;
    TModeClicks clicks { form, form.Pointing(), form.TipBox() };
};

// The pixels from (x0, y0) to (x1, y1) of the drawing, a row a line from the
// top: '.' as in `before`, 'R' the fill's red, '*' anything else.
std::string Patch(const QImage& image, const QImage& before, QPoint top_left, QPoint bottom_right)
{
    const QRgb red = ScreenColour(RegionFillColor);
    std::string text;
    for (int y = top_left.y(); y <= bottom_right.y(); ++y) {
        for (int x = top_left.x(); x <= bottom_right.x(); ++x) {
            const QRgb pixel = image.pixel(x, y) | 0xff000000u;
            text += pixel == (before.pixel(x, y) | 0xff000000u) ? '.' : pixel == red ? 'R' : '*';
        }
        text += '\n';
    }
    return text;
}

} // namespace

TEST_F(ModeClicksTest, ALeftClickFillsTheClosedOutlineRedUntilTheNextRedraw)
{
    Lines({ TBPoint(-6, -6), TBPoint(6, -6), TBPoint(6, 6), TBPoint(-6, 6), TBPoint(-6, -6) });
    ShowWithMouseAt(-2, 2);
    const QImage before = Front().copy();
    const QImage clean = form.View().BackBuffer().copy();
    PaintSurfaceCounters() = {};

    TMouseRelease release = ReleaseAt(-2, 2, TReleasedButton::Left);
    clicks.Click(release);

    // The outline and all outside it as they were; inside red, the
    // cross-hair through the click drawn over the red (its middle pixel,
    // where its two lines cancel, red) and the marker's circle round the
    // click.
    const std::string filled = ".................\n"
                               ".................\n"
                               ".................\n"
                               "...RRR*RRRRRRR...\n"
                               "...RR**RRRRRRR...\n"
                               "...R*R**RRRRRR...\n"
                               "...***R*******...\n"
                               "...RR**RRRRRRR...\n"
                               "...RRR*RRRRRRR...\n"
                               "...RRR*RRRRRRR...\n"
                               "...RRR*RRRRRRR...\n"
                               "...RRR*RRRRRRR...\n"
                               "...RRR*RRRRRRR...\n"
                               "...RRR*RRRRRRR...\n"
                               ".................\n"
                               ".................\n"
                               ".................\n";
    EXPECT_EQ(Patch(Front(), before, PixelOf(-8, 8), PixelOf(8, -8)), filled);
    EXPECT_TRUE(MarkerShown());
    EXPECT_EQ(form.Pointing().MarkerPoint(), PixelOf(-2, 2));
    EXPECT_EQ(form.View().BackBuffer(), clean);

    // The 11 x 11 pixels inside; the probes are counted afresh for the
    // next fill, the painted pixels go on adding up.
    EXPECT_NE(log.str().find("Succes:PaintSurfaceCount= 121/"), std::string::npos) << log.str();
    EXPECT_EQ(PaintSurfaceCounters().probes, 0u);
    EXPECT_EQ(PaintSurfaceCounters().painted, 121u);

    Redraw();
    EXPECT_EQ(Front(), before);
}

TEST_F(ModeClicksTest, ThroughAGapTheRedRunsOutOfTheOutline)
{
    // The upper side open from -1 to 1.
    Lines({ TBPoint(1, 6), TBPoint(6, 6), TBPoint(6, -6), TBPoint(-6, -6), TBPoint(-6, 6), TBPoint(-1, 6) });
    ShowWithMouseAt(-2, 2);
    TMouseRelease release = ReleaseAt(-2, 2, TReleasedButton::Middle);
    clicks.Click(release);
    EXPECT_EQ(Front().pixel(PixelOf(0, 8)), ScreenColour(RegionFillColor));
    EXPECT_EQ(Front().pixel(2, 2), ScreenColour(RegionFillColor));
}

TEST_F(ModeClicksTest, ARightClickMarksTheSnapPointOrSaysThereIsNone)
{
    Lines({ TBPoint(-30, 0), TBPoint(-10, 0) });
    Lines({ TBPoint(10, 20), TBPoint(40, 20) });
    ShowWithMouseAt(0, 0);
    struct {
        const char* what;
        TBPoint click;
        // A point a clock command supplied (pick result 3); none when -1.
        int supplied;
        TBPoint supplied_point;
        bool found;
        int pick_result;
        TBPoint marked;
    } const cases[] = {
        { "beside a line's end", TBPoint(-8, 2), -1, TBPoint(), true, 0, TBPoint(-10, 0) },
        { "beside the other line's end", TBPoint(38, 21), -1, TBPoint(), true, 1, TBPoint(40, 20) },
        { "beside an end, with a point supplied", TBPoint(-8, 2), 3, TBPoint(10, 20), true, 3, TBPoint(10, 20) },
        { "far from every point", TBPoint(0, -30), -1, TBPoint(), false, -1, TBPoint() },
    };
    for (const auto& c : cases) {
        Redraw();
        form.ShowTip("", 0, 0, 0);
        Document().GetElemListPtr().SetMarkerShown(0);
        const TBPoint mouse_before = Document().GetInfoRegPtr().GetMouseScreen();
        TMouseRelease release = ReleaseAt(c.click.GetX(), c.click.GetY(), TReleasedButton::Right);
        release.pick_result = c.supplied;
        release.picked_point = c.supplied_point;
        clicks.Click(release);

        EXPECT_EQ(release.pick_result, c.pick_result) << c.what;
        EXPECT_EQ(MarkerShown(), c.found) << c.what;
        EXPECT_EQ(form.TipBox().Pinned(), !c.found) << c.what;
        EXPECT_EQ(form.Tips->text(), c.found ? QString() : QtText(u8"　点がありません！　")) << c.what;
        if (!c.found) {
            EXPECT_EQ(Document().GetInfoRegPtr().GetMouseScreen(), mouse_before) << c.what;
            continue;
        }
        const TBPoint screen = Document().GetInfoRegPtr().WorldToScreen(c.marked);
        EXPECT_EQ(Document().GetInfoRegPtr().GetMouseScreen(), screen) << c.what;
        const QPoint pixel = PixelOf(c.marked.GetX(), c.marked.GetY());
        EXPECT_EQ(form.Pointing().MarkerPoint(), pixel) << c.what;
        EXPECT_EQ(QCursor::pos(), form.PaintBox1->mapToGlobal(pixel)) << c.what;
    }
}

TEST_F(ModeClicksTest, EachModeTakesItsOwnClick)
{
    int frame_clicks = 0;
    int image_clicks = 0;
    struct {
        int mode;
        bool hooks_set;
        int frame_clicks;
        int image_clicks;
        bool end_point_check;
    } const cases[] = {
        { 1, true, 1, 0, false }, { 4, true, 0, 1, false }, { 5, true, 0, 0, true },
        { 0, true, 0, 0, false }, { 3, true, 0, 0, false }, { 6, true, 0, 0, false },
        { 7, true, 0, 0, false }, { 1, false, 0, 0, false }, { 4, false, 0, 0, false },
    };
    ShowWithMouseAt(0, 0);
    for (const auto& c : cases) {
        frame_clicks = image_clicks = 0;
        clicks.FrameClick = nullptr;
        clicks.ImageColourClick = nullptr;
        if (c.hooks_set) {
            clicks.FrameClick = [&frame_clicks](TMouseRelease&) { ++frame_clicks; };
            clicks.ImageColourClick = [&image_clicks](TMouseRelease&) { ++image_clicks; };
        }
        form.State().CommandMode = c.mode;
        form.ShowTip("", 0, 0, 0);
        const QImage before = Front().copy();
        // Far from every point: the end-point check says so in the tip box.
        TMouseRelease release = ReleaseAt(30, 30, TReleasedButton::Right);
        clicks.Click(release);
        EXPECT_EQ(frame_clicks, c.frame_clicks) << "mode " << c.mode;
        EXPECT_EQ(image_clicks, c.image_clicks) << "mode " << c.mode;
        EXPECT_EQ(form.TipBox().Pinned(), c.end_point_check) << "mode " << c.mode;
        if (!c.end_point_check) {
            EXPECT_EQ(Front(), before) << "mode " << c.mode;
        }
    }
}

TEST(PaintSurfaceCountLine, GivesTheShareOfPaintedProbes)
{
    EXPECT_EQ(PaintSurfaceCountLine({ 8, 5 }), "Succes:PaintSurfaceCount= 5/8 (62.500%)");
    EXPECT_EQ(PaintSurfaceCountLine({ 0, 0 }), "Succes:PaintSurfaceCount= 0/0 (0.000%)");
}
