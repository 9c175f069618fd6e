#pragma once

// TBitFlg: a 32-bit flag word (element marks, attribute flags, search
// options).
//
// A bit number is taken modulo 32, a byte number modulo 4 and a word number
// modulo 3, always as the non-negative remainder (bit 32 is bit 0, bit -2 is
// bit 30). Where noted, bit -1 stands for all 32 bits instead. Word n is the
// 16 bits from bit 8n, so neighbouring words share a byte: word 0 is bits
// 0-15, word 1 bits 8-23, word 2 bits 16-31.
//
// The texts are ASCII, bit 31 (or the highest bit of the byte or word) first.

#include <cstdint>
#include <string>

class TBitFlg {
public:
    TBitFlg() = default;
    explicit TBitFlg(std::uint32_t value) : value_(value) {}

    std::uint32_t GetValue() const { return value_; }
    std::uint32_t SetValue(std::uint32_t value) { return value_ = value; }
    TBitFlg& AsBitFlg() { return *this; }
    TBitFlg& Assign(const TBitFlg& other);
    TBitFlg& Set(std::uint32_t value);

    std::uint8_t GetByte(int n) const;
    // Returns the value written.
    std::uint8_t SetByte(std::uint8_t value, int n);
    std::uint16_t GetWord(int n) const;
    // Returns the value written.
    std::uint16_t SetWord(std::uint16_t value, int n);

    // Bit -1: all bits.
    void SetBit(int n);
    void ClearBit(int n);
    TBitFlg& ToggleBit(int n);
    // Sets bit n when `flag` is true, else clears it; returns the flag.
    bool PutBit(bool flag, int n);

    // 1 when bit n is set, else 0; -1 is bit 31 here.
    int TestBit(int n) const;
    // As TestBit, but bit -1 asks whether all bits are set.
    int IsSet(int n) const;
    // 1 when bit n is clear; bit -1 asks whether no bit is set.
    int IsClear(int n) const;

    // ORs a text of marks into the word: the text is repeated to 32
    // characters (only the first 32 count), and every character other than a
    // blank or "0" sets its bit, the first character bit 31. So "1" sets all
    // bits and "10" every odd bit. The empty text sets none. Returns the word.
    std::uint32_t SetFromText(const std::string& text);

    // 32 characters "0" or "1".
    std::string BitText() const;
    // 32 characters, "-" for a set bit and a blank for a clear one.
    std::string MarkText() const;
    // 8 characters "0" or "1" of byte n.
    std::string ByteText(int n) const;
    // 16 characters "0" or "1" of word n.
    std::string WordText(int n) const;

private:
    std::string BitsText(int highest_bit, int bit_count, char set, char clear) const;

    std::uint32_t value_ = 0;
};
