// The search bar over a large drawing: 10^5 texts of 8 to 30 bytes, Japanese
// and ASCII mixed as room names, part numbers and notes are, on all 256
// layers. Each search marks every element, so the figures are the whole
// search as the user waits for it: a plain word, the folding options 0x20E
// (exact match, width, case, blanks), a regular expression, and collecting
// the candidate list.
#include "document/TextMatcher.h"
#include "document/ZhdData.h"
#include "elements/KMoji.h"
#include "platform/ShiftJis.h"

#include <benchmark/benchmark.h>
#include <boost/make_shared.hpp>

#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int text_count = 100000;

// Cut at a character boundary at or below `length` bytes.
std::string CutAtCharacter(const std::string& text, std::size_t length)
{
    std::size_t end = 0;
    while (end < text.size() && end + CharLengthAt(text, end) <= length)
        end += CharLengthAt(text, end);
    return text.substr(0, end);
}

std::vector<std::string> DrawingTexts()
{
    const std::vector<std::string> pieces { sj(u8"洋室"), sj(u8"和室"), sj(u8"ＬＤＫ"), sj(u8"浴室"), sj(u8"階段"),
                                            sj(u8"ドア"), sj(u8"ﾄﾞｱ"), sj(u8"かいだん"), sj(u8"（１）"), sj(u8"・"),
                                            sj(u8"　"), " ", "W=", "1200", "mm", "D-", "SW", "3F", "Note", "x" };
    std::mt19937 random(7);
    std::vector<std::string> texts;
    texts.reserve(text_count);
    while (texts.size() < text_count) {
        const std::size_t length = 8 + random() % 23;
        std::string text;
        while (text.size() < length)
            text += pieces[random() % pieces.size()];
        texts.push_back(CutAtCharacter(text, length));
    }
    return texts;
}

TZhdData& Drawing()
{
    static const std::unique_ptr<TZhdData> document = [] {
        auto drawing = std::make_unique<TZhdData>();
        int i = 0;
        for (std::string& text : DrawingTexts()) {
            auto moji = boost::make_shared<TKMoji>();
            moji->SetTextString(std::move(text));
            moji->SetGLayer(static_cast<std::uint16_t>(i % 16));
            moji->SetLayer(static_cast<std::uint16_t>(i / 16 % 16));
            drawing->GetElemListPtr().Append(moji);
            ++i;
        }
        return drawing;
    }();
    return *document;
}

void Search(benchmark::State& state, const std::string& word, int options)
{
    TZhdData& document = Drawing();
    int hits = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(hits = document.SearchText(word, SearchVisibleLayers, options));
    state.counters["hits"] = hits;
    state.SetItemsProcessed(state.iterations() * text_count);
}

void BM_SearchPlain(benchmark::State& state)
{
    Search(state, sj(u8"階段"), 0);
}

void BM_SearchFolded(benchmark::State& state)
{
    Search(state, sj(u8"ｌｄｋ（1）"), 0x20E);
}

void BM_SearchRegularExpression(benchmark::State& state)
{
    Search(state, "[0-9]+mm", SearchRegularExpression);
}

void BM_CollectTexts(benchmark::State& state)
{
    TZhdData& document = Drawing();
    std::vector<std::string> texts;
    for (auto _ : state)
        benchmark::DoNotOptimize(document.CollectTexts(texts, SearchVisibleLayers));
    state.SetItemsProcessed(state.iterations() * text_count);
}

} // namespace

BENCHMARK(BM_SearchPlain)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchFolded)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchRegularExpression)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CollectTexts)->Unit(benchmark::kMillisecond);
