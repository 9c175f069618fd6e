#include "document/ZhdZoom.h"

#include "document/RecordFields.h"

TZhdZoom::TZhdZoom(const TZhdZoom& other)
    : TBPoint(other.GetX(), other.GetY())
    , scale_(other.scale_)
{
}

TZhdZoom& TZhdZoom::operator=(const TZhdZoom& other)
{
    SetXY(other.GetX(), other.GetY());
    scale_ = other.scale_;
    return *this;
}

bool TZhdZoom::operator==(const TZhdZoom& other) const
{
    return scale_ == other.scale_ && GetX() == other.GetX() && GetY() == other.GetY();
}

TZhdZoom& TZhdZoom::AssignZoom(const TZhdZoom& other)
{
    scale_ = other.scale_;
    return *this;
}

TZhdZoom& TZhdZoom::SetZoom(double scale)
{
    scale_ = scale;
    return *this;
}

void TZhdZoom::Read(TStream& stream, std::uint32_t)
{
    ReadPointField(stream, *this);
    ReadField(stream, scale_);
}

void TZhdZoom::Write(TStream& stream, std::uint32_t) const
{
    WritePointField(stream, *this);
    WriteField(stream, scale_);
}

TZhdZoomF& TZhdZoomF::AssignZoomF(const TZhdZoomF& other)
{
    code_ = other.code_;
    return *this;
}

TZhdZoomF& TZhdZoomF::SetZoomF(int code)
{
    code_ = code;
    return *this;
}

void TZhdZoomF::Read(TStream& stream, std::uint32_t version)
{
    TZhdZoom::Read(stream, version);
    ReadField(stream, code_);
}

void TZhdZoomF::Write(TStream& stream, std::uint32_t version) const
{
    TZhdZoom::Write(stream, version);
    WriteField(stream, code_);
}
