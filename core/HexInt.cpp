#include "core/HexInt.h"

#include "platform/Numbers.h"

#include <cstdint>

namespace {

// |v| as a 32-bit pattern: unsigned negation is defined for INT_MIN.
std::uint32_t Magnitude(int v)
{
    const std::uint32_t pattern = static_cast<std::uint32_t>(v);
    return v < 0 ? 0u - pattern : pattern;
}

int ParseHex(const std::string& text)
{
    // The integer conversion reads hexadecimal after "0x" and refuses a
    // second prefix, a sign or a blank after it.
    return StrToIntDef("0x" + text, 0);
}

} // namespace

int THexInt::DigitOf(int v)
{
    return static_cast<int>(Magnitude(v) % 16u);
}

int THexInt::SetDigit(int v)
{
    return value_ = DigitOf(v);
}

int THexInt::SetText(const std::string& text)
{
    return value_ = ParseHex(text);
}

std::string THexInt::GetText() const
{
    return StringPrintf("%x", static_cast<unsigned>(value_));
}

std::string THexInt::SetDigitText(int v)
{
    SetDigit(v);
    return GetText();
}

std::string THexInt::SetTextNormalized(const std::string& text)
{
    SetText(text);
    return GetText();
}

THexInt& THexInt::Assign(const THexInt& other)
{
    value_ = other.value_;
    return *this;
}

THexInt& THexInt::SetAbs(int v)
{
    value_ = static_cast<int>(Magnitude(v));
    return *this;
}

THexInt& THexInt::AssignText(const std::string& text)
{
    SetText(text);
    return *this;
}
