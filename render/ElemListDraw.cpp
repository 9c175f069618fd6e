// Drawing an element list onto a canvas: the one road by which a drawing
// reaches the screen, a printer page or an image file.
//
// A drawing fills the background, outlines the paper, drops the elements of
// hidden layers and those outside the view, sorts the rest into buckets
// (display-only or not; image texts, solids, wide lines, texts drawn last,
// the rest) and draws the buckets in a fixed sequence of passes, each in
// layer or colour order on its own copy, setting pen and brush for every
// element. Then the selected elements are drawn over in the selection colour,
// and on screen the print frame and the cross-hair.
//
// Cost: one walk of the list for the culling (a layer-state read and an
// extent test per element), one stable sort per ordered pass, and per drawn
// element a pen set and its draw operation. Buckets hold raw pointers to the
// list's elements, which outlive the call; pen colours come from a per-call
// table (render/DrawPens.h); nothing is allocated per element.

#include "document/ZhdElemList.h"

#include "core/DebugLog.h"
#include "core/KDefine.h"
#include "core/LayerState.h"
#include "document/ElemOrdering.h"
#include "document/SjFormat.h"
#include "document/ZhdData.h"
#include "elements/KCircle.h"
#include "elements/KMoji.h"
#include "elements/KPoint.h"
#include "elements/ZhdElem.h"
#include "platform/Canvas.h"
#include "platform/MessagePump.h"
#include "platform/Tick.h"
#include "render/DrawPens.h"
#include "render/InfoReg.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <map>
#include <string>
#include <system_error>
#include <utility>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int display_only_pass = 1;
constexpr int normal_pass = 2;
constexpr TColor paper_outline_color = PackColor(255, 0, 255);

TColor Complement(TColor color)
{
    return ~color & 0xFFFFFF;
}

bool IsImageText(TZhdElem& elem)
{
    return elem.GetTypeCode() == TZhdElem::MojiCode && !elem.GetText(2).empty();
}

// How far each marker shape reaches from its origin, before it is placed:
// the largest distance of a corner of its elements' boxes. Worked out once
// per code and drawing, so that culling a marker point costs no placed copy
// of its shape.
class TMarkerReach {
public:
    explicit TMarkerReach(const TZhdData& document) : document_(document) {}

    double Of(int code)
    {
        const auto known = reach_.find(code);
        if (known != reach_.end())
            return known->second;
        double reach = 0;
        const auto shape = document_.GetMarkerShapesPtr().find(code);
        if (shape != document_.GetMarkerShapesPtr().end()) {
            for (auto elem = shape->second.Begin(); elem != shape->second.End(); ++elem) {
                TBPoint low, high;
                (*elem)->GetExtent(low, high, document_, 0);
                for (const TBPoint& corner : { low, high, TBPoint(low.GetX(), high.GetY()), TBPoint(high.GetX(), low.GetY()) })
                    reach = std::fmax(reach, std::hypot(corner.GetX(), corner.GetY()));
            }
        }
        return reach_[code] = reach;
    }

private:
    const TZhdData& document_;
    std::map<int, double> reach_;
};

bool BoxMeetsView(const TBPoint& center, double reach, const TBPoint& lower_left, const TBPoint& upper_right)
{
    return !(center.GetX() - reach > upper_right.GetX() || lower_left.GetX() > center.GetX() + reach
             || center.GetY() - reach > upper_right.GetY() || lower_left.GetY() > center.GetY() + reach);
}

bool IsInView(const TBPoint& point, const TBPoint& lower_left, const TBPoint& upper_right)
{
    return lower_left.GetX() <= point.GetX() && point.GetX() <= upper_right.GetX() && lower_left.GetY() <= point.GetY()
        && point.GetY() <= upper_right.GetY();
}

// The view holds every element whose extent meets it, with two kinds
// measured for culling alone. An ellipse's extent is the box of its radius,
// which misses a long second axis: culling takes the longer of the two, so an
// ellipse whose long axis crosses the view is drawn. A marker point's extent
// places its whole shape: culling takes a circle around the point that holds
// the shape however it is turned.
bool MayBeVisible(TZhdElem& elem, const TBPoint& lower_left, const TBPoint& upper_right, const TZhdData& document,
                  TMarkerReach& markers)
{
    const int code = elem.GetTypeCode();
    // A text's extent holds its start point, so a start in the view answers
    // without measuring the text, the dear part of its extent.
    if (code == TZhdElem::MojiCode) {
        const auto* text = dynamic_cast<const TKMoji*>(&elem);
        if (text != nullptr && IsInView(text->GetStart(), lower_left, upper_right))
            return true;
    }
    if (code == TZhdElem::CircleCode) {
        const auto& arc = static_cast<const TKCircle&>(elem);
        const double reach = std::fabs(arc.GetRadius()) * std::max(1.0, std::fabs(arc.GetFlatness()));
        return BoxMeetsView(arc.GetCenter(), reach, lower_left, upper_right);
    }
    if (code == TZhdElem::PointCode && static_cast<const TKPoint&>(elem).IsMarker()) {
        const auto& point = static_cast<const TKPoint&>(elem);
        const double scale = point.GetMarkerScale() == 0 ? 1.0 : std::fabs(point.GetMarkerScale());
        return BoxMeetsView(point.GetPos(), markers.Of(point.GetMarkerCode()) * scale, lower_left, upper_right);
    }
    return elem.ExtentOverlapsRect(lower_left, upper_right, document, 0) != 0;
}

// The buckets of one drawing, in the order the passes may take them.
struct Buckets {
    TZhdElemList::ElemRefs display_only_images;
    TZhdElemList::ElemRefs display_only_solids;
    TZhdElemList::ElemRefs display_only_wide;
    TZhdElemList::ElemRefs display_only_rest;
    TZhdElemList::ElemRefs images;
    TZhdElemList::ElemRefs solids;
    TZhdElemList::ElemRefs white_redraw;
    TZhdElemList::ElemRefs wide;
    TZhdElemList::ElemRefs final;
    TZhdElemList::ElemRefs normal;
    TZhdElemList::ElemRefs discard;
};

// The layer and colour order of the image, solid and wide-line passes, from
// the draw-order code's tens digit.
std::pair<int, int> ImageAndSolidOrder(int tens, const TInfoREG& info)
{
    switch (tens) {
    case 0:
        return { 1, 0 };
    case 1:
        return { 1, 1 };
    case 2:
        return { 1, 2 };
    case 3:
        return { 2, 0 };
    case 4:
        return { 2, 1 };
    case 5:
        return { 2, 2 };
    case 6:
        return { info.LayerOrder, info.ColorOrder };
    default:
        return { 1, 0 };
    }
}

// The units and tens digit of a code that may be negative.
int Digit(int code, int position)
{
    const long long value = std::llabs(static_cast<long long>(code));
    return static_cast<int>(position == 0 ? value % 10 : value / 10 % 10);
}

// The element's pen width in pixels; the print pen is looked at only when
// pens are drawn with their widths.
int PenPixels(const TInfoREG& info, TDrawPens& pens, const TZhdElem& elem)
{
    if (info.LineWidthDisplay == 0)
        return 1;
    return static_cast<int>(info.PenWidthPixelsOf(pens.DrawingWidth(elem.GetPenWidth(), elem.GetPenColor())));
}

// Selected elements of layers at least editable get the selection overlay (a
// block reference judged by its own layer, unlike in the culling).
bool IsOverlaid(const TZhdElem& elem, const TZhdData& document)
{
    return elem.GetElemFlg().IsSet(TZhdElem::SelectedMark) != 0
        && document.GetCachedLayerState(elem.GetGLayer(), elem.GetLayer()) > LayerMaskDisplayOnly;
}

// The overlay: the selected elements in the selection colour, forced, in
// list order; not in print and image jobs.
int DrawSelection(TCanvas& canvas, TZhdData& document, const TZhdElemList::ElemRefs& selected)
{
    TInfoREG& info = document.GetInfoRegPtr();
    if (info.OutputJob != 0)
        return 0;
    TDrawPens pens(document);
    const TColor selection = document.GetPenMapPtr()["S"].GetColorValue();
    int result = 0;
    for (TZhdElem* elem : selected) {
        document.SetDrawColor(selection);
        document.SetDrawColorMode(1);
        canvas.SetBrush(TBrush { selection, TBrushStyle::Solid });
        canvas.SetPenWidth(PenPixels(info, pens, *elem));
        result += elem->Draw(canvas, document);
    }
    return result;
}

// Log lines are made only when the log is written: a drawing of block
// references runs a drawing per reference.
void LogLine(const char* line)
{
    if (DebugLogEnabled())
        WriteDebugLog(line);
}

// A timing line: the format with the seconds.
void LogSeconds(const char8_t* format, double seconds)
{
    if (DebugLogEnabled())
        WriteDebugLog(SjPrintf(format, seconds));
}

// The log line and status text of a drawing's time.
constexpr const char8_t* draw_time_format = u8"#draw   ：%.8f秒";

// The status text: what printf makes of draw_time_format (its one number in
// fixed notation with eight decimals, as to_chars writes it too), without
// printf's parsing: every drawing writes it, the drawing of each block
// reference's contents too.
std::string DrawTimeText(double seconds)
{
    static const std::string format = sj(draw_time_format);
    static const std::size_t number_at = format.find("%.8f");
    static const std::string before = format.substr(0, number_at);
    static const std::string after = format.substr(number_at + 4);
    char digits[400];
    const auto [end, error] = std::to_chars(digits, digits + sizeof digits, seconds, std::chars_format::fixed, 8);
    if (error != std::errc())
        return SjPrintf(draw_time_format, seconds);
    std::string text;
    text.reserve(before.size() + static_cast<std::size_t>(end - digits) + after.size());
    text.append(before).append(digits, end).append(after);
    return text;
}

} // namespace

TDrawPens::Pen& TDrawPens::Slot(int number)
{
    // Colour numbers are 16-bit; the table grows to the largest one met.
    const std::size_t index = static_cast<std::size_t>(std::clamp(number, 0, 0xFFFF));
    if (index < kept_inline)
        return first_pens_[index];
    if (index - kept_inline >= further_pens_.size())
        further_pens_.resize(index - kept_inline + 1);
    return further_pens_[index - kept_inline];
}

TColor TDrawPens::ScreenColor(int number)
{
    Pen& pen = Slot(number);
    if (!pen.screen_known) {
        pen.screen_color = document_.GetPenMapPtr()[std::to_string(number)].GetColorValue();
        pen.screen_known = true;
    }
    return pen.screen_color;
}

const TDrawPens::Pen& TDrawPens::PrintEntry(int number)
{
    Pen& pen = Slot(number);
    if (!pen.print_known) {
        const TZhdPrtPen& print = document_.GetPrtPenMapPtr()[std::to_string(number)];
        pen.print_color = print.GetColorValue();
        pen.print_width = static_cast<unsigned>(print.GetWidth());
        pen.print_known = true;
    }
    return pen;
}

int TZhdElemList::Draw(TCanvas& canvas, TZhdData& document)
{
    TInfoREG& info = document.GetInfoRegPtr();
    LogLine("<TZhdElemList::Draw>");
    const Clock::time_point start = Clock::now();
    Clock::time_point lap = start;
    const bool print_pens = info.OutputJob != 0 || info.PrintPreview != 0;
    const TColor background = (print_pens ? document.GetPrtPenMapPtr()["B"] : document.GetPenMapPtr()["B"]).GetColorValue();

    if (info.BlockDraw == 0) {
        if (info.OutputJob != 0)
            LogLine("printer!");
        if (info.NestedDraw == 0) {
            canvas.SetBrush(TBrush { background, TBrushStyle::Solid });
            canvas.FillRect(TRectI { 0, 0, info.PixelWidth, info.PixelHeight });
        }
        if (info.PixelWidth < 1)
            info.PixelWidth = 100;
        if (info.PixelHeight < 1)
            info.PixelHeight = 100;
        const int paper = document.GetHeadPtr().GetPaperSize();
        const double paper_width = LookUp(SharedDefine().PaperWidths, paper);
        const double paper_height = LookUp(SharedDefine().PaperHeights, paper);
        const double scale = info.View.GetScale();
        if (!(scale > 0) || !std::isfinite(scale))
            info.SetBairitsu(paper_width, paper_height, document);
        if (info.OutputJob == 0 && info.NestedDraw == 0) {
            canvas.SetPenColor(paper_outline_color);
            canvas.SetPenStyle(TPenStyle::Dot);
            const double w = paper_width / 2, h = paper_height / 2;
            info.DrawSegmentXY(canvas, -w, -h, w, -h);
            info.DrawSegmentXY(canvas, w, -h, w, h);
            info.DrawSegmentXY(canvas, w, h, -w, h);
            info.DrawSegmentXY(canvas, -w, h, -w, -h);
        }
        LogSeconds(u8"#draw0  ：%.8f秒", SecondsSince(lap));
        lap = Clock::now();
    }

    // Culling and buckets.
    const TBPoint lower_left = info.GetViewCorner(0);
    const TBPoint upper_right = info.GetViewCorner(2);
    const int units = Digit(info.DrawOrder, 0);
    const bool by_kind = units != 0;
    TDrawPens pens(document);
    TMarkerReach markers(document);
    Buckets buckets;
    // Nearly every element goes there.
    buckets.normal.reserve(items_.size());
    // The selection overlay's elements, gathered by the same walk.
    ElemRefs selected;
    int counted = 0;
    for (const TZhdElemPtr& shared : items_) {
        TZhdElem& elem = *shared;
        if (IsOverlaid(elem, document))
            selected.push_back(&elem);
        const int code = elem.GetTypeCode();
        const std::uint32_t state = code == TZhdElem::BlockCode
            ? LayerMaskEditable
            : document.GetCachedLayerState(elem.GetGLayer(), elem.GetLayer());
        if (state == LayerMaskHidden) {
            if (info.Release != 0 && IsImageText(elem))
                elem.Release();
            continue;
        }
        if (!MayBeVisible(elem, lower_left, upper_right, document, markers))
            continue;
        ++counted;
        const bool is_text = code == TZhdElem::MojiCode;
        const bool is_solid = code == TZhdElem::SolidCode;
        const bool wide = info.TraceWidth != 0
            && pens.EffectiveWidth(elem.GetPenWidth(), elem.GetPenColor()) >= static_cast<unsigned>(info.TraceWidth);
        if (state == LayerMaskDisplayOnly) {
            if (by_kind && is_text && IsImageText(elem))
                buckets.display_only_images.push_back(&elem);
            else if (by_kind && is_solid)
                buckets.display_only_solids.push_back(&elem);
            else if (by_kind && wide)
                buckets.display_only_wide.push_back(&elem);
            else
                buckets.display_only_rest.push_back(&elem);
            continue;
        }
        // Image texts have their own bucket when buckets go by kind.
        const bool last =
            info.FinalMoji != 0 && (is_text || code == TZhdElem::SunpouCode || code == TZhdElem::BlockCode);
        if (by_kind && is_text && IsImageText(elem))
            buckets.images.push_back(&elem);
        else if (by_kind && is_solid)
            buckets.solids.push_back(&elem);
        else if (by_kind && wide && !is_text)
            buckets.wide.push_back(&elem);
        else if (last)
            buckets.final.push_back(&elem);
        else
            buckets.normal.push_back(&elem);
    }
    LogSeconds(u8"#divide ：%.8f秒", SecondsSince(lap));
    lap = Clock::now();
    info.ElementTotal += counted;

    // Passes.
    const std::pair<int, int> image_and_solid_order = ImageAndSolidOrder(Digit(info.DrawOrder, 1), info);
    const int layer_order = image_and_solid_order.first;
    const int color_order = image_and_solid_order.second;
    int result = 0;
    // Each bucket is drawn once: its pass takes it over rather than a copy.
    const auto run = [&](int pass, ElemRefs& bucket, ElemRefs* redraw, TColor pass_background, int layers,
                         int colors) {
        result += DrawPass(canvas, document, pass_background, pass, std::move(bucket), redraw, layers, colors);
    };
    if (by_kind) {
        const auto images_passes = [&] {
            run(display_only_pass, buckets.display_only_images, &buckets.discard, background, 0, 0);
            run(normal_pass, buckets.images, &buckets.discard, background, layer_order, color_order);
        };
        const auto solid_and_wide_passes = [&] {
            run(display_only_pass, buckets.display_only_solids, &buckets.discard, background, 0, 0);
            run(normal_pass, buckets.solids, &buckets.white_redraw, background, layer_order, color_order);
            run(display_only_pass, buckets.display_only_wide, &buckets.discard, background, 0, 0);
            run(normal_pass, buckets.wide, &buckets.white_redraw, background, layer_order, color_order);
        };
        if (units == 1) {
            images_passes();
            solid_and_wide_passes();
        } else {
            solid_and_wide_passes();
            images_passes();
        }
        run(normal_pass, buckets.white_redraw, &buckets.discard, 0, layer_order, color_order);
    }
    run(display_only_pass, buckets.display_only_rest, &buckets.discard, background, 0, 0);
    run(normal_pass, buckets.normal, &buckets.discard, background, info.LayerOrder, info.ColorOrder);
    run(normal_pass, buckets.final, &buckets.discard, background, info.LayerOrder, info.ColorOrder);

    DrawSelection(canvas, document, selected);
    info.DrawViewOverlays(canvas, document);

    const double total = SecondsSince(start);
    LogSeconds(draw_time_format, SecondsSince(lap));
    LogSeconds(u8"#total  ：%.8f秒", total);
    info.StatusText = DrawTimeText(total);
    LogLine("</TZhdElemList::Draw>");
    return result;
}

int TZhdElemList::DrawPass(TCanvas& canvas, TZhdData& document, TColor background, int pass, ElemRefs bucket,
                           ElemRefs* redraw, int layer_order, int color_order)
{
    TInfoREG& info = document.GetInfoRegPtr();
    const bool print_pens = info.OutputJob != 0 || info.PrintPreview != 0;
    TDrawPens pens(document);
    if (pass == display_only_pass) {
        TColor grey = 0;
        if (!print_pens)
            grey = document.GetPenMapPtr()["G"].GetColorValue();
        else if (info.ColorPrint != 0)
            grey = document.GetPrtPenMapPtr()["G"].GetColorValue();
        document.SetDrawColor(grey);
        document.SetDrawColorMode(1);
        canvas.SetBrush(TBrush { grey, TBrushStyle::Solid });
    } else {
        OrderElements(bucket, layer_order, color_order);
    }
    const bool transparency = info.Transparent != 0 || info.ColorTransparent != 0;
    int result = 0;
    for (TZhdElem* elem : bucket) {
        if (info.OutputJob != 0)
            ProcessPendingMessages();
        // Tested before each element, after the pump that may have taken the
        // abort click: an abort ends the page where it stands, in this pass
        // and in the passes after it.
        if (info.AbortFlag != 0)
            break;
        const int number = elem->GetPenColor();
        if (pass != display_only_pass) {
            document.SetWhiteSolidFlag(0);
            TColor color = 0;
            int force = 0;
            if (!print_pens)
                color = pens.ScreenColor(number);
            else if (info.ColorPrint != 0)
                color = pens.PrintColor(number);
            else
                force = 1;
            if (color == background)
                color = Complement(color);
            document.SetDrawColor(color);
            document.SetDrawColorMode(force);
            canvas.SetBrush(TBrush { color, TBrushStyle::Solid });
        }
        canvas.SetPenWidth(PenPixels(info, pens, *elem));
        result += elem->Draw(canvas, document);
        ++info.ElementsDrawn;
        if (pass != display_only_pass && transparency && document.GetWhiteSolidFlag() != 0 && redraw != nullptr)
            redraw->push_back(elem);
    }
    return result;
}

int TZhdElemList::DrawSelected(TCanvas& canvas, TZhdData& document)
{
    ElemRefs selected;
    for (const TZhdElemPtr& elem : items_) {
        if (IsOverlaid(*elem, document))
            selected.push_back(elem.get());
    }
    return DrawSelection(canvas, document, selected);
}
