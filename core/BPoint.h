#pragma once

// The two-dimensional point of the model: two double coordinates and an
// integer tag whose meaning belongs to the owner. Points are compared with an
// absolute tolerance on their distance, ignoring the tag.
//
// Geometric operations read this point and deliver their results through the
// return value and out-parameters; an out point is written with SetXY, so it
// keeps its own tag. Angles they return are in radians. Offsets are positive
// on the left of the reference direction.

#include "core/Angle.h"

class TStream;

class TBPoint {
public:
    TBPoint() = default;
    TBPoint(double x, double y, int tag = 0) : x_(x), y_(y), tag_(tag) { }
    TBPoint(int x, int y, int tag = 0) : x_(x), y_(y), tag_(tag) { }

    // Within 1e-12 of each other (Euclidean distance); tags are not compared.
    bool operator==(const TBPoint& other) const;
    bool operator!=(const TBPoint& other) const;
    // Coordinate sums and differences with tag 0.
    TBPoint operator+(const TBPoint& other) const;
    TBPoint operator-(const TBPoint& other) const;
    // The tag stays.
    TBPoint& operator+=(const TBPoint& other);
    TBPoint& operator-=(const TBPoint& other);

    double GetX() const { return x_; }
    double SetX(double x) { return x_ = x; }
    double GetY() const { return y_; }
    double SetY(double y) { return y_ = y; }
    TBPoint Clone() const { return *this; }
    // Leaves the tag as it is.
    TBPoint& SetXY(double x, double y);
    // The coordinate truncated toward zero to 64 bits, of which the low 32
    // bits are returned: a coordinate beyond the 32-bit range wraps. NaN gives
    // 0, and values beyond the 64-bit range (infinities included) saturate to
    // it first.
    int GetXInt() const;
    int SetXInt(int x);
    int GetYInt() const;
    int SetYInt(int y);
    TBPoint& SetXYInt(int x, int y);
    int GetTag() const { return tag_; }
    int SetTag(int tag) { return tag_ = tag; }
    TBPoint& AsPoint() { return *this; }
    const TBPoint& AsPoint() const { return *this; }
    // Copies x, y and the tag.
    TBPoint& Assign(const TBPoint& other);
    TBPoint& SetXYTag(double x, double y, int tag);
    TBPoint& SetXYTagInt(int x, int y, int tag);
    double DistanceTo(const TBPoint& other) const;

    // Geometric operations; this point is P. Where an operation forwarding to
    // a segment primitive gets no point from it (P-A shorter than 1e-10,
    // parallel segments, non-finite points), the out point is set to P and
    // along and offset to 0.

    // Direction from P to Q in (-pi, pi]; a zero angle for points closer than
    // 1e-12.
    TAngle DirectionTo(const TBPoint& q) const;
    // Foot F of the perpendicular from Q onto the line P-A, F's along value
    // from P toward A and Q's offset from the line. 1 when F lies on the
    // segment P-A (ends within 1e-10), else 0.
    int PerpendicularFoot(const TBPoint& a, const TBPoint& q, TBPoint& foot) const;
    int PerpendicularFootEx(const TBPoint& a, const TBPoint& q, TBPoint& foot,
                            double& along, double& offset) const;
    // Projection of Q onto the line through P with direction a. 1 when the
    // foot is not behind P (along > -1e-10), else 0.
    int ProjectOntoRay(const TAngle& a, const TBPoint& q, TBPoint& foot,
                       double& along, double& offset) const;
    // Meeting point X of the lines P-A and B-C (written also off the segments)
    // with its along value from P toward A. 1 when X lies on both segments.
    int IntersectSegments(const TBPoint& a, const TBPoint& b, const TBPoint& c, TBPoint& meeting) const;
    int IntersectSegmentsEx(const TBPoint& a, const TBPoint& b, const TBPoint& c, TBPoint& meeting,
                            double& along) const;
    // Meeting point of the ray from P in direction a and the ray from Q in
    // direction b, both cut at 1000 times |PQ|. 0 when they miss (X then holds
    // where the lines meet, or P for parallel rays or Q = P).
    int IntersectRays(const TAngle& a, const TBPoint& q, const TAngle& b, TBPoint& meeting) const;
    // Meeting point of the line through P with direction a and the line
    // through Q with direction b. 0 with X := Q (tag included) when Q = P, when
    // the directions are parallel, with check set when Q lies on the first
    // line, and for non-finite points or directions.
    int IntersectLinesByAngles(const TAngle& a, const TBPoint& q, const TAngle& b, TBPoint& meeting,
                               int check) const;
    // Angle at P of the triangle P, A, B in [0, pi]; zero when a side is
    // shorter than 1e-16 or not finite.
    TAngle VertexAngle(const TBPoint& a, const TBPoint& b) const;
    // How far the path Prev -> P -> Next turns at P: 0 straight on, pi back
    // (also for Next = P). A zero angle when Prev lies within 1e-10 of P or a
    // point is not finite.
    TAngle DeflectionAngle(const TBPoint& previous, const TBPoint& next) const;
    // +1 when Q lies left of the ray from P in direction a or on its line, -1
    // when right.
    int SideOfRay(const TAngle& a, const TBPoint& q) const;
    // R := P + d * (cos a, sin a).
    void PolarOffset(double distance, const TAngle& a, TBPoint& result) const;
    // R := P turned counter-clockwise about C by a.
    void RotateAbout(const TBPoint& centre, const TAngle& a, TBPoint& result) const;
    // R := the point dividing P->Q in the ratio m : n, unchanged when m + n is
    // 0. Returns +1 when m * n >= 0 (internal division), -1 otherwise.
    int DivisionPoint(const TBPoint& q, const double& m, const double& n, TBPoint& result) const;
    // Whether Q lies on the line P-A (within 1e-10): 1 on the segment, -1 on
    // the line beyond an end, 0 off the line. For P-A shorter than 1e-10 the
    // line is the point P: 1 when Q lies within 1e-10 of P, else 0. 0 for
    // non-finite points.
    int IsOnLine(const TBPoint& q, const TBPoint& a) const;
    // 1 when P lies in the box spanned by A and B, bounds included.
    int IsInBox(const TBPoint& a, const TBPoint& b) const;

    // Point record, little-endian:
    //   double x;
    //   double y;
    //   int32  tag;   only when flag is not 0
    // A short stream gives zeros for what is missing and sets the stream's
    // ran-short flag. The version is not used.
    void Read(TStream& stream, int version, int flag);
    void Write(TStream& stream, int version, int flag) const;

private:
    double x_ = 0;
    double y_ = 0;
    int tag_ = 0;
};

// R := S + d * (cos a, sin a).
void PolarPoint(TBPoint start, TAngle a, double distance, TBPoint& result);
// R := S turned counter-clockwise about the origin by a.
void RotatePoint(TBPoint point, TAngle a, TBPoint& result);
