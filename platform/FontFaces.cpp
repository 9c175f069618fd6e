#include "platform/FontFaces.h"

#include "platform/AsciiCase.h"
#include "platform/BoundedCache.h"
#include "platform/ShiftJis.h"

#include <fontconfig/fontconfig.h>

#include <cstddef>
#include <memory>
#include <mutex>
#include <optional>
#include <unordered_map>

namespace {

// The faces of the drawings' home system, under their Japanese and their
// English names, and the IPA faces that look like them.
struct TSubstitution {
    const char8_t* face;
    std::string_view family;
};

constexpr TSubstitution substitutions[] = {
    { u8"ＭＳ ゴシック", "IPAGothic" },
    { u8"ＭＳ Ｐゴシック", "IPAPGothic" },
    { u8"ＭＳ 明朝", "IPAMincho" },
    { u8"ＭＳ Ｐ明朝", "IPAPMincho" },
    { u8"MS Gothic", "IPAGothic" },
    { u8"MS PGothic", "IPAPGothic" },
    { u8"MS Mincho", "IPAMincho" },
    { u8"MS PMincho", "IPAPMincho" },
};

// Enough for every face a session meets; a drawing that names more only
// makes the table start again.
constexpr std::size_t face_cache_limit = 256;

// fontconfig compares family names without regard to ASCII case and blanks;
// so do we when we check that the face it matched is the one asked for.
bool SameFamily(std::string_view a, std::string_view b)
{
    std::size_t i = 0;
    std::size_t j = 0;
    while (true) {
        while (i < a.size() && a[i] == ' ')
            ++i;
        while (j < b.size() && b[j] == ' ')
            ++j;
        if (i == a.size() || j == b.size())
            return i == a.size() && j == b.size();
        if (AsciiLower(a[i]) != AsciiLower(b[j]))
            return false;
        ++i;
        ++j;
    }
}

struct TPatternDeleter {
    void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using TPattern = std::unique_ptr<FcPattern, TPatternDeleter>;

struct TConfigDeleter {
    void operator()(FcConfig* config) const { FcConfigDestroy(config); }
};

// Our own fontconfig configuration, loaded once and freed at exit; the
// process's current one (Qt's) is left alone. Queries are rare (their
// answers are cached) and go one at a time.
struct TFontconfig {
    std::mutex mutex;
    std::unique_ptr<FcConfig, TConfigDeleter> config { FcInitLoadConfigAndFonts() };
};

TFontconfig& Fontconfig()
{
    static TFontconfig fontconfig;
    return fontconfig;
}

// The installed TrueType face of exactly this family (UTF-8), if any.
// fontconfig always answers with some font; the answer counts only when one
// of its family names is the one asked for.
std::optional<TFontFace> InstalledFace(const std::string& family)
{
    TFontconfig& fontconfig = Fontconfig();
    const std::lock_guard lock(fontconfig.mutex);
    if (family.empty() || !fontconfig.config)
        return std::nullopt;
    const TPattern pattern(FcPatternCreate());
    if (!pattern)
        return std::nullopt;
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddBool(pattern.get(), FC_OUTLINE, FcTrue);
    if (!FcConfigSubstitute(fontconfig.config.get(), pattern.get(), FcMatchPattern))
        return std::nullopt;
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    const TPattern match(FcFontMatch(fontconfig.config.get(), pattern.get(), &result));
    if (!match || result != FcResultMatch)
        return std::nullopt;

    std::optional<std::string> matched_family;
    FcChar8* value = nullptr;
    for (int i = 0; FcPatternGetString(match.get(), FC_FAMILY, i, &value) == FcResultMatch; ++i) {
        const std::string candidate(reinterpret_cast<const char*>(value));
        if (SameFamily(candidate, family)) {
            matched_family = candidate;
            break;
        }
    }
    if (!matched_family)
        return std::nullopt;
    if (FcPatternGetString(match.get(), FC_FONTFORMAT, 0, &value) != FcResultMatch
        || std::string_view(reinterpret_cast<const char*>(value)) != "TrueType")
        return std::nullopt;
    if (FcPatternGetString(match.get(), FC_FILE, 0, &value) != FcResultMatch)
        return std::nullopt;
    TFontFace face;
    face.family = *matched_family;
    face.file = std::filesystem::path(reinterpret_cast<const char*>(value));
    int index = 0;
    if (FcPatternGetInteger(match.get(), FC_INDEX, 0, &index) == FcResultMatch)
        face.index = index;
    return face;
}

TFontFace LookUpFace(std::string_view sjis_face)
{
    const std::string_view substituted = SubstitutedFontFamily(sjis_face);
    const std::string family = substituted.empty() ? SjisToUtf8(sjis_face) : std::string(substituted);
    if (std::optional<TFontFace> face = InstalledFace(family))
        return *face;
    if (std::optional<TFontFace> face = InstalledFace(std::string(fallback_font_family)))
        return *face;
    return TFontFace { std::string(fallback_font_family), {}, 0 };
}

} // namespace

std::string_view SubstitutedFontFamily(std::string_view sjis_face)
{
    for (const TSubstitution& substitution : substitutions) {
        if (sj(substitution.face) == sjis_face)
            return substitution.family;
    }
    return {};
}

TFontFace FindFontFace(std::string_view sjis_face)
{
    static TBoundedCache<std::string, TFontFace> found(face_cache_limit);
    const std::string key(sjis_face);
    if (std::optional<TFontFace> known = found.Find(key))
        return *std::move(known);
    // The first query loads fontconfig's configuration, which takes a while:
    // the cache makes values outside its lock.
    return found.Keep(key, LookUpFace(sjis_face));
}
