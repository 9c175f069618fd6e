#include "ui/InputBox.h"

#include "controls/FloatEdit.h"
#include "controls/NumberEdit.h"
#include "tests/support/WidgetShot.h"
#include "tests/ui/DialogsTestSupport.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class InputBoxTest : public ::testing::Test {
protected:
    // Shows the box with the one editor, as a caller does.
    void Open(QLineEdit* editor)
    {
        box_.ShowEditor(editor);
        ShowActive(box_);
    }
    void Type(const QString& text) { QTest::keyClicks(QApplication::focusWidget(), text); }
    void Press(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }

    TfmInputBox box_;
};

} // namespace

TEST_F(InputBoxTest, Screenshot)
{
    box_.setWindowTitle(QStringLiteral("印刷倍率設定"));
    box_.ShowEditor(box_.feBox());
    EXPECT_EQ(box_.size(), QSize(352, 79));
    CheckScreenshot(box_, "InputBox", { "印刷倍率設定", "ここに，メッセージを表示する．", "単位", "決定",
                                        "取消" });
    EXPECT_TRUE(box_.btnExec()->isDefault());
    EXPECT_FALSE(box_.neBox()->testAttribute(Qt::WA_InputMethodEnabled));
    EXPECT_FALSE(box_.feBox()->testAttribute(Qt::WA_InputMethodEnabled));
}

TEST_F(InputBoxTest, ShowingGivesTheFocusToTheShownEditor)
{
    // The box is made once and shown again and again with another editor.
    for (QLineEdit* editor : { box_.eBox(), static_cast<QLineEdit*>(box_.neBox()),
                               static_cast<QLineEdit*>(box_.feBox()), box_.eBox() }) {
        Open(editor);
        EXPECT_EQ(box_.focusWidget(), editor) << editor->objectName().toStdString();
        EXPECT_EQ(editor->selectedText(), editor->text());
        for (QLineEdit* other : { box_.eBox(), static_cast<QLineEdit*>(box_.neBox()),
                                  static_cast<QLineEdit*>(box_.feBox()) })
            EXPECT_EQ(other->isVisible(), other == editor);
        box_.hide();
    }
}

TEST_F(InputBoxTest, EnterLeavesTheEditorThenAccepts)
{
    box_.eBox()->setText(QStringLiteral("old"));
    Open(box_.eBox());
    QWidget* focus_at_click = nullptr;
    QObject::connect(box_.btnExec(), &QPushButton::clicked, &box_,
                     [&] { focus_at_click = QApplication::focusWidget(); });
    Type(QStringLiteral("zu-1"));
    Press(Qt::Key_Return);
    // Deferred: the box is still open while the key is handled.
    EXPECT_TRUE(box_.isVisible());
    RunQueuedCalls();
    EXPECT_FALSE(box_.isVisible());
    EXPECT_EQ(box_.result(), QDialog::Accepted);
    EXPECT_EQ(box_.eBox()->text(), QStringLiteral("zu-1"));
    ASSERT_NE(focus_at_click, nullptr);
    EXPECT_NE(focus_at_click, box_.eBox());
}

TEST_F(InputBoxTest, EnterReadsTheNumberBeforeTheValueIsTaken)
{
    box_.neBox()->SetComma(true);
    box_.neBox()->SetValue(5);
    Open(box_.neBox());
    Type(QStringLiteral("1234567"));
    // Keypad Enter counts as Enter.
    Press(Qt::Key_Enter);
    RunQueuedCalls();
    EXPECT_EQ(box_.result(), QDialog::Accepted);
    EXPECT_EQ(box_.neBox()->Value(), 1234567);
    // Left, so shown formatted again.
    EXPECT_NE(box_.neBox()->text(), QStringLiteral("1234567"));
}

TEST_F(InputBoxTest, EscLeavesTheEditorThenCancels)
{
    box_.feBox()->SetPlace(3);
    box_.feBox()->SetValue(12.5);
    Open(box_.feBox());
    Type(QStringLiteral("7.25"));
    Press(Qt::Key_Escape);
    EXPECT_TRUE(box_.isVisible());
    RunQueuedCalls();
    EXPECT_FALSE(box_.isVisible());
    EXPECT_EQ(box_.result(), QDialog::Rejected);
    EXPECT_NE(box_.focusWidget(), box_.feBox());
    // The editor read its text on leaving; the caller ignores it on cancel.
    EXPECT_DOUBLE_EQ(box_.feBox()->Value(), 7.25);
}

TEST_F(InputBoxTest, EnterWithTextThatIsNoNumberKeepsTheBoxOpen)
{
    TRecordedMessages dialogs;
    box_.feBox()->SetPlace(3);
    box_.feBox()->SetValue(12.5);
    Open(box_.feBox());
    Type(QStringLiteral("-"));
    Press(Qt::Key_Return);
    RunQueuedCalls();
    EXPECT_TRUE(box_.isVisible());
    EXPECT_EQ(dialogs.Texts().size(), 1);
    EXPECT_EQ(box_.focusWidget(), box_.feBox());
    EXPECT_DOUBLE_EQ(box_.feBox()->Value(), 12.5);

    Type(QStringLiteral("8"));
    Press(Qt::Key_Return);
    RunQueuedCalls();
    EXPECT_FALSE(box_.isVisible());
    EXPECT_EQ(box_.result(), QDialog::Accepted);
    EXPECT_DOUBLE_EQ(box_.feBox()->Value(), 8.0);
    EXPECT_EQ(dialogs.Texts().size(), 1);
}

TEST_F(InputBoxTest, ButtonsCloseWithTheirResults)
{
    for (const auto& [button, expected] : { std::pair { box_.btnExec(), int(QDialog::Accepted) },
                                            std::pair { box_.btnCancel(), int(QDialog::Rejected) } }) {
        Open(box_.eBox());
        QTest::mouseClick(button, Qt::LeftButton);
        RunQueuedCalls();
        EXPECT_FALSE(box_.isVisible());
        EXPECT_EQ(box_.result(), expected) << button->objectName().toStdString();
    }
}

TEST_F(InputBoxTest, ModalShowingReturnsTheResult)
{
    box_.ShowEditor(box_.neBox());
    box_.neBox()->SetValue(0);
    QTimer::singleShot(0, &box_, [this] {
        box_.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&box_));
        Type(QStringLiteral("42"));
        Press(Qt::Key_Return);
        // Closes the box should Enter not have: a failure, not a hang.
        QMetaObject::invokeMethod(
            &box_, [this] { if (box_.isVisible()) box_.done(-1); }, Qt::QueuedConnection);
    });
    EXPECT_EQ(box_.exec(), QDialog::Accepted);
    EXPECT_EQ(box_.neBox()->Value(), 42);
}
