#pragma once

// Plane geometry on bare coordinates (drawing millimetres): signs and decimal
// rounding, distance, and the foot of a perpendicular and the meeting point of
// two segments with position codes. Lengths are compared with the absolute
// tolerance SegmentTolerance; results come through out-parameters and an
// integer result, never through an error.

#include "core/Angle.h"

// Lengths, positions and offsets closer than this count as equal.
inline constexpr double SegmentTolerance = 1e-10;

// Position of a point relative to a segment.
enum SegmentPosition : int {
    PositionOutside = 0,  // beyond an end by the tolerance or more; no point
    PositionInside = 1,   // more than the tolerance from both ends
    PositionAtEnd = 2,    // within the tolerance of an end
    PositionOnOneLine = 3 // the two segments lie on one line
};

// +1 for x >= 0 (a negative zero included), else -1.
double Sign(double x);
// -1 for n < 0, else +1.
int SignOfInt(int n);
// The larger (smaller) of the two; b when they are equal.
double MaxOf(double a, double b);
double MinOf(double a, double b);
// x rounded to n decimals, halves away from zero.
double RoundTo(double x, double n);
// x * (x - 2) * (x - 4) * ... over the factors above 1; 1 for x <= 1.
double DoubleFactorial(double x);

double Distance(double x1, double y1, double x2, double y2);
// (x, y) + r * (cos a, sin a).
void PolarXY(double x, double y, TAngle a, double r, double& px, double& py);
// (x, y) turned counter-clockwise about the origin by a.
void RotateXY(double x, double y, TAngle a, double& rx, double& ry);

// 1 when the boxes overlap or touch (no tolerance), else 0.
int RectsOverlap(double minx1, double miny1, double maxx1, double maxy1,
                 double minx2, double miny2, double maxx2, double maxy2);

// The segment functions below take the first segment P1-P2 as their frame:
// "along" is a position measured from P1 toward P2, "offset" a signed distance
// from the line P1-P2, positive on its left.
//
// Where a function returns 0 before it could compute a point (a first segment
// shorter than the tolerance, or parallel segments where noted), its outputs
// keep whatever the caller put there. Every segment function refuses
// non-finite input (a NaN or an infinity among its coordinates) that way:
// 0, and nothing written.

// Foot F of the perpendicular from P3 onto the line P1-P2, with P3's along and
// offset. Returns 1 when F lies on the segment (ends within the tolerance),
// else 0; 0 without outputs for a degenerate P1-P2.
int PerpendicularFootXYEx(double x1, double y1, double x2, double y2, double x3, double y3,
                          double& fx, double& fy, double& along, double& offset);
int PerpendicularFootXY(double x1, double y1, double x2, double y2, double x3, double y3,
                        double& fx, double& fy);

// Foot of P on the line P1-P2 with P's position code on the segment. Returns 1;
// for a degenerate P1-P2 the foot is P1 with code PositionOutside, and 0.
int ProjectPointOntoSegment(double x1, double y1, double x2, double y2, double px, double py,
                            double& fx, double& fy, int& code);

// Meeting point of the line P3-P4 with the line P1-P2 and its along value,
// written also when it lies off the segments. Returns 1 when it lies on both
// segments (ends within the tolerance), else 0; 0 without outputs for a
// degenerate P1-P2 or for parallel segments.
int IntersectSegmentsXYEx(double x1, double y1, double x2, double y2,
                          double x3, double y3, double x4, double y4,
                          double& x, double& y, double& along);
int IntersectSegmentsXY(double x1, double y1, double x2, double y2,
                        double x3, double y3, double x4, double y4,
                        double& x, double& y);

// Meeting point of two segments with a position code: PositionInside for a
// crossing inside both, PositionAtEnd for a crossing or touch within the
// tolerance of any end, PositionOnOneLine for segments on one line (the point
// is the middle of their common part, or of the gap between them; segments
// that only meet end to end give PositionAtEnd at the shared end),
// PositionOutside when the lines meet off the segments. A degenerate segment
// is taken as its first point, projected onto the other segment. Parallel
// segments on different lines give P1, PositionOutside and the result 0;
// every other case returns 1.
int IntersectSegmentsWithOverlap(double x1, double y1, double x2, double y2,
                                 double x3, double y3, double x4, double y4,
                                 double& x, double& y, int& code);
