// Printing in the real executable on a real X server (CTest runs it under
// xvfb-run), with real X input faked by the server's XTest extension, onto
// the CUPS PDF queue that the environment names (CI starts one: see
// scripts/cups-pdf-queue.sh). Without the queue the test is skipped.
//
// The program starts with PRINTER naming the queue: CUPS takes it as the
// user's default destination, and the window's printer is the default one.
// The drawing is a 100 mm square about the origin with its diagonals and
// its middle line, all inside the square; the print frame stands on the
// origin at its default scale, 100 %.
//
// - Alt+F, then P: the menu's "印刷(&P)" shows the print dialog, and Enter
//   accepts it: print mode, the frame on the drawing ("PrintPush()" in the
//   program's log).
// - A left click on the drawing prints (the frame standing still): the
//   progress dialog comes and goes, and the queue's printer writes the PDF,
//   named after the job's title, the drawing's file name.
// - The PDF's title is the job's: the drawing's file name, no folder.
// - pdftocairo's SVG of the page holds the square: its four sides each one
//   stroke from corner to corner, 100 mm each, around all the strokes.
//
// Every wait is bounded; the pictures and the PDF are kept in the test
// artefacts, and on a failure the program's debug log too.

#include "core/BPoint.h"
#include "document/ZhdData.h"
#include "document/ZhdPen.h"
#include "tests/smoke/ProgramLog.h"
#include "tests/smoke/SmokeSupport.h"
#include "tests/smoke/XWindows.h"
#include "tests/support/PrintedPdf.h"
#include "tests/support/TempDir.h"

#include <QImage>

#include <X11/keysym.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

using namespace smoke;

constexpr auto job_wait = 60s;
constexpr auto menu_settle = 300ms;
constexpr auto quick_poll = 20ms;
constexpr int pdf_wait_seconds = 60;

constexpr double side = 100;
constexpr double half = side / 2;
// pdftocairo's points have two decimals; a hair of the page's rounding.
constexpr double paper_tolerance = 0.1;

constexpr char8_t progress_caption[] = u8"Zuviewα版  - ファイル印刷 -";
constexpr char pdf_artefact[] = "zuview_print_page.pdf";

// The print dialog's title in the program's language or Qt's own.
bool IsPrintDialog(const std::string& title)
{
    return title == "Print" || title == Utf8(u8"印刷");
}

// The drawing's file name, the job's title: its own per run, so that an
// earlier run's PDF is never taken for this one's.
std::string DrawingFileName()
{
    return "printsmoke-" + std::to_string(::getpid()) + ".zhd";
}

std::filesystem::path WriteSquareDrawing(const TempDir& folder)
{
    TZhdData drawing;
    drawing.GetHeadPtr().SetPaperSize(drawing_paper_size);
    // The CAD program's drawings print on white: their background print pen
    // (0) is white, where a pen's own default is grey.
    TVect<TZhdPrtPen> pens = drawing.GetHeadPtr().GetPrtPens();
    TZhdPrtPen background = pens.Get(0);
    background.SetColor(0xFFFFFF);
    pens.Set(0, background);
    drawing.GetHeadPtr().SetPrtPens(pens);
    const TBPoint corners[] = { TBPoint(-half, -half), TBPoint(half, -half), TBPoint(half, half),
                                TBPoint(-half, half) };
    for (int i = 0; i < 4; ++i)
        AppendLine(drawing, corners[i], corners[(i + 1) % 4], 1);
    AppendLine(drawing, corners[0], corners[2], 2);
    AppendLine(drawing, corners[1], corners[3], 3);
    AppendLine(drawing, TBPoint(-half, 0.0), TBPoint(half, 0.0), 4);
    return SaveDrawing(drawing, folder, DrawingFileName());
}

bool Near(double a, double b)
{
    return std::abs(a - b) <= paper_tolerance;
}

// Whether the segment runs from one corner to the other, either way.
bool Joins(const TPaperSegment& s, double x1, double y1, double x2, double y2)
{
    return (Near(s.x1, x1) && Near(s.y1, y1) && Near(s.x2, x2) && Near(s.y2, y2))
        || (Near(s.x1, x2) && Near(s.y1, y2) && Near(s.x2, x1) && Near(s.y2, y1));
}

bool HasSide(const std::vector<TPaperSegment>& segments, double x1, double y1, double x2, double y2)
{
    for (const TPaperSegment& segment : segments) {
        if (Joins(segment, x1, y1, x2, y2))
            return true;
    }
    return false;
}

// The strokes of the page lie in a 100 mm square whose four sides are
// strokes of their own.
int ExpectSquare(const std::vector<TPaperSegment>& segments)
{
    if (segments.empty())
        return Fail("the printed page holds no strokes");
    const TPaperBox box = BoxAround(segments);
    std::printf("strokes: %zu, around them %.3f x %.3f mm at (%.3f, %.3f) on the paper\n", segments.size(),
                box.Width(), box.Height(), box.left, box.top);
    if (!Near(box.Width(), side) || !Near(box.Height(), side))
        return Fail("the strokes do not lie in a 100 mm square");
    const bool sides = HasSide(segments, box.left, box.top, box.right, box.top)
        && HasSide(segments, box.right, box.top, box.right, box.bottom)
        && HasSide(segments, box.right, box.bottom, box.left, box.bottom)
        && HasSide(segments, box.left, box.bottom, box.left, box.top);
    if (!sides)
        return Fail("the square's four sides are not each a stroke from corner to corner");
    return 0;
}

// One run of zuview on the drawing.
class TPrint {
public:
    TPrint(TXConnection& x, TChild& zuview, const TempDir& folder, TXConnection::TWindow window,
           TCupsPdfQueue queue)
        : x_(x)
        , zuview_(zuview)
        , log_(ChildDebugLog(folder))
        , window_(window)
        , queue_(std::move(queue))
    {
    }

    int Start()
    {
        x_.Activate(window_);
        return KeepPicture(x_, window_, "zuview_print_start.png");
    }

    // The menu's "印刷(&P)" by its keys; Enter accepts the print dialog.
    int MenuEntersPrintMode()
    {
        log_.NewLines();
        x_.TypeKeyWith(XK_Alt_L, XK_f);
        std::this_thread::sleep_for(menu_settle);
        x_.TypeKey(XK_p);
        const std::optional<TXConnection::TFound> dialog
            = WaitForWindow(x_, zuview_, IsPrintDialog, "the print dialog");
        if (!dialog)
            return 1;
        std::printf("print dialog: %s\n", dialog->title.c_str());
        if (const int failed = KeepPicture(x_, dialog->window, "zuview_print_dialog.png"))
            return failed;
        x_.Activate(dialog->window);
        x_.TypeKey(XK_Return);
        const auto print_mode_redraw = [](const std::string& line) {
            const std::optional<TLoggedView> view = ParseStatusLine(line);
            return view && view->label == "PrintPush()";
        };
        if (const int failed = WaitForLogLine(print_mode_redraw, "the redraw PrintPush()"))
            return failed;
        if (const int failed = WaitWhileShown(IsPrintDialog, "the print dialog"))
            return failed;
        return KeepPicture(x_, window_, "zuview_print_frame.png");
    }

    // A left click in the middle of the window, on the drawing: the job
    // runs in the progress dialog, and the queue writes the PDF.
    int ClickPrints()
    {
        const QImage picture = x_.Grab(window_);
        log_.NewLines();
        x_.MovePointer(x_.WindowOrigin(window_) + QPoint(picture.width() / 2, picture.height() / 2));
        x_.PressButton(1);
        x_.ReleaseButton(1);
        ParkPointer(x_);
        if (const int failed = WatchTheProgressDialog())
            return failed;
        const std::filesystem::path pdf = TestArtefactPath(pdf_artefact);
        // The spooler leaves the "$$$" of the print title out of the file
        // name.
        if (!CollectCupsPdf(queue_, DrawingFileName(), pdf, pdf_wait_seconds)) {
            SaveArtefact(x_.Grab(window_), "zuview_print_no_pdf.png");
            return Fail("no PDF titled " + DrawingFileName() + " came from the queue " + queue_.queue);
        }
        std::printf("printed page: %s\n", pdf.string().c_str());
        return KeepPicture(x_, window_, "zuview_print_printed.png");
    }

    // The PDF printer writes the job's title as a PostScript string, in
    // parentheses.
    int TitledWithTheFileName()
    {
        const std::optional<std::string> title = PdfTitle(TestArtefactPath(pdf_artefact));
        if (!title)
            return Fail("pdfinfo tells no title of the printed page");
        std::printf("printed title: %s\n", title->c_str());
        const std::string name = DrawingFileName() + ")";
        if (title->find('/') != std::string::npos || !title->ends_with(name))
            return Fail("the job's title is not the drawing's file name without its folder");
        return 0;
    }

    int PageHoldsTheSquare()
    {
        const std::optional<std::string> svg = PdfPageAsSvg(TestArtefactPath(pdf_artefact));
        if (!svg)
            return Fail("pdftocairo cannot read the printed page");
        return ExpectSquare(StrokedSegments(*svg));
    }

    int Close() { return CloseAndExpectCleanEnd(x_, zuview_, window_); }

private:
    // The dialog logs the start of its job; a one-page job may be over
    // before the dialog's window is seen. It goes when the job is done.
    int WatchTheProgressDialog()
    {
        const std::string caption = Utf8(progress_caption);
        const auto is_progress = [&](const std::string& title) { return title == caption; };
        bool pictured = false;
        const auto picture_progress = [&] {
            const std::optional<TXConnection::TFound> progress = pictured ? std::nullopt : x_.FindWindow(is_progress);
            if (progress)
                pictured = SaveArtefact(x_.Grab(progress->window), "zuview_print_progress.png") == 0;
        };
        const auto job_started = [](const std::string& line) {
            return line.find("Timer2Timer()") != std::string::npos;
        };
        if (const int failed = WaitForLogLine(job_started, "the progress dialog's job start", picture_progress))
            return failed;
        return WaitWhileShown(is_progress, "the progress dialog");
    }

    // Until the program logs a line that is `wanted`, doing `each_poll`
    // meanwhile.
    int WaitForLogLine(const std::function<bool(const std::string&)>& wanted, const std::string& what,
                       const std::function<void()>& each_poll = {})
    {
        for (const auto deadline = Clock::now() + job_wait;; std::this_thread::sleep_for(quick_poll)) {
            if (each_poll)
                each_poll();
            for (const std::string& line : log_.NewLines()) {
                if (wanted(line))
                    return 0;
            }
            if (const std::optional<int> status = zuview_.WaitStatus())
                return Fail("zuview ended while the test waited for " + what + ": " + DescribeStatus(*status));
            if (Clock::now() > deadline)
                return Fail("the program did not log " + what);
        }
    }

    int WaitWhileShown(const std::function<bool(const std::string&)>& matches, const std::string& what)
    {
        for (const auto deadline = Clock::now() + job_wait; x_.FindWindow(matches);
             std::this_thread::sleep_for(poll_step)) {
            if (const std::optional<int> status = zuview_.WaitStatus())
                return Fail("zuview ended while " + what + " showed: " + DescribeStatus(*status));
            if (Clock::now() > deadline)
                return Fail(what + " did not go");
        }
        return 0;
    }

    TXConnection& x_;
    TChild& zuview_;
    TProgramLog log_;
    TXConnection::TWindow window_;
    TCupsPdfQueue queue_;
};

int RunSteps(TPrint& print)
{
    return RunInTurn({ [&] { return print.Start(); }, [&] { return print.MenuEntersPrintMode(); },
                       [&] { return print.ClickPrints(); }, [&] { return print.TitledWithTheFileName(); },
                       [&] { return print.PageHoldsTheSquare(); },
                       [&] { return print.Close(); } });
}

int PrintsTheSquare(TXConnection& x, const TempDir& folder, const TCupsPdfQueue& queue)
{
    const std::filesystem::path drawing = WriteSquareDrawing(folder);
    if (drawing.empty())
        return Fail("could not write the drawing");
    ParkPointer(x);
    return RunOnDrawing(x, folder, drawing, "zuview_print_debug.log", [&](TDrawingRun& run) {
        TPrint print(x, run.zuview, folder, run.window, queue);
        return RunSteps(print);
    });
}

} // namespace

int main()
{
    const std::optional<TCupsPdfQueue> queue = CupsPdfQueueOfEnvironment();
    if (!queue) {
        std::printf("no CUPS PDF queue named in ZUVIEW_CUPS_PDF_QUEUE: skipped\n");
        return skipped;
    }
    // The child's environment is this one's: CUPS takes PRINTER for the
    // user's default destination unless LPDEST names another.
    ::setenv("PRINTER", queue->queue.c_str(), 1);
    ::unsetenv("LPDEST");
    return RunWithInput([&](TXConnection& x, const TempDir& folder) { return PrintsTheSquare(x, folder, *queue); });
}
