#include "bench/support/MainWindowBench.h"

#include "bench/support/BenchScreen.h"
#include "bench/support/RunBenchmarks.h"
#include "document/ZhdData.h"
#include "platform/ui/IniFile.h"
#include "render/InfoReg.h"
#include "ui/DrawingOpener.h"
#include "ui/MainForm.h"
#include "ui/PaintBox.h"
#include "ui/ViewRedraw.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <system_error>
#include <thread>
#include <utility>
#include <vector>

namespace bench {

namespace {

// The longest any one wait may take before the benchmark gives up.
constexpr auto wait_limit = 60s;
// No redraw for this long: nothing is pending any more (a postponed redraw
// comes within 10 ms).
constexpr auto quiet_time = 50ms;

} // namespace

TPaintCounter::TPaintCounter(QWidget* widget)
{
    widget->installEventFilter(this);
}

bool TPaintCounter::eventFilter(QObject*, QEvent* event)
{
    if (event->type() == QEvent::Paint)
        ++count_;
    return false;
}

void ForgetSettings()
{
    std::error_code ignored;
    std::filesystem::remove_all(ConfigFolder(), ignored);
}

bool DrawingDrawn(TForm1& form)
{
    TZhdData* document = form.Document();
    if (!document || form.Opener().CurrentDrawingPath().empty())
        return false;
    const TInfoREG& info = document->GetInfoRegPtr();
    return info.DrawingFlag == 0 && info.ElementTotal > 0;
}

bool ProcessEventsUntil(const std::function<bool()>& done)
{
    const auto deadline = Clock::now() + wait_limit;
    while (!done()) {
        if (Clock::now() > deadline)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return true;
}

bool Settle(TForm1& form)
{
    std::uint32_t last = form.View().LastRedrawTick();
    auto quiet_since = Clock::now();
    return ProcessEventsUntil([&] {
        if (form.View().LastRedrawTick() != last) {
            last = form.View().LastRedrawTick();
            quiet_since = Clock::now();
        }
        return Clock::now() - quiet_since > quiet_time;
    });
}

std::unique_ptr<TForm1> OpenForm(benchmark::State& state, const std::string& file)
{
    if (file.empty()) {
        state.SkipWithError("the generated drawing was not saved");
        return nullptr;
    }
    ForgetSettings();
    auto form = std::make_unique<TForm1>(std::vector<std::string> { file });
    form->show();
    if (!ProcessEventsUntil([&] { return DrawingDrawn(*form) && form->View().Initialised(); }) || !Settle(*form)) {
        state.SkipWithError("the drawing was not shown");
        return nullptr;
    }
    return form;
}

std::unique_ptr<TForm1> OpenFormAtBenchScreen(benchmark::State& state, const std::string& file)
{
    std::unique_ptr<TForm1> form = OpenForm(state, file);
    if (!form)
        return nullptr;
    SizePaintBoxToBenchScreen(*form);
    if (!Settle(*form)) {
        state.SkipWithError("the window did not settle");
        return nullptr;
    }
    return form;
}

std::unique_ptr<TForm1> WindowShowing(const TZhdData& drawing)
{
    auto form = std::make_unique<TForm1>();
    form->show();
    Settle(*form);
    SizePaintBoxToBenchScreen(*form);
    form->Timer1->stop();
    *form->Document() = drawing;
    // Past the redraw gate, then the drawing's view drawn.
    std::this_thread::sleep_for(redraw_gap);
    form->Initialize();
    Settle(*form);
    return form;
}

void SizePaintBoxToBenchScreen(TForm1& form)
{
    // The bars may wrap with the width, so it takes a few rounds.
    for (int round = 0; round < 4; ++round) {
        const QSize paint_box = form.PaintBox1->size();
        if (paint_box == QSize(BenchScreenWidth, BenchScreenHeight))
            return;
        form.resize(form.size() + QSize(BenchScreenWidth, BenchScreenHeight) - paint_box);
        Settle(form);
    }
}

int RunMainWindowBenchmarks(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    UseBenchScreen();
    if (BenchFolder().empty())
        return 1;
    setenv("XDG_CONFIG_HOME", (BenchFolder() / "config").c_str(), 1);
    setenv("XDG_STATE_HOME", (BenchFolder() / "state").c_str(), 1);
    QApplication application(argc, argv);
    return RunBenchmarks(argc, argv);
}

} // namespace bench
