#pragma once

// Free-standing text and file helpers of the model. Texts are Shift-JIS byte
// strings; lengths count bytes. File names are Shift-JIS texts too and are
// converted at the file boundary.

#include "platform/LoadResult.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

using StringList = std::vector<std::string>;

// Splits at every occurrence of the delimiter; an empty field stays, a
// trailing delimiter gives a last empty field and the empty text gives none.
// An empty delimiter splits at blanks instead: trailing white space (bytes 0
// to 32) is dropped, a leading blank gives one empty first field, and white
// space around each separating blank is trimmed away. Returns the field count.
int SplitText(const std::string& text, StringList& fields, const std::string& delimiter);

// One empty field when the text begins with a blank, then every run of
// non-blank characters (only the blank separates; a tab belongs to a field).
int SplitAtBlanks(const std::string& text, StringList& lines);

// Every non-empty line of the file (lines end at any run of CR and LF; the
// text ends at its first zero byte). Loaded when the file was read (also an
// empty one); Missing or Unreadable, and the list is left as it was.
TLoadStatus ReadTextFileLines(const std::string& file_name, StringList& lines);
// The same cut on text in memory: the lines replace `lines`; returns their
// number. With `line_numbers`, each line's 1-based number in the text (a CR
// LF pair, a lone CR or a lone LF ends one line; empty lines count).
int SplitTextLines(std::string_view text, StringList& lines, std::vector<int>* line_numbers = nullptr);

// The non-empty lines of a text file's bytes, as SplitTextLines cuts them,
// and each line's number in the file: what a text reader needs to name the
// line that failed.
struct TTextLines {
    explicit TTextLines(std::string_view text);

    // A conversion error in the line at `line_index` of `lines`.
    TLoadResult ConversionErrorAt(int line_index) const;

    StringList lines;
    std::vector<int> line_numbers;
};

// Full-width letters, digits and symbols to half-width, kana to half-width
// katakana.
std::string ToHalfWidthKatakana(const std::string& text);

// Free bytes available to this user in the folder, or the total free bytes
// when that is 0; 0 when the folder cannot be asked.
std::uint64_t GetDiskFreeBytes(const std::string& folder);

// 1 when the file is read-only, plus 2 when it is hidden; 0 when there is no
// such file.
int GetFileFlags(const std::string& path);

// The estimated size of an uncompressed bitmap, such as "29.3 KB".
std::string FormatImageSize(double width_mm, double height_mm, double dpi, int bits_per_pixel);

// The value of a real text, or 0 when the text is empty or does not convert.
double TextToFloat(const std::string& text);

