// The main window: starting with a drawing, redrawing on resize, opening
// drawings every way, the redraw gate, the status buttons, command modes,
// the View menu, the CAD settings file and the batch file.

#include "tests/ui/MainFormTestSupport.h"

#include "controls/Dock97.h"
#include "controls/ResizableToolWindow97.h"
#include "controls/Toolbar97.h"
#include "controls/ToolbarButton97.h"
#include "tests/support/ScopedConfigFolder.h"
#include "tests/support/Unreadable.h"
#include "tests/support/WidgetShot.h"
#include "ui/DrawingOpener.h"
#include "ui/PageScroller.h"
#include "ui/PaintBox.h"
#include "ui/StatusButtons.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMouseEvent>
#include <QStatusBar>
#include <QToolButton>
#include <QUrl>


namespace {

QRgb PenColour(TZhdData& document, const std::string& pen)
{
    const int colour = document.GetPenMapPtr()[pen].GetColor();
    return qRgb(colour & 0xff, (colour >> 8) & 0xff, (colour >> 16) & 0xff);
}

// The picture's pixel at the drawing point.
QRgb PixelAt(TForm1& form, double x, double y)
{
    const TBPoint pixel = form.Document()->GetInfoRegPtr().WorldToScreenRounded(TBPoint(x, y));
    const QImage& front = form.PaintBox1->Front();
    const QPoint at(static_cast<int>(pixel.GetX()), static_cast<int>(pixel.GetY()));
    if (!front.rect().contains(at))
        return 0;
    return front.pixel(at) | 0xff000000u;
}

// Lines of the cross drawn in their pen's colour, the background elsewhere.
void ExpectCrossShown(TForm1& form)
{
    TZhdData& document = *form.Document();
    const QRgb line = PenColour(document, "2");
    const QRgb background = PenColour(document, "B");
    // The drawing's own pens (background black unless images are
    // transparent).
    ASSERT_EQ(line, qRgb(255, 0, 0));
    ASSERT_EQ(background, qRgb(0, 0, 0));
    EXPECT_EQ(PixelAt(form, 50, 0), line);
    EXPECT_EQ(PixelAt(form, -70, 0), line);
    EXPECT_EQ(PixelAt(form, 0, 60), line);
    EXPECT_EQ(PixelAt(form, 50, 50), background);
    EXPECT_EQ(PixelAt(form, -40, -30), background);
}

class MainFormTest : public ::testing::Test {
protected:
    ScopedConfigFolder config;
    TScriptedDialogsInstalled dialogs;
    TempDir folder;
};

TEST_F(MainFormTest, StartsWithTheDrawingOfTheCommandLineFittedToThePaper)
{
    const std::filesystem::path drawing = WriteCrossDrawing(folder, "cross.zhd");
    TForm1 form({ drawing.string() });
    form.show();
    SettleView(form);
    EXPECT_EQ(form.Opener().CurrentDrawingPath(), drawing.string());
    EXPECT_TRUE(form.windowTitle().startsWith(QtText(u8"Zuview Ver.1.00α4.36 - ") + PathText(drawing)));
    EXPECT_TRUE(form.windowTitle().endsWith(QtText(u8" (データバージョン：")
                                            + QString::number(form.Document()->GetVersion() * 0.01, 'f', 2) + ")"));
    EXPECT_EQ(form.PaintBox1->Front().size(), form.PaintBox1->size());
    ExpectCrossShown(form);
    EXPECT_EQ(form.StatusBar1->currentMessage(), QtText(u8"何もしません．"));
    EXPECT_TRUE(form.Panel2->text().endsWith("{0-0}"));
    EXPECT_EQ(form.sbtnPaper->text(), QtText(u8"Ａ－３"));

    // Transparent monochrome images need a white background.
    form.cbTransparent->setChecked(true);
    ASSERT_EQ(form.FileOpen(drawing), 1);
    EXPECT_EQ(PenColour(*form.Document(), "B"), qRgb(255, 255, 255));
}

// The CAD program starts the viewer on its data file, whose header names
// the drawing; the name is compared without regard to case.
TEST_F(MainFormTest, TheCadProgramsDataFileNamesTheDrawingToOpen)
{
    const std::filesystem::path drawing = WriteCrossDrawing(folder, "named.zhd");
    for (const char* name : { "zhc_temp.txt", "ZHC_TEMP.TXT" }) {
        TZhdData data;
        data.GetHeadPtr().SetFileName(drawing.string());
        const std::filesystem::path data_file = folder.File(name);
        ASSERT_EQ(data.SaveZhcText(data_file.string()), TSaveStatus::Saved);
        TForm1 form({ data_file.string() });
        form.show();
        SettleView(form);
        EXPECT_EQ(form.Opener().CurrentDrawingPath(), drawing.string()) << name;
        std::filesystem::remove(data_file);
    }
    // An unreadable data file names no drawing: nothing opens.
    TForm1 form({ folder.Write("zhc_temp.txt", "garbage\r\n").string() });
    form.show();
    SettleView(form);
    EXPECT_EQ(form.Opener().CurrentDrawingPath(), "");
}

TEST_F(MainFormTest, ResizeRedrawsTheSameDocumentForTheNewSize)
{
    const std::filesystem::path drawing = WriteCrossDrawing(folder, "cross.zhd");
    TForm1 form({ drawing.string() });
    form.resize(640, 480);
    form.show();
    SettleView(form);
    const TZhdData* document = form.Document();
    const TZhdElem* first = form.Document()->GetElemListPtr().Begin()->get();
    const double fitted = form.Document()->GetInfoRegPtr().GetView().GetScale();

    form.resize(900, 700);
    SettleView(form);
    EXPECT_EQ(form.Document(), document);
    EXPECT_EQ(form.Document()->GetElemListPtr().Begin()->get(), first);
    EXPECT_EQ(form.PaintBox1->Front().size(), form.PaintBox1->size());
    EXPECT_EQ(form.Document()->GetInfoRegPtr().GetPixelWidth(), form.PaintBox1->width());
    EXPECT_GT(form.Document()->GetInfoRegPtr().GetView().GetScale(), fitted);
    ExpectCrossShown(form);
}

TEST_F(MainFormTest, OpensDrawingsFromTheDialogAndTheUpdateButton)
{
    const std::filesystem::path first = WriteCrossDrawing(folder, "first.zhd");
    const std::filesystem::path second = WriteCrossDrawing(folder, "second.ZHD", 2, 30);
    TForm1 form({ first.string() });
    form.show();
    SettleView(form);

    dialogs.script->file_names = { PathText(second), QString() };
    form.tbtn97Open->Click();
    SettleView(form);
    EXPECT_EQ(form.Opener().CurrentDrawingPath(), second.string());
    EXPECT_EQ(dialogs.script->filters.back(), "zhd (*.zhd)");
    // The short cross: its arms end at 30 mm.
    const QRgb background = PenColour(*form.Document(), "B");
    EXPECT_EQ(PixelAt(form, 50, 0), background);
    EXPECT_NE(PixelAt(form, 20, 0), background);

    // Cancelled: nothing changes.
    form.tbtn97Open->Click();
    EXPECT_EQ(form.Opener().CurrentDrawingPath(), second.string());

    // The update button reads the file again; a vanished file leaves the
    // drawing as it is.
    WriteCrossDrawing(folder, "second.ZHD", 2, 100);
    form.tbtn97Update->Click();
    SettleView(form);
    EXPECT_NE(PixelAt(form, 50, 0), background);
    std::filesystem::remove(second);
    form.tbtn97Update->Click();
    SettleView(form);
    EXPECT_NE(PixelAt(form, 50, 0), background);
    EXPECT_EQ(form.Opener().CurrentDrawingPath(), second.string());
    EXPECT_TRUE(dialogs.script->messages.isEmpty());
}

// What the user names on the command line and cannot be opened is reported
// as any drawing that cannot be opened is, and nothing opens; a file that
// is no drawing is left alone.
TEST_F(MainFormTest, ACommandLineDrawingThatCannotBeOpenedIsReported)
{
    const std::filesystem::path missing = folder.File("missing.zhd");
    // The CAD program's data file naming a drawing that is gone, and one
    // that cannot be read, each in a folder of its own.
    std::filesystem::create_directories(folder.File("named"));
    std::filesystem::create_directories(folder.File("garbage"));
    TZhdData data;
    data.GetHeadPtr().SetFileName(missing.string());
    const std::filesystem::path naming_missing = folder.File("named") / "zhc_temp.txt";
    ASSERT_EQ(data.SaveZhcText(naming_missing.string()), TSaveStatus::Saved);
    const std::filesystem::path garbage = folder.Write("garbage/ZHC_TEMP.TXT", "garbage\r\n");
    const std::filesystem::path notes = folder.Write("notes.txt", "ZhdData.");
    struct Case {
        std::filesystem::path argument;
        // Empty: nothing is said.
        std::filesystem::path reported;
    };
    const Case cases[] = {
        { missing, missing },
        { folder.Path(), folder.Path() },
        { naming_missing, missing },
        { garbage, garbage },
        { notes, {} },
    };
    for (const Case& c : cases) {
        dialogs.script->messages.clear();
        TForm1 form({ c.argument.string() });
        form.show();
        SettleView(form);
        EXPECT_EQ(form.Opener().CurrentDrawingPath(), "") << c.argument;
        EXPECT_EQ(form.windowTitle(), QtText(u8"Zuview Ver.1.00α4.36")) << c.argument;
        if (c.reported.empty()) {
            EXPECT_TRUE(dialogs.script->messages.isEmpty()) << c.argument;
            continue;
        }
        ASSERT_EQ(dialogs.script->messages.size(), 1) << c.argument;
        EXPECT_EQ(dialogs.script->messages[0], PathText(c.reported) + QtText(u8" を開けません．")) << c.argument;
    }
}

TEST_F(MainFormTest, MissingFilesAndOtherFilesOpenNothing)
{
    const std::filesystem::path drawing = WriteCrossDrawing(folder, "cross.zhd");
    TForm1 form({ drawing.string() });
    form.show();
    SettleView(form);
    const QString caption = form.windowTitle();
    const std::filesystem::path text = folder.Write("notes.txt", "ZhdData.");
    const std::filesystem::path doubled = folder.Write("cross.zhd.bak", "x");
    for (const std::filesystem::path& path : { folder.File("missing.zhd"), text, doubled, folder.Path() }) {
        EXPECT_EQ(form.FileOpen(path), 0) << path;
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }
    SettleView(form);
    EXPECT_EQ(form.windowTitle(), caption);
    EXPECT_EQ(form.Opener().CurrentDrawingPath(), drawing.string());
    ExpectCrossShown(form);
    EXPECT_TRUE(dialogs.script->messages.isEmpty());
}

TEST_F(MainFormTest, ADropOpensTheFirstLocalFile)
{
    const std::filesystem::path a = WriteCrossDrawing(folder, "a.zhd");
    const std::filesystem::path b = WriteCrossDrawing(folder, "b.zhd");
    const std::filesystem::path c = WriteCrossDrawing(folder, "c.zhd");
    TForm1 form;
    form.show();
    SettleView(form);
    form.DropFiles({ QUrl(QStringLiteral("https://example.invalid/x.zhd")), QUrl::fromLocalFile(PathText(b)),
                     QUrl::fromLocalFile(PathText(a)), QUrl::fromLocalFile(PathText(c)) });
    SettleView(form);
    EXPECT_EQ(form.Opener().CurrentDrawingPath(), b.string());
}

TEST_F(MainFormTest, AnUnreadableDrawingIsReportedAndLeavesTheShownOne)
{
    const std::filesystem::path drawing = WriteCrossDrawing(folder, "cross.zhd");
    const std::filesystem::path garbage = folder.Write("garbage.zhd", std::string(300, '\x7f'));
    TForm1 form({ drawing.string() });
    form.show();
    SettleView(form);
    // A file that cannot be opened is reported and changes nothing.
    const std::filesystem::path locked = WriteCrossDrawing(folder, "locked.zhd");
    const bool ran = WithFileUnreadable(locked, [&] { EXPECT_EQ(form.FileOpen(locked), 0); });
    if (ran) {
        ASSERT_EQ(dialogs.script->messages.size(), 1);
        EXPECT_TRUE(dialogs.script->messages[0].endsWith(QtText(u8" を開けません．")));
        EXPECT_EQ(form.Opener().CurrentDrawingPath(), drawing.string());
        SettleView(form);
        ExpectCrossShown(form);
        dialogs.script->messages.clear();
    }
    // A name the drawing model cannot hold in Shift-JIS would open another
    // file or none: refused with a message.
    const std::filesystem::path emoji = folder.File(reinterpret_cast<const char*>(u8"図\U0001F600.zhd"));
    std::filesystem::copy_file(drawing, emoji);
    EXPECT_EQ(form.FileOpen(emoji), 0);
    ASSERT_EQ(dialogs.script->messages.size(), 1);
    EXPECT_TRUE(dialogs.script->messages[0].contains("Shift-JIS"));
    EXPECT_EQ(form.Opener().CurrentDrawingPath(), drawing.string());
    dialogs.script->messages.clear();
    // A damaged file shows what could be read and says so.
    EXPECT_EQ(form.FileOpen(garbage), 1);
    ASSERT_EQ(dialogs.script->messages.size(), 1);
    EXPECT_TRUE(dialogs.script->messages[0].contains(QtText(u8"途中までしか読めませんでした")));
}

TEST_F(MainFormTest, RedrawsCloseTogetherAreDrawnOnceTheGateOpens)
{
    TForm1 form;
    form.show();
    SettleView(form);
    TZhdData& document = *form.Document();
    TRedrawTime time(form, 5000);
    time.Advance(10);
    form.CanvasDraw(document, "MouseUp()");
    const std::uint32_t drawn = form.View().LastRedrawTick();
    EXPECT_EQ(drawn, 5010u);
    // 3 ms later: put off.
    time.Advance(3);
    form.CanvasDraw(document, "KeyDown()");
    EXPECT_EQ(form.View().LastRedrawTick(), drawn);
    EXPECT_TRUE(form.Panel2->text().startsWith("MouseUp() | "));
    // The request is not lost: it is drawn when the gate opens, and not
    // before.
    time.Advance(6);
    EXPECT_EQ(form.View().LastRedrawTick(), drawn);
    time.Advance(1);
    EXPECT_EQ(form.View().LastRedrawTick(), 5020u);
    EXPECT_TRUE(form.Panel2->text().startsWith("KeyDown() | "));
    EXPECT_FALSE(time.CallPending());
}

TEST_F(MainFormTest, TheGateLetsRedrawsThroughAcrossATickWrap)
{
    TForm1 form;
    form.show();
    SettleView(form);
    // The last redraw ends 4 ms before the tick count wraps; 20 ms later the
    // count is small again, and the unsigned difference still opens the
    // gate.
    TRedrawTime time(form, 0xFFFFFFF0u);
    time.Advance(12);
    form.CanvasDraw(*form.Document(), "KeyDown()");
    ASSERT_EQ(form.View().LastRedrawTick(), 0xFFFFFFFCu);
    time.Advance(20);
    ASSERT_LT(time.Now(), 20u);
    form.CanvasDraw(*form.Document(), "MouseUp()");
    EXPECT_EQ(form.View().LastRedrawTick(), time.Now());
    EXPECT_TRUE(form.Panel2->text().startsWith("MouseUp() | "));
    EXPECT_FALSE(time.CallPending());
}

TEST_F(MainFormTest, StatusButtonsShowUnitPaperScaleGroupAndLayer)
{
    TForm1 form;
    form.show();
    SettleView(form);
    TZhdHead& head = form.Document()->GetHeadPtr();
    head.SetGroupScale(0, 50);
    TZhdGrp group = head.GetGroup(0);
    TVect<TZhdLay> layers = group.GetLayers();
    TZhdLay layer = layers.Get(0);
    layer.SetLay(layer.GetState(), layer.GetProtect(), "W");
    layers.Set(0, layer);
    group.SetGrp(group.GetState(), 0, group.GetScale(), group.GetProtect(), "", layers);
    head.SetGroup(0, group);

    TStatusButtons& buttons = form.StatusButtons();
    buttons.SetDisplayUnit(2);
    form.sbtnUnitClick();
    EXPECT_EQ(buttons.DisplayUnit(), 0);
    EXPECT_EQ(form.sbtnUnit->text(), QtText(u8"実寸mm"));
    EXPECT_DOUBLE_EQ(buttons.UnitFactor(), 50);
    EXPECT_EQ(buttons.UnitLabel(), " mm ");
    form.sbtnUnitClick();
    EXPECT_EQ(form.sbtnUnit->text(), QtText(u8"実寸ｍ"));
    EXPECT_DOUBLE_EQ(buttons.UnitFactor(), 0.05);

    form.UpdateStatusButtons(0);
    EXPECT_EQ(form.sbtnScale->text(), "S=1/50");
    EXPECT_EQ(form.sbtnGroupLayer->text(), "[0-0]W");
    // Each button is its caption's width, at least 40, plus 8; the row is
    // laid out leftwards from the magnification, each touching the next.
    EXPECT_EQ(form.sbtnPaper->width(), 48);
    const QToolButton* row[] = { form.sbtnUnit, form.sbtnPaper, form.sbtnScale, form.sbtnGroupLayer, form.sbtnAxis,
                                 form.sbtnBairitsu };
    for (int i = 0; i + 1 < 6; ++i)
        EXPECT_EQ(row[i]->x() + row[i]->width(), row[i + 1]->x());
    EXPECT_EQ(form.sbtnAxis->text(), QtText(u8"∠0"));
    EXPECT_TRUE(form.sbtnBairitsu->text().startsWith(QtText(u8"×")));
}

TEST_F(MainFormTest, MovesOverBarsAndTheStatusBarLeaveTheDrawing)
{
    TForm1 form;
    form.show();
    SettleView(form);
    for (QWidget* outside : std::initializer_list<QWidget*> { form.StatusBar1, form.DockTop, form.ToolbarView,
                                                               form.ToolWindowGroup }) {
        form.State().MouseOverDrawing = true;
        QTest::mouseMove(outside, QPoint(2, 2));
        QMouseEvent move(QEvent::MouseMove, QPointF(3, 3), outside->mapToGlobal(QPointF(3, 3)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(outside, &move);
        EXPECT_FALSE(form.State().MouseOverDrawing) << outside->objectName().toStdString();
    }
    // The status buttons' panel spans its bar, less the bar's edges.
    EXPECT_EQ(form.Panel3->width(), form.ToolbarPanel3->width() - 12);
}

TEST_F(MainFormTest, CommandModesSwitchWithTheirButtons)
{
    TForm1 form;
    form.show();
    SettleView(form);
    struct Case {
        TToolbarButton97* button;
        int mode;
        const char8_t* status;
    };
    const Case cases[] = {
        { form.tbtn97StatusView, 3, u8"カーソル位置の属性表示．" },
        { form.tbtn97Raster, 4, u8"画像編集？" },
        { form.tbtn97Tanten, 5, u8"端点確認" },
        { form.tbtn97PreSelect, 6, u8"前選択" },
        { form.tbtn97PreSelect, 6, u8"前選択" },
        { form.tbtn97None, 0, u8"何もしません．" },
    };
    for (const Case& c : cases) {
        form.State().CommandSubMode = 5;
        c.button->Click();
        EXPECT_EQ(form.State().CommandMode, c.mode) << c.button->objectName().toStdString();
        EXPECT_EQ(form.State().CommandSubMode, 0);
        EXPECT_TRUE(c.button->Down());
        EXPECT_EQ(form.StatusBar1->currentMessage(), QtText(c.status));
        EXPECT_EQ(form.tbMainRaster->isVisible(), c.mode == 4);
        int down = 0;
        for (TToolbarButton97* b : { form.tbtn97None, form.tbtn97StatusView, form.tbtn97Raster, form.tbtn97Tanten,
                                     form.tbtn97PreSelect, form.tbtn97Print, form.tbtn97Output })
            down += b->Down() ? 1 : 0;
        EXPECT_EQ(down, 1);
    }
}

TEST_F(MainFormTest, TheViewMenuShowsAndHidesBars)
{
    TForm1 form;
    form.show();
    SettleView(form);
    form.Show1Click();
    for (QAction* item : form.ViewItems)
        EXPECT_EQ(item->isChecked(), true) << item->objectName().toStdString();

    // The layer window shares the group window's row; without it the row
    // is as thick as the group window.
    form.ViewItems[7]->trigger();
    EXPECT_FALSE(form.ToolWindowLayer->Visible());
    QAction* group = form.ViewItems[6];
    const int height = form.ToolWindowGroup->ClientAreaHeight();
    group->trigger();
    EXPECT_FALSE(form.ToolWindowGroup->Visible());
    group->trigger();
    EXPECT_TRUE(form.ToolWindowGroup->Visible());
    EXPECT_EQ(form.ToolWindowGroup->ClientAreaHeight(), height - 2);

    form.ViewItems[8]->trigger();
    EXPECT_FALSE(form.cbSearch->isChecked());
    EXPECT_FALSE(form.ToolbarSearch->Visible());
    form.cbSearch->setChecked(true);
    EXPECT_TRUE(form.ToolbarSearch->Visible());
    EXPECT_TRUE(form.ViewItems[8]->isChecked());
    form.ToolbarSearchClose();
    EXPECT_FALSE(form.cbSearch->isChecked());
    EXPECT_FALSE(form.ViewItems[8]->isChecked());
}

TEST_F(MainFormTest, TheCadSettingsFileNamesTheReferenceFile)
{
    TForm1 form;
    struct Case {
        const char* name;
        const char* text;
        int result;
        const char* reference;
    };
    const Case cases[] = {
        { "a.zhf", "# comment\r\nOTHER=1\r\nREF_FILE=moji.txt\r\nREF_FILE=late.txt\r\n", 1, "moji.txt" },
        { "b.ZHF", "\n\nREF_FILE=\r\n", 1, "" },
        { "c.zhf", "END\r\nREF_FILE=after.txt\r\n", 1, "" },
        { "d.zhf", "ENDING\r\nREF_FILE=after.txt\r\n", 1, "" },
        { "e.txt", "REF_FILE=other.txt\r\n", 0, "" },
    };
    for (const Case& c : cases) {
        form.Document()->GetInfoRegPtr().ReferenceFileName.clear();
        const std::filesystem::path file = folder.Write(c.name, c.text);
        EXPECT_EQ(form.ReadCadSettingsFile(file), c.result) << c.name;
        EXPECT_EQ(form.Document()->GetInfoRegPtr().ReferenceFileName, c.reference) << c.name;
    }
    EXPECT_EQ(form.ReadCadSettingsFile(folder.File("missing.zhf")), 0);
    const std::filesystem::path settings = folder.Write("z.zhf", "REF_FILE=moji.txt\r\n");
    form.ReadCadSettingsFile(settings);
    EXPECT_EQ(form.tbtn97ZHF->Hint(),
              QtText(u8"環境設定ファイル：") + PathText(settings) + QtText(u8"\n文字参照ファイル：moji.txt|"));
}

TEST_F(MainFormTest, TheBatchFileAsksAboutTheFileItWrites)
{
    TForm1 form;
    const std::filesystem::path chosen = folder.File("start.txt");
    const std::filesystem::path written = folder.Write("start.bat", "old");
    // Refused: the existing .bat is kept, and the question named it.
    dialogs.script->file_names = { PathText(chosen) };
    dialogs.script->answers = { QMessageBox::No };
    form.Makebat1Click();
    ASSERT_EQ(dialogs.script->messages.size(), 1);
    EXPECT_TRUE(dialogs.script->messages[0].startsWith(PathText(written)));
    EXPECT_EQ(std::filesystem::file_size(written), 3u);
    EXPECT_EQ(dialogs.script->filters.back(), "bat (*.bat)");

    dialogs.script->file_names = { PathText(chosen) };
    dialogs.script->answers = { QMessageBox::Yes };
    form.Makebat1Click();
    EXPECT_GT(std::filesystem::file_size(written), 100u);
    EXPECT_FALSE(std::filesystem::exists(chosen));
}

TEST_F(MainFormTest, Screenshot)
{
    const std::filesystem::path drawing = WriteCrossDrawing(folder, "cross.zhd");
    TForm1 form({ drawing.string() });
    form.show();
    SettleView(form);
    // Wide enough for the longest toolbar row.
    form.resize(1180, 720);
    SettleView(form);
    CheckScreenshot(form, "MainForm", { QtText(u8"幅表示"), QtText(u8"モノクロ透過"), QtText(u8"以上"), QtText(u8"絞込") });
}

} // namespace
