#include "ui/PrintOrigin.h"

#include "tests/support/WidgetShot.h"
#include "tests/ui/DialogsTestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class PrintOriginTest : public ::testing::Test {
protected:
    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }

    TfmPrintOrigin dialog_;
};

} // namespace

TEST(PrintOrigin, TranslatesItemsAndReferencePoints)
{
    // Reference point (keypad digit minus 1), item, caption.
    const struct {
        int reference_point;
        int item;
        const char* caption;
    } points[] = {
        { 0, 2, "&1)左下" }, { 1, 5, "&2)中下" }, { 2, 8, "&3)右下" },
        { 3, 1, "&4)左中" }, { 4, 4, "&5)中中" }, { 5, 7, "&6)右中" },
        { 6, 0, "&7)左上" }, { 7, 3, "&8)中上" }, { 8, 6, "&9)右上" },
    };
    TfmPrintOrigin dialog;
    for (const auto& point : points) {
        EXPECT_EQ(TfmPrintOrigin::ItemOfReferencePoint(point.reference_point), point.item);
        EXPECT_EQ(TfmPrintOrigin::ReferencePointOfItem(point.item), point.reference_point);
        ASSERT_NE(dialog.rgOriginItem(point.item), nullptr);
        EXPECT_EQ(dialog.rgOriginItem(point.item)->text(), QString::fromUtf8(point.caption));
    }
    for (int outside : { -1, 9, 12 })
        EXPECT_EQ(TfmPrintOrigin::ItemOfReferencePoint(outside), 2) << outside;
    for (int no_item : { -1, 9 })
        EXPECT_EQ(TfmPrintOrigin::ReferencePointOfItem(no_item), -1) << no_item;
}

TEST_F(PrintOriginTest, Screenshot)
{
    EXPECT_EQ(dialog_.size(), QSize(233, 172));
    CheckScreenshot(dialog_, "PrintOrigin",
                    { "印刷基準点設定", "印刷基準点", "&7)左上", "&4)左中", "&1)左下", "&8)中上",
                      "&5)中中", "&2)中下", "&9)右上", "&6)右中", "&3)右下", "決定", "取消" });
    EXPECT_TRUE(dialog_.btnExec()->isDefault());
    // Laid out as the keypad: the reference point's column left to right,
    // its row bottom to top.
    for (int a = 0; a < 9; ++a) {
        for (int b = 0; b < 9; ++b) {
            const QRect at_a = dialog_.rgOriginItem(TfmPrintOrigin::ItemOfReferencePoint(a))->geometry();
            const QRect at_b = dialog_.rgOriginItem(TfmPrintOrigin::ItemOfReferencePoint(b))->geometry();
            if (a % 3 < b % 3) {
                EXPECT_LT(at_a.left(), at_b.left()) << a << " " << b;
            }
            if (a / 3 < b / 3) {
                EXPECT_GT(at_a.top(), at_b.top()) << a << " " << b;
            }
        }
    }
}

TEST_F(PrintOriginTest, StartsAtTheLowerLeftPoint)
{
    EXPECT_EQ(dialog_.ItemIndex(), 2);
    EXPECT_EQ(dialog_.ReferencePoint(), 0);
}

TEST_F(PrintOriginTest, EnterKeepsThePreselectedPoint)
{
    dialog_.SetReferencePoint(4);
    ShowActive(dialog_);
    EXPECT_EQ(QApplication::focusWidget(), dialog_.btnExec());
    Press(Qt::Key_Return);
    EXPECT_TRUE(dialog_.isVisible());
    RunQueuedCalls();
    EXPECT_FALSE(dialog_.isVisible());
    EXPECT_EQ(dialog_.result(), QDialog::Accepted);
    EXPECT_EQ(dialog_.ReferencePoint(), 4);
}

TEST_F(PrintOriginTest, ClickingAChoiceAcceptsItAtOnce)
{
    dialog_.SetReferencePoint(0);
    ShowActive(dialog_);
    QAbstractButton* upper_right = dialog_.rgOriginItem(6);
    ASSERT_EQ(upper_right->text(), QStringLiteral("&9)右上"));
    QTest::mouseClick(upper_right, Qt::LeftButton);
    RunQueuedCalls();
    EXPECT_FALSE(dialog_.isVisible());
    EXPECT_EQ(dialog_.result(), QDialog::Accepted);
    EXPECT_EQ(dialog_.ItemIndex(), 6);
    EXPECT_EQ(dialog_.ReferencePoint(), 8);
}

TEST_F(PrintOriginTest, ClickingTheSelectedChoiceAcceptsItToo)
{
    dialog_.SetReferencePoint(4);
    ShowActive(dialog_);
    QTest::mouseClick(dialog_.rgOriginItem(4), Qt::LeftButton);
    RunQueuedCalls();
    EXPECT_EQ(dialog_.result(), QDialog::Accepted);
    EXPECT_EQ(dialog_.ReferencePoint(), 4);
}

TEST_F(PrintOriginTest, TypingAnAcceleratorDigitAcceptsItsPoint)
{
    for (int digit = 1; digit <= 9; ++digit) {
        for (Qt::KeyboardModifiers modifiers : { Qt::NoModifier, Qt::KeypadModifier }) {
            dialog_.SetReferencePoint(digit == 5 ? 0 : 4);
            ShowActive(dialog_);
            Press(static_cast<Qt::Key>(Qt::Key_0 + digit), modifiers);
            RunQueuedCalls();
            EXPECT_FALSE(dialog_.isVisible()) << digit;
            EXPECT_EQ(dialog_.result(), QDialog::Accepted) << digit;
            EXPECT_EQ(dialog_.ReferencePoint(), digit - 1) << digit;
        }
    }
}

TEST_F(PrintOriginTest, EscCancelsAndKeepsThePoint)
{
    dialog_.SetReferencePoint(7);
    ShowActive(dialog_);
    Press(Qt::Key_Escape);
    EXPECT_TRUE(dialog_.isVisible());
    RunQueuedCalls();
    EXPECT_FALSE(dialog_.isVisible());
    EXPECT_EQ(dialog_.result(), QDialog::Rejected);
    EXPECT_EQ(dialog_.ReferencePoint(), 7);
}

TEST_F(PrintOriginTest, DigitsWithControlDoNothing)
{
    dialog_.SetReferencePoint(4);
    ShowActive(dialog_);
    Press(Qt::Key_9, Qt::ControlModifier);
    RunQueuedCalls();
    EXPECT_TRUE(dialog_.isVisible());
    EXPECT_EQ(dialog_.ReferencePoint(), 4);
}
