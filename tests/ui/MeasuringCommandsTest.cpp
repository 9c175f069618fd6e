// The measuring commands of the clock menu on a shown main window, one
// drawing millimetre a pixel: what the release of the menu leaves in the
// release's working values, and the second click of the two-click
// commands.

#include "tests/elements/BlockFixture.h"
#include "tests/ui/OverDrawingTestSupport.h"

#include "controls/HistoryComboBox.h"
#include "elements/KCircle.h"
#include "elements/KPoint.h"
#include "elements/KSolid.h"
#include "ui/ClockMenu.h"
#include "ui/MeasuringCommands.h"
#include "ui/MouseRelease.h"
#include "ui/PointingServices.h"
#include "ui/StatusButtons.h"
#include "ui/TipBox.h"

#include <QLabel>
#include <QStatusBar>

#include <boost/make_shared.hpp>

#include <memory>

namespace {

constexpr int frame_mode = 1;
const QString status_before = QStringLiteral("before");

// The angle texts of the tip: " " + degrees ﾟ minutes ' seconds " + " ".
std::string AngleTip(const char8_t* degrees)
{
    return " " + sj(degrees) + sj(u8"ﾟ 00' 00.0000000\"  ");
}

class MeasuringCommandsTest : public OverDrawingTest {
protected:
    void SetUp() override
    {
        OverDrawingTest::SetUp();
        UseView(1);
        Document().GetHeadPtr().SetGroupScale(0, 1);
        form.UpdateStatusButtons(1);
        form.StatusBar1->showMessage(status_before);
        commands = std::make_unique<TMeasuringCommands>(form, form.ClockMenu(), form.Pointing(), form.TipBox(),
                                                        form.StatusButtons(), [this] { ++print_angle_exits; });
    }

    void Add(const TZhdElemPtr& elem) { Document().GetElemListPtr().Append(elem); }

    void AddLine(double x1, double y1, double x2, double y2) { Add(LineElem(x1, y1, x2, y2)); }

    TZhdElemPtr Circle(double cx, double cy, double radius, double flatness = 1.0)
    {
        auto circle = boost::make_shared<TKCircle>();
        circle->SetCircle(TBPoint(cx, cy), radius, TAngle(), Degrees(360), TAngle(), flatness, 1);
        return circle;
    }

    // The clock menu let go with the press at the drawing point: the release
    // as the release handler sets it up, 40 pixels right of the press.
    TMouseRelease RunClockCommand(int id, double x, double y)
    {
        form.State().PressPoint = PixelOf(x, y);
        TMouseRelease release;
        release.action = PixelOf(x, y) + QPoint(40, 0);
        release.mode_click = false;
        commands->RunClockCommand(id, release);
        return release;
    }

    // A later release at the drawing point while the command is pending.
    TMouseRelease CompleteAt(int pending, TReleasedButton button, double x, double y)
    {
        form.ClockMenu().SetCurrentClockCommand(pending);
        TMouseRelease release;
        release.button = button;
        release.action = PixelOf(x, y);
        commands->CompleteTwoClick(release);
        return release;
    }

    QString Status() const { return form.StatusBar1->currentMessage(); }
    std::string TipShown() const { return Utf8ToSjis(form.Tips->text().toStdString()); }

    std::unique_ptr<TMeasuringCommands> commands;
    int print_angle_exits = 0;
};

} // namespace

TEST_F(MeasuringCommandsTest, CentrePointOnALineEndAsksForBAndALeftClickGivesTheMiddle)
{
    AddLine(-40, 0, 40, 0);
    const TMouseRelease first = RunClockCommand(63, 41, 1);
    EXPECT_EQ(commands->MeasuringPointA(), TBPoint(40.0, 0.0));
    EXPECT_EQ(first.follow_up, 64);
    EXPECT_EQ(first.pick_result, -1);
    EXPECT_FALSE(first.mode_click);
    EXPECT_TRUE(first.tip_text.empty());
    EXPECT_EQ(Status(), QtText(u8"２点間中心　Ｂ点指示"));
    EXPECT_EQ(form.State().SavedStatusText, status_before);

    const TMouseRelease second = CompleteAt(64, TReleasedButton::Left, 0, 20);
    EXPECT_EQ(commands->MeasuringPointB(), TBPoint(0.0, 20.0));
    EXPECT_EQ(second.picked_point, TBPoint(20.0, 10.0));
    EXPECT_EQ(second.pick_result, 0);
    EXPECT_EQ(second.button, TReleasedButton::Right);
    EXPECT_TRUE(second.mode_click);
    EXPECT_EQ(Status(), status_before);
    EXPECT_EQ(form.ClockMenu().CurrentClockCommand(), 0);
}

TEST_F(MeasuringCommandsTest, CentrePointWhilePlacingTheFrameMarksPointAAndMovesTheCursorThere)
{
    AddLine(-40, 0, 40, 0);
    form.State().CommandMode = frame_mode;
    form.State().CommandSubMode = 1;
    const TMouseRelease release = RunClockCommand(63, 38, 2);
    const QPoint end = PixelOf(40, 0);
    EXPECT_EQ(form.Pointing().MarkerPoint(), end);
    EXPECT_EQ(Document().GetElemListPtr().GetMarkerShown(), 1);
    EXPECT_EQ(Document().GetInfoRegPtr().GetMouseScreen(), TBPoint(end.x(), end.y()));
    EXPECT_EQ(release.action, PixelOf(38, 2));
    EXPECT_EQ(form.State().CursorPoint, PixelOf(38, 2));
}

TEST_F(MeasuringCommandsTest, CentrePointAwayFromAnyPointTakesTheElementsKeyPoint)
{
    AddLine(-40, -50, 40, -50);
    Add(Circle(0, 0, 30));
    struct {
        const char* what;
        double x;
        double y;
        int pick_result;
        TBPoint picked;
    } const cases[] = {
        { "the top of the circle: its centre", 0, 30, 1, TBPoint(0.0, 0.0) },
        { "beside the line: its middle", 20, -52, 0, TBPoint(0.0, -50.0) },
    };
    for (const auto& c : cases) {
        const TMouseRelease release = RunClockCommand(63, c.x, c.y);
        EXPECT_EQ(release.pick_result, c.pick_result) << c.what;
        EXPECT_EQ(release.picked_point, c.picked) << c.what;
        EXPECT_EQ(release.action, PixelOf(c.x, c.y)) << c.what;
        EXPECT_TRUE(release.mode_click) << c.what;
        EXPECT_TRUE(release.clock_menu_closed) << c.what;
        EXPECT_EQ(release.follow_up, 0) << c.what;
    }
    // Nowhere near anything: nothing happens.
    const TMouseRelease nothing = RunClockCommand(63, 100, 100);
    EXPECT_FALSE(nothing.clock_menu_closed);
    EXPECT_FALSE(nothing.mode_click);
    EXPECT_EQ(Status(), status_before);
}

TEST_F(MeasuringCommandsTest, LineAnglesAreFoldedIntoTheRightHalf)
{
    struct {
        const char* what;
        int id;
        // The line; the press is a pixel above its middle, the origin.
        double x1, y1, x2, y2;
        const char8_t* degrees;
    } const cases[] = {
        { "88 on a horizontal line", 88, -40, 0, 40, 0, u8" 90" },
        { "87 on a line drawn right to left", 87, 40, 0, -40, 0, u8"  0" },
        { "87 on a line down to the left", 87, 20, 20, -20, -20, u8" 45" },
        { "88 on a line down to the left", 88, 20, 20, -20, -20, u8"-45" },
    };
    for (const auto& c : cases) {
        Document().GetElemListPtr().Clear();
        AddLine(c.x1, c.y1, c.x2, c.y2);
        const TMouseRelease release = RunClockCommand(c.id, 0, 1);
        EXPECT_EQ(release.tip_text, AngleTip(c.degrees)) << c.what;
        // The tip goes where the menu was let go.
        EXPECT_EQ(release.action, PixelOf(0, 1) + QPoint(40, 0)) << c.what;
        EXPECT_EQ(release.follow_up, 0) << c.what;
    }
    EXPECT_EQ(print_angle_exits, 0);
}

TEST_F(MeasuringCommandsTest, InTheFrameModeALineAngleBecomesThePrintAngle)
{
    form.State().CommandMode = frame_mode;
    AddLine(-20, -20, 20, 20);
    const TMouseRelease release = RunClockCommand(87, 0, 0);
    EXPECT_EQ(release.tip_text, AngleTip(u8" 45"));
    EXPECT_EQ(form.hcbPrintAngle->currentText(), QStringLiteral(" 45-00-00.00"));
    EXPECT_EQ(print_angle_exits, 1);
}

TEST_F(MeasuringCommandsTest, CircleAnglesAskForThePointOfTheTangent)
{
    const QString question = QtText(u8" ●円接線角● 円上点を指示してください． (L)free (R)Read ");
    struct {
        int id;
        int follow_up;
        const char8_t* degrees;
    } const cases[] = {
        // The tangent at 45 degrees round the circle runs at 135 degrees.
        { 87, 300, u8"-45" },
        { 88, 301, u8" 45" },
    };
    for (const auto& c : cases) {
        Document().GetElemListPtr().Clear();
        Add(Circle(0, 0, 30));
        form.StatusBar1->showMessage(status_before);
        const TMouseRelease started = RunClockCommand(c.id, 0, 31);
        EXPECT_EQ(started.follow_up, c.follow_up) << c.id;
        EXPECT_EQ(started.picked_point, TBPoint(0.0, 0.0)) << c.id;
        EXPECT_TRUE(started.tip_text.empty()) << c.id;
        EXPECT_EQ(Status(), question) << c.id;

        // A right click far from any point: the command stays pending.
        const TMouseRelease missed = CompleteAt(c.follow_up, TReleasedButton::Right, 50, 40);
        EXPECT_EQ(TipShown(), sj(u8"　点がありません！　")) << c.id;
        EXPECT_EQ(form.ClockMenu().CurrentClockCommand(), c.follow_up) << c.id;
        EXPECT_EQ(Status(), question) << c.id;
        EXPECT_TRUE(missed.mode_click) << c.id;

        const TMouseRelease done = CompleteAt(c.follow_up, TReleasedButton::Left, 21, 21);
        EXPECT_EQ(TipShown(), AngleTip(c.degrees)) << c.id;
        EXPECT_TRUE(form.TipBox().Pinned()) << c.id;
        EXPECT_FALSE(done.mode_click) << c.id;
        EXPECT_EQ(form.ClockMenu().CurrentClockCommand(), 0) << c.id;
        EXPECT_EQ(Status(), status_before) << c.id;
    }
}

TEST_F(MeasuringCommandsTest, ThePickedCircleOutlivesTheDrawingItCameFrom)
{
    Add(Circle(0, 0, 30));
    RunClockCommand(87, 0, 31);
    Document().GetElemListPtr().Clear();
    CompleteAt(300, TReleasedButton::Left, 21, 21);
    EXPECT_EQ(TipShown(), AngleTip(u8"-45"));
}

TEST_F(MeasuringCommandsTest, LengthsInTheDisplayUnitOrWhatTheElementIs)
{
    form.StatusButtons().SetDisplayUnit(1);
    form.UpdateStatusButtons(1);
    // " ｍ ".
    const std::string metres = "\x20\x82\x8d\x20";
    ASSERT_EQ(form.StatusButtons().UnitLabel(), metres);
    AddDefinition(Document(), 5, { LineElem(0, 0, 10, 0) });

    auto point = boost::make_shared<TKPoint>();
    point->SetPoint(TBPoint(0.0, 0.0), 0, 0, TAngle(), 1.0);
    auto solid = boost::make_shared<TKSolid>();
    solid->SetSolid(TBPoint(0.0, 0.0), TBPoint(20.0, 0.0), TBPoint(20.0, 10.0), TBPoint(0.0, 10.0), 0);
    struct {
        const char* what;
        TZhdElemPtr elem;
        double x;
        double y;
        std::string tip;
    } const cases[] = {
        { "a line of 100 mm", LineElem(-50, 0, 50, 0), 10, 1, " L= 0.1" + metres },
        { "a circle of radius 10 mm", Circle(0, 0, 10), 0, 11,
          " L= 0.0628318530717959" + metres + "\n R= 0.01" + metres },
        { "a point", point, 1, 1, sj(u8"　点データです！　") },
        { "a solid", solid, 10, 1, sj(u8"　ソリッドデータです！　") },
        { "a block", BlockElem(5, TBPoint(0.0, 0.0), 1, 1), 5, 1, sj(u8"　ブロックデータです！　") },
    };
    for (const auto& c : cases) {
        Document().GetElemListPtr().Clear();
        Add(c.elem);
        EXPECT_EQ(RunClockCommand(92, c.x, c.y).tip_text, c.tip) << c.what;
    }
}

TEST_F(MeasuringCommandsTest, AnEllipsesFlatnessShowsUnscaled)
{
    form.StatusButtons().SetDisplayUnit(1);
    form.UpdateStatusButtons(1);
    Add(Circle(0, 0, 10, 0.5));
    const QStringList lines = SjisText(RunClockCommand(92, 11, 0).tip_text).split('\n');
    ASSERT_EQ(lines.size(), 3);
    // The perimeter of the ellipse of axes 10 and 5 mm: 48.442 mm.
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral(" L= 0.048442"))) << lines[0].toStdString();
    EXPECT_EQ(lines[1], QtText(u8" R= 0.01 ｍ "));
    EXPECT_EQ(lines[2], QtText(u8" 扁平率= 0.5 "));
}

TEST_F(MeasuringCommandsTest, NoElementNearThePressPoint)
{
    AddLine(-40, 0, 40, 0);
    for (const int id : { 87, 88, 92 }) {
        const TMouseRelease release = RunClockCommand(id, 0, 30);
        EXPECT_EQ(release.tip_text, sj(u8"　図形がありません！　")) << id;
        EXPECT_EQ(release.action, PixelOf(0, 30)) << id;
        EXPECT_EQ(release.follow_up, 0) << id;
    }
    EXPECT_EQ(Status(), status_before);
}
