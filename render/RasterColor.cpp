#include "render/RasterColor.h"

#include "core/DebugLog.h"
#include "document/SjFormat.h"
#include "document/ZhdData.h"
#include "platform/BmpFile.h"
#include "platform/Canvas.h"
#include "platform/ImagePlugin.h"
#include "platform/ImagePluginBitmap.h"
#include "platform/Numbers.h"
#include "platform/Tick.h"
#include "render/DeviceClip.h"
#include "render/InfoReg.h"
#include "render/RotateBitmap.h"

#include <chrono>
#include <cmath>
#include <system_error>

namespace {

constexpr TColor white = PackColor(255, 255, 255);
constexpr std::size_t color_count = std::size_t { 1 } << 24;

bool IsTurned(const TAngle& angle)
{
    return angle.GetRadians() != 0;
}

// Every colour the picture's pixels use.
std::shared_ptr<const std::vector<bool>> UsedColors(const TBitmap& bitmap)
{
    auto used = std::make_shared<std::vector<bool>>(color_count, false);
    for (int y = 0; y < bitmap.Height(); ++y) {
        if (bitmap.Format() == TPixelFormat::Rgb24) {
            const std::uint8_t* row = bitmap.ScanLine(y);
            for (int x = 0; x < bitmap.Width(); ++x, row += 3)
                (*used)[static_cast<std::size_t>(row[2] | row[1] << 8 | row[0] << 16)] = true;
            continue;
        }
        for (int x = 0; x < bitmap.Width(); ++x)
            (*used)[static_cast<std::size_t>(bitmap.GetPixel(x, y) & 0xFFFFFF)] = true;
    }
    return used;
}

} // namespace

TRectI OutputRectOf(const TZhdData& document, TBPoint first, TBPoint second)
{
    const TInfoREG& info = document.GetInfoRegPtr();
    const TBPoint a = info.WorldToScreen(first);
    const TBPoint b = info.WorldToScreen(second);
    return TRectI { DeviceInt(a.GetX()), DeviceInt(a.GetY()), DeviceInt(b.GetX()), DeviceInt(b.GetY()) };
}

TRasterColor::TRasterColor()
{
    GetInfoPtr()->SetColor(TRGB(white));
}

const TBitmap& TRasterColor::SetBitmap(const TBitmap& bitmap)
{
    bitmap_ = bitmap;
    used_colors_.reset();
    return bitmap_;
}

TRasterColor* TRasterColor::AssignBitmapFrom(const TRasterColor& other)
{
    SetBitmap(other.bitmap_);
    return this;
}

TRasterColor* TRasterColor::AssignBitmap(const TBitmap& bitmap)
{
    SetBitmap(bitmap);
    return this;
}

int TRasterColor::Load(const std::filesystem::path& file, TZhdData&)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error))
        return 0;
    if (HasExtensionIgnoringCase(file, ".bmp")) {
        WriteDebugLog("<LoadBitmapColor>");
        WriteDebugLog("Bitmap:" + file.string());
        GetInfoPtr()->ReadImageInfo(file);
        TBmpResult read = ReadBmpFile(file);
        SetBitmap(read.status == TBmpStatus::Loaded ? read.bitmap : TBitmap());
        WriteDebugLog("HandleType:0");
        WriteDebugLog("</LoadBitmapColor>");
        return bitmap_.IsEmpty() ? 0 : 1;
    }
    const TPluginPictureResult read = ProgramImagePlugins().LoadPicture(file);
    if (read.status != TImagePluginStatus::Decoded)
        return 0;
    SetBitmap(ToBitmap(read.picture));
    if (bitmap_.IsEmpty())
        return 0;
    WriteDebugLog("<LoadSpiColor>");
    WriteDebugLog("Spi:" + file.string());
    WriteDebugLog("HandleType:0");
    GetInfoPtr()->TakePluginInfo(read.info);
    WriteDebugLog("</LoadSpiColor>");
    WriteDebugLog("");
    return 1;
}

TRGB TRasterColor::GetUnusedColor()
{
    if (!used_colors_)
        used_colors_ = UsedColors(bitmap_);
    const auto own = static_cast<std::size_t>(GetInfoRef().GetColor().GetColor() & 0xFFFFFF);
    for (std::size_t color = 0; color < color_count; ++color) {
        if (!(*used_colors_)[color] && color != own)
            return TRGB(static_cast<int>(color));
    }
    return TRGB(0);
}

TColor TRasterColor::TurningKey(TZhdData& document)
{
    return document.GetInfoRegPtr().ColorTransparent != 0 ? GetInfoRef().GetColor().GetColor()
                                                          : GetUnusedColor().GetColor();
}

int TRasterColor::Draw(TCanvas& canvas, TZhdData& document, TBPoint lower_left, TBPoint upper_right, double,
                       double scale_y)
{
    WriteDebugLog("<BitmapColorDraw>");
    const TUnturnedImage unturned(*GetInfoPtr());
    std::vector<TBPoint> polygon;
    int min_x = 0, max_x = 0, min_y = 0, max_y = 0;
    if (bitmap_.IsEmpty() || ClipToView(lower_left, upper_right, polygon, min_x, max_x, min_y, max_y) < 1)
        return 0;
    const int w = GetInfoRef().GetPixelWidth();
    const int h = GetInfoRef().GetPixelHeight();
    const auto start = std::chrono::steady_clock::now();
    const TRectI whole = OutputRectOf(document, PixelToWorld(0, 0), PixelToWorld(w, h));
    const TInfoREG& info = document.GetInfoRegPtr();
    const TAngle& angle = unturned.Angle();
    if (info.OutputJob == 0 || info.RasterPass != 0 || info.FileOutput != 0) {
        DrawDirect(canvas, document, angle, whole);
    } else if ((info.ColorTransparent != 0 || IsTurned(angle)) && info.SpecialMemory != 0) {
        DrawPixelByPixel(canvas, document, angle, scale_y, min_x, max_x, min_y, max_y);
    } else {
        // A printer takes the picture opaque and unturned.
        canvas.StretchDraw(whole, bitmap_);
        WriteDebugLog("Metafile *meta");
    }
    WriteDebugLog(StringPrintf("startx:%d starty=%d endx=%d endy=%d", min_x, min_y, max_x, max_y));
    WriteDebugLog(SjPrintf(u8"#time：%.8f秒", SecondsSince(start)));
    WriteDebugLog("</BitmapColorDraw>");
    return 1;
}

void TRasterColor::DrawDirect(TCanvas& canvas, TZhdData& document, const TAngle& angle, const TRectI& whole)
{
    const TInfoREG& info = document.GetInfoRegPtr();
    if (!IsTurned(angle)) {
        if (info.ColorTransparent != 0)
            canvas.StretchDrawTransparent(whole, bitmap_, GetInfoRef().GetColor().GetColor());
        else
            canvas.StretchDraw(whole, bitmap_);
        return;
    }
    WriteDebugLog("rotate:" + angle.Format(2, 0));
    const TColor key = TurningKey(document);
    TBitmap turned;
    RotateBitmap(bitmap_, angle, key, turned);
    const int w = GetInfoRef().GetPixelWidth();
    const int h = GetInfoRef().GetPixelHeight();
    const int dx = (turned.Width() - w) / 2;
    const int dy = (turned.Height() - h) / 2;
    canvas.StretchDrawTransparent(OutputRectOf(document, PixelToWorld(-dx, -dy), PixelToWorld(w + dx, h + dy)),
                                  turned, key);
}

void TRasterColor::DrawPixelByPixel(TCanvas& canvas, TZhdData& document, const TAngle& angle, double scale,
                                    int min_x, int max_x, int min_y, int max_y)
{
    const TInfoREG& info = document.GetInfoRegPtr();
    TBitmap work = bitmap_;
    TColor key = GetInfoRef().GetColor().GetColor();
    int ox = 0, oy = 0;
    if (IsTurned(angle)) {
        key = TurningKey(document);
        TBitmap turned;
        RotateBitmap(bitmap_, angle, key, turned);
        work = turned;
        // The whole turned picture, its last row and column included.
        min_x = 0;
        min_y = 0;
        max_x = work.Width();
        max_y = work.Height();
        ox = (GetInfoRef().GetPixelWidth() - work.Width()) / 2;
        oy = (GetInfoRef().GetPixelHeight() - work.Height()) / 2;
    }
    if (work.Format() != TPixelFormat::Rgb24)
        work = work.ConvertedTo(TPixelFormat::Rgb24);
    const TRasterInfo& raster = GetInfoRef();
    const double row_mm = raster.GetHeight() / raster.GetNaturalHeightMM() * (1000.0 / raster.GetPpmY());
    const double half = row_mm / (info.GetMMPerPixelY() / scale) * 0.5;
    WriteDebugLog(StringPrintf("SPECIALMEMORY:pix1=%f pix2=%f", row_mm, half));
    canvas.SetBrushStyle(TBrushStyle::Solid);
    for (int y = std::max(min_y, 0); y < std::min(max_y, work.Height()); ++y) {
        const std::uint8_t* row = work.ScanLine(y);
        for (int x = std::max(min_x, 0); x < std::min(max_x, work.Width()); ++x) {
            const std::uint8_t* pixel = row + 3 * x;
            const TColor color = PackColor(pixel[2], pixel[1], pixel[0]);
            if (color == (key & 0xFFFFFF))
                continue;
            canvas.SetBrushColor(color);
            const TBPoint c = info.WorldToScreen(PixelToWorld(x + ox, y + oy));
            canvas.FillRect(TRectI { DeviceInt(c.GetX() - half), DeviceInt(c.GetY() - half),
                                     DeviceInt(c.GetX() + half), DeviceInt(c.GetY() + half) });
        }
    }
}
