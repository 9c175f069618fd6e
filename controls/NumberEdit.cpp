#include "controls/NumberEdit.h"

#include "controls/NumericEditKeys.h"
#include "platform/ui/NumberFormat.h"

#include <QFocusEvent>

#include <limits>

namespace {

// A decimal integer within 32 bits, else 0.
int ParseInteger(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    return ok ? value : 0;
}

// The absolute value; the one negative number without a positive
// counterpart becomes the largest positive one.
int AbsoluteValue(int value)
{
    if (value == std::numeric_limits<int>::min())
        return std::numeric_limits<int>::max();
    return value < 0 ? -value : value;
}

} // namespace

TNumberEdit::TNumberEdit(QWidget* parent)
    : QLineEdit(parent)
{
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

void TNumberEdit::SetValue(int value)
{
    if (abs_)
        value = AbsoluteValue(value);
    value_ = value;
    QString shown = comma_ ? FormatLocaleNumber(value, 0, true) : QString::number(value);
    if (yen_)
        shown.prepend(numeric_yen_prefix);
    setText(shown);
}

void TNumberEdit::SetComma(bool comma)
{
    comma_ = comma;
    SetValue(value_);
}

void TNumberEdit::SetYen(bool yen)
{
    yen_ = yen;
    SetValue(value_);
}

void TNumberEdit::SetAbs(bool abs)
{
    abs_ = abs;
    SetValue(abs ? AbsoluteValue(value_) : value_);
}

void TNumberEdit::SetText(const QString& text)
{
    SetValue(ParseInteger(text));
}

void TNumberEdit::keyPressEvent(QKeyEvent* event)
{
    const auto digit = [](char16_t code) { return code >= u'0' && code <= u'9'; };
    if (IsRefusedNumericKey(*event, digit)) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TNumberEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    if (!EntersOrLeavesEdit(*event))
        return;
    setText(QString::number(value_));
    if (auto_select_)
        selectAll();
}

void TNumberEdit::focusOutEvent(QFocusEvent* event)
{
    if (EntersOrLeavesEdit(*event))
        SetValue(ParseInteger(text()));
    QLineEdit::focusOutEvent(event);
}
