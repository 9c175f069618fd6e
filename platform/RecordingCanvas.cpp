#include "platform/RecordingCanvas.h"

void TRecordingCanvas::PlaySetPen(const TPen& pen)
{
    commands_.emplace_back(canvas_command::SetPen { pen });
}

void TRecordingCanvas::PlaySetBrush(const TBrush& brush)
{
    commands_.emplace_back(canvas_command::SetBrush { brush });
}

void TRecordingCanvas::PlayMoveTo(TPointI point)
{
    commands_.emplace_back(canvas_command::MoveTo { point });
}

void TRecordingCanvas::PlayLineTo(TPointI point)
{
    commands_.emplace_back(canvas_command::LineTo { point });
}

void TRecordingCanvas::PlayPolyline(std::span<const TPointI> points)
{
    commands_.emplace_back(canvas_command::Polyline { { points.begin(), points.end() } });
}

void TRecordingCanvas::PlayPolygon(std::span<const TPointI> points)
{
    commands_.emplace_back(canvas_command::Polygon { { points.begin(), points.end() } });
}

void TRecordingCanvas::PlayEllipse(const TRectI& box)
{
    commands_.emplace_back(canvas_command::Ellipse { box });
}

void TRecordingCanvas::PlayFillRect(const TRectI& rect)
{
    commands_.emplace_back(canvas_command::FillRect { rect });
}

void TRecordingCanvas::PlaySetPixel(TPointI point, TColor color)
{
    commands_.emplace_back(canvas_command::SetPixel { point, color });
}

void TRecordingCanvas::PlaySetFont(const TFont& font)
{
    commands_.emplace_back(canvas_command::SetFont { font });
}

void TRecordingCanvas::PlayTextOut(TPointI point, std::string_view text)
{
    commands_.emplace_back(canvas_command::TextOut { point, std::string(text) });
}

void TRecordingCanvas::PlayStretchDraw(const TRectI& dest, const TBitmap& bitmap, TColor key)
{
    commands_.emplace_back(canvas_command::StretchDraw { dest, bitmap, key });
}
