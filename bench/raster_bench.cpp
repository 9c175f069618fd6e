// One-bit images as scanned plans come: 10,000 x 14,000 pixels (A1 at
// 400 dpi) of ruled lines and blocks of text. Drawn from runs at full view on
// the bench screen, and loaded from the cache file against decoding the BMP.
#include "bench/support/BenchScreen.h"
#include "platform/BmpFile.h"
#include "platform/ImageCanvas.h"
#include "render/MonoCache.h"
#include "render/RasterMono.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <map>
#include <unistd.h>

namespace {

constexpr int PlanDensity = 15748; // 400 dpi

void Ink(TBitmap& bitmap, int x0, int y0, int x1, int y1)
{
    for (int y = std::max(y0, 0); y < std::min(y1, bitmap.Height()); ++y)
        for (int x = std::max(x0, 0); x < std::min(x1, bitmap.Width()); ++x)
            bitmap.SetPixelIndex(x, y, 0);
}

// White paper with a frame, a grid of 4-pixel rules and, in each cell,
// lines of "characters": short strokes in rows.
TBitmap ScannedPlan(int width, int height)
{
    TBitmap plan(width, height, TPixelFormat::Indexed1);
    std::fill(plan.MutableBits().begin(), plan.MutableBits().end(), std::uint8_t { 0xFF });
    const int cell = std::max(width / 12, 16);
    for (int x = 0; x < width; x += cell)
        Ink(plan, x, 0, x + 4, height);
    for (int y = 0; y < height; y += cell)
        Ink(plan, 0, y, width, y + 4);
    for (int top = 0; top < height; top += cell)
        for (int left = 0; left < width; left += cell)
            for (int row = top + 20; row + 24 < top + cell / 2; row += 40)
                for (int x = left + 20; x + 16 < left + cell - 20; x += 22)
                    if ((x / 22 + row / 40) % 7 != 0) {
                        Ink(plan, x, row, x + 3, row + 24);
                        Ink(plan, x, row + 10, x + 16, row + 13);
                        Ink(plan, x + 13, row, x + 16, row + 24);
                    }
    return plan;
}

// The plan as a BMP file and as a cache file in a folder of its own, made
// once per size.
struct PlanFiles {
    std::filesystem::path bmp;
    std::filesystem::path cache_image;
};

const PlanFiles& FilesFor(int width)
{
    static const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("zuview_raster_bench_" + std::to_string(getpid()));
    static std::map<int, PlanFiles> made;
    static const struct Cleaner {
        ~Cleaner() { std::filesystem::remove_all(folder); }
    } cleaner;
    (void)cleaner;
    auto found = made.find(width);
    if (found != made.end())
        return found->second;
    std::filesystem::create_directories(folder);
    PlanFiles files { folder / ("plan" + std::to_string(width) + ".bmp"),
                      folder / ("cached" + std::to_string(width) + ".bmp") };
    const TBitmap plan = ScannedPlan(width, width * 14 / 10);
    (void)WriteBmpFile(files.bmp, plan, { PlanDensity, PlanDensity });
    (void)WriteBmpFile(files.cache_image, plan, { PlanDensity, PlanDensity });
    TZhdData document;
    document.GetInfoRegPtr().UseCache = 1;
    TRasterMono writer;
    writer.Load(files.cache_image, document);
    return made.emplace(width, files).first->second;
}

void BM_DecodeBmp(benchmark::State& state)
{
    const PlanFiles& files = FilesFor(static_cast<int>(state.range(0)));
    TZhdData document;
    for (auto _ : state) {
        TRasterMono raster;
        benchmark::DoNotOptimize(raster.Load(files.bmp, document));
        state.counters["runs"] = raster.GetRunTotal();
    }
}

void BM_LoadCache(benchmark::State& state)
{
    const PlanFiles& files = FilesFor(static_cast<int>(state.range(0)));
    TZhdData document;
    state.counters["cache_MiB"] =
        static_cast<double>(std::filesystem::file_size(MonoCachePathOf(files.cache_image))) / (1 << 20);
    for (auto _ : state) {
        TRasterMono raster;
        benchmark::DoNotOptimize(raster.Load(files.cache_image, document));
    }
}

// The whole plan on a 1920 x 1080 screen at one drawing millimetre per pixel.
void BM_DrawFullView(benchmark::State& state)
{
    const PlanFiles& files = FilesFor(static_cast<int>(state.range(1)));
    TZhdData document;
    ResetBenchView(document);
    TInfoREG& info = document.GetInfoRegPtr();
    TZhdZoom view(info.GetMMPerPixelX());
    view.SetXY(BenchScreenWidth / 2, BenchScreenHeight / 2);
    info.SetView(view);
    TRasterMono raster;
    raster.Load(files.cache_image, document);
    TRasterInfo& placed = *raster.GetInfoPtr();
    placed.SetWidth(placed.GetNaturalWidthMM());
    placed.SetHeight(placed.GetNaturalHeightMM());
    // On screen the rows thin out with the view; at full size every one.
    const double scale = state.range(0) != 0 ? info.GetView().GetScale() : 10.0;
    TImageCanvas canvas(BenchScreenWidth, BenchScreenHeight);
    int drawn = 0;
    for (auto _ : state) {
        drawn = raster.Draw(canvas, document, info.GetViewCorner(0), info.GetViewCorner(2), scale, scale);
        benchmark::DoNotOptimize(raster.GetUnusedColor());
    }
    state.counters["runs_drawn"] = drawn;
}

} // namespace

BENCHMARK(BM_DecodeBmp)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadCache)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
// Arguments: fitted view (1) or every row (0), plan width.
BENCHMARK(BM_DrawFullView)->Args({ 1, 1000 })->Args({ 1, 10000 })->Args({ 0, 10000 })->Unit(benchmark::kMillisecond);
