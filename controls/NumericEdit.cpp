#include "controls/NumericEdit.h"

#include <QFocusEvent>
#include <QKeyEvent>

namespace {

constexpr QChar yen_prefix { 0x00A5 };

// Opening a popup (a context menu) takes the focus for a moment without
// leaving the edit; every other focus change enters or leaves it.
bool EntersOrLeavesEdit(const QFocusEvent& event)
{
    return event.reason() != Qt::PopupFocusReason;
}

} // namespace

TNumericEdit::TNumericEdit(QWidget* parent)
    : QLineEdit(parent)
{
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

void TNumericEdit::SetComma(bool comma)
{
    comma_ = comma;
    ShowValue();
}

void TNumericEdit::SetYen(bool yen)
{
    yen_ = yen;
    ShowValue();
}

void TNumericEdit::SetAbs(bool abs)
{
    abs_ = abs;
    ShowValue();
}

QString TNumericEdit::WithYen(QString shown) const
{
    if (yen_)
        shown.prepend(yen_prefix);
    return shown;
}

// A key the edit must not take: Enter (which would otherwise end up as a
// line break or a default-button press; the edit keeps it, as a multi-line
// edit would), or a key whose text holds a character the edit refuses. Keys
// without text (arrows, Delete) and control characters (Backspace, the
// clipboard shortcuts) always pass; so does every character from U+0080 up,
// which the filter compares as a negative byte.
bool TNumericEdit::IsRefusedKey(const QKeyEvent& event) const
{
    if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter)
        return true;
    for (const QChar character : event.text()) {
        const char16_t code = character.unicode();
        if (code == u'\r')
            return true;
        if (code < u'!' || code >= 0x80)
            continue;
        if (!TakesCharacter(code))
            return true;
    }
    return false;
}

void TNumericEdit::keyPressEvent(QKeyEvent* event)
{
    if (IsRefusedKey(*event)) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TNumericEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    if (!EntersOrLeavesEdit(*event))
        return;
    setText(PlainText());
    if (auto_select_)
        selectAll();
}

void TNumericEdit::focusOutEvent(QFocusEvent* event)
{
    const bool leaves = EntersOrLeavesEdit(*event);
    if (leaves)
        ReadLeftText(text());
    QLineEdit::focusOutEvent(event);
    if (leaves)
        emit Left();
}
