#include "core/regex/Pattern.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

// The kind of the pattern error that compiling raises, or End when it
// compiles.
TbmRETokenKind CompileError(const std::string& pattern_text)
{
    TbmRExp pattern;
    pattern.SetPattern(pattern_text);
    try {
        pattern.Compile();
    } catch (const EbmREToken& error) {
        return error.Token().kind;
    }
    return TbmRETokenKind::End;
}

std::string Repeat(const std::string& piece, int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += piece;
    return text;
}

} // namespace

TEST(RegexPattern, CompilesOncePerChange)
{
    TbmRExp pattern;
    EXPECT_EQ(pattern.GetCharCode(), TbmCharCode::ShiftJis);
    EXPECT_TRUE(pattern.GetOption(TbmRExp::kUseMetaChars));
    EXPECT_FALSE(pattern.GetOption(TbmRExp::kIgnoreCase));

    pattern.SetPattern("ab");
    pattern.Compile();
    EXPECT_TRUE(pattern.IsCompiled());
    pattern.SetPattern("ab");
    pattern.SetOption(TbmRExp::kIgnoreCase, false);
    pattern.SetOption(7, true);
    pattern.SetCharCode(TbmCharCode::ShiftJis);
    EXPECT_TRUE(pattern.IsCompiled()) << "nothing changed";

    pattern.SetOption(TbmRExp::kIgnoreCase, true);
    EXPECT_FALSE(pattern.IsCompiled());
    int length = 0;
    int position = 0;
    EXPECT_EQ(pattern.Match("xAB", 1, length, position), 2);
    EXPECT_TRUE(pattern.IsCompiled());
    pattern.SetPattern("abc");
    EXPECT_FALSE(pattern.IsCompiled());
}

TEST(RegexPattern, AnInvalidPatternRaisesUntilItIsChanged)
{
    TbmRExp pattern;
    pattern.SetPattern("(a");
    int length = 0;
    int position = 0;
    for (int i = 0; i < 2; ++i)
        EXPECT_THROW(
            {
                try {
                    pattern.Match("a", 1, length, position);
                } catch (const EbmREToken& error) {
                    EXPECT_STREQ(error.what(), "need right parenthesis");
                    throw;
                }
            },
            EbmREToken);
    EXPECT_FALSE(pattern.IsCompiled());
    EXPECT_EQ(pattern.GetPattern(), "(a");
    pattern.SetPattern("(a)");
    EXPECT_EQ(pattern.Match("ba", 1, length, position), 2);
}

TEST(RegexPattern, FollowposAutomatonIsSmall)
{
    // The classic example: four states, one of them accepting.
    TbmRExp pattern;
    pattern.SetPattern("(a|b)*abb");
    EXPECT_EQ(pattern.Compile().StateCount(), 4u);
    pattern.SetPattern("[a-z]+|[0-9]+");
    EXPECT_EQ(pattern.Compile().StateCount(), 3u);
}

TEST(RegexPattern, NestingAndSizeAreLimited)
{
    EXPECT_EQ(CompileError(Repeat("(", 1000) + "a" + Repeat(")", 1000)), TbmRETokenKind::End);
    EXPECT_EQ(CompileError(Repeat("(", 1001) + "a" + Repeat(")", 1001)), TbmRETokenKind::NestedTooDeeply);
    EXPECT_EQ(CompileError(Repeat("(", 100000)), TbmRETokenKind::NestedTooDeeply);

    // 2^n states: refused quickly once past the limit, fine below it.
    const auto begin = std::chrono::steady_clock::now();
    EXPECT_EQ(CompileError("(a|b)*a" + Repeat("(a|b)", 30)), TbmRETokenKind::TooComplex);
    EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(2));
    TbmRExp pattern;
    pattern.SetPattern("(a|b)*a" + Repeat("(a|b)", 8));
    int length = 0;
    int position = 0;
    EXPECT_EQ(pattern.Match("bbbabababababab", 1, length, position), 1);
    EXPECT_EQ(length, 14) << "the last \"a\" with eight characters after it is at offset 5";

    // Every leaf follows every later one: the position sets grow with the
    // square of the pattern.
    EXPECT_EQ(CompileError(Repeat("a?", 4000)), TbmRETokenKind::TooComplex);

    // A long word list stays well within the limits.
    std::string words;
    for (int i = 0; i < 2000; ++i)
        words += (i ? "|w" : "w") + std::to_string(i * 7919);
    pattern.SetPattern(words);
    EXPECT_EQ(pattern.Match("xx w15838 yy", 1, length, position), 4);
    EXPECT_EQ(length, 6);
}
