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

    // Geometry (KPointGeometry.cpp). A marker point's extent and nearest
    // points are those of its placed marker shape (PlacedMarkerShape) and
    // the position; a code without a shape leaves the position alone.

    // The position, for every index.
    TBPoint GetKeyPoint(int index) const override;
    // No lengths and no angles.
    TShapeInfo GetShapeInfo(const TBPoint& point) const override;
    // The position, widened by the placed shape's elements' boxes (flag 0)
    // for a marker point; the flag is not read. Boxes that are not finite
    // are left out.
    void GetExtent(TBPoint& min, TBPoint& max, const TZhdData& document, int flag) const override;
    // The position and the distance to it, replaced by a placed shape
    // element's answer (with the same operation) whose distance is strictly
    // smaller in magnitude; ties keep the earlier answer. Always 1.
    int NearestPoint(const TBPoint& query, const TZhdData& document, TBPoint& point,
                     double& distance) const override;
    int NearestEndPoint(const TBPoint& query, const TZhdData& document, TBPoint& point,
                        double& distance) const override;
    void MoveBy(TBPoint offset, const TZhdData& document) override;
    // The position about the origin; a marker point also adds the angle to
    // its marker angle.
    void Rotate(TAngle angle, const TZhdData& document) override;
    // The position (sx x, sy y); a marker point's marker scale is multiplied
    // by sx, except while a block reference's contents are placed for
    // drawing (the document's block-draw flag), when markers keep their size.
    void Scale(double sx, double sy, const TZhdData& document) override;

    // The marker shape as this point shows it: new copies of the document's
    // shape list for the marker code, in list order, each placed at the
    // position with the marker angle and the marker scale on both axes (a
    // scale of 0 counts as 1). Copies that are points become plain points
    // (line type 1), so a placed shape never holds a marker and placing
    // never recurses. The copies keep the shape's own attribute records; a
    // drawing that wants the point's attributes sets them afterwards. Empty
    // for a code without a shape. The point's line type is not looked at:
    // callers ask only for marker points.
    TZhdElemList PlacedMarkerShape(const TZhdData& document) const;

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

    // Drawing (KPointDraw.cpp).
    int Draw(TCanvas& canvas, TZhdData& document) override;

private:
    int DrawDot(TCanvas& canvas, TZhdData& document) const;
    int DrawMarker(TCanvas& canvas, TZhdData& document) const;

    TBPoint position_;
    int temporary_ = 0;
    int marker_code_ = 0;
    TAngle marker_angle_;
    double marker_scale_ = 0.0;
};
