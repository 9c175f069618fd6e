#pragma once

// TKLine: a straight segment from a start point to an end point.

#include "core/BPoint.h"
#include "elements/ZhdElem.h"

class TKLine final : public TZhdElem {
public:
    TKLine() = default;
    // A line with the given base part; dimensions build their parts this way.
    TKLine(const TZhdElem& base, TBPoint start, TBPoint end);
    TKLine(const TKLine&) = default;
    // The attribute record and both points; the marks and number stay.
    TKLine& operator=(const TKLine& other);

    // "線 " and the document's version.
    std::string GetDisplayName(const TZhdData& document) const override;
    static constexpr int TypeCode = LineCode;
    int GetTypeCode() const override { return TypeCode; }

    //   struct LineBody {
    //       Status status;             13 or 15 bytes by version
    //       Point  start, end;         32 bytes
    //   };
    void ReadBody(TStream& stream, const TZhdData& document) override;
    void WriteBody(TStream& stream, const TZhdData& document) const override;
    int GetBodySize(const TZhdData& document) const override;

    // External-command text form (KLineTextRecord.cpp).
    void ReadTextRecord(const StringList& lines, TZhdData& document) override;
    void WriteTextRecord(StringList& lines, TZhdData& document) const override;

    // Geometry (KLineGeometry.cpp).
    // 0 the start, 1 the midpoint (tag 0), 2 the end; any other index the
    // start. The ends come with their tags.
    TBPoint GetKeyPoint(int index) const override;
    // The length and the direction from start to end (0 for a zero length).
    TShapeInfo GetShapeInfo(const TBPoint& point) const override;
    // The box of the two points; document and flag are not read.
    void GetExtent(TBPoint& min, TBPoint& max, const TZhdData& document, int flag) const override;
    // The foot of the perpendicular from the query onto the line through both
    // points, not clamped to the segment, and the query's signed offset from
    // that line (positive on the left of start -> end). 1 when the foot lies
    // on the segment (ends within 1e-10), else 0; for a line shorter than
    // 1e-10 or a point that is not finite, 0 with the outputs untouched.
    int NearestPoint(const TBPoint& query, const TZhdData& document, TBPoint& point,
                     double& distance) const override;
    // The nearer end and the distance to it; the end on a tie. Always 1.
    int NearestEndPoint(const TBPoint& query, const TZhdData& document, TBPoint& point,
                        double& distance) const override;
    // A foot on the segment or an end: inside the box.
    bool AnswersInsideExtent() const override { return true; }
    // Where this line meets the other element, of any kind (KLineCross.cpp):
    // the list is emptied, then the points are appended in the order of the
    // other element's parts, each tagged with its solver's code (0 a
    // candidate off the line or the part, 1 a crossing, 2 at an end, 3
    // touching or overlapping). Nothing is merged. Block contents are met
    // as placed, without their 0-tagged candidates.
    int CrossPoints(const TZhdElemPtr& other, const TZhdData& document, std::vector<TBPoint>& points) const override;
    // The same for an element held by reference: nothing is copied.
    int CrossPointsWith(const TZhdElem& other, const TZhdData& document, std::vector<TBPoint>& points) const;
    // The same for the seven archive class names, nothing for any other.
    // Parts and block contents are met in place, so the scratch stream is
    // never needed; it stays for callers that share one across a search.
    int CrossPointsUsingStream(const TZhdElemPtr& other, const TZhdData& document, std::vector<TBPoint>& points,
                               TStream& scratch) const override;
    // Both points; the tags stay.
    void MoveBy(TBPoint offset, const TZhdData& document) override;
    void Rotate(TAngle angle, const TZhdData& document) override;
    void Scale(double sx, double sy, const TZhdData& document) override;

    TBPoint GetStart() const { return start_; }
    TBPoint SetStart(TBPoint point) { return start_ = point; }
    TBPoint GetEnd() const { return end_; }
    TBPoint SetEnd(TBPoint point) { return end_ = point; }
    TKLine& AsLine() { return *this; }
    // Both points; the attribute record stays.
    TKLine& AssignLine(const TKLine& other);
    TKLine& SetLine(TBPoint start, TBPoint end);


    // Drawing (KLineDraw.cpp): with the document's drawing colour and line type.
    int Draw(TCanvas& canvas, TZhdData& document) override;

private:
    TBPoint start_;
    TBPoint end_;
};
