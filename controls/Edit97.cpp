#include "controls/Edit97.h"

#include "controls/Control97Registry.h"
#include "controls/EdgePainting.h"

#include <QApplication>
#include <QEnterEvent>
#include <QPainter>

namespace {

constexpr char edit97_class[] = "TEdit97";
// Frame width on every side.
constexpr int frame_width = 3;
// The height before the form has settled the font.
constexpr int initial_height = 19;

} // namespace

TEdit97::TEdit97(QWidget* parent)
    : QLineEdit(parent)
{
    setFrame(false);
    setTextMargins(frame_width, frame_width, frame_width, frame_width);
    resize(width(), initial_height);
    ApplyEnabledColour();
    RegisterControl97(edit97_class);
}

TEdit97::~TEdit97()
{
    UnregisterControl97(edit97_class);
}

void TEdit97::Loaded()
{
    NewAdjustHeight();
}

void TEdit97::NewAdjustHeight()
{
    resize(width(), fontMetrics().height() + 2 * frame_width);
    updateGeometry();
}

bool TEdit97::IsHot() const
{
    if (hasFocus())
        return true;
    return mouse_in_ && !IsControl97(QApplication::focusWidget());
}

QSize TEdit97::sizeHint() const
{
    return { QLineEdit::sizeHint().width(), fontMetrics().height() + 2 * frame_width };
}

QSize TEdit97::minimumSizeHint() const
{
    return { QLineEdit::minimumSizeHint().width(), fontMetrics().height() + 2 * frame_width };
}

void TEdit97::paintEvent(QPaintEvent* event)
{
    QLineEdit::paintEvent(event);
    QPainter painter(this);
    DrawFrame(painter);
}

void TEdit97::DrawFrame(QPainter& painter) const
{
    // The frame's colours are the system's, not the edit's own: a disabled
    // edit's face-coloured inside still gets the window-coloured inner ring.
    const QPalette system = QApplication::palette(this);
    const QColor face = system.color(QPalette::Button);
    QRect r = rect();
    if (IsHot()) {
        DrawRing(painter, r, system.color(QPalette::Dark), system.color(QPalette::Light));
        r.adjust(1, 1, -1, -1);
        DrawRing(painter, r, face, system.color(QPalette::Midlight));
    } else {
        DrawRing(painter, r, face, face);
        r.adjust(1, 1, -1, -1);
        DrawRing(painter, r, face, face);
    }
    r.adjust(1, 1, -1, -1);
    const QColor window = system.color(QPalette::Base);
    DrawRing(painter, r, window, window);
}

void TEdit97::ApplyEnabledColour()
{
    const QPalette system = QApplication::palette(this);
    const QColor colour = isEnabled() ? system.color(QPalette::Base) : system.color(QPalette::Button);
    QPalette own = palette();
    own.setColor(QPalette::Base, colour);
    setPalette(own);
}

void TEdit97::changeEvent(QEvent* event)
{
    QLineEdit::changeEvent(event);
    switch (event->type()) {
    case QEvent::EnabledChange:
        ApplyEnabledColour();
        update();
        break;
    case QEvent::FontChange:
        NewAdjustHeight();
        break;
    default:
        break;
    }
}

void TEdit97::enterEvent(QEnterEvent* event)
{
    QLineEdit::enterEvent(event);
    mouse_in_ = true;
    update();
}

void TEdit97::leaveEvent(QEvent* event)
{
    QLineEdit::leaveEvent(event);
    mouse_in_ = false;
    update();
}

void TEdit97::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    update();
}

void TEdit97::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    update();
}
