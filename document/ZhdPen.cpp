#include "document/ZhdPen.h"

#include "core/Archive.h"
#include "document/RecordFields.h"

#include <utility>

TZhdPen& TZhdPen::Assign(const TZhdPen& other)
{
    color_ = other.color_;
    width_ = other.width_;
    return *this;
}

TZhdPen& TZhdPen::SetPen(int color, int width)
{
    color_ = color;
    width_ = width;
    return *this;
}

void TZhdPen::Read(TStream& stream, std::uint32_t)
{
    ReadField(stream, color_);
    ReadField(stream, width_);
}

void TZhdPen::Write(TStream& stream, std::uint32_t) const
{
    WriteField(stream, color_);
    WriteField(stream, width_);
}

std::string TZhdPrtPen::SetColorName(std::string name)
{
    color_name_ = std::move(name);
    return color_name_;
}

TZhdPrtPen& TZhdPrtPen::AssignPrtPen(const TZhdPrtPen& other)
{
    point_radius_ = other.point_radius_;
    color_name_ = other.color_name_;
    return *this;
}

TZhdPrtPen& TZhdPrtPen::SetPrtPen(double point_radius, std::string color_name)
{
    point_radius_ = point_radius;
    color_name_ = std::move(color_name);
    return *this;
}

TZhdPrtPen& TZhdPrtPen::SetAll(int color, int width, double point_radius, std::string color_name)
{
    SetPen(color, width);
    return SetPrtPen(point_radius, std::move(color_name));
}

void TZhdPrtPen::Read(TStream& stream, std::uint32_t version)
{
    TZhdPen::Read(stream, version);
    ReadField(stream, point_radius_);
}

void TZhdPrtPen::Write(TStream& stream, std::uint32_t version) const
{
    TZhdPen::Write(stream, version);
    WriteField(stream, point_radius_);
}

void TZhdPrtPen::ReadWithName(TStream& stream, std::uint32_t version)
{
    color_name_ = ReadArchiveString(stream);
    Read(stream, version);
}

void TZhdPrtPen::WriteWithName(TStream& stream, std::uint32_t version) const
{
    WriteArchiveString(stream, color_name_);
    Write(stream, version);
}
