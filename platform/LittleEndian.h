#pragma once

// Fixed-width little-endian fields on byte streams. A read past the end
// yields zero and leaves the stream's ran-short flag set.

#include "platform/Stream.h"

#include <bit>
#include <cstdint>
#include <cstring>

static_assert(std::endian::native == std::endian::little, "the readers assume a little-endian host");

template<typename T>
T ReadLE(TStream& stream)
{
    T value {};
    stream.ReadExact(&value, sizeof value);
    return value;
}

template<typename T>
void WriteLE(TStream& stream, T value)
{
    stream.Write(&value, sizeof value);
}

inline std::uint8_t ReadU8(TStream& stream) { return ReadLE<std::uint8_t>(stream); }
inline std::uint16_t ReadU16(TStream& stream) { return ReadLE<std::uint16_t>(stream); }
inline std::uint32_t ReadU32(TStream& stream) { return ReadLE<std::uint32_t>(stream); }
inline std::int16_t ReadI16(TStream& stream) { return ReadLE<std::int16_t>(stream); }
inline std::int32_t ReadI32(TStream& stream) { return ReadLE<std::int32_t>(stream); }
inline double ReadF64(TStream& stream) { return ReadLE<double>(stream); }

inline void WriteU8(TStream& stream, std::uint8_t value) { WriteLE(stream, value); }
inline void WriteU16(TStream& stream, std::uint16_t value) { WriteLE(stream, value); }
inline void WriteU32(TStream& stream, std::uint32_t value) { WriteLE(stream, value); }
inline void WriteI16(TStream& stream, std::int16_t value) { WriteLE(stream, value); }
inline void WriteI32(TStream& stream, std::int32_t value) { WriteLE(stream, value); }
inline void WriteF64(TStream& stream, double value) { WriteLE(stream, value); }
