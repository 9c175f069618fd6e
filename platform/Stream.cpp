#include "platform/Stream.h"

#include <algorithm>
#include <cstring>

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
