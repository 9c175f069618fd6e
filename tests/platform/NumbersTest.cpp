#include "platform/Errors.h"
#include "platform/Numbers.h"
#include "tests/support/TempDir.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <locale.h>

TEST(Numbers, IntegerTexts)
{
    struct Case {
        const char* text;
        bool valid;
        int value;
    };
    const Case cases[] = {
        { "0", true, 0 }, { "42", true, 42 }, { "-42", true, -42 }, { "+7", true, 7 },
        { "  12", true, 12 }, { "2147483647", true, 2147483647 }, { "-2147483648", true, -2147483647 - 1 },
        { "0x1F", true, 31 }, { "$ff", true, 255 }, { "0xFFFFFFFF", true, -1 }, { "0x80000000", true, -2147483647 - 1 },
        { "2147483648", false, 0 }, { "0x100000000", false, 0 }, { "", false, 0 }, { "-", false, 0 },
        { "0x", false, 0 }, { "12 ", false, 0 }, { "1.5", false, 0 }, { "abc", false, 0 }, { "0x0x1", false, 0 },
    };
    for (const auto& c : cases) {
        int value = 99;
        EXPECT_EQ(TryStrToInt(c.text, value), c.valid) << c.text;
        if (c.valid) {
            EXPECT_EQ(value, c.value) << c.text;
            EXPECT_EQ(StrToInt(c.text), c.value);
        } else {
            EXPECT_THROW(StrToInt(c.text), ConvertError) << c.text;
            EXPECT_EQ(StrToIntDef(c.text, -9), -9) << c.text;
        }
    }
}

TEST(Numbers, RealTexts)
{
    struct Case {
        const char* text;
        bool valid;
        double value;
    };
    const Case cases[] = {
        { "1.5", true, 1.5 }, { "-0.25", true, -0.25 }, { "+3", true, 3 }, { " 2 ", true, 2 },
        { "1.", true, 1 }, { ".5", true, 0.5 }, { "1e3", true, 1000 }, { "1.5E-2", true, 0.015 },
        { "1e-400", true, 0 }, { "", false, 0 }, { ".", false, 0 }, { "1,5", false, 0 }, { "1e", false, 0 },
        { "abc", false, 0 }, { "nan", false, 0 }, { "inf", false, 0 }, { "1e400", false, 0 }, { "1.2.3", false, 0 },
    };
    for (const auto& c : cases) {
        double value = 99;
        EXPECT_EQ(TryTextToFloat(c.text, value), c.valid) << c.text;
        if (c.valid)
            EXPECT_EQ(value, c.value) << c.text;
        else
            EXPECT_THROW(StrToFloat(c.text), ConvertError) << c.text;
    }
}

TEST(Numbers, GeneralFloatFormat)
{
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {
        { 0, "0" }, { -0.0, "0" }, { 1, "1" }, { -2.5, "-2.5" }, { 0.1 + 0.2, "0.3" }, { 100, "100" },
        { 123456789012345, "123456789012345" }, { 1e15, "1E15" }, { 1.5e20, "1.5E20" }, { 0.0001, "0.0001" },
        { 0.00001, "0.00001" }, { 0.000001, "1E-6" }, { -1.25e-7, "-1.25E-7" }, { 1.0 / 3, "0.333333333333333" },
        { 2.0 / 3, "0.666666666666667" }, { 1234.5678, "1234.5678" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(FloatToStrGeneral(c.value), c.text) << c.value;
    EXPECT_EQ(FloatToStrGeneral(NAN), "NAN");
    EXPECT_EQ(FloatToStrGeneral(-INFINITY), "-INF");
}

// The status bar's magnification and axis angle: five digits, exponents of
// at least two.
TEST(Numbers, GeneralFloatFormatWithPrecision)
{
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {
        { 0.3, "0.3" }, { 0.123456, "0.12346" }, { 12345.4, "12345" }, { 123456, "1.2346E05" },
        { 99999.7, "1E05" }, { 0.0000012345, "1.2345E-06" }, { -45.5, "-45.5" }, { 0, "0" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(FloatToStrGeneral(c.value, 5, 2), c.text) << c.value;
}

TEST(Numbers, GeneralFloatFormatRoundTripsFifteenDigits)
{
    for (double value : { 3.14159265358979, -1234567.125, 0.000123456789012345, 98765.4321e10 }) {
        double back = 0;
        ASSERT_TRUE(TryTextToFloat(FloatToStrGeneral(value), back));
        EXPECT_NEAR(back, value, std::abs(value) * 1e-14);
    }
}

// The GUI library sets the user's locale; a decimal comma must not leak into
// our texts. Only the number category matters, so when the system has no
// comma locale installed the test compiles one of that category alone (a few
// milliseconds, where a whole locale takes seconds).
TEST(Numbers, FormattingIgnoresTheProcessLocale)
{
    TempDir dir;
    locale_t comma = newlocale(LC_NUMERIC_MASK, "de_DE.UTF-8", static_cast<locale_t>(nullptr));
    if (!comma) {
        const auto definition = dir.Write("comma.def", "LC_NUMERIC\ndecimal_point \",\"\nthousands_sep \".\"\n"
                                                       "grouping 3;3\nEND LC_NUMERIC\n");
        const std::string command = "localedef -c -i '" + definition.string() + "' '" + dir.File("comma").string()
            + "' >/dev/null 2>&1";
        // localedef warns (and fails) about the categories left out, but
        // writes the one defined.
        static_cast<void>(std::system(command.c_str()));
        setenv("LOCPATH", dir.Path().c_str(), 1);
        comma = newlocale(LC_NUMERIC_MASK, "comma", static_cast<locale_t>(nullptr));
        unsetenv("LOCPATH");
    }
    if (!comma)
        GTEST_SKIP() << "no locale with a decimal comma can be made here";
    const locale_t previous = uselocale(comma);
    char raw[32];
    std::snprintf(raw, sizeof raw, "%.1f", 1.5);
    const std::string formatted = StringPrintf("%.1f|%s", 1.5, FloatToStrGeneral(2.25).c_str());
    double parsed = 0;
    const bool parsed_ok = TryTextToFloat("3.75", parsed);
    uselocale(previous);
    freelocale(comma);
    EXPECT_STREQ(raw, "1,5") << "the locale under test uses a decimal comma";
    EXPECT_EQ(formatted, "1.5|2.25");
    EXPECT_TRUE(parsed_ok);
    EXPECT_EQ(parsed, 3.75);
}

TEST(Numbers, PrintfCountsBytes)
{
    EXPECT_EQ(StringPrintf("[%6s]", "\x95\x5C"), "[    \x95\x5C]");
    EXPECT_EQ(StringPrintf("%s", std::string(1000, 'x').c_str()).size(), 1000u);
    EXPECT_EQ(StringPrintf("%s", ""), "");
}
