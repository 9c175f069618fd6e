#pragma once

// A character drawn as the outline of its glyph, stroked with the canvas
// pen: the edge around the characters of a text when the edge is drawn the
// careful way. The outline is flattened here, each quadratic segment into
// ten straight pieces whatever the size, so the edge looks the same on the
// screen, in print and in a metafile.

#include <string_view>
#include <vector>

class TCanvas;

// Outlines the first character of `text` (a double-byte character by its
// two-byte code) in the canvas font, its origin on the base line at (x, y)
// in pixels, with a solid pen of `pen_width` pixels in the font's colour.
// A blank, or an empty text, draws nothing.
void DrawGlyphOutline(TCanvas& canvas, std::string_view text, double x, double y, int pen_width);

// Appends the points of the quadratic curve from P0 over P1 to P2 at
// t = 1/n, 2/n, … 1 (P0 itself is not appended; n below 1 appends nothing).
void AppendQuadBezierPoints(double x0, double y0, double x1, double y1, double x2, double y2,
                            std::vector<double>& xs, std::vector<double>& ys, int n);
