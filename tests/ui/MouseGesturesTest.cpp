// The mouse on the drawing view with real event sequences on the offscreen
// platform: two-button gestures, the middle button, the first of two
// buttons released, double clicks swallowed or passed on as presses, the
// cross-hair that follows the mouse, the rubber band, the clock menu's
// face, a move into a pinned tip and the hook's take-over of a press after
// the search word had the focus.

#include "tests/ui/OverDrawingTestSupport.h"

#include "core/DebugLog.h"
#include "elements/KCircle.h"
#include "elements/KLine.h"
#include "platform/ShiftJis.h"
#include "ui/ClockMenu.h"
#include "ui/ModeClicks.h"
#include "ui/MouseGestures.h"
#include "ui/TipBox.h"

#include <QLabel>
#include <QLineEdit>
#include <QStyleHints>
#include <QTest>

#include <boost/make_shared.hpp>

#include <sstream>
#include <vector>

namespace {

class MouseGesturesTest : public OverDrawingTest {
protected:
    void SetUp() override
    {
        OverDrawingTest::SetUp();
        UseView(1);
        RedirectDebugLog(&log);
    }
    void TearDown() override { RedirectDebugLog(nullptr); }

    QWidget* Box() { return form.PaintBox1; }
    TMouseGestures& Gestures() { return form.Gestures(); }
    TZhdZoom View() { return Document().GetInfoRegPtr().GetView(); }
    int LogCount(const std::string& line) const { return LogLineCount(log.str(), line); }
    // Events as the window system delivers them, at paint-box pixels. A
    // double click comes as press, release, double click, release.
    QPoint InWindow(QPoint point) { return Box()->mapTo(&form, point); }
    void Press(Qt::MouseButton button, QPoint point) { QTest::mousePress(form.windowHandle(), button, {}, InWindow(point)); }
    void Release(Qt::MouseButton button, QPoint point)
    {
        QTest::mouseRelease(form.windowHandle(), button, {}, InWindow(point));
    }
    void Move(QPoint point) { QTest::mouseMove(form.windowHandle(), InWindow(point)); }
    void DoubleClick(Qt::MouseButton button, QPoint point)
    {
        QTest::mouseDClick(form.windowHandle(), button, {}, InWindow(point));
    }

    std::ostringstream log;
};

} // namespace

TEST_F(MouseGesturesTest, ReleasingTheFirstOfTwoButtonsWaitsForTheSecond)
{
    const QPoint press(100, 80);
    const TZhdZoom before = View();
    Press(Qt::LeftButton, press);
    Press(Qt::RightButton, press);
    EXPECT_EQ(form.State().DragState, 1);
    Move(press + QPoint(80, 60));
    EXPECT_EQ(form.Tips->text(), SjisText(sj(u8"　拡　大　"))) << "the gesture's tip follows the drag";
    Release(Qt::RightButton, press + QPoint(80, 60));
    EXPECT_EQ(View(), before) << "one button still held";
    EXPECT_EQ(Gestures().ButtonBits(), 1);
    Release(Qt::LeftButton, press + QPoint(80, 60));
    EXPECT_GT(View().GetScale(), before.GetScale()) << "the zoom box";
    EXPECT_EQ(form.State().DragState, 0);
    EXPECT_EQ(Gestures().ButtonBits(), 0);
    EXPECT_EQ(form.Tips->text(), QString()) << "the tip goes";
}

TEST_F(MouseGesturesTest, TheMiddleButtonAloneIsATwoButtonGestureAndItsReleaseClearsAllButtons)
{
    const QPoint press(120, 90);
    Move(press);
    Press(Qt::MiddleButton, press);
    EXPECT_EQ(Gestures().ButtonBits(), 3);
    EXPECT_EQ(form.State().DragState, 1);
    EXPECT_EQ(form.Tips->text(), SjisText(sj(u8"　移　動　")));
    // The window system moves the cursor to where the button is let go.
    const TBPoint under_cursor = Document().GetInfoRegPtr().ScreenToWorld(TBPoint(press.x() + 3, press.y() + 2));
    const TZhdZoom before = View();
    Release(Qt::MiddleButton, press + QPoint(3, 2));
    EXPECT_EQ(Gestures().ButtonBits(), 0);
    EXPECT_NEAR(View().GetX(), under_cursor.GetX(), 1e-9) << "a short drag centres on the cursor";
    EXPECT_NEAR(View().GetY(), under_cursor.GetY(), 1e-9);
    EXPECT_EQ(Document().GetInfoRegPtr().GetPrevView(), before);
}

TEST_F(MouseGesturesTest, ADoubleClickIsSwallowedUnlessSuppressed)
{
    const QPoint point(60, 60);
    Move(point);
    DoubleClick(Qt::LeftButton, point);
    EXPECT_EQ(LogCount("<PaintBox1MouseDown>"), 1) << "the first press only";
    EXPECT_EQ(LogCount("LBUTTONDBLCLK:1," + std::to_string(point.y() * 65536 + point.x())), 1) << log.str();
    EXPECT_EQ(Gestures().LeftDoubleClick(), 0) << "its release cleared the flag";
    EXPECT_EQ(Gestures().ButtonBits(), 0);

    log.str(std::string());
    form.State().DoubleClickSuppression = 1;
    DoubleClick(Qt::LeftButton, point);
    EXPECT_EQ(LogCount("<PaintBox1MouseDown>"), 2) << "the double click came as a press";
    EXPECT_EQ(Gestures().ButtonBits(), 0);
    Move(point + QPoint(1, 0));
    EXPECT_EQ(form.State().DoubleClickSuppression, 0) << "a move clears it";
}

TEST_F(MouseGesturesTest, AReleaseWithTheDoubleClickFlagLogsAndClearsIt)
{
    Gestures().SetLeftDoubleClick(1);
    form.PaintBox1MouseUp(TReleasedButton::Left, 10, 10);
    EXPECT_EQ(LogCount("LDblClk"), 1);
    EXPECT_EQ(Gestures().LeftDoubleClick(), 0);
}

TEST_F(MouseGesturesTest, TheCrossHairFollowsTheMouseAndLeavesNothingBehind)
{
    // Rows of the picture at column 5 that differ from the clean picture.
    const auto changed_rows = [this] {
        const QImage& clean = form.View().BackBuffer();
        std::vector<int> rows;
        for (int y = 0; y < Front().height(); ++y)
            if (Front().pixel(5, y) != clean.pixel(5, y))
                rows.push_back(y);
        return rows;
    };
    Move(QPoint(50, 40));
    Move(QPoint(70, 55));
    EXPECT_EQ(changed_rows(), std::vector<int> { 55 }) << "one horizontal line, at the mouse";
    const QImage& clean = form.View().BackBuffer();
    EXPECT_NE(Front().pixel(70, 5), clean.pixel(70, 5)) << "and one vertical line";
    EXPECT_EQ(Front().pixel(50, 5), clean.pixel(50, 5)) << "the last cross-hair went";

    // A redraw in another view without a move (a drawing opened) draws it
    // at the same drawing point: the next move still takes it away.
    Document().GetInfoRegPtr().SetView(TZhdZoom(2));
    Redraw();
    Move(QPoint(90, 65));
    EXPECT_EQ(changed_rows(), std::vector<int> { 65 });

    // Drawn twice in not-XOR mode the cross-hair cancels out.
    form.DrawCrossHairAt(-1, -1);
    EXPECT_EQ(Front(), form.View().BackBuffer());
    form.DrawCrossHairAt(-1, -1);
}

TEST_F(MouseGesturesTest, TheRubberBandShowsTwoSidesOfTheZoomBoxAndGoesWithTheNextMove)
{
    const QPoint press(40, 40);
    Move(press);
    Press(Qt::LeftButton, press);
    Press(Qt::RightButton, press);
    Move(QPoint(120, 100));
    const QImage& clean = form.View().BackBuffer();
    for (int x = 41; x < 120; ++x) {
        EXPECT_NE(Front().pixel(x, 40), clean.pixel(x, 40)) << "the side along the press point's row, x " << x;
        EXPECT_EQ(Front().pixel(x, 41), clean.pixel(x, 41)) << "one pixel wide, x " << x;
    }
    for (int y = 41; y < 100; ++y) {
        EXPECT_NE(Front().pixel(40, y), clean.pixel(40, y)) << "the side along its column, y " << y;
        EXPECT_EQ(Front().pixel(41, y), clean.pixel(41, y)) << "one pixel wide, y " << y;
    }
    EXPECT_EQ(Front().pixel(119, 99), clean.pixel(119, 99)) << "the other two sides are not drawn";
    Move(QPoint(150, 130));
    EXPECT_NE(Front().pixel(140, 40), clean.pixel(140, 40)) << "the band followed";
    // Up and left no band is drawn: the one before goes.
    Move(QPoint(10, 10));
    EXPECT_EQ(Front().pixel(140, 40), clean.pixel(140, 40));
    EXPECT_EQ(Front().pixel(40, 70), clean.pixel(40, 70));
    Release(Qt::RightButton, QPoint(10, 10));
    Release(Qt::LeftButton, QPoint(10, 10));
}

TEST_F(MouseGesturesTest, TheClockMenuOpensBeyondItsRadiusAndEachReturnFlipsTheFace)
{
    const QPoint press(150, 120);
    Move(press);
    Press(Qt::LeftButton, press);
    Move(press + QPoint(0, -20));
    EXPECT_EQ(Gestures().ClockMenuState(), 0) << "inside the radius";
    Move(press + QPoint(0, -40));
    EXPECT_EQ(Gestures().ClockMenuState(), 1);
    EXPECT_EQ(Gestures().ClockFace(), 0);
    Move(press + QPoint(0, -10));
    EXPECT_EQ(Gestures().ClockMenuState(), 2);
    EXPECT_EQ(Gestures().ClockFace(), 1) << "back inside: the other face";
    EXPECT_EQ(form.ClockMenu().CurrentClockCommand(), 0) << "no command in the centre";
    Press(Qt::RightButton, press + QPoint(0, -10));
    EXPECT_EQ(Gestures().ClockFace(), 0) << "the other button flips it again";
    Release(Qt::RightButton, press + QPoint(0, -10));
    Release(Qt::LeftButton, press + QPoint(0, -10));
    EXPECT_EQ(Gestures().ClockMenuState(), 0);
}

TEST_F(MouseGesturesTest, LettingTheClockMenuGoOverItsCentreOnlyRemovesIt)
{
    const QPoint press(150, 120);
    Move(press);
    const QImage before = Front().copy();
    Press(Qt::LeftButton, press);
    Move(press + QPoint(40, 0));
    Move(press);
    ASSERT_NE(Front(), before) << "the menu is shown";
    Release(Qt::LeftButton, press);
    EXPECT_EQ(Gestures().ClockMenuState(), 0);
    EXPECT_EQ(Front(), before) << "the picture with its cross-hair again";
}

TEST_F(MouseGesturesTest, AMoveIntoAPinnedTipRemovesIt)
{
    Move(QPoint(20, 150));
    form.ShowTip(sj(u8"　点がありません！　"), 100, 100, 1);
    ASSERT_TRUE(form.TipBox().Pinned());
    const TRectI tip = form.TipBox().TipRect();
    Move(QPoint(tip.left - 3, tip.bottom + 3));
    EXPECT_TRUE(form.TipBox().Pinned()) << "beside it";
    Move(QPoint(tip.left, tip.bottom));
    EXPECT_FALSE(form.TipBox().Pinned()) << "its corner is inside";
    EXPECT_EQ(form.Tips->text(), QString());
}

TEST_F(MouseGesturesTest, TheFirstPressOnTheDrawingAfterTheSearchWordHadTheFocusIsTakenOver)
{
    const QPoint point(80, 70);
    Move(point);
    form.State().SearchFocusFlag = true;
    Press(Qt::LeftButton, point);
    EXPECT_EQ(LogCount("<PaintBox1MouseDown>"), 0) << "the drawing does not see the press";
    EXPECT_EQ(LogCount("<PaintBox1MouseUp>"), 1) << "but a release first";
    EXPECT_EQ(form.State().PressPoint, point);
    EXPECT_FALSE(form.State().SearchFocusFlag);
    Move(point + QPoint(2, 0));
    EXPECT_EQ(Gestures().ButtonBits(), 1) << "the next move counts the press";
    Release(Qt::LeftButton, point + QPoint(2, 0));
}

TEST_F(MouseGesturesTest, ALeftPressShowsTheFocusWidgetsName)
{
    form.activateWindow();
    form.ebSearchWord->show();
    form.ebSearchWord->setFocus();
    Press(Qt::LeftButton, QPoint(30, 30));
    EXPECT_EQ(form.Label4->text(), QStringLiteral("ebSearchWord"));
    Release(Qt::LeftButton, QPoint(30, 30));
    EXPECT_TRUE(form.State().SearchFocusFlag) << "released while the search word had the focus";
}

TEST_F(MouseGesturesTest, ADoubleClickWaitEndsAtTheIntervalOrAtTheDoubleClick)
{
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(form.WaitDoubleClick(0.1), 0);
    EXPECT_GE(timer.elapsed(), static_cast<qint64>(0.1 * QGuiApplication::styleHints()->mouseDoubleClickInterval()) - 1);

    QTimer::singleShot(0, &form, [this] { DoubleClick(Qt::RightButton, QPoint(20, 20)); });
    EXPECT_EQ(form.WaitDoubleClick(100), 1) << "ended by the double click";
    EXPECT_EQ(Gestures().RightDoubleClick(), 0) << "the release after it cleared the flag";
}

TEST_F(MouseGesturesTest, AReleaseAbandonsItsCommandWhenAnotherDrawingWasOpenedMeanwhile)
{
    const TempDir folder;
    const std::filesystem::path drawing = WriteCrossDrawing(folder, "other.zhd");
    form.State().CommandMode = 4;
    int clicks = 0;
    form.ModeClicks().ImageColourClick = [&](TMouseRelease& release) {
        ++clicks;
        // A drop during the wait opens another drawing.
        QTimer::singleShot(0, &form, [&] { form.FileOpen(drawing); });
        form.WaitDoubleClick(0.2);
        EXPECT_NE(form.State().DrawingSerial, release.drawing_serial);
    };
    Gestures().SetLeftDoubleClick(0);
    Press(Qt::LeftButton, QPoint(30, 30));
    Release(Qt::LeftButton, QPoint(30, 30));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(LogCount("<PaintBox1MouseUp> abandoned: another drawing was opened"), 1);
}

// The clock menu of the right button on its PM face (where command mode 0
// offers its entries) let go at a position: moved out, back into the
// centre when the face kept from the last menu is AM, out again at the
// position's hour.
TEST_F(MouseGesturesTest, TheReleasedClockMenuRunsItsMeasuringCommandAndALaterClickCompletesIt)
{
    auto circle = boost::make_shared<TKCircle>();
    circle->SetCircle(TBPoint(0.0, 0.0), 30, TAngle(), Degrees(360), TAngle(), 1.0, 1);
    Document().GetElemListPtr().Append(circle);
    auto line = boost::make_shared<TKLine>();
    line->SetLine(TBPoint(-50.0, -60.0), TBPoint(50.0, -60.0));
    Document().GetElemListPtr().Append(line);
    const auto let_go_at = [&](QPoint press, QPoint hour) {
        Move(press);
        Press(Qt::RightButton, press);
        Move(press + QPoint(0, -40));
        if (Gestures().ClockFace() != 1)
            Move(press);
        Move(press + hour);
        Release(Qt::RightButton, press + hour);
    };
    const auto tip = [&] { return Utf8ToSjis(form.Tips->text().toStdString()); };

    // 11 o'clock: the line's length.
    let_go_at(PixelOf(10, -60), QPoint(-20, -35));
    EXPECT_EQ(tip(), " L= 100" + sj(u8" mm "));
    EXPECT_EQ(form.ClockMenu().CurrentClockCommand(), 0);

    // 4 o'clock on the circle: the tangent's direction, at the next click.
    let_go_at(PixelOf(0, 31), QPoint(35, 20));
    EXPECT_EQ(form.ClockMenu().CurrentClockCommand(), 300);
    const QPoint on_circle = PixelOf(21, 21);
    Move(on_circle);
    Press(Qt::LeftButton, on_circle);
    Release(Qt::LeftButton, on_circle);
    EXPECT_EQ(tip(), " " + sj(u8"-45ﾟ 00' 00.0000000\"  "));
    EXPECT_EQ(form.ClockMenu().CurrentClockCommand(), 0);
}
