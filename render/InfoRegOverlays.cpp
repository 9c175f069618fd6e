// The cross-hair and the print frame: overlays in not-XOR mode, so that the
// same figure drawn twice restores the picture and they can follow the mouse
// without a redraw.

#include "render/InfoReg.h"

#include "core/Constants.h"
#include "document/ZhdData.h"
#include "platform/Canvas.h"

#include <cmath>

namespace {

void SetOverlayPen(TCanvas& canvas, TColor color)
{
    canvas.SetPen(TPen { color, 1, TPenStyle::Solid, TPenMode::NotXor });
}

constexpr TColor pure_blue = PackColor(0, 0, 255);

} // namespace

void TInfoREG::DrawViewOverlays(TCanvas& canvas, TZhdData& document)
{
    if (OutputJob != 0 || NestedDraw != 0)
        return;
    if (PrintPreview != 0) {
        const TZhdZoomF area = document.GetHeadPtr().GetPrinterArea();
        const TBPoint center = FrameFollow == 0 ? TBPoint(area.GetX(), area.GetY())
                                                : GetPrintFrameCentre(area.GetCode() / 10, MouseWorld, document);
        DrawPrintFrame(canvas, center, document);
    }
    DrawCrossHair(canvas, MouseWorld, document);
}

std::array<TBPoint, 4> TInfoREG::GetCrossHairEnds(const TBPoint& point, const TZhdData& document) const
{
    const double axis = document.GetInfoAngle().GetRadians();
    // The output area's diagonal in drawing millimetres: both lines run past
    // every edge wherever the point is.
    const double reach = GetMMPerPixelX() * std::hypot(PixelWidth, PixelHeight) / View.GetScale();
    std::array<TBPoint, 4> ends;
    for (int k = 0; k < 4; ++k)
        point.PolarOffset(reach, TAngle(axis + k * Pi / 2), ends[k]);
    return ends;
}

int TInfoREG::DrawCrossHair(TCanvas& canvas, const TBPoint& point, TZhdData& document)
{
    const std::array<TBPoint, 4> ends = GetCrossHairEnds(point, document);
    SetOverlayPen(canvas, document.GetPenMapPtr()["Z"].GetColorValue());
    DrawSegmentRounded(canvas, ends[0], ends[2]);
    DrawSegmentRounded(canvas, ends[1], ends[3]);
    canvas.SetPenMode(TPenMode::Copy);
    return 1;
}

int TInfoREG::DrawCrossHairXY(TCanvas& canvas, double x, double y, TZhdData& document)
{
    return DrawCrossHair(canvas, TBPoint(x, y), document);
}

std::array<TBPoint, 4> TInfoREG::GetPrintFrameCorners(const TBPoint& center, const TZhdData& document) const
{
    const double scale = document.GetHeadPtr().GetPrinterArea().GetScale();
    const double half_width = PaperWidth / scale / 2;
    const double half_height = PaperHeight / scale / 2;
    std::array<TBPoint, 4> corners = { TBPoint(-half_width, -half_height), TBPoint(half_width, -half_height),
                                       TBPoint(half_width, half_height), TBPoint(-half_width, half_height) };
    for (TBPoint& corner : corners) {
        if (PrintAngle != 0)
            RotatePoint(TBPoint(corner.GetX(), corner.GetY()), TAngle(PrintAngle), corner);
        corner += center;
    }
    return corners;
}

int TInfoREG::DrawPrintFrame(TCanvas& canvas, const TBPoint& center, TZhdData& document)
{
    const std::array<TBPoint, 4> corners = GetPrintFrameCorners(center, document);
    SetOverlayPen(canvas, document.GetPenMapPtr()["S"].GetColorValue());
    DrawSegmentRounded(canvas, corners[1], corners[2]);
    DrawSegmentRounded(canvas, corners[2], corners[3]);
    DrawSegmentRounded(canvas, corners[3], corners[0]);
    // The paper's lower edge in blue shows which way up a turned frame lies.
    if (PrintAngle != 0)
        canvas.SetPenColor(pure_blue);
    DrawSegmentRounded(canvas, corners[0], corners[1]);
    canvas.SetPenMode(TPenMode::Copy);
    return 1;
}

int TInfoREG::DrawPrintFrameXY(TCanvas& canvas, double x, double y, TZhdData& document)
{
    return DrawPrintFrame(canvas, TBPoint(x, y), document);
}
