#include "core/regex/CharReader.h"

#include "platform/Errors.h"
#include "platform/Numbers.h"

#include <algorithm>

namespace {

const char* const kOddUnicodeLength = "TbmUniCodeReader.SetTextBuff: ByteLength must be even.";

// A negative length or a missing buffer reads as the empty text.
int UsableLength(const char* buffer, int byte_length)
{
    return buffer == nullptr || byte_length < 0 ? 0 : byte_length;
}

const unsigned char* AsBytes(const char* buffer)
{
    return reinterpret_cast<const unsigned char*>(buffer);
}

} // namespace

// --- TbmWchReader -----------------------------------------------------------

int TbmWchReader::ReadEscapeNumber(int radix, int max_digits, int max_value)
{
    int value = 0;
    int digits = 0;
    for (;;) {
        const int code = ReadChar();
        const int digit = radix == 16 ? HexDigitValue(code) : OctalDigitValue(code);
        if (digit < 0 || digits == max_digits || value * radix + digit > max_value) {
            StepBack();
            break;
        }
        value = value * radix + digit;
        ++digits;
    }
    return digits > 0 ? value : -1;
}

int TbmWchReader::ReadHexEscape()
{
    return ReadEscapeNumber(16, 4, kMaxCharCode);
}

int TbmWchReader::ReadOctalEscape()
{
    return ReadEscapeNumber(8, 6, kMaxCharCode);
}

int TbmWchReader::ReadEscape()
{
    const int code = ReadChar();
    switch (code) {
    case 'a': return 7;
    case 'b': return 8;
    case 'f': return 12;
    case 'n': return 10;
    case 'r': return 13;
    case 't': return 9;
    case 'v': return 11;
    case 'x': return ReadHexEscape();
    case kEndOfText: return kEndOfText;
    default: break;
    }
    if (OctalDigitValue(code) >= 0) {
        StepBack();
        return ReadOctalEscape();
    }
    return code;
}

std::string TbmWchReader::DecodeEscapes()
{
    std::string decoded;
    Reset();
    for (int code = ReadChar(); code != kEndOfText; code = ReadChar()) {
        if (code == '\\') {
            code = ReadEscape();
            if (code == kEndOfText)
                break;
        }
        decoded += CharToText(code);
    }
    return decoded;
}

std::string TbmWchReader::CharToText(int code) const
{
    if (code < 0)
        return {};
    const char low = static_cast<char>(code & 0xFF);
    if ((code >> 8) == 0)
        return std::string(1, low);
    return std::string { static_cast<char>((code >> 8) & 0xFF), low };
}

std::string TbmWchReader::CharToEscapedText(int code) const
{
    switch (code) {
    case 7: return "\\a";
    case 8: return "\\b";
    case 9: return "\\t";
    case 10: return "\\n";
    case 11: return "\\v";
    case 12: return "\\f";
    case 13: return "\\r";
    default: return StringPrintf("\\x%02X", static_cast<unsigned>(code) & 0xFFFFu);
    }
}

// --- TbmMBCSReader ----------------------------------------------------------

TbmMBCSReader::TbmMBCSReader(TbmCharCode char_code)
    : TbmWchReader(char_code)
    , is_lead_byte_(bmccGetIsLeadByteFunc(char_code))
{
    for (std::size_t byte = 0; byte < lead_bytes_.size(); ++byte)
        lead_bytes_[byte] = is_lead_byte_(static_cast<unsigned char>(byte));
}

std::string TbmMBCSReader::GetText() const
{
    return std::string(reinterpret_cast<const char*>(buffer_), static_cast<std::size_t>(length_));
}

void TbmMBCSReader::SetText(const std::string& text)
{
    text_ = text;
    SetTextBuff(text_.data(), static_cast<int>(std::min<std::size_t>(text_.size(), INT32_MAX)));
}

void TbmMBCSReader::SetTextBuff(const char* buffer, int byte_length)
{
    buffer_ = AsBytes(buffer);
    length_ = UsableLength(buffer, byte_length);
    current_ = 0;
}

void TbmMBCSReader::SetPosition(int byte_offset)
{
    current_ = std::clamp(byte_offset, 0, length_ + 1);
}

int TbmMBCSReader::ReadChar()
{
    if (current_ >= length_) {
        current_ = length_ + 1;
        return kEndOfText;
    }
    const unsigned char byte = buffer_[current_++];
    // A lead byte that ends the text has no trail byte to take: it stands
    // alone, and the position stays at the end.
    if (lead_bytes_[byte] && current_ < length_)
        return byte * 256 + buffer_[current_++];
    return byte;
}

bool TbmMBCSReader::StepBack()
{
    if (current_ == 0)
        return false;
    if (current_ > length_) {
        current_ = length_;
        return true;
    }
    current_ -= IsMBCSTrailByte(buffer_, buffer_ + current_ - 1, is_lead_byte_) ? 2 : 1;
    return true;
}

int TbmMBCSReader::GetCharIndex() const
{
    return CountMBCSChars(buffer_, buffer_ + std::min(current_, length_), is_lead_byte_);
}

// --- TbmSBCSReader ----------------------------------------------------------

TbmSBCSReader::TbmSBCSReader()
    : TbmMBCSReader(TbmCharCode::SingleByte)
{
}

int TbmSBCSReader::ReadChar()
{
    if (current_ >= length_) {
        current_ = length_ + 1;
        return kEndOfText;
    }
    return buffer_[current_++];
}

bool TbmSBCSReader::StepBack()
{
    if (current_ == 0)
        return false;
    --current_;
    return true;
}

int TbmSBCSReader::GetCharIndex() const
{
    return std::min(current_, length_);
}

int TbmSBCSReader::ReadHexEscape()
{
    return ReadEscapeNumber(16, 2, 0xFF);
}

int TbmSBCSReader::ReadOctalEscape()
{
    return ReadEscapeNumber(8, 3, 0xFF);
}

// --- TbmUniCodeReader -------------------------------------------------------

TbmUniCodeReader::TbmUniCodeReader()
    : TbmWchReader(TbmCharCode::Utf16)
{
}

std::string TbmUniCodeReader::GetText() const
{
    return std::string(reinterpret_cast<const char*>(buffer_), static_cast<std::size_t>(units_) * 2);
}

void TbmUniCodeReader::SetText(const std::string& text)
{
    if (text.size() % 2 != 0)
        throw ZuviewError(kOddUnicodeLength);
    text_ = text;
    SetTextBuff(text_.data(), static_cast<int>(std::min<std::size_t>(text_.size(), INT32_MAX - 1)));
}

void TbmUniCodeReader::SetTextBuff(const char* buffer, int byte_length)
{
    const int length = UsableLength(buffer, byte_length);
    if (length % 2 != 0)
        throw ZuviewError(kOddUnicodeLength);
    buffer_ = AsBytes(buffer);
    units_ = length / 2;
    current_ = 0;
}

void TbmUniCodeReader::SetPosition(int byte_offset)
{
    current_ = std::clamp(byte_offset / 2, 0, units_ + 1);
}

int TbmUniCodeReader::ReadChar()
{
    if (current_ >= units_) {
        current_ = units_ + 1;
        return kEndOfText;
    }
    const unsigned char* unit = buffer_ + 2 * current_++;
    return unit[0] | (unit[1] << 8);
}

bool TbmUniCodeReader::StepBack()
{
    if (current_ == 0)
        return false;
    --current_;
    return true;
}

int TbmUniCodeReader::GetCharIndex() const
{
    return std::min(current_, units_);
}

std::string TbmUniCodeReader::CharToText(int code) const
{
    return std::string { static_cast<char>(code & 0xFF), static_cast<char>((code >> 8) & 0xFF) };
}

std::string TbmUniCodeReader::CharToEscapedText(int code) const
{
    std::string units;
    for (const char c : TbmWchReader::CharToEscapedText(code)) {
        units += c;
        units += '\0';
    }
    return units;
}

// --- factory ----------------------------------------------------------------

std::unique_ptr<TbmWchReader> CreateReader(TbmCharCode char_code)
{
    switch (char_code) {
    case TbmCharCode::ShiftJis:
    case TbmCharCode::EucJp: return std::make_unique<TbmMBCSReader>(char_code);
    case TbmCharCode::SingleByte: return std::make_unique<TbmSBCSReader>();
    case TbmCharCode::Utf16: return std::make_unique<TbmUniCodeReader>();
    default: return nullptr;
    }
}
