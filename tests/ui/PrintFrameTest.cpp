// The print frame and its toolbar: the scale items and free percentages, the
// angle history, the reference point and the range button, and the frame
// mode's clicks through the window's own mouse handling. The frame is drawn
// not-XOR over the picture, so after each change the shown picture must be
// the one a full redraw gives.

#include "tests/elements/BlockFixture.h"
#include "tests/support/TempDir.h"
#include "tests/ui/OverDrawingTestSupport.h"

#include "controls/FloatEdit.h"
#include "controls/HistoryComboBox.h"
#include "controls/Toolbar97.h"
#include "controls/ToolbarButton97.h"
#include "core/Constants.h"
#include "elements/KCircle.h"
#include "ui/InputBox.h"
#include "ui/MeasuringCommands.h"
#include "ui/ModeClicks.h"
#include "ui/MouseRelease.h"
#include "ui/PrintFrame.h"
#include "ui/PrintOrigin.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include <boost/make_shared.hpp>

#include <fstream>
#include <limits>
#include <optional>

namespace {

constexpr double paper_width = 100;
constexpr double paper_height = 60;

class PrintFrameTest : public OverDrawingTest {
protected:
    void SetUp() override
    {
        OverDrawingTest::SetUp();
        form.SetForms({ &origin, &input, nullptr, nullptr, nullptr, nullptr });
        Document().GetHeadPtr().SetGroupScale(0, 1);
        TInfoREG& info = Document().GetInfoRegPtr();
        info.PaperWidth = paper_width;
        info.PaperHeight = paper_height;
        info.PrintPreview = 1;
        form.State().CommandMode = FrameMode;
        form.tbMainPrint->show();
        SetArea(TBPoint(10, 5), 1.0, 40);
        UseView(1);
        time = std::make_unique<TRedrawTime>(form, 100000);
    }

    void SetArea(const TBPoint& centre, double scale, int code)
    {
        TZhdZoomF area;
        area.SetXY(centre.GetX(), centre.GetY());
        area.SetScale(scale);
        area.SetCode(code);
        form.ShowPrintZoom(area, Document());
    }
    TZhdZoomF Area() { return Document().GetHeadPtr().GetPrinterArea(); }
    TBPoint AreaCentre() { return TBPoint(Area().GetX(), Area().GetY()); }

    // A full redraw past the gate: the picture the frame's own drawing must
    // have left.
    QImage RedrawnPicture()
    {
        time->Advance(100);
        form.CanvasDraw(Document(), "test");
        return Front().copy();
    }

    // When the dialog shows, `answer` acts on it.
    void WhenShows(QDialog& dialog, std::function<void()> answer)
    {
        auto* poll = new QTimer(&form);
        QObject::connect(poll, &QTimer::timeout, &form, [&dialog, poll, answer] {
            if (!dialog.isVisible())
                return;
            poll->stop();
            poll->deleteLater();
            answer();
        });
        poll->start(5);
    }

    // A free percentage typed into the scale box and accepted; none cancels.
    void AnswerFreeScale(std::optional<double> percent)
    {
        WhenShows(input, [this, percent] {
            shown_percent = input.feBox()->Value();
            if (!percent) {
                input.btnCancel()->click();
                return;
            }
            input.feBox()->SetValue(*percent);
            input.btnExec()->click();
        });
    }

    void ChooseScaleItem(int item)
    {
        form.cbPrintBai->setCurrentIndex(item);
        emit form.cbPrintBai->activated(item);
    }

    void EnterAngle(const QString& text)
    {
        form.hcbPrintAngle->setEditText(text);
        form.hcbPrintAngleExit();
    }
    QStringList AngleHistory()
    {
        QStringList items;
        for (int i = 0; i < form.hcbPrintAngle->count(); ++i)
            items.append(form.hcbPrintAngle->itemText(i));
        return items;
    }

    // The window's own mouse handling.
    QPoint InWindow(double x, double y) { return form.PaintBox1->mapTo(&form, PixelOf(x, y)); }
    void MoveTo(double x, double y) { QTest::mouseMove(form.windowHandle(), InWindow(x, y)); }
    void Click(Qt::MouseButton button, double x, double y)
    {
        QTest::mousePress(form.windowHandle(), button, {}, InWindow(x, y));
        QTest::mouseRelease(form.windowHandle(), button, {}, InWindow(x, y));
    }
    // The frame follows the mouse, which rests at (x, y).
    void FollowTo(double x, double y)
    {
        form.tbMPbtnRange->click();
        MoveTo(x - 1, y);
        MoveTo(x, y);
        ASSERT_EQ(form.State().CommandSubMode, FrameFollowsMouse);
    }
    QPoint OnScreen(double x, double y) { return form.PaintBox1->mapToGlobal(PixelOf(x, y)); }
    TBPoint CentreFor(int reference, const TBPoint& point)
    {
        return Document().GetInfoRegPtr().GetPrintFrameCentre(reference, point, Document());
    }

    TfmPrintOrigin origin { &form };
    TfmInputBox input { &form };
    std::unique_ptr<TRedrawTime> time;
    double shown_percent = -1;
};

} // namespace

TEST_F(PrintFrameTest, ScaleItemsAndFreePercentages)
{
    const double infinite = std::numeric_limits<double>::infinity();
    struct {
        const char* what;
        double start;
        int item;
        // Asked for: the percentage entered, none for a cancel.
        bool asks;
        std::optional<double> percent;
        int shown;
        double scale;
    } const cases[] = {
        { "item 0", 1.0, 0, false, {}, 0, 2.0 },
        { "item 6", 1.0, 6, false, {}, 6, 0.25 },
        { "141.4 % rounds to item 1", 1.0, 7, true, 141.4, 1, 1.414 },
        { "33.3 % has no item", 1.0, 7, true, 33.3, 7, 0.333 },
        { "a cancel keeps the scale", 0.5, 7, true, std::nullopt, 4, 0.5 },
        { "0 % is refused", 0.5, 7, true, 0.0, 4, 0.5 },
        { "-50 % is refused", 0.5, 7, true, -50.0, 4, 0.5 },
        { "an endless percentage is refused", 0.5, 7, true, infinite, 4, 0.5 },
    };
    for (const auto& c : cases) {
        SetArea(TBPoint(10, 5), c.start, 40);
        if (c.asks)
            AnswerFreeScale(c.percent);
        ChooseScaleItem(c.item);
        EXPECT_DOUBLE_EQ(Area().GetScale(), c.scale) << c.what;
        EXPECT_EQ(Area().GetCode(), 40) << c.what;
        EXPECT_EQ(AreaCentre(), TBPoint(10.0, 5.0)) << c.what;
        EXPECT_EQ(form.cbPrintBai->currentIndex(), c.shown) << c.what;
    }
    // The free scale's item names the percentage; the box offers the last
    // one entered.
    ASSERT_EQ(form.cbPrintBai->count(), 8);
    EXPECT_EQ(form.cbPrintBai->itemText(7), QtText(u8"任意倍率 (33.3 %)"));
    EXPECT_EQ(input.windowTitle(), QtText(u8"印刷倍率設定"));
    EXPECT_EQ(input.Label1()->text(), QtText(u8"印刷倍率（％）を入力して下さい．"));
    EXPECT_DOUBLE_EQ(shown_percent, 33.3);
}

// Standing, the frame grows about its centre; following, about the cursor.
TEST_F(PrintFrameTest, ANewScaleRedrawsTheFrameWhereAFullRedrawPutsIt)
{
    for (const bool following : { false, true }) {
        SetArea(TBPoint(10, 5), 1.0, 0);
        TInfoREG& info = Document().GetInfoRegPtr();
        form.State().CommandSubMode = following ? FrameFollowsMouse : FrameStandsStill;
        info.FrameFollow = following ? 1 : 0;
        form.State().CursorPoint = PixelOf(-20, -10);
        info.SetMouseScreen(TBPoint(PixelOf(-20, -10).x(), PixelOf(-20, -10).y()));
        const QImage before = RedrawnPicture();
        ChooseScaleItem(0);
        const QImage changed = Front().copy();
        EXPECT_NE(changed, before) << following;
        EXPECT_EQ(changed, RedrawnPicture()) << following;
        EXPECT_EQ(AreaCentre(), TBPoint(10.0, 5.0)) << following;
    }
}

TEST_F(PrintFrameTest, TheAngleHistoryKeepsTenByTheExitRule)
{
    form.hcbPrintAngle->clear();
    form.hcbPrintAngle->addItems({ QStringLiteral("0-0-0.00"), QStringLiteral("90-0-0.00") });
    struct {
        const char* typed;
        QStringList history;
        double degrees;
    } const steps[] = {
        { "90", { "90-0-0.00", "0-0-0.00" }, 90 },
        { "90", { "90-0-0.00", "0-0-0.00" }, 90 },
        { "45.3", { "45-30-0.00", "90-0-0.00", "0-0-0.00" }, 45.5 },
        { "0", { "0-0-0.00", "45-30-0.00", "90-0-0.00" }, 0 },
    };
    for (const auto& step : steps) {
        EnterAngle(QString::fromLatin1(step.typed));
        EXPECT_EQ(AngleHistory(), step.history) << step.typed;
        EXPECT_EQ(form.hcbPrintAngle->currentText(), step.history.front()) << step.typed;
        EXPECT_NEAR(Document().GetInfoRegPtr().PrintAngle, step.degrees * Pi / 180, 1e-12) << step.typed;
    }
    for (int degrees = 1; form.hcbPrintAngle->count() < 10; ++degrees)
        EnterAngle(QString::number(degrees));
    const QString oldest = AngleHistory().back();
    EnterAngle(QStringLiteral("11"));
    EXPECT_EQ(form.hcbPrintAngle->count(), 10);
    EXPECT_EQ(AngleHistory().front(), QStringLiteral("11-0-0.00"));
    EXPECT_FALSE(AngleHistory().contains(oldest));
    // A chosen entry goes to the top and turns the frame.
    emit form.hcbPrintAngle->activated(form.hcbPrintAngle->findText(QStringLiteral("45-30-0.00")));
    EXPECT_EQ(AngleHistory().front(), QStringLiteral("45-30-0.00"));
    EXPECT_EQ(form.hcbPrintAngle->count(), 10);
    EXPECT_NEAR(Document().GetInfoRegPtr().PrintAngle, 45.5 * Pi / 180, 1e-12);
}

// Typed and left for the sub-command bar, as Enter leaves it.
TEST_F(PrintFrameTest, LeavingTheAngleBoxTakesItsText)
{
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    form.hcbPrintAngle->setFocus();
    form.hcbPrintAngle->setEditText(QStringLiteral("30"));
    form.ToolbarSubCommand->setFocus();
    EXPECT_EQ(form.hcbPrintAngle->currentText(), QStringLiteral("30-0-0.00"));
    EXPECT_NEAR(Document().GetInfoRegPtr().PrintAngle, Pi / 6, 1e-12);
}

TEST_F(PrintFrameTest, AHistoryFileLongerThanTenLoadsWhole)
{
    TempDir folder;
    const std::filesystem::path file = folder.File("angles.ini");
    {
        std::ofstream ini(file);
        ini << "[PrintAngle]\nHistoryCount=12\n";
        for (int i = 0; i < 12; ++i)
            ini << "History" << i << '=' << i + 10 << "-0-0.00\n";
    }
    form.hcbPrintAngle->clear();
    form.hcbPrintAngle->LoadFromFile(QString::fromStdString(file.string()));
    EXPECT_EQ(form.hcbPrintAngle->count(), 12);
    // The exit rule takes one off at a time.
    EnterAngle(QStringLiteral("5"));
    EXPECT_EQ(form.hcbPrintAngle->count(), 12);
}

TEST_F(PrintFrameTest, TheRangeButtonPutsThePointerOnTheReferencePoint)
{
    struct {
        int code;
        TBPoint reference;
    } const cases[] = {
        { 0, TBPoint(10.0 - 50, 5.0 - 30) },
        { 41, TBPoint(10.0, 5.0) },
        { 82, TBPoint(10.0 + 50, 5.0 + 30) },
    };
    for (const auto& c : cases) {
        SetArea(TBPoint(10, 5), 1.0, c.code);
        form.State().CommandSubMode = FrameStandsStill;
        form.tbMPbtnPrint->setEnabled(true);
        form.tbMPbtnRange->setEnabled(true);
        form.tbMPbtnRange->click();
        EXPECT_EQ(QCursor::pos(), OnScreen(c.reference.GetX(), c.reference.GetY())) << c.code;
        EXPECT_EQ(form.State().CommandSubMode, FrameAboutToMove) << c.code;
        EXPECT_EQ(Document().GetInfoRegPtr().FrameFollow, 1) << c.code;
        EXPECT_FALSE(form.tbMPbtnPrint->isEnabled()) << c.code;
        EXPECT_FALSE(form.tbMPbtnRange->isEnabled()) << c.code;
    }
}

TEST_F(PrintFrameTest, TheCentreAsReferencePointThenTheRangeButtonPointsAtTheCentre)
{
    SetArea(TBPoint(10, 5), 1.0, 1);
    int preselected = -1;
    WhenShows(origin, [this, &preselected] {
        preselected = origin.ItemIndex();
        origin.rgOriginItem(4)->click();
    });
    form.tbMPbtnOrigin->click();
    EXPECT_EQ(preselected, 2);
    EXPECT_EQ(form.tbMPbtnOrigin->text(), QtText(u8"中・中"));
    EXPECT_EQ(Area().GetCode(), 41);
    EXPECT_EQ(AreaCentre(), TBPoint(10.0, 5.0));
    form.tbMPbtnRange->click();
    EXPECT_EQ(QCursor::pos(), OnScreen(10, 5));
}

// Following the mouse, the frame hangs by its new reference point at the
// cursor at once.
TEST_F(PrintFrameTest, ANewReferencePointRehangsAFollowingFrameAtTheCursor)
{
    SetArea(TBPoint(10, 5), 1.0, 0);
    TInfoREG& info = Document().GetInfoRegPtr();
    form.State().CommandSubMode = FrameFollowsMouse;
    info.FrameFollow = 1;
    form.State().CursorPoint = PixelOf(-20, -10);
    info.SetMouseScreen(TBPoint(PixelOf(-20, -10).x(), PixelOf(-20, -10).y()));
    const QImage before = RedrawnPicture();
    WhenShows(origin, [this] { origin.rgOriginItem(TfmPrintOrigin::ItemOfReferencePoint(8))->click(); });
    form.tbMPbtnOrigin->click();
    EXPECT_EQ(Area().GetCode(), 80);
    EXPECT_EQ(form.tbMPbtnOrigin->text(), QtText(u8"右・上"));
    const QImage changed = Front().copy();
    EXPECT_NE(changed, before);
    EXPECT_EQ(changed, RedrawnPicture());
}

TEST_F(PrintFrameTest, TheReferencePointDialogStaysOnTheScreen)
{
    const QRect screen(0, 0, 1000, 800);
    const QSize dialog(200, 100);
    struct {
        const char* what;
        QRect control;
        QPoint place;
    } const cases[] = {
        { "under the control", QRect(100, 50, 30, 20), QPoint(100, 70) },
        { "near the right edge", QRect(900, 50, 30, 20), QPoint(800, 70) },
        { "near the bottom edge", QRect(100, 750, 30, 20), QPoint(100, 700) },
        { "at the top left corner", QRect(0, 0, 30, 20), QPoint(0, 20) },
    };
    for (const auto& c : cases)
        EXPECT_EQ(PlaceUnderControl(c.control, dialog, screen), c.place) << c.what;
}

class PrintFrameClickTest : public PrintFrameTest {
protected:
    void SetUp() override
    {
        PrintFrameTest::SetUp();
        form.ModeClicks().FrameClick = [this](TMouseRelease& release) { frame.Click(release); };
        auto line = LineElem(-40, -20, 30, -20);
        Document().GetElemListPtr().Append(line);
        time->Advance(100);
        form.CanvasDraw(Document(), "test");
    }

    int jobs = 0;
    TPrintFrame frame { form, form.Pointing(), form.TipBox(), { [this] { ++jobs; }, {}, {} } };
};

TEST_F(PrintFrameClickTest, AStandingFramePrintsOnALeftClickUnlessItTakesTheFocusFromTheSearchWord)
{
    form.cbSearch->setChecked(true);
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    for (const bool narrowing : { true, false }) {
        form.cbSearchNarrow->setChecked(narrowing);
        QWidget* word = narrowing ? static_cast<QWidget*>(form.ebSearchWord) : form.cbSearchWord;
        word->setFocus();
        ASSERT_TRUE(word->hasFocus()) << narrowing;
        jobs = 0;
        Click(Qt::LeftButton, 0, 0);
        EXPECT_EQ(jobs, 0) << narrowing;
        EXPECT_TRUE(form.ToolbarSubCommand->hasFocus()) << narrowing;
        // The next click, away from the first so that it makes no double
        // click: the drawing took the press after the focus as the start
        // of a drag, which the hand's move on the way makes a click.
        QTest::mousePress(form.windowHandle(), Qt::LeftButton, {}, InWindow(30, 20));
        MoveTo(31, 20);
        QTest::mouseRelease(form.windowHandle(), Qt::LeftButton, {}, InWindow(31, 20));
        EXPECT_EQ(jobs, 1) << narrowing;
        EXPECT_EQ(form.State().CommandSubMode, FrameStandsStill) << narrowing;
    }
}

TEST_F(PrintFrameClickTest, ARightClickMakesTheFrameFollowAndALeftClickSetsItDownAtTheClick)
{
    SetArea(TBPoint(10, 5), 1.0, 0);
    Click(Qt::RightButton, 0, 0);
    EXPECT_EQ(QCursor::pos(), OnScreen(-40, -25));
    EXPECT_EQ(Document().GetInfoRegPtr().FrameFollow, 1);
    MoveTo(20, 10);
    EXPECT_EQ(form.State().CommandSubMode, FrameFollowsMouse);
    MoveTo(25, 12);
    Click(Qt::LeftButton, 25, 12);
    EXPECT_EQ(form.State().CommandSubMode, FrameStandsStill);
    EXPECT_EQ(Document().GetInfoRegPtr().FrameFollow, 0);
    EXPECT_EQ(AreaCentre(), CentreFor(0, TBPoint(25.0, 12.0)));
    EXPECT_TRUE(form.tbMPbtnPrint->isEnabled());
    EXPECT_TRUE(form.tbMPbtnRange->isEnabled());
    EXPECT_EQ(jobs, 0);
    // Where it was drawn following is where it now stands.
    const QImage shown = Front().copy();
    EXPECT_EQ(shown, RedrawnPicture());
}

TEST_F(PrintFrameClickTest, AFollowingFrameIsSetDownByTheClick)
{
    const std::string no_point = sj(u8"　点がありません！　");
    struct {
        const char* what;
        Qt::MouseButton button;
        double x, y;
        bool continuous_print;
        // Where the frame's reference point goes; none: it keeps following.
        std::optional<TBPoint> reference;
        bool print_enabled;
    } const cases[] = {
        { "left", Qt::LeftButton, 25, 12, false, TBPoint(25.0, 12.0), true },
        { "right near a line's end", Qt::RightButton, 33, -17, false, TBPoint(30.0, -20.0), true },
        { "right far from any point", Qt::RightButton, 70, 70, false, std::nullopt, false },
        { "left with continuous print down", Qt::LeftButton, 25, 12, true, TBPoint(25.0, 12.0), false },
    };
    for (const auto& c : cases) {
        SetArea(TBPoint(10, 5), 1.0, 0);
        form.tbtn97ContPrint->SetDown(c.continuous_print);
        FollowTo(c.x, c.y);
        Click(c.button, c.x, c.y);
        EXPECT_EQ(form.tbMPbtnPrint->isEnabled(), c.print_enabled) << c.what;
        if (!c.reference) {
            EXPECT_EQ(form.State().CommandSubMode, FrameFollowsMouse) << c.what;
            EXPECT_EQ(AreaCentre(), TBPoint(10.0, 5.0)) << c.what;
            EXPECT_EQ(Utf8ToSjis(form.Tips->text().toStdString()), no_point) << c.what;
            Click(Qt::LeftButton, c.x, c.y);
            continue;
        }
        EXPECT_EQ(form.State().CommandSubMode, FrameStandsStill) << c.what;
        EXPECT_EQ(AreaCentre(), CentreFor(0, *c.reference)) << c.what;
        EXPECT_TRUE(form.tbMPbtnRange->isEnabled()) << c.what;
        if (c.button == Qt::RightButton) {
            const QPoint end = PixelOf(c.reference->GetX(), c.reference->GetY());
            EXPECT_EQ(QCursor::pos(), OnScreen(c.reference->GetX(), c.reference->GetY())) << c.what;
            EXPECT_EQ(Document().GetInfoRegPtr().GetMouseScreen(), TBPoint(end.x(), end.y())) << c.what;
            EXPECT_EQ(Document().GetElemListPtr().GetMarkerShown(), 1) << c.what;
        }
    }
}

// The clock menu's angle and centre commands hand their answer on to the
// frame.
TEST_F(PrintFrameTest, AMeasuredAngleTurnsTheFrameAndACentreTakesItsReferencePoint)
{
    Document().GetElemListPtr().Append(LineElem(-20, -20, 20, 20));
    TMouseRelease angle;
    form.State().PressPoint = PixelOf(0, 0);
    form.Measuring().RunClockCommand(87, angle);
    EXPECT_EQ(form.hcbPrintAngle->currentText(), QStringLiteral("45-0-0.00"));
    EXPECT_EQ(form.hcbPrintAngle->itemText(0), QStringLiteral("45-0-0.00"));
    EXPECT_NEAR(Document().GetInfoRegPtr().PrintAngle, Pi / 4, 1e-12);

    Document().GetElemListPtr().Clear();
    Document().GetInfoRegPtr().PrintAngle = 0;
    auto circle = boost::make_shared<TKCircle>();
    circle->SetCircle(TBPoint(20, 10), 30, TAngle(), Degrees(360), TAngle(), 1.0, 1);
    Document().GetElemListPtr().Append(circle);
    SetArea(TBPoint(10, 5), 1.0, 0);
    form.State().CommandSubMode = FrameFollowsMouse;
    TMouseRelease centre;
    centre.action = PixelOf(20, 40) + QPoint(40, 0);
    form.State().PressPoint = PixelOf(20, 40);
    form.Measuring().RunClockCommand(63, centre);
    ASSERT_TRUE(centre.mode_click);
    centre.button = TReleasedButton::Right;
    form.ModeClicks().Click(centre);
    EXPECT_EQ(form.State().CommandSubMode, FrameStandsStill);
    EXPECT_EQ(AreaCentre(), TBPoint(20.0 + 50, 10.0 + 30));
}

TEST_F(PrintFrameTest, ColourPrintFollowsItsCheckBox)
{
    for (const int flag : { 1, 0 }) {
        form.cbColorPrint->click();
        EXPECT_EQ(Document().GetHeadPtr().GetColorPrint(), flag);
        EXPECT_EQ(Document().GetInfoRegPtr().ColorPrint, flag);
    }
}
