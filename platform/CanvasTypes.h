#pragma once

// The values a canvas draws with: integer device points and rectangles
// (pixels, y downward), colours packed with red in the low byte, pens and
// brushes.

#include <cstdint>
#include <string>
#include <iosfwd>

// R + G * 256 + B * 65536, as the drawing's colours are packed. Backends
// draw with the low 24 bits.
using TColor = int;

// What GetPixel answers outside the canvas: equal to no 24-bit colour.
inline constexpr TColor NoColor = -1;

constexpr TColor PackColor(int red, int green, int blue)
{
    return (red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16);
}

struct TPointI {
    int x = 0;
    int y = 0;
    bool operator==(const TPointI&) const = default;
};

// Left and top inside, right and bottom outside, as the platform's
// rectangles were.
struct TRectI {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const TRectI&) const = default;
};

enum class TPenStyle : std::uint8_t { Solid, Dot, Clear };
// NotXor: the destination becomes NOT (source XOR destination), so drawing
// the same figure twice restores the picture.
enum class TPenMode : std::uint8_t { Copy, NotXor };
// DiagCross: diagonal hatch lines in the brush colour, 8 pixels apart and
// anchored at the canvas origin; the pixels between them are left as they
// were.
enum class TBrushStyle : std::uint8_t { Solid, Clear, DiagCross };

// A width of 1 or less is the one-pixel pen. A dotted pen wider than one
// pixel draws solid, as the platform's wide pens did.
struct TPen {
    TColor color = 0;
    int width = 1;
    TPenStyle style = TPenStyle::Solid;
    TPenMode mode = TPenMode::Copy;
    bool operator==(const TPen&) const = default;
};

struct TBrush {
    TColor color = PackColor(255, 255, 255);
    TBrushStyle style = TBrushStyle::Solid;
    bool operator==(const TBrush&) const = default;
};

// A logical font as text drawing builds one for each piece of a text:
// - height: the cell height in pixels (ascent plus descent);
// - width: the average character width in pixels, that of a half-width
//   character (a full-width one is twice as wide); 0 keeps the face's own
//   proportions;
// - escapement: the direction of the base line in tenths of a degree,
//   counter-clockwise;
// - weight: 400 normal, 700 bold;
// - face: the face name as the drawing names it, Shift-JIS;
// - color: the colour of the characters.
// How the sizes map onto an installed face, and which sizes draw nothing (a
// height below 1, a width below 0, either above 100 000 pixels), is told in
// FontEngine.h; which face stands in for a face name, in FontFaces.h.
struct TFont {
    int height = 0;
    int width = 0;
    int escapement = 0;
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strike_out = false;
    std::string face;
    TColor color = 0;
    bool operator==(const TFont&) const = default;
};

// Readable forms for test failures and logs (CanvasCommands.cpp).
std::ostream& operator<<(std::ostream& out, const TPointI& point);
std::ostream& operator<<(std::ostream& out, const TRectI& rect);
std::ostream& operator<<(std::ostream& out, TPenStyle style);
std::ostream& operator<<(std::ostream& out, TPenMode mode);
std::ostream& operator<<(std::ostream& out, TBrushStyle style);
std::ostream& operator<<(std::ostream& out, const TPen& pen);
std::ostream& operator<<(std::ostream& out, const TBrush& brush);
std::ostream& operator<<(std::ostream& out, const TFont& font);
