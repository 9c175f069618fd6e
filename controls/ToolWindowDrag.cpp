// Dragging a tool window with the mouse: a modal loop that shows an outline
// of where the window would land (in a dock's row, between rows, or
// floating) and moves it there when the button is released.

#include "controls/ToolWindow97.h"

#include "controls/Dock97.h"
#include "controls/ToolWindowGeometry.h"
#include "controls/ToolbarScreens.h"

#include <QApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QRegion>

#include <algorithm>

namespace {

bool drag_running = false;

// The outline of the drag: a frameless window that lets the mouse through,
// one pixel thick over a dock and as thick as the floating border
// otherwise. Its shape is the frame alone, so nothing of the window lies
// inside the frame, with or without a compositor; the frame is a halftone
// of black and white pixels, so it shows over dark and light pictures
// alike. The pattern is anchored to the screen: it does not crawl while
// the outline moves.
class TDragOutline : public QWidget {
public:
    TDragOutline()
        : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput
                               | Qt::WindowDoesNotAcceptFocus)
    {
        setObjectName(QStringLiteral("dragOutline"));
        setAttribute(Qt::WA_ShowWithoutActivating);
    }

    void ShowAt(const QRect& outline, int thickness)
    {
        if (outline.isEmpty()) {
            hide();
            return;
        }
        setGeometry(outline);
        const QRect whole(QPoint(0, 0), outline.size());
        const int t = std::max(thickness, 1);
        setMask(QRegion(whole).subtracted(QRegion(whole.adjusted(t, t, -t, -t))));
        show();
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setBrushOrigin(-geometry().topLeft());
        painter.fillRect(rect(), Halftone());
    }

private:
    // Black where the screen's x and y are both even or both odd, white
    // between.
    static const QBrush& Halftone()
    {
        static const QBrush brush = [] {
            QImage pattern(2, 2, QImage::Format_RGB32);
            for (int y = 0; y < 2; ++y) {
                for (int x = 0; x < 2; ++x)
                    pattern.setPixel(x, y, (x + y) % 2 == 0 ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
            }
            return QBrush(pattern);
        }();
        return brush;
    }
};

int DockOrder(const TDock97* dock)
{
    return static_cast<int>(dock->Position());
}

} // namespace

// Where the window may land, and its window size there (null dock:
// floating).
struct TCustomToolWindow97::TDragCandidate {
    TDock97* dock = nullptr;
    QSize size;
};

bool TCustomToolWindow97::Dragging()
{
    return drag_running;
}

std::vector<TCustomToolWindow97::TDragCandidate> TCustomToolWindow97::DragCandidates() const
{
    auto* self = const_cast<TCustomToolWindow97*>(this);
    const TDockType current = docked_to_ != nullptr ? docked_to_->DockType() : dtNotDocked;
    std::vector<TDragCandidate> candidates;
    const QMargins floating = FloatingNCArea();
    const QSize floating_client = self->OrderControls(false, current, nullptr);
    candidates.push_back({ nullptr, floating_client + QSize(floating.left() + floating.right(),
                                                            floating.top() + floating.bottom()) });

    std::vector<TDock97*> docks;
    if (dock_mode_ == dmCannotFloatOrChangeDocks) {
        if (docked_to_ != nullptr)
            docks.push_back(docked_to_);
    } else {
        // The window's form first, then the further forms it was given.
        std::vector<QWidget*> forms;
        if (QWidget* form = ParentForm())
            forms.push_back(form);
        for (const QPointer<QWidget>& form : dock_forms_) {
            if (form != nullptr && std::find(forms.begin(), forms.end(), form.data()) == forms.end())
                forms.push_back(form);
        }
        for (QWidget* form : forms) {
            std::vector<TDock97*> of_form;
            for (TDock97* dock : form->findChildren<TDock97*>()) {
                if (dock->AllowDrag() && (dockable_to_ & DockableBit(dock->Position())) != 0 && dock->isVisible()
                    && !isAncestorOf(dock))
                    of_form.push_back(dock);
            }
            std::stable_sort(of_form.begin(), of_form.end(),
                             [](const TDock97* a, const TDock97* b) { return DockOrder(a) < DockOrder(b); });
            docks.insert(docks.end(), of_form.begin(), of_form.end());
        }
    }
    for (TDock97* dock : docks) {
        const QMargins frame = DockedNCArea(dock->Vertical());
        const QSize client = dock == docked_to_ ? client_->size() : self->OrderControls(false, current, dock);
        candidates.push_back({ dock, client + QSize(frame.left() + frame.right(), frame.top() + frame.bottom()) });
    }
    return candidates;
}

namespace {

// The loop's view of the events: it runs while the button is held and
// swallows keys and other buttons.
class TDragLoop : public QObject {
public:
    std::function<void(QPoint, bool)> step;
    QEventLoop loop;
    bool accepted = false;
    bool done = false;
    bool ctrl = false;
    QPoint last;

    void Finish(bool accept)
    {
        if (done)
            return;
        done = true;
        accepted = accept;
        loop.quit();
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        // Events that arrive after the end, before the loop returns, are
        // no longer the drag's.
        if (done)
            return false;
        switch (event->type()) {
        case QEvent::MouseMove: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            last = mouse->globalPosition().toPoint();
            ctrl = (mouse->modifiers() & Qt::ControlModifier) != 0;
            step(last, ctrl);
            return true;
        }
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
                last = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
                Finish(true);
            }
            return true;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            Finish(false);
            return true;
        case QEvent::KeyPress:
        case QEvent::KeyRelease: {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Escape) {
                Finish(false);
            } else if (key->key() == Qt::Key_Control) {
                const bool down = event->type() == QEvent::KeyPress;
                if (down != ctrl) {
                    ctrl = down;
                    step(last, ctrl);
                }
            }
            return true;
        }
        case QEvent::ShortcutOverride:
            return true;
        default:
            return false;
        }
    }
};

} // namespace

void TCustomToolWindow97::BeginMoving(QPoint grab)
{
    if (drag_running)
        return;
    const std::vector<TDragCandidate> candidates = DragCandidates();
    const QSize extent(std::max(width() - 1, 1), std::max(height() - 1, 1));
    const bool floating_forbidden = dock_mode_ != dmCanFloat;
    const QSize border = FloatingBorderSize();
    const int top_frame = FloatingNCArea().top();

    TDragOutline outline_window;
    QRect outline;
    TDock97* chosen = nullptr;
    QPointer<TCustomToolWindow97> self(this);

    TDragLoop drag;
    drag.last = mapToGlobal(grab);
    drag.ctrl = (QGuiApplication::queryKeyboardModifiers() & Qt::ControlModifier) != 0;
    drag.step = [&](QPoint cursor, bool ctrl) {
        chosen = nullptr;
        const TDragCandidate* record = &candidates.front();
        if (!ctrl) {
            for (const TDragCandidate& candidate : candidates) {
                if (candidate.dock == nullptr)
                    continue;
                const QRect placed(OutlineTopLeft(cursor, candidate.size, grab, extent), candidate.size);
                const QRect dock_rect(candidate.dock->mapToGlobal(QPoint(0, 0)), candidate.dock->size());
                if (!DockHit(EdgesOf(dock_rect), candidate.dock->Position(), cursor, grab, extent, EdgesOf(placed)))
                    continue;
                bool accept = true;
                if (candidate.dock->OnRequestDock)
                    candidate.dock->OnRequestDock(candidate.dock, this, accept);
                if (accept) {
                    chosen = candidate.dock;
                    record = &candidate;
                    break;
                }
            }
        }
        QPoint point = cursor;
        const QRect area = GetWorkAreaOfPoint(cursor);
        if (chosen == nullptr) {
            point.setX(std::clamp(point.x(), area.left(), area.right()));
            point.setY(std::clamp(point.y(), area.top(), area.bottom()));
        }
        TEdges edges = EdgesOf(QRect(OutlineTopLeft(point, record->size, grab, extent), record->size));
        if (chosen == nullptr)
            edges = KeepFloatingOutlineOnScreen(edges, EdgesOf(area), border, top_frame);
        outline = RectOf(edges);
        if (floating_forbidden && chosen == nullptr) {
            outline = QRect();
            QApplication::changeOverrideCursor(Qt::ForbiddenCursor);
        } else {
            QApplication::changeOverrideCursor(Qt::ArrowCursor);
        }
        outline_window.ShowAt(outline, chosen != nullptr ? 1 : border.width());
    };

    drag_running = true;
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    qApp->installEventFilter(&drag);
    grabMouse();
    drag.step(drag.last, drag.ctrl);
    drag.loop.exec();
    qApp->removeEventFilter(&drag);
    if (self != nullptr)
        releaseMouse();
    QApplication::restoreOverrideCursor();
    outline_window.hide();
    drag_running = false;

    if (self != nullptr && drag.accepted && !outline.isEmpty())
        Drop(chosen, outline);
}

void TCustomToolWindow97::BeginSizing(TToolWindowSizeHandle handle, QPoint origin)
{
    if (drag_running || !Floating())
        return;
    const QSize frame(width() - client_->width(), height() - client_->height());
    const QSize minimum = GetMinimumSize() + frame;
    const TEdges start = EdgesOf(geometry());
    TEdges sized = start;
    ResizeBegin(handle);

    TDragOutline outline_window;
    TDragLoop sizing;
    QPointer<TCustomToolWindow97> self(this);
    sizing.last = origin;
    bool started = false;
    sizing.step = [&](QPoint cursor, bool) {
        if (started && cursor == sizing.last)
            return;
        started = true;
        sized = SizingStep(start, cursor - origin, handle, minimum);
        // The hooks see the cursor relative to the window.
        ResizeTrack(cursor - QPoint(start.left, start.top), sized, start);
        outline_window.ShowAt(RectOf(sized), FloatingBorderSize().width());
    };

    drag_running = true;
    qApp->installEventFilter(&sizing);
    grabMouse();
    sizing.loop.exec();
    qApp->removeEventFilter(&sizing);
    if (self != nullptr)
        releaseMouse();
    outline_window.hide();
    drag_running = false;
    if (self == nullptr)
        return;
    ResizeEnd(sizing.accepted);
    if (sizing.accepted && started) {
        const QRect bounds = RectOf(sized);
        if (bounds.size() != size())
            SizeChanging(bounds.size());
        setGeometry(bounds);
        ArrangeControls();
    }
}

void TCustomToolWindow97::Drop(TDock97* dock, const QRect& outline)
{
    if (dock != nullptr) {
        const QRect local(dock->mapFromGlobal(outline.topLeft()) - QPoint(dock->BoundLineMargins().left(),
                                                                           dock->BoundLineMargins().top()),
                          outline.size());
        const int centre = dock->Vertical() ? (local.left() + local.right() + 1) / 2
                                            : (local.top() + local.bottom() + 1) / 2;
        dock->BuildRowInfo();
        bool before = false;
        int row = dock->GetRowOf(centre, before);
        if (before) {
            dock->InsertRowBefore(row);
        } else if (full_size_ && dock->GetNumberOfToolbarsOnRow(row, this) > 0) {
            dock->InsertRowBefore(row + 1);
            ++row;
        }
        dock_row_ = row;
        dock_pos_ = dock->Vertical() ? local.top() : local.left();
        if (dock != docked_to_)
            SetDockedTo(dock);
        dock->ArrangeToolbars(true);
    } else {
        floating_position_ = outline.topLeft();
        if (docked_to_ != nullptr) {
            Float();
        } else {
            ++bounds_updating_;
            move(*floating_position_);
            --bounds_updating_;
        }
    }
    MoveOnScreen(true);
}
