// Picking, snapping and markers. The searches are the document's
// (document/ZhdElemListNearest.cpp); what is added here is the choice among
// their answers, measured in drawing millimetres, and the test of the
// winner in pixels.

#include "ui/PointingServices.h"

#include "core/KDefine.h"
#include "document/ZhdData.h"
#include "platform/ImageCanvas.h"
#include "ui/MainControls.h"
#include "ui/PaintBox.h"

#include <QRect>

#include <cmath>
#include <vector>

namespace {

// The searches' distance when they found nothing.
constexpr double nothing_found = 1e308;

// The marker's box: 2 pixels each way from its point, right and bottom
// edges outside.
constexpr int marker_reach = 2;

// The answer stands when its point lies less than `tolerance` pixels from
// the pixel asked about.
int AcceptedWithin(const TZhdData& document, int x, int y, const TBPoint& point, int tolerance, int result)
{
    const TBPoint screen = document.GetInfoRegPtr().WorldToScreen(point);
    return TBPoint(x, y).DistanceTo(screen) < tolerance ? result : -1;
}

QRect MarkerBox(QPoint at)
{
    return QRect(at.x() - marker_reach, at.y() - marker_reach, 2 * marker_reach, 2 * marker_reach);
}

} // namespace

int PickNearestElement(TZhdData& document, int x, int y, TBPoint& point, int tolerance)
{
    const TBPoint query = document.GetInfoRegPtr().ScreenToWorld(TBPoint(x, y));
    point = TBPoint(0.0, 0.0);
    int result = -1;
    if (document.GetElemListPtr().Size() > 0) {
        document.RefreshLayerStates();
        TBPoint nearest;
        double distance = nothing_found;
        result = document.FindNearestElementPoint(query, nearest, distance, tolerance);
        if (std::fabs(distance) < nothing_found)
            point = nearest;
    }
    return AcceptedWithin(document, x, y, point, tolerance, result);
}

// The snap point is the nearest candidate in drawing millimetres; the value
// returned says which search gave it: 0 for a drawing without elements, the
// end-point search's result, or the intersection search's when an
// intersection won. So a paper corner is refused when the drawing has
// elements but none with an end point near the pixel.
int SnapToFramePoint(TZhdData& document, int x, int y, TBPoint& point, int tolerance)
{
    const TBPoint query = document.GetInfoRegPtr().ScreenToWorld(TBPoint(x, y));
    double best = nothing_found;
    TBPoint snap(0.0, 0.0);
    int result = 0;

    // The corners of the paper centred on the drawing's origin.
    const int paper = document.GetHeadPtr().GetPaperSize();
    const double half_width = LookUp(SharedDefine().PaperWidths, paper) / 2;
    const double half_height = LookUp(SharedDefine().PaperHeights, paper) / 2;
    for (const TBPoint& corner : { TBPoint(-half_width, -half_height), TBPoint(half_width, -half_height),
                                   TBPoint(half_width, half_height), TBPoint(-half_width, half_height) }) {
        const double away = query.DistanceTo(corner);
        if (away < best) {
            best = away;
            snap = corner;
        }
    }

    if (document.GetElemListPtr().Size() > 0) {
        document.RefreshLayerStates();
        TBPoint end_point;
        double distance = nothing_found;
        result = document.FindNearestEndPoint(query, end_point, distance, tolerance);
        if (std::fabs(distance) < std::fabs(best)) {
            snap = end_point;
            best = std::fabs(distance);
        }
        TBPoint outline_point;
        const int nearest = document.FindNearestElementPoint(query, outline_point, distance, tolerance);
        if (nearest != -1) {
            std::vector<TBPoint> crossings;
            const int crossed = document.FindNearestIntersection(
                query, document.GetElemListPtr().GetAt(nearest), crossings, tolerance);
            if (crossed != -1) {
                for (const TBPoint& crossing : crossings) {
                    const double away = query.DistanceTo(crossing);
                    if (away < best) {
                        snap = crossing;
                        best = away;
                        result = crossed;
                    }
                }
            }
        }
    }
    point = snap;
    return AcceptedWithin(document, x, y, snap, tolerance, result);
}

TPointingServices::TPointingServices(TMainWindowHost& host)
    : TMainFeature(host)
{
}

int TPointingServices::PickNearestElement(int x, int y, TBPoint& point, int tolerance)
{
    return AskDisplayed(::PickNearestElement, x, y, point, tolerance);
}

int TPointingServices::SnapToFramePoint(int x, int y, TBPoint& point, int tolerance)
{
    return AskDisplayed(::SnapToFramePoint, x, y, point, tolerance);
}

// Once the window has closed there is no drawing: nothing is found.
int TPointingServices::AskDisplayed(TSearch search, int x, int y, TBPoint& point, int tolerance)
{
    TZhdData* document = host_.Document();
    if (!document) {
        point = TBPoint(0.0, 0.0);
        return -1;
    }
    return search(*document, x, y, point, tolerance);
}

void TPointingServices::DrawMarker(int x, int y, bool show, bool not_xor)
{
    TZhdData* document = host_.Document();
    if (!document)
        return;
    TZhdElemList& list = document->GetElemListPtr();
    if (show) {
        list.SetMarkerShown(1);
        marker_point_ = QPoint(x, y);
    } else if (list.GetMarkerShown() == 1) {
        list.SetMarkerShown(0);
    } else {
        return;
    }
    TPaintBox& paint_box = *host_.Controls().PaintBox1;
    TImageCanvas canvas(paint_box.Front());
    PaintMarker(canvas, *document, not_xor);
    canvas.Finish();
    paint_box.ShowFrontRect(MarkerBox(marker_point_));
}

// As DrawMarker(x, y, show, copy mode) point by point, on one canvas.
int TPointingServices::DrawPickedPoints()
{
    int count = 0;
    for (const std::vector<TBPoint>& points : host_.State().PickedPoints)
        count += static_cast<int>(points.size());
    TZhdData* document = host_.Document();
    if (!document || count == 0)
        return count;
    TPaintBox& paint_box = *host_.Controls().PaintBox1;
    TImageCanvas canvas(paint_box.Front());
    QRect touched;
    for (const std::vector<TBPoint>& points : host_.State().PickedPoints) {
        for (const TBPoint& point : points) {
            const TBPoint screen = document->GetInfoRegPtr().WorldToScreen(point);
            document->GetElemListPtr().SetMarkerShown(1);
            marker_point_ = QPoint(screen.GetXInt(), screen.GetYInt());
            PaintMarker(canvas, *document, false);
            touched |= MarkerBox(marker_point_);
        }
    }
    canvas.Finish();
    paint_box.ShowFrontRect(touched);
    return count;
}

void TPointingServices::PaintMarker(TCanvas& canvas, TZhdData& document, bool not_xor)
{
    canvas.SetBrushStyle(TBrushStyle::Clear);
    canvas.SetPen(TPen { document.GetPenMapPtr()["S"].GetColorValue(), 1, TPenStyle::Solid,
                         not_xor ? TPenMode::NotXor : TPenMode::Copy });
    const QRect box = MarkerBox(marker_point_);
    canvas.Ellipse(box.left(), box.top(), box.left() + box.width(), box.top() + box.height());
    canvas.SetPenMode(TPenMode::Copy);
}
