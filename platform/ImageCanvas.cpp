#include "platform/ImageCanvas.h"

#include "platform/FontEngine.h"
#include "platform/TextRaster.h"

#include <QPainter>
#include <QPen>

#include <algorithm>

namespace {

// One axis of a stretched bitmap: the destination pixels that are on the
// canvas, [first, first + source.size()), and the source pixel each reads.
// Only the visible pixels are mapped, so a destination far larger than the
// canvas costs no more than the canvas.
struct TStretchAxis {
    int first = 0;
    std::vector<int> source;
};

// Destination pixel i of n (counted from the `from` edge, which is the far
// edge of a mirrored span) reads source pixel floor((i + 1/2) * size / n).
// With i < 2^32 and size < 2^31 the products fit in 64 unsigned bits.
TStretchAxis MapStretchAxis(int from, int to, int source_size, int limit)
{
    TStretchAxis axis;
    const bool mirrored = to < from;
    const std::int64_t low = std::min(from, to);
    const std::int64_t high = std::max(from, to);
    const auto count = static_cast<std::uint64_t>(high - low);
    const std::int64_t first = std::clamp<std::int64_t>(low, 0, limit);
    const std::int64_t last = std::clamp<std::int64_t>(high, 0, limit);
    axis.first = static_cast<int>(first);
    for (std::int64_t at = first; at < last; ++at) {
        std::uint64_t i = static_cast<std::uint64_t>(at - low);
        if (mirrored)
            i = count - 1 - i;
        const std::uint64_t source = (2 * i + 1) * static_cast<std::uint64_t>(source_size) / (2 * count);
        axis.source.push_back(static_cast<int>(source));
    }
    return axis;
}

} // namespace

// Wide pens are the painter's: it is given the pen's centre line and strokes
// it with round ends and joins. A pen of odd width is centred on the pixel
// centres of its coordinates (the line moved by half a pixel), so its edges
// fall between pixels and the stroke comes out symmetric; a pen of even
// width is centred on the pixel corners, for the same reason. A not-XOR pen
// paints with the painter's raster operation; a stroke is one path, so each
// of its pixels is painted once.

TImageCanvas::TImageCanvas(int width, int height, TColor fill)
    : image_(&own_image_)
    , painter_(std::make_unique<QPainter>())
{
    if (width >= 1 && height >= 1) {
        own_image_ = QImage(width, height, QImage::Format_RGB32);
        if (!own_image_.isNull())
            own_image_.fill(canvas_raster::PixelFromColor(fill));
    }
    BeginPainting();
}

TImageCanvas::TImageCanvas(QImage& image)
    : image_(&image)
    , painter_(std::make_unique<QPainter>())
{
    if (!image.isNull() && image.format() != QImage::Format_RGB32)
        image.convertTo(QImage::Format_RGB32);
    BeginPainting();
}

TImageCanvas::TImageCanvas(const TBitmap& bitmap)
    : own_image_(bitmap.ToImage())
    , image_(&own_image_)
    , painter_(std::make_unique<QPainter>())
{
    BeginPainting();
}

TImageCanvas::~TImageCanvas()
{
    Finish();
}

int TImageCanvas::Width() const
{
    return image_->width();
}

int TImageCanvas::Height() const
{
    return image_->height();
}

TColor TImageCanvas::GetPixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= image_->width() || y >= image_->height())
        return NoColor;
    return canvas_raster::ColorFromPixel(reinterpret_cast<const std::uint32_t*>(image_->constScanLine(y))[x]);
}

void TImageCanvas::Finish()
{
    if (painter_->isActive())
        painter_->end();
}

const QImage& TImageCanvas::Image()
{
    Finish();
    return *image_;
}

TBitmap TImageCanvas::Bitmap()
{
    return TBitmap::FromImage(Image());
}

canvas_raster::TPixels TImageCanvas::Pixels()
{
    if (!HasPixels())
        return {};
    BeginPainting();
    // bits() detaches the image from copies handed out since Finish().
    return { reinterpret_cast<std::uint32_t*>(image_->bits()), image_->bytesPerLine() / 4, image_->width(),
        image_->height() };
}

canvas_raster::TPaint TImageCanvas::PenPaint() const
{
    return { canvas_raster::PixelFromColor(Pen().color), Pen().mode, false };
}

canvas_raster::TPaint TImageCanvas::BrushPaint(TPenMode mode) const
{
    return { canvas_raster::PixelFromColor(Brush().color), mode, Brush().style == TBrushStyle::DiagCross };
}

void TImageCanvas::BeginPainting()
{
    if (!HasPixels() || painter_->isActive())
        return;
    painter_->begin(image_);
    painter_->setRenderHint(QPainter::Antialiasing, false);
    painter_->setBrush(Qt::NoBrush);
    painter_has_pen_ = false;
}

QPainter& TImageCanvas::StrokePainter(std::span<const TPointI> points)
{
    BeginPainting();
    const TPen& pen = Pen();
    if (!painter_has_pen_) {
        const QColor color = QColor::fromRgb(canvas_raster::PixelFromColor(pen.color));
        painter_->setPen(QPen(color, pen.width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter_->setCompositionMode(pen.mode == TPenMode::NotXor ? QPainter::RasterOp_NotSourceXorDestination
                                                                  : QPainter::CompositionMode_SourceOver);
        painter_has_pen_ = true;
    }
    const double shift = pen.width % 2 != 0 ? 0.5 : 0.0;
    stroke_points_.clear();
    for (const TPointI& point : points)
        stroke_points_.emplace_back(point.x + shift, point.y + shift);
    return *painter_;
}

void TImageCanvas::PlaySetPen(const TPen&)
{
    painter_has_pen_ = false;
    dot_phase_ = 0;
}

void TImageCanvas::PlaySetBrush(const TBrush&)
{
}

void TImageCanvas::PlayMoveTo(TPointI)
{
    dot_phase_ = 0;
}

void TImageCanvas::PlayLineTo(TPointI point)
{
    const TPointI from = PenPos();
    if (!HasPixels() || Pen().style == TPenStyle::Clear)
        return;
    if (!PenIsWide()) {
        const bool dotted = Pen().style == TPenStyle::Dot;
        canvas_raster::DrawThinLine(Pixels(), from, point, PenPaint(), dotted ? &dot_phase_ : nullptr);
        return;
    }
    if (from == point)
        return;
    const TPointI ends[] = { from, point };
    QPainter& painter = StrokePainter(ends);
    painter.drawLine(stroke_points_[0], stroke_points_[1]);
}

// One-pixel pens draw a path's sides as separate lines; the dots of a dotted
// pen run on from side to side.
void TImageCanvas::DrawThinPath(std::span<const TPointI> points, bool closed)
{
    const canvas_raster::TPixels pixels = Pixels();
    const canvas_raster::TPaint paint = PenPaint();
    int phase = 0;
    int* dots = Pen().style == TPenStyle::Dot ? &phase : nullptr;
    for (std::size_t i = 0; i + 1 < points.size(); ++i)
        canvas_raster::DrawThinLine(pixels, points[i], points[i + 1], paint, dots);
    if (closed)
        canvas_raster::DrawThinLine(pixels, points.back(), points.front(), paint, dots);
}

void TImageCanvas::PlayPolyline(std::span<const TPointI> points)
{
    if (!HasPixels() || Pen().style == TPenStyle::Clear || points.size() < 2)
        return;
    if (!PenIsWide()) {
        DrawThinPath(points, false);
        return;
    }
    QPainter& painter = StrokePainter(points);
    painter.drawPolyline(stroke_points_.data(), static_cast<int>(stroke_points_.size()));
}

void TImageCanvas::PlayPolygon(std::span<const TPointI> points)
{
    if (!HasPixels() || points.empty())
        return;
    if (Brush().style != TBrushStyle::Clear)
        canvas_raster::FillPolygon(Pixels(), points, BrushPaint(Pen().mode));
    if (Pen().style == TPenStyle::Clear || points.size() < 2)
        return;
    if (!PenIsWide()) {
        DrawThinPath(points, true);
        return;
    }
    QPainter& painter = StrokePainter(points);
    painter.drawPolygon(stroke_points_.data(), static_cast<int>(stroke_points_.size()));
}

void TImageCanvas::PlayEllipse(const TRectI& box)
{
    if (!HasPixels())
        return;
    const canvas_raster::TPaint pen = PenPaint();
    const canvas_raster::TPaint brush = BrushPaint(Pen().mode);
    canvas_raster::TEllipseStyle style;
    if (Pen().style != TPenStyle::Clear) {
        style.outline = &pen;
        style.pen_width = Pen().width;
        style.dotted = Pen().style == TPenStyle::Dot && !PenIsWide();
    }
    if (Brush().style != TBrushStyle::Clear)
        style.fill = &brush;
    canvas_raster::DrawEllipse(Pixels(), box, style);
}

void TImageCanvas::PlayFillRect(const TRectI& rect)
{
    if (!HasPixels() || Brush().style == TBrushStyle::Clear)
        return;
    canvas_raster::FillRect(Pixels(), rect, BrushPaint(TPenMode::Copy));
}

void TImageCanvas::PlaySetPixel(TPointI point, TColor color)
{
    if (point.x < 0 || point.y < 0 || point.x >= Width() || point.y >= Height())
        return;
    const canvas_raster::TPixels pixels = Pixels();
    pixels.bits[point.y * pixels.stride + point.x] = canvas_raster::PixelFromColor(color);
}

void TImageCanvas::PlaySetFont(const TFont&)
{
    // Font() is already the new font; the scaled one is kept while only
    // colour, underline or strike-out change.
    if (scaled_font_known_ && !font_engine::SameScaledFont(Font(), scaled_font_source_))
        scaled_font_known_ = false;
}

void TImageCanvas::PlayTextOut(TPointI point, std::string_view text)
{
    if (!HasPixels() || text.empty())
        return;
    if (!scaled_font_known_) {
        scaled_font_ = font_engine::ScaledFont(Font());
        scaled_font_source_ = Font();
        scaled_font_known_ = true;
    }
    if (scaled_font_)
        text_raster::DrawText(Pixels(), *scaled_font_, Font(), point, text);
}

// Source rows are decoded once for the columns in view and reused while
// consecutive destination rows read the same source row (enlarging).
void TImageCanvas::PlayStretchDraw(const TRectI& dest, const TBitmap& bitmap, TColor key)
{
    if (!HasPixels() || bitmap.IsEmpty())
        return;
    const TStretchAxis columns = MapStretchAxis(dest.left, dest.right, bitmap.Width(), Width());
    const TStretchAxis rows = MapStretchAxis(dest.top, dest.bottom, bitmap.Height(), Height());
    if (columns.source.empty() || rows.source.empty())
        return;
    const canvas_raster::TPixels pixels = Pixels();
    std::vector<TColor> decoded(columns.source.size());
    int decoded_row = -1;
    for (std::size_t j = 0; j < rows.source.size(); ++j) {
        const int source_row = rows.source[j];
        if (source_row != decoded_row) {
            for (std::size_t i = 0; i < decoded.size(); ++i)
                decoded[i] = bitmap.GetPixel(columns.source[i], source_row);
            decoded_row = source_row;
        }
        std::uint32_t* line = pixels.bits + (rows.first + static_cast<std::int64_t>(j)) * pixels.stride + columns.first;
        for (std::size_t i = 0; i < decoded.size(); ++i) {
            if (decoded[i] != key)
                line[i] = canvas_raster::PixelFromColor(decoded[i]);
        }
    }
}
