// The "qtimage" image plug-in: decodes the picture formats that the installed
// Qt image readers know and that announce themselves by a magic number (PNG,
// JPEG, GIF, BMP, TIFF, WebP and the portable pixmaps), and hands them to the
// host as device-independent bitmaps (platform/ImagePluginAbi.h).
//
// IsSupported reads the first bytes of the open file and lets Qt name the
// format from its content, never from the file's name: a picture under the
// wrong extension is still found, and a file of another kind is refused.
// Formats that Qt guesses from weak signs (TGA, ICO, XPM and the like) are
// refused too, so that an arbitrary file is never taken for a picture.
//
// Pictures of one bit per pixel stay 1-bit with their two-colour table, so
// that scanned line drawings reach the monochrome raster as they are; every
// other picture becomes 24-bit blue, green, red. Alpha is not part of the
// bitmap: a picture is laid on white, which is the raster's default
// transparent colour, so fully transparent pixels are left out when the
// drawing shows colour images transparent.
//
// Both GetPictureInfo and GetPicture decode the whole picture (the densities
// are known only then); the host asks for the information once per load.

#include "platform/ImagePluginAbi.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QImageReader>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace {

// Enough for every magic number of the accepted formats.
constexpr qint64 kHeadBytes = 64;

bool IsAcceptedFormat(const QByteArray& format)
{
    static const char* const accepted[] = { "png", "jpg", "jpeg", "gif", "bmp", "tif", "tiff", "webp", "pbm", "pgm",
        "ppm" };
    return std::ranges::any_of(accepted, [&](const char* name) { return format == name; });
}

QByteArray ReadHead(int descriptor)
{
    QByteArray head(kHeadBytes, '\0');
    qint64 filled = 0;
    while (filled < kHeadBytes) {
        const ssize_t got = read(descriptor, head.data() + filled, static_cast<std::size_t>(kHeadBytes - filled));
        if (got <= 0)
            break;
        filled += got;
    }
    head.truncate(filled);
    return head;
}

QByteArray FormatOfContent(QIODevice& device)
{
    return QImageReader::imageFormat(&device);
}

// The picture of the file from the offset on, or a null image.
QImage ReadPicture(const char* file_name, std::int64_t offset, std::uint32_t flag)
{
    if (file_name == nullptr || flag != SPI_SOURCE_FILE || offset < 0)
        return {};
    QFile file(QFile::decodeName(file_name));
    if (!file.open(QIODevice::ReadOnly) || !file.seek(offset))
        return {};
    // The same formats as IsSupported takes, in case the file changed since.
    if (!IsAcceptedFormat(FormatOfContent(file)) || !file.seek(offset))
        return {};
    QImageReader reader(&file);
    return reader.read();
}

bool IsMonochrome(const QImage& picture) { return picture.depth() == 1; }

std::uint16_t DotsPerInch(int dots_per_metre)
{
    const long dpi = std::lround(dots_per_metre * 0.0254);
    return static_cast<std::uint16_t>(std::clamp(dpi, 0L, 65535L));
}

std::size_t Stride(int width, int bits_per_pixel)
{
    return (static_cast<std::size_t>(width) * static_cast<std::size_t>(bits_per_pixel) + 31) / 32 * 4;
}

TSpiPaletteEntry PaletteEntry(QRgb colour)
{
    return { static_cast<std::uint8_t>(qBlue(colour)), static_cast<std::uint8_t>(qGreen(colour)),
        static_cast<std::uint8_t>(qRed(colour)), 0 };
}

// A colour channel laid over white by the pixel's alpha, rounded.
std::uint8_t OverWhite(int channel, int alpha)
{
    return static_cast<std::uint8_t>((channel * alpha + 255 * (255 - alpha) + 127) / 255);
}

// Zero-filled, so the padding at the end of each row is defined.
bool Allocate(TSpiBuffer& block, std::size_t size)
{
    block.data = std::calloc(1, size);
    block.size = block.data != nullptr ? size : 0;
    return block.data != nullptr;
}

void Release(TSpiBuffer& block)
{
    std::free(block.data);
    block = {};
}

void FillHeader(const QImage& picture, int bits_per_pixel, std::uint32_t colours, TSpiBuffer& info)
{
    TSpiBitmapInfoHeader header {};
    header.header_size = SPI_BITMAP_HEADER_SIZE;
    header.width = picture.width();
    header.height = picture.height();
    header.planes = 1;
    header.bit_count = static_cast<std::uint16_t>(bits_per_pixel);
    header.compression = SPI_COMPRESSION_NONE;
    header.image_size = static_cast<std::uint32_t>(Stride(picture.width(), bits_per_pixel) * static_cast<std::size_t>(picture.height()));
    header.x_pixels_per_metre = picture.dotsPerMeterX();
    header.y_pixels_per_metre = picture.dotsPerMeterY();
    header.colours_used = colours;
    std::memcpy(info.data, &header, sizeof header);
}

// 1 bit per pixel, high bit first as in the bitmap; rows bottom-up.
void FillMonochrome(const QImage& picture, TSpiBuffer& info, TSpiBuffer& pixels)
{
    const QImage mono = picture.convertToFormat(QImage::Format_Mono);
    const QList<QRgb> table = mono.colorTable();
    const std::uint32_t colours = static_cast<std::uint32_t>(std::min<qsizetype>(table.size(), 2));
    FillHeader(mono, 1, colours, info);
    auto* entries = static_cast<std::uint8_t*>(info.data) + SPI_BITMAP_HEADER_SIZE;
    for (std::uint32_t i = 0; i < colours; ++i) {
        const TSpiPaletteEntry entry = PaletteEntry(table[static_cast<qsizetype>(i)]);
        std::memcpy(entries + i * sizeof entry, &entry, sizeof entry);
    }
    const std::size_t stride = Stride(mono.width(), 1);
    const std::size_t row_bytes = (static_cast<std::size_t>(mono.width()) + 7) / 8;
    auto* rows = static_cast<std::uint8_t*>(pixels.data);
    for (int y = 0; y < mono.height(); ++y)
        std::memcpy(rows + static_cast<std::size_t>(mono.height() - 1 - y) * stride, mono.constScanLine(y), row_bytes);
}

// 24 bits per pixel, blue, green, red, laid on white; rows bottom-up.
void FillColour(const QImage& picture, TSpiBuffer& info, TSpiBuffer& pixels)
{
    const QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
    FillHeader(argb, 24, 0, info);
    const std::size_t stride = Stride(argb.width(), 24);
    auto* rows = static_cast<std::uint8_t*>(pixels.data);
    for (int y = 0; y < argb.height(); ++y) {
        const auto* source = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        std::uint8_t* target = rows + static_cast<std::size_t>(argb.height() - 1 - y) * stride;
        for (int x = 0; x < argb.width(); ++x, target += 3) {
            const QRgb colour = source[x];
            target[0] = OverWhite(qBlue(colour), qAlpha(colour));
            target[1] = OverWhite(qGreen(colour), qAlpha(colour));
            target[2] = OverWhite(qRed(colour), qAlpha(colour));
        }
    }
}

int MakeBitmap(const QImage& picture, TSpiBuffer& info, TSpiBuffer& pixels)
{
    const bool monochrome = IsMonochrome(picture);
    const int bits_per_pixel = monochrome ? 1 : 24;
    const std::size_t table_bytes = monochrome ? 2 * sizeof(TSpiPaletteEntry) : 0;
    const std::size_t pixel_bytes = Stride(picture.width(), bits_per_pixel) * static_cast<std::size_t>(picture.height());
    if (!Allocate(info, SPI_BITMAP_HEADER_SIZE + table_bytes) || !Allocate(pixels, pixel_bytes)) {
        Release(info);
        Release(pixels);
        return SPI_OUT_OF_MEMORY;
    }
    if (monochrome)
        FillMonochrome(picture, info, pixels);
    else
        FillColour(picture, info, pixels);
    return SPI_OK;
}

} // namespace

SPI_EXPORT int IsSupported(const char* file_name, int file_descriptor)
{
    (void)file_name;
    try {
        QByteArray head = ReadHead(file_descriptor);
        QBuffer buffer(&head);
        buffer.open(QIODevice::ReadOnly);
        return IsAcceptedFormat(FormatOfContent(buffer)) ? 1 : 0;
    } catch (...) {
        return 0;
    }
}

SPI_EXPORT int GetPictureInfo(const char* file_name, std::int64_t offset, std::uint32_t flag, TSpiPictureInfo* info)
{
    if (info == nullptr)
        return SPI_BROKEN_DATA;
    try {
        const QImage picture = ReadPicture(file_name, offset, flag);
        if (picture.isNull())
            return SPI_READ_ERROR;
        info->width = picture.width();
        info->height = picture.height();
        info->x_density = DotsPerInch(picture.dotsPerMeterX());
        info->y_density = DotsPerInch(picture.dotsPerMeterY());
        info->colour_depth = IsMonochrome(picture) ? 1 : 24;
        return SPI_OK;
    } catch (...) {
        return SPI_OUT_OF_MEMORY;
    }
}

SPI_EXPORT int GetPicture(const char* file_name, std::int64_t offset, std::uint32_t flag, TSpiBuffer* info_block,
    TSpiBuffer* pixel_block, TSpiProgress progress, intptr_t callback_data)
{
    // Qt decodes in one call, so there is no progress to report.
    (void)progress;
    (void)callback_data;
    if (info_block == nullptr || pixel_block == nullptr)
        return SPI_BROKEN_DATA;
    *info_block = {};
    *pixel_block = {};
    try {
        const QImage picture = ReadPicture(file_name, offset, flag);
        if (picture.isNull())
            return SPI_READ_ERROR;
        return MakeBitmap(picture, *info_block, *pixel_block);
    } catch (...) {
        Release(*info_block);
        Release(*pixel_block);
        return SPI_OUT_OF_MEMORY;
    }
}

SPI_EXPORT void FreePictureBuffer(void* data)
{
    std::free(data);
}
