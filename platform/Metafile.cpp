#include "platform/Metafile.h"

#include "platform/FileSystem.h"
#include "platform/MetafileFormats.h"
#include "platform/ScreenMetrics.h"

#include <cmath>

namespace metafile {

TRectI FrameRect(const TFrame& frame)
{
    const double left = std::min(frame.x, frame.x + frame.width);
    const double top = std::min(frame.y, frame.y + frame.height);
    const double right = std::max(frame.x, frame.x + frame.width);
    const double bottom = std::max(frame.y, frame.y + frame.height);
    const auto whole = [](double value, bool up) {
        const double limit = 2e9;
        return static_cast<int>(std::clamp(up ? std::ceil(value) : std::floor(value), -limit, limit));
    };
    return { whole(left, false), whole(top, false), whole(right, true), whole(bottom, true) };
}

} // namespace metafile

TLoadResult TMetafile::LoadFromFile(const std::filesystem::path& path)
{
    const TFileBytes file = ReadWholeFile(path);
    if (file.status != TLoadStatus::Loaded) {
        Clear();
        return file.status;
    }
    return LoadFromBytes(file.bytes);
}

TLoadResult TMetafile::LoadFromBytes(std::span<const std::uint8_t> bytes)
{
    Clear();
    TMetafileFormat format = TMetafileFormat::None;
    metafile::TParsedPicture parsed;
    if (metafile::IsEmf(bytes)) {
        format = TMetafileFormat::Emf;
        parsed = metafile::ParseEmf(bytes);
    } else if (metafile::IsWmf(bytes)) {
        format = TMetafileFormat::Wmf;
        parsed = metafile::ParseWmf(bytes);
    }
    // A cut header has no records: nothing is kept.
    if (format == TMetafileFormat::None || parsed.records_begin == 0)
        return parsed.status;
    format_ = format;
    bytes_.assign(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(parsed.records_end));
    records_begin_ = parsed.records_begin;
    records_end_ = parsed.records_end;
    setup_ = parsed.setup;
    frame_mm100_ = parsed.frame_mm100;
    return parsed.status;
}

void TMetafile::Clear()
{
    *this = TMetafile();
}

TRectI TMetafile::Bounds() const
{
    if (Empty() || setup_.frame.width == 0 || setup_.frame.height == 0)
        return {};
    return metafile::FrameRect(setup_.frame);
}

namespace {

int ScreenPixels(int mm100)
{
    return static_cast<int>(std::lround(mm100 / 2540.0 * ScreenMetrics().pixels_per_inch));
}

} // namespace

int TMetafile::Width() const
{
    return ScreenPixels(frame_mm100_.right - frame_mm100_.left);
}

int TMetafile::Height() const
{
    return ScreenPixels(frame_mm100_.bottom - frame_mm100_.top);
}

std::span<const std::uint8_t> TMetafile::Records() const
{
    return std::span(bytes_).subspan(records_begin_, records_end_ - records_begin_);
}

void TMetafile::Play(TCanvas& canvas, const TRectI& destination) const
{
    if (Empty())
        return;
    metafile::TMetafilePlayer player(canvas, destination, setup_);
    if (!player.CanDraw())
        return;
    if (format_ == TMetafileFormat::Emf)
        metafile::PlayEmf(Records(), player);
    else
        metafile::PlayWmf(Records(), player);
}
