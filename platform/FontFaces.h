#pragma once

// Which installed font stands in for a face name of a drawing.
//
// Drawings name the faces of the system they were made on ("ＭＳ ゴシック"
// and the like, in Shift-JIS). The faces that are not installed here have
// one substitution table, which maps each to the IPA face of the same look
// (gothic or mincho, fixed or proportional). Any other name is used as it
// is when a TrueType face of that family is installed; everything else, the
// empty name included, falls back to IPA Gothic.
//
// Only TrueType faces are taken: their outlines are quadratic, the form the
// glyph outlines are handed on in (GlyphOutline.h). A family installed only
// with cubic (CFF) outlines falls back like an unknown one.
//
// Answers are cached for the run (a bounded table; at its limit it is
// emptied and filled again). Fonts installed while the program runs are not
// seen until it starts again.

#include <filesystem>
#include <string>
#include <string_view>

struct TFontFace {
    // The family as Qt and fontconfig name it (UTF-8), e.g. "IPAGothic".
    std::string family;
    // The font file for FreeType; empty when not even the fallback face is
    // installed, and then text draws nothing.
    std::filesystem::path file;
    // The face's index inside the file (font collections hold several).
    int index = 0;
    bool operator==(const TFontFace&) const = default;
};

// The family every name without an installed face of its own falls back to.
inline constexpr std::string_view fallback_font_family = "IPAGothic";

// The family the substitution table gives a face name (Shift-JIS), or the
// empty view for a name the table does not hold.
std::string_view SubstitutedFontFamily(std::string_view sjis_face);

// The installed face for a face name of a drawing (Shift-JIS); never fails,
// see above.
TFontFace FindFontFace(std::string_view sjis_face);
