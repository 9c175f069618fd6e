#pragma once

// The two metafile formats behind TMetafile: for each, how its header is
// taken apart at load time and how its records are played. Private to the
// metafile classes.

#include "platform/CanvasTypes.h"
#include "platform/LoadResult.h"
#include "platform/MetafilePlayer.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace metafile {

// What a load learns of a picture: the records' extent in the bytes, how
// playing starts, and its size.
struct TParsedPicture {
    // Loaded, WrongMagic (no header of either format), or RanShort (a cut
    // header leaves nothing to play; a cut record keeps the records before
    // it).
    TLoadStatus status = TLoadStatus::WrongMagic;
    std::size_t records_begin = 0;
    // Just past the EOF record or the last whole record.
    std::size_t records_end = 0;
    TPictureSetup setup;
    // The frame in 0.01 mm, normalized; empty when the picture has no size.
    TRectI frame_mm100;
};

bool IsEmf(std::span<const std::uint8_t> bytes);
bool IsWmf(std::span<const std::uint8_t> bytes);

TParsedPicture ParseEmf(std::span<const std::uint8_t> bytes);
TParsedPicture ParseWmf(std::span<const std::uint8_t> bytes);

// `records` runs from the first record after the header to records_end.
void PlayEmf(std::span<const std::uint8_t> records, TMetafilePlayer& player);
void PlayWmf(std::span<const std::uint8_t> records, TMetafilePlayer& player);

// The frame in page units as a normalized rectangle, rounded outward.
TRectI FrameRect(const TFrame& frame);

} // namespace metafile
