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
// Settings go to a fresh folder (XDG_CONFIG_HOME), emptied between two
// starts so that every start is a first one.

#include "bench/support/BenchScreen.h"
#include "bench/support/MainWindowBench.h"
#include "bench/support/RenderDrawing.h"
#include "document/ZhdData.h"
#include "platform/ImageCanvas.h"
#include "platform/Tick.h"
#include "render/InfoReg.h"
#include "ui/MainForm.h"
#include "ui/PaintBox.h"
#include "ui/ViewRedraw.h"

#include <QCoreApplication>
#include <QEvent>
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace bench;

// Each size generated and saved once; empty when it could not be saved.
std::string DrawingFile(int count)
{
    return bench::DrawingFile("render", count, GenerateRenderDrawing);
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

void BM_FitAndDraw(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    std::unique_ptr<TForm1> form = OpenFormAtBenchScreen(state, DrawingFile(count));
    if (!form)
        return;
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
    std::unique_ptr<TForm1> form = OpenForm(state, DrawingFile(count));
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
    return RunMainWindowBenchmarks(argc, argv);
}
