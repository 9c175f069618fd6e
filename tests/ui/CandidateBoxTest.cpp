#include "ui/CandidateBox.h"

#include "platform/ShiftJis.h"
#include "tests/support/WidgetShot.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QTest>
#include <QTreeView>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TCountString Candidate(const char* utf8, int count)
{
    TCountString candidate(Utf8ToSjis(utf8));
    while (candidate.GetCount() < count)
        candidate.AddRef();
    return candidate;
}

class CandidateBoxTest : public ::testing::Test {
protected:
    CandidateBoxTest()
    {
        window_.resize(400, 120);
        window_.move(100, 100);
        edit_->setGeometry(10, 10, 220, 22);
        TfmCandidateBox::SortColumn = 0;
    }

    void ShowWindow()
    {
        window_.show();
        window_.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
    }
    // Down or Up in the edit: the box active, its list focused.
    void EnterList(int index)
    {
        ShowWindow();
        box_.ShowAndRefill();
        // The edit's window active again before the next key, as between
        // two key presses.
        QCoreApplication::processEvents();
        selected_index_ = index;
        box_.ActivateList();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&box_));
        QCoreApplication::processEvents();
    }
    // The activations the window system queued delivered.
    void ExpectEditWindowActive()
    {
        QCoreApplication::processEvents();
        EXPECT_EQ(QApplication::activeWindow(), &window_);
    }
    QTreeView& List() { return *box_.ListView1(); }
    QString Cell(int row, int column) { return List().model()->index(row, column).data().toString(); }
    QStringList Texts()
    {
        QStringList texts;
        for (int row = 0; row < List().model()->rowCount(); ++row)
            texts << Cell(row, 0);
        return texts;
    }
    int CurrentRow() { return List().currentIndex().row(); }
    void SelectRow(int row)
    {
        List().selectionModel()->setCurrentIndex(List().model()->index(row, 0),
                                                 QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
    void Press(Qt::Key key) { QTest::keyClick(&List(), key); }

    std::vector<TCountString> candidates_ { Candidate("図面A", 7), Candidate("道路", 1), Candidate("ずめん", 12) };
    int selected_index_ = 0;
    std::vector<std::string> picked_;
    QWidget window_;
    QLineEdit* edit_ = new QLineEdit(&window_);
    TfmCandidateBox box_ { { &candidates_, &selected_index_, edit_,
                             [this](const std::string& word) { picked_.push_back(word); } },
                           &window_ };
};

} // namespace

TEST_F(CandidateBoxTest, Screenshot)
{
    box_.ShowAndRefill();
    EXPECT_EQ(box_.size(), QSize(312, 153));
    EXPECT_TRUE(box_.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(box_.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(box_.testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_EQ(box_.font().pixelSize(), 13);
    CheckScreenshot(box_, "CandidateBox");
    EXPECT_EQ(List().geometry(), box_.rect());
    EXPECT_FALSE(List().isHeaderHidden());
    const QAbstractItemModel& model = *List().model();
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("候補文字列"));
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("文字列数"));
    EXPECT_EQ(List().header()->sectionSize(0), 222);
    EXPECT_EQ(List().header()->sectionSize(1), 68);
    EXPECT_EQ(Texts(), QStringList({ "図面A", "道路", "ずめん" }));

    const auto* n1 = box_.findChild<QAction*>(QStringLiteral("N1"));
    const auto* n2 = box_.findChild<QAction*>(QStringLiteral("N2"));
    ASSERT_NE(n1, nullptr);
    ASSERT_NE(n2, nullptr);
    EXPECT_EQ(n1->text(), QStringLiteral("全てをクリップボードへコピー"));
    EXPECT_EQ(n1->shortcut(), QKeySequence(QStringLiteral("Ctrl+C")));
    EXPECT_EQ(n2->text(), QStringLiteral("選択アイテムをクリップボードへコピー"));
    EXPECT_EQ(n2->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
}

TEST_F(CandidateBoxTest, CountsAreRightAlignedInSixCharacters)
{
    candidates_ = { Candidate("一", 7), Candidate("二", 12345), Candidate("三", 1234567) };
    box_.Refill();
    EXPECT_EQ(Cell(0, 1), QStringLiteral("     7"));
    EXPECT_EQ(Cell(1, 1), QStringLiteral(" 12345"));
    EXPECT_EQ(Cell(2, 1), QStringLiteral("1234567"));
}

TEST_F(CandidateBoxTest, ClipboardTexts)
{
    box_.Refill();
    EXPECT_EQ(box_.ClipboardText(1), QStringLiteral("図面A\t7\n道路\t1\nずめん\t12\n"));
    EXPECT_EQ(box_.ClipboardText(2), QString());
    SelectRow(2);
    EXPECT_EQ(box_.ClipboardText(2), QStringLiteral("ずめん\t12\n"));
    box_.N1Click(1);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("図面A\t7\n道路\t1\nずめん\t12\n"));

    candidates_.clear();
    box_.Refill();
    EXPECT_EQ(box_.ClipboardText(1), QString());
    EXPECT_EQ(box_.ClipboardText(2), QString());
    box_.N1Click(1);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QString());
}

TEST_F(CandidateBoxTest, CopyingTheSelectionAfterASortCopiesTheSelectedRow)
{
    candidates_ = { Candidate("b", 1), Candidate("A", 2), Candidate("a", 3) };
    box_.Refill();
    box_.ListView1ColumnClick(0);
    SelectRow(0);
    EXPECT_EQ(Cell(0, 0), QStringLiteral("A"));
    EXPECT_EQ(box_.ClipboardText(2), QStringLiteral("A\t2\n"));
    box_.N1Click(2);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("A\t2\n"));
    // Copying all keeps the vector's order.
    EXPECT_EQ(box_.ClipboardText(1), QStringLiteral("b\t1\nA\t2\na\t3\n"));
}

TEST(CandidateBoxPlacement, UnderTheEditOrAboveAndRightAlignedNearTheEdges)
{
    const QSize box(312, 153);
    struct Case {
        const char* name;
        QRect screen;
        QRect edit;
        QPoint expected;
    };
    const Case cases[] = {
        { "below", { 0, 0, 1920, 1080 }, { 100, 50, 220, 22 }, { 100, 76 } },
        // The box ends exactly at the screen's bottom: it stays below.
        { "bottom just fits", { 0, 0, 1920, 679 }, { 100, 500, 220, 22 }, { 100, 526 } },
        { "above near the bottom", { 0, 0, 1920, 678 }, { 100, 500, 220, 22 }, { 100, 500 - 153 - 4 } },
        { "right edges aligned", { 0, 0, 1920, 1080 }, { 1700, 50, 220, 22 }, { 1920 - 312, 76 } },
        { "right edge just fits", { 0, 0, 1920, 1080 }, { 1608, 50, 220, 22 }, { 1608, 76 } },
        { "screen right of the first", { 1920, 0, 1280, 1024 }, { 1950, 900, 220, 22 }, { 1950, 900 - 157 } },
        { "screen below the first", { 0, 1080, 1920, 1080 }, { 30, 1200, 220, 22 }, { 30, 1226 } },
        { "screen left of the first", { -1280, 0, 1280, 1024 }, { -300, 100, 220, 22 }, { -80 - 312, 126 } },
    };
    for (const Case& c : cases)
        EXPECT_EQ(TfmCandidateBox::PlaceFor(c.edit, box, c.screen), c.expected) << c.name;
}

TEST_F(CandidateBoxTest, ShowingPlacesTheBoxAndLeavesTheFocusInTheEdit)
{
    ShowWindow();
    edit_->setText(QStringLiteral("図面"));
    edit_->selectAll();
    box_.ShowAndRefill();
    EXPECT_TRUE(box_.isVisible());
    ExpectEditWindowActive();
    const QRect edit(edit_->mapToGlobal(QPoint(0, 0)), edit_->size());
    EXPECT_EQ(box_.pos(), TfmCandidateBox::PlaceFor(edit, box_.size(), edit_->screen()->availableGeometry()));
    EXPECT_EQ(QApplication::focusWidget(), edit_);
    EXPECT_FALSE(edit_->hasSelectedText());
    EXPECT_EQ(edit_->cursorPosition(), edit_->text().size());
    EXPECT_EQ(List().model()->rowCount(), 3);
    EXPECT_FALSE(List().selectionModel()->hasSelection());
}

TEST_F(CandidateBoxTest, SortingByTextIgnoresCaseUntilTheNextRefill)
{
    candidates_ = { Candidate("b", 1), Candidate("A", 1), Candidate("C", 1), Candidate("図", 1), Candidate("a", 1),
                    Candidate("_", 1), Candidate("aB", 1) };
    box_.Refill();
    // A click on the header, as the user sorts.
    QHeaderView& header = *List().header();
    box_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box_));
    QTest::mouseClick(header.viewport(), Qt::LeftButton, {}, QPoint(header.sectionPosition(0) + 10, 5));
    EXPECT_EQ(TfmCandidateBox::SortColumn, 0);
    // Equal texts keep the vector's order, a prefix comes first; "_" sorts
    // after the letters, the Shift-JIS text after every ASCII one.
    EXPECT_EQ(Texts(), QStringList({ "A", "a", "aB", "b", "C", "_", "図" }));
    box_.Refill();
    EXPECT_EQ(Texts(), QStringList({ "b", "A", "C", "図", "a", "_", "aB" }));
}

TEST_F(CandidateBoxTest, SortingByCountKeepsTheVectorOrderOfEqualCounts)
{
    candidates_ = { Candidate("甲", 3), Candidate("乙", 1), Candidate("丙", 3), Candidate("丁", 2), Candidate("戊", 1) };
    box_.Refill();
    box_.ListView1ColumnClick(1);
    EXPECT_EQ(TfmCandidateBox::SortColumn, 1);
    EXPECT_EQ(Texts(), QStringList({ "乙", "戊", "丁", "甲", "丙" }));
}

TEST_F(CandidateBoxTest, TheSelectedRowFollowsItsCandidateWhenSorted)
{
    candidates_ = { Candidate("b", 1), Candidate("a", 5) };
    box_.Refill();
    SelectRow(1);
    box_.ListView1ColumnClick(0);
    EXPECT_EQ(CurrentRow(), 0);
    EXPECT_EQ(Cell(CurrentRow(), 0), QStringLiteral("a"));
}

TEST_F(CandidateBoxTest, ActivatingSelectsTheRowAtTheSelectedIndex)
{
    EnterList(2);
    EXPECT_TRUE(box_.ListHasFocus());
    EXPECT_EQ(CurrentRow(), 2);
    EXPECT_TRUE(List().selectionModel()->isRowSelected(2, {}));
    // A row the user chose stays when the list is entered again.
    SelectRow(1);
    selected_index_ = 0;
    box_.ActivateList();
    EXPECT_EQ(CurrentRow(), 1);
}

TEST_F(CandidateBoxTest, EscClosesTheBoxAndGivesTheFocusBack)
{
    EnterList(1);
    Press(Qt::Key_Escape);
    EXPECT_FALSE(box_.isVisible());
    ExpectEditWindowActive();
    EXPECT_EQ(QApplication::focusWidget(), edit_);
    EXPECT_TRUE(picked_.empty());
}

TEST_F(CandidateBoxTest, EnterPicksTheSelectedRow)
{
    EnterList(0);
    box_.ListView1ColumnClick(1);
    // Sorted by count: 道路 (1), 図面A (7), ずめん (12); the selection
    // went with 図面A to the second row.
    Press(Qt::Key_Up);
    Press(Qt::Key_Return);
    EXPECT_EQ(picked_, std::vector<std::string>({ Utf8ToSjis("道路") }));
    EXPECT_FALSE(box_.isVisible());
}

TEST_F(CandidateBoxTest, EnterWithoutASelectedRowDoesNothing)
{
    EnterList(0);
    List().clearSelection();
    Press(Qt::Key_Enter);
    EXPECT_TRUE(picked_.empty());
    EXPECT_TRUE(box_.isVisible());
    box_.ListView1DblClick();
    EXPECT_TRUE(picked_.empty());
}

TEST_F(CandidateBoxTest, UpOnTheFirstRowGoesBackToTheEdit)
{
    edit_->setText(QStringLiteral("ず"));
    EnterList(1);
    Press(Qt::Key_Up);
    EXPECT_TRUE(box_.isVisible());
    EXPECT_EQ(CurrentRow(), 0);
    Press(Qt::Key_Up);
    EXPECT_FALSE(box_.isVisible());
    ExpectEditWindowActive();
    EXPECT_EQ(QApplication::focusWidget(), edit_);
    EXPECT_EQ(edit_->cursorPosition(), 1);
    EXPECT_FALSE(edit_->hasSelectedText());
}

TEST_F(CandidateBoxTest, DownOnTheLastRowSelectsTheFirstAndLeavesTheKeyToTheList)
{
    EnterList(2);
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    EXPECT_FALSE(box_.FormKeyDown(&down));
    EXPECT_EQ(CurrentRow(), 0);
    EXPECT_TRUE(List().selectionModel()->isRowSelected(0, {}));

    // The whole key: the list's own Down then moves on from the first row.
    SelectRow(2);
    Press(Qt::Key_Down);
    EXPECT_EQ(CurrentRow(), 1);
    EXPECT_TRUE(box_.isVisible());
}

TEST_F(CandidateBoxTest, TheRowUnderTheMouseIsTheListsTip)
{
    box_.ShowAndRefill();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box_));
    const QRect row = List().visualRect(List().model()->index(2, 1));
    QTest::mouseMove(List().viewport(), row.center());
    EXPECT_EQ(List().toolTip(), QStringLiteral("ずめん"));
}

TEST_F(CandidateBoxTest, ContainsTheBoxItsListAndItsMenu)
{
    EXPECT_TRUE(box_.Contains(&box_));
    EXPECT_TRUE(box_.Contains(List().viewport()));
    EXPECT_TRUE(box_.Contains(box_.findChild<QMenu*>(QStringLiteral("PopupMenu1"))));
    EXPECT_FALSE(box_.Contains(edit_));
    EXPECT_FALSE(box_.Contains(&window_));
    EXPECT_FALSE(box_.Contains(nullptr));
}
