// What a redraw costs, on generated line drawings of 10^4 to 10^6 elements
// (bench/support/RenderDrawing.h) drawn to a 1920 x 1080 image canvas:
//
// - the whole sheet in a fitted view, with the ratio of its time to a bare
//   QPainter loop drawing the same figures ("ratio"), and the heap
//   allocations of one drawing per element of the drawing
//   ("allocs_per_element");
// - the sheet's centre ten times closer, where one element in fifty or a
//   hundred is drawn ("visible_share"), each ten times larger, and the walk
//   still visits them all; with its own bare-loop ratio;
// - the whole sheet in layer and colour order (a stable sort of the drawn
//   elements);
// - opening a drawing file and drawing it the first time.
//
// The bare loop is the same picture with nothing but the painter's calls:
// one drawing is recorded (TRecordingCanvas), its commands are turned into
// plain arrays of device figures in drawing order, and the loop draws them
// with a QPainter on a QImage of the same size and format, antialiasing off,
// setting a pen only where the colour changes. The culling, transforms, line
// types and arc stepping of the real drawing are all done ahead of it.
//
// Allocations are counted by replacing the global operator new of this
// program: what the drawing code allocates through it is counted, the
// painter's own buffers (malloc) are not.

#include "bench/support/BenchScreen.h"
#include "bench/support/RenderDrawing.h"
#include "document/ZhdData.h"
#include "platform/CanvasCommands.h"
#include "platform/CanvasRaster.h"
#include "platform/ImageCanvas.h"
#include "platform/RecordingCanvas.h"
#include "platform/ScreenMetrics.h"
#include "platform/Tick.h"
#include "render/InfoReg.h"

#include <QImage>
#include <QLine>
#include <QPainter>
#include <QPen>
#include <QPoint>
#include <QRect>
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <new>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace {

std::atomic<std::uint64_t> allocation_count { 0 };

void* CountedAllocation(std::size_t size) noexcept
{
    allocation_count.fetch_add(1, std::memory_order_relaxed);
    return std::malloc(size == 0 ? 1 : size);
}

} // namespace

// Every plain and nothrow form, so that no block is freed by another
// family than the one that made it (the sanitizer checks the pairing; the
// library's stable sort takes its buffer with the nothrow form).
void* operator new(std::size_t size)
{
    if (void* block = CountedAllocation(size))
        return block;
    throw std::bad_alloc();
}

void* operator new[](std::size_t size)
{
    if (void* block = CountedAllocation(size))
        return block;
    throw std::bad_alloc();
}

void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    return CountedAllocation(size);
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    return CountedAllocation(size);
}

void operator delete(void* block) noexcept
{
    std::free(block);
}

void operator delete[](void* block) noexcept
{
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept
{
    std::free(block);
}

void operator delete[](void* block, std::size_t) noexcept
{
    std::free(block);
}

void operator delete(void* block, const std::nothrow_t&) noexcept
{
    std::free(block);
}

void operator delete[](void* block, const std::nothrow_t&) noexcept
{
    std::free(block);
}

namespace {

using Clock = std::chrono::steady_clock;

// Ten times the fitted scale shows a hundredth of the sheet's area.
constexpr double close_zoom = 10.0;

// Each size generated once; the benchmarks only change the view.
TZhdData& Drawing(int count)
{
    UseBenchScreen();
    static std::map<int, std::unique_ptr<TZhdData>> drawings;
    auto& drawing = drawings[count];
    if (!drawing)
        drawing = GenerateRenderDrawing(count);
    return *drawing;
}

// The whole sheet, or its centre ten times closer.
enum class TViewKind { Fitted, Close };

void SetView(TZhdData& document, TViewKind kind)
{
    FitSheet(document, kind == TViewKind::Close ? close_zoom : 1.0);
}

// Heap allocations of one drawing, per element of the drawing.
double AllocationsPerElement(TZhdData& document, TCanvas& canvas, int count)
{
    const std::uint64_t before = allocation_count.load(std::memory_order_relaxed);
    DrawDocument(document, canvas);
    const std::uint64_t after = allocation_count.load(std::memory_order_relaxed);
    return static_cast<double>(after - before) / count;
}

// --- The bare painter loop ---

// One drawing's figures in device pixels, in drawing order. Each operation
// names its figure by index into the array of its kind.
struct TBaselineScene {
    enum class Kind : std::uint8_t { Line, Polyline, Ellipse, Pixel, FillRect };
    struct Operation {
        Kind kind;
        // Ellipses: filled with the colour too.
        bool filled;
        QRgb color;
        std::uint32_t index;
    };
    struct Run {
        std::uint32_t first;
        std::uint32_t size;
    };

    std::vector<Operation> operations;
    std::vector<QLine> lines;
    std::vector<QPoint> polyline_points;
    std::vector<Run> polylines;
    std::vector<QRect> rects;
    std::vector<QPoint> pixels;
};

QRgb PixelOf(TColor color)
{
    return canvas_raster::PixelFromColor(color);
}

// The box of an Ellipse or FillRect command (right and bottom outside) as
// a QRect (right and bottom inside).
QRect RectOf(const TRectI& box)
{
    return QRect(QPoint(std::min(box.left, box.right), std::min(box.top, box.bottom)),
                 QPoint(std::max(box.left, box.right) - 1, std::max(box.top, box.bottom) - 1));
}

TBaselineScene SceneOf(const std::vector<TCanvasCommand>& commands)
{
    namespace command = canvas_command;
    TBaselineScene scene;
    using Kind = TBaselineScene::Kind;
    TPen pen;
    TBrush brush;
    TPointI position;
    const auto add = [&](Kind kind, bool filled, TColor color, std::size_t index) {
        scene.operations.push_back({ kind, filled, PixelOf(color), static_cast<std::uint32_t>(index) });
    };
    for (const TCanvasCommand& any : commands) {
        if (const auto* set_pen = std::get_if<command::SetPen>(&any)) {
            pen = set_pen->pen;
        } else if (const auto* set_brush = std::get_if<command::SetBrush>(&any)) {
            brush = set_brush->brush;
        } else if (const auto* move = std::get_if<command::MoveTo>(&any)) {
            position = move->point;
        } else if (const auto* line = std::get_if<command::LineTo>(&any)) {
            if (pen.style != TPenStyle::Clear) {
                add(Kind::Line, false, pen.color, scene.lines.size());
                scene.lines.emplace_back(position.x, position.y, line->point.x, line->point.y);
            }
            position = line->point;
        } else if (const auto* polyline = std::get_if<command::Polyline>(&any)) {
            if (pen.style == TPenStyle::Clear || polyline->points.size() < 2)
                continue;
            add(Kind::Polyline, false, pen.color, scene.polylines.size());
            scene.polylines.push_back({ static_cast<std::uint32_t>(scene.polyline_points.size()),
                                        static_cast<std::uint32_t>(polyline->points.size()) });
            for (const TPointI& point : polyline->points)
                scene.polyline_points.emplace_back(point.x, point.y);
        } else if (const auto* ellipse = std::get_if<command::Ellipse>(&any)) {
            add(Kind::Ellipse, brush.style != TBrushStyle::Clear, pen.color, scene.rects.size());
            scene.rects.push_back(RectOf(ellipse->box));
        } else if (const auto* fill = std::get_if<command::FillRect>(&any)) {
            add(Kind::FillRect, true, brush.color, scene.rects.size());
            scene.rects.push_back(RectOf(fill->rect));
        } else if (const auto* pixel = std::get_if<command::SetPixel>(&any)) {
            add(Kind::Pixel, false, pixel->color, scene.pixels.size());
            scene.pixels.emplace_back(pixel->point.x, pixel->point.y);
        }
        // No polygons: lines, arcs and points draw none.
    }
    return scene;
}

TBaselineScene RecordScene(int count, TViewKind view)
{
    TZhdData& document = Drawing(count);
    SetView(document, view);
    TRecordingCanvas recording(BenchScreenWidth, BenchScreenHeight);
    DrawDocument(document, recording);
    return SceneOf(recording.Commands());
}

// The bare loop: no work per figure but the painter's.
void PaintScene(QPainter& painter, const TBaselineScene& scene)
{
    using Kind = TBaselineScene::Kind;
    QRgb pen_color = 0;
    bool has_pen = false;
    bool brush_filled = false;
    QRgb brush_color = 0;
    painter.setBrush(Qt::NoBrush);
    for (const TBaselineScene::Operation& operation : scene.operations) {
        if (operation.kind == Kind::FillRect) {
            painter.fillRect(scene.rects[operation.index], QColor::fromRgb(operation.color));
            continue;
        }
        if (!has_pen || operation.color != pen_color) {
            painter.setPen(QPen(QColor::fromRgb(operation.color)));
            pen_color = operation.color;
            has_pen = true;
        }
        switch (operation.kind) {
        case Kind::Line:
            painter.drawLine(scene.lines[operation.index]);
            break;
        case Kind::Polyline: {
            const TBaselineScene::Run run = scene.polylines[operation.index];
            painter.drawPolyline(scene.polyline_points.data() + run.first, static_cast<int>(run.size));
            break;
        }
        case Kind::Ellipse:
            if (operation.filled != brush_filled || (operation.filled && operation.color != brush_color)) {
                if (operation.filled)
                    painter.setBrush(QColor::fromRgb(operation.color));
                else
                    painter.setBrush(Qt::NoBrush);
                brush_filled = operation.filled;
                brush_color = operation.color;
            }
            painter.drawEllipse(scene.rects[operation.index]);
            break;
        case Kind::Pixel:
            painter.drawPoint(scene.pixels[operation.index]);
            break;
        case Kind::FillRect:
            break;
        }
    }
}

class TBaselinePainter {
public:
    TBaselinePainter() : image_(BenchScreenWidth, BenchScreenHeight, QImage::Format_RGB32)
    {
        image_.fill(0xFF000000u);
        painter_.begin(&image_);
        painter_.setRenderHint(QPainter::Antialiasing, false);
    }

    void Paint(const TBaselineScene& scene) { PaintScene(painter_, scene); }

private:
    QImage image_;
    QPainter painter_;
};

const TBaselineScene& Scene(int count, TViewKind view)
{
    static std::map<std::pair<int, TViewKind>, TBaselineScene> scenes;
    const std::pair key(count, view);
    auto found = scenes.find(key);
    if (found == scenes.end())
        found = scenes.emplace(key, RecordScene(count, view)).first;
    return found->second;
}

// Seconds per baseline drawing, measured once per size: the mean of at least
// three drawings and a fifth of a second.
double BaselineSeconds(int count, TViewKind view)
{
    static std::map<std::pair<int, TViewKind>, double> seconds;
    const std::pair key(count, view);
    const auto known = seconds.find(key);
    if (known != seconds.end())
        return known->second;
    const TBaselineScene& scene = Scene(count, view);
    TBaselinePainter painter;
    painter.Paint(scene); // warm the image's pages
    int runs = 0;
    const Clock::time_point start = Clock::now();
    while (runs < 3 || SecondsSince(start) < 0.2) {
        painter.Paint(scene);
        ++runs;
    }
    return seconds[key] = SecondsSince(start) / runs;
}

// --- Benchmarks ---

void BM_BaselinePainter(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    UseBenchScreen();
    const TBaselineScene& scene = Scene(count, TViewKind::Fitted);
    TBaselinePainter painter;
    for (auto _ : state)
        painter.Paint(scene);
    const auto figures = [&](TBaselineScene::Kind kind) {
        return static_cast<double>(std::count_if(scene.operations.begin(), scene.operations.end(),
                                                 [kind](const auto& operation) { return operation.kind == kind; }));
    };
    state.counters["lines"] = figures(TBaselineScene::Kind::Line);
    state.counters["polylines"] = figures(TBaselineScene::Kind::Polyline);
    state.counters["ellipses"] = figures(TBaselineScene::Kind::Ellipse);
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_BaselinePainter)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// Drawings in list order, timed against the bare loop on the same view.
void DrawInView(benchmark::State& state, TViewKind view)
{
    const int count = static_cast<int>(state.range(0));
    TZhdData& document = Drawing(count);
    const double baseline = BaselineSeconds(count, view);
    SetView(document, view);
    TImageCanvas canvas(BenchScreenWidth, BenchScreenHeight);
    double seconds = 0;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        benchmark::DoNotOptimize(DrawDocument(document, canvas));
        seconds += SecondsSince(start);
    }
    if (state.iterations() > 0)
        state.counters["ratio"] = seconds / static_cast<double>(state.iterations()) / baseline;
    state.counters["baseline_ms"] = baseline * 1e3;
    TInfoREG& info = document.GetInfoRegPtr();
    const int total_before = info.ElementTotal;
    state.counters["allocs_per_element"] = AllocationsPerElement(document, canvas, count);
    state.counters["visible_share"] = static_cast<double>(info.ElementTotal - total_before) / count;
    state.SetItemsProcessed(state.iterations() * count);
}

void BM_FullDraw(benchmark::State& state)
{
    DrawInView(state, TViewKind::Fitted);
}
BENCHMARK(BM_FullDraw)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// The sheet's centre at ten times the fitted scale.
void BM_CloseView(benchmark::State& state)
{
    DrawInView(state, TViewKind::Close);
}
BENCHMARK(BM_CloseView)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_LayerAndColorOrder(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    TZhdData& document = Drawing(count);
    SetView(document, TViewKind::Fitted);
    TInfoREG& info = document.GetInfoRegPtr();
    info.LayerOrder = 1;
    info.ColorOrder = 1;
    TImageCanvas canvas(BenchScreenWidth, BenchScreenHeight);
    for (auto _ : state)
        benchmark::DoNotOptimize(DrawDocument(document, canvas));
    state.counters["allocs_per_element"] = AllocationsPerElement(document, canvas, count);
    info.LayerOrder = 0;
    info.ColorOrder = 0;
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_LayerAndColorOrder)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// Removes its file when it goes.
class TTempDrawingFile {
public:
    explicit TTempDrawingFile(int count)
        : path_(std::filesystem::temp_directory_path()
                / ("zuview_render_bench_" + std::to_string(getpid()) + "_" + std::to_string(count) + ".zhd"))
    {
    }
    ~TTempDrawingFile()
    {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
    TTempDrawingFile(const TTempDrawingFile&) = delete;
    TTempDrawingFile& operator=(const TTempDrawingFile&) = delete;

    std::string Path() const { return path_.string(); }

private:
    std::filesystem::path path_;
};

// Opening a drawing: a new document, the file read, the layer states, the
// view fitted by the drawing itself and the first drawing. Dropping the
// document is not timed.
void BM_LoadAndFirstDraw(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    TZhdData& generated = Drawing(count);
    const TTempDrawingFile file(count);
    if (generated.SaveToFile(file.Path()) != TSaveStatus::Saved) {
        state.SkipWithError("the generated drawing was not saved");
        return;
    }
    TImageCanvas canvas(BenchScreenWidth, BenchScreenHeight);
    for (auto _ : state) {
        auto document = std::make_unique<TZhdData>();
        if (document->LoadFromFile(file.Path()).status != TLoadStatus::Loaded) {
            state.SkipWithError("the saved drawing did not load");
            break;
        }
        ResetBenchView(*document);
        benchmark::DoNotOptimize(DrawDocument(*document, canvas));
        state.PauseTiming();
        document.reset();
        state.ResumeTiming();
    }
    state.counters["file_bytes"] = static_cast<double>(std::filesystem::file_size(file.Path()));
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_LoadAndFirstDraw)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMillisecond);

} // namespace
