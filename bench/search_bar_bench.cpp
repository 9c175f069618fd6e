// The search bar's narrowing mode on the real main window (offscreen, the
// paint box the bench screen's 1920 x 1080), over a drawing of 5 x 10^4 room
// labels (5 x 10^3 under CTest): a table of 120 Japanese names (ten
// prefixes by twelve rooms) with a number from 1 to 30, so 3600 distinct
// texts, each some fourteen times.
//
// - BM_Keystroke: one change of the search edit, as a keystroke makes it;
//   the edit's change handler collects the texts, sorts them, keeps those
//   that begin with the word and refills the candidate box, then shows it.
//   Case 0 types "北" into the empty edit (360 candidates), case 1 adds "階"
//   ("北階": 30), case 2 takes "北" away again: the empty word lists every
//   text (3600), and clears the marks with a redraw of the view, which the
//   handler includes. "narrowing_ms" is the narrowing alone as the bar times
//   it itself (the figure in its caption): collecting, sorting, filtering
//   and the box's refill.
// - BM_BoxUpdate: the candidate box alone told that the candidates changed
//   and shown and refilled, for 11 candidates ("北階段1") and for 3600 (the
//   empty word); its time must not grow with the number of candidates (the
//   box is a view over the bar's vector). "box_visible" 1: the box was shown.
//
// The time is the handler's with the redraw gate open.

#include "bench/support/MainWindowBench.h"
#include "bench/support/Random.h"
#include "controls/Toolbar97.h"
#include "document/ZhdData.h"
#include "elements/KMoji.h"
#include "platform/ShiftJis.h"
#include "platform/ui/QtText.h"
#include "ui/CandidateBox.h"
#include "ui/MainForm.h"
#include "ui/SearchBar.h"

#include <QCheckBox>
#include <QLineEdit>
#include <benchmark/benchmark.h>
#include <boost/make_shared.hpp>

#include <cstdlib>
#include <memory>
#include <string>
#include <thread>

namespace {

using namespace bench;

constexpr int numbers_per_name = 30;

const char8_t* const prefixes[] = { u8"北", u8"南", u8"東", u8"西", u8"第一", u8"第二", u8"上", u8"下", u8"中", u8"新" };
const char8_t* const rooms[] = { u8"洋室",   u8"和室",   u8"階段",   u8"廊下",   u8"便所",   u8"玄関",
                                 u8"倉庫",   u8"事務室", u8"会議室", u8"機械室", u8"電気室", u8"浴室" };

// Labels at random places of an A1 sheet; the same on every machine.
std::unique_ptr<TZhdData> GenerateRoomLabels(int count)
{
    auto drawing = std::make_unique<TZhdData>();
    drawing->GetHeadPtr().SetPaperSize(1);
    TRandom random(119);
    for (int i = 0; i < count; ++i) {
        const std::string text = sj(prefixes[random.Below(static_cast<int>(std::size(prefixes)))])
            + sj(rooms[random.Below(static_cast<int>(std::size(rooms)))])
            + std::to_string(1 + random.Below(numbers_per_name));
        const TBPoint start(random.Between(-400, 400), random.Between(-280, 280));
        const TBPoint end(start.GetX() + 3.0 * static_cast<double>(text.size()) / 2, start.GetY());
        drawing->GetElemListPtr().Append(
            boost::make_shared<TKMoji>(start, end, TZhdaMoji(3, 3, 0, 1), 1, TAngle(0.0), "", text));
    }
    return drawing;
}

// The window on `state.range(0)` labels, the bar in narrowing mode.
std::unique_ptr<TForm1> NarrowingWindow(benchmark::State& state)
{
    std::unique_ptr<TForm1> form = OpenFormAtBenchScreen(
        state, DrawingFile("room_labels", static_cast<int>(state.range(0)), GenerateRoomLabels));
    if (!form)
        return nullptr;
    form->cbSearchNarrow->setChecked(true);
    Settle(*form);
    return form;
}

// The narrowing's own time in the bar's caption "... (s秒)", in ms.
double CaptionMilliseconds(TForm1& form)
{
    const std::string caption = form.ToolbarSearch->Caption().toStdString();
    const std::size_t open = caption.rfind('(');
    return open == std::string::npos ? 0 : std::strtod(caption.c_str() + open + 1, nullptr) * 1e3;
}

struct TKeystroke {
    const char* name;
    const char8_t* before;
    const char8_t* after;
};
const TKeystroke keystrokes[] = {
    { "one_character", u8"", u8"北" },
    { "two_characters", u8"北", u8"北階" },
    { "empty_word", u8"北", u8"" },
};

void BM_Keystroke(benchmark::State& state)
{
    const TKeystroke& keystroke = keystrokes[state.range(1)];
    state.SetLabel(keystroke.name);
    std::unique_ptr<TForm1> form = NarrowingWindow(state);
    if (!form)
        return;
    QLineEdit& edit = *form->ebSearchWord;
    double narrowing = 0;
    for (auto _ : state) {
        edit.setText(QtText(keystroke.before));
        Settle(*form);
        std::this_thread::sleep_for(redraw_gap);
        const auto start = Clock::now();
        edit.setText(QtText(keystroke.after));
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        narrowing += CaptionMilliseconds(*form);
    }
    state.counters["candidates"] = static_cast<double>(form->SearchBar().Candidates().size());
    state.counters["narrowing_ms"] = narrowing / static_cast<double>(state.iterations());
}
// Under CTest only the smaller drawing; the figures are those of 5 x 10^4.
void KeystrokeArguments(benchmark::internal::Benchmark* benchmark)
{
    for (const int count : { 5000, 50000 }) {
        for (int keystroke = 0; keystroke < static_cast<int>(std::size(keystrokes)); ++keystroke)
            benchmark->Args({ count, keystroke });
    }
}
BENCHMARK(BM_Keystroke)->Apply(KeystrokeArguments)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(10);

const char8_t* const box_words[] = { u8"北階段1", u8"" };

void BM_BoxUpdate(benchmark::State& state)
{
    std::unique_ptr<TForm1> form = NarrowingWindow(state);
    if (!form)
        return;
    form->ebSearchWord->setText(QtText(box_words[state.range(1)]));
    Settle(*form);
    TfmCandidateBox& box = form->SearchBar().CandidateBox();
    for (auto _ : state) {
        box.CandidatesChanged();
        box.ShowAndRefill();
    }
    state.counters["candidates"] = static_cast<double>(form->SearchBar().Candidates().size());
    state.counters["box_visible"] = box.isVisible();
}
BENCHMARK(BM_BoxUpdate)
    ->ArgsProduct({ { 5000, 50000 }, { 0, 1 } })
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(1000);

} // namespace

int main(int argc, char** argv)
{
    return RunMainWindowBenchmarks(argc, argv);
}
