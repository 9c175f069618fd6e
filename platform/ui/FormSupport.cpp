#include "platform/ui/FormSupport.h"

#include <QApplication>
#include <QChildEvent>
#include <QDialog>
#include <QKeyEvent>
#include <QPointer>
#include <QScreen>
#include <QStatusTipEvent>
#include <QWheelEvent>

#include <algorithm>

void SetModalResult(QDialog* dialog, int result)
{
    QPointer<QDialog> target(dialog);
    QMetaObject::invokeMethod(
        dialog,
        [target, result] {
            if (target)
                target->done(result);
        },
        Qt::QueuedConnection);
}

namespace {

// Sees every event of the application, to pick those of one form: the form
// itself or a control on it (not one of its own windows).
class TFormFilter : public QObject {
protected:
    explicit TFormFilter(QWidget* form)
        : QObject(form)
        , form_(form)
    {
        qApp->installEventFilter(this);
    }

    bool IsOfForm(const QObject* watched) const
    {
        const auto* widget = qobject_cast<const QWidget*>(watched);
        return widget != nullptr && (widget == form_ || form_->isAncestorOf(widget));
    }

private:
    QWidget* form_;
};

class TKeyPreview : public TFormFilter {
public:
    TKeyPreview(QWidget* form, std::function<bool(QKeyEvent*)> handler)
        : TFormFilter(form)
        , handler_(std::move(handler))
    {
    }

protected:
    // Qt offers a key as a shortcut first (ShortcutOverride): the form sees
    // it as the press.
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyRelease) {
            // The next press is another key, even where it reuses the
            // memory of this one.
            passing_ = nullptr;
            return false;
        }
        if (event->type() != QEvent::KeyPress || !IsOfForm(watched))
            return false;
        auto* widget = static_cast<QWidget*>(watched);
        // A control that leaves a key passes the same event on to its
        // parent; the handler saw it at the control already.
        if (event == passing_ && passed_from_ != nullptr && widget != passed_from_
            && widget->isAncestorOf(passed_from_))
            return false;
        passing_ = event;
        passed_from_ = widget;
        return handler_(static_cast<QKeyEvent*>(event));
    }

private:
    std::function<bool(QKeyEvent*)> handler_;
    // The press the handler saw last and where; only compared, never read.
    const QEvent* passing_ = nullptr;
    QPointer<QWidget> passed_from_;
};

class TWheelPreview : public TFormFilter {
public:
    TWheelPreview(QWidget* form, std::function<bool(QWheelEvent*)> handler)
        : TFormFilter(form)
        , handler_(std::move(handler))
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Wheel || !IsOfForm(watched))
            return false;
        return handler_(static_cast<QWheelEvent*>(event));
    }

private:
    std::function<bool(QWheelEvent*)> handler_;
};

} // namespace

void InstallKeyPreview(QWidget* form, std::function<bool(QKeyEvent*)> handler)
{
    new TKeyPreview(form, std::move(handler));
}

void InstallWheelPreview(QWidget* form, std::function<bool(QWheelEvent*)> handler)
{
    new TWheelPreview(form, std::move(handler));
}

THint SplitHint(const QString& hint)
{
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    if (bar < 0)
        return { hint, hint };
    return { hint.left(bar), hint.mid(bar + 1) };
}

void ApplyHint(QWidget* widget, const QString& hint)
{
    const THint parts = SplitHint(hint);
    widget->setToolTip(parts.tip);
    widget->setStatusTip(parts.status);
}

THintStatus::THintStatus(std::function<void(const QString&)> show, QObject* parent)
    : QObject(parent)
    , show_(std::move(show))
{
}

void THintStatus::Watch(QWidget* root)
{
    root->installEventFilter(this);
    for (QWidget* child : root->findChildren<QWidget*>())
        child->installEventFilter(this);
}

bool THintStatus::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ChildAdded) {
        if (auto* child = qobject_cast<QWidget*>(static_cast<QChildEvent*>(event)->child()))
            Watch(child);
        return false;
    }
    // Qt's own status tips would clear the text on leaving a control.
    if (event->type() == QEvent::StatusTip)
        return true;
    if (event->type() != QEvent::Enter)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->statusTip().isEmpty() || widget->statusTip() == shown_)
        return false;
    shown_ = widget->statusTip();
    show_(shown_);
    return false;
}

void PlaceUnderButton(QWidget* dialog, const QWidget* button)
{
    const QPoint below = button->mapToGlobal(QPoint(0, button->height()));
    QScreen* screen = QGuiApplication::screenAt(button->mapToGlobal(button->rect().center()));
    if (screen == nullptr)
        screen = button->screen();
    const QSize size = dialog->frameGeometry().size().expandedTo(dialog->sizeHint());
    QPoint at = below;
    if (screen != nullptr) {
        const QRect area = screen->availableGeometry();
        at.setX(std::clamp(at.x(), area.left(), std::max(area.left(), area.right() + 1 - size.width())));
        at.setY(std::clamp(at.y(), area.top(), std::max(area.top(), area.bottom() + 1 - size.height())));
    }
    dialog->move(at);
}
