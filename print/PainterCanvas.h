#pragma once

// TPainterCanvas: the printer backend, a canvas that plays its commands on a
// QPainter opened on a paint device the caller owns (a QPrinter's page).
//
// The painter's device transform (resolution, printable-area offset, paper
// orientation) is the device's own: the canvas draws in device pixels,
// (0, 0) the top-left corner of the painter's device, and never touches the
// painter's world transform, so the view of the drawing (which maps drawing
// millimetres onto these pixels) stays apart from the device.
//
// The canvas rules (Canvas.h) are kept as a vector device can keep them:
// figures are the same pixel-cornered shapes the raster backend fills, lines
// of one pixel are one device pixel wide, wider pens are round-ended and
// round-joined. A printer cannot be read back (GetPixel answers NoColor) and
// has no raster operations: a not-XOR pen draws plainly (a job draws no
// overlays). Text is the glyph outlines (GlyphOutline.h) filled, the same
// outlines the raster backend's glyphs are made from, so a page needs no
// fonts of the printer's and no running GUI.
//
// The painter must be active while the canvas draws; an inactive one draws
// nothing.

#include "platform/Canvas.h"

class QPainter;

class TPainterCanvas final : public TCanvas {
public:
    // `width` x `height`: the device's size in pixels, for drawing code that
    // sizes its output.
    TPainterCanvas(QPainter& painter, int width, int height);

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    TColor GetPixel(int, int) const override { return NoColor; }
    bool DrawsVectors() const override { return true; }

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
    bool CanDraw() const;
    bool PenDraws() const;
    // The painter readied for the current pen's stroke, no fill.
    QPainter& StrokePainter();
    // The painter readied for the brush's fill, no stroke.
    QPainter& FillPainter();

    // Which of the canvas's pen and brush the painter holds: a page sets its
    // pen for every element, and most elements draw one way only.
    enum class TReadied { Nothing, Stroke, Fill };

    QPainter& painter_;
    int width_;
    int height_;
    TReadied readied_ = TReadied::Nothing;
};
