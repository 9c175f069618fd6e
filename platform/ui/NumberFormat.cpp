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
    // Group separators are no part of a number typed or shown plain: a
    // German "1.5" is one and a half, not fifteen.
    QLocale reading = locale;
    reading.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    double parsed = reading.toDouble(trimmed, &ok);
    if (!ok) {
        QLocale point = QLocale::c();
        point.setNumberOptions(QLocale::RejectGroupSeparator);
        parsed = point.toDouble(trimmed, &ok);
    }
    if (!ok || !std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}
