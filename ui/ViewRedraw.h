#pragma once

// TViewRedraw: the drawing view of the main window. It sets the view up for
// the paint box's size, draws the displayed drawing into the paint box's
// picture with the back buffer beside it, answers the paint box's paints
// and the window's resizes, and writes the debug status line.
//
// Every redraw goes through a gate: a redraw asked for less than 10 ms
// after the last one ended is put off, and the newest request put off is
// drawn once the gate opens, so bursts (options changed in a row, keys
// that piled up while the view was drawn) draw once and the last picture is
// always the current state.
//
// A view change that comes in quick series, a wheel turned through several
// notches, asks with CanvasDrawAfterBurst instead: the gate alone would draw
// its first step at once and make the rest wait for that whole drawing of a
// view already left behind. Such a request waits until the series has paused
// for the gate's 10 ms, and the series is drawn once, in its last view.

#include "ui/MainFeature.h"
#include "ui/RedrawClock.h"

#include <QImage>

#include <cstdint>
#include <memory>
#include <string>

class TStatusButtons;

class TViewRedraw : public TMainFeature {
public:
    TViewRedraw(TMainWindowHost& host, TStatusButtons& status_buttons);
    ~TViewRedraw() override;

    // Fits the paper into the paint box and draws it.
    void Initialize();
    // Redraws the document's view unless the gate puts the request off.
    void CanvasDraw(TZhdData& document, const std::string& label);
    // Redraws the displayed document's view once no such request has come
    // for 10 ms; each request of a series puts the redraw off again.
    void CanvasDrawAfterBurst(const std::string& label);
    void ShowStatusLine(const std::string& text, const std::string& label);
    // The window system asked for a paint of the paint box.
    void Paint();
    // The window or a dock changed size: the next paint sets the view up
    // again.
    void Resized();
    // The documents are gone: nothing is drawn any more.
    void Close();

    // The view was set up for the paint box's present size.
    bool Initialised() const { return initialised_; }
    // When the last full redraw ended.
    std::uint32_t LastRedrawTick() const { return last_redraw_tick_; }
    // The last full drawing of the view, without the overlays.
    const QImage& BackBuffer() const { return back_buffer_; }

    // The clock the gate goes by; the gate counts from its present time.
    void UseClock(std::unique_ptr<TRedrawClock> clock);

private:
    // The displayed document is redrawn through the gate, `milliseconds`
    // from now, instead of any redraw put off before.
    void PutOff(std::uint32_t milliseconds, const std::string& label);
    void DrawNow(TZhdData& document, const std::string& label);

    TStatusButtons& status_buttons_;
    std::unique_ptr<TRedrawClock> clock_;
    std::uint32_t last_redraw_tick_ = 0;
    QImage back_buffer_;
    bool initialised_ = false;
    bool closed_ = false;
};
