#pragma once

// TKSolid: a filled area. Up to line type 100 a quadrilateral of four corners
// (which may collapse to a triangle or a segment); from 101 an arc solid whose
// corners hold an ellipse: centre, (radius, flatness), (tilt, start angle),
// (arc angle, kind value), angles in radians. With pen colour 10 the solid
// carries its own colour, and only then is that colour stored.

#include "core/BPoint.h"
#include "elements/ZhdElem.h"

#include <vector>

class TKCircle;

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

    // Arc-solid kinds (the pen style) and kind values (corner 4 y of kind
    // 101).
    static constexpr int EllipseKind = 101;
    static constexpr int SameFlatnessRingKind = 105;
    static constexpr int ConstantWidthRingKind = 106;
    static constexpr int ArcLineKind = 111;
    static constexpr double WholeEllipseValue = 100.0;
    static constexpr double SectorValue = 0.0;
    static constexpr double SegmentValue = 5.0;
    static constexpr double TangentsValue = -1.0;

    // Geometry (KSolidGeometry.cpp).
    TBPoint GetKeyPoint(int index) const override;
    void GetExtent(TBPoint& min, TBPoint& max, const TZhdData& document, int flag) const override;
    int NearestPoint(const TBPoint& query, const TZhdData& document, TBPoint& point,
                     double& distance) const override;
    int NearestEndPoint(const TBPoint& query, const TZhdData& document, TBPoint& point,
                        double& distance) const override;
    void MoveBy(TBPoint offset, const TZhdData& document) override;
    void Rotate(TAngle angle, const TZhdData& document) override;
    void Scale(double sx, double sy, const TZhdData& document) override;
    // 1 inside or on the boundary, 0 outside; a whole ellipse gives 2 on its
    // outline.
    int ContainsPoint(const TBPoint& point) const;
    // Arc solids only (else 0, nothing changes): the corners from the
    // solid's ellipse and the second ellipse, or those two ellipses from the
    // corners. A constant-width ring of ring radius 0 has the centre as its
    // second ellipse, with the first one's flatness.
    int SetFromCircle(const TKCircle& first, const TKCircle& second);
    int GetAsCircle(TKCircle& first, TKCircle& second) const;

    // The points of an arc solid's straight closing path: J and K, the start
    // and end point of its ellipse (the arc's key points 0 and 2), and T,
    // where the ellipse's tangents at J and K meet (the corner of the
    // kind-value -1 figure), along the true tangent directions (not the
    // conjugate chord that EllipseArcTangentAt reports). Tangents that do
    // not meet (parallel, as at the
    // ends of half a turn, or meeting beyond the range of doubles) give no
    // T: has_tangent_corner is false and T is the middle of the chord J-K,
    // so that the path J, T, K is that chord.
    struct FigureCorners {
        TBPoint start;          // J
        TBPoint end;            // K
        TBPoint tangent_corner; // T
        bool has_tangent_corner = false;
    };
    // false, corners untouched, for a plain solid and for corners that are
    // not all finite.
    bool GetFigureCorners(FigureCorners& corners) const;
    // The distinct corners of a plain solid: corners 1 and 2, then corner 3
    // when it lies more than 1e-10 from both, then corner 4 when it lies
    // more than 1e-10 from corners 1, 2 and 3.
    std::vector<TBPoint> GetMergedCorners() const;

    // Drawing (KSolidDraw.cpp).
    int Draw(TCanvas& canvas, TZhdData& document) override;

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
    // The solid's ellipse and the second ellipse (the first for kinds
    // other than the rings); pen style 101 or more only.
    TKCircle SolidEllipse() const;
    TKCircle SecondEllipse() const;
    bool IsRing() const;
    bool HasFiniteCorners() const;
    // The open straight path of a kind-101 figure: [J, centre, K] for the
    // sector, [J, T, K] for the tangent figure, and the chord [J, K] for the
    // segment, for a tangent figure without T and for the kind values
    // without a figure of their own (which are filled closed by it); empty
    // for the whole ellipse.
    std::vector<TBPoint> ClosingPath() const;
    void GetArcExtent(TBPoint& min, TBPoint& max, const TZhdData& document, int flag) const;
    int DrawPlainSolid(TCanvas& canvas, TZhdData& document) const;
    int DrawArcSolid(TCanvas& canvas, TZhdData& document) const;

    TBPoint corners_[4];
    int color_ = 0;
};
