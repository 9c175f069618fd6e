// Drawing a solid. A plain solid fills the polygon of its distinct corners
// itself (two corners: a segment with the element's pen); an arc solid
// draws a whole circle and the arc-line kind through the arc primitive and
// hands every other figure to TInfoREG::DrawSolid, which clips it to the
// output area. A whole ring goes there as two half rings, since the
// clipping follows one arc from its start to its end.
//
// Degenerate solids draw nothing: corners that are not all finite, a plain
// solid whose corners all coincide, and an arc solid of radius 0 (the
// clipping samples its arc in steps of one pixel over the radius).
//
// Solids take no part in the auxiliary-element rule: pen or line type 9
// draws like any other.

#include "elements/KSolid.h"

#include "core/Constants.h"
#include "core/PlaneGeometry.h"
#include "document/ZhdData.h"
#include "elements/KCircle.h"
#include "platform/Canvas.h"
#include "render/InfoReg.h"

#include <vector>

namespace {

constexpr int kWhite = 0xFFFFFF;
// Pen colour numbers beyond 9 (the own-colour number 10) take the pen of
// their last digit.
constexpr int kPenNumbers = 10;
// The arc primitive fills (1) or outlines (0).
constexpr int kFill = 1;
constexpr int kOutline = 0;
constexpr int kSolidLineType = 1;

// The element's own colour unless the pass forces its drawing colour on
// every element; pen and brush both take it. The brush is made solid here:
// a pass sets it once, and an arc or a text drawn before in the same pass
// leaves it clear.
int SetSolidColor(const TKSolid& solid, TCanvas& canvas, TZhdData& document)
{
    const bool own = solid.HasOwnColor() && document.GetDrawColorMode() == 0;
    const int color = own ? solid.GetColor() : document.GetDrawColor();
    canvas.SetPenColor(color);
    canvas.SetBrush(TBrush { color, TBrushStyle::Solid });
    return color;
}

// A white fill over a transparent raster hides what lies under it, so the
// element-list drawing draws such solids again later.
void MarkWhiteSolid(int color, TZhdData& document)
{
    const TInfoREG& info = document.GetInfoRegPtr();
    const bool transparency = info.Transparent != 0 || info.ColorTransparent != 0;
    document.SetWhiteSolidFlag(transparency && color == kWhite ? 1 : 0);
}

void SetElementPen(const TKSolid& solid, TCanvas& canvas, TZhdData& document)
{
    canvas.SetPenStyle(TPenStyle::Solid);
    const unsigned width =
        document.GetInfoRegPtr().GetPenWidthPixels(solid.GetPenWidth(), solid.GetPenColor() % kPenNumbers, document);
    canvas.SetPenWidth(static_cast<int>(width));
}

} // namespace

int TKSolid::Draw(TCanvas& canvas, TZhdData& document)
{
    MarkWhiteSolid(SetSolidColor(*this, canvas, document), document);
    if (!HasFiniteCorners())
        return 0;
    return IsArcSolid() ? DrawArcSolid(canvas, document) : DrawPlainSolid(canvas, document);
}

int TKSolid::DrawPlainSolid(TCanvas& canvas, TZhdData& document) const
{
    TInfoREG& info = document.GetInfoRegPtr();
    const std::vector<TBPoint> merged = GetMergedCorners();
    if (merged.size() == 2) {
        // Corners that all coincide are no segment either.
        if (merged[0].DistanceTo(merged[1]) <= SegmentTolerance)
            return 0;
        SetElementPen(*this, canvas, document);
        info.DrawSegment(canvas, merged[0], merged[1]);
        return 1;
    }
    canvas.SetPenStyle(TPenStyle::Clear);
    std::vector<TPointI> pixels;
    for (const TBPoint& corner : merged) {
        const TBPoint screen = info.WorldToScreen(corner);
        pixels.push_back({ screen.GetXInt() - info.PolygonOffsetX, screen.GetYInt() - info.PolygonOffsetY });
    }
    canvas.Polygon(pixels);
    return 1;
}

int TKSolid::DrawArcSolid(TCanvas& canvas, TZhdData& document) const
{
    TInfoREG& info = document.GetInfoRegPtr();
    const TKCircle ellipse = SolidEllipse();
    if (ellipse.GetRadius() == 0)
        return 0;
    const int kind = GetPenStyle();
    // A whole figure goes round a full turn whatever arc angle is stored:
    // the text form stores whole ellipses with an arc of 0, which would
    // draw nothing but a circle.
    const TAngle sweep = ellipse.GetFullCircle() != 0 ? TAngle(2 * Pi) : ellipse.GetArcAngle();
    const auto draw_arc = [&](int fill) {
        return info.DrawArc(canvas, ellipse.GetCenter(), ellipse.GetRadius(), ellipse.GetStartAngle(), sweep,
                            ellipse.GetFlatness(), ellipse.GetTiltAngle(), document.GetLineType(kSolidLineType),
                            fill);
    };
    if (kind == EllipseKind && corners_[3].GetY() == WholeEllipseValue && corners_[1].GetY() == 1.0)
        return draw_arc(kFill);
    if (kind == ArcLineKind) {
        SetElementPen(*this, canvas, document);
        return draw_arc(kOutline);
    }
    if (IsRing() && ellipse.GetFullCircle() != 0) {
        TKSolid half = *this;
        half.corners_[3].SetX(Pi);
        info.DrawSolid(canvas, half);
        half.corners_[2].SetY(corners_[2].GetY() + Pi);
        return info.DrawSolid(canvas, half);
    }
    return info.DrawSolid(canvas, *this);
}
