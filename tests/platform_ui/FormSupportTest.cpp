// What the forms share: deferred modal results, the form seeing its
// controls' keys and the wheel first, "tip|status" hints and dialogs placed
// under their buttons.

#include "platform/ui/FormSupport.h"

#include "platform/ui/DialogService.h"
#include "tests/support/RecordingDialogs.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <gtest/gtest.h>

TEST(FormSupport, ModalResultClosesAfterTheHandler)
{
    QDialog dialog;
    QPushButton* button = new QPushButton("OK", &dialog);
    bool open_after_setting = false;
    QObject::connect(button, &QPushButton::clicked, [&] {
        SetModalResult(&dialog, QDialog::Accepted);
        open_after_setting = dialog.isVisible();
    });
    int result = -1;
    QTimer::singleShot(0, [&] { QTest::mouseClick(button, Qt::LeftButton); });
    result = dialog.exec();
    EXPECT_TRUE(open_after_setting);
    EXPECT_EQ(result, QDialog::Accepted);
}

TEST(FormSupport, FormSeesItsControlsKeysFirst)
{
    QWidget form;
    auto* edit = new QLineEdit(&form);
    std::vector<int> seen;
    InstallKeyPreview(&form, [&](QKeyEvent* key) {
        seen.push_back(key->key());
        return key->key() == Qt::Key_Escape || key->key() == Qt::Key_X; // consumed
    });
    form.show();
    edit->setFocus();
    QTest::keyClicks(edit, "axb");
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_EQ(seen, (std::vector<int> { Qt::Key_A, Qt::Key_X, Qt::Key_B, Qt::Key_Escape }));
    EXPECT_EQ(edit->text(), "ab");

    // Keys of other windows are not the form's.
    QLineEdit elsewhere;
    elsewhere.show();
    QTest::keyClicks(&elsewhere, "q");
    EXPECT_EQ(seen.size(), 4u);
}

// A key the control does not take goes on to its parents: the form's
// handler sees it once all the same, and every press anew.
TEST(FormSupport, FormSeesAKeyOnceWhereverItGoes)
{
    QWidget form;
    auto* panel = new QWidget(&form);
    auto* edit = new QLineEdit(panel);
    std::vector<int> seen;
    InstallKeyPreview(&form, [&](QKeyEvent* key) {
        seen.push_back(key->key());
        return false;
    });
    form.show();
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::keyClick(edit, Qt::Key_Escape);
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(seen, (std::vector<int> { Qt::Key_Return, Qt::Key_Escape, Qt::Key_Return }));

    // Keys of the form itself, when no control has the focus.
    QTest::keyClick(&form, Qt::Key_Home);
    QTest::keyClick(panel, Qt::Key_End);
    EXPECT_EQ(seen.size(), 5u);
    EXPECT_EQ(seen.back(), Qt::Key_End);
}

TEST(FormSupport, FormSeesTheWheelBeforeItsControls)
{
    QWidget form;
    auto* spin = new QSpinBox(&form);
    spin->setRange(0, 100);
    spin->setValue(50);
    bool take = true;
    int seen = 0;
    InstallWheelPreview(&form, [&](QWheelEvent*) {
        ++seen;
        return take;
    });
    form.show();
    const auto turn = [&] {
        const QPointF at(spin->width() / 2.0, spin->height() / 2.0);
        QWheelEvent wheel(at, spin->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(spin, &wheel);
    };
    turn();
    EXPECT_EQ(seen, 1);
    EXPECT_EQ(spin->value(), 50) << "taken by the form";
    take = false;
    turn();
    EXPECT_GE(seen, 2);
    EXPECT_NE(spin->value(), 50) << "left to the control";
}

TEST(FormSupport, HintsSplitIntoTipAndStatus)
{
    struct Row {
        const char* hint;
        const char* tip;
        const char* status;
    };
    const Row rows[] = {
        { "開く|図面を開きます", "開く", "図面を開きます" },
        { "both", "both", "both" },
        { "|status only", "", "status only" },
        { "a|b|c", "a", "b|c" },
    };
    for (const Row& row : rows) {
        const THint hint = SplitHint(QString::fromUtf8(row.hint));
        EXPECT_EQ(hint.tip, QString::fromUtf8(row.tip)) << row.hint;
        EXPECT_EQ(hint.status, QString::fromUtf8(row.status)) << row.hint;
    }
}

TEST(FormSupport, StatusTextChangesOnlyWithTheHintUnderTheMouse)
{
    QWidget form;
    auto* layout = new QVBoxLayout(&form);
    auto* first = new QPushButton("1");
    auto* second = new QPushButton("2");
    auto* plain = new QPushButton("3");
    for (QWidget* button : { first, second, plain })
        layout->addWidget(button);
    ApplyHint(first, "one|first button");
    ApplyHint(second, "two|second button");
    EXPECT_EQ(first->toolTip(), "one");

    std::vector<QString> shown;
    THintStatus status([&](const QString& text) { shown.push_back(text); });
    status.Watch(&form);
    QEvent enter(QEvent::Enter);
    for (QWidget* target : { static_cast<QWidget*>(first), static_cast<QWidget*>(first),
                             static_cast<QWidget*>(plain), static_cast<QWidget*>(second) })
        QApplication::sendEvent(target, &enter);
    EXPECT_EQ(shown, (std::vector<QString> { "first button", "second button" }));

    // A control added later is watched too.
    auto* later = new QPushButton("4", &form);
    ApplyHint(later, "four|fourth");
    QApplication::sendEvent(later, &enter);
    EXPECT_EQ(status.Shown(), "fourth");
}

TEST(FormSupport, DialogUnderItsButtonStaysOnTheScreen)
{
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget bar;
    auto* button = new QPushButton("P", &bar);
    button->setGeometry(0, 0, 40, 20);
    QDialog dialog;
    dialog.resize(300, 200);

    bar.move(area.left() + 50, area.top() + 50);
    bar.show();
    PlaceUnderButton(&dialog, button);
    EXPECT_EQ(dialog.pos(), button->mapToGlobal(QPoint(0, 20)));

    // At the screen's lower right corner the dialog is pushed back inside.
    bar.move(area.right() - 30, area.bottom() - 10);
    PlaceUnderButton(&dialog, button);
    EXPECT_LE(dialog.pos().x() + 300, area.right() + 1);
    EXPECT_LE(dialog.pos().y() + 200, area.bottom() + 1);
}

TEST(FormSupport, MessagesGoThroughTheInstalledService)
{
    {
        TRecordedMessages texts;
        ShowMessage(nullptr, "hello");
        EXPECT_EQ(texts.Texts(), QStringList { "hello" });
    } // Qt's dialogs again
    EXPECT_EQ(dynamic_cast<TRecordingDialogs*>(&DialogService()), nullptr);
}
