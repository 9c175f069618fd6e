#include "ui/PathShortening.h"

#include <QFontMetrics>

namespace {

bool IsSeparator(QChar c) { return c == QLatin1Char('/') || c == QLatin1Char('\\'); }

// The separator that closes the folder part; "/" for one without any.
QChar SeparatorOf(const QString& folder_part)
{
    return !folder_part.isEmpty() && IsSeparator(folder_part.back()) ? folder_part.back() : QChar(QLatin1Char('/'));
}

QString MarkerOf(QChar separator) { return QStringLiteral("...") + separator; }

// "..." followed by either separator, in front of the text.
bool StartsWithMarker(const QString& text)
{
    return text.size() >= 4 && text.startsWith(QStringLiteral("...")) && IsSeparator(text[3]);
}

qsizetype FirstSeparator(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (IsSeparator(text[i]))
            return i;
    }
    return -1;
}

qsizetype LastSeparator(const QString& text)
{
    for (qsizetype i = text.size() - 1; i >= 0; --i) {
        if (IsSeparator(text[i]))
            return i;
    }
    return -1;
}

} // namespace

void CutFirstFolder(QString& folder_part)
{
    const QChar separator = SeparatorOf(folder_part);
    // The root alone is the last thing to go.
    if (folder_part.size() == 1 && IsSeparator(folder_part[0])) {
        folder_part.clear();
        return;
    }
    QString root;
    if (!folder_part.isEmpty() && IsSeparator(folder_part[0])) {
        root = folder_part.left(1);
        folder_part.remove(0, 1);
    }
    // The marker of an earlier cut goes first. Any leading dot is taken for
    // it: a first folder of the path itself that begins with a dot loses its
    // first four characters too. For a longer name (".config") the cut below
    // ends the same; a short one ("..", ".ab") goes with the next folder in
    // one cut, which skips only the step that put a marker no narrower than
    // the name in its place.
    if (folder_part.startsWith(QLatin1Char('.')))
        folder_part.remove(0, 4);
    const qsizetype first = FirstSeparator(folder_part);
    if (first >= 0)
        folder_part = MarkerOf(separator) + folder_part.mid(first + 1);
    else
        folder_part.clear();
    folder_part.prepend(root);
}

QString ShortenPathToWidth(const QString& path, const QFontMetrics& metrics, int width)
{
    const qsizetype last = LastSeparator(path);
    QString folder_part = path.left(last + 1);
    const QString file_name = path.mid(last + 1);
    QString drive;
    if (folder_part.size() >= 2 && folder_part[1] == QLatin1Char(':')) {
        drive = folder_part.left(2);
        folder_part.remove(0, 2);
    }
    QString result = path;
    while (!drive.isEmpty() || !folder_part.isEmpty()) {
        if (metrics.horizontalAdvance(result) <= width)
            break;
        // The marker right under the root: what is left to drop is the root
        // and the drive together.
        if (folder_part.size() == 5 && IsSeparator(folder_part[0]) && StartsWithMarker(folder_part.mid(1))) {
            drive.clear();
            folder_part.remove(0, 1);
        } else if (!folder_part.isEmpty()) {
            CutFirstFolder(folder_part);
        } else {
            drive.clear();
        }
        result = drive + folder_part + file_name;
    }
    return result;
}

std::string ShortenPathToWidth(const std::string& path, const QFontMetrics& metrics, int width)
{
    // A path left whole keeps its bytes, even those that are not UTF-8; a
    // shortened one is a text for a label and may show them as U+FFFD.
    const QString whole = QString::fromStdString(path);
    const QString shortened = ShortenPathToWidth(whole, metrics, width);
    return shortened == whole ? path : shortened.toStdString();
}
