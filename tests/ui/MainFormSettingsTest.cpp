// The main window's settings file: defaults without a file, a round trip
// through closing and starting again, and hand-written files with values
// that must not reach the program.

#include "tests/ui/MainFormTestSupport.h"

#include "controls/Dock97.h"
#include "controls/HistoryComboBox.h"
#include "controls/NumberEdit.h"
#include "controls/ResizableToolWindow97.h"
#include "controls/Toolbar97.h"
#include "platform/ShiftJis.h"
#include "platform/ui/IniFile.h"
#include "tests/support/ScopedConfigFolder.h"
#include "tests/support/Unreadable.h"
#include "ui/DrawingOpener.h"
#include "ui/MainSettings.h"
#include "ui/StatusButtons.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QToolButton>

#include <fstream>
#include <utility>

namespace {

void WriteSettings(const std::string& text)
{
    std::filesystem::create_directories(TForm1::SettingsPath().parent_path());
    std::ofstream(TForm1::SettingsPath()) << text;
}

std::string PresetName(const TMojiInt4& preset)
{
    return SjisToUtf8(preset.Name);
}

class MainFormSettingsTest : public ::testing::Test {
protected:
    ScopedConfigFolder config;
    TScriptedDialogsInstalled dialogs;
    TempDir folder;
};

TEST_F(MainFormSettingsTest, WithoutAFileTheDefaultsHold)
{
    TForm1 form;
    form.show();
    SettleView(form);
    EXPECT_EQ(form.size(), QSize(800, 600));
    EXPECT_TRUE(form.cbSearch->isChecked());
    EXPECT_TRUE(form.ToolbarSearch->Visible());
    EXPECT_FALSE(form.cbWidthView->isChecked());
    EXPECT_FALSE(form.miEdgeMoji->isChecked());
    EXPECT_EQ(form.neTrace->Value(), 50);
    EXPECT_EQ(form.nePrtPitch->Value(), 20);
    const TInfoREG& info = form.Document()->GetInfoRegPtr();
    EXPECT_DOUBLE_EQ(info.EdgeMojiFixSize, 0.1);
    EXPECT_DOUBLE_EQ(info.EdgeMojiRateSize, 3.0);
    EXPECT_EQ(info.LoadTimeNum, 5000);
    EXPECT_EQ(info.SaveSizeUnit, 2);
    ASSERT_EQ(form.Settings().PenScalingPresets().size(), 4u);
    EXPECT_EQ(PresetName(form.Settings().PenScalingPresets()[2]), "拡大用");
    EXPECT_EQ(form.Settings().PenScalingPresets()[2].Int1, 3);
    // The print angle history starts with its two angles.
    ASSERT_EQ(form.hcbPrintAngle->count(), 2);
    EXPECT_EQ(form.hcbPrintAngle->itemText(1), "90-0-0.00");
    EXPECT_DOUBLE_EQ(info.PrintAngle, 0.0);
}

TEST_F(MainFormSettingsTest, EverythingComesBackAfterARestart)
{
    const std::filesystem::path drawing = WriteCrossDrawing(folder, " spaced.zhd");
    {
        TForm1 form({ drawing.string() });
        form.show();
        SettleView(form);
        form.move(30, 40);
        form.resize(700, 500);
        form.StatusButtons().SetDisplayUnit(2);
        form.cbWidthView->setChecked(true);
        form.neTrace->SetValue(70);
        form.nePrtPitch->SetValue(35);
        form.miFinalMoji->setChecked(true);
        form.cbKiten->setCurrentIndex(4);
        form.cbTargetLayer->setCurrentIndex(2);
        form.ppmSCZH->setChecked(true);
        form.Document()->GetInfoRegPtr().RateNum = 80;
        form.Document()->GetInfoRegPtr().PenEdgeFix = 3;
        form.Document()->GetInfoRegPtr().EdgeMojiRange = 1.25;
        TMojiInt4 preset;
        SetMojiInt4(preset, 1, 2, 3, 4, Utf8ToSjis("  前に空白"));
        form.Settings().PenScalingPresets() = { preset };
        form.hcbPrintAngle->insertItem(0, "45-0-0.00");
        form.ToolbarSearch->SetDockedTo(form.DockBottom);
        form.close();
    }
    TForm1 form;
    form.show();
    SettleView(form);
    EXPECT_EQ(form.pos(), QPoint(30, 40));
    EXPECT_EQ(form.size(), QSize(700, 500));
    EXPECT_EQ(form.StatusButtons().DisplayUnit(), 2);
    EXPECT_EQ(form.sbtnUnit->text(), QtText(u8"図寸mm"));
    EXPECT_TRUE(form.cbWidthView->isChecked());
    EXPECT_EQ(form.neTrace->Value(), 70);
    EXPECT_EQ(form.nePrtPitch->Value(), 35);
    EXPECT_TRUE(form.miFinalMoji->isChecked());
    EXPECT_EQ(form.cbKiten->currentIndex(), 4);
    EXPECT_EQ(form.cbTargetLayer->currentIndex(), 2);
    EXPECT_TRUE(form.ppmSCZH->isChecked());
    EXPECT_FALSE(form.ppmSCOK->isChecked());
    const TInfoREG& info = form.Document()->GetInfoRegPtr();
    EXPECT_EQ(info.RateNum, 80);
    EXPECT_EQ(info.PenEdgeFix, 3);
    EXPECT_DOUBLE_EQ(info.EdgeMojiRange, 1.25);
    EXPECT_EQ(form.Opener().CurrentDrawingPath(), drawing.string());
    ASSERT_EQ(form.Settings().PenScalingPresets().size(), 1u);
    EXPECT_EQ(PresetName(form.Settings().PenScalingPresets()[0]), "  前に空白");
    EXPECT_EQ(form.Settings().PenScalingPresets()[0].Int4, 4);
    EXPECT_EQ(form.hcbPrintAngle->itemText(0), "45-0-0.00");
    EXPECT_EQ(form.ToolbarSearch->DockedTo(), form.DockBottom);

    // The preset section holds exactly the presets.
    const TIniFile file(TForm1::SettingsPath());
    EXPECT_EQ(file.ReadSection("PrtFixConfig"), (std::vector<std::string> { "Count", "Config0" }));
}

// With the defaults, floating windows hide while the application is
// inactive: bars saved floating are floated again while the new form is
// still hidden, and show once it is shown and active.
TEST_F(MainFormSettingsTest, FloatingBarsShowAgainAfterARestart)
{
    {
        TForm1 form;
        form.show();
        SettleView(form);
        form.ToolbarFile->SetFloatingPosition(form.mapToGlobal(QPoint(300, 200)));
        form.ToolbarFile->Float();
        form.ToolWindowLayer->SetFloatingPosition(form.mapToGlobal(QPoint(300, 300)));
        form.ToolWindowLayer->Float();
        form.close();
    }
    TForm1 form;
    const std::pair<TCustomToolWindow97*, int> floating[] = { { form.ToolbarFile, 0 }, { form.ToolWindowLayer, 7 } };
    for (const auto& [window, tag] : floating) {
        ASSERT_TRUE(window->Floating()) << tag;
        EXPECT_TRUE(window->HideWhenInactive());
        EXPECT_FALSE(window->isVisible());
    }
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    SettleView(form);
    form.Show1Click();
    for (const auto& [window, tag] : floating) {
        EXPECT_TRUE(window->isVisible()) << tag;
        EXPECT_TRUE(form.ViewItems[static_cast<std::size_t>(tag)]->isChecked()) << tag;
    }
}

// The group and layer windows are made 2 pixels lower than they were built
// (44) at start, once, and then take their first shape, eight columns 44
// high: not again over the height saved at the last start.
TEST_F(MainFormSettingsTest, GroupAndLayerWindowsKeepTheirHeightOverRestarts)
{
    for (int start = 0; start < 3; ++start) {
        TForm1 form;
        form.show();
        SettleView(form);
        EXPECT_EQ(form.ToolWindowGroup->ClientAreaHeight(), 44) << start;
        EXPECT_EQ(form.ToolWindowLayer->ClientAreaHeight(), 44) << start;
        form.close();
    }
    // A shape the user gives stays.
    {
        TForm1 form;
        form.show();
        SettleView(form);
        form.ToolWindowGroup->Float();
        form.ToolWindowGroup->SetClientAreaSize(76, 113);
        SettleView(form);
        form.close();
    }
    {
        TForm1 form;
        form.show();
        SettleView(form);
        EXPECT_EQ(form.ToolWindowGroup->ClientAreaHeight(), 113);
        form.close();
    }
    const TIniFile file(TForm1::SettingsPath());
    EXPECT_EQ(file.ReadInteger("ToolWindowGroup", "ClientHeight", 0), 113);
    EXPECT_EQ(file.ReadInteger("ToolWindowLayer", "ClientHeight", 0), 44);
}

TEST_F(MainFormSettingsTest, WrongValuesStartWithSafeOnes)
{
    WriteSettings("[Position]\nTop=-50000\nLeft=abc\nWidth=90000000\nHeight=-3\nWindowState=7\n"
                  "[ViewCheck]\nTraceWidth=12a\nPrtPitch=0\nEdgeMojiFixSize=nan\nEdgeMojiRateSize=-4\n"
                  "EdgeMojiColorKind=9\nSearch=zero\n"
                  "[Other]\nViewUnit=5\n"
                  "[PrintOption]\nPenWidthFix=7\nPenPitchFix=-1\n"
                  "[GraphicOutput]\nExt=99\n"
                  "[Search]\nTargetLayer=16\nPanOrigin=-2\n"
                  "[Raster]\nSaveSizeUnit=12\nRateNum=1000\n"
                  "[PrtFixConfig]\nCount=2000000000\nConfig0=\"9x31名前\"\n");
    TForm1 form;
    form.show();
    SettleView(form);
    EXPECT_EQ(form.size(), QSize(800, 600));
    EXPECT_EQ(form.windowState() & (Qt::WindowMinimized | Qt::WindowMaximized), Qt::WindowStates());
    EXPECT_EQ(form.neTrace->Value(), 50);
    EXPECT_EQ(form.nePrtPitch->Value(), 20);
    EXPECT_TRUE(form.cbSearch->isChecked());
    EXPECT_EQ(form.StatusButtons().DisplayUnit(), 0);
    EXPECT_EQ(form.cbTargetLayer->currentIndex(), 0);
    EXPECT_EQ(form.cbKiten->currentIndex(), 0);
    const TInfoREG& info = form.Document()->GetInfoRegPtr();
    EXPECT_DOUBLE_EQ(info.EdgeMojiFixSize, 0.1);
    EXPECT_DOUBLE_EQ(info.EdgeMojiRateSize, 3.0);
    EXPECT_EQ(info.EdgeMojiColorKind, 0);
    EXPECT_EQ(info.PenWidthFix, 0);
    EXPECT_EQ(info.PenPitchFix, 0);
    EXPECT_EQ(info.Ext, 0);
    EXPECT_EQ(info.SaveSizeUnit, 2);
    EXPECT_EQ(info.RateNum, 50);
    // A count beyond reason reads a bounded number of presets; rules out of
    // 0..4 read as 0.
    ASSERT_EQ(form.Settings().PenScalingPresets().size(), 1000u);
    EXPECT_EQ(form.Settings().PenScalingPresets()[0].Int1, 0);
    EXPECT_EQ(form.Settings().PenScalingPresets()[0].Int2, 0);
    EXPECT_EQ(form.Settings().PenScalingPresets()[0].Int3, 3);
    EXPECT_EQ(PresetName(form.Settings().PenScalingPresets()[0]), "名前");
}

TEST_F(MainFormSettingsTest, PresetCounts)
{
    struct Case {
        const char* section;
        std::size_t presets;
    };
    const Case cases[] = {
        { "[PrtFixConfig]\nCount=0\nConfig0=\"1111x\"\n", 4 },
        { "[PrtFixConfig]\nCount=-1\n", 0 },
        { "[PrtFixConfig]\nCount=3\nConfig0=\"1234a\"\n", 3 },
    };
    for (const Case& c : cases) {
        WriteSettings(c.section);
        TForm1 form;
        form.LoadSettings(TForm1::SettingsPath());
        ASSERT_EQ(form.Settings().PenScalingPresets().size(), c.presets) << c.section;
        if (c.presets == 3) {
            EXPECT_EQ(form.Settings().PenScalingPresets()[2].Int1, 0);
            EXPECT_EQ(form.Settings().PenScalingPresets()[2].Name, "");
        }
        form.SaveSettings(TForm1::SettingsPath());
        EXPECT_EQ(TIniFile(TForm1::SettingsPath()).ReadInteger("PrtFixConfig", "Count", -5),
                  static_cast<int>(c.presets));
    }
}

TEST_F(MainFormSettingsTest, AMaximisedWindowKeepsItsNormalPlace)
{
    WriteSettings("[Position]\nTop=20\nLeft=25\nHeight=450\nWidth=650\n");
    {
        TForm1 form;
        form.show();
        SettleView(form);
        form.setWindowState(Qt::WindowMaximized);
        form.SaveSettings(TForm1::SettingsPath());
    }
    const TIniFile file(TForm1::SettingsPath());
    EXPECT_EQ(file.ReadInteger("Position", "WindowState", 0), 2);
    EXPECT_EQ(file.ReadInteger("Position", "Width", 0), 650);
    EXPECT_EQ(file.ReadInteger("Position", "Top", 0), 20);
}

// The file's sections and keys come in one fixed order, each key written
// from its control, member or view-state value; a state with a value off its
// default in every section is written exactly so.
TEST_F(MainFormSettingsTest, TheFileIsWrittenInItsFixedOrder)
{
    const std::filesystem::path drawing = WriteCrossDrawing(folder, "order.zhd");
    TForm1 form;
    ASSERT_EQ(form.FileOpen(drawing), 1);
    form.move(30, 40);
    form.resize(700, 500);
    form.cbTransparent->setChecked(true);
    form.neTrace->SetValue(70);
    form.miEdgeMoji2->setChecked(true);
    form.nePrtPitch->SetValue(35);
    TInfoREG& info = form.Document()->GetInfoRegPtr();
    info.EdgeMojiRange = 1.25;
    info.EdgeMojiColor2 = 0x123456;
    info.PenEdgeFix = 3;
    info.Ext = 2;
    info.SettingsFilePath = Utf8ToSjis("/cad/設定.zhf");
    info.ReferenceFileName = "moji.txt";
    form.sbtnUnit->click();
    TMojiInt4 preset;
    SetMojiInt4(preset, 1, 2, 3, 4, Utf8ToSjis("名前"));
    form.Settings().PenScalingPresets() = { preset, preset };
    form.cbPanPrt->setChecked(true);
    form.cbKiten->setCurrentIndex(4);
    form.ppmSCRegular->setChecked(true);
    info.LoadTimeNum = 7000;
    info.Combine2 = 1;
    const std::filesystem::path file = folder.File("order.ini");
    form.SaveSettings(file);

    const std::string expected = "[Position]\nWindowState=0\nTop=40\nLeft=30\nHeight=500\nWidth=700\n"
                                 "[ViewCheck]\nWidth=0\nTransparent=1\nColorTransparent=0\nTrace=0\nTraceWidth=70\n"
                                 "Search=1\nMojiWaku=0\nEmbedMoji=0\nEdgeMoji=0\nEdgeMoji2=1\nFinalMoji=0\n"
                                 "EdgeMojiRange=1.25\nEdgeMojiFixSize=0.1\nEdgeMojiRateSize=3\nEdgeMojiFixRate=0\n"
                                 "EdgeMojiColorKind=0\nEdgeMojiColorKind2=0\nEdgeMojiColor=0\nEdgeMojiColor2=1193046\n"
                                 "EdgeMojiNonView=0\nEdgeMojiEasy=0\nPrtPitch=35\n"
                                 "[Other]\nViewUnit=1\n"
                                 "[PrintOption]\nSpecialMemory=0\nMonoThin=0\nPenWidthFix=0\nPenPitchFix=0\n"
                                 "PenHankeiFix=0\nPenEdgeFix=3\nPenPreviewFix=0\n"
                                 "[GraphicOutput]\nDpi=0\nExt=2\nComp=0\nPixelFormat=0\n"
                                 "[Files]\nZhf=\"/cad/設定.zhf\"\nRef=\"moji.txt\"\nEdit=\""
                                 + drawing.string()
                                 + "\"\n"
                                   "[PrtFixConfig]\nCount=2\nConfig0=\"1234名前\"\nConfig1=\"1234名前\"\n"
                                   "[Search]\nNarrow=0\nPanView=0\nPanPrt=1\nTargetLayer=0\nPanOrigin=4\n"
                                   "FullAgreement=0\nZHSame=0\nOKSame=0\nSPACE=0\nKINWARI=0\nSamePosText=0\n"
                                   "Regular=1\nNoSort=0\nSortText=0\nSortText2=0\n"
                                   "[Raster]\nRelease=0\nUseCache=0\nLoadTime=0\nLoadTimeNum=7000\nSaveSize=0\n"
                                   "SaveSizeNum=0\nSaveSizeUnit=0\nRate=0\nRateNum=0\nCombine1=0\nCombine2=1\n";
    EXPECT_EQ(ReadFileBytes(file), expected);
}

TEST_F(MainFormSettingsTest, TextsWithLineBreaksAreNotWritten)
{
    {
        TForm1 form;
        // A drawing whose name holds a line break is the current drawing.
        const std::filesystem::path drawing = WriteCrossDrawing(folder, "a\nInjected=1.zhd");
        ASSERT_EQ(form.FileOpen(drawing), 1);
        ASSERT_EQ(form.Opener().CurrentDrawingPath(), drawing.string());
        form.Document()->GetInfoRegPtr().SettingsFilePath = "/tmp/cad.zhf";
        form.SaveSettings(TForm1::SettingsPath());
    }
    const TIniFile file(TForm1::SettingsPath());
    EXPECT_EQ(file.ReadString("Files", "Edit", "?"), "");
    EXPECT_FALSE(file.ValueExists("Files", "Injected"));
    EXPECT_EQ(file.ReadString("Files", "Zhf", ""), "/tmp/cad.zhf");
}

TEST_F(MainFormSettingsTest, AFailedSaveIsReported)
{
    TForm1 form;
    std::filesystem::create_directories(TForm1::SettingsPath().parent_path());
    const bool ran = WithFolderUnwritable(TForm1::SettingsPath().parent_path(), [&] { form.FormClose(); });
    if (!ran)
        GTEST_SKIP() << "the settings folder stays writable here";
    ASSERT_EQ(dialogs.script->messages.size(), 1);
    EXPECT_TRUE(dialogs.script->messages[0].contains(QtText(u8"に書き込めません")));
}

} // namespace
