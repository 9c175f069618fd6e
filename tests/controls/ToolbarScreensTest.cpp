#include "controls/ToolbarScreens.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(ToolbarScreensTest, OnOneScreenEveryRectAndPointGetsItsAvailableGeometry)
{
    ASSERT_EQ(QGuiApplication::screens().size(), 1);
    EXPECT_FALSE(HasMultipleMonitors());
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect work = screen->availableGeometry();
    ASSERT_FALSE(work.isEmpty());
    EXPECT_EQ(GetDesktopWorkArea(), work);

    const QRect whole = screen->geometry();
    const QRect rects[] = {
        {10, 10, 100, 50},                                  // inside
        {whole.right() - 20, 40, 100, 50},                  // half off the right edge
        {-5000, -5000, 30, 30},                             // far away
        {whole.right() + 100000, whole.bottom() + 10, 0, 0}, // empty and far
        whole.adjusted(-100, -100, 100, 100),               // larger than the screen
    };
    for (const QRect& rect : rects) {
        EXPECT_EQ(GetWorkAreaOfRect(rect), work) << rect.x() << "," << rect.y();
        EXPECT_EQ(GetWorkAreaOfPoint(rect.topLeft()), work) << rect.x() << "," << rect.y();
    }
}

TEST(ToolbarScreensTest, TheNearestScreenIsTheOneOverlappedMostElseTheClosest)
{
    // Two screens side by side and a third below the second.
    const std::vector<QRect> screens = {{0, 0, 1000, 800}, {1000, 0, 1000, 800}, {1000, 800, 1000, 800}};
    struct Case {
        QRect rect;
        int nearest;
    };
    const Case cases[] = {
        {{10, 10, 100, 100}, 0},       // inside the first
        {{950, 10, 100, 100}, 0},      // across the edge, half and half: the first
        {{940, 10, 100, 100}, 0},      // more on the first
        {{960, 10, 100, 100}, 1},      // more on the second
        {{1500, 780, 100, 100}, 2},    // more on the third
        {{-300, 100, 50, 50}, 0},      // left of everything
        {{2500, 1000, 50, 50}, 2},     // right of the third
        {{2500, 100, 50, 50}, 1},      // right of the second
        {{500, 900, 0, 0}, 0},         // empty, below the first (100) rather than left of the third (500)
        {{1200, 300, 1, 1}, 1},        // a point
    };
    for (const Case& nearest_case : cases)
        EXPECT_EQ(IndexOfNearestScreen(screens, nearest_case.rect), nearest_case.nearest)
            << nearest_case.rect.x() << "," << nearest_case.rect.y();
    EXPECT_EQ(IndexOfNearestScreen({}, QRect(0, 0, 10, 10)), -1);
}

TEST(ToolbarScreensTest, TheSmallCaptionIsTheFontsLineHeightPlusFour)
{
    EXPECT_EQ(GetSmallCaptionHeight(), QFontMetrics(QApplication::font()).height() + 4);
    EXPECT_GT(GetSmallCaptionHeight(), 4);
}

TEST(ToolbarScreensTest, DockTypeFollowsTheDocksEdge)
{
    struct Case {
        std::optional<TDockPosition> position;
        TDockType type;
    };
    const Case cases[] = {
        {std::nullopt, dtNotDocked}, {dpTop, dtTopBottom}, {dpBottom, dtTopBottom},
        {dpLeft, dtLeftRight},       {dpRight, dtLeftRight},
    };
    for (const Case& dock_case : cases)
        EXPECT_EQ(GetDockTypeOf(dock_case.position), dock_case.type);
}

} // namespace
