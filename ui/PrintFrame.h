#pragma once

// TPrintFrame: the print frame of the print and output modes and the print
// toolbar's controls that edit it. The frame is the paper laid on the
// drawing at the print scale, turned by the print angle and held by one of
// its nine reference points (0 lower left to 8 upper right, the keypad digit
// minus 1). Its centre, scale and reference point are the header's printer
// area, so they go with the drawing; its paper size, angle and colour switch
// are the view state's.
//
// The frame is drawn not-XOR over the shown picture: whatever changes its
// size or reference point draws the old frame once more, which takes it
// away, and then the new one. A full redraw draws it afresh.
//
// The frame mode's clicks are here too: standing still, a left click starts
// the job and a right click makes the frame follow the mouse; following, a
// click sets it down where it hangs, or with the right button snapped to the
// nearest point of the drawing.

#include "ui/MainFeature.h"

#include <QObject>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <functional>
#include <memory>

class QComboBox;
class TBPoint;
class TfmInputBox;
class TfmPrintOrigin;
class TPointingServices;
class TTipBox;
class TZhdData;
class TZhdZoomF;
struct TMouseRelease;

// The sub-modes of the frame modes besides FrameFollowsMouse (1).
inline constexpr int FrameStandsStill = 0;
// The next move takes the frame away from where it stands and it follows.
inline constexpr int FrameLeavesItsPlace = 2;
// Set by the range button: the next move goes on to FrameLeavesItsPlace.
inline constexpr int FrameAboutToMove = 3;

// The preset scales of cbPrintBai's items 0 to 6; item 7 is the free scale.
inline constexpr int FreeScaleItem = 7;
// The item that shows scale percentage `percent` (already rounded), or
// FreeScaleItem for one without a preset.
int PrintScaleItem(int percent);
// The scale of preset item 0 to 6; 0 for any other item.
double PresetPrintScale(int item);
// Item 7's text for a free scale: "任意倍率 (<percent> %)".
QString FreePrintScaleText(double scale);
// Only a scale above 0 (and finite) makes a frame: the frame and the jobs
// divide by it.
bool IsUsablePrintScale(double scale);

// Where a dialog opened under a control goes: left under the control, moved
// left or up as far as needed to stay within the screen (never beyond its
// left or top edge by this rule).
QPoint PlaceUnderControl(const QRect& control, QSize dialog, const QRect& screen);

// The angle history's rule: `text` moves to the top, or is inserted there
// when the box has no item of exactly that text; then a list longer than
// ten loses its item 10.
void PushAngleHistory(QComboBox& box, const QString& text);

class TPrintFrame : public QObject, public TMainFeature {
    Q_OBJECT
public:
    struct TActions {
        // The job button's click (print or output now).
        std::function<void()> print_click;
        // The forms the program made; a form not given is made here on first
        // use.
        std::function<TfmPrintOrigin*()> origin_dialog;
        std::function<TfmInputBox*()> input_box;
    };

    TPrintFrame(TMainWindowHost& host, TPointingServices& pointing, TTipBox& tip_box, TActions actions);
    ~TPrintFrame() override;

    // The angle box's leaving comes here; the form connects the other
    // controls to its handlers.
    void InstallAngleExit();

    // --- The print toolbar ---
    // The frame starts to follow the mouse, which goes onto its reference
    // point.
    void RangeClick();
    // The reference point from the reference-point dialog; the centre stays.
    void OriginClick();
    // A scale item was chosen: a preset, or a free percentage asked for.
    void ScaleChange();
    // The angle box's text becomes the print angle and the top of the
    // history.
    void AngleExit();
    // A history item was chosen.
    void AngleClick(int index);
    void ColorPrintClick();
    // Shows the area's reference point and scale in the toolbar and makes it
    // the document's printer area.
    void ShowPrintZoom(const TZhdZoomF& area, TZhdData& document);

    // --- The frame mode's click ---
    void Click(TMouseRelease& release);


protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ClickStandingStill(const TMouseRelease& release);
    void ClickFollowing(TMouseRelease& release);
    // The frame ends its move: its reference point goes to `reference` in
    // the drawing, and the toolbar's buttons come back.
    void SetDown(const TBPoint& reference);
    // The frame's centre as it now shows: hanging by its reference point at
    // the cursor while it follows the mouse, else the printer area's point.
    TBPoint ShownFrameCentre(TZhdData& document) const;
    // The frame drawn not-XOR on the shown picture, when the frame shows.
    void DrawFrameAt(TZhdData& document, const TBPoint& centre);
    // The free scale asked for in the input box; false when it was cancelled
    // or refused.
    bool AskFreeScale(double& scale);
    void ApplyAngleText();

    TfmPrintOrigin& OriginDialog();
    TfmInputBox& InputBox();

    TPointingServices& pointing_;
    TTipBox& tip_box_;
    TActions actions_;
    double free_print_scale_ = 0;
    // The angle box's exit moves the focus, which would leave the box again.
    bool leaving_angle_box_ = false;
    std::unique_ptr<TfmPrintOrigin> own_origin_dialog_;
    std::unique_ptr<TfmInputBox> own_input_box_;
};
