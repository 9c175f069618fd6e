#include "platform/MetafilePlayer.h"

#include "platform/MetafileRecords.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace metafile {

namespace {

// Device coordinates stay far inside int, so that the canvas's own sums
// (a box's width, a wide pen's outline) cannot overflow; the canvas clips
// whatever lies off it.
constexpr double CoordinateLimit = 1 << 28;
// The platform's default font is about 12 points tall.
constexpr double DefaultFontHeightMm = 12 * 25.4 / 72;
constexpr TColor White = PackColor(255, 255, 255);

int ToPixel(double value)
{
    if (!std::isfinite(value))
        return 0;
    return static_cast<int>(std::lround(std::clamp(value, -CoordinateLimit, CoordinateLimit)));
}

bool UsableExtent(double extent)
{
    return extent != 0 && std::isfinite(extent);
}

// Logical units per millimetre of the fixed map modes; 0 for the others.
double UnitsPerMm(std::uint32_t mode)
{
    switch (mode) {
    case MapLoMetric:
        return 10;
    case MapHiMetric:
        return 100;
    case MapLoEnglish:
        return 100 / 25.4;
    case MapHiEnglish:
        return 1000 / 25.4;
    case MapTwips:
        return 1440 / 25.4;
    default:
        return 0;
    }
}

TColor ColorOf(std::uint32_t color_ref)
{
    // The high byte marks palette colours, which play as the RGB they hold.
    return static_cast<TColor>(color_ref & 0xFFFFFF);
}

} // namespace

TPenStyle PenStyleOf(std::uint32_t style)
{
    switch (style & PenStyleMask) {
    case PenNull:
        return TPenStyle::Clear;
    case PenDash:
    case PenDot:
    case PenDashDot:
    case PenDashDotDot:
    case PenAlternate:
        // The canvas has one broken style.
        return TPenStyle::Dot;
    default:
        return TPenStyle::Solid;
    }
}

TBrush BrushOf(std::uint32_t style, std::uint32_t color)
{
    switch (style) {
    case BrushNull:
        return { ColorOf(color), TBrushStyle::Clear };
    case BrushHatched:
        // The canvas has one hatch.
        return { ColorOf(color), TBrushStyle::DiagCross };
    default:
        return { ColorOf(color), TBrushStyle::Solid };
    }
}

TMetafilePlayer::TMetafilePlayer(TCanvas& canvas, const TRectI& destination, const TPictureSetup& setup)
    : canvas_(canvas), destination_(destination), setup_(setup), caller_pen_(canvas.Pen()),
      caller_brush_(canvas.Brush()), caller_font_(canvas.Font())
{
    state_.map_mode = setup.map_mode;
    state_.window = setup.window;
    state_.viewport = setup.viewport;
    UpdateTransform();
}

TMetafilePlayer::~TMetafilePlayer()
{
    canvas_.SetPen(caller_pen_);
    canvas_.SetBrush(caller_brush_);
    canvas_.SetFont(caller_font_);
}

bool TMetafilePlayer::CanDraw() const
{
    return UsableExtent(setup_.frame.width) && UsableExtent(setup_.frame.height);
}

// ---------------------------------------------------------------------------
// Mapping

void TMetafilePlayer::UpdateTransform()
{
    const TFrame& window = state_.window;
    const TFrame& viewport = state_.viewport;
    double page_x = 1;
    double page_y = 1;
    if (const double units = UnitsPerMm(state_.map_mode); units != 0) {
        page_x = setup_.page_units_per_mm_x / units;
        page_y = -setup_.page_units_per_mm_y / units;
    } else if (state_.map_mode == MapIsotropic || state_.map_mode == MapAnisotropic) {
        page_x = viewport.width / window.width;
        page_y = viewport.height / window.height;
        if (state_.map_mode == MapIsotropic) {
            const double common = std::min(std::abs(page_x), std::abs(page_y));
            page_x = std::copysign(common, page_x);
            page_y = std::copysign(common, page_y);
        }
    }
    const TFrame& frame = setup_.frame;
    const double stretch_x = CanDraw() ? (destination_.right - destination_.left) / frame.width : 0;
    const double stretch_y = CanDraw() ? (destination_.bottom - destination_.top) / frame.height : 0;
    scale_x_ = page_x * stretch_x;
    scale_y_ = page_y * stretch_y;
    offset_x_ = destination_.left + (viewport.x - window.x * page_x - frame.x) * stretch_x;
    offset_y_ = destination_.top + (viewport.y - window.y * page_y - frame.y) * stretch_y;
}

void TMetafilePlayer::SetMapMode(std::uint32_t mode)
{
    if (mode < MapText || mode > MapAnisotropic)
        return;
    state_.map_mode = mode;
    UpdateTransform();
}

void TMetafilePlayer::SetWindowOrg(double x, double y)
{
    state_.window.x = x;
    state_.window.y = y;
    UpdateTransform();
}

// The platform refused an extent of zero and kept the old one; so does the
// player, which keeps every scale finite.
void TMetafilePlayer::SetWindowExt(double width, double height)
{
    if (!UsableExtent(width) || !UsableExtent(height))
        return;
    state_.window.width = width;
    state_.window.height = height;
    UpdateTransform();
}

void TMetafilePlayer::SetViewportOrg(double x, double y)
{
    state_.viewport.x = x;
    state_.viewport.y = y;
    UpdateTransform();
}

void TMetafilePlayer::SetViewportExt(double width, double height)
{
    if (!UsableExtent(width) || !UsableExtent(height))
        return;
    state_.viewport.width = width;
    state_.viewport.height = height;
    UpdateTransform();
}

TPointI TMetafilePlayer::Map(double x, double y) const
{
    return { ToPixel(scale_x_ * x + offset_x_), ToPixel(scale_y_ * y + offset_y_) };
}

TRectI TMetafilePlayer::MapBox(double left, double top, double right, double bottom) const
{
    const TPointI a = Map(left, top);
    const TPointI b = Map(right, bottom);
    return { std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y) };
}

std::vector<TPointI> TMetafilePlayer::MapPoints(std::span<const TPointI> points) const
{
    std::vector<TPointI> mapped;
    mapped.reserve(points.size());
    for (const TPointI& point : points)
        mapped.push_back(Map(point.x, point.y));
    return mapped;
}

// ---------------------------------------------------------------------------
// Saved states

void TMetafilePlayer::Save()
{
    if (saved_.size() < MaxSavedStates)
        saved_.push_back(state_);
}

void TMetafilePlayer::Restore(int level)
{
    const auto depth = static_cast<long long>(saved_.size());
    long long keep = 0;
    if (level < 0 && -static_cast<long long>(level) <= depth)
        keep = depth + level;
    else if (level > 0 && level <= depth)
        keep = level - 1;
    else
        return;
    state_ = saved_[static_cast<std::size_t>(keep)];
    saved_.resize(static_cast<std::size_t>(keep));
    UpdateTransform();
}

// ---------------------------------------------------------------------------
// Objects

TGraphicObject* TMetafilePlayer::ObjectAt(std::uint32_t index)
{
    if (index >= objects_.size() || !objects_[index])
        return nullptr;
    return &*objects_[index];
}

void TMetafilePlayer::CreateAt(std::uint32_t index, TGraphicObject object)
{
    if (index >= setup_.object_slots)
        return;
    if (index >= objects_.size())
        objects_.resize(std::size_t { index } + 1);
    objects_[index] = std::move(object);
}

// A full table refuses the object, as the platform's did.
void TMetafilePlayer::CreateInFreeSlot(TGraphicObject object)
{
    std::size_t index = lowest_free_;
    while (index < objects_.size() && objects_[index])
        ++index;
    if (index >= setup_.object_slots)
        return;
    if (index >= objects_.size())
        objects_.resize(index + 1);
    objects_[index] = std::move(object);
    lowest_free_ = index + 1;
}

void TMetafilePlayer::Select(std::uint32_t index)
{
    const TGraphicObject* object = ObjectAt(index);
    if (object == nullptr)
        return;
    if (const auto* pen = std::get_if<TLogicalPen>(object))
        state_.pen = *pen;
    else if (const auto* brush = std::get_if<TBrush>(object))
        state_.brush = *brush;
    else if (const auto* font = std::get_if<TLogicalFont>(object))
        state_.font = *font;
}

void TMetafilePlayer::SelectStock(std::uint32_t stock)
{
    const auto gray = [](int level) { return BrushOf(BrushSolid, static_cast<std::uint32_t>(PackColor(level, level, level))); };
    switch (stock) {
    case StockWhiteBrush:
    case StockDcBrush:
        state_.brush = gray(255);
        break;
    case StockLightGrayBrush:
        state_.brush = gray(192);
        break;
    case StockGrayBrush:
        state_.brush = gray(128);
        break;
    case StockDarkGrayBrush:
        state_.brush = gray(64);
        break;
    case StockBlackBrush:
        state_.brush = gray(0);
        break;
    case StockNullBrush:
        state_.brush = BrushOf(BrushNull, 0);
        break;
    case StockWhitePen:
        state_.pen = { TPenStyle::Solid, 0, true, White };
        break;
    case StockBlackPen:
    case StockDcPen:
        state_.pen = { TPenStyle::Solid, 0, true, 0 };
        break;
    case StockNullPen:
        state_.pen = { TPenStyle::Clear, 0, true, 0 };
        break;
    default:
        if (stock >= StockOemFixedFont && stock <= StockDefaultGuiFont && stock != 15)
            state_.font = TLogicalFont {};
        break;
    }
}

void TMetafilePlayer::Delete(std::uint32_t index)
{
    // A selected object stays in use until another is selected: the state
    // holds its own copy.
    if (index >= objects_.size())
        return;
    objects_[index].reset();
    lowest_free_ = std::min<std::size_t>(lowest_free_, index);
}

void TMetafilePlayer::SetTextColor(std::uint32_t color)
{
    state_.text_color = ColorOf(color);
}

void TMetafilePlayer::SetBkColor(std::uint32_t color)
{
    state_.bk_color = ColorOf(color);
}

// ---------------------------------------------------------------------------
// Drawing

TPen TMetafilePlayer::RealizePen() const
{
    TPen pen;
    pen.color = state_.pen.color;
    pen.style = state_.pen.style;
    if (!state_.pen.cosmetic && state_.pen.width > 0) {
        // No pen wider than the destination's sides together draws more.
        const double widest = std::abs(destination_.right - destination_.left)
            + std::abs(destination_.bottom - destination_.top) + 1.0;
        pen.width = std::max(1, ToPixel(std::min(state_.pen.width * std::abs(scale_x_), widest)));
    }
    return pen;
}

TFont TMetafilePlayer::RealizeFont() const
{
    const TLogicalFont& logical = state_.font;
    // Beyond the canvas's largest font nothing is drawn anyway.
    constexpr double largest = 1e6;
    TFont font;
    if (logical.height != 0) {
        font.height = ToPixel(std::min(std::abs(logical.height * scale_y_), largest));
    } else {
        const double stretch = CanDraw() ? (destination_.bottom - destination_.top) / setup_.frame.height : 0;
        font.height = ToPixel(std::min(std::abs(DefaultFontHeightMm * setup_.page_units_per_mm_y * stretch), largest));
    }
    font.width = ToPixel(std::min(std::abs(logical.width * scale_x_), largest));
    font.escapement = logical.escapement;
    font.weight = logical.weight;
    font.italic = logical.italic;
    font.underline = logical.underline;
    font.strike_out = logical.strike_out;
    font.face = logical.face;
    font.color = state_.text_color;
    return font;
}

void TMetafilePlayer::MoveTo(double x, double y)
{
    state_.position_x = x;
    state_.position_y = y;
}

void TMetafilePlayer::LineTo(double x, double y)
{
    const TPointI from = Map(state_.position_x, state_.position_y);
    if (canvas_.PenPos() != from)
        canvas_.MoveTo(from.x, from.y);
    canvas_.SetPen(RealizePen());
    const TPointI to = Map(x, y);
    canvas_.LineTo(to.x, to.y);
    MoveTo(x, y);
}

void TMetafilePlayer::Polyline(std::span<const TPointI> points)
{
    canvas_.SetPen(RealizePen());
    canvas_.Polyline(MapPoints(points));
}

void TMetafilePlayer::Polygon(std::span<const TPointI> points)
{
    canvas_.SetPen(RealizePen());
    canvas_.SetBrush(state_.brush);
    canvas_.Polygon(MapPoints(points));
}

// The canvas has no polygon set. The rings are filled as one polygon that
// returns to the first ring's start after each ring: every connecting edge
// is walked there and back, which the alternate rule cancels. The outlines
// are drawn ring by ring so the connecting edges never show.
void TMetafilePlayer::PolyPolygon(std::span<const TPointI> points, std::span<const std::uint32_t> counts)
{
    if (counts.size() == 1) {
        Polygon(points.first(std::min<std::size_t>(counts[0], points.size())));
        return;
    }
    const std::vector<TPointI> mapped = MapPoints(points);
    std::vector<std::span<const TPointI>> rings;
    std::size_t at = 0;
    for (const std::uint32_t count : counts) {
        if (count == 0 || count > mapped.size() - at)
            break;
        rings.push_back(std::span(mapped).subspan(at, count));
        at += count;
    }
    if (rings.empty())
        return;
    const TPen pen = RealizePen();
    if (state_.brush.style != TBrushStyle::Clear) {
        std::vector<TPointI> outline;
        const TPointI anchor = rings.front().front();
        for (const std::span<const TPointI> ring : rings) {
            outline.insert(outline.end(), ring.begin(), ring.end());
            outline.push_back(ring.front());
            outline.push_back(anchor);
        }
        TPen no_outline = pen;
        no_outline.style = TPenStyle::Clear;
        canvas_.SetPen(no_outline);
        canvas_.SetBrush(state_.brush);
        canvas_.Polygon(outline);
    }
    if (pen.style == TPenStyle::Clear)
        return;
    canvas_.SetPen(pen);
    for (const std::span<const TPointI> ring : rings) {
        std::vector<TPointI> closed(ring.begin(), ring.end());
        closed.push_back(ring.front());
        canvas_.Polyline(closed);
    }
}

// The platform's rectangle leaves out its right and bottom edges; the
// canvas's polygon outline includes its corners, so they move in by one.
void TMetafilePlayer::Rectangle(double left, double top, double right, double bottom)
{
    const TRectI box = MapBox(left, top, right, bottom);
    const int last_x = std::max(box.left, box.right - 1);
    const int last_y = std::max(box.top, box.bottom - 1);
    const TPointI corners[] = { { box.left, box.top }, { last_x, box.top }, { last_x, last_y }, { box.left, last_y } };
    canvas_.SetPen(RealizePen());
    canvas_.SetBrush(state_.brush);
    canvas_.Polygon(corners);
}

void TMetafilePlayer::Ellipse(double left, double top, double right, double bottom)
{
    const TPointI a = Map(left, top);
    const TPointI b = Map(right, bottom);
    canvas_.SetPen(RealizePen());
    canvas_.SetBrush(state_.brush);
    canvas_.Ellipse(a.x, a.y, b.x, b.y);
}

// The canvas draws text with a transparent background, so the background
// mode has nothing to paint; only an opaque box is filled.
void TMetafilePlayer::TextOut(double x, double y, std::string_view sjis_text, const std::optional<TRectI>& opaque_box)
{
    if (opaque_box) {
        canvas_.SetBrush({ state_.bk_color, TBrushStyle::Solid });
        canvas_.FillRect(MapBox(opaque_box->left, opaque_box->top, opaque_box->right, opaque_box->bottom));
    }
    canvas_.SetFont(RealizeFont());
    const TPointI at = Map(x, y);
    canvas_.TextOut(at.x, at.y, sjis_text);
}

void TMetafilePlayer::StretchBitmap(double x, double y, double width, double height, const TBitmap& bitmap)
{
    const TPointI a = Map(x, y);
    const TPointI b = Map(x + width, y + height);
    canvas_.StretchDraw({ a.x, a.y, b.x, b.y }, bitmap);
}

} // namespace metafile
