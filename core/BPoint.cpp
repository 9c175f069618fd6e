#include "core/BPoint.h"

#include "core/PlaneGeometry.h"
#include "platform/LittleEndian.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace {

// Two points closer than this are the same point.
constexpr double kSamePointTolerance = 1e-12;

// Truncated toward zero to 64 bits, then the low 32 bits: the stored drawings
// expect coordinates beyond the 32-bit range to wrap. The conversion itself
// must not overflow, so NaN gives 0 and the rest saturates to 64 bits first.
int LowWordOfTruncation(double value)
{
    constexpr double two_to_63 = 9223372036854775808.0;
    std::int64_t whole = 0;
    if (std::isnan(value))
        whole = 0;
    else if (value >= two_to_63)
        whole = std::numeric_limits<std::int64_t>::max();
    else if (value < -two_to_63)
        whole = std::numeric_limits<std::int64_t>::min();
    else
        whole = static_cast<std::int64_t>(value);
    return static_cast<int>(static_cast<std::uint32_t>(whole));
}

} // namespace

bool TBPoint::operator==(const TBPoint& other) const
{
    return DistanceTo(other) < kSamePointTolerance;
}

bool TBPoint::operator!=(const TBPoint& other) const
{
    return DistanceTo(other) >= kSamePointTolerance;
}

TBPoint TBPoint::operator+(const TBPoint& other) const
{
    return TBPoint(x_ + other.GetX(), y_ + other.GetY());
}

TBPoint TBPoint::operator-(const TBPoint& other) const
{
    return TBPoint(x_ - other.GetX(), y_ - other.GetY());
}

TBPoint& TBPoint::operator+=(const TBPoint& other)
{
    x_ += other.GetX();
    y_ += other.GetY();
    return *this;
}

TBPoint& TBPoint::operator-=(const TBPoint& other)
{
    x_ -= other.GetX();
    y_ -= other.GetY();
    return *this;
}

TBPoint& TBPoint::SetXY(double x, double y)
{
    x_ = x;
    y_ = y;
    return *this;
}

int TBPoint::GetXInt() const
{
    return LowWordOfTruncation(x_);
}

int TBPoint::SetXInt(int x)
{
    x_ = x;
    return static_cast<int>(x_);
}

int TBPoint::GetYInt() const
{
    return LowWordOfTruncation(y_);
}

int TBPoint::SetYInt(int y)
{
    y_ = y;
    return static_cast<int>(y_);
}

TBPoint& TBPoint::SetXYInt(int x, int y)
{
    return SetXY(x, y);
}

TBPoint& TBPoint::Assign(const TBPoint& other)
{
    x_ = other.x_;
    y_ = other.y_;
    tag_ = other.tag_;
    return *this;
}

TBPoint& TBPoint::SetXYTag(double x, double y, int tag)
{
    x_ = x;
    y_ = y;
    tag_ = tag;
    return *this;
}

TBPoint& TBPoint::SetXYTagInt(int x, int y, int tag)
{
    return SetXYTag(x, y, tag);
}

double TBPoint::DistanceTo(const TBPoint& other) const
{
    return Distance(x_, y_, other.GetX(), other.GetY());
}

void TBPoint::Read(TStream& stream, int /*version*/, int flag)
{
    x_ = ReadF64(stream);
    y_ = ReadF64(stream);
    if (flag != 0)
        tag_ = ReadI32(stream);
}

void TBPoint::Write(TStream& stream, int /*version*/, int flag) const
{
    WriteF64(stream, x_);
    WriteF64(stream, y_);
    if (flag != 0)
        WriteI32(stream, tag_);
}
