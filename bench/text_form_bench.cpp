// Cost of the external-command text form on files of 10^4 and 10^5 mixed
// records written by our own writer: loading a file's bytes (split, header,
// records, instruction list, hand-over of the working copy) and writing the
// lines back.
#include "bench/support/MixedDrawing.h"
#include "document/ZhdData.h"

#include <benchmark/benchmark.h>

#include <map>
#include <string>

namespace {

void Place(TZhdElem& elem, int i)
{
    elem.SetGLayer(static_cast<std::uint16_t>(i % 3));
    elem.SetLayer(static_cast<std::uint16_t>((i / 7) % 4));
    elem.SetPenColor(static_cast<std::uint16_t>(1 + i % 9));
    elem.SetPlGroup(static_cast<std::uint32_t>(i % 5 == 0 ? i / 5 : 0));
}

// The file of each size, written once.
const std::string& TextFormBytes(int count)
{
    static std::map<int, std::string> files;
    std::string& bytes = files[count];
    if (bytes.empty()) {
        TZhdData document;
        AppendMixedBlockDefinitions(document);
        for (int i = 0; i < count; ++i) {
            TZhdElemPtr elem = MixedElement(i);
            Place(*elem, i);
            document.GetElemListPtr().Append(elem);
        }
        StringList lines;
        document.WriteZhcText(lines);
        bytes = JoinTextFormLines(lines);
    }
    return bytes;
}

void BM_LoadTextForm(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    const std::string& bytes = TextFormBytes(count);
    for (auto _ : state) {
        TZhdData document;
        benchmark::DoNotOptimize(document.LoadZhcTextFromBytes(bytes).status);
    }
    state.counters["file_bytes"] = static_cast<double>(bytes.size());
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_LoadTextForm)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_WriteTextForm(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    TZhdData document;
    if (document.LoadZhcTextFromBytes(TextFormBytes(count)).status != TLoadStatus::Loaded)
        state.SkipWithError("the generated text form did not load");
    for (auto _ : state) {
        StringList lines;
        document.WriteZhcText(lines);
        benchmark::DoNotOptimize(lines.size());
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_WriteTextForm)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
