#pragma once

// The search word's history files and the point names of SIMA coordinate
// files, which the search bar loads into its history.
//
// History files are written as UTF-8 with a line feed after each item. They
// are read as UTF-8 when the bytes are valid UTF-8 and as Shift-JIS (CP932)
// otherwise, so lists written by the CAD program's tools read too; a
// carriage return before a line feed is dropped. SIMA files are read the
// same way. A wrong file (a disk image picked by mistake) cannot hang the
// window: at most MaxSearchHistoryBytes are read and MaxSearchHistoryItems
// items taken.

#include <QStringList>

#include <cstddef>
#include <filesystem>

inline constexpr std::size_t MaxSearchHistoryBytes = 16u << 20;
inline constexpr int MaxSearchHistoryItems = 1000;

// Whether the file is a SIMA coordinate file: its extension, lower-cased, is
// ".sim".
bool IsSimaFile(const std::filesystem::path& path);

// The file's lines, at most MaxSearchHistoryItems; empty when it cannot be
// read.
QStringList ReadSearchHistoryLines(const std::filesystem::path& path);

// The point names of the file's "A01" lines: the third comma-separated field
// with blanks trimmed, when there are three fields and it is not empty.
QStringList ReadSimaPointNames(const std::filesystem::path& path);

// Writes the items one per line; false when the file could not be written.
bool WriteSearchHistoryLines(const std::filesystem::path& path, const QStringList& items);
