#include "controls/ToolWindow97.h"

#include "controls/Dock97.h"
#include "controls/EdgePainting.h"
#include "controls/HookSubscription.h"
#include "controls/Ri97cnst.h"
#include "controls/ToolWindowGeometry.h"
#include "controls/ToolbarScreens.h"
#include "platform/Numbers.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>

#include <algorithm>
#include <array>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// Indexed by the docked close button (without, with), then by the drag
// handle style (double, none, single).
constexpr std::array<std::array<int, 3>, 2> drag_handle_sizes { { { 9, 0, 6 }, { 14, 14, 14 } } };
constexpr std::array<std::array<int, 3>, 2> grip_offsets { { { 2, 0, 1 }, { 3, 0, 5 } } };
// The ring of a docked window's frame.
constexpr int docked_ring = 2;
// One grip bar's thickness along the dock.
constexpr int grip_thickness = 3;
// A floating window's border, with and without a sizing frame.
constexpr int sizing_border = 4;
constexpr int fixed_border = 3;

// The class library's message for a control with no window above it.
constexpr char no_parent_window[] = "コントロール '%s' は親ウィンドウを持っていません";

// The windows floating now: they follow the application's activation and
// their forms' showing.
std::vector<TCustomToolWindow97*>& FloatingToolWindows()
{
    static std::vector<TCustomToolWindow97*> windows;
    return windows;
}

void AddToFloatingList(TCustomToolWindow97* window)
{
    std::vector<TCustomToolWindow97*>& windows = FloatingToolWindows();
    if (std::find(windows.begin(), windows.end(), window) == windows.end())
        windows.push_back(window);
}

void RemoveFromFloatingList(TCustomToolWindow97* window)
{
    std::erase(FloatingToolWindows(), window);
}

void ToolWindowHookProc(THookProcCode code, QWidget* wnd, std::int32_t, std::int32_t)
{
    // A copy: updating may show or hide windows, which comes back here.
    const std::vector<TCustomToolWindow97*> windows = FloatingToolWindows();
    for (TCustomToolWindow97* window : windows) {
        if (code == hpSendActivateApp
            || (code == hpSendWindowPosChanged && window->FloatingMode() == fmOnTopOfParentForm
                && window->ParentForm() != nullptr && wnd != nullptr
                && (window->ParentForm() == wnd || wnd->isAncestorOf(window->ParentForm()))))
            window->UpdateVisibility();
    }
}

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

void DrawCloseCross(QPainter& painter, const QRect& box, bool down, const QPalette& colours);

// A raised one-pixel edge: light above and left, dark below and right.
void DrawRaisedEdge(QPainter& painter, const QRect& r, const QPalette& colours)
{
    DrawRing(painter, r, colours.color(QPalette::Light), colours.color(QPalette::Dark));
}

} // namespace

TCustomToolWindow97::TCustomToolWindow97(QWidget* parent)
    : QWidget(parent)
    , client_(new QWidget(this))
    , color_(palette().color(QPalette::Button))
{
    // Docked windows belong to docks (SetDockedTo), floating ones to forms.
    if (parent != nullptr && !parent->isWindow() && qobject_cast<TDock97*>(parent) == nullptr)
        throw std::logic_error(STB97ToolwinParentNotAllowed);
    GetToolbarDockPosProc = ParentDockPosition;
    client_->setObjectName(QStringLiteral("client"));
    setMouseTracking(true);
    InstallHookProc(ToolWindowHookProc, HookProcBit(hpSendActivateApp) | HookProcBit(hpSendWindowPosChanged), false);
}

TCustomToolWindow97::~TCustomToolWindow97()
{
    RemoveFromFloatingList(this);
    UninstallHookProc(ToolWindowHookProc);
    if (docked_to_ != nullptr)
        docked_to_->ChangeDockList(false, this);
    if (last_dock_ != nullptr && last_dock_ != docked_to_)
        last_dock_->ChangeDockList(false, this);
}

void TCustomToolWindow97::SetDockedTo(TDock97* dock)
{
    if (dock == nullptr) {
        Float();
        return;
    }
    if (dock != docked_to_)
        ChangeParent(dock);
}

void TCustomToolWindow97::Float()
{
    if (Floating())
        return;
    if (ParentForm() == nullptr) {
        throw std::logic_error(StringPrintf(no_parent_window, objectName().toStdString().c_str()));
    }
    ChangeParent(nullptr);
}

QWidget* TCustomToolWindow97::ParentForm() const
{
    if (docked_to_ == nullptr && floating_form_ != nullptr)
        return floating_form_;
    return parentWidget() != nullptr ? parentWidget()->window() : nullptr;
}

// Moves the window onto the dock, or floating over its form: the docks it
// leaves and joins arrange once, after the move.
void TCustomToolWindow97::ChangeParent(TDock97* dock)
{
    emit DockChanging(dock);
    QWidget* form = ParentForm();
    TDock97* old = docked_to_;
    // Where it is docked now, for a window that floats for the first time.
    const QRect old_dock_on_screen = old != nullptr ? QRect(old->mapToGlobal(QPoint(0, 0)), old->size()) : QRect();
    const QRect docked_on_screen = old != nullptr ? QRect(mapToGlobal(QPoint(0, 0)), size()) : QRect();
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
        floating_form_ = nullptr;
        RemoveFromFloatingList(this);
        ++reparenting_;
        setParent(dock);
        --reparenting_;
        UpdateVisibility();
        CalculateNonClientSizes();
        if (use_last_dock_) {
            SetLastDock(dock);
            dock->ToolbarVisibilityChanged(this, false);
        } else {
            dock->ChangeDockList(true, this);
        }
        CustomArrangeControls(previous, dock, true);
        last_dock_type_ = dock->DockType();
    } else {
        floating_form_ = form;
        // A tool window of its form: it stays above the form and goes with
        // it.
        ++reparenting_;
        setParent(form, Qt::Tool | Qt::FramelessWindowHint);
        --reparenting_;
        AddToFloatingList(this);
        CalculateNonClientSizes();
        CustomArrangeControls(previous, nullptr, true);
        if (!floating_position_ && old != nullptr)
            floating_position_ = FloatingPositionBesideDock(EdgesOf(old_dock_on_screen), old->Position(),
                                                            EdgesOf(docked_on_screen), size(),
                                                            EdgesOf(GetWorkAreaOfRect(docked_on_screen)));
        move(FloatingPosition());
        last_dock_type_ = dtNotDocked;
        UpdateVisibility();
    }
    --bounds_updating_;
    if (dock != nullptr)
        dock->EndUpdate();
    if (old != nullptr)
        old->EndUpdate();
    emit DockChanged();
}

void TCustomToolWindow97::SetFloatingPosition(QPoint position)
{
    floating_position_ = position;
    if (Floating()) {
        ++bounds_updating_;
        move(position);
        --bounds_updating_;
    }
}

void TCustomToolWindow97::MoveOnScreen(bool only_if_fully_offscreen)
{
    if (!Floating())
        return;
    const QRect bounds = geometry();
    const TEdges moved =
        ::MoveOnScreen(EdgesOf(bounds), EdgesOf(GetWorkAreaOfRect(bounds)), only_if_fully_offscreen);
    if (moved.left != bounds.left() || moved.top != bounds.top())
        move(moved.left, moved.top);
}

void TCustomToolWindow97::setVisible(bool visible)
{
    // Qt hides a widget it moves to another parent; that is no choice of
    // the program's.
    if (reparenting_ > 0) {
        QWidget::setVisible(visible);
        return;
    }
    visible_ = visible;
    UpdateVisibility();
}

bool TCustomToolWindow97::GetShowingState() const
{
    if (!Floating())
        return true;
    if (floating_mode_ == fmOnTopOfParentForm) {
        const QWidget* form = floating_form_;
        if (form == nullptr || form->isHidden() || form->isMinimized())
            return false;
    }
    return !hide_when_inactive_ || ApplicationIsActive();
}

void TCustomToolWindow97::UpdateVisibility()
{
    // A window on no dock and floating over no form is not on the screen
    // at all: showing it would make it a window of its own.
    if (docked_to_ == nullptr && !Floating())
        return;
    const bool shown = visible_ && GetShowingState();
    // A window made while its dock was hidden is neither hidden nor shown
    // yet: showing the dock must show it too.
    const bool on_screen = !isHidden() && testAttribute(Qt::WA_WState_Visible);
    if (shown ? !on_screen : !isHidden())
        QWidget::setVisible(shown);
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

void TCustomToolWindow97::SetResizable(bool resizable)
{
    if (resizable == resizable_)
        return;
    resizable_ = resizable;
    if (Floating())
        ArrangeControls();
}

void TCustomToolWindow97::SetShowCaption(bool show_caption)
{
    if (show_caption == show_caption_)
        return;
    show_caption_ = show_caption;
    if (Floating())
        ArrangeControls();
}

void TCustomToolWindow97::SetCloseButton(bool close_button)
{
    if (close_button == close_button_)
        return;
    close_button_ = close_button;
    update();
}

void TCustomToolWindow97::SetHideWhenInactive(bool hide)
{
    if (hide == hide_when_inactive_)
        return;
    hide_when_inactive_ = hide;
    UpdateVisibility();
}

void TCustomToolWindow97::SetFloatingMode(TToolWindowFloatingMode mode)
{
    if (mode == floating_mode_)
        return;
    floating_mode_ = mode;
    if (Floating())
        setWindowFlag(Qt::WindowStaysOnTopHint, mode == fmOnTopOfAllForms);
    UpdateVisibility();
}

QMargins TCustomToolWindow97::DockedNCArea(bool left_right) const
{
    const int handle = drag_handle_sizes[close_button_when_docked_ ? 1 : 0][drag_handle_style_];
    return left_right ? QMargins(docked_ring, docked_ring + handle, docked_ring, docked_ring)
                      : QMargins(docked_ring + handle, docked_ring, docked_ring, docked_ring);
}

QSize TCustomToolWindow97::FloatingBorderSize() const
{
    return resizable_ ? QSize(sizing_border, sizing_border) : QSize(fixed_border, fixed_border);
}

QMargins TCustomToolWindow97::FloatingNCArea() const
{
    const QSize border = FloatingBorderSize();
    return { border.width(), border.height() + (show_caption_ ? GetSmallCaptionHeight() : 0), border.width(),
             border.height() };
}

QRect TCustomToolWindow97::CaptionRect(bool minus_close_button) const
{
    const QSize border = FloatingBorderSize();
    const int height = GetSmallCaptionHeight() - 1;
    const int width = client_->width() - (minus_close_button ? height : 0);
    return { border.width(), border.height(), std::max(width, 0), height };
}

QRect TCustomToolWindow97::CloseButtonRect() const
{
    const QRect caption = CaptionRect(false);
    const int side = caption.height();
    return { caption.left() + caption.width() - side, caption.top(), side, side };
}

void TCustomToolWindow97::CalculateNonClientSizes()
{
    if (docked_to_ == nullptr) {
        non_client_ = Floating() ? FloatingNCArea() : QMargins();
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

void TCustomToolWindow97::ReadPositionData(const TPositionReadIntProc&, const TPositionReadStringProc&)
{
}

void TCustomToolWindow97::DoneReadingPositionData(const TPositionReadIntProc&, const TPositionReadStringProc&)
{
}

void TCustomToolWindow97::WritePositionData(const TPositionWriteIntProc&, const TPositionWriteStringProc&)
{
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

void TCustomToolWindow97::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    // Where the user or the program put it floating is where it floats
    // next time.
    if (Floating() && bounds_updating_ == 0)
        floating_position_ = pos();
    emit Moved();
}

void TCustomToolWindow97::AddDockForm(QWidget* form)
{
    if (form == nullptr || std::find(dock_forms_.begin(), dock_forms_.end(), form) != dock_forms_.end())
        return;
    dock_forms_.emplace_back(form);
}

void TCustomToolWindow97::RemoveDockForm(QWidget* form)
{
    std::erase(dock_forms_, form);
}

void TCustomToolWindow97::keyPressEvent(QKeyEvent* event)
{
    // Escape in a floating window hands the keyboard back to its form.
    if (Floating() && event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier
        && floating_form_ != nullptr) {
        floating_form_->activateWindow();
        floating_form_->setFocus();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TCustomToolWindow97::closeEvent(QCloseEvent* event)
{
    // Closing a floating window from the keyboard (Alt+F4) closes its form;
    // the window itself closes only by its close button.
    if (Floating() && event->spontaneous()) {
        event->ignore();
        if (floating_form_ != nullptr)
            floating_form_->close();
        return;
    }
    QWidget::closeEvent(event);
}

QRect TCustomToolWindow97::DockedCloseButtonRect() const
{
    const int side = drag_handle_sizes[1][drag_handle_style_] - 3;
    if (docked_to_ != nullptr && docked_to_->Vertical())
        return { client_->width() + 2 - side, 3, side, side };
    return { 3, 2, side, side };
}

QRect TCustomToolWindow97::ActiveCloseButton() const
{
    if (Floating() && show_caption_ && close_button_)
        return CloseButtonRect();
    if (docked_to_ != nullptr && docked_to_->AllowDrag() && close_button_when_docked_)
        return DockedCloseButtonRect();
    return {};
}

void TCustomToolWindow97::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && ActiveCloseButton().contains(event->position().toPoint())) {
        close_button_down_ = true;
        update();
        return;
    }
    if (event->button() != Qt::LeftButton || (docked_to_ != nullptr && !docked_to_->AllowDrag())) {
        QWidget::mousePressEvent(event);
        return;
    }
    if (Floating()) {
        const TFrameHit hit = FloatingFrameHit(event->position().toPoint());
        if (const std::optional<TToolWindowSizeHandle> handle = SizeHandleOf(hit)) {
            BeginSizing(*handle, event->globalPosition().toPoint());
            return;
        }
        if (hit == TFrameHit::Nowhere)
            return;
    }
    // A press on the handle, the caption or a bare part of the client
    // (controls that do not take it pass it here) moves the window.
    BeginMoving(event->position().toPoint());
}

void TCustomToolWindow97::mouseMoveEvent(QMouseEvent* event)
{
    // The sizing cursor over a floating window's sizing border.
    Qt::CursorShape shape = Qt::ArrowCursor;
    if (Floating()) {
        switch (FloatingFrameHit(event->position().toPoint())) {
        case TFrameHit::Left:
        case TFrameHit::Right:
            shape = Qt::SizeHorCursor;
            break;
        case TFrameHit::Top:
        case TFrameHit::Bottom:
            shape = Qt::SizeVerCursor;
            break;
        case TFrameHit::TopLeft:
        case TFrameHit::BottomRight:
            shape = Qt::SizeFDiagCursor;
            break;
        case TFrameHit::TopRight:
        case TFrameHit::BottomLeft:
            shape = Qt::SizeBDiagCursor;
            break;
        default:
            break;
        }
    }
    if (cursor().shape() != shape)
        setCursor(shape);
    QWidget::mouseMoveEvent(event);
}

TFrameHit TCustomToolWindow97::FloatingFrameHit(QPoint point) const
{
    TFloatingFrame frame;
    frame.window = size();
    frame.border = FloatingBorderSize();
    if (show_caption_) {
        frame.caption = EdgesOf(CaptionRect(false));
        if (close_button_)
            frame.close_button = EdgesOf(CloseButtonRect());
    }
    frame.resizable = resizable_;
    frame.corner_sizing = CornerSizing();
    frame.small_caption_height = GetSmallCaptionHeight();
    return HitTestFloatingFrame(frame, point, client_->geometry().contains(point));
}

void TCustomToolWindow97::SizeChanging(QSize)
{
}

void TCustomToolWindow97::ResizeBegin(TToolWindowSizeHandle)
{
}

void TCustomToolWindow97::ResizeTrack(QPoint, TEdges&, const TEdges&)
{
}

void TCustomToolWindow97::ResizeEnd(bool)
{
}

void TCustomToolWindow97::mouseReleaseEvent(QMouseEvent* event)
{
    if (close_button_down_ && event->button() == Qt::LeftButton) {
        close_button_down_ = false;
        update();
        if (ActiveCloseButton().contains(event->position().toPoint()))
            CloseFromButton();
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

void TCustomToolWindow97::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || ActiveCloseButton().contains(event->position().toPoint())) {
        QWidget::mouseDoubleClickEvent(event);
        return;
    }
    if (docked_to_ != nullptr && !docked_to_->AllowDrag())
        return;
    ToggleDocking();
}

void TCustomToolWindow97::CloseFromButton()
{
    bool can_close = true;
    if (OnCloseQuery)
        OnCloseQuery(this, can_close);
    if (!can_close)
        return;
    hide();
    emit Closed();
}

// A double click floats a docked window, and puts a floating one back in
// its last dock (or its default dock, first in row 0).
void TCustomToolWindow97::ToggleDocking()
{
    if (docked_to_ != nullptr) {
        if (dock_mode_ != dmCanFloat)
            return;
        Float();
        MoveOnScreen(true);
        return;
    }
    if (last_dock_ != nullptr) {
        SetDockedTo(last_dock_);
    } else if (default_dock_ != nullptr) {
        dock_row_ = 0;
        dock_pos_ = -8;
        SetDockedTo(default_dock_);
    }
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
    if (docked_to_ != nullptr && docked_to_->UsingBackground() && docked_to_->BackgroundOnToolbars())
        docked_to_->DrawBackground(painter, rect(), docked_to_->pos() + pos());
    if (docked_to_ != nullptr)
        DrawDockedFrame(painter);
    else if (Floating())
        DrawFloatingFrame(painter);
}

namespace {

} // namespace

QString FitCaptionToWidth(const QString& caption, const QFontMetrics& metrics, int width)
{
    if (metrics.horizontalAdvance(caption) <= width)
        return caption;
    QString fitted = caption + QStringLiteral("...");
    qsizetype kept = caption.size();
    while (metrics.horizontalAdvance(fitted) > width && fitted.size() > 4 && kept > 0) {
        // A whole character goes: a surrogate pair is one.
        qsizetype cut = kept - 1;
        if (cut > 0 && caption[cut].isLowSurrogate() && caption[cut - 1].isHighSurrogate())
            --cut;
        kept = cut;
        fitted = caption.left(kept) + QStringLiteral("...");
    }
    return fitted;
}

namespace {

void DrawCloseCross(QPainter& painter, const QRect& box, bool down, const QPalette& colours)
{
    painter.fillRect(box, colours.color(QPalette::Button));
    if (down) {
        painter.setPen(colours.color(QPalette::Dark));
        painter.drawRect(box.adjusted(0, 0, -1, -1));
    } else {
        DrawRaisedEdge(painter, box, colours);
    }
    const QRect cross = box.adjusted(4, 4, -4, -4).translated(down ? 1 : 0, down ? 1 : 0);
    painter.setPen(QPen(colours.color(QPalette::ButtonText), 1.5));
    painter.drawLine(cross.topLeft(), cross.bottomRight());
    painter.drawLine(cross.topRight(), cross.bottomLeft());
}

} // namespace

void TCustomToolWindow97::DrawFloatingFrame(QPainter& painter) const
{
    const QPalette& colours = palette();
    DrawRaisedEdge(painter, rect(), colours);
    DrawRaisedEdge(painter, rect().adjusted(1, 1, -1, -1), colours);
    if (!show_caption_)
        return;
    const bool active = ApplicationIsActive();
    const QRect caption = CaptionRect(close_button_);
    painter.fillRect(CaptionRect(false), colours.color(active ? QPalette::Highlight : QPalette::Mid));
    painter.setPen(colours.color(active ? QPalette::HighlightedText : QPalette::Window));
    const QRect text = caption.adjusted(2, 0, -1, 0);
    painter.drawText(text, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine,
                     FitCaptionToWidth(caption_, painter.fontMetrics(), text.width()));
    if (close_button_)
        DrawCloseCross(painter, CloseButtonRect().adjusted(1, 1, -1, -1), close_button_down_, colours);
}

void TCustomToolWindow97::DrawDockedFrame(QPainter& painter) const
{
    const QPalette& colours = palette();
    const QRect r = rect();
    if (border_style_ == bsSingle)
        DrawRaisedEdge(painter, r, colours);
    if (!docked_to_->AllowDrag())
        return;
    if (close_button_when_docked_)
        DrawCloseCross(painter, DockedCloseButtonRect(), close_button_down_, colours);
    if (drag_handle_style_ == dhNone)
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
