#include "print/PainterCanvas.h"

#include "platform/CanvasRaster.h"
#include "platform/FontEngine.h"
#include "platform/GlyphOutline.h"
#include "platform/ShiftJis.h"

#include <QBrush>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

// Pixel geometry: the raster backend lights the pixel whose top-left corner
// is the integer point, so a stroke is centred half a pixel inside it
// (a stroke of an even width on the corners, as the raster backend centres
// it), and a filled box [left, right) x [top, bottom) is its corners as they
// are. At 600 dpi and more the half pixel is below what paper shows, but it
// keeps a page of the printer and the same page as an image in register.

namespace {

QColor ColorOf(TColor color)
{
    return QColor::fromRgb(canvas_raster::PixelFromColor(color));
}

double StrokeShift(int width)
{
    return width % 2 != 0 || width <= 1 ? 0.5 : 0.0;
}

QPolygonF StrokePoints(std::span<const TPointI> points, int width)
{
    const double shift = StrokeShift(width);
    QPolygonF polygon;
    polygon.reserve(static_cast<qsizetype>(points.size()));
    for (const TPointI& point : points)
        polygon.append(QPointF(point.x + shift, point.y + shift));
    return polygon;
}

QPolygonF CornerPoints(std::span<const TPointI> points)
{
    QPolygonF polygon;
    polygon.reserve(static_cast<qsizetype>(points.size()));
    for (const TPointI& point : points)
        polygon.append(QPointF(point.x, point.y));
    return polygon;
}

Qt::BrushStyle QtBrushStyle(TBrushStyle style)
{
    switch (style) {
    case TBrushStyle::Solid:
        return Qt::SolidPattern;
    case TBrushStyle::DiagCross:
        return Qt::DiagCrossPattern;
    case TBrushStyle::Clear:
        break;
    }
    return Qt::NoBrush;
}

// One glyph's contours at `origin` (y downward) as a path: straight records
// as lines, spline records as quadratic curves through the implied points.
void AppendGlyph(QPainterPath& path, const TGlyphOutline& glyph, QPointF origin)
{
    // Whole device pixels: a printer's pixel is far below what the eye
    // sees, and fractions only lengthen the page the printer is sent.
    const auto at = [&](const TOutlinePoint& point) {
        return QPointF(std::round(origin.x() + point.x), std::round(origin.y() - point.y));
    };
    for (const TOutlineContour& contour : glyph.contours) {
        path.moveTo(at(contour.start));
        for (const TOutlineRecord& record : contour.records) {
            if (record.kind == TOutlineRecordKind::Line) {
                for (const TOutlinePoint& point : record.points)
                    path.lineTo(at(point));
                continue;
            }
            for (std::size_t i = 0; i + 1 < record.points.size(); ++i) {
                const TOutlinePoint& control = record.points[i];
                const TOutlinePoint& next = record.points[i + 1];
                const TOutlinePoint to = i + 2 == record.points.size()
                    ? next
                    : TOutlinePoint { (control.x + next.x) / 2, (control.y + next.y) / 2 };
                path.quadTo(at(control), at(to));
            }
            if (record.points.size() == 1)
                path.lineTo(at(record.points[0]));
        }
        path.closeSubpath();
    }
}

// An underline or strike-out band (straight sides, y upward) from the first
// character's origin.
void AppendBand(QPainterPath& path, const font_engine::TGlyphShape& band, QPointF origin)
{
    QPolygonF polygon;
    for (const font_engine::TPointD& point : band.points)
        polygon.append(QPointF(origin.x() + point.x, origin.y() - point.y));
    path.addPolygon(polygon);
    path.closeSubpath();
}

} // namespace

TPainterCanvas::TPainterCanvas(QPainter& painter, int width, int height)
    : painter_(painter)
    , width_(std::max(width, 0))
    , height_(std::max(height, 0))
{
}

bool TPainterCanvas::CanDraw() const
{
    return painter_.isActive();
}

bool TPainterCanvas::PenDraws() const
{
    return CanDraw() && Pen().style != TPenStyle::Clear;
}

QPainter& TPainterCanvas::StrokePainter()
{
    if (readied_ == TReadied::Stroke)
        return painter_;
    readied_ = TReadied::Stroke;
    const TPen& pen = Pen();
    const bool wide = pen.width > 1;
    const Qt::PenStyle style = pen.style == TPenStyle::Dot && !wide ? Qt::DotLine : Qt::SolidLine;
    QPen qt_pen(ColorOf(pen.color), std::max(pen.width, 1), style, wide ? Qt::RoundCap : Qt::FlatCap,
        wide ? Qt::RoundJoin : Qt::MiterJoin);
    painter_.setPen(qt_pen);
    painter_.setBrush(Qt::NoBrush);
    return painter_;
}

QPainter& TPainterCanvas::FillPainter()
{
    if (readied_ == TReadied::Fill)
        return painter_;
    readied_ = TReadied::Fill;
    painter_.setPen(Qt::NoPen);
    painter_.setBrush(QBrush(ColorOf(Brush().color), QtBrushStyle(Brush().style)));
    return painter_;
}

void TPainterCanvas::PlaySetPen(const TPen&)
{
    readied_ = TReadied::Nothing;
}

void TPainterCanvas::PlaySetBrush(const TBrush&)
{
    readied_ = TReadied::Nothing;
}

void TPainterCanvas::PlayMoveTo(TPointI)
{
}

void TPainterCanvas::PlayLineTo(TPointI point)
{
    const TPointI from = PenPos();
    if (!PenDraws() || from == point)
        return;
    const double shift = StrokeShift(Pen().width);
    StrokePainter().drawLine(QPointF(from.x + shift, from.y + shift), QPointF(point.x + shift, point.y + shift));
}

void TPainterCanvas::PlayPolyline(std::span<const TPointI> points)
{
    if (!PenDraws() || points.size() < 2)
        return;
    StrokePainter().drawPolyline(StrokePoints(points, Pen().width));
}

void TPainterCanvas::PlayPolygon(std::span<const TPointI> points)
{
    if (!CanDraw() || points.empty())
        return;
    if (Brush().style != TBrushStyle::Clear)
        FillPainter().drawPolygon(CornerPoints(points), Qt::OddEvenFill);
    if (PenDraws() && points.size() >= 2)
        StrokePainter().drawPolygon(StrokePoints(points, Pen().width));
}

void TPainterCanvas::PlayEllipse(const TRectI& box)
{
    if (!CanDraw())
        return;
    const QRectF corners = QRectF(QPointF(box.left, box.top), QPointF(box.right, box.bottom)).normalized();
    if (corners.isEmpty())
        return;
    if (Brush().style != TBrushStyle::Clear)
        FillPainter().drawEllipse(corners);
    if (PenDraws()) {
        // The one-pixel outline lies inside the box; a wider one is centred
        // on that outline.
        StrokePainter().drawEllipse(corners.adjusted(0.5, 0.5, -0.5, -0.5));
    }
}

void TPainterCanvas::PlayFillRect(const TRectI& rect)
{
    if (!CanDraw() || Brush().style == TBrushStyle::Clear || rect.right <= rect.left || rect.bottom <= rect.top)
        return;
    FillPainter().drawRect(QRectF(QPointF(rect.left, rect.top), QPointF(rect.right, rect.bottom)));
}

void TPainterCanvas::PlaySetPixel(TPointI point, TColor color)
{
    if (!CanDraw())
        return;
    painter_.fillRect(QRectF(point.x, point.y, 1, 1), ColorOf(color));
}

void TPainterCanvas::PlaySetFont(const TFont&)
{
}

void TPainterCanvas::PlayTextOut(TPointI point, std::string_view text)
{
    if (!CanDraw() || text.empty())
        return;
    const TOutlinePoint start = TextOrigin(Font(), point.x, point.y);
    QPointF origin(start.x, start.y);
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    // The glyphs' advances along the base line give the length the
    // underline and strike-out bands span.
    double length = 0;
    ForEachCharacterCode(text, [&](unsigned int code) {
        const TGlyphOutline glyph = GlyphOutline(Font(), code);
        AppendGlyph(path, glyph, origin);
        origin += QPointF(glyph.advance.x, -glyph.advance.y);
        length += std::hypot(glyph.advance.x, glyph.advance.y);
    });
    if (Font().underline || Font().strike_out) {
        const std::shared_ptr<const font_engine::TScaledFont> scaled = font_engine::ScaledFont(Font());
        if (scaled) {
            const QPointF first(start.x, start.y);
            if (Font().underline)
                AppendBand(path, scaled->UnderlineShape(0, length), first);
            if (Font().strike_out)
                AppendBand(path, scaled->StrikeOutShape(0, length), first);
        }
    }
    painter_.fillPath(path, ColorOf(Font().color));
}

void TPainterCanvas::PlayStretchDraw(const TRectI& dest, const TBitmap& bitmap, TColor key)
{
    if (!CanDraw() || bitmap.IsEmpty() || dest.left == dest.right || dest.top == dest.bottom)
        return;
    QImage image = bitmap.ToImage().convertToFormat(QImage::Format_ARGB32);
    if (key != NoColor) {
        const QRgb left_out = ColorOf(key).rgb();
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                if ((line[x] | 0xFF000000u) == left_out)
                    line[x] = 0;
            }
        }
    }
    // A rectangle given backwards shows the picture mirrored.
    image = image.mirrored(dest.right < dest.left, dest.bottom < dest.top);
    const QRectF target = QRectF(QPointF(dest.left, dest.top), QPointF(dest.right, dest.bottom)).normalized();
    // Nearest neighbour, as the raster backend stretches.
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter_.drawImage(target, image);
}
