// What texts cost to draw, beside lines: generated drawings of 10^4 and
// 10^5 short texts (bench/support/TextDrawing.h) and the line drawings of
// the same counts (bench/support/RenderDrawing.h) on the same A1 sheet,
// drawn to a 1920 x 1080 image canvas, the whole sheet in a fitted view and
// its centre ten times closer. "ratio" is a text drawing's time over the
// time of the line drawing of the same count in the same view: fonts come
// from the cache by their logical fields and glyphs by character and size,
// so a text should cost about what a line costs.
//
// Drawing the texts edged (the outlined form) is measured too, on the
// fitted view, and the drawing without pixels (below).

#include "bench/support/BenchScreen.h"
#include "bench/support/RenderDrawing.h"
#include "bench/support/TextDrawing.h"
#include "document/ZhdData.h"
#include "platform/Canvas.h"
#include "platform/ImageCanvas.h"
#include "render/InfoReg.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <map>
#include <memory>
#include <span>
#include <string_view>

namespace {

using Clock = std::chrono::steady_clock;

enum class TContent { Texts, Lines };
enum class TViewKind { Fitted, Close };

TZhdData& Drawing(TContent content, int count)
{
    UseBenchScreen();
    static std::map<std::pair<TContent, int>, std::unique_ptr<TZhdData>> drawings;
    auto& drawing = drawings[{ content, count }];
    if (!drawing)
        drawing = content == TContent::Texts ? GenerateTextDrawing(count) : GenerateRenderDrawing(count);
    return *drawing;
}

// Ten times the fitted scale shows a hundredth of the sheet.
constexpr double close_zoom = 10.0;

void SetView(TZhdData& document, TViewKind kind, bool edged)
{
    FitSheet(document, kind == TViewKind::Close ? close_zoom : 1.0);
    document.GetInfoRegPtr().EdgeMoji = edged ? 1 : 0;
}

// Seconds per drawing: the mean of at least three and a fifth of a second.
double SecondsPerDrawing(TContent content, int count, TViewKind view, bool edged)
{
    TZhdData& document = Drawing(content, count);
    SetView(document, view, edged);
    TImageCanvas canvas(BenchScreenWidth, BenchScreenHeight);
    DrawDocument(document, canvas); // warm the caches
    int runs = 0;
    const Clock::time_point start = Clock::now();
    while (runs < 3 || std::chrono::duration<double>(Clock::now() - start).count() < 0.2) {
        DrawDocument(document, canvas);
        ++runs;
    }
    return std::chrono::duration<double>(Clock::now() - start).count() / runs;
}

double LineSeconds(int count, TViewKind view)
{
    static std::map<std::pair<int, TViewKind>, double> seconds;
    const std::pair key(count, view);
    const auto known = seconds.find(key);
    if (known != seconds.end())
        return known->second;
    return seconds[key] = SecondsPerDrawing(TContent::Lines, count, view, false);
}

void DrawTexts(benchmark::State& state, TViewKind view, bool edged)
{
    const int count = static_cast<int>(state.range(0));
    const double lines = LineSeconds(count, view);
    TZhdData& document = Drawing(TContent::Texts, count);
    SetView(document, view, edged);
    TImageCanvas canvas(BenchScreenWidth, BenchScreenHeight);
    DrawDocument(document, canvas);
    double seconds = 0;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        benchmark::DoNotOptimize(DrawDocument(document, canvas));
        seconds += std::chrono::duration<double>(Clock::now() - start).count();
    }
    if (state.iterations() > 0)
        state.counters["ratio"] = seconds / static_cast<double>(state.iterations()) / lines;
    state.counters["lines_ms"] = lines * 1e3;
    state.SetItemsProcessed(state.iterations() * count);
}

void BM_TextsFitted(benchmark::State& state)
{
    DrawTexts(state, TViewKind::Fitted, false);
}
BENCHMARK(BM_TextsFitted)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_TextsClose(benchmark::State& state)
{
    DrawTexts(state, TViewKind::Close, false);
}
BENCHMARK(BM_TextsClose)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_EdgedTextsFitted(benchmark::State& state)
{
    DrawTexts(state, TViewKind::Fitted, true);
}
BENCHMARK(BM_EdgedTextsFitted)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The same drawing onto a canvas that paints nothing: what the layout and
// the font choice cost without the pixels, and how many fonts, text
// outputs and frame lines a drawing makes.
class TCountingCanvas final : public TCanvas {
public:
    int Width() const override { return BenchScreenWidth; }
    int Height() const override { return BenchScreenHeight; }
    TColor GetPixel(int, int) const override { return TColor(0); }
    void PlaySetPen(const TPen&) override {}
    void PlaySetBrush(const TBrush&) override {}
    void PlayMoveTo(TPointI) override {}
    void PlayLineTo(TPointI) override { ++lines; }
    void PlayPolyline(std::span<const TPointI>) override { ++lines; }
    void PlayPolygon(std::span<const TPointI>) override {}
    void PlayEllipse(const TRectI&) override {}
    void PlayFillRect(const TRectI&) override {}
    void PlaySetPixel(TPointI, TColor) override {}
    void PlaySetFont(const TFont&) override { ++fonts; }
    void PlayTextOut(TPointI, std::string_view) override { ++texts; }
    void PlayStretchDraw(const TRectI&, const TBitmap&, TColor) override {}

    double lines = 0;
    double fonts = 0;
    double texts = 0;
};

void BM_TextsWithoutPixels(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    TZhdData& document = Drawing(TContent::Texts, count);
    SetView(document, TViewKind::Fitted, false);
    TCountingCanvas canvas;
    for (auto _ : state)
        benchmark::DoNotOptimize(DrawDocument(document, canvas));
    if (state.iterations() == 0)
        return;
    const double drawings = static_cast<double>(state.iterations());
    state.counters["fonts"] = canvas.fonts / drawings;
    state.counters["text_outs"] = canvas.texts / drawings;
    state.counters["lines"] = canvas.lines / drawings;
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_TextsWithoutPixels)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
