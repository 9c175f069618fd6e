#include "controls/Control97Registry.h"
#include "controls/Edit97.h"

#include <QApplication>
#include <QEnterEvent>
#include <QImage>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include <memory>

namespace {

void SendEnter(QWidget* widget)
{
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QCoreApplication::sendEvent(widget, &enter);
}

void SendLeave(QWidget* widget)
{
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(widget, &leave);
}

TEST(Edit97Test, HeightFollowsTheFont)
{
    TEdit97 edit;
    EXPECT_EQ(edit.height(), 19);
    QFont font = edit.font();
    font.setPixelSize(12);
    edit.setFont(font);
    EXPECT_EQ(edit.height(), QFontMetrics(font).height() + 6);
    EXPECT_EQ(edit.sizeHint().height(), edit.height());
    edit.resize(edit.width(), 40);
    edit.Loaded();
    EXPECT_EQ(edit.height(), QFontMetrics(font).height() + 6);
}

TEST(Edit97Test, HotWhenFocusedOrUnderTheMouseUnlessAnotherFlatControlHasTheFocus)
{
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* first = new TEdit97(&window);
    auto* second = new TEdit97(&window);
    auto* plain = new QLineEdit(&window);
    layout->addWidget(first);
    layout->addWidget(second);
    layout->addWidget(plain);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    first->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(first->IsHot());
    EXPECT_FALSE(second->IsHot());
    SendEnter(second);
    EXPECT_FALSE(second->IsHot());

    plain->setFocus(Qt::TabFocusReason);
    EXPECT_FALSE(first->IsHot());
    EXPECT_TRUE(second->IsHot());
    SendLeave(second);
    EXPECT_FALSE(second->IsHot());
}

TEST(Edit97Test, FramePixels)
{
    TEdit97 edit;
    edit.resize(60, 19);
    const QPalette system = QApplication::palette(&edit);
    const QImage cold = edit.grab().toImage();
    EXPECT_EQ(cold.pixel(0, 0), system.color(QPalette::Button).rgb());
    EXPECT_EQ(cold.pixel(59, 18), system.color(QPalette::Button).rgb());
    EXPECT_EQ(cold.pixel(1, 10), system.color(QPalette::Button).rgb());
    EXPECT_EQ(cold.pixel(2, 10), system.color(QPalette::Base).rgb());
    EXPECT_EQ(cold.pixel(5, 10), system.color(QPalette::Base).rgb());

    SendEnter(&edit);
    ASSERT_TRUE(edit.IsHot());
    const QImage hot = edit.grab().toImage();
    EXPECT_EQ(hot.pixel(0, 0), system.color(QPalette::Dark).rgb());
    EXPECT_EQ(hot.pixel(59, 18), system.color(QPalette::Light).rgb());
    EXPECT_EQ(hot.pixel(1, 1), system.color(QPalette::Button).rgb());
    EXPECT_EQ(hot.pixel(58, 17), system.color(QPalette::Midlight).rgb());
    EXPECT_EQ(hot.pixel(2, 10), system.color(QPalette::Base).rgb());
}

TEST(Edit97Test, DisabledShowsTheButtonFace)
{
    TEdit97 edit;
    const QPalette system = QApplication::palette(&edit);
    EXPECT_EQ(edit.palette().color(QPalette::Base), system.color(QPalette::Base));
    edit.setEnabled(false);
    EXPECT_EQ(edit.palette().color(QPalette::Base), system.color(QPalette::Button));
    edit.setEnabled(true);
    EXPECT_EQ(edit.palette().color(QPalette::Base), system.color(QPalette::Base));
}

TEST(Edit97Test, ClassIsRegisteredWhileAnEditLives)
{
    ASSERT_FALSE(IsControl97Class("TEdit97"));
    auto first = std::make_unique<TEdit97>();
    EXPECT_TRUE(IsControl97Class("TEdit97"));
    EXPECT_TRUE(IsControl97(first.get()));
    QLineEdit plain;
    EXPECT_FALSE(IsControl97(&plain));
    EXPECT_FALSE(IsControl97(nullptr));
    auto second = std::make_unique<TEdit97>();
    first.reset();
    EXPECT_TRUE(IsControl97Class("TEdit97"));
    EXPECT_TRUE(IsControl97(second.get()));
    second.reset();
    EXPECT_FALSE(IsControl97Class("TEdit97"));
}

TEST(Edit97Test, RegistryCountsPerClass)
{
    RegisterControl97("TSomeButton97");
    RegisterControl97("TSomeButton97");
    UnregisterControl97("TSomeButton97");
    EXPECT_TRUE(IsControl97Class("TSomeButton97"));
    UnregisterControl97("TSomeButton97");
    EXPECT_FALSE(IsControl97Class("TSomeButton97"));
    UnregisterControl97("TSomeButton97");
    EXPECT_FALSE(IsControl97Class("TSomeButton97"));
}

} // namespace
