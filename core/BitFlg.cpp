#include "core/BitFlg.h"

namespace {

constexpr std::uint32_t AllBits = 0xFFFFFFFFu;

// The non-negative remainder, so a negative number never becomes a negative
// shift.
int Modulo(int n, int divisor)
{
    const int remainder = n % divisor;
    return remainder < 0 ? remainder + divisor : remainder;
}

std::uint32_t BitMask(int n)
{
    return std::uint32_t { 1 } << Modulo(n, 32);
}

int ByteShift(int n)
{
    return 8 * Modulo(n, 4);
}

int WordShift(int n)
{
    return 8 * Modulo(n, 3);
}

} // namespace

TBitFlg& TBitFlg::Assign(const TBitFlg& other)
{
    value_ = other.value_;
    return *this;
}

TBitFlg& TBitFlg::Set(std::uint32_t value)
{
    value_ = value;
    return *this;
}

std::uint8_t TBitFlg::GetByte(int n) const
{
    return static_cast<std::uint8_t>(value_ >> ByteShift(n));
}

std::uint8_t TBitFlg::SetByte(std::uint8_t value, int n)
{
    const int shift = ByteShift(n);
    value_ = (value_ & ~(std::uint32_t { 0xFF } << shift)) | (std::uint32_t { value } << shift);
    return value;
}

std::uint16_t TBitFlg::GetWord(int n) const
{
    return static_cast<std::uint16_t>(value_ >> WordShift(n));
}

std::uint16_t TBitFlg::SetWord(std::uint16_t value, int n)
{
    const int shift = WordShift(n);
    value_ = (value_ & ~(std::uint32_t { 0xFFFF } << shift)) | (std::uint32_t { value } << shift);
    return value;
}

void TBitFlg::SetBit(int n)
{
    value_ |= n == -1 ? AllBits : BitMask(n);
}

void TBitFlg::ClearBit(int n)
{
    value_ &= n == -1 ? 0 : ~BitMask(n);
}

TBitFlg& TBitFlg::ToggleBit(int n)
{
    value_ ^= n == -1 ? AllBits : BitMask(n);
    return *this;
}

bool TBitFlg::PutBit(bool flag, int n)
{
    if (flag)
        SetBit(n);
    else
        ClearBit(n);
    return flag;
}

int TBitFlg::TestBit(int n) const
{
    return (value_ & BitMask(n)) != 0 ? 1 : 0;
}

int TBitFlg::IsSet(int n) const
{
    if (n == -1)
        return value_ == AllBits ? 1 : 0;
    return TestBit(n);
}

int TBitFlg::IsClear(int n) const
{
    if (n == -1)
        return value_ == 0 ? 1 : 0;
    return 1 - TestBit(n);
}

std::uint32_t TBitFlg::SetFromText(const std::string& text)
{
    if (text.empty())
        return value_;
    for (std::size_t i = 0; i < 32; ++i) {
        const char mark = text[i % text.size()];
        if (mark != ' ' && mark != '0')
            SetBit(static_cast<int>(31 - i));
    }
    return value_;
}

std::string TBitFlg::BitText() const
{
    return BitsText(31, 32, '1', '0');
}

std::string TBitFlg::MarkText() const
{
    return BitsText(31, 32, '-', ' ');
}

std::string TBitFlg::ByteText(int n) const
{
    return BitsText(ByteShift(n) + 7, 8, '1', '0');
}

std::string TBitFlg::WordText(int n) const
{
    return BitsText(WordShift(n) + 15, 16, '1', '0');
}

std::string TBitFlg::BitsText(int highest_bit, int bit_count, char set, char clear) const
{
    std::string text;
    text.reserve(bit_count);
    for (int bit = highest_bit; bit > highest_bit - bit_count; --bit)
        text += IsSet(bit) ? set : clear;
    return text;
}
