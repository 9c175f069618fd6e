#include "platform/ui/NumberFormat.h"

#include <cmath>
#include <cstdlib>

QString FormatLocaleNumber(double value, int decimals, bool grouping, const QLocale& locale)
{
    QLocale shown = locale;
    shown.setNumberOptions(grouping ? QLocale::DefaultNumberOptions : QLocale::OmitGroupSeparator);
    return shown.toString(value, 'f', decimals < 0 ? 0 : decimals);
}

QString FormatPlainNumber(double value, const QLocale& locale)
{
    QLocale shown = locale;
    shown.setNumberOptions(QLocale::OmitGroupSeparator);
    return shown.toString(value, 'g', 15);
}

bool ParseLocaleNumber(const QString& text, double& value, const QLocale& locale)
{
    const QString trimmed = text.trimmed();
    bool ok = false;
    double parsed = locale.toDouble(trimmed, &ok);
    if (!ok)
        parsed = QLocale::c().toDouble(trimmed, &ok);
    if (!ok || !std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}
