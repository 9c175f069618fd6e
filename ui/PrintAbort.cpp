#include "ui/PrintAbort.h"

#include "core/DebugLog.h"
#include "document/ZhdData.h"
#include "platform/ui/FormFont.h"
#include "platform/ui/FormSupport.h"
#include "platform/ui/QtText.h"
#include "ui/MainForm.h"
#include "ui/PathShortening.h"

#include "ui_PrintAbort.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QShowEvent>
#include <QTimer>

#include <algorithm>

namespace {

constexpr int form_font_pixels = 12;
constexpr int progress_poll_ms = 50;
constexpr int job_start_ms = 1;

// Every element of the displayed list: the working copy takes new copies of
// all of them, so that the job may turn and change them.
constexpr int every_element = 2;
constexpr int share_images = 1;

// Both "/" and "\" end a folder: print titles may come from either system.
QString FileNamePart(const QString& path)
{
    const qsizetype cut = std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return path.mid(cut + 1);
}

QString DoneOfTotal(int done, int total)
{
    return QString::asprintf("%d / %d", done, total);
}

// A bar with no total shows empty rather than Qt's busy animation.
void ShowBar(QProgressBar* bar, int done, int total)
{
    bar->setRange(0, std::max(total, 1));
    bar->setValue(total > 0 ? done : 0);
}

void ClearProgress(TZhdData& document)
{
    TInfoREG& info = document.GetInfoRegPtr();
    info.ElementsDrawn = 0;
    info.ElementTotal = 0;
    info.PagesDone = 0;
    info.PageTotal = 0;
    info.AbortFlag = 0;
}

} // namespace

QString PrinterJobTitle(const std::string& sjis_print_title)
{
    QString title = FileNamePart(SjisText(sjis_print_title));
    title.removeIf([](QChar c) { return c.category() == QChar::Other_Control; });
    return title;
}

TfmPrintAbort::TfmPrintAbort(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , ui_(std::make_unique<Ui::TfmPrintAbort>())
{
    ui_->setupUi(this);
    UseFormFont(this, form_font_pixels);
    setFixedSize(size());
    setModal(true);
    timer1_ = new QTimer(this);
    timer1_->setInterval(progress_poll_ms);
    timer2_ = new QTimer(this);
    timer2_->setSingleShot(true);
    timer2_->setInterval(job_start_ms);
    connect(timer1_, &QTimer::timeout, this, [this] { Timer1Timer(); });
    connect(timer2_, &QTimer::timeout, this, [this] { Timer2Timer(); });
    connect(ui_->btnAbort, &QPushButton::clicked, this, [this] { btnAbortClick(); });
    ShowBar(ui_->ProgressBar1, 0, 0);
    ShowBar(ui_->ProgressBar2, 0, 0);
}

TfmPrintAbort::~TfmPrintAbort() = default;

void TfmPrintAbort::SetLinks(TPrintAbortLinks links)
{
    links_ = std::move(links);
}

QLabel* TfmPrintAbort::Label1() const { return ui_->Label1; }
QLabel* TfmPrintAbort::Label2() const { return ui_->Label2; }
QLabel* TfmPrintAbort::Label4() const { return ui_->Label4; }
QLabel* TfmPrintAbort::Label5() const { return ui_->Label5; }
QLabel* TfmPrintAbort::Label6() const { return ui_->Label6; }
QLabel* TfmPrintAbort::Label7() const { return ui_->Label7; }
QLabel* TfmPrintAbort::Label8() const { return ui_->Label8; }
QProgressBar* TfmPrintAbort::ProgressBar1() const { return ui_->ProgressBar1; }
QProgressBar* TfmPrintAbort::ProgressBar2() const { return ui_->ProgressBar2; }
QPushButton* TfmPrintAbort::btnAbort() const { return ui_->btnAbort; }

// A modal dialog is shown once per job; the window system may not activate
// it (another window keeps the focus, or there is no window manager), and
// the job must start all the same, so showing it arms it.
void TfmPrintAbort::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    FormShow();
    FormActivate();
    timer1_->start();
    if (!started_)
        timer2_->start();
}

void TfmPrintAbort::FormShow()
{
    ApplyHint(ui_->btnAbort, QtText(AbortedJobMessage));
}

void TfmPrintAbort::FormActivate()
{
    WriteDebugLog("fmPrintAbortActivate()");
    armed_ = true;
}

void TfmPrintAbort::Timer2Timer()
{
    // A dialog not linked to a window has no job to run.
    if (!armed_ || !links_.JobKind)
        return;
    const int kind = *links_.JobKind;
    if (kind == 0) {
        finished_ = true;
        return;
    }
    if (started_)
        return;
    WriteDebugLog("Timer2Timer()");
    started_ = true;
    StartJob(kind);
}

void TfmPrintAbort::StartJob(int kind)
{
    outcome_ = TJobOutcome::Finished;
    ShowJobLabels(kind);
    ShowBar(ui_->ProgressBar1, 0, 0);
    ShowBar(ui_->ProgressBar2, 0, 0);
    const TJobResult result = RunJob(kind);

    setCursor(Qt::WaitCursor);
    ui_->btnAbort->setEnabled(false);
    ui_->Label1->setText(QtText(u8"後処理中"));
    *links_.JobKind = 0;
    if (result == TJobResult::PrinterFailed)
        printer_failed_ = true;
    if (!abort_requested_ && !printer_failed_) {
        const TInfoREG& info = links_.WorkingCopy->GetInfoRegPtr();
        ShowBar(ui_->ProgressBar1, info.ElementTotal, info.ElementTotal);
        ShowBar(ui_->ProgressBar2, info.PageTotal, info.PageTotal);
        WriteDebugLog("fmPrintAbortOk()");
        finished_ = true;
    }
    if (pending_result_ >= 0) {
        const int result_asked = pending_result_;
        pending_result_ = -1;
        SetModalResult(this, result_asked);
    }
}

void TfmPrintAbort::ShowJobLabels(int kind)
{
    const QString file_name =
        QFileInfo(QString::fromStdString(links_.DrawingPath ? links_.DrawingPath() : std::string())).fileName();
    ui_->Label2->setText(file_name);
    if (kind == 1) {
        setWindowTitle(QtText(ApplicationTitle) + QtText(u8"  - ファイル印刷 -"));
        ui_->Label4->setText(links_.Printer.Name ? links_.Printer.Name() : QString());
        ui_->Label5->setText((links_.Printer.Port ? links_.Printer.Port() : QString()) + QtText(u8" へ出力中"));
    } else {
        setWindowTitle(QtText(ApplicationTitle) + QtText(u8"  - ファイル出力 -"));
    }
}

// The job turns the elements and changes the header page by page; the
// drawing on the screen stays as it is.
void TfmPrintAbort::CopyDisplayedDrawing()
{
    TZhdData& displayed = *links_.Displayed;
    TZhdData& copy = *links_.WorkingCopy;
    copy.AssignAll(displayed);
    copy.GetElemListPtr().Clear();
    copy.GetElemListPtr().Copy(displayed.GetElemListPtr(), displayed, every_element, share_images);
}

TJobResult TfmPrintAbort::RunJob(int kind)
{
    ClearProgress(*links_.Displayed);
    CopyDisplayedDrawing();
    const auto& job = kind == 1 ? links_.Print : links_.Output;
    if (kind == 1) {
        const QString title = PrinterJobTitle(links_.PrintTitle ? links_.PrintTitle() : std::string());
        if (links_.Printer.BeginDocument && !links_.Printer.BeginDocument(title))
            return TJobResult::PrinterFailed;
        document_started_ = true;
    }
    if (!job)
        return TJobResult::Done;
    job_running_ = true;
    const TJobResult result = job(*links_.WorkingCopy);
    job_running_ = false;
    return result;
}

void TfmPrintAbort::Timer1Timer()
{
    // Without a job kind there is nothing to start, and the dialog closes
    // as finished.
    if (!started_ && !finished_)
        return;
    ShowOutputFile();
    TInfoREG& info = links_.WorkingCopy->GetInfoRegPtr();
    info.ElementsDrawn = std::min(info.ElementsDrawn, info.ElementTotal);
    info.PagesDone = std::min(info.PagesDone, info.PageTotal);
    ShowBar(ui_->ProgressBar1, info.ElementsDrawn, info.ElementTotal);
    ShowBar(ui_->ProgressBar2, info.PagesDone, info.PageTotal);
    ui_->Label6->setText(DoneOfTotal(info.ElementsDrawn, info.ElementTotal));
    ui_->Label7->setText(DoneOfTotal(info.PagesDone, info.PageTotal));
    if (finished_)
        RequestResult(QDialog::Accepted);
    else if (abort_requested_ || printer_failed_)
        RequestResult(QDialog::Rejected);
}

// An image output names its file only once the save dialog was answered.
void TfmPrintAbort::ShowOutputFile()
{
    if (!ui_->Label4->text().isEmpty() || !links_.OutputFileName)
        return;
    const QString file = links_.OutputFileName();
    if (file.isEmpty())
        return;
    const QFileInfo info(file);
    ui_->Label4->setText(ShortenPathToWidth(info.path(), QFontMetrics(ui_->Label4->font()), ui_->Label4->width()));
    ui_->Label5->setText(info.fileName() + QtText(u8" へ出力中"));
}

void TfmPrintAbort::RequestResult(int result)
{
    if (result_requested_)
        return;
    result_requested_ = true;
    if (job_running_) {
        pending_result_ = result;
        return;
    }
    SetModalResult(this, result);
}

void TfmPrintAbort::btnAbortClick()
{
    WriteDebugLog("fmPrintAbortCancel()");
    abort_requested_ = true;
    if (links_.WorkingCopy)
        links_.WorkingCopy->GetInfoRegPtr().AbortFlag = 1;
}

void TfmPrintAbort::reject()
{
    if (ui_->btnAbort->isEnabled())
        ui_->btnAbort->click();
}

void TfmPrintAbort::done(int result)
{
    if (job_running_) {
        pending_result_ = result;
        return;
    }
    if (!isVisible())
        return;
    if (finished_)
        outcome_ = TJobOutcome::Finished;
    else if (printer_failed_)
        outcome_ = TJobOutcome::PrinterFailed;
    else
        outcome_ = TJobOutcome::Aborted;
    FormCloseQuery();
    if (outcome_ != TJobOutcome::Finished)
        result = QDialog::Rejected;
    QDialog::done(result);
}

void TfmPrintAbort::FormCloseQuery()
{
    WriteDebugLog("fmPrintAbortCloseQuery()");
    started_ = false;
    finished_ = false;
    abort_requested_ = false;
    if (links_.Displayed)
        ClearProgress(*links_.Displayed);
    // Also after an abort: the pages drawn so far are printed.
    if (document_started_) {
        document_started_ = false;
        if (links_.Printer.EndDocument && !links_.Printer.EndDocument())
            outcome_ = TJobOutcome::PrinterFailed;
    }
    unsetCursor();
    ui_->btnAbort->setEnabled(true);
    timer1_->stop();
    timer2_->stop();
    armed_ = false;
    printer_failed_ = false;
    result_requested_ = false;
    pending_result_ = -1;
    if (links_.WorkingCopy)
        links_.WorkingCopy->GetElemListPtr().Clear();
}
