// What block references and arc solids cost to draw, on the generated
// drawings of bench/support/BlockSolidDrawing.h drawn whole (the fitted
// view of the sheet) to a 1920 x 1080 image canvas:
//
// - 10^4 references to 20-element definitions, redrawn: the placed copies
//   are kept by the document, so a redraw costs about what drawing the same
//   200,000 elements placed by hand costs ("ratio" against that flat
//   drawing, "flat_ms");
// - the first drawing of those references, which places every copy
//   (a fresh document each time);
// - the extents of all references, as the culling and the selection ask
//   for them;
// - 10^4 arc solids of every figure, each filled clipped to the view.

#include "bench/support/BenchScreen.h"
#include "bench/support/BlockSolidDrawing.h"
#include "document/ZhdData.h"
#include "elements/ZhdElem.h"
#include "platform/ImageCanvas.h"
#include "platform/Tick.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <map>
#include <memory>

namespace {

using Clock = std::chrono::steady_clock;

enum class TContent { Blocks, FlatBlocks, ArcSolids };

TZhdData& Drawing(TContent content, int count)
{
    static std::map<std::pair<TContent, int>, std::unique_ptr<TZhdData>> drawings;
    auto& drawing = drawings[{ content, count }];
    if (!drawing) {
        drawing = content == TContent::Blocks   ? GenerateBlockDrawing(count)
            : content == TContent::FlatBlocks   ? GenerateFlatBlockDrawing(count)
                                                : GenerateArcSolidDrawing(count);
        FitSheet(*drawing);
    }
    return *drawing;
}

// Seconds per drawing of the flat baseline: at least three and 0.2 s.
double FlatSeconds(int count)
{
    TZhdData& flat = Drawing(TContent::FlatBlocks, count);
    TImageCanvas canvas(BenchScreenWidth, BenchScreenHeight);
    DrawDocument(flat, canvas);
    int runs = 0;
    const Clock::time_point start = Clock::now();
    while (runs < 3 || SecondsSince(start) < 0.2) {
        DrawDocument(flat, canvas);
        ++runs;
    }
    return SecondsSince(start) / runs;
}

void BM_BlockReferencesRedraw(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    const double flat = FlatSeconds(count);
    TZhdData& document = Drawing(TContent::Blocks, count);
    TImageCanvas canvas(BenchScreenWidth, BenchScreenHeight);
    DrawDocument(document, canvas); // places every copy once
    double seconds = 0;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        benchmark::DoNotOptimize(DrawDocument(document, canvas));
        seconds += SecondsSince(start);
    }
    if (state.iterations() > 0)
        state.counters["ratio"] = seconds / static_cast<double>(state.iterations()) / flat;
    state.counters["flat_ms"] = flat * 1e3;
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_BlockReferencesRedraw)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_BlockReferencesFirstDraw(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    const TZhdData& generated = Drawing(TContent::Blocks, count);
    TImageCanvas canvas(BenchScreenWidth, BenchScreenHeight);
    for (auto _ : state) {
        state.PauseTiming();
        auto document = std::make_unique<TZhdData>(generated); // nothing placed yet
        FitSheet(*document);
        state.ResumeTiming();
        benchmark::DoNotOptimize(DrawDocument(*document, canvas));
        state.PauseTiming();
        document.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_BlockReferencesFirstDraw)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_BlockReferenceExtents(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    TZhdData& document = Drawing(TContent::Blocks, count);
    const TZhdElemList& references = document.GetElemListPtr();
    for (auto _ : state) {
        for (auto it = references.Begin(); it != references.End(); ++it) {
            TBPoint min, max;
            (*it)->GetExtent(min, max, document, 1);
            benchmark::DoNotOptimize(min);
        }
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_BlockReferenceExtents)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_ArcSolids(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    TZhdData& document = Drawing(TContent::ArcSolids, count);
    TImageCanvas canvas(BenchScreenWidth, BenchScreenHeight);
    for (auto _ : state)
        benchmark::DoNotOptimize(DrawDocument(document, canvas));
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_ArcSolids)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace
