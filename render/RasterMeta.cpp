#include "render/RasterMeta.h"

#include "core/DebugLog.h"
#include "document/SjFormat.h"
#include "document/ZhdData.h"
#include "platform/Numbers.h"
#include "render/InfoReg.h"
#include "render/RasterColor.h"

#include <chrono>
#include <cstdlib>
#include <system_error>

TRasterMeta::TRasterMeta()
{
    GetInfoPtr()->SetColor(TRGB(0xFFFFFF));
}

TRasterMeta* TRasterMeta::AssignMetafileFrom(const TRasterMeta& other)
{
    metafile_ = other.metafile_;
    return this;
}

TRasterMeta* TRasterMeta::AssignMetafile(const TMetafile& metafile)
{
    metafile_ = metafile;
    return this;
}

int TRasterMeta::Load(const std::filesystem::path& file, TZhdData&)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)
        || !(HasExtensionIgnoringCase(file, ".emf") || HasExtensionIgnoringCase(file, ".wmf")))
        return 0;
    WriteDebugLog("<LoadMetafile>");
    WriteDebugLog("Metafile:" + file.string());
    const bool loaded = metafile_.LoadFromFile(file).status == TLoadStatus::Loaded;
    WriteDebugLog("</LoadMetafile>");
    if (!loaded)
        return 0;
    TRasterInfo& info = *GetInfoPtr();
    if (info.GetPixelWidth() <= 0 || info.GetPixelHeight() <= 0) {
        const TRectI bounds = metafile_.Bounds();
        info.SetPixelWidth(std::abs(bounds.right - bounds.left));
        info.SetPixelHeight(std::abs(bounds.bottom - bounds.top));
    }
    return 1;
}

int TRasterMeta::Draw(TCanvas& canvas, TZhdData& document, TBPoint lower_left, TBPoint upper_right, double,
                      double)
{
    const TUnturnedImage unturned(*GetInfoPtr());
    std::vector<TBPoint> polygon;
    int min_x = 0, max_x = 0, min_y = 0, max_y = 0;
    if (ClipToView(lower_left, upper_right, polygon, min_x, max_x, min_y, max_y) < 1)
        return 0;
    const TRectI whole = OutputRectOf(document, PixelToWorld(0, 0),
                                      PixelToWorld(GetInfoRef().GetPixelWidth(), GetInfoRef().GetPixelHeight()));
    const auto start = std::chrono::steady_clock::now();
    const TInfoREG& info = document.GetInfoRegPtr();
    int drawn = 0;
    if (info.OutputJob != 0 && info.SpecialMemory == 0) {
        metafile_.Play(canvas, whole);
        drawn = 1;
    }
    WriteDebugLog("<MetafileDraw>");
    WriteDebugLog(StringPrintf("startx:%d starty=%d endx=%d endy=%d", min_x, min_y, max_x, max_y));
    WriteDebugLog(SjPrintf(u8"#time：%.8f秒",
                           std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count()));
    WriteDebugLog("</MetafileDraw>");
    return drawn;
}
