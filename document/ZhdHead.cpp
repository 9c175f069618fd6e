#include "document/ZhdHead.h"

#include "core/WakeBit.h"

#include <utility>

namespace {

template <typename T>
TVect<T> TableOf(int count)
{
    TVect<T> table;
    table.Resize(count);
    return table;
}

bool IsLineBreak(char c)
{
    return c == '\r' || c == '\n';
}

} // namespace

TZhdHead::TZhdHead()
    : groups_(TableOf<TZhdGrp>(GroupCount))
    , dummy_(TableOf<std::uint32_t>(DummyCount))
    , dimension_settings_(TableOf<std::uint32_t>(DimensionSettingCount))
    , mark_jumps_(TableOf<TZhdZoomF>(MarkJumpCount))
    , parallel_line_distances_(TableOf<double>(ParallelLineCount))
    , pens_(TableOf<TZhdPen>(PenCount))
    , print_pens_(TableOf<TZhdPrtPen>(PenCount))
    , line_types_(TableOf<TZhdLType>(LineTypeCount))
    , line_parameters_(TableOf<TZhdLParameter>(LineTypeCount))
    , text_kinds_(TableOf<TZhdaMoji>(TextKindCount))
    , text_shifts_x_(TableOf<double>(TextShiftCount))
    , text_shifts_y_(TableOf<double>(TextShiftCount))
{
    // The background pen is black.
    pens_.Set(0, TZhdPen(0, 1));
}

std::string TZhdHead::SetFileName(std::string name)
{
    file_name_ = std::move(name);
    return file_name_;
}

std::string TZhdHead::SetMagic(std::string magic)
{
    magic_ = std::move(magic);
    return magic_;
}

std::string TZhdHead::SetMemo(std::string memo)
{
    memo_ = std::move(memo);
    return memo_;
}

std::string TZhdHead::GetMemoLine(int n) const
{
    if (n == 0)
        return memo_;
    int line = 0;
    std::size_t i = 0;
    while (i < memo_.size()) {
        while (i < memo_.size() && IsLineBreak(memo_[i]))
            ++i;
        const std::size_t start = i;
        while (i < memo_.size() && !IsLineBreak(memo_[i]))
            ++i;
        if (i > start && ++line == n)
            return memo_.substr(start, i - start);
    }
    return {};
}

TVect<TZhdGrp> TZhdHead::SetGroups(TVect<TZhdGrp> groups)
{
    groups_ = std::move(groups);
    return groups_;
}

TZhdLay TZhdHead::SetLayer(int g, int l, TZhdLay layer)
{
    TZhdGrp group = groups_.Get(g);
    group.SetLayer(l, std::move(layer));
    return groups_.Set(g, std::move(group)).GetLayer(l);
}

int TZhdHead::GetLayerStateMask(int g, int l) const
{
    const TWakeBit& masks = SharedWakeBit();
    return static_cast<int>(masks.GetMask(GetGroupState(g)) & masks.GetMask(GetLayerState(g, l)));
}

double TZhdHead::GetGroupScale(int g) const
{
    return groups_.Get(g & 15).GetScale();
}

double TZhdHead::SetGroupScale(int g, double scale)
{
    TZhdGrp group = groups_.Get(g & 15);
    group.SetScale(scale);
    return groups_.Set(g & 15, std::move(group)).GetScale();
}

TVect<std::uint32_t> TZhdHead::SetDummy(TVect<std::uint32_t> words)
{
    dummy_ = std::move(words);
    return dummy_;
}

TVect<std::uint32_t> TZhdHead::SetDimensionSettings(TVect<std::uint32_t> words)
{
    dimension_settings_ = std::move(words);
    return dimension_settings_;
}

TZhdZoomF TZhdHead::SetPrinterArea(TZhdZoomF area)
{
    printer_area_ = area;
    return printer_area_;
}

TZhdZoom TZhdHead::SetSavedView(TZhdZoom view)
{
    saved_view_ = view;
    return saved_view_;
}

TZhdZoom TZhdHead::SetRangeMemoryView(TZhdZoom view)
{
    range_memory_view_ = view;
    return range_memory_view_;
}

TVect<TZhdZoomF> TZhdHead::SetMarkJumps(TVect<TZhdZoomF> jumps)
{
    mark_jumps_ = std::move(jumps);
    return mark_jumps_;
}

TVect<double> TZhdHead::SetParallelLineDistances(TVect<double> distances)
{
    parallel_line_distances_ = std::move(distances);
    return parallel_line_distances_;
}

TVect<TZhdPen> TZhdHead::SetPens(TVect<TZhdPen> pens)
{
    pens_ = std::move(pens);
    return pens_;
}

TVect<TZhdPrtPen> TZhdHead::SetPrtPens(TVect<TZhdPrtPen> pens)
{
    print_pens_ = std::move(pens);
    return print_pens_;
}

TVect<TZhdLType> TZhdHead::SetLTypes(TVect<TZhdLType> types)
{
    line_types_ = std::move(types);
    return line_types_;
}

TVect<TZhdLParameter> TZhdHead::SetLParameters(TVect<TZhdLParameter> parameters)
{
    line_parameters_ = std::move(parameters);
    return line_parameters_;
}

TVect<TZhdaMoji> TZhdHead::SetTextKinds(TVect<TZhdaMoji> kinds)
{
    text_kinds_ = std::move(kinds);
    return text_kinds_;
}

TVect<double> TZhdHead::SetTextShiftsX(TVect<double> shifts)
{
    text_shifts_x_ = std::move(shifts);
    return text_shifts_x_;
}

TVect<double> TZhdHead::SetTextShiftsY(TVect<double> shifts)
{
    text_shifts_y_ = std::move(shifts);
    return text_shifts_y_;
}

TZhdHead& TZhdHead::Assign(const TZhdHead& other)
{
    *this = other;
    return *this;
}

TZhdHead& TZhdHead::SetHead(TZhdHead other)
{
    *this = std::move(other);
    return *this;
}
