// Cost of the drawing header on every load: reading a version-420 header with
// named extended pens, writing it, and the full report the loader logs.
#include "document/ZhdHead.h"
#include "platform/Stream.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

TZhdHead NamedHead()
{
    TZhdHead head;
    TVect<TZhdPrtPen> pens = head.GetPrtPens();
    for (int i = 100; i < TZhdHead::PenCount; i += 3) {
        TZhdPrtPen pen = pens.Get(i);
        pen.SetColorName("colour name " + std::to_string(i));
        pens.Set(i, pen);
    }
    head.SetPrtPens(pens);
    for (int g = 0; g < TZhdHead::GroupCount; ++g) {
        TZhdGrp group = head.GetGroup(g);
        group.SetName("group " + std::to_string(g));
        head.SetGroup(g, group);
    }
    return head;
}

void BM_ReadHeader(benchmark::State& state)
{
    TMemoryStream stream;
    NamedHead().WriteToStream(stream);
    TZhdHead head;
    for (auto _ : state) {
        stream.SetPosition(0);
        benchmark::DoNotOptimize(head.ReadFromStream(stream));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(stream.GetSize()));
}
BENCHMARK(BM_ReadHeader);

void BM_WriteHeader(benchmark::State& state)
{
    const TZhdHead head = NamedHead();
    for (auto _ : state) {
        TMemoryStream stream;
        head.WriteToStream(stream);
        benchmark::DoNotOptimize(stream.GetSize());
    }
}
BENCHMARK(BM_WriteHeader);

void BM_HeaderReport(benchmark::State& state)
{
    const TZhdHead head = NamedHead();
    for (auto _ : state) {
        StringList lines;
        head.AppendInformation(lines);
        benchmark::DoNotOptimize(lines.size());
    }
}
BENCHMARK(BM_HeaderReport);

} // namespace
