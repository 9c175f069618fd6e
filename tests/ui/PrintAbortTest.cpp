#include "ui/PrintAbort.h"

#include "document/ZhdData.h"
#include "elements/KLine.h"
#include "platform/ShiftJis.h"
#include "platform/ui/QtText.h"
#include "tests/support/WidgetShot.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <boost/make_shared.hpp>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// Long enough for the 50 ms progress poll to tick at least once.
constexpr int poll_wait_ms = 120;

// A job of `pages` pages of 10 elements each that lets the dialog's events
// run at the start of each page, as the page loop does, and stops after the
// page on which it finds the abort flag.
struct TFakeJob {
    int pages = 3;
    // Runs inside the job's pump at the start of the page (0-based).
    std::function<void(int page, TZhdData& copy)> at_page;
    TJobResult result = TJobResult::Done;
    int runs = 0;
    int pages_printed = 0;

    TJobResult operator()(TZhdData& copy)
    {
        ++runs;
        pages_printed = 0;
        TInfoREG& info = copy.GetInfoRegPtr();
        info.PageTotal = pages;
        for (int page = 0; page < pages; ++page) {
            info.ElementsDrawn = 0;
            info.ElementTotal = 10;
            QTest::qWait(poll_wait_ms);
            if (at_page)
                at_page(page, copy);
            info.ElementsDrawn = 10;
            info.PagesDone = page + 1;
            ++pages_printed;
            if (info.AbortFlag != 0) {
                info.AbortFlag = 0;
                break;
            }
        }
        return result;
    }
};

class PrintAbortTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int i = 0; i < 2; ++i) {
            auto line = boost::make_shared<TKLine>();
            line->SetLine(TBPoint(0.0, static_cast<double>(i)), TBPoint(10.0, static_cast<double>(i)));
            displayed.GetElemListPtr().Append(line);
        }
        TPrintAbortLinks links;
        links.Displayed = &displayed;
        links.WorkingCopy = &working_copy;
        links.JobKind = &kind;
        links.DrawingPath = [] { return std::string("/home/user/drawings/plan.zhd"); };
        links.PrintTitle = [] { return std::string("/home/user/drawings/$$$plan.zhd"); };
        links.Printer.Name = [] { return QStringLiteral("office"); };
        links.Printer.Port = [] { return QStringLiteral("ipp://printhost/office"); };
        links.Printer.BeginDocument = [this](const QString& title) {
            titles.push_back(title);
            return begin_succeeds;
        };
        links.Printer.EndDocument = [this] {
            ++documents_ended;
            return true;
        };
        links.Print = [this](TZhdData& copy) { return job(copy); };
        dialog.SetLinks(links);
    }

    // One print job, as the main window starts it.
    int RunPrintJob()
    {
        kind = 1;
        return dialog.exec();
    }

    TZhdData displayed;
    TZhdData working_copy;
    int kind = 0;
    std::vector<QString> titles;
    bool begin_succeeds = true;
    int documents_ended = 0;
    TFakeJob job;
    TfmPrintAbort dialog;
};

} // namespace

TEST_F(PrintAbortTest, AnAbortOnTheLastPageClosesWithCancelAfterTheJobAndStillEndsTheDocument)
{
    struct Seen {
        int copied_elements = -1;
        bool shown_after_poll = false;
        int ended_during_job = -1;
        QString caption, file, printer, port;
    } seen;
    job.at_page = [&](int page, TZhdData& copy) {
        if (page != job.pages - 1)
            return;
        seen.caption = dialog.windowTitle();
        seen.file = dialog.Label2()->text();
        seen.printer = dialog.Label4()->text();
        seen.port = dialog.Label5()->text();
        QTest::keyClick(&dialog, Qt::Key_Escape);
        // The poll asks for Cancel meanwhile; the dialog, the document and
        // the working copy stay until the job has returned.
        QTest::qWait(poll_wait_ms);
        seen.copied_elements = copy.GetElemListPtr().Size();
        seen.shown_after_poll = dialog.isVisible();
        seen.ended_during_job = documents_ended;
    };

    EXPECT_EQ(RunPrintJob(), QDialog::Rejected);
    EXPECT_EQ(dialog.Outcome(), TJobOutcome::Aborted);
    EXPECT_EQ(job.pages_printed, 3);
    EXPECT_TRUE(seen.shown_after_poll);
    EXPECT_EQ(seen.ended_during_job, 0);
    EXPECT_EQ(documents_ended, 1);
    EXPECT_EQ(seen.copied_elements, 2);
    EXPECT_EQ(working_copy.GetElemListPtr().Size(), 0);
    EXPECT_EQ(displayed.GetElemListPtr().Size(), 2);
    EXPECT_EQ(kind, 0);
    EXPECT_EQ(titles, std::vector<QString> { QStringLiteral("$$$plan.zhd") });
    EXPECT_EQ(seen.caption, QtText(u8"Zuviewα版  - ファイル印刷 -"));
    EXPECT_EQ(seen.file, QStringLiteral("plan.zhd"));
    EXPECT_EQ(seen.printer, QStringLiteral("office"));
    EXPECT_EQ(seen.port, QtText(u8"ipp://printhost/office へ出力中"));
}

TEST_F(PrintAbortTest, CountersPastTheirTotalShowTotalOfTotal)
{
    QString elements;
    QString pages;
    job.pages = 1;
    job.at_page = [&](int, TZhdData& copy) {
        TInfoREG& info = copy.GetInfoRegPtr();
        info.ElementsDrawn = 15;
        info.ElementTotal = 10;
        info.PagesDone = 3;
        info.PageTotal = 2;
        QTest::qWait(poll_wait_ms);
        elements = dialog.Label6()->text();
        pages = dialog.Label7()->text();
        EXPECT_EQ(dialog.ProgressBar1()->value(), dialog.ProgressBar1()->maximum());
    };
    EXPECT_EQ(RunPrintJob(), QDialog::Accepted);
    EXPECT_EQ(elements, QStringLiteral("10 / 10"));
    EXPECT_EQ(pages, QStringLiteral("2 / 2"));
}

TEST_F(PrintAbortTest, AJobAfterAnAbortedOneRunsToTheEnd)
{
    job.at_page = [&](int page, TZhdData&) {
        if (page == 0)
            QTest::mouseClick(dialog.btnAbort(), Qt::LeftButton);
    };
    EXPECT_EQ(RunPrintJob(), QDialog::Rejected);
    EXPECT_EQ(job.pages_printed, 1);

    job.at_page = nullptr;
    EXPECT_EQ(RunPrintJob(), QDialog::Accepted);
    EXPECT_EQ(dialog.Outcome(), TJobOutcome::Finished);
    EXPECT_EQ(job.runs, 2);
    EXPECT_EQ(job.pages_printed, 3);
    EXPECT_EQ(documents_ended, 2);
    EXPECT_TRUE(dialog.btnAbort()->isEnabled());
}

TEST_F(PrintAbortTest, APrinterFailureIsNeitherFinishedNorAborted)
{
    const struct {
        bool begin_succeeds;
        TJobResult result;
        int runs;
        int documents_ended;
    } cases[] = {
        // The document never started: no job, nothing to end.
        { false, TJobResult::Done, 0, 0 },
        // A page failed: the started document is ended all the same.
        { true, TJobResult::PrinterFailed, 1, 1 },
    };
    for (const auto& c : cases) {
        begin_succeeds = c.begin_succeeds;
        job.result = c.result;
        job.runs = 0;
        documents_ended = 0;
        EXPECT_EQ(RunPrintJob(), QDialog::Rejected);
        EXPECT_EQ(dialog.Outcome(), TJobOutcome::PrinterFailed);
        EXPECT_EQ(job.runs, c.runs);
        EXPECT_EQ(documents_ended, c.documents_ended);
        EXPECT_EQ(kind, 0);
    }
}

TEST_F(PrintAbortTest, AnImageOutputShowsItsFolderAndFileOnceChosen)
{
    TPrintAbortLinks links;
    links.Displayed = &displayed;
    links.WorkingCopy = &working_copy;
    links.JobKind = &kind;
    QString chosen;
    links.OutputFileName = [&] { return chosen; };
    QString caption, folder, file;
    links.Output = [&](TZhdData&) {
        QTest::qWait(poll_wait_ms);
        // The save dialog is still open: nothing to show yet.
        EXPECT_TRUE(dialog.Label4()->text().isEmpty());
        chosen = QStringLiteral("/home/user/images/plan.bmp");
        QTest::qWait(poll_wait_ms);
        caption = dialog.windowTitle();
        folder = dialog.Label4()->text();
        file = dialog.Label5()->text();
        return TJobResult::Done;
    };
    dialog.SetLinks(links);
    dialog.Label4()->clear();
    kind = 2;
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(titles.size(), 0u);
    EXPECT_EQ(documents_ended, 0);
    EXPECT_EQ(caption, QtText(u8"Zuviewα版  - ファイル出力 -"));
    EXPECT_EQ(folder, QStringLiteral("/home/user/images"));
    EXPECT_EQ(file, QtText(u8"plan.bmp へ出力中"));
}

TEST(PrintAbort, TheJobTitleIsTheFileNameWithoutControlCharacters)
{
    const struct {
        std::string print_title;
        const char8_t* title;
    } cases[] = {
        { "/home/user/drawings/$$$plan.zhd", u8"$$$plan.zhd" },
        { "C:\\CAD\\$$$a\tb\x01.zhd", u8"$$$ab.zhd" },
        { Utf8ToSjis("/図面/$$$１階\r\n平面.zhd"), u8"$$$１階平面.zhd" },
        { "/home/user/drawings/", u8"" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(PrinterJobTitle(c.print_title), QtText(c.title)) << c.print_title;
}

TEST(PrintAbort, Screenshot)
{
    TfmPrintAbort dialog;
    EXPECT_EQ(dialog.size(), QSize(292, 229));
    CheckScreenshot(dialog, "PrintAbort",
                    { "fmPrintAbort", "印刷中", "ファイル名", "を", "プリンタ名", "ポート名：へ出力中", "印刷要素",
                      "ペ ー ジ", "印刷中止" });
}
