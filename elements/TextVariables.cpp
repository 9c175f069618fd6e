// The values of special texts: a text of two or three characters such as
// "$y" (the year) or "_F" (the drawing file's time stamp) that drawing shows
// as its value. The first character chooses the number format and whether
// the date is now or the drawing file's; the second the value; the third,
// for some values, a variant.
//
// Names and separators are our own tables, not the process locale: the
// values must read the same on every machine, as on a Japanese system.

#include "elements/TextVariables.h"

#include "document/ZhdData.h"
#include "elements/KMoji.h"
#include "platform/Clock.h"
#include "platform/Numbers.h"
#include "platform/ShiftJis.h"

#include <array>
#include <cmath>
#include <string>

namespace {

// The Japanese eras by their first day; the year of an era counts from 1.
struct Era {
    int year, month, day;
};

constexpr Era eras[] = {
    { 2019, 5, 1 },  // 令和
    { 1989, 1, 8 },  // 平成
    { 1926, 12, 25 }, // 昭和
    { 1912, 7, 30 }, // 大正
    { 1868, 1, 25 }, // 明治
};

int EraYear(const TLocalTime& date)
{
    for (const Era& era : eras) {
        const bool begun = date.year > era.year || (date.year == era.year
            && (date.month > era.month || (date.month == era.month && date.day >= era.day)));
        if (begun)
            return date.year - era.year + 1;
    }
    return date.year;
}

constexpr std::array<const char*, 12> month_names { "JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                                    "JUL", "AUG", "SEP", "OCT", "NOV", "DEC" };
constexpr std::array<const char8_t*, 7> day_names { u8"日", u8"月", u8"火", u8"水", u8"木", u8"金", u8"土" };
constexpr std::array<const char*, 7> english_day_names { "SUN", "MON", "TUE", "WED", "THU", "FRI", "SAT" };

std::string DateText(const TLocalTime& t)
{
    return StringPrintf("%04d/%02d/%02d", t.year, t.month, t.day);
}

std::string DateTimeText(const TLocalTime& t)
{
    return DateText(t) + StringPrintf(" %02d:%02d:%02d", t.hour, t.minute, t.second);
}

// The folder and the extension taken off a Shift-JIS path; a trail byte
// equal to a separator belongs to its character.
std::string BareFileName(const std::string& path)
{
    std::size_t name_start = 0;
    std::size_t dot = std::string::npos;
    for (std::size_t i = 0; i < path.size(); i += CharLengthAt(path, i)) {
        if (path[i] == '/' || path[i] == '\\') {
            name_start = i + 1;
            dot = std::string::npos;
        } else if (path[i] == '.') {
            dot = i;
        }
    }
    const std::size_t end = dot == std::string::npos ? path.size() : dot;
    return path.substr(name_start, end - name_start);
}

// At most `count` leading bytes, without splitting a double-byte character.
std::string LeadingBytes(const std::string& text, std::size_t count)
{
    std::size_t end = 0;
    while (end < text.size() && end + CharLengthAt(text, end) <= count)
        end += CharLengthAt(text, end);
    return text.substr(0, end);
}

int HexDigit(char c)
{
    if (c >= '1' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return 0;
}

// The scale of the text's layer group, or that scale over the printer
// area's.
double GroupScale(const TKMoji& text, const TZhdData& document, bool per_print_scale)
{
    const TZhdHead& head = document.GetHeadPtr();
    double scale = head.GetGroup(text.GetGLayer()).GetScale();
    if (per_print_scale)
        scale /= head.GetPrinterArea().GetScale();
    return scale;
}

// "1/100" for a scale of 100; "2/1" for 0.5.
std::string ScaleAsRatio(double scale)
{
    return scale >= 1 ? "1/" + FloatToStrGeneral(scale) : FloatToStrGeneral(1 / scale) + "/1";
}

// "100" for 100; "2" for 0.5.
std::string ScaleAsNumber(double scale)
{
    return FloatToStrGeneral(scale >= 1 ? scale : 1 / scale);
}

std::string MemoOnOneLine(const std::string& memo)
{
    std::string line = memo;
    const std::size_t break_at = line.find("\r\n");
    if (break_at != std::string::npos)
        line.replace(break_at, 2, "  ");
    return line;
}

} // namespace

std::string VariableTextValue(const TKMoji& text, const TZhdData& document)
{
    const std::string characters = text.GetTextString();
    if (characters.size() < 2)
        return characters;
    const char c1 = characters[0], c2 = characters[1];
    const char c3 = characters.size() > 2 ? characters[2] : '\0';
    const bool file_date = c1 == '_' || c1 == '=';
    const char* number_format = c1 == '$' ? "%-2d" : c1 == '%' || c1 == '=' ? "%02d" : "%2d";
    const TZhdHead& head = document.GetHeadPtr();
    const std::string file_name = head.GetFileName();
    TLocalTime date = LocalNow();
    if (file_date)
        date = FileLocalTime(NativePath(file_name)).value_or(TLocalTime());
    const auto number = [&](int value) { return StringPrintf(number_format, value); };

    switch (c2) {
    case 'y':
        return number(date.year % 100);
    case 'Y':
        return number(EraYear(date));
    case 'm':
        if (c3 == 'a')
            return month_names[static_cast<std::size_t>(date.month - 1) % month_names.size()];
        if (c3 == 'm')
            return MemoOnOneLine(head.GetMemo());
        if (c3 == '1' || c3 == '2')
            return head.GetMemoLine(c3 - '0');
        return number(date.month);
    case 'd':
        return number(date.day);
    case 'H':
        return number(date.hour);
    case 'h':
        return number(date.hour % 12);
    case 'M':
        return number(date.minute);
    case 'S':
        if (c3 == 'S' || c3 == 'P') {
            const double scale = GroupScale(text, document, c3 == 'P');
            if (scale != 0 && std::isfinite(scale))
                return ScaleAsRatio(scale);
        }
        return number(date.second);
    case 's':
        if (c3 == 's' || c3 == 'p') {
            const double scale = GroupScale(text, document, c3 == 'p');
            if (scale != 0 && std::isfinite(scale))
                return ScaleAsNumber(scale);
        }
        return number(0);
    case 'T': {
        const int seconds = head.GetDrawingTime();
        return StringPrintf("%d : %02d", seconds / 3600, seconds % 3600 / 60);
    }
    case 'w': {
        const std::size_t weekday = static_cast<std::size_t>(date.weekday) % day_names.size();
        return c3 == 'a' ? english_day_names[weekday] : sj(day_names[weekday]);
    }
    case 'n':
        return date.hour < 12 ? "AM" : "PM";
    case 'N':
        return date.hour < 12 ? sj(u8"前") : sj(u8"後");
    case 'F':
        return file_date ? DateTimeText(date) : file_name;
    case 'f':
        if (file_date)
            return DateText(date);
        return c3 != '\0' ? LeadingBytes(BareFileName(file_name), static_cast<std::size_t>(HexDigit(c3)))
                          : BareFileName(file_name);
    default:
        return characters;
    }
}
