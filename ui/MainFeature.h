#pragma once

// The features of the main window and what the window offers them.
//
// Each feature of the main window (the view's redraw, the status buttons,
// opening drawings, the command modes, the settings file, and those still
// to come) is a TMainFeature: it owns the state that only it uses and the
// keys of the settings file that are its own, and it reaches the window
// only through TMainWindowHost: the displayed drawing, the controls under
// their names, the state several features share, the redraw and the debug
// status line. A feature that needs another one (the status buttons, say)
// is given it when it is made.

#include "core/BPoint.h"
#include "core/StopWatch.h"
#include "ui/SettingKeys.h"

#include <QPoint>
#include <QString>

#include <string>
#include <vector>

class QMainWindow;

// The command modes, as TMainState::CommandMode holds them: what a click on
// the drawing does.
enum TCommandMode : int {
    NoCommandMode = 0,
    // Print or output frame; its sub-mode 1 is the frame following the
    // mouse.
    FrameMode = 1,
    AttributeMode = 3,
    ImageMode = 4,
    EndPointMode = 5,
    PreSelectMode = 6,
    SolidMode = 7,
};
inline constexpr int FrameFollowsMouse = 1;
class TZhdData;
struct TMainControls;

// The main window's state that more than one feature reads or writes.
struct TMainState {
    // The first part of the window's caption.
    QString WindowTitle;
    // A TCommandMode.
    int CommandMode = NoCommandMode;
    // The refinement of the command mode; 0 is none.
    int CommandSubMode = 0;
    // The status bar's text to put back after a mode or a command showed its
    // own.
    QString SavedStatusText;
    // The last known mouse position over the drawing, in paint-box pixels.
    QPoint CursorPoint;
    // Where the last gesture on the drawing began, in paint-box pixels.
    QPoint PressPoint;
    // How long the mouse has rested: restarted by every move over the
    // drawing and every wheel step. Tests give it a tick source of their
    // own.
    TStopWatch RestStopwatch;
    // Points the measuring commands picked, in drawing millimetres, drawn as
    // markers.
    std::vector<std::vector<TBPoint>> PickedPoints;
    // Nonzero while a both-button gesture is in progress: paints then leave
    // the drawing as the gesture drew it.
    int DragState = 0;
    // Set by the group and layer buttons: the next double click on the
    // drawing comes as two presses. The next mouse move clears it.
    int DoubleClickSuppression = 0;
    // A group or layer change waits for the next mouse move to be drawn;
    // the selection it made for the write target goes then, and the full
    // view it showed for the moment ends.
    bool GroupLayerRedrawPending = false;
    bool WriteTargetSelection = false;
    bool TemporaryFullView = false;
    // Counts the drawings shown: a handler that let other events run in
    // between (a wait for a double click) sees that another drawing was
    // opened meanwhile and leaves it alone.
    unsigned DrawingSerial = 0;
    bool MouseOverDrawing = false;
    // The search word's control was given the focus; the status line marks
    // it.
    bool SearchFocusFlag = false;
    // A search step moved the print frame to a hit and named the print
    // after it.
    bool SearchHit = false;
    // Print and output jobs: 1 while a job is being started and run from
    // the window; the kind of the job (1 printing, 2 image output, 0 none),
    // which the job's progress dialog sets back to 0.
    int Busy = 0;
    int PrintJobKind = 0;
};

class TMainWindowHost {
public:
    // The displayed drawing; nullptr once the window has closed.
    virtual TZhdData* Document() = 0;
    virtual TMainControls& Controls() = 0;
    virtual TMainState& State() = 0;
    // The window itself: the parent of dialogs, its caption and geometry.
    virtual QMainWindow& Window() = 0;
    // Redraws the displayed drawing through the redraw gate; the label names
    // the caller on the status line.
    virtual void Redraw(const std::string& label) = 0;
    // The debug status line: the label, the text, the focus and the command
    // mode.
    virtual void ShowStatusLine(const std::string& text, const std::string& label) = 0;

protected:
    ~TMainWindowHost() = default;
};

class TMainFeature {
public:
    explicit TMainFeature(TMainWindowHost& host)
        : host_(host)
    {
    }
    virtual ~TMainFeature() = default;
    TMainFeature(const TMainFeature&) = delete;
    TMainFeature& operator=(const TMainFeature&) = delete;

    // The feature's parts of the settings file; none unless it has keys.
    virtual std::vector<TSettingsBlock> SettingsBlocks() { return {}; }

protected:
    TMainWindowHost& host_;
};
