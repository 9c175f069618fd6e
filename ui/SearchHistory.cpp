#include "ui/SearchHistory.h"

#include "platform/AsciiCase.h"
#include "platform/FileSystem.h"
#include "platform/ShiftJis.h"
#include "platform/ui/QtText.h"

#include <fstream>
#include <limits>
#include <string>
#include <string_view>

namespace {

// The file's first MaxSearchHistoryBytes bytes.
std::string ReadHead(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return {};
    std::string bytes(MaxSearchHistoryBytes, '\0');
    file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(file.gcount()));
    // A file cut off here ends at its last whole line, so that a character
    // cut in two does not make a UTF-8 file read as Shift-JIS.
    if (bytes.size() == MaxSearchHistoryBytes) {
        const std::size_t last_line_end = bytes.rfind('\n');
        bytes.resize(last_line_end == std::string::npos ? 0 : last_line_end + 1);
    }
    return bytes;
}

QString DecodedText(std::string_view bytes, bool utf8)
{
    if (utf8)
        return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    return SjisText(bytes);
}

// Lines end at a line feed, with a carriage return before it dropped; a last
// line without a line feed counts too. The whole file is read as UTF-8 or as
// Shift-JIS, never line by line.
QStringList SplitLines(std::string_view bytes, int max_lines)
{
    const bool utf8 = IsValidUtf8(bytes);
    QStringList lines;
    std::size_t start = 0;
    while (start < bytes.size() && lines.size() < max_lines) {
        std::size_t end = bytes.find('\n', start);
        const std::size_t next = end == std::string_view::npos ? bytes.size() : end + 1;
        if (end == std::string_view::npos)
            end = bytes.size();
        else if (end > start && bytes[end - 1] == '\r')
            --end;
        lines.push_back(DecodedText(bytes.substr(start, end - start), utf8));
        start = next;
    }
    return lines;
}

// Blanks and control characters off both ends.
QString TrimmedBlanks(const QString& text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first].unicode() <= 0x20)
        ++first;
    while (last > first && text[last - 1].unicode() <= 0x20)
        --last;
    return text.mid(first, last - first);
}

} // namespace

bool IsSimaFile(const std::filesystem::path& path)
{
    return HasExtensionIgnoringCase(path, ".sim");
}

QStringList ReadSearchHistoryLines(const std::filesystem::path& path)
{
    return SplitLines(ReadHead(path), MaxSearchHistoryItems);
}

QStringList ReadSimaPointNames(const std::filesystem::path& path)
{
    QStringList names;
    for (const QString& line : SplitLines(ReadHead(path), std::numeric_limits<int>::max())) {
        if (names.size() >= MaxSearchHistoryItems)
            break;
        if (!line.startsWith(QStringLiteral("A01")))
            continue;
        const QStringList fields = line.split(QLatin1Char(','));
        if (fields.size() < 3)
            continue;
        const QString name = TrimmedBlanks(fields[2]);
        if (!name.isEmpty())
            names.push_back(name);
    }
    return names;
}

bool WriteSearchHistoryLines(const std::filesystem::path& path, const QStringList& items)
{
    QByteArray text;
    for (const QString& item : items) {
        text += item.toUtf8();
        text += '\n';
    }
    return WriteWholeFile(path, std::string_view(text.constData(), static_cast<std::size_t>(text.size())))
        == TSaveStatus::Saved;
}
