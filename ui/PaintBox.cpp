#include "ui/PaintBox.h"

#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>

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

void TPaintBox::ShowFront(const QRect& dirty)
{
    front_fresh_ = true;
    update(dirty);
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
