#pragma once

// TKPoint: a plain point, a temporary point, or (line type 100) a marker
// point that places the document's marker shape of its code, turned by its
// marker angle and scaled by its marker scale. The marker fields are stored
// in the drawing file only for marker points.

#include "core/Angle.h"
#include "core/BPoint.h"
#include "elements/ZhdElem.h"

class TKPoint final : public TZhdElem {
public:
    static constexpr std::uint8_t MarkerPenStyle = 100;

    TKPoint() = default;
    TKPoint(const TKPoint&) = default;
    // The attribute record and the five fields; the marks and number stay.
    TKPoint& operator=(const TKPoint& other);

    static constexpr int TypeCode = PointCode;
    int GetTypeCode() const override { return TypeCode; }

    //   struct PointBody {
    //       Status status;             13 or 15 bytes by version
    //       Point  position;
    //       u32    temporary;
    //       // only when status.pen_style == 100:
    //       u32    marker_code;
    //       f64    marker_angle;       radians
    //       f64    marker_scale;
    //   };                             status + 20, or + 40 for a marker
    void ReadBody(TStream& stream, const TZhdData& document) override;
    void WriteBody(TStream& stream, const TZhdData& document) const override;
    int GetBodySize(const TZhdData& document) const override;

    // External-command text form (KPointTextRecord.cpp).
    void ReadTextRecord(const StringList& lines, TZhdData& document) override;
    void WriteTextRecord(StringList& lines, TZhdData& document) const override;

    bool IsMarker() const { return GetPenStyle() == MarkerPenStyle; }

    TBPoint GetPos() const { return position_; }
    TBPoint SetPos(TBPoint position) { return position_ = position; }
    int GetTemporary() const { return temporary_; }
    int SetTemporary(int flag) { return temporary_ = flag; }
    int GetMarkerCode() const { return marker_code_; }
    int SetMarkerCode(int code) { return marker_code_ = code; }
    TAngle GetMarkerAngle() const { return marker_angle_; }
    TAngle SetMarkerAngle(TAngle angle) { return marker_angle_ = angle; }
    // 0 counts as 1 where the shape is placed.
    double GetMarkerScale() const { return marker_scale_; }
    double SetMarkerScale(double scale) { return marker_scale_ = scale; }
    TKPoint& AsPoint() { return *this; }
    // The five fields; the attribute record stays.
    TKPoint& AssignPoint(const TKPoint& other);
    TKPoint& SetPoint(TBPoint position, int temporary, int marker_code, TAngle marker_angle, double marker_scale);

private:
    TBPoint position_;
    int temporary_ = 0;
    int marker_code_ = 0;
    TAngle marker_angle_;
    double marker_scale_ = 0.0;
};
