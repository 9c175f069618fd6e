#include "controls/ToolWindowGeometry.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>

namespace {

// How far beyond its ends and sides a dock catches a dragged window.
constexpr int dock_catch_along = 32;
constexpr int dock_catch_across = 20;
// A floating outline keeps this much of itself, and its client area this
// far below the top, on the work area.
constexpr int keep_on_screen = 4;
// How close to its present size a toolbar outline stays put.
constexpr int toolbar_snap = 12;

bool Intersect(const TEdges& a, const TEdges& b)
{
    return std::max(a.left, b.left) < std::min(a.right, b.right)
        && std::max(a.top, b.top) < std::min(a.bottom, b.bottom);
}

bool Within(int value, int low, int high)
{
    return value >= low && value <= high;
}

} // namespace

TEdges EdgesOf(const QRect& rect)
{
    return { rect.left(), rect.top(), rect.right() + 1, rect.bottom() + 1 };
}

QRect RectOf(const TEdges& edges)
{
    return { edges.left, edges.top, edges.Width(), edges.Height() };
}

int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const std::int64_t product = static_cast<std::int64_t>(a) * b;
    const std::int64_t divisor = c;
    const bool negative = (product < 0) != (divisor < 0);
    const std::int64_t magnitude = (std::llabs(product) + std::llabs(divisor) / 2) / std::llabs(divisor);
    const std::int64_t result = negative ? -magnitude : magnitude;
    if (result < std::numeric_limits<int>::min() || result > std::numeric_limits<int>::max())
        return -1;
    return static_cast<int>(result);
}

QPoint OutlineTopLeft(QPoint cursor, QSize size, QPoint grab, QSize extent)
{
    return { cursor.x() - MulDiv(size.width() - 1, grab.x(), extent.width()),
             cursor.y() - MulDiv(size.height() - 1, grab.y(), extent.height()) };
}

bool DockHit(TEdges dock, TDockPosition position, QPoint cursor, QPoint grab, QSize extent, TEdges outline)
{
    const bool vertical = position == dpLeft || position == dpRight;
    if (dock.Width() <= 0 || dock.Height() <= 0) {
        if (vertical) {
            --dock.left;
            ++dock.right;
        } else {
            --dock.top;
            ++dock.bottom;
        }
    }
    const int a = MulDiv(dock_catch_along, grab.x(), extent.width());
    if (!Within(cursor.x(), dock.left - (dock_catch_along - a), dock.right - 1 + a))
        return false;
    if (vertical && (cursor.y() < dock.top || cursor.y() >= dock.bottom))
        return false;
    const int b = MulDiv(dock_catch_across, grab.y(), extent.height());
    if (!Within(cursor.y(), dock.top - (dock_catch_across - b), dock.bottom - 1 + b))
        return false;
    return Intersect(outline, dock);
}

TEdges KeepFloatingOutlineOnScreen(TEdges outline, TEdges work_area, QSize border, int top_frame)
{
    const TEdges area { work_area.left + border.width() + keep_on_screen,
                        work_area.top + border.height() + keep_on_screen,
                        work_area.right - border.width() - keep_on_screen,
                        work_area.bottom - border.height() - keep_on_screen };
    const auto shift = [&outline](int dx, int dy) {
        outline.left += dx;
        outline.right += dx;
        outline.top += dy;
        outline.bottom += dy;
    };
    if (outline.bottom <= area.top)
        shift(0, area.top - outline.bottom);
    else if (outline.top >= area.bottom)
        shift(0, area.bottom - outline.top);
    if (outline.right <= area.left)
        shift(area.left - outline.right, 0);
    else if (outline.left >= area.right)
        shift(area.right - outline.left, 0);
    const int lowest_top = work_area.top + keep_on_screen - top_frame;
    if (outline.top < lowest_top)
        shift(0, lowest_top - outline.top);
    return outline;
}

TEdges MoveOnScreen(TEdges window, TEdges work_area, bool only_if_fully_offscreen)
{
    if (only_if_fully_offscreen && Intersect(window, work_area))
        return window;
    int dx = 0, dy = 0;
    if (window.right > work_area.right)
        dx = work_area.right - window.right;
    if (window.bottom > work_area.bottom)
        dy = work_area.bottom - window.bottom;
    if (window.left + dx < work_area.left)
        dx = work_area.left - window.left;
    if (window.top + dy < work_area.top)
        dy = work_area.top - window.top;
    return { window.left + dx, window.top + dy, window.right + dx, window.bottom + dy };
}

QPoint FloatingPositionBesideDock(TEdges dock, TDockPosition position, TEdges docked, QSize floating,
                                  TEdges work_area)
{
    QPoint top_left;
    switch (position) {
    case dpTop:
        top_left = { docked.left, dock.bottom };
        break;
    case dpBottom:
        top_left = { docked.left, dock.top - floating.height() };
        break;
    case dpLeft:
        top_left = { dock.right, docked.top };
        break;
    case dpRight:
        top_left = { dock.left - floating.width(), docked.top };
        break;
    }
    const TEdges placed { top_left.x(), top_left.y(), top_left.x() + floating.width(),
                          top_left.y() + floating.height() };
    const TEdges moved = MoveOnScreen(placed, work_area, false);
    return { moved.left, moved.top };
}

TFrameHit HitTestFloatingFrame(const TFloatingFrame& frame, QPoint point, bool inside_client)
{
    if (inside_client)
        return TFrameHit::Client;
    const auto in = [&point](const TEdges& r) {
        return point.x() >= r.left && point.x() < r.right && point.y() >= r.top && point.y() < r.bottom;
    };
    if (in(frame.caption))
        return in(frame.close_button) ? TFrameHit::Close : TFrameHit::Client;
    if (!frame.resizable)
        return TFrameHit::Nowhere;
    const int w = frame.window.width(), h = frame.window.height();
    const int bx = frame.border.width(), by = frame.border.height();
    const int x = point.x(), y = point.y();
    // The right and bottom zones are a pixel wider than the left and top.
    const bool left = x >= 0 && x < bx;
    const bool right = x >= w - bx - 1 && x < w;
    const bool top = y >= 0 && y < by;
    const bool bottom = y >= h - by - 1 && y < h;
    if (!frame.corner_sizing) {
        if (top)
            return TFrameHit::Top;
        if (bottom)
            return TFrameHit::Bottom;
        if (left)
            return TFrameHit::Left;
        if (right)
            return TFrameHit::Right;
        return TFrameHit::Nowhere;
    }
    const int corner = frame.small_caption_height - 1 + bx;
    if (left)
        return y < corner ? TFrameHit::TopLeft : (y >= h - corner ? TFrameHit::BottomLeft : TFrameHit::Left);
    if (right)
        return y < corner ? TFrameHit::TopRight : (y >= h - corner ? TFrameHit::BottomRight : TFrameHit::Right);
    if (top)
        return x < corner ? TFrameHit::TopLeft : (x >= w - corner ? TFrameHit::TopRight : TFrameHit::Top);
    if (bottom)
        return x < corner ? TFrameHit::BottomLeft : (x >= w - corner ? TFrameHit::BottomRight : TFrameHit::Bottom);
    return TFrameHit::Nowhere;
}

std::optional<TToolWindowSizeHandle> SizeHandleOf(TFrameHit hit)
{
    switch (hit) {
    case TFrameHit::Left:
        return twshLeft;
    case TFrameHit::Right:
        return twshRight;
    case TFrameHit::Top:
        return twshTop;
    case TFrameHit::TopLeft:
        return twshTopLeft;
    case TFrameHit::TopRight:
        return twshTopRight;
    case TFrameHit::Bottom:
        return twshBottom;
    case TFrameHit::BottomLeft:
        return twshBottomLeft;
    case TFrameHit::BottomRight:
        return twshBottomRight;
    default:
        return std::nullopt;
    }
}

TEdges SizingStep(TEdges start, QPoint offset, TToolWindowSizeHandle handle, QSize minimum)
{
    const bool width_changes = handle != twshTop && handle != twshBottom;
    const bool from_left = handle == twshLeft || handle == twshTopLeft || handle == twshBottomLeft;
    const bool height_changes = handle != twshLeft && handle != twshRight;
    const bool from_top = handle == twshTop || handle == twshTopLeft || handle == twshTopRight;
    TEdges rect = start;
    if (width_changes)
        (from_left ? rect.left : rect.right) += offset.x();
    if (height_changes)
        (from_top ? rect.top : rect.bottom) += offset.y();
    if (rect.Width() < minimum.width()) {
        if (from_left)
            rect.left = rect.right - minimum.width();
        else
            rect.right = rect.left + minimum.width();
    }
    if (rect.Height() < minimum.height()) {
        if (from_top)
            rect.top = rect.bottom - minimum.height();
        else
            rect.bottom = rect.top + minimum.height();
    }
    return rect;
}

TToolbarSizeTracker::TToolbarSizeTracker(TToolWindowSizeHandle handle, std::vector<QSize> sizes, QSize current,
                                         int left_frame, int floating_width)
    : handle_(handle)
    , sizes_(std::move(sizes))
    , current_(current)
    , left_frame_(left_frame)
    , chosen_width_(floating_width)
{
    const QSize unwrapped = sizes_.empty() ? QSize() : sizes_.front();
    std::stable_sort(sizes_.begin(), sizes_.end(),
                     [this](const QSize& a, const QSize& b) { return Along(a) > Along(b); });
    unwrapped_ = static_cast<std::size_t>(std::find(sizes_.begin(), sizes_.end(), unwrapped) - sizes_.begin());
    snap_ = toolbar_snap;
    const auto at = std::find(sizes_.begin(), sizes_.end(), current_);
    if (at != sizes_.end()) {
        const std::size_t i = static_cast<std::size_t>(at - sizes_.begin());
        if (i > 0)
            snap_ = std::min(snap_, Along(sizes_[i - 1]) - Along(current_) - 1);
        if (i + 1 < sizes_.size())
            snap_ = std::min(snap_, Along(current_) - Along(sizes_[i + 1]) - 1);
        snap_ = std::max(snap_, 0);
    }
}

void TToolbarSizeTracker::Apply(std::size_t index, TEdges& rect)
{
    const QSize size = sizes_[index];
    chosen_width_ = index == unwrapped_ ? 0 : size.width() - 2 * left_frame_;
    switch (handle_) {
    case twshRight:
        rect.right = rect.left + size.width();
        rect.bottom = rect.top + size.height();
        break;
    case twshLeft:
        rect.left = rect.right - size.width();
        rect.bottom = rect.top + size.height();
        break;
    case twshTop:
        rect.top = rect.bottom - size.height();
        rect.right = rect.left + size.width();
        break;
    default:
        rect.bottom = rect.top + size.height();
        rect.right = rect.left + size.width();
        break;
    }
}

void TToolbarSizeTracker::Track(QPoint cursor, TEdges& rect, const TEdges& start)
{
    int wanted = 0;
    switch (handle_) {
    case twshRight:
        wanted = cursor.x();
        break;
    case twshLeft:
        wanted = current_.width() - cursor.x();
        break;
    case twshTop:
        wanted = current_.height() - cursor.y();
        break;
    default:
        wanted = cursor.y();
        break;
    }
    const int present = Along(current_);
    const bool shrinking = present > wanted;
    // Within the snap distance of its present size the outline stays, until
    // the drag has changed it and goes on the same way.
    if (!(changed_ && shrinking == last_shrinking_)) {
        changed_ = false;
        last_shrinking_ = shrinking;
        if (wanted >= present - snap_ && wanted < present + snap_)
            wanted = present;
    }
    rect = start;
    if (sizes_.empty())
        return;
    if (wanted > present) {
        for (std::size_t i = 0; i < sizes_.size(); ++i) {
            if (i == 0 || Along(sizes_[i]) > wanted)
                Apply(i, rect);
        }
    } else {
        for (std::size_t i = sizes_.size(); i-- > 0;) {
            if (i + 1 == sizes_.size() || Along(sizes_[i]) <= wanted)
                Apply(i, rect);
        }
    }
    changed_ = !(rect == start);
}
