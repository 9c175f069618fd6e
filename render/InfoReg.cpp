#include "render/InfoReg.h"

#include "core/TextUtil.h"
#include "document/SjFormat.h"
#include "platform/ScreenMetrics.h"
#include "platform/ShiftJis.h"

#include <filesystem>
#include <system_error>

namespace {

// The file's modification time as a number; -1 for a file that cannot be
// asked (a missing one among them).
std::int64_t FileAge(const std::filesystem::path& path)
{
    std::error_code error;
    const auto time = std::filesystem::last_write_time(path, error);
    if (error)
        return -1;
    return static_cast<std::int64_t>(time.time_since_epoch().count());
}

// The folder part of a Shift-JIS path, separator included; "" for a bare
// name. A trail byte equal to a separator belongs to its character.
std::string FolderOf(const std::string& path)
{
    std::size_t end = 0;
    for (std::size_t i = 0; i < path.size(); i += CharLengthAt(path, i)) {
        if (path[i] == '/' || path[i] == '\\')
            end = i + 1;
    }
    return path.substr(0, end);
}

// Keys of one or two bytes are not references: the CAD program's own
// shortest keys are longer.
constexpr std::size_t shortest_reference_key = 3;

} // namespace

TInfoREG::TInfoREG()
{
    PixelWidth = ScreenMetrics().width_pixels;
    PixelHeight = ScreenMetrics().height_pixels;
}

void TInfoREG::LoadReferenceFile(const std::string& drawing_path)
{
    if (drawing_path.empty() || ReferenceFileName.empty())
        return;
    const std::string file =
        FolderOf(ReferenceFileName).empty() ? FolderOf(drawing_path) + ReferenceFileName : ReferenceFileName;
    const std::int64_t age = FileAge(NativePath(file));
    if (ReferenceFileAge && *ReferenceFileAge == age)
        return;
    StringList lines;
    if (ReadTextFileLines(file, lines) != TLoadStatus::Loaded)
        return;
    ReferenceFileAge = age;
    References.clear();
    StringList fields;
    for (const std::string& line : lines) {
        SplitText(line, fields, "\t");
        if (fields.size() >= 2 && fields[0].size() >= shortest_reference_key)
            References[fields[0]] = fields[1];
    }
}

std::string TInfoREG::GetReference(const std::string& key)
{
    return References[key];
}

TZhdZoom TInfoREG::SetViewKeepPrevious(TZhdZoom view)
{
    if (view != View)
        PrevView = View;
    return View = view;
}

TBPoint TInfoREG::SetMouseWorld(TBPoint point)
{
    MouseWorld = point;
    MouseScreen = WorldToScreen(point);
    return MouseWorld;
}

TBPoint TInfoREG::SetMouseScreen(TBPoint point)
{
    MouseScreen = point;
    MouseWorld = ScreenToWorld(point);
    return MouseScreen;
}

TInfoREG* TInfoREG::SetViewState(const TViewState& state)
{
    static_cast<TViewState&>(*this) = state;
    return this;
}

std::string TInfoREG::GetStatusText() const
{
    const double scale = View.GetScale();
    const double mm_per_pixel = GetMMPerPixelX();
    return SjPrintf(u8"画面倍率：%.6f , 中心座標 x: %.3f , y: %.3f 解像度：%.12fmm/pix(%.6f)", scale, View.GetX(),
                    View.GetY(), mm_per_pixel / scale, mm_per_pixel);
}
