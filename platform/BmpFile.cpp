#include "platform/BmpFile.h"

#include "platform/FileSystem.h"

#include <algorithm>
#include <cstring>

// A BMP file, all fields little-endian:
//
//   offset  size  file header
//        0     2  "BM"
//        2     4  file size (not trusted, not used)
//        6     4  reserved
//       10     4  offset of the pixel data from the start of the file
//   info header, at 14, its first field its own size:
//       14     4  header size: 12 (core), 40, 108 (V4) or 124 (V5)
//   core header (12):
//       18     2  width, 20 2 height (unsigned, rows bottom-up),
//       22     2  planes, 24 2 bits per pixel
//   40-byte header and its extensions:
//       18     4  width (signed), 22 4 height (signed; negative: top-down)
//       26     2  planes, 28 2 bits per pixel
//       30     4  compression: 0 none, 1 RLE8, 2 RLE4, 3 bit fields
//       34     4  image size in bytes (may be 0 when uncompressed)
//       38     4  pixels per metre across, 42 4 down
//       46     4  palette entries used (0: all 2^bits), 50 4 important
//   V4 and V5 go on with the masks of red, green, blue and alpha at 54, 58,
//   62 and 66, then colour space data this reader does not need. A 40-byte
//   header with bit fields is followed by the three colour masks instead.
//
// Then the palette: blue, green, red (and, after all but the core header, a
// reserved byte) per entry; then, at the data offset, the rows, bottom row
// first unless the height is negative, each padded to 4 bytes.
//
// The header is parsed and checked as a whole first (ParseHeader); only then
// are pixels decoded, by copying rows (1, 4, 8, 24 and plain 32 bits),
// through masks (16 and 32 bits) or by following run-length codes.

namespace {

constexpr std::size_t FileHeaderSize = BmpFileHeaderSize;
constexpr std::uint32_t CoreHeaderSize = BmpCoreHeaderSize;
constexpr std::uint32_t InfoHeaderSize = BmpInfoHeaderSize;
constexpr std::uint32_t V4HeaderSize = BmpV4HeaderSize;
constexpr std::uint32_t V5HeaderSize = BmpV5HeaderSize;

constexpr std::uint32_t CompressionNone = 0;
constexpr std::uint32_t CompressionRle8 = 1;
constexpr std::uint32_t CompressionRle4 = 2;
constexpr std::uint32_t CompressionBitFields = 3;

// Reads fields at offsets the caller has checked with Has().
class TFields {
public:
    explicit TFields(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    bool Has(std::uint64_t offset, std::uint64_t count) const
    {
        return offset <= bytes_.size() && count <= bytes_.size() - offset;
    }
    std::uint16_t U16(std::size_t offset) const { return Read<std::uint16_t>(offset); }
    std::uint32_t U32(std::size_t offset) const { return Read<std::uint32_t>(offset); }
    std::int32_t I32(std::size_t offset) const { return Read<std::int32_t>(offset); }
    const std::uint8_t* At(std::size_t offset) const { return bytes_.data() + offset; }
    std::size_t Size() const { return bytes_.size(); }

private:
    template<typename T>
    T Read(std::size_t offset) const
    {
        T value {};
        std::memcpy(&value, bytes_.data() + offset, sizeof value);
        return value;
    }

    std::span<const std::uint8_t> bytes_;
};

// One colour channel of a bit-field pixel: the mask's lowest bit and width.
struct TChannel {
    int shift = 0;
    int bits = 0;

    // 0 for a channel without bits; otherwise scaled to 0 … 255.
    int From(std::uint32_t pixel) const
    {
        if (bits == 0)
            return 0;
        const std::uint64_t top = (std::uint64_t { 1 } << bits) - 1;
        return static_cast<int>(((pixel >> shift) & top) * 255 / top);
    }
};

// False for a mask whose set bits are not one run.
bool ChannelOfMask(std::uint32_t mask, TChannel& channel)
{
    channel = {};
    if (mask == 0)
        return true;
    while ((mask & 1) == 0) {
        mask >>= 1;
        ++channel.shift;
    }
    while ((mask & 1) != 0) {
        mask >>= 1;
        ++channel.bits;
    }
    return mask == 0;
}

struct THeader {
    TBmpInfo info;
    std::int64_t rows = 0;
    bool top_down = false;
    TPixelFormat format = TPixelFormat::Rgb24;
    // Bit fields (16 and 32 bits): red, green, blue, alpha.
    bool masked = false;
    TChannel channels[4];
};

std::uint64_t SourceStride(std::int64_t width, int bits)
{
    return (static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(bits) + 31) / 32 * 4;
}

TBmpStatus ReadMasks(const TFields& fields, std::size_t at, bool with_alpha, THeader& header)
{
    std::uint32_t masks[4] {};
    for (int i = 0; i < (with_alpha ? 4 : 3); ++i)
        masks[i] = fields.U32(at + 4 * static_cast<std::size_t>(i));
    if ((masks[0] | masks[1] | masks[2]) == 0)
        return TBmpStatus::Unsupported;
    for (int i = 0; i < 4; ++i) {
        if (!ChannelOfMask(masks[i], header.channels[i]))
            return TBmpStatus::Unsupported;
    }
    header.masked = true;
    return TBmpStatus::Loaded;
}

// The masks of 16 and 32 bits without bit fields: 5-5-5 and 8-8-8.
void UseDefaultMasks(THeader& header)
{
    header.masked = true;
    if (header.info.bit_count == 16) {
        header.channels[0] = { 10, 5 };
        header.channels[1] = { 5, 5 };
        header.channels[2] = { 0, 5 };
    } else {
        header.channels[0] = { 16, 8 };
        header.channels[1] = { 8, 8 };
        header.channels[2] = { 0, 8 };
        header.channels[3] = { 24, 8 };
    }
}

// Which bit count and compression go together, and the bitmap they give.
TBmpStatus ChooseFormat(THeader& header)
{
    const TBmpInfo& info = header.info;
    const bool rle = info.compression == CompressionRle8 || info.compression == CompressionRle4;
    if (info.compression == CompressionRle8 && info.bit_count != 8)
        return TBmpStatus::Unsupported;
    if (info.compression == CompressionRle4 && info.bit_count != 4)
        return TBmpStatus::Unsupported;
    if (info.compression == CompressionBitFields && info.bit_count != 16 && info.bit_count != 32)
        return TBmpStatus::Unsupported;
    if (!rle && info.compression != CompressionNone && info.compression != CompressionBitFields)
        return TBmpStatus::Unsupported;
    // Run-length codes are defined for bottom-up rows only.
    if (rle && header.top_down)
        return TBmpStatus::Unsupported;
    if (info.bit_count == 16) {
        header.format = TPixelFormat::Rgb24;
        return TBmpStatus::Loaded;
    }
    const std::optional<TPixelFormat> format = PixelFormatOfBits(info.bit_count);
    if (!format)
        return TBmpStatus::Unsupported;
    header.format = *format;
    return TBmpStatus::Loaded;
}

void ReadCoreHeader(const TFields& fields, THeader& header)
{
    header.info.width = fields.U16(18);
    header.info.height = fields.U16(20);
    header.info.bit_count = fields.U16(24);
}

void ReadInfoHeader(const TFields& fields, THeader& header)
{
    TBmpInfo& info = header.info;
    info.width = fields.I32(18);
    info.height = fields.I32(22);
    info.bit_count = fields.U16(28);
    info.compression = fields.U32(30);
    info.image_size = fields.U32(34);
    info.density_x = fields.I32(38);
    info.density_y = fields.I32(42);
}

// The palette: as many entries as the header asks for (all 2^bits when it
// says 0, never more), but only those that lie before the pixel data.
void ReadPalette(const TFields& fields, std::size_t start, std::uint32_t used, THeader& header)
{
    TBmpInfo& info = header.info;
    if (!IsIndexed(header.format))
        return;
    const std::uint32_t capacity = std::uint32_t { 1 } << info.bit_count;
    std::uint32_t count = used == 0 || used > capacity ? capacity : used;
    const std::size_t entry = info.header_size == CoreHeaderSize ? 3 : 4;
    count = std::min<std::uint32_t>(count, static_cast<std::uint32_t>((info.data_offset - start) / entry));
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint8_t* bgr = fields.At(start + i * entry);
        info.palette.push_back(PackColor(bgr[2], bgr[1], bgr[0]));
    }
}

TBmpStatus ParseHeader(const TFields& fields, THeader& header)
{
    TBmpInfo& info = header.info;
    if (!fields.Has(0, FileHeaderSize + 4) || fields.At(0)[0] != 'B' || fields.At(0)[1] != 'M')
        return TBmpStatus::NotBmp;
    info.data_offset = fields.U32(10);
    info.header_size = fields.U32(14);
    const std::uint32_t size = info.header_size;
    if (size != CoreHeaderSize && size != InfoHeaderSize && size != V4HeaderSize && size != V5HeaderSize)
        return TBmpStatus::BadHeader;
    if (!fields.Has(FileHeaderSize, size))
        return TBmpStatus::BadHeader;
    if (size == CoreHeaderSize)
        ReadCoreHeader(fields, header);
    else
        ReadInfoHeader(fields, header);

    // The height of the top-down form is negative; its size is its
    // magnitude, taken in 64 bits so that the most negative value has one.
    if (info.width <= 0 || info.height == 0)
        return TBmpStatus::BadSize;
    header.top_down = info.height < 0;
    header.rows = header.top_down ? -static_cast<std::int64_t>(info.height) : info.height;
    if (const TBmpStatus status = ChooseFormat(header); status != TBmpStatus::Loaded)
        return status;
    if (!TBitmap::SizeAllowed(info.width, header.rows, header.format))
        return TBmpStatus::TooLarge;

    std::size_t palette_start = FileHeaderSize + size;
    if (info.compression == CompressionBitFields) {
        const bool in_header = size >= V4HeaderSize;
        if (!in_header && !fields.Has(palette_start, 12))
            return TBmpStatus::BadHeader;
        const TBmpStatus status = ReadMasks(fields, in_header ? 54 : palette_start, in_header, header);
        if (status != TBmpStatus::Loaded)
            return status;
        if (!in_header)
            palette_start += 12;
    } else if (info.bit_count == 16 || info.bit_count == 32) {
        UseDefaultMasks(header);
    }
    if (info.data_offset < palette_start || info.data_offset > fields.Size())
        return TBmpStatus::BadOffset;
    ReadPalette(fields, palette_start, size == CoreHeaderSize ? 0 : fields.U32(46), header);
    return TBmpStatus::Loaded;
}

// The row of the bitmap (counted from the top) that file row r fills.
int TargetRow(const THeader& header, std::int64_t file_row)
{
    return static_cast<int>(header.top_down ? file_row : header.rows - 1 - file_row);
}

// Clears the bits after the last pixel of a row, so that the padding of a
// bitmap is zero however the file left it.
void ClearTail(std::uint8_t* row, std::size_t stride, int width, int bits)
{
    const std::uint64_t used_bits = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(bits);
    const auto full = static_cast<std::size_t>(used_bits / 8);
    const int partial = static_cast<int>(used_bits % 8);
    std::size_t from = full;
    if (partial != 0) {
        row[full] = static_cast<std::uint8_t>(row[full] & (0xFF << (8 - partial)));
        from = full + 1;
    }
    std::fill(row + from, row + stride, std::uint8_t { 0 });
}

void CopyRows(const TFields& fields, const THeader& header, TBitmap& bitmap)
{
    const std::size_t stride = bitmap.Stride();
    for (std::int64_t r = 0; r < header.rows; ++r) {
        std::uint8_t* row = bitmap.ScanLine(TargetRow(header, r));
        std::memcpy(row, fields.At(header.info.data_offset + static_cast<std::size_t>(r) * stride), stride);
        ClearTail(row, stride, bitmap.Width(), bitmap.BitsPerPixel());
    }
}

void UnmaskRows(const TFields& fields, const THeader& header, TBitmap& bitmap)
{
    const int in_bytes = header.info.bit_count / 8;
    const int out_bytes = bitmap.BitsPerPixel() / 8;
    const std::uint64_t source_stride = SourceStride(bitmap.Width(), header.info.bit_count);
    for (std::int64_t r = 0; r < header.rows; ++r) {
        const std::uint8_t* in = fields.At(header.info.data_offset + static_cast<std::size_t>(r * source_stride));
        std::uint8_t* out = bitmap.ScanLine(TargetRow(header, r));
        for (int x = 0; x < bitmap.Width(); ++x, in += in_bytes, out += out_bytes) {
            std::uint32_t pixel = 0;
            std::memcpy(&pixel, in, static_cast<std::size_t>(in_bytes));
            out[0] = static_cast<std::uint8_t>(header.channels[2].From(pixel));
            out[1] = static_cast<std::uint8_t>(header.channels[1].From(pixel));
            out[2] = static_cast<std::uint8_t>(header.channels[0].From(pixel));
            if (out_bytes == 4)
                out[3] = static_cast<std::uint8_t>(header.channels[3].From(pixel));
        }
    }
}

// Run-length codes, two bytes each: a count above 0 repeats the second byte
// (RLE8) or alternates its two nibbles (RLE4); a count of 0 is an escape:
// 0 end of row, 1 end of picture, 2 a move right and up by the next two
// bytes, and n ≥ 3 that many literal pixels, padded to an even byte count.
// Pixels that fall outside the picture are dropped; every step consumes at
// least two bytes, so the walk ends with the data.
class TRunDecoder {
public:
    TRunDecoder(const TFields& fields, const THeader& header, TBitmap& bitmap)
        : fields_(fields), header_(header), bitmap_(bitmap), at_(header.info.data_offset),
          four_bits_(header.info.compression == CompressionRle4)
    {
    }

    TBmpStatus Decode()
    {
        while (y_ < header_.rows) {
            if (!fields_.Has(at_, 2))
                return TBmpStatus::Truncated;
            const int count = *fields_.At(at_);
            const int value = *fields_.At(at_ + 1);
            at_ += 2;
            if (count > 0) {
                for (int i = 0; i < count; ++i)
                    Put(four_bits_ ? ((i & 1) == 0 ? value >> 4 : value & 0x0F) : value);
            } else if (value == 0) {
                x_ = 0;
                ++y_;
            } else if (value == 1) {
                return TBmpStatus::Loaded;
            } else if (!(value == 2 ? Move() : Literal(value))) {
                return TBmpStatus::Truncated;
            }
        }
        return TBmpStatus::Loaded;
    }

private:
    bool Move()
    {
        if (!fields_.Has(at_, 2))
            return false;
        x_ += *fields_.At(at_);
        y_ += *fields_.At(at_ + 1);
        at_ += 2;
        return true;
    }

    bool Literal(int count)
    {
        const std::size_t bytes = four_bits_ ? static_cast<std::size_t>(count + 1) / 2 : static_cast<std::size_t>(count);
        const std::size_t padded = bytes + (bytes & 1);
        if (!fields_.Has(at_, padded))
            return false;
        const std::uint8_t* data = fields_.At(at_);
        for (int i = 0; i < count; ++i)
            Put(four_bits_ ? ((i & 1) == 0 ? data[i / 2] >> 4 : data[i / 2] & 0x0F) : data[i]);
        at_ += padded;
        return true;
    }

    void Put(int index)
    {
        if (x_ < bitmap_.Width() && y_ < header_.rows)
            bitmap_.SetPixelIndex(static_cast<int>(x_), TargetRow(header_, y_), index);
        ++x_;
    }

    const TFields& fields_;
    const THeader& header_;
    TBitmap& bitmap_;
    std::size_t at_;
    bool four_bits_;
    std::int64_t x_ = 0;
    std::int64_t y_ = 0;
};

bool IsRunLength(const TBmpInfo& info)
{
    return info.compression == CompressionRle8 || info.compression == CompressionRle4;
}

// Whether uncompressed pixel data holds every row. Asked before the bitmap
// is made, so that a few bytes claiming a huge picture allocate nothing.
// (Run-length data may stand for any size: it is checked as it decodes.)
bool UncompressedRowsPresent(const TFields& fields, const THeader& header)
{
    const TBmpInfo& info = header.info;
    if (IsRunLength(info))
        return true;
    const std::uint64_t stride = SourceStride(info.width, info.bit_count);
    return fields.Has(info.data_offset, stride * static_cast<std::uint64_t>(header.rows));
}

TBmpStatus DecodePixels(const TFields& fields, const THeader& header, TBitmap& bitmap)
{
    const TBmpInfo& info = header.info;
    if (IsRunLength(info))
        return TRunDecoder(fields, header, bitmap).Decode();
    // The rows were found present before the bitmap was made.
    // Plain 32-bit pixels are already blue, green, red and a fourth byte.
    const bool plain = !header.masked || (info.bit_count == 32 && info.compression == CompressionNone);
    if (plain)
        CopyRows(fields, header, bitmap);
    else
        UnmaskRows(fields, header, bitmap);
    return TBmpStatus::Loaded;
}

void PutU16(std::vector<std::uint8_t>& out, std::uint16_t value)
{
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    PutU16(out, static_cast<std::uint16_t>(value));
    PutU16(out, static_cast<std::uint16_t>(value >> 16));
}

} // namespace

TBmpResult ReadBmpInfo(std::span<const std::uint8_t> bytes)
{
    TBmpResult result;
    THeader header;
    result.status = ParseHeader(TFields(bytes), header);
    result.info = std::move(header.info);
    return result;
}

TBmpResult ReadBmp(std::span<const std::uint8_t> bytes)
{
    TBmpResult result;
    const TFields fields(bytes);
    THeader header;
    result.status = ParseHeader(fields, header);
    if (result.status == TBmpStatus::Loaded && !UncompressedRowsPresent(fields, header))
        result.status = TBmpStatus::Truncated;
    if (result.status == TBmpStatus::Loaded) {
        TBitmap bitmap(header.info.width, static_cast<int>(header.rows), header.format);
        if (bitmap.IsEmpty()) {
            result.status = TBmpStatus::TooLarge;
        } else {
            bitmap.SetPalette(header.info.palette);
            result.status = DecodePixels(fields, header, bitmap);
            if (result.status == TBmpStatus::Loaded)
                result.bitmap = std::move(bitmap);
        }
    }
    result.info = std::move(header.info);
    return result;
}

TBmpResult ReadBmpFile(const std::filesystem::path& path)
{
    const TFileBytes file = ReadWholeFile(path);
    if (file.status != TLoadStatus::Loaded) {
        TBmpResult result;
        result.status = file.status == TLoadStatus::Missing ? TBmpStatus::Missing : TBmpStatus::Unreadable;
        return result;
    }
    return ReadBmp(file.bytes);
}

// Always the 40-byte header, uncompressed, bottom-up: the form every reader
// takes. The pixel bytes of a TBitmap are already the file's rows.
std::vector<std::uint8_t> WriteBmp(const TBitmap& bitmap, TBmpDensity density)
{
    if (bitmap.IsEmpty())
        return {};
    const std::span<const std::uint8_t> bits = bitmap.Bits();
    const auto palette_bytes = static_cast<std::uint32_t>(4 * bitmap.Palette().size());
    const std::uint32_t data_offset = static_cast<std::uint32_t>(FileHeaderSize) + InfoHeaderSize + palette_bytes;
    const auto image_size = static_cast<std::uint32_t>(bits.size());
    std::vector<std::uint8_t> out;
    out.reserve(std::size_t { data_offset } + bits.size());
    out.push_back('B');
    out.push_back('M');
    PutU32(out, data_offset + image_size);
    PutU32(out, 0);
    PutU32(out, data_offset);
    PutU32(out, InfoHeaderSize);
    PutU32(out, static_cast<std::uint32_t>(bitmap.Width()));
    PutU32(out, static_cast<std::uint32_t>(bitmap.Height()));
    PutU16(out, 1);
    PutU16(out, static_cast<std::uint16_t>(bitmap.BitsPerPixel()));
    PutU32(out, CompressionNone);
    PutU32(out, image_size);
    PutU32(out, static_cast<std::uint32_t>(density.x));
    PutU32(out, static_cast<std::uint32_t>(density.y));
    PutU32(out, static_cast<std::uint32_t>(bitmap.Palette().size()));
    PutU32(out, 0);
    for (const TColor color : bitmap.Palette())
        PutU32(out, static_cast<std::uint32_t>(((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF)));
    out.insert(out.end(), bits.begin(), bits.end());
    return out;
}

TSaveStatus WriteBmpFile(const std::filesystem::path& path, const TBitmap& bitmap, TBmpDensity density)
{
    const std::vector<std::uint8_t> bytes = WriteBmp(bitmap, density);
    if (bytes.empty())
        return TSaveStatus::CannotCreate;
    return WriteWholeFile(path, bytes);
}
