// The wheel and the keys of the main window on a drawing: zooming about the
// cursor, bursts of notches drawn once, the zoom's bound, the key table with
// its focus rules, and Enter reaching the form once.

#include "tests/ui/MainFormTestSupport.h"

#include "controls/HistoryComboBox.h"
#include "controls/NumberEdit.h"
#include "controls/ResizableToolWindow97.h"
#include "controls/Toolbar97.h"
#include "core/Constants.h"
#include "core/DebugLog.h"
#include "platform/ImageCanvas.h"
#include "tests/support/ScopedConfigFolder.h"
#include "ui/PaintBox.h"
#include "ui/ViewChange.h"
#include "ui/ViewNavigation.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QWheelEvent>

#include <sstream>

namespace {

TZhdZoom View(double x, double y, double scale)
{
    TZhdZoom view(scale);
    view.SetXY(x, y);
    return view;
}

// Sends a wheel turn to the widget, at its centre, as the window system
// delivers one.
void TurnWheel(QWidget* widget, int angle_delta)
{
    const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
    QWheelEvent wheel(at, widget->mapToGlobal(at), QPoint(), QPoint(0, angle_delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(widget, &wheel);
}

// Whether the focus is on the control or inside it (an editable combo
// box's line edit).
bool FocusIn(const QWidget* control)
{
    const QWidget* focus = QApplication::focusWidget();
    return focus != nullptr && (focus == control || control->isAncestorOf(focus));
}

// Lines of the debug log that are exactly `line`.
int CountLines(const std::string& log, const std::string& line)
{
    std::istringstream lines(log);
    int count = 0;
    for (std::string each; std::getline(lines, each);)
        count += each == line ? 1 : 0;
    return count;
}

// Ranges a drawing's header may remember, and the view each gives, its
// scale in fitting scales.
struct TRangeCase {
    const char* name;
    TZhdZoom range;
    TZhdZoom view;
};

const std::vector<TRangeCase>& RangeCases()
{
    static const std::vector<TRangeCase> cases = {
        { "the whole paper", View(0, 0, 1), View(0, 0, 1) },
        { "a range", View(40, -25, 3), View(40, -25, 3) },
        { "scale 0", View(40, -25, 0), View(0, 0, 1) },
        { "negative scale", View(40, -25, -3), View(0, 0, 1) },
        { "scale not a number", View(40, -25, std::nan("")), View(0, 0, 1) },
    };
    return cases;
}

class ViewNavigationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form_ = std::make_unique<TForm1>(std::vector<std::string> { WriteCrossDrawing(folder_, "cross.zhd").string() });
        form_->show();
        form_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
        SettleView(*form_);
        time_ = std::make_unique<TRedrawTime>(*form_, 1000);
        time_->Advance(10);
        start_ = Info().GetView();
        RedirectDebugLog(&log_);
    }
    void TearDown() override { RedirectDebugLog(nullptr); }

    TForm1& Form() { return *form_; }
    TInfoREG& Info() { return form_->Document()->GetInfoRegPtr(); }
    double Fitting() const { return 1 / form_->Document()->GetInfoRegPtr().FitFactor; }
    // Sends the key to the control with the focus, the form when none has.
    void Press(Qt::Key key)
    {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : form_.get(), key);
    }
    // The current view, its scale given in fitting scales.
    void ExpectViewInFittingScales(const TZhdZoom& expected, const char* what)
    {
        const TZhdZoom view = Info().GetView();
        EXPECT_NEAR(view.GetScale(), expected.GetScale() * Fitting(), 1e-12) << what;
        EXPECT_NEAR(view.GetX(), expected.GetX(), 1e-9) << what;
        EXPECT_NEAR(view.GetY(), expected.GetY(), 1e-9) << what;
    }
    // The view put off by the wheel, drawn.
    void LetRedrawsRun() { time_->Advance(20); }
    // The picture on the paint box against the view drawn afresh.
    void ExpectPictureOfTheView()
    {
        QImage fresh(Form().PaintBox1->Front().size(), QImage::Format_RGB32);
        TZhdData& document = *Form().Document();
        {
            TImageCanvas canvas(fresh);
            document.RefreshLayerStates();
            document.GetElemListPtr().Draw(canvas, document);
            canvas.Finish();
        }
        EXPECT_TRUE(fresh == Form().PaintBox1->Front());
    }

    ScopedConfigFolder config_;
    TScriptedDialogsInstalled dialogs_;
    TempDir folder_;
    std::unique_ptr<TForm1> form_;
    std::unique_ptr<TRedrawTime> time_;
    TZhdZoom start_;
    std::ostringstream log_;
};

void ExpectNear(const TBPoint& actual, const TBPoint& expected, const char* what)
{
    EXPECT_NEAR(actual.GetX(), expected.GetX(), 1e-9) << what;
    EXPECT_NEAR(actual.GetY(), expected.GetY(), 1e-9) << what;
}

} // namespace

TEST_F(ViewNavigationTest, ANotchInThenOutZoomsAboutTheCursorAndGivesTheViewBack)
{
    const QPoint cursor(150, 90);
    Form().State().CursorPoint = cursor;
    const TBPoint pixel(cursor.x(), cursor.y());
    const TBPoint under = Info().ScreenToWorld(pixel);

    TurnWheel(Form().PaintBox1, -120); // towards the user
    EXPECT_DOUBLE_EQ(Info().GetView().GetScale(), start_.GetScale() * ZoomStep);
    ExpectNear(Info().ScreenToWorld(pixel), under, "the point under the cursor stays");
    EXPECT_EQ(Info().GetPrevView(), start_);
    EXPECT_EQ(Form().Panel1->text(), SjisText(Info().GetStatusText()));
    EXPECT_EQ(CountLines(log_.str(), "<FormMouseWheelDown>"), 1);
    LetRedrawsRun();
    ExpectPictureOfTheView();

    TurnWheel(Form().PaintBox1, 120); // away from the user
    EXPECT_NEAR(Info().GetView().GetScale(), start_.GetScale(), 1e-12 * start_.GetScale());
    ExpectNear(Info().GetView(), start_, "the centre is back");
    EXPECT_EQ(CountLines(log_.str(), "<FormMouseWheelUp>"), 1);
    LetRedrawsRun();
    ExpectPictureOfTheView();
}

TEST_F(ViewNavigationTest, BeforeTheMouseMovedTheWheelZoomsAboutTheTopLeftCorner)
{
    const TBPoint corner = Info().ScreenToWorld(TBPoint(0, 0));
    TurnWheel(Form().PaintBox1, -120);
    ExpectNear(Info().ScreenToWorld(TBPoint(0, 0)), corner, "pixel (0, 0)");
}

TEST_F(ViewNavigationTest, TheWheelZoomsByWholeNotches)
{
    struct Case {
        const char* name;
        std::vector<int> deltas;
        int notches_in;
    };
    const Case cases[] = {
        { "half a notch", { -60 }, 0 },
        { "two halves", { -60, -60 }, 1 },
        { "two at once", { -240 }, 2 },
        { "away", { 120 }, -1 },
        { "a turn back short of a notch", { -90, -90, 150 }, 1 },
        { "back and forth", { -90, 150, -60 }, 0 },
        { "sideways only", { 0 }, 0 },
    };
    for (const Case& c : cases) {
        SetUp();
        for (const int delta : c.deltas)
            TurnWheel(Form().PaintBox1, delta);
        EXPECT_NEAR(std::log(Info().GetView().GetScale() / start_.GetScale()) / std::log(ZoomStep), c.notches_in,
                    1e-9)
            << c.name;
    }
}

TEST_F(ViewNavigationTest, ABurstOfNotchesIsDrawnOnceInItsLastView)
{
    const QPoint cursor(300, 200);
    Form().State().CursorPoint = cursor;
    const std::uint32_t drawn = Form().View().LastRedrawTick();
    for (int notch = 0; notch < 10; ++notch) {
        TurnWheel(Form().PaintBox1, -120);
        time_->Advance(5);
    }
    EXPECT_EQ(Form().View().LastRedrawTick(), drawn) << "nothing drawn while the notches come";
    EXPECT_EQ(CountLines(log_.str(), "<FormMouseWheelDown>"), 10);
    time_->Advance(5);
    EXPECT_NE(Form().View().LastRedrawTick(), drawn);
    EXPECT_EQ(CountLines(log_.str(), "CanvasDraw()"), 1);
    EXPECT_NEAR(Info().GetView().GetScale(), start_.GetScale() * std::pow(ZoomStep, 10), 1e-9 * Info().GetView().GetScale());
    EXPECT_TRUE(Form().Panel2->text().startsWith("MouseWheelDown() | "));
    ExpectPictureOfTheView();
}

namespace {

// The tick the window's rest stopwatch reads in the test below.
std::uint32_t rest_ticks = 0;
std::uint32_t RestTicks()
{
    return rest_ticks;
}

} // namespace

TEST_F(ViewNavigationTest, EachNotchRestartsTheRestStopwatch)
{
    rest_ticks = 100000;
    Form().State().RestStopwatch = TStopWatch(RestTicks);
    rest_ticks = 103000;
    EXPECT_DOUBLE_EQ(Form().State().RestStopwatch.Elapsed(), 3);
    TurnWheel(Form().PaintBox1, -120);
    EXPECT_DOUBLE_EQ(Form().State().RestStopwatch.Elapsed(), 0);
    rest_ticks = 104500;
    TurnWheel(Form().PaintBox1, 240);
    EXPECT_DOUBLE_EQ(Form().State().RestStopwatch.Elapsed(), 0);
}

TEST_F(ViewNavigationTest, ZoomingStopsAtItsBounds)
{
    Form().State().CursorPoint = QPoint(40, 30);
    for (int notch = 0; notch < 80; ++notch)
        TurnWheel(Form().PaintBox1, -120);
    EXPECT_DOUBLE_EQ(Info().GetView().GetScale(), Fitting() * MaximumZoomOfFit);
    for (int key = 0; key < 3; ++key)
        Press(Qt::Key_PageUp);
    EXPECT_DOUBLE_EQ(Info().GetView().GetScale(), Fitting() * MaximumZoomOfFit);
    for (int notch = 0; notch < 120; ++notch)
        TurnWheel(Form().PaintBox1, 120);
    EXPECT_DOUBLE_EQ(Info().GetView().GetScale(), Fitting() * MinimumZoomOfFit);
    Press(Qt::Key_PageDown);
    EXPECT_DOUBLE_EQ(Info().GetView().GetScale(), Fitting() * MinimumZoomOfFit);
    LetRedrawsRun();
    ExpectPictureOfTheView();
}

TEST_F(ViewNavigationTest, KeysZoomAndPanAlongTheAxisAngle)
{
    const double axis = Pi / 6;
    Form().Document()->SetInfoAngle(TAngle(axis));
    const double across = Info().GetMMPerPixelX() * Info().GetPixelWidth() * 0.25 / start_.GetScale();
    const double along = Info().GetMMPerPixelY() * Info().GetPixelHeight() * 0.25 / start_.GetScale();
    struct Case {
        Qt::Key key;
        double distance;
        double direction;
        double scale_factor;
    };
    const Case cases[] = {
        { Qt::Key_Right, across, axis, 1 },           { Qt::Key_Left, across, axis + Pi, 1 },
        { Qt::Key_Up, along, axis + Pi / 2, 1 },      { Qt::Key_Down, along, axis - Pi / 2, 1 },
        { Qt::Key_PageUp, 0, 0, ZoomStep },           { Qt::Key_PageDown, 0, 0, 1 / ZoomStep },
    };
    for (const Case& c : cases) {
        Info().SetView(start_);
        Press(c.key);
        const TZhdZoom view = Info().GetView();
        ExpectNear(view, TBPoint(start_.GetX() + c.distance * std::cos(c.direction),
                                 start_.GetY() + c.distance * std::sin(c.direction)),
                   std::to_string(c.key).c_str());
        EXPECT_DOUBLE_EQ(view.GetScale(), start_.GetScale() * c.scale_factor) << c.key;
        EXPECT_EQ(Info().GetPrevView(), start_) << c.key;
    }
    // Every key of the table redraws.
    EXPECT_EQ(CountLines(log_.str(), "CanvasDraw()") + CountLines(log_.str(), "return"), 6);
}

TEST_F(ViewNavigationTest, EndTwiceSwapsTheViewAndThePreviousView)
{
    Press(Qt::Key_PageUp);
    const TZhdZoom zoomed = Info().GetView();
    Press(Qt::Key_End);
    EXPECT_EQ(Info().GetView(), start_);
    EXPECT_EQ(Info().GetPrevView(), zoomed);
    Press(Qt::Key_End);
    EXPECT_EQ(Info().GetView(), zoomed);
    EXPECT_EQ(Info().GetPrevView(), start_);
}

TEST_F(ViewNavigationTest, HomeShowsTheRememberedRangeAndClearsAllMarks)
{
    TZhdData& document = *Form().Document();
    for (const TRangeCase& c : RangeCases()) {
        document.GetHeadPtr().SetRangeMemoryView(c.range);
        document.GetElemListPtr().SelectWhere([](const TZhdElem&) { return true; }, false);
        document.GetElemListPtr().GetAt(0)->GetElemFlgPtr().SetBit(5);
        const std::uint32_t selected = document.GetElemListPtr().GetSelectedCount();
        Info().SetView(View(7, 7, Fitting() * 9));
        Press(Qt::Key_Home);
        ExpectViewInFittingScales(c.view, c.name);
        for (int k = 0; k < document.GetElemListPtr().Size(); ++k)
            EXPECT_TRUE(document.GetElemListPtr().GetAt(k)->GetElemFlg().IsClear(-1)) << c.name << k;
        EXPECT_EQ(document.GetElemListPtr().GetSelectedCount(), selected) << c.name;
    }
    LetRedrawsRun();
    ExpectPictureOfTheView();
}

TEST_F(ViewNavigationTest, KeysFollowTheFocusRules)
{
    Form().ebSearchWord->show();
    Form().ToolWindowContinuousPrint->setVisible(true);
    for (const char* name : { "1", "2", "3" })
        new QTreeWidgetItem(Form().ListView1, QStringList { name });
    Form().ListView1->setCurrentItem(Form().ListView1->topLevelItem(0));
    Form().cbSearchWord->addItems({ "a", "b", "c" });
    Form().cbSearchWord->setCurrentIndex(0);

    struct Case {
        QWidget* control;
        bool keys_move_the_view;
        bool wheel_zooms;
    };
    const Case cases[] = {
        { Form().ListView1, false, false },
        { Form().ebSearchWord, false, true },
        { Form().cbSearchWord, true, true },
        { Form().menuBar(), false, true },
    };
    for (const Case& c : cases) {
        const QString name = c.control->objectName();
        c.control->setFocus();
        ASSERT_TRUE(FocusIn(c.control)) << name.toStdString();
        const TZhdZoom before = View(5, 5, start_.GetScale() * 2);
        for (const Qt::Key key : { Qt::Key_Home, Qt::Key_End, Qt::Key_PageUp, Qt::Key_Right, Qt::Key_Down }) {
            Info().SetView(before);
            Info().SetPrevView(View(1, 1, start_.GetScale()));
            Press(key);
            EXPECT_EQ(Info().GetView() != before, c.keys_move_the_view) << name.toStdString() << " " << key;
        }
        Info().SetView(start_);
        TurnWheel(Form().PaintBox1, -120);
        EXPECT_EQ(Info().GetView() != start_, c.wheel_zooms) << name.toStdString();
    }
    // What the controls did with the keys they kept, and did not with those
    // the view took.
    EXPECT_NE(Form().ListView1->currentItem(), Form().ListView1->topLevelItem(0)) << "Down moved in the list";
    EXPECT_EQ(Form().cbSearchWord->currentIndex(), 0) << "Down moved the view, not the combo box";
}

TEST_F(ViewNavigationTest, EnterRedrawsOnceAndLeavesTheValueEditsForTheSubCommandBar)
{
    // Enter in the search word searches, and the word keeps the focus; the
    // view stays.
    Form().cbSearchWord->setFocus();
    QTest::keyClicks(Form().cbSearchWord, "xyz");
    log_.str("");
    Press(Qt::Key_Return);
    EXPECT_TRUE(Form().ToolbarSearch->Caption().endsWith(QtText(u8"xyz = 0 文字")))
        << Form().ToolbarSearch->Caption().toStdString();
    EXPECT_TRUE(FocusIn(Form().cbSearchWord));
    EXPECT_EQ(Info().GetView(), start_);
    // The search's redraw, put off by the gate, is drawn before the edits'.
    time_->Advance(20);

    for (QWidget* edit : { static_cast<QWidget*>(Form().nePrtPitch), static_cast<QWidget*>(Form().hcbPrintAngle) }) {
        Form().tbMainPrint->show();
        edit->setEnabled(true);
        edit->setFocus();
        ASSERT_TRUE(FocusIn(edit)) << edit->objectName().toStdString();
        log_.str("");
        time_->Advance(20);
        Press(Qt::Key_Enter);
        EXPECT_EQ(QApplication::focusWidget(), Form().ToolbarSubCommand) << edit->objectName().toStdString();
        EXPECT_EQ(CountLines(log_.str(), "CanvasDraw()"), 1) << edit->objectName().toStdString();
    }
}

TEST_F(ViewNavigationTest, KeysReachTheViewWhenNoControlHasTheFocus)
{
    if (QWidget* focus = QApplication::focusWidget())
        focus->clearFocus();
    ASSERT_EQ(QApplication::focusWidget(), nullptr);
    QTest::keyClick(&Form(), Qt::Key_PageUp);
    EXPECT_DOUBLE_EQ(Info().GetView().GetScale(), start_.GetScale() * ZoomStep);
}

// A drawing opens at the range its header remembers, read by the same rule
// as Home's.
TEST_F(ViewNavigationTest, ADrawingOpensAtItsRememberedRangeOrTheWholePaper)
{
    for (const TRangeCase& c : RangeCases()) {
        TZhdData drawing;
        ASSERT_EQ(drawing.LoadFromFile(SjisPath(folder_.File("cross.zhd"))).status, TLoadStatus::Loaded);
        drawing.GetHeadPtr().SetRangeMemoryView(c.range);
        const std::filesystem::path path = folder_.File("range.zhd");
        ASSERT_EQ(drawing.SaveToFile(SjisPath(path)), TSaveStatus::Saved);
        ASSERT_EQ(Form().FileOpen(path), 1) << c.name;
        ExpectViewInFittingScales(c.view, c.name);
    }
}
