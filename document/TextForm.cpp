#include "document/TextForm.h"

#include "platform/Numbers.h"

#include <algorithm>

TTextFormLines SplitTextFormBytes(std::string_view bytes)
{
    bytes = bytes.substr(0, bytes.find('\0'));
    TTextFormLines result;
    int line_number = 1;
    std::size_t i = 0;
    while (i < bytes.size()) {
        const std::size_t end = std::min(bytes.find_first_of("\r\n", i), bytes.size());
        if (end > i) {
            result.lines.emplace_back(bytes.substr(i, end - i));
            result.line_numbers.push_back(line_number);
        }
        // One line end: CR LF together, or a lone CR or LF.
        i = end;
        if (i < bytes.size()) {
            if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
            ++i;
            ++line_number;
        }
    }
    return result;
}

std::string JoinTextFormLines(const StringList& lines)
{
    std::size_t size = 0;
    for (const std::string& line : lines)
        size += line.size() + 2;
    std::string text;
    text.reserve(size);
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

void AppendNumbers(std::string& line, std::initializer_list<double> numbers)
{
    for (double number : numbers) {
        line += ' ';
        line += FloatToStrGeneral(number);
    }
}
