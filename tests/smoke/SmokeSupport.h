#pragma once

// What the smoke tests of the real executable share: the running zuview
// with its own settings and state folders, bounded waits for its windows and
// its end, the drawing they open, and the pictures they keep as artefacts.
//
// Every wait is bounded; a program that does not end in time is killed when
// its TChild goes.

#include "tests/smoke/XWindows.h"

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

class QImage;
class TBPoint;
class TempDir;
class TKLine;
class TKMoji;
class TZhdData;

namespace smoke {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr auto window_wait = 30s;
constexpr auto picture_wait = 10s;
constexpr auto exit_wait = 30s;
constexpr auto poll_step = 100ms;

// The caption once a drawing is open: the program title, then the path.
constexpr char8_t caption_prefix[] = u8"Zuview Ver.1.00α4.36 - ";

// Tells the failure on stderr; returns the failing exit status 1.
int Fail(const std::string& message);
// The exit status of a test that cannot run here (CTest's SKIP_RETURN_CODE
// of the smoke tests).
constexpr int skipped = 77;

std::string Utf8(const char8_t* text);

// The paper of the drawing below: A3 landscape (its code in the header),
// in millimetres.
constexpr int drawing_paper_size = 3;
constexpr double drawing_paper_width = 420;
constexpr double drawing_paper_height = 297;

// A frame of 300 x 200 mm centred on the origin, its diagonals and a circle
// of radius 80 about the origin, each with a pen colour number of its own,
// on the paper above; no texts, so its picture depends on no font. The path,
// or an empty one when it could not be written.
std::filesystem::path WriteDrawing(const TempDir& folder);
// A line of the pen colour number in solid style, appended to the drawing.
TKLine& AppendLine(TZhdData& drawing, const TBPoint& start, const TBPoint& end, std::uint16_t pen);
// A text of characters `height` millimetres high and as wide, read left to
// right from `start`, appended to the drawing; the text is UTF-8 here and
// Shift-JIS in the drawing.
TKMoji& AppendText(TZhdData& drawing, const TBPoint& start, const char8_t* text, double height);
// The drawing saved in the folder under `file_name`; the path, or an empty
// one when it could not be written.
std::filesystem::path SaveDrawing(TZhdData& drawing, const TempDir& folder,
                                  const std::string& file_name = "drawing.zhd");

// The settings file the program starts with (its records as text), in the
// settings folder of ChildEnvironment(folder); false when it could not be
// written.
bool WriteSettings(const TempDir& folder, const std::string& records);

// The running zuview; killed if it is still running when the test ends.
class TChild {
public:
    TChild(const std::vector<std::string>& arguments, const std::vector<std::string>& environment);
    ~TChild();
    TChild(TChild&& other) noexcept;
    TChild(const TChild&) = delete;
    TChild& operator=(const TChild&) = delete;

    bool Started() const { return pid_ > 0; }
    bool Running() const { return pid_ > 0 && !status_; }
    // The wait status once the program ended, without waiting.
    std::optional<int> WaitStatus();

private:
    pid_t pid_ = -1;
    std::optional<int> status_;
};

std::string DescribeStatus(int status);

// The environment of this process with the child's own settings folder
// (`folder`/config) and state folder (`folder`/state) and the X platform
// (CTest's default for widget tests is the offscreen one).
std::vector<std::string> ChildEnvironment(const TempDir& folder);
// The debug log the child started with ChildEnvironment(folder) writes.
std::filesystem::path ChildDebugLog(const TempDir& folder);

// Waits for a window whose title `matches`; nothing, with the failure
// told, when the program ends first or the time is up.
std::optional<TXConnection::TFound> WaitForWindow(TXConnection& x, TChild& zuview,
                                                  const std::function<bool(const std::string&)>& matches,
                                                  const std::string& what);
// zuview started on `drawing` with the environment of `folder`, and its
// main window once it shows, captioned with the drawing; nothing, with the
// failure told, when it does not.
struct TDrawingRun {
    TChild zuview;
    TXConnection::TWindow window = 0;
};
std::optional<TDrawingRun> StartOnDrawing(TXConnection& x, const TempDir& folder,
                                          const std::filesystem::path& drawing);

std::size_t CountColours(const QImage& picture);
// Keeps the picture in the test artefacts under `artefact_name`.
int SaveArtefact(const QImage& picture, const std::string& artefact_name);
// Takes pictures of the window until one has more than a single colour
// (it is painted after it shows) and keeps the last in the artefacts.
int KeepPicture(TXConnection& x, TXConnection::TWindow window, const std::string& artefact_name);

// The steps in turn, until one fails: its status, else 0.
int RunInTurn(std::initializer_list<std::function<int()>> steps);
// The body of a test that gives the program input: the X display with its
// XTest extension and a fresh folder for `test`; the failure told when
// either is missing.
int RunWithInput(const std::function<int(TXConnection& x, const TempDir& folder)>& test);
// Puts the mouse in the screen's bottom-right corner, away from the windows.
void ParkPointer(TXConnection& x);

// Keeps the debug log of the child started with ChildEnvironment(folder)
// in the artefacts: what the program wrote tells what it saw.
void KeepDebugLog(const TempDir& folder, const std::string& artefact_name);

// zuview started on `drawing`, then the steps of the test on the run; on
// a failure the debug log is kept under `debug_log_artefact`.
int RunOnDrawing(TXConnection& x, const TempDir& folder, const std::filesystem::path& drawing,
                 const std::string& debug_log_artefact, const std::function<int(TDrawingRun& run)>& steps);

// Closes the main window as a window manager's close button does; the
// program must then end with status 0.
int CloseAndExpectCleanEnd(TXConnection& x, TChild& zuview, TXConnection::TWindow window);

} // namespace smoke
