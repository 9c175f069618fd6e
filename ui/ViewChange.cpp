#include "ui/ViewChange.h"

#include "core/BPoint.h"
#include "render/InfoReg.h"

#include <algorithm>
#include <cmath>

namespace {

bool IsUsableScale(double scale)
{
    return std::isfinite(scale) && scale > 0;
}

bool IsUsableHeaderView(const TZhdZoom& view)
{
    return IsUsableScale(view.GetScale()) && std::isfinite(view.GetX()) && std::isfinite(view.GetY());
}

TZhdZoom ViewAt(double x, double y, double scale)
{
    TZhdZoom view(scale);
    view.SetXY(x, y);
    return view;
}

} // namespace

double FittingScale(const TInfoREG& info)
{
    return 1 / info.FitFactor;
}

TZhdZoom FittedView(const TInfoREG& info)
{
    return TZhdZoom(FittingScale(info));
}

double BoundedScale(const TInfoREG& info, double scale)
{
    const double fitting = FittingScale(info);
    // Without a fitted view to measure by, a usable scale is left alone; the
    // next drawing fits the paper for one that is not.
    if (!IsUsableScale(fitting))
        return scale;
    if (!IsUsableScale(scale))
        return fitting;
    return std::clamp(scale, fitting * MinimumZoomOfFit, fitting * MaximumZoomOfFit);
}

TZhdZoom InstallView(TInfoREG& info, TZhdZoom view)
{
    view.SetScale(BoundedScale(info, view.GetScale()));
    return info.SetViewKeepPrevious(view);
}

TZhdZoom ZoomedAbout(const TInfoREG& info, const TBPoint& pixel, double factor)
{
    const TBPoint before = info.ScreenToWorld(pixel);
    TZhdZoom view = info.GetView();
    view.SetScale(BoundedScale(info, view.GetScale() * factor));
    // The same transform as the real view's, on a copy.
    TInfoREG zoomed(info);
    zoomed.SetView(view);
    const TBPoint after = zoomed.ScreenToWorld(pixel);
    view.SetXY(view.GetX() - (after.GetX() - before.GetX()), view.GetY() - (after.GetY() - before.GetY()));
    return view;
}

TZhdZoom ViewFromHeader(const TInfoREG& info, const TZhdZoom& header_view)
{
    if (!IsUsableHeaderView(header_view))
        return FittedView(info);
    return ViewAt(header_view.GetX(), header_view.GetY(), header_view.GetScale() / info.FitFactor);
}

TZhdZoom HeaderViewOf(const TInfoREG& info, const TZhdZoom& view)
{
    return ViewAt(view.GetX(), view.GetY(), view.GetScale() * info.FitFactor);
}

std::optional<TZhdZoom> MarkJumpView(const TInfoREG& info, const TVect<TZhdZoomF>& jumps, int entry)
{
    if (entry < 1 || entry >= jumps.Count())
        return std::nullopt;
    return ViewFromHeader(info, jumps.Get(entry));
}
