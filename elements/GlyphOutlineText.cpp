#include "elements/GlyphOutlineText.h"

#include "platform/Canvas.h"
#include "platform/GlyphOutline.h"
#include "platform/ShiftJis.h"
#include "render/DeviceClip.h"

namespace {

constexpr int pieces_per_segment = 10;

unsigned int CharacterCode(std::string_view text)
{
    const auto first = static_cast<unsigned char>(text[0]);
    if (IsLeadByte(first) && text.size() >= 2)
        return first * 256u + static_cast<unsigned char>(text[1]);
    return first;
}

struct TFlatContour {
    std::vector<double> xs;
    std::vector<double> ys;

    void Add(const TOutlinePoint& point)
    {
        xs.push_back(point.x);
        ys.push_back(point.y);
    }
    TOutlinePoint Last() const { return { xs.back(), ys.back() }; }
};

// Control points q1 … qn, qn on the curve: between two control points in a
// row the curve passes through their midpoint.
void AppendSpline(TFlatContour& flat, const std::vector<TOutlinePoint>& controls)
{
    if (controls.size() == 1) {
        // A spline of one point has no curve; keeping its point as a
        // corner keeps the contour closed where the glyph has it.
        flat.Add(controls[0]);
        return;
    }
    for (std::size_t i = 0; i + 1 < controls.size(); ++i) {
        const TOutlinePoint from = flat.Last();
        const TOutlinePoint& control = controls[i];
        const TOutlinePoint& next = controls[i + 1];
        const bool last = i + 2 == controls.size();
        const TOutlinePoint to = last ? next : TOutlinePoint { (control.x + next.x) / 2, (control.y + next.y) / 2 };
        AppendQuadBezierPoints(from.x, from.y, control.x, control.y, to.x, to.y, flat.xs, flat.ys, pieces_per_segment);
    }
}

TFlatContour Flatten(const TOutlineContour& contour)
{
    TFlatContour flat;
    flat.Add(contour.start);
    for (const TOutlineRecord& record : contour.records) {
        if (record.kind == TOutlineRecordKind::Line) {
            for (const TOutlinePoint& point : record.points)
                flat.Add(point);
        } else if (!record.points.empty()) {
            AppendSpline(flat, record.points);
        }
    }
    flat.Add(contour.start);
    return flat;
}

} // namespace

void AppendQuadBezierPoints(double x0, double y0, double x1, double y1, double x2, double y2,
                            std::vector<double>& xs, std::vector<double>& ys, int n)
{
    for (int i = 1; i <= n; ++i) {
        const double t = static_cast<double>(i) / n;
        const double s = 1 - t;
        xs.push_back(s * s * x0 + 2 * t * s * x1 + t * t * x2);
        ys.push_back(s * s * y0 + 2 * t * s * y1 + t * t * y2);
    }
}

void DrawGlyphOutline(TCanvas& canvas, std::string_view text, double x, double y, int pen_width)
{
    if (text.empty())
        return;
    const TGlyphOutline outline = GlyphOutline(canvas.Font(), CharacterCode(text));
    if (outline.contours.empty())
        return;
    TPen pen = canvas.Pen();
    pen.color = canvas.Font().color;
    pen.style = TPenStyle::Solid;
    pen.width = pen_width;
    canvas.SetPen(pen);

    std::vector<TPointI> pixels;
    for (const TOutlineContour& contour : outline.contours) {
        const TFlatContour flat = Flatten(contour);
        pixels.clear();
        for (std::size_t i = 0; i < flat.xs.size(); ++i)
            pixels.push_back({ DeviceInt(x + flat.xs[i] + 0.5), DeviceInt(y - flat.ys[i] + 0.5) });
        canvas.Polyline(pixels);
    }
}
