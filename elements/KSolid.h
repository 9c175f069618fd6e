#pragma once

// TKSolid: a filled area. Up to line type 100 a quadrilateral of four corners
// (which may collapse to a triangle or a segment); from 101 an arc solid whose
// corners hold an ellipse: centre, (radius, flatness), (tilt, start angle),
// (arc angle, kind value), angles in radians. With pen colour 10 the solid
// carries its own colour, and only then is that colour stored.

#include "core/BPoint.h"
#include "elements/ZhdElem.h"

class TKSolid final : public TZhdElem {
public:
    static constexpr std::uint16_t OwnColorPen = 10;
    static constexpr std::uint8_t FirstArcPenStyle = 101;

    TKSolid() = default;
    TKSolid(const TKSolid&) = default;
    // The attribute record, the corners and the colour; marks and number stay.
    TKSolid& operator=(const TKSolid& other);

    static constexpr int TypeCode = SolidCode;
    int GetTypeCode() const override { return TypeCode; }

    //   struct SolidBody {
    //       Status status;             13 or 15 bytes by version
    //       Point  corners[4];
    //       u32    color;              only when status.pen_color == 10
    //   };                             status + 64, or + 68 with the colour
    void ReadBody(TStream& stream, const TZhdData& document) override;
    void WriteBody(TStream& stream, const TZhdData& document) const override;
    int GetBodySize(const TZhdData& document) const override;

    // External-command text form (KSolidTextRecord.cpp).
    void ReadTextRecord(const StringList& lines, TZhdData& document) override;
    void WriteTextRecord(StringList& lines, TZhdData& document) const override;

    bool HasOwnColor() const { return GetPenColor() == OwnColorPen; }
    bool IsArcSolid() const { return GetPenStyle() >= FirstArcPenStyle; }

    TBPoint GetPoint1() const { return corners_[0]; }
    TBPoint SetPoint1(TBPoint point) { return corners_[0] = point; }
    TBPoint GetPoint2() const { return corners_[1]; }
    TBPoint SetPoint2(TBPoint point) { return corners_[1] = point; }
    TBPoint GetPoint3() const { return corners_[2]; }
    TBPoint SetPoint3(TBPoint point) { return corners_[2] = point; }
    TBPoint GetPoint4() const { return corners_[3]; }
    TBPoint SetPoint4(TBPoint point) { return corners_[3] = point; }
    // R + G * 256 + B * 65536.
    int GetColor() const { return color_; }
    int SetColor(int color) { return color_ = color; }
    TKSolid& AsSolid() { return *this; }
    // The corners and the colour; the attribute record stays.
    TKSolid& AssignSolid(const TKSolid& other);
    TKSolid& SetSolid(TBPoint point1, TBPoint point2, TBPoint point3, TBPoint point4, int color);

private:
    TBPoint corners_[4];
    int color_ = 0;
};
