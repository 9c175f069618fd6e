// The view: drawing millimetres (y upward) against output pixels (y
// downward). One output pixel covers m / s drawing millimetres, m being the
// output millimetres per pixel and s the view's scale; the view's centre
// lands on pixel (W div 2, H div 2).
//
// A view without a usable scale (0, negative, or not finite, as a damaged
// file's stored view may bring) is fitted to the paper before anything is
// drawn, so no transform ever divides by it.

#include "render/InfoReg.h"

#include "core/DebugLog.h"
#include "core/KDefine.h"
#include "document/ZhdData.h"
#include "platform/Numbers.h"
#include "platform/ScreenMetrics.h"

#include <cmath>

namespace {

bool IsUsableScale(double scale)
{
    return std::isfinite(scale) && scale > 0;
}

// The paper a drawing of no known paper size is fitted to: the view's own
// default paper, A4 landscape.
constexpr double fallback_paper_width = 297.0;
constexpr double fallback_paper_height = 210.0;

} // namespace

double TInfoREG::GetMMPerPixelX() const
{
    if (OutputJob != 0)
        return ScreenWidthMM / PixelWidth;
    return ScreenWidthMM / ScreenMetrics().width_pixels;
}

double TInfoREG::GetMMPerPixelY() const
{
    if (ScreenHeightMM == 0)
        return GetMMPerPixelX();
    if (OutputJob != 0)
        return ScreenHeightMM / PixelHeight;
    return ScreenHeightMM / ScreenMetrics().height_pixels;
}

void TInfoREG::SetBairitsu(double paper_width, double paper_height, const TZhdData& document)
{
    WriteDebugLog(StringPrintf("<SetBairitsu> %f %f %.3f %.3f %d %d %f %f", View.GetScale(), FitFactor, paper_width,
                               paper_height, PixelWidth, PixelHeight, GetMMPerPixelX(), GetMMPerPixelY()));
    const int paper = document.GetHeadPtr().GetPaperSize();
    if (!(paper_width > 0))
        paper_width = LookUp(SharedDefine().PaperWidths, paper);
    if (!(paper_height > 0))
        paper_height = LookUp(SharedDefine().PaperHeights, paper);
    if (!IsUsableScale(View.GetScale())) {
        if (!(paper_width > 0) || !(paper_height > 0) || !std::isfinite(paper_width + paper_height)) {
            paper_width = fallback_paper_width;
            paper_height = fallback_paper_height;
        }
        const int width = PixelWidth > 0 ? PixelWidth : 1;
        const int height = PixelHeight > 0 ? PixelHeight : 1;
        const double scale = paper_height / paper_width < static_cast<double>(height) / width
            ? GetMMPerPixelX() * width / paper_width
            : GetMMPerPixelY() * height / paper_height;
        View.SetScale(scale);
        FitFactor = 1 / scale;
    }
    WriteDebugLog(StringPrintf("<SetBairitsu> %f %f %.3f %.3f", View.GetScale(), FitFactor, paper_width, paper_height));
}

TScreenTransform TInfoREG::ScreenTransform() const
{
    return TScreenTransform { View.GetX(),       View.GetY(),           View.GetScale(),
                              GetMMPerPixelX(),  GetMMPerPixelY(),      static_cast<double>(PixelWidth / 2),
                              static_cast<double>(PixelHeight / 2) };
}

TBPoint TInfoREG::WorldToScreen(const TBPoint& point) const
{
    return ScreenTransform().Apply(point);
}

TBPoint TInfoREG::WorldToScreenRounded(const TBPoint& point) const
{
    return RoundedOutputPoint(WorldToScreen(point));
}

TBPoint TInfoREG::ScreenToWorld(const TBPoint& point) const
{
    const double scale = View.GetScale();
    const double x = (point.GetX() - PixelWidth / 2) / (scale / GetMMPerPixelX());
    const double y = -(point.GetY() - PixelHeight / 2) / (scale / GetMMPerPixelY());
    return TBPoint(x + View.GetX(), y + View.GetY());
}

TBPoint TInfoREG::GetViewCorner(int kind) const
{
    switch (kind) {
    case 1:
        return ScreenToWorld(TBPoint(PixelWidth, PixelHeight));
    case 2:
        return ScreenToWorld(TBPoint(PixelWidth, 0));
    case 3:
        return ScreenToWorld(TBPoint(0, 0));
    default:
        return ScreenToWorld(TBPoint(0, PixelHeight));
    }
}

unsigned TInfoREG::GetPenWidthPixels(unsigned width, int color_number, TZhdData& document) const
{
    if (LineWidthDisplay == 0)
        return 1;
    unsigned resolved = width;
    if (resolved == 0) {
        resolved = color_number > 0
            ? static_cast<unsigned>(document.GetPrtPenMapPtr()[std::to_string(color_number)].GetWidth())
            : 1;
    }
    return PenWidthPixelsOf(resolved);
}

unsigned TInfoREG::PenWidthPixelsOf(unsigned width) const
{
    if (LineWidthDisplay == 0)
        return 1;
    unsigned pixels = 0;
    if (PenWidthUnit >= 1) {
        pixels = OutputJob != 0 ? width : 1;
    } else {
        const double divisor = PenWidthUnit == -101 ? 100.0 : std::abs(static_cast<double>(PenWidthUnit));
        const double mm = width / divisor;
        const bool print_rules = OutputJob != 0 || (PrintPreview != 0 && PenPreviewFix != 0);
        const double scale = print_rules ? GetScalePower(0) : View.GetScale();
        const double exact = mm / (GetMMPerPixelX() / scale) + 0.9;
        // A pen wider than any output is as wide as the largest one.
        constexpr double widest = 1 << 14;
        pixels = std::isfinite(exact) && exact < widest ? static_cast<unsigned>(exact > 0 ? exact : 0) : 1 << 14;
    }
    return pixels == 0 ? 1 : pixels;
}

double TInfoREG::GetScalePower(int kind) const
{
    int selector = 0;
    switch (kind) {
    case 0:
        selector = PenWidthFix;
        break;
    case 1:
        selector = PenPitchFix;
        break;
    case 2:
        selector = PenHankeiFix;
        break;
    case 3:
        selector = PenEdgeFix;
        break;
    default:
        break;
    }
    const double scale = View.GetScale();
    switch (selector) {
    case 1:
        return std::pow(scale, 0.5);
    case 2:
        return std::pow(scale, 0.25);
    case 3:
        return std::pow(scale, 0.125);
    case 4:
        return 1.0;
    default:
        return scale;
    }
}

TBPoint TInfoREG::PrintFrameOffset(int kind, const TZhdData& document) const
{
    const TZhdZoomF area = document.GetHeadPtr().GetPrinterArea();
    const double half_width = PaperWidth / area.GetScale() / 2;
    const double half_height = PaperHeight / area.GetScale() / 2;
    // Keypad order minus 1: columns left, middle, right; rows lower, middle,
    // upper.
    double x = 0, y = 0;
    if (kind >= 0 && kind <= 8) {
        x = (kind % 3 - 1) * half_width;
        y = (kind / 3 - 1) * half_height;
    }
    TBPoint offset(x, y);
    if (PrintAngle != 0)
        RotatePoint(TBPoint(x, y), TAngle(PrintAngle), offset);
    return offset;
}

TBPoint TInfoREG::GetPrintFramePoint(unsigned kind, const TZhdData& document) const
{
    const TBPoint offset = PrintFrameOffset(kind <= 8 ? static_cast<int>(kind) : -1, document);
    const TZhdZoomF area = document.GetHeadPtr().GetPrinterArea();
    return TBPoint(area.GetX() + offset.GetX(), area.GetY() + offset.GetY());
}

TBPoint TInfoREG::GetPrintFrameCentre(int kind, const TBPoint& point, const TZhdData& document) const
{
    const TBPoint offset = PrintFrameOffset(kind, document);
    return TBPoint(point.GetX() - offset.GetX(), point.GetY() - offset.GetY());
}
