#pragma once

// TRecordingCanvas: a canvas that draws nothing and keeps every command it is
// given, in order, as a value in one list (CanvasCommands.h). Tests compare
// the list; a preview or a file writer replays it onto another canvas with
// ReplayCommands, which draws exactly what drawing there directly draws.
//
// It has the fixed size it was given (drawing code reads it to size its
// output) and no pixels: GetPixel answers NoColor.

#include "platform/Canvas.h"
#include "platform/CanvasCommands.h"

#include <vector>

class TRecordingCanvas final : public TCanvas {
public:
    TRecordingCanvas(int width, int height) : width_(width), height_(height) {}

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    TColor GetPixel(int, int) const override { return NoColor; }
    bool DrawsVectors() const override { return draws_vectors_; }
    // Records as a printer would be drawn: curves with fewer points.
    void SetDrawsVectors(bool draws_vectors) { draws_vectors_ = draws_vectors; }

    const std::vector<TCanvasCommand>& Commands() const { return commands_; }
    // Forgets the commands; pen, brush and pen position stay as they are, so
    // the commands that follow continue from them.
    void Clear() { commands_.clear(); }

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
    bool draws_vectors_ = false;
    int width_;
    int height_;
    std::vector<TCanvasCommand> commands_;
};
