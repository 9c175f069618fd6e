#include "controls/FloatEdit.h"
#include "controls/NumberEdit.h"
#include "tests/support/RecordingDialogs.h"

#include <QCoreApplication>
#include <QLocale>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include <string>

namespace {

const QString yen = QString(QChar(0x00A5));

class NumericEditTest : public ::testing::Test {
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void TearDown() override { QLocale::setDefault(saved_locale_); }

    // A shown, active window holding the edit and a plain edit to move the
    // focus to.
    template <typename Edit>
    Edit* ShowInWindow()
    {
        auto* layout = new QVBoxLayout(&window_);
        auto* edit = new Edit(&window_);
        other_ = new QLineEdit(&window_);
        layout->addWidget(edit);
        layout->addWidget(other_);
        window_.show();
        window_.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window_));
        // Showing the window gave the edit the focus; the tests enter it
        // themselves.
        Leave();
        return edit;
    }

    void Enter(QWidget* edit) { edit->setFocus(Qt::TabFocusReason); }
    void Leave() { other_->setFocus(Qt::TabFocusReason); }

    QWidget window_;
    QLineEdit* other_ = nullptr;

private:
    QLocale saved_locale_;
};

TEST_F(NumericEditTest, NumberEditStartsEmptyRightAlignedWithoutInputMethod)
{
    TNumberEdit number;
    TFloatEdit real;
    for (QLineEdit* edit : { static_cast<QLineEdit*>(&number), static_cast<QLineEdit*>(&real) }) {
        EXPECT_EQ(edit->text(), "");
        EXPECT_TRUE(edit->alignment() & Qt::AlignRight);
        EXPECT_FALSE(edit->testAttribute(Qt::WA_InputMethodEnabled));
    }
    EXPECT_EQ(number.Value(), 0);
    EXPECT_TRUE(number.AutoSelect());
    EXPECT_EQ(real.Value(), 0.0);
}

TEST_F(NumericEditTest, NumberEditWithCommaAndYenShowsGroupedAndEntersPlainSelected)
{
    auto* edit = ShowInWindow<TNumberEdit>();
    edit->SetComma(true);
    edit->SetYen(true);
    edit->SetValue(1234567);
    EXPECT_EQ(edit->Text(), yen + "1,234,567");
    Enter(edit);
    EXPECT_EQ(edit->text(), "1234567");
    EXPECT_EQ(edit->selectedText(), "1234567");
    Leave();
    EXPECT_EQ(edit->text(), yen + "1,234,567");
    EXPECT_EQ(edit->Value(), 1234567);
}

TEST_F(NumericEditTest, NumberEditWithoutAutoSelectSelectsNothing)
{
    auto* edit = ShowInWindow<TNumberEdit>();
    edit->SetAutoSelect(false);
    edit->SetValue(42);
    Enter(edit);
    EXPECT_EQ(edit->text(), "42");
    EXPECT_FALSE(edit->hasSelectedText());
}

TEST_F(NumericEditTest, NumberEditAbsKeepsValuesPositive)
{
    TNumberEdit edit;
    edit.SetAbs(true);
    edit.SetValue(-5);
    EXPECT_EQ(edit.Value(), 5);
    EXPECT_EQ(edit.Text(), "5");

    TNumberEdit later;
    later.SetValue(-5);
    EXPECT_EQ(later.Text(), "-5");
    later.SetAbs(true);
    EXPECT_EQ(later.Value(), 5);
    EXPECT_EQ(later.Text(), "5");
    // The one negative without a positive counterpart.
    later.SetValue(-2147483647 - 1);
    EXPECT_EQ(later.Value(), 2147483647);
}

TEST_F(NumericEditTest, NumberEditReadsItsTextWhenLeftOrAssigned)
{
    const struct {
        const char* text;
        int value;
    } cases[] = {
        { "12a", 0 },
        { "", 0 },
        { "-12", -12 },
        { "2147483647", 2147483647 },
        // Beyond 32 bits is no number either.
        { "99999999999", 0 },
        { "1,234", 0 },
    };
    auto* edit = ShowInWindow<TNumberEdit>();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        edit->SetValue(7);
        Enter(edit);
        edit->setText(c.text); // as pasted
        Leave();
        EXPECT_EQ(edit->Value(), c.value);
        EXPECT_EQ(edit->text(), QString::number(c.value));

        edit->SetValue(7);
        edit->SetText(c.text);
        EXPECT_EQ(edit->Value(), c.value);
    }
}

TEST_F(NumericEditTest, KeysAreFilteredPerCharacter)
{
    const struct {
        char key;
        bool number_takes;
        bool float_takes;
    } cases[] = {
        { '5', true, true },   { '-', false, true }, { '+', false, true }, { '.', false, true },
        { ',', false, false }, { '/', false, false }, { '*', false, false }, { '!', false, false },
        { 'e', false, false }, { ' ', true, true },
    };
    TNumberEdit number;
    TFloatEdit real;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(1, c.key));
        number.setText("");
        real.setText("");
        QTest::keyClicks(&number, QString(QLatin1Char(c.key)));
        QTest::keyClicks(&real, QString(QLatin1Char(c.key)));
        EXPECT_EQ(number.text(), c.number_takes ? QString(QLatin1Char(c.key)) : QString());
        EXPECT_EQ(real.text(), c.float_takes ? QString(QLatin1Char(c.key)) : QString());
    }
    // Backspace still edits.
    number.setText("12");
    QTest::keyClick(&number, Qt::Key_Backspace);
    EXPECT_EQ(number.text(), "1");
}

TEST_F(NumericEditTest, EnterInsertsNothingAndIsKept)
{
    TNumberEdit number;
    TFloatEdit real;
    for (QLineEdit* edit : { static_cast<QLineEdit*>(&number), static_cast<QLineEdit*>(&real) }) {
        edit->setText("12");
        QSignalSpy returned(edit, &QLineEdit::returnPressed);
        QTest::keyClick(edit, Qt::Key_Return);
        QTest::keyClick(edit, Qt::Key_Enter);
        EXPECT_EQ(edit->text(), "12");
        EXPECT_EQ(returned.count(), 0);
    }
}

TEST_F(NumericEditTest, FloatEditFormatsPlaceSignAndYen)
{
    const struct {
        double value;
        const char* shown;
    } cases[] = {
        { 3.14159, "+3.14" },
        { -1, "-1.00" },
        { 0, "+0.00" },
        { -0.0, "+0.00" },
    };
    TFloatEdit edit;
    edit.SetPlace(2);
    edit.SetSign(true);
    edit.SetYen(true);
    for (const auto& c : cases) {
        edit.SetValue(c.value);
        EXPECT_EQ(edit.Text(), yen + c.shown) << c.value;
    }
}

TEST_F(NumericEditTest, FloatEditPlaceDropsItsSign)
{
    TFloatEdit edit;
    edit.SetValue(1.5);
    edit.SetPlace(-3);
    EXPECT_EQ(edit.Place(), 3);
    EXPECT_EQ(edit.Text(), "1.500");
}

TEST_F(NumericEditTest, FloatEditAbs)
{
    TFloatEdit edit;
    edit.SetValue(-2.5);
    edit.SetAbs(true);
    EXPECT_EQ(edit.Value(), 2.5);
    edit.SetValue(-4);
    EXPECT_EQ(edit.Value(), 4.0);
}

TEST_F(NumericEditTest, FloatEditLeftEmptyShowsZero)
{
    auto* edit = ShowInWindow<TFloatEdit>();
    edit->SetPlace(2);
    edit->SetValue(8);
    Enter(edit);
    EXPECT_EQ(edit->text(), "8");
    EXPECT_EQ(edit->selectedText(), "8");
    edit->setText("");
    Leave();
    EXPECT_EQ(edit->Value(), 0.0);
    EXPECT_EQ(edit->text(), "0.00");
}

TEST_F(NumericEditTest, FloatEditLeftWithNoNumberKeepsItsValueAndTellsTheUser)
{
    TRecordedMessages messages;
    auto* edit = ShowInWindow<TFloatEdit>();
    edit->SetPlace(1);
    edit->SetValue(2.5);
    Enter(edit);
    edit->setText("1.2.3");
    Leave();
    EXPECT_EQ(edit->Value(), 2.5);
    EXPECT_EQ(edit->text(), "2.5");
    EXPECT_TRUE(other_->hasFocus());
    // The message comes once the focus change is over.
    QCoreApplication::processEvents();
    EXPECT_EQ(messages.Texts(), QStringList { "'1.2.3' は浮動小数点数ではありません" });
    // Entering again works as before.
    Enter(edit);
    EXPECT_EQ(edit->text(), "2.5");
    EXPECT_EQ(edit->selectedText(), "2.5");
}

TEST_F(NumericEditTest, FloatEditTextAssignment)
{
    TRecordedMessages messages;
    TFloatEdit edit;
    edit.SetPlace(2);
    edit.SetText("-2.25");
    EXPECT_EQ(edit.Value(), -2.25);
    EXPECT_EQ(edit.Text(), "-2.25");
    edit.SetText("abc");
    EXPECT_EQ(edit.Value(), -2.25);
    EXPECT_EQ(edit.Text(), "-2.25");
    EXPECT_EQ(messages.Texts(), QStringList { "'abc' は浮動小数点数ではありません" });
    edit.SetText("");
    EXPECT_EQ(edit.Value(), 0.0);
    EXPECT_EQ(edit.Text(), "0.00");
}

TEST_F(NumericEditTest, LocaleGivesSeparators)
{
    const struct {
        QLocale locale;
        const char* number_grouped;
        const char* float_grouped;
        const char* float_plain;
        const char* float_entered;
    } cases[] = {
        { QLocale(QLocale::English, QLocale::UnitedStates), "1,234,567", "1,234,567.89", "1234567.89",
          "1234567.891" },
        { QLocale(QLocale::German, QLocale::Germany), "1.234.567", "1.234.567,89", "1234567,89", "1234567,891" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.number_grouped);
        QLocale::setDefault(c.locale);
        TNumberEdit number;
        number.SetComma(true);
        number.SetValue(1234567);
        EXPECT_EQ(number.Text(), c.number_grouped);
        TFloatEdit real;
        real.SetPlace(2);
        real.SetValue(1234567.891);
        EXPECT_EQ(real.Text(), c.float_plain);
        real.SetComma(true);
        EXPECT_EQ(real.Text(), c.float_grouped);
        // What entering shows reads back as the same value.
        real.SetText(c.float_entered);
        EXPECT_EQ(real.Value(), 1234567.891);
    }
}

TEST_F(NumericEditTest, FloatEditEntersWithTheLocalesPlainForm)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    auto* edit = ShowInWindow<TFloatEdit>();
    edit->SetValue(0.1);
    Enter(edit);
    EXPECT_EQ(edit->text(), "0,1");
    Leave();
    EXPECT_EQ(edit->Value(), 0.1);
}

} // namespace
