#include "render/MonoRuns.h"

#include "platform/BmpFile.h"

#include <cstdlib>

TMonoRunDecoder::TMonoRunDecoder(std::uint32_t width, std::uint32_t height, int ink_bit)
    : width_(width), ink_bit_(ink_bit != 0 ? 1 : 0)
{
    runs_.starts.resize(height);
    runs_.ends.resize(height);
}

void TMonoRunDecoder::DecodeLine(std::uint32_t y, std::span<const std::uint8_t> bytes)
{
    if (y >= runs_.starts.size())
        return;
    std::vector<std::uint32_t>& starts = runs_.starts[y];
    std::vector<std::uint32_t>& ends = runs_.ends[y];
    int state = 1 - ink_bit_;
    std::uint32_t open_start = 0;
    std::uint32_t x = 0;
    for (std::size_t i = 0; i < bytes.size() && x < width_; ++i) {
        const std::uint8_t byte = bytes[i];
        if (byte == (state != 0 ? 0xFF : 0x00)) {
            x += 8;
            continue;
        }
        for (int bit = 7; bit >= 0 && x < width_; --bit, ++x) {
            const int value = (byte >> bit) & 1;
            if (value == state)
                continue;
            if (value == ink_bit_) {
                starts.push_back(x);
                open_start = x;
                ++runs_.total;
            } else {
                ends.push_back(x);
                set_pixels_ += x - open_start;
            }
            state = value;
        }
    }
    if (state == ink_bit_) {
        ends.push_back(width_);
        set_pixels_ += width_ - open_start;
    }
}

int BmpInkBit(const TBmpInfo& header)
{
    return header.palette.empty() || header.palette[0] == 0 ? 0 : 1;
}

int BitmapInkBit(const TBitmap& bitmap)
{
    const std::uint8_t* top = bitmap.ScanLine(0);
    if (top == nullptr)
        return 1;
    const bool bit_set = (top[0] & 0x80) != 0;
    const TColor color = bitmap.GetPixel(0, 0) & 0xFFFFFF;
    return (bit_set && color == 0xFFFFFF) || (!bit_set && color == 0) ? 0 : 1;
}

std::optional<TMonoRunDecoder> DecodeBmpRuns(std::span<const std::uint8_t> file, const TBmpInfo& header)
{
    if (header.bit_count != 1 || header.compression != 0 || header.width <= 0 || header.height == 0
        || header.data_offset > file.size())
        return std::nullopt;
    const std::uint64_t width = static_cast<std::uint64_t>(header.width);
    const std::uint64_t height = static_cast<std::uint64_t>(std::llabs(header.height));
    const std::uint64_t image_size = header.image_size != 0 ? header.image_size : file.size() - header.data_offset;
    const std::uint64_t row_length = image_size / height;
    // Each row must hold all its pixels, and every row must lie in the file.
    if (row_length < (width + 7) / 8 || header.data_offset + height * row_length > file.size())
        return std::nullopt;
    TMonoRunDecoder decoder(static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height), BmpInkBit(header));
    const bool top_down = header.height < 0;
    for (std::uint64_t y = 0; y < height; ++y) {
        const std::uint64_t stored = top_down ? y : height - y - 1;
        decoder.DecodeLine(static_cast<std::uint32_t>(y),
                           file.subspan(static_cast<std::size_t>(header.data_offset + stored * row_length),
                                        static_cast<std::size_t>(row_length)));
    }
    return decoder;
}

TMonoRunDecoder DecodeBitmapRuns(const TBitmap& bitmap, int ink_bit)
{
    TMonoRunDecoder decoder(static_cast<std::uint32_t>(bitmap.Width()), static_cast<std::uint32_t>(bitmap.Height()),
                            ink_bit);
    const std::size_t row_bytes = (static_cast<std::size_t>(bitmap.Width()) + 7) / 8;
    for (int y = 0; y < bitmap.Height(); ++y)
        decoder.DecodeLine(static_cast<std::uint32_t>(y), { bitmap.ScanLine(y), row_bytes });
    return decoder;
}
