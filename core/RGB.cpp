#include "core/RGB.h"

#include <cstdint>

void TRGB::GetRGB(int& red, int& green, int& blue) const
{
    blue = colour_ / 65536;
    const int rest = colour_ % 65536;
    green = rest / 256;
    red = rest % 256;
}

int TRGB::GetRed() const
{
    int red, green, blue;
    GetRGB(red, green, blue);
    return red;
}

int TRGB::GetGreen() const
{
    int red, green, blue;
    GetRGB(red, green, blue);
    return green;
}

int TRGB::GetBlue() const
{
    int red, green, blue;
    GetRGB(red, green, blue);
    return blue;
}

TRGB& TRGB::Assign(const TRGB& other)
{
    colour_ = other.colour_;
    return *this;
}

TRGB& TRGB::Set(int colour)
{
    colour_ = colour;
    return *this;
}

TRGB& TRGB::SetRGB(int red, int green, int blue)
{
    colour_ = PackRGB(red, green, blue);
    return *this;
}

int TRGB::PackRGB(int red, int green, int blue) const
{
    // Unsigned arithmetic wraps where signed would overflow.
    const std::uint32_t packed = static_cast<std::uint32_t>(red) + static_cast<std::uint32_t>(green) * 256u
        + static_cast<std::uint32_t>(blue) * 65536u;
    return static_cast<int>(packed);
}
