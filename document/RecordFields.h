#pragma once

// Fixed-size fields of the drawing file's records, little-endian, stored as
// their in-memory bytes (a signed int and an unsigned one differ only in how
// they are read back into the program).
//
// A record that the end of the stream cuts off keeps, in every field whose
// bytes are missing, the value the field held before: a fresh record keeps its
// defaults, never a half-read or zeroed value. The stream's ran-short flag
// tells the caller that this happened.

#include "core/BPoint.h"
#include "platform/LittleEndian.h"
#include "platform/Stream.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <type_traits>

template <typename Field>
void ReadField(TStream& stream, Field& field)
{
    static_assert(std::is_trivially_copyable_v<Field>);
    Field value;
    if (stream.ReadExact(&value, sizeof value))
        field = value;
}

template <typename Field>
void WriteField(TStream& stream, const Field& field)
{
    static_assert(std::is_trivially_copyable_v<Field>);
    stream.Write(&field, sizeof field);
}

//   struct Point { f64 x; f64 y; };   16 bytes: a point without its tag
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

// A fixed-size record read from the stream in one piece, then handed out
// field by field in order (a single read per record instead of one per field).
// A field whose bytes the stream did not deliver keeps its value, as with
// ReadField, and the stream's ran-short flag is set.
template <std::size_t Capacity>
class TRecordBuffer {
public:
    TRecordBuffer(TStream& stream, std::size_t size)
        : delivered_(stream.Read(bytes_, std::min(size, Capacity)))
    {
    }

    template <typename Field>
    void Take(Field& field)
    {
        static_assert(std::is_trivially_copyable_v<Field>);
        if (offset_ + sizeof field <= delivered_)
            std::memcpy(&field, bytes_ + offset_, sizeof field);
        offset_ += sizeof field;
    }

private:
    std::uint8_t bytes_[Capacity];
    std::size_t delivered_;
    std::size_t offset_ = 0;
};
