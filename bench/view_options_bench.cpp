// The view toolbar's options on the real main window, on the generated
// drawings in the mix of a real drawing (bench/support/RenderDrawing.h:
// 10^4 and 10^6 elements), the paint box the bench screen's 1920 x 1080.
// Each option the user switches is one handler: the line widths, the colour
// transparency, the layer and colour orders, images and solids first, text
// frames and texts last.
//
// The time is the handler's, the gate open, its redraw included. Each
// handler must redraw the view once and never more: the window's debug log
// counts the full redraws until the window has settled ("full_redraws", the
// most of any run); more than one is an error.

#include "bench/support/MainWindowBench.h"
#include "bench/support/RenderDrawing.h"
#include "core/DebugLog.h"
#include "document/ZhdData.h"
#include "ui/MainForm.h"

#include <QAction>
#include <QCheckBox>
#include <QToolButton>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <functional>
#include <sstream>
#include <string>
#include <thread>

namespace {

using namespace bench;

struct TOption {
    const char* name;
    std::function<void(TForm1&)> switch_it;
};

const TOption options[] = {
    { "width", [](TForm1& form) { form.cbWidthView->toggle(); } },
    { "colour_transparency", [](TForm1& form) { form.cbColorTransparent->toggle(); } },
    { "layer_order", [](TForm1& form) { form.btnLay->click(); } },
    { "colour_order", [](TForm1& form) { form.btnCol->click(); } },
    { "images_first", [](TForm1& form) { form.N2->trigger(); } },
    { "text_frames", [](TForm1& form) { form.miMojiWaku->trigger(); } },
    { "texts_last", [](TForm1& form) { form.miFinalMoji->trigger(); } },
};

int CountFullRedraws(const std::string& log)
{
    std::istringstream lines(log);
    int count = 0;
    for (std::string line; std::getline(lines, line);)
        count += line == "CanvasDraw()" ? 1 : 0;
    return count;
}

void BM_OptionHandler(benchmark::State& state)
{
    const TOption& option = options[state.range(1)];
    state.SetLabel(option.name);
    std::unique_ptr<TForm1> form =
        OpenFormAtBenchScreen(state, DrawingFile("mix", static_cast<int>(state.range(0)), GenerateRenderMixDrawing));
    if (!form)
        return;
    std::ostringstream log;
    RedirectDebugLog(&log);
    int most_redraws = 0;
    for (auto _ : state) {
        std::this_thread::sleep_for(redraw_gap);
        log.str("");
        const auto start = Clock::now();
        option.switch_it(*form);
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        // A redraw put off would come while the window settles.
        Settle(*form);
        most_redraws = std::max(most_redraws, CountFullRedraws(log.str()));
    }
    RedirectDebugLog(nullptr);
    state.counters["full_redraws"] = most_redraws;
    if (most_redraws != 1)
        state.SkipWithError("an option handler did not run exactly one full redraw");
}

void OptionArguments(benchmark::internal::Benchmark* benchmark)
{
    for (const int count : { 10000, 1000000 }) {
        for (int option = 0; option < static_cast<int>(std::size(options)); ++option)
            benchmark->Args({ count, option });
    }
}

BENCHMARK(BM_OptionHandler)->Apply(OptionArguments)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(4);

} // namespace

int main(int argc, char** argv)
{
    return RunMainWindowBenchmarks(argc, argv);
}
