#pragma once

// BMP files: reading every common variant into a TBitmap, and writing one.
//
// Read: the core header (12 bytes) and the info headers of 40, 108 (V4) and
// 124 (V5) bytes; 1, 4, 8, 16, 24 and 32 bits per pixel; uncompressed,
// bit-field masks (16 and 32 bits) and run-length coded (RLE8, RLE4); rows
// bottom-up or, with a negative height, top-down. 16-bit pixels become
// 24-bit ones, any 32-bit layout becomes blue, green, red, alpha (alpha kept,
// not drawn); the other depths stay as they are.
//
// The file is untrusted: every offset, count and size is checked against
// the bytes present before it is used, and a picture larger than
// TBitmap::MaxBytes is refused before anything is allocated.
//
// Write: any TBitmap, uncompressed with a 40-byte header, its palette and
// the densities given.

#include "platform/Bitmap.h"
#include "platform/LoadResult.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

// The file header, and the info headers a BMP file may have (the larger
// ones begin with the 40-byte one).
inline constexpr std::size_t BmpFileHeaderSize = 14;
inline constexpr std::uint32_t BmpCoreHeaderSize = 12;
inline constexpr std::uint32_t BmpInfoHeaderSize = 40;
inline constexpr std::uint32_t BmpV4HeaderSize = 108;
inline constexpr std::uint32_t BmpV5HeaderSize = 124;

enum class TBmpStatus {
    Loaded,
    // No file at the path / a file that cannot be read (ReadBmpFile only).
    Missing,
    Unreadable,
    // No "BM", or too short for the file header and a header size.
    NotBmp,
    // A header size other than 12, 40, 108 or 124, or a header shorter than
    // its size says.
    BadHeader,
    // Width not above 0 or height 0 (the plane count is not looked at).
    BadSize,
    // A bit count or compression this reader does not take (JPEG, PNG,
    // 2-bit, masks that are not contiguous, RLE with rows top-down ...).
    Unsupported,
    // More pixel bytes than TBitmap::MaxBytes.
    TooLarge,
    // The pixel data does not begin after the headers and within the file.
    BadOffset,
    // The pixel data (or the run-length codes) end before the picture does.
    Truncated,
};

// The header fields as the file states them.
struct TBmpInfo {
    std::uint32_t data_offset = 0;
    std::uint32_t header_size = 0;
    std::int32_t width = 0;
    // Negative for rows stored top-down.
    std::int32_t height = 0;
    std::uint16_t bit_count = 0;
    std::uint32_t compression = 0;
    std::uint32_t image_size = 0;
    // Pixels per metre; 0 when the file gives none (the core header never
    // does).
    std::int32_t density_x = 0;
    std::int32_t density_y = 0;
    // Palette entries as the file stores them, no more than lie before the
    // pixel data.
    std::vector<TColor> palette;
};

struct TBmpResult {
    TBmpStatus status = TBmpStatus::NotBmp;
    TBmpInfo info;
    // Empty unless Loaded.
    TBitmap bitmap;
};

// The headers only: Loaded when they are sound (sizes, offset, format); the
// pixel data is not read, so a truncated picture still answers Loaded.
TBmpResult ReadBmpInfo(std::span<const std::uint8_t> bytes);
TBmpResult ReadBmp(std::span<const std::uint8_t> bytes);
TBmpResult ReadBmpFile(const std::filesystem::path& path);

struct TBmpDensity {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

// Empty for the empty bitmap.
std::vector<std::uint8_t> WriteBmp(const TBitmap& bitmap, TBmpDensity density = {});
// CannotCreate also for the empty bitmap.
TSaveStatus WriteBmpFile(const std::filesystem::path& path, const TBitmap& bitmap, TBmpDensity density = {});
