// A test plug-in that answers with the faults a careless plug-in makes. It
// takes every file that begins "BROKEN:" and reads the rest of the file as
// the name of the fault to show; "sound" gives a small correct picture.
// Without FreePictureBuffer it allocates with malloc, as the interface asks.
//
// The sound picture: 3 × 2 pixels at 8 bits, two colours given (red, blue),
// rows top-down (a negative height), pixel values 0 1 0 on top, 1 1 0 below.

#include "platform/ImagePluginAbi.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

constexpr char kMagic[] = "BROKEN:";
constexpr std::size_t kMagicLength = sizeof kMagic - 1;

std::string ReadFault(const char* file_name)
{
    std::string text;
    if (std::FILE* file = std::fopen(file_name, "rb")) {
        char buffer[64] = {};
        text.assign(buffer, std::fread(buffer, 1, sizeof buffer, file));
        std::fclose(file);
    }
    return text.size() > kMagicLength ? text.substr(kMagicLength) : std::string {};
}

void* Copy(const void* bytes, std::size_t size)
{
    void* block = std::malloc(size == 0 ? 1 : size);
    if (size != 0)
        std::memcpy(block, bytes, size);
    return block;
}

TSpiBitmapInfoHeader SoundHeader()
{
    TSpiBitmapInfoHeader header {};
    header.header_size = SPI_BITMAP_HEADER_SIZE;
    header.width = 3;
    header.height = -2;
    header.planes = 1;
    header.bit_count = 8;
    header.compression = SPI_COMPRESSION_NONE;
    header.colours_used = 2;
    return header;
}

struct TInfoBlock {
    TSpiBitmapInfoHeader header;
    TSpiPaletteEntry colours[4];
};

// Builds the blocks of a fault: the sound picture with one thing wrong.
int MakeBlocks(const std::string& fault, TSpiBuffer* info, TSpiBuffer* pixels)
{
    TInfoBlock block {};
    block.header = SoundHeader();
    block.colours[0] = { 0, 0, 255, 0 };
    block.colours[1] = { 255, 0, 0, 0 };
    std::size_t info_size = SPI_BITMAP_HEADER_SIZE + 2 * sizeof(TSpiPaletteEntry);
    const std::uint8_t rows[8] = { 0, 1, 0, 0, 1, 1, 0, 0 };
    std::size_t pixel_size = sizeof rows;

    if (fault == "picture-error")
        return SPI_BROKEN_DATA;
    if (fault == "short-pixels")
        pixel_size = 7;
    if (fault == "short-info")
        info_size = SPI_BITMAP_HEADER_SIZE - 1;
    if (fault == "palette-past-block")
        block.header.colours_used = 4;
    if (fault == "too-many-colours")
        block.header.colours_used = 300;
    if (fault == "compressed")
        block.header.compression = 1;
    if (fault == "zero-width")
        block.header.width = 0;
    if (fault == "taller-header")
        block.header.height = -3;
    if (fault == "huge") {
        block.header.width = 0x7FFFFFFF;
        block.header.height = 0x7FFFFFFF;
        block.header.bit_count = 32;
    }
    info->data = Copy(&block, info_size);
    info->size = info_size;
    pixels->data = fault == "null-pixels" ? nullptr : Copy(rows, pixel_size);
    pixels->size = fault == "null-pixels" ? 64 : pixel_size;
    return SPI_OK;
}

} // namespace

SPI_EXPORT int IsSupported(const char*, int file_descriptor)
{
    char head[kMagicLength] = {};
    return read(file_descriptor, head, kMagicLength) == static_cast<ssize_t>(kMagicLength)
        && std::memcmp(head, kMagic, kMagicLength) == 0;
}

SPI_EXPORT int GetPictureInfo(const char* file_name, std::int64_t, std::uint32_t, TSpiPictureInfo* info)
{
    const std::string fault = ReadFault(file_name);
    if (fault == "info-error")
        return SPI_READ_ERROR;
    if (fault == "zeroed-record")
        return SPI_OK;
    info->width = fault == "record-differs" ? 100 : 3;
    info->height = fault == "record-differs" ? 100 : 2;
    info->x_density = 96;
    info->y_density = 0;
    info->colour_depth = fault == "odd-depth" ? 7 : 8;
    return SPI_OK;
}

SPI_EXPORT int GetPicture(const char* file_name, std::int64_t, std::uint32_t, TSpiBuffer* info_block,
    TSpiBuffer* pixel_block, TSpiProgress, intptr_t)
{
    return MakeBlocks(ReadFault(file_name), info_block, pixel_block);
}
