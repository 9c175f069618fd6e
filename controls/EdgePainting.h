#pragma once

// The one-pixel edges the flat controls and tool windows are drawn with.

#include <QColor>
#include <QPainter>
#include <QRect>

// One ring along the rectangle's edge: the top row (all but its last pixel)
// and the left column (all but its last pixel) in one colour, the bottom
// row and the right column in the other. Light above and dark below is a
// raised edge, the reverse a sunken one.
inline void DrawRing(QPainter& painter, const QRect& r, const QColor& top_left, const QColor& bottom_right)
{
    painter.fillRect(QRect(r.left(), r.top(), r.width() - 1, 1), top_left);
    painter.fillRect(QRect(r.left(), r.top(), 1, r.height() - 1), top_left);
    painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), bottom_right);
    painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), bottom_right);
}
