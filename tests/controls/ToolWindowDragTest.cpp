// Dragging toolbars with the mouse between docks, into new rows and off to
// float, driven by events while the drag loop runs.

#include "controls/Dock97.h"
#include "controls/Toolbar97.h"
#include "controls/ToolbarButton97.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QRegion>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <vector>

namespace {

struct Step {
    enum Kind { Move, Release, Escape, Look } kind;
    QPoint global;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    // Look: what to check at this point of the drag.
    std::function<void()> look = {};
};

// Presses the toolbar at `grab` and, inside the drag loop, plays the steps.
void Drag(TCustomToolWindow97* window, QPoint grab, const std::vector<Step>& steps)
{
    QTimer::singleShot(0, [window, steps] {
        EXPECT_TRUE(TCustomToolWindow97::Dragging());
        for (const Step& step : steps) {
            if (step.kind == Step::Look) {
                step.look();
                continue;
            }
            if (step.kind == Step::Escape) {
                QKeyEvent key(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
                QApplication::sendEvent(window, &key);
                continue;
            }
            const QPointF local = window->mapFromGlobal(step.global);
            QMouseEvent mouse(step.kind == Step::Move ? QEvent::MouseMove : QEvent::MouseButtonRelease, local,
                              step.global, step.kind == Step::Move ? Qt::NoButton : Qt::LeftButton,
                              step.kind == Step::Move ? Qt::LeftButton : Qt::NoButton, step.modifiers);
            QApplication::sendEvent(window, &mouse);
        }
    });
    QMouseEvent press(QEvent::MouseButtonPress, grab, window->mapToGlobal(grab), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(window, &press);
    EXPECT_FALSE(TCustomToolWindow97::Dragging());
}

class ToolbarDrag : public ::testing::Test {
protected:
    ToolbarDrag()
    {
        form.resize(500, 400);
        auto* outer = new QVBoxLayout(&form);
        outer->setContentsMargins(0, 0, 0, 0);
        outer->setSpacing(0);
        top = new TDock97(dpTop);
        outer->addWidget(top);
        auto* middle = new QHBoxLayout;
        left = new TDock97(dpLeft);
        left->SetFixAlign(true);
        middle->addWidget(left);
        middle->addStretch();
        outer->addLayout(middle, 1);
        form.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
        bar = MakeToolbar("bar", 0, 0);
        other = MakeToolbar("other", 0, 200);
        QApplication::processEvents();
    }

    TToolbar97* MakeToolbar(const QString& name, int row, int pos)
    {
        auto* toolbar = new TToolbar97;
        toolbar->setObjectName(name);
        toolbar->SetCaption(name);
        toolbar->SetHideWhenInactive(false);
        for (int i = 0; i < 3; ++i) {
            auto* button = new TToolbarButton97(toolbar->Client());
            button->SetCaption(QString::number(i + 1));
            button->resize(23, 22);
        }
        toolbar->SetDockRow(row);
        toolbar->SetDockPos(pos);
        toolbar->SetDockedTo(top);
        QApplication::processEvents();
        return toolbar;
    }

    // A point of the form in screen coordinates.
    QPoint OnForm(int x, int y) const { return form.mapToGlobal(QPoint(x, y)); }

    QWidget form;
    TDock97* top = nullptr;
    TDock97* left = nullptr;
    TToolbar97* bar = nullptr;
    TToolbar97* other = nullptr;
};

} // namespace

TEST_F(ToolbarDrag, FromTheTopDockToTheLeftDock)
{
    // Grabbed on its drag handle, dropped on the left dock's line.
    Drag(bar, QPoint(4, 10), { { Step::Move, OnForm(150, 150) }, { Step::Move, OnForm(0, 150) },
                               { Step::Release, OnForm(0, 150) } });
    EXPECT_EQ(bar->DockedTo(), left);
    EXPECT_EQ(left->GetToolbarCount(), 1);
    EXPECT_GT(left->width(), 20);
    EXPECT_EQ(top->GetToolbarCount(), 1);
}

// The drag's outline on the screen: a frame of the thickness alone (the
// window's shape leaves its inside out, with or without a compositor), in
// black and white pixels alternating with the screen's, so that it shows
// over any picture.
void ExpectHalftoneFrame(int thickness)
{
    const QWidget* outline = nullptr;
    for (const QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == "dragOutline" && widget->isVisible())
            outline = widget;
    }
    ASSERT_NE(outline, nullptr);
    const QRect r = outline->rect();
    const QRect inside = r.adjusted(thickness, thickness, -thickness, -thickness);
    EXPECT_EQ(outline->mask(), QRegion(r).subtracted(QRegion(inside)));
    const QImage picture = const_cast<QWidget*>(outline)->grab().toImage();
    const QPoint screen = outline->geometry().topLeft();
    int black = 0, white = 0;
    for (int y = 0; y < r.height(); ++y) {
        for (int x = 0; x < r.width(); ++x) {
            if (!outline->mask().contains(QPoint(x, y)))
                continue;
            const bool even = (x + screen.x() + y + screen.y()) % 2 == 0;
            const QRgb pixel = picture.pixel(x, y) | 0xff000000u;
            ASSERT_EQ(pixel, even ? qRgb(0, 0, 0) : qRgb(255, 255, 255)) << x << "," << y;
            ++(even ? black : white);
        }
    }
    EXPECT_GT(black, 0);
    EXPECT_GT(white, 0);
}

TEST_F(ToolbarDrag, TheOutlineIsAHalftoneFrame)
{
    // Floating: as thick as the floating border; over a dock: one pixel.
    Drag(bar, QPoint(4, 10), { { Step::Move, OnForm(300, 250) },
                               { Step::Look, {}, Qt::NoModifier, [] { ExpectHalftoneFrame(4); } },
                               { Step::Move, OnForm(0, 150) },
                               { Step::Look, {}, Qt::NoModifier, [] { ExpectHalftoneFrame(1); } },
                               { Step::Escape, {} } });
    EXPECT_EQ(bar->DockedTo(), top);
}

TEST_F(ToolbarDrag, IntoANewRowAndOffToFloat)
{
    // Just below the row: a new row of its own.
    const int below = top->height() + 3;
    Drag(bar, QPoint(4, 10), { { Step::Move, OnForm(40, below) }, { Step::Release, OnForm(40, below) } });
    EXPECT_EQ(bar->DockedTo(), top);
    EXPECT_EQ(bar->DockRow(), 1);
    EXPECT_EQ(top->height(), 52);

    // Far from every dock: floating, its grabbed point under the cursor.
    Drag(bar, QPoint(4, 10), { { Step::Move, OnForm(300, 250) }, { Step::Release, OnForm(300, 250) } });
    ASSERT_TRUE(bar->Floating());
    EXPECT_EQ(top->height(), 26);
    EXPECT_TRUE(bar->geometry().contains(OnForm(300, 250)));
}

TEST_F(ToolbarDrag, CtrlFloatsEscapeCancelsAndSomeMayNotFloat)
{
    // Over the left dock with Ctrl held: floating all the same.
    Drag(bar, QPoint(4, 10), { { Step::Move, OnForm(0, 150), Qt::ControlModifier },
                               { Step::Release, OnForm(0, 150), Qt::ControlModifier } });
    EXPECT_TRUE(bar->Floating());

    // Escape: where it was.
    const QPoint before = other->pos();
    Drag(other, QPoint(4, 10), { { Step::Move, OnForm(300, 250) }, { Step::Escape, {} },
                                 { Step::Release, OnForm(300, 250) } });
    EXPECT_EQ(other->DockedTo(), top);
    EXPECT_EQ(other->pos(), before);

    // A window that may not float stays on its dock when let go elsewhere.
    other->SetDockMode(dmCannotFloat);
    Drag(other, QPoint(4, 10), { { Step::Move, OnForm(300, 250) }, { Step::Release, OnForm(300, 250) } });
    EXPECT_EQ(other->DockedTo(), top);
}

TEST_F(ToolbarDrag, SizingAFloatingToolbarWrapsItsRows)
{
    new TToolbarSep97(bar->Client());
    for (int i = 0; i < 2; ++i) {
        auto* button = new TToolbarButton97(bar->Client());
        button->resize(23, 22);
    }
    QApplication::processEvents();
    bar->SetFloatingPosition(OnForm(200, 150));
    bar->Float();
    QApplication::processEvents();
    const QSize one_row = bar->size();
    EXPECT_EQ(bar->FloatingWidth(), 0);

    // Pressed on the right sizing border, pulled 40 pixels left: the
    // toolbar takes its two-row layout.
    const QPoint border(bar->width() - 2, bar->height() / 2);
    ASSERT_EQ(bar->FloatingFrameHit(border), TFrameHit::Right);
    ASSERT_EQ(bar->FloatingFrameHit(QPoint(bar->width() - 2, 2)), TFrameHit::Top); // no corners
    const QPoint pressed = bar->mapToGlobal(border);
    Drag(bar, border, { { Step::Move, pressed - QPoint(40, 0) }, { Step::Release, pressed - QPoint(40, 0) } });
    EXPECT_TRUE(bar->Floating());
    EXPECT_GT(bar->FloatingWidth(), 0);
    EXPECT_LT(bar->width(), one_row.width());
    EXPECT_GT(bar->height(), one_row.height());

    // Escape puts nothing back wrong: the size stays as it is.
    const QSize wrapped = bar->size();
    const QPoint again = bar->mapToGlobal(QPoint(bar->width() - 2, bar->height() / 2));
    Drag(bar, QPoint(bar->width() - 2, bar->height() / 2),
         { { Step::Move, again + QPoint(60, 0) }, { Step::Escape, {} } });
    EXPECT_EQ(bar->size(), wrapped);
}

TEST_F(ToolbarDrag, OntoTheDockOfAnotherForm)
{
    QWidget second;
    second.resize(300, 200);
    auto* layout = new QVBoxLayout(&second);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* dock = new TDock97(dpTop);
    dock->SetFixAlign(true);
    layout->addWidget(dock);
    layout->addStretch();
    second.move(form.geometry().right() + 50, form.geometry().top());
    second.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&second));
    const QPoint target = second.mapToGlobal(QPoint(100, 0));

    // Not offered until the form is named as one to dock in.
    Drag(bar, QPoint(4, 10), { { Step::Move, target }, { Step::Release, target } });
    EXPECT_NE(bar->DockedTo(), dock);
    bar->AddDockForm(&second);
    Drag(bar, QPoint(4, 10), { { Step::Move, target }, { Step::Release, target } });
    EXPECT_EQ(bar->DockedTo(), dock);
    EXPECT_EQ(bar->ParentForm(), &second);
}

TEST(ToolWindowParents, DocksAndToolWindowsGoWhereTheyBelong)
{
    QWidget form;
    TDock97 dock(dpTop, &form);
    EXPECT_THROW(TDock97(dpLeft, &dock), std::logic_error);
    QWidget panel(&form);
    EXPECT_THROW(TToolbar97 { &panel }, std::logic_error);
    TToolbar97 toolbar;
    toolbar.SetDockedTo(&dock);
    EXPECT_THROW(TDock97(dpLeft, &toolbar), std::logic_error);

    // Escape in a floating window hands the focus back to its form.
    toolbar.SetHideWhenInactive(false);
    toolbar.Float();
    form.show();
    QTest::keyClick(&toolbar, Qt::Key_Escape);
    EXPECT_TRUE(form.hasFocus() || QApplication::focusWidget() != &toolbar);
}
