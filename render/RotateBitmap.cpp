#include "render/RotateBitmap.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

constexpr std::int64_t one = 1024;

int FixedOf(double value)
{
    return static_cast<int>(std::trunc(one * value + (value >= 0 ? 0.5 : -0.5)));
}

// Division rounding down, for values that may be negative.
std::int64_t FloorDiv(std::int64_t value, std::int64_t divisor)
{
    const std::int64_t quotient = value / divisor;
    return (value % divisor != 0 && value < 0) ? quotient - 1 : quotient;
}

} // namespace

void FixedSinCos(const TAngle& angle, int& sine, int& cosine)
{
    const double radians = angle.GetRadians();
    sine = FixedOf(std::sin(radians));
    cosine = FixedOf(std::cos(radians));
}

int RotateBitmap(const TBitmap& source, const TAngle& angle, TColor key, TBitmap& destination)
{
    destination = TBitmap();
    if (source.IsEmpty())
        return 1;
    const TBitmap pixels = source.Format() == TPixelFormat::Rgb24 ? source : source.ConvertedTo(TPixelFormat::Rgb24);
    int s = 0, c = 0;
    FixedSinCos(angle, s, c);
    const std::int64_t w = pixels.Width();
    const std::int64_t h = pixels.Height();
    const std::int64_t dw = std::abs(c) * w + std::abs(s) * h;
    const std::int64_t dh = std::abs(s) * w + std::abs(c) * h;
    const std::int64_t width = dw / one;
    const std::int64_t height = dh / one;
    if (!TBitmap::SizeAllowed(width, height, TPixelFormat::Rgb24))
        return 1;
    destination = TBitmap(static_cast<int>(width), static_cast<int>(height), TPixelFormat::Rgb24);
    if (destination.IsEmpty())
        return 1;
    destination.Fill(key);

    // Each destination pixel takes the source pixel under its centre, all
    // in 1/1024 pixels about the two images' centres. (Mapping the pixels'
    // corners instead, as a plain reading of the turn would, drops a whole
    // row or column of the source for half turns and some quarter turns.)
    const std::int64_t half = one / 2;
    const std::int64_t cx = dw / 2;
    const std::int64_t cy = dh / 2;
    const std::int64_t source_cx = half * w;
    const std::int64_t source_cy = half * h;
    for (std::int64_t r = 0; r < height; ++r) {
        std::uint8_t* row = destination.ScanLine(static_cast<int>(r));
        const std::int64_t dy = one * r + half - cy;
        for (std::int64_t x = 0; x < width; ++x) {
            const std::int64_t dx = one * x + half - cx;
            const std::int64_t u = FloorDiv(dx * c - dy * s, one) + source_cx;
            const std::int64_t v = FloorDiv(dx * s + dy * c, one) + source_cy;
            const std::int64_t sx = FloorDiv(u, one);
            const std::int64_t sy = FloorDiv(v, one);
            if (sx < 0 || sx >= w || sy < 0 || sy >= h)
                continue;
            const std::uint8_t* from = pixels.ScanLine(static_cast<int>(sy)) + 3 * sx;
            std::uint8_t* to = row + 3 * x;
            to[0] = from[0];
            to[1] = from[1];
            to[2] = from[2];
        }
    }
    return 1;
}
