#include "controls/FloatEdit.h"

#include "platform/ui/DialogService.h"
#include "platform/ui/NumberFormat.h"

#include <QMetaObject>

#include <algorithm>
#include <limits>

namespace {

// A double carries at most 17 significant digits; more decimals than this
// only show noise and would let a huge Place build a huge text.
constexpr int max_decimals_shown = 18;

bool ReadsAsNumber(const QString& text, double& value)
{
    value = 0;
    return text.isEmpty() || ParseLocaleNumber(text, value);
}

} // namespace

QString FloatConversionMessage(const QString& text)
{
    return QStringLiteral("'%1' は浮動小数点数ではありません").arg(text);
}

TFloatEdit::TFloatEdit(QWidget* parent)
    : TNumericEdit(parent)
{
}

void TFloatEdit::SetValue(double value)
{
    if (Abs() && !(value >= 0))
        value = -value;
    // -0 is kept as 0, so that it shows as "0.00" (and "+0.00" with Sign).
    if (value == 0)
        value = 0;
    value_ = value;
    QString shown = FormatLocaleNumber(value, std::min(place_, max_decimals_shown), Comma());
    if (sign_ && value >= 0)
        shown.prepend(QLatin1Char('+'));
    setText(WithYen(shown));
}

void TFloatEdit::SetPlace(int place)
{
    place_ = place == std::numeric_limits<int>::min() ? std::numeric_limits<int>::max() : (place < 0 ? -place : place);
    SetValue(value_);
}

void TFloatEdit::SetSign(bool sign)
{
    sign_ = sign;
    SetValue(value_);
}

bool TFloatEdit::HoldsNumber() const
{
    double value = 0;
    return ReadsAsNumber(text(), value);
}

bool TFloatEdit::ReadText(const QString& text)
{
    double value = 0;
    if (!ReadsAsNumber(text, value)) {
        SetValue(value_);
        return false;
    }
    SetValue(value);
    return true;
}

void TFloatEdit::SetText(const QString& text)
{
    if (!ReadText(text))
        ShowMessage(window(), FloatConversionMessage(text), QMessageBox::Warning);
}

QString TFloatEdit::PlainText() const
{
    return FormatPlainNumber(value_);
}

bool TFloatEdit::TakesCharacter(char16_t code) const
{
    return (code >= u'0' && code <= u'9') || code == u'+' || code == u'-' || code == u'.';
}

void TFloatEdit::ReadLeftText(const QString& text)
{
    if (ReadText(text))
        return;
    // Told once the focus has settled on its new control: a message box
    // opened inside the focus change would take the focus itself half-way
    // through it.
    QMetaObject::invokeMethod(
        this, [this, text] { ShowMessage(window(), FloatConversionMessage(text), QMessageBox::Warning); },
        Qt::QueuedConnection);
}
