// Segment geometry in the frame of the first segment.
//
// Every segment function moves the other points by -P1 and turns them by -a,
// where a is the direction of P1->P2. In that frame the first segment runs
// along the x axis from 0 to its length L, a point's x is its position along
// the segment and its y its signed offset from the segment's line, so "on the
// segment" is a one-dimensional interval test and "parallel" a comparison of
// two offsets. Results are turned back by a and moved by +P1. Each call costs
// one atan2, one sine and one cosine and a handful of products.
//
// All comparisons use one absolute tolerance (1e-10, for drawing millimetres),
// not one relative to the coordinates' size: callers rely on these exact
// comparisons and on the bit-exact order of the arithmetic, so neither may be
// "improved" here. A first segment shorter than the tolerance has no frame and
// is refused through the result.

#include "core/PlaneGeometry.h"

#include "core/Finite.h"

#include <array>
#include <cmath>

namespace {

constexpr double tol = SegmentTolerance;

// The frame of the segment P1->P2: origin P1, x axis toward P2.
class SegmentFrame {
public:
    SegmentFrame(double x1, double y1, double x2, double y2)
        : x1_(x1), y1_(y1), angle_(std::atan2(y2 - y1, x2 - x1)),
          cos_(std::cos(angle_)), sin_(std::sin(angle_))
    {
        double offset_of_end = 0;
        ToFrame(x2, y2, length_, offset_of_end);
    }

    double Length() const { return length_; }

    // Along value u and offset v of a drawing point: P - P1 turned by -a.
    void ToFrame(double x, double y, double& u, double& v) const
    {
        const double dx = x - x1_;
        const double dy = y - y1_;
        u = dx * cos_ + dy * sin_;
        v = dy * cos_ - dx * sin_;
    }

    // The drawing point of the frame point (u, 0).
    void PointAlong(double u, double& x, double& y) const
    {
        x = u * cos_ + x1_;
        y = u * sin_ + y1_;
    }

    bool IsWithin(double u) const { return -tol < u && u < length_ + tol; }
    bool IsNearAnEnd(double u) const { return u < tol || u > length_ - tol; }

private:
    double x1_, y1_;
    double angle_, cos_, sin_;
    double length_ = 0;
};

bool IsDegenerate(double x1, double y1, double x2, double y2)
{
    return Distance(x1, y1, x2, y2) < tol;
}

// Along value where the line through the frame points (u3, v3), (u4, v4)
// crosses the frame's x axis; the caller has excluded a parallel line.
double CrossingAlong(double u3, double v3, double u4, double v4)
{
    if (std::fabs(u3 - u4) < tol)
        return u3; // perpendicular to the first segment
    return u3 - v3 * (u4 - u3) / (v4 - v3);
}

// Mean of the second and third of four positions, for two segments on one
// line: the middle of their common part, or of the gap between them. A plain
// insertion sort, so that a NaN cannot upset an ordering algorithm.
double MiddleOfFour(std::array<double, 4> values)
{
    for (std::size_t i = 1; i < values.size(); ++i) {
        for (std::size_t j = i; j > 0 && values[j] < values[j - 1]; --j) {
            const double swap = values[j];
            values[j] = values[j - 1];
            values[j - 1] = swap;
        }
    }
    return (values[1] + values[2]) / 2;
}

} // namespace

double Sign(double x)
{
    return x >= 0 ? 1.0 : -1.0;
}

int SignOfInt(int n)
{
    return n < 0 ? -1 : 1;
}

double MaxOf(double a, double b)
{
    return a > b ? a : b;
}

double MinOf(double a, double b)
{
    return a < b ? a : b;
}

double RoundTo(double x, double n)
{
    const double scale = std::pow(10.0, n);
    return Sign(x) * std::floor(std::fabs(x) * scale + 0.5) / scale;
}

double DoubleFactorial(double x)
{
    double product = 1;
    // Once the product overflows it stays infinite, so stopping there also
    // ends the loop for huge or infinite x, where x - 2 no longer decreases.
    for (double factor = x; factor > 1 && std::isfinite(product); factor -= 2)
        product *= factor;
    return product;
}

double Distance(double x1, double y1, double x2, double y2)
{
    return std::sqrt((x1 - x2) * (x1 - x2) + (y1 - y2) * (y1 - y2));
}

void PolarXY(double x, double y, TAngle a, double r, double& px, double& py)
{
    const double radians = a.GetRadians();
    px = x + r * std::cos(radians);
    py = y + r * std::sin(radians);
}

void RotateXY(double x, double y, TAngle a, double& rx, double& ry)
{
    const double radians = a.GetRadians();
    const double cos_a = std::cos(radians);
    const double sin_a = std::sin(radians);
    rx = x * cos_a - y * sin_a;
    ry = x * sin_a + y * cos_a;
}

int RectsOverlap(double minx1, double miny1, double maxx1, double maxy1,
                 double minx2, double miny2, double maxx2, double maxy2)
{
    if (minx1 > maxx2 || minx2 > maxx1 || miny1 > maxy2 || miny2 > maxy1)
        return 0;
    return 1;
}

int PerpendicularFootXYEx(double x1, double y1, double x2, double y2, double x3, double y3,
                          double& fx, double& fy, double& along, double& offset)
{
    if (!AllFinite({ x1, y1, x2, y2, x3, y3 }) || IsDegenerate(x1, y1, x2, y2))
        return 0;
    const SegmentFrame frame(x1, y1, x2, y2);
    double u = 0, v = 0;
    frame.ToFrame(x3, y3, u, v);
    along = u;
    offset = v;
    frame.PointAlong(u, fx, fy);
    return frame.IsWithin(u) ? 1 : 0;
}

int PerpendicularFootXY(double x1, double y1, double x2, double y2, double x3, double y3,
                        double& fx, double& fy)
{
    double along = 0, offset = 0;
    return PerpendicularFootXYEx(x1, y1, x2, y2, x3, y3, fx, fy, along, offset);
}

int ProjectPointOntoSegment(double x1, double y1, double x2, double y2, double px, double py,
                            double& fx, double& fy, int& code)
{
    if (!AllFinite({ x1, y1, x2, y2, px, py }))
        return 0;
    if (IsDegenerate(x1, y1, x2, y2)) {
        fx = x1;
        fy = y1;
        code = PositionOutside;
        return 0;
    }
    const SegmentFrame frame(x1, y1, x2, y2);
    double u = 0, v = 0;
    frame.ToFrame(px, py, u, v);
    frame.PointAlong(u, fx, fy);
    if (!frame.IsWithin(u))
        code = PositionOutside;
    else
        code = frame.IsNearAnEnd(u) ? PositionAtEnd : PositionInside;
    return 1;
}

int IntersectSegmentsXYEx(double x1, double y1, double x2, double y2,
                          double x3, double y3, double x4, double y4,
                          double& x, double& y, double& along)
{
    if (!AllFinite({ x1, y1, x2, y2, x3, y3, x4, y4 }) || IsDegenerate(x1, y1, x2, y2))
        return 0;
    const SegmentFrame frame(x1, y1, x2, y2);
    double u3 = 0, v3 = 0, u4 = 0, v4 = 0;
    frame.ToFrame(x3, y3, u3, v3);
    frame.ToFrame(x4, y4, u4, v4);
    if (std::fabs(v3 - v4) < tol)
        return 0; // parallel: no meeting point
    const double t = CrossingAlong(u3, v3, u4, v4);
    along = t;
    frame.PointAlong(t, x, y);
    const bool on_second = MaxOf(v3, v4) > -tol && MinOf(v3, v4) < tol;
    return frame.IsWithin(t) && on_second ? 1 : 0;
}

int IntersectSegmentsXY(double x1, double y1, double x2, double y2,
                        double x3, double y3, double x4, double y4,
                        double& x, double& y)
{
    double along = 0;
    return IntersectSegmentsXYEx(x1, y1, x2, y2, x3, y3, x4, y4, x, y, along);
}

int IntersectSegmentsWithOverlap(double x1, double y1, double x2, double y2,
                                 double x3, double y3, double x4, double y4,
                                 double& x, double& y, int& code)
{
    if (!AllFinite({ x1, y1, x2, y2, x3, y3, x4, y4 }))
        return 0;
    if (IsDegenerate(x1, y1, x2, y2))
        return ProjectPointOntoSegment(x3, y3, x4, y4, x1, y1, x, y, code);
    if (IsDegenerate(x3, y3, x4, y4))
        return ProjectPointOntoSegment(x1, y1, x2, y2, x3, y3, x, y, code);

    const SegmentFrame frame(x1, y1, x2, y2);
    double u3 = 0, v3 = 0, u4 = 0, v4 = 0;
    frame.ToFrame(x3, y3, u3, v3);
    frame.ToFrame(x4, y4, u4, v4);
    bool collinear = false;
    double t = 0;
    if (std::fabs(v3 - v4) < tol) {
        if (std::fabs(v3) > tol) { // parallel on another line
            x = x1;
            y = y1;
            code = PositionOutside;
            return 0;
        }
        t = MiddleOfFour({ 0.0, frame.Length(), u3, u4 });
        collinear = true;
    } else {
        t = CrossingAlong(u3, v3, u4, v4);
    }
    frame.PointAlong(t, x, y);

    if (!frame.IsWithin(t)) {
        code = collinear ? PositionOnOneLine : PositionOutside;
        return 1;
    }
    double foot_x = 0, foot_y = 0;
    ProjectPointOntoSegment(x3, y3, x4, y4, x, y, foot_x, foot_y, code);
    if (code == PositionInside) {
        if (frame.IsNearAnEnd(t))
            code = PositionAtEnd;
        else if (collinear)
            code = PositionOnOneLine;
    }
    return 1;
}
