#pragma once

// TRasterColor: an image of more than one bit per pixel, held as a bitmap:
// BMP files read directly, other formats through the image plug-ins. It
// draws the part in view stretched onto the canvas, turned by the image's
// angle, with its transparent colour left out when colour transparency is
// on.

#include "platform/Bitmap.h"
#include "render/RasterBase.h"

#include <memory>
#include <vector>

class TRasterColor final : public TRasterBase {
public:
    // The transparent colour is white.
    TRasterColor();

    std::string GetKindName() const override { return "Color"; }
    int GetKindCode() const override { return 2; }
    // 1 when the picture was read; 0 for a missing file and (unlike a plain
    // reading of the loader) for a file that does not decode.
    int Load(const std::filesystem::path& file, TZhdData& document) override;
    int SaveCache(const std::filesystem::path&, TZhdData&, double) override { return 0; }
    int Draw(TCanvas& canvas, TZhdData& document, TBPoint lower_left, TBPoint upper_right, double scale_x,
             double scale_y) override;
    // The smallest colour neither the picture nor the transparent colour
    // uses; 0 when all are used. The picture's colours are gathered once per
    // picture.
    TRGB GetUnusedColor() override;

    const TBitmap& GetBitmap() const { return bitmap_; }
    const TBitmap& SetBitmap(const TBitmap& bitmap);
    TRasterColor* AsRasterColor() { return this; }
    TRasterColor* AssignBitmapFrom(const TRasterColor& other);
    TRasterColor* AssignBitmap(const TBitmap& bitmap);

private:
    void DrawDirect(TCanvas& canvas, TZhdData& document, const TAngle& angle, const TRectI& whole);
    void DrawPixelByPixel(TCanvas& canvas, TZhdData& document, const TAngle& angle, double scale,
                          int min_x, int max_x, int min_y, int max_y);
    TColor TurningKey(TZhdData& document);

    TBitmap bitmap_;
    // Bit c set when the picture uses colour c; built on first need.
    std::shared_ptr<const std::vector<bool>> used_colors_;
};

// The rectangle of output pixels between two drawing points, truncated.
TRectI OutputRectOf(const TZhdData& document, TBPoint first, TBPoint second);
