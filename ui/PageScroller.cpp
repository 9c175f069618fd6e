#include "ui/PageScroller.h"

#include <QScrollBar>

TPageScroller::TPageScroller(QWidget* parent)
    : QScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWidgetResizable(false);
}

void TPageScroller::SetControl(QWidget* control)
{
    if (control == control_)
        return;
    if (control_) {
        // The scroll area owns what it shows; keep the old control alive
        // for the next switch.
        takeWidget();
        control_->setParent(parentWidget());
        control_->hide();
    }
    control_ = control;
    if (!control_) {
        resize(0, height());
        return;
    }
    control_->adjustSize();
    setWidget(control_);
    control_->show();
    resize(control_->size());
}
