#include "core/regex/Pattern.h"
#include "core/regex/Search.h"
#include "platform/ShiftJis.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

struct Found {
    int position;
    int length;
    bool operator==(const Found&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Found& found)
{
    return out << "{" << found.position << ", " << found.length << "}";
}

Found Match(TbmRExp& pattern, const std::string& text, int start = 1)
{
    int length = -1;
    int position = -1;
    const int result = pattern.Match(text, start, length, position);
    EXPECT_EQ(result, position);
    return { result, length };
}

Found Match(const std::string& pattern_text, const std::string& text, int start = 1)
{
    TbmRExp pattern;
    pattern.SetPattern(pattern_text);
    return Match(pattern, text, start);
}

} // namespace

TEST(RegexMatch, LeftmostLongestWithAnchorsAndDoubleByteCharacters)
{
    struct Case {
        std::string pattern;
        std::string text;
        int start;
        Found expected;  // 1-based position, byte length
    };
    const Case cases[] = {
        { "b+", "aabbbc", 1, { 3, 3 } },
        { "a|ab", "xab", 1, { 2, 2 } },
        { "a*", "baa", 1, { 1, 0 } },
        { "a*", "baa", 2, { 2, 2 } },
        { "", "abc", 2, { 2, 0 } },
        { "", "abc", 4, { 4, 0 } },
        { "b", "abc", 1, { 2, 1 } },
        { "b", "abc", 3, { 0, 0 } },
        { "a|b*c", "xbbc", 1, { 2, 3 } },
        { "ab+", "abab", 1, { 1, 2 } },
        { "x(ab)?y", "xy", 1, { 1, 2 } },
        { "^b", "ab\nb", 1, { 4, 1 } },
        { "^b", "a\r\nb", 1, { 4, 1 } },
        { "^\nb", "a\r\nb", 1, { 0, 0 } },
        { "^b", "a\rb", 1, { 3, 1 } },
        { "^b", "b", 1, { 1, 1 } },
        { "^b", "ab", 2, { 0, 0 } },
        { "^b", "\nb", 2, { 2, 1 } },
        { "a$", "ab\na", 1, { 4, 1 } },
        { "a$", "a\r\n", 1, { 1, 1 } },
        { "^$", "x\n\ny", 1, { 3, 0 } },
        { "(^\n)+", "\n\n", 1, { 1, 2 } },
        { "(^a\n)+", "a\na\nb", 1, { 1, 4 } },
        { "(^\n|\r)+", "\r\n", 1, { 1, 1 } },  // between a carriage return and its line feed is no line head
        { "(^a|b)+", "ba", 1, { 1, 1 } },
        { "a^b", "a^b", 1, { 1, 3 } },
        { "a$b", "a$b", 1, { 1, 3 } },
        { "^a|b", "ca cb", 1, { 5, 1 } },
        { "a$|b", "ab a", 1, { 2, 1 } },
        { "[]a]+", "x]a]", 1, { 2, 3 } },
        { "[^]]", "]\na", 1, { 3, 1 } },
        { "[a-]+", "x-a-", 1, { 2, 3 } },
        { "[^xa-z]", "xm\n0", 1, { 4, 1 } },
        { "[^xa-z]", "A", 1, { 1, 1 } },
        { "[^xa-z]", "{", 1, { 1, 1 } },
        { "[^\\x0-\\xFFFF]|b", "ab", 1, { 2, 1 } },
        { ".", "\r\n" + sj(u8"あ"), 1, { 3, 2 } },
        { sj(u8"い"), sj(u8"あい"), 1, { 3, 2 } },
        { sj(u8"う"), sj(u8"あいう"), 1, { 5, 2 } },
        { "\xA2", sj(u8"あい"), 1, { 0, 0 } },  // the trail byte 0xA2 alone is a half-width kana
        { sj(u8"[ぁ-ん]+"), sj(u8"アいろは亜"), 1, { 3, 6 } },
        { "\\x82A2", sj(u8"あい"), 1, { 3, 2 } },
    };
    for (const Case& c : cases)
        EXPECT_EQ(Match(c.pattern, c.text, c.start), c.expected) << c.pattern << " in " << c.text << " from " << c.start;
}

TEST(RegexMatch, Options)
{
    TbmRExp pattern;
    pattern.SetOption(TbmRExp::kUseMetaChars, false);
    pattern.SetPattern("a.c");
    EXPECT_EQ(Match(pattern, "abc a.c"), (Found { 5, 3 }));
    pattern.SetPattern("\\");
    EXPECT_EQ(Match(pattern, "a\\b"), (Found { 2, 1 }));

    pattern.SetOption(TbmRExp::kUseMetaChars, true);
    pattern.SetOption(TbmRExp::kIgnoreCase, true);
    pattern.SetPattern("abc");
    EXPECT_EQ(Match(pattern, "xABC"), (Found { 2, 3 }));
    EXPECT_EQ(Match(pattern, "aBc"), (Found { 1, 3 }));
    pattern.SetPattern("Ab[c]");
    EXPECT_EQ(Match(pattern, "aBC aBc"), (Found { 5, 3 })) << "letters in classes keep their case";
    pattern.SetPattern(sj(u8"ａ"));
    EXPECT_EQ(Match(pattern, sj(u8"Ａａ")), (Found { 3, 2 })) << "full-width letters keep their case";
}

TEST(RegexMatch, InvalidSearchArgumentsAreNoMatch)
{
    TbmRExp pattern;
    pattern.SetPattern("a*");
    EXPECT_EQ(Match(pattern, "aa", 0), (Found { 0, 0 }));
    EXPECT_EQ(Match(pattern, "aa", -2147483647 - 1), (Found { 0, 0 }));
    EXPECT_EQ(Match(pattern, "aa", 3), (Found { 3, 0 }));
    EXPECT_EQ(Match(pattern, "aa", 4), (Found { 0, 0 }));

    const TbmREDFATable& table = pattern.Compile();
    auto reader = CreateReader(TbmCharCode::ShiftJis);
    int length = -1;
    EXPECT_EQ(RegexSearch(nullptr, 2, 0, *reader, table, length), -1);
    EXPECT_EQ(length, 0);
    EXPECT_EQ(RegexSearch("aa", -1, 0, *reader, table, length), -1);
    EXPECT_EQ(RegexSearch("aa", 2, -1, *reader, table, length), -1);
    EXPECT_EQ(RegexSearch("aa", 2, 3, *reader, table, length), -1);
    EXPECT_EQ(RegexSearch("aa", 2, 0, *reader, TbmREDFATable {}, length), -1);
    EXPECT_EQ(RegexSearch("aa", 2, 0, *reader, table, length), 0);
    EXPECT_EQ(length, 2);
}

TEST(RegexMatch, LongTextsTakeLinearTime)
{
    // Every candidate start could scan to the end of the text: a search that
    // tried them one after another would take n² steps here.
    const std::string many_a(200000, 'a');
    const auto begin = std::chrono::steady_clock::now();
    EXPECT_EQ(Match("a*b", many_a), (Found { 0, 0 }));
    EXPECT_EQ(Match("(a|aa)*c|a+$x", many_a), (Found { 0, 0 }));
    EXPECT_EQ(Match("a*b", many_a + "b"), (Found { 1, 200001 }));
    EXPECT_EQ(Match("a(a|b)*b", "x" + many_a + "ab"), (Found { 2, 200002 }));
    EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(2));
}

TEST(RegexMatch, OtherCharCodes)
{
    TbmRExp pattern;
    pattern.SetCharCode(TbmCharCode::Utf16);
    pattern.SetPattern(std::string("\x44\x30+", 4));  // "い+"
    EXPECT_EQ(Match(pattern, std::string("\x42\x30\x44\x30\x44\x30", 6)), (Found { 3, 4 }));
    EXPECT_EQ(Match(pattern, std::string("\x42\x30\x44", 3)), (Found { 0, 0 })) << "an odd length splits a unit";
    EXPECT_EQ(Match(pattern, std::string("\x44\x30", 2), 2), (Found { 0, 0 })) << "so does an odd start";

    pattern.SetCharCode(TbmCharCode::EucJp);
    pattern.SetPattern("\xA4\xA4");  // "い" in EUC-JP
    EXPECT_EQ(Match(pattern, "a\xA4\xA2\xA4\xA4"), (Found { 4, 2 }));

    pattern.SetCharCode(TbmCharCode::SingleByte);
    pattern.SetPattern("\\xE9.");
    EXPECT_EQ(Match(pattern, "a\xE9\x82"), (Found { 2, 2 })) << "no lead bytes in single-byte text";

    pattern.SetCharCode(TbmCharCode::Jis);
    EXPECT_THROW(Match(pattern, "a"), ZuviewError);
}
