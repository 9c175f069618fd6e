// Printing a drawing to PDF as a user's print runs it: every measured run
// is a fresh process (this program started again with --print-run) that
// loads the saved drawing file, prints it through QPrinter's PDF output,
// the printer device and the print job, and exits. The time is the whole
// process, from its start to its exit; the peak is its resident set's high
// water mark, which the process reads itself just before it exits (the
// ru_maxrss that wait4 reports would count the parent's pages as well: the
// child's high water mark is taken over at exec).
//
// - the realistic mix (bench/support/RenderDrawing.h) on one page;
// - solid lines alone on one page, against a bare QPdfWriter and QPainter
//   loop that loads the same file and draws the same lines in a process of
//   its own ("ratio_to_bare");
// - the mix on a page per group, against the same mix on one page
//   ("ratio_to_one_page").
//
// The frame is the whole A1 sheet at 1:3, centred on A4 landscape.

#include "bench/support/BenchFolder.h"
#include "bench/support/RenderDrawing.h"
#include "bench/support/RunBenchmarks.h"
#include "document/ZhdData.h"
#include "elements/KLine.h"
#include "print/PrintJob.h"
#include "platform/Tick.h"
#include "print/QtPrinterDevice.h"
#include "render/InfoReg.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::string_view run_flag = "--print-run";
constexpr double frame_scale = 1.0 / 3;

// What a run does in its process.
constexpr const char* one_page_run = "page";
constexpr const char* group_pages_run = "groups";
constexpr const char* bare_writer_run = "bare";

// --- The measured process ---

// The process's resident high water mark in MB, from /proc.
double PeakResidentMegabytes()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::strtod(line.c_str() + 6, nullptr) / 1024;
    }
    return 0;
}

void SetUpPrinter(QPagedPaintDevice& device)
{
    device.setPageSize(QPageSize(QPageSize::A4));
    device.setPageOrientation(QPageLayout::Landscape);
}

// The job on QPrinter's PDF output; the pages it printed, -1 when it did
// not finish.
int PrintWithJob(TZhdData& document, const QString& pdf, bool page_per_group)
{
    TZhdZoomF frame;
    frame.SetScale(frame_scale);
    document.GetHeadPtr().SetPrinterArea(frame);
    document.GetInfoRegPtr().GroupContinuation = page_per_group ? 1 : 0;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    SetUpPrinter(printer);
    TQtPrinterDevice device(printer);
    if (!device.BeginDoc("print_bench"))
        return -1;
    const TPrintJobResult result = Continuation(document, device, TPrintJobHost {});
    if (!device.EndDoc() || result != TPrintJobResult::Finished)
        return -1;
    return document.GetInfoRegPtr().PagesDone;
}

QColor PenColour(const TZhdData& document, int pen)
{
    const int value = document.GetPenColour(pen);
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

// What a plain program would do with the lines: each drawn at the frame's
// scale about the page's centre, the pen changed only when the colour does.
int PrintWithBareWriter(const TZhdData& document, const QString& pdf)
{
    QPdfWriter writer(pdf);
    SetUpPrinter(writer);
    QPainter painter(&writer);
    if (!painter.isActive())
        return -1;
    const double pixels_per_mm = frame_scale * writer.resolution() / 25.4;
    const QPointF centre(writer.width() / 2.0, writer.height() / 2.0);
    const auto place = [&](const TBPoint& point) {
        return centre + QPointF(point.GetX() * pixels_per_mm, -point.GetY() * pixels_per_mm);
    };
    int pen = -1;
    const TZhdElemList& list = document.GetElemListPtr();
    for (auto at = list.Begin(); at != list.End(); ++at) {
        if ((*at)->GetTypeCode() != TKLine::TypeCode)
            continue;
        const auto& line = static_cast<const TKLine&>(**at);
        if (line.GetPenColor() != pen) {
            pen = line.GetPenColor();
            painter.setPen(QPen(PenColour(document, pen), 1));
        }
        painter.drawLine(place(line.GetStart()), place(line.GetEnd()));
    }
    return painter.end() ? 1 : -1;
}

// The process of one run: loads `drawing`, prints it to `pdf` and writes
// "<peak MB> <load seconds> <print seconds> <pages>" on its output.
int RunMeasuredProcess(int argc, char** argv)
{
    if (argc != 5)
        return 2;
    const std::string mode = argv[2];
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const auto load_start = Clock::now();
    TZhdData document;
    if (document.LoadFromFile(argv[3]).status != TLoadStatus::Loaded)
        return 3;
    const double load_seconds = SecondsSince(load_start);
    const auto print_start = Clock::now();
    const QString pdf = QString::fromLocal8Bit(argv[4]);
    const int pages = mode == bare_writer_run ? PrintWithBareWriter(document, pdf)
                                              : PrintWithJob(document, pdf, mode == group_pages_run);
    const double print_seconds = SecondsSince(print_start);
    if (pages < 0)
        return 4;
    std::printf("%.1f %.6f %.6f %d\n", PeakResidentMegabytes(), load_seconds, print_seconds, pages);
    return 0;
}

// --- The benchmarks ---

struct TRunFigures {
    double seconds = 0;
    double peak_mb = 0;
    double load_seconds = 0;
    double print_seconds = 0;
    int pages = 0;
};

// Starts this program on `drawing` in `mode` and waits for it; nothing when
// it could not start or did not print.
std::optional<TRunFigures> RunFreshProcess(const char* mode, const std::string& drawing)
{
    const std::string pdf = (bench::BenchFolder() / (std::string(mode) + ".pdf")).string();
    std::string flag(run_flag);
    std::string mode_text(mode);
    std::string drawing_text(drawing);
    std::string pdf_text(pdf);
    std::string self = "/proc/self/exe";
    std::vector<char*> argv = { self.data(), flag.data(), mode_text.data(), drawing_text.data(), pdf_text.data(),
                                nullptr };
    int output[2];
    if (pipe2(output, O_CLOEXEC) != 0)
        return std::nullopt;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    const auto start = Clock::now();
    pid_t child = 0;
    const int spawned = posix_spawn(&child, self.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(output[1]);
    std::string text;
    char buffer[256];
    for (ssize_t got; (got = read(output[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<std::size_t>(got));
    close(output[0]);
    if (spawned != 0)
        return std::nullopt;
    int status = 0;
    waitpid(child, &status, 0);
    TRunFigures figures;
    figures.seconds = SecondsSince(start);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    std::istringstream fields(text);
    if (!(fields >> figures.peak_mb >> figures.load_seconds >> figures.print_seconds >> figures.pages))
        return std::nullopt;
    return figures;
}

std::string MixFile(int count)
{
    return bench::DrawingFile("mix", count, GenerateRenderMixDrawing);
}

std::string LineFile(int count)
{
    return bench::DrawingFile("lines", count, GenerateSolidLineDrawing);
}

// Runs the measured process once per iteration and `compared` (when given)
// once after it; the iteration's time is the measured process's. Counters:
// the measured process's peak, load and print times and pages, and the
// ratio of its time to the compared process's.
void MeasureRuns(benchmark::State& state, const std::string& drawing, const char* measured,
                 const char* compared, const char* ratio_name)
{
    if (drawing.empty()) {
        state.SkipWithError("the generated drawing was not saved");
        return;
    }
    TRunFigures total;
    double compared_seconds = 0;
    for (auto _ : state) {
        const std::optional<TRunFigures> run = RunFreshProcess(measured, drawing);
        const std::optional<TRunFigures> other = compared ? RunFreshProcess(compared, drawing) : run;
        if (!run || !other) {
            state.SkipWithError("a print process failed");
            return;
        }
        state.SetIterationTime(run->seconds);
        total.seconds += run->seconds;
        total.peak_mb = std::max(total.peak_mb, run->peak_mb);
        total.load_seconds += run->load_seconds;
        total.print_seconds += run->print_seconds;
        total.pages = run->pages;
        compared_seconds += other->seconds;
    }
    const double iterations = static_cast<double>(state.iterations());
    state.counters["peak_mb"] = total.peak_mb;
    state.counters["load_s"] = total.load_seconds / iterations;
    state.counters["print_s"] = total.print_seconds / iterations;
    state.counters["pages"] = total.pages;
    if (compared) {
        state.counters["compared_s"] = compared_seconds / iterations;
        state.counters[ratio_name] = total.seconds / compared_seconds;
    }
}

void BM_PrintMixOnePage(benchmark::State& state)
{
    MeasureRuns(state, MixFile(static_cast<int>(state.range(0))), one_page_run, nullptr, nullptr);
}
BENCHMARK(BM_PrintMixOnePage)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseManualTime();

void BM_PrintLinesAgainstBareWriter(benchmark::State& state)
{
    MeasureRuns(state, LineFile(static_cast<int>(state.range(0))), one_page_run, bare_writer_run, "ratio_to_bare");
}
BENCHMARK(BM_PrintLinesAgainstBareWriter)
    ->Arg(10000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime();

void BM_PrintMixPagePerGroup(benchmark::State& state)
{
    MeasureRuns(state, MixFile(static_cast<int>(state.range(0))), group_pages_run, one_page_run,
                "ratio_to_one_page");
}
BENCHMARK(BM_PrintMixPagePerGroup)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseManualTime();

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && argv[1] == run_flag)
        return RunMeasuredProcess(argc, argv);
    return bench::RunBenchmarks(argc, argv);
}
