#pragma once

// Text on a buffer of pixels: the raster half of TImageCanvas::TextOut.
//
// Each character is its glyph's pixels (FontEngine.h: the pixels whose
// centres the outline holds, thin strokes kept by dropout control), painted
// in the font's colour over what is there, without a background and without
// regard to the pen mode. The first character's origin lies Ascent() below
// the given point along the turned cell's side; each next one an advance
// further along the base line; every origin is rounded to the nearest pixel
// corner, so a character's pixels are the same wherever it stands and can
// be kept. Underline and strike-out are bands as long as the advances,
// turned like the text.
//
// Kept glyphs: one process-wide cache of glyph pixels by scaled font and
// character, at most 16 MiB of glyph bitmaps and 65536 glyphs; at the limit
// it is emptied and filled again. A glyph larger than 256 × 256 pixels is not
// kept: its visible part is rasterized at each drawing, so that a huge
// character costs what it shows, not what it measures. A text whose cell
// cannot reach the buffer costs a walk over its bytes.

#include "platform/CanvasRaster.h"
#include "platform/FontEngine.h"

#include <string_view>

namespace text_raster {

// The Shift-JIS text with the font (colour, underline and strike-out from
// `font`, the rest from `scaled`, which was made from it); `point` is the
// top-left corner of the first character's cell, turned by the escapement.
void DrawText(const canvas_raster::TPixels& pixels, const font_engine::TScaledFont& scaled, const TFont& font,
    TPointI point, std::string_view text);

// How far DrawText moves along the base line for the whole text: the sum of
// its characters' advances, in pixels.
double TextAdvance(const font_engine::TScaledFont& scaled, std::string_view text);

} // namespace text_raster
