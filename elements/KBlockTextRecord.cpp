// The block reference's record: "BL x y", a blank, a double quote and the
// definition's name to the end of the line, then a closing "#". Scales and
// angle are not part of the form: a reference read from text has the default
// scales (0, acting as 1) and angle 0.
//
// Flag lines by the line table, without "z1": z2 bit 11, z3 bit 13, z4 bit 15
// (written, not taken over), z5 bit 12. No instruction line.

#include "core/KDefine.h"
#include "document/ZhdData.h"
#include "elements/KBlock.h"
#include "elements/TextRecordFrame.h"

namespace {

constexpr unsigned flag_lines_read = FlagLine(2) | FlagLine(3) | FlagLine(5);
constexpr unsigned flag_lines_written = FlagLine(2) | FlagLine(3) | FlagLine(4) | FlagLine(5);

} // namespace

// A name without a definition gets a new, empty one.
void TKBlock::ReadTextRecord(const StringList& lines, TZhdData& document)
{
    const std::string& line = CurrentRecordLine(lines, document);
    StringList fields;
    SplitAtBlanks(line, fields);
    document.SetGStatusFlags(TranslateFlagLines(document.GetGStatusFlags(), SharedDefine().LineZBits, flag_lines_read));
    SetStatus(document.GetGStatusAttr());
    const double scale = document.GetGStatusScale();
    position_ = TBPoint(FieldNumber(fields, 1) / scale, FieldNumber(fields, 2) / scale);
    block_number_ = static_cast<int>(document.GetBlockNumberByName(TextAfterQuote(line)));
    document.SetGStatusFlags(TBitFlg());
}

void TKBlock::WriteTextRecord(StringList& lines, TZhdData& document) const
{
    const bool changed = AppendChangedAttributes(StateOfElement(*this), { "lg", "ly" }, document, lines);
    AppendCurveGroupLines(GetPlGroup(), changed, document, lines);
    const bool dimension_part = document.GetGStatusFlags().IsSet(DimensionPartFlag);
    AppendFlagLines(GetStatusFlg(), SharedDefine().LineZBits,
                    dimension_part ? flag_lines_written & ~FlagLine(3) : flag_lines_written, lines);
    const double scale = document.GetGStatusScale();
    std::string record = "BL";
    AppendNumbers(record, { position_.GetX() * scale, position_.GetY() * scale });
    record += ConcatText(" \"", document.GetBlockNameByNumber(static_cast<std::uint32_t>(block_number_)));
    lines.push_back(record);
    lines.push_back("#");
}
