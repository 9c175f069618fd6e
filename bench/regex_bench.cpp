// The text search's use of the engine: compile a typical search pattern once,
// then find it in each of many short drawing texts (8 to 30 bytes, ASCII and
// Shift-JIS mixed, as element texts are).
#include "core/regex/Pattern.h"
#include "platform/ShiftJis.h"

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

namespace {

struct SearchPattern {
    const char* name;
    std::string text;
    bool ignore_case;
};

const std::vector<SearchPattern>& Patterns()
{
    static const std::vector<SearchPattern> patterns {
        { "word", "door", false },
        { "japanese_word", sj(u8"階段"), false },
        { "class", "[0-9]+mm", false },
        { "alternation", "door|window|wall|stair", false },
        { "ignore_case_word", "Door", true },
        { "line_anchors", "^W=[0-9]+$", false },
    };
    return patterns;
}

const std::vector<std::string>& Texts()
{
    static const std::vector<std::string> texts = [] {
        const std::vector<std::string> pieces { "door", "Wall", " ", "W=", "1200", "mm", "x", "-", "3F",
                                                sj(u8"階段"), sj(u8"図面"), sj(u8"あ"), sj(u8"ドア"), "window" };
        std::mt19937 random(5);
        std::vector<std::string> result;
        result.reserve(100000);
        while (result.size() < 100000) {
            const std::size_t length = 8 + random() % 23;
            std::string text;
            while (text.size() < length)
                text += pieces[random() % pieces.size()];
            text.resize(length);  // may cut a double-byte character: texts are untrusted
            result.push_back(std::move(text));
        }
        return result;
    }();
    return texts;
}

TbmRExp MakePattern(const SearchPattern& search)
{
    TbmRExp pattern;
    pattern.SetOption(TbmRExp::kIgnoreCase, search.ignore_case);
    pattern.SetPattern(search.text);
    return pattern;
}

void BM_Compile(benchmark::State& state)
{
    const SearchPattern& search = Patterns()[static_cast<std::size_t>(state.range(0))];
    state.SetLabel(search.name);
    for (auto _ : state) {
        TbmRExp pattern = MakePattern(search);
        benchmark::DoNotOptimize(pattern.Compile().StateCount());
    }
}
BENCHMARK(BM_Compile)->DenseRange(0, 5);

// A pattern whose automaton needs 2^31 states: the cost of refusing it at the
// state limit.
void BM_RefuseExponentialPattern(benchmark::State& state)
{
    std::string text = "(a|b)*a";
    for (int i = 0; i < 30; ++i)
        text += "(a|b)";
    for (auto _ : state) {
        TbmRExp pattern;
        pattern.SetPattern(text);
        try {
            pattern.Compile();
            state.SkipWithError("compiled");
        } catch (const EbmREToken&) {
        }
    }
}
BENCHMARK(BM_RefuseExponentialPattern)->Unit(benchmark::kMillisecond);

void BM_SearchTexts(benchmark::State& state)
{
    const SearchPattern& search = Patterns()[static_cast<std::size_t>(state.range(0))];
    state.SetLabel(search.name);
    const std::vector<std::string>& texts = Texts();
    TbmRExp pattern = MakePattern(search);
    pattern.Compile();
    std::int64_t bytes = 0;
    for (const std::string& text : texts)
        bytes += static_cast<std::int64_t>(text.size());
    int found = 0;
    for (auto _ : state) {
        found = 0;
        for (const std::string& text : texts) {
            int length = 0;
            int position = 0;
            found += pattern.Match(text, 1, length, position) > 0;
        }
        benchmark::DoNotOptimize(found);
    }
    state.counters["hits"] = found;
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(texts.size()));
    state.SetBytesProcessed(state.iterations() * bytes);
}
BENCHMARK(BM_SearchTexts)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);

// One long text where every position starts a run that lives long: the
// search stays linear because runs that meet in one state are merged.
void BM_SearchLongText(benchmark::State& state)
{
    const std::string text(static_cast<std::size_t>(state.range(0)), 'a');
    TbmRExp pattern;
    pattern.SetPattern("(a|aa)*b");
    pattern.Compile();
    for (auto _ : state) {
        int length = 0;
        int position = 0;
        benchmark::DoNotOptimize(pattern.Match(text, 1, length, position));
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_SearchLongText)->Arg(1 << 10)->Arg(1 << 20)->Unit(benchmark::kMillisecond);

} // namespace
