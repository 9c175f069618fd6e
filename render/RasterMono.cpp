#include "render/RasterMono.h"

#include "core/DebugLog.h"
#include "document/SjFormat.h"
#include "document/ZhdData.h"
#include "platform/Canvas.h"
#include "platform/FileSystem.h"
#include "platform/MessagePump.h"
#include "platform/Tick.h"
#include "render/DeviceClip.h"
#include "render/InfoReg.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <string>

namespace {

constexpr TColor white = PackColor(255, 255, 255);
// A print job draws at most this many runs; rows are left out beyond it.
constexpr std::uint32_t MaxPrintedRuns = 3000000;
// Pitches and pen widths stay far inside an int whatever the figures.
constexpr double MaxStep = 1e9;

int Truncated(double value)
{
    if (!(value > 0))
        return 0;
    return static_cast<int>(std::min(value, MaxStep));
}

// The length of the decimal number at the start of the text: sign, digits,
// fraction and exponent; 0 when there is none.
std::size_t DecimalNumberLength(std::string_view text)
{
    std::size_t i = 0;
    const auto digits = [&] {
        const std::size_t from = i;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])) != 0)
            ++i;
        return i - from;
    };
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    std::size_t mantissa = digits();
    if (i < text.size() && text[i] == '.') {
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0)
        return 0;
    const std::size_t before_exponent = i;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        if (digits() == 0)
            i = before_exponent;
    }
    return i;
}

} // namespace

std::optional<int> ParseColourFile(std::string_view text)
{
    if (text.empty())
        return std::nullopt;
    std::string_view line = text.substr(0, text.find_first_of("\r\n"));
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
        line.remove_prefix(1);
    const std::size_t length = DecimalNumberLength(line);
    if (length == 0)
        return 0;
    const double value = std::strtod(std::string(line.substr(0, length)).c_str(), nullptr);
    return static_cast<int>(std::clamp(std::trunc(value), -2147483648.0, 2147483647.0));
}

std::filesystem::path ColourFileBeside(const std::filesystem::path& image)
{
    std::filesystem::path appended = image;
    appended += ".col";
    return appended;
}

TSaveStatus WriteColourFile(const std::filesystem::path& image, int colour)
{
    // CR LF, as the colour files the drawings come with end their lines.
    return WriteWholeFile(ColourFileBeside(image), std::to_string(colour) + "\r\n");
}

std::optional<std::filesystem::path> FindColourFile(const std::filesystem::path& image)
{
    const std::filesystem::path appended = ColourFileBeside(image);
    if (FileExists(appended))
        return appended;
    std::filesystem::path replaced = image;
    replaced.replace_extension(".col");
    if (FileExists(replaced))
        return replaced;
    return std::nullopt;
}

TMonoPitch MonoRowPitch(const TDrawSettings& settings, double view_scale, double image_scale_y,
                        std::uint32_t run_total)
{
    TMonoPitch result;
    if (settings.OutputJob != 0) {
        result.b = view_scale * image_scale_y;
        if (settings.MonoThin != 0 && (image_scale_y < 1.5 || result.b < 1.5))
            result.pitch = 2;
        if (settings.FileOutput == 0) {
            // The smallest pitch at or above the current one that keeps the
            // runs drawn within the limit.
            const auto needed = static_cast<int>(run_total / (MaxPrintedRuns + 1) + 1);
            while (run_total / static_cast<std::uint32_t>(result.pitch) > MaxPrintedRuns)
                result.pitch = std::max(result.pitch + 1, needed);
        }
        return result;
    }
    result.b = view_scale * std::sqrt(image_scale_y);
    result.pitch = std::max(Truncated(1 / std::pow(result.b, 1.7) + 0.5), 1);
    return result;
}

TRasterMono::TRasterMono()
{
    GetInfoPtr()->SetColor(TRGB(0));
}

TRGB TRasterMono::GetUnusedColor()
{
    return TRGB((GetInfoRef().GetColor().GetColor() & 0xFFFFFF) == 0 ? 1 : 0);
}

int TRasterMono::SetRunTotal(int total)
{
    runs_.total = static_cast<std::uint32_t>(total);
    return total;
}

TRasterMono* TRasterMono::SetRunStarts(std::vector<std::vector<std::uint32_t>> starts)
{
    runs_.starts = std::move(starts);
    return this;
}

TRasterMono* TRasterMono::SetRunEnds(std::vector<std::vector<std::uint32_t>> ends)
{
    runs_.ends = std::move(ends);
    return this;
}

TRasterMono* TRasterMono::SetRunData(TMonoRunData runs)
{
    runs_ = std::move(runs);
    return this;
}

int TRasterMono::GetRunCount(int line) const
{
    if (runs_.starts.empty())
        return 0;
    if (line < 0 || static_cast<std::size_t>(line) >= runs_.starts.size())
        line = 0;
    return static_cast<int>(runs_.starts[static_cast<std::size_t>(line)].size());
}

const std::uint32_t* TRasterMono::RunValue(const std::vector<std::vector<std::uint32_t>>& values, int run,
                                           int line) const
{
    if (line < 0 || run < 0 || static_cast<std::size_t>(line) >= values.size())
        return nullptr;
    const std::vector<std::uint32_t>& row = values[static_cast<std::size_t>(line)];
    return static_cast<std::size_t>(run) < row.size() ? &row[static_cast<std::size_t>(run)] : nullptr;
}

std::uint32_t* TRasterMono::RunValue(std::vector<std::vector<std::uint32_t>>& values, int run, int line)
{
    const auto& constant = values;
    return const_cast<std::uint32_t*>(std::as_const(*this).RunValue(constant, run, line));
}

int TRasterMono::GetRunStart(int run, int line) const
{
    const std::uint32_t* value = RunValue(runs_.starts, run, line);
    return value != nullptr ? static_cast<int>(*value) : 0;
}

int TRasterMono::SetRunStart(int run, int line, int value)
{
    std::uint32_t* stored = RunValue(runs_.starts, run, line);
    if (stored == nullptr)
        return 0;
    *stored = static_cast<std::uint32_t>(value);
    return value;
}

int TRasterMono::GetRunEnd(int run, int line) const
{
    const std::uint32_t* value = RunValue(runs_.ends, run, line);
    return value != nullptr ? static_cast<int>(*value) : 0;
}

int TRasterMono::SetRunEnd(int run, int line, int value)
{
    std::uint32_t* stored = RunValue(runs_.ends, run, line);
    if (stored == nullptr)
        return 0;
    *stored = static_cast<std::uint32_t>(value);
    return value;
}

int TRasterMono::GetRunStartScaled(int run, int line, double factor) const
{
    return static_cast<int>(GetRunStart(run, line) * factor + 0.5);
}

int TRasterMono::GetRunEndScaled(int run, int line, double factor) const
{
    return static_cast<int>(GetRunEnd(run, line) * factor + 0.5);
}

int TRasterMono::GetRunLength(int run, int line) const
{
    return GetRunEnd(run, line) - GetRunStart(run, line);
}

int TRasterMono::GetRunLengthScaled(int run, int line, double factor) const
{
    return GetRunEndScaled(run, line, factor) - GetRunStartScaled(run, line, factor);
}

int TRasterMono::Draw(TCanvas& canvas, TZhdData& document, TBPoint lower_left, TBPoint upper_right, double,
                      double scale_y)
{
    const auto start = TClock::now();
    std::vector<TBPoint> polygon;
    int min_x = 0, max_x = 0, min_y = 0, max_y = 0;
    if (ClipToView(lower_left, upper_right, polygon, min_x, max_x, min_y, max_y) < 1)
        return 0;
    TInfoREG& info = document.GetInfoRegPtr();
    const TRasterInfo& raster = GetInfoRef();
    const double m = info.GetMMPerPixelY();
    // A view without a scale shows nothing and must not reach the divisions.
    if (!(scale_y > 0) || !(m > 0) || !std::isfinite(scale_y))
        return 0;
    canvas.SetPenColor(raster.GetColor().GetColor());
    canvas.SetPenStyle(TPenStyle::Solid);
    const double p1 = raster.GetHeight() / raster.GetNaturalHeightMM() * (1000.0 / raster.GetPpmY());
    const double p2 = p1 / (m / scale_y) + 0.999;
    canvas.SetPenWidth(Truncated(p2));
    const TMonoPitch pitch = MonoRowPitch(info, scale_y, raster.GetScaleY(), runs_.total);
    WriteDebugLog("zhddata.LCOLOR3:" + std::to_string(document.GetDrawColorMode()));
    if (info.Transparent != 1) {
        std::vector<TPointI> points;
        for (const TBPoint& corner : polygon) {
            const TBPoint p = info.WorldToScreen(corner);
            points.push_back({ DeviceInt(p.GetX()), DeviceInt(p.GetY()) });
        }
        canvas.SetBrushColor(white);
        canvas.SetBrushStyle(TBrushStyle::Solid);
        canvas.SetPenStyle(TPenStyle::Clear);
        canvas.Polygon(points);
        canvas.SetPenStyle(TPenStyle::Solid);
    }
    // The clip's bounds are truncated image coordinates: the row of max_y is
    // (partly) in view too, and a bound one rounding short of the height
    // must not lose the bottom row.
    const int last_y = std::min(max_y, GetLineCount() - 1);
    info.ElementTotal += max_y - min_y;
    std::uint32_t drawn = 0;
    for (int y = std::max(min_y, 0); y <= last_y; y += pitch.pitch) {
        if (info.OutputJob != 0)
            ProcessPendingMessages();
        const auto line = static_cast<std::size_t>(y);
        const std::vector<std::uint32_t>& starts = runs_.starts[line];
        const std::vector<std::uint32_t>& ends = runs_.ends[line];
        const std::size_t count = std::min(starts.size(), ends.size());
        for (std::size_t i = 0; i < count; ++i) {
            if (static_cast<std::int64_t>(ends[i]) < min_x)
                continue;
            if (static_cast<std::int64_t>(starts[i]) > max_x)
                break;
            if (ends[i] == starts[i])
                continue;
            info.DrawSegmentRounded(canvas, PixelToWorld(static_cast<int>(starts[i]), y),
                                    PixelToWorld(static_cast<int>(ends[i]), y));
            ++drawn;
        }
        ++info.ElementsDrawn;
        if (info.AbortFlag != 0)
            break;
    }
    WriteDebugLog("<BitmapMonoDraw>");
    WriteDebugLog(SjPrintf(u8"#draw    ：%.8f秒", SecondsSince(start)));
    WriteDebugLog(StringPrintf(
        "linecount:%u result=%u ppitch=%d bai=%f psy=%f pix1=%f pix2=%f penwidth=%d pencolor=%d", runs_.total, drawn,
        pitch.pitch, pitch.b, m, p1, p2, canvas.Pen().width, static_cast<int>(canvas.Pen().color)));
    WriteDebugLog("</BitmapMonoDraw>");
    return static_cast<int>(drawn);
}
