#pragma once

// The font engine behind the canvas's text: the installed faces
// (FontFaces.h) opened with FreeType, sized and turned by the rules of
// TFont. TextRaster.cpp makes pixels of its glyph shapes, GlyphOutline.cpp
// outline records; both start from the same shapes, so a glyph outline lies
// exactly on the characters TextOut draws.
//
// Sizing (all in pixels; "units" are the face's design units):
// - the cell is the face's ascender plus descender (its horizontal header;
//   the OS/2 Windows metrics when that is empty). The vertical scale is
//   height / (ascender + descender), so the cell comes out exactly `height`
//   pixels; the base line lies Ascent() = round(height × ascender / cell)
//   below the cell's top, and Descent() = height - Ascent(). For the IPA
//   faces the cell is one em, as it is for the faces they stand in for;
// - the horizontal scale is 2 × width / units per em, so that a half-width
//   character (half an em in the monospaced faces) is `width` pixels wide
//   and a full-width one 2 × width; width 0 keeps the face's proportions
//   (the vertical scale);
// - italic slants by 0.2126 (12 degrees) to the right, in pixels after
//   scaling, as faces without an italic of their own are slanted;
// - bold widens every stroke to the right by em / 24, at least one pixel,
//   and the advance by as much;
// - the escapement turns the scaled glyph counter-clockwise about its
//   origin; multiples of 90 degrees turn exactly.
// Glyph outlines are used unhinted, so that shapes scale exactly; the
// rasterizer's dropout control keeps thin strokes of small characters.
//
// Limits: a height below 1, a width below 0, or either above
// max_font_pixels gives no scaled font: such text draws nothing and has no
// outlines. A cell a hundred thousand pixels high is fifty screens; drawing
// code never asks for more except by mistake, and the coordinates of the
// rasterizer stay far from overflow.
//
// Everything here may be called from several threads: FreeType is used
// under one lock, and the caches (scaled fonts, faces) have their own.

#include "platform/CanvasTypes.h"

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace font_engine {

inline constexpr int max_font_pixels = 100000;

struct TPointD {
    double x = 0;
    double y = 0;
    bool operator==(const TPointD&) const = default;
};

// A glyph in TrueType form, in pixels, y upward, relative to the character
// origin on the base line and already turned: closed contours of points on
// the curve and quadratic control points off it (two control points in a
// row have an implied point on the curve halfway between them).
struct TGlyphShape {
    std::vector<TPointD> points;
    std::vector<std::uint8_t> on_curve;
    // The index of each contour's last point, in order.
    std::vector<int> contour_ends;
    // Along the base line to the next character's origin.
    double advance = 0;
};

// Screen pixels, y downward, as many as the bitmap is wide and high, from
// `left`, `top`: one bit per pixel, the most significant first, rows
// `pitch` bytes apart.
struct TMonoBitmap {
    int left = 0;
    int top = 0;
    int width = 0;
    int rows = 0;
    int pitch = 0;
    std::vector<std::uint8_t> bits;
};

class TFace;

// A face at one size, width, slant, weight and escapement. Shared: the
// cache, canvases and glyph caches hold it as long as they use it.
class TScaledFont {
public:
    TScaledFont(std::shared_ptr<TFace> face, const TFont& font);
    ~TScaledFont();
    TScaledFont(const TScaledFont&) = delete;
    TScaledFont& operator=(const TScaledFont&) = delete;

    // Unique for the run: glyph caches key on it.
    std::uint64_t Id() const { return id_; }
    int Ascent() const { return ascent_; }
    int Descent() const { return descent_; }
    // Unit vectors in screen coordinates (y downward): along the base line,
    // and from the cell's top towards its bottom.
    TPointD Along() const { return { cos_, -sin_ }; }
    TPointD Down() const { return { sin_, cos_ }; }
    // No ink of a glyph lies farther from its origin than this, and no
    // advance is longer than MaxAdvance(): bounds for skipping text off the
    // canvas without looking at its glyphs.
    double InkRadius() const { return ink_radius_; }
    double MaxAdvance() const { return max_advance_; }

    // The glyph of a character code (a Shift-JIS code: lead byte × 256 +
    // trail byte, or the single byte). A character the face lacks has the
    // face's missing-character glyph; a blank has no contours.
    TGlyphShape Shape(unsigned int code) const;
    // The underline or strike-out stroke of a text along its base line from
    // `from` to `to` (pixels from the first character's origin; the whole
    // stroke runs from 0 to the sum of the advances), as a shape with one
    // contour.
    TGlyphShape UnderlineShape(double from, double to) const;
    TGlyphShape StrikeOutShape(double from, double to) const;

private:
    // The band [bottom, top] above the base line from `from` to `to`,
    // turned.
    TGlyphShape BandShape(double from, double to, double bottom, double top) const;
    TPointD Transform(double x_units, double y_units) const;

    std::shared_ptr<TFace> face_;
    std::uint64_t id_;
    double scale_x_ = 0;
    double scale_y_ = 0;
    double slant_ = 0;
    long bold_units_ = 0;
    double cos_ = 1;
    double sin_ = 0;
    int ascent_ = 0;
    int descent_ = 0;
    double ink_radius_ = 0;
    double max_advance_ = 0;
    double underline_bottom_ = 0;
    double underline_top_ = 0;
    double strike_out_bottom_ = 0;
    double strike_out_top_ = 0;
};

// A character of one scaled font: the key of the caches of glyph pictures
// and outlines.
struct TGlyphKey {
    std::uint64_t font = 0;
    unsigned int code = 0;
    bool operator==(const TGlyphKey&) const = default;
};

struct TGlyphKeyHash {
    std::size_t operator()(const TGlyphKey& key) const
    {
        // Mixed, so that neighbouring codes of neighbouring fonts spread.
        std::uint64_t z = key.font * 0x9E3779B97F4A7C15ull ^ key.code;
        z = (z ^ (z >> 31)) * 0xBF58476D1CE4E5B9ull;
        return static_cast<std::size_t>(z ^ (z >> 29));
    }
};

// The font drawn for a TFont, from a bounded cache; null when the font
// draws nothing (sizes out of range, see above, or no face installed).
// Colour, underline and strike-out do not matter here.
std::shared_ptr<const TScaledFont> ScaledFont(const TFont& font);

// Whether two fonts have the same scaled font: they differ at most in
// colour, underline and strike-out.
bool SameScaledFont(const TFont& a, const TFont& b);

// The pixels of the shape, whose origin lies on the screen pixel corner
// (origin_x, origin_y), inside `window` (screen pixels, right and bottom
// outside): a pixel is set when its centre is inside the shape (non-zero
// winding), or when a stroke thinner than a pixel would otherwise break up.
// The bitmap covers the whole window.
TMonoBitmap Rasterize(const TGlyphShape& shape, std::int64_t origin_x, std::int64_t origin_y, const TRectI& window);

// The smallest rectangle of screen pixels (right and bottom outside) that
// holds every pixel Rasterize can set for the shape at origin (0, 0); empty
// for a shape without contours.
TRectI ShapeBounds(const TGlyphShape& shape);

} // namespace font_engine
