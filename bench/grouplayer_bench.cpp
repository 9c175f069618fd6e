// What opening the group and layer overview costs, on the generated drawing
// of the rendering benchmarks (bench/support/RenderDrawing.h) in the main
// window of the bench screen's size (1920 x 1080 paint box):
//
// - BM_OpenOverview: the window prepared for the groups, shown and its
//   sixteen thumbnails painted. "thumbnails_per_opening" counts the
//   thumbnails drawn from the drawing (16 expected: each once), and "ratio"
//   is the opening's time over sixteen draws of the whole drawing at the
//   thumbnail's size, the render benchmark's draw (at most 1.2);
// - BM_ScratchCopy: the copy of the displayed document the thumbnails are
//   drawn from, which shares the elements (under 100 ms for 10^6).

#include "bench/support/BenchScreen.h"
#include "bench/support/MainWindowBench.h"
#include "bench/support/RenderDrawing.h"
#include "document/ZhdData.h"
#include "platform/ImageCanvas.h"
#include "ui/GroupLayer.h"
#include "ui/MainForm.h"

#include <QCoreApplication>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

namespace {

using bench::Clock;



double SecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Sixteen draws of the whole drawing at the thumbnail's size, fitted.
double SixteenThumbnailDraws(TZhdData& document, QSize size)
{
    TZhdData copy(document);
    TInfoREG& info = copy.GetInfoRegPtr();
    info.SetPixelWidth(size.width());
    info.SetPixelHeight(size.height());
    info.SetViewKeepPrevious(TZhdZoom(0.0));
    info.SetBairitsu(0, 0, copy);
    const Clock::time_point start = Clock::now();
    for (int i = 0; i < 16; ++i) {
        TImageCanvas canvas(size.width(), size.height());
        benchmark::DoNotOptimize(DrawDocument(copy, canvas));
        canvas.Finish();
    }
    return SecondsSince(start);
}

void BM_OpenOverview(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    std::unique_ptr<TForm1> form = bench::WindowShowing(FittedRenderMixDrawing(count));
    TfmGroupLayer& dialog = form->GroupLayerDialog();
    std::vector<double> openings, references;
    int drawn = 0;
    for (auto _ : state) {
        const int before = dialog.ThumbnailsDrawn();
        const Clock::time_point start = Clock::now();
        form->PrepareGroupLayerDialog(-1, form->Document()->GetHeadPtr());
        dialog.show();
        bench::ProcessEventsUntil([&] { return dialog.ThumbnailsDrawn() - before >= 16; });
        QCoreApplication::processEvents();
        openings.push_back(SecondsSince(start));
        drawn += dialog.ThumbnailsDrawn() - before;
        state.PauseTiming();
        const QSize size = dialog.Panel(0)->contentsRect().size();
        dialog.hide();
        references.push_back(SixteenThumbnailDraws(*form->Document(), size));
        state.ResumeTiming();
    }
    state.counters["thumbnails_per_opening"] = static_cast<double>(drawn) / static_cast<double>(state.iterations());
    state.counters["open_ms"] = Median(openings) * 1e3;
    state.counters["sixteen_draws_ms"] = Median(references) * 1e3;
    state.counters["ratio"] = Median(references) > 0 ? Median(openings) / Median(references) : 0;
}
BENCHMARK(BM_OpenOverview)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ScratchCopy(benchmark::State& state)
{
    TZhdData& document = FittedRenderMixDrawing(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        auto copy = std::make_unique<TZhdData>(document);
        benchmark::DoNotOptimize(copy.get());
        state.PauseTiming();
        copy.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ScratchCopy)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return bench::RunMainWindowBenchmarks(argc, argv);
}
