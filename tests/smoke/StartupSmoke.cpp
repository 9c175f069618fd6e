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

#include "document/ZhdData.h"
#include "elements/KCircle.h"
#include "elements/KLine.h"
#include "tests/smoke/XWindows.h"
#include "tests/support/TempDir.h"

#include <QImage>
#include <boost/make_shared.hpp>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <numbers>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <utility>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr auto window_wait = 30s;
constexpr auto picture_wait = 10s;
constexpr auto exit_wait = 30s;
constexpr auto poll_step = 100ms;

// The caption once a drawing is open: the program title, then the path.
constexpr char8_t caption_prefix[] = u8"Zuview Ver.1.00α4.36 - ";
// The file toolbar, saved floating in the settings the program starts with.
constexpr char8_t floating_toolbar_caption[] = u8"ファイル";
constexpr char floating_toolbar_settings[] = "[ToolbarFile]\nRev=3\nVisible=1\nDockedTo=+\nLastDock=DockTop\n"
                                             "DockRow=0\nDockPos=0\nFloatLeft=900\nFloatTop=700\n";
// The caption of the program's message boxes.
constexpr char message_caption[] = "Zuview";

int Fail(const std::string& message)
{
    std::fprintf(stderr, "startup smoke: %s\n", message.c_str());
    return 1;
}

// A frame, its diagonals and a circle, on A3 paper.
std::filesystem::path WriteDrawing(const TempDir& folder)
{
    TZhdData drawing;
    drawing.GetHeadPtr().SetPaperSize(3);
    const TBPoint corners[] = { TBPoint(-150, -100), TBPoint(150, -100), TBPoint(150, 100), TBPoint(-150, 100) };
    std::vector<std::pair<TBPoint, TBPoint>> lines;
    for (int i = 0; i < 4; ++i)
        lines.emplace_back(corners[i], corners[(i + 1) % 4]);
    lines.emplace_back(corners[0], corners[2]);
    lines.emplace_back(corners[1], corners[3]);
    std::uint16_t pen = 1;
    for (const auto& [start, end] : lines) {
        auto line = boost::make_shared<TKLine>();
        line->SetLine(start, end);
        line->SetPenColor(pen++);
        line->SetPenStyle(1);
        drawing.GetElemListPtr().Append(line);
    }
    auto circle = boost::make_shared<TKCircle>(TBPoint(0, 0), 80.0, TAngle(), TAngle(2 * std::numbers::pi), TAngle(),
                                               1.0, 1);
    circle->SetPenColor(pen);
    circle->SetPenStyle(1);
    drawing.GetElemListPtr().Append(circle);
    const std::filesystem::path path = folder.File("drawing.zhd");
    if (drawing.SaveToFile(path.string()) != TSaveStatus::Saved)
        return {};
    return path;
}

// The running zuview; killed if it is still running when the test ends.
class TChild {
public:
    TChild(const std::vector<std::string>& arguments, const std::vector<std::string>& environment)
    {
        std::vector<char*> argv;
        for (const std::string& argument : arguments)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        std::vector<char*> envp;
        for (const std::string& entry : environment)
            envp.push_back(const_cast<char*>(entry.c_str()));
        envp.push_back(nullptr);
        if (posix_spawn(&pid_, argv[0], nullptr, nullptr, argv.data(), envp.data()) != 0)
            pid_ = -1;
    }
    ~TChild()
    {
        if (Running()) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }
    TChild(const TChild&) = delete;
    TChild& operator=(const TChild&) = delete;

    bool Started() const { return pid_ > 0; }
    bool Running() const { return pid_ > 0 && !status_; }
    // The wait status once the program ended, without waiting.
    std::optional<int> WaitStatus()
    {
        if (Running()) {
            int status = 0;
            if (waitpid(pid_, &status, WNOHANG) == pid_)
                status_ = status;
        }
        return status_;
    }

private:
    pid_t pid_ = -1;
    std::optional<int> status_;
};

std::string DescribeStatus(int status)
{
    if (WIFEXITED(status))
        return "exit status " + std::to_string(WEXITSTATUS(status));
    if (WIFSIGNALED(status))
        return "signal " + std::to_string(WTERMSIG(status));
    return "wait status " + std::to_string(status);
}

// The environment of this process with the child's own settings and state
// folders and the X platform (CTest's default for widget tests is the
// offscreen one).
std::vector<std::string> ChildEnvironment(const TempDir& folder)
{
    const std::pair<std::string, std::string> overrides[] = {
        { "XDG_CONFIG_HOME", (folder.Path() / "config").string() },
        { "XDG_STATE_HOME", (folder.Path() / "state").string() },
        { "QT_QPA_PLATFORM", "xcb" },
    };
    std::vector<std::string> environment;
    for (char** entry = environ; *entry; ++entry) {
        const std::string text(*entry);
        bool replaced = false;
        for (const auto& [name, value] : overrides)
            replaced = replaced || text.starts_with(name + "=");
        if (!replaced)
            environment.push_back(text);
    }
    for (const auto& [name, value] : overrides)
        environment.push_back(name + "=" + value);
    return environment;
}

std::size_t CountColours(const QImage& picture)
{
    std::set<QRgb> colours;
    for (int y = 0; y < picture.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        colours.insert(line, line + picture.width());
    }
    return colours.size();
}

bool WriteSettings(const TempDir& folder)
{
    const std::filesystem::path settings = folder.Path() / "config" / "zuview";
    std::error_code error;
    std::filesystem::create_directories(settings, error);
    std::FILE* file = std::fopen((settings / "Zuview.ini").c_str(), "wb");
    if (!file)
        return false;
    const bool written = std::fputs(floating_toolbar_settings, file) >= 0;
    return std::fclose(file) == 0 && written;
}

std::string Utf8(const char8_t* text)
{
    return reinterpret_cast<const char*>(text);
}

// Waits for a window whose title `matches`; nothing, with the failure
// told, when the program ends first or the time is up.
std::optional<TXConnection::TFound> WaitForWindow(TXConnection& x, TChild& zuview,
                                                  const std::function<bool(const std::string&)>& matches,
                                                  const std::string& what)
{
    for (const auto deadline = Clock::now() + window_wait;; std::this_thread::sleep_for(poll_step)) {
        if (const std::optional<int> status = zuview.WaitStatus()) {
            Fail("zuview ended while the test waited for " + what + ": " + DescribeStatus(*status));
            return std::nullopt;
        }
        if (Clock::now() > deadline) {
            Fail("the time allowed ended while the test waited for " + what);
            return std::nullopt;
        }
        if (std::optional<TXConnection::TFound> window = x.FindWindow(matches))
            return window;
    }
}

// Takes pictures of the window until one has more than a single colour
// (it is painted after it shows) and keeps the last in the artefacts.
int KeepPicture(TXConnection& x, TXConnection::TWindow window, const std::string& artefact_name)
{
    QImage picture;
    std::size_t colours = 0;
    for (const auto deadline = Clock::now() + picture_wait; colours <= 1 && Clock::now() < deadline;) {
        std::this_thread::sleep_for(poll_step * 5);
        picture = x.Grab(window);
        colours = CountColours(picture);
    }
    const std::filesystem::path artefact = TestArtefactPath(artefact_name);
    if (!picture.isNull() && !picture.save(QString::fromStdString(artefact.string()), "PNG"))
        return Fail("could not save " + artefact.string());
    std::printf("picture: %dx%d, %zu colours, %s\n", picture.width(), picture.height(), colours,
                artefact.string().c_str());
    if (colours <= 1)
        return Fail("the picture of " + artefact_name + " is blank");
    return 0;
}

// Closes the main window as a window manager's close button does; the
// program must then end with status 0.
int CloseAndExpectCleanEnd(TXConnection& x, TChild& zuview, TXConnection::TWindow window)
{
    x.RequestClose(window);
    std::optional<int> status;
    for (const auto deadline = Clock::now() + exit_wait; !status && Clock::now() < deadline;
         std::this_thread::sleep_for(poll_step))
        status = zuview.WaitStatus();
    if (!status)
        return Fail("zuview did not end after its window was asked to close");
    if (!WIFEXITED(*status) || WEXITSTATUS(*status) != 0)
        return Fail("zuview ended with " + DescribeStatus(*status));
    std::printf("zuview closed cleanly\n");
    return 0;
}

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
    const std::filesystem::path toolbar_artefact = TestArtefactPath("zuview_xvfb_floating_toolbar.png");
    if (!toolbar_picture.isNull() && !toolbar_picture.save(QString::fromStdString(toolbar_artefact.string()), "PNG"))
        return Fail("could not save " + toolbar_artefact.string());
    std::printf("floating toolbar: %s, %dx%d\n", toolbar->title.c_str(), toolbar_picture.width(),
                toolbar_picture.height());
    return 0;
}

int ShowsTheDrawing(TXConnection& x, const TempDir& folder)
{
    const std::filesystem::path drawing = WriteDrawing(folder);
    if (drawing.empty())
        return Fail("could not write the drawing");
    if (!WriteSettings(folder))
        return Fail("could not write the settings file");
    TChild zuview({ ZUVIEW_EXECUTABLE, drawing.string() }, ChildEnvironment(folder));
    if (!zuview.Started())
        return Fail(std::string("could not start ") + ZUVIEW_EXECUTABLE);

    const std::string prefix = Utf8(caption_prefix);
    const std::optional<TXConnection::TFound> window = WaitForWindow(
        x, zuview, [&](const std::string& title) { return title.starts_with(prefix); },
        "the window captioned \"" + prefix + "...\"");
    if (!window)
        return 1;
    std::printf("window: %s\n", window->title.c_str());
    if (!window->title.starts_with(prefix + drawing.string()))
        return Fail("the caption does not name the drawing " + drawing.string());
    if (const int failed = KeepPicture(x, window->window, "zuview_xvfb.png"))
        return failed;
    if (const int failed = ShowsTheFloatingToolbar(x, zuview, window->window))
        return failed;
    return CloseAndExpectCleanEnd(x, zuview, window->window);
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
