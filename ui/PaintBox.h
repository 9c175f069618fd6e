#pragma once

// TPaintBox: the drawing view of the main window. It keeps the picture it
// shows in a persistent image (32-bit RGB, one pixel per device pixel) that
// the drawing code paints on with a canvas; painting the widget only copies
// that image to the screen.
//
// Two ways a paint happens:
// - the window system asks (first show, resize, expose): OnPaint runs first,
//   so the owner can redraw the view into Front(), then the image is shown;
// - the owner drew into Front() itself and calls ShowFront(): the next paint
//   only shows the image, so showing a fresh picture never starts another
//   drawing of it.

#include <QImage>
#include <QWidget>

#include <functional>

class TPaintBox : public QWidget {
    Q_OBJECT
public:
    explicit TPaintBox(QWidget* parent = nullptr);

    // The shown picture, always of the widget's size (white when new).
    QImage& Front() { return front_; }
    const QImage& Front() const { return front_; }
    // The picture in Front() is complete: show it without asking OnPaint.
    void ShowFront();
    // Only the pixels inside `dirty` changed: show them the same way.
    void ShowFront(const QRect& dirty);

    // The window system's paint request; the owner redraws into Front().
    std::function<void()> OnPaint;
    // After the widget (and Front()) took a new size.
    std::function<void()> OnResize;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void FitFront();

    QImage front_;
    bool front_fresh_ = false;
};
