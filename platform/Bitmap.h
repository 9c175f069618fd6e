#pragma once

// TBitmap: a device-independent bitmap as the raster images keep and draw
// them: 1, 4 or 8 bits per pixel with a palette, or 24 or 32 bits per pixel
// with the colour in the pixel (bytes blue, green, red and, for 32 bits, one
// more that is kept but not drawn).
//
// The pixel bytes are laid out as in a BMP file: rows bottom-up, each row
// padded to a multiple of 4 bytes with zero bytes, pixels of less than a byte
// packed from the most significant bit. ScanLine(0) is nevertheless the top
// row, as image code counts rows; Bits() is the whole block in file order.
//
// A bitmap is a value whose pixel bytes are shared between copies until one
// of them is changed (as QImage does), so drawing commands, caches and
// rasters may copy a bitmap freely. Its size is limited to MaxBytes of pixel
// data: a larger one is refused, never allocated.

#include "platform/CanvasTypes.h"

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <optional>
#include <span>
#include <vector>

class QImage;

enum class TPixelFormat : std::uint8_t { Indexed1, Indexed4, Indexed8, Rgb24, Rgb32 };

int BitsPerPixel(TPixelFormat format);
// The format of a bit count of 1, 4, 8, 24 or 32; none for any other.
std::optional<TPixelFormat> PixelFormatOfBits(int bits);
bool IsIndexed(TPixelFormat format);

class TBitmap {
public:
    // The most pixel bytes (padding included) a bitmap may hold.
    static constexpr std::uint64_t MaxBytes = std::uint64_t { 1 } << 31;

    // Bytes of one row: width × bits rounded up to whole 32-bit words.
    static std::uint64_t StrideOf(std::int64_t width, TPixelFormat format);
    // Width and height at least 1 and at most MaxBytes of pixel data.
    static bool SizeAllowed(std::int64_t width, std::int64_t height, TPixelFormat format);

    // The empty bitmap: no pixels, 24 bits per pixel.
    TBitmap() = default;
    // Every pixel byte zero (black, or palette entry 0). An indexed bitmap
    // gets the default palette of its format (DefaultPalette). A size that
    // SizeAllowed refuses, or that cannot be allocated, gives the empty
    // bitmap.
    TBitmap(int width, int height, TPixelFormat format);

    // 1 bit: black, white. 4 and 8 bits: a grey ramp from black to white.
    static std::vector<TColor> DefaultPalette(TPixelFormat format);

    bool IsEmpty() const { return width_ == 0; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    TPixelFormat Format() const { return format_; }
    int BitsPerPixel() const { return ::BitsPerPixel(format_); }
    std::size_t Stride() const { return stride_; }

    // The bytes of a row, row 0 at the top; null outside the bitmap. The
    // changing form makes this bitmap's bytes its own first.
    const std::uint8_t* ScanLine(int row) const;
    std::uint8_t* ScanLine(int row);
    // All pixel bytes, bottom row first.
    std::span<const std::uint8_t> Bits() const;
    std::span<std::uint8_t> MutableBits();

    // Colours of the palette indices, at most 2^bits entries; empty for 24
    // and 32 bits. An index past the end of the palette is black.
    const std::vector<TColor>& Palette() const { return palette_; }
    // Takes the first 2^bits colours (low 24 bits each); ignored for 24 and
    // 32 bits.
    void SetPalette(std::span<const TColor> colors);

    // The palette index of a pixel of an indexed bitmap; 0 outside the
    // bitmap and for 24 and 32 bits. Setting ignores what does not fit.
    int PixelIndex(int x, int y) const;
    void SetPixelIndex(int x, int y, int index);
    // The colour of a pixel (x right, y down from the top-left corner);
    // NoColor outside the bitmap.
    TColor GetPixel(int x, int y) const;
    // For an indexed bitmap, the nearest palette colour; outside, nothing.
    void SetPixel(int x, int y, TColor color);
    void Fill(TColor color);

    // The same picture in another format: colours are kept exactly when the
    // new format holds them (to 24 or 32 bits always; indexed to indexed
    // when the old palette fits), otherwise each pixel takes the nearest
    // colour of the new format's default palette.
    TBitmap ConvertedTo(TPixelFormat format) const;

    // A QImage::Format_RGB32 copy, for drawing and saving.
    QImage ToImage() const;
    // A 24-bit copy of an image of any format (alpha is dropped); the empty
    // bitmap for a null image.
    static TBitmap FromImage(const QImage& image);

    // Same size, format, palette and pixel bytes.
    bool operator==(const TBitmap& other) const;

private:
    void Detach();

    int width_ = 0;
    int height_ = 0;
    TPixelFormat format_ = TPixelFormat::Rgb24;
    std::size_t stride_ = 0;
    std::vector<TColor> palette_;
    std::shared_ptr<std::vector<std::uint8_t>> bits_;
};

// "3x2 24-bit #1f2e3d4c": size, depth and a hash of palette and pixels, so
// that two different bitmaps print differently in a failing test.
std::ostream& operator<<(std::ostream& out, const TBitmap& bitmap);
