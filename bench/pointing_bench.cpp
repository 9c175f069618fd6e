// What pointing at the drawing costs, on the generated drawing of the
// rendering benchmarks (bench/support/RenderDrawing.h: the mix of a real
// drawing) with 10^6 elements on a 1920 x 1080 view:
//
// - PickNearestElement and SnapToFramePoint at the tolerance the mouse
//   commands use (10 pixels), the sheet fitted to the view (Home), each
//   iteration one query at a random pixel of the sheet; "hit_rate" is the
//   share of queries that found something;
// - one tick of the attribute display (Timer1Timer) in the main window on
//   the offscreen platform, the mouse resting at a random pixel of the
//   sheet: the search of every visible element, and for a hit the frame,
//   the record and the pinned tip. Second argument 1: a view that shows the
//   whole drawing (some of its elements reach beyond the sheet), 0: the
//   sheet fitted. "shown_rate" is the share of ticks that showed an
//   element.
// - one mouse move over the drawing in the window, the handler alone: the
//   cross-hair taken away and drawn again, with the print frame following
//   the mouse (argument 0) or a two-button drag's rubber band and gesture
//   tip (argument 1). It draws only those over the picture: "redraws"
//   counts the full redraws that ran meanwhile (none are expected), and its
//   time must not grow with the element count.
//
// The first search after a drawing is made measures every element once for
// the document's index; it is made before the timed loops.

#include "bench/support/BenchScreen.h"
#include "bench/support/MainWindowBench.h"
#include "bench/support/Random.h"
#include "bench/support/RenderDrawing.h"
#include "document/ZhdData.h"
#include "ui/MainForm.h"
#include "ui/PaintBox.h"
#include "ui/PointingServices.h"
#include "ui/ViewRedraw.h"

#include <QCoreApplication>
#include <QLabel>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>

namespace {

constexpr int tolerance_pixels = 10;

// The shared fitted drawing, its index for the searches made before any
// timing (the first search measures every element once).
TZhdData& FittedDrawing(int count)
{
    TZhdData& drawing = FittedRenderMixDrawing(count);
    TBPoint point;
    PickNearestElement(drawing, BenchScreenWidth / 2, BenchScreenHeight / 2, point, tolerance_pixels);
    return drawing;
}

// A random pixel of the sheet in the document's view.
QPoint PixelOnSheet(const TZhdData& document, TRandom& random)
{
    const TInfoREG& info = document.GetInfoRegPtr();
    const TBPoint world(random.Between(-RenderSheetWidth / 2, RenderSheetWidth / 2),
                        random.Between(-RenderSheetHeight / 2, RenderSheetHeight / 2));
    const TBPoint pixel = info.WorldToScreen(world);
    return QPoint(pixel.GetXInt(), pixel.GetYInt());
}

// A view of the same pixels that shows every element's box.
TZhdZoom WholeDrawingView(const TZhdData& document)
{
    const TInfoREG& info = document.GetInfoRegPtr();
    TBPoint min;
    TBPoint max;
    document.GetElemListPtr().GetExtents(min, max, document, 0);
    const double fit = std::min(info.GetPixelWidth() * info.GetMMPerPixelX() / (max.GetX() - min.GetX()),
                                info.GetPixelHeight() * info.GetMMPerPixelY() / (max.GetY() - min.GetY()));
    // A little room for the rounding of the view's corners.
    TZhdZoom view(fit * 0.98);
    view.SetXY((min.GetX() + max.GetX()) / 2, (min.GetY() + max.GetY()) / 2);
    return view;
}

using PointingService = int (*)(TZhdData&, int, int, TBPoint&, int);

void PointingQueries(benchmark::State& state, PointingService service)
{
    TZhdData& document = FittedDrawing(static_cast<int>(state.range(0)));
    TRandom random(5);
    int hits = 0;
    TBPoint point;
    for (auto _ : state) {
        const QPoint pixel = PixelOnSheet(document, random);
        hits += service(document, pixel.x(), pixel.y(), point, tolerance_pixels) >= 0;
    }
    state.counters["hit_rate"] = static_cast<double>(hits) / static_cast<double>(state.iterations());
}

void BM_PickNearestElement(benchmark::State& state)
{
    PointingQueries(state, PickNearestElement);
}
BENCHMARK(BM_PickNearestElement)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_SnapToFramePoint(benchmark::State& state)
{
    PointingQueries(state, SnapToFramePoint);
}
BENCHMARK(BM_SnapToFramePoint)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// --- The attribute display in the window ---

// The rest stopwatch's tick: always one second after its start.
std::uint32_t rest_ticks = 0;
std::uint32_t RestTicks()
{
    return rest_ticks;
}

// The window with its paint box at the bench screen's size, showing the
// drawing of `count` elements fitted.
std::unique_ptr<TForm1> WindowWithDrawing(int count)
{
    return bench::WindowShowing(FittedDrawing(count));
}

// The view the ticks see, drawn.
void ShowView(TForm1& form, const TZhdZoom& view)
{
    form.Document()->GetInfoRegPtr().SetView(view);
    std::this_thread::sleep_for(bench::redraw_gap);
    form.CanvasDraw(*form.Document(), "bench");
    bench::Settle(form);
}

void BM_AttributeDisplayTick(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    std::unique_ptr<TForm1> form = WindowWithDrawing(count);
    if (state.range(1) == 1)
        ShowView(*form, WholeDrawingView(*form->Document()));
    form->State().CommandMode = 3;
    rest_ticks = 0;
    form->State().RestStopwatch = TStopWatch(RestTicks);
    rest_ticks = 1000;
    TRandom random(7);
    // The first search builds the window's own document's index.
    form->Timer1Timer();
    int shown = 0;
    for (auto _ : state) {
        state.PauseTiming();
        form->State().CursorPoint = PixelOnSheet(*form->Document(), random);
        form->Label4->clear();
        state.ResumeTiming();
        form->Timer1Timer();
        state.PauseTiming();
        shown += !form->Label4->text().isEmpty();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["shown_rate"] = static_cast<double>(shown) / static_cast<double>(state.iterations());
    state.counters["paint_box_width"] = form->PaintBox1->width();
    state.counters["paint_box_height"] = form->PaintBox1->height();
}
BENCHMARK(BM_AttributeDisplayTick)
    ->Args({ 10000, 1 })
    ->Args({ 1000000, 1 })
    ->Args({ 1000000, 0 })
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// --- The mouse moving over the drawing ---

void BM_MouseMove(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    const bool dragging = state.range(1) == 1;
    std::unique_ptr<TForm1> form = WindowWithDrawing(count);
    const int width = form->PaintBox1->width();
    const int height = form->PaintBox1->height();
    const QPoint press(width / 4, height / 4);
    if (dragging) {
        form->PaintBox1MouseMove(press.x(), press.y());
        form->PaintBox1MouseDown(TReleasedButton::Left, press.x(), press.y());
        form->PaintBox1MouseDown(TReleasedButton::Right, press.x(), press.y());
    } else {
        form->State().CommandMode = 1;
        form->State().CommandSubMode = 1;
    }
    const std::uint32_t redraw_tick = form->View().LastRedrawTick();
    TRandom random(11);
    for (auto _ : state) {
        state.PauseTiming();
        // Down and right of the press point: the zoom box's gesture.
        const QPoint to(press.x() + 20 + static_cast<int>(random.Between(0, width / 2)),
                        press.y() + 20 + static_cast<int>(random.Between(0, height / 2)));
        state.ResumeTiming();
        form->PaintBox1MouseMove(to.x(), to.y());
        state.PauseTiming();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["redraws"] = form->View().LastRedrawTick() != redraw_tick;
    if (dragging) {
        form->PaintBox1MouseUp(TReleasedButton::Right, press.x(), press.y());
        form->PaintBox1MouseUp(TReleasedButton::Left, press.x(), press.y());
    }
}
BENCHMARK(BM_MouseMove)
    ->Args({ 10000, 0 })
    ->Args({ 1000000, 0 })
    ->Args({ 10000, 1 })
    ->Args({ 1000000, 1 })
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    return bench::RunMainWindowBenchmarks(argc, argv);
}
