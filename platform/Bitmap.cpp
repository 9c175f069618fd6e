#include "platform/Bitmap.h"

#include <QImage>

#include <algorithm>
#include <ios>
#include <new>
#include <ostream>

// Pixels are read and written through their row, in the row's own layout:
// packed indices from the most significant bit for 1 and 4 bits, one index
// byte for 8, bytes blue, green, red (and a fourth) for 24 and 32. Nothing
// here walks more than one row at a time, so a caller's coordinates are
// checked once against width and height and never against the byte buffer.

namespace {

int RedOf(TColor color) { return color & 0xFF; }
int GreenOf(TColor color) { return (color >> 8) & 0xFF; }
int BlueOf(TColor color) { return (color >> 16) & 0xFF; }

int ColorDistance(TColor a, TColor b)
{
    const int red = RedOf(a) - RedOf(b);
    const int green = GreenOf(a) - GreenOf(b);
    const int blue = BlueOf(a) - BlueOf(b);
    return red * red + green * green + blue * blue;
}

int NearestIndex(const std::vector<TColor>& palette, TColor color)
{
    int best = 0;
    int best_distance = 0x7FFFFFFF;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const int distance = ColorDistance(palette[i], color);
        if (distance < best_distance) {
            best = static_cast<int>(i);
            best_distance = distance;
        }
    }
    return best;
}

std::size_t PaletteCapacity(TPixelFormat format)
{
    return IsIndexed(format) ? std::size_t { 1 } << BitsPerPixel(format) : 0;
}

int ReadIndex(const std::uint8_t* row, int x, int bits)
{
    switch (bits) {
    case 1:
        return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case 4:
        return (x & 1) == 0 ? row[x >> 1] >> 4 : row[x >> 1] & 0x0F;
    default:
        return row[x];
    }
}

void WriteIndex(std::uint8_t* row, int x, int bits, int index)
{
    switch (bits) {
    case 1: {
        const auto mask = static_cast<std::uint8_t>(0x80 >> (x & 7));
        row[x >> 3] = static_cast<std::uint8_t>((row[x >> 3] & ~mask) | (index != 0 ? mask : 0));
        return;
    }
    case 4: {
        std::uint8_t& byte = row[x >> 1];
        byte = (x & 1) == 0 ? static_cast<std::uint8_t>((byte & 0x0F) | (index << 4))
                            : static_cast<std::uint8_t>((byte & 0xF0) | index);
        return;
    }
    default:
        row[x] = static_cast<std::uint8_t>(index);
    }
}

} // namespace

int BitsPerPixel(TPixelFormat format)
{
    switch (format) {
    case TPixelFormat::Indexed1:
        return 1;
    case TPixelFormat::Indexed4:
        return 4;
    case TPixelFormat::Indexed8:
        return 8;
    case TPixelFormat::Rgb24:
        return 24;
    case TPixelFormat::Rgb32:
        return 32;
    }
    return 24;
}

std::optional<TPixelFormat> PixelFormatOfBits(int bits)
{
    switch (bits) {
    case 1:
        return TPixelFormat::Indexed1;
    case 4:
        return TPixelFormat::Indexed4;
    case 8:
        return TPixelFormat::Indexed8;
    case 24:
        return TPixelFormat::Rgb24;
    case 32:
        return TPixelFormat::Rgb32;
    default:
        return std::nullopt;
    }
}

bool IsIndexed(TPixelFormat format)
{
    return BitsPerPixel(format) <= 8;
}

std::uint64_t TBitmap::StrideOf(std::int64_t width, TPixelFormat format)
{
    if (width <= 0)
        return 0;
    const auto bits = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(::BitsPerPixel(format));
    return (bits + 31) / 32 * 4;
}

bool TBitmap::SizeAllowed(std::int64_t width, std::int64_t height, TPixelFormat format)
{
    if (width < 1 || height < 1 || width > 0x7FFFFFFF || height > 0x7FFFFFFF)
        return false;
    // Both factors are below 2^35, so the product is only formed once each
    // is known to be at most MaxBytes.
    const std::uint64_t stride = StrideOf(width, format);
    const auto rows = static_cast<std::uint64_t>(height);
    return stride <= MaxBytes && rows <= MaxBytes / stride;
}

TBitmap::TBitmap(int width, int height, TPixelFormat format)
{
    if (!SizeAllowed(width, height, format))
        return;
    const auto stride = static_cast<std::size_t>(StrideOf(width, format));
    try {
        bits_ = std::make_shared<std::vector<std::uint8_t>>(stride * static_cast<std::size_t>(height));
    } catch (const std::bad_alloc&) {
        return;
    }
    width_ = width;
    height_ = height;
    format_ = format;
    stride_ = stride;
    palette_ = DefaultPalette(format);
}

std::vector<TColor> TBitmap::DefaultPalette(TPixelFormat format)
{
    const std::size_t count = PaletteCapacity(format);
    std::vector<TColor> palette;
    for (std::size_t i = 0; i < count; ++i) {
        const int grey = static_cast<int>(i * 255 / (count - 1));
        palette.push_back(PackColor(grey, grey, grey));
    }
    return palette;
}

void TBitmap::Detach()
{
    if (bits_ && bits_.use_count() > 1)
        bits_ = std::make_shared<std::vector<std::uint8_t>>(*bits_);
}

const std::uint8_t* TBitmap::ScanLine(int row) const
{
    if (row < 0 || row >= height_)
        return nullptr;
    return bits_->data() + static_cast<std::size_t>(height_ - 1 - row) * stride_;
}

std::uint8_t* TBitmap::ScanLine(int row)
{
    if (row < 0 || row >= height_)
        return nullptr;
    Detach();
    return bits_->data() + static_cast<std::size_t>(height_ - 1 - row) * stride_;
}

std::span<const std::uint8_t> TBitmap::Bits() const
{
    if (!bits_)
        return {};
    return { bits_->data(), bits_->size() };
}

std::span<std::uint8_t> TBitmap::MutableBits()
{
    if (!bits_)
        return {};
    Detach();
    return { bits_->data(), bits_->size() };
}

void TBitmap::SetPalette(std::span<const TColor> colors)
{
    const std::size_t count = std::min(colors.size(), PaletteCapacity(format_));
    palette_.clear();
    for (std::size_t i = 0; i < count; ++i)
        palette_.push_back(colors[i] & 0xFFFFFF);
}

int TBitmap::PixelIndex(int x, int y) const
{
    if (!IsIndexed(format_) || x < 0 || y < 0 || x >= width_ || y >= height_)
        return 0;
    return ReadIndex(ScanLine(y), x, BitsPerPixel());
}

void TBitmap::SetPixelIndex(int x, int y, int index)
{
    if (!IsIndexed(format_) || x < 0 || y < 0 || x >= width_ || y >= height_)
        return;
    if (index < 0 || static_cast<std::size_t>(index) >= PaletteCapacity(format_))
        return;
    WriteIndex(ScanLine(y), x, BitsPerPixel(), index);
}

TColor TBitmap::GetPixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return NoColor;
    const std::uint8_t* row = ScanLine(y);
    if (IsIndexed(format_)) {
        const auto index = static_cast<std::size_t>(ReadIndex(row, x, BitsPerPixel()));
        return index < palette_.size() ? palette_[index] : 0;
    }
    const std::uint8_t* pixel = row + static_cast<std::size_t>(x) * static_cast<std::size_t>(BitsPerPixel() / 8);
    return PackColor(pixel[2], pixel[1], pixel[0]);
}

void TBitmap::SetPixel(int x, int y, TColor color)
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return;
    if (IsIndexed(format_)) {
        WriteIndex(ScanLine(y), x, BitsPerPixel(), NearestIndex(palette_, color));
        return;
    }
    std::uint8_t* pixel = ScanLine(y) + static_cast<std::size_t>(x) * static_cast<std::size_t>(BitsPerPixel() / 8);
    pixel[0] = static_cast<std::uint8_t>(BlueOf(color));
    pixel[1] = static_cast<std::uint8_t>(GreenOf(color));
    pixel[2] = static_cast<std::uint8_t>(RedOf(color));
}

void TBitmap::Fill(TColor color)
{
    if (IsEmpty())
        return;
    // One row is painted pixel by pixel and copied to the others, so the
    // padding stays zero and an indexed fill looks up its colour once.
    for (int x = 0; x < width_; ++x)
        SetPixel(x, 0, color);
    const std::uint8_t* first = ScanLine(0);
    for (int y = 1; y < height_; ++y)
        std::copy_n(first, stride_, ScanLine(y));
}

TBitmap TBitmap::ConvertedTo(TPixelFormat format) const
{
    if (format == format_ || IsEmpty())
        return format == format_ ? *this : TBitmap();
    TBitmap result(width_, height_, format);
    if (result.IsEmpty())
        return result;
    const bool keep_indices = IsIndexed(format_) && IsIndexed(format) && palette_.size() <= PaletteCapacity(format);
    if (keep_indices) {
        result.SetPalette(palette_);
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x)
                result.SetPixelIndex(x, y, PixelIndex(x, y));
        }
        return result;
    }
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x)
            result.SetPixel(x, y, GetPixel(x, y));
    }
    return result;
}

QImage TBitmap::ToImage() const
{
    if (IsEmpty())
        return QImage();
    QImage image(width_, height_, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    for (int y = 0; y < height_; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width_; ++x) {
            const TColor color = GetPixel(x, y);
            line[x] = qRgb(RedOf(color), GreenOf(color), BlueOf(color));
        }
    }
    return image;
}

TBitmap TBitmap::FromImage(const QImage& image)
{
    if (image.isNull())
        return TBitmap();
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    TBitmap bitmap(rgb.width(), rgb.height(), TPixelFormat::Rgb24);
    if (bitmap.IsEmpty())
        return bitmap;
    for (int y = 0; y < bitmap.height_; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        std::uint8_t* row = bitmap.ScanLine(y);
        for (int x = 0; x < bitmap.width_; ++x) {
            row[3 * x] = static_cast<std::uint8_t>(qBlue(line[x]));
            row[3 * x + 1] = static_cast<std::uint8_t>(qGreen(line[x]));
            row[3 * x + 2] = static_cast<std::uint8_t>(qRed(line[x]));
        }
    }
    return bitmap;
}

bool TBitmap::operator==(const TBitmap& other) const
{
    if (width_ != other.width_ || height_ != other.height_ || format_ != other.format_ || palette_ != other.palette_)
        return false;
    if (bits_ == other.bits_)
        return true;
    const std::span<const std::uint8_t> mine = Bits();
    const std::span<const std::uint8_t> theirs = other.Bits();
    return std::equal(mine.begin(), mine.end(), theirs.begin(), theirs.end());
}

std::ostream& operator<<(std::ostream& out, const TBitmap& bitmap)
{
    // FNV-1a over palette and pixels.
    std::uint32_t hash = 2166136261u;
    const auto mix = [&hash](std::uint32_t byte) { hash = (hash ^ byte) * 16777619u; };
    for (const TColor color : bitmap.Palette()) {
        for (int shift = 0; shift < 24; shift += 8)
            mix(static_cast<std::uint32_t>(color >> shift) & 0xFF);
    }
    for (const std::uint8_t byte : bitmap.Bits())
        mix(byte);
    const std::ios_base::fmtflags flags = out.flags();
    out << bitmap.Width() << 'x' << bitmap.Height() << ' ' << bitmap.BitsPerPixel() << "-bit #" << std::hex << hash;
    out.flags(flags);
    return out;
}
