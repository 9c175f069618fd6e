#include "elements/KMoji.h"

#include "core/Archive.h"
#include "core/DebugLog.h"
#include "document/ZhdData.h"
#include "elements/BodyFields.h"

#include <algorithm>
#include <utility>

namespace {

constexpr std::uint32_t style_unit = 10000;
constexpr int italic_style = 1;
constexpr int bold_style = 2;
constexpr int kind_word_size = 4;
constexpr int size_fields = 3;

} // namespace

TKMoji::TKMoji(TBPoint start, TBPoint end, TZhdaMoji size, int kind, TAngle angle, std::string font_name,
               std::string text)
{
    SetMoji(start, end, size, kind, angle, std::move(font_name), std::move(text));
}

TKMoji::TKMoji(const TKMoji& other)
    : TZhdElem(other)
{
    AssignMoji(other);
}

TKMoji& TKMoji::operator=(const TKMoji& other)
{
    if (this != &other) {
        AssignStatusOnly(other);
        AssignMoji(other);
    }
    return *this;
}

void TKMoji::ReadBody(TStream& stream, const TZhdData& document)
{
    GetStatusPtr().Read(stream, document.GetVersion());
    ReadPointField(stream, start_);
    ReadPointField(stream, end_);
    std::uint32_t kind_word = 0;
    if (stream.ReadExact(&kind_word, sizeof kind_word)) {
        start_.SetTag(static_cast<int>(kind_word / style_unit));
        kind_ = static_cast<int>(kind_word % style_unit);
    }
    double width = size_.GetWidth();
    double height = size_.GetHeight();
    double spacing = size_.GetSpacing();
    ReadField(stream, width);
    ReadField(stream, height);
    ReadField(stream, spacing);
    size_.SetWidth(width);
    size_.SetHeight(height);
    size_.SetSpacing(spacing);
    ReadDegreesField(stream, angle_);
    font_name_ = ReadArchiveString(stream);
    text_ = ReadArchiveString(stream);
}

void TKMoji::WriteBody(TStream& stream, const TZhdData& document) const
{
    GetStatusPtr().Write(stream, document.GetVersion());
    WritePointField(stream, start_);
    WritePointField(stream, end_);
    std::uint32_t kind_word = static_cast<std::uint32_t>(kind_);
    if (start_.GetTag() & italic_style)
        kind_word += style_unit;
    if (start_.GetTag() & bold_style)
        kind_word += 2 * style_unit;
    WriteField(stream, kind_word);
    WriteField(stream, size_.GetWidth());
    WriteField(stream, size_.GetHeight());
    WriteField(stream, size_.GetSpacing());
    WriteDegreesField(stream, angle_);
    WriteArchiveString(stream, font_name_);
    WriteArchiveString(stream, text_);
}

int TKMoji::GetBodySize(const TZhdData& document) const
{
    return TStatus::GetRecordSize(document.GetVersion()) + 2 * PointFieldSize + kind_word_size +
        size_fields * DoubleFieldSize + DoubleFieldSize + ArchiveStringSize(font_name_) + ArchiveStringSize(text_);
}

namespace {

// "^@BM" or "^$BM" before an image text's file reference.
constexpr std::size_t image_prefix_length = 4;

} // namespace

std::string TKMoji::GetText(int index) const
{
    if (index == FontNameText)
        return font_name_;
    if (index == ImageSpecText)
        return HasImageSpec() ? text_.substr(image_prefix_length) : std::string();
    return text_;
}

bool TKMoji::HasImageSpec() const
{
    return text_.size() > image_prefix_length && (text_.starts_with("^@BM") || text_.starts_with("^$BM"));
}

int TKMoji::Release()
{
    if (rasters_.empty())
        return 0;
    WriteDebugLog("RasterRelease:" + text_);
    rasters_.clear();
    return 1;
}

std::string TKMoji::SetFontName(std::string name)
{
    font_name_ = std::move(name);
    return font_name_;
}

std::string TKMoji::SetTextString(std::string text)
{
    text_ = std::move(text);
    return text_;
}

TKMoji& TKMoji::AssignMoji(const TKMoji& other)
{
    return SetMoji(other.start_, other.end_, other.size_, other.kind_, other.angle_, other.font_name_, other.text_);
}

TKMoji& TKMoji::SetMoji(TBPoint start, TBPoint end, TZhdaMoji size, int kind, TAngle angle, std::string font_name,
                        std::string text)
{
    start_ = start;
    end_ = end;
    size_ = size;
    kind_ = kind;
    angle_ = angle;
    font_name_ = std::move(font_name);
    text_ = std::move(text);
    return *this;
}

TKMoji::RasterPtr TKMoji::GetRaster() const
{
    return rasters_.empty() ? RasterPtr() : rasters_.front();
}

TKMoji::RasterPtr TKMoji::SetRaster(RasterPtr raster)
{
    if (rasters_.empty())
        rasters_.push_back(std::move(raster));
    else
        rasters_.front() = std::move(raster);
    return rasters_.front();
}

void TKMoji::AddRaster(RasterPtr raster)
{
    rasters_.push_back(std::move(raster));
}

void TKMoji::RemoveLastRaster()
{
    if (!rasters_.empty())
        rasters_.pop_back();
}

TKMoji::RasterPtr TKMoji::GetRasterAt(int index) const
{
    if (rasters_.empty())
        return {};
    return rasters_[std::clamp(index, 0, GetRasterCount() - 1)];
}
