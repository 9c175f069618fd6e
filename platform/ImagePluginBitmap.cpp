#include "platform/ImagePluginBitmap.h"

#include <algorithm>
#include <cstring>

namespace {

std::vector<TColor> PaletteColours(const std::vector<TSpiPaletteEntry>& palette)
{
    std::vector<TColor> colours;
    colours.reserve(palette.size());
    for (const TSpiPaletteEntry& entry : palette)
        colours.push_back(PackColor(entry.red, entry.green, entry.blue));
    return colours;
}

// Five bits of a channel widened to eight, so that 31 becomes 255.
std::uint8_t Widen5(unsigned value)
{
    return static_cast<std::uint8_t>((value << 3) | (value >> 2));
}

// 5-5-5 pixels (blue in the low bits, little-endian) to blue, green, red.
void Copy16To24(const TDecodedPicture& picture, TBitmap& bitmap)
{
    for (int y = 0; y < picture.height; ++y) {
        const std::span<const std::uint8_t> source = picture.RowFromTop(y);
        std::uint8_t* target = bitmap.ScanLine(y);
        for (std::size_t x = 0; x < static_cast<std::size_t>(picture.width); ++x) {
            const unsigned pixel = source[2 * x] | (unsigned { source[2 * x + 1] } << 8);
            target[3 * x] = Widen5(pixel & 31u);
            target[3 * x + 1] = Widen5((pixel >> 5) & 31u);
            target[3 * x + 2] = Widen5((pixel >> 10) & 31u);
        }
    }
}

} // namespace

TBitmap ToBitmap(const TDecodedPicture& picture)
{
    const int bits = picture.bits_per_pixel == 16 ? 24 : picture.bits_per_pixel;
    const std::optional<TPixelFormat> format = PixelFormatOfBits(bits);
    if (!format || picture.width <= 0 || picture.height <= 0)
        return {};
    TBitmap bitmap(picture.width, picture.height, *format);
    if (bitmap.IsEmpty())
        return {};
    if (picture.bits_per_pixel == 16) {
        Copy16To24(picture, bitmap);
        return bitmap;
    }
    bitmap.SetPalette(PaletteColours(picture.palette));
    // Both are bottom-up with rows padded to 4 bytes; the sizes are checked
    // all the same, as the two come from different code.
    const std::span<std::uint8_t> target = bitmap.MutableBits();
    if (bitmap.Stride() != picture.stride || target.size() != picture.rows.size())
        return {};
    std::ranges::copy(picture.rows, target.begin());
    return bitmap;
}
