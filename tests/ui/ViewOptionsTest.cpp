// The view toolbar's options on a shown main window: what each handler
// writes into TInfoREG, the marks and enabling of the menus, the background
// pen and the redraw it asks for (once, with its label); the image and solid
// order code's transitions; the two state hints; the number edits' exits;
// the settings at start-up and a drawing opened; and the two dialogs run
// from the toolbar.

#include "tests/ui/OverDrawingTestSupport.h"

#include "controls/NumberEdit.h"
#include "controls/Toolbar97.h"
#include "core/DebugLog.h"
#include "ui/ViewOptions.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>

#include <climits>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

namespace {

QString Text(const char8_t* text)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(text));
}

int CountLines(const std::string& log, const std::string& line)
{
    std::istringstream lines(log);
    int count = 0;
    for (std::string read; std::getline(lines, read);)
        count += read == line ? 1 : 0;
    return count;
}

class ViewOptionsTest : public OverDrawingTest {
protected:
    void SetUp() override
    {
        OverDrawingTest::SetUp();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        time_ = std::make_unique<TRedrawTime>(form, 1000);
        RedirectDebugLog(&log_);
    }
    void TearDown() override { RedirectDebugLog(nullptr); }

    TInfoREG& Info() { return Document().GetInfoRegPtr(); }
    int Background() { return Document().GetPenMapPtr()["B"].GetColor(); }

    // Opens the redraw gate and forgets what was drawn so far.
    void StartCounting()
    {
        time_->Advance(100);
        log_.str({});
    }
    // After a dialog the main window gives the focus to the sub-command bar
    // when the window system makes it active again.
    bool FocusBackOnSubCommandBar() { return form.focusWidget() == form.ToolbarSubCommand; }
    int FullRedraws() const { return CountLines(log_.str(), "CanvasDraw()"); }
    // The caller label of the last redraw, as the status line shows it.
    std::string LastLabel() const
    {
        const std::string line = form.Panel2->text().toStdString();
        return line.substr(0, line.find(" | "));
    }

    std::ostringstream log_;
    std::unique_ptr<TRedrawTime> time_;
};

struct HandlerCase {
    const char* name;
    std::function<void(TForm1&)> setup;
    std::function<void(TForm1&)> act;
    const char* label;
    std::function<void(TForm1&, TInfoREG&)> check;
};

void ExpectMenu(TForm1& form, bool n2, bool n4, bool n4_enabled)
{
    EXPECT_EQ(form.N2->isChecked(), n2);
    EXPECT_EQ(form.N4->isChecked(), n4);
    EXPECT_EQ(form.N4->isEnabled(), n4_enabled);
    EXPECT_EQ(form.N6->isEnabled(), n4_enabled);
}

void ExpectTraceControls(TForm1& form, bool enabled)
{
    EXPECT_EQ(form.cbTrace->isEnabled(), enabled);
    EXPECT_EQ(form.neTrace->isEnabled(), enabled);
    EXPECT_EQ(form.Label1->isEnabled(), enabled);
}

const HandlerCase handler_cases[] = {
    { "width", nullptr, [](TForm1& f) { f.cbWidthView->setChecked(true); }, "WidthViewClick()",
      [](TForm1&, TInfoREG& info) { EXPECT_EQ(info.LineWidthDisplay, 1); } },
    { "colour transparency", nullptr, [](TForm1& f) { f.cbColorTransparent->setChecked(true); },
      "ColorTranparentClick()",
      [](TForm1& f, TInfoREG& info) {
          EXPECT_EQ(f.Document()->GetPenMapPtr()["B"].GetColor(), 0xFFFFFF);
          EXPECT_EQ(info.ColorTransparent, 1);
          EXPECT_EQ(info.Transparent, 0);
          EXPECT_EQ(info.DrawOrder % 10, 2);
          EXPECT_EQ(info.TraceWidth, 0);
          ExpectMenu(f, true, true, true);
          ExpectTraceControls(f, true);
      } },
    { "colour transparency with the trace rule", [](TForm1& f) { f.cbTrace->setChecked(true); },
      [](TForm1& f) { f.cbColorTransparent->setChecked(true); }, "ColorTranparentClick()",
      [](TForm1&, TInfoREG& info) { EXPECT_EQ(info.TraceWidth, 50); } },
    { "both transparencies", [](TForm1& f) { f.cbTransparent->setChecked(true); },
      [](TForm1& f) { f.cbColorTransparent->setChecked(true); }, "MonoColorTranparentClick()",
      [](TForm1&, TInfoREG& info) {
          EXPECT_EQ(info.Transparent, 1);
          EXPECT_EQ(info.ColorTransparent, 1);
      } },
    { "transparency off",
      [](TForm1& f) {
          f.cbTrace->setChecked(true);
          f.cbTransparent->setChecked(true);
      },
      [](TForm1& f) { f.cbTransparent->setChecked(false); }, "TranparentClick()",
      [](TForm1& f, TInfoREG& info) {
          EXPECT_EQ(f.Document()->GetPenMapPtr()["B"].GetColor(), 0x000000);
          EXPECT_EQ(info.Transparent, 0);
          EXPECT_EQ(info.TraceWidth, 0);
          EXPECT_EQ(info.DrawOrder % 10, 1);
          ExpectMenu(f, true, false, true);
          ExpectTraceControls(f, false);
      } },
    { "trace rule", [](TForm1& f) { f.cbTransparent->setChecked(true); },
      [](TForm1& f) { f.cbTrace->setChecked(true); }, "TraceClick()",
      [](TForm1& f, TInfoREG& info) {
          EXPECT_EQ(info.TraceWidth, 50);
          EXPECT_TRUE(f.neTrace->isEnabled());
      } },
    { "hidden text frame box", [](TForm1& f) { f.miMojiWaku->setChecked(true); },
      [](TForm1& f) { f.cbMojiWaku->setChecked(true); }, "TextFrameClick()",
      [](TForm1&, TInfoREG& info) { EXPECT_EQ(info.MojiWaku, 1); } },
    { "hidden embedded text box", nullptr, [](TForm1& f) { f.cbEmbedMoji->setChecked(true); },
      "EmembedTextClick()",
      // The box only passes the menu's mark on.
      [](TForm1&, TInfoREG& info) { EXPECT_EQ(info.EmbedMoji, 0); } },
    { "text frames", nullptr, [](TForm1& f) { f.miMojiWaku->trigger(); }, "TextFrameClick()",
      [](TForm1& f, TInfoREG& info) {
          EXPECT_EQ(info.MojiWaku, 1);
          EXPECT_TRUE(f.miMojiWaku->isChecked());
      } },
    { "embedded text", nullptr, [](TForm1& f) { f.miEmbedMoji->trigger(); }, "EmembedTextClick()",
      [](TForm1&, TInfoREG& info) { EXPECT_EQ(info.EmbedMoji, 1); } },
    { "outline over the range box", [](TForm1& f) { f.miEdgeMoji2->trigger(); },
      [](TForm1& f) { f.miEdgeMoji->trigger(); }, "EdgeTextClick()",
      [](TForm1& f, TInfoREG& info) {
          EXPECT_EQ(info.EdgeMoji, 1);
          EXPECT_FALSE(f.miEdgeMoji2->isChecked());
      } },
    { "range box over the outline", [](TForm1& f) { f.miEdgeMoji->trigger(); },
      [](TForm1& f) { f.miEdgeMoji2->trigger(); }, "EdgeText2Click()",
      [](TForm1& f, TInfoREG& info) {
          EXPECT_EQ(info.EdgeMoji, 2);
          EXPECT_FALSE(f.miEdgeMoji->isChecked());
          EXPECT_TRUE(f.miEdgeMoji2->isChecked());
      } },
    { "range box off", [](TForm1& f) { f.miEdgeMoji2->trigger(); }, [](TForm1& f) { f.miEdgeMoji2->trigger(); },
      "EdgeText2Click()", [](TForm1&, TInfoREG& info) { EXPECT_EQ(info.EdgeMoji, 0); } },
    { "texts last", nullptr, [](TForm1& f) { f.miFinalMoji->trigger(); }, "FinalTextClick()",
      [](TForm1&, TInfoREG& info) { EXPECT_EQ(info.FinalMoji, 1); } },
    { "layer order from reverse", [](TForm1& f) { f.Document()->GetInfoRegPtr().LayerOrder = 2; },
      [](TForm1& f) { f.btnLay->click(); }, "LayerOrderClick()",
      [](TForm1& f, TInfoREG& info) {
          EXPECT_EQ(info.LayerOrder, 0);
          EXPECT_EQ(f.btnLay->text(), Text(u8"レイヤ順無"));
      } },
    { "layer order at the largest int", [](TForm1& f) { f.Document()->GetInfoRegPtr().LayerOrder = INT_MAX; },
      [](TForm1& f) { f.btnLay->click(); }, "LayerOrderClick()",
      [](TForm1& f, TInfoREG& info) {
          EXPECT_EQ(info.LayerOrder, 2);
          EXPECT_EQ(f.btnLay->text(), Text(u8"レイヤ逆順"));
      } },
    { "colour order from reverse data order", [](TForm1& f) { f.Document()->GetInfoRegPtr().ColorOrder = 3; },
      [](TForm1& f) { f.btnCol->click(); }, "ColorOrderClick()",
      [](TForm1& f, TInfoREG& info) {
          EXPECT_EQ(info.ColorOrder, 0);
          EXPECT_EQ(f.btnCol->text(), Text(u8"データ順"));
      } },
    { "colour order from a negative one", [](TForm1& f) { f.Document()->GetInfoRegPtr().ColorOrder = -6; },
      [](TForm1& f) { f.btnCol->click(); }, "ColorOrderClick()",
      [](TForm1& f, TInfoREG& info) {
          EXPECT_EQ(info.ColorOrder, -1);
          EXPECT_EQ(f.btnCol->text(), Text(u8"データ順"));
      } },
    { "images and solids first switched off",
      [](TForm1& f) {
          f.Document()->GetInfoRegPtr().DrawOrder = 31;
          f.UpdateMenuStates(31);
      },
      [](TForm1& f) { f.N2->trigger(); }, "RasSolidOrderClick()",
      [](TForm1& f, TInfoREG& info) {
          EXPECT_EQ(info.DrawOrder, 30);
          ExpectMenu(f, false, false, false);
      } },
    { "solids first",
      [](TForm1& f) {
          f.Document()->GetInfoRegPtr().DrawOrder = 41;
          f.UpdateMenuStates(41);
      },
      [](TForm1& f) { f.N4->trigger(); }, "RasSolidOrderClick()",
      [](TForm1& f, TInfoREG& info) {
          EXPECT_EQ(info.DrawOrder, 42);
          ExpectMenu(f, true, true, true);
      } },
    { "output settings order",
      [](TForm1& f) {
          f.Document()->GetInfoRegPtr().DrawOrder = 1;
          f.UpdateMenuStates(1);
      },
      [](TForm1& f) { f.N15->trigger(); }, "RasSolidOrder2Click()",
      [](TForm1&, TInfoREG& info) { EXPECT_EQ(info.DrawOrder, 61); } },
};

TEST_F(ViewOptionsTest, EachHandlerSetsItsOptionsAndRedrawsOnce)
{
    for (const HandlerCase& c : handler_cases) {
        SCOPED_TRACE(c.name);
        // Each case from the same start: every option off.
        for (QCheckBox* box : { form.cbWidthView, form.cbTransparent, form.cbColorTransparent, form.cbTrace,
                                form.cbMojiWaku, form.cbEmbedMoji })
            box->setChecked(false);
        for (QAction* item : { form.miMojiWaku, form.miEmbedMoji, form.miEdgeMoji, form.miEdgeMoji2, form.miFinalMoji })
            item->setChecked(false);
        form.ApplyViewOptions(0);
        if (c.setup)
            c.setup(form);
        form.Panel2->clear();
        StartCounting();
        c.act(form);
        EXPECT_EQ(FullRedraws(), 1);
        EXPECT_EQ(LastLabel(), c.label);
        EXPECT_EQ(QApplication::focusWidget(), form.ToolbarSubCommand);
        c.check(form, Info());
    }
}

TEST_F(ViewOptionsTest, OrderCodeTransitions)
{
    using namespace TRasSolidOrder;
    struct Case {
        int code;
        bool solids_item;
        bool was_checked;
        int after;
    };
    const Case first_cases[] = {
        { 31, false, true, 30 }, { 30, false, false, 31 }, { 31, true, false, 32 },
        { 32, true, true, 31 },  { -7, false, false, 1 },  { 2147483647, true, false, 2147483642 },
    };
    for (const Case& c : first_cases)
        EXPECT_EQ(AfterFirstClick(c.code, c.solids_item, c.was_checked), c.after) << c.code;

    struct OrderCase {
        int code;
        TOrderItem item;
        bool was_checked;
        int after;
    };
    const OrderCase order_cases[] = {
        { 1, ByOutputSettings, false, 61 },
        { 61, ByOutputSettings, true, 1 },
        // From the view's own orders the layer items start at layer order.
        { 61, ByReverseLayer, false, 31 },
        { 61, ByLayer, false, 1 },
        { 32, ByLayer, false, 2 },
        { 2, ByLayer, true, 2 },
        { 41, ByLayer, false, 11 },
        { 21, ByColour, false, 11 },
        { 51, ByColour, false, 41 },
        { 11, ByColour, true, 1 },
        { 1, ByReverseColour, false, 21 },
        { 41, ByReverseColour, false, 51 },
        { 52, ByReverseColour, true, 32 },
        { 31, ByColour, false, 41 },
        // A negative digit becomes 0; a digit the table has not counts as 0.
        { 1, ByLayer, false, 1 },
        { 91, ByColour, false, 11 },
        { 2147483647, ByReverseLayer, false, 37 },
    };
    for (const OrderCase& c : order_cases)
        EXPECT_EQ(AfterOrderClick(c.code, c.item, c.was_checked), c.after) << c.code << " item " << c.item;
}

TEST_F(ViewOptionsTest, OrderMenuFollowsTheCode)
{
    // N11..N15 marked for each tens digit, N2 and N4 for each units digit.
    const char* const marks[] = { "10000", "10100", "10010", "01000", "01100", "01010", "00001", "00000" };
    for (int tens = 0; tens < 8; ++tens) {
        form.UpdateMenuStates(tens * 10 + 1);
        std::string shown;
        for (QAction* item : { form.N11, form.N12, form.N13, form.N14, form.N15 })
            shown += item->isChecked() ? '1' : '0';
        EXPECT_EQ(shown, marks[tens]) << tens;
    }
    // The user's path through the menu: each item with its own mark.
    Info().DrawOrder = 1;
    form.UpdateMenuStates(1);
    form.N15->trigger();
    EXPECT_EQ(Info().DrawOrder, 61);
    EXPECT_TRUE(form.N15->isChecked());
    EXPECT_FALSE(form.N11->isChecked());
    form.N12->trigger();
    EXPECT_EQ(Info().DrawOrder, 31);
    EXPECT_TRUE(form.N12->isChecked());
    EXPECT_FALSE(form.N15->isChecked());
    Info().DrawOrder = 21;
    form.UpdateMenuStates(21);
    form.N13->trigger();
    EXPECT_EQ(Info().DrawOrder, 11);
    EXPECT_TRUE(form.N11->isChecked());
    EXPECT_TRUE(form.N13->isChecked());
    EXPECT_FALSE(form.N14->isChecked());
}

TEST_F(ViewOptionsTest, TextDisplayHintShowsTheMarks)
{
    struct Case {
        bool frames, embedded, outline, range_box, last;
        const char8_t* state;
    };
    const Case cases[] = {
        { false, false, false, false, false, u8"｜｜｜" },  { true, false, false, false, false, u8"枠｜｜｜" },
        { false, true, false, false, true, u8"｜埋｜｜後" }, { false, false, true, false, false, u8"｜｜縁｜" },
        { false, false, false, true, false, u8"｜｜範｜" },  { true, true, false, true, true, u8"枠｜埋｜範｜後" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(TextViewState(c.frames, c.embedded, c.outline, c.range_box, c.last),
                  reinterpret_cast<const char*>(c.state));
    form.miMojiWaku->trigger();
    EXPECT_EQ(form.tbtnMojiView->toolTip(),
              Text(u8"文字表示に関する指定をします．\nクリックすると詳細設定が開きます．\n現在の状態［ 枠｜｜｜ ］"));
}

TEST_F(ViewOptionsTest, RasterHintShowsTheLoadingSettings)
{
    struct Case {
        int release, cache, load_time, time_num, save_size, size_num, unit, rate, rate_num, combine1, combine2;
        const char8_t* state;
    };
    const Case cases[] = {
        { 0, 0, 1, 5000, 1, 100, 2, 1, 80, 0, 0, u8"｜" },
        { 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, u8"解｜" },
        { 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, u8"｜キャッシュ" },
        { 0, 1, 1, 5000, 0, 0, 0, 0, 0, 0, 0, u8"｜キャッシュ｜5000ミリ秒以上" },
        { 1, 1, 1, 3000, 1, 64, 2, 0, 0, 1, 0, u8"解｜キャッシュ｜3000ミリ秒以上 or 64MB以下" },
        { 0, 1, 0, 0, 1, 2, 4, 1, 75, 0, 0, u8"｜キャッシュ2TB以下 and 75％以下" },
        { 0, 1, 1, 10, 1, 1, 2, 1, 50, 1, 0, u8"｜キャッシュ｜10ミリ秒以上 or 1MB以下 and 50％以下" },
    };
    for (const Case& c : cases) {
        TInfoREG& info = Info();
        info.Release = c.release;
        info.UseCache = c.cache;
        info.LoadTime = c.load_time;
        info.LoadTimeNum = c.time_num;
        info.SaveSize = c.save_size;
        info.SaveSizeNum = c.size_num;
        info.SaveSizeUnit = c.unit;
        info.Rate = c.rate;
        info.RateNum = c.rate_num;
        info.Combine1 = c.combine1;
        info.Combine2 = c.combine2;
        StartCounting();
        QTimer::singleShot(0, [] {
            QWidget* dialog = QApplication::activeModalWidget();
            ASSERT_NE(dialog, nullptr);
            dialog->findChild<QPushButton*>("btnExec")->click();
        });
        form.tbtnRasSolid->click();
        EXPECT_EQ(FullRedraws(), 1);
        EXPECT_EQ(LastLabel(), "RasSolidConfig()");
        EXPECT_EQ(form.tbtnRasSolid->toolTip(),
                  Text(u8"画像データの表示順と読込に関する設定をします．\n▼をクリックすると表示順が\nボタンをクリック"
                       u8"すると読込設定が開きます．\n現在の状態［ ")
                      + Text(c.state) + Text(u8" ］"))
            << reinterpret_cast<const char*>(c.state);
    }
}

TEST_F(ViewOptionsTest, CancelledLoadingSettingsChangeNothing)
{
    Info().RateNum = 70;
    const QString hint = form.tbtnRasSolid->toolTip();
    StartCounting();
    QTimer::singleShot(0, [] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        dialog->findChild<QComboBox*>("cmbCombine1")->setCurrentIndex(1);
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    form.miRasLoadConfig->trigger();
    EXPECT_EQ(FullRedraws(), 0);
    EXPECT_EQ(Info().RateNum, 70);
    EXPECT_EQ(Info().Combine1, 0);
    EXPECT_EQ(form.tbtnRasSolid->toolTip(), hint);
    EXPECT_TRUE(FocusBackOnSubCommandBar());
}

TEST_F(ViewOptionsTest, LeavingTheEditsStoresWithoutRedrawing)
{
    const auto type_and_leave = [this](TNumberEdit* edit, const char* text) {
        edit->setFocus(Qt::TabFocusReason);
        edit->setText(QString::fromLatin1(text));
        form.cbWidthView->setFocus(Qt::TabFocusReason);
    };
    StartCounting();
    for (const char* text : { "", "0" }) {
        type_and_leave(form.nePrtPitch, text);
        EXPECT_EQ(form.nePrtPitch->Value(), 1) << text;
        EXPECT_EQ(form.nePrtPitch->text(), "1") << text;
        EXPECT_EQ(Info().PrtPitch, 1) << text;
    }
    type_and_leave(form.nePrtPitch, "35");
    EXPECT_EQ(Info().PrtPitch, 35);

    // Transparency enables the trace width with the rule off: leaving it
    // keeps the rule off.
    form.cbTransparent->setChecked(true);
    StartCounting();
    type_and_leave(form.neTrace, "70");
    EXPECT_EQ(Info().TraceWidth, 0);
    form.cbTrace->setChecked(true);
    EXPECT_EQ(Info().TraceWidth, 70);
    StartCounting();
    type_and_leave(form.neTrace, "80");
    EXPECT_EQ(Info().TraceWidth, 80);
    EXPECT_EQ(FullRedraws(), 0);
}

TEST_F(ViewOptionsTest, OpeningADrawingAppliesTheOptions)
{
    const TempDir folder;
    const std::filesystem::path path = WriteCrossDrawing(folder, "cross.zhd");
    form.cbColorTransparent->setChecked(true);
    form.miFinalMoji->setChecked(true);
    ASSERT_EQ(form.FileOpen(path), 1);
    // The drawing's own text options replace the marks; the transparency
    // stays the toolbar's.
    EXPECT_EQ(Background(), 0xFFFFFF);
    EXPECT_EQ(Info().DrawOrder % 10, 2);
    EXPECT_TRUE(form.N4->isChecked());
    EXPECT_EQ(form.miFinalMoji->isChecked(), Info().FinalMoji != 0);
    EXPECT_TRUE(form.tbtnMojiView->toolTip().contains(Text(u8"［ ｜｜｜")));
}

TEST_F(ViewOptionsTest, TextDialogEscapeChangesNothing)
{
    form.miEdgeMoji->setChecked(true);
    Info().EdgeMojiRange = 1.5;
    const QString hint = form.tbtnMojiView->toolTip();
    StartCounting();
    QTimer::singleShot(0, [] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        dialog->findChild<QCheckBox*>("cbEdgeMoji2")->setChecked(true);
        dialog->findChild<QCheckBox*>("cbMojiWaku")->setChecked(true);
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    form.tbtnMojiView->click();
    EXPECT_EQ(FullRedraws(), 0);
    EXPECT_TRUE(form.miEdgeMoji->isChecked());
    EXPECT_FALSE(form.miEdgeMoji2->isChecked());
    EXPECT_FALSE(form.miMojiWaku->isChecked());
    EXPECT_EQ(Info().EdgeMojiRange, 1.5);
    EXPECT_EQ(form.tbtnMojiView->toolTip(), hint);
    EXPECT_TRUE(FocusBackOnSubCommandBar());
}

TEST_F(ViewOptionsTest, TextDialogEnterAppliesEverything)
{
    form.cbTransparent->setChecked(true);
    // "Images and solids first" switched off lasts until the options are
    // applied again.
    form.N2->trigger();
    ASSERT_EQ(Info().DrawOrder % 10, 0);
    StartCounting();
    QTimer::singleShot(0, [] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        dialog->findChild<QCheckBox*>("cbEdgeMoji2")->setChecked(true);
        dialog->findChild<QCheckBox*>("cbFinalMoji")->setChecked(true);
        auto* margin = dialog->findChild<QLineEdit*>("edEdgeMojiRange2");
        margin->setFocus(Qt::TabFocusReason);
        margin->setText("12");
        QTest::keyClick(margin, Qt::Key_Return);
    });
    form.miDetail->trigger();
    EXPECT_EQ(FullRedraws(), 1);
    EXPECT_EQ(LastLabel(), "MojiVIewDetail()");
    EXPECT_EQ(Info().EdgeMojiRange, 10);
    EXPECT_EQ(Info().EdgeMoji, 2);
    EXPECT_EQ(Info().FinalMoji, 1);
    EXPECT_TRUE(form.miEdgeMoji2->isChecked());
    EXPECT_EQ(Info().DrawOrder % 10, 2);
    EXPECT_TRUE(form.tbtnMojiView->toolTip().contains(Text(u8"［ ｜｜範｜後 ］")));
    EXPECT_TRUE(FocusBackOnSubCommandBar());
}

TEST_F(ViewOptionsTest, ImageColourButtonAsksForAnImage)
{
    form.StatusBar1->showMessage("before");
    form.tbMRbtnColor->click();
    EXPECT_EQ(form.State().CommandSubMode, 1);
    EXPECT_EQ(form.State().SavedStatusText, "before");
    EXPECT_EQ(form.StatusBar1->currentMessage(),
              Text(u8"画像を指示して下さい．マウス(L)　　　指示＆色取得．マウス(R)　　　指示＆未使用色取得．マウス(RR)"));
}

class ViewOptionsStartTest : public ::testing::Test {
protected:
    static void WriteSettings(const std::string& text)
    {
        std::filesystem::create_directories(TForm1::SettingsPath().parent_path());
        std::ofstream(TForm1::SettingsPath()) << text;
    }

    ScopedConfigFolder config;
    TScriptedDialogsInstalled dialogs;
};

TEST_F(ViewOptionsStartTest, RestoredOptionsReachTheDrawing)
{
    struct Case {
        const char* file;
        int pitch;
        int background;
        int units;
    };
    const Case cases[] = {
        { "[ViewCheck]\nPrtPitch=35\nColorTransparent=1\nTrace=1\nTraceWidth=60\n", 35, 0xFFFFFF, 2 },
        { "[ViewCheck]\nPrtPitch=0\nTransparent=0\n", 20, -1, 0 },
        { "[ViewCheck]\nPrtPitch=-3\n", 20, -1, 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        WriteSettings(c.file);
        TForm1 form;
        form.show();
        SettleView(form);
        const TInfoREG& info = form.Document()->GetInfoRegPtr();
        EXPECT_EQ(info.PrtPitch, c.pitch);
        EXPECT_EQ(form.nePrtPitch->Value(), c.pitch);
        EXPECT_EQ(info.DrawOrder % 10, c.units);
        if (c.background >= 0) {
            EXPECT_EQ(form.Document()->GetPenMapPtr()["B"].GetColor(), c.background);
            EXPECT_EQ(info.TraceWidth, 60);
        }
        EXPECT_TRUE(form.tbtnMojiView->toolTip().contains(Text(u8"［ ｜｜｜ ］")));
        EXPECT_TRUE(form.tbtnRasSolid->toolTip().endsWith(Text(u8"［ ｜ ］")));
        form.close();
    }
}

TEST_F(ViewOptionsStartTest, RangeBoxMarginKeepsWhatTheDialogAllows)
{
    for (const auto& [text, margin] : { std::pair { "-0.5", -0.5 }, std::pair { "10", 10.0 }, std::pair { "-3", 0.0 } }) {
        WriteSettings(std::string("[ViewCheck]\nEdgeMojiRange=") + text + "\n");
        TForm1 form;
        form.show();
        SettleView(form);
        EXPECT_EQ(form.Document()->GetInfoRegPtr().EdgeMojiRange, margin) << text;
        form.close();
    }
}

} // namespace
