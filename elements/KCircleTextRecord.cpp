// The arc's record: "ci x y r" for a closed circle, else
// "ci x y r start end flatness tilt" with the angles in degrees; end is where
// the outline ends, not the sweep.
//
// Flag lines by the arc table (z1 bit 5, z2 bit 4, z3 bit 6, z4 bit 15, z5
// bit 7); a "z4" also gives the "z5" bit.

#include "core/Constants.h"
#include "core/KDefine.h"
#include "document/ZhdData.h"
#include "elements/KCircle.h"
#include "elements/TextRecordFrame.h"

#include <cmath>

namespace {

constexpr std::size_t closed_circle_fields = 4;
// An angle this close to zero is no angle at all: a closed outline.
constexpr double zero_angle = 1e-16;

bool IsWholeTurn(const TAngle& arc)
{
    return std::fabs(arc.GetRadians() - 2 * Pi) < zero_angle;
}

} // namespace

// A record of up to four fields is a closed circle; one of five to seven
// fields reads its missing numbers as 0.
void TKCircle::ReadTextRecord(const StringList& lines, TZhdData& document)
{
    const StringList fields = CurrentRecordFields(lines, document);
    document.SetGStatusFlags(TranslateAllFlagLines(document.GetGStatusFlags(), SharedDefine().ArcPointZBits));
    SetStatus(document.GetGStatusAttr());
    TakeInstructionMark(*this, document);

    const double scale = document.GetGStatusScale();
    center_ = TBPoint(FieldNumber(fields, 1) / scale, FieldNumber(fields, 2) / scale);
    radius_ = FieldNumber(fields, 3) / scale;
    if (fields.size() <= closed_circle_fields) {
        start_ = TAngle(0.0);
        arc_ = TAngle(2 * Pi);
        tilt_ = TAngle(0.0);
        flatness_ = 1.0;
    } else {
        const double start_degrees = FieldNumber(fields, 4);
        start_.SetDegrees(start_degrees);
        arc_.SetDegrees(FieldNumber(fields, 5) - start_degrees);
        arc_.Normalize();
        if (std::fabs(arc_.GetRadians()) < zero_angle)
            arc_.SetDegrees(360);
        flatness_ = FieldNumber(fields, 6);
        tilt_.SetDegrees(FieldNumber(fields, 7));
    }
    full_circle_ = IsWholeTurn(arc_) ? 1 : 0;
    document.SetGStatusFlags(TBitFlg());
}

void TKCircle::WriteTextRecord(StringList& lines, TZhdData& document) const
{
    const bool changed =
        AppendChangedAttributes(StateOfElement(*this), { "lg", "ly", "lc", "lt", "lw" }, document, lines);
    AppendCurveGroupLines(GetPlGroup(), changed, document, lines);
    AppendFlagLines(GetStatusFlg(), SharedDefine().ArcPointZBits, AllFlagLines, lines);
    AppendInstructionLine(*this, "ci", document, lines);

    const double scale = document.GetGStatusScale();
    std::string record = "ci";
    AppendNumbers(record, { center_.GetX() * scale, center_.GetY() * scale, radius_ * scale });
    if (full_circle_ != 1 || flatness_ != 1.0) {
        // Summed in degrees, the unit of the record: 350 + 20 gives exactly
        // 10, where a sum in radians would come back as 9.99999999999999.
        TAngle end;
        end.SetDegrees(start_.GetDegrees() + arc_.GetDegrees());
        end.Normalize();
        const double end_degrees = std::fabs(end.GetRadians()) < zero_angle ? 360.0 : end.GetDegrees();
        AppendNumbers(record, { start_.GetDegrees(), end_degrees, flatness_, tilt_.GetDegrees() });
    }
    lines.push_back(record);
}
