#include "ui/PaintBox.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>

#include <cstring>

TPaintBox::TPaintBox(QWidget* parent)
    : QWidget(parent)
{
    // The picture covers the whole widget: Qt need not clear it first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    FitFront();
}

void TPaintBox::ShowFront()
{
    front_fresh_ = true;
    update();
}

void TPaintBox::ShowFrontRect(const QRect& rect)
{
    front_fresh_ = true;
    update(rect);
}

void TPaintBox::ShowPicture(const QImage& picture)
{
    // A picture of another size is older than the last resize, whose paint
    // is still to come and draws the view afresh.
    if (picture.size() != front_.size())
        return;
    front_ = picture.copy();
    ShowFront();
}

QImage TPaintBox::CopyFront(const QRect& rect) const
{
    return front_.copy(rect);
}

void TPaintBox::PutFront(const QImage& pixels, QPoint at)
{
    PasteImage(front_, pixels, at);
    ShowFrontRect(QRect(at, pixels.size()));
}

void PasteImage(QImage& target, const QImage& source, QPoint at)
{
    if (source.format() != target.format()) {
        PasteImage(target, source.convertToFormat(target.format()), at);
        return;
    }
    const QRect placed = QRect(at, source.size()).intersected(target.rect());
    if (placed.isEmpty())
        return;
    const std::size_t row_bytes = static_cast<std::size_t>(placed.width()) * sizeof(QRgb);
    for (int y = placed.top(); y <= placed.bottom(); ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(source.constScanLine(y - at.y())) + (placed.left() - at.x());
        auto* to = reinterpret_cast<QRgb*>(target.scanLine(y)) + placed.left();
        std::memcpy(to, from, row_bytes);
    }
}

void TPaintBox::FitFront()
{
    const QSize wanted = size().expandedTo(QSize(1, 1));
    if (front_.size() == wanted)
        return;
    front_ = QImage(wanted, QImage::Format_RGB32);
    front_.fill(Qt::white);
}

void TPaintBox::paintEvent(QPaintEvent* event)
{
    FitFront();
    if (!front_fresh_ && OnPaint)
        OnPaint();
    front_fresh_ = false;
    QPainter painter(this);
    painter.drawImage(event->rect(), front_, event->rect());
}

void TPaintBox::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    FitFront();
    front_fresh_ = false;
    if (OnResize)
        OnResize();
}

void TPaintBox::MoveCursorTo(QPoint pixel)
{
    QCursor::setPos(screen(), mapToGlobal(pixel));
}

void TPaintBox::mousePressEvent(QMouseEvent* event)
{
    if (OnMouseDown)
        OnMouseDown(event->button(), event->position().toPoint());
}

void TPaintBox::mouseMoveEvent(QMouseEvent* event)
{
    if (OnMouseMove)
        OnMouseMove(event->position().toPoint());
}

void TPaintBox::mouseReleaseEvent(QMouseEvent* event)
{
    if (OnMouseUp)
        OnMouseUp(event->button(), event->position().toPoint());
}
