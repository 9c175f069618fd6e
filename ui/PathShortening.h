#pragma once

// A file path shortened to a pixel width for a narrow label: leading folders
// give way, one at a time, to a "..." marker until the text fits.
//
// "/home/u/a/b/file.txt" becomes "/.../a/b/file.txt", "/.../b/file.txt",
// "/.../file.txt", ".../file.txt" and at last "file.txt"; a path with a
// drive ("C:\a\b\file.txt") loses its folders first and its drive last. Both
// "/" and "\" separate folders; the marker takes the separator the path ends
// its folders with. The file name is never cut: when even the bare name is
// too wide, the bare name is returned. Cuts fall only on separators, so no
// character is ever split.

#include <QString>

#include <string>

class QFontMetrics;

// The path shortened until `metrics` measure it at `width` pixels or less, or
// as short as the folders allow.
QString ShortenPathToWidth(const QString& path, const QFontMetrics& metrics, int width);
// The same for a UTF-8 path; a path that is not shortened comes back byte for
// byte.
std::string ShortenPathToWidth(const std::string& path, const QFontMetrics& metrics, int width);

// Removes the first folder of a folder part (a path without its file name,
// ending in a separator) and marks the removal with "..." and the separator:
// "/a/b/" becomes "/.../b/", "/.../b/" becomes "/.../", "/.../" becomes "/"
// and "/" becomes empty. A marker already in front is replaced, not kept;
// so is anything else that begins with a dot, four characters of it.
void CutFirstFolder(QString& folder_part);
