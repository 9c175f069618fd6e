#pragma once

// Texts of the model are Shift-JIS (code page 932) byte strings held in
// std::string; lengths and positions count bytes and a double-byte character
// takes two. Conversion to Unicode happens only at the edges (the GUI, file
// names) through iconv's "CP932" (Windows-31J), never plain SHIFT_JIS, so the
// vendor extensions and the yen/backslash byte round-trip.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// Lead byte of a double-byte character: 0x81-0x9F or 0xE0-0xFC.
constexpr bool IsLeadByte(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}
constexpr bool IsLeadByte(char c) { return IsLeadByte(static_cast<unsigned char>(c)); }

// Number of bytes of the character that starts at `index`: 2 for a lead byte
// with its trail byte present, else 1. A lead byte at the very end counts 1.
// Inline: every walk over a text calls it once per character.
inline std::size_t CharLengthAt(std::string_view text, std::size_t index)
{
    return index + 1 < text.size() && IsLeadByte(text[index]) ? 2 : 1;
}

// Visits the code of each character of a text: a double-byte character as
// lead byte × 256 + trail byte, any other byte as itself.
template <class TVisit> void ForEachCharacterCode(std::string_view text, TVisit visit)
{
    const auto byte
        = [&text](std::size_t at) { return static_cast<unsigned int>(static_cast<unsigned char>(text[at])); };
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = CharLengthAt(text, i);
        visit(length == 2 ? byte(i) << 8 | byte(i + 1) : byte(i));
        i += length;
    }
}

// Whether the byte at `index` (0-based) is the trail byte of a double-byte
// character, found by walking the text from its start.
bool IsTrailByteAt(std::string_view text, std::size_t index);

// Unicode conversions. Bytes that do not convert become "?" (to Shift-JIS) or
// U+FFFD (to UTF-8); neither raises.
std::string Utf8ToSjis(std::string_view utf8);
std::string SjisToUtf8(std::string_view sjis);
// The Shift-JIS text, or nothing when a character has no Shift-JIS code.
std::optional<std::string> Utf8ToSjisExactly(std::string_view utf8);
// Whether the bytes are well-formed UTF-8.
bool IsValidUtf8(std::string_view text);

// A Shift-JIS text from a UTF-8 literal of the source code, converted once and
// kept for the rest of the run: sj(u8"表示のみ").
const std::string& sj(const char8_t* utf8_literal);

// Substring by a 1-based byte position, as the model's texts count: an index
// below 1 counts as 1, a count past the end stops at the end, an index past
// the end or a count below 1 gives the empty text.
std::string SubString1(std::string_view text, long long index, long long count);
// The rest of the text from a 1-based byte position.
std::string SubStringFrom1(std::string_view text, long long index);
// 1-based byte position of the first occurrence of `needle`, 0 when absent
// (also for an empty needle).
std::size_t Pos1(std::string_view text, std::string_view needle);

// File names: the model keeps paths as Shift-JIS texts; the file system wants
// UTF-8.
std::filesystem::path NativePath(std::string_view sjis_path);
std::string SjisPath(const std::filesystem::path& path);
