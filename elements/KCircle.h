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

private:
    TBPoint center_;
    double radius_ = 0.0;
    TAngle start_;
    TAngle arc_;
    TAngle tilt_;
    double flatness_ = 1.0;
    int full_circle_ = 1;
};
