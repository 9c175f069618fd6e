#pragma once

// Letter case of the Latin alphabet only: what file names, extensions and
// font family names are compared by here, whatever the process locale.

#include <algorithm>
#include <filesystem>
#include <string>
#include <string_view>

inline char AsciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size()
        && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

// Whether the file name ends in the extension (".bmp"), in any letter case.
inline bool HasExtensionIgnoringCase(const std::filesystem::path& file, std::string_view extension)
{
    return EqualsIgnoringAsciiCase(file.extension().string(), extension);
}
