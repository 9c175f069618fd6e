#pragma once

// TTipBox: the small box of text the main window draws over the drawing
// beside a point: the gestures' names, the record of the element under the
// resting mouse, the hits of a search.
//
// The box is drawn straight into the paint box's picture. Before it draws,
// it saves the pixels it covers; the next tip shown at the same point puts
// them back first, so a tip that follows a gesture replaces itself. A tip
// may be pinned: it then stays until the next press, the next tip or a move
// of the mouse into it, and its removal shows the whole view again from the
// back buffer (which also takes away whatever else was drawn over it).
//
// The hidden label `Tips` measures the text and lends its font and colours;
// its caption is the text on the screen, empty when there is none. A
// feature that shows the whole view again from the back buffer empties it.

#include "platform/CanvasTypes.h"
#include "ui/MainFeature.h"

#include <QImage>

#include <functional>
#include <string>

class QLabel;
class TCanvas;
class TViewRedraw;

class TTipBox : public TMainFeature {
public:
    TTipBox(TMainWindowHost& host, TViewRedraw& view);

    // Shows `text` (Shift-JIS, "\n" between lines) in a box whose lower
    // left corner lies 5 pixels right of and 5 pixels above paint-box pixel
    // (x, y); `keep` pins it. A pinned tip goes first. The empty text
    // removes the tip: the whole view comes back from the back buffer, with
    // the print frame drawn again in the frame modes.
    void ShowTip(const std::string& text, int x, int y, bool keep);

    // A pinned tip is on the screen.
    bool Pinned() const { return pinned_; }
    // Left, top, right and bottom of the pinned tip; all -1 when there is
    // none.
    TRectI TipRect() const { return tip_rect_; }

    // For the press handler: a pinned tip goes, and the cross-hair it took
    // away with the picture is drawn again. Nothing without a pinned tip.
    void RemovePinned();
    // For the move handler: a move onto a pinned tip (its edges included)
    // unpins and removes it, leaving the cross-hair to the caller; true when
    // it did.
    bool RemoveIfEntered(int x, int y);

    // Draws the cross-hair again at the cursor point; the form gives it.
    // Nothing is drawn until then.
    void SetCrossHairRedraw(std::function<void()> redraw) { redraw_cross_hair_ = std::move(redraw); }
    // The print frame as the frame modes show it over the view: following
    // the mouse by its reference point at the press point, else at the
    // printer area's point. Not-XOR: drawn twice it goes.
    void DrawPaperFrame(TCanvas& canvas);

private:
    void RemoveTip();
    void DrawPrintFrameAgain();
    void DrawTip(const std::string& text, int x, int y, bool keep);
    // The box of the text: filled with the button face, one line of the
    // label's height share after the other, each cut to its share.
    QImage TipPicture(const std::string& text, QSize size) const;

    TViewRedraw& view_;
    QLabel& tips_;
    bool pinned_ = false;
    TRectI tip_rect_ { -1, -1, -1, -1 };
    // The pixels under the tip on the screen.
    QImage overlay_;
    std::function<void()> redraw_cross_hair_;
};
