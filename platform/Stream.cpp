#include "platform/Stream.h"

#include "platform/Errors.h"

#include <algorithm>
#include <cstring>
#include <fstream>

std::uint64_t TStream::Remaining() const
{
    const std::uint64_t size = GetSize();
    const std::uint64_t position = GetPosition();
    return position < size ? size - position : 0;
}

bool TStream::ReadExact(void* buffer, std::size_t count)
{
    const std::size_t delivered = Read(buffer, count);
    if (delivered == count)
        return true;
    std::memset(static_cast<std::uint8_t*>(buffer) + delivered, 0, count - delivered);
    return false;
}

void TStream::MarkRanShort()
{
    ran_short_ = true;
    if (GetPosition() < GetSize())
        SetPosition(GetSize());
}

TMemoryStream::TMemoryStream(std::vector<std::uint8_t> bytes)
    : bytes_(std::move(bytes))
{
}

std::size_t TMemoryStream::Read(void* buffer, std::size_t count)
{
    // The members directly: this runs for every field of every record.
    const std::uint64_t available = position_ < bytes_.size() ? bytes_.size() - position_ : 0;
    const std::size_t delivered = static_cast<std::size_t>(std::min<std::uint64_t>(count, available));
    if (delivered > 0) {
        std::memcpy(buffer, bytes_.data() + position_, delivered);
        position_ += delivered;
    }
    NoteShortRead(count, delivered);
    return delivered;
}

void TMemoryStream::Write(const void* buffer, std::size_t count)
{
    if (count == 0)
        return;
    const std::uint64_t end = position_ + count;
    if (end > bytes_.size())
        bytes_.resize(static_cast<std::size_t>(end));
    std::memcpy(bytes_.data() + position_, buffer, count);
    position_ = end;
}

void TMemoryStream::SetSize(std::uint64_t size)
{
    bytes_.resize(static_cast<std::size_t>(size));
}

void TMemoryStream::Clear()
{
    bytes_.clear();
    bytes_.shrink_to_fit();
    position_ = 0;
    ClearRanShort();
}

void TMemoryStream::LoadFromFile(const std::filesystem::path& path)
{
    std::error_code error;
    std::ifstream file;
    if (!std::filesystem::is_directory(path, error))
        file.open(path, std::ios::binary);
    if (!file.is_open())
        throw FileError("Cannot open file \"" + path.string() + "\"");
    std::vector<std::uint8_t> bytes;
    file.seekg(0, std::ios::end);
    const std::streamoff size = file.tellg();
    if (size < 0)
        throw FileError("Cannot read file \"" + path.string() + "\"");
    file.seekg(0, std::ios::beg);
    bytes.resize(static_cast<std::size_t>(size));
    if (size > 0 && !file.read(reinterpret_cast<char*>(bytes.data()), size))
        throw FileError("Cannot read file \"" + path.string() + "\"");
    bytes_ = std::move(bytes);
    position_ = 0;
    ClearRanShort();
}

void TMemoryStream::SaveToFile(const std::filesystem::path& path) const
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file)
        throw FileError("Cannot create file \"" + path.string() + "\"");
    if (!bytes_.empty())
        file.write(reinterpret_cast<const char*>(bytes_.data()), static_cast<std::streamsize>(bytes_.size()));
    file.flush();
    if (!file)
        throw FileError("Cannot write file \"" + path.string() + "\"");
}
