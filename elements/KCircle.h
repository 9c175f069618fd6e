#pragma once

// TKCircle: circles, circular arcs, ellipses and elliptic arcs in one class.
//
// The outline is centre + Rot(tilt) * (radius cos t, radius * flatness sin t)
// for the parameter angle t from the start angle over the arc angle. Nothing
// keeps the full-circle flag in step with the arc angle: the setters store
// what they are given.

#include "core/Angle.h"
#include "core/BPoint.h"
#include "elements/ZhdElem.h"

class TKCircle final : public TZhdElem {
public:
    TKCircle() = default;
    // The base part is the default one.
    TKCircle(TBPoint center, double radius, TAngle start, TAngle arc, TAngle tilt, double flatness, int full_circle);
    TKCircle(const TKCircle&) = default;
    // The attribute record and the seven fields; the marks and number stay.
    TKCircle& operator=(const TKCircle& other);

    static constexpr int TypeCode = CircleCode;
    int GetTypeCode() const override { return TypeCode; }

    //   struct CircleBody {
    //       Status status;             13 or 15 bytes by version
    //       Point  center;
    //       f64    radius;
    //       f64    start, arc, tilt;   radians
    //       f64    flatness;
    //       u32    full_circle;
    //   };                             status + 60 bytes
    void ReadBody(TStream& stream, const TZhdData& document) override;
    void WriteBody(TStream& stream, const TZhdData& document) const override;
    int GetBodySize(const TZhdData& document) const override;

    // External-command text form (KCircleTextRecord.cpp).
    void ReadTextRecord(const StringList& lines, TZhdData& document) override;
    void WriteTextRecord(StringList& lines, TZhdData& document) const override;

    // Geometry (KCircleGeometry.cpp). P(t) is the outline point of
    // parameter t; an arc angle is a full turn when it reads exactly 360
    // degrees or exactly 2 pi radians (either unit, as stored).
    //
    // Degenerate arcs: an arc whose fields are not all finite has the shape
    // measures [0, 0] and [0, 0, 0, 0], classifies every point as outside and
    // is left alone by Scale but for its centre; its key points are the
    // centre. A radius of 0 is a point: lengths 0, classification 0. A
    // flatness of 0 is the segment of length 2 * radius along the tilt traced
    // there and back: it is measured as such (tangent along the tilt), its
    // exact box holds the segment's ends, and it classifies every point as
    // outside and has no nearest point (it encloses nothing and has no
    // circle frame).

    // 0 P(start), 1 P(start + arc / 2), 3 the centre, any other index
    // P(start + arc), the end point.
    TBPoint GetKeyPoint(int index) const override;
    // Lengths: a circle (flatness exactly 1) [arc * radius, radius]; an
    // ellipse [length, radius, flatness, n, ...]: closed, the perimeter and
    // n = 100 series terms; open, the length of a polyline through the
    // outline in arc / 20000 steps, n its pieces, and the arc's share of the
    // perimeter (arc * perimeter / 2 pi). Angles: [the tangent direction at
    // the point's parameter, start, arc, tilt]; the tangent of an ellipse is
    // folded into (-90, 90] degrees before the tilt is added. A point that is
    // not finite is taken at parameter 0.
    TShapeInfo GetShapeInfo(const TBPoint& point) const override;
    // Flag 0: centre +- radius on both axes, whatever the flatness, tilt and
    // sweep (an ellipse flatter than 1 lies inside). Flag 1: the exact box of
    // the outline within the sweep. Any other flag: min and max untouched.
    void GetExtent(TBPoint& min, TBPoint& max, const TZhdData& document, int flag) const override;
    // Where the ray from the centre towards the query (along the tilt for a
    // query at the centre) meets the outline within 2 * radius; the distance
    // is the query's from the centre less the point's (less the radius for a
    // circle), negative inside. 0, outputs untouched, when the ray misses
    // the sweep or the query is not finite.
    int NearestPoint(const TBPoint& query, const TZhdData& document, TBPoint& point,
                     double& distance) const override;
    // The nearer of start and end point (the end on a tie); 0 for an arc
    // angle of 0 or a full turn.
    int NearestEndPoint(const TBPoint& query, const TZhdData& document, TBPoint& point,
                        double& distance) const override;
    // Points of the outline, which lies inside the centre +- radius box
    // unless the flatness widens it beyond the radius; the distance along
    // the ray from the centre is the true distance to the point.
    bool AnswersInsideExtent() const override { return radius_ >= 0 && flatness_ >= 0 && flatness_ <= 1; }
    // Where this arc meets a line, an arc, a point element, a text box or a
    // dimension's line and text (KCircleCross.cpp): the list is emptied, then
    // the points are appended with their solver's codes as tags (0 a
    // candidate off one of the pieces). A line answers as the line's own
    // CrossPoints would; a point element gives the arc's point in its
    // direction, tagged 1 when it lies on the arc. Solids, blocks: nothing.
    int CrossPoints(const TZhdElemPtr& other, const TZhdData& document, std::vector<TBPoint>& points) const override;
    void MoveBy(TBPoint offset, const TZhdData& document) override;
    // The centre about the origin; the angle is added to the tilt (start and
    // arc are measured from the tilt and stay).
    void Rotate(TAngle angle, const TZhdData& document) override;
    // The outline scaled about the origin as a point set; with exactly one
    // negative factor its ends swap (the old end's image is the new start).
    void Scale(double sx, double sy, const TZhdData& document) override;
    // 2 on the whole ellipse (the sweep is not looked at), 1 inside, 0
    // outside.
    int ClassifyPoint(const TBPoint& point) const;

    TBPoint GetCenter() const { return center_; }
    TBPoint SetCenter(TBPoint center) { return center_ = center; }
    double GetRadius() const { return radius_; }
    double SetRadius(double radius) { return radius_ = radius; }
    TAngle GetStartAngle() const { return start_; }
    TAngle SetStartAngle(TAngle angle) { return start_ = angle; }
    TAngle GetArcAngle() const { return arc_; }
    TAngle SetArcAngle(TAngle angle) { return arc_ = angle; }
    TAngle GetTiltAngle() const { return tilt_; }
    TAngle SetTiltAngle(TAngle angle) { return tilt_ = angle; }
    double GetFlatness() const { return flatness_; }
    double SetFlatness(double flatness) { return flatness_ = flatness; }
    int GetFullCircle() const { return full_circle_; }
    int SetFullCircle(int flag) { return full_circle_ = flag; }
    TKCircle& AsCircle() { return *this; }
    // The seven fields; the attribute record stays.
    TKCircle& AssignCircle(const TKCircle& other);
    TKCircle& SetCircle(TBPoint center, double radius, TAngle start, TAngle arc, TAngle tilt, double flatness,
                        int full_circle);


    // Drawing (KCircleDraw.cpp): with the document's drawing colour and line type.
    int Draw(TCanvas& canvas, TZhdData& document) override;

private:
    TBPoint center_;
    double radius_ = 0.0;
    TAngle start_;
    TAngle arc_;
    TAngle tilt_;
    double flatness_ = 1.0;
    int full_circle_ = 1;
};
