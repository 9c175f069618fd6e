#pragma once

// Fixed-size fields of the drawing file's records, little-endian, stored as
// their in-memory bytes (a signed int and an unsigned one differ only in how
// they are read back into the program).
//
// A record that the end of the stream cuts off keeps, in every field whose
// bytes are missing, the value the field held before: a fresh record keeps its
// defaults, never a half-read or zeroed value. The stream's ran-short flag
// tells the caller that this happened.

#include "platform/LittleEndian.h"
#include "platform/Stream.h"

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
