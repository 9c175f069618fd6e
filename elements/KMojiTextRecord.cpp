// The text's record: a two-letter prefix, then "x y dx dy" (the start and
// end - start), a blank, a double quote and the text to the end of the line
// (no closing quote).
//
// The prefix carries one attribute flag bit: the first of bits 4 ("cs"),
// 5 ("cv", vertical writing), 6, 7, 8, 9, 10, 12 and 15 that is set, or
// "ch" for none. Three more travel as flag lines: z2 bit 11, z3 bit 14, z5
// bit 13. Size, kind, style and font come from the text settings ("cn" and
// the font line) of GStatus, the colour from the size's colour number.

#include "core/KDefine.h"
#include "document/ZhdData.h"
#include "elements/KMoji.h"
#include "elements/TextRecordFrame.h"

namespace {

constexpr std::uint32_t style_unit = 10000;

std::string PrefixOf(TBitFlg flags)
{
    for (const auto& [bit, prefix] : SharedDefine().BitPrefixes) {
        if (flags.IsSet(bit))
            return prefix;
    }
    return "ch";
}

} // namespace

void TKMoji::ReadTextRecord(const StringList& lines, TZhdData& document)
{
    const std::string& line = CurrentRecordLine(lines, document);
    StringList fields;
    SplitAtBlanks(line, fields);

    TStatusZHG& state = document.GetGStatusPtr();
    TBitFlg flags = TranslateFlagLines(state.GetFlg(), SharedDefine().TextZBits, AllFlagLines);
    const std::map<std::string, int>& prefix_bits = SharedDefine().PrefixBits;
    if (!fields.empty()) {
        if (const auto prefix = prefix_bits.find(fields[0]); prefix != prefix_bits.end())
            flags.SetBit(prefix->second);
    }
    state.SetFlg(flags);

    // The text's colour is its size's colour number.
    const std::uint8_t saved_style = state.GetPenStyle();
    const std::uint16_t saved_color = state.GetPenColor();
    state.SetPenStyle(1);
    state.SetPenColor(static_cast<std::uint16_t>(state.GetMoji().GetColor()));
    SetStatus(document.GetGStatusAttr());
    TakeInstructionMark(*this, document);

    const double scale = state.GetScale();
    start_ = TBPoint(FieldNumber(fields, 1) / scale, FieldNumber(fields, 2) / scale);
    end_ = TBPoint(start_.GetX() + FieldNumber(fields, 3) / scale, start_.GetY() + FieldNumber(fields, 4) / scale);
    text_ = TextAfterQuote(line);
    font_name_ = state.GetMojiFont();
    angle_ = start_.DirectionTo(end_);
    size_ = state.GetMoji();
    kind_ = static_cast<int>(state.GetMojiShu() % style_unit);
    start_.SetTag(static_cast<int>(state.GetMojiShu() / style_unit));

    state.SetPenStyle(saved_style);
    state.SetPenColor(saved_color);
    state.SetFlg(TBitFlg());
}

void TKMoji::WriteTextRecord(StringList& lines, TZhdData& document) const
{
    TStatusZHG element_state = StateOfElement(*this);
    element_state.SetMoji(size_);
    element_state.SetMojiShu(static_cast<std::uint32_t>(start_.GetTag()) * style_unit +
                             static_cast<std::uint32_t>(kind_));
    element_state.SetMojiFont(font_name_);
    const bool changed = AppendChangedAttributes(element_state, { "lg", "ly", "cn" }, document, lines);
    AppendCurveGroupLines(GetPlGroup(), changed, document, lines);
    const bool dimension_part = document.GetGStatusFlags().IsSet(DimensionPartFlag);
    AppendFlagLines(GetStatusFlg(), SharedDefine().TextZBits,
                    dimension_part ? AllFlagLines & ~FlagLine(3) : AllFlagLines, lines);
    AppendInstructionLine(*this, "ch", document, lines);

    const double scale = document.GetGStatusScale();
    std::string record = PrefixOf(GetStatusFlg());
    AppendNumbers(record, { start_.GetX() * scale, start_.GetY() * scale, (end_.GetX() - start_.GetX()) * scale,
                            (end_.GetY() - start_.GetY()) * scale });
    record += ConcatText(" \"", text_);
    lines.push_back(record);
}
