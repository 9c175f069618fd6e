#include "document/ZhdMoji.h"

#include "document/RecordFields.h"

TZhdaMoji& TZhdaMoji::Assign(const TZhdaMoji& other)
{
    *this = other;
    return *this;
}

TZhdaMoji& TZhdaMoji::SetMoji(double width, double height, double spacing, int color)
{
    width_ = width;
    height_ = height;
    spacing_ = spacing;
    color_ = color;
    return *this;
}

void TZhdaMoji::Read(TStream& stream, std::uint32_t)
{
    ReadField(stream, width_);
    ReadField(stream, height_);
    ReadField(stream, spacing_);
    ReadField(stream, color_);
}

void TZhdaMoji::Write(TStream& stream, std::uint32_t) const
{
    WriteField(stream, width_);
    WriteField(stream, height_);
    WriteField(stream, spacing_);
    WriteField(stream, color_);
}
