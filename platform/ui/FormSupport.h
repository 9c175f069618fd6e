#pragma once

// What the forms share where their behaviour differs from Qt's defaults:
// modal results that close the form after the current handler, the form
// seeing its controls' keys first, hints of the form "tip|status", and a
// dialog placed under the toolbar button that opened it.

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QDialog;
class QKeyEvent;
class QLabel;
class QStatusBar;
class QWheelEvent;
class QWidget;

// Closes the dialog with the result once the running handler has returned
// (a queued call), never from inside it.
void SetModalResult(QDialog* dialog, int result);

// Installs the form's key handler in front of its controls: a key pressed in
// the form or any of its controls goes to the handler first, once; a handler
// returning true has consumed it. A key the handler leaves goes to the
// control, and from a control that does not take it on to the control's
// parents, without coming to the handler again. The filter goes with the
// form.
void InstallKeyPreview(QWidget* form, std::function<bool(QKeyEvent*)> handler);

// Installs the form's wheel handler in front of its controls: a wheel turned
// over the form or any of its controls goes to the handler first; a handler
// returning true has taken it. A wheel the handler leaves goes on to the
// control under the mouse and, when that does not take it, to the control's
// parents, each time offered to the handler again (Qt passes a copy on): a
// handler leaves a wheel only when it did nothing with it. The filter goes
// with the form.
void InstallWheelPreview(QWidget* form, std::function<bool(QWheelEvent*)> handler);

// "tip|status": the tool tip before "|", the status-bar text after it; a
// hint without "|" is both.
struct THint {
    QString tip;
    QString status;
};
THint SplitHint(const QString& hint);
// Sets the widget's tool tip and status tip from the hint.
void ApplyHint(QWidget* widget, const QString& hint);

// The form the program made (`given`), or else the caller's own, made on
// first use with `parent`: a window made without the program's forms (a
// test) still has every form it opens.
template <class TForm> TForm& GivenOrOwnForm(TForm* given, std::unique_ptr<TForm>& own, QWidget* parent)
{
    if (given)
        return *given;
    if (!own)
        own = std::make_unique<TForm>(parent);
    return *own;
}

// Shows the status parts of the hints under the mouse in a status bar or a
// label. The text changes only when the mouse comes onto a widget whose hint
// differs from the one shown; leaving a control does not clear it.
class THintStatus : public QObject {
    Q_OBJECT
public:
    explicit THintStatus(std::function<void(const QString&)> show, QObject* parent = nullptr);
    // Watches the widget and all its children, present and future.
    void Watch(QWidget* root);
    QString Shown() const { return shown_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void(const QString&)> show_;
    QString shown_;
};

// Moves the dialog under the button (its lower left corner), then inside the
// available area of the screen that holds the button.
void PlaceUnderButton(QWidget* dialog, const QWidget* button);
