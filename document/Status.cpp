#include "document/Status.h"

#include "core/DebugLog.h"
#include "document/RecordFields.h"
#include "document/ZhdPen.h"
#include "platform/Numbers.h"

namespace {

std::uint32_t max_pl_group = 0;

} // namespace

TStatus::TStatus(std::uint32_t pl_group, std::uint8_t pen_style, std::uint16_t pen_color, std::uint16_t pen_width,
                 std::uint16_t layer, std::uint16_t g_layer, std::uint16_t flags)
    : pl_group_(pl_group)
    , pen_style_(pen_style)
    , pen_color_(pen_color)
    , pen_width_(pen_width)
    , layer_(layer)
    , g_layer_(g_layer)
    , flg_(flags)
{
}

std::uint32_t TStatus::GetMaxPlGroup()
{
    return max_pl_group;
}

std::uint32_t TStatus::RaiseMaxPlGroup(std::uint32_t n)
{
    if (n > max_pl_group)
        max_pl_group = n;
    return max_pl_group;
}

std::uint32_t TStatus::NewPlGroup()
{
    return pl_group_ = ++max_pl_group;
}

std::uint32_t TStatus::TakeMaxPlGroup()
{
    return pl_group_ = max_pl_group;
}

std::uint16_t TStatus::GetGroupLayerCode() const
{
    return static_cast<std::uint16_t>((g_layer_ << 4) | layer_);
}

TStatus& TStatus::Assign(const TStatus& other)
{
    *this = other;
    return *this;
}

TStatus& TStatus::SetStatus(std::uint32_t pl_group, std::uint8_t pen_style, std::uint16_t pen_color,
                            std::uint16_t pen_width, std::uint16_t layer, std::uint16_t g_layer, TBitFlg flags)
{
    pl_group_ = pl_group;
    pen_style_ = pen_style;
    pen_color_ = pen_color;
    pen_width_ = pen_width;
    layer_ = layer;
    g_layer_ = g_layer;
    flg_ = flags;
    return *this;
}

void TStatus::Read(TStream& stream, std::uint32_t version)
{
    TRecordBuffer<15> record(stream, static_cast<std::size_t>(GetRecordSize(version)));
    record.Take(pl_group_);
    record.Take(pen_style_);
    record.Take(pen_color_);
    if (HasPenWidth(version))
        record.Take(pen_width_);
    else
        pen_width_ = 0;
    record.Take(layer_);
    record.Take(g_layer_);
    std::uint16_t low_flags = flg_.GetWord(0);
    record.Take(low_flags);
    flg_.SetWord(low_flags, 0);
}

void TStatus::Write(TStream& stream, std::uint32_t version) const
{
    WriteField(stream, pl_group_);
    WriteField(stream, pen_style_);
    WriteField(stream, pen_color_);
    if (HasPenWidth(version))
        WriteField(stream, pen_width_);
    WriteField(stream, layer_);
    WriteField(stream, g_layer_);
    WriteField(stream, flg_.GetWord(0));
}

int TStatus::GetRecordSize(std::uint32_t version)
{
    return HasPenWidth(version) ? 15 : 13;
}

int TStatus::GetEffectivePenWidth(std::map<std::string, TZhdPrtPen>& print_pens) const
{
    if (pen_width_ != 0)
        return pen_width_;
    return print_pens[std::to_string(pen_color_)].GetWidth();
}

void TStatus::DumpToLog() const
{
    WriteDebugLog(StringPrintf("PLG %u, %x-%x, style %u, color %u, width %u, flg %u", pl_group_, g_layer_, layer_,
                               pen_style_, pen_color_, pen_width_, flg_.GetWord(0)));
}
