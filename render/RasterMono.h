#pragma once

// TRasterMono: a one-bit image kept as the runs of set pixels of each scan
// line (render/MonoRuns.h), never as a bitmap. It loads from its cache file
// when one is there and not older than the image (render/MonoCache.h),
// otherwise from a one-bit BMP file or through the image plug-ins, and
// writes the cache when the settings ask for it. Each visible run is drawn
// as one line segment as thick as an image row, in the image's colour, which
// comes from a colour file beside the image.

#include "render/MonoRuns.h"
#include "platform/LoadResult.h"
#include "render/RasterBase.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

struct TDrawSettings;

class TRasterMono final : public TRasterBase {
public:
    // Drawn in black.
    TRasterMono();

    std::string GetKindName() const override { return "Mono"; }
    int GetKindCode() const override { return 1; }
    // 1 when the image has runs: from a sound, fresh cache, or decoded from
    // the image file; 0 otherwise, and then no cache is written.
    int Load(const std::filesystem::path& file, TZhdData& document) override;
    int SaveCache(const std::filesystem::path& file, TZhdData& document, double load_seconds) override;
    // The number of runs drawn.
    int Draw(TCanvas& canvas, TZhdData& document, TBPoint lower_left, TBPoint upper_right, double scale_x,
             double scale_y) override;
    // 0, or 1 when the image is drawn in black.
    TRGB GetUnusedColor() override;

    int GetRunTotal() const { return static_cast<int>(runs_.total); }
    int SetRunTotal(int total);
    std::vector<std::vector<std::uint32_t>> GetRunStarts() const { return runs_.starts; }
    TRasterMono* SetRunStarts(std::vector<std::vector<std::uint32_t>> starts);
    std::vector<std::vector<std::uint32_t>> GetRunEnds() const { return runs_.ends; }
    TRasterMono* SetRunEnds(std::vector<std::vector<std::uint32_t>> ends);
    TRasterMono* AsRasterMono() { return this; }
    TMonoRunData GetRunData() const { return runs_; }
    const TMonoRunData& GetRunDataRef() const { return runs_; }
    TRasterMono* SetRunData(TMonoRunData runs);

    int GetLineCount() const { return static_cast<int>(runs_.starts.size()); }
    // A line outside the image counts as line 0; 0 for an image without
    // lines.
    int GetRunCount(int line) const;
    // The run accessors answer 0 (and the setters store nothing) for a run
    // or line outside the image.
    int GetRunStart(int run, int line) const;
    int SetRunStart(int run, int line, int value);
    int GetRunStartScaled(int run, int line, double factor) const;
    int GetRunEnd(int run, int line) const;
    int SetRunEnd(int run, int line, int value);
    int GetRunEndScaled(int run, int line, double factor) const;
    int GetRunLength(int run, int line) const;
    int GetRunLengthScaled(int run, int line, double factor) const;

private:
    using TClock = std::chrono::steady_clock;

    bool LoadCacheFile(const std::filesystem::path& cache, TClock::time_point t0);
    bool LoadBitmapMono(const std::filesystem::path& file, TClock::time_point t0, double& load_seconds);
    bool LoadSpiMono(const std::filesystem::path& file, TClock::time_point t0, double& load_seconds);
    void ApplyColourFile(const std::filesystem::path& file);
    std::uint32_t* RunValue(std::vector<std::vector<std::uint32_t>>& values, int run, int line);
    const std::uint32_t* RunValue(const std::vector<std::vector<std::uint32_t>>& values, int run, int line) const;

    TMonoRunData runs_;
};

// The colour written in a colour file's text: its first line read as a
// decimal number (the leading part; no number gives 0), truncated toward
// zero. None for a text without lines.
std::optional<int> ParseColourFile(std::string_view text);

// The image's own colour file: its full name with ".col" appended (not
// replacing its extension).
std::filesystem::path ColourFileBeside(const std::filesystem::path& image);
// Writes it: one line holding the packed colour in decimal, replacing any
// file of that name.
TSaveStatus WriteColourFile(const std::filesystem::path& image, int colour);

// The colour file of an image: its full name with ".col" appended, or, when
// that does not exist, its name with the extension replaced by ".col".
// None when neither exists.
std::optional<std::filesystem::path> FindColourFile(const std::filesystem::path& image);

// The step between drawn rows, and the scale figure b the drawing logs:
// - in an output job 1, or 2 with MonoThin when the image is stretched
//   less than 1.5 times (by itself or with the view), then raised until
//   at most 3,000,000 runs are drawn, unless the job writes a file;
// - on screen trunc(1 / b^1.7 + 0.5), at least 1, with
//   b = view scale x sqrt(image scale): fewer rows as the image shrinks.
struct TMonoPitch {
    int pitch = 1;
    double b = 0;
};
TMonoPitch MonoRowPitch(const TDrawSettings& settings, double view_scale, double image_scale_y,
                        std::uint32_t run_total);
