#include "platform/FontFaces.h"
#include "platform/ShiftJis.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

TEST(FontFaces, TheTableStandsIpaFacesInForTheDrawingsFaces)
{
    const struct {
        const char8_t* face;
        std::string_view family;
    } cases[] = {
        { u8"ＭＳ ゴシック", "IPAGothic" },
        { u8"ＭＳ Ｐゴシック", "IPAPGothic" },
        { u8"ＭＳ 明朝", "IPAMincho" },
        { u8"ＭＳ Ｐ明朝", "IPAPMincho" },
        { u8"MS Gothic", "IPAGothic" },
        { u8"MS PMincho", "IPAPMincho" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(SjisToUtf8(sj(c.face)));
        EXPECT_EQ(SubstitutedFontFamily(sj(c.face)), c.family);
        const TFontFace face = FindFontFace(sj(c.face));
        EXPECT_EQ(face.family, c.family);
        EXPECT_TRUE(std::filesystem::is_regular_file(face.file)) << face.file;
        EXPECT_EQ(face.index, 0);
    }
    // The names must match to the byte: a half-width blank, a half-width
    // "MS" or a missing blank are other names.
    for (const char8_t* other : { u8"ＭＳゴシック", u8"MS ゴシック", u8"ＭＳ　ゴシック", u8"ｍｓ ゴシック", u8"" })
        EXPECT_EQ(SubstitutedFontFamily(sj(other)), "") << SjisToUtf8(sj(other));
}

TEST(FontFaces, InstalledFamiliesAreTakenByTheirOwnNames)
{
    const TFontFace mincho = FindFontFace("IPAMincho");
    EXPECT_EQ(mincho.family, "IPAMincho");
    // The faces' other names, Japanese ones in Shift-JIS among them, and
    // fontconfig's leniency about case and blanks.
    EXPECT_EQ(FindFontFace(sj(u8"IPA明朝")).file, mincho.file);
    EXPECT_EQ(FindFontFace("ipa mincho").file, mincho.file);
    EXPECT_EQ(FindFontFace(sj(u8"ＭＳ 明朝")).file, mincho.file);
    EXPECT_NE(FindFontFace("IPAPMincho").file, mincho.file);
}

TEST(FontFaces, EverythingElseFallsBackToIpaGothic)
{
    const TFontFace gothic = FindFontFace(sj(u8"ＭＳ ゴシック"));
    ASSERT_EQ(gothic.family, fallback_font_family);
    // Unknown names, the empty name, and generic names that fontconfig would
    // answer with whatever the machine has.
    for (const std::string& name : { std::string("No Such Face 9f3c"), std::string(), std::string("sans-serif"),
             std::string("monospace"), sj(u8"ＨＧ創英角ﾎﾟｯﾌﾟ体"), std::string("\x81", 1), std::string(300, 'x') }) {
        SCOPED_TRACE(SjisToUtf8(name));
        EXPECT_EQ(FindFontFace(name), gothic);
        // Asked again, from the cache.
        EXPECT_EQ(FindFontFace(name), gothic);
    }
}
