// Throughput of the archive codec on the mix a drawing file holds: many short
// texts (element text, font names), a few long ones, and counts.
#include "core/Archive.h"

#include <benchmark/benchmark.h>

namespace {

TMemoryStream MakeArchive(int records)
{
    TMemoryStream stream;
    for (int i = 0; i < records; ++i) {
        WriteArchiveCount(stream, static_cast<std::uint32_t>(i));
        WriteArchiveString(stream, std::string(static_cast<std::size_t>(4 + i % 40), 'a'));
        if (i % 100 == 0)
            WriteArchiveString(stream, std::string(300, 'b'));
    }
    return stream;
}

void BM_ReadArchive(benchmark::State& state)
{
    const int records = static_cast<int>(state.range(0));
    TMemoryStream stream = MakeArchive(records);
    for (auto _ : state) {
        stream.SetPosition(0);
        for (int i = 0; i < records; ++i) {
            benchmark::DoNotOptimize(ReadArchiveCount(stream));
            benchmark::DoNotOptimize(ReadArchiveString(stream));
            if (i % 100 == 0)
                benchmark::DoNotOptimize(ReadArchiveString(stream));
        }
    }
    state.SetItemsProcessed(state.iterations() * records);
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(stream.GetSize()));
}
BENCHMARK(BM_ReadArchive)->Arg(1000)->Arg(100000);

void BM_WriteArchive(benchmark::State& state)
{
    const int records = static_cast<int>(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(MakeArchive(records));
    state.SetItemsProcessed(state.iterations() * records);
}
BENCHMARK(BM_WriteArchive)->Arg(1000)->Arg(100000);

} // namespace
