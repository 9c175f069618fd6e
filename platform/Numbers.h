#pragma once

// Number conversions of the model, independent of the process locale: the GUI
// library sets the user's locale, and a decimal comma must never leak into the
// drawing's text forms or reports.

#include <string>
#include <string_view>

// Integer text: optional blanks, an optional sign, then decimal digits, or
// hexadecimal digits after "$" or "0x"; nothing may follow. Decimal values
// must fit 32 bits; hexadecimal ones may use all 32 bits (from 80000000 they
// read as negative).
bool TryStrToInt(std::string_view text, int& value);
// Raises ConvertError when the text is not a valid integer.
int StrToInt(std::string_view text);
int StrToIntDef(std::string_view text, int default_value);

// Real text with "." as the decimal separator and an optional exponent,
// optionally surrounded by blanks. The whole text must convert.
bool TryTextToFloat(std::string_view text, double& value);
// Raises ConvertError when the text is not a valid real number.
double StrToFloat(std::string_view text);

// The general float format: the shortest text of the value rounded to 15
// significant digits, fixed-point for decimal exponents from -5 to 14, else
// scientific ("1.5E20", "1E-7"). Non-finite values give "NAN", "INF", "-INF".
std::string FloatToStrGeneral(double value);
// The same with `precision` significant digits (1 to 17; scientific from a
// decimal exponent of `precision` on) and at least `exponent_digits` digits
// in a scientific exponent ("1.2346E05" for 123456 with 5 and 2).
std::string FloatToStrGeneral(double value, int precision, int exponent_digits);

// printf into a std::string, always with the "C" locale. Field widths count
// bytes, so a double-byte character takes two columns.
std::string StringPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));
