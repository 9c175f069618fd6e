#include "controls/ToolbarButton97.h"

#include "tests/support/WidgetShot.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// A bar of text buttons side by side, shown and active.
class ToolbarButtonTest : public ::testing::Test {
protected:
    TToolbarButton97* AddButton(const QString& caption, int width = 50)
    {
        auto* button = new TToolbarButton97(&bar_);
        button->setObjectName(caption);
        button->SetCaption(caption);
        button->setGeometry(next_x_, 4, width, 22);
        next_x_ += width + 4;
        return button;
    }

    void Show()
    {
        bar_.resize(next_x_ + 20, 30);
        bar_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&bar_));
        bar_.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&bar_));
    }

    QWidget bar_;
    int next_x_ = 4;
};

TEST_F(ToolbarButtonTest, ClickEmitsOnceAndDisabledNothing)
{
    auto* enabled = AddButton("On");
    auto* disabled = AddButton("Off");
    disabled->setEnabled(false);
    Show();
    QSignalSpy enabled_clicks(enabled, &TToolbarButton97::clicked);
    QSignalSpy disabled_clicks(disabled, &TToolbarButton97::clicked);
    QTest::mouseClick(enabled, Qt::LeftButton);
    QTest::mouseClick(disabled, Qt::LeftButton);
    EXPECT_EQ(enabled_clicks.count(), 1);
    EXPECT_EQ(disabled_clicks.count(), 0);
    EXPECT_EQ(enabled->State(), bsUp);
    EXPECT_EQ(disabled->State(), bsDisabled);

    // Released outside: no click.
    QTest::mousePress(enabled, Qt::LeftButton);
    QTest::mouseRelease(enabled, Qt::LeftButton, {}, QPoint(-5, 5));
    EXPECT_EQ(enabled_clicks.count(), 1);
}

TEST_F(ToolbarButtonTest, HotWhileTheMouseIsOver)
{
    auto* first = AddButton("First");
    auto* second = AddButton("Second");
    Show();
    // Start away from the buttons, wherever the cursor was left: over one,
    // then off it, so that the window has seen the mouse come and go.
    QTest::mouseMove(second, second->rect().center());
    QTest::mouseMove(&bar_, QPoint(bar_.width() - 5, 15));
    ASSERT_EQ(TToolbarButton97::ButtonMouseInControl(), nullptr);
    QSignalSpy entered(first, &TToolbarButton97::mouseEntered);
    QSignalSpy exited(first, &TToolbarButton97::mouseExited);

    QTest::mouseMove(first, first->rect().center());
    EXPECT_TRUE(first->MouseIn());
    EXPECT_EQ(first->State(), bsMouseIn);
    EXPECT_EQ(TToolbarButton97::ButtonMouseInControl(), first);
    EXPECT_EQ(entered.count(), 1);

    QTest::mouseMove(second, second->rect().center());
    EXPECT_FALSE(first->MouseIn());
    EXPECT_EQ(first->State(), bsUp);
    EXPECT_TRUE(second->MouseIn());
    EXPECT_EQ(exited.count(), 1);

    QTest::mouseMove(&bar_, QPoint(bar_.width() - 5, 15));
    EXPECT_FALSE(second->MouseIn());
    EXPECT_EQ(TToolbarButton97::ButtonMouseInControl(), nullptr);

    // Back onto the first, then disabled under the mouse: the hot look goes
    // at once.
    QTest::mouseMove(first, first->rect().center());
    EXPECT_TRUE(first->MouseIn());
    first->setEnabled(false);
    EXPECT_FALSE(first->MouseIn());
    EXPECT_EQ(first->State(), bsDisabled);
    EXPECT_EQ(TToolbarButton97::ButtonMouseInControl(), nullptr);
}

TEST_F(ToolbarButtonTest, ExclusiveGroups)
{
    struct GroupCase {
        const char* name;
        int group_index;
        bool allow_all_up;
        std::vector<int> clicks;
        bool a_down;
        bool b_down;
    };
    const GroupCase cases[] = {
        { "first goes down", 1, true, { 0 }, true, false },
        { "second releases first", 1, true, { 0, 1 }, false, true },
        { "all up allowed", 1, true, { 0, 1, 1 }, false, false },
        { "down stays down", 1, false, { 0, 0 }, true, false },
        { "partner released without all up", 1, false, { 0, 0, 1 }, false, true },
        { "no group never stays down", 0, true, { 0 }, false, false },
    };
    auto* a = AddButton("A");
    auto* b = AddButton("B");
    auto* other_group = AddButton("C");
    Show();
    for (const GroupCase& c : cases) {
        other_group->SetGroupIndex(2);
        other_group->SetAllowAllUp(true);
        other_group->SetDown(true);
        for (auto* button : { a, b }) {
            button->SetGroupIndex(c.group_index);
            button->SetAllowAllUp(true);
            button->SetDown(false);
        }
        a->SetAllowAllUp(c.allow_all_up);
        EXPECT_EQ(b->AllowAllUp(), c.allow_all_up || c.group_index == 0) << c.name;
        QSignalSpy clicks_a(a, &TToolbarButton97::clicked);
        QSignalSpy clicks_b(b, &TToolbarButton97::clicked);
        for (const int index : c.clicks)
            QTest::mouseClick(index == 0 ? a : b, Qt::LeftButton);
        EXPECT_EQ(a->Down(), c.a_down) << c.name;
        EXPECT_EQ(b->Down(), c.b_down) << c.name;
        EXPECT_EQ(a->State(), c.a_down ? bsExclusive : bsUp) << c.name;
        EXPECT_EQ(clicks_a.count() + clicks_b.count(), static_cast<int>(c.clicks.size())) << c.name;
        EXPECT_TRUE(other_group->Down()) << c.name;
    }
}

TEST_F(ToolbarButtonTest, RepeatsWhileHeldAndNotAfterRelease)
{
    auto* button = AddButton("Repeat");
    button->SetRepeating(true);
    button->SetRepeatDelay(100);
    button->SetRepeatInterval(50);
    Show();
    QSignalSpy clicks(button, &TToolbarButton97::clicked);
    QTest::mousePress(button, Qt::LeftButton);
    EXPECT_EQ(clicks.count(), 1);
    QTest::qWait(500);
    EXPECT_GE(clicks.count(), 3);
    QTest::mouseRelease(button, Qt::LeftButton);
    const auto after_release = clicks.count();
    QTest::qWait(300);
    EXPECT_EQ(clicks.count(), after_release);
    EXPECT_NE(button->State(), bsDown);
}

TEST_F(ToolbarButtonTest, DropdownMenuOpensOnceAndCloses)
{
    struct DropdownCase {
        const char* name;
        bool combo;
        bool on_arrow;
        bool menu_shows;
        int clicks;
    };
    const DropdownCase cases[] = {
        { "whole button", false, false, true, 1 },
        { "combo main part", true, false, false, 1 },
        { "combo arrow", true, true, true, 0 },
    };
    for (const DropdownCase& c : cases) {
        QWidget bar;
        QMenu menu(&bar);
        menu.addAction("One");
        menu.addAction("Two");
        auto* button = new TToolbarButton97(&bar);
        button->SetCaption("Menu");
        button->setGeometry(4, 4, 50, 22);
        button->SetDropdownMenu(&menu);
        button->SetDropdownCombo(c.combo);
        bar.resize(100, 30);
        bar.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&bar));
        int dropdowns = 0;
        button->OnDropdown = [&dropdowns](TToolbarButton97*, bool& show_menu, bool&) {
            ++dropdowns;
            EXPECT_TRUE(show_menu);
        };
        bool seen_open = false;
        QTimer::singleShot(100, &menu, [&] {
            seen_open = menu.isVisible();
            // A press on the button while its menu is open is dropped.
            QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
            menu.close();
        });
        QSignalSpy clicks(button, &TToolbarButton97::clicked);
        const QPoint at = c.on_arrow ? QPoint(button->width() - 4, 10) : QPoint(10, 10);
        QTest::mouseClick(button, Qt::LeftButton, {}, at);
        if (c.menu_shows) {
            EXPECT_TRUE(seen_open) << c.name;
            EXPECT_EQ(dropdowns, 1) << c.name;
        } else {
            EXPECT_EQ(dropdowns, 0) << c.name;
            // The timer has not run: let it, it clicks the main part once.
            QTest::qWait(200);
        }
        EXPECT_FALSE(menu.isVisible()) << c.name;
        EXPECT_EQ(clicks.count(), c.menu_shows ? c.clicks : c.clicks + 1) << c.name;
        EXPECT_EQ(button->State(), bsUp) << c.name;
    }
}

TEST_F(ToolbarButtonTest, ComboPartAndArrowWidth)
{
    auto* button = AddButton("Combo", 40);
    QMenu menu;
    button->SetDropdownMenu(&menu);
    button->SetDropdownCombo(true);
    EXPECT_EQ(button->width(), 40 + 9 + 2);
    button->SetDropdownArrowWidth(3);
    EXPECT_EQ(button->DropdownArrowWidth(), 7);
    EXPECT_EQ(button->width(), 40 + 7 + 2);
    EXPECT_TRUE(button->PointInButton(QPoint(39, 5)));
    EXPECT_FALSE(button->PointInButton(QPoint(40, 5)));
    button->SetDropdownCombo(false);
    EXPECT_EQ(button->width(), 40);
}

TEST_F(ToolbarButtonTest, FollowsItsAction)
{
    auto* button = AddButton("x");
    button->SetGroupIndex(1);
    button->SetAllowAllUp(true);
    QAction action("&Pan");
    action.setCheckable(true);
    action.setToolTip("Pan the view");
    action.setStatusTip("Drag to pan");
    button->SetAction(&action);
    Show();
    EXPECT_EQ(button->Caption(), "&Pan");
    EXPECT_EQ(button->Hint(), "Pan the view|Drag to pan");
    EXPECT_EQ(button->toolTip(), "Pan the view");
    action.setChecked(true);
    EXPECT_TRUE(button->Down());

    QSignalSpy triggered(&action, &QAction::triggered);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(triggered.count(), 1);
    EXPECT_FALSE(button->Down());
    EXPECT_FALSE(action.isChecked());

    action.setEnabled(false);
    EXPECT_FALSE(button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(triggered.count(), 1);
}

TEST_F(ToolbarButtonTest, DestroyedByItsClickHandler)
{
    auto* button = AddButton("Close");
    button->SetGroupIndex(1);
    Show();
    QPointer<TToolbarButton97> watched(button);
    QObject::connect(button, &TToolbarButton97::clicked, button, [button] { delete button; });
    QTest::mouseMove(button, QPoint(5, 5));
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_TRUE(watched.isNull());
    EXPECT_EQ(TToolbarButton97::ButtonMouseInControl(), nullptr);
}

TEST_F(ToolbarButtonTest, BarOfTextButtonsInTheirStates)
{
    bar_.setWindowTitle("Buttons");
    auto* normal = AddButton("Normal", 56);
    auto* hot = AddButton("Hot", 56);
    auto* down = AddButton("Down", 56);
    auto* disabled = AddButton("Disabled", 56);
    auto* combo = AddButton("Combo", 56);
    down->SetGroupIndex(1);
    down->SetDown(true);
    disabled->setEnabled(false);
    QMenu menu(&bar_);
    combo->SetDropdownMenu(&menu);
    combo->SetDropdownCombo(true);
    next_x_ = combo->geometry().right() + 5;
    Show();
    QTest::mouseMove(hot, hot->rect().center());
    ASSERT_TRUE(hot->MouseIn());

    CheckScreenshot(bar_, "toolbar_buttons", { "Buttons" });

    const QImage shot = bar_.grab().toImage();
    const std::vector<TToolbarButton97*> buttons { normal, hot, down, disabled, combo };
    for (auto* button : buttons) {
        EXPECT_TRUE(bar_.rect().contains(button->geometry())) << button->Caption().toStdString();
        for (auto* other : buttons)
            EXPECT_TRUE(button == other || !button->geometry().intersects(other->geometry()));
    }
    // Compared as 8-bit RGB: the palette's colours carry 16 bits a channel.
    const QRgb face = normal->palette().color(QPalette::Button).rgb();
    const QRgb light = normal->palette().color(QPalette::Light).rgb();
    const QRgb dark = normal->palette().color(QPalette::Dark).rgb();
    // A cold flat button has no border; a hot one is raised, a down one
    // sunken.
    EXPECT_EQ(shot.pixel(normal->geometry().topLeft()), face);
    EXPECT_EQ(shot.pixel(hot->geometry().topLeft()), light);
    EXPECT_EQ(shot.pixel(hot->geometry().bottomRight()), dark);
    EXPECT_EQ(shot.pixel(down->geometry().topLeft()), dark);
    EXPECT_EQ(shot.pixel(down->geometry().bottomRight()), light);
    // Every caption left ink inside its button.
    for (auto* button : buttons) {
        const QRect inner = button->geometry().adjusted(2, 2, -2, -2);
        bool inked = false;
        for (int y = inner.top(); y <= inner.bottom() && !inked; ++y)
            for (int x = inner.left(); x <= inner.right() && !inked; ++x)
                inked = shot.pixel(x, y) != face && shot.pixel(x, y) != light;
        EXPECT_TRUE(inked) << button->Caption().toStdString();
    }
}

} // namespace
