#pragma once

// TImageCanvas: the raster backend, a canvas over a 32-bit RGB image
// (QImage::Format_RGB32, pixels 0xffRRGGBB): the screen's back buffer,
// off-screen bitmaps and image files are drawn with it.
//
// It owns its image (made with a size and a fill colour) or draws on an
// image the caller owns. The pixel rules are CanvasRaster's; only lines of
// pens wider than one pixel are stroked by a QPainter, which this backend
// keeps to itself and keeps open from construction on. Finish() ends the
// painting so that the image is complete and may be copied, shown or saved;
// Image() finishes before it answers. Drawing after that simply paints
// again, on the same image (copies handed out before do not change).
//
// Text is drawn from the glyphs of FreeType (TextRaster.h), not by the
// painter: the painter's text needs a running QGuiApplication, which image
// export and the tests do not have, and the canvas's own glyphs coincide
// with the glyph outlines the text drawing strokes (GlyphOutline.h).
//
// A canvas on a bitmap: TImageCanvas(bitmap) starts from a copy of the
// bitmap's picture and Bitmap() hands the drawing back as a 24-bit bitmap.
//
// The caller of the second constructor must not change or copy its image
// while the canvas paints on it (until Finish()), and the image must outlive
// the canvas.

#include "platform/Canvas.h"
#include "platform/CanvasRaster.h"

#include <QImage>
#include <QPointF>

#include <memory>
#include <vector>

class QPainter;

namespace font_engine {
class TScaledFont;
}

class TImageCanvas final : public TCanvas {
public:
    // An image of its own, every pixel `fill`. A size below 1 (or one too
    // large to allocate) gives an empty canvas that draws nothing.
    TImageCanvas(int width, int height, TColor fill = PackColor(255, 255, 255));
    // Draws on the caller's image; an image in another format is converted
    // to Format_RGB32 first. A null image gives an empty canvas.
    explicit TImageCanvas(QImage& image);
    // An image of its own holding the bitmap's picture; the empty bitmap
    // gives an empty canvas.
    explicit TImageCanvas(const TBitmap& bitmap);
    ~TImageCanvas() override;
    TImageCanvas(const TImageCanvas&) = delete;
    TImageCanvas& operator=(const TImageCanvas&) = delete;

    int Width() const override;
    int Height() const override;
    TColor GetPixel(int x, int y) const override;

    // Ends painting; harmless when it is not painting.
    void Finish();
    // The picture, finished.
    const QImage& Image();
    // The picture, finished, as a 24-bit bitmap (empty for an empty canvas).
    TBitmap Bitmap();

protected:
    void PlaySetPen(const TPen& pen) override;
    void PlaySetBrush(const TBrush& brush) override;
    void PlayMoveTo(TPointI point) override;
    void PlayLineTo(TPointI point) override;
    void PlayPolyline(std::span<const TPointI> points) override;
    void PlayPolygon(std::span<const TPointI> points) override;
    void PlayEllipse(const TRectI& box) override;
    void PlayFillRect(const TRectI& rect) override;
    void PlaySetPixel(TPointI point, TColor color) override;
    void PlaySetFont(const TFont& font) override;
    void PlayTextOut(TPointI point, std::string_view text) override;
    void PlayStretchDraw(const TRectI& dest, const TBitmap& bitmap, TColor key) override;

private:
    // Painting begins with the canvas and again with the first drawing after
    // Finish().
    void BeginPainting();
    canvas_raster::TPixels Pixels();
    canvas_raster::TPaint PenPaint() const;
    canvas_raster::TPaint BrushPaint(TPenMode mode) const;
    bool HasPixels() const { return !image_->isNull(); }
    bool PenIsWide() const { return Pen().width > 1; }
    void DrawThinPath(std::span<const TPointI> points, bool closed);
    // Readies the painter for a wide stroke of the current pen; the points
    // of the stroke go to stroke_points_.
    QPainter& StrokePainter(std::span<const TPointI> points);

    QImage own_image_;
    QImage* image_;
    std::unique_ptr<QPainter> painter_;
    // Whether the painter holds the current pen; set pens are many, wide
    // strokes few, so the QPen is made only when one is drawn.
    bool painter_has_pen_ = false;
    // Where the dots of a dotted pen stand after the last LineTo.
    int dot_phase_ = 0;
    std::vector<QPointF> stroke_points_;
    // The scaled font of the current font, looked up at the first TextOut
    // after a SetFont that changed its size, width, escapement, weight,
    // slant or face (null: the font draws nothing).
    std::shared_ptr<const font_engine::TScaledFont> scaled_font_;
    TFont scaled_font_source_;
    bool scaled_font_known_ = false;
};
