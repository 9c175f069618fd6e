// The search bar's smoke test of the real executable on a real X server
// (CTest runs it under xvfb-run), with real X input faked by the server's
// XTest extension.
//
// The drawing has a frame and six texts, three of them holding "階段" at
// distinct places, far apart along the x axis. The settings leave the search
// toolbar floating beside the main window, with the combo box for the word
// (no narrowing) and "表示中心" checked, so that a search steps to its hits
// and centres the view on each.
//
// - The combo box is clicked (its white field in the bar's picture) and the
//   word is typed with X key events: the keymap holds no kanji, so each
//   character is put on a spare key for a moment.
// - Enter searches: the bar's caption, which is its floating window's
//   title, tells "1 / 3"; the view the program logs with the step's redraw
//   ("SearchNext()") is centred on the first hit; the picture shows the
//   three hits marked in the selection colour (red), apart from each other.
// - Enter again steps: "2 / 3", the view centred on the second hit, the
//   three hits still marked.
//
// Every wait is bounded and polls; the pictures are kept in the test
// artefacts, and on a failure the program's debug log too.

#include "core/BPoint.h"
#include "document/ZhdData.h"
#include "tests/smoke/ProgramLog.h"
#include "tests/smoke/SmokeSupport.h"
#include "tests/smoke/XWindows.h"
#include "tests/support/TempDir.h"

#include <QImage>

#include <X11/keysym.h>

#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace smoke;

constexpr auto change_wait = 15s;
constexpr auto quick_poll = 20ms;

// The search bar floats right of the main window, the word in the combo
// box, the view centred on each hit's lower-left corner.
constexpr char search_settings[] = "[Search]\nNarrow=0\nPanView=1\nPanPrt=0\nPanOrigin=0\nTargetLayer=0\n"
                                   "[ToolbarSearch]\nRev=3\nVisible=1\nDockedTo=+\nLastDock=DockTop\nDockRow=0\n"
                                   "DockPos=0\nFloatLeft=900\nFloatTop=100\n";
constexpr char8_t bar_caption[] = u8"文字列検索";
constexpr char32_t word[] = U"階段";
constexpr char8_t word_utf8[] = u8"階段";
constexpr double text_height = 8;

struct TPlacedText {
    const char8_t* text;
    TBPoint start;
};
// In the element list's order, which is the order of the hits.
const TPlacedText placed_texts[] = {
    { u8"北階段", TBPoint(-110, 40) }, { u8"廊下", TBPoint(-40, -60) }, { u8"階段室", TBPoint(0, -20) },
    { u8"便所", TBPoint(50, 70) },     { u8"南階段", TBPoint(100, 10) }, { u8"玄関", TBPoint(-20, 70) },
};
const TBPoint hits[] = { TBPoint(-110, 40), TBPoint(0, -20), TBPoint(100, 10) };

// Pixel columns of red further apart than this belong to different hits.
constexpr int hit_gap = 40;

std::filesystem::path WriteTextDrawing(const TempDir& folder)
{
    TZhdData drawing;
    drawing.GetHeadPtr().SetPaperSize(drawing_paper_size);
    const TBPoint corners[] = { TBPoint(-150, -100), TBPoint(150, -100), TBPoint(150, 100), TBPoint(-150, 100) };
    for (int i = 0; i < 4; ++i)
        AppendLine(drawing, corners[i], corners[(i + 1) % 4], 1);
    for (const TPlacedText& placed : placed_texts)
        AppendText(drawing, placed.start, placed.text, text_height);
    return SaveDrawing(drawing, folder);
}

std::string StepCaption(int number)
{
    return Utf8(u8"文字列検索 ... ") + Utf8(word_utf8) + " = " + std::to_string(number) + " / "
        + std::to_string(std::size(hits)) + Utf8(u8" 文字");
}

bool IsWhite(const QImage& picture, int x, int y)
{
    return (picture.pixel(x, y) & 0xffffff) == 0xffffff;
}

// A point in the first white run of at least `least` pixels, reading the
// picture row by row: the combo box's edit field, the bar's only wide white.
std::optional<QPoint> InWideWhite(const QImage& picture)
{
    constexpr int least = 100;
    for (int y = 0; y < picture.height(); ++y) {
        int run = 0;
        for (int x = 0; x < picture.width(); ++x) {
            run = IsWhite(picture, x, y) ? run + 1 : 0;
            if (run == least)
                return QPoint(x - least / 2, y + 2);
        }
    }
    return std::nullopt;
}

bool IsRed(const QImage& picture, int x, int y)
{
    return (picture.pixel(x, y) & 0xffffff) == 0xff0000;
}

// How many groups the pixels that turned red since `before` fall into along
// the x axis, groups being more than hit_gap columns apart. The bars' red
// stays where it was; the drawing's texts were grey.
int CountNewRedGroups(const QImage& picture, const QImage& before)
{
    if (picture.size() != before.size())
        return 0;
    std::vector<bool> red_column(static_cast<std::size_t>(picture.width()), false);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (IsRed(picture, x, y) && !IsRed(before, x, y))
                red_column[static_cast<std::size_t>(x)] = true;
        }
    }
    int groups = 0;
    int last = -hit_gap - 1;
    for (int x = 0; x < picture.width(); ++x) {
        if (!red_column[static_cast<std::size_t>(x)])
            continue;
        groups += x - last > hit_gap;
        last = x;
    }
    return groups;
}

// One run of zuview on the drawing.
class TSearch {
public:
    TSearch(TXConnection& x, TChild& zuview, const TempDir& folder, TXConnection::TWindow window)
        : x_(x)
        , zuview_(zuview)
        , log_(ChildDebugLog(folder))
        , window_(window)
    {
    }

    // Waits for the floating bar, which shows while the main window is
    // active.
    int Start()
    {
        x_.Activate(window_);
        const std::string caption = Utf8(bar_caption);
        const std::optional<TXConnection::TFound> bar = WaitForWindow(
            x_, zuview_, [&](const std::string& title) { return title == caption; }, "the floating bar " + caption);
        if (!bar)
            return 1;
        bar_ = bar->window;
        if (const int failed = KeepPicture(x_, window_, "zuview_search_start.png"))
            return failed;
        start_picture_ = x_.Grab(window_);
        return 0;
    }

    // The word typed into the combo box, then Enter: the first hit.
    int TypedWordFindsTheHits()
    {
        x_.Activate(bar_);
        QImage picture;
        std::optional<QPoint> field;
        for (const auto deadline = Clock::now() + change_wait; !field && Clock::now() < deadline;
             std::this_thread::sleep_for(quick_poll)) {
            picture = x_.Grab(bar_);
            field = InWideWhite(picture);
        }
        if (const int failed = SaveArtefact(picture, "zuview_search_bar.png"))
            return failed;
        if (!field)
            return Fail("the search bar shows no white field of the word's combo box");
        x_.MovePointer(x_.WindowOrigin(bar_) + *field);
        x_.PressButton(1);
        x_.ReleaseButton(1);
        log_.NewLines();
        if (!x_.TypeText(word))
            return Fail("the keymap has no spare key for the word's characters");
        x_.TypeKey(XK_Return);
        return ExpectStep(1, "zuview_search_first");
    }

    // Enter again: the second hit.
    int NextSearchStepsToTheSecondHit()
    {
        log_.NewLines();
        x_.TypeKey(XK_Return);
        return ExpectStep(2, "zuview_search_second");
    }

    int Close() { return CloseAndExpectCleanEnd(x_, zuview_, window_); }

private:
    // The bar's caption tells the hit `number`, the step's redraw logs the
    // view centred on it, and the picture shows the three hits marked;
    // keeps the pictures.
    int ExpectStep(int number, const std::string& artefact)
    {
        const std::string caption = StepCaption(number);
        std::optional<TLoggedView> logged;
        bool captioned = false;
        for (const auto deadline = Clock::now() + change_wait; !(logged && captioned);
             std::this_thread::sleep_for(quick_poll)) {
            for (const std::string& line : log_.NewLines()) {
                if (std::optional<TLoggedView> view = ParseStatusLine(line); view && view->label == "SearchNext()")
                    logged = view;
            }
            captioned = x_.FindWindow([&](const std::string& title) { return title == caption; }).has_value();
            if (const std::optional<int> status = zuview_.WaitStatus())
                return Fail("zuview ended while the test waited for " + caption + ": " + DescribeStatus(*status));
            if (Clock::now() > deadline) {
                SaveArtefact(x_.Grab(bar_), artefact + "_bar.png");
                return Fail(captioned ? "the program logged no redraw SearchNext() for " + caption
                                      : "the search bar's caption never became " + caption);
            }
        }
        if (const int failed = SaveArtefact(x_.Grab(bar_), artefact + "_bar.png"))
            return failed;
        if (const int failed = ExpectHitsMarked(artefact))
            return failed;
        const TBPoint& hit = hits[number - 1];
        std::printf("%s: view centre (%.3f, %.3f), hit at (%.3f, %.3f)\n", caption.c_str(), logged->x, logged->y,
                    hit.GetX(), hit.GetY());
        // To the digits of the status text, and a little for the rounding.
        if (std::abs(logged->x - hit.GetX()) > 6e-3 || std::abs(logged->y - hit.GetY()) > 6e-3)
            return Fail("the view is not centred on hit " + std::to_string(number));
        return 0;
    }

    // The picture is painted after the step's redraw: it is taken until it
    // shows the hits.
    int ExpectHitsMarked(const std::string& artefact)
    {
        QImage picture;
        int groups = 0;
        for (const auto deadline = Clock::now() + change_wait;
             groups != static_cast<int>(std::size(hits)) && Clock::now() < deadline;
             std::this_thread::sleep_for(quick_poll)) {
            picture = x_.Grab(window_);
            groups = CountNewRedGroups(picture, start_picture_);
        }
        if (const int failed = SaveArtefact(picture, artefact + ".png"))
            return failed;
        std::printf("red groups in the picture: %d\n", groups);
        if (groups != static_cast<int>(std::size(hits)))
            return Fail("the picture does not show the three hits marked apart");
        return 0;
    }

    TXConnection& x_;
    TChild& zuview_;
    TProgramLog log_;
    TXConnection::TWindow window_;
    TXConnection::TWindow bar_ = 0;
    QImage start_picture_;
};

int RunSteps(TSearch& search)
{
    return RunInTurn({ [&] { return search.Start(); }, [&] { return search.TypedWordFindsTheHits(); },
                       [&] { return search.NextSearchStepsToTheSecondHit(); }, [&] { return search.Close(); } });
}

int SearchesAndSteps(TXConnection& x, const TempDir& folder)
{
    const std::filesystem::path drawing = WriteTextDrawing(folder);
    if (drawing.empty())
        return Fail("could not write the drawing");
    if (!WriteSettings(folder, search_settings))
        return Fail("could not write the settings file");
    ParkPointer(x);

    return RunOnDrawing(x, folder, drawing, "zuview_search_debug.log", [&](TDrawingRun& run) {
        TSearch search(x, run.zuview, folder, run.window);
        return RunSteps(search);
    });
}

} // namespace

int main()
{
    return RunWithInput(SearchesAndSteps);
}
