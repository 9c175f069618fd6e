// Toolbars on docks: rows and positions as the docks arrange them, the
// docks' thickness, and the toolbars' own layout of their controls.

#include "controls/Dock97.h"
#include "controls/Toolbar97.h"
#include "controls/ToolbarButton97.h"
#include "tests/support/WidgetShot.h"

#include <QApplication>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include <stdexcept>

namespace {

// A toolbar of buttons `width` x 22, docked at the row and position.
TToolbar97* ToolbarOf(TDock97& dock, const QString& name, int buttons, int row, int pos, int width = 23)
{
    auto* toolbar = new TToolbar97;
    toolbar->setObjectName(name);
    toolbar->SetCaption(name);
    for (int i = 0; i < buttons; ++i) {
        auto* button = new TToolbarButton97(toolbar->Client());
        button->setObjectName(name + QString::number(i));
        button->SetCaption(QString::number(i + 1));
        button->resize(width, 22);
    }
    toolbar->SetDockRow(row);
    toolbar->SetDockPos(pos);
    toolbar->SetDockedTo(&dock);
    QApplication::processEvents(); // the queued layouts of the new controls
    return toolbar;
}

} // namespace

TEST(Dock, ToolbarsTakeTheirRowsAndPositions)
{
    QWidget form;
    form.resize(400, 300);
    TDock97 dock(dpTop, &form);
    dock.resize(400, 0);
    dock.SetBoundLines(BoundLineBit(blTop) | BoundLineBit(blBottom));
    TToolbar97* first = ToolbarOf(dock, "first", 2, 0, 0);
    TToolbar97* second = ToolbarOf(dock, "second", 3, 0, 100);
    TToolbar97* third = ToolbarOf(dock, "third", 1, 1, 0);

    // Two buttons of 23 behind a double drag handle: 46 + 11 + 2 wide,
    // 22 + 4 high; the dock holds two rows of 26 and its two lines.
    EXPECT_EQ(first->geometry(), QRect(0, 1, 59, 26));
    EXPECT_EQ(second->geometry(), QRect(100, 1, 82, 26));
    EXPECT_EQ(third->geometry(), QRect(0, 27, 36, 26));
    EXPECT_EQ(dock.height(), 54);
    EXPECT_EQ(first->Client()->geometry(), QRect(11, 2, 46, 22));
    EXPECT_EQ(dock.GetToolbarCount(), 3);
    EXPECT_EQ(dock.GetToolbars(2), third);

    // Pushed apart: a window placed over another moves on to its end.
    second->SetDockPos(10);
    EXPECT_EQ(second->DockPos(), 59);
    // Hiding the lone window of row 1 closes that row up.
    third->hide();
    EXPECT_EQ(dock.height(), 28);
    EXPECT_EQ(dock.GetToolbarCount(), 2);
    third->show();
    EXPECT_EQ(dock.height(), 54);
}

// Without a layout, a bottom or right dock grows away from the form's edge
// it lies on.
TEST(Dock, BottomAndRightDocksKeepTheirFarEdge)
{
    QWidget form;
    form.resize(400, 300);
    TDock97 bottom(dpBottom, &form);
    bottom.setGeometry(0, 300, 400, 0);
    TDock97 right(dpRight, &form);
    right.setGeometry(400, 0, 0, 300);
    for (TDock97* dock : { &bottom, &right }) {
        auto* toolbar = new TToolbar97;
        toolbar->SetHideWhenInactive(false);
        (new TToolbarButton97(toolbar->Client()))->resize(23, 22);
        toolbar->SetDockedTo(dock);
    }
    EXPECT_GT(bottom.height(), 0);
    EXPECT_EQ(bottom.geometry().bottom() + 1, 300);
    EXPECT_GT(right.width(), 0);
    EXPECT_EQ(right.geometry().right() + 1, 400);
}

TEST(Dock, EmptyDocksAndTheirPosition)
{
    QWidget form;
    TDock97 top(dpTop, &form);
    EXPECT_EQ(top.height(), 0);
    top.SetFixAlign(true);
    EXPECT_EQ(top.height(), 1);
    TDock97 left(dpLeft, &form);
    left.SetFixAlign(true);
    EXPECT_EQ(left.width(), 1);

    ToolbarOf(top, "bar", 1, 0, 0);
    try {
        top.SetPosition(dpBottom);
        ADD_FAILURE() << "a dock with windows changed its position";
    } catch (const std::logic_error& error) {
        EXPECT_STREQ(error.what(), "Cannot change Position of a TDock97 if it already contains controls");
    }
    EXPECT_EQ(top.Position(), dpTop);
}

TEST(Dock, ToolbarDownALeftDock)
{
    QWidget form;
    TDock97 left(dpLeft, &form);
    left.resize(0, 300);
    TToolbar97* bar = ToolbarOf(left, "bar", 3, 0, 0);
    auto* separator = new TToolbarSep97(bar->Client());
    bar->SetOrderIndex(separator, 1);
    QApplication::processEvents();
    // The handle on top; buttons 23 wide across the row, 22 each down it,
    // the separator 6 down between the first and the second.
    EXPECT_EQ(bar->Client()->geometry(), QRect(2, 11, 23, 72));
    EXPECT_EQ(separator->geometry(), QRect(0, 22, 23, 6));
    EXPECT_EQ(bar->OrderedControls(2)->geometry().topLeft(), QPoint(0, 28));
    EXPECT_EQ(left.width(), 27);
}

TEST(Dock, ToolbarOrderAndSlaves)
{
    QWidget form;
    TDock97 top(dpTop, &form);
    top.resize(400, 0);
    TToolbar97* bar = ToolbarOf(top, "bar", 3, 0, 0);
    QWidget* last = bar->OrderedControls(2);
    bar->SetOrderIndex(last, -5);
    EXPECT_EQ(bar->OrderIndex(last), 0);
    bar->SetOrderIndex(last, 99);
    EXPECT_EQ(bar->OrderIndex(last), 2);
    QWidget stranger;
    stranger.setObjectName("stranger");
    try {
        bar->OrderIndex(&stranger);
        ADD_FAILURE();
    } catch (const std::invalid_argument& error) {
        EXPECT_STREQ(error.what(), "Control 'stranger' is not a child of the toolbar");
    }
    EXPECT_THROW(TToolbarSep97 { &stranger }, std::logic_error);

    // A pair of slaves: the first shows along the top, the second down the
    // left.
    QWidget* across = bar->OrderedControls(0);
    QWidget* down = bar->OrderedControls(1);
    bar->SetSlaveControl(across, down);
    EXPECT_FALSE(across->isHidden());
    EXPECT_TRUE(down->isHidden());
    TDock97 left(dpLeft, &form);
    left.resize(0, 300);
    bar->SetDockedTo(&left);
    EXPECT_TRUE(across->isHidden());
    EXPECT_FALSE(down->isHidden());
    EXPECT_EQ(top.GetToolbarCount(), 0);
}

// Toolbars docked while the form is still hidden show with the form.
TEST(Dock, ToolbarsDockedBeforeTheFormIsShownShowWithIt)
{
    QWidget form;
    form.resize(300, 200);
    auto* dock = new TDock97(dpTop, &form);
    dock->resize(300, 0);
    auto* toolbar = new TToolbar97;
    toolbar->SetHideWhenInactive(false);
    auto* button = new TToolbarButton97(toolbar->Client());
    button->resize(23, 22);
    toolbar->SetDockedTo(dock);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    EXPECT_TRUE(toolbar->isVisible());
    EXPECT_TRUE(button->isVisible());
    toolbar->setVisible(false);
    EXPECT_FALSE(toolbar->isVisible());
    toolbar->setVisible(true);
    EXPECT_TRUE(toolbar->isVisible());
}

TEST(Dock, Screenshot)
{
    // Toolbars on all four docks, one of them floating over the form.
    QWidget form;
    form.setWindowTitle("docks");
    form.resize(420, 260);
    auto* outer = new QVBoxLayout(&form);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    auto* top = new TDock97(dpTop);
    top->SetBoundLines(BoundLineBit(blTop) | BoundLineBit(blBottom));
    outer->addWidget(top);
    auto* middle = new QHBoxLayout;
    auto* left = new TDock97(dpLeft);
    auto* right = new TDock97(dpRight);
    middle->addWidget(left);
    middle->addStretch();
    middle->addWidget(right);
    outer->addLayout(middle, 1);
    auto* bottom = new TDock97(dpBottom);
    outer->addWidget(bottom);
    form.show();
    ToolbarOf(*top, "file", 3, 0, 0, 40);
    ToolbarOf(*top, "view", 2, 0, 200, 40);
    ToolbarOf(*top, "search", 4, 1, 0, 30);
    ToolbarOf(*left, "group", 3, 0, 0, 30);
    ToolbarOf(*right, "layer", 2, 0, 0, 30);
    ToolbarOf(*bottom, "print", 3, 0, 0, 40);
    TToolbar97* floating = ToolbarOf(*bottom, "float", 2, 0, 200, 30);
    floating->SetHideWhenInactive(false);
    floating->SetFloatingPosition(form.mapToGlobal(QPoint(200, 120)));
    floating->Float();
    QApplication::processEvents();
    CheckScreenshot(form, "docks", { "docks" });
    CheckScreenshot(*floating, "docks_floating");
    EXPECT_EQ(top->height(), 54);
    EXPECT_EQ(bottom->GetToolbarCount(), 1);
    EXPECT_GT(left->width(), 20);
    EXPECT_GT(right->width(), 20);
}

TEST(Dock, BackgroundRunsOnAcrossItsToolbars)
{
    QWidget form;
    form.resize(300, 100);
    TDock97 dock(dpTop, &form);
    dock.resize(300, 0);
    TToolbar97* bar = ToolbarOf(dock, "bar", 2, 0, 99);
    bar->SetDragHandleStyle(dhNone);
    // Blue with a red bottom-left pixel, the colour to see through.
    QImage tile(4, 4, QImage::Format_RGB32);
    tile.fill(Qt::blue);
    tile.setPixel(0, 3, qRgb(255, 0, 0));
    dock.SetBackground(QPixmap::fromImage(tile));
    form.show();
    QApplication::processEvents();

    const QImage plain = form.grab().toImage();
    // The tiles are anchored to the form: red wherever x is a multiple of
    // 4 and y is 3 more, on the dock and in the toolbar's frame alike.
    EXPECT_EQ(plain.pixel(4, 3), qRgb(255, 0, 0));
    EXPECT_EQ(plain.pixel(5, 3), qRgb(0, 0, 255));
    ASSERT_EQ(bar->x(), 99);
    EXPECT_EQ(plain.pixel(100, 3), qRgb(255, 0, 0));
    EXPECT_EQ(plain.pixel(100, 4), qRgb(0, 0, 255));
    dock.SetBackgroundTransparent(true);
    QApplication::processEvents();
    const QImage see_through = form.grab().toImage();
    EXPECT_EQ(see_through.pixel(4, 3), dock.palette().color(QPalette::Button).rgb());
    EXPECT_EQ(see_through.pixel(5, 3), qRgb(0, 0, 255));
}
