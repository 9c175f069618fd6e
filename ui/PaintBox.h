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
//   drawing of it. An overlay (a marker, a tip, a frame) changes a few
//   pixels: ShowFrontRect() shows only the rectangle it touched.

#include <QImage>
#include <QWidget>

#include <functional>

// Copies `source` onto `target` with its top-left corner at `at`; what falls
// outside `target` is left out. Both are 32-bit RGB.
void PasteImage(QImage& target, const QImage& source, QPoint at);

class TPaintBox : public QWidget {
    Q_OBJECT
public:
    explicit TPaintBox(QWidget* parent = nullptr);

    // The shown picture, always of the widget's size (white when new).
    QImage& Front() { return front_; }
    const QImage& Front() const { return front_; }
    // The picture in Front() is complete: show it without asking OnPaint.
    void ShowFront();
    // Only the pixels of Front() inside `rect` changed: show them, without
    // asking OnPaint.
    void ShowFrontRect(const QRect& rect);
    // The picture becomes Front() and is shown; one of another size is
    // ignored (a resize's paint is then on its way).
    void ShowPicture(const QImage& picture);
    // The pixels of Front() under `rect`; those outside Front() read black.
    QImage CopyFront(const QRect& rect) const;
    // Puts the pixels onto Front() with their top-left corner at `at`, as
    // far as they fall inside it, and shows that rectangle.
    void PutFront(const QImage& pixels, QPoint at);
    // Puts the screen's mouse cursor onto paint-box pixel `pixel`. A window
    // system that refuses (Wayland may) leaves it where it is.
    void MoveCursorTo(QPoint pixel);

    // The window system's paint request; the owner redraws into Front().
    std::function<void()> OnPaint;
    // After the widget (and Front()) took a new size.
    std::function<void()> OnResize;
    // The mouse's buttons (Qt's, one at a time) and moves, in pixels of the
    // widget; a double click comes as a press.
    std::function<void(Qt::MouseButton button, QPoint point)> OnMouseDown;
    std::function<void(QPoint point)> OnMouseMove;
    std::function<void(Qt::MouseButton button, QPoint point)> OnMouseUp;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void FitFront();

    QImage front_;
    bool front_fresh_ = false;
};
