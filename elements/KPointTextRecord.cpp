// The point's record: "pt x y" for a plain point, "pt x y scale angle code"
// for a marker point (line type 100), the marker scale unscaled, the angle in
// degrees and the code right-aligned in five columns and followed by a blank.
//
// A point's colour is the point colour of the "pn" lines, not the pen colour
// of "lc". Flag lines by the arc table; a "z4" also gives the "z5" bit. A
// point takes no instruction mark: an "hhp" before it stays pending.

#include "core/KDefine.h"
#include "document/ZhdData.h"
#include "elements/KPoint.h"
#include "elements/TextRecordFrame.h"
#include "platform/Numbers.h"

namespace {

constexpr std::size_t marker_fields = 6;

} // namespace

void TKPoint::ReadTextRecord(const StringList& lines, TZhdData& document)
{
    const StringList fields = CurrentRecordFields(lines, document);
    const bool marker = fields.size() == marker_fields;
    // Converted first: a code that is no integer fails the record before the
    // state is touched.
    const int code = marker ? StrToInt(fields[5]) : 0;

    TStatusZHG& state = document.GetGStatusPtr();
    const TBitFlg flags = TranslateAllFlagLines(state.GetFlg(), SharedDefine().ArcPointZBits);

    const std::uint8_t saved_style = state.GetPenStyle();
    const std::uint16_t saved_color = state.GetPenColor();
    if (marker)
        state.SetPenStyle(MarkerPenStyle);
    state.SetPenColor(state.GetTenColor());
    state.SetFlg(flags);
    SetStatus(document.GetGStatusAttr());

    const double scale = state.GetScale();
    position_ = TBPoint(FieldNumber(fields, 1) / scale, FieldNumber(fields, 2) / scale);
    temporary_ = 0;
    if (marker) {
        marker_code_ = code;
        marker_angle_.SetDegrees(FieldNumber(fields, 4));
        marker_scale_ = FieldNumber(fields, 3);
    }
    state.SetPenStyle(saved_style);
    state.SetPenColor(saved_color);
    state.SetFlg(TBitFlg());
}

void TKPoint::WriteTextRecord(StringList& lines, TZhdData& document) const
{
    TStatusZHG element_state = StateOfElement(*this);
    element_state.SetTenColor(GetPenColor());
    const bool changed = AppendChangedAttributes(element_state, { "lg", "ly", "pn" }, document, lines);
    AppendCurveGroupLines(GetPlGroup(), changed, document, lines);
    AppendFlagLines(GetStatusFlg(), SharedDefine().ArcPointZBits, AllFlagLines, lines);

    const double scale = document.GetGStatusScale();
    std::string record = "pt";
    AppendNumbers(record, { position_.GetX() * scale, position_.GetY() * scale });
    if (IsMarker()) {
        // The code right-aligned in five columns with a blank after it; the
        // blank in front keeps a code of five characters or more apart from
        // the angle.
        AppendNumbers(record, { marker_scale_, marker_angle_.GetDegrees() });
        record += StringPrintf(" %4d ", marker_code_);
    }
    lines.push_back(record);
}
