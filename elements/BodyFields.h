#pragma once

// Fields of the element bodies: points without their tag, angles in radians
// or degrees. As with every record field (document/RecordFields.h), a value
// whose bytes the stream cannot deliver keeps what it held.

#include "core/Angle.h"
#include "core/BPoint.h"
#include "document/RecordFields.h"

//   struct Point { f64 x; f64 y; };   16 bytes
inline void ReadPointField(TStream& stream, TBPoint& point)
{
    double x = point.GetX();
    double y = point.GetY();
    ReadField(stream, x);
    ReadField(stream, y);
    point.SetXY(x, y);
}

inline void WritePointField(TStream& stream, const TBPoint& point)
{
    WriteField(stream, point.GetX());
    WriteField(stream, point.GetY());
}

// f64 radians; the angle then holds radians.
inline void ReadRadiansField(TStream& stream, TAngle& angle)
{
    double radians = 0;
    if (stream.ReadExact(&radians, sizeof radians))
        angle.SetRadians(radians);
}

inline void WriteRadiansField(TStream& stream, const TAngle& angle)
{
    WriteField(stream, angle.GetRadians());
}

// f64 degrees; the angle then holds degrees.
inline void ReadDegreesField(TStream& stream, TAngle& angle)
{
    double degrees = 0;
    if (stream.ReadExact(&degrees, sizeof degrees))
        angle.SetDegrees(degrees);
}

inline void WriteDegreesField(TStream& stream, const TAngle& angle)
{
    WriteField(stream, angle.GetDegrees());
}

constexpr int PointFieldSize = 16;
constexpr int DoubleFieldSize = 8;
constexpr int WordFieldSize = 4;
