#include "tests/smoke/SmokeSupport.h"

#include "document/ZhdData.h"
#include "elements/KCircle.h"
#include "elements/KLine.h"
#include "elements/KMoji.h"
#include "platform/ShiftJis.h"
#include "tests/support/TempDir.h"

#include <QImage>
#include <boost/make_shared.hpp>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <numbers>
#include <set>
#include <thread>
#include <utility>

extern char** environ;

namespace smoke {

int Fail(const std::string& message)
{
    std::fprintf(stderr, "smoke: %s\n", message.c_str());
    return 1;
}

std::string Utf8(const char8_t* text)
{
    return reinterpret_cast<const char*>(text);
}

std::filesystem::path WriteDrawing(const TempDir& folder)
{
    TZhdData drawing;
    drawing.GetHeadPtr().SetPaperSize(drawing_paper_size);
    const TBPoint corners[] = { TBPoint(-150, -100), TBPoint(150, -100), TBPoint(150, 100), TBPoint(-150, 100) };
    std::uint16_t pen = 1;
    for (int i = 0; i < 4; ++i)
        AppendLine(drawing, corners[i], corners[(i + 1) % 4], pen++);
    AppendLine(drawing, corners[0], corners[2], pen++);
    AppendLine(drawing, corners[1], corners[3], pen++);
    auto circle = boost::make_shared<TKCircle>(TBPoint(0, 0), 80.0, TAngle(), TAngle(2 * std::numbers::pi), TAngle(),
                                               1.0, 1);
    circle->SetPenColor(pen);
    circle->SetPenStyle(1);
    drawing.GetElemListPtr().Append(circle);
    return SaveDrawing(drawing, folder);
}

TKLine& AppendLine(TZhdData& drawing, const TBPoint& start, const TBPoint& end, std::uint16_t pen)
{
    auto line = boost::make_shared<TKLine>();
    line->SetLine(start, end);
    line->SetPenColor(pen);
    line->SetPenStyle(1);
    drawing.GetElemListPtr().Append(line);
    return *line;
}

TKMoji& AppendText(TZhdData& drawing, const TBPoint& start, const char8_t* text, double height)
{
    int characters = 0;
    for (const char8_t* byte = text; *byte; ++byte)
        characters += (*byte & 0xC0) != 0x80;
    const TBPoint end(start.GetX() + height * characters, start.GetY());
    auto moji = boost::make_shared<TKMoji>(start, end, TZhdaMoji(height, height, 0, 1), 1, TAngle(0.0), "", sj(text));
    drawing.GetElemListPtr().Append(moji);
    return *moji;
}

std::filesystem::path SaveDrawing(TZhdData& drawing, const TempDir& folder, const std::string& file_name)
{
    const std::filesystem::path path = folder.File(file_name);
    if (drawing.SaveToFile(path.string()) != TSaveStatus::Saved)
        return {};
    return path;
}

bool WriteSettings(const TempDir& folder, const std::string& records)
{
    const std::filesystem::path settings = folder.Path() / "config" / "zuview";
    std::error_code error;
    std::filesystem::create_directories(settings, error);
    std::FILE* file = std::fopen((settings / "Zuview.ini").c_str(), "wb");
    if (!file)
        return false;
    const bool written = std::fputs(records.c_str(), file) >= 0;
    return std::fclose(file) == 0 && written;
}

TChild::TChild(const std::vector<std::string>& arguments, const std::vector<std::string>& environment)
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

TChild::~TChild()
{
    if (Running()) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
}

TChild::TChild(TChild&& other) noexcept
    : pid_(std::exchange(other.pid_, -1))
    , status_(other.status_)
{
}

std::optional<int> TChild::WaitStatus()
{
    if (Running()) {
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_)
            status_ = status;
    }
    return status_;
}

std::string DescribeStatus(int status)
{
    if (WIFEXITED(status))
        return "exit status " + std::to_string(WEXITSTATUS(status));
    if (WIFSIGNALED(status))
        return "signal " + std::to_string(WTERMSIG(status));
    return "wait status " + std::to_string(status);
}

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

std::filesystem::path ChildDebugLog(const TempDir& folder)
{
    return folder.Path() / "state" / "zuview" / "debug.log";
}

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

std::optional<TDrawingRun> StartOnDrawing(TXConnection& x, const TempDir& folder,
                                          const std::filesystem::path& drawing)
{
    TDrawingRun run { TChild({ ZUVIEW_EXECUTABLE, drawing.string() }, ChildEnvironment(folder)) };
    if (!run.zuview.Started()) {
        Fail(std::string("could not start ") + ZUVIEW_EXECUTABLE);
        return std::nullopt;
    }
    const std::string prefix = Utf8(caption_prefix);
    const std::optional<TXConnection::TFound> window = WaitForWindow(
        x, run.zuview, [&](const std::string& title) { return title.starts_with(prefix); },
        "the window captioned \"" + prefix + "...\"");
    if (!window)
        return std::nullopt;
    std::printf("window: %s\n", window->title.c_str());
    if (!window->title.starts_with(prefix + drawing.string())) {
        Fail("the caption does not name the drawing " + drawing.string());
        return std::nullopt;
    }
    run.window = window->window;
    return run;
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

int SaveArtefact(const QImage& picture, const std::string& artefact_name)
{
    const std::filesystem::path artefact = TestArtefactPath(artefact_name);
    if (!picture.isNull() && !picture.save(QString::fromStdString(artefact.string()), "PNG"))
        return Fail("could not save " + artefact.string());
    return 0;
}

int KeepPicture(TXConnection& x, TXConnection::TWindow window, const std::string& artefact_name)
{
    QImage picture;
    std::size_t colours = 0;
    for (const auto deadline = Clock::now() + picture_wait; colours <= 1 && Clock::now() < deadline;) {
        std::this_thread::sleep_for(poll_step * 5);
        picture = x.Grab(window);
        colours = CountColours(picture);
    }
    if (const int failed = SaveArtefact(picture, artefact_name))
        return failed;
    std::printf("picture: %dx%d, %zu colours, %s\n", picture.width(), picture.height(), colours,
                TestArtefactPath(artefact_name).string().c_str());
    if (colours <= 1)
        return Fail("the picture of " + artefact_name + " is blank");
    return 0;
}

int RunInTurn(std::initializer_list<std::function<int()>> steps)
{
    for (const std::function<int()>& step : steps) {
        if (const int failed = step())
            return failed;
    }
    return 0;
}

int RunWithInput(const std::function<int(TXConnection& x, const TempDir& folder)>& test)
{
    TXConnection x;
    if (!x.Valid())
        return Fail("no X display (run under xvfb-run)");
    if (!x.CanFakeInput())
        return Fail("the X server has no XTest extension");
    const TempDir folder;
    return test(x, folder);
}

void ParkPointer(TXConnection& x)
{
    const QSize screen = x.ScreenSize();
    x.MovePointer(QPoint(screen.width() - 1, screen.height() - 1));
}

void KeepDebugLog(const TempDir& folder, const std::string& artefact_name)
{
    std::error_code error;
    std::filesystem::copy_file(ChildDebugLog(folder), TestArtefactPath(artefact_name),
                               std::filesystem::copy_options::overwrite_existing, error);
}

int RunOnDrawing(TXConnection& x, const TempDir& folder, const std::filesystem::path& drawing,
                 const std::string& debug_log_artefact, const std::function<int(TDrawingRun& run)>& steps)
{
    std::optional<TDrawingRun> run = StartOnDrawing(x, folder, drawing);
    if (!run)
        return 1;
    const int failed = steps(*run);
    if (failed)
        KeepDebugLog(folder, debug_log_artefact);
    return failed;
}

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

} // namespace smoke
