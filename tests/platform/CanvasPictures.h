#pragma once

// Small exact pictures of a canvas for the canvas tests.

#include "platform/Canvas.h"
#include "platform/ImageCanvas.h"
#include "platform/ShiftJis.h"

#include <QImage>

#include <cstring>
#include <string>
#include <vector>

inline constexpr TColor white = PackColor(255, 255, 255);
inline constexpr TColor black = PackColor(0, 0, 0);
inline constexpr TColor red = PackColor(255, 0, 0);
inline constexpr TColor green = PackColor(0, 255, 0);
inline constexpr TColor blue = PackColor(0, 0, 255);

// One character per pixel, a string per row: '.' white, '#' black, 'r' red,
// 'g' green, 'b' blue, '?' any other colour.
inline std::vector<std::string> Picture(const TCanvas& canvas)
{
    std::vector<std::string> rows;
    for (int y = 0; y < canvas.Height(); ++y) {
        std::string row;
        for (int x = 0; x < canvas.Width(); ++x) {
            const TColor color = canvas.GetPixel(x, y);
            row += color == white ? '.'
                : color == black  ? '#'
                : color == red    ? 'r'
                : color == green  ? 'g'
                : color == blue   ? 'b'
                                  : '?';
        }
        rows.push_back(row);
    }
    return rows;
}

// The pixels of one colour, row by row.
inline std::vector<TPointI> PixelsOf(const TCanvas& canvas, TColor color)
{
    std::vector<TPointI> points;
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            if (canvas.GetPixel(x, y) == color)
                points.push_back({ x, y });
        }
    }
    return points;
}

// Whether two image canvases hold the same pixels, byte for byte.
inline bool SameImage(TImageCanvas& a, TImageCanvas& b)
{
    const QImage& x = a.Image();
    const QImage& y = b.Image();
    return x.size() == y.size() && x.sizeInBytes() == y.sizeInBytes()
        && std::memcmp(x.constBits(), y.constBits(), static_cast<std::size_t>(x.sizeInBytes())) == 0;
}

// A font of a face named in UTF-8.
inline TFont FontOf(const char8_t* face, int height, int width = 0, int escapement = 0)
{
    TFont font;
    font.face = sj(face);
    font.height = height;
    font.width = width;
    font.escapement = escapement;
    return font;
}
