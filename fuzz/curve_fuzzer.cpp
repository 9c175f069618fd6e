// Bytes in as the numbers of a curve question: the first byte picks the
// solver, the rest are read as doubles (any bit pattern: infinities, NaNs,
// huge and denormal values) and, for angles, a unit. Every solver must answer
// without hanging, keep its lists in step, and hand out only finite points.
#include "core/CurveIntersection.h"
#include "core/EllipseArc.h"
#include "core/EllipseCircle.h"
#include "core/QuarticSolver.h"
#include "fuzz/FuzzSupport.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

class Numbers {
public:
    Numbers(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) { }

    double Next()
    {
        double value = 0;
        if (position_ + sizeof value <= size_)
            std::memcpy(&value, data_ + position_, sizeof value);
        position_ += sizeof value;
        return value;
    }

    // An angle in one of the three units, picked by the value's low bits.
    TAngle NextAngle()
    {
        const double value = Next();
        std::uint64_t bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        TAngle angle;
        angle.SetValue(value, static_cast<int>(bits % 3));
        return angle;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t position_ = 0;
};

void RequireFinitePoints(const std::vector<double>& xs, const std::vector<double>& ys,
                         const std::vector<int>& codes, int count)
{
    Require(xs.size() == codes.size() && ys.size() == codes.size());
    Require(count >= 0 && static_cast<std::size_t>(count) <= codes.size());
    for (std::size_t i = 0; i < codes.size(); ++i)
        Require(std::isfinite(xs[i]) && std::isfinite(ys[i]) && codes[i] >= 0 && codes[i] <= 3);
}

struct Arc {
    double cx, cy, r;
    TAngle start, sweep;
    double ratio;
    TAngle tilt;
};

Arc NextArc(Numbers& numbers)
{
    Arc arc;
    arc.cx = numbers.Next();
    arc.cy = numbers.Next();
    arc.r = numbers.Next();
    arc.start = numbers.NextAngle();
    arc.sweep = numbers.NextAngle();
    arc.ratio = numbers.Next();
    arc.tilt = numbers.NextAngle();
    return arc;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    Numbers numbers(data + 1, size - 1);
    std::vector<double> xs, ys;
    std::vector<int> codes;
    switch (data[0] % 6) {
    case 0: {
        const double a = numbers.Next(), b = numbers.Next(), c = numbers.Next(), d = numbers.Next(),
                     e = numbers.Next();
        const int count = SolveQuartic(a, b, c, d, e, xs, codes);
        Require(xs.size() == codes.size());
        for (double root : xs)
            Require(std::isfinite(root));
        Require(count <= 4);
        break;
    }
    case 1: {
        const double a = numbers.Next(), b = numbers.Next(), c = numbers.Next(), d = numbers.Next(),
                     e = numbers.Next();
        const int count = IntersectEllipseCircle(a, b, c, d, e, xs, ys, codes);
        RequireFinitePoints(xs, ys, codes, count);
        Require(count == static_cast<int>(codes.size()) && count <= 4);
        break;
    }
    case 2: {
        const double x1 = numbers.Next(), y1 = numbers.Next(), x2 = numbers.Next(), y2 = numbers.Next();
        const Arc k = NextArc(numbers);
        const int count = IntersectSegmentEllipseArc(x1, y1, x2, y2, k.cx, k.cy, k.r, k.start, k.sweep,
                                                     k.ratio, k.tilt, xs, ys, codes);
        RequireFinitePoints(xs, ys, codes, count);
        Require(count == static_cast<int>(codes.size()) && count <= 2);
        break;
    }
    case 3: {
        const Arc k = NextArc(numbers), m = NextArc(numbers);
        const int count = IntersectEllipseArcs(k.cx, k.cy, k.r, k.start, k.sweep, k.ratio, k.tilt, m.cx,
                                               m.cy, m.r, m.start, m.sweep, m.ratio, m.tilt, xs, ys, codes);
        RequireFinitePoints(xs, ys, codes, count);
        Require(count == static_cast<int>(codes.size()) && count <= 4);
        break;
    }
    case 4: {
        const TAngle t = numbers.NextAngle();
        const Arc k = NextArc(numbers);
        double x = 0, y = 0;
        TAngle chord;
        EllipseArcTangentAt(t, k.cx, k.cy, k.r, k.start, k.sweep, k.ratio, k.tilt, x, y, chord);
        Require(std::isfinite(x) && std::isfinite(y));
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        TAngle t1, t2;
        int on1 = 0, on2 = 0;
        EllipseArcTangentPoints(t, k.cx, k.cy, k.r, k.start, k.sweep, k.ratio, k.tilt, x1, y1, t1, on1,
                                x2, y2, t2, on2);
        Require(std::isfinite(x1) && std::isfinite(y1) && std::isfinite(x2) && std::isfinite(y2));
        break;
    }
    default: {
        const double px = numbers.Next(), py = numbers.Next();
        const Arc k = NextArc(numbers);
        TAngle t, t90;
        const int on = EllipseArcAngleOfPoint(px, py, k.cx, k.cy, k.r, k.start, k.sweep, k.ratio, k.tilt,
                                              t, t90);
        Require(on >= -1 && on <= 1);
        double first = 0, second = 0;
        TAngle before, after;
        TransformedEllipseAxes(px, py, k.cx, k.cy, k.tilt, first, second, before, after);
        Require(std::isfinite(first) && std::isfinite(second));
        break;
    }
    }
    return 0;
}
