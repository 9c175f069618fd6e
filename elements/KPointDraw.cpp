// Drawing a point: a small open circle for a temporary point, a dot sized by
// the print pen of its colour for a plain one, and for a marker point the
// document's marker shape placed at it, drawn with the point's attributes.

#include "elements/KPoint.h"

#include "document/ZhdData.h"
#include "elements/ElemDrawing.h"
#include "platform/Canvas.h"
#include "render/DeviceClip.h"
#include "render/InfoReg.h"

#include <cmath>
#include <string>

namespace {

// Half the side of a temporary point's circle, in pixels.
constexpr double temporary_half_size = 2.5;

} // namespace

int TKPoint::Draw(TCanvas& canvas, TZhdData& document)
{
    canvas.SetBrushColor(document.GetDrawColor());
    if (!BeginElementDrawing(canvas, document, GetPenColor() == AuxiliaryNumber))
        return 0;
    TInfoREG& info = document.GetInfoRegPtr();
    const TBPoint screen = info.WorldToScreen(position_);
    if (!std::isfinite(screen.GetX()) || !std::isfinite(screen.GetY()))
        return 0;

    if (temporary_ != 0) {
        canvas.SetBrushStyle(TBrushStyle::Clear);
        canvas.SetPenWidth(1);
        canvas.Ellipse(DeviceInt(screen.GetX() - temporary_half_size), DeviceInt(screen.GetY() - temporary_half_size),
                       DeviceInt(screen.GetX() + temporary_half_size), DeviceInt(screen.GetY() + temporary_half_size));
        return 1;
    }
    if (!IsMarker())
        return DrawDot(canvas, document);
    return DrawMarker(canvas, document);
}

// A filled dot of the print pen's point radius: at least a pixel on screen,
// and following the print scale as PenHankeiFix asks under the print rules.
// Its box is made square in pixels.
int TKPoint::DrawDot(TCanvas& canvas, TZhdData& document) const
{
    TInfoREG& info = document.GetInfoRegPtr();
    canvas.SetBrushStyle(TBrushStyle::Solid);
    double radius = document.GetPrtPenMapPtr()[std::to_string(GetPenColor())].GetPointRadius();
    const double scale = info.GetView().GetScale();
    if (info.FollowsPrintScale()) {
        radius = info.GetScalePower(2) * radius / scale;
    } else {
        const double pixel = info.GetMMPerPixelX() / scale;
        if (radius / pixel < 1.0)
            radius = pixel;
    }
    const TBPoint upper_left = info.WorldToScreen(TBPoint(position_.GetX() - radius, position_.GetY() + radius));
    const TBPoint lower_right = info.WorldToScreen(TBPoint(position_.GetX() + radius, position_.GetY() - radius));
    const int left = DeviceInt(upper_left.GetX());
    const int top = DeviceInt(upper_left.GetY());
    const int right = DeviceInt(lower_right.GetX());
    canvas.Ellipse(left, top, right, DeviceInt(static_cast<double>(top) + (right - left)));
    return 1;
}

// The shape's elements take the point's attribute record (keeping their own
// line type) and draw with the caller's drawing colour; on a background of
// that colour the lines switch to its complement, solids fill as they are.
int TKPoint::DrawMarker(TCanvas& canvas, TZhdData& document) const
{
    TInfoREG& info = document.GetInfoRegPtr();
    const bool print_pens = info.OutputJob != 0 || info.PrintPreview != 0;
    const TColor background =
        (print_pens ? document.GetPrtPenMapPtr()["B"] : document.GetPenMapPtr()["B"]).GetColorValue();
    info.PolygonOffsetX = 0;
    info.PolygonOffsetY = 0;
    const TZhdElemList shape = PlacedMarkerShape(document);
    for (auto copy = shape.Begin(); copy != shape.End(); ++copy) {
        TZhdElem& elem = **copy;
        const std::uint8_t own_line_type = elem.GetPenStyle();
        elem.SetStatus(GetStatus());
        elem.SetPenStyle(own_line_type);
        if (elem.GetTypeCode() == SolidCode)
            canvas.SetBrushStyle(TBrushStyle::Solid);
        else if (background == document.GetDrawColor())
            document.SetDrawColor(~document.GetDrawColor() & 0xFFFFFF);
        elem.Draw(canvas, document);
    }
    return 1;
}
