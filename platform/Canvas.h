#pragma once

// TCanvas: the drawing surface every output of the viewer goes through: the
// screen's back buffer, off-screen bitmaps, the printer, image files, and a
// recording for tests and previews.
//
// The canvas keeps the state of the platform's canvases (pen, brush, pen
// position) and turns every call into one command, which its backend plays:
// one protected Play function per command. The commands are plain values
// (CanvasCommands.h), so a recording can be kept, compared and replayed onto
// any other canvas with the same result.
//
// Rules kept from the platform the drawings were made on:
// - integer device pixels, y downward; no antialiasing; whatever lies off
//   the canvas is clipped, however large the coordinates;
// - a pen of width 1 (or less) draws one-pixel lines with a flat end, so
//   LineTo leaves out its last pixel (a line of no length draws nothing) and
//   Polyline only the pixel of its last point; wider pens are centred on the
//   line and have round ends and joins;
// - Polygon fills by the alternate (even-odd) rule and draws its closed
//   outline with the pen;
// - Ellipse and FillRect take a box whose right and bottom edges are
//   outside it; an empty box draws nothing. Ellipse's corners may come in
//   any order; its one-pixel outline lies inside the box and touches its
//   four sides, a wider one is centred on that outline; with a clear pen the
//   brush covers what outline and inside would;
// - a pen in NotXor mode draws an overlay that a second draw removes; the
//   mode applies to the pen and to the brush of Polygon and Ellipse;
// - GetPixel outside the canvas answers NoColor.
//
// Setting a pen or brush equal to the current one is no command: drawing
// code may set its pen for every element without cost.

#include "platform/Bitmap.h"
#include "platform/CanvasTypes.h"

#include <span>
#include <string_view>

class TCanvas {
public:
    virtual ~TCanvas() = default;

    virtual int Width() const = 0;
    virtual int Height() const = 0;
    // Whether the device draws a straight line between any two points as
    // exactly as it can (a printer), so that a curve needs only as many
    // points as keep it within half a pixel; a raster canvas is drawn pixel
    // by pixel and keeps a point per pixel, as the screen always had.
    virtual bool DrawsVectors() const { return false; }

    const TPen& Pen() const { return pen_; }
    const TBrush& Brush() const { return brush_; }
    const TFont& Font() const { return font_; }
    TPointI PenPos() const { return pen_pos_; }

    void SetPen(const TPen& pen);
    void SetBrush(const TBrush& brush);
    void SetPenColor(TColor color);
    void SetPenWidth(int width);
    void SetPenStyle(TPenStyle style);
    void SetPenMode(TPenMode mode);
    void SetBrushColor(TColor color);
    void SetBrushStyle(TBrushStyle style);
    void SetFont(const TFont& font);
    void SetFontColor(TColor color);

    void MoveTo(int x, int y);
    // From the pen position to (x, y), which becomes the pen position.
    void LineTo(int x, int y);
    // Neither uses nor moves the pen position.
    void Polyline(std::span<const TPointI> points);
    void Polygon(std::span<const TPointI> points);
    void Ellipse(int x1, int y1, int x2, int y2);
    // [left, right) x [top, bottom) with the brush (a hatch brush hatches,
    // a clear one draws nothing); neither the pen nor its mode is used.
    void FillRect(const TRectI& rect);
    // Sets the pixel as it is, whatever the pen mode.
    void SetPixel(int x, int y, TColor color);
    virtual TColor GetPixel(int x, int y) const = 0;
    // The text (Shift-JIS) in the current font, with a transparent
    // background; (x, y) is the top-left corner of the first character's
    // cell, which turns with the escapement.
    void TextOut(int x, int y, std::string_view text);
    // The bitmap stretched over dest ([left, right) x [top, bottom)) by
    // nearest neighbour: destination pixel i of n takes source pixel
    // floor((i + 1/2) * source size / n). A rectangle given with right < left
    // (bottom < top) covers [right, left) ([bottom, top)) and shows the
    // picture mirrored. Pen, brush and pen mode are not used; an empty
    // rectangle or bitmap draws nothing.
    void StretchDraw(const TRectI& dest, const TBitmap& bitmap);
    // As StretchDraw, but the pixels whose colour is `key` (low 24 bits) are
    // left out and the canvas shows through; NoColor leaves nothing out.
    void StretchDrawTransparent(const TRectI& dest, const TBitmap& bitmap, TColor key);

protected:
    // The backend's players, one call per command; degenerate figures are
    // played too and draw nothing. The canvas state is already updated for
    // the pen and brush commands; for MoveTo and LineTo, PenPos() is still
    // the old position (the start of the line).
    virtual void PlaySetPen(const TPen& pen) = 0;
    virtual void PlaySetBrush(const TBrush& brush) = 0;
    virtual void PlayMoveTo(TPointI point) = 0;
    virtual void PlayLineTo(TPointI point) = 0;
    virtual void PlayPolyline(std::span<const TPointI> points) = 0;
    virtual void PlayPolygon(std::span<const TPointI> points) = 0;
    virtual void PlayEllipse(const TRectI& box) = 0;
    virtual void PlayFillRect(const TRectI& rect) = 0;
    virtual void PlaySetPixel(TPointI point, TColor color) = 0;
    virtual void PlaySetFont(const TFont& font) = 0;
    virtual void PlayTextOut(TPointI point, std::string_view text) = 0;
    // key: the colour left out (24 bits), or NoColor for an opaque drawing.
    virtual void PlayStretchDraw(const TRectI& dest, const TBitmap& bitmap, TColor key) = 0;

private:
    TPen pen_;
    TBrush brush_;
    TFont font_;
    TPointI pen_pos_;
};

// Saves pen and brush and puts them back when it goes.
class TCanvasStateSaver {
public:
    explicit TCanvasStateSaver(TCanvas& canvas) : canvas_(canvas), pen_(canvas.Pen()), brush_(canvas.Brush()) {}
    ~TCanvasStateSaver()
    {
        canvas_.SetPen(pen_);
        canvas_.SetBrush(brush_);
    }
    TCanvasStateSaver(const TCanvasStateSaver&) = delete;
    TCanvasStateSaver& operator=(const TCanvasStateSaver&) = delete;

private:
    TCanvas& canvas_;
    TPen pen_;
    TBrush brush_;
};

// A canvas that draws nothing: every call is answered harmlessly, GetPixel
// with NoColor. Its size is what it was given.
class TNullCanvas final : public TCanvas {
public:
    TNullCanvas(int width = 0, int height = 0) : width_(width), height_(height) {}
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    TColor GetPixel(int, int) const override { return NoColor; }

protected:
    void PlaySetPen(const TPen&) override {}
    void PlaySetBrush(const TBrush&) override {}
    void PlayMoveTo(TPointI) override {}
    void PlayLineTo(TPointI) override {}
    void PlayPolyline(std::span<const TPointI>) override {}
    void PlayPolygon(std::span<const TPointI>) override {}
    void PlayEllipse(const TRectI&) override {}
    void PlayFillRect(const TRectI&) override {}
    void PlaySetPixel(TPointI, TColor) override {}
    void PlaySetFont(const TFont&) override {}
    void PlayTextOut(TPointI, std::string_view) override {}
    void PlayStretchDraw(const TRectI&, const TBitmap&, TColor) override {}

private:
    int width_;
    int height_;
};
