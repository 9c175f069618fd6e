#include "platform/KanaFold.h"
#include "platform/ShiftJis.h"

#include <gtest/gtest.h>

TEST(ShiftJis, LeadBytes)
{
    EXPECT_FALSE(IsLeadByte(static_cast<unsigned char>(0x80)));
    EXPECT_TRUE(IsLeadByte(static_cast<unsigned char>(0x81)));
    EXPECT_TRUE(IsLeadByte(static_cast<unsigned char>(0x9F)));
    EXPECT_FALSE(IsLeadByte(static_cast<unsigned char>(0xA0)));
    EXPECT_FALSE(IsLeadByte(static_cast<unsigned char>(0xDF)));
    EXPECT_TRUE(IsLeadByte(static_cast<unsigned char>(0xE0)));
    EXPECT_TRUE(IsLeadByte(static_cast<unsigned char>(0xFC)));
    EXPECT_FALSE(IsLeadByte(static_cast<unsigned char>(0xFD)));
}

TEST(ShiftJis, CharactersAndTrailBytes)
{
    const std::string text = "a\x95\x5C" "b\x82";  // a, a kanji whose trail byte is "\", b, a lone lead byte
    EXPECT_EQ(CharLengthAt(text, 0), 1u);
    EXPECT_EQ(CharLengthAt(text, 1), 2u);
    EXPECT_EQ(CharLengthAt(text, 4), 1u) << "a lead byte at the very end has no trail byte";
    EXPECT_TRUE(IsTrailByteAt(text, 2));
    EXPECT_FALSE(IsTrailByteAt(text, 3));
    EXPECT_FALSE(IsTrailByteAt(text, 4));
}

TEST(ShiftJis, ConvertsThroughCodePage932)
{
    // Literals written in UTF-8 arrive as code page 932 bytes.
    EXPECT_EQ(sj(u8"表示のみ"), "\x95\x5C\x8E\xA6\x82\xCC\x82\xDD");
    EXPECT_EQ(sj(u8"ｱ"), "\xB1");
    // Vendor extensions of the code page: circled digit one, NEC row 13.
    EXPECT_EQ(sj(u8"①"), "\x87\x40");
    EXPECT_EQ(sj(u8"～"), "\x81\x60");
    EXPECT_EQ(SjisToUtf8("\x87\x40\x5C\x7E"), "\xE2\x91\xA0\\~");
    EXPECT_EQ(SjisToUtf8(Utf8ToSjis("図面 ABC ﾃｽﾄ")), "図面 ABC ﾃｽﾄ");
}

TEST(ShiftJis, ConversionNeverFails)
{
    EXPECT_EQ(Utf8ToSjis("a\xF0\x9F\x98\x80z"), "a????z") << "an emoji has no code";
    EXPECT_EQ(SjisToUtf8("a\x82"), "a\xEF\xBF\xBD") << "a cut-off character";
    EXPECT_EQ(SjisToUtf8(""), "");
}

TEST(ShiftJis, OneBasedSubstrings)
{
    struct Case {
        long long index, count;
        const char* expected;
    };
    const Case cases[] = {
        { 1, 3, "abc" }, { 2, 2, "bc" }, { 0, 2, "ab" }, { -5, 1, "a" },
        { 5, 9, "ef" }, { 7, 1, "" }, { 3, 0, "" }, { 3, -1, "" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(SubString1("abcdef", c.index, c.count), c.expected) << c.index << "," << c.count;
    EXPECT_EQ(SubStringFrom1("abcdef", 4), "def");
    EXPECT_EQ(Pos1("abcabc", "ca"), 3u);
    EXPECT_EQ(Pos1("abc", "x"), 0u);
    EXPECT_EQ(Pos1("abc", ""), 0u);
}

TEST(ShiftJis, PathsConvertAtTheFileBoundary)
{
    const std::string sjis_path = sj(u8"/tmp/図面.zhd");
    EXPECT_EQ(NativePath(sjis_path).string(), "/tmp/図面.zhd");
    EXPECT_EQ(SjisPath(NativePath(sjis_path)), sjis_path);
}

TEST(KanaFold, FoldsToHalfWidthKatakana)
{
    struct Case {
        const char8_t* text;
        const char8_t* expected;
    };
    const Case cases[] = {
        { u8"ＡＢＣ１２３", u8"ABC123" },
        { u8"あいう　カキク", u8"ｱｲｳ ｶｷｸ" },
        { u8"ガギパヴ", u8"ｶﾞｷﾞﾊﾟｳﾞ" },
        { u8"がぱ", u8"ｶﾞﾊﾟ" },
        { u8"「ー」、。・", u8"｢ｰ｣､｡･" },
        { u8"ゐヰヶ", u8"ヰヰヶ" },
        { u8"ｶﾞ漢字ABC", u8"ｶﾞ漢字ABC" },
        { u8"（Ｘ＝１）", u8"(X=1)" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(FoldToHalfWidthKatakana(sj(c.text)), sj(c.expected)) << SjisToUtf8(sj(c.text));
}

TEST(KanaFold, KeepsTrailBytesAndCutOffCharacters)
{
    // "モ" is 0x83 0x82; the bytes 0x82 0x60 after its lead byte would read
    // as full-width "Ａ" to a fold that lost the character boundaries.
    EXPECT_EQ(FoldToHalfWidthKatakana("\x83\x82\x60"), "\xD3\x60");
    EXPECT_EQ(FoldToHalfWidthKatakana("x\x82"), "x\x82");
    EXPECT_EQ(FoldToHalfWidthKatakana(""), "");
}
