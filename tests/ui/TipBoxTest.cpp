// The tip box over the drawing view: its place and size, the pixels it
// saves and puts back, pinning and the ways a pinned tip goes, its lines,
// and the print frame drawn again when the view comes back.

#include "tests/ui/OverDrawingTestSupport.h"

#include "platform/ImageCanvas.h"
#include "ui/TipBox.h"

#include <QLabel>
#include <QPalette>

namespace {

class TipBoxTest : public OverDrawingTest {
protected:
    void SetUp() override
    {
        OverDrawingTest::SetUp();
        UseView(1);
    }

    // The rectangle the label's size gives a tip at (x, y).
    QRect TipAt(int x, int y) const
    {
        const QSize size = form.Tips->size();
        return QRect(QPoint(x + 5, y - 5 - size.height()), size);
    }

    // The view shows the picture but for the tip's rectangle.
    void ExpectPictureBesideTip(const QImage& picture, const QRect& tip)
    {
        QImage expected = picture.copy();
        PasteImage(expected, Front().copy(tip), tip.topLeft());
        EXPECT_EQ(Front(), expected);
    }

    QRgb Face() const { return form.Tips->palette().color(QPalette::Button).rgb(); }
};

} // namespace

TEST_F(TipBoxTest, StandsUpAndRightOfItsPointSizedByTheLabel)
{
    const QImage before = Front().copy();
    form.ShowTip(sj(u8"　拡　大　"), 100, 80, 0);
    EXPECT_EQ(form.Tips->text(), QtText(u8"　拡　大　"));
    const QRect tip = TipAt(100, 80);
    EXPECT_EQ(tip.left(), 105);
    EXPECT_EQ(tip.bottom() + 1, 75);
    EXPECT_EQ(tip.size(), form.Tips->sizeHint());
    // Filled with the button face; the text's strokes in it; nothing else
    // touched.
    EXPECT_EQ(Front().pixel(tip.topLeft()), Face());
    EXPECT_EQ(Front().pixel(tip.bottomRight()), Face());
    int strokes = 0;
    for (int y = tip.top(); y <= tip.bottom(); ++y) {
        for (int x = tip.left(); x <= tip.right(); ++x)
            strokes += Front().pixel(x, y) != Face();
    }
    EXPECT_GT(strokes, 20);
    ExpectPictureBesideTip(before, tip);
    EXPECT_FALSE(form.TipBox().Pinned());
    EXPECT_EQ(form.TipBox().TipRect(), (TRectI { -1, -1, -1, -1 }));
}

TEST_F(TipBoxTest, ATipAtTheSamePointReplacesTheOneBefore)
{
    const QImage before = Front().copy();
    form.ShowTip(sj(u8"　範囲記憶　"), 100, 80, 0);
    const QRect wide = TipAt(100, 80);
    form.ShowTip(sj(u8"移"), 100, 80, 0);
    const QRect narrow = TipAt(100, 80);
    ASSERT_LT(narrow.width(), wide.width());
    ExpectPictureBesideTip(before, narrow);
}

TEST_F(TipBoxTest, ATipElsewhereLeavesTheOneBefore)
{
    form.ShowTip("ABC", 100, 80, 0);
    const QRect first = TipAt(100, 80);
    const QImage first_tip = Front().copy(first);
    form.ShowTip("ABC", 100, 160, 0);
    EXPECT_EQ(Front().copy(first), first_tip);
}

TEST_F(TipBoxTest, APinnedTipGoesWithAMoveOntoItsEdgesAndShowsTheViewAgain)
{
    int cross_hairs = 0;
    form.TipBox().SetCrossHairRedraw([&cross_hairs] { ++cross_hairs; });
    form.ShowTip("A\nrecord", 100, 80, 1);
    const QRect tip = TipAt(100, 80);
    ASSERT_TRUE(form.TipBox().Pinned());
    const TRectI pinned { tip.left(), tip.top(), tip.left() + tip.width(), tip.top() + tip.height() };
    EXPECT_EQ(form.TipBox().TipRect(), pinned);

    EXPECT_FALSE(form.TipBox().RemoveIfEntered(pinned.right + 1, pinned.bottom));
    EXPECT_FALSE(form.TipBox().RemoveIfEntered(pinned.left, pinned.top - 1));
    EXPECT_TRUE(form.TipBox().RemoveIfEntered(pinned.right, pinned.bottom));
    EXPECT_FALSE(form.TipBox().Pinned());
    EXPECT_EQ(form.TipBox().TipRect(), (TRectI { -1, -1, -1, -1 }));
    EXPECT_TRUE(form.Tips->text().isEmpty());
    EXPECT_EQ(Front(), form.View().BackBuffer());
    // The move handler draws the cross-hair itself.
    EXPECT_EQ(cross_hairs, 0);
    EXPECT_FALSE(form.TipBox().RemoveIfEntered(pinned.right, pinned.bottom));
}

TEST_F(TipBoxTest, APinnedTipGoesWithAPressOrTheNextTipAndTheCrossHairComesBack)
{
    int cross_hairs = 0;
    form.TipBox().SetCrossHairRedraw([&cross_hairs] { ++cross_hairs; });
    form.ShowTip("first", 100, 80, 1);
    form.TipBox().RemovePinned();
    EXPECT_EQ(cross_hairs, 1);
    EXPECT_EQ(Front(), form.View().BackBuffer());
    form.TipBox().RemovePinned();
    EXPECT_EQ(cross_hairs, 1);

    form.ShowTip("first", 100, 80, 1);
    form.ShowTip("second", 200, 150, 0);
    EXPECT_EQ(cross_hairs, 2);
    EXPECT_FALSE(form.TipBox().Pinned());
    ExpectPictureBesideTip(form.View().BackBuffer(), TipAt(200, 150));
}

TEST_F(TipBoxTest, ALineBreakSplitsTheHeightIntoEqualLines)
{
    form.ShowTip("Wg", 100, 80, 0);
    const QRect one = TipAt(100, 80);
    const QImage one_line = Front().copy(one);
    form.ShowTip("", 0, 0, 0);
    form.ShowTip("Wg\nWg", 100, 80, 0);
    const QRect two = TipAt(100, 80);
    ASSERT_EQ(two.width(), one.width());
    ASSERT_EQ(two.height() % 2, 0);
    const int half = two.height() / 2;
    const QImage upper = Front().copy(two.left(), two.top(), two.width(), half);
    const QImage lower = Front().copy(two.left(), two.top() + half, two.width(), half);
    EXPECT_EQ(upper, lower);
    // Each line is drawn as a tip of that line alone draws it.
    const int rows = std::min(half, one.height());
    EXPECT_EQ(upper.copy(0, 0, one.width(), rows), one_line.copy(0, 0, one.width(), rows));
}

TEST_F(TipBoxTest, TheViewComesBackWithThePrintFrameInAFrameMode)
{
    TInfoREG& info = Document().GetInfoRegPtr();
    info.PrintPreview = 1;
    info.PaperWidth = 40;
    info.PaperHeight = 20;
    TZhdZoomF area = Document().GetHeadPtr().GetPrinterArea();
    area.SetXY(10, 5);
    area.SetScale(1);
    // Reference point 0: the lower left corner.
    area.SetCode(0);
    Document().GetHeadPtr().SetPrinterArea(area);

    const auto frame_over_back_buffer = [&](const TBPoint& centre) {
        QImage expected = form.View().BackBuffer().copy();
        TImageCanvas canvas(expected);
        info.DrawPrintFrame(canvas, centre, Document());
        canvas.Finish();
        return expected;
    };
    form.ShowTip("tip", 100, 80, 0);
    form.ShowTip("", 0, 0, 0);
    EXPECT_EQ(Front(), frame_over_back_buffer(TBPoint(10.0, 5.0)));

    // While the frame is being moved, it hangs by its reference point at
    // the press.
    info.FrameFollow = 1;
    form.State().PressPoint = PixelOf(-30, 0);
    form.ShowTip("", 0, 0, 0);
    EXPECT_EQ(Front(), frame_over_back_buffer(TBPoint(-10.0, 10.0)));

    // No frame while a job draws.
    info.OutputJob = 1;
    form.ShowTip("", 0, 0, 0);
    info.OutputJob = 0;
    EXPECT_EQ(Front(), form.View().BackBuffer());
}
