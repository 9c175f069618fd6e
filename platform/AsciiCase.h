#pragma once

// Letter case of the Latin alphabet only: what file names, extensions, font
// family names and the search candidates are compared by here, whatever the
// process locale.

#include <algorithm>
#include <filesystem>
#include <string>
#include <string_view>

inline char AsciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline char AsciiUpper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

inline bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size()
        && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

// Orders byte strings as the lists of the CAD program's texts are sorted:
// unsigned bytes, the letters a to z taken as A to Z (so "_" comes after
// the letters), a prefix before the longer text. Negative, 0 or positive.
inline int CompareIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const auto x = static_cast<unsigned char>(AsciiUpper(a[i]));
        const auto y = static_cast<unsigned char>(AsciiUpper(b[i]));
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

// Whether the file name ends in the extension (".bmp"), in any letter case.
inline bool HasExtensionIgnoringCase(const std::filesystem::path& file, std::string_view extension)
{
    return EqualsIgnoringAsciiCase(file.extension().string(), extension);
}
