// Attribute directives of the external-command text form: the short lines
// ("lg3", "ly0 11", "lc5", "cn2", the font line ...) that change a running
// attribute state, so that element lines need not repeat their attributes.
// The reader applies one line to a state (and, for names, protections,
// display states and text kind 0, to the header); the writer formats a key's
// line from a state, or only the lines whose members differ from its running
// state, bringing that state up to date.
//
// Positions below count bytes from 1. Integer fields convert strictly and
// raise ConvertError (the loader turns that into a failed load naming the
// line); real fields never fail, malformed text reads as 0.

#include "core/HexInt.h"
#include "core/LayerState.h"
#include "document/StatusZHG.h"
#include "document/TextForm.h"
#include "document/ZhdHead.h"
#include "platform/Numbers.h"
#include "platform/ShiftJis.h"

#include <algorithm>

namespace {

constexpr std::uint32_t style_unit = 10000;
constexpr int highest_text_kind = 10;
// "cn", a double quote and "$": the font line's first four characters.
constexpr std::string_view font_prefix = "cn\"$";

// The group or layer digit at a position: one hexadecimal character in
// either case; anything else, or no character, is 0.
std::uint16_t HexDigitAt(const std::string& line, int position)
{
    THexInt digit;
    return static_cast<std::uint16_t>(digit.SetText(SubString1(line, position, 1)));
}

std::string HexDigitOf(int number)
{
    return StringPrintf("%x", static_cast<unsigned>(THexInt::DigitOf(number)));
}

// The integer of the single character at a position; raises when it is no
// digit or missing.
int IntegerAt(const std::string& line, int position)
{
    return StrToInt(SubString1(line, position, 1));
}

double RealField(const StringList& fields, std::size_t index)
{
    return index < fields.size() ? TextToFloat(fields[index]) : 0.0;
}

// State code "PS": P = 0, 2 or 6 by protection, plus 1 for an editable or
// write state; S = 1 when the state is shown at all.
//   protection 0: "00" "01" "11"   1: "20" "21" "31"   2: "60" "61" "71"
std::string StateCodeOf(int protection, int state)
{
    const int base = protection >= 2 ? 6 : (protection == 1 ? 2 : 0);
    const int p = base + (state >= LayerEditable ? 1 : 0);
    const int s = state >= LayerDisplayOnly ? 1 : 0;
    return StringPrintf("%d%d", p, s);
}

struct TStateCode {
    int protection;
    int state;
};

// Reading gives state 3 back as 2: the code cannot tell them apart.
TStateCode ParseStateCode(const std::string& field)
{
    const int p = IntegerAt(field, 1);
    const int s = IntegerAt(field, 2);
    const int protection = p < 2 ? 0 : (p < 6 ? 1 : 2);
    return { protection, s + p % 2 };
}

// "cn$": the font name between "<" and ">", then "/" for style 1 and "!"
// for style 2.
std::string FontLineOf(const TStatusZHG& state)
{
    const std::uint32_t style = state.GetMojiShu() / style_unit;
    std::string line = ConcatText(font_prefix, "<", state.GetMojiFont(), ">");
    if (style & 1)
        line += "/";
    if (style & 2)
        line += "!";
    return line;
}

std::string TextKindLineOf(const TStatusZHG& state)
{
    const std::uint32_t kind = state.GetMojiShu() % style_unit;
    std::string line = ConcatText("cn", std::to_string(kind));
    if (kind == 0) {
        const TZhdaMoji style = state.GetMoji();
        AppendNumbers(line, { style.GetWidth(), style.GetHeight(), style.GetSpacing() });
        line += ConcatText(" ", std::to_string(style.GetColor()));
    }
    return line;
}

// The style marks are only recognised at the very end, "!" after "/": none
// of "!", "/" and ">" can be the trail byte of a double-byte character.
void ParseFontLine(const std::string& line, TStatusZHG& state)
{
    std::string font = SubStringFrom1(line, 6);
    std::uint32_t style = 0;
    if (!font.empty() && font.back() == '!') {
        font.pop_back();
        style += 2 * style_unit;
    }
    if (!font.empty() && font.back() == '/') {
        font.pop_back();
        style += style_unit;
    }
    if (!font.empty() && font.back() == '>')
        font.pop_back();
    state.SetMojiFont(std::move(font));
    state.SetMojiShu(state.GetMojiShu() % style_unit + style);
}

// "cn3" selects kind 3 and keeps the style; with more fields ("cn0 2.5 2.5
// 0 1") the sizes go into kind 0 of the header, whatever kind is selected.
// A shorter sized line reads its missing numbers as 0.
void ParseTextKindDirective(TZhdHead& head, const std::string& first_field, const StringList& fields,
                            TStatusZHG& state)
{
    const auto kind = static_cast<std::uint32_t>(StrToInt(SubStringFrom1(first_field, 3)));
    TVect<TZhdaMoji> kinds = head.GetTextKinds();
    if (fields.size() >= 2) {
        const int color = fields.size() >= 5 ? StrToInt(fields[4]) : 0;
        kinds.Set(0, TZhdaMoji(RealField(fields, 1), RealField(fields, 2), RealField(fields, 3), color));
        head.SetTextKinds(kinds);
    }
    state.SetMojiShu(kind + state.GetMojiShu() / style_unit * style_unit);
    const int entry = static_cast<int>(std::min<std::uint32_t>(state.GetMojiShu() % style_unit, highest_text_kind));
    state.SetMoji(kinds.Get(entry));
}

// A free-size kind (0) always repeats its sizes; the font line follows when
// the font or the style changed.
void EmitChangedTextSettings(const TStatusZHG& new_state, TStatusZHG& running, StringList& lines)
{
    const std::uint32_t new_kind = new_state.GetMojiShu() % style_unit;
    if (new_kind != running.GetMojiShu() % style_unit || new_kind == 0) {
        TStatusZHG sized;
        sized.SetMojiShu(new_state.GetMojiShu());
        sized.SetMoji(new_state.GetMoji());
        lines.push_back(TextKindLineOf(sized));
    }
    bool font_due = false;
    if (new_state.GetMojiFont() != running.GetMojiFont()) {
        running.SetMojiFont(new_state.GetMojiFont());
        font_due = true;
    }
    if (new_state.GetMojiShu() / style_unit != running.GetMojiShu() / style_unit)
        font_due = true;
    running.SetMojiShu(new_state.GetMojiShu());
    running.SetMoji(new_state.GetMoji());
    if (font_due)
        lines.push_back(FontLineOf(running));
}

} // namespace

void TZhdHead::ParseAttributeDirective(const std::string& line, TStatusZHG& state)
{
    // Only a line with a blank has a second field; most directives have none
    // and are read without splitting.
    StringList fields;
    if (line.find(' ') != std::string::npos)
        SplitAtBlanks(line, fields);
    const std::string& first_field = fields.empty() ? line : fields[0];
    const int g = state.GetGLayer() & 15;
    const int l = state.GetLayer() & 15;
    const bool has_code = line.size() > 3 && fields.size() >= 2;

    if (line.starts_with("lgn")) {
        TZhdGrp group = GetGroup(g);
        group.SetName(SubStringFrom1(line, 4));
        SetGroup(g, std::move(group));
    } else if (line.starts_with("lyn")) {
        TZhdLay layer = GetLayer(g, l);
        layer.SetName(SubStringFrom1(line, 4));
        SetLayer(g, l, std::move(layer));
    } else if (line.starts_with("lg") && line.size() > 3) {
        // "lg3 31": the group and its protection and state; the scale stays.
        const std::uint16_t group_number = state.SetGLayer(HexDigitAt(line, 3));
        if (has_code) {
            const TStateCode code = ParseStateCode(fields[1]);
            TZhdGrp group = GetGroup(group_number);
            group.SetProtect(code.protection);
            group.SetState(code.state);
            SetGroup(group_number, std::move(group));
        }
    } else if (line.starts_with("ly") && line.size() > 3) {
        const std::uint16_t layer_number = state.SetLayer(HexDigitAt(line, 3));
        if (has_code) {
            const TStateCode code = ParseStateCode(fields[1]);
            TZhdLay layer = GetLayer(g, layer_number);
            layer.SetProtect(code.protection);
            layer.SetState(code.state);
            SetLayer(g, layer_number, std::move(layer));
        }
    } else if (line.starts_with("lg")) {
        state.SetGLayer(HexDigitAt(line, 3));
        state.SetScale(GetGroupScale(state.GetGLayer()));
    } else if (line.starts_with("ly")) {
        state.SetLayer(HexDigitAt(line, 3));
    } else if (line.starts_with("lc")) {
        // "lc5" takes one digit; "lc12 255" the whole number and the solid
        // colour.
        if (fields.size() >= 2) {
            const int solid_color = StrToInt(fields[1]);
            state.SetPenColor(static_cast<std::uint16_t>(StrToInt(SubStringFrom1(first_field, 3))));
            state.SetSolidColor(solid_color);
        } else {
            state.SetPenColor(static_cast<std::uint16_t>(IntegerAt(line, 3)));
        }
    } else if (line.starts_with("lt")) {
        state.SetPenStyle(static_cast<std::uint8_t>(IntegerAt(line, 3)));
    } else if (line.starts_with("lw")) {
        state.SetPenWidth(static_cast<std::uint16_t>(StrToInt(SubStringFrom1(line, 3))));
    } else if (line.starts_with("pn")) {
        state.SetTenColor(static_cast<std::uint16_t>(IntegerAt(line, 3)));
    } else if (line.starts_with(font_prefix)) {
        ParseFontLine(line, state);
    } else if (line.starts_with("cn")) {
        ParseTextKindDirective(*this, first_field, fields, state);
    }
}

std::string TZhdHead::FormatAttributeDirective(const std::string& key, const TStatusZHG& state) const
{
    const int g = state.GetGLayer();
    const int l = state.GetLayer();
    if (key == "lg")
        return ConcatText("lg", HexDigitOf(g));
    if (key == "ly")
        return ConcatText("ly", HexDigitOf(l));
    if (key == "lc") {
        // Every colour of two or more digits carries the solid colour as a
        // second field: "lc12" alone would read back as colour 1.
        const int color = state.GetPenColor();
        std::string line = ConcatText("lc", std::to_string(color));
        if (color >= 10)
            line += ConcatText(" ", std::to_string(state.GetSolidColor()));
        return line;
    }
    if (key == "lt")
        return ConcatText("lt", std::to_string(state.GetPenStyle()));
    if (key == "lw")
        return ConcatText("lw", std::to_string(state.GetPenWidth()));
    if (key == "pn")
        return ConcatText("pn", std::to_string(state.GetTenColor()));
    if (key == "cn")
        return TextKindLineOf(state);
    if (key == "cn$")
        return FontLineOf(state);
    if (key == "lgp")
        return ConcatText("lg", HexDigitOf(g), " ", StateCodeOf(GetGroupProtect(g & 15), GetGroupState(g & 15)));
    if (key == "lyp")
        return ConcatText("ly", HexDigitOf(l), " ",
                          StateCodeOf(GetLayerProtect(g & 15, l & 15), GetLayerState(g & 15, l & 15)));
    if (key == "lgn")
        return ConcatText("lgn", GetGroup(g & 15).GetName());
    if (key == "lyn")
        return ConcatText("lyn", GetLayer(g & 15, l & 15).GetName());
    return std::string();
}

std::string TZhdHead::EmitChangedAttribute(const std::string& key, const TStatusZHG& new_state, TStatusZHG& running,
                                           StringList& lines) const
{
    const std::size_t before = lines.size();
    auto append = [&](const std::string& line_key, const TStatusZHG& from) {
        lines.push_back(FormatAttributeDirective(line_key, from));
    };

    if (key == "lg") {
        // A new group always repeats the layer: the reader's group line does
        // not keep it.
        if (new_state.GetGLayer() != running.GetGLayer()) {
            running.SetGLayer(new_state.GetGLayer());
            running.SetScale(GetGroupScale(running.GetGLayer()));
            append("lg", running);
            running.SetLayer(new_state.GetLayer());
            append("ly", running);
        }
    } else if (key == "ly") {
        if (new_state.GetLayer() != running.GetLayer()) {
            running.SetLayer(new_state.GetLayer());
            append("ly", running);
        }
    } else if (key == "lc") {
        bool changed = false;
        if (new_state.GetPenColor() != running.GetPenColor()) {
            running.SetPenColor(new_state.GetPenColor());
            changed = true;
        }
        if (new_state.GetPenColor() == 10 && new_state.GetSolidColor() != running.GetSolidColor()) {
            running.SetSolidColor(new_state.GetSolidColor());
            changed = true;
        }
        if (changed)
            append("lc", running);
    } else if (key == "lt") {
        if (new_state.GetPenStyle() != running.GetPenStyle()) {
            running.SetPenStyle(new_state.GetPenStyle());
            append("lt", running);
        }
    } else if (key == "lw") {
        if (new_state.GetPenWidth() != running.GetPenWidth()) {
            running.SetPenWidth(new_state.GetPenWidth());
            append("lw", running);
        }
    } else if (key == "pn") {
        if (new_state.GetTenColor() != running.GetTenColor()) {
            running.SetTenColor(new_state.GetTenColor());
            append("pn", running);
        }
    } else if (key == "cn") {
        EmitChangedTextSettings(new_state, running, lines);
    }
    return lines.size() > before ? lines.back() : std::string();
}
