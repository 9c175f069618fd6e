#include "core/TextUtil.h"

#include "platform/FileSystem.h"
#include "platform/KanaFold.h"
#include "platform/Numbers.h"
#include "platform/ShiftJis.h"

#include <algorithm>
#include <cmath>

namespace {

bool IsWhiteSpace(char c) { return static_cast<unsigned char>(c) <= 32; }

void SplitAtBlankRuns(const std::string& text, StringList& fields)
{
    std::size_t end = text.size();
    while (end > 0 && IsWhiteSpace(text[end - 1]))
        --end;
    std::size_t i = 0;
    while (i < end) {
        if (text[i] == ' ') {
            fields.emplace_back();
        } else {
            std::size_t blank = text.find(' ', i);
            if (blank == std::string::npos || blank > end)
                blank = end;
            fields.emplace_back(text, i, blank - i);
            i = blank;
        }
        while (i < end && IsWhiteSpace(text[i]))
            ++i;
    }
}

} // namespace

int SplitText(const std::string& text, StringList& fields, const std::string& delimiter)
{
    fields.clear();
    if (delimiter.empty()) {
        SplitAtBlankRuns(text, fields);
        return static_cast<int>(fields.size());
    }
    if (text.empty())
        return 0;
    std::size_t start = 0;
    for (;;) {
        const std::size_t found = text.find(delimiter, start);
        if (found == std::string::npos) {
            fields.emplace_back(text, start);
            break;
        }
        fields.emplace_back(text, start, found - start);
        start = found + delimiter.size();
    }
    return static_cast<int>(fields.size());
}

int SplitAtBlanks(const std::string& text, StringList& fields)
{
    fields.clear();
    if (!text.empty() && text[0] == ' ')
        fields.emplace_back();
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == ' ') {
            ++i;
            continue;
        }
        std::size_t blank = text.find(' ', i);
        if (blank == std::string::npos)
            blank = text.size();
        fields.emplace_back(text, i, blank - i);
        i = blank;
    }
    return static_cast<int>(fields.size());
}

TLoadStatus ReadTextFileLines(const std::string& file_name, StringList& lines)
{
    const TFileBytes file = ReadWholeFile(NativePath(file_name));
    if (file.status == TLoadStatus::Loaded)
        SplitTextLines(file.Text(), lines);
    return file.status;
}

int SplitTextLines(std::string_view text, StringList& lines, std::vector<int>* line_numbers)
{
    text = text.substr(0, text.find('\0'));
    lines.clear();
    if (line_numbers)
        line_numbers->clear();
    int line_number = 1;
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t end = std::min(text.find_first_of("\r\n", i), text.size());
        if (end > i) {
            lines.emplace_back(text.substr(i, end - i));
            if (line_numbers)
                line_numbers->push_back(line_number);
        }
        i = end;
        if (i < text.size()) {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            ++i;
            ++line_number;
        }
    }
    return static_cast<int>(lines.size());
}

std::string ToHalfWidthKatakana(const std::string& text)
{
    return FoldToHalfWidthKatakana(text);
}

std::uint64_t GetDiskFreeBytes(const std::string& folder)
{
    std::string path = folder;
    if (path.empty() || path.back() != '/')
        path += '/';
    DiskSpace space;
    if (!QueryDiskSpace(NativePath(path), space))
        return 0;
    return space.available_to_user != 0 ? space.available_to_user : space.free_total;
}

int GetFileFlags(const std::string& path)
{
    FileFlags flags;
    if (!QueryFileFlags(NativePath(path), flags))
        return 0;
    return (flags.read_only ? 1 : 0) + (flags.hidden ? 2 : 0);
}

std::string FormatImageSize(double width_mm, double height_mm, double dpi, int bits_per_pixel)
{
    const double pixel_width = std::trunc(width_mm / 25.4 * dpi + 0.5);
    const double pixel_height = std::trunc(height_mm / 25.4 * dpi + 0.5);
    const double bytes_per_pixel = bits_per_pixel * 0.125;
    const double row = pixel_width * bytes_per_pixel;
    const double row_whole = std::trunc(row);
    const double row_bytes = std::fmod(row_whole, 4.0) == 0 ? row_whole : (std::trunc(row / 4) + 1) * 4;
    double size = row_bytes * pixel_height;
    static const char* const units[] = { "Byte", "KB", "MB", "GB" };
    int steps = 0;
    while (size > 1024 && steps < 3) {
        size /= 1024;
        ++steps;
    }
    return StringPrintf("%.1f %s", size, units[steps]);
}

double TextToFloat(const std::string& text)
{
    double value = 0;
    if (text.empty() || !TryTextToFloat(text, value))
        return 0;
    return value;
}

TTextLines::TTextLines(std::string_view text)
{
    SplitTextLines(text, lines, &line_numbers);
}

TLoadResult TTextLines::ConversionErrorAt(int line_index) const
{
    if (line_index < 0 || static_cast<std::size_t>(line_index) >= lines.size())
        return TLoadStatus::ConversionError;
    const auto index = static_cast<std::size_t>(line_index);
    return { TLoadStatus::ConversionError, line_numbers[index], lines[index] };
}
