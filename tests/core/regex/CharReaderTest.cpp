#include "core/regex/CharReader.h"
#include "platform/Errors.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<int> ReadAll(TbmWchReader& reader)
{
    std::vector<int> codes;
    for (int code = reader.ReadChar(); code != kEndOfText; code = reader.ReadChar())
        codes.push_back(code);
    return codes;
}

std::unique_ptr<TbmWchReader> ReaderOf(TbmCharCode char_code, const std::string& text)
{
    std::unique_ptr<TbmWchReader> reader = CreateReader(char_code);
    reader->SetText(text);
    return reader;
}

} // namespace

TEST(RegexCharCode, LeadBytesAndCodePages)
{
    EXPECT_TRUE(IsSJISLeadByte(0x81));
    EXPECT_FALSE(IsSJISLeadByte(0xA0));
    EXPECT_TRUE(IsSJISLeadByte(0xFC));
    EXPECT_TRUE(IsEUCJPLeadByte(0x8E));
    EXPECT_FALSE(IsEUCJPLeadByte(0x8F));
    EXPECT_TRUE(IsEUCJPLeadByte(0xFE));
    EXPECT_EQ(bmccCodePage2CharCode(932), TbmCharCode::ShiftJis);
    EXPECT_EQ(bmccCodePage2CharCode(1200), TbmCharCode::Utf16);
    EXPECT_EQ(bmccCodePage2CharCode(1252), TbmCharCode::SingleByte);
    EXPECT_THROW(bmccCodePage2CharCode(65001), ZuviewError);
    EXPECT_THROW(bmccGetIsLeadByteFunc(TbmCharCode::Utf16), ZuviewError);
    EXPECT_EQ(DefaultCharCode(), TbmCharCode::ShiftJis);
    EXPECT_EQ(CreateReader(TbmCharCode::Jis), nullptr);
}

TEST(RegexCharCode, TrailBytesAndCharacterCounts)
{
    // "亜" 0x88 0x9F has a trail byte in the lead range; "a"; a lone lead byte.
    const unsigned char text[] = { 0x88, 0x9F, 0x88, 0x9F, 'a', 0x82 };
    EXPECT_TRUE(IsMBCSTrailByte(text, text + 1, IsSJISLeadByte));
    EXPECT_FALSE(IsMBCSTrailByte(text, text + 2, IsSJISLeadByte));
    EXPECT_TRUE(IsMBCSTrailByte(text, text + 3, IsSJISLeadByte));
    EXPECT_EQ(CountMBCSChars(text, text + 6, IsSJISLeadByte), 4);
    EXPECT_EQ(CountMBCSChars(text, text + 6, IsNoLeadByte), 6);
    const unsigned char with_zero[] = { 'a', 0, 'b' };
    EXPECT_EQ(CountMBCSChars(with_zero, with_zero + 3, IsSJISLeadByte), -1);
}

TEST(RegexCharReader, ReadsAndStepsBackOverDoubleByteCharacters)
{
    auto reader = ReaderOf(TbmCharCode::ShiftJis, "\x82\xA0" "a");  // "あa"
    EXPECT_EQ(reader->ReadChar(), 0x82A0);
    EXPECT_EQ(reader->GetCharIndex(), 1);
    EXPECT_EQ(reader->ReadChar(), 'a');
    EXPECT_EQ(reader->ReadChar(), kEndOfText);
    EXPECT_EQ(reader->ReadChar(), kEndOfText) << "every read at the end returns -1";
    EXPECT_TRUE(reader->StepBack());
    EXPECT_EQ(reader->GetPosition(), 3) << "one step back undoes the reads at the end";
    EXPECT_TRUE(reader->StepBack());
    EXPECT_TRUE(reader->StepBack());
    EXPECT_EQ(reader->GetPosition(), 0);
    EXPECT_FALSE(reader->StepBack());

    reader->SetText("\x88\x9F\x88\x9F");  // trail bytes in the lead range
    reader->SetPosition(4);
    EXPECT_TRUE(reader->StepBack());
    EXPECT_EQ(reader->GetPosition(), 2);
    EXPECT_EQ(reader->ReadChar(), 0x889F);
}

TEST(RegexCharReader, LeadByteAtTheEndStandsAlone)
{
    // The trail byte is missing: the reader must neither read past the text
    // nor move beyond its end.
    const char buffer[] = { 'a', '\x82', '\x41' };
    auto reader = CreateReader(TbmCharCode::ShiftJis);
    reader->SetTextBuff(buffer, 2);
    EXPECT_EQ(reader->ReadChar(), 'a');
    EXPECT_EQ(reader->ReadChar(), 0x82);
    EXPECT_EQ(reader->GetPosition(), 2);
    EXPECT_EQ(reader->ReadChar(), kEndOfText);
    EXPECT_TRUE(reader->StepBack());
    EXPECT_TRUE(reader->StepBack());
    EXPECT_EQ(reader->GetPosition(), 1);
    EXPECT_EQ(reader->GetCharIndex(), 1);
}

TEST(RegexCharReader, EscapeSequences)
{
    struct Case {
        const char* text;
        int code;
        int next;  // the character read after the escape
    };
    const Case cases[] = {
        { "x41z", 0x41, 'z' },      { "x4142", 0x4142, kEndOfText }, { "x41423", 0x4142, '3' },
        { "xg", -1, 'g' },          { "x", -1, kEndOfText },         { "101", 65, kEndOfText },
        { "777777", 077777, '7' },  { "177777", 0xFFFF, kEndOfText }, { "n", 10, kEndOfText },
        { "t.", 9, '.' },           { "\\", '\\', kEndOfText },       { "\x82\xA0", 0x82A0, kEndOfText },
        { "", -1, kEndOfText },
    };
    for (const Case& c : cases) {
        auto reader = ReaderOf(TbmCharCode::ShiftJis, c.text);
        EXPECT_EQ(reader->ReadEscape(), c.code) << c.text;
        EXPECT_EQ(reader->ReadChar(), c.next) << c.text;
    }

    auto single_byte = ReaderOf(TbmCharCode::SingleByte, "377");
    EXPECT_EQ(single_byte->ReadEscape(), 255);
    single_byte->SetText("477");
    EXPECT_EQ(single_byte->ReadEscape(), 047);
    EXPECT_EQ(single_byte->ReadChar(), '7');
    single_byte->SetText("x414");
    EXPECT_EQ(single_byte->ReadEscape(), 0x41);
    EXPECT_EQ(single_byte->ReadChar(), '4');
}

TEST(RegexCharReader, DecodesAndEscapesText)
{
    auto reader = ReaderOf(TbmCharCode::ShiftJis, "a\\tb\\x82A0\\");
    EXPECT_EQ(reader->DecodeEscapes(), "a\tb\x82\xA0") << "a backslash at the end ends the decoding";
    EXPECT_EQ(reader->CharToEscapedText(9), "\\t");
    EXPECT_EQ(reader->CharToEscapedText(0x41), "\\x41");
    EXPECT_EQ(reader->CharToEscapedText(0x82A0), "\\x82A0");

    TbmUniCodeReader unicode;
    EXPECT_EQ(unicode.CharToText(0x3042), std::string("\x42\x30", 2));
    EXPECT_EQ(unicode.CharToEscapedText(9), std::string("\\\0t\0", 4));
}

TEST(RegexCharReader, Utf16ReadsUnitsAndRefusesOddLengths)
{
    TbmUniCodeReader reader;
    reader.SetText(std::string("a\0\x42\x30", 4));
    EXPECT_EQ(ReadAll(reader), (std::vector<int> { 'a', 0x3042 }));
    EXPECT_EQ(reader.GetPosition(), 6);
    EXPECT_TRUE(reader.StepBack());
    EXPECT_EQ(reader.GetPosition(), 4);

    EXPECT_THROW(reader.SetText("abc"), ZuviewError);
    EXPECT_THROW(reader.SetTextBuff("abc", 3), ZuviewError);
    reader.Reset();
    EXPECT_EQ(ReadAll(reader), (std::vector<int> { 'a', 0x3042 })) << "the previous text stays";
}

TEST(RegexCharReader, PositionsOutsideTheTextAreClamped)
{
    auto reader = ReaderOf(TbmCharCode::ShiftJis, "ab");
    reader->SetPosition(100);
    EXPECT_EQ(reader->ReadChar(), kEndOfText);
    EXPECT_TRUE(reader->StepBack());
    EXPECT_EQ(reader->GetPosition(), 2);
    reader->SetPosition(-5);
    EXPECT_EQ(reader->ReadChar(), 'a');
    reader->SetTextBuff(nullptr, 10);
    EXPECT_EQ(reader->ReadChar(), kEndOfText);
}
