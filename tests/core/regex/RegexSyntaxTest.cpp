#include "core/regex/IgnoreCase.h"
#include "core/regex/Pattern.h"
#include "core/regex/Scanner.h"
#include "core/regex/Standardize.h"
#include "core/regex/WchRanges.h"
#include "platform/ShiftJis.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Kind = TbmRETokenKind;

TbmRETokens Scan(const std::string& pattern, bool use_meta_chars = true)
{
    TbmREScanner scanner(TbmCharCode::ShiftJis);
    scanner.SetText(pattern);
    scanner.SetUseMetaChars(use_meta_chars);
    TbmRETokens tokens;
    tokens.Scan(scanner);
    return tokens;
}

// The tokens as text: a character as itself, a range as "x-y", any other
// token as "<kind number>".
std::string Show(const TbmRETokens& tokens)
{
    std::string text;
    for (const TbmREToken& token : tokens) {
        if (token.kind == Kind::Character)
            text += token.lo < 0x100 ? std::string(1, static_cast<char>(token.lo)) : "#";
        else if (token.kind == Kind::CharacterClass)
            text += std::to_string(token.lo) + "-" + std::to_string(token.hi);
        else
            text += "<" + std::to_string(static_cast<int>(token.kind)) + ">";
        text += " ";
    }
    return text;
}

std::vector<TbmREWchRange> Ranges(std::initializer_list<std::pair<int, int>> added)
{
    TbmREWchRanges ranges;
    for (const auto& [lo, hi] : added)
        ranges.Add(lo, hi);
    return ranges.Entries();
}

} // namespace

TEST(RegexSyntax, ScansOperatorsClassesAndEscapes)
{
    EXPECT_EQ(Show(Scan("a|b*(c)+?.^$")), "a <2> b <5> <3> c <4> <6> <7> <11> <12> <13> <14> ");
    EXPECT_EQ(Show(Scan("{}/&!-],")), "{ } / & ! - ] , <14> ");
    EXPECT_EQ(Show(Scan("\\.\\[\\x41\\n")), ". [ A \n <14> ");
    EXPECT_EQ(Show(Scan("[]a]")), "<8> ] a <10> <14> ") << "a ] right after [ is a member";
    EXPECT_EQ(Show(Scan("[^]]")), "<9> ] <10> <14> ");
    EXPECT_EQ(Show(Scan("[a-]")), "<8> a - <10> <14> ");
    EXPECT_EQ(Show(Scan("[-a]")), "<8> - a <10> <14> ");
    EXPECT_EQ(Show(Scan("[a-c\\]-\\x7E]")), "<8> 97-99 93-126 <10> <14> ");
    EXPECT_EQ(Show(Scan("a.\\(", false)), "a . \\ ( <14> ") << "without metacharacters all is literal";

    const TbmRETokens tokens = Scan(sj(u8"[ぁ-ん]"));
    EXPECT_EQ(tokens[1].kind, Kind::CharacterClass);
    EXPECT_EQ(tokens[1].lo, 0x829F);
    EXPECT_EQ(tokens[1].hi, 0x82F1);
    EXPECT_EQ(tokens[1].start, 1);
    EXPECT_EQ(tokens[1].end, 6);
}

TEST(RegexSyntax, PatternErrorsNameTheTokenKind)
{
    struct Case {
        const char* pattern;
        Kind kind;
        const char* message;
        int start;
        int end;
    };
    const Case cases[] = {
        { "a**", Kind::NeedOperand, "need normal char or left parenthesis", 2, 3 },
        { "*a", Kind::NeedOperand, "need normal char or left parenthesis", 0, 1 },
        { "a|+", Kind::NeedOperand, "need normal char or left parenthesis", 2, 3 },
        { "(a", Kind::NeedRightParenthesis, "need right parenthesis", 2, 2 },
        { "a)", Kind::InvalidCharacter, "invalid character", 1, 2 },
        { "[ab", Kind::NeedRightBracket, "need right bracket \"]\" ", 3, 3 },
        { "[z-a]", Kind::InvalidCharacterClass, "invalid character class", 1, 4 },
        { "a\\", Kind::InvalidEscapeSequence, "invalid escape sequence", 1, 2 },
        { "\\xq", Kind::InvalidEscapeSequence, "invalid escape sequence", 0, 2 },
        { "[a\\x]", Kind::InvalidEscapeSequence, "invalid escape sequence", 2, 4 },
    };
    for (const Case& c : cases) {
        TbmRExp pattern;
        pattern.SetPattern(c.pattern);
        try {
            pattern.Compile();
            ADD_FAILURE() << c.pattern << " compiles";
        } catch (const EbmREToken& error) {
            EXPECT_EQ(error.Token().kind, c.kind) << c.pattern;
            EXPECT_STREQ(error.what(), c.message) << c.pattern;
            EXPECT_EQ(error.Token().start, c.start) << c.pattern;
            EXPECT_EQ(error.Token().end, c.end) << c.pattern;
        }
    }
    for (const char* valid : { "", "a|", "|", "()", "(|a)", "]", "a{2}", "[]]", "a^b$c" }) {
        TbmRExp pattern;
        pattern.SetPattern(valid);
        EXPECT_NO_THROW(pattern.Compile()) << valid;
    }
}

TEST(RegexSyntax, PartitionKeepsRunsOfTheSameCover)
{
    using R = TbmREWchRange;
    EXPECT_EQ(Ranges({ { 1, 5 }, { 8, 10 }, { 3, 9 } }),
              (std::vector<R> { { 1, 2 }, { 3, 5 }, { 6, 7 }, { 8, 9 }, { 10, 10 } }));
    EXPECT_EQ(Ranges({ { 0, 10 }, { 5, 5 }, { 5, 5 } }), (std::vector<R> { { 0, 4 }, { 5, 5 }, { 6, 10 } }));
    EXPECT_EQ(Ranges({ { 5, 9 }, { 0, 3 }, { 0, 0xFFFF } }),
              (std::vector<R> { { 0, 3 }, { 4, 4 }, { 5, 9 }, { 10, 0xFFFF } }));
    EXPECT_EQ(Ranges({ { 3, 2 } }), std::vector<R> {});

    TbmREWchRanges ranges;
    ranges.Add(3, 5);
    ranges.Add(8, 8);
    ranges.Invert(0, 10);
    EXPECT_EQ(ranges.Entries(), (std::vector<R> { { 0, 2 }, { 6, 7 }, { 9, 10 } }));
    ranges.Clear();
    ranges.Invert(0, 10);
    EXPECT_EQ(ranges.Entries(), (std::vector<R> { { 0, 10 } }));
}

TEST(RegexSyntax, StandardizeRewritesNegatedClasses)
{
    TbmRETokens tokens = Scan("[^xa-z]");
    TbmREWchRanges partition;
    Standardize(tokens, partition);
    EXPECT_EQ(Show(tokens), "<8> 0-9 11-12 14-96 123-65535 <10> <14> ");
    EXPECT_EQ(tokens[1].start, 2);
    EXPECT_EQ(tokens[4].end, 6) << "members end where the \"]\" begins";
    EXPECT_EQ(tokens[5].kind, Kind::RightBracket);

    tokens = Scan("[^\\x0-\\xFFFF]");
    Standardize(tokens, partition);
    EXPECT_EQ(Show(tokens), "<8> <10> <14> ") << "nothing is left; the class matches no character";
}

TEST(RegexSyntax, IgnoreCaseRewritesLettersOutsideClasses)
{
    TbmRETokens tokens = Scan("Ab[c]1" + sj(u8"ａ"));
    TbmRETokens filtered;
    TbmREAsciiIgnoreCaseDic filter;
    filter.Apply(tokens, filtered);
    EXPECT_TRUE(tokens.empty());
    EXPECT_EQ(Show(filtered), "<3> A <2> a <4> <3> b <2> B <4> <8> c <10> 1 # <14> ");
    EXPECT_EQ(filtered[3].start, 0);
    EXPECT_EQ(filtered[3].end, 1);
}
