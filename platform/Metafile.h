#pragma once

// TMetafile: a vector picture from a ".wmf" or ".emf" file, played onto a
// canvas stretched into a rectangle.
//
// Loading checks the header and walks the records once to find where they
// end; playing walks them again and draws the records the canvas can show
// (lines, polygons, rectangles, ellipses, text, stretched bitmaps) with the
// pens, brushes and fonts the records create and select. Records of other
// kinds are skipped. The file is untrusted: a record that claims more than
// the data holds ends the walk, and counts, offsets and object indexes are
// checked before they are used (MetafileWmf.cpp, MetafileEmf.cpp).
//
// The picture's frame, the rectangle it occupies in its own page units
// (Bounds), is what Play stretches onto the destination:
// - EMF: the header's frame (0.01 mm) on the reference device, or its
//   bounds when the frame is empty;
// - WMF with a placeable header: its bounding box;
// - WMF without one: the first window origin and extent its records set. A
//   file that sets none has no size and plays nothing.
//
// A metafile is a value: copies are independent.

#include "platform/Canvas.h"
#include "platform/LoadResult.h"
#include "platform/MetafilePlayer.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

enum class TMetafileFormat : std::uint8_t { None, Wmf, Emf };

class TMetafile {
public:
    // Missing or Unreadable for the file; WrongMagic when the bytes are
    // neither format; RanShort when the header is cut (the metafile is then
    // empty) or the records are (those before the cut are kept and play).
    // On any other failure the metafile is empty.
    TLoadResult LoadFromFile(const std::filesystem::path& path);
    TLoadResult LoadFromBytes(std::span<const std::uint8_t> bytes);
    void Clear();

    bool Empty() const { return format_ == TMetafileFormat::None; }
    TMetafileFormat Format() const { return format_; }
    // The frame in the picture's page units, normalized (see above).
    TRectI Bounds() const;
    // The frame in 0.01 mm, normalized; empty when the picture has no size.
    TRectI Frame() const { return frame_mm100_; }
    // The frame's size in pixels of the screen (ScreenMetrics).
    int Width() const;
    int Height() const;

    // Draws the picture with its frame stretched onto the destination. The
    // canvas's pen, brush and font are as they were afterwards.
    void Play(TCanvas& canvas, const TRectI& destination) const;

private:
    std::span<const std::uint8_t> Records() const;

    TMetafileFormat format_ = TMetafileFormat::None;
    std::vector<std::uint8_t> bytes_;
    std::size_t records_begin_ = 0;
    std::size_t records_end_ = 0;
    metafile::TPictureSetup setup_;
    TRectI frame_mm100_;
};
