#include "controls/Dock97.h"

#include "controls/ListSortEx.h"
#include "controls/Ri97cnst.h"
#include "controls/ToolWindow97.h"

#include <QImage>
#include <QPainter>
#include <QResizeEvent>

#include <algorithm>
#include <stdexcept>

namespace {

int CompareRowThenPos(TCustomToolWindow97* const& a, TCustomToolWindow97* const& b, int)
{
    if (a->DockRow() != b->DockRow())
        return a->DockRow() < b->DockRow() ? -1 : 1;
    if (a->DockPos() != b->DockPos())
        return a->DockPos() < b->DockPos() ? -1 : 1;
    return 0;
}

} // namespace

TDock97::TDock97(TDockPosition position, QWidget* parent)
    : QWidget(parent)
    , position_(position)
{
    if (qobject_cast<TDock97*>(parent) != nullptr || qobject_cast<TCustomToolWindow97*>(parent) != nullptr)
        throw std::logic_error(STB97DockParentNotAllowed);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    setAutoFillBackground(true);
    ArrangeToolbars(false);
}

TDock97::~TDock97()
{
    // The windows docked here go with the dock as its children, after its
    // lists; none may call back into it on the way, and floating ones that
    // kept their place here forget it.
    arrange_lock_ = 1;
    const std::vector<TCustomToolWindow97*> windows = dock_list_;
    for (TCustomToolWindow97* window : windows)
        window->ForgetDock(this);
    for (TCustomToolWindow97* window : findChildren<TCustomToolWindow97*>(Qt::FindDirectChildrenOnly))
        window->ForgetDock(this);
}

void TDock97::SetPosition(TDockPosition position)
{
    if (position == position_)
        return;
    if (!findChildren<QWidget*>(Qt::FindDirectChildrenOnly).isEmpty())
        throw std::logic_error(STB97DockCannotChangePosition);
    position_ = position;
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    ArrangeToolbars(false);
}

void TDock97::SetAllowDrag(bool allow_drag)
{
    if (allow_drag == allow_drag_)
        return;
    allow_drag_ = allow_drag;
    // The drag handles come or go with it.
    for (TCustomToolWindow97* window : dock_list_) {
        if (window->DockedTo() == this)
            window->ArrangeControls();
    }
    ArrangeToolbars(false);
}

void TDock97::SetBoundLines(TDockBoundLines lines)
{
    if (lines == bound_lines_)
        return;
    bound_lines_ = lines;
    ArrangeToolbars(false);
    update();
}

void TDock97::SetFixAlign(bool fix_align)
{
    if (fix_align == fix_align_)
        return;
    fix_align_ = fix_align;
    ArrangeToolbars(false);
}

void TDock97::SetLimitToOneRow(bool limit)
{
    if (limit == limit_to_one_row_)
        return;
    limit_to_one_row_ = limit;
    ArrangeToolbars(false);
}

void TDock97::SetBackgroundTransparent(bool transparent)
{
    if (transparent == background_transparent_)
        return;
    background_transparent_ = transparent;
    SetBackground(QPixmap(background_));
}

void TDock97::DrawBackground(QPainter& painter, const QRect& area, QPoint offset) const
{
    if (!UsingBackground())
        return;
    if (!background_transparent_) {
        painter.drawTiledPixmap(area, background_, offset);
        return;
    }
    if (background_cache_.isNull()) {
        QImage image = background_.toImage().convertToFormat(QImage::Format_RGB32);
        const QRgb key = image.pixel(0, image.height() - 1);
        const QRgb colour = palette().color(QPalette::Button).rgb();
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            std::replace(line, line + image.width(), key, colour);
        }
        background_cache_ = QPixmap::fromImage(image);
    }
    painter.drawTiledPixmap(area, background_cache_, offset);
}

void TDock97::SetBackground(const QPixmap& background)
{
    background_ = background;
    background_cache_ = QPixmap();
    update();
    for (TCustomToolWindow97* window : visible_)
        window->update();
}

void TDock97::SetBackgroundOnToolbars(bool on_toolbars)
{
    if (on_toolbars == background_on_toolbars_)
        return;
    background_on_toolbars_ = on_toolbars;
    for (TCustomToolWindow97* window : visible_)
        window->update();
}

void TDock97::BeginUpdate()
{
    ++arrange_lock_;
}

void TDock97::EndUpdate()
{
    if (arrange_lock_ == 0)
        return;
    if (--arrange_lock_ == 0 && arrange_needed_)
        ArrangeToolbars(clip_positions_);
}

QMargins TDock97::BoundLineMargins() const
{
    return { (bound_lines_ & BoundLineBit(blLeft)) != 0 ? 1 : 0, (bound_lines_ & BoundLineBit(blTop)) != 0 ? 1 : 0,
             (bound_lines_ & BoundLineBit(blRight)) != 0 ? 1 : 0,
             (bound_lines_ & BoundLineBit(blBottom)) != 0 ? 1 : 0 };
}

int TDock97::AvailableLength() const
{
    const QMargins lines = BoundLineMargins();
    const int length = Vertical() ? height() - lines.top() - lines.bottom() : width() - lines.left() - lines.right();
    return std::max(length, 0);
}

TDockType TDock97::DockType() const
{
    return Vertical() ? dtLeftRight : dtTopBottom;
}

bool TDock97::ToolbarVisibleOnDock(const TCustomToolWindow97* window) const
{
    return window != nullptr && window->parentWidget() == this && window->isVisibleTo(this);
}

bool TDock97::HasVisibleToolbars() const
{
    return std::any_of(dock_list_.begin(), dock_list_.end(),
                       [this](const TCustomToolWindow97* window) { return ToolbarVisibleOnDock(window); });
}

TCustomToolWindow97* TDock97::GetToolbars(int index) const
{
    return visible_.at(static_cast<std::size_t>(index));
}

void TDock97::ChangeDockList(bool insert, TCustomToolWindow97* window)
{
    const auto at = std::find(dock_list_.begin(), dock_list_.end(), window);
    if (insert && at == dock_list_.end())
        dock_list_.push_back(window);
    else if (!insert && at != dock_list_.end())
        dock_list_.erase(at);
    ToolbarVisibilityChanged(window, false);
}

void TDock97::ToolbarVisibilityChanged(TCustomToolWindow97* window, bool force_remove)
{
    const bool wanted = !force_remove && ToolbarVisibleOnDock(window);
    const auto at = std::find(visible_.begin(), visible_.end(), window);
    const bool listed = at != visible_.end();
    if (wanted == listed)
        return;
    if (wanted)
        visible_.push_back(window);
    else
        visible_.erase(at);
    ArrangeToolbars(false);
    emit InsertRemoveBar(wanted, window);
}

std::vector<TDockRowBar> TDock97::RowBars() const
{
    std::vector<TDockRowBar> bars;
    bars.reserve(dock_list_.size());
    for (std::size_t i = 0; i < dock_list_.size(); ++i) {
        const TCustomToolWindow97* window = dock_list_[i];
        TDockRowBar bar;
        bar.key = static_cast<int>(i);
        bar.dock_row = window->DockRow();
        bar.dock_pos = window->DockPos();
        bar.full_size = window->FullSize();
        bar.visible = ToolbarVisibleOnDock(window);
        bar.length = Vertical() ? window->height() : window->width();
        bar.bar_size = window->GetBarSize(DockType());
        bars.push_back(bar);
    }
    return bars;
}

void TDock97::BuildRowInfo()
{
    row_sizes_ = ::BuildRowInfo(RowBars());
}

int TDock97::GetRowSize(int row, const TCustomToolWindow97* default_toolbar) const
{
    int size = row >= 0 && row < static_cast<int>(row_sizes_.size()) ? row_sizes_[static_cast<std::size_t>(row)] : 0;
    if (size == 0 && default_toolbar != nullptr)
        size = default_toolbar->GetBarSize(DockType());
    return size;
}

int TDock97::GetRowOf(int coordinate, bool& before) const
{
    return ::GetRowOf(row_sizes_, coordinate, before);
}

int TDock97::GetHighestRow() const
{
    return ::GetHighestRow(RowBars());
}

int TDock97::GetNumberOfToolbarsOnRow(int row, const TCustomToolWindow97* not_included) const
{
    return static_cast<int>(std::count_if(dock_list_.begin(), dock_list_.end(), [&](const TCustomToolWindow97* w) {
        return w != not_included && w->DockRow() == row;
    }));
}

void TDock97::RemoveBlankRows()
{
    std::vector<TDockRowBar> bars = RowBars();
    ::RemoveBlankRows(bars);
    for (const TDockRowBar& bar : bars)
        dock_list_[static_cast<std::size_t>(bar.key)]->StoreDockPlace(bar.dock_row, bar.dock_pos);
}

void TDock97::InsertRowBefore(int row)
{
    for (TCustomToolWindow97* window : dock_list_) {
        if (window->DockRow() >= row)
            window->StoreDockPlace(window->DockRow() + 1, window->DockPos());
    }
}

void TDock97::ArrangeToolbars(bool clip_positions)
{
    if (clip_positions)
        clip_positions_ = true;
    if (arrange_lock_ > 0) {
        arrange_needed_ = true;
        return;
    }
    ++arrange_lock_;
    struct Release {
        TDock97& dock;
        ~Release()
        {
            --dock.arrange_lock_;
            dock.arrange_needed_ = false;
            dock.clip_positions_ = false;
        }
    } release { *this };

    TDockRowLayout layout;
    layout.vertical = Vertical();
    layout.available_length = AvailableLength();
    layout.bound_lines_across = Vertical() ? BoundLineMargins().left() + BoundLineMargins().right()
                                           : BoundLineMargins().top() + BoundLineMargins().bottom();
    layout.fix_align = fix_align_;
    layout.limit_to_one_row = limit_to_one_row_;
    layout.clip_positions = clip_positions_;

    std::vector<TDockRowBar> bars = RowBars();
    const TDockArrangement arrangement = ArrangeDockRows(bars, layout);
    row_sizes_ = arrangement.row_sizes;

    // The list follows the arranged order; each window keeps its place.
    const std::vector<TCustomToolWindow97*> before = dock_list_;
    const QPoint origin(BoundLineMargins().left(), BoundLineMargins().top());
    for (std::size_t i = 0; i < bars.size(); ++i) {
        TCustomToolWindow97* window = before[static_cast<std::size_t>(bars[i].key)];
        dock_list_[i] = window;
        window->StoreDockPlace(bars[i].dock_row, bars[i].dock_pos);
        if (!arrangement.places[i].isNull() && window->parentWidget() == this)
            window->SetBoundsFromDock(arrangement.places[i].translated(origin));
    }
    ListSortEx(visible_, CompareRowThenPos, 0);
    SetThickness(arrangement.thickness);
}

void TDock97::SetThickness(int thickness)
{
    // The far edge of a right or bottom dock stays where it was: the move
    // takes the size from before the change.
    const bool keeps_far_edge = (position_ == dpRight || position_ == dpBottom) && parentWidget() != nullptr
        && parentWidget()->layout() == nullptr;
    const QRect before = geometry();
    if (Vertical())
        setFixedWidth(thickness);
    else
        setFixedHeight(thickness);
    if (!keeps_far_edge)
        return;
    if (Vertical())
        move(before.x() + before.width() - thickness, before.y());
    else
        move(before.x(), before.y() + before.height() - thickness);
}

void TDock97::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (event->size() == event->oldSize())
        return;
    ArrangeToolbars(false);
    emit DockResized();
}

void TDock97::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // Tiles anchored to the form, so they run on across the dock and its
    // windows without a seam.
    DrawBackground(painter, rect(), pos());
    // Only while some window shows: an empty dock is a bare line.
    if (bound_lines_ == 0 || !HasVisibleToolbars())
        return;
    const QPalette& colours = palette();
    QRect r = rect();
    if ((bound_lines_ & BoundLineBit(blTop)) != 0) {
        painter.fillRect(QRect(r.left(), r.top(), r.width(), 1), colours.color(QPalette::Dark));
        r.setTop(r.top() + 1);
    }
    if ((bound_lines_ & BoundLineBit(blLeft)) != 0) {
        painter.fillRect(QRect(r.left(), r.top(), 1, r.height()), colours.color(QPalette::Dark));
        r.setLeft(r.left() + 1);
    }
    if ((bound_lines_ & BoundLineBit(blBottom)) != 0) {
        painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), colours.color(QPalette::Light));
        r.setBottom(r.bottom() - 1);
    }
    if ((bound_lines_ & BoundLineBit(blRight)) != 0)
        painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), colours.color(QPalette::Light));
}
