#pragma once

// Bitmaps inside metafile records: a DIB is a BITMAPINFO (header and colour
// table) and its pixel bits, without a BMP file's 14-byte file header. The
// pixels are decoded by the BMP reader, which gets the DIB behind a file
// header made here; this file only works out where the bits begin.

#include "platform/Bitmap.h"

#include <cstdint>
#include <optional>
#include <span>

namespace metafile {

// A DIB whose bits follow its BITMAPINFO directly (WMF records).
std::optional<TBitmap> ReadPackedDib(std::span<const std::uint8_t> dib);
// A DIB whose BITMAPINFO and bits lie apart (EMF records).
std::optional<TBitmap> ReadDib(std::span<const std::uint8_t> info, std::span<const std::uint8_t> bits);

// The part of the bitmap a record names, in the record's source
// coordinates (y counted from the bottom row, as the platform counted it for
// bottom-up bitmaps). The whole bitmap when the part covers it; none when
// the part lies outside it or is empty.
std::optional<TBitmap> SourcePart(const TBitmap& bitmap, int x, int y, int width, int height);

} // namespace metafile
