#include "core/CountString.h"
#include "core/MojiInt4.h"

#include <gtest/gtest.h>

TEST(CountString, CountsOccurrences)
{
    TCountString entry("abc");
    EXPECT_EQ(entry.GetCount(), 1);
    entry.AddRef();
    EXPECT_EQ(entry.AddRef(), 3);
    EXPECT_EQ(entry.Release(), 2);
    EXPECT_EQ(entry.Release(), 1);
    EXPECT_EQ(entry.GetText(), "abc");
    EXPECT_EQ(entry.Release(), 0);
    EXPECT_EQ(entry.GetText(), "") << "the last occurrence empties the text";
    EXPECT_EQ(entry.AddRef(), 0) << "a released entry stays at 0";
    EXPECT_EQ(entry.Release(), -1);

    entry.SetText("x");
    EXPECT_EQ(entry.GetCount(), 1);
    entry.Clear();
    EXPECT_EQ(entry.AddRef(), 0);
}

TEST(MojiInt4, TextForm)
{
    TMojiInt4 preset;
    EXPECT_EQ(SetMojiInt4(preset, 1, 0, 2, 3, "Preset"), "1023Preset");
    EXPECT_EQ(MojiInt4DigitsText(preset), "1023");

    struct Case {
        const char* text;
        int ints[4];
        const char* name;
    };
    const Case cases[] = {
        { "1023Preset", { 1, 0, 2, 3 }, "Preset" },
        { "12", { 1, 2, 0, 0 }, "" },
        { "9999", { 9, 9, 9, 9 }, "" },
        { "x1y2Name", { 0, 1, 0, 2 }, "Name" },
        { "", { 0, 0, 0, 0 }, "" },
    };
    for (const auto& c : cases) {
        TMojiInt4 parsed { "old", 7, 7, 7, 7 };
        EXPECT_EQ(ParseMojiInt4Text(parsed, c.text), c.text);
        EXPECT_EQ(parsed.Int1, c.ints[0]) << c.text;
        EXPECT_EQ(parsed.Int2, c.ints[1]) << c.text;
        EXPECT_EQ(parsed.Int3, c.ints[2]) << c.text;
        EXPECT_EQ(parsed.Int4, c.ints[3]) << c.text;
        EXPECT_EQ(parsed.Name, c.name) << c.text;
    }
    // Values above 9 do not survive the text form.
    SetMojiInt4(preset, 12, 0, 0, 0, "N");
    TMojiInt4 back;
    ParseMojiInt4Text(back, MojiInt4ToText(preset));
    EXPECT_EQ(back.Int1, 1);
    EXPECT_EQ(back.Int2, 2);
    EXPECT_EQ(back.Name, "0N");
}
