#include "platform/Numbers.h"

#include "platform/Errors.h"

#include <algorithm>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <locale.h>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

int DigitValue(char c, int base)
{
    int digit = -1;
    if (c >= '0' && c <= '9')
        digit = c - '0';
    else if (c >= 'a' && c <= 'f')
        digit = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        digit = c - 'A' + 10;
    return digit < base ? digit : -1;
}

std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

locale_t ClassicLocale()
{
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
}

} // namespace

bool TryStrToInt(std::string_view text, int& value)
{
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    int base = 10;
    if (i < text.size() && text[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= text.size())
        return false;
    const std::uint64_t limit = base == 16 ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
    std::uint64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        const int digit = DigitValue(text[i], base);
        if (digit < 0)
            return false;
        magnitude = magnitude * base + digit;
        if (magnitude > limit)
            return false;
    }
    const auto bits = static_cast<std::uint32_t>(magnitude);
    value = static_cast<int>(negative ? 0u - bits : bits);
    return true;
}

int StrToInt(std::string_view text)
{
    int value = 0;
    if (!TryStrToInt(text, value))
        throw ConvertError("'" + std::string(text) + "' is not a valid integer value");
    return value;
}

int StrToIntDef(std::string_view text, int default_value)
{
    int value = 0;
    return TryStrToInt(text, value) ? value : default_value;
}

bool TryTextToFloat(std::string_view text, double& value)
{
    text = TrimBlanks(text);
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    const std::size_t number_start = i;
    std::size_t digits = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9')
        ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9')
            ++i, ++digits;
    }
    if (digits == 0)
        return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        std::size_t exponent_digits = 0;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9')
            ++i, ++exponent_digits;
        if (exponent_digits == 0)
            return false;
    }
    if (i != text.size())
        return false;
    // from_chars takes no leading "+"; the sign is applied afterwards.
    double magnitude = 0;
    const char* first = text.data() + number_start;
    const char* last = text.data() + text.size();
    const auto [end, error] = std::from_chars(first, last, magnitude, std::chars_format::general);
    if (error == std::errc::result_out_of_range) {
        // Underflow reads as zero; overflow does not convert.
        if (std::strtod(std::string(first, last).c_str(), nullptr) != 0.0)
            return false;
        magnitude = 0;
    } else if (error != std::errc() || end != last) {
        return false;
    }
    value = text.front() == '-' ? -magnitude : magnitude;
    return true;
}

double StrToFloat(std::string_view text)
{
    double value = 0;
    if (!TryTextToFloat(text, value))
        throw ConvertError("'" + std::string(text) + "' is not a valid floating point value");
    return value;
}

std::string FloatToStrGeneral(double value)
{
    return FloatToStrGeneral(value, 15, 0);
}

std::string FloatToStrGeneral(double value, int precision, int exponent_digits)
{
    precision = std::clamp(precision, 1, 17);
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value > 0 ? "INF" : "-INF";
    if (value == 0)
        return "0";

    // `precision` significant digits in scientific form: d.ddde[+-]x
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, precision - 1);
    const std::string scientific(buffer, result.ptr);
    const std::size_t e_position = scientific.find('e');
    const bool negative = scientific[0] == '-';
    std::string digits;
    for (std::size_t i = negative ? 1 : 0; i < e_position; ++i) {
        if (scientific[i] != '.')
            digits.push_back(scientific[i]);
    }
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    const int exponent = std::atoi(scientific.c_str() + e_position + 1);

    std::string text = negative ? "-" : "";
    if (exponent >= precision || exponent < -5) {
        text += digits[0];
        if (digits.size() > 1) {
            text += '.';
            text.append(digits, 1);
        }
        text += 'E';
        if (exponent < 0)
            text += '-';
        const std::string magnitude = std::to_string(exponent < 0 ? -exponent : exponent);
        if (static_cast<int>(magnitude.size()) < exponent_digits)
            text.append(static_cast<std::size_t>(exponent_digits) - magnitude.size(), '0');
        text += magnitude;
        return text;
    }
    if (exponent < 0) {
        text += "0.";
        text.append(static_cast<std::size_t>(-exponent - 1), '0');
        text += digits;
        return text;
    }
    const std::size_t integer_digits = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= integer_digits) {
        text += digits;
        text.append(integer_digits - digits.size(), '0');
    } else {
        text.append(digits, 0, integer_digits);
        text += '.';
        text.append(digits, integer_digits);
    }
    return text;
}

std::string StringPrintf(const char* format, ...)
{
    const locale_t previous = uselocale(ClassicLocale());
    va_list arguments;
    va_start(arguments, format);
    va_list copy;
    va_copy(copy, arguments);
    char small[256];
    const int length = std::vsnprintf(small, sizeof small, format, arguments);
    va_end(arguments);
    std::string text;
    if (length > 0 && static_cast<std::size_t>(length) < sizeof small) {
        text.assign(small, static_cast<std::size_t>(length));
    } else if (length > 0) {
        text.resize(static_cast<std::size_t>(length));
        std::vsnprintf(text.data(), text.size() + 1, format, copy);
    }
    va_end(copy);
    uselocale(previous);
    return text;
}
