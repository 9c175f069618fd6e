#pragma once

// Fields of the element bodies: angles in radians or degrees (points and
// plain values are in document/RecordFields.h). As with every record field,
// a value whose bytes the stream cannot deliver keeps what it held.

#include "core/Angle.h"
#include "document/RecordFields.h"

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
