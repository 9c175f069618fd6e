#pragma once

// Little-endian bytes written field by field, for inputs that tests build by
// hand from a record layout rather than through the writer under test.

#include "platform/Stream.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

class ByteBuilder {
public:
    ByteBuilder& U8(std::uint8_t value) { return Raw(&value, sizeof value); }
    ByteBuilder& U16(std::uint16_t value) { return Raw(&value, sizeof value); }
    ByteBuilder& U32(std::uint32_t value) { return Raw(&value, sizeof value); }
    ByteBuilder& I16(std::int16_t value) { return Raw(&value, sizeof value); }
    ByteBuilder& I32(std::int32_t value) { return Raw(&value, sizeof value); }
    ByteBuilder& F64(double value) { return Raw(&value, sizeof value); }
    ByteBuilder& Point(double x, double y) { return F64(x).F64(y); }
    ByteBuilder& Text(const std::string& bytes) { return Raw(bytes.data(), bytes.size()); }
    // A text shorter than 255 bytes: its length byte, then the bytes.
    ByteBuilder& ShortString(const std::string& text)
    {
        return U8(static_cast<std::uint8_t>(text.size())).Text(text);
    }
    ByteBuilder& Append(const ByteBuilder& other) { return Text(other.bytes_); }

    const std::string& Bytes() const { return bytes_; }
    std::size_t Size() const { return bytes_.size(); }
    TMemoryStream Stream() const { return TMemoryStream(std::vector<std::uint8_t>(bytes_.begin(), bytes_.end())); }

private:
    ByteBuilder& Raw(const void* data, std::size_t size)
    {
        const auto* first = static_cast<const char*>(data);
        bytes_.append(first, size);
        return *this;
    }

    std::string bytes_;
};

inline std::string BytesOf(const TMemoryStream& stream)
{
    return std::string(stream.Bytes().begin(), stream.Bytes().end());
}
