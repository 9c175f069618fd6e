#include "platform/ImagePluginPicture.h"

#include <cstring>

namespace {

bool IsBitmapDepth(int bits)
{
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

TSpiBitmapInfoHeader CopyHeader(std::span<const std::uint8_t> info_block)
{
    TSpiBitmapInfoHeader header;
    std::memcpy(&header, info_block.data(), sizeof header);
    return header;
}

// The header fields the host relies on: its own size, one plane, no
// compression, a width, a height of either direction and a known depth.
bool IsReadableHeader(const TSpiBitmapInfoHeader& header)
{
    return header.header_size == SPI_BITMAP_HEADER_SIZE && header.planes == 1
        && header.compression == SPI_COMPRESSION_NONE && header.width > 0 && header.height != 0
        && header.height != INT32_MIN && IsBitmapDepth(header.bit_count);
}

// The colour table after the header: every entry the header announces must
// lie inside the block; the table is then widened to every pixel value so
// that no pixel can index past it.
TImagePluginStatus ReadPalette(
    const TSpiBitmapInfoHeader& header, std::span<const std::uint8_t> info_block, TDecodedPicture& picture)
{
    if (header.bit_count > 8)
        return TImagePluginStatus::Decoded;
    const std::uint32_t possible = 1u << header.bit_count;
    const std::uint32_t given = header.colours_used == 0 ? possible : header.colours_used;
    if (given > possible)
        return TImagePluginStatus::BadHeader;
    const std::size_t table_bytes = std::size_t { given } * sizeof(TSpiPaletteEntry);
    if (info_block.size() - SPI_BITMAP_HEADER_SIZE < table_bytes)
        return TImagePluginStatus::BadHeader;
    picture.palette.assign(possible, TSpiPaletteEntry {});
    std::memcpy(picture.palette.data(), info_block.data() + SPI_BITMAP_HEADER_SIZE, table_bytes);
    return TImagePluginStatus::Decoded;
}

// Copies the rows into bottom-up order; a top-down block (negative height)
// is turned over.
void CopyRows(std::span<const std::uint8_t> pixel_block, bool top_down, TDecodedPicture& picture)
{
    const std::size_t row_count = static_cast<std::size_t>(picture.height);
    picture.rows.resize(row_count * picture.stride);
    if (!top_down) {
        std::memcpy(picture.rows.data(), pixel_block.data(), picture.rows.size());
        return;
    }
    for (std::size_t row = 0; row < row_count; ++row)
        std::memcpy(picture.rows.data() + row * picture.stride,
            pixel_block.data() + (row_count - 1 - row) * picture.stride, picture.stride);
}

TImagePluginStatus ReadBlocks(
    std::span<const std::uint8_t> info_block, std::span<const std::uint8_t> pixel_block, TDecodedPicture& picture)
{
    if (info_block.size() < SPI_BITMAP_HEADER_SIZE)
        return TImagePluginStatus::BadHeader;
    const TSpiBitmapInfoHeader header = CopyHeader(info_block);
    if (!IsReadableHeader(header))
        return TImagePluginStatus::BadHeader;

    const std::uint64_t stride = DibStride(header.width, header.bit_count);
    const std::uint64_t row_count = header.height < 0 ? -std::int64_t { header.height } : header.height;
    // stride is below 2^35 and row_count below 2^31: test before multiplying.
    if (stride > kMaxPluginPixelBytes || stride * row_count > kMaxPluginPixelBytes)
        return TImagePluginStatus::TooLarge;

    picture.width = header.width;
    picture.height = static_cast<int>(row_count);
    picture.bits_per_pixel = header.bit_count;
    picture.stride = static_cast<std::size_t>(stride);
    picture.x_pixels_per_metre = header.x_pixels_per_metre;
    picture.y_pixels_per_metre = header.y_pixels_per_metre;
    if (const TImagePluginStatus status = ReadPalette(header, info_block, picture);
        status != TImagePluginStatus::Decoded)
        return status;
    // The rule of the layout: stride × |height| bytes, whatever the header's
    // own image-size field claims.
    if (pixel_block.size() < stride * row_count)
        return TImagePluginStatus::PixelsShort;
    CopyRows(pixel_block, header.height < 0, picture);
    return TImagePluginStatus::Decoded;
}

} // namespace

std::span<const std::uint8_t> TDecodedPicture::RowFromTop(int y) const
{
    const std::size_t from_bottom = static_cast<std::size_t>(height - 1 - y);
    return std::span(rows).subspan(from_bottom * stride, stride);
}

std::uint64_t DibStride(std::int64_t width, int bits_per_pixel)
{
    if (width <= 0 || bits_per_pixel <= 0)
        return 0;
    const std::uint64_t bits = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(bits_per_pixel);
    return (bits + 31) / 32 * 4;
}

TImagePluginStatus CheckPictureInfo(const TSpiPictureInfo& record, TPluginPictureInfo& info)
{
    // A record the plug-in never filled reads as zeros and fails here.
    if (record.width <= 0 || record.height <= 0 || !IsBitmapDepth(record.colour_depth))
        return TImagePluginStatus::BadRecord;
    info.width = record.width;
    info.height = record.height;
    info.x_dpi = record.x_density;
    info.y_dpi = record.y_density;
    info.colour_depth = record.colour_depth;
    return TImagePluginStatus::Decoded;
}

TImagePluginStatus ReadPictureBlocks(
    std::span<const std::uint8_t> info_block, std::span<const std::uint8_t> pixel_block, TDecodedPicture& picture)
{
    picture = TDecodedPicture {};
    const TImagePluginStatus status = ReadBlocks(info_block, pixel_block, picture);
    if (status != TImagePluginStatus::Decoded)
        picture = TDecodedPicture {};
    return status;
}
