#pragma once

// Numbers as the number edits show them, with the user's locale: "%.Nn"
// groups thousands with the locale's separator, "%.Nf" does not; both use
// the locale's decimal separator.

#include <QLocale>
#include <QString>

// `decimals` places (negative counts as 0), grouped or not.
QString FormatLocaleNumber(double value, int decimals, bool grouping, const QLocale& locale = QLocale());
// The shortest text that reads back as the value, up to 15 significant
// digits, with the locale's decimal separator and no grouping.
QString FormatPlainNumber(double value, const QLocale& locale = QLocale());
// A decimal number with the locale's decimal separator or with ".", without
// group separators; false for anything else.
bool ParseLocaleNumber(const QString& text, double& value, const QLocale& locale = QLocale());
