// The group and layer smoke test of the real executable on a real X server
// (CTest runs it under xvfb-run), with real X input faked by the server's
// XTest extension.
//
// The drawing has a frame in group 0 / layer 0, a wide horizontal line of a
// colour of its own in group 1 and a wide vertical line of another colour
// in layer 1 of group 0. The settings leave the tool windows "グループ" and
// "レイヤー" and the view toolbar floating beside the main window.
//
// - Group 1's button, beside the write target's (found by its red frame in
//   the tool window's picture), is clicked three times: the display state
//   goes round from editable to hidden (the line's colour is gone from the
//   picture, the layer's line stays), display-only (the line comes back in
//   the display-only grey) and editable (its own colour again). The view
//   redraws on the next mouse move over the drawing, so the mouse moves
//   over it until the picture changes.
// - The same with layer 1's button.
// - The check box "幅表示" of the view toolbar (the leftmost white box of
//   its picture) is clicked: both lines are drawn with their widths.
//
// Every wait is bounded and polls; the pictures are kept in the test
// artefacts.

#include "core/BPoint.h"
#include "document/ZhdData.h"
#include "elements/KLine.h"
#include "platform/CanvasTypes.h"
#include "tests/smoke/SmokeSupport.h"
#include "tests/smoke/XWindows.h"
#include "tests/support/TempDir.h"

#include <QImage>
#include <QRect>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

using namespace smoke;

constexpr auto change_wait = 15s;
constexpr auto quick_poll = 20ms;

// The floating places of the tool windows and the view toolbar, right of
// the main window.
constexpr char floating_settings[] =
    "[ToolWindowGroup]\nRev=3\nVisible=1\nDockedTo=+\nLastDock=DockTop\nDockRow=0\nDockPos=0\n"
    "FloatLeft=900\nFloatTop=100\n"
    "[ToolWindowLayer]\nRev=3\nVisible=1\nDockedTo=+\nLastDock=DockTop\nDockRow=0\nDockPos=0\n"
    "FloatLeft=900\nFloatTop=300\n"
    "[ToolbarView]\nRev=3\nVisible=1\nDockedTo=+\nLastDock=DockTop\nDockRow=0\nDockPos=0\n"
    "FloatLeft=900\nFloatTop=500\n";
constexpr char8_t group_caption[] = u8"グループ";
constexpr char8_t layer_caption[] = u8"レイヤー";
constexpr char8_t view_caption[] = u8"表示設定";

// Pen colour numbers: white for the frame, yellow for group 1's line,
// green for layer 1's; the display-only pen is olive.
constexpr std::uint16_t frame_pen = 1;
constexpr std::uint16_t group_pen = 2;
constexpr std::uint16_t layer_pen = 4;
constexpr int display_only_pen = 9;
constexpr std::pair<int, TColor> pen_colours[] = { { frame_pen, PackColor(255, 255, 255) },
                                                   { group_pen, PackColor(255, 255, 0) },
                                                   { layer_pen, PackColor(0, 255, 0) },
                                                   { display_only_pen, PackColor(128, 128, 64) } };
// 6 mm in hundredths of a millimetre: several pixels in the fitted view.
constexpr std::uint16_t wide = 600;
// The button cells of the bars.
constexpr int cell_width = 19;
// Fewer pixels of a colour than this: the line is not drawn (the
// cross-hair at the mouse may mix into a few).
constexpr int gone = 8;
// A line drawn with its width is at least this many pixels across.
constexpr int widened = 3;

std::filesystem::path WriteLayeredDrawing(const TempDir& folder)
{
    TZhdData drawing;
    TZhdHead& head = drawing.GetHeadPtr();
    head.SetPaperSize(drawing_paper_size);
    // Widths in hundredths of a millimetre on the screen too.
    head.SetMaxLineDrawWidth(-100);
    // A new header's pens are all one grey.
    TVect<TZhdPen> pens = head.GetPens();
    for (const auto& [number, colour] : pen_colours)
        pens.Set(number, TZhdPen(colour, 1));
    head.SetPens(pens);
    const TBPoint corners[] = { TBPoint(-150, -100), TBPoint(150, -100), TBPoint(150, 100), TBPoint(-150, 100) };
    for (int i = 0; i < 4; ++i)
        AppendLine(drawing, corners[i], corners[(i + 1) % 4], frame_pen);
    TKLine& group_line = AppendLine(drawing, TBPoint(-120, 50), TBPoint(120, 50), group_pen);
    group_line.SetGLayer(1);
    group_line.SetPenWidth(wide);
    TKLine& layer_line = AppendLine(drawing, TBPoint(50, -80), TBPoint(50, 80), layer_pen);
    layer_line.SetLayer(1);
    layer_line.SetPenWidth(wide);
    return SaveDrawing(drawing, folder);
}

QRgb Rgb(TColor colour)
{
    return qRgb(colour & 0xff, (colour >> 8) & 0xff, (colour >> 16) & 0xff);
}

bool Is(const QImage& picture, int x, int y, QRgb colour)
{
    return (picture.pixel(x, y) & 0xffffff) == (colour & 0xffffff);
}

int CountPixels(const QImage& picture, QRgb colour)
{
    int count = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x)
            count += Is(picture, x, y, colour);
    }
    return count;
}

// How many pixels of the colour a line is across: the median count over
// the columns (a horizontal line) or rows (a vertical one) that hold it.
int Thickness(const QImage& picture, QRgb colour, bool horizontal)
{
    const int along = horizontal ? picture.width() : picture.height();
    const int across = horizontal ? picture.height() : picture.width();
    std::vector<int> counts;
    for (int i = 0; i < along; ++i) {
        int count = 0;
        for (int j = 0; j < across; ++j)
            count += horizontal ? Is(picture, i, j, colour) : Is(picture, j, i, colour);
        if (count > 0)
            counts.push_back(count);
    }
    if (counts.empty())
        return 0;
    std::nth_element(counts.begin(), counts.begin() + counts.size() / 2, counts.end());
    return counts[counts.size() / 2];
}

// The smallest rectangle holding the pixels of the colour.
QRect Bounds(const QImage& picture, QRgb colour)
{
    QRect bounds;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (Is(picture, x, y, colour))
                bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

// The leftmost white box of at least 7 x 7 pixels: the check box's
// indicator, which comes first on the toolbar.
std::optional<QPoint> FirstWhiteBox(const QImage& picture)
{
    constexpr int least = 7;
    const QRgb white = qRgb(255, 255, 255);
    const auto white_block = [&](int left, int top) {
        for (int y = top; y < top + least; ++y) {
            for (int x = left; x < left + least; ++x) {
                if (!Is(picture, x, y, white))
                    return false;
            }
        }
        return true;
    };
    for (int x = 0; x + least <= picture.width(); ++x) {
        for (int y = 0; y + least <= picture.height(); ++y) {
            if (white_block(x, y))
                return QPoint(x + least / 2, y + least / 2);
        }
    }
    return std::nullopt;
}

// The colours the program draws the lines in, from the drawing's pens.
struct TColours {
    QRgb group = 0;
    QRgb layer = 0;
    QRgb display_only = 0;
};

std::optional<TColours> ReadColours(const std::filesystem::path& drawing)
{
    TZhdData document;
    if (document.LoadFromFile(drawing.string()).status != TLoadStatus::Loaded)
        return std::nullopt;
    auto& pens = document.GetPenMapPtr();
    return TColours { Rgb(pens[std::to_string(group_pen)].GetColorValue()),
                      Rgb(pens[std::to_string(layer_pen)].GetColorValue()), Rgb(pens["G"].GetColorValue()) };
}

// One run of zuview on the drawing.
class TLayers {
public:
    TLayers(TXConnection& x, TChild& zuview, TXConnection::TWindow window, const TColours& colours)
        : x_(x)
        , zuview_(zuview)
        , window_(window)
        , colours_(colours)
    {
    }

    // Waits for both lines, and for the floating windows once the main
    // window is active.
    int Start()
    {
        const QImage first = x_.Grab(window_);
        // The mouse moves over the drawing below the centre, away from the
        // lines (the paint box fills the window's middle).
        hover_ = QPoint(first.width() * 3 / 10, first.height() * 2 / 3);
        if (const int failed = WaitForPicture(
                [&](const QImage& picture) {
                    return CountPixels(picture, colours_.group) >= gone && CountPixels(picture, colours_.layer) >= gone;
                },
                "zuview_layers_start", "both lines drawn"))
            return failed;
        shown_ = { CountPixels(picture_, colours_.group), CountPixels(picture_, colours_.layer) };
        x_.Activate(window_);
        for (const auto& [caption, found] : { std::pair { group_caption, &group_bar_ },
                                              std::pair { layer_caption, &layer_bar_ },
                                              std::pair { view_caption, &view_bar_ } }) {
            const std::string title = Utf8(caption);
            const std::optional<TXConnection::TFound> window = WaitForWindow(
                x_, zuview_, [&](const std::string& t) { return t == title; }, "the floating window " + title);
            if (!window)
                return 1;
            *found = window->window;
        }
        return 0;
    }

    // Three clicks on the button beside the write target's: hidden,
    // display-only, editable.
    int ClicksCycle(TXConnection::TWindow bar, QRgb line, QRgb other_line, int shown, const std::string& name)
    {
        const std::optional<QPoint> button = NeighbourOfWriteTarget(bar, "zuview_layers_" + name + "_bar");
        if (!button)
            return Fail("the " + name + " bar shows no write target framed in red");
        const QPoint on_screen = x_.WindowOrigin(bar) + *button;
        const int display_only_before = CountPixels(picture_, colours_.display_only);
        const struct {
            const char* state;
            std::function<bool(const QImage&)> shows;
        } steps[] = {
            { "hidden",
              [&](const QImage& picture) {
                  return CountPixels(picture, line) < gone && CountPixels(picture, other_line) >= gone;
              } },
            { "display_only",
              [&](const QImage& picture) {
                  return CountPixels(picture, line) < gone
                      && CountPixels(picture, colours_.display_only) - display_only_before >= shown / 2;
              } },
            { "shown", [&](const QImage& picture) { return CountPixels(picture, line) >= shown / 2; } },
        };
        for (const auto& step : steps) {
            Click(on_screen);
            if (const int failed =
                    WaitForPicture(step.shows, "zuview_layers_" + name + "_" + step.state, name + " " + step.state))
                return failed;
        }
        return SaveArtefact(x_.Grab(bar), "zuview_layers_" + name + "_bar_after.png");
    }

    int GroupClicksCycle()
    {
        return ClicksCycle(group_bar_, colours_.group, colours_.layer, shown_.first, "group");
    }
    int LayerClicksCycle()
    {
        return ClicksCycle(layer_bar_, colours_.layer, colours_.group, shown_.second, "layer");
    }

    int WidthThickensTheLines()
    {
        const QImage bar = x_.Grab(view_bar_);
        if (const int failed = SaveArtefact(bar, "zuview_layers_view_bar.png"))
            return failed;
        const std::optional<QPoint> box = FirstWhiteBox(bar);
        if (!box)
            return Fail("the view toolbar shows no check box");
        const int group_before = Thickness(picture_, colours_.group, true);
        const int layer_before = Thickness(picture_, colours_.layer, false);
        std::printf("lines before the width option: %d and %d pixels across\n", group_before, layer_before);
        Click(x_.WindowOrigin(view_bar_) + *box);
        const auto thick = [&](const QImage& picture) {
            const int group = Thickness(picture, colours_.group, true);
            const int layer = Thickness(picture, colours_.layer, false);
            return group >= widened && group > group_before && layer >= widened && layer > layer_before;
        };
        if (const int failed = WaitForPicture(thick, "zuview_layers_width", "the lines drawn with their widths"))
            return failed;
        std::printf("lines with the width option: %d and %d pixels across\n",
                    Thickness(picture_, colours_.group, true), Thickness(picture_, colours_.layer, false));
        return SaveArtefact(x_.Grab(view_bar_), "zuview_layers_view_bar_after.png");
    }

    int Close() { return CloseAndExpectCleanEnd(x_, zuview_, window_); }

private:
    // The middle of the cell right of the write target's red frame in the
    // bar's picture (the bars start with a row of at least two buttons).
    std::optional<QPoint> NeighbourOfWriteTarget(TXConnection::TWindow bar, const std::string& artefact)
    {
        QImage picture;
        QRect frame;
        for (const auto deadline = Clock::now() + change_wait; frame.isEmpty() && Clock::now() < deadline;
             std::this_thread::sleep_for(quick_poll)) {
            picture = x_.Grab(bar);
            frame = Bounds(picture, qRgb(255, 0, 0));
        }
        SaveArtefact(picture, artefact + ".png");
        if (frame.isEmpty() || frame.width() > cell_width)
            return std::nullopt;
        // The frame starts 2 pixels into its cell.
        return QPoint(frame.left() - 2 + cell_width + cell_width / 2, frame.center().y());
    }

    void Click(QPoint on_screen)
    {
        x_.MovePointer(on_screen);
        x_.PressButton(1);
        x_.ReleaseButton(1);
    }

    // Moves the mouse over the drawing, a pixel to and fro, until the
    // window's picture `shows` what it must; keeps the last picture.
    int WaitForPicture(const std::function<bool(const QImage&)>& shows, const std::string& artefact,
                       const std::string& what)
    {
        const QPoint origin = x_.WindowOrigin(window_);
        const auto deadline = Clock::now() + change_wait;
        for (int step = 0;; ++step) {
            x_.MovePointer(origin + hover_ + QPoint(step % 2, 0));
            std::this_thread::sleep_for(quick_poll);
            picture_ = x_.Grab(window_);
            if (shows(picture_))
                return SaveArtefact(picture_, artefact + ".png");
            if (const std::optional<int> status = zuview_.WaitStatus())
                return Fail("zuview ended while the test waited for " + what + ": " + DescribeStatus(*status));
            if (Clock::now() > deadline) {
                SaveArtefact(picture_, artefact + ".png");
                return Fail("the picture does not show " + what);
            }
        }
    }

    TXConnection& x_;
    TChild& zuview_;
    TXConnection::TWindow window_;
    TColours colours_;
    TXConnection::TWindow group_bar_ = 0;
    TXConnection::TWindow layer_bar_ = 0;
    TXConnection::TWindow view_bar_ = 0;
    QPoint hover_;
    QImage picture_;
    // The pixels of group 1's and of layer 1's line at start.
    std::pair<int, int> shown_;
};

int RunSteps(TLayers& layers)
{
    return RunInTurn({ [&] { return layers.Start(); }, [&] { return layers.GroupClicksCycle(); },
                       [&] { return layers.LayerClicksCycle(); }, [&] { return layers.WidthThickensTheLines(); },
                       [&] { return layers.Close(); } });
}

int ShowsAndHides(TXConnection& x, const TempDir& folder)
{
    const std::filesystem::path drawing = WriteLayeredDrawing(folder);
    if (drawing.empty())
        return Fail("could not write the drawing");
    const std::optional<TColours> colours = ReadColours(drawing);
    if (!colours)
        return Fail("the test could not load its own drawing");
    if (!WriteSettings(folder, floating_settings))
        return Fail("could not write the settings file");
    ParkPointer(x);

    return RunOnDrawing(x, folder, drawing, "zuview_layers_debug.log", [&](TDrawingRun& run) {
        TLayers layers(x, run.zuview, run.window, *colours);
        return RunSteps(layers);
    });
}

} // namespace

int main()
{
    return RunWithInput(ShowsAndHides);
}
