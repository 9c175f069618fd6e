#pragma once

// The cache file of a one-bit image: its runs written beside the image so
// that the next load reads them instead of decoding the picture again, and
// the settings that decide whether a decode is worth caching.
//
//   struct MonoCache {                 little-endian
//       char magic[16];                "ZuvRasterMono000", no terminator
//       ImageInfo info;                70 bytes (TRasterInfo::WriteRecord)
//       u32 line_count;                the image's pixel height
//       struct Line {
//           u32 run_count;
//           ArchiveCount start, end;   run_count pairs (core/Archive.h)
//       } lines[line_count];
//   };
//
// The file is untrusted: a cache that is short, has counts larger than the
// bytes that follow, a line count other than the image's height, runs out of
// order or beyond the width, bytes after its last line, or no runs at all is
// damaged and read as if it were absent.

#include "render/MonoRuns.h"
#include "render/RasterInfo.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>
#include <vector>

struct TDrawSettings;

inline constexpr std::string_view MonoCacheMagic = "ZuvRasterMono000";
// Magic, information record and line count.
inline constexpr std::size_t MonoCacheHeaderSize = 90;

// The image file's full name with ".zuvcache" appended.
std::filesystem::path MonoCachePathOf(const std::filesystem::path& image);

// The whole file; `longest_line` receives the largest run count of a line.
std::vector<std::uint8_t> EncodeMonoCache(const TRasterInfo& info, const TMonoRunData& runs,
                                          std::uint32_t& longest_line);

enum class TMonoCacheStatus {
    Loaded,
    BadMagic,
    // The record, a count or a run ends before the file does.
    Truncated,
    // The line count is not the image's pixel height.
    BadLineCount,
    // A run that is empty, out of order or past the image's width.
    BadRun,
    TrailingBytes,
    NoRuns,
};

// The whole file. Fills info and runs only when Loaded.
TMonoCacheStatus DecodeMonoCache(std::vector<std::uint8_t> bytes, TRasterInfo& info, TMonoRunData& runs);

// What a cache decision looks at.
struct TMonoCacheFigures {
    double load_seconds = 0;
    std::uint64_t cache_bytes = 0;
    // The image file's size; 0 when unknown, which fails the rate condition.
    std::uint64_t image_bytes = 0;
};

// Whether the conditions of the settings (load time, cache size, cache to
// image rate, joined by Combine1 and Combine2) allow writing the cache. Logs
// the figures, the conditions and the joining.
bool MonoCacheWanted(const TDrawSettings& settings, const TMonoCacheFigures& figures);
