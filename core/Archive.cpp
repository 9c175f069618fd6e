#include "core/Archive.h"

#include "platform/LittleEndian.h"

#include <cstring>

namespace {

// Reads `length` stored bytes as a text that ends at the first zero byte.
std::string ReadStoredText(TStream& stream, std::uint32_t length)
{
    if (length > stream.Remaining()) {
        stream.MarkRanShort();
        return {};
    }
    std::string text(length, '\0');
    stream.ReadExact(text.data(), length);
    const std::size_t zero = text.find('\0');
    if (zero != std::string::npos)
        text.resize(zero);
    return text;
}

std::uint32_t ReadLengthFromWord(TStream& stream)
{
    const std::uint16_t word = ReadU16(stream);
    return word != 0xFFFF ? word : ReadU32(stream);
}

} // namespace

std::string ReadArchiveString(TStream& stream)
{
    const std::uint8_t first = ReadU8(stream);
    const std::uint32_t length = first != 0xFF ? first : ReadLengthFromWord(stream);
    return ReadStoredText(stream, length);
}

void WriteArchiveString(TStream& stream, const std::string& text)
{
    const std::size_t length = text.size();
    if (length < 0xFF) {
        WriteU8(stream, static_cast<std::uint8_t>(length));
    } else {
        WriteU8(stream, 0xFF);
        WriteArchiveCount(stream, static_cast<std::uint32_t>(length));
    }
    stream.Write(text.data(), length);
}

int ArchiveStringSize(const std::string& text)
{
    const int length = static_cast<int>(text.size());
    if (length < 0xFF)
        return length + 1;
    if (length <= 0xFFFE)
        return length + 3;
    return length + 7;
}

std::string ReadWordString(TStream& stream)
{
    return ReadStoredText(stream, ReadLengthFromWord(stream));
}

void WriteWordString(TStream& stream, const std::string& text)
{
    WriteArchiveCount(stream, static_cast<std::uint32_t>(text.size()));
    stream.Write(text.data(), text.size());
}

std::uint32_t ReadArchiveCount(TStream& stream)
{
    return ReadLengthFromWord(stream);
}

void WriteArchiveCount(TStream& stream, std::uint32_t value)
{
    if (value < 0xFFFF) {
        WriteU16(stream, static_cast<std::uint16_t>(value));
    } else {
        WriteU16(stream, 0xFFFF);
        WriteU32(stream, value);
    }
}
