// The view changes every wheel step, key and gesture installs: the scale's
// bounds, zooming about a pixel, views read from the header and mark jumps.

#include "ui/ViewChange.h"

#include "core/BPoint.h"
#include "render/InfoReg.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

namespace {

constexpr double not_a_number = std::numeric_limits<double>::quiet_NaN();
constexpr double infinity = std::numeric_limits<double>::infinity();

TZhdZoom View(double x, double y, double scale)
{
    TZhdZoom view(scale);
    view.SetXY(x, y);
    return view;
}

class ViewChange : public ::testing::Test {
protected:
    void SetUp() override
    {
        info.SetPixelWidth(800);
        info.SetPixelHeight(600);
        // The paper fits at a scale of 0.25.
        info.FitFactor = 4;
        info.SetView(View(10, -20, 0.5));
        info.SetPrevView(View(0, 0, 0.25));
    }

    static constexpr double fitting = 0.25;
    TInfoREG info;
};

void ExpectSameView(const TZhdZoom& actual, const TZhdZoom& expected, const char* what)
{
    const double tolerance = 1e-9 * (std::abs(expected.GetScale()) + 1);
    EXPECT_NEAR(actual.GetScale(), expected.GetScale(), tolerance) << what;
    EXPECT_NEAR(actual.GetX(), expected.GetX(), 1e-9) << what;
    EXPECT_NEAR(actual.GetY(), expected.GetY(), 1e-9) << what;
}

} // namespace

TEST_F(ViewChange, ScaleStaysWithinItsBoundsOfTheFittingScale)
{
    struct Case {
        const char* name;
        double scale;
        double bounded;
    };
    const Case cases[] = {
        { "inside", 3.0, 3.0 },
        { "at the upper bound", fitting * 1e6, fitting * 1e6 },
        { "beyond the upper bound", fitting * 1e6 * ZoomStep, fitting * 1e6 },
        { "at the lower bound", fitting * 1e-4, fitting * 1e-4 },
        { "below the lower bound", fitting * 1e-4 / ZoomStep, fitting * 1e-4 },
        { "far below", 1e-300, fitting * 1e-4 },
        { "zero", 0.0, fitting },
        { "negative", -2.0, fitting },
        { "not a number", not_a_number, fitting },
        { "infinite", infinity, fitting },
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(BoundedScale(info, c.scale), c.bounded) << c.name;
}

TEST_F(ViewChange, InstallingKeepsTheReplacedViewAsThePreviousOne)
{
    const TZhdZoom before = info.GetView();
    EXPECT_EQ(InstallView(info, View(1, 2, 1e9)), View(1, 2, fitting * 1e6)) << "installed bounded";
    EXPECT_EQ(info.GetView(), View(1, 2, fitting * 1e6));
    EXPECT_EQ(info.GetPrevView(), before);

    // The same view again: the previous view stays.
    InstallView(info, View(1, 2, fitting * 1e6));
    EXPECT_EQ(info.GetPrevView(), before);
}

TEST_F(ViewChange, ZoomingAboutAPixelKeepsTheDrawingPointUnderIt)
{
    for (const TBPoint pixel : { TBPoint(0, 0), TBPoint(400, 300), TBPoint(799, 17), TBPoint(123, 599) }) {
        const TBPoint under = info.ScreenToWorld(pixel);
        for (const double factor : { ZoomStep, 1 / ZoomStep }) {
            TInfoREG zoomed(info);
            const TZhdZoom view = ZoomedAbout(zoomed, pixel, factor);
            EXPECT_DOUBLE_EQ(view.GetScale(), info.GetView().GetScale() * factor);
            zoomed.SetView(view);
            const TBPoint still = zoomed.ScreenToWorld(pixel);
            EXPECT_NEAR(still.GetX(), under.GetX(), 1e-9) << pixel.GetX() << "," << pixel.GetY();
            EXPECT_NEAR(still.GetY(), under.GetY(), 1e-9) << pixel.GetX() << "," << pixel.GetY();
        }
    }
}

TEST_F(ViewChange, AStepInAndAStepOutGiveTheViewBack)
{
    const TZhdZoom start = info.GetView();
    const TBPoint pixel(613, 41);
    InstallView(info, ZoomedAbout(info, pixel, ZoomStep));
    InstallView(info, ZoomedAbout(info, pixel, 1 / ZoomStep));
    ExpectSameView(info.GetView(), start, "in, then out");
}

TEST_F(ViewChange, StepsBeyondABoundStopAtItWithTheViewFinite)
{
    const TBPoint pixel(700, 100);
    for (int step = 0; step < 200; ++step)
        InstallView(info, ZoomedAbout(info, pixel, ZoomStep));
    EXPECT_DOUBLE_EQ(info.GetView().GetScale(), fitting * 1e6);
    const TZhdZoom at_bound = info.GetView();
    EXPECT_EQ(ZoomedAbout(info, pixel, ZoomStep), at_bound) << "a step beyond moves nothing";
    const TBPoint corner = info.WorldToScreen(TBPoint(420.5, 297.0));
    EXPECT_TRUE(std::isfinite(corner.GetX()) && std::isfinite(corner.GetY()));

    for (int step = 0; step < 400; ++step)
        InstallView(info, ZoomedAbout(info, pixel, 1 / ZoomStep));
    EXPECT_DOUBLE_EQ(info.GetView().GetScale(), fitting * 1e-4);
    const TBPoint far = info.ScreenToWorld(TBPoint(0, 0));
    EXPECT_TRUE(std::isfinite(far.GetX()) && std::isfinite(far.GetY()));
}

TEST_F(ViewChange, HeaderViewsAreRelativeToTheFittedView)
{
    struct Case {
        const char* name;
        TZhdZoom header;
        TZhdZoom view;
    };
    const Case cases[] = {
        { "the whole paper", View(0, 0, 1), View(0, 0, fitting) },
        { "a range", View(30, -40, 8), View(30, -40, 8 * fitting) },
        { "scale 0", View(30, -40, 0), View(0, 0, fitting) },
        { "negative scale", View(30, -40, -8), View(0, 0, fitting) },
        { "scale not a number", View(30, -40, not_a_number), View(0, 0, fitting) },
        { "infinite scale", View(30, -40, infinity), View(0, 0, fitting) },
        { "centre not a number", View(not_a_number, -40, 8), View(0, 0, fitting) },
        { "infinite centre", View(30, -infinity, 8), View(0, 0, fitting) },
    };
    for (const Case& c : cases)
        ExpectSameView(ViewFromHeader(info, c.header), c.view, c.name);
    ExpectSameView(HeaderViewOf(info, View(30, -40, 8 * fitting)), View(30, -40, 8), "back to the header");
    ExpectSameView(FittedView(info), View(0, 0, fitting), "fitted");
}

TEST_F(ViewChange, MarkJumpsComeOnlyFromEntriesTheListHas)
{
    TVect<TZhdZoomF> jumps;
    EXPECT_EQ(MarkJumpView(info, jumps, 1), std::nullopt) << "empty list";
    EXPECT_EQ(MarkJumpView(info, jumps, 2), std::nullopt) << "empty list";

    TZhdZoomF first;
    first.SetXY(5, 6);
    first.SetScale(2);
    jumps.Append(TZhdZoomF());
    jumps.Append(first);
    const std::optional<TZhdZoom> jump = MarkJumpView(info, jumps, 1);
    ASSERT_TRUE(jump.has_value());
    ExpectSameView(*jump, View(5, 6, 2 * fitting), "entry 1");
    EXPECT_EQ(MarkJumpView(info, jumps, 2), std::nullopt) << "too short: the clamped read would give entry 1";
    EXPECT_EQ(MarkJumpView(info, jumps, 0), std::nullopt) << "entry 0 is no jump";
    EXPECT_EQ(MarkJumpView(info, jumps, -1), std::nullopt);

    TZhdZoomF broken;
    broken.SetScale(0);
    jumps.Append(broken);
    ExpectSameView(MarkJumpView(info, jumps, 2).value(), View(0, 0, fitting), "scale 0: the whole paper");
}
