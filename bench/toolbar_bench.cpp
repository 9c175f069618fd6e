// Arranging docks. A dock of 30 toolbars in 5 rows, as the row arrangement
// alone and as the dock widget does it (placing the windows); and one
// toolbar's layout of 20 controls, floating and wrapping.
#include "controls/Dock97.h"
#include "controls/DockRows.h"
#include "controls/Toolbar97.h"
#include "controls/ToolbarButton97.h"
#include "controls/ToolbarLayout.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

namespace {

constexpr int toolbar_count = 30;

void BM_ArrangeDockRows(benchmark::State& state)
{
    std::vector<TDockRowBar> bars;
    for (int i = 0; i < toolbar_count; ++i) {
        TDockRowBar bar;
        bar.key = i;
        bar.dock_row = i % 5;
        bar.dock_pos = (i * 37) % 900;
        bar.length = 60 + i % 7 * 10;
        bar.bar_size = 22;
        bars.push_back(bar);
    }
    TDockRowLayout layout;
    layout.available_length = 1200;
    for (auto _ : state) {
        std::vector<TDockRowBar> work = bars;
        benchmark::DoNotOptimize(ArrangeDockRows(work, layout));
    }
}
BENCHMARK(BM_ArrangeDockRows)->Unit(benchmark::kMicrosecond);

QApplication& Application()
{
    static int argc = 1;
    static char name[] = "toolbar_bench";
    static char* argv[] = { name, nullptr };
    static const bool offscreen = [] { return setenv("QT_QPA_PLATFORM", "offscreen", 0) == 0; }();
    (void)offscreen;
    static QApplication application(argc, argv);
    return application;
}

void BM_DockArrangeToolbars(benchmark::State& state)
{
    Application();
    QWidget form;
    form.resize(1200, 400);
    TDock97 dock(dpTop, &form);
    dock.resize(1200, 0);
    for (int i = 0; i < toolbar_count; ++i) {
        auto* toolbar = new TToolbar97;
        for (int b = 0; b < 3; ++b) {
            auto* button = new TToolbarButton97(toolbar->Client());
            button->resize(23, 22);
        }
        toolbar->SetDockRow(i % 5);
        toolbar->SetDockPos((i * 37) % 900);
        toolbar->SetDockedTo(&dock);
    }
    QApplication::processEvents();
    for (auto _ : state)
        dock.ArrangeToolbars(false);
    state.counters["thickness"] = dock.height();
}
BENCHMARK(BM_DockArrangeToolbars)->Unit(benchmark::kMicrosecond);

void BM_LayOutFloatingToolbar(benchmark::State& state)
{
    std::vector<TToolbarItem> items;
    for (int i = 0; i < 20; ++i) {
        TToolbarItem item;
        item.separator = i % 5 == 4;
        item.width = 23;
        item.height = 22;
        items.push_back(item);
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(LayOutToolbar(items, dtNotDocked, false, 200, 22));
}
BENCHMARK(BM_LayOutFloatingToolbar)->Unit(benchmark::kMicrosecond);

} // namespace
