// The solid's record: a keyword and eight numbers, or for a plain solid
// "sl" and two to four corners.
//
//   keyword  line type  fields
//   "sl"     GStatus's  x1 y1 x2 y2 [x3 y3 [x4 y4]]     all scaled
//   "sc"     101        x1 y1 x2 y2 x3 y3 x4 y4         centre and radius scaled
//   "so"     105        x1 y1 x2 y2 x3 y3 x4 y4         ... and the ring radius y4
//   "sg"     106        as "so"
//   "se"     111        as "sc"
//
// An arc solid keeps an ellipse in its corners: centre, (radius,
// flatness), (tilt, start), (arc, kind value), angles in radians; only its
// lengths follow the scale. A plain solid leaves out a corner that coincides
// with an earlier one, and the reader repeats the last corner it was given.
// The own colour of a solid with pen colour 10 travels in the "lc" line.
// Only "z1" (bit 5) is a solid's flag line; it takes no instruction mark.

#include "core/KDefine.h"
#include "document/ZhdData.h"
#include "elements/KSolid.h"
#include "elements/TextRecordFrame.h"

#include <array>
#include <string_view>

namespace {

constexpr double same_corner = 1e-10;

struct TArcKeyword {
    std::string_view keyword;
    std::uint8_t pen_style;
};

constexpr std::array<TArcKeyword, 4> arc_keywords { {
    { "sc", 101 },
    { "so", 105 },
    { "sg", 106 },
    { "se", 111 },
} };

// Rings keep their second radius in y4, which is a length.
bool HasScaledRingRadius(std::uint8_t pen_style)
{
    return pen_style == 105 || pen_style == 106;
}

// Kinds without a keyword of their own are written as "sc": the ellipse
// survives, filled as a kind-101 solid.
std::string_view KeywordOf(std::uint8_t pen_style)
{
    for (const TArcKeyword& entry : arc_keywords) {
        if (entry.pen_style == pen_style)
            return entry.keyword;
    }
    return arc_keywords[0].keyword;
}

bool Distinct(const TBPoint& a, const TBPoint& b)
{
    return a.DistanceTo(b) > same_corner;
}

void AppendPoint(std::string& record, const TBPoint& point, double scale)
{
    AppendNumbers(record, { point.GetX() * scale, point.GetY() * scale });
}

} // namespace

// Two corners stand for four (corners 3 and 4 repeat corner 2), three for
// four (corner 4 repeats corner 3); other short records read their missing
// numbers as 0.
void TKSolid::ReadTextRecord(const StringList& lines, TZhdData& document)
{
    StringList fields = CurrentRecordFields(lines, document);
    TStatusZHG& state = document.GetGStatusPtr();
    const TBitFlg flags = TranslateFlagLines(state.GetFlg(), SharedDefine().LineZBits, FlagLine(1));

    const std::string keyword = fields.empty() ? std::string() : fields[0];
    const std::uint8_t saved_style = state.GetPenStyle();
    for (const TArcKeyword& entry : arc_keywords) {
        if (keyword == entry.keyword)
            state.SetPenStyle(entry.pen_style);
    }
    state.SetFlg(flags);
    SetStatus(document.GetGStatusAttr());

    const std::size_t count = fields.size();
    if (count == 5) {
        fields.push_back(fields[3]);
        fields.push_back(fields[4]);
    }
    if (count <= 7 && fields.size() >= 7) {
        fields.push_back(fields[5]);
        fields.push_back(fields[6]);
    }
    auto number = [&](std::size_t index) { return FieldNumber(fields, index); };
    const double s = state.GetScale();
    const bool plain = keyword == "sl";
    const bool ring = keyword == "so" || keyword == "sg";
    corners_[0] = TBPoint(number(1) / s, number(2) / s);
    if (plain) {
        corners_[1] = TBPoint(number(3) / s, number(4) / s);
        corners_[2] = TBPoint(number(5) / s, number(6) / s);
        corners_[3] = TBPoint(number(7) / s, number(8) / s);
    } else {
        corners_[1] = TBPoint(number(3) / s, number(4));
        corners_[2] = TBPoint(number(5), number(6));
        corners_[3] = TBPoint(number(7), ring ? number(8) / s : number(8));
    }
    if (state.GetPenColor() == OwnColorPen)
        color_ = state.GetSolidColor();

    state.SetPenStyle(saved_style);
    state.SetFlg(TBitFlg());
}

void TKSolid::WriteTextRecord(StringList& lines, TZhdData& document) const
{
    TStatusZHG element_state = StateOfElement(*this);
    element_state.SetSolidColor(color_);
    const bool changed = AppendChangedAttributes(element_state, { "lg", "ly", "lc" }, document, lines);
    AppendCurveGroupLines(GetPlGroup(), changed, document, lines);
    AppendFlagLines(GetStatusFlg(), SharedDefine().LineZBits, FlagLine(1), lines);

    const double s = document.GetGStatusScale();
    std::string record;
    if (IsArcSolid()) {
        const double ring_scale = HasScaledRingRadius(GetPenStyle()) ? s : 1.0;
        record = KeywordOf(GetPenStyle());
        AppendPoint(record, corners_[0], s);
        AppendNumbers(record, { corners_[1].GetX() * s, corners_[1].GetY() });
        AppendPoint(record, corners_[2], 1.0);
        AppendNumbers(record, { corners_[3].GetX(), corners_[3].GetY() * ring_scale });
    } else {
        record = "sl";
        AppendPoint(record, corners_[0], s);
        AppendPoint(record, corners_[1], s);
        if (Distinct(corners_[2], corners_[0]) && Distinct(corners_[2], corners_[1]))
            AppendPoint(record, corners_[2], s);
        if (Distinct(corners_[3], corners_[0]) && Distinct(corners_[3], corners_[1]) &&
            Distinct(corners_[3], corners_[2]))
            AppendPoint(record, corners_[3], s);
    }
    lines.push_back(record);
}
