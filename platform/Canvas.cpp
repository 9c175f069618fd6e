#include "platform/Canvas.h"

// The front end keeps the state and forwards every call as exactly one
// command. A pen, brush or font equal to the current one is no command at
// all, so a recording holds only real changes and a backend never rebuilds
// its pen or font for nothing.

void TCanvas::SetPen(const TPen& pen)
{
    if (pen == pen_)
        return;
    pen_ = pen;
    PlaySetPen(pen_);
}

void TCanvas::SetBrush(const TBrush& brush)
{
    if (brush == brush_)
        return;
    brush_ = brush;
    PlaySetBrush(brush_);
}

void TCanvas::SetPenColor(TColor color)
{
    TPen pen = pen_;
    pen.color = color;
    SetPen(pen);
}

void TCanvas::SetPenWidth(int width)
{
    TPen pen = pen_;
    pen.width = width;
    SetPen(pen);
}

void TCanvas::SetPenStyle(TPenStyle style)
{
    TPen pen = pen_;
    pen.style = style;
    SetPen(pen);
}

void TCanvas::SetPenMode(TPenMode mode)
{
    TPen pen = pen_;
    pen.mode = mode;
    SetPen(pen);
}

void TCanvas::SetBrushColor(TColor color)
{
    TBrush brush = brush_;
    brush.color = color;
    SetBrush(brush);
}

void TCanvas::SetBrushStyle(TBrushStyle style)
{
    TBrush brush = brush_;
    brush.style = style;
    SetBrush(brush);
}

void TCanvas::SetFont(const TFont& font)
{
    if (font == font_)
        return;
    font_ = font;
    PlaySetFont(font_);
}

void TCanvas::SetFontColor(TColor color)
{
    TFont font = font_;
    font.color = color;
    SetFont(font);
}

void TCanvas::MoveTo(int x, int y)
{
    const TPointI point { x, y };
    PlayMoveTo(point);
    pen_pos_ = point;
}

void TCanvas::LineTo(int x, int y)
{
    const TPointI point { x, y };
    PlayLineTo(point);
    pen_pos_ = point;
}

void TCanvas::Polyline(std::span<const TPointI> points)
{
    PlayPolyline(points);
}

void TCanvas::Polygon(std::span<const TPointI> points)
{
    PlayPolygon(points);
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2)
{
    PlayEllipse(TRectI { x1, y1, x2, y2 });
}

void TCanvas::FillRect(const TRectI& rect)
{
    PlayFillRect(rect);
}

void TCanvas::SetPixel(int x, int y, TColor color)
{
    PlaySetPixel(TPointI { x, y }, color);
}

void TCanvas::TextOut(int x, int y, std::string_view text)
{
    PlayTextOut(TPointI { x, y }, text);
}

void TCanvas::StretchDraw(const TRectI& dest, const TBitmap& bitmap)
{
    PlayStretchDraw(dest, bitmap, NoColor);
}

void TCanvas::StretchDrawTransparent(const TRectI& dest, const TBitmap& bitmap, TColor key)
{
    PlayStretchDraw(dest, bitmap, key == NoColor ? NoColor : key & 0xFFFFFF);
}
