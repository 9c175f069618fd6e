#pragma once

// TfmPrintAbort: the modal dialog in which every print job and every
// image-output job runs, reused for each.
//
// One showing is one job. Shown, the dialog arms itself; the first tick of
// the 1 ms timer Timer2 copies the displayed drawing into the working copy,
// starts the printer's document and runs the job, which returns only when it
// is done or aborted; meanwhile the job pumps the events, so the 50 ms timer
// Timer1 shows the working copy's counters and btnAbort (or Esc) asks the
// job to stop after its current page. Timer1 then closes the dialog: OK when
// the job finished, Cancel when it was aborted or the printer failed.
// Closing ends the printer's document, so what was drawn reaches the
// printer even after an abort.
//
// A result asked for while the job runs waits until the job has returned:
// closing ends the printer's document and empties the working copy, which
// the job is still using.
//
// The dialog knows neither the printer nor the job: the main window hands
// it both (TPrintAbortLinks), so tests give it a fake job.

#include <QDialog>
#include <QString>

#include <functional>
#include <memory>
#include <string>

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;
class TZhdData;

namespace Ui {
class TfmPrintAbort;
}

// What a job reports when it returns. An abort is not the job's to report:
// the dialog asked for it.
enum class TJobResult { Done, PrinterFailed };

// What the abort button's hint and the caller's message after an abort
// say: the pages drawn may have reached the printer.
inline constexpr char8_t AbortedJobMessage[] =
    u8"印刷をここで打ち切りますが，\n印刷データはプリンタへ送られている可能性があります．\n"
    u8"詳しい対処方法は，Windows のヘルプをご覧下さい．";

// How one showing of the dialog ended.
enum class TJobOutcome { Finished, Aborted, PrinterFailed };

// The printer a print job goes to.
struct TJobPrinter {
    // The printer's name, and where it prints to (a device URI or a file).
    std::function<QString()> Name;
    std::function<QString()> Port;
    // Starts the printer's document under the title; false when the printer
    // cannot start it.
    std::function<bool(const QString& title)> BeginDocument;
    // Ends the started document; false when the printer cannot end it.
    std::function<bool()> EndDocument;
};

// What the dialog needs of the main window.
struct TPrintAbortLinks {
    TZhdData* Displayed = nullptr;
    // The copy a job turns and changes; the dialog fills it from the
    // displayed drawing before each job and empties it after.
    TZhdData* WorkingCopy = nullptr;
    // The main window's print job kind: 1 printing, 2 image output, 0 none.
    int* JobKind = nullptr;
    // The drawing's path (UTF-8) and the print's title (Shift-JIS).
    std::function<std::string()> DrawingPath;
    std::function<std::string()> PrintTitle;
    TJobPrinter Printer;
    // The jobs, given the working copy.
    std::function<TJobResult(TZhdData& working_copy)> Print;
    std::function<TJobResult(TZhdData& working_copy)> Output;
    // The image file an output job writes, once chosen; empty before.
    std::function<QString()> OutputFileName;
};

// The printer's title of a document: the file-name part of the print title
// (Shift-JIS), without control characters, which a spooler shows as they
// are.
QString PrinterJobTitle(const std::string& sjis_print_title);

class TfmPrintAbort : public QDialog {
    Q_OBJECT
public:
    explicit TfmPrintAbort(QWidget* parent = nullptr);
    ~TfmPrintAbort() override;

    void SetLinks(TPrintAbortLinks links);
    // How the last showing ended; read after exec().
    TJobOutcome Outcome() const { return outcome_; }

    QLabel* Label1() const;
    QLabel* Label2() const;
    QLabel* Label4() const;
    QLabel* Label5() const;
    QLabel* Label6() const;
    QLabel* Label7() const;
    QLabel* Label8() const;
    QProgressBar* ProgressBar1() const;
    QProgressBar* ProgressBar2() const;
    QPushButton* btnAbort() const;

    // Handlers.
    void FormShow();
    void FormActivate();
    void Timer2Timer();
    void Timer1Timer();
    void btnAbortClick();
    void FormCloseQuery();

    // Closes through FormCloseQuery; a result asked for while the job runs
    // is kept until it has returned.
    void done(int result) override;
    // Esc and the window's close: the abort button, while it is enabled.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void StartJob(int kind);
    void ShowJobLabels(int kind);
    void CopyDisplayedDrawing();
    TJobResult RunJob(int kind);
    void ShowOutputFile();
    // Asks for the result once; while the job runs, after it.
    void RequestResult(int result);

    std::unique_ptr<Ui::TfmPrintAbort> ui_;
    QTimer* timer1_ = nullptr;
    QTimer* timer2_ = nullptr;
    TPrintAbortLinks links_;
    bool armed_ = false;
    bool started_ = false;
    bool finished_ = false;
    bool abort_requested_ = false;
    // The printer reported a failure during this showing.
    bool printer_failed_ = false;
    bool document_started_ = false;
    bool job_running_ = false;
    bool result_requested_ = false;
    int pending_result_ = -1;
    TJobOutcome outcome_ = TJobOutcome::Finished;
};
