// Real roots of a quartic by Ferrari's method.
//
// The equation is made monic and depressed (x = y - b/4a), leaving
// y^4 + p*y^2 + q*y + r = 0. A positive root u of the resolvent cubic
// u^3 + (p/2)u^2 + (p^2/16 - r/4)u - q^2/64 = 0 splits the quartic into two
// quadratics, whose roots are sqrt(u) +- sqrt(N + 2R) and -sqrt(u) +- sqrt(N - 2R)
// with N = -u - p/2 and R = -q / (8 sqrt(u)). The resolvent is solved in closed
// form: Cardano's formula when it has one real root, the trigonometric form
// when it has three (the largest is taken; at u = 0 the cubic is -q^2/64 <= 0,
// so that root is never negative), and its root is polished by a few Newton
// steps.
//
// Cost: a fixed handful of square and cube roots, one atan2 with cos and sin,
// and at most four Newton steps on the cubic; nothing iterates without bound.
//
// Tolerances. The kinds of the roots rest on fixed absolute tolerances that the
// ellipse intersections rely on: a radicand N +- 2R within 1e-8 of zero makes
// its pair one double root, reported once as RootMultiple; a depressed
// equation whose coefficients all vanish (within 1e-14) has one fourfold root,
// also reported once as RootMultiple, so that the root and kind lists stay in
// step. The resolvent, though, is solved in units of the roots' own size (its
// coefficients scaled to one at most), so that its tolerance of 1e-14 is
// relative: its discriminant grows with the twelfth power of the roots' size,
// and an absolute test sent every quartic with roots about 0.1 across, or with
// four roots about 100 across, into a formula that gave up.
//
// Numerical care in the resolvent, each for quartics that otherwise lost their
// roots: Cardano's formula takes the cube term whose two parts add rather
// than cancel; a discriminant between zero and the tolerance, which still
// means one real root, falls back to Cardano's formula when the trigonometric
// form does not come out real; and the Newton steps restore a root u that is
// small beside p (two real roots beside a complex pair of a nearly even
// quartic), where the shift back from the depressed cubic cancels and R
// needs u to full precision.
//
// One case the resolvent cannot serve is solved directly: with q = 0 and
// r < 0 (or r about 0 with p < 0) the equation is a quadratic in y^2 with real
// solutions, while the resolvent's only usable root is u = 0, where the split
// divides by zero. Dropping those roots would report x^4 - 1 = 0 as having
// none.
//
// Refused (no roots): a leading coefficient below 1e-14 or negative (the
// caller's equation then is not really a quartic), a non-finite coefficient,
// the numerical breakdowns of the closed form (a resolvent root that is not
// positive, or none that comes out real), and roots that overflow.

#include "core/QuarticSolver.h"

#include "core/Finite.h"
#include "core/PlaneGeometry.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <complex>

namespace {

constexpr double tq = QuarticZeroTolerance;
constexpr double tz = QuarticDoubleRootTolerance;

// Roots y of the depressed quartic, in the order found.
class DepressedRoots {
public:
    int Count() const { return count_; }
    double Root(int i) const { return roots_[i]; }
    int Kind(int i) const { return kinds_[i]; }

    // The roots centre +- sqrt(radicand): two simple roots, one double root
    // for a zero radicand, none for a negative one.
    void AddPair(double centre, double radicand)
    {
        if (radicand < 0)
            return;
        if (radicand == 0) {
            Add(centre, RootMultiple);
            return;
        }
        const double half_width = std::sqrt(radicand);
        Add(centre + half_width, RootSimple);
        Add(centre - half_width, RootSimple);
    }

    void Add(double y, int kind)
    {
        roots_[count_] = y;
        kinds_[count_] = kind;
        ++count_;
    }

private:
    std::array<double, 4> roots_ {};
    std::array<int, 4> kinds_ {};
    int count_ = 0;
};

// The real root of z^3 + P*z + Q = 0 when it has only one (Cardano). Of the
// two cube terms -Q/2 +- sqrt(delta), whose cube roots multiply to -P/3, the
// one without cancellation.
bool CardanoRoot(double P, double Q, double delta, double& z)
{
    const double A = -Q / 2 - Sign(Q) * std::sqrt(std::fabs(delta));
    if (std::fabs(A) < tq)
        return false;
    const double w = std::cbrt(A);
    z = w - P / (3 * w);
    return true;
}

// The largest of three real roots: w and v = -P/(3w) are conjugate cube roots,
// whose sum is real; false when it does not come out real.
bool TrigonometricRoot(double P, double Q, double delta, double& z)
{
    const double rho = std::cbrt(std::sqrt(Q * Q / 4 + std::fabs(delta)));
    const double theta = std::atan2(std::sqrt(std::fabs(delta)), -Q / 2);
    const std::complex<double> w = std::polar(rho, theta / 3);
    const std::complex<double> v = -P / (3.0 * w);
    if (std::fabs(w.imag() + v.imag()) > tq)
        return false;
    z = w.real() + v.real();
    return true;
}

// A real root of z^3 + P*z + Q = 0, the largest when there are three; false
// when the closed form breaks down numerically. The coefficients are of size
// one at most.
bool DepressedCubicRoot(double P, double Q, double& z)
{
    if (std::fabs(P) > tq) {
        const double delta = Q * Q / 4 + P * P * P / 27;
        if (delta >= tq)
            return CardanoRoot(P, Q, delta, z);
        if (TrigonometricRoot(P, Q, delta, z))
            return true;
        // A discriminant between 0 and the tolerance still means one real
        // root, which the trigonometric form does not give.
        return delta > 0 && CardanoRoot(P, Q, delta, z);
    }
    z = std::fabs(Q) > tq ? std::cbrt(-Q) : 0;
    return true;
}

// Newton steps on the resolvent, kept while they lower its value. The shift
// u = z - p/6 cancels when u is small beside p, which is the case of two real
// roots y = +-s beside a complex pair +-it (a nearly even quartic): there
// R = -q / (8 sqrt(u)) needs u to full precision, and the resolvent, whose
// slope there is p^2/16 - r/4 > 0, gives it in a step or two.
double PolishedResolventRoot(double p, double q, double r, double u)
{
    const auto value_at = [&](double x) {
        return ((x + p / 2) * x + (p * p / 16 - r / 4)) * x - q * q / 64;
    };
    double value = std::fabs(value_at(u));
    for (int step = 0; step < 4 && value > 0; ++step) {
        const double slope = (3 * u + p) * u + (p * p / 16 - r / 4);
        if (slope == 0)
            break;
        const double next = u - value_at(u) / slope;
        const double next_value = std::fabs(value_at(next));
        if (!(next_value < value))
            break;
        u = next;
        value = next_value;
    }
    return u;
}

// A root u of the resolvent cubic; false when none is usable. With q = 0 the
// resolvent is u * (u^2 + (p/2)u + p^2/16 - r/4).
bool ResolventRoot(double p, double q, double r, double& u)
{
    if (std::fabs(q) > tq) {
        const double P = -p * p / 48 - r / 4;
        const double Q = -p * p * p / 864 + p * r / 24 - q * q / 64;
        double z = 0;
        if (!DepressedCubicRoot(P, Q, z))
            return false;
        u = PolishedResolventRoot(p, q, r, z - p / 6);
        return true;
    }
    const double k = p * p / 16 - r / 4;
    if (std::fabs(k) > tq) {
        if (r < tq)
            return false;
        u = std::sqrt(r / 4) - p / 4;
    } else {
        u = -p / 2;
    }
    return true;
}

// The split of Ferrari's method for a positive resolvent root u.
void AddFerrariRoots(double p, double q, double u, DepressedRoots& roots)
{
    const double root_u = std::sqrt(u);
    double N = -u - p / 2;
    const double R = -q / (8 * root_u);
    if (std::fabs(N + 2 * R) <= tz)
        N = -2 * R;
    roots.AddPair(root_u, N + 2 * R);
    // The second pair sees N as the first pair's snapping left it.
    if (std::fabs(N - 2 * R) <= tz)
        N = 2 * R;
    roots.AddPair(-root_u, N - 2 * R);
}

// The size of the roots of y^4 + p*y^2 + q*y + r = 0: the largest of
// |p|^(1/2), |q|^(1/3) and |r|^(1/4).
double RootScale(double p, double q, double r)
{
    return std::max({ std::sqrt(std::fabs(p)), std::cbrt(std::fabs(q)),
                      std::sqrt(std::sqrt(std::fabs(r))) });
}

bool IsBiquadraticWithoutResolventRoot(double p, double q, double r)
{
    return std::fabs(q) <= tq && std::fabs(p * p / 16 - r / 4) > tq && r < tq;
}

// y^4 + p*y^2 + r = 0 as a quadratic in w = y^2.
void AddBiquadraticRoots(double p, double r, DepressedRoots& roots)
{
    const double discriminant = p * p - 4 * r;
    if (discriminant < 0)
        return;
    const double root = std::sqrt(discriminant);
    for (double w : { (-p + root) / 2, (-p - root) / 2 })
        roots.AddPair(0, std::fabs(w) <= tz ? 0 : w);
}

} // namespace

int SolveQuartic(double a, double b, double c, double d, double e,
                 std::vector<double>& roots, std::vector<int>& kinds)
{
    if (!(a >= tq) || !AllFinite({ a, b, c, d, e }))
        return 0;
    roots.clear();
    kinds.clear();

    const double B = b / a, C = c / a, D = d / a, E = e / a;
    const double p = C - 3 * B * B / 8;
    const double q = B * B * B / 8 - B * C / 2 + D;
    const double r = -3 * B * B * B * B / 256 + B * B * C / 16 - B * D / 4 + E;
    if (!AllFinite({ p, q, r }))
        return 0;

    DepressedRoots found;
    if (std::fabs(p) < tq && std::fabs(q) < tq && std::fabs(r) < tq) {
        found.Add(0, RootMultiple); // (y^4 = 0): a fourfold root
    } else {
        // The resolvent is solved for u / unit^2 with the coefficients of the
        // roots y / unit, all of size one at most.
        const double unit = RootScale(p, q, r);
        const double unit_squared = unit * unit;
        const double p1 = p / unit_squared;
        const double q1 = q / (unit_squared * unit);
        const double r1 = r / (unit_squared * unit_squared);
        double u = 0;
        if (IsBiquadraticWithoutResolventRoot(p1, q1, r1))
            AddBiquadraticRoots(p, r, found);
        else if (ResolventRoot(p1, q1, r1, u) && u * unit_squared > 0)
            AddFerrariRoots(p, q, u * unit_squared, found);
        else
            return 0;
    }

    for (int i = 0; i < found.Count(); ++i) {
        const double x = found.Root(i) - B / 4;
        if (!std::isfinite(x)) {
            roots.clear();
            kinds.clear();
            return 0;
        }
        roots.push_back(x);
        kinds.push_back(found.Kind(i));
    }
    return found.Count();
}
