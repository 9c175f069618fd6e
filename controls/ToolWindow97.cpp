#include "controls/ToolWindow97.h"

#include "controls/Dock97.h"

#include <QPainter>
#include <QResizeEvent>

#include <algorithm>
#include <array>

namespace {

// Indexed by the docked close button (without, with), then by the drag
// handle style (double, none, single).
constexpr std::array<std::array<int, 3>, 2> drag_handle_sizes { { { 9, 0, 6 }, { 14, 14, 14 } } };
constexpr std::array<std::array<int, 3>, 2> grip_offsets { { { 2, 0, 1 }, { 3, 0, 5 } } };
// The ring of a docked window's frame.
constexpr int docked_ring = 2;
// One grip bar's thickness along the dock.
constexpr int grip_thickness = 3;

TGetToolbarDockPosType ParentDockPosition(const QWidget* control)
{
    for (const QWidget* widget = control; widget != nullptr; widget = widget->parentWidget()) {
        if (const auto* window = qobject_cast<const TCustomToolWindow97*>(widget)) {
            if (window->DockedTo() == nullptr)
                return gtpNone;
            return static_cast<TGetToolbarDockPosType>(window->DockedTo()->Position());
        }
    }
    return gtpNone;
}

// A raised one-pixel edge: light above and left, dark below and right.
void DrawRaisedEdge(QPainter& painter, const QRect& r, const QPalette& colours)
{
    painter.setPen(colours.color(QPalette::Light));
    painter.drawLine(r.topLeft(), QPoint(r.right() - 1, r.top()));
    painter.drawLine(r.topLeft(), QPoint(r.left(), r.bottom() - 1));
    painter.setPen(colours.color(QPalette::Dark));
    painter.drawLine(QPoint(r.left(), r.bottom()), r.bottomRight());
    painter.drawLine(QPoint(r.right(), r.top()), r.bottomRight());
}

} // namespace

TCustomToolWindow97::TCustomToolWindow97(QWidget* parent)
    : QWidget(parent)
    , client_(new QWidget(this))
    , color_(palette().color(QPalette::Button))
{
    GetToolbarDockPosProc = ParentDockPosition;
    client_->setObjectName(QStringLiteral("client"));
}

TCustomToolWindow97::~TCustomToolWindow97()
{
    if (docked_to_ != nullptr)
        docked_to_->ChangeDockList(false, this);
    if (last_dock_ != nullptr && last_dock_ != docked_to_)
        last_dock_->ChangeDockList(false, this);
}

void TCustomToolWindow97::SetDockedTo(TDock97* dock)
{
    if (dock == docked_to_)
        return;
    TDock97* old = docked_to_;
    const TDockType previous = old != nullptr ? old->DockType() : dtNotDocked;
    if (old != nullptr)
        old->BeginUpdate();
    if (dock != nullptr)
        dock->BeginUpdate();
    ++bounds_updating_;
    if (old != nullptr) {
        if (!use_last_dock_)
            old->ChangeDockList(false, this);
        old->ToolbarVisibilityChanged(this, true);
    }
    docked_to_ = dock;
    if (dock != nullptr) {
        setParent(dock);
        CalculateNonClientSizes();
        if (use_last_dock_) {
            SetLastDock(dock);
            dock->ToolbarVisibilityChanged(this, false);
        } else {
            dock->ChangeDockList(true, this);
        }
        CustomArrangeControls(previous, dock, true);
        last_dock_type_ = dock->DockType();
        show();
    } else {
        // Floating windows come with the floating frame; until then a
        // window off its dock is put away.
        hide();
        setParent(nullptr);
        CalculateNonClientSizes();
    }
    --bounds_updating_;
    if (dock != nullptr)
        dock->EndUpdate();
    if (old != nullptr)
        old->EndUpdate();
    emit DockChanged();
}

void TCustomToolWindow97::SetDockRow(int row)
{
    dock_row_ = row;
    if (docked_to_ != nullptr)
        docked_to_->ArrangeToolbars(false);
}

void TCustomToolWindow97::SetDockPos(int pos)
{
    dock_pos_ = pos;
    if (docked_to_ != nullptr)
        docked_to_->ArrangeToolbars(false);
}

void TCustomToolWindow97::SetFullSize(bool full_size)
{
    if (full_size == full_size_)
        return;
    full_size_ = full_size;
    ArrangeControls();
}

void TCustomToolWindow97::SetLastDock(TDock97* dock)
{
    if (use_last_dock_ && docked_to_ != nullptr)
        dock = docked_to_;
    if (dock == last_dock_)
        return;
    if (last_dock_ != nullptr && last_dock_ != parentWidget())
        last_dock_->ChangeDockList(false, this);
    last_dock_ = dock;
    if (dock != nullptr) {
        use_last_dock_ = true;
        dock->ChangeDockList(true, this);
    }
}

void TCustomToolWindow97::SetUseLastDock(bool use_last_dock)
{
    if (use_last_dock == use_last_dock_)
        return;
    use_last_dock_ = use_last_dock;
    SetLastDock(use_last_dock ? docked_to_ : nullptr);
}

void TCustomToolWindow97::SetDragHandleStyle(TDragHandleStyle style)
{
    if (style == drag_handle_style_)
        return;
    drag_handle_style_ = style;
    ArrangeControls();
}

void TCustomToolWindow97::SetCloseButtonWhenDocked(bool close_button)
{
    if (close_button == close_button_when_docked_)
        return;
    close_button_when_docked_ = close_button;
    ArrangeControls();
}

void TCustomToolWindow97::SetBorderStyle(TBorderStyle style)
{
    if (style == border_style_)
        return;
    border_style_ = style;
    update();
}

void TCustomToolWindow97::SetCaption(const QString& caption)
{
    caption_ = caption;
    setWindowTitle(caption);
    update();
}

void TCustomToolWindow97::SetColor(const QColor& color)
{
    color_ = color;
    update();
}

QMargins TCustomToolWindow97::DockedNCArea(bool left_right) const
{
    const int handle = drag_handle_sizes[close_button_when_docked_ ? 1 : 0][drag_handle_style_];
    return left_right ? QMargins(docked_ring, docked_ring + handle, docked_ring, docked_ring)
                      : QMargins(docked_ring + handle, docked_ring, docked_ring, docked_ring);
}

void TCustomToolWindow97::CalculateNonClientSizes()
{
    if (docked_to_ == nullptr) {
        non_client_ = QMargins();
    } else if (docked_to_->AllowDrag()) {
        non_client_ = DockedNCArea(docked_to_->Vertical());
    } else {
        non_client_ = QMargins(docked_ring, docked_ring, docked_ring, docked_ring);
    }
    PlaceClient();
}

void TCustomToolWindow97::PlaceClient()
{
    client_->setGeometry(rect().marginsRemoved(non_client_));
}

int TCustomToolWindow97::GetDockRowSize() const
{
    if (docked_to_ == nullptr)
        return GetBarSize(dtNotDocked);
    docked_to_->BuildRowInfo();
    return docked_to_->GetRowSize(dock_row_, this);
}

void TCustomToolWindow97::ArrangeControls()
{
    CustomArrangeControls(docked_to_ != nullptr ? docked_to_->DockType() : dtNotDocked, docked_to_, true);
}

void TCustomToolWindow97::CustomArrangeControls(TDockType previous_dock_type, TDock97* docking_to,
                                                bool resize_window)
{
    if (arrange_lock_ > 0) {
        arrange_needed_ = true;
        return;
    }
    arrange_needed_ = false;
    ++arrange_lock_;
    CalculateNonClientSizes();
    QSize size = OrderControls(true, previous_dock_type, docking_to);
    if (resize_window) {
        if (docked_to_ != nullptr) {
            // At least as thick as its row; a full-size window spans its
            // dock.
            const int row = GetDockRowSize();
            if (docked_to_->Vertical()) {
                size.setWidth(std::max(size.width(), row));
                if (full_size_)
                    size.setHeight(docked_to_->AvailableLength() - non_client_.top() - non_client_.bottom());
            } else {
                size.setHeight(std::max(size.height(), row));
                if (full_size_)
                    size.setWidth(docked_to_->AvailableLength() - non_client_.left() - non_client_.right());
            }
        }
        size += QSize(non_client_.left() + non_client_.right(), non_client_.top() + non_client_.bottom());
        if (size != this->size()) {
            ++bounds_updating_;
            resize(size);
            PlaceClient();
            --bounds_updating_;
        }
    }
    --arrange_lock_;
    if (docked_to_ != nullptr)
        docked_to_->ArrangeToolbars(false);
}

void TCustomToolWindow97::BeginUpdate()
{
    ++arrange_lock_;
}

void TCustomToolWindow97::EndUpdate()
{
    if (arrange_lock_ == 0)
        return;
    if (--arrange_lock_ == 0 && arrange_needed_)
        ArrangeControls();
}

void TCustomToolWindow97::SetBoundsFromDock(const QRect& bounds)
{
    ++bounds_updating_;
    setGeometry(bounds);
    PlaceClient();
    --bounds_updating_;
}

void TCustomToolWindow97::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    PlaceClient();
}

bool TCustomToolWindow97::event(QEvent* event)
{
    const bool handled = QWidget::event(event);
    // Shown or hidden by the program, whether or not its form shows now.
    if (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent) {
        if (docked_to_ != nullptr)
            docked_to_->ToolbarVisibilityChanged(this, false);
        emit VisibleChanged();
    }
    return handled;
}

void TCustomToolWindow97::ForgetDock(const TDock97* dock)
{
    if (docked_to_ == dock)
        docked_to_ = nullptr;
    if (last_dock_ == dock)
        last_dock_ = nullptr;
}

void TCustomToolWindow97::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), color_);
    if (docked_to_ != nullptr)
        DrawDockedFrame(painter);
}

void TCustomToolWindow97::DrawDockedFrame(QPainter& painter) const
{
    const QPalette& colours = palette();
    const QRect r = rect();
    if (border_style_ == bsSingle)
        DrawRaisedEdge(painter, r, colours);
    if (!docked_to_->AllowDrag() || drag_handle_style_ == dhNone)
        return;
    // Grip bars across the dock, at the left of a horizontal window or the
    // top of a vertical one.
    const bool left_right = docked_to_->Vertical();
    const int across = left_right ? client_->width() : client_->height();
    const int end = across + docked_ring;
    const int handle = drag_handle_sizes[close_button_when_docked_ ? 1 : 0][drag_handle_style_];
    int from = docked_ring;
    int to = end;
    if (close_button_when_docked_) {
        if (left_right)
            to = end - (handle - 2);
        else
            from = handle;
    }
    int pos = grip_offsets[close_button_when_docked_ ? 1 : 0][drag_handle_style_] + docked_ring;
    const int grips = drag_handle_style_ == dhDouble ? 2 : 1;
    for (int grip = 0; grip < grips; ++grip) {
        const QRect bar = left_right ? QRect(from, pos, to - from, grip_thickness)
                                     : QRect(pos, from, grip_thickness, to - from);
        DrawRaisedEdge(painter, bar, colours);
        pos += grip_thickness;
    }
}
