// A dimension's geometry is its parts': the line and the text answer, the
// dimension combines.

#include "elements/KSunpou.h"

#include <cmath>

TBPoint TKSunpou::GetKeyPoint(int index) const
{
    return line_.GetKeyPoint(index);
}

TShapeInfo TKSunpou::GetShapeInfo(const TBPoint& point) const
{
    TShapeInfo info = line_.GetShapeInfo(point);
    const TShapeInfo text = moji_.GetShapeInfo(point);
    info.Values.insert(info.Values.end(), text.Values.begin(), text.Values.end());
    info.Angles.insert(info.Angles.end(), text.Angles.begin(), text.Angles.end());
    return info;
}

// The box of everything the dimension draws, not of its line and text
// alone: the element-list drawing culls by it, and an extension line that
// alone reaches into the view must still be drawn.
void TKSunpou::GetExtent(TBPoint& min, TBPoint& max, const TZhdData& document, int flag) const
{
    line_.GetExtent(min, max, document, flag);
    const auto widen = [&](const TZhdElem& part) {
        TBPoint low, high;
        part.GetExtent(low, high, document, flag);
        min.SetXY(std::fmin(min.GetX(), low.GetX()), std::fmin(min.GetY(), low.GetY()));
        max.SetXY(std::fmax(max.GetX(), high.GetX()), std::fmax(max.GetY(), high.GetY()));
    };
    widen(moji_);
    if (sxf_->GetMode() != 0)
        sxf_->ForEachPart(TSXFSunpou::DrawnPointCount, widen);
}

// The line's answer unless the text's is strictly nearer.
int TKSunpou::NearestPoint(const TBPoint& query, const TZhdData& document, TBPoint& point, double& distance) const
{
    const int on_line = line_.NearestPoint(query, document, point, distance);
    TBPoint text_point;
    double text_distance = 0;
    const int on_text = moji_.NearestPoint(query, document, text_point, text_distance);
    if (on_text != 0 && (on_line == 0 || std::fabs(distance) > std::fabs(text_distance))) {
        point = text_point;
        distance = text_distance;
    }
    return on_line != 0 || on_text != 0 ? 1 : 0;
}

// The text's answer unless the line's is strictly nearer.
int TKSunpou::NearestEndPoint(const TBPoint& query, const TZhdData& document, TBPoint& point,
                              double& distance) const
{
    TBPoint line_point, text_point;
    double line_distance = 0, text_distance = 0;
    line_.NearestEndPoint(query, document, line_point, line_distance);
    moji_.NearestEndPoint(query, document, text_point, text_distance);
    const bool line_wins = line_distance < text_distance;
    point = line_wins ? line_point : text_point;
    distance = line_wins ? line_distance : text_distance;
    return 1;
}

void TKSunpou::MoveBy(TBPoint offset, const TZhdData& document)
{
    line_.MoveBy(offset, document);
    moji_.MoveBy(offset, document);
    ChangeSXF(TSXFSunpou::DrawnPointCount, [&](TZhdElem& part) { part.MoveBy(offset, document); });
}

void TKSunpou::Rotate(TAngle angle, const TZhdData& document)
{
    line_.Rotate(angle, document);
    moji_.Rotate(angle, document);
    ChangeSXF(TSXFSunpou::DrawnPointCount, [&](TZhdElem& part) { part.Rotate(angle, document); });
}

void TKSunpou::Scale(double sx, double sy, const TZhdData& document)
{
    line_.Scale(sx, sy, document);
    moji_.Scale(sx, sy, document);
    ChangeSXF(TSXFSunpou::PointCount, [&](TZhdElem& part) {
        auto* point = part.GetTypeCode() == TKPoint::TypeCode ? static_cast<TKPoint*>(&part) : nullptr;
        const double marker_scale = point != nullptr ? point->GetMarkerScale() : 0;
        part.Scale(sx, sy, document);
        if (point != nullptr)
            point->SetMarkerScale(marker_scale);
    });
}
