#include "controls/ButtonGlyphLayout.h"

#include <algorithm>

namespace {

// The spacing that a spacing or margin of -1 stands for when the room for a
// wrapped caption is worked out.
constexpr int default_spacing = 4;

} // namespace

TGlyphLayout CalcLayout(const TGlyphLayoutInput& input, const TCaptionMeasure& measure)
{
    const int client_width = input.client.width();
    const int client_height = input.client.height();
    int margin = input.margin;
    int spacing = input.spacing;

    const QSize glyph = input.show_glyph ? input.glyph_size : QSize(0, 0);
    // An invalid size (-1, -1) is no glyph.
    const int gw = std::max(glyph.width(), 0);
    const int gh = std::max(glyph.height(), 0);
    const bool has_glyph = gw != 0 && gh != 0;
    const int aw = input.dropdown_arrow ? input.arrow_width : 0;
    const int ah = input.dropdown_arrow ? DropdownArrowHeight : 0;

    TButtonLayout layout = input.layout;
    if (!has_glyph && (layout == blGlyphTop || layout == blGlyphBottom))
        layout = blGlyphLeft;
    const bool horizontal = layout == blGlyphLeft || layout == blGlyphRight;

    int tw = 0;
    int th = 0;
    if (input.show_caption && !input.caption.isEmpty()) {
        int room = client_width - (horizontal ? aw : 0);
        if (input.word_wrap) {
            if (horizontal && has_glyph) {
                const int gap = spacing == -1 ? default_spacing : spacing;
                const int side = margin == -1 ? gap : margin;
                room -= gw + gap + 2 * side;
            } else {
                room -= 8;
            }
        }
        const QSize text = measure(input.caption, room, input.word_wrap);
        tw = text.width();
        th = text.height();
    }

    QPoint glyph_pos;
    QPoint text_pos;
    QPoint arrow_pos;
    if (horizontal) {
        glyph_pos.setY((client_height - gh + 1) / 2);
        text_pos.setY((client_height - th + 1) / 2);
    } else {
        glyph_pos.setX((client_width - gw - aw + 1) / 2);
        text_pos.setX((client_width - tw + 1) / 2);
        arrow_pos.setX(has_glyph ? glyph_pos.x() + gw : text_pos.x() + tw);
    }

    if (tw == 0 || !has_glyph)
        spacing = 0;

    if (margin == -1 && spacing == -1) {
        const QSize total(gw + tw + aw, gh + th);
        margin = horizontal ? (client_width - total.width()) / 3 : (client_height - total.height()) / 3;
        spacing = margin;
    } else if (margin == -1) {
        const QSize total(spacing + gw + tw + aw, spacing + gh + th);
        margin = horizontal ? (client_width - total.width() + 1) / 2 : (client_height - total.height() + 1) / 2;
    } else if (spacing == -1) {
        const QSize free_room(client_width - (margin + gw + aw), client_height - (margin + gh));
        spacing = horizontal ? (free_room.width() - tw) / 2 : (free_room.height() - th) / 2;
    }

    switch (layout) {
    case blGlyphLeft:
        glyph_pos.setX(margin);
        text_pos.setX(margin + gw + spacing);
        arrow_pos.setX(text_pos.x() + tw);
        break;
    case blGlyphRight:
        arrow_pos.setX(client_width - margin - aw);
        glyph_pos.setX(arrow_pos.x() - gw);
        text_pos.setX(glyph_pos.x() - spacing - tw);
        break;
    case blGlyphTop:
        glyph_pos.setY(margin);
        text_pos.setY(glyph_pos.y() + gh + spacing);
        break;
    case blGlyphBottom:
        glyph_pos.setY(client_height - margin - gh);
        text_pos.setY(glyph_pos.y() - spacing - th);
        break;
    }

    arrow_pos.rx() += 1;
    arrow_pos.setY(has_glyph ? glyph_pos.y() + (gh - ah) / 2 : text_pos.y() + (th - ah) / 2);

    const QPoint origin = input.client.topLeft() + input.offset;
    TGlyphLayout result;
    result.glyph_pos = glyph_pos + origin;
    result.arrow_pos = arrow_pos + origin;
    result.text_bounds = QRect(text_pos + origin, QSize(tw, th));
    return result;
}
