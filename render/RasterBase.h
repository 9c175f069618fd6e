#pragma once

// TRasterBase: an image placed by a text, with its TRasterInfo. It maps
// between the image's pixels (origin top left, y down) and the drawing
// (y up), and finds the part of the turned image that lies in view. The
// kinds: one-bit images kept as runs (TRasterMono), colour bitmaps
// (TRasterColor) and metafiles (TRasterMeta).

#include "core/BPoint.h"
#include "core/RGB.h"
#include "platform/AsciiCase.h"
#include "render/RasterInfo.h"

#include <filesystem>
#include <string>
#include <vector>

class TCanvas;
class TZhdData;

// The image drawn as if unturned: its angle is 0 while this lives and comes
// back however drawing ends.
class TUnturnedImage {
public:
    explicit TUnturnedImage(TRasterInfo& info) : info_(info), angle_(info.GetAngle()) { info.SetAngle(TAngle(0.0)); }
    ~TUnturnedImage() { info_.SetAngle(angle_); }
    TUnturnedImage(const TUnturnedImage&) = delete;
    TUnturnedImage& operator=(const TUnturnedImage&) = delete;
    // The angle the image is turned by.
    const TAngle& Angle() const { return angle_; }

private:
    TRasterInfo& info_;
    TAngle angle_;
};

class TRasterBase {
public:
    TRasterBase() = default;
    virtual ~TRasterBase() = default;
    TRasterBase(const TRasterBase&) = default;
    TRasterBase& operator=(const TRasterBase&) = default;

    TRasterInfo GetInfo() const { return info_; }
    TRasterInfo* GetInfoPtr() { return &info_; }
    const TRasterInfo& GetInfoRef() const { return info_; }
    TRasterInfo SetInfo(TRasterInfo info) { return info_ = std::move(info); }
    TRasterBase* AsRasterBase() { return this; }
    TRasterBase* AssignInfoFrom(const TRasterBase& other);
    TRasterBase* AssignInfo(TRasterInfo info);
    TRasterBase* GetRasterPtr() { return this; }

    // "Mono", "Color" or "Metafile"; 1, 2 or 3.
    virtual std::string GetKindName() const = 0;
    virtual int GetKindCode() const = 0;
    // Loads the picture; non-zero on success.
    virtual int Load(const std::filesystem::path& file, TZhdData& document) = 0;
    // Writes a cache file when the settings allow; 1 when written.
    virtual int SaveCache(const std::filesystem::path& file, TZhdData& document, double load_seconds) = 0;
    // Draws the part in the view (its lower-left and upper-right corners in
    // drawing coordinates); non-zero when something was drawn.
    virtual int Draw(TCanvas& canvas, TZhdData& document, TBPoint lower_left, TBPoint upper_right, double scale_x,
                     double scale_y) = 0;
    // A colour the image does not use: the key of transparent drawing.
    virtual TRGB GetUnusedColor() = 0;

    // Drawing point → image pixel (not truncated), and image pixel →
    // drawing point. An image without area (TRasterInfo::HasArea) maps
    // everything to its corner and its centre.
    TBPoint WorldToPixel(TBPoint point) const;
    TBPoint PixelToWorld(int x, int y) const;
    // The polygon, in drawing coordinates, of the part of the image inside
    // the view rectangle (convex, in the turning order of the image's
    // corners, from its point of largest x), and the range of image pixels it
    // covers (bounds written only when the polygon is not empty). The number
    // of points.
    int ClipToView(TBPoint lower_left, TBPoint upper_right, std::vector<TBPoint>& polygon, int& min_x, int& max_x,
                   int& min_y, int& max_y) const;

private:
    TRasterInfo info_;
};
