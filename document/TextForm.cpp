#include "document/TextForm.h"

#include "platform/Numbers.h"

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
