#include "controls/NumberEdit.h"

#include "platform/ui/NumberFormat.h"

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
    : TNumericEdit(parent)
{
}

void TNumberEdit::SetValue(int value)
{
    if (Abs())
        value = AbsoluteValue(value);
    value_ = value;
    setText(WithYen(Comma() ? FormatLocaleNumber(value, 0, true) : QString::number(value)));
}

void TNumberEdit::SetText(const QString& text)
{
    SetValue(ParseInteger(text));
}
