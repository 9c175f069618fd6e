#pragma once

// The real roots of a quartic equation, the algebraic core of the ellipse
// intersections.

#include <vector>

// The kind of a root reported by SolveQuartic.
enum QuarticRootKind : int {
    RootSimple = 1,  // a root of multiplicity one
    RootMultiple = 3 // a double (or fourfold) root, reported once
};

// Coefficients below this (a leading one, or all of the reduced equation) count
// as zero.
inline constexpr double QuarticZeroTolerance = 1e-14;
// A radicand of a root pair closer to zero than this makes the pair one
// double root.
inline constexpr double QuarticDoubleRootTolerance = 1e-8;

// The real roots of a*x^4 + b*x^3 + c*x^2 + d*x + e = 0, unsorted, each with
// its kind in the same position of `kinds`; returns their number (0 to 4).
// A leading coefficient below QuarticZeroTolerance (any negative one too) or a
// non-finite coefficient returns 0 at once and leaves both lists as they were;
// otherwise both are emptied first. Configurations the method cannot resolve
// numerically give 0 roots.
int SolveQuartic(double a, double b, double c, double d, double e,
                 std::vector<double>& roots, std::vector<int>& kinds);
