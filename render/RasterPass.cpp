// The compositing pass before a page of an output job: colour images drawn
// transparent or turned are resolved on a bitmap of everything under them,
// so that the printer only ever gets opaque, unturned pictures.

#include "document/ZhdElemList.h"

#include "core/DebugLog.h"
#include "core/LayerState.h"
#include "document/ZhdData.h"
#include "elements/KMoji.h"
#include "platform/ImageCanvas.h"
#include "platform/Numbers.h"
#include "render/InfoReg.h"
#include "render/RasterColor.h"

#include <boost/make_shared.hpp>

#include <cmath>

namespace {

constexpr double largest_side = 3000;

// Whether the element is a visible text whose colour image needs a
// composite. Its image is loaded first when it has none yet, so that every
// page of a job, not only the first, finds it.
bool NeedsComposite(TZhdElem& elem, TZhdData& document, TBPoint lower_left, TBPoint upper_right)
{
    const TInfoREG& info = document.GetInfoRegPtr();
    if (document.GetCachedLayerState(elem.GetGLayer(), elem.GetLayer()) <= LayerMaskDisplayOnly)
        return false;
    if (elem.ExtentOverlapsRect(lower_left, upper_right, document, 0) == 0)
        return false;
    if (elem.GetTypeCode() != TZhdElem::MojiCode || elem.GetText(TKMoji::ImageSpecText).empty())
        return false;
    auto& text = static_cast<TKMoji&>(elem);
    if (!text.EnsureImage(document) || text.GetRasterCount() < 1)
        return false;
    if (text.GetRaster()->GetInfoRef().GetBitCount() <= 1)
        return false;
    return info.ColorTransparent != 0 || text.GetAngle().GetRadians() != 0;
}

// The pixel size of the composite: the text's extent on the page, halved
// until both sides fit.
bool CompositeSize(double width, double height, int& pixel_width, int& pixel_height)
{
    while (width > largest_side || height > largest_side) {
        width /= 2;
        height /= 2;
    }
    pixel_width = static_cast<int>(width + 0.5);
    pixel_height = static_cast<int>(height + 0.5);
    // Less than half a pixel has no millimetres per pixel to draw with.
    return pixel_width > 0 && pixel_height > 0;
}

// Everything under the text, its own image included, drawn onto a bitmap
// that covers the text's extent; null when the extent has no pixels.
boost::shared_ptr<TRasterColor> Composite(TZhdElemList& list, TKMoji& text, TZhdData& document)
{
    TInfoREG& info = document.GetInfoRegPtr();
    TBPoint min, max;
    text.GetExtent(min, max, document, 0);
    const TBPoint a = info.WorldToScreen(min);
    const TBPoint b = info.WorldToScreen(max);
    WriteDebugLog("<==== COLORTRANSPARENTS ====>");
    const double dx = max.GetX() - min.GetX();
    const double dy = max.GetY() - min.GetY();
    int w = 0, h = 0;
    const bool sized = CompositeSize(std::trunc(b.GetX()) - std::trunc(a.GetX()),
                                     std::trunc(a.GetY()) - std::trunc(b.GetY()), w, h);
    WriteDebugLog(StringPrintf("Width=%d Height=%d Size=%.2f", w, h, w * h * 3.0 / 1024 / 1024));
    WriteDebugLog("</==== COLORTRANSPARENTS ====>");
    if (!sized || !(dx > 0) || !(dy > 0))
        return nullptr;

    info.SetScreenWidthMM(dx);
    info.SetScreenHeightMM(dy);
    info.SetPixelWidth(w);
    info.SetPixelHeight(h);
    TZhdZoom view(1.0);
    view.SetXY((min.GetX() + max.GetX()) / 2, (min.GetY() + max.GetY()) / 2);
    info.SetViewKeepPrevious(view);

    auto composite = boost::make_shared<TRasterColor>();
    TRasterInfo record = text.GetRaster()->GetInfoRef();
    record.SetWidth(dx);
    record.SetHeight(dy);
    record.SetPixelWidth(w);
    record.SetPixelHeight(h);
    composite->SetInfo(record);
    TImageCanvas canvas(TBitmap(w, h, TPixelFormat::Rgb24));
    list.Draw(canvas, document);
    composite->SetBitmap(canvas.Bitmap());
    return composite;
}

} // namespace

int TZhdElemList::DrawRasters(TCanvas&, TZhdData& document, std::vector<int>& positions)
{
    TInfoREG& info = document.GetInfoRegPtr();
    if (info.OutputJob == 0)
        return 0;
    info.RasterPass = 1;
    const TInfoREG saved = info;
    WriteDebugLog("<==== Fake ====>");
    const TBPoint lower_left = info.GetViewCorner(0);
    const TBPoint upper_right = info.GetViewCorner(2);

    // Every composite first, so that each shows the others' images as they
    // were loaded; then the composites take their texts' places.
    const std::size_t first_new = positions.size();
    for (int position = 0; position < Size(); ++position) {
        TZhdElemPtr elem = items_[static_cast<std::size_t>(position)];
        if (!NeedsComposite(*elem, document, lower_left, upper_right))
            continue;
        document.SetInfoReg(saved);
        auto& text = static_cast<TKMoji&>(*elem);
        const boost::shared_ptr<TRasterColor> composite = Composite(*this, text, document);
        if (!composite)
            continue;
        text.AddRaster(composite);
        SetAt(position, elem);
        positions.push_back(position);
    }
    int count = 0;
    for (std::size_t i = first_new; i < positions.size(); ++i) {
        TZhdElemPtr elem = items_[static_cast<std::size_t>(positions[i])];
        auto& text = static_cast<TKMoji&>(*elem);
        if (text.GetRasterCount() > 1) {
            text.SetRaster(text.GetRasterAt(1));
            text.RemoveLastRaster();
            SetAt(positions[i], elem);
            ++count;
            WriteDebugLog("<FakeRaster>");
        }
    }
    document.SetInfoReg(saved);
    document.GetInfoRegPtr().RasterPass = 0;
    WriteDebugLog("</==== Fake ====>");
    return count;
}
