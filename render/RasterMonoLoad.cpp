// Loading a one-bit image: from its cache file when that is sound and not
// older than the image, else by decoding the image (a one-bit BMP directly,
// any other format through the plug-ins), and writing the cache afterwards
// when the settings ask for it. A decode that fails or finds no ink leaves
// the raster empty, answers 0 and writes no cache, so that a bad load never
// leaves a file behind that later loads would trust.

#include "render/RasterMono.h"

#include "core/DebugLog.h"
#include "core/TextUtil.h"
#include "document/SjFormat.h"
#include "document/ZhdData.h"
#include "platform/BmpFile.h"
#include "platform/FileSystem.h"
#include "platform/ImagePlugin.h"
#include "platform/ImagePluginBitmap.h"
#include "platform/Tick.h"
#include "render/InfoReg.h"
#include "render/MonoCache.h"

#include <system_error>

namespace {

// A cache older than its image was made from another picture.
bool CacheIsStale(const std::filesystem::path& image, const std::filesystem::path& cache)
{
    std::error_code error;
    const auto image_time = std::filesystem::last_write_time(image, error);
    if (error)
        return false;
    const auto cache_time = std::filesystem::last_write_time(cache, error);
    return error || cache_time < image_time;
}

void LogDecodeStatistics(const TMonoRunDecoder& decoder, const TRasterInfo& info)
{
    const std::uint32_t total = decoder.Runs().total;
    if (total == 0) {
        WriteDebugLog(StringPrintf("linecount=%u", 0u));
        return;
    }
    const double set = static_cast<double>(decoder.SetPixels());
    const double area = static_cast<double>(info.GetPixelWidth()) * info.GetPixelHeight();
    WriteDebugLog(StringPrintf("linecount=%u pixtotal=%u pixline=%f area=%u percent=%f", total,
                               static_cast<unsigned>(decoder.SetPixels()), set / total,
                               static_cast<unsigned>(area), set / area * 100));
}

std::string FolderOf(const std::filesystem::path& file)
{
    const std::filesystem::path parent = file.parent_path();
    std::string folder = parent.empty() ? std::filesystem::current_path().string() : parent.string();
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder;
}

std::string DriveOf(const std::filesystem::path& file)
{
    const std::string drive = file.root_name().string();
    return drive.empty() ? std::filesystem::current_path().root_name().string() : drive;
}

} // namespace

int TRasterMono::Load(const std::filesystem::path& file, TZhdData& document)
{
    const auto t0 = TClock::now();
    const std::filesystem::path cache = MonoCachePathOf(file);
    const bool image_exists = FileExists(file);
    if (FileExists(cache) && !(image_exists && CacheIsStale(file, cache)) && LoadCacheFile(cache, t0)) {
        // The colour file is the user's latest choice; the colour the cache
        // recorded is only the one of its day.
        ApplyColourFile(file);
        return 1;
    }
    if (!image_exists)
        return 0;
    ApplyColourFile(file);
    double load_seconds = 0;
    const bool decoded = HasExtensionIgnoringCase(file, ".bmp") ? LoadBitmapMono(file, t0, load_seconds)
                                                                : LoadSpiMono(file, t0, load_seconds);
    if (!decoded || runs_.total == 0) {
        runs_ = TMonoRunData();
        return 0;
    }
    if (document.GetInfoRegPtr().UseCache != 0)
        SaveCache(file, document, load_seconds);
    return 1;
}

void TRasterMono::ApplyColourFile(const std::filesystem::path& file)
{
    const std::optional<std::filesystem::path> colour_file = FindColourFile(file);
    if (!colour_file)
        return;
    const TFileBytes read = ReadWholeFile(*colour_file);
    if (const std::optional<int> colour = ParseColourFile(read.Text()))
        GetInfoPtr()->SetColor(TRGB(*colour));
}

bool TRasterMono::LoadCacheFile(const std::filesystem::path& cache, TClock::time_point t0)
{
    TFileBytes read = ReadWholeFile(cache);
    if (read.status != TLoadStatus::Loaded)
        return false;
    const std::size_t file_size = read.bytes.size();
    TRasterInfo info = GetInfo();
    TMonoRunData runs;
    if (DecodeMonoCache(std::move(read.bytes), info, runs) != TMonoCacheStatus::Loaded)
        return false;
    SetInfo(info);
    runs_ = std::move(runs);
    WriteDebugLog(StringPrintf("LineCount= %u, TotalCount= %u, %ubyte, %ubyte",
                               static_cast<unsigned>(runs_.starts.size()), runs_.total, runs_.total * 8,
                               static_cast<unsigned>(file_size)));
    WriteDebugLog(SjPrintf(u8"#loadm  ：%.8f秒", SecondsSince(t0)));
    WriteDebugLog(SjPrintf(u8"#TOTAL  ：%.8f秒", SecondsSince(t0)));
    return true;
}

bool TRasterMono::LoadBitmapMono(const std::filesystem::path& file, TClock::time_point t0, double& load_seconds)
{
    auto t1 = TClock::now();
    const TFileBytes read = ReadWholeFile(file);
    const TBmpResult header = ReadBmpInfo(read.bytes);
    if (read.status != TLoadStatus::Loaded || header.status != TBmpStatus::Loaded)
        return false;
    TRasterInfo& info = *GetInfoPtr();
    info.SetPixelWidth(header.info.width);
    info.SetPixelHeight(header.info.height < 0 ? -header.info.height : header.info.height);
    info.SetPpmX(header.info.density_x);
    info.SetPpmY(header.info.density_y);
    info.SetBitCount(static_cast<short>(header.info.bit_count));
    info.SetDataOffset(static_cast<int>(header.info.data_offset));
    WriteDebugLog("<LoadBitmapMono>");
    WriteDebugLog("Bitmap:" + file.string());
    bool decoded = false;
    if (header.info.bit_count == 1) {
        WriteDebugLog(SjPrintf(u8"#pms    ：%.8f秒", SecondsSince(t1)));
        t1 = TClock::now();
        std::optional<TMonoRunDecoder> decoder = DecodeBmpRuns(read.bytes, header.info);
        if (decoder) {
            LogDecodeStatistics(*decoder, info);
            runs_ = std::move(decoder->Runs());
            decoded = true;
        }
        load_seconds = SecondsSince(t1);
        WriteDebugLog(SjPrintf(u8"#loadm  ：%.8f秒", load_seconds));
    }
    WriteDebugLog(SjPrintf(u8"#TOTAL  ：%.8f秒", SecondsSince(t0)));
    WriteDebugLog("</LoadBitmapMono>");
    return decoded;
}

bool TRasterMono::LoadSpiMono(const std::filesystem::path& file, TClock::time_point t0, double& load_seconds)
{
    const TPluginPictureResult read = ProgramImagePlugins().LoadPicture(file);
    if (read.status != TImagePluginStatus::Decoded)
        return false;
    TBitmap bitmap = ToBitmap(read.picture);
    if (bitmap.IsEmpty())
        return false;
    WriteDebugLog("<LoadSpiMono>");
    WriteDebugLog("Spi:" + file.string());
    GetInfoPtr()->TakePluginInfo(read.info);
    // The runs are read one bit per pixel: a deeper picture is brought to
    // black and white first.
    if (bitmap.Format() != TPixelFormat::Indexed1)
        bitmap = bitmap.ConvertedTo(TPixelFormat::Indexed1);
    for (std::size_t i = 0; i < 2; ++i) {
        const TColor entry = i < bitmap.Palette().size() ? bitmap.Palette()[i] : 0;
        WriteDebugLog(StringPrintf("pal%d : %x", static_cast<int>(i), static_cast<unsigned>(entry & 0xFFFFFF)));
    }
    const int ink_bit = BitmapInkBit(bitmap);
    WriteDebugLog(SjPrintf(u8"#spi    ：%.8f秒, Height=%d(height=%d), Byte=%d", SecondsSince(t0),
                           GetInfoRef().GetPixelHeight(), bitmap.Height(), 1));
    const auto t1 = TClock::now();
    TMonoRunDecoder decoder = DecodeBitmapRuns(bitmap, ink_bit);
    runs_ = std::move(decoder.Runs());
    load_seconds = SecondsSince(t1);
    WriteDebugLog(SjPrintf(u8"#loadm  ：%.8f秒", load_seconds));
    WriteDebugLog(SjPrintf(u8"#TOTAL  ：%.8f秒", SecondsSince(t0)));
    WriteDebugLog("</LoadSpiMono>");
    return true;
}

int TRasterMono::SaveCache(const std::filesystem::path& file, TZhdData& document, double load_seconds)
{
    const auto s0 = TClock::now();
    std::error_code error;
    const std::uintmax_t image_size = std::filesystem::file_size(file, error);
    TMonoCacheFigures figures;
    figures.load_seconds = load_seconds;
    figures.image_bytes = error ? 0 : static_cast<std::uint32_t>(image_size);
    WriteDebugLog(StringPrintf("bx.size()= %d", GetLineCount()));
    std::uint32_t longest = 0;
    const std::vector<std::uint8_t> bytes = EncodeMonoCache(GetInfoRef(), runs_, longest);
    figures.cache_bytes = bytes.size();
    const bool wanted = MonoCacheWanted(document.GetInfoRegPtr(), figures);
    WriteDebugLog(std::string("result ") + (wanted ? "1" : "0"));
    if (!wanted)
        return 0;
    const std::string drive = DriveOf(file);
    const std::string folder = FolderOf(file);
    const std::uint64_t free_bytes = GetDiskFreeBytes(folder);
    const int attributes = GetFileFlags(folder);
    WriteDebugLog(sj(u8"ドライブ ") + drive + sj(u8" の空き容量：") + std::to_string(free_bytes));
    WriteDebugLog(sj(u8"フォルダ ") + folder + sj(u8" の属性：") + std::to_string(attributes));
    if ((attributes != 0 && attributes != 2) || figures.cache_bytes >= free_bytes
        || WriteWholeFile(MonoCachePathOf(file), bytes) != TSaveStatus::Saved)
        return 0;
    const std::size_t presize = runs_.starts.size() * 4 + std::size_t { runs_.total } * 4 + MonoCacheHeaderSize;
    WriteDebugLog(StringPrintf("LineCount= %u, MaxSize= %u, TotalCount= %u, %ubyte, %ubyte",
                               static_cast<unsigned>(runs_.starts.size()), longest, runs_.total, runs_.total * 8,
                               static_cast<unsigned>(presize)));
    WriteDebugLog(SjPrintf(u8"#savem  ：%.8f秒", SecondsSince(s0)));
    WriteDebugLog(SjPrintf(u8"#TOTAL  ：%.8f秒", SecondsSince(s0)));
    return 1;
}
