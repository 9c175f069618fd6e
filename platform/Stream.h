#pragma once

// Byte streams: an abstract stream and a growable in-memory stream.
//
// Reads deliver fewer bytes at the end of the data without an error, as the
// drawing readers expect. On top of that every stream keeps a sticky
// "ran short" flag, set by any read that was asked for more than remained, and
// answers how many bytes remain, so readers of untrusted files can stop
// cleanly instead of trusting lengths and counts read from the data.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class TStream {
public:
    virtual ~TStream() = default;

    // Copies up to `count` bytes to `buffer` and returns how many it copied.
    virtual std::size_t Read(void* buffer, std::size_t count) = 0;
    // Writes `count` bytes at the position, growing the stream as needed.
    virtual void Write(const void* buffer, std::size_t count) = 0;

    virtual std::uint64_t GetPosition() const = 0;
    virtual void SetPosition(std::uint64_t position) = 0;
    virtual std::uint64_t GetSize() const = 0;

    std::uint64_t Remaining() const;

    // Reads exactly `count` bytes; the part that the stream could not deliver
    // is zero-filled. Returns false (and the flag is set) when it ran short.
    bool ReadExact(void* buffer, std::size_t count);

    bool RanShort() const { return ran_short_; }
    void ClearRanShort() { ran_short_ = false; }
    // For readers that refuse a length before reading it: marks the stream as
    // exhausted and moves to its end, so every later read delivers nothing.
    void MarkRanShort();

protected:
    void NoteShortRead(std::size_t asked, std::size_t delivered)
    {
        if (delivered < asked)
            ran_short_ = true;
    }

private:
    bool ran_short_ = false;
};

class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::vector<std::uint8_t> bytes);

    std::size_t Read(void* buffer, std::size_t count) override;
    void Write(const void* buffer, std::size_t count) override;
    std::uint64_t GetPosition() const override { return position_; }
    void SetPosition(std::uint64_t position) override { position_ = position; }
    std::uint64_t GetSize() const override { return bytes_.size(); }

    // Truncates or zero-extends; the position is kept (it may then lie past
    // the end, where reads deliver nothing).
    void SetSize(std::uint64_t size);
    void Clear();

    const std::uint8_t* Memory() const { return bytes_.data(); }
    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
    std::uint64_t position_ = 0;
};
