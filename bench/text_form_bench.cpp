// Cost of the external-command text form on files of 10^4 and 10^5 mixed
// records written by our own writer: loading a file's bytes (split, header,
// records, instruction list, hand-over of the working copy) and writing the
// lines back.
#include "document/ZhdData.h"
#include "elements/KBlock.h"
#include "elements/KCircle.h"
#include "elements/KLine.h"
#include "elements/KMoji.h"
#include "elements/KPoint.h"
#include "elements/KSolid.h"
#include "elements/KSunpou.h"

#include <benchmark/benchmark.h>
#include <boost/make_shared.hpp>

#include <map>
#include <string>

namespace {

constexpr int definition_count = 50;

void Place(TZhdElem& elem, int i)
{
    elem.SetGLayer(static_cast<std::uint16_t>(i % 3));
    elem.SetLayer(static_cast<std::uint16_t>((i / 7) % 4));
    elem.SetPenColor(static_cast<std::uint16_t>(1 + i % 9));
    elem.SetPlGroup(static_cast<std::uint32_t>(i % 5 == 0 ? i / 5 : 0));
}

// Of every hundred records 60 lines, 12 arcs, 6 points, 10 texts, 5 solids,
// 4 block references and 3 dimensions.
TZhdElemPtr MixedElement(TZhdData& document, int i)
{
    const double x = i % 1000 + 0.25;
    const double y = i / 1000 + 0.5;
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
        elem = boost::make_shared<TKMoji>(TBPoint(x, y), TBPoint(x + 8, y), TZhdaMoji(2.0, 2.0, 0.0, 1), i % 3,
                                          TAngle(), "Gothic", std::string("W").append(std::to_string(i % 997)));
    } else if (slot < 93) {
        auto solid = boost::make_shared<TKSolid>();
        solid->SetSolid(TBPoint(x, y), TBPoint(x + 1, y), TBPoint(x + 1, y + 1), TBPoint(x, y + 1), 0);
        elem = solid;
    } else if (slot < 97) {
        auto block = boost::make_shared<TKBlock>();
        block->SetPos(TBPoint(x, y));
        const std::string name = std::string("block ").append(std::to_string(i % definition_count));
        block->SetBlockNumber(static_cast<int>(document.GetBlockNumberByName(name)));
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

// The file of each size, written once.
const std::string& TextFormBytes(int count)
{
    static std::map<int, std::string> files;
    std::string& bytes = files[count];
    if (bytes.empty()) {
        TZhdData document;
        for (int i = 0; i < count; ++i)
            document.GetElemListPtr().Append(MixedElement(document, i));
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
    document.LoadZhcTextFromBytes(TextFormBytes(count));
    for (auto _ : state) {
        StringList lines;
        document.WriteZhcText(lines);
        benchmark::DoNotOptimize(lines.size());
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_WriteTextForm)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
