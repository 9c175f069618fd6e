// The text display dialog: what it shows of TInfoREG and the menu marks and
// reads back, the clamps and units of its two edits, its enabling rules, the
// swatches, and Enter and Esc.

#include "ui/MojiView.h"

#include "render/InfoReg.h"
#include "tests/support/WidgetShot.h"
#include "tests/ui/DialogsTestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

// Answers the colour dialog with a fixed colour and counts the askings.
class TColourAnswer : public TDialogService {
public:
    TColourAnswer(QColor answer, int* asked)
        : answer_(answer)
        , asked_(asked)
    {
    }
    bool ChooseColor(QWidget*, QColor& color) override
    {
        ++*asked_;
        color = answer_;
        return true;
    }

private:
    QColor answer_;
    int* asked_;
};

class MojiViewTest : public ::testing::Test {
protected:
    void TearDown() override { SetDialogService(nullptr); }

    template <typename Control>
    Control* Find(const char* name)
    {
        return FindControl<Control>(form_, name);
    }
    QCheckBox* Box(const char* name) { return Find<QCheckBox>(name); }
    QLineEdit* Edit(const char* name) { return Find<QLineEdit>(name); }
    QComboBox* List(const char* name) { return Find<QComboBox>(name); }

    void Fill(const TInfoREG& info, const TTextDisplayMarks& marks = {}) { form_.Fill(info, marks); }

    // Types the text into the edit and leaves it for the next control.
    void TypeAndLeave(const char* name, const QString& text)
    {
        QLineEdit* edit = Edit(name);
        edit->setFocus(Qt::TabFocusReason);
        edit->setText(text);
        Box("cbMojiWaku")->setFocus(Qt::TabFocusReason);
        ASSERT_NE(QApplication::focusWidget(), edit);
    }

    // Picks the list's item as a user does: the click handler runs.
    void Choose(const char* name, int index)
    {
        QComboBox* list = List(name);
        list->setCurrentIndex(index);
        emit list->activated(index);
    }

    TfmMojiView form_;
};

TEST_F(MojiViewTest, FillAndReadGiveTheSameValues)
{
    TInfoREG info;
    info.EdgeMojiRange = 2.5;
    info.EdgeMojiFixSize = 0.25;
    info.EdgeMojiRateSize = 4;
    info.EdgeMojiFixRate = 1;
    info.EdgeMojiColorKind = 2;
    info.EdgeMojiColorKind2 = 1;
    info.EdgeMojiColor = 0x123456;
    info.EdgeMojiColor2 = 0x00ff80;
    info.EdgeMojiNonView = 1;
    info.EdgeMojiEasy = 1;
    const TTextDisplayMarks marks { true, false, true, false, true };
    Fill(info, marks);
    EXPECT_EQ(Edit("edEdgeMojiRange")->text(), "4");
    EXPECT_EQ(Edit("edEdgeMojiRange2")->text(), "2.5");
    EXPECT_EQ(Find<QLabel>("stColor")->palette().color(QPalette::Window), QColor(0x56, 0x34, 0x12));

    TInfoREG read;
    TTextDisplayMarks read_marks;
    form_.Read(read, read_marks);
    EXPECT_EQ(read_marks, marks);
    EXPECT_EQ(read.EdgeMojiRange, 2.5);
    EXPECT_EQ(read.EdgeMojiFixSize, 0.25);
    EXPECT_EQ(read.EdgeMojiRateSize, 4);
    EXPECT_EQ(read.EdgeMojiFixRate, 1);
    EXPECT_EQ(read.EdgeMojiColorKind, 2);
    EXPECT_EQ(read.EdgeMojiColorKind2, 1);
    EXPECT_EQ(read.EdgeMojiColor, 0x123456);
    EXPECT_EQ(read.EdgeMojiColor2, 0x00ff80);
    EXPECT_EQ(read.EdgeMojiNonView, 1);
    EXPECT_EQ(read.EdgeMojiEasy, 1);
}

TEST_F(MojiViewTest, OutOfRangeIndexesAndColoursComeBackUnchanged)
{
    TInfoREG info;
    info.EdgeMojiFixRate = 5;
    info.EdgeMojiColorKind = 7;
    info.EdgeMojiColor = 0x7f000000;
    Fill(info);
    EXPECT_EQ(List("cmbTani")->currentIndex(), -1);
    // With no unit the outline width edit stores nothing.
    Edit("edEdgeMojiRange")->setText("9");
    form_.edEdgeMojiRangeExit();
    TInfoREG read;
    TTextDisplayMarks marks;
    form_.Read(read, marks);
    EXPECT_EQ(read.EdgeMojiFixRate, -1);
    EXPECT_EQ(read.EdgeMojiColorKind, -1);
    EXPECT_EQ(read.EdgeMojiColor, 0x7f000000);
    EXPECT_EQ(read.EdgeMojiFixSize, info.EdgeMojiFixSize);
    EXPECT_EQ(read.EdgeMojiRateSize, info.EdgeMojiRateSize);
}

TEST_F(MojiViewTest, LeavingTheEditsClampsTheirNumbers)
{
    ShowActive(form_);
    struct Case {
        const char* edit;
        int unit;
        const char* typed;
        const char* shown;
        double fix_size;
        double rate_size;
    };
    // The dialog starts each case at 0.1 mm and 3 %.
    const Case cases[] = {
        { "edEdgeMojiRange", 0, "-2", "0", 0, 3 },
        { "edEdgeMojiRange", 0, "0.35", "0.35", 0.35, 3 },
        { "edEdgeMojiRange", 1, "150", "100", 0.1, 100 },
        { "edEdgeMojiRange", 1, "-1", "0", 0.1, 0 },
        { "edEdgeMojiRange", 0, "abc", "0", 0, 3 },
        { "edEdgeMojiRange", 1, "nan", "0", 0.1, 0 },
        { "edEdgeMojiRange", 1, "inf", "0", 0.1, 0 },
        { "edEdgeMojiRange", 0, "1e999", "0", 0, 3 },
        { "edEdgeMojiRange2", 0, "-5", "-1", 0.1, 3 },
        { "edEdgeMojiRange2", 0, "12", "10", 0.1, 3 },
        { "edEdgeMojiRange2", 0, "2.5", "2.5", 0.1, 3 },
        { "edEdgeMojiRange2", 0, "abc", "0", 0.1, 3 },
        { "edEdgeMojiRange2", 0, "nan", "0", 0.1, 3 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.edit) + " " + c.typed);
        TInfoREG info;
        info.EdgeMojiFixRate = c.unit;
        const bool margin = std::string(c.edit) == "edEdgeMojiRange2";
        Fill(info, { false, false, !margin, margin, false });
        TypeAndLeave(c.edit, QString::fromLatin1(c.typed));
        EXPECT_EQ(Edit(c.edit)->text(), QString::fromLatin1(c.shown));
        EXPECT_EQ(form_.FixSize, c.fix_size);
        EXPECT_EQ(form_.RateSize, c.rate_size);
        TInfoREG read;
        TTextDisplayMarks marks;
        form_.Read(read, marks);
        if (margin) {
            EXPECT_EQ(read.EdgeMojiRange, std::stod(c.shown));
        }
    }
}

TEST_F(MojiViewTest, EachUnitKeepsItsOwnWidth)
{
    ShowActive(form_);
    TInfoREG info;
    info.EdgeMojiFixSize = 0.2;
    info.EdgeMojiRateSize = 5;
    Fill(info, { false, false, true, false, false });
    TypeAndLeave("edEdgeMojiRange", "0.4");
    Choose("cmbTani", 1);
    EXPECT_EQ(Edit("edEdgeMojiRange")->text(), "5");
    EXPECT_EQ(Find<QLabel>("Label2")->text(), QString::fromUtf8(u8"輪郭の寸法( 0～100％)"));
    EXPECT_EQ(Edit("edEdgeMojiRange")->toolTip(), QString::fromUtf8(u8"文字高の割合(3％位が丁度良いと思う．)"));
    TypeAndLeave("edEdgeMojiRange", "7");
    Choose("cmbTani", 0);
    EXPECT_EQ(Edit("edEdgeMojiRange")->text(), "0.4");
    EXPECT_EQ(Find<QLabel>("Label2")->text(), QString::fromUtf8(u8"輪郭の寸法( 0mm以上)"));
    EXPECT_EQ(List("cmbTani")->toolTip(), QString::fromUtf8(u8"図寸mm(0.1mm位が丁度良いと思う．)"));
    TInfoREG read;
    TTextDisplayMarks marks;
    form_.Read(read, marks);
    EXPECT_EQ(read.EdgeMojiFixRate, 0);
    EXPECT_EQ(read.EdgeMojiFixSize, 0.4);
    EXPECT_EQ(read.EdgeMojiRateSize, 7);
}

// Which controls the rules enable and show, written from the rules: the
// oracle the dialog is checked against.
std::map<std::string, std::pair<bool, bool>> EnablingOracle(bool outline, int colour, bool box, int colour2)
{
    const bool chosen = outline && colour == 2;
    const bool chosen2 = box && colour2 == 1;
    // name: enabled, visible
    return {
        { "Label2", { outline, true } },
        { "Label3", { outline, true } },
        { "edEdgeMojiRange", { outline, true } },
        { "cmbTani", { outline, true } },
        { "cmbColor", { outline, true } },
        { "cbEdgeMojiMode", { outline, true } },
        { "cbMojiNonView", { outline && colour != 0, true } },
        { "stColor", { true, chosen } },
        { "Label5", { true, chosen } },
        { "Label1", { box, true } },
        { "Label4", { box, true } },
        { "edEdgeMojiRange2", { box, true } },
        { "cmbColor2", { box, true } },
        { "stColor2", { true, chosen2 } },
        { "Label6", { true, chosen2 } },
    };
}

TEST_F(MojiViewTest, EnablingFollowsTheRules)
{
    ShowActive(form_);
    for (const bool outline : { false, true }) {
        for (const int colour : { 0, 1, 2 }) {
            for (const int colour2 : { 0, 1 }) {
                const bool box = !outline;
                TInfoREG info;
                info.EdgeMojiColorKind = colour;
                info.EdgeMojiColorKind2 = colour2;
                info.EdgeMojiNonView = 1;
                Fill(info, { false, false, outline, box, false });
                form_.FormShow();
                for (const auto& [name, state] : EnablingOracle(outline, colour, box, colour2)) {
                    auto* control = Find<QWidget>(name.c_str());
                    EXPECT_EQ(control->isEnabled(), state.first)
                        << name << " outline " << outline << " colour " << colour << " colour2 " << colour2;
                    EXPECT_EQ(control->isVisibleTo(&form_), state.second)
                        << name << " outline " << outline << " colour " << colour << " colour2 " << colour2;
                }
                // A disabled box is still read back.
                TInfoREG read;
                TTextDisplayMarks marks;
                form_.Read(read, marks);
                EXPECT_EQ(read.EdgeMojiNonView, 1);
            }
        }
    }
}

TEST_F(MojiViewTest, ChoicesRecomputeTheEnabling)
{
    ShowActive(form_);
    TInfoREG info;
    Fill(info, { false, false, true, false, false });
    form_.FormShow();
    EXPECT_FALSE(Box("cbMojiNonView")->isEnabled());
    Choose("cmbColor", 2);
    EXPECT_TRUE(Box("cbMojiNonView")->isEnabled());
    EXPECT_TRUE(Find<QLabel>("stColor")->isVisible());
    // The range box excludes the outline.
    QTest::mouseClick(Box("cbEdgeMoji2"), Qt::LeftButton);
    EXPECT_FALSE(Box("cbEdgeMoji")->isChecked());
    EXPECT_FALSE(Edit("edEdgeMojiRange")->isEnabled());
    EXPECT_FALSE(Find<QLabel>("stColor")->isVisible());
    EXPECT_TRUE(Edit("edEdgeMojiRange2")->isEnabled());
    Choose("cmbColor2", 1);
    EXPECT_TRUE(Find<QLabel>("stColor2")->isVisible());
    QTest::mouseClick(Box("cbEdgeMoji"), Qt::LeftButton);
    EXPECT_FALSE(Box("cbEdgeMoji2")->isChecked());
    EXPECT_FALSE(Find<QLabel>("stColor2")->isVisible());
}

TEST_F(MojiViewTest, SwatchTakesTheChosenColour)
{
    int asked = 0;
    SetDialogService(std::make_unique<TColourAnswer>(QColor(0x10, 0x20, 0x30), &asked));
    ShowActive(form_);
    TInfoREG info;
    info.EdgeMojiColorKind2 = 1;
    Fill(info, { false, false, false, true, false });
    form_.FormShow();
    QTest::mouseClick(Find<QLabel>("stColor2"), Qt::LeftButton);
    EXPECT_EQ(asked, 1);
    TInfoREG read;
    TTextDisplayMarks marks;
    form_.Read(read, marks);
    EXPECT_EQ(read.EdgeMojiColor2, 0x302010);
    EXPECT_EQ(read.EdgeMojiColor, 0);
}

TEST_F(MojiViewTest, EnterChecksTheEditAndClosesWithOk)
{
    TInfoREG info;
    Fill(info, { false, false, false, true, false });
    QTimer::singleShot(0, [this] {
        Edit("edEdgeMojiRange2")->setFocus(Qt::TabFocusReason);
        Edit("edEdgeMojiRange2")->setText("12");
        QTest::keyClick(Edit("edEdgeMojiRange2"), Qt::Key_Return);
    });
    EXPECT_EQ(form_.exec(), QDialog::Accepted);
    EXPECT_EQ(Edit("edEdgeMojiRange2")->text(), "10");

    // Enter on a check box closes too, without changing it.
    QTimer::singleShot(0, [this] {
        Box("cbFinalMoji")->setFocus(Qt::TabFocusReason);
        QTest::keyClick(Box("cbFinalMoji"), Qt::Key_Enter);
    });
    EXPECT_EQ(form_.exec(), QDialog::Accepted);
    EXPECT_FALSE(Box("cbFinalMoji")->isChecked());

    QTimer::singleShot(0, [this] { QTest::keyClick(&form_, Qt::Key_Escape); });
    EXPECT_EQ(form_.exec(), QDialog::Rejected);
    QTimer::singleShot(0, [this] { QTest::mouseClick(Find<QPushButton>("btmCancel"), Qt::LeftButton); });
    EXPECT_EQ(form_.exec(), QDialog::Rejected);
}

TEST_F(MojiViewTest, Screenshot)
{
    TInfoREG info;
    info.EdgeMojiColorKind = 2;
    Fill(info, { true, false, true, false, true });
    form_.FormShow();
    CheckScreenshot(form_, "MojiView",
                    { "文字表示詳細設定", "文字枠の表示", "埋込文字の表示", "文字の輪郭を", "で描画",
                      "輪郭の寸法( 0mm以上)", "任意色", "文字列範囲を", "範囲増寸法(-1～10mm)",
                      "文字(寸法図形，ブロック図形)を最後に描画", "文字を表示しない", "輪郭簡易表示・印刷", "決定",
                      "取消" });
}

} // namespace
