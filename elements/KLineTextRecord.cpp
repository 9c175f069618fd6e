// The line's record: a blank, then x1 y1 x2 y2 (start and end).
//
// Flag lines by the line table (z1 bit 5, z2 bit 11, z3 bit 13, z4 bit 15,
// z5 bit 12); a "z4" also gives the "z5" bit. A dimension writes its line
// with its part flag in GStatus, and then no "z3": the dimension's reader
// gives its line bit 13 by itself.

#include "core/KDefine.h"
#include "document/ZhdData.h"
#include "elements/KLine.h"
#include "elements/TextRecordFrame.h"

namespace {

constexpr std::size_t record_fields = 5;

} // namespace

// A record of fewer than five fields leaves the line as it is (and an "hhp"
// before it pending for the next element).
void TKLine::ReadTextRecord(const StringList& lines, TZhdData& document)
{
    const StringList fields = CurrentRecordFields(lines, document);
    if (fields.size() >= record_fields) {
        document.SetGStatusFlags(TranslateAllFlagLines(document.GetGStatusFlags(), SharedDefine().LineZBits));
        SetStatus(document.GetGStatusAttr());
        TakeInstructionMark(*this, document);
        const double scale = document.GetGStatusScale();
        start_ = TBPoint(FieldNumber(fields, 1) / scale, FieldNumber(fields, 2) / scale);
        end_ = TBPoint(FieldNumber(fields, 3) / scale, FieldNumber(fields, 4) / scale);
    }
    document.SetGStatusFlags(TBitFlg());
}

void TKLine::WriteTextRecord(StringList& lines, TZhdData& document) const
{
    const bool changed =
        AppendChangedAttributes(StateOfElement(*this), { "lg", "ly", "lc", "lt", "lw" }, document, lines);
    AppendCurveGroupLines(GetPlGroup(), changed, document, lines);
    const bool dimension_part = document.GetGStatusFlags().IsSet(DimensionPartFlag);
    AppendFlagLines(GetStatusFlg(), SharedDefine().LineZBits,
                    dimension_part ? AllFlagLines & ~FlagLine(3) : AllFlagLines, lines);
    AppendInstructionLine(*this, "ln", document, lines);

    const double scale = document.GetGStatusScale();
    std::string record;
    AppendNumbers(record, { start_.GetX() * scale, start_.GetY() * scale, end_.GetX() * scale, end_.GetY() * scale });
    lines.push_back(record);
}
