// Cost of opening a drawing and of a print job's working copy, on drawings of
// 10^4 to 10^6 mixed elements generated with our own writer: loading from a
// memory stream (with the memory the loaded drawing takes per element, as the
// allocator counts it), saving, and AssignAll plus a fresh copy of every
// element.
#include "document/ZhdData.h"
#include "elements/KBlock.h"
#include "elements/KCircle.h"
#include "elements/KLine.h"
#include "elements/KMoji.h"
#include "elements/KPoint.h"
#include "elements/KSolid.h"
#include "elements/KSunpou.h"
#include "platform/Stream.h"

#include <benchmark/benchmark.h>
#include <boost/make_shared.hpp>

#include <malloc.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int definition_count = 50;

void Place(TZhdElem& elem, int i)
{
    elem.SetGLayer(static_cast<std::uint16_t>(i % 16));
    elem.SetLayer(static_cast<std::uint16_t>((i / 16) % 16));
    elem.SetPenColor(static_cast<std::uint16_t>(1 + i % 9));
}

// Mostly lines, as drawings are: of every hundred elements 60 lines, 12 arcs,
// 6 points, 10 texts, 5 solids, 4 block references and 3 dimensions.
TZhdElemPtr MixedElement(int i)
{
    const double x = i % 1000;
    const double y = i / 1000;
    const int slot = i % 100;
    TZhdElemPtr elem;
    if (slot < 60) {
        auto line = boost::make_shared<TKLine>();
        line->SetLine(TBPoint(x, y), TBPoint(x + 1.5, y + 0.5));
        elem = line;
    } else if (slot < 72) {
        elem = boost::make_shared<TKCircle>(TBPoint(x, y), 2.0, TAngle(0.5), TAngle(1.0), TAngle(), 1.0, 0);
    } else if (slot < 78) {
        auto point = boost::make_shared<TKPoint>();
        point->SetPos(TBPoint(x, y));
        elem = point;
    } else if (slot < 88) {
        auto text = boost::make_shared<TKMoji>(TBPoint(x, y), TBPoint(x + 8, y), TZhdaMoji(2.0, 2.0, 0.0, 1), 1,
                                               TAngle(), "Gothic", std::string("W").append(std::to_string(i % 997)));
        elem = text;
    } else if (slot < 93) {
        auto solid = boost::make_shared<TKSolid>();
        solid->SetSolid(TBPoint(x, y), TBPoint(x + 1, y), TBPoint(x + 1, y + 1), TBPoint(x, y + 1), 0);
        elem = solid;
    } else if (slot < 97) {
        auto block = boost::make_shared<TKBlock>();
        block->SetBlock(TBPoint(x, y), 1.0, 1.0, TAngle(), i % definition_count);
        block->SetPenStyle(static_cast<std::uint8_t>(1 + i % 2));
        elem = block;
    } else {
        auto dimension = boost::make_shared<TKSunpou>();
        TKLine line;
        line.SetLine(TBPoint(x, y), TBPoint(x + 10, y));
        TKMoji text(TBPoint(x + 4, y + 1), TBPoint(x + 6, y + 1), TZhdaMoji(), 1, TAngle(), "Gothic", "10");
        dimension->SetSunpou(line, text, TSXFSunpou());
        elem = dimension;
    }
    Place(*elem, i);
    return elem;
}

std::unique_ptr<TZhdData> GeneratedDrawing(int count)
{
    auto document = std::make_unique<TZhdData>();
    for (int i = 0; i < count; ++i)
        document->GetElemListPtr().Append(MixedElement(i));
    for (int n = 0; n < definition_count; ++n) {
        TKBlockDefine define;
        define.SetNumber(static_cast<std::uint32_t>(n));
        define.SetName("block " + std::to_string(n));
        TZhdElemList contents;
        for (int i = 0; i < 10; ++i)
            contents.Append(MixedElement(i * 7));
        define.SetElemList(contents);
        document->AppendBlockDefine(define);
    }
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
    document.LoadFromStream(input);
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
    screen.LoadFromStream(input);
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
