#pragma once

// TRasterMeta: a vector picture of an ".emf" or ".wmf" file, played into
// the image's rectangle. It is drawn only into output jobs; the screen
// shows nothing of it.

#include "platform/Metafile.h"
#include "render/RasterBase.h"

class TRasterMeta final : public TRasterBase {
public:
    // The transparent colour is white.
    TRasterMeta();

    std::string GetKindName() const override { return "Metafile"; }
    int GetKindCode() const override { return 3; }
    // 1 when the file was read. An image without a pixel size takes the
    // picture's own bounds, so that its geometry is sound.
    int Load(const std::filesystem::path& file, TZhdData& document) override;
    int SaveCache(const std::filesystem::path&, TZhdData&, double) override { return 0; }
    int Draw(TCanvas& canvas, TZhdData& document, TBPoint lower_left, TBPoint upper_right, double scale_x,
             double scale_y) override;
    TRGB GetUnusedColor() override { return TRGB(0xFFFFFF); }

    const TMetafile& GetMetafile() const { return metafile_; }
    const TMetafile& SetMetafile(const TMetafile& metafile) { return metafile_ = metafile; }
    TRasterMeta* AsRasterMeta() { return this; }
    TRasterMeta* AssignMetafileFrom(const TRasterMeta& other);
    TRasterMeta* AssignMetafile(const TMetafile& metafile);

private:
    TMetafile metafile_;
};
