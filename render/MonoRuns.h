#pragma once

// The runs of set pixels of a one-bit image, line by line, and their
// decoding from scan lines: those of a one-bit BMP file's pixel data and
// those of a one-bit bitmap.
//
// A scan line is walked byte by byte from its left end. A byte whose eight
// bits all equal the pixel value of the current state (ink or not) changes
// nothing and is passed over whole; any other byte is taken bit by bit from
// the most significant, and every change of state opens or closes a run. A
// run still open at the end of the line ends at the image's width, and the
// bits after the last pixel of a line are never read. The cost is one step
// per byte of uniform picture and one per pixel near an edge, so a plan
// scanned at 400 dpi decodes at memory speed.

#include "platform/Bitmap.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

struct TBmpInfo;

// A run covers the columns start ... end - 1 of its line; line 0 is the top.
// Both outer vectors have one entry per line, and the two inner vectors of
// a line have equal length.
struct TMonoRunData {
    std::uint32_t total = 0;
    std::vector<std::vector<std::uint32_t>> starts;
    std::vector<std::vector<std::uint32_t>> ends;

    bool operator==(const TMonoRunData&) const = default;
};

// Collects the runs of an image's lines and counts the set pixels.
class TMonoRunDecoder {
public:
    // ink_bit: the pixel value (0 or 1) that is drawn.
    TMonoRunDecoder(std::uint32_t width, std::uint32_t height, int ink_bit);

    // Line y (below the height) from its bytes; a line shorter than the
    // width needs is taken as far as it goes.
    void DecodeLine(std::uint32_t y, std::span<const std::uint8_t> bytes);

    std::uint64_t SetPixels() const { return set_pixels_; }
    TMonoRunData& Runs() { return runs_; }
    const TMonoRunData& Runs() const { return runs_; }

private:
    std::uint32_t width_;
    int ink_bit_;
    std::uint64_t set_pixels_ = 0;
    TMonoRunData runs_;
};

// The ink bit of a BMP file: 0 when colour-table entry 0 is black (and for
// a file without a colour table, which shows as the default black and
// white), else 1.
int BmpInkBit(const TBmpInfo& header);

// The ink bit of a one-bit bitmap from its top-left pixel: 0 when that
// pixel's bit is set and it shows white, or clear and it shows black; else 1.
int BitmapInkBit(const TBitmap& bitmap);

// Decodes the pixel data of a one-bit, uncompressed BMP file whose header
// is already read. None when the header is not of such a file or when the
// rows it describes do not lie within the bytes: the row length is the
// image size (or, when 0, the bytes after the data offset) divided by the
// height, and must hold a whole row. Nothing is allocated before that.
std::optional<TMonoRunDecoder> DecodeBmpRuns(std::span<const std::uint8_t> file, const TBmpInfo& header);

// Decodes every scan line of a one-bit bitmap.
TMonoRunDecoder DecodeBitmapRuns(const TBitmap& bitmap, int ink_bit);
