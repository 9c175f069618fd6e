// What a redraw costs, on generated drawings of 10^4 to 10^6 elements in the
// mix of a real drawing (bench/support/RenderDrawing.h: solid and dashed
// lines, circles, arcs and ellipses, short texts too small to read and
// block references) drawn to a 1920 x 1080 image canvas:
//
// - the whole sheet in a fitted view, with the ratio of its time to a bare
//   QPainter loop drawing the same figures ("ratio"), and the heap
//   allocations of one drawing per element of the drawing
//   ("allocs_per_element");
// - the sheet's centre ten times closer, where one element in fifty or a
//   hundred is drawn ("visible_share"), each ten times larger, the texts now
//   readable, and the walk still visits them all; with its own bare-loop
//   ratio;
// - the whole sheet in layer and colour order (a stable sort of the drawn
//   elements);
// - opening a drawing file and drawing it the first time.
//
// The bare loop is the same picture with nothing but the painter's calls,
// built element by element from one drawing ahead of it: circles, arcs and
// ellipses as the painter's ellipses and arcs (a turned ellipse through the
// painter's transform), the contents of block references as placed, and
// every other element as the commands its drawing gives (TRecordingCanvas):
// lines with their dashes, the frame of a text too small to read, the
// pieces of a readable one. The loop draws them with a QPainter on a QImage
// of the same size and format, antialiasing off, setting a pen only where
// the colour changes and drawing the lines of one colour in a row with one
// call; the glyphs of text go straight onto the image's
// pixels, as the painter's own text needs the GUI application. The culling,
// transforms, line types and block placement are all done ahead of it.
//
// Each drawing is followed by one bare loop, so that the two see the same
// load of the machine; the ratio is taken pair by pair.
//
// Allocations are counted by replacing the global operator new of this
// program: what the drawing code allocates through it is counted, the
// painter's own buffers (malloc) are not.

#include "bench/support/BenchScreen.h"
#include "bench/support/RenderDrawing.h"
#include "document/ZhdData.h"
#include "elements/BlockPlacement.h"
#include "elements/KBlock.h"
#include "elements/KCircle.h"
#include "platform/CanvasCommands.h"
#include "platform/CanvasRaster.h"
#include "platform/FontEngine.h"
#include "platform/ImageCanvas.h"
#include "platform/RecordingCanvas.h"
#include "platform/ScreenMetrics.h"
#include "platform/TextRaster.h"
#include "platform/Tick.h"
#include "render/InfoReg.h"

#include <QImage>
#include <QLine>
#include <QPainter>
#include <QPen>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <new>
#include <numbers>
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
        drawing = GenerateRenderMixDrawing(count);
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
    enum class Kind : std::uint8_t { Line, Polyline, Ellipse, Arc, Pixel, FillRect, Text };
    struct Operation {
        Kind kind;
        // Ellipses: filled with the colour too.
        bool filled;
        QRgb color;
        std::uint32_t index;
        // Lines of one colour in a row are drawn by one call.
        std::uint32_t count = 1;
    };
    struct Run {
        std::uint32_t first;
        std::uint32_t size;
    };
    // An arc or ellipse in the painter's terms: its box (about the origin
    // when it is turned), its start and span in sixteenths of a degree
    // (whole: an ellipse), and for a turned one its centre and turn.
    struct Arc {
        QRect box;
        int start;
        int span;
        bool whole;
        bool turned;
        QPointF centre;
        double turn_degrees;
    };
    struct Text {
        QPoint point;
        std::uint32_t font;
        std::string characters;
    };
    struct Font {
        TFont font;
        std::shared_ptr<const font_engine::TScaledFont> scaled;
    };

    std::vector<Operation> operations;
    std::vector<QLine> lines;
    std::vector<QPoint> polyline_points;
    std::vector<Run> polylines;
    std::vector<QRect> rects;
    std::vector<Arc> arcs;
    std::vector<QPoint> pixels;
    std::vector<Text> texts;
    std::vector<Font> fonts;
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

int Sixteenths(const TAngle& angle)
{
    return static_cast<int>(std::lround(angle.GetDegrees() * 16));
}

// Builds the scene of one drawing element by element: arcs and ellipses as
// the painter's own figures, the placed contents of block references one
// by one, every other element as the canvas commands its drawing gives
// (lines with their dashes, the frames of small texts, text pieces).
class TSceneBuilder {
public:
    explicit TSceneBuilder(TZhdData& document)
        : document_(document)
        , info_(document.GetInfoRegPtr())
        , recording_(BenchScreenWidth, BenchScreenHeight)
    {
    }

    TBaselineScene Build()
    {
        // The background, the paper outline and the cross-hair: what an
        // empty drawing draws.
        TZhdElemList().Draw(recording_, document_);
        AddRecorded();
        lower_left_ = info_.GetViewCorner(0);
        upper_right_ = info_.GetViewCorner(2);
        const TZhdElemList& list = document_.GetElemListPtr();
        for (auto it = list.Begin(); it != list.End(); ++it)
            AddElement(**it);
        return std::move(scene_);
    }

private:
    using Kind = TBaselineScene::Kind;

    void AddElement(TZhdElem& elem)
    {
        if (elem.GetTypeCode() == TZhdElem::BlockCode) {
            AddBlock(static_cast<TKBlock&>(elem));
            return;
        }
        if (elem.GetTypeCode() == TZhdElem::CircleCode) {
            AddArc(static_cast<const TKCircle&>(elem));
            return;
        }
        if (!elem.ExtentOverlapsRect(lower_left_, upper_right_, document_, 0))
            return;
        document_.SetDrawColor(ColorOf(elem));
        document_.SetDrawColorMode(0);
        recording_.SetPenWidth(1);
        elem.Draw(recording_, document_);
        AddRecorded();
    }

    // The contents as the reference's drawing places them.
    void AddBlock(const TKBlock& block)
    {
        info_.BlockDraw = 1;
        const TBlockWalk walk(block, document_, TPlacementUse::Drawing);
        if (walk.Contents() != nullptr) {
            TZhdElemList& contents = walk.Contents()->Elements();
            for (auto it = contents.Begin(); it != contents.End(); ++it)
                AddElement(**it);
        }
        info_.BlockDraw = 0;
    }

    void AddArc(const TKCircle& arc)
    {
        const double reach = std::fabs(arc.GetRadius()) * std::max(1.0, std::fabs(arc.GetFlatness()));
        const TBPoint c = arc.GetCenter();
        if (c.GetX() - reach > upper_right_.GetX() || lower_left_.GetX() > c.GetX() + reach
            || c.GetY() - reach > upper_right_.GetY() || lower_left_.GetY() > c.GetY() + reach)
            return;
        const TBPoint centre = info_.WorldToScreen(c);
        const double scale = info_.GetView().GetScale();
        const double rx = arc.GetRadius() * scale / info_.GetMMPerPixelX();
        const double ry = arc.GetRadius() * arc.GetFlatness() * scale / info_.GetMMPerPixelY();
        TBaselineScene::Arc figure {};
        const double sweep = std::fabs(arc.GetArcAngle().GetRadians());
        figure.whole = sweep == 0 || sweep >= 2 * std::numbers::pi - 1e-12;
        figure.turned = arc.GetFlatness() != 1.0 && arc.GetTiltAngle().GetRadians() != 0;
        figure.span = Sixteenths(arc.GetArcAngle());
        if (figure.turned) {
            figure.centre = QPointF(centre.GetX(), centre.GetY());
            figure.turn_degrees = -arc.GetTiltAngle().GetDegrees();
            figure.box = QRect(static_cast<int>(std::lround(-rx)), static_cast<int>(std::lround(-ry)),
                               static_cast<int>(std::lround(2 * rx)), static_cast<int>(std::lround(2 * ry)));
            figure.start = Sixteenths(arc.GetStartAngle());
        } else {
            figure.box = QRect(static_cast<int>(std::lround(centre.GetX() - rx)),
                               static_cast<int>(std::lround(centre.GetY() - ry)),
                               static_cast<int>(std::lround(2 * rx)), static_cast<int>(std::lround(2 * ry)));
            figure.start = Sixteenths(arc.GetStartAngle()) + Sixteenths(arc.GetTiltAngle());
        }
        Add(Kind::Arc, false, ColorOf(arc), scene_.arcs.size());
        scene_.arcs.push_back(figure);
    }

    TColor ColorOf(const TZhdElem& elem)
    {
        return document_.GetPenMapPtr()[std::to_string(elem.GetPenColor())].GetColorValue();
    }

    void Add(Kind kind, bool filled, TColor color, std::size_t index)
    {
        scene_.operations.push_back({ kind, filled, PixelOf(color), static_cast<std::uint32_t>(index), 1 });
    }

    void AddLine(const QLine& line)
    {
        TBaselineScene::Operation* last = scene_.operations.empty() ? nullptr : &scene_.operations.back();
        if (last != nullptr && last->kind == Kind::Line && last->color == PixelOf(pen_.color))
            ++last->count;
        else
            Add(Kind::Line, false, pen_.color, scene_.lines.size());
        scene_.lines.push_back(line);
    }

    // The commands recorded since the last call, as figures.
    void AddRecorded()
    {
        namespace command = canvas_command;
        for (const TCanvasCommand& any : recording_.Commands()) {
            if (const auto* set_pen = std::get_if<command::SetPen>(&any)) {
                pen_ = set_pen->pen;
            } else if (const auto* set_brush = std::get_if<command::SetBrush>(&any)) {
                brush_ = set_brush->brush;
            } else if (const auto* move = std::get_if<command::MoveTo>(&any)) {
                position_ = move->point;
            } else if (const auto* line = std::get_if<command::LineTo>(&any)) {
                if (pen_.style != TPenStyle::Clear)
                    AddLine(QLine(position_.x, position_.y, line->point.x, line->point.y));
                position_ = line->point;
            } else if (const auto* polyline = std::get_if<command::Polyline>(&any)) {
                if (pen_.style == TPenStyle::Clear || polyline->points.size() < 2)
                    continue;
                Add(Kind::Polyline, false, pen_.color, scene_.polylines.size());
                scene_.polylines.push_back({ static_cast<std::uint32_t>(scene_.polyline_points.size()),
                                             static_cast<std::uint32_t>(polyline->points.size()) });
                for (const TPointI& point : polyline->points)
                    scene_.polyline_points.emplace_back(point.x, point.y);
            } else if (const auto* ellipse = std::get_if<command::Ellipse>(&any)) {
                Add(Kind::Ellipse, brush_.style != TBrushStyle::Clear, pen_.color, scene_.rects.size());
                scene_.rects.push_back(RectOf(ellipse->box));
            } else if (const auto* fill = std::get_if<command::FillRect>(&any)) {
                Add(Kind::FillRect, true, brush_.color, scene_.rects.size());
                scene_.rects.push_back(RectOf(fill->rect));
            } else if (const auto* pixel = std::get_if<command::SetPixel>(&any)) {
                Add(Kind::Pixel, false, pixel->color, scene_.pixels.size());
                scene_.pixels.emplace_back(pixel->point.x, pixel->point.y);
            } else if (const auto* font = std::get_if<command::SetFont>(&any)) {
                font_ = font->font;
            } else if (const auto* text = std::get_if<command::TextOut>(&any)) {
                Add(Kind::Text, false, font_.color, scene_.texts.size());
                scene_.texts.push_back({ QPoint(text->point.x, text->point.y), FontIndex(), text->text });
            }
            // No polygons or images: lines, arcs, small texts and symbols
            // draw none.
        }
        recording_.Clear();
    }

    std::uint32_t FontIndex()
    {
        if (scene_.fonts.empty() || !font_engine::SameScaledFont(scene_.fonts.back().font, font_))
            scene_.fonts.push_back({ font_, font_engine::ScaledFont(font_) });
        return static_cast<std::uint32_t>(scene_.fonts.size() - 1);
    }

    TZhdData& document_;
    TInfoREG& info_;
    TRecordingCanvas recording_;
    TBaselineScene scene_;
    TBPoint lower_left_;
    TBPoint upper_right_;
    TPen pen_;
    TBrush brush_;
    TFont font_;
    TPointI position_;
};

TBaselineScene RecordScene(int count, TViewKind view)
{
    TZhdData& document = Drawing(count);
    SetView(document, view);
    // The drawing fits the view first.
    TNullCanvas fitting(BenchScreenWidth, BenchScreenHeight);
    DrawDocument(document, fitting);
    return TSceneBuilder(document).Build();
}

// The bare loop: no work per figure but the painter's.
class TScenePainter {
public:
    TScenePainter(QPainter& painter, QImage& image) : painter_(painter), image_(image) {}

    void Paint(const TBaselineScene& scene)
    {
        painter_.setBrush(Qt::NoBrush);
        has_pen_ = false;
        brush_filled_ = false;
        for (const TBaselineScene::Operation& operation : scene.operations) {
            if (operation.kind == Kind::FillRect) {
                painter_.fillRect(scene.rects[operation.index], QColor::fromRgb(operation.color));
                continue;
            }
            if (operation.kind == Kind::Text) {
                PaintText(scene, scene.texts[operation.index], operation.color);
                continue;
            }
            UsePen(operation.color);
            switch (operation.kind) {
            case Kind::Line:
                painter_.drawLines(scene.lines.data() + operation.index, static_cast<int>(operation.count));
                break;
            case Kind::Polyline: {
                const TBaselineScene::Run run = scene.polylines[operation.index];
                painter_.drawPolyline(scene.polyline_points.data() + run.first, static_cast<int>(run.size));
                break;
            }
            case Kind::Ellipse:
                UseBrush(operation.filled, operation.color);
                painter_.drawEllipse(scene.rects[operation.index]);
                break;
            case Kind::Arc:
                UseBrush(false, 0);
                PaintArc(scene.arcs[operation.index]);
                break;
            case Kind::Pixel:
                painter_.drawPoint(scene.pixels[operation.index]);
                break;
            case Kind::FillRect:
            case Kind::Text:
                break;
            }
        }
    }

private:
    using Kind = TBaselineScene::Kind;

    void UsePen(QRgb color)
    {
        if (!has_pen_ || color != pen_color_) {
            painter_.setPen(QPen(QColor::fromRgb(color)));
            pen_color_ = color;
            has_pen_ = true;
        }
    }

    void UseBrush(bool filled, QRgb color)
    {
        if (filled == brush_filled_ && (!filled || color == brush_color_))
            return;
        if (filled)
            painter_.setBrush(QColor::fromRgb(color));
        else
            painter_.setBrush(Qt::NoBrush);
        brush_filled_ = filled;
        brush_color_ = color;
    }

    void PaintArc(const TBaselineScene::Arc& arc)
    {
        if (arc.turned) {
            painter_.translate(arc.centre);
            painter_.rotate(arc.turn_degrees);
        }
        if (arc.whole)
            painter_.drawEllipse(arc.box);
        else
            painter_.drawArc(arc.box, arc.start, arc.span);
        if (arc.turned)
            painter_.resetTransform();
    }

    // Text has no painter of its own here (the painter's text needs the
    // GUI application): the glyphs go straight onto the image's pixels.
    void PaintText(const TBaselineScene& scene, const TBaselineScene::Text& text, QRgb color)
    {
        const TBaselineScene::Font& font = scene.fonts[text.font];
        if (!font.scaled)
            return;
        TFont coloured = font.font;
        coloured.color = canvas_raster::ColorFromPixel(color);
        const canvas_raster::TPixels pixels { reinterpret_cast<std::uint32_t*>(image_.bits()),
                                              image_.bytesPerLine() / 4, image_.width(), image_.height() };
        text_raster::DrawText(pixels, *font.scaled, coloured, TPointI { text.point.x(), text.point.y() },
                              text.characters);
    }

    QPainter& painter_;
    QImage& image_;
    QRgb pen_color_ = 0;
    bool has_pen_ = false;
    bool brush_filled_ = false;
    QRgb brush_color_ = 0;
};

class TBaselinePainter {
public:
    TBaselinePainter() : image_(BenchScreenWidth, BenchScreenHeight, QImage::Format_RGB32)
    {
        image_.fill(0xFF000000u);
        painter_.begin(&image_);
        painter_.setRenderHint(QPainter::Antialiasing, false);
    }

    void Paint(const TBaselineScene& scene) { TScenePainter(painter_, image_).Paint(scene); }

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

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
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
        double count_of_kind = 0;
        for (const TBaselineScene::Operation& operation : scene.operations)
            count_of_kind += operation.kind == kind ? operation.count : 0;
        return count_of_kind;
    };
    state.counters["lines"] = figures(TBaselineScene::Kind::Line);
    state.counters["polylines"] = figures(TBaselineScene::Kind::Polyline);
    state.counters["ellipses"] = figures(TBaselineScene::Kind::Ellipse);
    state.counters["arcs"] = figures(TBaselineScene::Kind::Arc);
    state.counters["texts"] = figures(TBaselineScene::Kind::Text);
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_BaselinePainter)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// Drawings in list order, each followed by the bare loop on the same view
// (untimed by the benchmark), so that both see the same load of the
// machine: "ratio" is the median of the drawings' times over the loop's
// that follows each, "ratio_min" the smallest of them.
void DrawInView(benchmark::State& state, TViewKind view)
{
    const int count = static_cast<int>(state.range(0));
    TZhdData& document = Drawing(count);
    const TBaselineScene& scene = Scene(count, view);
    SetView(document, view);
    TImageCanvas canvas(BenchScreenWidth, BenchScreenHeight);
    TBaselinePainter painter;
    DrawDocument(document, canvas); // places the blocks' copies, warms the pages
    painter.Paint(scene);
    std::vector<double> drawings, baselines, ratios;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        benchmark::DoNotOptimize(DrawDocument(document, canvas));
        drawings.push_back(SecondsSince(start));
        state.PauseTiming();
        const Clock::time_point baseline_start = Clock::now();
        painter.Paint(scene);
        baselines.push_back(SecondsSince(baseline_start));
        ratios.push_back(drawings.back() / baselines.back());
        state.ResumeTiming();
    }
    state.counters["ratio"] = Median(ratios);
    state.counters["ratio_min"] = ratios.empty() ? 0 : *std::min_element(ratios.begin(), ratios.end());
    state.counters["draw_ms"] = Median(drawings) * 1e3;
    state.counters["baseline_ms"] = Median(baselines) * 1e3;
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
