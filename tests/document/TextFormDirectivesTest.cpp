// Attribute directives: what one line does to a state and the header, the
// line a key formats, and the lines the writer emits for a changed state.

#include "document/StatusZHG.h"
#include "document/ZhdHead.h"

#include "platform/Errors.h"

#include <gtest/gtest.h>

namespace {

TStatusZHG Parsed(TZhdHead& head, std::initializer_list<std::string> lines, TStatusZHG state = TStatusZHG())
{
    for (const std::string& line : lines)
        head.ParseAttributeDirective(line, state);
    return state;
}

TZhdHead HeadWithGroupScale(int g, double scale)
{
    TZhdHead head;
    head.SetGroupScale(g, scale);
    return head;
}

} // namespace

TEST(TextFormDirectives, GroupAndLayerLines)
{
    TZhdHead head = HeadWithGroupScale(3, 50);
    TStatusZHG state = Parsed(head, { "lg3" });
    EXPECT_EQ(state.GetGLayer(), 3);
    EXPECT_EQ(state.GetScale(), 50);

    // With a state code the scale stays: protection 1, state 2.
    state = Parsed(head, { "lg3 31" });
    EXPECT_EQ(state.GetGLayer(), 3);
    EXPECT_EQ(state.GetScale(), 1);
    EXPECT_EQ(head.GetGroupProtect(3), 1);
    EXPECT_EQ(head.GetGroupState(3), 2);

    EXPECT_EQ(Parsed(head, { "lgb" }).GetGLayer(), 11);
    EXPECT_EQ(Parsed(head, { "lgB" }).GetGLayer(), 11);
    EXPECT_EQ(Parsed(head, { "lg5", "lgz" }).GetGLayer(), 0);
    EXPECT_EQ(Parsed(head, { "lg5", "lg" }).GetGLayer(), 0);

    state = Parsed(head, { "lg2", "ly7 60" });
    EXPECT_EQ(state.GetLayer(), 7);
    EXPECT_EQ(head.GetLayerProtect(2, 7), 2);
    EXPECT_EQ(head.GetLayerState(2, 7), 0);

    Parsed(head, { "lg4", "lgnPlan A", "ly1", "lynwalls and doors" });
    EXPECT_EQ(head.GetGroup(4).GetName(), "Plan A");
    EXPECT_EQ(head.GetLayer(4, 1).GetName(), "walls and doors");
}

// Every protection and state goes out and comes back, state 3 as 2.
TEST(TextFormDirectives, StateCodesRoundTrip)
{
    const char* codes[3][4] = { { "00", "01", "11", "11" }, { "20", "21", "31", "31" }, { "60", "61", "71", "71" } };
    for (int protection = 0; protection < 3; ++protection) {
        for (int state_value = 0; state_value < 4; ++state_value) {
            TZhdHead head;
            TZhdGrp group = head.GetGroup(5);
            group.SetProtect(protection);
            group.SetState(state_value);
            head.SetGroup(5, group);
            TStatusZHG state;
            state.SetGLayer(5);
            const std::string line = head.FormatAttributeDirective("lgp", state);
            EXPECT_EQ(line, std::string("lg5 ") + codes[protection][state_value]);

            TZhdHead reader;
            Parsed(reader, { line });
            EXPECT_EQ(reader.GetGroupProtect(5), protection);
            EXPECT_EQ(reader.GetGroupState(5), state_value == 3 ? 2 : state_value);
        }
    }
}

TEST(TextFormDirectives, ColourTypeWidthAndPointLines)
{
    TZhdHead head;
    TStatusZHG colour_7;
    colour_7.SetPenColor(7);
    EXPECT_EQ(Parsed(head, { "lc12" }, colour_7).GetPenColor(), 1) << "one digit alone";
    TStatusZHG state = Parsed(head, { "lc12 255" });
    EXPECT_EQ(state.GetPenColor(), 12);
    EXPECT_EQ(state.GetSolidColor(), 255);
    EXPECT_EQ(Parsed(head, { "lw15" }).GetPenWidth(), 15);
    EXPECT_EQ(Parsed(head, { "lt25" }).GetPenStyle(), 2);
    EXPECT_EQ(Parsed(head, { "pn5" }).GetTenColor(), 5);
}

TEST(TextFormDirectives, IntegerFieldsThatDoNotConvertRaise)
{
    for (const char* line :
         { "lcx", "lc", "lc5 x", "lt", "lwx", "pn", "lg1 3", "ly1 x1", "cn", "cnx", "cn0 1 1 0 x" }) {
        SCOPED_TRACE(line);
        TZhdHead head;
        TStatusZHG state;
        EXPECT_THROW(head.ParseAttributeDirective(line, state), ConvertError);
    }
    // Lines that are no directive change nothing.
    TZhdHead head;
    const TStatusZHG state = Parsed(head, { "by 0.5", "hd", "xyz", "" });
    EXPECT_EQ(state.GetPenColor(), 1);
    EXPECT_EQ(state.GetGLayer(), 0);
}

TEST(TextFormDirectives, TextKindAndFontLines)
{
    TZhdHead head;
    TVect<TZhdaMoji> kinds = head.GetTextKinds();
    kinds.Set(3, TZhdaMoji(3, 4, 1, 5));
    head.SetTextKinds(kinds);

    TStatusZHG state = Parsed(head, { "cn0 2.5 2.5 0 1" });
    EXPECT_EQ(state.GetMojiShu(), 0u);
    EXPECT_EQ(state.GetMoji().GetWidth(), 2.5);
    EXPECT_EQ(head.GetTextKinds().Get(0).GetHeight(), 2.5);

    state = Parsed(head, { "cn3 2 2 0 1" });
    EXPECT_EQ(state.GetMojiShu(), 3u);
    EXPECT_EQ(state.GetMoji().GetColor(), 5);
    EXPECT_EQ(head.GetTextKinds().Get(0).GetWidth(), 2);

    // A kind above ten takes kind ten's style; a short sized line reads its
    // missing numbers as 0.
    EXPECT_EQ(Parsed(head, { "cn12" }).GetMojiShu(), 12u);
    Parsed(head, { "cn0 7" });
    EXPECT_EQ(head.GetTextKinds().Get(0).GetHeight(), 0);

    TStatusZHG styled;
    styled.SetMojiShu(20003);
    EXPECT_EQ(Parsed(head, { "cn5" }, styled).GetMojiShu(), 20005u);
    state = Parsed(head, { "cn5", "cn\"$<MS>/!" }, styled);
    EXPECT_EQ(state.GetMojiFont(), "MS");
    EXPECT_EQ(state.GetMojiShu(), 30005u);
    EXPECT_EQ(Parsed(head, { "cn\"$<MS>" }, state).GetMojiShu(), 5u);
}

TEST(TextFormDirectives, FormattedLines)
{
    TZhdHead head;
    TStatusZHG state;
    state.SetGLayer(12);
    state.SetLayer(5);
    state.SetPenColor(10);
    state.SetSolidColor(255);
    state.SetPenStyle(3);
    state.SetPenWidth(25);
    state.SetTenColor(4);
    state.SetMojiShu(10002);
    state.SetMojiFont("ABC");
    EXPECT_EQ(head.FormatAttributeDirective("lg", state), "lgc");
    EXPECT_EQ(head.FormatAttributeDirective("ly", state), "ly5");
    EXPECT_EQ(head.FormatAttributeDirective("lc", state), "lc10 255");
    EXPECT_EQ(head.FormatAttributeDirective("lt", state), "lt3");
    EXPECT_EQ(head.FormatAttributeDirective("lw", state), "lw25");
    EXPECT_EQ(head.FormatAttributeDirective("pn", state), "pn4");
    EXPECT_EQ(head.FormatAttributeDirective("cn", state), "cn2");
    EXPECT_EQ(head.FormatAttributeDirective("cn$", state), "cn\"$<ABC>/");
    EXPECT_EQ(head.FormatAttributeDirective("zz", state), "");

    state.SetMojiShu(20000);
    state.SetMoji(TZhdaMoji(2.5, 3, 0.25, 7));
    EXPECT_EQ(head.FormatAttributeDirective("cn", state), "cn0 2.5 3 0.25 7");
    EXPECT_EQ(head.FormatAttributeDirective("cn$", state), "cn\"$<ABC>!");
    state.SetPenColor(5);
    EXPECT_EQ(head.FormatAttributeDirective("lc", state), "lc5");
}

// "lc12" alone reads back as colour 1, so every colour of two or more digits
// is written with the solid colour as a second field.
TEST(TextFormDirectives, ColoursOfTwoOrMoreDigitsReadBackWhole)
{
    TZhdHead head;
    for (std::uint16_t color : std::initializer_list<std::uint16_t> { 0, 9, 10, 12, 120, 356 }) {
        TStatusZHG state;
        state.SetPenColor(color);
        state.SetSolidColor(0x123456);
        const TStatusZHG read = Parsed(head, { head.FormatAttributeDirective("lc", state) });
        EXPECT_EQ(read.GetPenColor(), color);
        if (color >= 10) {
            EXPECT_EQ(read.GetSolidColor(), 0x123456);
        }
    }
}

TEST(TextFormDirectives, ChangedGroupRepeatsTheLayer)
{
    TZhdHead head = HeadWithGroupScale(1, 20);
    TStatusZHG running;
    running.SetLayer(4);
    TStatusZHG changed = running;
    changed.SetGLayer(1);
    StringList lines;
    EXPECT_EQ(head.EmitChangedAttribute("lg", changed, running, lines), "ly4");
    EXPECT_EQ(lines, (StringList { "lg1", "ly4" }));
    EXPECT_EQ(running.GetGLayer(), 1);
    EXPECT_EQ(running.GetScale(), 20);

    // The same group with another layer: the group key emits nothing.
    changed.SetLayer(5);
    lines.clear();
    EXPECT_EQ(head.EmitChangedAttribute("lg", changed, running, lines), "");
    EXPECT_TRUE(lines.empty());
    EXPECT_EQ(head.EmitChangedAttribute("ly", changed, running, lines), "ly5");
}

TEST(TextFormDirectives, ChangedColourAndUnknownKeys)
{
    TZhdHead head;
    TStatusZHG running;
    running.SetPenColor(10);
    TStatusZHG changed = running;
    changed.SetSolidColor(255);
    StringList lines;
    EXPECT_EQ(head.EmitChangedAttribute("lc", changed, running, lines), "lc10 255");
    EXPECT_EQ(running.GetSolidColor(), 255);
    // The solid colour counts only with colour 10.
    changed.SetPenColor(3);
    changed.SetSolidColor(7);
    EXPECT_EQ(head.EmitChangedAttribute("lc", changed, running, lines), "lc3");
    EXPECT_EQ(running.GetSolidColor(), 255);
    EXPECT_EQ(head.EmitChangedAttribute("lt", changed, running, lines), "");
    EXPECT_EQ(head.EmitChangedAttribute("zz", changed, running, lines), "");
    EXPECT_EQ(lines.size(), 2u);
}

TEST(TextFormDirectives, ChangedTextSettings)
{
    TZhdHead head;
    TStatusZHG running;
    running.SetMojiShu(0);
    running.SetMoji(TZhdaMoji(2, 2, 0, 1));
    // Free size repeats its sizes even when nothing changed; the font line
    // only comes with a new font or style.
    StringList lines;
    EXPECT_EQ(head.EmitChangedAttribute("cn", running, running, lines), "cn0 2 2 0 1");
    EXPECT_EQ(lines.size(), 1u);

    TStatusZHG changed = running;
    changed.SetMojiShu(10003);
    changed.SetMojiFont("F");
    lines.clear();
    head.EmitChangedAttribute("cn", changed, running, lines);
    EXPECT_EQ(lines, (StringList { "cn3", "cn\"$<F>/" }));
    EXPECT_EQ(running.GetMojiShu(), 10003u);
    EXPECT_EQ(running.GetMojiFont(), "F");

    changed.SetMojiShu(3);
    lines.clear();
    head.EmitChangedAttribute("cn", changed, running, lines);
    EXPECT_EQ(lines, (StringList { "cn\"$<F>" }));
}
