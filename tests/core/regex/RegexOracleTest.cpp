// The engine against the brute-force oracle on random patterns and texts over
// a small alphabet: "a", "b", "A", a double-byte character, line breaks, the
// characters "^" and "$", and a lone lead byte (which pairs with whatever
// byte follows it, or stands alone at the end).
#include "core/regex/Pattern.h"
#include "platform/ShiftJis.h"
#include "tests/core/regex/RegexOracle.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

const std::string kA = "\x82\xA0";  // "あ"

class RandomCases {
public:
    explicit RandomCases(unsigned seed) : random_(seed) { }

    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    bool OneIn(int n) { return Below(n) == 0; }

    template <std::size_t N>
    const std::string& Pick(const std::string (&choices)[N])
    {
        return choices[Below(static_cast<int>(N))];
    }

    std::string Text()
    {
        static const std::string pieces[] = { "a", "b", "A", kA, "\r", "\n", "^", "$", "a", "b", "\x82" };
        std::string text;
        for (int n = OneIn(8) ? Below(31) : Below(9); n > 0; --n)
            text += Pick(pieces);
        return text;
    }

    // Random token soup: mostly invalid patterns, to check that the engine
    // and the oracle refuse the same ones.
    std::string Soup()
    {
        static const std::string pieces[] = { "a", "b", "A", kA, ".", "^", "$", "|", "(", ")", "*", "+", "?", "[",
                                              "[^", "]", "-", "\\", "\\n", "\r", "\n", "\x82", "\\x41", "\\101" };
        std::string pattern;
        for (int n = Below(9); n > 0; --n)
            pattern += Pick(pieces);
        return pattern;
    }

    // A pattern built from the grammar, so that it is usually valid.
    std::string Expression(int depth)
    {
        std::string expression = Sequence(depth);
        while (OneIn(4))
            expression += "|" + Sequence(depth);
        return expression;
    }

private:
    std::string Sequence(int depth)
    {
        std::string sequence;
        for (int n = Below(4); n > 0; --n) {
            sequence += Atom(depth);
            static const std::string postfix[] = { "", "", "", "*", "+", "?" };
            sequence += Pick(postfix);
        }
        return sequence;
    }

    std::string Atom(int depth)
    {
        static const std::string literals[] = { "a", "b", "A", kA, ".", "^", "$", "\\n", "\\r", "\\.", "\\x62" };
        const int choice = Below(10);
        if (choice < 6 || depth == 0)
            return Pick(literals);
        if (choice < 8)
            return "(" + Expression(depth - 1) + ")";
        return Class();
    }

    std::string Class()
    {
        static const std::string members[] = { "a", "b", "A", kA, "\\n", "-", "]", "a-b", "^", "$", "\r", "\\x00-\\xFFFF" };
        std::string text = OneIn(2) ? "[^" : "[";
        for (int n = 1 + Below(3); n > 0; --n)
            text += Pick(members);
        return text + "]";
    }

    std::mt19937 random_;
};

std::string Describe(const std::string& pattern, const std::string& text, int start, bool meta, bool ignore_case)
{
    std::string out = "pattern \"";
    for (const char c : pattern + "\" text \"" + text)
        out += c == '\r' ? std::string("\\r") : c == '\n' ? std::string("\\n") : std::string(1, c);
    return out + "\" start " + std::to_string(start) + (meta ? "" : " literal") + (ignore_case ? " ignore-case" : "");
}

} // namespace

TEST(RegexOracle, LineHeadAnchorHoldsAtEveryLineHeadInsideAMatch)
{
    struct Case {
        std::string pattern;
        std::string text;
        int start;
        int offset;  // 0-based, -1 for no match
        int length;
    };
    const Case cases[] = {
        { "(^\n)+", "\n\n", 0, 0, 2 },
        { "(^a\n)+", "a\na\nb", 0, 0, 4 },
        { "(^a\n)+", "a\na\n", 2, 2, 2 },
        { "(^ab|\n)+", "ab\nab\nxab", 0, 0, 6 },
        // The "^" is reached after a line feed that another part consumed.
        { "[x\n]*^y", "x\ny", 0, 0, 3 },
        { "x*^y", "xy", 0, -1, 0 },
        // After an ordinary character a "^" still fails inside a match.
        { "(^a|b)+", "ba", 0, 0, 1 },
        { "(^a|b|\n)+", "b\na", 0, 0, 3 },
        { "(^a|^\n)+", "a\n\na", 0, 0, 1 },
        { "(^a|^\n)+", "\n\na", 0, 0, 3 },
        // Between a carriage return and its line feed is no line head; a lone
        // carriage return ends a line.
        { "(^a\r?\n?)+", "a\r\na", 0, 0, 4 },
        { "(^a\r?\n?)+", "a\ra", 0, 0, 3 },
        { "(^a\r?)+", "a\r\na", 0, 0, 2 },
        { "(^\n|\r)+", "\r\n", 0, 0, 1 },
        { "(^\r|\n)+", "\r\n\r", 0, 0, 3 },
        // A "^" that cannot begin a match is the character itself.
        { "\n^b", "\nb", 0, -1, 0 },
        { "\n^b", "\n^b", 0, 0, 3 },
    };
    for (const Case& c : cases) {
        const std::string what = Describe(c.pattern, c.text, c.start, true, false);
        const OracleResult expected = OracleMatch(c.pattern, c.text, c.start, true, false);
        EXPECT_EQ(expected.offset, c.offset) << what << ": oracle";
        EXPECT_EQ(expected.length, c.length) << what << ": oracle";

        TbmRExp engine;
        engine.SetPattern(c.pattern);
        int length = -1;
        int position = -1;
        EXPECT_EQ(engine.Match(c.text, c.start + 1, length, position) - 1, c.offset) << what;
        EXPECT_EQ(length, c.length) << what;
    }
}

TEST(RegexOracle, EngineAgreesWithTheBruteForceOracle)
{
    RandomCases random(20240611);
    int compared = 0;
    int matched = 0;
    for (int round = 0; round < 3000; ++round) {
        const std::string pattern = round % 3 == 0 ? random.Soup() : random.Expression(2);
        const bool meta = !random.OneIn(8);
        const bool ignore_case = random.OneIn(4);
        TbmRExp engine;
        engine.SetPattern(pattern);
        engine.SetOption(TbmRExp::kUseMetaChars, meta);
        engine.SetOption(TbmRExp::kIgnoreCase, ignore_case);

        for (int t = 0; t < 8; ++t) {
            const std::string text = random.Text();
            // A start at a character boundary, or at the end.
            std::vector<int> boundaries;
            for (std::size_t i = 0; i < text.size(); i += CharLengthAt(text, i))
                boundaries.push_back(static_cast<int>(i));
            boundaries.push_back(static_cast<int>(text.size()));
            const int start = t < 4 ? 0 : boundaries[static_cast<std::size_t>(random.Below(static_cast<int>(boundaries.size())))];

            const OracleResult expected = OracleMatch(pattern, text, start, meta, ignore_case);
            const std::string what = Describe(pattern, text, start, meta, ignore_case);
            int length = -1;
            int position = -1;
            try {
                const int result = engine.Match(text, start + 1, length, position);
                ASSERT_TRUE(expected.valid) << what << ": the engine accepts a pattern the oracle refuses";
                ASSERT_EQ(result - 1, expected.offset) << what;
                ASSERT_EQ(position, result) << what;
                ASSERT_EQ(length, expected.length) << what;
                matched += expected.offset >= 0;
            } catch (const EbmREToken& error) {
                ASSERT_FALSE(expected.valid) << what << ": the engine refuses it with \"" << error.what() << "\"";
            }
            ++compared;
            if (!expected.valid)
                break;  // one text is enough for a refused pattern
        }
    }
    // The generator must keep producing matches and refusals alike.
    EXPECT_GT(compared, 10000);
    EXPECT_GT(matched, 3000);
}
