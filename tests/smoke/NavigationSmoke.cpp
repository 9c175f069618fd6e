// The navigation smoke test of the real executable on a real X server
// (CTest runs it under xvfb-run): the drawing view is moved with real X
// input, faked by the server's XTest extension, and after every step the
// test checks that the view the program reports and the picture it shows
// are the ones the step must give.
//
// The steps, in this order:
// - at start the view fits the paper;
// - Right, then Up, pan by a quarter of the view along the drawing's axis;
// - Home goes back to the view that fits the paper (the drawing remembers no
//   range);
// - the wheel turned one notch towards the user zooms in one step about the
//   mouse: the drawing point under the mouse stays under it;
// - a drag with both buttons down and to the right zooms to its box, whose
//   centre becomes the view's centre and where the mouse is put.
// The mouse never enters the drawing before the keys: until it has, the
// view knows no mouse position and keeps its cross-hair on pixel (0, 0).
//
// How the test knows the view: the program writes its debug status line,
// whose status text holds the scale and the centre, to its debug log with
// the label of the redraw ("KeyDown()", "MouseWheelDown()", "MouseUp()").
// The logged view must agree with the view the test computes, to the
// precision of the text. The picture on the screen must then equal, pixel
// for pixel, the test's own drawing of the computed view with the project's
// render code, made with the paint box's size (which the log tells too).
// The drawing has no texts, so no font enters the picture. Only the row and
// the column of the cross-hair at the mouse, drawn over the picture in
// not-XOR mode, are left out of the comparison, a pixel to either side.
//
// Where the paint box is in the window: the first picture, the fitted view,
// is searched for in the window's picture.
//
// Every wait is bounded and polls; the window's pictures are kept in the
// test artefacts, and on a mismatch the expected picture beside them.

#include "document/ZhdData.h"
#include "platform/ImageCanvas.h"
#include "platform/ScreenMetrics.h"
#include "render/InfoReg.h"
#include "tests/smoke/ProgramLog.h"
#include "tests/smoke/SmokeSupport.h"
#include "tests/smoke/XWindows.h"
#include "tests/support/TempDir.h"
#include "ui/ViewChange.h"

#include <QImage>
#include <QRect>

#include <X11/keysym.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <numbers>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace smoke;

constexpr auto view_wait = 15s;
constexpr auto quick_poll = 20ms;

// A point of the drawing for the wheel: on a diagonal of the frame, away
// from the other lines, so that the cross-hair at the mouse, which the
// comparison leaves out, hides no more than a few pixels of the drawing.
const TBPoint wheel_point(90, 60);
// The zoom box's drag, from a point left of and above the view's centre, so
// that the box's centre is off the view's centre.
constexpr QPoint box_start_from_centre(-150, -20);
constexpr QPoint box_drag(200, 120);
// A two-button drag shorter than this is a move, not a gesture.
static_assert(box_drag.x() * box_drag.x() + box_drag.y() * box_drag.y() > 10 * 10);

// The paint box's size as the view was set up for it: the first line of
// "<SetBairitsu> scale fit paper-width paper-height pixel-width pixel-height
// mm-per-pixel-x mm-per-pixel-y".
std::optional<QSize> ParseViewSetUp(const std::string& line)
{
    double numbers[6] = {};
    int width = 0;
    int height = 0;
    if (std::sscanf(line.c_str(), "<SetBairitsu> %lf %lf %lf %lf %d %d %lf %lf", &numbers[0], &numbers[1],
                    &numbers[2], &numbers[3], &width, &height, &numbers[4], &numbers[5])
            != 8
        || width < 1 || height < 1)
        return std::nullopt;
    return QSize(width, height);
}

// Every pixel of the paint box that is not on the cross-hair's row or column
// (a pixel to either side) at `cross_hair`.
bool Compared(int x, int y, QPoint cross_hair)
{
    return std::abs(x - cross_hair.x()) > 1 && std::abs(y - cross_hair.y()) > 1;
}

// Pixels of the window's picture at `offset` that differ from `expected`.
int CountDifferences(const QImage& window_picture, QPoint offset, const QImage& expected, QPoint cross_hair)
{
    if (!QRect(QPoint(0, 0), window_picture.size()).contains(QRect(offset, expected.size())))
        return expected.width() * expected.height();
    int differences = 0;
    for (int y = 0; y < expected.height(); ++y) {
        const auto* want = reinterpret_cast<const QRgb*>(expected.constScanLine(y));
        const auto* got = reinterpret_cast<const QRgb*>(window_picture.constScanLine(y + offset.y())) + offset.x();
        for (int x = 0; x < expected.width(); ++x)
            differences += Compared(x, y, cross_hair) && (want[x] & 0xffffff) != (got[x] & 0xffffff);
    }
    return differences;
}

// Where in the window's picture `expected` is, its cross-hair left out: a
// few of its drawn pixels pick the candidates, the whole picture decides.
std::optional<QPoint> Locate(const QImage& window_picture, const QImage& expected, QPoint cross_hair)
{
    const QRgb background = expected.pixel(expected.width() / 2, 2) & 0xffffff;
    std::vector<QPoint> samples;
    for (int y = 2; y < expected.height() && samples.size() < 64; y += 7) {
        for (int x = 2; x < expected.width() && samples.size() < 64; x += 5) {
            if (Compared(x, y, cross_hair) && (expected.pixel(x, y) & 0xffffff) != background)
                samples.emplace_back(x, y);
        }
    }
    for (int top = 0; top + expected.height() <= window_picture.height(); ++top) {
        for (int left = 0; left + expected.width() <= window_picture.width(); ++left) {
            const bool candidate = std::all_of(samples.begin(), samples.end(), [&](QPoint sample) {
                return window_picture.pixel(left + sample.x(), top + sample.y()) == expected.pixel(sample);
            });
            if (candidate && CountDifferences(window_picture, QPoint(left, top), expected, cross_hair) == 0)
                return QPoint(left, top);
        }
    }
    return std::nullopt;
}

// The test's own drawing of a view of the drawing, with the project's
// render code, as the paint box shows it.
class TFreshDrawing {
public:
    explicit TFreshDrawing(const std::filesystem::path& drawing)
        : loaded_(document_.LoadFromFile(drawing.string()).status == TLoadStatus::Loaded)
    {
    }

    bool Loaded() const { return loaded_; }
    double Axis() const { return document_.GetInfoAngle().GetRadians(); }

    // The view state of the paint box's size showing `view`.
    TInfoREG ViewState(QSize size, const TZhdZoom& view) const
    {
        TInfoREG info = document_.GetInfoReg();
        info.SetPixelWidth(size.width());
        info.SetPixelHeight(size.height());
        info.SetView(view);
        return info;
    }

    // The picture of `view` with the cross-hair at the mouse pixel.
    QImage Draw(QSize size, const TZhdZoom& view, QPoint mouse)
    {
        TInfoREG& info = document_.GetInfoRegPtr();
        info = ViewState(size, view);
        info.SetMouseScreen(TBPoint(mouse.x(), mouse.y()));
        QImage picture(size, QImage::Format_RGB32);
        picture.fill(Qt::white);
        document_.RefreshLayerStates();
        TImageCanvas canvas(picture);
        document_.GetElemListPtr().Draw(canvas, document_);
        canvas.Finish();
        return picture;
    }

private:
    TZhdData document_;
    bool loaded_ = false;
};

// One run of zuview on the drawing, and what the test knows of its view.
class TNavigation {
public:
    TNavigation(TXConnection& x, TChild& zuview, const TempDir& folder, const std::filesystem::path& drawing,
                TXConnection::TWindow window)
        : x_(x)
        , zuview_(zuview)
        , log_(ChildDebugLog(folder))
        , fresh_(drawing)
        , window_(window)
    {
    }

    // Waits for the first picture, the view that fits the paper, and finds
    // the paint box in the window.
    int Start()
    {
        if (!fresh_.Loaded())
            return Fail("the test could not load its own drawing");
        // The window's first view shows no drawing yet; the drawing comes
        // with the view that opening it sets up, and every redraw after
        // that (a resize sets the view up again) shows it.
        bool opened = false;
        std::optional<TLoggedView> logged;
        std::optional<QImage> expected;
        QImage picture;
        for (const auto deadline = Clock::now() + view_wait;; std::this_thread::sleep_for(quick_poll)) {
            for (const std::string& line : log_.NewLines()) {
                if (const std::optional<QSize> size = ParseViewSetUp(line))
                    size_ = *size;
                if (std::optional<TLoggedView> view = ParseStatusLine(line)) {
                    opened = opened || view->label == "FileOpen()";
                    if (opened)
                        logged = view;
                }
            }
            if (logged && !size_.isEmpty()) {
                view_ = FittedView();
                expected = fresh_.Draw(size_, view_, cursor_);
                picture = x_.Grab(window_);
                if (const std::optional<QPoint> at = Locate(picture, *expected, cursor_)) {
                    paint_box_ = *at;
                    break;
                }
            }
            if (const int failed = Ended("the first picture"))
                return failed;
            if (Clock::now() > deadline) {
                Keep(picture, expected.value_or(QImage()), "zuview_navigation_start");
                return Fail(logged ? "the window does not show the view that fits the paper"
                                   : "the program logged no first view");
            }
        }
        std::printf("paint box: %dx%d at (%d, %d) in the window\n", size_.width(), size_.height(), paint_box_.x(),
                    paint_box_.y());
        if (const int failed = ExpectLoggedView(*logged, "the first view"))
            return failed;
        return Keep(picture, QImage(), "zuview_navigation_start");
    }

    int PansWithTheArrowKeys()
    {
        x_.Activate(window_);
        const TInfoREG info = fresh_.ViewState(size_, view_);
        const double across = info.GetMMPerPixelX() * (size_.width() * 0.25) / view_.GetScale();
        if (const int failed = Step([&] { x_.TypeKey(XK_Right); }, "KeyDown()", Panned(across, 0),
                                    "zuview_navigation_right"))
            return failed;
        const double along = info.GetMMPerPixelY() * (size_.height() * 0.25) / view_.GetScale();
        return Step([&] { x_.TypeKey(XK_Up); }, "KeyDown()", Panned(along, std::numbers::pi / 2),
                    "zuview_navigation_up");
    }

    int HomeFitsThePaper()
    {
        return Step([&] { x_.TypeKey(XK_Home); }, "KeyDown()", FittedView(), "zuview_navigation_home");
    }

    // One notch towards the user with the mouse on a point of the drawing.
    int WheelZoomsAboutTheMouse()
    {
        const TInfoREG before = fresh_.ViewState(size_, view_);
        const TBPoint on_drawing = before.WorldToScreenRounded(wheel_point);
        const QPoint mouse(on_drawing.GetXInt(), on_drawing.GetYInt());
        x_.MovePointer(OnScreen(mouse));
        cursor_ = mouse;
        // The new view in the steps the view takes, so that the picture can
        // be compared to the pixel: the scale multiplied, then the centre
        // moved back by what the pixel's drawing point moved. The checks
        // after the step ask the same of the logged view directly.
        const TBPoint pixel(mouse.x(), mouse.y());
        const TBPoint under = before.ScreenToWorld(pixel);
        TZhdZoom view = view_;
        view.SetScale(view_.GetScale() * ZoomStep);
        const TBPoint moved = fresh_.ViewState(size_, view).ScreenToWorld(pixel);
        view.SetXY(view.GetX() - (moved.GetX() - under.GetX()), view.GetY() - (moved.GetY() - under.GetY()));
        if (const int failed = Step(
                [&] {
                    x_.PressButton(5);
                    x_.ReleaseButton(5);
                },
                "MouseWheelDown()", view, "zuview_navigation_wheel"))
            return failed;
        if (std::abs(logged_.scale / before.GetView().GetScale() - ZoomStep) > 1e-5)
            return Fail("one notch of the wheel did not zoom in by one step");
        const TBPoint after = LoggedPixelOf(under);
        if (std::hypot(after.GetX() - pixel.GetX(), after.GetY() - pixel.GetY()) > 0.05)
            return Fail("the drawing point under the mouse moved with the wheel");
        return 0;
    }

    // Left, then right pressed, a drag down and to the right, both let go.
    int TwoButtonDragZoomsToTheBox()
    {
        const QPoint start = QPoint(size_.width() / 2, size_.height() / 2) + box_start_from_centre;
        const QPoint end = start + box_drag;
        const TInfoREG before = fresh_.ViewState(size_, view_);
        // The new view in the steps the view takes, so that the picture can
        // be compared to the pixel: the box's centre in the view it was drawn
        // in, and the box's corners against the view's in drawing
        // millimetres. The checks after the step ask the same in pixels.
        const TBPoint centre = before.ScreenToWorld(TBPoint((end.x() + start.x()) * 0.5, (end.y() + start.y()) * 0.5));
        const TBPoint low = before.ScreenToWorld(TBPoint(start.x(), end.y()));
        const TBPoint high = before.ScreenToWorld(TBPoint(end.x(), start.y()));
        const TBPoint view_low = before.GetViewCorner(0);
        const TBPoint view_high = before.GetViewCorner(2);
        const double across = (view_high.GetX() - view_low.GetX()) / (high.GetX() - low.GetX());
        const double along = (view_high.GetY() - view_low.GetY()) / (high.GetY() - low.GetY());
        TZhdZoom view = view_;
        view.SetScale(view_.GetScale() * std::min(across, along));
        view.SetXY(centre.GetX(), centre.GetY());
        const TBPoint centre_pixel = fresh_.ViewState(size_, view).WorldToScreen(centre);
        const QPoint new_cursor(static_cast<int>(centre_pixel.GetX()), static_cast<int>(centre_pixel.GetY()));

        x_.MovePointer(OnScreen(start));
        cursor_ = new_cursor;
        if (const int failed = Step(
                [&] {
                    x_.PressButton(1);
                    x_.PressButton(3);
                    // A hand moves through the points between.
                    for (int part = 1; part <= 4; ++part)
                        x_.MovePointer(OnScreen(start + box_drag * part / 4));
                    x_.ReleaseButton(1);
                    x_.ReleaseButton(3);
                },
                "MouseUp()", view, "zuview_navigation_zoom_box"))
            return failed;
        // The box fills the view in the direction it is longer in (for the
        // view's shape), and its centre comes to the view's centre.
        const double fill = std::min(static_cast<double>(size_.width()) / box_drag.x(),
                                     static_cast<double>(size_.height()) / box_drag.y());
        if (std::abs(logged_.scale / (before.GetView().GetScale() * fill) - 1) > 1e-5)
            return Fail("the zoom box does not fill the view");
        const TBPoint box_centre = LoggedPixelOf(centre);
        if (std::abs(box_centre.GetX() - size_.width() / 2) > 0.05
            || std::abs(box_centre.GetY() - size_.height() / 2) > 0.05)
            return Fail("the zoom box's centre is not the view's centre");
        return ExpectPointerAt(new_cursor, "the centre of the zoom box");
    }

    int Close() { return CloseAndExpectCleanEnd(x_, zuview_, window_); }

private:
    // The view that fits the paper, centred on the drawing's origin.
    TZhdZoom FittedView() const
    {
        const double mm_per_pixel = fresh_.ViewState(size_, TZhdZoom()).GetMMPerPixelX();
        TZhdZoom view(std::min(mm_per_pixel * size_.width() / drawing_paper_width,
                               mm_per_pixel * size_.height() / drawing_paper_height));
        return view;
    }

    // The current view moved `distance` millimetres at `angle` to the axis.
    TZhdZoom Panned(double distance, double angle) const
    {
        TBPoint centre;
        view_.PolarOffset(distance, TAngle(fresh_.Axis() + angle), centre);
        TZhdZoom view = view_;
        view.SetXY(centre.GetX(), centre.GetY());
        return view;
    }

    // Where the drawing point is in the view the program logged last.
    TBPoint LoggedPixelOf(const TBPoint& point) const
    {
        TZhdZoom logged(logged_.scale);
        logged.SetXY(logged_.x, logged_.y);
        return fresh_.ViewState(size_, logged).WorldToScreen(point);
    }

    QPoint OnScreen(QPoint paint_box_pixel) { return x_.WindowOrigin(window_) + paint_box_ + paint_box_pixel; }

    int Ended(const std::string& what)
    {
        if (const std::optional<int> status = zuview_.WaitStatus())
            return Fail("zuview ended while the test waited for " + what + ": " + DescribeStatus(*status));
        return 0;
    }

    // The input, then the redraw it causes: the program must report
    // `expected` under `label` and show its picture.
    int Step(const std::function<void()>& input, const std::string& label, const TZhdZoom& expected,
             const std::string& artefact)
    {
        log_.NewLines();
        input();
        std::optional<TLoggedView> logged;
        for (const auto deadline = Clock::now() + view_wait; !logged; std::this_thread::sleep_for(quick_poll)) {
            for (const std::string& line : log_.NewLines()) {
                if (std::optional<TLoggedView> view = ParseStatusLine(line); !logged && view && view->label == label)
                    logged = view;
            }
            if (const int failed = Ended("the redraw " + label))
                return failed;
            if (!logged && Clock::now() > deadline)
                return Fail("the program logged no redraw " + label + " for " + artefact);
        }
        view_ = expected;
        logged_ = *logged;
        if (const int failed = ExpectLoggedView(*logged, artefact))
            return failed;
        return ExpectPicture(artefact);
    }

    // The logged view is the expected one, to the digits the text has (half
    // a unit of the last digit, and a little for the rounding).
    int ExpectLoggedView(const TLoggedView& logged, const std::string& what)
    {
        const double mm_per_pixel = fresh_.ViewState(size_, view_).GetMMPerPixelX();
        std::printf("%s: scale %.6f, centre (%.3f, %.3f); expected %.9f, (%.6f, %.6f)\n", what.c_str(), logged.scale,
                    logged.x, logged.y, view_.GetScale(), view_.GetX(), view_.GetY());
        const bool agrees = std::abs(logged.scale - view_.GetScale()) <= 6e-7
            && std::abs(logged.x - view_.GetX()) <= 6e-4 && std::abs(logged.y - view_.GetY()) <= 6e-4
            && std::abs(logged.mm_per_pixel - mm_per_pixel) <= 6e-7;
        if (!agrees)
            return Fail("the program's view after " + what + " is not the expected one");
        return 0;
    }

    // Waits for the paint box to show the current view.
    int ExpectPicture(const std::string& artefact)
    {
        const QImage expected = fresh_.Draw(size_, view_, cursor_);
        QImage picture;
        int differences = 0;
        for (const auto deadline = Clock::now() + view_wait;; std::this_thread::sleep_for(quick_poll)) {
            picture = x_.Grab(window_);
            differences = CountDifferences(picture, paint_box_, expected, cursor_);
            if (differences == 0)
                return Keep(picture, QImage(), artefact);
            if (const int failed = Ended("the picture of " + artefact))
                return failed;
            if (Clock::now() > deadline)
                break;
        }
        Keep(picture, expected, artefact);
        return Fail("the picture after " + artefact + " differs from the view's drawing in " +
                    std::to_string(differences) + " pixels");
    }

    int ExpectPointerAt(QPoint paint_box_pixel, const std::string& what)
    {
        const QPoint wanted = OnScreen(paint_box_pixel);
        for (const auto deadline = Clock::now() + view_wait; x_.PointerPosition() != wanted;
             std::this_thread::sleep_for(quick_poll)) {
            if (Clock::now() > deadline)
                return Fail("the mouse was not put on " + what);
        }
        return 0;
    }

    // The window's picture, and the expected one when there is one.
    int Keep(const QImage& picture, const QImage& expected, const std::string& artefact)
    {
        if (const int failed = SaveArtefact(picture, artefact + ".png"))
            return failed;
        if (!expected.isNull())
            return SaveArtefact(expected, artefact + "_expected.png");
        return 0;
    }

    TXConnection& x_;
    TChild& zuview_;
    TProgramLog log_;
    TFreshDrawing fresh_;
    TXConnection::TWindow window_;
    QSize size_;
    QPoint paint_box_;
    TZhdZoom view_;
    TLoggedView logged_;
    // The mouse position the program holds: none until the mouse first
    // moves over the drawing, which reads as pixel (0, 0).
    QPoint cursor_;
};

int RunSteps(TNavigation& navigation)
{
    return RunInTurn({ [&] { return navigation.Start(); }, [&] { return navigation.PansWithTheArrowKeys(); },
                       [&] { return navigation.HomeFitsThePaper(); },
                       [&] { return navigation.WheelZoomsAboutTheMouse(); },
                       [&] { return navigation.TwoButtonDragZoomsToTheBox(); }, [&] { return navigation.Close(); } });
}

int Navigates(TXConnection& x, const TempDir& folder)
{
    const std::filesystem::path drawing = WriteDrawing(folder);
    if (drawing.empty())
        return Fail("could not write the drawing");
    ParkPointer(x);
    const QSize screen = x.ScreenSize();
    SetScreenMetricsProvider([screen] { return TScreenMetrics { screen.width(), screen.height(), 96.0 }; });

    return RunOnDrawing(x, folder, drawing, "zuview_navigation_debug.log", [&](TDrawingRun& run) {
        TNavigation navigation(x, run.zuview, folder, drawing, run.window);
        return RunSteps(navigation);
    });
}

} // namespace

int main()
{
    return RunWithInput(Navigates);
}
