// Cost of opening a drawing and of a print job's working copy, on drawings of
// 10^4 to 10^6 mixed elements generated with our own writer: loading from a
// memory stream (with the memory the loaded drawing takes per element, as the
// allocator counts it), saving, and AssignAll plus a fresh copy of every
// element.
#include "bench/support/MixedDrawing.h"
#include "document/ZhdData.h"
#include "platform/Stream.h"

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

void Place(TZhdElem& elem, int i)
{
    elem.SetGLayer(static_cast<std::uint16_t>(i % 16));
    elem.SetLayer(static_cast<std::uint16_t>((i / 16) % 16));
    elem.SetPenColor(static_cast<std::uint16_t>(1 + i % 9));
}

std::unique_ptr<TZhdData> GeneratedDrawing(int count)
{
    auto document = std::make_unique<TZhdData>();
    for (int i = 0; i < count; ++i) {
        TZhdElemPtr elem = MixedElement(i);
        Place(*elem, i);
        document->GetElemListPtr().Append(elem);
    }
    AppendMixedBlockDefinitions(*document);
    return document;
}

// The file of each size, written once.
const std::vector<std::uint8_t>& DrawingBytes(int count)
{
    static std::map<int, std::vector<std::uint8_t>> files;
    auto& bytes = files[count];
    if (bytes.empty()) {
        TMemoryStream stream;
        GeneratedDrawing(count)->SaveToStream(stream);
        bytes = stream.Bytes();
    }
    return bytes;
}

std::size_t AllocatedBytes()
{
    return mallinfo2().uordblks;
}

void BM_LoadDrawing(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    const std::vector<std::uint8_t>& bytes = DrawingBytes(count);
    double bytes_per_element = 0;
    for (auto _ : state) {
        state.PauseTiming();
        TMemoryStream stream(bytes);
        auto document = std::make_unique<TZhdData>();
        const std::size_t before = AllocatedBytes();
        state.ResumeTiming();
        benchmark::DoNotOptimize(document->LoadFromStream(stream));
        state.PauseTiming();
        bytes_per_element = static_cast<double>(AllocatedBytes() - before) / count;
        document.reset();
        state.ResumeTiming();
    }
    state.counters["bytes_per_element"] = bytes_per_element;
    state.counters["file_bytes"] = static_cast<double>(bytes.size());
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_LoadDrawing)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_SaveDrawing(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    TZhdData document;
    TMemoryStream input(DrawingBytes(count));
    if (document.LoadFromStream(input).status != TLoadStatus::Loaded)
        state.SkipWithError("the generated drawing did not load");
    for (auto _ : state) {
        TMemoryStream output;
        document.SaveToStream(output);
        benchmark::DoNotOptimize(output.GetSize());
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_SaveDrawing)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// The print job's working copy: every member but the elements, then a new
// copy of each element.
void BM_WorkingCopy(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    TZhdData screen;
    TMemoryStream input(DrawingBytes(count));
    if (screen.LoadFromStream(input).status != TLoadStatus::Loaded)
        state.SkipWithError("the generated drawing did not load");
    TZhdData working;
    for (auto _ : state) {
        working.AssignAll(screen);
        working.GetElemListPtr().Copy(screen.GetElemListPtr(), working, 2, 1);
        state.PauseTiming();
        working.GetElemListPtr().Clear();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_WorkingCopy)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

} // namespace
