// Toolbars taken off their docks: floating over their form with a caption
// and a close button, back to their place by a double click, and hidden
// with their form.

#include "controls/Dock97.h"
#include "controls/Toolbar97.h"
#include "controls/ToolbarButton97.h"
#include "controls/ToolbarScreens.h"
#include "tests/support/WidgetShot.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <stdexcept>

namespace {

class FloatingToolbar : public ::testing::Test {
protected:
    FloatingToolbar()
    {
        form.resize(400, 300);
        dock.resize(400, 0);
        toolbar = new TToolbar97;
        toolbar->setObjectName("bar");
        toolbar->SetCaption("bar");
        // Shown whether or not the test run's application is active.
        toolbar->SetHideWhenInactive(false);
        for (int i = 0; i < 2; ++i) {
            auto* button = new TToolbarButton97(toolbar->Client());
            button->SetCaption(QString::number(i + 1));
            button->resize(23, 22);
        }
        toolbar->SetDockRow(1);
        toolbar->SetDockPos(30);
        toolbar->SetDockedTo(&dock);
        form.show();
        QApplication::processEvents();
    }

    QWidget form;
    TDock97 dock { dpTop, &form };
    TToolbar97* toolbar = nullptr;
};

} // namespace

TEST_F(FloatingToolbar, FloatsWithItsFrameAndKeepsItsPlace)
{
    toolbar->SetFloatingPosition(QPoint(120, 80));
    toolbar->Float();
    ASSERT_TRUE(toolbar->Floating());
    EXPECT_TRUE(toolbar->isWindow());
    EXPECT_TRUE(toolbar->isVisible());
    EXPECT_EQ(toolbar->ParentForm(), &form);
    EXPECT_EQ(toolbar->pos(), QPoint(120, 80));
    // Two buttons inside the floating margins (4 at the sides, 2 above,
    // 1 below), inside a 4-pixel border and the caption.
    const int caption = GetSmallCaptionHeight();
    EXPECT_EQ(toolbar->Client()->size(), QSize(54, 25));
    EXPECT_EQ(toolbar->size(), QSize(62, 33 + caption));
    EXPECT_EQ(toolbar->NonClientMargins(), QMargins(4, 4 + caption, 4, 4));
    EXPECT_EQ(toolbar->CloseButtonRect().right(), 4 + 54 - 1);
    CheckScreenshot(*toolbar, "floating_toolbar");

    // Its place on the dock stays reserved; the dock shows nothing now.
    EXPECT_EQ(dock.GetToolbarCount(), 0);
    EXPECT_EQ(dock.DockList().size(), 1u);
    EXPECT_EQ(dock.height(), 0);
    EXPECT_EQ(toolbar->LastDock(), &dock);

    // A double click on the caption puts it back.
    QTest::mouseDClick(toolbar, Qt::LeftButton, Qt::NoModifier, QPoint(10, 6));
    EXPECT_EQ(toolbar->DockedTo(), &dock);
    EXPECT_FALSE(toolbar->isWindow());
    EXPECT_EQ(toolbar->DockRow(), 0); // the only row left
    EXPECT_EQ(toolbar->DockPos(), 30);
    EXPECT_EQ(dock.height(), 26);
    // And on its drag handle floats it again where it floated.
    QTest::mouseDClick(toolbar, Qt::LeftButton, Qt::NoModifier, QPoint(4, 10));
    EXPECT_TRUE(toolbar->Floating());
    EXPECT_EQ(toolbar->pos(), QPoint(120, 80));
}

TEST_F(FloatingToolbar, CloseButtonHidesUnlessRefused)
{
    toolbar->Float();
    int closed = 0;
    QObject::connect(toolbar, &TCustomToolWindow97::Closed, [&] { ++closed; });
    bool allow = false;
    toolbar->OnCloseQuery = [&](TCustomToolWindow97*, bool& can_close) { can_close = allow; };
    const QPoint close = toolbar->CloseButtonRect().center();
    QTest::mouseClick(toolbar, Qt::LeftButton, Qt::NoModifier, close);
    EXPECT_TRUE(toolbar->isVisible());
    allow = true;
    // Pressed on the button but released off it: nothing.
    QTest::mousePress(toolbar, Qt::LeftButton, Qt::NoModifier, close);
    QTest::mouseRelease(toolbar, Qt::LeftButton, Qt::NoModifier, QPoint(10, 20));
    EXPECT_TRUE(toolbar->isVisible());
    QTest::mouseClick(toolbar, Qt::LeftButton, Qt::NoModifier, close);
    EXPECT_FALSE(toolbar->isVisible());
    EXPECT_FALSE(toolbar->Visible());
    EXPECT_EQ(closed, 1);
}

TEST_F(FloatingToolbar, HiddenWithItsForm)
{
    toolbar->Float();
    form.hide();
    QApplication::processEvents();
    EXPECT_FALSE(toolbar->isVisible());
    EXPECT_TRUE(toolbar->Visible()); // still meant to show
    form.show();
    QApplication::processEvents();
    EXPECT_TRUE(toolbar->isVisible());

    // Far off the screen, it is brought back onto it.
    toolbar->SetFloatingPosition(QPoint(-5000, -5000));
    toolbar->MoveOnScreen(true);
    EXPECT_TRUE(GetWorkAreaOfRect(toolbar->geometry()).intersects(toolbar->geometry()));
}

TEST_F(FloatingToolbar, NeverFloatedItFloatsBesideItsDock)
{
    ASSERT_FALSE(toolbar->HasFloatingPosition());
    const QPoint docked = toolbar->mapToGlobal(QPoint(0, 0));
    const int below_dock = dock.mapToGlobal(QPoint(0, dock.height())).y();
    QTest::mouseDClick(toolbar, Qt::LeftButton, Qt::NoModifier, QPoint(4, 10));
    ASSERT_TRUE(toolbar->Floating());
    // Just below the top dock, level with where it sat, wholly on the
    // work area; not at the screen's corner.
    EXPECT_EQ(toolbar->pos(), QPoint(docked.x(), below_dock));
    EXPECT_EQ(toolbar->FloatingPosition(), toolbar->pos());
    EXPECT_TRUE(GetWorkAreaOfRect(toolbar->geometry()).contains(toolbar->geometry()));

    // Moved, docked and floated again: where it floated last.
    toolbar->move(toolbar->pos() + QPoint(25, 40));
    const QPoint moved = toolbar->pos();
    QTest::mouseDClick(toolbar, Qt::LeftButton, Qt::NoModifier, QPoint(10, 6));
    ASSERT_EQ(toolbar->DockedTo(), &dock);
    QTest::mouseDClick(toolbar, Qt::LeftButton, Qt::NoModifier, QPoint(4, 10));
    ASSERT_TRUE(toolbar->Floating());
    EXPECT_EQ(toolbar->pos(), moved);
}

// With the defaults, a floating window hides while the application is
// inactive: one floated while its form was still hidden (restored from the
// settings at start) shows when the form is shown and active.
TEST(FloatingToolWindow, FloatedBeforeItsFormIsShownItShowsWithIt)
{
    QWidget form;
    form.resize(400, 300);
    TDock97 dock(dpTop, &form);
    dock.resize(400, 0);
    auto* toolbar = new TToolbar97;
    new TToolbarButton97(toolbar->Client());
    toolbar->SetDockedTo(&dock);
    ASSERT_TRUE(toolbar->HideWhenInactive());
    toolbar->SetFloatingPosition(QPoint(120, 80));
    toolbar->Float();
    EXPECT_FALSE(toolbar->isVisible());

    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    EXPECT_TRUE(toolbar->isVisible());
    EXPECT_EQ(toolbar->pos(), QPoint(120, 80));
}

TEST(FloatingToolWindow, NeedsAForm)
{
    TToolbar97 lonely;
    lonely.setObjectName("lonely");
    try {
        lonely.Float();
        ADD_FAILURE() << "floated without a form";
    } catch (const std::logic_error& error) {
        EXPECT_STREQ(error.what(), "コントロール 'lonely' は親ウィンドウを持っていません");
    }
    EXPECT_FALSE(lonely.Floating());
}

TEST(FloatingToolWindow, CaptionsAreCutAtWholeCharacters)
{
    const QFontMetrics metrics(QApplication::font());
    const QString japanese = QString::fromUtf8("ファイル連続印刷");
    const QString wide = QString::fromUtf8("𠮷𠮷𠮷𠮷𠮷𠮷"); // outside the basic plane
    EXPECT_EQ(FitCaptionToWidth(japanese, metrics, 1000), japanese);
    for (const QString& caption : { japanese, wide, QStringLiteral("Toolbar caption") }) {
        for (int width = 0; width < metrics.horizontalAdvance(caption); width += 7) {
            const QString fitted = FitCaptionToWidth(caption, metrics, width);
            ASSERT_TRUE(fitted.endsWith("...")) << width;
            const QString kept = fitted.chopped(3);
            EXPECT_TRUE(caption.startsWith(kept));
            EXPECT_FALSE(!kept.isEmpty() && kept.back().isHighSurrogate()) << "split at " << width;
            EXPECT_TRUE(metrics.horizontalAdvance(fitted) <= width || fitted.size() <= 4 || kept.isEmpty());
        }
    }
}
