#pragma once

// A Shift-JIS text of a drawing made into one file-name component, so that a
// text used to name a file (the print title, the proposed image file) stays
// in the folder meant for it: no separators, no control characters, never
// "." or "..", and not longer than a file system takes.

#include <cstddef>
#include <string>
#include <string_view>

inline constexpr std::size_t MaxFileNameComponentBytes = 200;

// The text with each single-byte "/" and "\" replaced by "_", control
// characters dropped, leading dots and blanks removed, and cut to at most
// `max_bytes` at a character boundary. Empty when nothing is left.
std::string FileNameComponentOf(std::string_view sjis, std::size_t max_bytes = MaxFileNameComponentBytes);
