#pragma once

// What the benchmarks of the real main window share, on the offscreen
// platform: a folder of their own for the settings and the generated
// drawings, running the event loop until a condition holds or the window
// has settled, a paint box of the bench screen's size, and the program's
// main.
//
// The window puts off a redraw that comes less than 10 ms after the last
// one (a timer draws it then); the benchmarks wait for LastRedrawTick to
// move instead of taking a redraw for synchronous, and keep that gap open
// outside the timed part so that they time the drawing, not the gate.

#include "bench/support/BenchFolder.h"

#include <QObject>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

class QWidget;
class TForm1;
class TZhdData;
namespace benchmark {
class State;
}

namespace bench {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// What the window leaves between two redraws, and a little more.
inline constexpr auto redraw_gap = 11ms;

// The settings a window wrote when it went: the next one starts afresh.
void ForgetSettings();

// Counts the paints of a widget.
class TPaintCounter : public QObject {
public:
    explicit TPaintCounter(QWidget* widget);
    int Count() const { return count_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int count_ = 0;
};

// The opened drawing's picture was drawn whole: the last drawing of the
// document visited elements and has ended.
bool DrawingDrawn(TForm1& form);

// Runs the event loop until `done` answers true; false when the time ran
// out first.
bool ProcessEventsUntil(const std::function<bool()>& done);

// Runs the event loop until no redraw has come for a while and the gate of
// the next one is open.
bool Settle(TForm1& form);

// A window with the drawing open and its view set up, nothing pending;
// nullptr (and the benchmark told why) when it was not shown.
std::unique_ptr<TForm1> OpenForm(benchmark::State& state, const std::string& file);

// OpenForm, then the paint box sized to the bench screen and the window
// settled again; nullptr (and the benchmark told why) when either failed.
std::unique_ptr<TForm1> OpenFormAtBenchScreen(benchmark::State& state, const std::string& file);

// Sizes the window so that its paint box is BenchScreenWidth x
// BenchScreenHeight, as far as the window lets itself be sized.
void SizePaintBoxToBenchScreen(TForm1& form);

// A window with its paint box at the bench screen's size showing a copy of
// the drawing in the drawing's view, drawn, nothing pending.
std::unique_ptr<TForm1> WindowShowing(const TZhdData& drawing);

// The program's main: the application object first, on the offscreen
// platform unless another is asked for, the settings and the state in the
// benchmark's folder, and the bench screen for every view.
int RunMainWindowBenchmarks(int argc, char** argv);

} // namespace bench
