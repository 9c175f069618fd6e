#pragma once

// What the host makes of a plug-in's answers: the picture information record
// and the two blocks of GetPicture, each checked against the layout of
// platform/ImagePluginAbi.h before a byte of it is used. A plug-in is
// untrusted input: its record may be left zeroed, its header may describe
// more rows than its pixel block holds, and its colour table may run past
// its block.

#include "platform/ImagePluginAbi.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// How one plug-in search ended.
enum class TImagePluginStatus {
    Decoded,
    // No file at the path; no plug-in was asked.
    Missing,
    // The file exists but could not be opened for reading.
    Unreadable,
    // Every plug-in refused the file (or there are none).
    NotSupported,
    // The plug-in that took the file returned a failure code.
    PluginFailed,
    // Its picture information record is not sound: a size of 0 or less, or a
    // colour depth that no bitmap has.
    BadRecord,
    // Its information block is missing, shorter than the header and colour
    // table it describes, or describes a bitmap the host does not read.
    BadHeader,
    // Its pixel block is missing or shorter than stride × height.
    PixelsShort,
    // The picture's rows would pass the host's memory budget.
    TooLarge,
};

// The picture information the callers use (the record's fields).
struct TPluginPictureInfo {
    int width = 0;
    int height = 0;
    // Dots per inch; 0 when the plug-in does not know (the callers take 72).
    unsigned x_dpi = 0;
    unsigned y_dpi = 0;
    int colour_depth = 0;

    bool operator==(const TPluginPictureInfo&) const = default;
};

// A decoded picture as plain data: the device-independent bitmap of the
// plug-in, copied out of its blocks, with the rows always bottom-up.
struct TDecodedPicture {
    int width = 0;
    int height = 0;
    // 1, 4, 8, 16 (5-5-5), 24 (blue, green, red) or 32 (blue, green, red,
    // unused).
    int bits_per_pixel = 0;
    // One entry per possible pixel value for 1, 4 and 8 bits per pixel
    // (entries the plug-in did not give are black), none otherwise.
    std::vector<TSpiPaletteEntry> palette;
    // Bytes per row, a multiple of 4.
    std::size_t stride = 0;
    // height × stride bytes, the bottom row first.
    std::vector<std::uint8_t> rows;
    // Pixels per metre from the header, 0 when not given.
    int x_pixels_per_metre = 0;
    int y_pixels_per_metre = 0;

    // The row at y (0 ≤ y < height), counted from the top as the callers
    // draw.
    std::span<const std::uint8_t> RowFromTop(int y) const;
};

// The largest pixel block the host copies: a picture of more is refused
// rather than allowed to exhaust memory.
inline constexpr std::uint64_t kMaxPluginPixelBytes = std::uint64_t { 1 } << 30;

// Bytes per row of a device-independent bitmap, or 0 when the width or the
// bit count is not positive.
std::uint64_t DibStride(std::int64_t width, int bits_per_pixel);

// Checks a filled record: Decoded, BadRecord.
TImagePluginStatus CheckPictureInfo(const TSpiPictureInfo& record, TPluginPictureInfo& info);

// Checks GetPicture's two blocks and copies the picture out of them:
// Decoded, BadHeader, PixelsShort or TooLarge (the picture is then empty).
TImagePluginStatus ReadPictureBlocks(
    std::span<const std::uint8_t> info_block, std::span<const std::uint8_t> pixel_block, TDecodedPicture& picture);
