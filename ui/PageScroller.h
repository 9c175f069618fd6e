#pragma once

// TPageScroller: shows one control in a strip of the control's height and
// scrolls it sideways when the strip is narrower than the control.

#include <QScrollArea>

class TPageScroller : public QScrollArea {
    Q_OBJECT
public:
    explicit TPageScroller(QWidget* parent = nullptr);

    QWidget* Control() const { return control_; }
    // The control shown (nullptr: none). The scroller takes the control's
    // size, so a toolbar lays it out whole.
    void SetControl(QWidget* control);

private:
    QWidget* control_ = nullptr;
};
