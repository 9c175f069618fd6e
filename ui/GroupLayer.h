#pragma once

// TfmGroupLayer: the overview of the groups or of the write group's layers,
// sixteen thumbnails of the displayed drawing in a 4 x 4 grid, each showing
// one group (layer) alone. A label on each names it and shows its state,
// write target and protection; clicks on the thumbnails change the write
// target, the states and the protection as the group and layer bars do, on
// the working header that the window hands back (header 16) and on the
// displayed document.
//
// The thumbnails are drawn from a scratch copy of the displayed document
// that shares its elements, so the displayed document's header, view and
// layer states stay as they were. Each thumbnail is drawn once per opening
// and size into an image; a paint only copies it, so relabelling and the
// protection marks never draw the drawing again.

#include <QDialog>
#include <QImage>

#include <functional>
#include <memory>
#include <vector>

class QFrame;
class QKeyEvent;
class QLabel;
class QTimer;
class TGroupLayerBars;
class TMainWindowHost;
class TZhdData;
class TZhdHead;

namespace Ui {
class TfmGroupLayer;
}

class TfmGroupLayer : public QDialog {
public:
    explicit TfmGroupLayer(QWidget* parent = nullptr);
    ~TfmGroupLayer() override;

    // Before each opening: the window's size (94 % of the main window's),
    // caption, Label1, mode and the 17 headers from `head` for the groups
    // (p = -1) or the layers of group p; the thumbnails are drawn anew.
    void Prepare(int p, const TZhdHead& head, TMainWindowHost& host, TGroupLayerBars& bars);
    // The working header, which the caller takes back.
    const TZhdHead& ResultHeader() const;
    int Mode() const { return mode_; }

    // The form's events.
    void FormResize();
    void FormShow();
    bool FormKeyDown(QKeyEvent* event);
    // The thumbnails' events; `index` is the thumbnail's tag.
    void PaintDraw(int index, QWidget& paint_box);
    void PaintMouseDown(int index, Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void PaintMouseUp(int index, Qt::MouseButton button, int x, int y);
    void Timer1Timer();

    void UpdateLabels();
    // Shows the protection marks over every label until it is relabelled.
    void GLProtect();
    void DrawProtectMark(int index);

    // For tests: the thumbnail panels, their labels, the timer, and how
    // many thumbnails were drawn from the drawing.
    QWidget* Panel(int index) const;
    QLabel* Label(int index) const;
    bool MarksShown(int index) const;
    QTimer* Timer1() const { return timer_; }
    int ThumbnailsDrawn() const { return thumbnails_drawn_; }
    QLabel* Label1() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    // Thumbnail i drawn from the scratch copy at the size given.
    QImage DrawThumbnail(int index, QSize size);

    std::unique_ptr<Ui::TfmGroupLayer> ui_;
    std::vector<QFrame*> panels_;
    int rows_ = 4;
    int columns_ = 4;
    std::vector<TZhdHead> headers_;
    int mode_ = 1;
    QTimer* timer_ = nullptr;
    TMainWindowHost* host_ = nullptr;
    TGroupLayerBars* bars_ = nullptr;
    // The displayed document's copy the thumbnails are drawn from, made at
    // each opening; its elements are the displayed document's.
    std::unique_ptr<TZhdData> scratch_;
    std::vector<QImage> thumbnails_;
    int thumbnails_drawn_ = 0;
};
