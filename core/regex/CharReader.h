#pragma once

// Character readers: the regular-expression engine never indexes its pattern
// or its subject text directly, it walks them one character code at a time
// through a reader of the text's char code.
//
// Reading protocol: set the text, then ReadChar until it returns -1. Every
// read moves the position forward, including the read that meets the end, so
// StepBack undoes any read; further reads at the end stay at that one
// "end has been read" position (GetPosition reports it as the byte length
// plus one unit), and the bytes after the end are never touched.

#include "core/regex/CharCode.h"

#include <array>
#include <memory>
#include <string>

class TbmWchReader {
public:
    explicit TbmWchReader(TbmCharCode char_code) : char_code_(char_code) { }
    virtual ~TbmWchReader() = default;
    TbmWchReader(const TbmWchReader&) = delete;
    TbmWchReader& operator=(const TbmWchReader&) = delete;

    TbmCharCode GetCharCode() const { return char_code_; }
    // Bytes per code unit: 2 for UTF-16, else 1. Text lengths and positions
    // given to a reader must be multiples of it.
    int UnitSize() const { return char_code_ == TbmCharCode::Utf16 ? 2 : 1; }

    // The whole buffer as a byte string.
    virtual std::string GetText() const = 0;
    // Reads from a copy of `text` that the reader keeps.
    virtual void SetText(const std::string& text) = 0;
    virtual int GetPosition() const = 0;
    // Moves to a byte offset; offsets outside the text are clamped to its
    // start or to the "end has been read" position.
    virtual void SetPosition(int byte_offset) = 0;
    // The next character code, or -1 at the end.
    virtual int ReadChar() = 0;
    // Moves back one character; false when already at the start.
    virtual bool StepBack() = 0;
    // Number of characters before the current position.
    virtual int GetCharIndex() const = 0;
    virtual void Reset() = 0;
    // Reads from a buffer the caller keeps alive; the position goes to its
    // start. A negative length or a null buffer reads as the empty text.
    virtual void SetTextBuff(const char* buffer, int byte_length) = 0;

    // After "\x": up to 4 hexadecimal digits; -1 when none follows. The
    // first character not taken is stepped back over.
    virtual int ReadHexEscape();
    // Up to 6 octal digits, stopping before a digit that would pass 0xFFFF;
    // -1 when none follows.
    virtual int ReadOctalEscape();
    // Decodes the character after a backslash: the C letters a b f n r t v,
    // "\x" hexadecimal, octal digits, any other character for itself; -1 at
    // the end or for "\x" without a digit.
    int ReadEscape();
    // The whole text with every escape decoded; an undecodable escape ends it.
    std::string DecodeEscapes();

    // The bytes of one character code.
    virtual std::string CharToText(int code) const;
    // "\t" and its kind for control characters, else "\x" and at least two
    // upper-case hexadecimal digits.
    virtual std::string CharToEscapedText(int code) const;

protected:
    // Digits of `radix` while fewer than `max_digits` are taken and the value
    // stays at most `max_value`; -1 when not even one digit follows.
    int ReadEscapeNumber(int radix, int max_digits, int max_value);

private:
    TbmCharCode char_code_;
};

// Shift-JIS and EUC-JP text: a lead byte and the byte after it form one
// character code (lead * 256 + trail).
class TbmMBCSReader : public TbmWchReader {
public:
    // Raises for a char code without a lead-byte test (UTF-16, JIS).
    explicit TbmMBCSReader(TbmCharCode char_code);

    std::string GetText() const override;
    void SetText(const std::string& text) override;
    int GetPosition() const override { return current_; }
    void SetPosition(int byte_offset) override;
    int ReadChar() override;
    bool StepBack() override;
    int GetCharIndex() const override;
    void Reset() override { current_ = 0; }
    void SetTextBuff(const char* buffer, int byte_length) override;

protected:
    // The bytes are read from [0, length_); current_ runs from 0 to
    // length_ + 1, the position after the read that met the end.
    std::string text_;
    const unsigned char* buffer_ = nullptr;
    int length_ = 0;
    int current_ = 0;
    TbmIsLeadByteFunc is_lead_byte_;
    // The same test as a table: ReadChar runs for every character searched.
    std::array<bool, 256> lead_bytes_;
};

// Single-byte text: every byte is one character code.
class TbmSBCSReader : public TbmMBCSReader {
public:
    TbmSBCSReader();

    int ReadChar() override;
    bool StepBack() override;
    int GetCharIndex() const override;
    // Up to 2 hexadecimal digits.
    int ReadHexEscape() override;
    // Up to 3 octal digits, at most 255.
    int ReadOctalEscape() override;
};

// UTF-16 text, little-endian: every 16-bit unit is one character code.
// Positions still count bytes.
class TbmUniCodeReader : public TbmWchReader {
public:
    TbmUniCodeReader();

    std::string GetText() const override;
    // An odd byte length raises ZuviewError and keeps the previous text.
    void SetText(const std::string& text) override;
    int GetPosition() const override { return current_ * 2; }
    void SetPosition(int byte_offset) override;
    int ReadChar() override;
    bool StepBack() override;
    int GetCharIndex() const override;
    void Reset() override { current_ = 0; }
    // An odd byte length raises ZuviewError and keeps the previous buffer.
    void SetTextBuff(const char* buffer, int byte_length) override;

    // The two bytes of the unit, low byte first.
    std::string CharToText(int code) const override;
    // The same characters as the other readers, each as one unit.
    std::string CharToEscapedText(int code) const override;

private:
    std::string text_;
    const unsigned char* buffer_ = nullptr;
    int units_ = 0;
    int current_ = 0;  // in units, from 0 to units_ + 1
};

// A new reader for the char code, or null when none exists (JIS or an
// unknown value).
std::unique_ptr<TbmWchReader> CreateReader(TbmCharCode char_code);
