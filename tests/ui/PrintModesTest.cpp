#include "ui/PrintModes.h"

#include "controls/ResizableToolWindow97.h"
#include "controls/ToolbarButton97.h"
#include "tests/support/ScopedConfigFolder.h"
#include "tests/ui/MainFormTestSupport.h"
#include "ui/Information.h"
#include "ui/PrintAbort.h"

#include <QAction>
#include <QPlainTextEdit>
#include <QCheckBox>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPushButton>
#include <QToolButton>

#include <string>

namespace {

// Qt keeps page sizes in whole points.
constexpr double paper_tolerance = 0.4;

// The printer's whole page is printable, so the paper is the page size.
void UsePdfPrinter(QPrinter& printer, const std::filesystem::path& file, QPageSize::PageSizeId size)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(PathText(file));
    printer.setPageLayout(QPageLayout(QPageSize(size), QPageLayout::Portrait, QMarginsF()));
}

class PrintModesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form.show();
        SettleView(form);
        UsePdfPrinter(form.Printer(), folder.File("out.pdf"), QPageSize::A4);
    }

    TInfoREG& Info() { return form.Document()->GetInfoRegPtr(); }

    void ExpectFrameMode(bool print_mode)
    {
        EXPECT_EQ(form.State().CommandMode, FrameMode);
        EXPECT_EQ(form.State().CommandSubMode, 0);
        EXPECT_EQ(Info().PrintPreview, 1);
        EXPECT_FALSE(form.cbWidthView->isEnabled());
        EXPECT_TRUE(form.tbMainPrint->isVisible());
        EXPECT_EQ(form.tbMPbtnPrint->text(), QtText(print_mode ? u8"印刷実行(L)" : u8"出力実行(L)"));
        EXPECT_EQ(form.tbMPbtnPrintSet->text(), QtText(print_mode ? u8"プリンタ設定" : u8"ファイル設定"));
        EXPECT_EQ(form.tbMPbtnPrintInfo->isVisible(), print_mode);
        EXPECT_EQ(Info().FileOutput, print_mode ? 0 : 1);
    }

    void ExpectNoFrameMode()
    {
        EXPECT_EQ(form.State().CommandMode, NoCommandMode);
        EXPECT_EQ(Info().PrintPreview, 0);
        EXPECT_TRUE(form.cbWidthView->isEnabled());
        EXPECT_FALSE(form.tbMainPrint->isVisible());
    }

    ScopedConfigFolder config;
    TScriptedDialogsInstalled dialogs;
    TempDir folder;
    TForm1 form;
};

} // namespace

TEST_F(PrintModesTest, ACancelledPrintDialogReleasesPrintOnEnteringAndKeepsPrintMode)
{
    dialogs.script->print_answers = { false };
    form.tbtn97Print->Click();
    EXPECT_EQ(dialogs.script->print_dialogs, 1);
    EXPECT_FALSE(form.tbtn97Print->Down());
    ExpectNoFrameMode();

    // Accepted: the frame's paper is the printer's page.
    dialogs.script->choose_printer = [](QPrinter& printer) {
        printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A3), QPageLayout::Landscape, QMarginsF()));
    };
    form.tbtn97Print->Click();
    ExpectFrameMode(true);
    EXPECT_NEAR(Info().PaperWidth, 420, paper_tolerance);
    EXPECT_NEAR(Info().PaperHeight, 297, paper_tolerance);

    dialogs.script->choose_printer = nullptr;
    dialogs.script->print_answers = { false };
    form.tbtn97Print->Click();
    EXPECT_EQ(dialogs.script->print_dialogs, 3);
    EXPECT_TRUE(form.tbtn97Print->Down());
    ExpectFrameMode(true);

    form.tbtn97None->Click();
    ExpectNoFrameMode();
}

TEST_F(PrintModesTest, TheOutputSizeGivesThePaper)
{
    const struct {
        std::string size_text;
        double width;
        double height;
    } cases[] = {
        { "420 , 297", 420, 297 },
        { "300", 300, 300 },
        // No field: the paper stays as it was.
        { "", 123, 45 },
    };
    for (const auto& c : cases) {
        Info().OutputSizeText = c.size_text;
        Info().PaperWidth = 123;
        Info().PaperHeight = 45;
        form.tbtn97Output->Click();
        ExpectFrameMode(false);
        EXPECT_EQ(Info().PaperWidth, c.width) << c.size_text;
        EXPECT_EQ(Info().PaperHeight, c.height) << c.size_text;
        form.tbtn97None->Click();
        ExpectNoFrameMode();
    }
}

TEST_F(PrintModesTest, PrintSettingsOutsidePrintModeOpensTheOutputDialogOrLeavesTheFrameModes)
{
    int output_dialogs = 0;
    form.PrintModes().Links().OutputSettings = [&](const TOutputChoice& current) -> std::optional<TOutputChoice> {
        ++output_dialogs;
        TOutputChoice chosen = current;
        chosen.SizeText = "200,100";
        return chosen;
    };
    form.tbtn97Output->Click();
    EXPECT_EQ(output_dialogs, 1);
    form.PrintSet->trigger();
    EXPECT_EQ(output_dialogs, 2);
    ExpectFrameMode(false);
    EXPECT_EQ(Info().PaperWidth, 200);

    form.tbtn97ContPrint->Click();
    EXPECT_EQ(form.State().CommandMode, FrameMode);
    EXPECT_FALSE(form.tbMPbtnPrint->isEnabled());
    EXPECT_TRUE(form.ToolWindowContinuousPrint->isVisible());
    form.PrintSet->trigger();
    EXPECT_EQ(output_dialogs, 2);
    EXPECT_EQ(dialogs.script->page_setups, 0);
    ExpectNoFrameMode();
    EXPECT_FALSE(form.ToolWindowContinuousPrint->isVisible());

    // In print mode it is the printer's set-up, and the paper follows it.
    form.tbtn97Print->Click();
    dialogs.script->choose_printer = [](QPrinter& printer) {
        printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A3), QPageLayout::Portrait, QMarginsF()));
    };
    form.PrintSet->trigger();
    EXPECT_EQ(dialogs.script->page_setups, 1);
    EXPECT_NEAR(Info().PaperWidth, 297, paper_tolerance);
    EXPECT_NEAR(Info().PaperHeight, 420, paper_tolerance);
}

TEST_F(PrintModesTest, TheMenusPrintAfterImageOutputPrintsInsteadOfWritingAnImage)
{
    int images = 0;
    int prints = 0;
    form.PrintModes().Links().OutputImage = [&] { ++images; };
    form.PrintJobLinks().Print = [&](TZhdData&) {
        ++prints;
        return TJobResult::Done;
    };
    form.tbtn97Output->Click();
    form.tbMPbtnPrint->click();
    EXPECT_EQ(images, 1);

    form.Print1->trigger();
    EXPECT_TRUE(form.tbtn97Print->Down());
    EXPECT_FALSE(form.tbtn97Output->Down());
    ExpectFrameMode(true);
    form.tbMPbtnPrint->click();
    EXPECT_EQ(images, 1);
    EXPECT_EQ(prints, 1);
    EXPECT_EQ(form.State().Busy, 0);
    EXPECT_EQ(form.State().PrintJobKind, 0);

    // The menu item again leaves print mode.
    form.Print1->trigger();
    ExpectNoFrameMode();
}

TEST_F(PrintModesTest, AJobThatDidNotFinishIsReportedAndTheScreenRestored)
{
    const struct {
        TJobResult result;
        bool abort;
        const char8_t* message;
    } cases[] = {
        { TJobResult::Done, true,
          u8"印刷をここで打ち切りますが，\n印刷データはプリンタへ送られている可能性があります．\n"
          u8"詳しい対処方法は，Windows のヘルプをご覧下さい．" },
        { TJobResult::PrinterFailed, false, u8" に印刷できません．" },
    };
    form.tbtn97Print->Click();
    const QString caption = form.windowTitle();
    const double scale = form.Document()->GetHeadPtr().GetPrinterArea().GetScale();
    for (const auto& c : cases) {
        dialogs.script->messages.clear();
        form.PrintJobLinks().Print = [&](TZhdData&) {
            // A page per group shows its header on the screen.
            TZhdHead shown = form.Document()->GetHead();
            TZhdZoomF area = shown.GetPrinterArea();
            area.SetScale(scale + 1);
            shown.SetPrinterArea(area);
            form.Document()->SetHead(shown);
            form.setWindowTitle(caption + QtText(u8" - 印刷中... - "));
            QTest::qWait(60);
            if (c.abort)
                form.PrintAbortDialog().btnAbort()->click();
            return c.result;
        };
        form.tbMPbtnPrint->click();
        EXPECT_EQ(dialogs.script->messages, QStringList { QtText(c.message) });
        EXPECT_EQ(form.windowTitle(), caption);
        EXPECT_EQ(form.Document()->GetHeadPtr().GetPrinterArea().GetScale(), scale);
        EXPECT_EQ(form.State().Busy, 0);
    }
}

// The whole road of a print from the window: print mode, the job button, the
// page loop on the window's printer, a PDF with the drawing's page.
TEST_F(PrintModesTest, TheJobButtonPrintsTheDrawingThroughThePageLoop)
{
    auto line = boost::make_shared<TKLine>();
    line->SetLine(TBPoint(-50, 0), TBPoint(50, 0));
    line->SetPenColor(1);
    form.Document()->GetElemListPtr().Append(line);
    const std::filesystem::path pdf = folder.File("out.pdf");
    form.tbtn97Print->Click();
    ExpectFrameMode(true);
    form.tbMPbtnPrint->click();
    EXPECT_TRUE(dialogs.script->messages.isEmpty()) << dialogs.script->messages.join("|").toStdString();
    EXPECT_EQ(form.PrintAbortDialog().Outcome(), TJobOutcome::Finished);
    ASSERT_TRUE(std::filesystem::exists(pdf));
    const std::string bytes = ReadFileBytes(pdf);
    EXPECT_EQ(bytes.rfind("%PDF", 0), 0u);
    EXPECT_NE(bytes.find("/Type /Page"), std::string::npos);
    EXPECT_EQ(form.State().Busy, 0);
}

TEST_F(PrintModesTest, ThePrinterInformationButtonShowsTheReport)
{
    form.tbtn97Print->Click();
    form.tbMPbtnPrintInfo->click();
    TfmInformation* information = form.findChild<TfmInformation*>();
    ASSERT_NE(information, nullptr);
    EXPECT_TRUE(information->isVisible());
    const QStringList lines = information->Memo1()->toPlainText().split(QLatin1Char('\n'));
    ASSERT_GT(lines.size(), 10);
    EXPECT_EQ(lines[0], form.State().WindowTitle);
    EXPECT_TRUE(lines.contains(QtText(u8"出力解像度幅： 1200dpi"))) << lines.join("|").toStdString();
    information->close();
}
