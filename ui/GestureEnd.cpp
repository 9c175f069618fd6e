// The view changes that end two-button gestures.

#include "ui/GestureEnd.h"

#include "document/ZhdData.h"
#include "ui/DragGeometry.h"
#include "ui/ViewChange.h"

#include <algorithm>
#include <cmath>

namespace {

// Zooming out takes the view's scale by this for each step.
constexpr double zoom_out_step = 0.7071067811865476;

enum TDirection { Up, UpRight, Right, DownRight, Down, DownLeft, Left, UpLeft };

TBPoint PixelOf(QPoint point)
{
    return TBPoint(point.x(), point.y());
}

// The box spanned from the press to the release fills the view, centred on
// the box's centre; both its width and its height fit.
TZhdZoom ZoomBox(const TInfoREG& info, QPoint press, QPoint release, TBPoint& centre)
{
    centre = info.ScreenToWorld(TBPoint((release.x() + press.x()) * 0.5, (release.y() + press.y()) * 0.5));
    const TBPoint box_low = info.ScreenToWorld(TBPoint(press.x(), release.y()));
    const TBPoint box_high = info.ScreenToWorld(TBPoint(release.x(), press.y()));
    const TBPoint view_low = info.GetViewCorner(0);
    const TBPoint view_high = info.GetViewCorner(2);
    const double ry = (view_high.GetY() - view_low.GetY()) / (box_high.GetY() - box_low.GetY());
    const double rx = (view_high.GetX() - view_low.GetX()) / (box_high.GetX() - box_low.GetX());
    TZhdZoom view = info.GetView();
    view.SetScale(view.GetScale() * std::min(rx, ry));
    view.SetXY(centre.GetX(), centre.GetY());
    return view;
}

double ZoomOutFactor(int length)
{
    return std::pow(zoom_out_step, ZoomOutSteps(length));
}

} // namespace

TGestureEnd EndGesture(TZhdData& document, QPoint press, QPoint release, QPoint cursor)
{
    TInfoREG& info = document.GetInfoRegPtr();
    TZhdHead& head = document.GetHeadPtr();
    TZhdZoom view = info.GetView();
    TGestureEnd end;
    const int length = GetDragLength(release.x(), release.y(), press.x(), press.y());
    if (length < GestureThreshold) {
        const TBPoint centre = info.ScreenToWorld(PixelOf(cursor));
        view.SetXY(centre.GetX(), centre.GetY());
        InstallView(info, view);
        info.SetMouseScreen(PixelOf(cursor));
        return end;
    }
    end.direction = GetGestureDirection(release.x(), release.y(), GestureSectors, GestureBand, press.x(), press.y());
    switch (end.direction) {
    case Up:
        head.SetRangeMemoryView(HeaderViewOf(info, view));
        return end;
    case Down:
        head.SetRangeMemoryView(TZhdZoom(1.0));
        return end;
    case UpRight:
        InstallView(info, ViewFromHeader(info, head.GetRangeMemoryView()));
        break;
    case Right:
    case Left:
        if (const std::optional<TZhdZoom> jump = MarkJumpView(info, head.GetMarkJumps(), end.direction == Right ? 1 : 2))
            InstallView(info, *jump);
        break;
    case DownLeft:
        InstallView(info, info.GetPrevView());
        break;
    case UpLeft:
        InstallView(info, ZoomedAbout(info, PixelOf(press), ZoomOutFactor(length)));
        break;
    case DownRight: {
        TBPoint centre;
        InstallView(info, ZoomBox(info, press, release, centre));
        // The cursor goes to what was the box's centre: the view's centre.
        const TBPoint pixel = info.WorldToScreen(centre);
        info.SetMouseScreen(pixel);
        end.cursor = QPoint(static_cast<int>(pixel.GetX()), static_cast<int>(pixel.GetY()));
        return end;
    }
    default:
        return end;
    }
    info.SetMouseScreen(PixelOf(release));
    end.cursor = release;
    return end;
}
