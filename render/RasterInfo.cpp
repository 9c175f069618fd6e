#include "render/RasterInfo.h"

#include "document/RecordFields.h"
#include "platform/BmpFile.h"
#include "platform/ImagePlugin.h"
#include "platform/LittleEndian.h"
#include "platform/Stream.h"
#include "render/RasterBase.h"

#include <cmath>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

namespace {

// The file's first bytes: the file header and the largest info header.
TMemoryStream HeaderBytes(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::vector<std::uint8_t> bytes(BmpFileHeaderSize + BmpV5HeaderSize);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(std::max<std::streamsize>(in.gcount(), 0)));
    return TMemoryStream(std::move(bytes));
}

std::uint32_t PpmOrDefault(std::uint32_t ppm)
{
    return ppm == 0 ? TRasterInfo::DefaultPpm : ppm;
}

} // namespace

int TRasterInfo::SetPpmX(int ppm)
{
    ppm_x_ = PpmOrDefault(static_cast<std::uint32_t>(ppm));
    return GetPpmX();
}

int TRasterInfo::SetPpmY(int ppm)
{
    ppm_y_ = PpmOrDefault(static_cast<std::uint32_t>(ppm));
    return GetPpmY();
}

short TRasterInfo::SetBitCount(short count)
{
    bit_count_ = static_cast<std::uint16_t>(count);
    return GetBitCount();
}

int TRasterInfo::SetDataOffset(int offset)
{
    data_offset_ = static_cast<std::uint32_t>(offset);
    return GetDataOffset();
}

TRasterInfo* TRasterInfo::SetInfo(TRasterInfo info)
{
    *this = std::move(info);
    return this;
}

bool TRasterInfo::HasArea() const
{
    const auto positive = [](double value) { return std::isfinite(value) && value > 0; };
    return positive(width_) && positive(height_) && pixel_width_ > 0 && pixel_height_ > 0 && ppm_x_ > 0
        && ppm_y_ > 0;
}

int TRasterInfo::ReadImageInfo(const std::filesystem::path& file)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error))
        return 0;
    if (HasExtensionIgnoringCase(file, ".bmp"))
        return ReadBmpInfo(file) ? bit_count_ : 0;
    return ReadPluginInfo(file) ? bit_count_ : 0;
}

// The header fields of a BMP file. Besides the 40-byte header, the larger
// ones (which begin with it) and the 12-byte core header are read too: a
// 24-bit image with a newer header must not pass for a one-bit one.
bool TRasterInfo::ReadBmpInfo(const std::filesystem::path& file)
{
    TMemoryStream stream = HeaderBytes(file);
    stream.SetPosition(10);
    const std::uint32_t offset = ReadU32(stream);
    const std::uint32_t header_size = ReadU32(stream);
    if (stream.RanShort())
        return false;
    data_offset_ = offset;
    if (header_size == BmpCoreHeaderSize) {
        const std::uint16_t width = ReadU16(stream);
        const std::uint16_t height = ReadU16(stream);
        ReadU16(stream); // planes
        const std::uint16_t bits = ReadU16(stream);
        if (stream.RanShort())
            return false;
        pixel_width_ = width;
        pixel_height_ = height;
        bit_count_ = bits;
        ppm_x_ = ppm_y_ = DefaultPpm;
        return true;
    }
    if (header_size != BmpInfoHeaderSize && header_size != BmpV4HeaderSize && header_size != BmpV5HeaderSize)
        return true; // the offset alone, as an unknown header gives nothing else
    const std::int32_t width = ReadI32(stream);
    const std::int32_t height = ReadI32(stream);
    ReadU16(stream); // planes
    const std::uint16_t bits = ReadU16(stream);
    ReadU32(stream); // compression
    ReadU32(stream); // image size
    const std::uint32_t ppm_x = ReadU32(stream);
    const std::uint32_t ppm_y = ReadU32(stream);
    if (stream.RanShort())
        return false;
    pixel_width_ = width;
    // A top-down image stores its height negated.
    pixel_height_ = height < 0 && height != INT32_MIN ? -height : height;
    bit_count_ = bits;
    ppm_x_ = PpmOrDefault(ppm_x);
    ppm_y_ = PpmOrDefault(ppm_y);
    return true;
}

bool TRasterInfo::ReadPluginInfo(const std::filesystem::path& file)
{
    const TPluginInfoResult result = ProgramImagePlugins().GetPictureInfo(file);
    if (result.status != TImagePluginStatus::Decoded)
        return false;
    TakePluginInfo(result.info);
    return true;
}

void TRasterInfo::TakePluginInfo(const TPluginPictureInfo& picture)
{
    const auto ppm_of = [](unsigned dpi) {
        return static_cast<std::uint32_t>(1000 / (25.4 / (dpi == 0 ? 72 : dpi)));
    };
    pixel_width_ = picture.width;
    pixel_height_ = picture.height;
    ppm_x_ = ppm_of(picture.x_dpi);
    ppm_y_ = ppm_of(picture.y_dpi);
    bit_count_ = static_cast<std::uint16_t>(picture.colour_depth);
    data_offset_ = 0;
}

void TRasterInfo::ReadRecord(TStream& stream)
{
    position_.Read(stream, 0, 1);
    double radians = angle_.GetRadians();
    ReadField(stream, radians);
    angle_ = TAngle(radians);
    ReadField(stream, width_);
    ReadField(stream, height_);
    ReadField(stream, pixel_width_);
    ReadField(stream, pixel_height_);
    ReadField(stream, ppm_x_);
    ReadField(stream, ppm_y_);
    ReadField(stream, bit_count_);
    ReadField(stream, data_offset_);
    std::int32_t color = color_.GetColor();
    ReadField(stream, color);
    color_.SetColor(color);
}

void TRasterInfo::WriteRecord(TStream& stream) const
{
    position_.Write(stream, 0, 1);
    WriteField(stream, angle_.GetRadians());
    WriteField(stream, width_);
    WriteField(stream, height_);
    WriteField(stream, pixel_width_);
    WriteField(stream, pixel_height_);
    WriteField(stream, ppm_x_);
    WriteField(stream, ppm_y_);
    WriteField(stream, bit_count_);
    WriteField(stream, data_offset_);
    WriteField(stream, static_cast<std::int32_t>(color_.GetColor()));
}
