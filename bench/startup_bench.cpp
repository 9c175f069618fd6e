// What the main window costs around the drawing itself, on the generated
// line drawings of bench/support/RenderDrawing.h (10^5 and 10^6 elements),
// on the offscreen platform:
//
// - from constructing the window with a drawing on its command line to the
//   first complete picture of that drawing on the paint box (the file read,
//   the controls, the settings, the first drawings, the first paint);
// - the view's set-up (Initialize: the fit and a full drawing with the back
//   buffer and the overlays), against the element list's plain Draw of the
//   same document in the same view on an image of the paint box's size
//   ("ratio");
// - a resize of the window up to the redrawn picture, which must draw the
//   document it has: neither the document nor its elements are loaded or
//   copied again.
//
// The window puts off a redraw that comes less than 10 ms after the last
// one (a timer draws it then); the benchmarks wait for LastRedrawTick to
// move instead of taking a redraw for synchronous, and keep that gap open
// outside the timed part so that they time the drawing, not the gate.
//
// Settings go to a fresh folder (XDG_CONFIG_HOME), emptied between two
// starts so that every start is a first one.

#include "bench/support/BenchFolder.h"
#include "bench/support/BenchScreen.h"
#include "bench/support/RenderDrawing.h"
#include "bench/support/WindowBenchmarks.h"
#include "document/ZhdData.h"
#include "platform/ImageCanvas.h"
#include "platform/Tick.h"
#include "platform/ui/IniFile.h"
#include "render/InfoReg.h"
#include "ui/DrawingOpener.h"
#include "ui/MainForm.h"
#include "ui/ViewRedraw.h"
#include "ui/PaintBox.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <benchmark/benchmark.h>

#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// The longest any one wait may take before the benchmark gives up.
constexpr auto wait_limit = 60s;
// What the window leaves between two redraws, and a little more.
constexpr auto redraw_gap = 11ms;
// No redraw for this long: nothing is pending any more (a postponed redraw
// comes within 10 ms).
constexpr auto quiet_time = 50ms;

// The settings folder and the saved drawings.
TBenchFolder& BenchFolder()
{
    static TBenchFolder folder("zuview-startup-bench");
    return folder;
}

std::filesystem::path ConfigHome()
{
    return BenchFolder().Path() / "config";
}

// The settings a window wrote when it went: the next one starts afresh.
void ForgetSettings()
{
    std::error_code ignored;
    std::filesystem::remove_all(ConfigFolder(), ignored);
}

// Each size generated and saved once; empty when it could not be saved.
std::string DrawingFile(int count)
{
    static std::map<int, std::string> files;
    if (auto found = files.find(count); found != files.end())
        return found->second;
    const std::filesystem::path path = BenchFolder().Path() / ("render_" + std::to_string(count) + ".zhd");
    std::string saved;
    if (GenerateRenderDrawing(count)->SaveToFile(path.string()) == TSaveStatus::Saved)
        saved = path.string();
    return files[count] = saved;
}

// Counts the paints of a widget.
class TPaintCounter : public QObject {
public:
    explicit TPaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int Count() const { return count_; }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++count_;
        return false;
    }

private:
    int count_ = 0;
};

// Runs the event loop until `done` answers true; false when the time ran
// out first.
bool ProcessEventsUntil(const std::function<bool()>& done)
{
    const auto deadline = Clock::now() + wait_limit;
    while (!done()) {
        if (Clock::now() > deadline)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return true;
}

// Runs the event loop until no redraw has come for a while and the gate
// of the next one is open.
bool Settle(TForm1& form)
{
    std::uint32_t last = form.View().LastRedrawTick();
    auto quiet_since = Clock::now();
    return ProcessEventsUntil([&] {
        if (form.View().LastRedrawTick() != last) {
            last = form.View().LastRedrawTick();
            quiet_since = Clock::now();
        }
        return Clock::now() - quiet_since > quiet_time;
    });
}

// The opened drawing's picture was drawn whole: the last drawing of the
// document visited elements and has ended.
bool DrawingDrawn(TForm1& form)
{
    TZhdData* document = form.Document();
    if (!document || form.Opener().CurrentDrawingPath().empty())
        return false;
    const TInfoREG& info = document->GetInfoRegPtr();
    return info.DrawingFlag == 0 && info.ElementTotal > 0;
}

// A window with the drawing of `count` elements open and its view set up,
// nothing pending.
std::unique_ptr<TForm1> OpenForm(benchmark::State& state, int count)
{
    const std::string file = DrawingFile(count);
    if (file.empty()) {
        state.SkipWithError("the generated drawing was not saved");
        return nullptr;
    }
    ForgetSettings();
    auto form = std::make_unique<TForm1>(std::vector<std::string> { file });
    form->show();
    if (!ProcessEventsUntil([&] { return DrawingDrawn(*form) && form->View().Initialised(); }) || !Settle(*form)) {
        state.SkipWithError("the drawing was not shown");
        return nullptr;
    }
    return form;
}

void BM_StartToFirstPicture(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    const std::string file = DrawingFile(count);
    if (file.empty()) {
        state.SkipWithError("the generated drawing was not saved");
        return;
    }
    int width = 0;
    int height = 0;
    for (auto _ : state) {
        auto form = std::make_unique<TForm1>(std::vector<std::string> { file });
        const TPaintCounter paints(form->PaintBox1);
        form->show();
        // The picture is on the paint box once a paint came after it.
        int paints_before = -1;
        const bool shown = ProcessEventsUntil([&] {
            if (paints_before < 0 && DrawingDrawn(*form))
                paints_before = paints.Count();
            return paints_before >= 0 && paints.Count() > paints_before;
        });
        state.PauseTiming();
        if (!shown) {
            state.SkipWithError("the drawing was not shown");
            break;
        }
        width = form->PaintBox1->width();
        height = form->PaintBox1->height();
        form.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ForgetSettings();
        state.ResumeTiming();
    }
    state.counters["paint_box_width"] = width;
    state.counters["paint_box_height"] = height;
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_StartToFirstPicture)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime();

// Sizes the window so that its paint box is BenchScreenWidth x
// BenchScreenHeight, as far as the window lets itself be sized; the bars
// may wrap with the width, so it takes a few rounds.
void SizePaintBoxToBenchScreen(TForm1& form)
{
    for (int round = 0; round < 4; ++round) {
        const QSize paint_box = form.PaintBox1->size();
        if (paint_box == QSize(BenchScreenWidth, BenchScreenHeight))
            return;
        form.resize(form.size() + QSize(BenchScreenWidth, BenchScreenHeight) - paint_box);
        Settle(form);
    }
}

void BM_FitAndDraw(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    std::unique_ptr<TForm1> form = OpenForm(state, count);
    if (!form)
        return;
    SizePaintBoxToBenchScreen(*form);
    if (!Settle(*form)) {
        state.SkipWithError("the window did not settle");
        return;
    }
    TZhdData& document = *form->Document();
    QImage plain_picture(form->PaintBox1->size(), QImage::Format_RGB32);
    double fit_seconds = 0;
    double plain_seconds = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::this_thread::sleep_for(redraw_gap);
        const std::uint32_t before = form->View().LastRedrawTick();
        state.ResumeTiming();
        const auto start = Clock::now();
        form->Initialize();
        fit_seconds += SecondsSince(start);
        state.PauseTiming();
        if (form->View().LastRedrawTick() == before) {
            state.SkipWithError("Initialize did not draw");
            break;
        }
        // The same document in the view Initialize set up, drawn by the
        // element list alone.
        const auto plain_start = Clock::now();
        {
            TImageCanvas canvas(plain_picture);
            benchmark::DoNotOptimize(DrawDocument(document, canvas));
            canvas.Finish();
        }
        plain_seconds += SecondsSince(plain_start);
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    if (plain_seconds > 0)
        state.counters["ratio"] = fit_seconds / plain_seconds;
    if (state.iterations() > 0)
        state.counters["plain_draw_ms"] = plain_seconds * 1e3 / static_cast<double>(state.iterations());
    state.counters["paint_box_width"] = form->PaintBox1->width();
    state.counters["paint_box_height"] = form->PaintBox1->height();
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_FitAndDraw)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ResizeRedraw(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    std::unique_ptr<TForm1> form = OpenForm(state, count);
    if (!form)
        return;
    const TZhdData* document = form->Document();
    const TZhdElemPtr first = document->GetElemListPtr().GetAt(0);
    const QSize sizes[] = { form->size(), form->size() + QSize(160, 90) };
    int next = 1;
    for (auto _ : state) {
        state.PauseTiming();
        if (!Settle(*form)) {
            state.SkipWithError("the window did not settle");
            break;
        }
        std::this_thread::sleep_for(redraw_gap);
        const std::uint32_t before = form->View().LastRedrawTick();
        state.ResumeTiming();
        form->resize(sizes[next]);
        const bool redrawn = ProcessEventsUntil(
            [&] { return form->View().LastRedrawTick() != before && form->View().Initialised(); });
        state.PauseTiming();
        if (!redrawn) {
            state.SkipWithError("the resized window was not redrawn");
            break;
        }
        if (form->Document() != document || form->Document()->GetElemListPtr().GetAt(0) != first) {
            state.SkipWithError("the resize loaded or copied the document");
            break;
        }
        next = 1 - next;
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_ResizeRedraw)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    if (BenchFolder().Path().empty())
        return 1;
    setenv("XDG_CONFIG_HOME", ConfigHome().c_str(), 1);
    setenv("XDG_STATE_HOME", (BenchFolder().Path() / "state").c_str(), 1);
    return RunWindowBenchmarks(argc, argv);
}
