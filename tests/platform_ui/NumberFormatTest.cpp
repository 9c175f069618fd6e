// Numbers as the number edits show them, in fixed locales.

#include "platform/ui/NumberFormat.h"

#include <gtest/gtest.h>

TEST(NumberFormat, GroupingAndSeparatorsComeFromTheLocale)
{
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const QLocale german(QLocale::German, QLocale::Germany);
    struct Row {
        double value;
        int decimals;
        bool grouping;
        const char* in_english;
        const char* in_german;
    };
    const Row rows[] = {
        { 1234567, 0, true, "1,234,567", "1.234.567" },
        { 1234567, 0, false, "1234567", "1234567" },
        { 3.14159, 2, false, "3.14", "3,14" },
        { -1234.5, 2, true, "-1,234.50", "-1.234,50" },
        { 5, -3, false, "5", "5" }, // negative places: none
    };
    for (const Row& row : rows) {
        EXPECT_EQ(FormatLocaleNumber(row.value, row.decimals, row.grouping, english), row.in_english);
        EXPECT_EQ(FormatLocaleNumber(row.value, row.decimals, row.grouping, german), row.in_german);
    }
    EXPECT_EQ(FormatPlainNumber(0.1, english), "0.1");
    EXPECT_EQ(FormatPlainNumber(1234567.25, german), "1234567,25");
}

TEST(NumberFormat, ParsesTheLocaleOrAPoint)
{
    const QLocale german(QLocale::German, QLocale::Germany);
    double value = 7;
    EXPECT_TRUE(ParseLocaleNumber("1234,5", value, german));
    EXPECT_DOUBLE_EQ(value, 1234.5);
    // What cannot be grouping is the decimal point typed as ".".
    EXPECT_TRUE(ParseLocaleNumber("1.234", value, german));
    EXPECT_DOUBLE_EQ(value, 1.234);
    EXPECT_TRUE(ParseLocaleNumber(" 2.5 ", value, QLocale(QLocale::English)));
    EXPECT_DOUBLE_EQ(value, 2.5);
    for (const char* bad : { "", "12a", "inf", "nan", "1e999", "1,234.5" }) {
        value = 7;
        EXPECT_FALSE(ParseLocaleNumber(bad, value, QLocale(QLocale::English))) << bad;
        EXPECT_EQ(value, 7);
    }
}
