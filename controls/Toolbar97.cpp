#include "controls/Toolbar97.h"

#include "controls/Dock97.h"
#include "controls/Ri97cnst.h"
#include "platform/Numbers.h"

#include <QChildEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <stdexcept>
#include <string>

namespace {

constexpr int separator_line_above = 4;
// Wider than any screen.
constexpr int max_floating_width = 100000;

TToolbarItem ItemOf(const QWidget* control)
{
    TToolbarItem item;
    if (const auto* separator = qobject_cast<const TToolbarSep97*>(control)) {
        item.separator = true;
        item.blank = separator->Blank();
        item.size_horz = separator->SizeHorz();
        item.size_vert = separator->SizeVert();
    } else {
        item.width = control->width();
        item.height = control->height();
    }
    return item;
}


} // namespace

TCustomToolbar97::TCustomToolbar97(QWidget* parent)
    : TCustomToolWindow97(parent)
{
    Client()->installEventFilter(this);
}

TCustomToolbar97::~TCustomToolbar97()
{
    Client()->removeEventFilter(this);
}

void TCustomToolbar97::SetFloatingWidth(int width)
{
    if (width == floating_width_)
        return;
    floating_width_ = width;
    ArrangeControls();
}

void TCustomToolbar97::ReadPositionData(const TPositionReadIntProc& read_int,
                                        const TPositionReadStringProc& read_string)
{
    TCustomToolWindow97::ReadPositionData(read_int, read_string);
    // From a file anyone may edit: a wrap width no screen can show counts
    // as none.
    floating_width_ = std::clamp(read_int(objectName(), QStringLiteral("FloatRightX"), 0), 0, max_floating_width);
}

void TCustomToolbar97::WritePositionData(const TPositionWriteIntProc& write_int,
                                         const TPositionWriteStringProc& write_string)
{
    TCustomToolWindow97::WritePositionData(write_int, write_string);
    write_int(objectName(), QStringLiteral("FloatRightX"), floating_width_);
}

void TCustomToolbar97::ResizeBegin(TToolWindowSizeHandle handle)
{
    // The layouts the controls can take, as window sizes.
    std::vector<TToolbarItem> items;
    for (const QWidget* control : ControlsInOrder(false, false))
        items.push_back(ItemOf(control));
    const QMargins frame = FloatingNCArea();
    std::vector<QSize> sizes;
    for (const QPoint& size : PotentialFloatingSizes(items))
        sizes.emplace_back(size.x() + frame.left() + frame.right(), size.y() + frame.top() + frame.bottom());
    size_tracker_.emplace(handle, std::move(sizes), size(), frame.left(), floating_width_);
}

void TCustomToolbar97::ResizeTrack(QPoint cursor, TEdges& rect, const TEdges& start)
{
    if (size_tracker_)
        size_tracker_->Track(cursor, rect, start);
}

void TCustomToolbar97::ResizeEnd(bool accept)
{
    if (accept && size_tracker_)
        floating_width_ = size_tracker_->ChosenFloatingWidth();
    size_tracker_.reset();
}

void TCustomToolbar97::CleanOrderList()
{
    std::erase_if(order_, [this](const QPointer<QWidget>& control) {
        return control.isNull() || control->parentWidget() != Client();
    });
}

int TCustomToolbar97::OrderIndex(const QWidget* control)
{
    CleanOrderList();
    const auto at = std::find(order_.begin(), order_.end(), control);
    if (at == order_.end()) {
        const std::string name = control != nullptr ? control->objectName().toStdString() : "";
        throw std::invalid_argument(StringPrintf(STB97ToolbarControlNotChildOfToolbar, name.c_str()));
    }
    return static_cast<int>(at - order_.begin());
}

void TCustomToolbar97::SetOrderIndex(QWidget* control, int index)
{
    const int current = OrderIndex(control);
    index = std::clamp(index, 0, static_cast<int>(order_.size()) - 1);
    if (index == current)
        return;
    const QPointer<QWidget> moving = order_[static_cast<std::size_t>(current)];
    order_.erase(order_.begin() + current);
    order_.insert(order_.begin() + index, moving);
    ArrangeControls();
}

QWidget* TCustomToolbar97::OrderedControls(int index)
{
    CleanOrderList();
    return order_.at(static_cast<std::size_t>(index));
}

void TCustomToolbar97::SetSlaveControl(QWidget* top_bottom, QWidget* left_right)
{
    slaves_.emplace_back(top_bottom, left_right);
    ArrangeControls();
}

bool TCustomToolbar97::ShouldControlBeVisible(const QWidget* control, bool left_or_right) const
{
    for (const auto& [first, second] : slaves_) {
        if (first == control)
            return !left_or_right;
        if (second == control)
            return left_or_right;
    }
    return control->isVisibleTo(Client());
}

void TCustomToolbar97::SetControlVisible(QWidget* control, bool left_or_right)
{
    for (const auto& [first, second] : slaves_) {
        if (first != control && second != control)
            continue;
        if (first != nullptr)
            first->setVisible(!left_or_right);
        if (second != nullptr)
            second->setVisible(left_or_right);
        return;
    }
}

std::vector<QWidget*> TCustomToolbar97::ControlsInOrder(bool by_slave_rule, bool left_or_right)
{
    CleanOrderList();
    std::vector<QWidget*> controls;
    for (const QPointer<QWidget>& control : order_) {
        const bool shows =
            by_slave_rule ? ShouldControlBeVisible(control, left_or_right) : control->isVisibleTo(Client());
        if (shows)
            controls.push_back(control);
    }
    return controls;
}


int TCustomToolbar97::GetBarSize(TDockType dock_type) const
{
    std::vector<TToolbarItem> items;
    for (const QPointer<QWidget>& control : order_) {
        if (!control.isNull() && control->parentWidget() == Client()
            && ShouldControlBeVisible(control, dock_type == dtLeftRight))
            items.push_back(ItemOf(control));
    }
    return ToolbarBarSize(items, dock_type);
}

QSize TCustomToolbar97::OrderControls(bool can_move_controls, TDockType, TDock97* docking_to)
{
    const TDockType dock_type = docking_to != nullptr ? docking_to->DockType() : dtNotDocked;
    const bool left_or_right = dock_type == dtLeftRight;
    if (can_move_controls && !slaves_.empty()) {
        CleanOrderList();
        for (const QPointer<QWidget>& control : order_) {
            if (qobject_cast<TToolbarSep97*>(control) == nullptr)
                SetControlVisible(control, left_or_right);
        }
    }
    const std::vector<QWidget*> controls = ControlsInOrder(!can_move_controls, left_or_right);
    std::vector<TToolbarItem> items;
    items.reserve(controls.size());
    for (const QWidget* control : controls)
        items.push_back(ItemOf(control));
    const int row_size = docking_to == DockedTo() ? GetDockRowSize() : ToolbarBarSize(items, dock_type);
    const TToolbarLayoutResult layout =
        LayOutToolbar(items, dock_type, docking_to != nullptr, floating_width_, row_size);
    if (can_move_controls) {
        for (std::size_t i = 0; i < controls.size(); ++i)
            controls[i]->setGeometry(layout.places[i]);
        line_separators_ = layout.line_separators;
        update();
    }
    return { layout.size.x(), layout.size.y() };
}

void TCustomToolbar97::Watch(QWidget* control)
{
    control->installEventFilter(this);
    order_.emplace_back(control);
}

bool TCustomToolbar97::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Client()) {
        if (event->type() == QEvent::ChildAdded) {
            if (auto* control = qobject_cast<QWidget*>(static_cast<QChildEvent*>(event)->child())) {
                Watch(control);
                // The control is still being made: its size, and whether it
                // is to be hidden, come later. A control shows unless told
                // otherwise, also on a toolbar that shows already.
                QPointer<QWidget> added(control);
                QMetaObject::invokeMethod(
                    this,
                    [this, added] {
                        if (added != nullptr && !added->testAttribute(Qt::WA_WState_ExplicitShowHide))
                            added->show();
                        ArrangeControls();
                    },
                    Qt::QueuedConnection);
            }
        } else if (event->type() == QEvent::ChildRemoved) {
            std::erase(order_, static_cast<QChildEvent*>(event)->child());
            QMetaObject::invokeMethod(this, &TCustomToolbar97::ArrangeControls, Qt::QueuedConnection);
        }
        return false;
    }
    const QEvent::Type type = event->type();
    if ((type == QEvent::Resize || type == QEvent::ShowToParent || type == QEvent::HideToParent)
        && qobject_cast<QWidget*>(watched) != nullptr)
        ArrangeControls();
    return false;
}

void TCustomToolbar97::paintEvent(QPaintEvent* event)
{
    TCustomToolWindow97::paintEvent(event);
    if (DockedTo() != nullptr)
        return;
    // A groove above each floating row that began after a group.
    QPainter painter(this);
    const QPoint client = Client()->pos();
    for (const TToolbarLineSeparator& line : line_separators_) {
        if (line.blank)
            continue;
        const int y = client.y() + line.y - separator_line_above;
        painter.setPen(palette().color(QPalette::Dark));
        painter.drawLine(client.x() + 1, y, client.x() + Client()->width() - 2, y);
        painter.setPen(palette().color(QPalette::Light));
        painter.drawLine(client.x() + 1, y + 1, client.x() + Client()->width() - 2, y + 1);
    }
}

TToolbarSep97::TToolbarSep97(QWidget* toolbar_client)
    : QWidget(toolbar_client)
{
    if (toolbar_client == nullptr || qobject_cast<TCustomToolbar97*>(toolbar_client->parentWidget()) == nullptr
        || qobject_cast<TCustomToolbar97*>(toolbar_client->parentWidget())->Client() != toolbar_client)
        throw std::logic_error(STB97SepParentNotAllowed);
    resize(size_horz_, size_vert_);
}

TCustomToolbar97* TToolbarSep97::Toolbar() const
{
    return parentWidget() != nullptr ? qobject_cast<TCustomToolbar97*>(parentWidget()->parentWidget()) : nullptr;
}

void TToolbarSep97::SetBlank(bool blank)
{
    if (blank == blank_)
        return;
    blank_ = blank;
    update();
}

void TToolbarSep97::SetSizeHorz(int size)
{
    size = std::max(size, 1);
    if (size == size_horz_)
        return;
    size_horz_ = size;
    if (TCustomToolbar97* toolbar = Toolbar())
        toolbar->ArrangeControls();
}

void TToolbarSep97::SetSizeVert(int size)
{
    size = std::max(size, 1);
    if (size == size_vert_)
        return;
    size_vert_ = size;
    if (TCustomToolbar97* toolbar = Toolbar())
        toolbar->ArrangeControls();
}

void TToolbarSep97::paintEvent(QPaintEvent*)
{
    const TCustomToolbar97* toolbar = Toolbar();
    if (toolbar == nullptr || blank_)
        return;
    QPainter painter(this);
    const QColor shadow = palette().color(QPalette::Dark);
    const QColor highlight = palette().color(QPalette::Light);
    if (toolbar->DockedTo() != nullptr && toolbar->DockedTo()->Vertical()) {
        const int h = height() / 2;
        painter.setPen(shadow);
        painter.drawLine(0, h - 1, width() - 1, h - 1);
        painter.setPen(highlight);
        painter.drawLine(0, h, width() - 1, h);
    } else {
        const int w = width() / 2;
        painter.setPen(shadow);
        painter.drawLine(w - 1, 0, w - 1, height() - 1);
        painter.setPen(highlight);
        painter.drawLine(w, 0, w, height() - 1);
    }
}

void TToolbarSep97::mousePressEvent(QMouseEvent* event)
{
    // A press on a separator is a press on the toolbar, which may start a
    // drag from there.
    event->ignore();
}
