#pragma once

// Where a toolbar button puts its glyph, its caption and its dropdown arrow.
//
// The three parts lie in a row (glyph left or right of the caption, the
// arrow always after them) or in a column (glyph above or below the caption,
// the arrow beside the glyph). Across that direction each part is centred on
// its own; along it the parts start at the margin and are parted by the
// spacing. Either may be -1, "work it out": a margin of -1 centres the whole
// row or column, a spacing of -1 spreads what is left over between glyph and
// caption, both -1 split the free room in three equal parts. All halvings
// truncate toward zero, so an odd leftover puts the extra pixel on the far
// side. The layout is pure geometry: the caption's size comes from a
// measuring function, so it can be computed, and tested, without a font.

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <functional>

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

struct TGlyphLayoutInput {
    QRect client;
    // Added to every position: (1, 1) while the button is pushed.
    QPoint offset;
    QString caption;
    TButtonLayout layout = blGlyphLeft;
    int margin = -1;
    int spacing = 4;
    bool show_glyph = true;
    bool show_caption = true;
    bool word_wrap = false;
    bool dropdown_arrow = false;
    int arrow_width = 9;
    // One cell of the glyph; empty when there is no picture.
    QSize glyph_size;
};

struct TGlyphLayout {
    QPoint glyph_pos;
    QPoint arrow_pos;
    QRect text_bounds;
};

// The caption's size when laid out in the given width, on one line or broken
// at words.
using TCaptionMeasure = std::function<QSize(const QString& caption, int width, bool word_wrap)>;

// The height of the dropdown arrow's triangle.
inline constexpr int DropdownArrowHeight = 3;

TGlyphLayout CalcLayout(const TGlyphLayoutInput& input, const TCaptionMeasure& measure);
