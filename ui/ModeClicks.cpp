// The command modes' clicks: the frame and image colour modes hand theirs to
// their features; the end-point check is done here, on the shown picture
// alone, so that a redraw or a paint from the back buffer takes it away.

#include "ui/ModeClicks.h"

#include "core/DebugLog.h"
#include "document/ZhdData.h"
#include "platform/ImageCanvas.h"
#include "platform/Numbers.h"
#include "platform/ShiftJis.h"
#include "render/RegionFill.h"
#include "ui/MainControls.h"
#include "ui/MouseRelease.h"
#include "ui/PaintBox.h"
#include "ui/PointingServices.h"
#include "ui/TipBox.h"

namespace {

void CallIfSet(const std::function<void(TMouseRelease&)>& click, TMouseRelease& release)
{
    if (click)
        click(release);
}

} // namespace

TModeClicks::TModeClicks(TMainWindowHost& host, TPointingServices& pointing, TTipBox& tip_box)
    : TMainFeature(host)
    , pointing_(pointing)
    , tip_box_(tip_box)
{
}

void TModeClicks::Click(TMouseRelease& release)
{
    switch (host_.State().CommandMode) {
    case FrameMode:
        CallIfSet(FrameClick, release);
        break;
    case ImageMode:
        CallIfSet(ImageColourClick, release);
        break;
    case EndPointMode:
        EndPointClick(release);
        break;
    default:
        break;
    }
}

// Right: the snap point nearest the click (or the point a clock command
// already found) gets the marker, the mouse point and the screen cursor.
// Left and middle: the fill, and the marker at the click.
void TModeClicks::EndPointClick(TMouseRelease& release)
{
    TZhdData* document = host_.Document();
    if (!document)
        return;
    TInfoREG& info = document->GetInfoRegPtr();
    const int x = release.action.x();
    const int y = release.action.y();
    TBPoint marker(x, y);
    if (release.button == TReleasedButton::Right) {
        if (release.pick_result == -1)
            release.pick_result = pointing_.SnapToFramePoint(x, y, release.picked_point, PointingTolerance);
        if (release.pick_result == -1) {
            tip_box_.ShowTip(sj(u8"　点がありません！　"), x, y, true);
            return;
        }
        marker = info.WorldToScreen(release.picked_point);
        info.SetMouseScreen(marker);
        host_.Controls().PaintBox1->MoveCursorTo(QPoint(marker.GetXInt(), marker.GetYInt()));
    } else {
        FillAreaAt(*document, x, y);
    }
    pointing_.DrawMarker(marker.GetXInt(), marker.GetYInt(), true, true);
}

void TModeClicks::FillAreaAt(TZhdData& document, int x, int y)
{
    TInfoREG& info = document.GetInfoRegPtr();
    const TBPoint at = info.ScreenToWorld(TBPoint(x, y));
    TPaintBox& paint_box = *host_.Controls().PaintBox1;
    {
        TImageCanvas canvas(paint_box.Front());
        // The move handler's cross-hair runs through the click: drawn again
        // (not-XOR) it leaves the outlines alone to bound the area, and
        // afterwards it stands over the red as before.
        info.DrawCrossHair(canvas, at, document);
        PaintSurface(canvas, canvas.GetPixel(x, y), x, y);
        info.DrawCrossHair(canvas, at, document);
        canvas.Finish();
    }
    paint_box.ShowFront();
    TPaintSurfaceCounters& counters = PaintSurfaceCounters();
    WriteDebugLog(PaintSurfaceCountLine(counters));
    counters.probes = 0;
}

std::string PaintSurfaceCountLine(const TPaintSurfaceCounters& counters)
{
    const double share = counters.probes == 0 ? 0.0 : 100.0 * counters.painted / counters.probes;
    return StringPrintf("Succes:PaintSurfaceCount= %u/%u (%.3f%s)", counters.painted, counters.probes, share, "%");
}
