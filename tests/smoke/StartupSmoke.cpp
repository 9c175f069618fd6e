// The start-up smoke test of the real executable on a real X server (CTest
// runs it under xvfb-run), in two runs:
// - a drawing written with our own document code is given to zuview on its
//   command line; the test waits for the main window whose caption names
//   the opened drawing, keeps its picture in the test artefacts, checks that
//   something was drawn, activates the window as a window manager would and
//   waits for the toolbar that the settings file left floating to show,
//   closes the window the way a window manager's close button does and
//   expects the program to end with status 0;
// - a drawing that does not exist is given instead: the program says so in
//   a message box, which the test keeps a picture of and closes; the main
//   window then shows no drawing, and closes as before.
//
// Every wait is bounded; a program that does not end in time is killed and
// the test fails. The child gets its own settings and state folders, so no
// user settings are read or written.

#include "tests/smoke/SmokeSupport.h"
#include "tests/smoke/XWindows.h"
#include "tests/support/TempDir.h"

#include <QImage>

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>

namespace {

using namespace smoke;

// The file toolbar, saved floating in the settings the program starts with.
constexpr char8_t floating_toolbar_caption[] = u8"ファイル";
constexpr char floating_toolbar_settings[] = "[ToolbarFile]\nRev=3\nVisible=1\nDockedTo=+\nLastDock=DockTop\n"
                                             "DockRow=0\nDockPos=0\nFloatLeft=900\nFloatTop=700\n";
// The caption of the program's message boxes.
constexpr char message_caption[] = "Zuview";

// Floating windows hide while the application is inactive; a window
// manager activates the window the user starts, and the toolbar that the
// settings left floating then shows.
int ShowsTheFloatingToolbar(TXConnection& x, TChild& zuview, TXConnection::TWindow window)
{
    x.Activate(window);
    const std::string toolbar_caption = Utf8(floating_toolbar_caption);
    const std::optional<TXConnection::TFound> toolbar = WaitForWindow(
        x, zuview, [&](const std::string& title) { return title == toolbar_caption; },
        "the toolbar saved floating to show once the window was active");
    if (!toolbar)
        return 1;
    const QImage toolbar_picture = x.Grab(toolbar->window);
    if (const int failed = SaveArtefact(toolbar_picture, "zuview_xvfb_floating_toolbar.png"))
        return failed;
    std::printf("floating toolbar: %s, %dx%d\n", toolbar->title.c_str(), toolbar_picture.width(),
                toolbar_picture.height());
    return 0;
}

int ShowsTheDrawing(TXConnection& x, const TempDir& folder)
{
    const std::filesystem::path drawing = WriteDrawing(folder);
    if (drawing.empty())
        return Fail("could not write the drawing");
    if (!WriteSettings(folder, floating_toolbar_settings))
        return Fail("could not write the settings file");
    std::optional<TDrawingRun> run = StartOnDrawing(x, folder, drawing);
    if (!run)
        return 1;
    if (const int failed = KeepPicture(x, run->window, "zuview_xvfb.png"))
        return failed;
    if (const int failed = ShowsTheFloatingToolbar(x, run->zuview, run->window))
        return failed;
    return CloseAndExpectCleanEnd(x, run->zuview, run->window);
}

int ReportsAMissingDrawing(TXConnection& x, const TempDir& folder)
{
    const std::filesystem::path missing = folder.File("missing.zhd");
    TChild zuview({ ZUVIEW_EXECUTABLE, missing.string() }, ChildEnvironment(folder));
    if (!zuview.Started())
        return Fail(std::string("could not start ") + ZUVIEW_EXECUTABLE);

    const auto is_message = [](const std::string& title) { return title == message_caption; };
    const std::optional<TXConnection::TFound> message =
        WaitForWindow(x, zuview, is_message, "the message about the missing drawing");
    if (!message)
        return 1;
    std::printf("message box: %s\n", message->title.c_str());
    if (const int failed = KeepPicture(x, message->window, "zuview_missing_drawing.png"))
        return failed;
    // The main window takes no close request while the message box is up.
    x.RequestClose(message->window);
    for (const auto deadline = Clock::now() + exit_wait; x.FindWindow(is_message);
         std::this_thread::sleep_for(poll_step)) {
        if (Clock::now() > deadline)
            return Fail("the message box did not close");
    }

    // The main window's caption is the program's title alone.
    const std::string program_title = message_caption + std::string(" ");
    const std::optional<TXConnection::TFound> window = WaitForWindow(
        x, zuview,
        [&](const std::string& title) {
            return title.starts_with(program_title) && title.find(" - ") == std::string::npos;
        },
        "the main window without a drawing");
    if (!window)
        return 1;
    std::printf("window: %s\n", window->title.c_str());
    return CloseAndExpectCleanEnd(x, zuview, window->window);
}

} // namespace

int main()
{
    TXConnection x;
    if (!x.Valid())
        return Fail("no X display (run under xvfb-run)");
    {
        const TempDir folder;
        if (const int failed = ShowsTheDrawing(x, folder))
            return failed;
    }
    const TempDir folder;
    return ReportsAMissingDrawing(x, folder);
}
