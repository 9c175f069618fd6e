#include "platform/MetafileDib.h"

#include "platform/BmpFile.h"
#include "platform/MetafileRecords.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace metafile {

namespace {

// The leading fields of both header forms, enough to size the colour table.
// Core (12 bytes): u32 size, u16 width, u16 height, u16 planes, u16 bits.
// Info (40 and more): u32 size, i32 width, i32 height, u16 planes, u16 bits,
// u32 compression, u32 image size, i32 density x, y, u32 colours used, ...
struct DibCoreHeader {
    std::uint32_t size = 0;
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::uint16_t planes = 0;
    std::uint16_t bits = 0;
    template<typename Io>
    constexpr void Fields(Io& io) { io(size, width, height, planes, bits); }
};

struct DibInfoHeader {
    std::uint32_t size = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t planes = 0;
    std::uint16_t bits = 0;
    std::uint32_t compression = 0;
    std::uint32_t image_size = 0;
    std::int32_t density_x = 0;
    std::int32_t density_y = 0;
    std::uint32_t colors_used = 0;
    template<typename Io>
    constexpr void Fields(Io& io) { io(size, width, height, planes, bits, compression, image_size, density_x, density_y, colors_used); }
};

constexpr std::uint32_t CoreHeaderSize = 12;
constexpr std::uint32_t BitFields = 3;
constexpr std::uint32_t AlphaBitFields = 6;
// A colour table has at most 256 entries that mean anything.
constexpr std::uint64_t MaxColors = 256;

// Bytes of the BITMAPINFO: header, masks of a 40-byte header with bit
// fields, colour table. None when the header cannot be read.
std::optional<std::uint64_t> BitmapInfoSize(std::span<const std::uint8_t> dib)
{
    DibCoreHeader core;
    if (!ReadLayout(dib, 0, core))
        return std::nullopt;
    if (core.size == CoreHeaderSize)
        return CoreHeaderSize + (core.bits <= 8 ? (std::uint64_t { 1 } << core.bits) * 3 : 0);
    DibInfoHeader info;
    if (!ReadLayout(dib, 0, info) || info.size < SizeOf<DibInfoHeader>())
        return std::nullopt;
    std::uint64_t size = info.size;
    if (info.size == 40 && info.compression == BitFields)
        size += 12;
    else if (info.size == 40 && info.compression == AlphaBitFields)
        size += 16;
    std::uint64_t colors = info.colors_used;
    if (colors == 0 && info.bits <= 8)
        colors = std::uint64_t { 1 } << info.bits;
    return size + std::min(colors, MaxColors) * 4;
}

// A record's bitmap is charged against the bytes it came in, before any
// pixel is allocated: uncompressed rows must all be there, and run-length
// codes expand at most 255 pixels per byte pair. A few bytes claiming a
// picture of gigabytes are refused.
bool BitsCoverPicture(const TBmpResult& header, std::size_t bits_size)
{
    if (header.status != TBmpStatus::Loaded)
        return false;
    const TBmpInfo& info = header.info;
    const std::uint64_t width = static_cast<std::uint64_t>(std::max(0, info.width));
    const std::uint64_t height = static_cast<std::uint64_t>(std::abs(static_cast<std::int64_t>(info.height)));
    constexpr std::uint32_t Rle8 = 1;
    constexpr std::uint32_t Rle4 = 2;
    if (info.compression == Rle8 || info.compression == Rle4)
        return width * height <= std::uint64_t { bits_size } * 128;
    const std::uint64_t row_bytes = (width * info.bit_count + 31) / 32 * 4;
    return row_bytes * height <= bits_size;
}

std::optional<TBitmap> ReadWithFileHeader(std::span<const std::uint8_t> info, std::span<const std::uint8_t> bits)
{
    constexpr std::size_t file_header = 14;
    const std::uint64_t total = file_header + info.size() + bits.size();
    if (total > 0xFFFFFFFFu)
        return std::nullopt;
    std::vector<std::uint8_t> file;
    file.reserve(static_cast<std::size_t>(total));
    const auto put32 = [&file](std::uint64_t value) {
        for (int shift = 0; shift < 32; shift += 8)
            file.push_back(static_cast<std::uint8_t>(value >> shift));
    };
    file.push_back('B');
    file.push_back('M');
    put32(total);
    put32(0);
    put32(file_header + info.size());
    file.insert(file.end(), info.begin(), info.end());
    file.insert(file.end(), bits.begin(), bits.end());
    if (!BitsCoverPicture(ReadBmpInfo(file), bits.size()))
        return std::nullopt;
    TBmpResult result = ReadBmp(file);
    if (result.status != TBmpStatus::Loaded)
        return std::nullopt;
    return std::move(result.bitmap);
}

} // namespace

std::optional<TBitmap> ReadPackedDib(std::span<const std::uint8_t> dib)
{
    const std::optional<std::uint64_t> info_size = BitmapInfoSize(dib);
    if (!info_size || *info_size > dib.size())
        return std::nullopt;
    const auto split = static_cast<std::size_t>(*info_size);
    return ReadWithFileHeader(dib.first(split), dib.subspan(split));
}

std::optional<TBitmap> ReadDib(std::span<const std::uint8_t> info, std::span<const std::uint8_t> bits)
{
    return ReadWithFileHeader(info, bits);
}

std::optional<TBitmap> SourcePart(const TBitmap& bitmap, int x, int y, int width, int height)
{
    const long long left = std::max(0, x);
    const long long bottom = std::max(0, y);
    const long long right = std::min<long long>(bitmap.Width(), static_cast<long long>(x) + width);
    const long long top = std::min<long long>(bitmap.Height(), static_cast<long long>(y) + height);
    if (right <= left || top <= bottom)
        return std::nullopt;
    if (left == 0 && bottom == 0 && right == bitmap.Width() && top == bitmap.Height())
        return bitmap;
    const int part_width = static_cast<int>(right - left);
    const int part_height = static_cast<int>(top - bottom);
    const int first_row = bitmap.Height() - static_cast<int>(top);
    TBitmap part(part_width, part_height, TPixelFormat::Rgb24);
    for (int row = 0; row < part_height; ++row)
        for (int column = 0; column < part_width; ++column)
            part.SetPixel(column, row, bitmap.GetPixel(static_cast<int>(left) + column, first_row + row));
    return part;
}

} // namespace metafile
