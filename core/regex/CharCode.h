#pragma once

// Character encodings ("char codes") of the regular-expression engine and the
// byte-level tests its readers are built on.
//
// A character code is an int from 0 to 0xFFFF: a single byte b, lead * 256 +
// trail for a double-byte character, or a 16-bit unit of UTF-16. -1 means no
// character (the end of the text). Positions are byte offsets, also for
// UTF-16.

#include <cstddef>
#include <cstdint>

enum class TbmCharCode : std::uint8_t {
    ShiftJis = 0,    // code page 932
    EucJp = 1,
    SingleByte = 2,  // code page 1252
    Utf16 = 3,       // code page 1200, little-endian units
    Jis = 4,         // no reader exists for it
};

// The character code that ends a text.
constexpr int kEndOfText = -1;
// The largest character code any reader yields.
constexpr int kMaxCharCode = 0xFFFF;

using TbmIsLeadByteFunc = bool (*)(unsigned char);

// 0x81-0x9F and 0xE0-0xFC.
bool IsSJISLeadByte(unsigned char byte);
// 0x8E and 0xA1-0xFE.
bool IsEUCJPLeadByte(unsigned char byte);
// No byte is a lead byte.
bool IsNoLeadByte(unsigned char byte);

// "0"-"9", "A"-"F", "a"-"f" to 0-15; any other character code to -1.
int HexDigitValue(int code);
// "0"-"7" to 0-7; any other character code to -1.
int OctalDigitValue(int code);

// 932 -> Shift-JIS, 1200 -> UTF-16, 1252 -> single byte; any other code page
// raises ZuviewError "bmccCodePage2CharCode: unknown code page".
TbmCharCode bmccCodePage2CharCode(int code_page);

// The lead-byte test of Shift-JIS, EUC-JP or single-byte text; any other char
// code raises ZuviewError "bmccGetIsLeadByteFunc: invalid argument".
TbmIsLeadByteFunc bmccGetIsLeadByteFunc(TbmCharCode char_code);

// Number of characters in [begin, end): a lead byte and its trail count one,
// any other byte one. A zero byte before `end`, or a lead byte followed by a
// zero byte, gives -1. A lead byte right before `end` counts one character:
// the byte at `end` may not belong to the caller's buffer, so it is never
// read.
int CountMBCSChars(const unsigned char* begin, const unsigned char* end, TbmIsLeadByteFunc is_lead_byte);

// Whether the byte at `position` is the trail byte of a double-byte
// character. Only the bytes before `position`, back to `begin`, are read: a
// run of lead-range bytes pairs up from its first byte, so the byte is a
// trail byte exactly when that run has odd length.
bool IsMBCSTrailByte(const unsigned char* begin, const unsigned char* position, TbmIsLeadByteFunc is_lead_byte);

// The char code of new patterns: the platform's code page, read once.
TbmCharCode DefaultCharCode();
