#pragma once

// A brute-force oracle for curve intersections, for the property tests of the
// solvers: it walks densely around one ellipse, watches the sign of another
// curve's equation, and refines every sign change by bisection. It knows
// nothing of the solvers' formulas, frames or tolerances, so it can judge
// them; it finds transversal crossings only (a touch makes no sign change).
// Everything is plain double arithmetic with its own rotations.

#include <cmath>
#include <numbers>
#include <vector>

namespace oracle {

constexpr double kTwoPi = 2 * std::numbers::pi;

// The direction in [0, 2 pi).
inline double NormalizedRadians(double angle)
{
    angle = std::fmod(angle, kTwoPi);
    return angle < 0 ? angle + kTwoPi : angle;
}

// A curve given by an equation f(x, y) = 0 with its gradient.
class ImplicitCurve {
public:
    virtual ~ImplicitCurve() = default;
    virtual double Value(double x, double y) const = 0;
    virtual void Gradient(double x, double y, double& gx, double& gy) const = 0;

    // The distance of a point from the curve, to first order.
    double DistanceOf(double x, double y) const
    {
        double gx = 0, gy = 0;
        Gradient(x, y, gx, gy);
        return std::fabs(Value(x, y)) / std::hypot(gx, gy);
    }
};

// A whole ellipse with semi-axes r and ratio * r, its first axis at `tilt`
// radians; parameter phi gives C + Rot(tilt) (r cos phi, ratio r sin phi).
class Ellipse : public ImplicitCurve {
public:
    Ellipse(double cx, double cy, double r, double ratio, double tilt)
        : cx_(cx), cy_(cy), r_(r), ratio_(ratio), cos_(std::cos(tilt)), sin_(std::sin(tilt))
    {
    }

    void PointAt(double phi, double& x, double& y) const
    {
        const double u = r_ * std::cos(phi), v = ratio_ * r_ * std::sin(phi);
        x = cx_ + u * cos_ - v * sin_;
        y = cy_ + u * sin_ + v * cos_;
    }

    void TangentAt(double phi, double& tx, double& ty) const
    {
        const double u = -r_ * std::sin(phi), v = ratio_ * r_ * std::cos(phi);
        tx = u * cos_ - v * sin_;
        ty = u * sin_ + v * cos_;
    }

    // The parameter of a point, from its place in the ellipse's frame.
    double ParameterOf(double x, double y) const
    {
        double u = 0, v = 0;
        ToFrame(x, y, u, v);
        return std::atan2(v / ratio_, u);
    }

    double Value(double x, double y) const override
    {
        double u = 0, v = 0;
        ToFrame(x, y, u, v);
        const double b = ratio_ * r_;
        return (u * u) / (r_ * r_) + (v * v) / (b * b) - 1;
    }

    void Gradient(double x, double y, double& gx, double& gy) const override
    {
        double u = 0, v = 0;
        ToFrame(x, y, u, v);
        const double b = ratio_ * r_;
        const double gu = 2 * u / (r_ * r_), gv = 2 * v / (b * b);
        gx = gu * cos_ - gv * sin_;
        gy = gu * sin_ + gv * cos_;
    }

private:
    void ToFrame(double x, double y, double& u, double& v) const
    {
        const double dx = x - cx_, dy = y - cy_;
        u = dx * cos_ + dy * sin_;
        v = dy * cos_ - dx * sin_;
    }

    double cx_, cy_, r_, ratio_, cos_, sin_;
};

// The whole line through two points; its value is the signed distance.
class Line : public ImplicitCurve {
public:
    Line(double x1, double y1, double x2, double y2)
        : x1_(x1), y1_(y1), length_(std::hypot(x2 - x1, y2 - y1)),
          ux_((x2 - x1) / length_), uy_((y2 - y1) / length_)
    {
    }

    double Value(double x, double y) const override { return (y - y1_) * ux_ - (x - x1_) * uy_; }

    void Gradient(double, double, double& gx, double& gy) const override
    {
        gx = -uy_;
        gy = ux_;
    }

    // Position along the segment from its first point (0 to Length()).
    double AlongOf(double x, double y) const { return (x - x1_) * ux_ + (y - y1_) * uy_; }
    double Length() const { return length_; }

private:
    double x1_, y1_, length_, ux_, uy_;
};

struct Crossing {
    double x = 0, y = 0;
    double phi = 0;  // parameter on the walked ellipse
    double sine = 0; // sine of the angle between the two curves there
};

// Every sign change of `other` along `walked`, sampled at `samples` parameter
// steps and bisected to the last bit.
inline std::vector<Crossing> SampledCrossingsOracle(const Ellipse& walked, const ImplicitCurve& other,
                                                    int samples = 2048)
{
    std::vector<Crossing> found;
    const auto value_at = [&](double phi) {
        double x = 0, y = 0;
        walked.PointAt(phi, x, y);
        return other.Value(x, y);
    };
    double previous_phi = 0, previous = value_at(0);
    for (int i = 1; i <= samples; ++i) {
        const double phi = kTwoPi * i / samples;
        const double value = value_at(phi);
        if ((value < 0) != (previous < 0)) {
            double low = previous_phi, high = phi, low_value = previous;
            for (int step = 0; step < 80; ++step) {
                const double middle = (low + high) / 2;
                const double middle_value = value_at(middle);
                if ((middle_value < 0) == (low_value < 0)) {
                    low = middle;
                    low_value = middle_value;
                } else {
                    high = middle;
                }
            }
            Crossing crossing;
            crossing.phi = (low + high) / 2;
            walked.PointAt(crossing.phi, crossing.x, crossing.y);
            double tx = 0, ty = 0, gx = 0, gy = 0;
            walked.TangentAt(crossing.phi, tx, ty);
            other.Gradient(crossing.x, crossing.y, gx, gy);
            crossing.sine = std::fabs(tx * gx + ty * gy) / (std::hypot(tx, ty) * std::hypot(gx, gy));
            found.push_back(crossing);
        }
        previous_phi = phi;
        previous = value;
    }
    return found;
}

// How far a parameter lies inside an arc from start over sweep (both in
// radians, sweep >= 0): positive inside, negative outside, in radians from
// the nearer end.
inline double DepthInArc(double phi, double start, double sweep)
{
    if (sweep >= kTwoPi)
        return kTwoPi;
    const double offset = NormalizedRadians(phi - start);
    if (offset <= sweep)
        return std::fmin(offset, sweep - offset);
    return -std::fmin(offset - sweep, kTwoPi - offset);
}

} // namespace oracle
