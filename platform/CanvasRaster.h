#pragma once

// The pixel rules of TImageCanvas, written out on a plain buffer of 32-bit
// RGB pixels: one-pixel lines, even-odd polygon fills, ellipses, rectangles
// and the two ways of painting a pixel (copy and not-XOR). The essay on the
// rules and on why they are ours and not the painter's is in
// CanvasRaster.cpp.
//
// Every function takes coordinates of any size and touches only pixels of
// the buffer; work is bounded by the part of the figure on the buffer.

#include "platform/CanvasTypes.h"

#include <cstdint>
#include <span>

namespace canvas_raster {

// Rows of 0xffRRGGBB pixels, `stride` pixels apart.
struct TPixels {
    std::uint32_t* bits = nullptr;
    std::int64_t stride = 0;
    int width = 0;
    int height = 0;
};

// How the pixels of a figure are painted.
struct TPaint {
    std::uint32_t pixel = 0xFF000000;
    TPenMode mode = TPenMode::Copy;
    // Only the pixels of the diagonal cross hatch (IsHatchPixel).
    bool hatched = false;
};

std::uint32_t PixelFromColor(TColor color);
TColor ColorFromPixel(std::uint32_t pixel);

// The hatch of TBrushStyle::DiagCross: the diagonals x - y = 0 and
// x + y = 7 (mod 8), anchored at the buffer's origin.
bool IsHatchPixel(std::int64_t x, std::int64_t y);

// [left, right) x [top, bottom); an inverted rectangle is empty.
void FillRect(const TPixels& pixels, const TRectI& rect, const TPaint& paint);

// Dotted one-pixel lines: one pixel drawn, then two left out, counted in
// steps along the line.
inline constexpr int dot_period = 3;

// The one-pixel line from `from` to `to` without the pixel of `to`. With a
// dot phase, only the steps i (0 at `from`) with (phase + i) a multiple of
// dot_period are drawn, and the phase moves on by the line's steps, so that
// the dots run on across joined lines.
void DrawThinLine(const TPixels& pixels, TPointI from, TPointI to, const TPaint& paint, int* dot_phase = nullptr);

// The inside of the closed polygon by the even-odd rule: the pixels whose
// centres it contains.
void FillPolygon(const TPixels& pixels, std::span<const TPointI> points, const TPaint& paint);

struct TEllipseStyle {
    const TPaint* outline = nullptr; // none for a clear pen
    int pen_width = 1;
    bool dotted = false; // one-pixel outlines only
    const TPaint* fill = nullptr; // none for a clear brush
};

// The ellipse in the box [left, right) x [top, bottom) (corners in any
// order); see the essay for which pixels it takes.
void DrawEllipse(const TPixels& pixels, const TRectI& box, const TEllipseStyle& style);

} // namespace canvas_raster
