// The pen and line-type lines of the CAD program's settings file (.zhf).
//
// The file is Shift-JIS text cut into lines at every run of CR and LF (and
// ending at a NUL byte). A line beginning "#" is a comment, one beginning
// "END" ends the reading. Any other line is cut at blanks; field 0 is the
// key, field 1 is not read, the values follow:
//
//   LTYPE_0d  x  pattern dots pitch print_pitch              line type d
//   LTYPE_Rd  x  pattern amplitude pitch print_amplitude print_pitch
//                                                            line type d + 10
//   LTYPE_Ld  x  pattern dots pitch print_pitch              line type d + 15
//   LTYPE_?   (any other seventh character)                  line type 1 reset
//   LCOLLOR_n x  red green blue width                        screen pen
//   PCOLLOR_n x  red green blue width point_radius           print pen
//
// The pattern is hexadecimal (0 when it is not), the point radius a real (0
// when it is not), every other value a decimal integer. A pen's n is a digit,
// "G" for pen 9 or, for screen pens only, "B" for pen 0 (the background);
// "H", "S", "K", "Z" and "M" name pens the header does not keep, and their
// lines are skipped. The CAD program leaves some trailing values out: the
// print pitch of line type 9 is then 1, the width of screen pens 9 and 0 is
// 1, and print pen 9 has width 1 and point radius 0.1.
//
// Every key is looked at only as far as it reaches: a key too short for the
// characters that choose its entry is no key of ours. A line that lacks a
// value without a default is skipped whole rather than half applied. A value
// (or an entry character) that is not a number stops the reading at that
// line, as the CAD program's own reader stops on it.

#include "document/ZhdData.h"

#include "core/DebugLog.h"
#include "core/HexInt.h"
#include "core/LayerState.h"
#include "core/RGB.h"
#include "core/StopWatch.h"
#include "document/SjFormat.h"
#include "platform/Errors.h"
#include "platform/FileSystem.h"

#include <optional>
#include <string_view>

namespace {

constexpr std::string_view line_type_key = "LTYPE_";
constexpr std::string_view screen_pen_key = "LCOLLOR_";
constexpr std::string_view print_pen_key = "PCOLLOR_";

// One settings line cut into fields, read with the checks the line needs.
class TSettingsLine {
public:
    explicit TSettingsLine(const std::string& line)
        : line_(line)
    {
        SplitAtBlanks(line, fields_);
    }

    std::string_view Key() const { return fields_.empty() ? std::string_view() : std::string_view(fields_[0]); }
    // Whether fields 0 to `last` are all there.
    bool HasFields(int last) const { return static_cast<int>(fields_.size()) > last; }

    int Integer(int index) const
    {
        int value = 0;
        if (!TryStrToInt(fields_[index], value))
            Raise(fields_[index]);
        return value;
    }
    int IntegerOr(int index, int fallback) const { return HasFields(index) ? Integer(index) : fallback; }
    int Hex(int index) const { return THexInt().SetText(fields_[index]); }
    double RealOr(int index, double fallback) const { return HasFields(index) ? TextToFloat(fields_[index]) : fallback; }
    int Digit(char c) const
    {
        if (c < '0' || c > '9')
            Raise(std::string(1, c));
        return c - '0';
    }
    int Color(int first) const { return TRGB().PackRGB(Integer(first), Integer(first + 1), Integer(first + 2)); }

private:
    [[noreturn]] void Raise(const std::string& value) const
    {
        throw ConvertError("'" + value + "' is not a valid integer value in the settings line \"" + line_ + "\"");
    }

    const std::string& line_;
    StringList fields_;
};

// The new line type and its entry, or nothing for a line to skip.
std::optional<std::pair<int, TZhdLType>> LineTypeOf(const TSettingsLine& line)
{
    const std::string_view key = line.Key();
    if (key.size() <= line_type_key.size())
        return std::nullopt;
    const char kind = key[line_type_key.size()];
    TZhdLType type;
    if (kind != '0' && kind != 'R' && kind != 'L')
        return std::pair(1, type);
    if (key.size() <= line_type_key.size() + 1)
        return std::nullopt;
    const int d = line.Digit(key[line_type_key.size() + 1]);
    if (kind == 'R') {
        if (!line.HasFields(6))
            return std::nullopt;
        type.SetPattern(line.Hex(2));
        type.SetAmplitude(line.Integer(3));
        type.SetPitch(line.Integer(4));
        type.SetPrintAmplitude(line.Integer(5));
        type.SetPrintPitch(line.Integer(6));
        return std::pair(d + 10, type);
    }
    const bool print_pitch_may_be_left_out = kind == '0' && d == 9;
    if (!line.HasFields(print_pitch_may_be_left_out ? 4 : 5))
        return std::nullopt;
    type.SetPattern(line.Hex(2));
    type.SetDots(line.Integer(3));
    type.SetPitch(line.Integer(4));
    type.SetPrintPitch(line.IntegerOr(5, 1));
    return std::pair(kind == 'L' ? d + 15 : d, type);
}

constexpr bool IsPenWithoutEntry(char c)
{
    return c == 'H' || c == 'S' || c == 'K' || c == 'Z' || c == 'M';
}

std::optional<std::pair<int, TZhdPen>> ScreenPenOf(const TSettingsLine& line)
{
    const std::string_view key = line.Key();
    if (key.size() <= screen_pen_key.size())
        return std::nullopt;
    const char entry = key[screen_pen_key.size()];
    if (IsPenWithoutEntry(entry))
        return std::nullopt;
    const bool width_may_be_left_out = entry == 'G' || entry == 'B';
    const int n = entry == 'G' ? 9 : entry == 'B' ? 0 : line.Digit(entry);
    if (!line.HasFields(width_may_be_left_out ? 4 : 5))
        return std::nullopt;
    return std::pair(n, TZhdPen(line.Color(2), line.IntegerOr(5, 1)));
}

std::optional<std::pair<int, TZhdPrtPen>> PrintPenOf(const TSettingsLine& line)
{
    const std::string_view key = line.Key();
    if (key.size() <= print_pen_key.size())
        return std::nullopt;
    const char entry = key[print_pen_key.size()];
    // The screen pens' special keys may come as print-pen keys too; the
    // header keeps no print pen for them.
    if (entry == 'B' || IsPenWithoutEntry(entry))
        return std::nullopt;
    const bool values_may_be_left_out = entry == 'G';
    const int n = entry == 'G' ? 9 : line.Digit(entry);
    if (!line.HasFields(values_may_be_left_out ? 4 : 6))
        return std::nullopt;
    TZhdPrtPen pen;
    pen.SetAll(line.Color(2), line.IntegerOr(5, 1), line.RealOr(6, 0.1), std::string());
    return std::pair(n, pen);
}

} // namespace

void TZhdHead::ApplySettingsFile(const TStatusZHG& state, const TInfoZHG&, const StringList& lines)
{
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& text = lines[i];
        if (text.starts_with("#"))
            continue;
        if (text.starts_with("END"))
            break;
        try {
            const TSettingsLine line(text);
            const std::string_view key = line.Key();
            if (key.starts_with(line_type_key)) {
                if (const auto entry = LineTypeOf(line))
                    line_types_.Set(entry->first, entry->second);
            } else if (key.starts_with(screen_pen_key)) {
                if (const auto entry = ScreenPenOf(line))
                    pens_.Set(entry->first, entry->second);
            } else if (key.starts_with(print_pen_key)) {
                if (const auto entry = PrintPenOf(line))
                    print_pens_.Set(entry->first, entry->second);
            }
        } catch (const ConvertError& error) {
            throw TLineConvertError(static_cast<int>(i), error.what());
        }
    }

    // The state's group and layer come from a text-form file: only a real
    // group and layer become the write target.
    const int g = state.GetGLayer();
    const int l = state.GetLayer();
    if (!IsGroupAndLayer(g, l))
        return;
    TZhdGrp group = GetGroup(g);
    group.SetState(LayerWriteTarget);
    group.SetWriteLayer(l);
    SetGroup(g, std::move(group));
    TZhdLay layer = GetLayer(g, l);
    layer.SetState(LayerWriteTarget);
    SetLayer(g, l, std::move(layer));
}

TLoadResult TZhdData::LoadCadSettingsFile(const std::string& path)
{
    TStopWatch watch;
    const TFileBytes file = ReadWholeFile(NativePath(path));
    if (file.status != TLoadStatus::Loaded)
        return file.status;
    WriteDebugLog(sj(u8"ZHF読込"));
    WriteDebugLog(SjPrintf(u8"fread *.zhf:%ubyte %.3f秒", static_cast<unsigned>(file.bytes.size()), watch.Lap()));

    const TTextLines split(file.Text());
    WriteDebugLog("free(zuhen.zhf)");
    WriteDebugLog(SjPrintf(u8"切分処理：%.3f秒", watch.Lap()));

    // The lines are applied to a copy, so a line that stops the reading
    // leaves the drawing's settings as they were rather than half changed.
    TZhdHead applied = head_;
    try {
        applied.ApplySettingsFile(k_status_, info_zhg_, split.lines);
    } catch (const TLineConvertError& failure) {
        WriteDebugLog(failure.what());
        return split.ConversionErrorAt(failure.GetLineIndex());
    }
    head_ = std::move(applied);
    g_status_ = k_status_;
    WriteDebugLog(SjPrintf(u8"ZHF処理：%.3f秒", watch.Lap()));
    WriteDebugLog("");
    return {};
}
