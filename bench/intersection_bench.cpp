// The pointing services over large drawings.
//
// FindIntersections: n random segments of up to 20 mm spread over a square
// of 10 * sqrt(n) mm a side (one segment per 100 mm^2, a line or two of
// crossings each), the whole search as the intersection command runs it.
//
// FindNearestElementPoint and FindNearestEndPoint: the attribute display asks
// every second for the element under the mouse, with a small radius, over a
// drawing of 10^6 elements of the usual mix (lines, arcs, points, texts,
// solids, blocks, dimensions; one per square millimetre of a 1 m square)
// viewed at full size. Each iteration is one query at a random point.
#include "bench/support/BenchScreen.h"
#include "bench/support/MixedDrawing.h"
#include "bench/support/Random.h"
#include "document/ZhdData.h"
#include "elements/KLine.h"

#include <benchmark/benchmark.h>
#include <boost/make_shared.hpp>

#include <cmath>
#include <map>
#include <memory>

namespace {

constexpr int nearest_drawing_size = 1000000;
constexpr int nearest_radius_pixels = 10;

std::unique_ptr<TZhdData> RandomSegments(int count)
{
    auto document = std::make_unique<TZhdData>();
    TRandom random(static_cast<std::uint64_t>(count));
    const double side = 10 * std::sqrt(static_cast<double>(count));
    for (int i = 0; i < count; ++i) {
        const double x = random.Between(0, side), y = random.Between(0, side);
        auto line = boost::make_shared<TKLine>();
        line->SetLine(TBPoint(x, y), TBPoint(x + random.Between(-10, 10), y + random.Between(-10, 10)));
        document->GetElemListPtr().Append(line);
    }
    document->RefreshLayerStates();
    return document;
}

void BM_FindIntersections(benchmark::State& state)
{
    const std::unique_ptr<TZhdData> document = RandomSegments(static_cast<int>(state.range(0)));
    TZhdElemList::IntersectionTable table;
    std::string text;
    int found = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(found = document->FindIntersections(table, text));
    state.counters["found"] = found;
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_FindIntersections)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

std::unique_ptr<TZhdData> NewMixedDrawing()
{
    auto drawing = std::make_unique<TZhdData>();
    AppendMixedBlockDefinitions(*drawing);
    for (int i = 0; i < nearest_drawing_size; ++i)
        drawing->GetElemListPtr().Append(MixedElement(i));
    // Full size on the bench screen: a radius of 10 pixels is 2.6 mm.
    ResetBenchView(*drawing);
    drawing->GetInfoRegPtr().SetView(TZhdZoom(1.0));
    drawing->RefreshLayerStates();
    return drawing;
}

TZhdData& MixedDrawing()
{
    static const std::unique_ptr<TZhdData> document = NewMixedDrawing();
    return *document;
}

using NearestSearch = int (TZhdData::*)(const TBPoint&, TBPoint&, double&, int) const;

void NearestQueries(benchmark::State& state, NearestSearch search)
{
    const TZhdData& document = MixedDrawing();
    TRandom random(3);
    // The first search after a load measures every element once for the
    // document's index (BM_FirstNearestSearch); the figures here are the
    // searches that follow, as the attribute display makes them.
    TBPoint point;
    double distance = 0;
    (document.*search)(TBPoint(500.0, 500.0), point, distance, nearest_radius_pixels);
    int hits = 0;
    for (auto _ : state) {
        const TBPoint query(random.Between(0, 1000), random.Between(0, 1000));
        hits += (document.*search)(query, point, distance, nearest_radius_pixels) >= 0;
    }
    state.counters["hit_rate"] = static_cast<double>(hits) / static_cast<double>(state.iterations());
}

void BM_FindNearestElementPoint(benchmark::State& state)
{
    NearestQueries(state, &TZhdData::FindNearestElementPoint);
}
BENCHMARK(BM_FindNearestElementPoint)->Unit(benchmark::kMillisecond);

void BM_FindNearestEndPoint(benchmark::State& state)
{
    NearestQueries(state, &TZhdData::FindNearestEndPoint);
}
BENCHMARK(BM_FindNearestEndPoint)->Unit(benchmark::kMillisecond);

// The first search after a drawing is loaded: every element is measured
// once for the index (block contents placed on the way).
void BM_FirstNearestSearch(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<TZhdData> document = NewMixedDrawing();
        state.ResumeTiming();
        TBPoint point;
        double distance = 0;
        benchmark::DoNotOptimize(document->FindNearestElementPoint(TBPoint(500.0, 500.0), point, distance,
                                                                   nearest_radius_pixels));
        state.PauseTiming();
        document.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FirstNearestSearch)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
